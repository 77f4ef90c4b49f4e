#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

QString messageOf(const std::function<void()> &body)
{
    try {
        body();
    } catch (const QuarvelError &e) {
        return e.message();
    }
    return {};
}

} // namespace

TEST(IntegerSyntax, AcceptedForms)
{
    const struct
    {
        const char *text;
        int32_t value;
    } cases[] = {
        {"0", 0},
        {"42", 42},
        {"   42", 42},
        {"+7", 7},
        {"-7", -7},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$FF", 255},
        {"$ff", 255},
        {"xFF", 255},
        {"XfF", 255},
        {"0x10", 16},
        {"0X10", 16},
        {"$FFFFFFFF", -1}, // a 32-bit pattern
        {"$80000000", INT32_MIN},
        {"-$10", -16},
        {"$000000001", 1}, // leading zeros do not count as bits
        {"007", 7},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const auto value = Numbers::tryStrToInt(QString::fromUtf8(c.text));
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, c.value);
        EXPECT_TRUE(Numbers::isInteger(QString::fromUtf8(c.text)));
    }
}

TEST(IntegerSyntax, RejectedFormsNameTheTextWithTwoApostrophes)
{
    const char *cases[] = {"",
                           " ",
                           "+",
                           "-",
                           "$",
                           "0x",
                           "12 ",
                           "1,5",
                           "1.5",
                           "2147483648",
                           "-2147483649",
                           "$100000000",
                           "12a",
                           "a",
                           "\t1",
                           "--1",
                           "1e3",
                           "$G",
                           "99999999999999999999"};
    for (const char *text : cases) {
        SCOPED_TRACE(text);
        const QString t = QString::fromUtf8(text);
        EXPECT_FALSE(Numbers::tryStrToInt(t).has_value());
        EXPECT_FALSE(Numbers::isInteger(t));
        EXPECT_EQ(messageOf([&] { Numbers::strToInt(t); }),
                  QStringLiteral("''%1'' ist kein gültiger Integer-Wert").arg(t));
    }
}

TEST(DecimalSyntax, AcceptedForms)
{
    const struct
    {
        const char *text;
        long double value;
    } cases[] = {
        {"1,5", 1.5L},      {"  -2,25  ", -2.25L}, {"+3", 3.0L}, {"1,5E3", 1500.0L},
        {"1,5e-2", 0.015L}, {"7,", 7.0L},          {",5", 0.5L}, {"3000000000", 3000000000.0L},
        {"0", 0.0L},        {"2E+2", 200.0L},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const auto value = Numbers::tryStrToFloat(QString::fromUtf8(c.text));
        ASSERT_TRUE(value.has_value());
        EXPECT_NEAR(double(*value), double(c.value), 1e-12);
    }
}

TEST(DecimalSyntax, RejectedFormsNameTheTextWithOneApostrophe)
{
    const char *cases[] = {"",   "-",   "1,2,3", "abc",  "1.5", "1 000",
                           "1E", "1E+", ",",     "1,5x", "E5",  "1e5000"};
    for (const char *text : cases) {
        SCOPED_TRACE(text);
        const QString t = QString::fromUtf8(text);
        EXPECT_FALSE(Numbers::tryStrToFloat(t).has_value());
        EXPECT_EQ(messageOf([&] { Numbers::strToFloat(t); }),
                  QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(t));
    }
}

TEST(GeneralFormat, FifteenSignificantDigitsWithDecimalComma)
{
    const long double feet = 100.0L / 30.48L;
    const struct
    {
        long double value;
        const char *text;
    } cases[] = {
        {0.0L, "0"},
        {1.0L, "1"},
        {-1.5L, "-1,5"},
        {feet, "3,28083989501312"},
        {feet * 12, "39,3700787401575"},
        {-5.0L * 100.0L / 30.48L * 12, "-196,850393700787"},
        {6 * 30.48L / 100 + 2 * 2.54L / 100, "1,8796"},
        {30.48L / 100, "0,3048"},
        {0.0001L, "0,0001"},
        {0.00001L, "1E-5"},
        {0.000015L, "1,5E-5"},
        {123456789012345.0L, "123456789012345"},
        {1e15L, "1E15"},
        {-2.5e20L, "-2,5E20"},
        {0.1L + 0.2L, "0,3"},
        {999999999999999.9L, "1E15"},
        {2.0L / 3.0L, "0,666666666666667"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Numbers::floatToStr(c.value), QString::fromUtf8(c.text));
    }
}

TEST(FixedFormats, ThreeAndTwoDecimalsRoundHalvesAwayFromZero)
{
    const struct
    {
        long double value;
        const char *three;
        const char *two;
    } cases[] = {
        {0.0L, "0,000", "0,00"},      {23.65L, "23,650", "23,65"},  {0.0005L, "0,001", "0,00"},
        {-0.0005L, "-0,001", "0,00"}, // no negative zero
        {2.0005L, "2,001", "2,00"},   {0.125L, "0,125", "0,13"},    {-0.125L, "-0,125", "-0,13"},
        {9.9996L, "10,000", "10,00"}, {40.181L, "40,181", "40,18"}, {0.0004L, "0,000", "0,00"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.three);
        EXPECT_EQ(Numbers::formatFloat000(c.value), QString::fromUtf8(c.three));
        EXPECT_EQ(Numbers::formatFloat00(c.value), QString::fromUtf8(c.two));
    }
}

TEST(GroupedFormat, GermanThousandsSeparator)
{
    const struct
    {
        long double value;
        const char *text;
    } cases[] = {
        {67108864.0L / 1024, "65.536"},
        {0.0L, "0"},
        {999.0L, "999"},
        {1000.0L, "1.000"},
        {1234567.4L, "1.234.567"},
        {2.5L, "3"},
        {-1234.5L, "-1.235"},
        {4294967295.0L / 1024, "4.194.304"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Numbers::formatGrouped(c.value), QString::fromUtf8(c.text));
    }
}
