#include "logic/geo/GeoGrids.h"

#include "GeoTestSupport.h"
#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoFormats.h"
#include "logic/geo/GeoRead.h"
#include "logic/geo/GridAreas.h"

#include <proj.h>

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

using namespace Geo;
using GeoTest::errorOf;

namespace {

double distance(GeoPoint a, GeoPoint b)
{
    return distanceAndBearing(a, b).distance;
}

// The transformation PROJ itself picks from the EPSG database for WGS 84 to `crs`, so the
// pipelines we write out are checked against the published parameters.
GeoPoint viaEpsgDatabase(const char *crs, GeoPoint p, double &x, double &y)
{
    PJ_CONTEXT *context = proj_context_create();
    PJ *operation = proj_create_crs_to_crs(context, "EPSG:4326", crs, nullptr);
    const PJ_COORD result = proj_trans(operation, PJ_FWD, proj_coord(p.lat, p.lon, 0, 0));
    proj_destroy(operation);
    proj_context_destroy(context);
    // EPSG's Gauß-Krüger and LV95 order their axes northing first for DHDN, easting first
    // for LV95; the caller says which.
    x = result.v[0];
    y = result.v[1];
    return p;
}

} // namespace

// GeoConvert documentation (GeographicLib): 33.3 44.4 is "38n 444140.54 3684706.36" in UTM
// and "38SMB4484" in MGRS at 1 km.
TEST(GeoGrids, GeoConvertDocumentationExamples)
{
    const GridPosition utm = toUtm({33.3, 44.4});
    EXPECT_EQ(utm.zone, 38);
    EXPECT_TRUE(utm.north);
    EXPECT_NEAR(utm.easting, 444140.54, 0.005);
    EXPECT_NEAR(utm.northing, 3684706.36, 0.005);
    EXPECT_EQ(formatUtm({33.3, 44.4}), QStringLiteral("38S 444141 3684706"));
    EXPECT_TRUE(toMgrs({33.3, 44.4}).startsWith(QStringLiteral("38S MB 4414")));
    // A 1 km reference names the square's centre: (444500, 3684500) in UTM.
    const GridPosition centre = toUtm(fromMgrs(QStringLiteral("38SMB4484")));
    EXPECT_NEAR(centre.easting, 444500, 1e-3);
    EXPECT_NEAR(centre.northing, 3684500, 1e-3);
}

TEST(GeoGrids, UtmAndMgrsRoundTripOnRandomPoints)
{
    GeoTest::RandomPoints random(50);
    for (int i = 0; i < 10000; ++i) {
        GeoPoint p = random.next();
        p.lat = std::clamp(p.lat, -79.9, 83.9);
        const GeoPoint back = fromUtm(toUtm(p));
        ASSERT_LT(distance(p, back), 1e-6) << i;
        // MGRS at 1 m resolution names a square; its centre is at most 0.71 m away.
        ASSERT_LT(distance(p, fromMgrs(toMgrs(p))), 0.71) << i;
    }
}

TEST(GeoGrids, UtmLimitsAtTheLatitudeBands)
{
    EXPECT_EQ(errorOf([] {
                  toUtm({84.0, 0});
              }),
              QStringLiteral("UTM reicht nur von S 80° bis N 84° (Polargebiet: UPS)"));
    EXPECT_EQ(errorOf([] { toUtm({83.999999, 0}); }), QStringLiteral("<no error>"));
    EXPECT_EQ(errorOf([] { toUtm({-80.0, 0}); }), QStringLiteral("<no error>"));
    EXPECT_EQ(errorOf([] {
                  toUtm({-80.000001, 0});
              }),
              QStringLiteral("UTM reicht nur von S 80° bis N 84° (Polargebiet: UPS)"));
    EXPECT_EQ(utmBand(-80.0), u'C');
    EXPECT_EQ(utmBand(-0.000001), u'M');
    EXPECT_EQ(utmBand(0.0), u'N');
    EXPECT_EQ(utmBand(83.9), u'X');
}

TEST(GeoGrids, GaussKruegerMatchesTheEpsgTransformationAndRoundTrips)
{
    GeoTest::RandomPoints random(51);
    for (int i = 0; i < 300; ++i) {
        // Germany, where the BETA2007 grid lies.
        const GeoPoint p {random.uniform(47.4, 54.9), random.uniform(6.0, 14.9)};
        if (!insideGermany(p))
            continue;
        const GridPosition gk = toGaussKrueger(p);
        const int zone = std::clamp(int(std::floor((p.lon + 1.5) / 3.0)), 2, 5);
        ASSERT_EQ(gk.zone, zone);
        ASSERT_EQ(int(gk.easting / 1e6), zone);
        ASSERT_LT(distance(p, fromGaussKrueger(gk)), 1e-3) << i;
        if (i < 20) {
            const char *crs[] = {"", "", "EPSG:31466", "EPSG:31467", "EPSG:31468", "EPSG:31469"};
            double north = 0, east = 0;
            viaEpsgDatabase(crs[zone], p, north, east);
            ASSERT_NEAR(gk.easting, east, 1e-3) << i;
            ASSERT_NEAR(gk.northing, north, 1e-3) << i;
        }
    }
    EXPECT_EQ(errorOf([] {
                  toGaussKrueger({48.85, 2.35});
              }),
              QStringLiteral(
                  "Gauß-Krüger (DHDN) gibt es hier nur innerhalb Deutschlands (BETA2007-Gitter)"));
}

TEST(GeoGrids, Lv95MatchesTheEpsgTransformationAndRoundTrips)
{
    GeoTest::RandomPoints random(52);
    for (int i = 0; i < 300; ++i) {
        const GeoPoint p {random.uniform(45.8, 47.8), random.uniform(6.0, 10.5)};
        if (!insideSwitzerlandOrLiechtenstein(p))
            continue;
        const GridPosition lv95 = toLv95(p);
        // PROJ undoes the Helmert step through an iteration that stops near a millimetre.
        ASSERT_LT(distance(p, fromLv95(lv95)), 5e-3) << i;
        if (i < 20) {
            double east = 0, north = 0;
            viaEpsgDatabase("EPSG:2056", p, east, north);
            ASSERT_NEAR(lv95.easting, east, 1e-3) << i;
            ASSERT_NEAR(lv95.northing, north, 1e-3) << i;
        }
    }
    EXPECT_EQ(errorOf([] {
                  toLv95({48.1, 8.0});
              }),
              QStringLiteral("LV95 gilt nur für die Schweiz und Liechtenstein"));
    EXPECT_EQ(errorOf([] { toLv95({47.5, 8.0}); }), QStringLiteral("<no error>"));
}

TEST(GeoGrids, GridTextsAreReadBack)
{
    const GeoPoint tower {52.520803, 13.40945};
    for (const QString &text :
         {formatUtm(tower), formatMgrs(tower), formatGaussKrueger(tower),
          QStringLiteral("33U E %1")
              .arg(formatUtm(tower).mid(4).replace(u' ', QStringLiteral(" N ")))}) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_LT(distance(tower, readPosition(text)), 1.0);
    }
    const GeoPoint bern {46.948, 7.4474};
    const GridPosition lv95 = toLv95(bern);
    const QString swiss = QStringLiteral("2'%1'%2 / 1'%3'%4")
                              .arg(int(lv95.easting) / 1000 % 1000, 3, 10, QChar(u'0'))
                              .arg(int(lv95.easting) % 1000, 3, 10, QChar(u'0'))
                              .arg(int(lv95.northing) / 1000 % 1000, 3, 10, QChar(u'0'))
                              .arg(int(lv95.northing) % 1000, 3, 10, QChar(u'0'));
    EXPECT_LT(distance(bern, readPosition(swiss)), 1.5) << swiss.toStdString();
}

// EPSG Guidance Note 7-2, oblique stereographic example: Amersfoort / RD New, 53° N 6° E on
// the Amersfoort datum is E 196105.283 m, N 557057.739 m.
TEST(GeoGrids, RdEpsgExample)
{
    const GridPosition rd = rdFromAmersfoort({53.0, 6.0});
    EXPECT_NEAR(rd.easting, 196105.283, 0.001);
    EXPECT_NEAR(rd.northing, 557057.739, 0.001);
}

// Our written-out RD pipeline against the transformation PROJ picks from the EPSG database
// (whose axis order for EPSG:28992 is easting first), inside the stated accuracy of 1 m; and
// the way back on random points in the Netherlands.
TEST(GeoGrids, RdAgreesWithTheEpsgDatabaseAndRoundTrips)
{
    GeoTest::RandomPoints random(28992);
    for (int i = 0; i < 20; ++i) {
        const GeoPoint p {random.uniform(50.8, 53.5), random.uniform(3.4, 7.2)};
        if (!insideNetherlands(p))
            continue;
        SCOPED_TRACE(i);
        double x = 0, y = 0;
        viaEpsgDatabase("EPSG:28992", p, x, y);
        const GridPosition rd = toRd(p);
        EXPECT_LT(std::hypot(rd.easting - x, rd.northing - y), 1.0);
        EXPECT_LT(distance(fromRd(rd), p), 1e-3);
    }
    EXPECT_EQ(formatRd({52.155, 5.387}).left(4), QStringLiteral("X 15"));
}

// Each national grid is given inside its country only; places just across a border (Strasbourg
// and Kehl, Füssen and Reutte, Brussels, Innsbruck) get the grid's message, never a number.
TEST(GeoGrids, NationalGridsRefusePlacesOutsideTheirCountry)
{
    const QString germany = QStringLiteral(
        "Gauß-Krüger (DHDN) gibt es hier nur innerhalb Deutschlands (BETA2007-Gitter)");
    const QString swiss = QStringLiteral("LV95 gilt nur für die Schweiz und Liechtenstein");
    const QString dutch = QStringLiteral("RD (Amersfoort / RD New) gilt nur für die Niederlande");
    struct Case
    {
        const char *place;
        GeoPoint p;
        bool gk, lv95, rd; // where a grid reference is given
    };
    const Case cases[] = {
        {"Berlin", {52.5208, 13.4095}, true, false, false},
        {"Freiburg", {47.9990, 7.8421}, true, false, false},
        {"Offenburg", {48.4733, 7.9447}, true, false, false},
        {"Füssen", {47.5696, 10.7004}, true, false, false},
        {"Helgoland", {54.1820, 7.8850}, true, false, false},
        {"Sylt", {54.9050, 8.3100}, true, false, false},
        {"Aachen", {50.7760, 6.0840}, true, false, false},
        {"Gronau", {52.2100, 7.0300}, true, false, false},
        {"Strasbourg", {48.5818, 7.7510}, false, false, false},
        {"Innsbruck", {47.2692, 11.4041}, false, false, false},
        {"Reutte", {47.4900, 10.7200}, false, false, false},
        {"Salzburg", {47.8009, 13.0440}, false, false, false},
        {"Brussels", {50.8467, 4.3525}, false, false, false},
        {"Antwerp", {51.2194, 4.4025}, false, false, false},
        {"Paris", {48.85, 2.35}, false, false, false},
        {"Zürich", {47.3769, 8.5417}, false, true, false},
        {"Geneva", {46.2044, 6.1432}, false, true, false},
        {"Lugano", {46.0037, 8.9511}, false, true, false},
        {"Vaduz", {47.1410, 9.5209}, false, true, false},
        {"Schaffhausen", {47.6973, 8.6349}, false, true, false},
        {"Milan", {45.4642, 9.1900}, false, false, false},
        {"Amsterdam", {52.3676, 4.9041}, false, false, true},
        {"Maastricht", {50.8514, 5.6910}, false, false, true},
        {"Enschede", {52.2215, 6.8937}, false, false, true},
        {"Groningen", {53.2194, 6.5665}, false, false, true},
        {"Texel", {53.0550, 4.7970}, false, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.place);
        EXPECT_EQ(errorOf([&] { toGaussKrueger(c.p); }),
                  c.gk ? QStringLiteral("<no error>") : germany);
        EXPECT_EQ(errorOf([&] { toLv95(c.p); }), c.lv95 ? QStringLiteral("<no error>") : swiss);
        EXPECT_EQ(errorOf([&] { toRd(c.p); }), c.rd ? QStringLiteral("<no error>") : dutch);
    }
    // The way back: a grid reference that lands outside the country.
    EXPECT_EQ(errorOf([] { fromRd({0, true, 155000, 2000000}); }), dutch);
    double north = 0, east = 0;
    viaEpsgDatabase("EPSG:31468", {47.2692, 11.4041}, north, east);
    EXPECT_EQ(errorOf([&] { fromGaussKrueger({4, true, east, north}); }), germany);
}
