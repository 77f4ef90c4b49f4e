// Tiles, quadkeys, Reverse-Wherigo codes, the Natural Area Code and Swiss LV03, each against an
// outside source named at its test, and the reader recognising each by its shape.
#include "GeoTestSupport.h"
#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoFormats.h"
#include "logic/geo/GeoGrids.h"
#include "logic/geo/GeoNac.h"
#include "logic/geo/GeoRead.h"
#include "logic/geo/GeoTiles.h"
#include "logic/geo/GeoWherigo.h"
#include "logic/geo/GridAreas.h"

#include <proj.h>

#include <cmath>

#include <gtest/gtest.h>

using namespace Geo;
using GeoTest::dms;
using GeoTest::errorOf;

namespace {

const QString kNoError = QStringLiteral("<no error>");

double gap(GeoPoint a, GeoPoint b)
{
    return distanceAndBearing(a, b).distance;
}

} // namespace

// OpenStreetMap wiki, "Slippy map tilenames", zoom level table: at zoom 0 one tile covers
// 360° × 170.1022°, at zoom 1 each tile 180° × 85.0511°, tiles counted from the north-west.
TEST(GeoTiles, OsmWikiZoomTable)
{
    const GeoPoint top = tileCorner({0, 0, 0});
    EXPECT_NEAR(top.lat, 85.0511, 1e-4);
    EXPECT_NEAR(top.lon, -180.0, 1e-12);
    EXPECT_NEAR(2 * top.lat, 170.1022, 1e-4);
    const GeoPoint middle = tileCorner({1, 1, 1});
    EXPECT_NEAR(middle.lat, 0.0, 1e-12);
    EXPECT_NEAR(middle.lon, 0.0, 1e-12);
    EXPECT_EQ(tileOf({40, -100}, 1), (Tile {1, 0, 0}));
    EXPECT_EQ(tileOf({-40, 100}, 1), (Tile {1, 1, 1}));
    EXPECT_EQ(tileOf({-85.0511, 179.99}, 2), (Tile {2, 3, 3}));
    // Every tile's corner lies in the tile itself and the next tile's corner does not.
    GeoTest::RandomPoints random(17);
    for (int i = 0; i < 200; ++i) {
        GeoPoint p = random.next();
        p.lat = std::clamp(p.lat, -85.0, 85.0);
        const int zoom = i % (kTileZoomMax + 1);
        const Tile t = tileOf(p, zoom);
        const GeoPoint corner = tileCorner(t);
        ASSERT_LE(corner.lon, p.lon + 1e-9) << i;
        ASSERT_GE(corner.lat, p.lat - 1e-9) << i;
        ASSERT_EQ(readTile(toTileText(p, zoom)), t) << i;
    }
}

TEST(GeoTiles, TileLimits)
{
    const struct
    {
        const char *text;
        QString error;
    } cases[] = {
        {"0/0/0", kNoError},
        {"23/8388607/8388607", kNoError},
        {"24/0/0", QStringLiteral("Die Zoomstufe muss zwischen 0 und 23 liegen, nicht 24")},
        {"2/4/0", QStringLiteral("Auf Zoomstufe 2 gibt es nur die Kacheln 0 bis 3 in x und y")},
        {"2/3/4", QStringLiteral("Auf Zoomstufe 2 gibt es nur die Kacheln 0 bis 3 in x und y")},
        {" 17 / 70406 / 42987 ", kNoError},
        {"17/70406",
         QStringLiteral("Eine Kachel bitte als Zoom/x/y angeben, z. B. 17/70406/42987")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(errorOf([&] { readTile(QString::fromLatin1(c.text)); }), c.error);
    }
    EXPECT_EQ(
        errorOf([] {
            tileOf({85.06, 0}, 5);
        }),
        QStringLiteral("Kartenkacheln reichen nur von S 85,0511° bis N 85,0511° (Web Mercator)"));
    EXPECT_EQ(errorOf([] { tileOf({85.05, 0}, 5); }), kNoError);
    EXPECT_EQ(errorOf([] {
                  tileOf({0, 0}, -1);
              }),
              QStringLiteral("Die Zoomstufe muss zwischen 0 und 23 liegen, nicht -1"));
}

// Bing Maps Tile System documentation: tile X = 3, Y = 5 at level 3 has the quadkey "213".
TEST(GeoTiles, BingQuadkeyExample)
{
    EXPECT_EQ(quadkeyTile(QStringLiteral("213")), (Tile {3, 3, 5}));
    const GeoPoint corner = tileCorner({3, 3, 5});
    EXPECT_EQ(toQuadkey({corner.lat - 1e-6, corner.lon + 1e-6}, 3), QStringLiteral("213"));
    const struct
    {
        QString key;
        QString error;
    } cases[] = {
        {QStringLiteral("0"), kNoError},
        {QString(23, u'3'), kNoError},
        {QString(24, u'3'), QStringLiteral("Ein Quadkey hat 1 bis 23 Ziffern, nicht 24")},
        {QString(), QStringLiteral("Ein Quadkey hat 1 bis 23 Ziffern, nicht 0")},
        {QStringLiteral("0124"),
         QStringLiteral("Ein Quadkey besteht nur aus den Ziffern 0 bis 3, nicht „4“")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key.toStdString());
        EXPECT_EQ(errorOf([&] { quadkeyTile(c.key); }), c.error);
    }
}

// Published Reverse-Wherigo code pairs: GC Wizard's converter tests (0/0, 11.01746/−178.2824,
// −6.86326/66.11175, −87.08835/−179.80245), the Frankfurt example of a cacher's coordinate
// parser (50.11042/8.68213) and GC Wizard's format example for N 45° 17,460' W 122° 24,800'.
// Together they cover all four hemispheres and both digit shuffles.
TEST(GeoWherigo, PublishedCodePairsBothWays)
{
    const struct
    {
        const char *code;
        GeoPoint p;
    } cases[] = {
        {"000100 009000 005000", {0.0, 0.0}},
        {"711326 807210 749148", {11.01746, -178.2824}},
        {"618266 053101 671326", {-6.86326, 66.11175}},
        {"580497 850012 847837", {-87.08835, -179.80245}},
        {"261180 536802 118040", {50.11042, 8.68213}},
        {"042325 436113 935102", {45.291, -122.41333}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        const QString code = QString::fromLatin1(c.code);
        const GeoPoint p = wherigoPosition(code);
        EXPECT_NEAR(p.lat, c.p.lat, 1e-9);
        EXPECT_NEAR(p.lon, c.p.lon, 1e-9);
        EXPECT_EQ(toWherigo(c.p), code);
    }
    GeoTest::RandomPoints random(99);
    for (int i = 0; i < 300; ++i) {
        const GeoPoint p = random.next();
        ASSERT_LT(std::abs(wherigoPosition(toWherigo(p)).lat - p.lat), 0.5e-5 + 1e-12) << i;
        ASSERT_LT(std::abs(wherigoPosition(toWherigo(p)).lon - p.lon), 0.5e-5 + 1e-12) << i;
    }
}

TEST(GeoWherigo, RefusesMistypedCodes)
{
    const struct
    {
        const char *code;
        QString error;
    } cases[] = {
        {"261180,536802;118040", kNoError},
        {"261180-536802-118040", kNoError},
        {"261180 536802 118041",
         QStringLiteral(
             "Die Prüfziffer (dritte Ziffer der 3. Zahl) müsste 1 sein: eine Ziffer ist vertippt")},
        {"261180 546802 118040",
         QStringLiteral(
             "Die Prüfziffer (dritte Ziffer der 2. Zahl) müsste 0 sein: eine Ziffer ist vertippt")},
        {"261580 536802 118040",
         QStringLiteral("Die vierte Ziffer der ersten Zahl nennt die Halbkugeln und muss 1 bis 4 "
                        "sein, nicht 5")},
        {"26118 536802 118040", QStringLiteral("Die 1. Zahl hat 5 statt 6 Ziffern")},
        {"2611800 536802 118040", QStringLiteral("Die 1. Zahl hat 7 statt 6 Ziffern")},
        {"261180 536802",
         QStringLiteral("Reverse-Wherigo-Codes bitte als drei sechsstellige Zahlen angeben: 123456 "
                        "234567 345678")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(errorOf([&] { wherigoPosition(QString::fromLatin1(c.code)); }), c.error);
    }
}

// Natural Area Code: the published example "HBV6R RG77T" for the centre of Brussels, and GC
// Wizard's converter test HQRGL6Z7 RMJ1H830 for N 51.907002 E 9.113159.
TEST(GeoNac, PublishedExamples)
{
    const Cell brussels = naturalAreaCodeCell(QStringLiteral("hbv6r  RG77T"));
    EXPECT_LT(gap(brussels.centre(), {50.8467, 4.3525}), 1000.0); // Grand-Place
    EXPECT_EQ(toNaturalAreaCode(brussels.centre()), QStringLiteral("HBV6R RG77T"));
    EXPECT_EQ(toNaturalAreaCode({51.907002, 9.113159}, 8), QStringLiteral("HQRGL6Z7 RMJ1H830"));
    EXPECT_TRUE(
        naturalAreaCodeCell(QStringLiteral("HQRGL6Z7 RMJ1H830")).contains({51.907002, 9.113159}));
    EXPECT_EQ(toNaturalAreaCode({0, 0}, 8), QStringLiteral("H0000000 H0000000"));
    EXPECT_EQ(toNaturalAreaCode({90, 180}, 3), QStringLiteral("ZZZ ZZZ"));
    const struct
    {
        const char *code;
        QString error;
    } cases[] = {
        {"H H", kNoError},
        {"HBV6RRG7 RG77TBV6", kNoError},
        {"HBV6RRG7Z RG77T",
         QStringLiteral(
             "Ein Teil des Natural Area Code hat höchstens 8 Zeichen, „HBV6RRG7Z“ hat 9")},
        {"HAV6R RG77T",
         QStringLiteral("„A“ ist kein Zeichen des Natural Area Code (0-9 und die Konsonanten "
                        "BCDFGHJKLMNPQRSTVWXZ)")},
        {"HBV6R",
         QStringLiteral("Einen Natural Area Code bitte als zwei Teile angeben: Länge und Breite, "
                        "z. B. HBV6R RG77T")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(errorOf([&] { naturalAreaCodeCell(QString::fromLatin1(c.code)); }), c.error);
    }
    for (int length : {kNacMin - 1, kNacMax + 1})
        EXPECT_EQ(errorOf([&] {
                      toNaturalAreaCode({0, 0}, length);
                  }),
                  QStringLiteral("Ein Natural Area Code hat 1 bis 8 Zeichen je Teil"));
}

// EPSG:21781 (CH1903 / LV03) defines its projection centre, Bern's old observatory at
// 46°57'08.66" N 7°26'22.50" E on CH1903, as y 600000 m, x 200000 m. The whole way from WGS 84
// is checked against the transformation PROJ takes from the EPSG database, and against the
// observatory's WGS 84 position 46.9510811 N 7.4386372 E (swisstopo's approximate formulas,
// about 1 m, as quoted by Wikipedia's CH1903 template).
TEST(GeoLv03, EpsgProjectionCentreAndDatabase)
{
    const GridPosition origin = lv03FromCh1903({dms(46, 57, 8.66), dms(7, 26, 22.50)});
    EXPECT_NEAR(origin.easting, 600000.0, 1e-3);
    EXPECT_NEAR(origin.northing, 200000.0, 1e-3);
    EXPECT_LT(gap(fromLv03({0, true, 600000, 200000}), {46.9510811111, 7.43863722222}), 1.5);

    PJ_CONTEXT *context = proj_context_create();
    PJ *operation = proj_create_crs_to_crs(context, "EPSG:4326", "EPSG:21781", nullptr);
    ASSERT_NE(operation, nullptr);
    GeoTest::RandomPoints random(21781);
    for (int i = 0, inside = 0; inside < 100; ++i) {
        SCOPED_TRACE(i);
        const GeoPoint p {random.uniform(45.9, 47.7), random.uniform(6.0, 10.4)};
        // The box holds neighbours' land too, where the grid gives its message instead.
        if (!insideSwitzerlandOrLiechtenstein(p))
            continue;
        ++inside;
        const GridPosition lv03 = toLv03(p);
        const PJ_COORD expected = proj_trans(operation, PJ_FWD, proj_coord(p.lat, p.lon, 0, 0));
        EXPECT_NEAR(lv03.easting, expected.v[0], 1e-3);
        EXPECT_NEAR(lv03.northing, expected.v[1], 1e-3);
        EXPECT_LT(gap(p, fromLv03(lv03)), 5e-3);
    }
    proj_destroy(operation);
    proj_context_destroy(context);
    EXPECT_EQ(errorOf([] {
                  toLv03({48.1, 8.0});
              }),
              QStringLiteral("LV03 gilt nur für die Schweiz und Liechtenstein"));
}

// Each new format is recognised by its shape, or read with its key where a shape is shared.
TEST(GeoCodeFormats, ReaderRecognisesEachShape)
{
    const GeoPoint bern {46.948, 7.4474};
    const struct
    {
        QString text;
        Format format;
        double within; // metres from bern
    } cases[] = {
        {formatLv03(bern), Format::Lv03, 1.0},
        {QStringLiteral("600'000 / 200'000"), Format::Lv03, 1000.0},
        {toWherigo(bern), Format::Wherigo, 1.0},
        {toTileText(bern, 18), Format::Kachel, 200.0},
        {toQuadkey(bern, 18), Format::Quadkey, 200.0},
        {toNaturalAreaCode(bern), Format::Nac, 2.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const ReadPosition read = readAnyPosition(c.text);
        EXPECT_EQ(read.format, c.format);
        EXPECT_LT(gap(read.point, bern), c.within);
        EXPECT_LT(gap(readAnyPosition(c.text, c.format).point, read.point), 1e-6);
    }
    // With its key LV03 takes the numbers in either order; by shape x first is Dutch RD.
    EXPECT_EQ(readAnyPosition(QStringLiteral("X 200000 Y 600000")).format, Format::Rd);
    EXPECT_LT(gap(readAnyPosition(QStringLiteral("200000 600000"), Format::Lv03).point,
                  readAnyPosition(QStringLiteral("600000 200000")).point),
              1e-6);
    const QStringList keys = formatKeys();
    for (const char *key : {"lv03", "wherigo", "kachel", "quadkey", "nac"})
        EXPECT_TRUE(keys.contains(QString::fromLatin1(key))) << key;
}
