// The arithmetic functions of the formula calculator: roots, rounding, divisibility, angles in
// degrees and logarithms.
#include "logic/common/QuarvelError.h"
#include "logic/formula/SheetFunctionsImpl.h"

namespace Formula::SheetImpl {

namespace {

// Whether `value` is an exact n-th power; then `root` holds its n-th root.
bool exactRoot(const mpz_class &value, unsigned long n, mpz_class &root)
{
    return mpz_root(root.get_mpz_t(), value.get_mpz_t(), n) != 0;
}

QString shown(const SheetNumber &value)
{
    return value.toText(u',');
}

SheetNumber approximate(const Real &value, const QString &what)
{
    return SheetNumber::approximate(value, what);
}

SheetNumber rounded(const SheetArguments &a, Rounding rounding, const QString &name)
{
    const long digits =
        a.size() > 1 ? a[1].smallInteger(name + QStringLiteral(" (Stellen)"), -1000, 1000) : 0;
    return SheetNumber::exact(roundTo(a[0].rational(), digits, rounding));
}

} // namespace

SheetNumber nthRoot(const SheetNumber &x, long n, const QString &name)
{
    const int sign = x.sign();
    if (sign < 0 && n % 2 == 0)
        throw QuarvelError(
            QStringLiteral("%1: Die Wurzel aus einer negativen Zahl (%2) ist nicht reell.")
                .arg(name, shown(x)));
    if (x.isExact()) {
        const mpq_class value = abs(x.rational());
        mpz_class numerator, denominator;
        if (exactRoot(value.get_num(), static_cast<unsigned long>(n), numerator) &&
            exactRoot(value.get_den(), static_cast<unsigned long>(n), denominator))
            return SheetNumber::exact(
                mpq_class(sign < 0 ? mpz_class(-numerator) : numerator, denominator));
    }
    Real magnitude = x.real();
    mpfr_abs(magnitude.get(), magnitude.get(), MPFR_RNDN);
    Real result;
    mpfr_rootn_ui(result.get(), magnitude.get(), static_cast<unsigned long>(n), MPFR_RNDN);
    if (sign < 0)
        mpfr_neg(result.get(), result.get(), MPFR_RNDN);
    return approximate(result, name);
}

SheetNumber wurzel(const SheetArguments &a)
{
    return nthRoot(a[0], 2, QStringLiteral("wurzel"));
}

SheetNumber nwurzel(const SheetArguments &a)
{
    const long n = a[1].smallInteger(QStringLiteral("nwurzel (n)"), 1, 1000000);
    return nthRoot(a[0], n, QStringLiteral("nwurzel"));
}

SheetNumber runden(const SheetArguments &a)
{
    return rounded(a, Rounding::HalfAwayFromZero, QStringLiteral("runden"));
}

SheetNumber abrunden(const SheetArguments &a)
{
    return rounded(a, Rounding::Down, QStringLiteral("abrunden"));
}

SheetNumber aufrunden(const SheetArguments &a)
{
    return rounded(a, Rounding::Up, QStringLiteral("aufrunden"));
}

SheetNumber betrag(const SheetArguments &a)
{
    return a[0].sign() < 0 ? negate(a[0]) : a[0];
}

SheetNumber minimum(const SheetArguments &a)
{
    const SheetNumber *best = &a[0];
    for (const SheetNumber &value : a) {
        if (subtract(value, *best).sign() < 0)
            best = &value;
    }
    return best->sign(), *best;
}

SheetNumber maximum(const SheetArguments &a)
{
    const SheetNumber *best = &a[0];
    for (const SheetNumber &value : a) {
        if (subtract(value, *best).sign() > 0)
            best = &value;
    }
    return best->sign(), *best;
}

SheetNumber mod(const SheetArguments &a)
{
    // The remainder with the sign of the divisor, as spreadsheets give it: mod(-7; 3) = 2.
    if (a[1].sign() == 0)
        throw QuarvelError(QStringLiteral("mod: Division durch null."));
    const SheetNumber rest = remainder(a[0], a[1]);
    if (rest.sign() != 0 && rest.sign() != a[1].sign())
        return add(rest, a[1]);
    return rest;
}

SheetNumber ggt(const SheetArguments &a)
{
    mpz_class result = 0;
    for (const SheetNumber &value : a)
        mpz_gcd(result.get_mpz_t(), result.get_mpz_t(),
                value.integer(QStringLiteral("ggt")).get_mpz_t());
    return SheetNumber::exact(result);
}

SheetNumber kgv(const SheetArguments &a)
{
    mpz_class result = 1;
    for (const SheetNumber &value : a) {
        mpz_lcm(result.get_mpz_t(), result.get_mpz_t(),
                value.integer(QStringLiteral("kgv")).get_mpz_t());
        SheetNumber::exact(result); // refuses a result beyond the digit limit before it grows on
    }
    return SheetNumber::exact(result);
}

SheetNumber fakultaet(const SheetArguments &a)
{
    const long n = a[0].smallInteger(QStringLiteral("fakultaet"), 0, kMaxFactorial);
    mpz_class result;
    mpz_fac_ui(result.get_mpz_t(), static_cast<unsigned long>(n));
    return SheetNumber::exact(result);
}

SheetNumber angle(const SheetNumber &x, Angle which)
{
    const Real value = x.real();
    Real result;
    switch (which) {
    case Angle::Sin:
        mpfr_sinu(result.get(), value.get(), 360, MPFR_RNDN);
        return approximate(result, QStringLiteral("sin(%1°)").arg(shown(x)));
    case Angle::Cos:
        mpfr_cosu(result.get(), value.get(), 360, MPFR_RNDN);
        return approximate(result, QStringLiteral("cos(%1°)").arg(shown(x)));
    case Angle::Tan:
        mpfr_tanu(result.get(), value.get(), 360, MPFR_RNDN);
        return approximate(result, QStringLiteral("tan(%1°)").arg(shown(x)));
    case Angle::ArcSin:
    case Angle::ArcCos:
        if (mpfr_cmpabs_ui(value.get(), 1) > 0)
            throw QuarvelError(QStringLiteral("%1 ist nur für Zahlen von -1 bis 1 definiert, "
                                              "nicht für %2.")
                                   .arg(which == Angle::ArcSin ? QStringLiteral("arcsin")
                                                               : QStringLiteral("arccos"),
                                        shown(x)));
        (which == Angle::ArcSin ? mpfr_asinu : mpfr_acosu)(result.get(), value.get(), 360,
                                                           MPFR_RNDN);
        return approximate(result, QStringLiteral("Der Winkel"));
    case Angle::ArcTan:
        mpfr_atanu(result.get(), value.get(), 360, MPFR_RNDN);
        return approximate(result, QStringLiteral("arctan"));
    }
    return x;
}

SheetNumber logarithm(const SheetNumber &x, const SheetNumber *base)
{
    const QString name = base ? QStringLiteral("log") : QStringLiteral("ln");
    if (x.sign() <= 0)
        throw QuarvelError(QStringLiteral("%1 ist nur für Zahlen über 0 definiert, nicht für %2.")
                               .arg(name, shown(x)));
    if (base &&
        (base->sign() <= 0 || subtract(*base, SheetNumber::exact(mpz_class(1))).sign() == 0))
        throw QuarvelError(QStringLiteral("log: Die Basis muss über 0 liegen und darf nicht 1 "
                                          "sein, nicht %1.")
                               .arg(shown(*base)));
    // A whole power of a whole base is exact: log(1000) = 3, log(0,01) = -2, log(8; 2) = 3.
    if (base && base->isExact() && base->isInteger() && x.isExact()) {
        const mpz_class b = base->rational().get_num();
        const mpq_class value = x.rational();
        const bool inverse = value.get_num() == 1;
        mpz_class rest = inverse ? value.get_den() : value.get_num();
        if ((inverse || value.get_den() == 1) && b > 1 && rest >= 1) {
            // GMP takes out every factor b at once, in far less than one division per factor.
            const long k = long(mpz_remove(rest.get_mpz_t(), rest.get_mpz_t(), b.get_mpz_t()));
            if (rest == 1)
                return SheetNumber::exact(mpz_class(inverse ? -k : k));
        }
    }
    Real result;
    mpfr_log(result.get(), x.real().get(), MPFR_RNDN);
    if (base) {
        Real divisor;
        mpfr_log(divisor.get(), base->real().get(), MPFR_RNDN);
        mpfr_div(result.get(), result.get(), divisor.get(), MPFR_RNDN);
    }
    return approximate(result, name);
}

} // namespace Formula::SheetImpl
