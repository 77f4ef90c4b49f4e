#include "logic/geo/GeoCalc.h"

#include "GeoTestSupport.h"
#include "logic/geo/GeoIntersect.h"

#include <GeographicLib/Geodesic.hpp>

#include <gtest/gtest.h>

using namespace Geo;
using GeoTest::dms;
using GeoTest::errorOf;

namespace {

double angleDifference(double a, double b)
{
    return std::abs(std::remainder(a - b, 360.0));
}

} // namespace

// Worked examples from C. F. F. Karney, "Algorithms for geodesics", J. Geodesy 87 (2013), the
// paper GeographicLib implements (its direct example and two of its inverse examples, the
// second nearly antipodal), and the GeodSolve documentation's route JFK to Singapore Changi.
TEST(GeoCalc, PublishedWorkedExamplesOnWgs84)
{
    {
        SCOPED_TRACE("Karney 2013, direct: 40°, 30°, 10 000 km");
        const GeoPoint target = project({40.0, 0.0}, 30.0, 10e6);
        EXPECT_NEAR(target.lat, 41.79331020506, 1e-11);
        const DistanceBearing d = distanceAndBearing({40.0, 0.0}, target);
        EXPECT_NEAR(d.finalBearing, 149.09016931807, 1e-9);
        EXPECT_NEAR(d.distance, 10e6, 1e-6);
    }
    {
        SCOPED_TRACE("Karney 2013, inverse: short line of about 5 m");
        const DistanceBearing d = distanceAndBearing({-30.12345, 0.0}, {-30.12344, 0.00005});
        EXPECT_NEAR(d.distance, 4.944208, 1e-6);
        EXPECT_NEAR(d.initialBearing, 77.04353354237, 1e-8);
        EXPECT_NEAR(d.finalBearing, 77.04350844913, 1e-8);
    }
    {
        SCOPED_TRACE("Karney 2013, inverse: nearly antipodal");
        const DistanceBearing d = distanceAndBearing({-30.0, 0.0}, {29.9, 179.8});
        EXPECT_NEAR(d.distance, 19989832.827610, 1e-6);
        EXPECT_NEAR(d.initialBearing, 161.890524736, 1e-9);
        EXPECT_NEAR(d.finalBearing, 18.090737246, 1e-9);
    }
    {
        SCOPED_TRACE("GeodSolve documentation: JFK to Singapore Changi");
        const DistanceBearing d = distanceAndBearing({dms(40, 38, 23), -dms(73, 46, 44)},
                                                     {dms(1, 21, 33), dms(103, 59, 22)});
        EXPECT_NEAR(d.distance, 15347628, 0.5);
        EXPECT_NEAR(d.initialBearing, dms(3, 18, 29.9), 0.05 / 3600);
        EXPECT_NEAR(d.finalBearing, dms(177, 29, 9.2), 0.05 / 3600);
    }
}

// T. Vincenty, "Direct and inverse solutions of geodesics on the ellipsoid with application of
// nested equations", Survey Review 23 (1975), test lines (a) to (e): line (a) on the Bessel
// ellipsoid, the others on the International ellipsoid. Lines (d) and (e) are nearly
// antipodal, where Vincenty's own iteration converges slowly or not at all; the algorithm
// behind our functions gives every distance to the millimetre and the bearings to Vincenty's
// published 0.00002", except line (d), whose published bearings carry the error of his series
// (about 0.001").
TEST(GeoCalc, VincentyTestLinesIncludingNearlyAntipodal)
{
    struct Line
    {
        const char *name;
        double a, f, lat1, lat2, lon2, azi1, azi2, s, seconds;
    };
    const double bessel = 1 / 299.1528128, international = 1 / 297.0;
    const Line lines[] = {
        {"(a)", 6377397.155, bessel, dms(55, 45, 0), -dms(33, 26, 0), dms(108, 13, 0),
         dms(96, 36, 8.79960), dms(137, 52, 22.01454), 14110526.170, 2e-5},
        {"(b)", 6378388, international, dms(37, 19, 54.95367), dms(26, 7, 42.83946),
         dms(41, 28, 35.50729), dms(95, 27, 59.63089), dms(118, 5, 58.96161), 4085966.703, 2e-5},
        {"(c)", 6378388, international, dms(35, 16, 11.24862), dms(67, 22, 14.77638),
         dms(137, 47, 28.31435), dms(15, 44, 23.74850), dms(144, 55, 39.92147), 8084823.839, 2e-5},
        {"(d)", 6378388, international, dms(1, 0, 0), -dms(0, 59, 53.83076), dms(179, 17, 48.02997),
         dms(89, 0, 0), dms(91, 0, 6.11733), 19960000.000, 2e-3},
        {"(e)", 6378388, international, dms(1, 0, 0), dms(1, 1, 15.18952), dms(179, 46, 17.84244),
         dms(4, 59, 59.99995), dms(174, 59, 59.88481), 19780006.558, 2e-5},
    };
    for (const Line &line : lines) {
        SCOPED_TRACE(line.name);
        const GeographicLib::Geodesic ellipsoid(line.a, line.f);
        double s = 0, azi1 = 0, azi2 = 0;
        ellipsoid.Inverse(line.lat1, 0.0, line.lat2, line.lon2, s, azi1, azi2);
        EXPECT_NEAR(s, line.s, 1e-3);
        EXPECT_LT(angleDifference(azi1, line.azi1), line.seconds / 3600);
        EXPECT_LT(angleDifference(azi2, line.azi2), line.seconds / 3600);
    }
}

TEST(GeoCalc, NearlyAntipodalPointsOnWgs84RoundTrip)
{
    for (double offset : {0.0, 1e-9, 1e-6, 0.01, 0.5}) {
        SCOPED_TRACE(offset);
        const GeoPoint from {0.5, 10.0};
        const GeoPoint to {-0.5 + offset, -170.0 + offset};
        const DistanceBearing d = distanceAndBearing(from, to);
        const GeoPoint back = project(from, d.initialBearing, d.distance);
        EXPECT_LT(distanceAndBearing(back, to).distance, 1e-6);
    }
}

TEST(GeoCalc, DirectThenInverseGivesTheDistanceBackOnTenThousandRandomPairs)
{
    GeoTest::RandomPoints random(20);
    for (int i = 0; i < 10000; ++i) {
        const GeoPoint start = random.next();
        const double bearing = random.uniform(0.0, 360.0);
        const double distance = random.uniform(0.0, 19.9e6);
        const GeoPoint target = project(start, bearing, distance);
        const DistanceBearing d = distanceAndBearing(start, target);
        ASSERT_NEAR(d.distance, distance, 1e-6) << i;
        if (distance > 1.0 && std::abs(start.lat) < 89.9) {
            ASSERT_LT(angleDifference(d.initialBearing, bearing), 1e-8) << i;
        }
    }
}

TEST(GeoCalc, ReverseProjectionLeadsFromTheTargetBackToThePoint)
{
    GeoTest::RandomPoints random(21);
    for (int i = 0; i < 1000; ++i) {
        const GeoPoint point = random.next(), target = random.next();
        const DistanceBearing back = reverseProjection(point, target);
        ASSERT_LT(
            distanceAndBearing(project(target, back.initialBearing, back.distance), point).distance,
            1e-6);
        // The way back leaves the target opposite to the way there arrived.
        ASSERT_LT(angleDifference(back.initialBearing,
                                  distanceAndBearing(point, target).finalBearing + 180.0),
                  1e-7);
    }
}

TEST(GeoCalc, MidpointIsHalfwayOnTheGeodesic)
{
    GeoTest::RandomPoints random(22);
    for (int i = 0; i < 1000; ++i) {
        const GeoPoint a = random.next(), b = random.next();
        const GeoPoint m = midpoint(a, b);
        const double whole = distanceAndBearing(a, b).distance;
        ASSERT_NEAR(distanceAndBearing(a, m).distance, whole / 2, 1e-6);
        ASSERT_NEAR(distanceAndBearing(m, b).distance, whole / 2, 1e-6);
    }
    const GeoPoint equator = midpoint({0, 0}, {0, 90});
    EXPECT_NEAR(equator.lat, 0.0, 1e-12);
    EXPECT_NEAR(equator.lon, 45.0, 1e-12);
}

TEST(GeoCalc, CentreOfThreeIsEquallyFarFromEach)
{
    GeoTest::RandomPoints random(23);
    for (int i = 0; i < 1000; ++i) {
        const GeoPoint a = random.next();
        const GeoPoint b = project(a, random.uniform(0, 360), random.uniform(10, 50000));
        const GeoPoint c = project(a, random.uniform(0, 360), random.uniform(10, 50000));
        Centre centre;
        try {
            centre = centreOfThree(a, b, c);
        } catch (const QuarvelError &) {
            continue; // three points nearly on one line: refused, never a wrong point
        }
        for (GeoPoint p : {a, b, c})
            ASSERT_NEAR(distanceAndBearing(centre.point, p).distance, centre.distance, 1e-3) << i;
    }
    // Three points on the equator: the pole is equally far from all of them.
    EXPECT_NEAR(std::abs(centreOfThree({0, 0}, {0, 1}, {0, 2}).point.lat), 90.0, 1e-9);
    EXPECT_EQ(errorOf([] {
                  centreOfThree({50, 8}, {50, 8}, {50, 9});
              }),
              QStringLiteral("Zwei der Punkte fallen zusammen: es gibt keinen eindeutigen "
                             "Mittelpunkt"));
    EXPECT_EQ(errorOf([] {
                  centreOfThree({50, 8}, {50, 8.0000001}, {50, 9});
              }),
              QStringLiteral("<no error>"));
}

TEST(GeoCalc, RefusesPointsOutsideTheRangesAndBadNumbers)
{
    const struct
    {
        GeoPoint p;
        const char *error;
    } cases[] = {
        {{90.0, 0.0}, nullptr},
        {{-90.0, 180.0}, nullptr},
        {{90.000001, 0.0}, "Die Breite muss zwischen S 90° und N 90° liegen"},
        {{-90.000001, 0.0}, "Die Breite muss zwischen S 90° und N 90° liegen"},
        {{0.0, -180.0}, nullptr},
        {{0.0, 180.000001}, "Die Länge muss zwischen W 180° und E 180° liegen"},
        {{0.0, -180.000001}, "Die Länge muss zwischen W 180° und E 180° liegen"},
        {{std::nan(""), 0.0}, "Die Breite ist keine endliche Zahl"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.p.lat);
        SCOPED_TRACE(c.p.lon);
        EXPECT_EQ(errorOf([&] { checkPoint(c.p); }),
                  c.error ? QString::fromUtf8(c.error) : QStringLiteral("<no error>"));
    }
    EXPECT_EQ(errorOf([] {
                  project({0, 0}, 10, -0.001);
              }),
              QStringLiteral("Die Entfernung darf nicht negativ sein"));
    EXPECT_EQ(errorOf([] { project({0, 0}, 10, 0.0); }), QStringLiteral("<no error>"));
    EXPECT_EQ(errorOf([] {
                  project({0, 0}, INFINITY, 1.0);
              }),
              QStringLiteral("Die Peilung ist keine endliche Zahl"));
}
