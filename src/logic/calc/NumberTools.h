#pragma once

#include <vector>

namespace Calc {

struct Tool;

// Primes, factors, divisors, gcd and lcm; the number sequences; the constants; number bases.
std::vector<Tool> primeTools();
std::vector<Tool> sequenceTools();
std::vector<Tool> constantTools();
std::vector<Tool> baseTools();

} // namespace Calc
