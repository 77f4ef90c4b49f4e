#include "logic/calc/Factorize.h"

#include <ecm.h>

#include <algorithm>
#include <map>

namespace Calc {
namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned long kTrialLimit = 10000;
constexpr int kRhoRounds = 1 << 16;

struct Work
{
    std::map<mpz_class, int> primes;
    std::vector<mpz_class> left;
    Clock::time_point deadline;
};

void addPrime(Work &work, const mpz_class &p, int exponent)
{
    work.primes[p] += exponent;
}

// Brent's cycle finding with the products of 128 differences per gcd; 0 when none was found.
mpz_class rho(const mpz_class &n, unsigned long c)
{
    mpz_class x = 2, y = 2, ys, q = 1, g = 1, diff;
    int r = 1;
    int rounds = 0;
    while (g == 1 && rounds < kRhoRounds) {
        x = y;
        for (int i = 0; i < r; ++i)
            y = (y * y + c) % n;
        int k = 0;
        while (k < r && g == 1) {
            ys = y;
            for (int i = 0; i < std::min(128, r - k); ++i) {
                y = (y * y + c) % n;
                diff = abs(x - y);
                q = (q * diff) % n;
            }
            g = gcd(q, n);
            k += 128;
        }
        rounds += r;
        r *= 2;
    }
    if (g == n) { // the batch overshot: step back one difference at a time
        do {
            ys = (ys * ys + c) % n;
            diff = abs(x - ys);
            g = gcd(diff, n);
        } while (g == 1);
    }
    return g == 1 || g == n ? mpz_class(0) : g;
}

mpz_class ecmFactor(const mpz_class &n, const Clock::time_point deadline)
{
    static constexpr std::pair<double, int> schedule[] = {
        {2000, 25}, {11000, 90}, {50000, 200}, {250000, 400}, {1000000, 900}, {3000000, 2400}};
    mpz_class found;
    mpz_class target = n; // GMP-ECM takes the number as non-const
    for (const auto &[bound, curves] : schedule) {
        for (int i = 0; i < curves; ++i) {
            if (Clock::now() >= deadline)
                return 0;
            ecm_params params;
            ecm_init(params);
            const int status = ecm_factor(found.get_mpz_t(), target.get_mpz_t(), bound, params);
            ecm_clear(params);
            if (status > 0 && found != n && found != 1)
                return found;
        }
    }
    return 0;
}

void split(Work &work, const mpz_class &n, int exponent);

void splitBy(Work &work, const mpz_class &n, const mpz_class &factor, int exponent)
{
    split(work, factor, exponent);
    split(work, n / factor, exponent);
}

void split(Work &work, const mpz_class &n, int exponent)
{
    if (n == 1)
        return;
    if (isProbablePrime(n)) {
        addPrime(work, n, exponent);
        return;
    }
    if (mpz_perfect_power_p(n.get_mpz_t())) {
        mpz_class root;
        for (unsigned long k = mpz_sizeinbase(n.get_mpz_t(), 2); k >= 2; --k) {
            if (mpz_root(root.get_mpz_t(), n.get_mpz_t(), k)) {
                split(work, root, exponent * int(k));
                return;
            }
        }
    }
    for (unsigned long c = 1; c <= 3; ++c) {
        if (Clock::now() >= work.deadline)
            break;
        const mpz_class factor = rho(n, c);
        if (factor != 0) {
            splitBy(work, n, factor, exponent);
            return;
        }
    }
    const mpz_class factor = ecmFactor(n, work.deadline);
    if (factor != 0) {
        splitBy(work, n, factor, exponent);
        return;
    }
    for (int i = 0; i < exponent; ++i)
        work.left.push_back(n);
}

} // namespace

bool isProbablePrime(const mpz_class &n)
{
    return mpz_probab_prime_p(n.get_mpz_t(), 25) > 0;
}

Factorization factorize(const mpz_class &n, std::chrono::milliseconds budget)
{
    Work work;
    work.deadline = Clock::now() + budget;
    mpz_class rest = n;
    for (unsigned long d = 2; d < kTrialLimit && d * d <= rest; d += (d == 2 ? 1 : 2)) {
        int exponent = 0;
        while (mpz_divisible_ui_p(rest.get_mpz_t(), d)) {
            mpz_divexact_ui(rest.get_mpz_t(), rest.get_mpz_t(), d);
            ++exponent;
        }
        if (exponent > 0)
            addPrime(work, mpz_class(d), exponent);
    }
    split(work, rest, 1);
    Factorization result;
    for (const auto &[prime, exponent] : work.primes)
        result.factors.emplace_back(prime, exponent);
    std::sort(work.left.begin(), work.left.end());
    result.unfactored = std::move(work.left);
    return result;
}

} // namespace Calc
