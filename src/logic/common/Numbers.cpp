#include "logic/common/Numbers.h"

#include "logic/common/QuarvelError.h"

#include <QRegularExpression>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>

namespace Numbers {
namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A finite value as decimal digits: value = ±0.d1d2d3... × 10^exponent. The digits are the
// value correctly rounded to 18 significant digits, the precision of the 80-bit format; every
// further rounding starts from these digits and goes half away from zero.
struct Decimal
{
    bool negative = false;
    QString digits; // no leading zero; empty means the value zero
    int exponent = 0;
};

// std::to_chars never looks at the process locale, which Qt sets from the environment: under
// a German locale printf would write "3,28..." and the digits would come out wrong.
Decimal toDecimal(long double value)
{
    Decimal d;
    d.negative = std::signbit(value) && value != 0.0L;
    if (value == 0.0L)
        return d;
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, 17);
    // buffer holds "d.ddddddddddddddddde+XX" or "d.ddddddddddddddddde-XXXX"
    const QString text = QString::fromLatin1(buffer, written.ptr - buffer);
    const qsizetype ePos = text.indexOf(u'e');
    d.digits = text.left(ePos).remove(u'.');
    d.exponent = text.mid(ePos + 1).toInt() + 1; // QString::toInt reads "+05" the C way
    while (d.digits.endsWith(u'0'))
        d.digits.chop(1);
    return d;
}

// The C locale as an object of its own, made once and never changed, for strtold_l: the
// process locale may be German, where strtold stops at the ".". strtold_l keeps strtold's
// handling of huge and tiny values (a value below the smallest normal one still reads).
locale_t cNumericLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    if (locale == locale_t(nullptr))
        throw std::bad_alloc(); // newlocale fails for "C" only when memory runs out
    return locale;
}

// Keeps `keep` digits, rounding the rest half away from zero; a carry may add a digit in front.
void roundToDigits(Decimal &d, int keep)
{
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    if (d.digits.size() <= keep)
        return;
    const bool up = d.digits.at(keep) >= u'5';
    d.digits.truncate(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits.at(i) == u'9') {
            d.digits[i] = u'0';
            --i;
        }
        if (i < 0) {
            d.digits.prepend(u'1');
            ++d.exponent;
        } else {
            d.digits[i] = QChar(d.digits.at(i).unicode() + 1);
        }
    }
    while (d.digits.endsWith(u'0'))
        d.digits.chop(1);
}

QString nonFinite(long double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// Fixed notation with exactly `decimals` places (digits already rounded to fit).
QString fixedText(const Decimal &d, int decimals)
{
    auto digitAt = [&d](int index) {
        return (index >= 0 && index < d.digits.size()) ? d.digits.at(index) : QChar(u'0');
    };
    QString text;
    for (int index = 0; index < d.exponent; ++index)
        text += digitAt(index);
    if (text.isEmpty())
        text = QStringLiteral("0");
    if (decimals > 0) {
        text += u',';
        for (int k = 0; k < decimals; ++k)
            text += digitAt(d.exponent + k);
    }
    if (d.negative && !d.digits.isEmpty())
        text.prepend(u'-');
    return text;
}

Decimal roundedToDecimals(long double value, int decimals)
{
    Decimal d = toDecimal(value);
    roundToDigits(d, d.exponent + decimals);
    return d;
}

} // namespace

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

[[noreturn]] void throwNotAnInteger(const QString &text)
{
    throw QuarvelError(QStringLiteral("''%1'' ist kein gültiger Integer-Wert").arg(text));
}

std::optional<int32_t> tryStrToInt(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    bool hex = false;
    if (i < n && text.at(i) == u'$') {
        hex = true;
        ++i;
    } else if (i < n && (text.at(i) == u'x' || text.at(i) == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text.at(i) == u'0' &&
               (text.at(i + 1) == u'x' || text.at(i + 1) == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return std::nullopt;
    if (hex) {
        uint64_t value = 0;
        for (; i < n; ++i) {
            const int digit = hexDigitValue(text.at(i));
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + uint64_t(digit);
            if (value > 0xFFFFFFFFull)
                return std::nullopt;
        }
        const auto pattern = static_cast<int32_t>(static_cast<uint32_t>(value));
        // Negating the 32-bit pattern wraps as the two's complement does.
        return negative ? static_cast<int32_t>(0u - static_cast<uint32_t>(pattern)) : pattern;
    }
    int64_t value = 0;
    for (; i < n; ++i) {
        if (!isAsciiDigit(text.at(i)))
            return std::nullopt;
        value = value * 10 + (text.at(i).unicode() - u'0');
        if (value > int64_t(std::numeric_limits<int32_t>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min())
        return std::nullopt;
    return static_cast<int32_t>(value);
}

int32_t strToInt(const QString &text)
{
    const auto value = tryStrToInt(text);
    if (!value)
        throwNotAnInteger(text);
    return *value;
}

bool isInteger(const QString &text)
{
    return tryStrToInt(text).has_value();
}

std::optional<long double> tryStrToFloat(const QString &text)
{
    const QString &t = text;
    qsizetype begin = 0;
    qsizetype end = t.size();
    while (begin < end && t.at(begin) == u' ')
        ++begin;
    while (end > begin && t.at(end - 1) == u' ')
        --end;
    QByteArray c;
    qsizetype i = begin;
    if (i < end && (t.at(i) == u'+' || t.at(i) == u'-'))
        c += char(t.at(i++).unicode());
    int digits = 0;
    bool comma = false;
    for (; i < end; ++i) {
        const QChar ch = t.at(i);
        if (isAsciiDigit(ch)) {
            c += char(ch.unicode());
            ++digits;
        } else if (ch == u',' && !comma) {
            comma = true;
            c += '.';
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < end && (t.at(i) == u'e' || t.at(i) == u'E')) {
        c += 'e';
        ++i;
        if (i < end && (t.at(i) == u'+' || t.at(i) == u'-'))
            c += char(t.at(i++).unicode());
        int expDigits = 0;
        for (; i < end && isAsciiDigit(t.at(i)); ++i) {
            c += char(t.at(i).unicode());
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != end)
        return std::nullopt;
    char *parsedEnd = nullptr;
    const long double value = strtold_l(c.constData(), &parsedEnd, cNumericLocale());
    if (parsedEnd != c.constData() + c.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<long double> tryStrToFloatTyped(const QString &text)
{
    // A first group of one to three digits without a leading zero, then groups of exactly three.
    static const QRegularExpression grouped(
        QStringLiteral("^\\s*[+-]?[1-9][0-9]{0,2}(\\.[0-9]{3})+(,[0-9]*)?\\s*$"));
    if (grouped.match(text).hasMatch())
        return tryStrToFloat(QString(text).remove(u'.'));
    if (text.contains(u'.') && text.contains(u','))
        return std::nullopt;
    return tryStrToFloat(QString(text).replace(u'.', u','));
}

long double strToFloat(const QString &text)
{
    const auto value = tryStrToFloat(text);
    if (!value)
        throw QuarvelError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(text));
    return *value;
}

QString floatToStr(long double value)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    Decimal d = toDecimal(value);
    roundToDigits(d, 15);
    if (d.digits.isEmpty())
        return QStringLiteral("0");
    // Fixed for 0.0001 <= |value| < 10^15, i.e. decimal exponents -3 .. 15.
    if (d.exponent > -4 && d.exponent <= 15) {
        const int decimals = std::max<int>(0, int(d.digits.size()) - d.exponent);
        return fixedText(d, decimals);
    }
    QString text = d.negative ? QStringLiteral("-") : QString();
    text += d.digits.at(0);
    if (d.digits.size() > 1)
        text += u',' + d.digits.mid(1);
    text += u'E' + QString::number(d.exponent - 1);
    return text;
}

QString formatFloat000(long double value)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    return fixedText(roundedToDecimals(value, 3), 3);
}

QString formatFloat00(long double value)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    return fixedText(roundedToDecimals(value, 2), 2);
}

QString formatGrouped(long double value)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    const Decimal d = roundedToDecimals(value, 0);
    QString plain = fixedText(d, 0);
    const bool negative = plain.startsWith(u'-');
    if (negative)
        plain.remove(0, 1);
    for (qsizetype pos = plain.size() - 3; pos > 0; pos -= 3)
        plain.insert(pos, u'.');
    return negative ? u'-' + plain : plain;
}

} // namespace Numbers
