#include "logic/tools/hfunctions.h"
#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace hfunctions;

namespace {

struct TextCase
{
    const char16_t *input;
    const char16_t *expected;
};

QString q(const char16_t *text)
{
    return QString::fromUtf16(text);
}

// The message of the integer conversion error that `call` raises, or "" when it raises none.
QString errorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const QuarvelError &error) {
        return error.message();
    }
    return QString();
}

QString notAnInteger(const QString &text)
{
    return QStringLiteral("''%1'' ist kein gültiger Integer-Wert").arg(text);
}

} // namespace

TEST(Hfunctions, ConvertsNumeralsToDecimalText)
{
    struct Case
    {
        QString (*convert)(const QString &);
        const char16_t *input;
        const char16_t *expected;
    };
    const Case cases[] = {
        {Bin2Dez, u"1010", u"10"},
        {Bin2Dez, u"00000001", u"1"},
        {Bin2Dez, u"1x1", u"5"},
        {Bin2Dez, u"", u"0"},
        {Bin2Dez, u"1111111111111111111111111111111", u"2147483647"},
        {Bin2Dez, u"11111111111111111111111111111111", u"4294967295"},
        // 40 binary digits
        {Bin2Dez, u"1010101010101010101010101010101010101010", u"733007751850"},
        {Hex2Dez, u"ff", u"255"},
        {Hex2Dez, u"FF", u"255"},
        {Hex2Dez, u"7FFFFFFFFFFFFFFF", u"9223372036854775807"},
        {Hex2Dez, u"FFFFFFFF", u"4294967295"},
        {Hex2Dez, u"0000ff", u"255"},
        {Hex2Dez, u"", u"0"},
        {Hex2Dez, u"FFFFFFFFFFFFFFFF", u"18446744073709551615"},
        // 20 hexadecimal digits
        {Hex2Dez, u"123456789ABCDEF01234", u"85968058283706962416180"},
        {Okt2Dez, u"777", u"511"},
        {Okt2Dez, u"19", u"17"},
        {Okt2Dez, u"", u"0"},
        // 30 octal digits
        {Okt2Dez, u"123456701234567012345670123456", u"202111984851340648708613934"},
        {Okt2Dez, u"777777777777777777777", u"9223372036854775807"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(q(c.input).toStdString());
        EXPECT_EQ(c.convert(q(c.input)), q(c.expected));
    }
}

TEST(Hfunctions, LongNumeralsConvertExactly)
{
    // 2^200 in each base; 64-bit arithmetic would lose it.
    const QString twoTo200 =
        QStringLiteral("1606938044258990275541962092341162602522202993782792835301376");
    EXPECT_EQ(Bin2Dez(u'1' + QString(200, u'0')), twoTo200);
    EXPECT_EQ(Hex2Dez(u'1' + QString(50, u'0')), twoTo200);
    EXPECT_EQ(Okt2Dez(u'4' + QString(66, u'0')), twoTo200);
    // Every prefix length of a long numeral, so each split into conversion steps is met.
    QString binary;
    for (int length = 1; length <= 70; ++length) {
        binary += u'1';
        SCOPED_TRACE(length);
        // 2^length - 1 in hexadecimal: a leading digit 1, 3, 7 then F's.
        const QString hex =
            QString(QChar(u"137F"[(length - 1) % 4])) + QString((length - 1) / 4, u'F');
        EXPECT_EQ(Bin2Dez(binary), Hex2Dez(hex));
    }
}

TEST(Hfunctions, OctalEightAndNineWeighTheirValueAtAnyLength)
{
    // An "8" or "9" is worth 8 or 9 times its place, which the digits "10" or "11" one place
    // further left write in plain octal; checked past a thousand digits.
    const struct
    {
        QString heavy;
        QString plain;
    } cases[] = {
        {QStringLiteral("9") + QString(1200, u'0'), QStringLiteral("11") + QString(1200, u'0')},
        {QStringLiteral("8") + QString(1200, u'7'), QStringLiteral("10") + QString(1200, u'7')},
        // Each 9 is 8 + 1: a 1 carried one place up plus a 1 in place.
        {QStringLiteral("7") + QString(1200, u'9'),
         QStringLiteral("10") + QString(1199, u'2') + QStringLiteral("1")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.heavy.left(3).toStdString());
        EXPECT_EQ(Okt2Dez(c.heavy), Okt2Dez(c.plain));
    }
}

TEST(Hfunctions, RejectedCharactersNameThemselves)
{
    const struct
    {
        QString (*convert)(const QString &);
        const char16_t *input;
        const char16_t *culprit;
    } cases[] = {
        {Okt2Dez, u"7a", u"a"},   {Okt2Dez, u"1 2", u" "},  {Hex2Dez, u"1G", u"G"},
        {Hex2Dez, u"ff-x", u"-"}, {Quersumme, u"-1", u"-"}, {Quersumme, u"12a3b", u"a"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(q(c.input).toStdString());
        EXPECT_EQ(errorOf([&] { c.convert(q(c.input)); }), notAnInteger(q(c.culprit)));
    }
}

TEST(Hfunctions, Bin2IntKeepsTheLow32Bits)
{
    EXPECT_EQ(Bin2Int(QStringLiteral("1010")), 10);
    EXPECT_EQ(Bin2Int(QString()), 0);
    EXPECT_EQ(Bin2Int(u'1' + QString(31, u'0')), INT32_MIN);
    EXPECT_EQ(Bin2Int(QStringLiteral("1") + QString(32, u'0') + QStringLiteral("11")), 3);
}

TEST(Hfunctions, IntPowSquaresAndMultiplies)
{
    EXPECT_EQ(IntPow(16, 0), 1);
    EXPECT_EQ(IntPow(16, 1), 16);
    EXPECT_EQ(IntPow(8, 21), INT64_MIN); // 2^63 wraps
    EXPECT_EQ(IntPow(16, 15), int64_t(1) << 60);
    EXPECT_EQ(IntPow(3, 5), 243);
    EXPECT_EQ(IntPow(-2, 3), -8);
}

TEST(Hfunctions, DigitHelpers)
{
    const TextCase digits[] = {{u"a1-b2 3", u"123"},
                               {u"N 54° 23", u"5423"},
                               {u"abc", u""},
                               {u"0007", u"0007"},
                               {u"٣", u""}};
    for (const TextCase &c : digits) {
        SCOPED_TRACE(q(c.input).toStdString());
        EXPECT_EQ(OnlyDigits(q(c.input)), q(c.expected));
    }
    const TextCase sums[] = {{u"99999", u"45"}, {u"0", u"0"}, {u"", u"0"}, {u"1234567890", u"45"}};
    for (const TextCase &c : sums) {
        SCOPED_TRACE(q(c.input).toStdString());
        EXPECT_EQ(Quersumme(q(c.input)), q(c.expected));
    }
}

TEST(Hfunctions, CharacterClasses)
{
    const QString all = QStringLiteral("09afAFgG78 ");
    const struct
    {
        bool (*test)(QChar);
        const char *accepted; // one flag per character of `all`
    } cases[] = {
        {IsDigit, "11000000110"},
        {IsHexDigit, "11111100110"},
        {IsBinDigit, "10000000000"},
        {IsOctDigit, "10000000100"},
    };
    for (const auto &c : cases) {
        for (qsizetype i = 0; i < all.size(); ++i) {
            SCOPED_TRACE(QString(all.at(i)).toStdString());
            EXPECT_EQ(c.test(all.at(i)), c.accepted[i] == '1');
        }
    }
    EXPECT_FALSE(IsHexDigit(QChar(u'Ａ'))); // full-width letters are no digits
}

TEST(Hfunctions, WordSeparatorsAreExactlyTheListedCodes)
{
    const QString separators = QStringLiteral("(),./:;?");
    for (char16_t u = 0; u < 300; ++u) {
        SCOPED_TRACE(int(u));
        EXPECT_EQ(IsWordSeparator(QChar(u)), u <= 32 || separators.contains(QChar(u)));
    }
}

TEST(Hfunctions, CountsCharactersAndWords)
{
    const struct
    {
        const char16_t *text;
        int32_t nonBlank;
        int32_t words;
    } cases[] = {
        {u"Hallo Welt", 9, 2}, {u"  a,b;c  ", 5, 3}, {u"x-y", 3, 1},  {u"!", 1, 1},
        {u"...", 3, 0},        {u"", 0, 0},          {u"    ", 0, 0}, {u"a(b)c", 5, 3},
        {u"a\tb", 3, 2},       {u"a,b", 3, 2},       {u"N 47", 3, 2}, {u"a\nb\r\nc", 6, 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(q(c.text).toStdString());
        EXPECT_EQ(CountNonBlank(q(c.text)), c.nonBlank);
        EXPECT_EQ(CountWords(q(c.text)), c.words);
    }
}

TEST(Hfunctions, IsIntegerFollowsTheIntegerSyntax)
{
    const struct
    {
        const char16_t *text;
        bool integer;
    } cases[] = {{u"12", true},          {u"  -7", true}, {u"$A", true},         {u"0x1f", true},
                 {u"2147483647", true},  {u"", false},    {u"1,5", false},       {u"12 ", false},
                 {u"3000000000", false}, {u"-", false},   {u"2147483648", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(q(c.text).toStdString());
        EXPECT_EQ(IsInteger(q(c.text)), c.integer);
    }
}

TEST(Hfunctions, RomanNumeralsBothWays)
{
    const struct
    {
        int32_t number;
        const char16_t *roman;
    } writes[] = {{1994, u"MCMXCIV"},    {4, u"IV"},        {3999, u"MMMCMXCIX"},
                  {5000, u"MMMMM"},      {0, u""},          {-5, u""},
                  {49, u"XLIX"},         {2024, u"MMXXIV"}, {444, u"CDXLIV"},
                  {888, u"DCCCLXXXVIII"}};
    for (const auto &c : writes) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(Dez2Roem(c.number), q(c.roman));
    }
    const struct
    {
        const char16_t *roman;
        int64_t number;
    } reads[] = {{u"MCMXCIV", 1994}, {u"IIII", 4}, {u"VX", 15},     {u"IM", 1001},
                 {u"MMXXIV", 2024},  {u"XaX", 20}, {u"abc", 0},     {u"", 0},
                 {u"XLIX", 49},      {u"xiv", 0},  {u"ROMA", 1000}, {u"CCMM", 1800},
                 {u"IXIX", 18}};
    for (const auto &c : reads) {
        SCOPED_TRACE(q(c.roman).toStdString());
        EXPECT_EQ(Roem2Dez(q(c.roman)), c.number);
    }
    for (int32_t n = 1; n <= 4000; ++n)
        ASSERT_EQ(Roem2Dez(Dez2Roem(n)), n);
}

TEST(Hfunctions, TakeRomanMatchesRepeatedSearchAndDelete)
{
    // The one-pass removal must take out what "find the first occurrence, delete it, repeat"
    // takes out, including pairs that only meet after a deletion.
    auto slowly = [](QString text, int64_t &total, const QString &symbol, int32_t value) {
        for (qsizetype at = text.indexOf(symbol); at >= 0; at = text.indexOf(symbol)) {
            total += value;
            text.remove(at, symbol.size());
        }
        return text;
    };
    std::mt19937 random(4711);
    const QString letters = QStringLiteral("CMXa");
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int length = int(random() % 14);
        for (int i = 0; i < length; ++i)
            text += letters.at(qsizetype(random() % letters.size()));
        for (const QString &symbol : {QStringLiteral("CM"), QStringLiteral("M")}) {
            SCOPED_TRACE(text.toStdString());
            int64_t expectedTotal = 7;
            const QString expectedRest = slowly(text, expectedTotal, symbol, 900);
            int64_t total = 7;
            QString rest = text;
            TakeRoman(rest, total, symbol, 900);
            ASSERT_EQ(rest, expectedRest);
            ASSERT_EQ(total, expectedTotal);
        }
    }
}

TEST(Hfunctions, RomanTotalsDoNotWrap)
{
    EXPECT_EQ(Roem2Dez(QString(2200000, u'M')), int64_t(2200000000));
}

TEST(Hfunctions, LengthConversions)
{
    const auto one = Meter2FeetInch(1.0L);
    EXPECT_NEAR(double(one.feet), 3.28083989501312, 1e-13);
    EXPECT_NEAR(double(one.inches), 39.3700787401575, 1e-12);
    EXPECT_EQ(one.wholeFeet, 3.0L);
    EXPECT_NEAR(double(one.remainingInches), 3.37007874015748, 1e-13);
    const auto negative = Meter2FeetInch(-5.0L);
    EXPECT_EQ(negative.wholeFeet, -16.0L);
    EXPECT_LT(negative.remainingInches, 0.0L);
    const auto huge = Meter2FeetInch(1e30L);
    EXPECT_EQ(huge.wholeFeet, huge.feet); // no fraction left, and no 64-bit overflow

    const struct
    {
        long double feet, inches, metres;
    } back[] = {{1, 0, 0.3048L}, {0, 1, 0.0254L},   {0, 0, 0},  {-3, 6, 0.1524L},
                {6, 2, 1.8796L}, {-1, 12, 0.3048L}, {-1, -1, 0}};
    for (const auto &c : back) {
        SCOPED_TRACE(double(c.feet));
        EXPECT_NEAR(double(FeetInch2Meter(c.feet, c.inches)), double(c.metres), 1e-15);
    }
}
