#pragma once

// The values of the formula calculator. A value is exact while it can be: numbers as written,
// sums, differences, products, quotients and whole powers of them are fractions of GMP integers
// of any size. Roots, logarithms, angles and the constants are binary floating point numbers of
// 128 bits (MPFR, about 38 decimal digits, each operation correctly rounded), shown to 30
// significant digits. A quoted text is a value too, for the functions that read texts.

#include <QString>

#include <gmpxx.h>
#include <mpfr.h>

namespace Formula {

// Decimal digits shown of a value that is not exact.
constexpr int kSignificantDigits = 30;
// The most decimal digits a numerator or denominator may have; a result beyond is refused
// before it could take seconds or the memory of the machine.
constexpr int kMaxSheetDigits = 100000;

// An MPFR number of the calculator's precision that copies and frees itself.
class Real
{
public:
    static constexpr mpfr_prec_t kPrecision = 128;
    Real();
    explicit Real(const mpq_class &value);
    Real(const Real &other);
    Real &operator=(const Real &other);
    ~Real();
    mpfr_ptr get() { return m_value; }
    mpfr_srcptr get() const { return m_value; }

private:
    mpfr_t m_value;
};

class SheetNumber
{
public:
    enum class Kind { Exact, Approximate, Text };

    SheetNumber() = default;
    static SheetNumber exact(mpq_class value);
    static SheetNumber exact(const mpz_class &value) { return exact(mpq_class(value)); }
    // Throws QuarvelError when `value` is not finite: `what` says which operation failed.
    static SheetNumber approximate(const Real &value, const QString &what);
    static SheetNumber text(QString value);
    // "12", "3.25" (a point or a comma before the fraction).
    static SheetNumber fromDecimal(const QString &digits);

    Kind kind() const { return m_kind; }
    bool isText() const { return m_kind == Kind::Text; }
    bool isExact() const { return m_kind == Kind::Exact; }
    const QString &textValue() const { return m_text; }
    int sign() const;
    bool isInteger() const;

    // The exact value; an approximate number gives the fraction its binary digits are.
    mpq_class rational() const;
    Real real() const;
    // The whole number, or QuarvelError "`what` erwartet eine ganze Zahl" otherwise.
    mpz_class integer(const QString &what) const;
    // The whole number as a small integer between `minimum` and `maximum`, or QuarvelError.
    long smallInteger(const QString &what, long minimum, long maximum) const;

    // Exact values in full (fractions that do not end within 30 decimals to 30 significant
    // digits), approximate ones to 30 significant digits; `separator` is the decimal mark.
    QString toText(QChar separator) const;
    // Rounded half away from zero to a whole number ("" for a text).
    QString roundedText() const;

private:
    Kind m_kind = Kind::Exact;
    mpq_class m_exact;
    Real m_real;
    QString m_text;
};

// Operations of the grammar; each throws QuarvelError with a German reason.
SheetNumber add(const SheetNumber &a, const SheetNumber &b);
SheetNumber subtract(const SheetNumber &a, const SheetNumber &b);
SheetNumber multiply(const SheetNumber &a, const SheetNumber &b);
SheetNumber divide(const SheetNumber &a, const SheetNumber &b);
// The remainder with the sign of the dividend, as "%" in the variable coordinates.
SheetNumber remainder(const SheetNumber &a, const SheetNumber &b);
SheetNumber power(const SheetNumber &base, const SheetNumber &exponent);
SheetNumber negate(const SheetNumber &a);

// `value` rounded to `digits` decimals (negative: to tens, hundreds ...): half away from zero,
// down (towards minus infinity) or up; the result is exact.
enum class Rounding { HalfAwayFromZero, Down, Up };
mpq_class roundTo(const mpq_class &value, long digits, Rounding rounding);

// Decimal text of `value` with `digits` significant digits, trailing zeros dropped.
QString significantText(const mpq_class &value, int digits, QChar separator);

} // namespace Formula
