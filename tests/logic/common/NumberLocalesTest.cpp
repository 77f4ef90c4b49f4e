#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"
#include "logic/tools/CryptoTools_WortWert.h"
#include "logic/tools/Koordinaten_Unit.h"
#include "logic/tools/hfunctions.h"
#include "logic/update/VersionCheck.h"
#include "support/core/ProcessLocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <memory>

// The number conventions are the program's, not the user's: every case below must give the same
// text under every process locale, German (decimal comma, "." grouping), Swiss (apostrophe
// grouping), French (narrow no-break space), Turkish (dotted and dotless i) and C alike.

namespace {

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

class NumberConventionsUnderLocale : public ::testing::TestWithParam<std::string>
{
protected:
    void SetUp() override
    {
        m_locale = std::make_unique<ScopedProcessLocale>(GetParam());
        if (!m_locale->active())
            GTEST_SKIP() << "the C library has no locale " << GetParam()
                         << " (localedef or the locale sources are missing)";
    }

    void TearDown() override { m_locale.reset(); }

private:
    std::unique_ptr<ScopedProcessLocale> m_locale;
};

TEST_P(NumberConventionsUnderLocale, DecimalTextsReadTheSame)
{
    struct Case
    {
        const char *text;
        long double value;
    };
    const Case cases[] = {
        {"31,249", 31.249L}, {" -1,5E3 ", -1500.0L}, {"+2,5e-2", 0.025L},
        {",5", 0.5L},        {"7,", 7.0L},           {"3000000000", 3000000000.0L},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const auto value = Numbers::tryStrToFloat(u(c.text));
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, c.value);
    }
    // The decimal point, the local group separators and nothing else stay no decimal number.
    for (const char *bad : {"31.249", "1.000,5", "1'000", "1\u202F000", "1 000", "1,2,3", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(Numbers::tryStrToFloat(u(bad)).has_value());
    }
    EXPECT_THROW(Numbers::strToFloat(QStringLiteral("31.249")), QuarvelError);
}

TEST_P(NumberConventionsUnderLocale, IntegerTextsReadTheSame)
{
    struct Case
    {
        const char *text;
        int32_t value;
    };
    const Case cases[] = {{"  +12", 12}, {"-2147483648", INT32_MIN}, {"$A", 10}, {"0xff", 255}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Numbers::strToInt(u(c.text)), c.value);
    }
    for (const char *bad : {"1.000", "1'000", "1,5", "\u0661"}) { // ... and no Arabic-Indic one
        SCOPED_TRACE(bad);
        EXPECT_FALSE(Numbers::isInteger(u(bad)));
    }
}

TEST_P(NumberConventionsUnderLocale, NumbersAreWrittenTheSame)
{
    struct Case
    {
        long double value;
        const char *general;
        const char *threeDecimals;
        const char *grouped;
    };
    const Case cases[] = {
        {100.0L / 30.48L, "3,28083989501312", "3,281", "3"},
        {-1234567.891L, "-1234567,891", "-1234567,891", "-1.234.568"},
        {24683772.0L, "24683772", "24683772,000", "24.683.772"},
        {0.00001L, "1E-5", "0,000", "0"},
        {1e15L, "1E15", "1000000000000000,000", "1.000.000.000.000.000"},
        {0.0005L, "0,0005", "0,001", "0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.general);
        EXPECT_EQ(Numbers::floatToStr(c.value), u(c.general));
        EXPECT_EQ(Numbers::formatFloat000(c.value), u(c.threeDecimals));
        EXPECT_EQ(Numbers::formatGrouped(c.value), u(c.grouped));
    }
    EXPECT_EQ(Numbers::formatGrouped(67108864.0L / 1024), QStringLiteral("65.536"));
}

TEST_P(NumberConventionsUnderLocale, LengthsConvertTheSame)
{
    const hfunctions::FeetInch one = hfunctions::Meter2FeetInch(Numbers::strToFloat(u("1,8")));
    EXPECT_EQ(Numbers::floatToStr(one.wholeFeet), QStringLiteral("5"));
    EXPECT_EQ(Numbers::floatToStr(one.remainingInches), QStringLiteral("10,8661417322835"));
    EXPECT_EQ(Numbers::floatToStr(one.feet), QStringLiteral("5,90551181102362"));
    EXPECT_EQ(Numbers::floatToStr(one.inches), QStringLiteral("70,8661417322835"));
    EXPECT_EQ(Numbers::floatToStr(hfunctions::FeetInch2Meter(6, 2)), QStringLiteral("1,8796"));
}

TEST_P(NumberConventionsUnderLocale, CoordinatesReadAndWriteTheSame)
{
    struct Case
    {
        const char *input;
        const char *notation0;
        const char *notation1;
        const char *notation2;
    };
    const Case cases[] = {
        {"N 52° 31.249 E 013° 24.713", "N 52,5208166666667 E 13,4118833333333",
         "N 52° 31,249' E 013° 24,713'", "N 52° 31' 14,94\" E 013° 24' 42,78\" "},
        {"N 54,5 E 13,25", "N 54,5 E 13,25", "N 54° 30,000' E 13° 15,000'",
         "N 54° 30' 0\" E 13° 15' 0\" "},
        {"N 54.3941666666667 E 13.6696833333333", "N 54,3941666666667 E 13,6696833333333",
         "N 54° 23,650' E 13° 40,181'", "N 54° 23' 39\" E 13° 40' 10,86\" "},
        {"N 54° 23' 39.5\" E 13° 40' 10.86\"", "N 54,3943055555556 E 13,6696833333333",
         "N 54° 23,658' E 13° 40,181'", "N 54° 23' 39,5\" E 13° 40' 10,86\" "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.input);
        TKoordinaten position;
        ASSERT_EQ(position.m_sSetKoordinaten(u(c.input)), 1);
        EXPECT_EQ(position.m_sGetKoordinaten(0), u(c.notation0));
        EXPECT_EQ(position.m_sGetKoordinaten(1), u(c.notation1));
        EXPECT_EQ(position.m_sGetKoordinaten(2), u(c.notation2));
    }
}

TEST_P(NumberConventionsUnderLocale, LettersAndVersionsReadTheSame)
{
    // Under tr_TR the C library upper-cases "i" to "İ", which would be no letter of the value.
    EXPECT_EQ(CryptoTools::BuchstabenWortWert(QStringLiteral("ist"), false, false),
              QStringLiteral("48"));
    EXPECT_EQ(hfunctions::Quersumme(QStringLiteral("1999")), QStringLiteral("28"));
    EXPECT_TRUE(hfunctions::IsHexDigit(u'f'));
    EXPECT_FALSE(hfunctions::IsHexDigit(u'ı'));
    EXPECT_EQ(VersionCheck::CompareVersions(QStringLiteral("1.0.0.0"), QStringLiteral("1.0.0.10")),
              QStringLiteral("größer"));
}

INSTANTIATE_TEST_SUITE_P(Locales, NumberConventionsUnderLocale,
                         ::testing::ValuesIn(TestLocales::userLocales()),
                         [](const auto &info) { return TestLocales::testName(info.param); });

// The German locale must be there for the table above to mean anything: it is the one our
// users have, and the build compiles it.
TEST(TestLocales, GermanLocaleHasTheDecimalComma)
{
    ScopedProcessLocale german("de_DE.UTF-8");
    if (!german.active())
        GTEST_SKIP() << "the C library has no locale de_DE.UTF-8";
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}

} // namespace
