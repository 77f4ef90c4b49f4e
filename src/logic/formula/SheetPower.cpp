// Powers of the formula calculator: exact for an exact base and a whole exponent, otherwise
// correctly rounded.
#include "logic/common/QuarvelError.h"
#include "logic/formula/SheetNumber.h"

namespace Formula {

namespace {

constexpr size_t kMaxBits = size_t(kMaxSheetDigits) * 3322 / 1000 + 64;

SheetNumber exactPower(const mpq_class &base, const mpz_class &exponent)
{
    if (sgn(base) == 0) {
        if (exponent < 0)
            throw QuarvelError(QStringLiteral("Null hoch einer negativen Zahl ist nicht "
                                              "definiert."));
        return SheetNumber::exact(mpz_class(exponent == 0 ? 1 : 0));
    }
    // ±1 stays small for any exponent; anything else grows with it.
    if (abs(base.get_num()) == 1 && base.get_den() == 1) {
        const bool negative = base < 0 && mpz_odd_p(exponent.get_mpz_t());
        return SheetNumber::exact(mpz_class(negative ? -1 : 1));
    }
    const size_t bits =
        std::max(mpz_sizeinbase(base.get_num_mpz_t(), 2), mpz_sizeinbase(base.get_den_mpz_t(), 2));
    const mpz_class magnitude = abs(exponent);
    if (magnitude > long(kMaxBits) || (bits - 1) * magnitude.get_ui() > kMaxBits)
        throw QuarvelError(
            QStringLiteral("Das Ergebnis hätte mehr als %1 Stellen.").arg(kMaxSheetDigits));
    const unsigned long e = magnitude.get_ui();
    mpz_class numerator, denominator;
    mpz_pow_ui(numerator.get_mpz_t(), base.get_num_mpz_t(), e);
    mpz_pow_ui(denominator.get_mpz_t(), base.get_den_mpz_t(), e);
    return SheetNumber::exact(exponent < 0 ? mpq_class(denominator, numerator)
                                           : mpq_class(numerator, denominator));
}

} // namespace

SheetNumber power(const SheetNumber &base, const SheetNumber &exponent)
{
    const int baseSign = base.sign();
    exponent.sign(); // refuses a text
    if (exponent.isInteger() && base.isExact() && exponent.isExact())
        return exactPower(base.rational(), exponent.rational().get_num());
    Real result;
    if (exponent.isInteger()) {
        if (baseSign == 0 && exponent.sign() < 0)
            throw QuarvelError(QStringLiteral("Null hoch einer negativen Zahl ist nicht "
                                              "definiert."));
        mpfr_pow_z(result.get(), base.real().get(), exponent.rational().get_num_mpz_t(), MPFR_RNDN);
    } else {
        if (baseSign < 0)
            throw QuarvelError(QStringLiteral("Eine negative Zahl hoch einer gebrochenen Zahl ist "
                                              "nicht reell (für ungerade Wurzeln: nwurzel)."));
        if (baseSign == 0 && exponent.sign() < 0)
            throw QuarvelError(QStringLiteral("Null hoch einer negativen Zahl ist nicht "
                                              "definiert."));
        mpfr_pow(result.get(), base.real().get(), exponent.real().get(), MPFR_RNDN);
    }
    return SheetNumber::approximate(result, QStringLiteral("Die Potenz"));
}

} // namespace Formula
