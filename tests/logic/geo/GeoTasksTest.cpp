#include "logic/geo/GeoTasks.h"

#include "GeoTestSupport.h"
#include "logic/geo/GeoCalc.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Rhumb.hpp>

#include <cmath>

#include <gtest/gtest.h>

using namespace Geo;
using GeoTest::errorOf;

namespace {

double gap(GeoPoint a, GeoPoint b)
{
    double s12 = 0;
    GeographicLib::Geodesic::WGS84().Inverse(a.lat, a.lon, b.lat, b.lon, s12);
    return s12;
}

const QString kNoError = QStringLiteral("<no error>");

} // namespace

// The surface centroid is the geodetic position of the mean ECEF vector, computed here with
// GeographicLib's Geocentric directly; the arithmetic mean is the plain one.
TEST(GeoTasks, CentroidIsTheMeanVectorCarriedAlongTheNormal)
{
    GeoTest::RandomPoints random(38);
    const auto &earth = GeographicLib::Geocentric::WGS84();
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        QList<GeoPoint> points;
        double sum[3] = {0, 0, 0}, lat = 0, lon = 0;
        const GeoPoint centre = random.next();
        for (int i = 0; i < 2 + round % 7; ++i) {
            GeoPoint p {std::clamp(centre.lat + random.uniform(-2, 2), -90.0, 90.0),
                        std::clamp(centre.lon + random.uniform(-2, 2), -180.0, 180.0)};
            points.append(p);
            double x, y, z;
            earth.Forward(p.lat, p.lon, 0, x, y, z);
            sum[0] += x, sum[1] += y, sum[2] += z;
            lat += p.lat, lon += p.lon;
        }
        const double n = points.size();
        GeoPoint expected;
        double h;
        earth.Reverse(sum[0] / n, sum[1] / n, sum[2] / n, expected.lat, expected.lon, h);
        const Centroid c = centroid(points);
        EXPECT_LT(gap(c.surface, expected), 1e-3);
        EXPECT_NEAR(c.arithmetic.lat, lat / n, 1e-12);
        EXPECT_NEAR(c.arithmetic.lon, lon / n, 1e-12);
    }
    // Two points on the equator 90° apart: the surface centroid lies between them at 45° E.
    const Centroid quarter = centroid({{0, 0}, {0, 90}});
    EXPECT_NEAR(quarter.surface.lat, 0.0, 1e-12);
    EXPECT_NEAR(quarter.surface.lon, 45.0, 1e-12);
}

TEST(GeoTasks, CentroidLimits)
{
    QList<GeoPoint> many(kMostCentroidPoints, GeoPoint {52, 13});
    const struct
    {
        const char *name;
        QList<GeoPoint> points;
        QString error;
    } cases[] = {
        {"one point",
         {{52, 13}},
         QStringLiteral("Für einen Schwerpunkt braucht es mindestens 2 Punkte")},
        {"two points", {{52, 13}, {53, 14}}, kNoError},
        {"most points", many, kNoError},
        {"one too many", many + QList<GeoPoint> {{52, 13}},
         QStringLiteral("Höchstens 1000 Punkte für einen Schwerpunkt, nicht 1001")},
        {"antipodes",
         {{10, 20}, {-10, -160}},
         QStringLiteral("Die Punkte heben sich auf: ihr Schwerpunkt liegt im Erdmittelpunkt und "
                        "hat keine Position auf der Erde")},
        {"bad latitude",
         {{91, 0}, {0, 0}},
         QStringLiteral("Die Breite muss zwischen S 90° und N 90° liegen")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(errorOf([&] { centroid(c.points); }), c.error);
    }
}

TEST(GeoTasks, AntipodeIsExactAndItsOwnInverse)
{
    const struct
    {
        GeoPoint p, expected;
    } cases[] = {
        {{52.5, 13.4}, {-52.5, -166.6}},
        {{-33.9, -70.6}, {33.9, 109.4}},
        {{0, 0}, {0, 180}},
        {{0, 180}, {0, 0}},
        {{0, -180}, {0, 0}},
        {{90, 0}, {-90, 180}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.p.lat << " " << c.p.lon);
        const GeoPoint a = antipode(c.p);
        EXPECT_DOUBLE_EQ(a.lat, c.expected.lat);
        EXPECT_NEAR(a.lon, c.expected.lon, 1e-12);
        // On the ellipsoid the geodesic to the antipode is half a meridian long.
        if (std::abs(c.p.lat) < 90) {
            EXPECT_NEAR(gap(c.p, a), 20003931.4586, 1e-3);
        }
    }
}

TEST(GeoTasks, RhumbLinesAgreeWithGeographicLib)
{
    GeoTest::RandomPoints random(3801);
    const auto &rhumb = GeographicLib::Rhumb::WGS84();
    for (int i = 0; i < 200; ++i) {
        SCOPED_TRACE(i);
        const GeoPoint a = random.next(), b = random.next();
        double s12, azi;
        rhumb.Inverse(a.lat, a.lon, b.lat, b.lon, s12, azi);
        const RhumbCourse course = rhumbInverse(a, b);
        EXPECT_NEAR(course.distance, s12, 1e-3);
        EXPECT_NEAR(std::remainder(course.course - azi, 360.0), 0.0, 1e-9);
        const double distance = random.uniform(0, 5e6);
        const double bearing = random.uniform(0, 360);
        double lat2, lon2;
        rhumb.Direct(a.lat, a.lon, bearing, distance, lat2, lon2);
        if (!std::isfinite(lat2) || !std::isfinite(lon2)) {
            EXPECT_NE(errorOf([&] { rhumbDirect(a, bearing, distance); }), kNoError);
            continue;
        }
        EXPECT_LT(gap(rhumbDirect(a, bearing, distance), {lat2, lon2}), 1e-3);
    }
}

TEST(GeoTasks, RhumbLineStopsAtThePole)
{
    // Due north from the equator the pole is a quarter meridian away: up to it, not beyond.
    const double quarter = 10001965.7293;
    EXPECT_NEAR(rhumbDirect({0, 0}, 0, quarter - 1).lat, 90.0, 1e-4);
    EXPECT_EQ(errorOf([&] {
                  rhumbDirect({0, 0}, 0, quarter + 1);
              }),
              QStringLiteral("Die Loxodrome erreicht vorher den Pol: so weit führt dieser Kurs "
                             "nicht"));
    // Due east it runs round the equator for ever and wraps round the date line.
    const GeoPoint east = rhumbDirect({0, 170}, 90, 40075016.6856 / 36 * 2);
    EXPECT_NEAR(east.lon, -170.0, 1e-9);
    EXPECT_EQ(errorOf([] {
                  rhumbDirect({0, 0}, 90, kLongestDistance + 1);
              }),
              QStringLiteral("Die Entfernung ist zu groß: mehr als 1.000.000 km (25-mal um die "
                             "Erde) ist kein sinnvoller Wert"));
}

TEST(GeoTasks, DivisionGivesEqualGeodesicSegments)
{
    const GeoPoint a {52.5208, 13.4094}, b {48.1372, 11.5755};
    double total, azi1, azi2;
    GeographicLib::Geodesic::WGS84().Inverse(a.lat, a.lon, b.lat, b.lon, total, azi1, azi2);
    for (int n : {kFewestSegments, 3, 7, kMostSegments}) {
        SCOPED_TRACE(n);
        const QList<GeoPoint> points = divideGeodesic(a, b, n);
        ASSERT_EQ(points.size(), n - 1);
        for (int i = 0; i < n - 1; ++i) {
            double lat, lon;
            GeographicLib::Geodesic::WGS84().Direct(a.lat, a.lon, azi1, total * (i + 1) / n, lat,
                                                    lon);
            EXPECT_LT(gap(points[i], {lat, lon}), 1e-3) << i;
        }
    }
    for (int n : {kFewestSegments - 1, kMostSegments + 1})
        EXPECT_EQ(errorOf([&] { divideGeodesic(a, b, n); }),
                  QStringLiteral("Die Anzahl der Teile muss zwischen 2 und 1000 liegen"));
}

TEST(GeoTasks, EquilateralApexesHaveThreeEqualSides)
{
    const struct
    {
        const char *name;
        GeoPoint a, b;
    } cases[] = {
        {"short, east", {52.5, 13.4}, {52.5, 13.41}},
        {"long, north", {10, 20}, {30, 20}},
        {"across the date line", {-40, 179.5}, {-40.2, -179.7}},
        {"1 cm", {0, 0}, {0, 1e-7}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Apexes apex = equilateralApexes(c.a, c.b);
        const double side = gap(c.a, c.b);
        EXPECT_NEAR(apex.side, side, 1e-6);
        for (GeoPoint p : {apex.left, apex.right}) {
            EXPECT_NEAR(gap(p, c.a), side, 1e-3);
            EXPECT_NEAR(gap(p, c.b), side, 1e-3);
        }
        const double ab = distanceAndBearing(c.a, c.b).initialBearing;
        EXPECT_GT(std::remainder(ab - distanceAndBearing(c.a, apex.left).initialBearing, 360.0),
                  0.0);
        EXPECT_LT(std::remainder(ab - distanceAndBearing(c.a, apex.right).initialBearing, 360.0),
                  0.0);
    }
    EXPECT_EQ(errorOf([] {
                  equilateralApexes({1, 1}, {1, 1});
              }),
              QStringLiteral("Die beiden Punkte fallen zusammen: es gibt kein Dreieck über ihnen"));
    EXPECT_EQ(errorOf([] {
                  equilateralApexes({0, 0}, {0, 170});
              }),
              QStringLiteral("Über diesen Punkten gibt es auf dem Ellipsoid kein gleichseitiges "
                             "Dreieck: sie liegen zu weit auseinander"));
}

TEST(GeoTasks, OffsetInMinutesAndLimits)
{
    const struct
    {
        const char *name;
        GeoPoint p;
        double north, east;
        GeoPoint expected;
        QString error;
    } cases[] = {
        {"listing offset", {52.5, 13.4}, 0.25, -0.125, {52.5 + 0.25 / 60, 13.4 - 0.125 / 60}, {}},
        {"to the pole", {89.5, 0}, 30, 0, {90, 0}, {}},
        {"beyond the pole",
         {89.5, 0},
         30.0001,
         0,
         {},
         QStringLiteral("Der Versatz nach Norden "
                        "oder Süden führt über den "
                        "Pol hinaus")},
        {"over the date line", {0, 179.5}, 0, 60, {0, -179.5}, {}},
        {"largest", {0, 0}, 0, kLargestOffsetMinutes, {0, 0}, {}},
        {"too large",
         {0, 0},
         0,
         kLargestOffsetMinutes + 1,
         {},
         QStringLiteral("Ein Versatz von mehr als 21600' (360°) ist kein sinnvoller Wert")},
        {"not finite", {0, 0}, NAN, 0, {}, QStringLiteral("Der Versatz ist keine endliche Zahl")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.error.isEmpty()) {
            EXPECT_EQ(errorOf([&] { offsetByMinutes(c.p, c.north, c.east); }), c.error);
            continue;
        }
        const GeoPoint moved = offsetByMinutes(c.p, c.north, c.east);
        EXPECT_NEAR(moved.lat, c.expected.lat, 1e-12);
        EXPECT_NEAR(std::remainder(moved.lon - c.expected.lon, 360.0), 0.0, 1e-12);
    }
}

TEST(GeoTasks, OffsetInMetresIsOneGeodesic)
{
    GeoTest::RandomPoints random(380);
    for (int i = 0; i < 100; ++i) {
        SCOPED_TRACE(i);
        const GeoPoint p = random.next();
        const double north = random.uniform(-5000, 5000), east = random.uniform(-5000, 5000);
        double lat, lon;
        GeographicLib::Geodesic::WGS84().Direct(p.lat, p.lon, std::atan2(east, north) * 180 / M_PI,
                                                std::hypot(north, east), lat, lon);
        EXPECT_LT(gap(offsetByMetres(p, north, east), {lat, lon}), 1e-3);
    }
    EXPECT_EQ(errorOf([] { offsetByMetres({0, 0}, kLongestDistance, 0); }), kNoError);
    EXPECT_NE(errorOf([] { offsetByMetres({0, 0}, kLongestDistance, 1e3); }), kNoError);
}
