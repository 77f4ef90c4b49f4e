#pragma once

// Prime factors of whole numbers of any size: trial division by the small primes, Pollard's rho
// (Brent's variant) for factors up to about ten digits, then GMP-ECM with growing bounds while the
// time allows. A factor is called prime after GMP's BPSW test, which knows no counterexample.

#include <gmpxx.h>

#include <chrono>
#include <utility>
#include <vector>

namespace Calc {

struct Factorization
{
    std::vector<std::pair<mpz_class, int>> factors; // primes ascending, with their exponents
    std::vector<mpz_class> unfactored; // composite parts left when the time ran out
    bool complete() const { return unfactored.empty(); }
};

// n ≥ 1; stops looking after `budget` and names what is left.
Factorization factorize(const mpz_class &n, std::chrono::milliseconds budget);

bool isProbablePrime(const mpz_class &n);

} // namespace Calc
