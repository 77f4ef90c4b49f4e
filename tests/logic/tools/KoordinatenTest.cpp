#include "logic/tools/Koordinaten_Unit.h"

#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"

#include <QStringList>

#include <functional>

#include <gtest/gtest.h>

namespace {

// The six number fields and the two letters, in the order of a full notation-2 reading.
QStringList fields(const TKoordinaten &k)
{
    return {k.sLatitude,  k.sGradLat, k.sMinuteLat, k.sSekundeLat,
            k.sLongitude, k.sGradLon, k.sMinuteLon, k.sSekundeLon};
}

QString errorOf(const std::function<void()> &body)
{
    try {
        body();
    } catch (const QuarvelError &error) {
        return error.message();
    }
    return QStringLiteral("<no error>");
}

const QStringList kFresh = {"N", "0", "0", "0,00", "E", "0", "0", "0,00"};

} // namespace

TEST(Koordinaten, FreshObjectInAllNotations)
{
    const TKoordinaten k;
    EXPECT_EQ(k.sAktKoord, QStringLiteral("N 0°  E 0°"));
    EXPECT_EQ(fields(k), kFresh);
    EXPECT_EQ(k.m_sGetKoordinaten(0), QStringLiteral("N 0 E 0"));
    EXPECT_EQ(k.m_sGetKoordinaten(1), QStringLiteral("N 0° 0,000' E 0° 0,000'"));
    EXPECT_EQ(k.m_sGetKoordinaten(2), QStringLiteral("N 0° 0' 0,00\" E 0° 0' 0,00\" "));
    for (int other : {-1, 3, 42})
        EXPECT_EQ(k.m_sGetKoordinaten(other), QString()) << other;
}

TEST(Koordinaten, ReadsEachNotation)
{
    struct Case
    {
        const char *input;
        QStringList fields;
        const char *notation0;
        const char *notation1;
        const char *notation2;
    };
    const Case cases[] = {
        {"N 54.3941666666667 E 13.6696833333333",
         {"N", "54", "23", "39", "E", "13", "40", "10,86"},
         "N 54,3941666666667 E 13,6696833333333",
         "N 54° 23,650' E 13° 40,181'",
         "N 54° 23' 39\" E 13° 40' 10,86\" "},
        {"N 54° 23.650 E 013° 40.181",
         {"N", "54", "23", "39", "E", "013", "40", "10,86"},
         "N 54,3941666666667 E 13,6696833333333",
         "N 54° 23,650' E 013° 40,181'",
         "N 54° 23' 39\" E 013° 40' 10,86\" "},
        {"N 54 E 13",
         {"N", "54", "0", "0", "E", "13", "0", "0"},
         "N 54 E 13",
         "N 54° 0,000' E 13° 0,000'",
         "N 54° 0' 0\" E 13° 0' 0\" "},
        {"S -33.5 W -70.25",
         {"S", "-33", "-30", "0", "W", "-70", "-15", "0"},
         "S -33,5 W -70,25",
         "S -33° -30,000' W -70° -15,000'",
         "S -33° -30' 0\" W -70° -15' 0\" "},
        // The degree sign without a blank after it glues degrees and minutes into one token.
        // 5423,65 lies just below its decimal value, so its minutes truncate to 38 and the
        // seconds round up to a full 60, which is carried into the minutes.
        {"N 54°23.650 E 013°40.181",
         {"N", "5423", "39", "0", "E", "1340", "10", "51,6"},
         "N 5423,65 E 1340,181",
         "N 5423° 39,000' E 1340° 10,860'",
         "N 5423° 39' 0\" E 1340° 10' 51,6\" "},
        {"N 54.65 W -0.9999999",
         {"N", "54", "39", "0", "W", "-1", "0", "0"},
         "N 54,65 W -1",
         "N 54° 39,000' W -1° 0,000'",
         "N 54° 39' 0\" W -1° 0' 0\" "},
        {"X 1 Y 2",
         {"X", "1", "0", "0", "Y", "2", "0", "0"},
         "X 1 Y 2",
         "X 1° 0,000' Y 2° 0,000'",
         "X 1° 0' 0\" Y 2° 0' 0\" "},
        {"N 54,5 E 13,25",
         {"N", "54", "30", "0", "E", "13", "15", "0"},
         "N 54,5 E 13,25",
         "N 54° 30,000' E 13° 15,000'",
         "N 54° 30' 0\" E 13° 15' 0\" "},
        {"N 54° 23' 39.5\" E 13° 40' 10.86\"",
         {"N", "54", "23", "39,5", "E", "13", "40", "10,86"},
         "N 54,3943055555556 E 13,6696833333333",
         "N 54° 23,658' E 13° 40,181'",
         "N 54° 23' 39,5\" E 13° 40' 10,86\" "},
        // Blanks and control characters around the text go; several blanks act as one.
        {"\t  N   54   E   13 \r\n",
         {"N", "54", "0", "0", "E", "13", "0", "0"},
         "N 54 E 13",
         "N 54° 0,000' E 13° 0,000'",
         "N 54° 0' 0\" E 13° 0' 0\" "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.input);
        TKoordinaten k;
        ASSERT_EQ(k.m_sSetKoordinaten(QString::fromUtf8(c.input)), 1);
        EXPECT_EQ(fields(k), c.fields);
        EXPECT_EQ(k.m_sGetKoordinaten(0), QString::fromUtf8(c.notation0));
        EXPECT_EQ(k.m_sGetKoordinaten(1), QString::fromUtf8(c.notation1));
        EXPECT_EQ(k.m_sGetKoordinaten(2), QString::fromUtf8(c.notation2));
        EXPECT_EQ(k.sAktKoord, QStringLiteral("N 0°  E 0°"));
    }
}

TEST(Koordinaten, UnrecognisedTextsChangeNothing)
{
    const char *inputs[] = {
        "",
        "   ",
        "N 54",
        "N54°23.650",
        "N 54 23 E 13",
        "N 54 E 13 °", // the trailing empty token makes five
        "N\t54 E 13", // a tab does not separate
        "N 1 2 3 4 E 5 6 7 8",
        "a b c d e f g h i j k l m n o p",
    };
    for (const char *input : inputs) {
        SCOPED_TRACE(input);
        TKoordinaten k;
        k.m_sSetKoordinaten(QStringLiteral("S 1 2 3 W 4 5 6"));
        const QStringList before = fields(k);
        EXPECT_EQ(k.m_sSetKoordinaten(QString::fromUtf8(input)), 0);
        EXPECT_EQ(fields(k), before);
    }
}

TEST(Koordinaten, EightTokensAreStoredAsTyped)
{
    TKoordinaten k;
    ASSERT_EQ(k.m_sSetKoordinaten(QStringLiteral("N a b c E d e f")), 1);
    EXPECT_EQ(fields(k), QStringList({"N", "a", "b", "c", "E", "d", "e", "f"}));
    EXPECT_EQ(k.m_sGetKoordinaten(2), QStringLiteral("N a° b' c\" E d° e' f\" "));
    // Notation 1 reads the seconds before the minutes; notation 0 starts with the degrees.
    EXPECT_EQ(errorOf([&] { k.m_sGetKoordinaten(1); }),
              QStringLiteral("'c' ist kein gültiger Gleitkommawert"));
    EXPECT_EQ(errorOf([&] { k.m_sGetKoordinaten(0); }),
              QStringLiteral("'a' ist kein gültiger Gleitkommawert"));

    // Degrees are only copied into notation 1, so text there does not stop it.
    ASSERT_EQ(k.m_sSetKoordinaten(QStringLiteral("N 054x 23 39,5 E 13 40 10")), 1);
    EXPECT_EQ(k.m_sGetKoordinaten(1), QStringLiteral("N 054x° 23,658' E 13° 40,167'"));
}

TEST(Koordinaten, FailedConversionKeepsTheFieldsWrittenBefore)
{
    struct Case
    {
        const char *input;
        const char *message;
        QStringList fields;
    };
    const Case cases[] = {
        {"S x W 13.5",
         "'x' ist kein gültiger Gleitkommawert",
         {"S", "0", "0", "0,00", "W", "0", "0", "0,00"}},
        {"S 12.5 W 1,2,3",
         "'1,2,3' ist kein gültiger Gleitkommawert",
         {"S", "12", "30", "0", "W", "0", "0", "0,00"}},
        {"S 12 x W 13 30",
         "'x' ist kein gültiger Gleitkommawert",
         {"S", "12", "0", "0,00", "W", "13", "0", "0,00"}},
        {"S 12 30.5 W 013 1.2.3",
         "'1,2,3' ist kein gültiger Gleitkommawert",
         {"S", "12", "30", "30", "W", "013", "0", "0,00"}},
        {"S 4e9 W 13",
         "'4e9' liegt außerhalb des Bereichs für Grad und Minuten "
         "(-2147483648 bis 2147483647)",
         {"S", "0", "0", "0,00", "W", "0", "0", "0,00"}},
        {"S 1 2 W 3 -2147483649",
         "'-2147483649' liegt außerhalb des Bereichs für Grad und "
         "Minuten (-2147483648 bis 2147483647)",
         {"S", "1", "2", "0", "W", "3", "0", "0,00"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.input);
        TKoordinaten k;
        EXPECT_EQ(errorOf([&] { k.m_sSetKoordinaten(QString::fromUtf8(c.input)); }),
                  QString::fromUtf8(c.message));
        EXPECT_EQ(fields(k), c.fields);
    }
}

TEST(Koordinaten, DegreesAtTheEdgesOfThe32BitRange)
{
    TKoordinaten k;
    ASSERT_EQ(k.m_sSetKoordinaten(QStringLiteral("N 2147483647.5 E -2147483648.25")), 1);
    EXPECT_EQ(fields(k),
              QStringList({"N", "2147483647", "30", "0", "E", "-2147483648", "-15", "0"}));
    ASSERT_EQ(k.m_sSetKoordinaten(QStringLiteral("N 0 -2147483648.5 E 0 2147483647.75")), 1);
    EXPECT_EQ(fields(k),
              QStringList({"N", "0", "-2147483648", "-30", "E", "0", "2147483647", "45"}));
}

TEST(Koordinaten, SecondsRoundToTwoDecimalsWithTiesToEven)
{
    struct Case
    {
        long double seconds;
        const char *text;
    };
    // Halves that are exact binary fractions are true ties and go to the even neighbour.
    const Case cases[] = {
        {0.125L, "0,12"},   {0.375L, "0,38"},      {1.625L, "1,62"},   {-0.125L, "-0,12"},
        {-0.375L, "-0,38"}, {10.859999L, "10,86"}, {59.994L, "59,99"}, {59.996L, "60"},
        {-0.001L, "0"},     {0.0L, "0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Numbers::floatToStr(Koordinaten::roundSeconds(c.seconds)),
                  QString::fromUtf8(c.text));
    }
}

TEST(Koordinaten, SixTokensCarryFullMinutesIntoTheTypedDegrees)
{
    const struct
    {
        const char *input;
        QStringList fields;
        const char *notation0;
    } cases[] = {
        // Seconds that round to 60 fill the minutes to 60, which go on into the degrees; the
        // degrees keep as many digits as were typed.
        {"N 0 59.9999999 E 013 59.9999999", {"N", "1", "0", "0", "E", "014", "0", "0"}, "N 1 E 14"},
        {"N 09 59.9999999 E 99 59.9999999",
         {"N", "10", "0", "0", "E", "100", "0", "0"},
         "N 10 E 100"},
        // Negative minutes carry toward the negative side, as the sum in notation 0 has it.
        {"S -33 -59.9999999 W -070 -59.9999999",
         {"S", "-34", "0", "0", "W", "-071", "0", "0"},
         "S -34 W -71"},
        {"N 52 -59.9999999 E +13 59.9999999",
         {"N", "51", "0", "0", "E", "14", "0", "0"},
         "N 51 E 14"},
        {"N 52,5 59.9999999 E 1E1 59.9999999",
         {"N", "53,5", "0", "0", "E", "11", "0", "0"},
         "N 53,5 E 11"},
        // Below a full 60 the degrees stay the user's text, and so do minutes typed beyond 59.
        {"N 052 58.9999999 E 013 75.9999999",
         {"N", "052", "59", "0", "E", "013", "76", "0"},
         "N 52,9833333333333 E 14,2666666666667"},
        {"N a 30 E b 15", {"N", "a", "30", "0", "E", "b", "15", "0"}, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.input);
        TKoordinaten k;
        ASSERT_EQ(k.m_sSetKoordinaten(QString::fromUtf8(c.input)), 1);
        EXPECT_EQ(fields(k), c.fields);
        if (c.notation0) {
            EXPECT_EQ(k.m_sGetKoordinaten(0), QString::fromUtf8(c.notation0));
        }
        const QString dms = k.m_sGetKoordinaten(2);
        EXPECT_FALSE(dms.contains(QStringLiteral(" 60'")) || dms.contains(QStringLiteral(" 60\"")))
            << dms.toStdString();
    }
}

TEST(Koordinaten, SixTokensWithTextDegreesCannotCarry)
{
    // The carry needs the degrees as a number; text there is the decimal-number error, and
    // the latitude keeps what it had before.
    TKoordinaten k;
    EXPECT_EQ(errorOf([&k] { k.m_sSetKoordinaten(QStringLiteral("N a 59.9999999 E 1 2")); }),
              QStringLiteral("'a' ist kein gültiger Gleitkommawert"));
    EXPECT_EQ(k.sMinuteLat, QStringLiteral("0"));
    EXPECT_EQ(k.sSekundeLat, QStringLiteral("0,00"));
}
