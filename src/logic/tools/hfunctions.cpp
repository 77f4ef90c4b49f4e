#include "logic/tools/hfunctions.h"

#include "logic/common/Numbers.h"
#include "logic/tools/PositionalNumerals.h"

#include <array>
#include <cmath>

namespace hfunctions {
namespace {

int binaryDigit(QChar c)
{
    return c == u'1' ? 1 : 0;
}

// Octal digits are read as one-character decimal integers, so "8" and "9" pass.
int octalDigit(QChar c)
{
    return IsDigit(c) ? c.unicode() - u'0' : -1;
}

struct RomanSymbol
{
    const char16_t *symbol;
    int32_t value;
};

// Writing goes from M down to I with each pair ahead of the letter below it.
constexpr std::array<RomanSymbol, 13> kWriteOrder {{{u"M", 1000},
                                                    {u"CM", 900},
                                                    {u"D", 500},
                                                    {u"CD", 400},
                                                    {u"C", 100},
                                                    {u"XC", 90},
                                                    {u"L", 50},
                                                    {u"XL", 40},
                                                    {u"X", 10},
                                                    {u"IX", 9},
                                                    {u"V", 5},
                                                    {u"IV", 4},
                                                    {u"I", 1}}};

// Reading takes each pair before the single letter it contains, so "CM" counts 900 once
// instead of 100 + 1000.
constexpr std::array<RomanSymbol, 13> kReadOrder {{{u"CM", 900},
                                                   {u"M", 1000},
                                                   {u"CD", 400},
                                                   {u"D", 500},
                                                   {u"XC", 90},
                                                   {u"C", 100},
                                                   {u"XL", 40},
                                                   {u"L", 50},
                                                   {u"IX", 9},
                                                   {u"X", 10},
                                                   {u"IV", 4},
                                                   {u"V", 5},
                                                   {u"I", 1}}};

constexpr long double kCmPerInch = 2.54L;
constexpr long double kCmPerFoot = 30.48L;
constexpr long double kInchesPerFoot = 12.0L;
constexpr long double kCmPerMetre = 100.0L;

} // namespace

int32_t Bin2Int(const QString &text)
{
    uint32_t pattern = 0;
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const qsizetype bit = length - 1 - i;
        if (text.at(i) == u'1' && bit < 32)
            pattern |= uint32_t(1) << bit;
    }
    return static_cast<int32_t>(pattern);
}

QString Bin2Dez(const QString &text)
{
    return PositionalNumerals::toDecimal(text, 2, binaryDigit);
}

QString Hex2Dez(const QString &text)
{
    return PositionalNumerals::toDecimal(text, 16, Numbers::hexDigitValue);
}

QString Okt2Dez(const QString &text)
{
    return PositionalNumerals::toDecimal(text, 8, octalDigit);
}

int64_t IntPow(int64_t base, int exponent)
{
    // Unsigned products wrap instead of overflowing; the bit pattern is that of 64-bit
    // two's-complement arithmetic.
    if (exponent <= 0)
        return 1;
    if (exponent == 1)
        return base;
    if (exponent % 2 == 0) {
        const auto p = static_cast<uint64_t>(IntPow(base, exponent / 2));
        return static_cast<int64_t>(p * p);
    }
    return static_cast<int64_t>(static_cast<uint64_t>(IntPow(base, exponent - 1)) *
                                static_cast<uint64_t>(base));
}

QString OnlyDigits(const QString &text)
{
    QString digits;
    digits.reserve(text.size());
    for (const QChar c : text) {
        if (IsDigit(c))
            digits += c;
    }
    return digits;
}

QString Quersumme(const QString &text)
{
    int64_t sum = 0;
    for (const QChar c : text) {
        if (!IsDigit(c))
            Numbers::throwNotAnInteger(QString(c));
        sum += c.unicode() - u'0';
    }
    return QString::number(sum);
}

int32_t CountNonBlank(const QString &text)
{
    return int32_t(text.size() - text.count(u' '));
}

int32_t CountWords(const QString &text)
{
    int32_t count = 0;
    bool inWord = false;
    for (const QChar c : text) {
        const bool separator = IsWordSeparator(c);
        if (!separator && !inWord)
            ++count;
        inWord = !separator;
    }
    return count;
}

bool IsWordSeparator(QChar c)
{
    constexpr uint64_t kSeparators = ((uint64_t(1) << 33) - 1) | (uint64_t(1) << '(') |
        (uint64_t(1) << ')') | (uint64_t(1) << ',') | (uint64_t(1) << '.') | (uint64_t(1) << '/') |
        (uint64_t(1) << ':') | (uint64_t(1) << ';') | (uint64_t(1) << '?');
    const char16_t u = c.unicode();
    return u < 64 && (kSeparators >> u) & 1;
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsHexDigit(QChar c)
{
    return Numbers::hexDigitValue(c) >= 0;
}

bool IsBinDigit(QChar c)
{
    return c == u'0' || c == u'1';
}

bool IsOctDigit(QChar c)
{
    return c >= u'0' && c <= u'7';
}

bool IsInteger(const QString &text)
{
    return Numbers::isInteger(text);
}

QString Dez2Roem(int32_t n)
{
    QString roman;
    for (const RomanSymbol &entry : kWriteOrder) {
        if (n >= entry.value) {
            const int32_t times = n / entry.value;
            roman += QString::fromUtf16(entry.symbol).repeated(times);
            n -= times * entry.value;
        }
    }
    return roman;
}

int64_t Roem2Dez(const QString &text)
{
    QString rest = text;
    int64_t total = 0;
    for (const RomanSymbol &entry : kReadOrder)
        TakeRoman(rest, total, QString::fromUtf16(entry.symbol), entry.value);
    return total;
}

void TakeRoman(QString &text, int64_t &total, const QString &symbol, int32_t value)
{
    if (symbol.size() == 1) {
        const qsizetype found = text.count(symbol.at(0));
        total += int64_t(found) * value;
        text.remove(symbol.at(0));
        return;
    }
    // A two-letter symbol of two different letters: taking one occurrence out can join the
    // letters around it into the next, as in "CCMM". Copying the text over while dropping a
    // pair as soon as its second letter arrives takes out exactly what repeated searching and
    // deleting would, in one pass.
    const QChar first = symbol.at(0);
    const QChar second = symbol.at(1);
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (c == second && !kept.isEmpty() && kept.back() == first) {
            kept.chop(1);
            total += value;
        } else {
            kept += c;
        }
    }
    text = kept;
}

FeetInch Meter2FeetInch(long double metres)
{
    FeetInch result;
    result.feet = metres * kCmPerMetre / kCmPerFoot;
    result.inches = result.feet * kInchesPerFoot;
    // truncl instead of a 64-bit integer: the same for every length a 64-bit integer holds,
    // and defined beyond it.
    result.wholeFeet = std::trunc(result.feet);
    result.remainingInches = (result.feet - result.wholeFeet) * kInchesPerFoot;
    return result;
}

long double FeetInch2Meter(long double feet, long double inches)
{
    long double metres = 0;
    if (feet > 0)
        metres = feet * kCmPerFoot / kCmPerMetre;
    if (inches > 0)
        metres += inches * kCmPerInch / kCmPerMetre;
    return metres;
}

} // namespace hfunctions
