#include "logic/formula/SheetNumber.h"

#include "logic/common/QuarvelError.h"

namespace Formula {

namespace {

// Decimal digits are about bits * log10(2); a little over that bound is refused.
constexpr size_t kMaxBits = size_t(kMaxSheetDigits) * 3322 / 1000 + 64;

mpz_class powerOfTen(unsigned long exponent)
{
    mpz_class result;
    mpz_ui_pow_ui(result.get_mpz_t(), 10, exponent);
    return result;
}

void checkSize(const mpq_class &value)
{
    if (mpz_sizeinbase(value.get_num_mpz_t(), 2) > kMaxBits ||
        mpz_sizeinbase(value.get_den_mpz_t(), 2) > kMaxBits)
        throw QuarvelError(
            QStringLiteral("Das Ergebnis hätte mehr als %1 Stellen.").arg(kMaxSheetDigits));
}

bool bothExact(const SheetNumber &a, const SheetNumber &b)
{
    return a.isExact() && b.isExact();
}

void refuseText(const SheetNumber &a)
{
    if (a.isText())
        throw QuarvelError(QStringLiteral("Mit dem Text „%1“ kann nicht gerechnet werden; ein "
                                          "Text ist Argument von bww, laenge, rom, vanity oder "
                                          "zeichen.")
                               .arg(a.textValue()));
}

template<class Operation>
SheetNumber approximately(const SheetNumber &a, const SheetNumber &b, Operation operation,
                          const QString &what)
{
    Real result;
    operation(result.get(), a.real().get(), b.real().get(), MPFR_RNDN);
    return SheetNumber::approximate(result, what);
}

// Half away from zero: the whole number nearest to numerator/denominator (denominator > 0).
mpz_class roundHalfAway(const mpz_class &numerator, const mpz_class &denominator)
{
    mpz_class magnitude = abs(numerator) * 2 + denominator;
    mpz_class quotient;
    mpz_fdiv_q(quotient.get_mpz_t(), magnitude.get_mpz_t(), mpz_class(denominator * 2).get_mpz_t());
    return numerator < 0 ? mpz_class(-quotient) : quotient;
}

QString groupedText(const QString &digits, long exponent, bool negative, QChar separator)
{
    // `digits` without trailing zeros stand for d.ddd * 10^exponent.
    QString text;
    if (exponent >= kSignificantDigits || exponent < -20) {
        text = digits.left(1);
        if (digits.size() > 1)
            text += separator + digits.mid(1);
        text += QStringLiteral("e%1").arg(exponent);
    } else if (exponent < 0) {
        text = QStringLiteral("0") + separator + QString(int(-exponent - 1), u'0') + digits;
    } else if (digits.size() <= exponent + 1) {
        text = digits + QString(int(exponent + 1 - digits.size()), u'0');
    } else {
        text = digits.left(exponent + 1) + separator + digits.mid(exponent + 1);
    }
    return negative ? u'-' + text : text;
}

} // namespace

Real::Real()
{
    mpfr_init2(m_value, kPrecision);
    mpfr_set_zero(m_value, 1);
}

Real::Real(const mpq_class &value)
{
    mpfr_init2(m_value, kPrecision);
    mpfr_set_q(m_value, value.get_mpq_t(), MPFR_RNDN);
}

Real::Real(const Real &other)
{
    mpfr_init2(m_value, kPrecision);
    mpfr_set(m_value, other.m_value, MPFR_RNDN);
}

Real &Real::operator=(const Real &other)
{
    mpfr_set(m_value, other.m_value, MPFR_RNDN);
    return *this;
}

Real::~Real()
{
    mpfr_clear(m_value);
}

SheetNumber SheetNumber::exact(mpq_class value)
{
    value.canonicalize();
    checkSize(value);
    SheetNumber number;
    number.m_exact = std::move(value);
    return number;
}

SheetNumber SheetNumber::approximate(const Real &value, const QString &what)
{
    if (mpfr_nan_p(value.get()))
        throw QuarvelError(QStringLiteral("%1 ist hier nicht definiert.").arg(what));
    if (mpfr_inf_p(value.get()))
        throw QuarvelError(QStringLiteral("%1 ergibt hier keine endliche Zahl.").arg(what));
    // The binary exponent bounds the decimal digits, as for exact values.
    if (!mpfr_zero_p(value.get()) && std::labs(mpfr_get_exp(value.get())) > long(kMaxBits))
        throw QuarvelError(QStringLiteral("Das Ergebnis liegt außerhalb von 10^-%1 bis 10^%1.")
                               .arg(kMaxSheetDigits));
    SheetNumber number;
    number.m_kind = Kind::Approximate;
    number.m_real = value;
    return number;
}

SheetNumber SheetNumber::text(QString value)
{
    SheetNumber number;
    number.m_kind = Kind::Text;
    number.m_text = std::move(value);
    return number;
}

SheetNumber SheetNumber::fromDecimal(const QString &digits)
{
    QString text = digits;
    text.replace(u',', u'.');
    const qsizetype point = text.indexOf(u'.');
    const QString fraction = point < 0 ? QString() : text.mid(point + 1);
    const QString whole = point < 0 ? text : text.left(point);
    mpz_class numerator((whole + fraction).toStdString(), 10);
    return exact(mpq_class(numerator, powerOfTen(static_cast<unsigned long>(fraction.size()))));
}

int SheetNumber::sign() const
{
    refuseText(*this);
    return m_kind == Kind::Exact ? sgn(m_exact) : mpfr_sgn(m_real.get());
}

bool SheetNumber::isInteger() const
{
    if (m_kind == Kind::Text)
        return false;
    return m_kind == Kind::Exact ? m_exact.get_den() == 1 : mpfr_integer_p(m_real.get()) != 0;
}

mpq_class SheetNumber::rational() const
{
    refuseText(*this);
    if (m_kind == Kind::Exact)
        return m_exact;
    mpq_class value;
    mpfr_get_q(value.get_mpq_t(), m_real.get());
    return value;
}

Real SheetNumber::real() const
{
    refuseText(*this);
    return m_kind == Kind::Exact ? Real(m_exact) : m_real;
}

mpz_class SheetNumber::integer(const QString &what) const
{
    if (!isInteger())
        throw QuarvelError(
            isText()
                ? QStringLiteral("%1 erwartet eine Zahl, keinen Text.").arg(what)
                : QStringLiteral("%1 erwartet eine ganze Zahl, nicht %2.").arg(what, toText(u',')));
    return rational().get_num();
}

long SheetNumber::smallInteger(const QString &what, long minimum, long maximum) const
{
    const mpz_class value = integer(what);
    if (value < minimum || value > maximum)
        throw QuarvelError(QStringLiteral("%1 erwartet eine ganze Zahl von %2 bis %3, nicht %4.")
                               .arg(what)
                               .arg(minimum)
                               .arg(maximum)
                               .arg(QString::fromStdString(value.get_str())));
    return value.get_si();
}

QString SheetNumber::toText(QChar separator) const
{
    if (m_kind == Kind::Text)
        return u'"' + m_text + u'"';
    if (m_kind == Kind::Approximate)
        return significantText(rational(), kSignificantDigits, separator);
    if (m_exact.get_den() == 1)
        return QString::fromStdString(m_exact.get_str());
    // A fraction whose denominator has no prime factors but 2 and 5 ends: shown in full when
    // it ends within the shown decimals.
    mpz_class rest = m_exact.get_den();
    unsigned long twos = mpz_remove(rest.get_mpz_t(), rest.get_mpz_t(), mpz_class(2).get_mpz_t());
    unsigned long fives = mpz_remove(rest.get_mpz_t(), rest.get_mpz_t(), mpz_class(5).get_mpz_t());
    const unsigned long decimals = std::max(twos, fives);
    if (rest == 1 && decimals <= unsigned(kSignificantDigits)) {
        const mpz_class scaled = m_exact.get_num() * powerOfTen(decimals) / m_exact.get_den();
        QString digits = QString::fromStdString(mpz_class(abs(scaled)).get_str());
        if (digits.size() <= qsizetype(decimals))
            digits = QString(qsizetype(decimals) + 1 - digits.size(), u'0') + digits;
        QString text = digits.left(digits.size() - qsizetype(decimals)) + separator +
            digits.right(qsizetype(decimals));
        return scaled < 0 ? u'-' + text : text;
    }
    return significantText(m_exact, kSignificantDigits, separator);
}

QString SheetNumber::roundedText() const
{
    if (m_kind == Kind::Text)
        return {};
    const mpq_class value = rational();
    return QString::fromStdString(roundHalfAway(value.get_num(), value.get_den()).get_str());
}

QString significantText(const mpq_class &value, int digits, QChar separator)
{
    if (sgn(value) == 0)
        return QStringLiteral("0");
    const mpz_class magnitude = abs(value.get_num());
    const mpz_class &denominator = value.get_den();
    // The decimal exponent: 10^e <= |value| < 10^(e+1).
    long exponent = long(mpz_sizeinbase(magnitude.get_mpz_t(), 10)) -
        long(mpz_sizeinbase(denominator.get_mpz_t(), 10));
    const auto below = [&](long e) { // |value| < 10^e
        return e >= 0 ? magnitude < denominator * powerOfTen(static_cast<unsigned long>(e))
                      : magnitude * powerOfTen(static_cast<unsigned long>(-e)) < denominator;
    };
    while (below(exponent))
        --exponent;
    while (!below(exponent + 1))
        ++exponent;
    mpz_class scaled;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const long shift = digits - 1 - exponent;
        const mpz_class numerator =
            shift >= 0 ? magnitude * powerOfTen(static_cast<unsigned long>(shift)) : magnitude;
        const mpz_class scale = shift >= 0
            ? denominator
            : mpz_class(denominator * powerOfTen(static_cast<unsigned long>(-shift)));
        scaled = roundHalfAway(numerator, scale);
        if (mpz_sizeinbase(scaled.get_mpz_t(), 10) <= size_t(digits) ||
            scaled < powerOfTen(static_cast<unsigned long>(digits)))
            break;
        ++exponent; // 9.99... rounded up to 10.0
    }
    QString text = QString::fromStdString(scaled.get_str());
    while (text.size() > 1 && text.endsWith(u'0'))
        text.chop(1);
    return groupedText(text, exponent, sgn(value) < 0, separator);
}

mpq_class roundTo(const mpq_class &value, long digits, Rounding rounding)
{
    const mpz_class scale = powerOfTen(static_cast<unsigned long>(std::labs(digits)));
    const mpq_class scaled = digits >= 0 ? mpq_class(value * scale) : mpq_class(value / scale);
    mpz_class whole;
    if (rounding == Rounding::HalfAwayFromZero)
        whole = roundHalfAway(scaled.get_num(), scaled.get_den());
    else if (rounding == Rounding::Down)
        mpz_fdiv_q(whole.get_mpz_t(), scaled.get_num_mpz_t(), scaled.get_den_mpz_t());
    else
        mpz_cdiv_q(whole.get_mpz_t(), scaled.get_num_mpz_t(), scaled.get_den_mpz_t());
    mpq_class result = digits >= 0 ? mpq_class(whole, scale) : mpq_class(whole * scale);
    result.canonicalize();
    return result;
}

SheetNumber add(const SheetNumber &a, const SheetNumber &b)
{
    refuseText(a), refuseText(b);
    if (bothExact(a, b))
        return SheetNumber::exact(a.rational() + b.rational());
    return approximately(a, b, mpfr_add, QStringLiteral("Die Summe"));
}

SheetNumber subtract(const SheetNumber &a, const SheetNumber &b)
{
    refuseText(a), refuseText(b);
    if (bothExact(a, b))
        return SheetNumber::exact(a.rational() - b.rational());
    return approximately(a, b, mpfr_sub, QStringLiteral("Die Differenz"));
}

SheetNumber multiply(const SheetNumber &a, const SheetNumber &b)
{
    refuseText(a), refuseText(b);
    if (bothExact(a, b))
        return SheetNumber::exact(a.rational() * b.rational());
    return approximately(a, b, mpfr_mul, QStringLiteral("Das Produkt"));
}

SheetNumber divide(const SheetNumber &a, const SheetNumber &b)
{
    refuseText(a), refuseText(b);
    if (b.sign() == 0)
        throw QuarvelError(QStringLiteral("Division durch null."));
    if (bothExact(a, b))
        return SheetNumber::exact(a.rational() / b.rational());
    return approximately(a, b, mpfr_div, QStringLiteral("Der Quotient"));
}

SheetNumber remainder(const SheetNumber &a, const SheetNumber &b)
{
    refuseText(a), refuseText(b);
    if (b.sign() == 0)
        throw QuarvelError(QStringLiteral("Rest einer Division durch null."));
    // a - b * trunc(a / b), exact for exact operands.
    const mpq_class quotient = a.rational() / b.rational();
    mpz_class whole;
    mpz_tdiv_q(whole.get_mpz_t(), quotient.get_num_mpz_t(), quotient.get_den_mpz_t());
    if (bothExact(a, b))
        return SheetNumber::exact(a.rational() - b.rational() * whole);
    return subtract(a, multiply(b, SheetNumber::exact(whole)));
}

SheetNumber negate(const SheetNumber &a)
{
    refuseText(a);
    if (a.isExact())
        return SheetNumber::exact(mpq_class(-a.rational()));
    Real result;
    mpfr_neg(result.get(), a.real().get(), MPFR_RNDN);
    return SheetNumber::approximate(result, QStringLiteral("Das Vorzeichen"));
}

} // namespace Formula
