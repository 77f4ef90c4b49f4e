#include "logic/geo/GeoCodes.h"

#include "GeoTestSupport.h"

#include <gtest/gtest.h>

using namespace Geo;
using GeoTest::errorOf;

namespace {

struct EncodeCase
{
    double lat;
    double lon;
    int length;
    const char *code;
};

} // namespace

// gpsd's test_maidenhead.py (conversions made with F6FVY's QTH locator calculator) and the
// examples of the Dart package gridlocator and the Go package logocomune/maidenhead.
TEST(GeoCodes, MaidenheadPublishedExamples)
{
    const EncodeCase cases[] = {
        {48.86471, 2.37305, 6, "JN18eu"},           {41.93498, 12.43652, 6, "JN61fw"},
        {39.9771, -75.1685, 6, "FM29jx"},           {-23.4028, -50.9766, 6, "GG46mo"},
        {-34.91, -56.211666666666667, 6, "GF15vc"}, {43.723073, 10.396637, 2, "JN"},
        {43.723073, 10.396637, 4, "JN53"},          {43.723073, 10.396637, 6, "JN53er"},
    };
    for (const EncodeCase &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(toMaidenhead({c.lat, c.lon}, c.length), QString::fromLatin1(c.code));
        EXPECT_TRUE(maidenheadCell(QString::fromLatin1(c.code)).contains({c.lat, c.lon}));
    }
    // gridlocator: GF15vc has its south-west corner at -34.916666..., -56.25.
    const Cell cell = maidenheadCell(QStringLiteral(" gf15 VC "));
    EXPECT_NEAR(cell.south, -34.916666666666664, 1e-12);
    EXPECT_NEAR(cell.west, -56.25, 1e-12);
    EXPECT_NEAR(cell.centre().lat, -34.916666666666664 + 1.25 / 60.0, 1e-12);
}

TEST(GeoCodes, MaidenheadLimitsAndRefusals)
{
    EXPECT_EQ(toMaidenhead({90.0, 180.0}, 4), QStringLiteral("AR09")); // 180° is -180°
    EXPECT_EQ(toMaidenhead({-90.0, -180.0}, 16).size(), 16);
    const struct
    {
        const char *text;
        const char *message;
    } refused[] = {
        {"J", "2 bis 16 Zeichen, eine gerade Anzahl, nicht 1"},
        {"JN1", "nicht 3"},
        {"JN18EU00AA00AA00AA", "nicht 18"},
        {"SN", "Stelle 1 des Locators gehört ein Buchstabe von A bis R, nicht „S“"},
        {"JNA8", "Stelle 3 des Locators gehört eine Ziffer, nicht „A“"},
        {"JN18YA", "Stelle 5 des Locators gehört ein Buchstabe von A bis X, nicht „Y“"},
    };
    for (const auto &c : refused) {
        SCOPED_TRACE(c.text);
        EXPECT_TRUE(errorOf([&] {
                        maidenheadCell(QString::fromLatin1(c.text));
                    }).contains(QString::fromUtf8(c.message)));
    }
    for (int length : {0, 1, 3, 17, 18})
        EXPECT_NE(errorOf([&] { toMaidenhead({}, length); }), QStringLiteral("<no error>"));
}

// Wikipedia's geohash article (ezs42, u4pruydqqvj), Rosetta Code's geohash task, the PostGIS
// answer quoted by the Swift package michael-groble/Geohash, and the test of the JavaScript
// package by Nick Soggin.
TEST(GeoCodes, GeohashPublishedExamples)
{
    const EncodeCase cases[] = {
        {51.433718, -0.214126, 2, "gc"},
        {51.433718, -0.214126, 9, "gcpue5hp4"},
        {59.358639, 24.744778, 4, "ud99"},
        {29.2021188, 81.5324561, 4, "tv1y"},
        {57.64911, 10.40744, 11, "u4pruydqqvj"},
        {42.6, -5.6, 5, "ezs42"},
        {35.6896491, 139.7001494, 12, "xn774cne32v3"},
        {38.889865958353, -77.009049955899, 12, "dqcjpxetzh6q"},
    };
    for (const EncodeCase &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(toGeohash({c.lat, c.lon}, c.length), QString::fromLatin1(c.code));
    }
    const GeoPoint centre = geohashCell(QStringLiteral("U10HFR2")).centre();
    EXPECT_DOUBLE_EQ(centre.lat, 51.5004730224609375);
    EXPECT_DOUBLE_EQ(centre.lon, 0.0995635986328125);
    EXPECT_TRUE(
        errorOf([] { geohashCell(QStringLiteral("u4a")); }).contains(QStringLiteral("„a“")));
    EXPECT_TRUE(errorOf([] {
                    geohashCell(QStringLiteral("0123456789bcd"));
                }).contains(QStringLiteral("nicht 13")));
    for (int length : {0, 13})
        EXPECT_NE(errorOf([&] { toGeohash({}, length); }), QStringLiteral("<no error>"));
}

// encoding.csv of google/open-location-code (test_data).
TEST(GeoCodes, OpenLocationCodeReferenceEncoding)
{
    const EncodeCase cases[] = {
        {20.375, 2.775, 6, "7FG49Q00+"},
        {20.3700625, 2.7821875, 10, "7FG49QCJ+2V"},
        {20.3701125, 2.782234375, 11, "7FG49QCJ+2VX"},
        {20.3701135, 2.78223535156, 13, "7FG49QCJ+2VXGJ"},
        {47.0000625, 8.0000625, 10, "8FVC2222+22"},
        {-41.2730625, 174.7859375, 10, "4VCPPQGP+Q9"},
        {0.5, -179.5, 4, "62G20000+"},
        {-89.5, -179.5, 4, "22220000+"},
        {20.5, 2.5, 4, "7FG40000+"},
        {-89.9999375, -179.9999375, 10, "22222222+22"},
        {0.5, 179.5, 4, "6VGX0000+"},
        {1, 1, 11, "6FH32222+222"},
        {90, 1, 4, "CFX30000+"},
        {92, 1, 4, "CFX30000+"},
        {1, 180, 4, "62H20000+"},
        {1, 181, 4, "62H30000+"},
        {90, 1, 10, "CFX3X2X2+X2"},
        {1.2, 3.4, 10, "6FH56C22+22"},
    };
    for (const EncodeCase &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(toOpenLocationCode(c.lat, c.lon, c.length), QString::fromLatin1(c.code));
    }
    for (int digits : {1, 3, 5, 7, 9, 16})
        EXPECT_NE(errorOf([&] { toOpenLocationCode(0, 0, digits); }), QStringLiteral("<no error>"));
    for (int digits : {2, 8, 10, 11, 15})
        EXPECT_EQ(toOpenLocationCode(0, 0, digits).remove(u'0').size(),
                  digits + 1); // padding aside
}

// decoding.csv of google/open-location-code: code, south, west, north, east.
TEST(GeoCodes, OpenLocationCodeReferenceDecoding)
{
    const struct
    {
        const char *code;
        double south, west, north, east;
    } cases[] = {
        {"7FG49Q00+", 20.35, 2.75, 20.4, 2.8},
        {"7FG49QCJ+2V", 20.37, 2.782125, 20.370125, 2.78225},
        {"7FG49QCJ+2VX", 20.3701, 2.78221875, 20.370125, 2.78225},
        {"7FG49QCJ+2VXGJ", 20.370113, 2.782234375, 20.370114, 2.78223632813},
        {"8FVC2222+22", 47.0, 8.0, 47.000125, 8.000125},
        {"4VCPPQGP+Q9", -41.273125, 174.785875, -41.273, 174.786},
        {"62G20000+", 0.0, -180.0, 1, -179},
        {"22220000+", -90, -180, -89, -179},
        {"CFX30000+", 89, 1, 90, 2},
        {"CFX3X2X2+X2", 89.999875, 1, 90, 1.000125},
        {"6FH32222+222", 1, 1, 1.000025, 1.00003125},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        const Cell cell = openLocationCodeCell(QString::fromLatin1(c.code).toLower());
        EXPECT_NEAR(cell.south, c.south, 1e-9);
        EXPECT_NEAR(cell.west, c.west, 1e-9);
        EXPECT_NEAR(cell.north, c.north, 1e-9);
        EXPECT_NEAR(cell.east, c.east, 1e-9);
    }
}

// shortCodeTests.csv of google/open-location-code: full code, reference, short code.
TEST(GeoCodes, OpenLocationCodeReferenceShortening)
{
    const struct
    {
        const char *full;
        double lat, lon;
        const char *shortCode;
    } cases[] = {
        {"9C3W9QCJ+2VX", 51.3701125, -1.217765625, "+2VX"},
        {"9C3W9QCJ+2VX", 51.3708675, -1.217765625, "CJ+2VX"},
        {"9C3W9QCJ+2VX", 51.3693575, -1.217765625, "CJ+2VX"},
        {"9C3W9QCJ+2VX", 51.3701125, -1.218520625, "CJ+2VX"},
        {"9C3W9QCJ+2VX", 51.3701125, -1.217010625, "CJ+2VX"},
        {"9C3W9QCJ+2VX", 51.3852125, -1.217765625, "9QCJ+2VX"},
        {"8FJFW222+", 42.899, 9.012, "22+"},
        {"796RXG22+", 14.95125, -23.5001, "22+"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.full);
        const QString full = QString::fromLatin1(c.full),
                      shortCode = QString::fromLatin1(c.shortCode);
        if (!full.contains(u'0') && full.size() > 9) {
            EXPECT_EQ(shortenOpenLocationCode(full, {c.lat, c.lon}), shortCode);
        }
        EXPECT_EQ(recoverOpenLocationCode(shortCode, {c.lat, c.lon}), full);
    }
}

TEST(GeoCodes, OpenLocationCodeFirstDigitsAtTheirLimits)
{
    for (const char *code : {"C2000000+", "2V000000+", "CV000000+"}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(errorOf([&] { openLocationCodeCell(QString::fromLatin1(code)); }),
                  QStringLiteral("<no error>"));
    }
    EXPECT_TRUE(errorOf([] {
                    recoverOpenLocationCode(QStringLiteral("+"), {52.0, 13.0});
                }).contains(QStringLiteral("ohne Stellen")));
}

TEST(GeoCodes, OpenLocationCodeRefusals)
{
    const struct
    {
        const char *code;
        const char *message;
    } cases[] = {
        {"8FVC2222", "genau ein „+“"},
        {"8FVC2222++22", "genau ein „+“"},
        {"8FVC222+22", "falschen Stelle"},
        {"8FVC2222+2I", "„I“ kommt in Plus Codes nicht vor"},
        {"8FVC2222+2", "mindestens zwei Zeichen"},
        {"8F0C0000+", "paarweise"},
        {"WC2222+22", "Bezugspunkt"},
        {"XXVC2222+22", "außerhalb der Erde"},
        // The first digit stands for 20° of latitude from the south pole: "C" (160°) is the
        // last that fits, "F" (180°) is beyond; the second for 20° of longitude: "V" (340°)
        // fits, "W" (360°) does not.
        {"F2000000+", "außerhalb der Erde"},
        {"FFVC2222+22", "außerhalb der Erde"},
        {"2W000000+", "außerhalb der Erde"},
        {"+", "ohne Stellen"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_TRUE(errorOf([&] {
                        openLocationCodeCell(QString::fromLatin1(c.code));
                    }).contains(QString::fromUtf8(c.message)));
    }
}

// Writing a random position and reading the code back gives a cell that holds the position,
// at every length.
TEST(GeoCodes, RoundTripStaysInsideTheCell)
{
    GeoTest::RandomPoints random(28);
    for (int i = 0; i < 3000; ++i) {
        const GeoPoint p = random.next();
        SCOPED_TRACE(
            QStringLiteral("%1 %2").arg(p.lat, 0, 'g', 17).arg(p.lon, 0, 'g', 17).toStdString());
        const int m = 2 * (1 + i % 8), g = 1 + i % 12, o = (i % 14) + 2;
        const int olcDigits = o < 10 && o % 2 == 1 ? o + 1 : o;
        EXPECT_TRUE(maidenheadCell(toMaidenhead(p, m)).contains(p));
        EXPECT_TRUE(geohashCell(toGeohash(p, g)).contains(p));
        EXPECT_TRUE(openLocationCodeCell(toOpenLocationCode(p.lat, p.lon, olcDigits)).contains(p));
        const QString full = toOpenLocationCode(p.lat, p.lon, 11);
        EXPECT_EQ(recoverOpenLocationCode(shortenOpenLocationCode(full, p), p), full);
    }
}
