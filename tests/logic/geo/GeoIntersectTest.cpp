#include "logic/geo/GeoIntersect.h"

#include "GeoTestSupport.h"
#include "logic/geo/GeoCalc.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <gtest/gtest.h>

using namespace Geo;
using GeoTest::errorOf;

namespace {

double distance(GeoPoint a, GeoPoint b)
{
    return distanceAndBearing(a, b).distance;
}

double misfit(const Circle &circle, GeoPoint p)
{
    return std::abs(distance(circle.centre, p) - circle.radius);
}

} // namespace

TEST(GeoIntersect, TwoBearingLinesCrossOnBothLinesOnTenThousandRandomPairs)
{
    GeoTest::RandomPoints random(30);
    int refused = 0;
    for (int i = 0; i < 10000; ++i) {
        // A crossing point chosen first; the lines are aimed at it from two random starts.
        const GeoPoint cross = random.next();
        const GeoPoint a = project(cross, random.uniform(0, 360), random.uniform(10, 5e6));
        const GeoPoint b = project(cross, random.uniform(0, 360), random.uniform(10, 5e6));
        const BearingLine first {a, distanceAndBearing(a, cross).initialBearing};
        const BearingLine second {b, distanceAndBearing(b, cross).initialBearing};
        GeoPoint found;
        try {
            found = intersectBearings(first, second);
        } catch (const QuarvelError &) {
            ++refused; // lines nearly on one another: refused, never a wrong point
            continue;
        }
        ASSERT_LT(distanceToLine(first, found), 1e-3) << i;
        ASSERT_LT(distanceToLine(second, found), 1e-3) << i;
    }
    EXPECT_LT(refused, 20);
}

TEST(GeoIntersect, BearingLineAndCircleMeetOnBothOnRandomCases)
{
    GeoTest::RandomPoints random(31);
    int points = 0;
    for (int i = 0; i < 10000; ++i) {
        const GeoPoint start = random.next();
        const BearingLine line {start, random.uniform(0, 360)};
        const Circle circle {project(start, random.uniform(0, 360), random.uniform(0, 20000)),
                             random.uniform(1, 20000)};
        QList<GeoPoint> found;
        try {
            found = intersectLineCircle(line, circle);
        } catch (const QuarvelError &) {
            continue;
        }
        for (const GeoPoint &p : found) {
            ++points;
            ASSERT_LT(distanceToLine(line, p), 1e-3) << i;
            ASSERT_LT(misfit(circle, p), 1e-3) << i;
        }
    }
    EXPECT_GT(points, 5000);
}

TEST(GeoIntersect, TwoCirclesGiveBothPointsOnBothCirclesOnTenThousandRandomPairs)
{
    GeoTest::RandomPoints random(32);
    for (int i = 0; i < 10000; ++i) {
        // Two circles through the same two random points always cross there.
        const GeoPoint p = random.next();
        const GeoPoint q = project(p, random.uniform(0, 360), random.uniform(1, 50000));
        const GeoPoint c1 = project(p, random.uniform(0, 360), random.uniform(1, 50000));
        const GeoPoint c2 = project(p, random.uniform(0, 360), random.uniform(1, 50000));
        const Circle first {c1, distance(c1, p)}, second {c2, distance(c2, p)};
        QList<GeoPoint> found;
        try {
            found = intersectCircles(first, second);
        } catch (const QuarvelError &) {
            continue; // same centre: refused
        }
        ASSERT_FALSE(found.isEmpty());
        bool foundP = false;
        for (const GeoPoint &x : found) {
            ASSERT_LT(misfit(first, x), 1e-3) << i;
            ASSERT_LT(misfit(second, x), 1e-3) << i;
            foundP = foundP || distance(x, p) < 1e-2;
        }
        ASSERT_TRUE(foundP) << i;
        (void)q;
    }
}

TEST(GeoIntersect, TrilaterationFindsThePointThreeExactCirclesShare)
{
    GeoTest::RandomPoints random(33);
    for (int i = 0; i < 2000; ++i) {
        const GeoPoint target = random.next();
        Circle circles[3];
        for (Circle &circle : circles) {
            circle.centre = project(target, random.uniform(0, 360), random.uniform(100, 20000));
            circle.radius = distance(circle.centre, target);
        }
        const BestFit fit = trilaterate(circles[0], circles[1], circles[2]);
        for (int k = 0; k < 3; ++k)
            ASSERT_LT(std::abs(fit.misfit[k]), 1e-3) << i;
        ASSERT_LT(distance(fit.point, target), 0.05) << i;
    }
}

TEST(GeoIntersect, TrilaterationOfInconsistentRadiiIsABestFit)
{
    // Three radii from a cache description rounded to whole metres, one 5 m off.
    const GeoPoint target {52.5, 13.4};
    Circle circles[3] = {{project(target, 10, 800), 800},
                         {project(target, 130, 650), 655},
                         {project(target, 250, 700), 700}};
    const BestFit fit = trilaterate(circles[0], circles[1], circles[2]);
    EXPECT_LT(distance(fit.point, target), 5.0);
    double squares = 0;
    for (double m : fit.misfit)
        squares += m * m;
    EXPECT_GT(squares, 1.0);
    // Moving the result a little makes the fit worse in every direction.
    for (double bearing : {0.0, 90.0, 180.0, 270.0}) {
        const GeoPoint moved = project(fit.point, bearing, 0.05);
        double worse = 0;
        for (const Circle &c : circles)
            worse += std::pow(distance(c.centre, moved) - c.radius, 2);
        EXPECT_GE(worse, squares);
    }
}

TEST(GeoIntersect, NoIntersectionGivesAMessageNeverAPoint)
{
    const GeoPoint berlin {52.5, 13.4};
    const struct
    {
        const char *name;
        std::function<void()> body;
        const char *error;
    } cases[] = {
        {"one geodesic twice",
         [&] {
             const GeoPoint further = project(berlin, 90, 1000);
             intersectBearings({berlin, 90},
                               {further, distanceAndBearing(berlin, further).finalBearing});
         },
         "Die Peilungslinien verlaufen parallel oder auf derselben Linie: kein Schnittpunkt"},
        {"crossing behind a start",
         [&] {
             intersectBearings({berlin, 0}, {project(berlin, 45, 1000), 90});
         },
         "Die Peilungslinien schneiden sich nicht: der Schnittpunkt läge hinter einem Startpunkt"},
        {"circles apart",
         [&] {
             intersectCircles({berlin, 100}, {project(berlin, 0, 300), 100});
         },
         "Die Kreise liegen auseinander: kein Schnittpunkt"},
        {"circle inside circle",
         [&] {
             intersectCircles({berlin, 1000}, {project(berlin, 0, 300), 100});
         },
         "Ein Kreis liegt ganz im anderen: kein Schnittpunkt"},
        {"same centre",
         [&] {
             intersectCircles({berlin, 1000}, {berlin, 100});
         },
         "Die Kreise haben denselben Mittelpunkt"},
        {"line misses circle",
         [&] {
             intersectLineCircle({berlin, 0}, {project(berlin, 90, 1000), 100});
         },
         "Die Peilungslinie erreicht den Kreis nicht"},
        {"circle only behind the start",
         [&] {
             intersectLineCircle({berlin, 0}, {project(berlin, 180, 1000), 100});
         },
         "Die Peilungslinie erreicht den Kreis nicht"},
        {"line grazes the circle 1 cm outside",
         [&] {
             intersectLineCircle({berlin, 0}, {project(berlin, 90, 1000), 999.99});
         },
         "Die Peilungslinie erreicht den Kreis nicht"},
        {"radius zero",
         [&] {
             intersectCircles({berlin, 0}, {project(berlin, 0, 300), 100});
         },
         "Der Radius muss größer als 0 und kleiner als der halbe Erdumfang sein"},
        {"radius too long",
         [&] {
             intersectCircles({berlin, 2.1e7}, {project(berlin, 0, 300), 100});
         },
         "Der Radius muss größer als 0 und kleiner als der halbe Erdumfang sein"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(errorOf(c.body), QString::fromUtf8(c.error));
    }
}

TEST(GeoIntersect, CirclesThatTouchGiveOnePointAndTheLimitsAroundIt)
{
    const GeoPoint a {48.0, 11.0};
    const GeoPoint b = project(a, 90, 1000);
    const struct
    {
        double r2;
        qsizetype points;
    } cases[] = {{599.0, 0}, {600.0, 1}, {601.0, 2}, {1400.0, 1}, {1401.0, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.r2);
        // 400 + 600 = 1000: the circles touch outside; 1400 - 400: inside. A metre less or
        // more and they do not meet.
        try {
            const QList<GeoPoint> found = intersectCircles({a, 400}, {b, c.r2});
            EXPECT_EQ(found.size(), c.points);
        } catch (const QuarvelError &) {
            EXPECT_EQ(c.points, 0);
        }
    }
}

TEST(GeoIntersect, LineThroughTheCircleCentreMeetsItTwiceInOrder)
{
    const GeoPoint start {47.0, 8.0};
    const GeoPoint centre = project(start, 45, 2000);
    const QList<GeoPoint> found = intersectLineCircle({start, 45}, {centre, 500});
    ASSERT_EQ(found.size(), 2);
    EXPECT_NEAR(distance(start, found[0]), 1500, 1e-3);
    EXPECT_NEAR(distance(start, found[1]), 2500, 1e-3);
    // Starting inside the circle, only the forward point is on the line.
    const QList<GeoPoint> inside = intersectLineCircle({centre, 45}, {centre, 500});
    ASSERT_EQ(inside.size(), 1);
    EXPECT_NEAR(distanceAndBearing(centre, inside[0]).initialBearing, 45, 1e-6);
}

namespace {

// The smallest distance from p to the line's geodesic between `from` and `to` metres along it,
// found by sampling and then narrowing; independent of the code under test.
double distanceToStretch(const BearingLine &line, GeoPoint p, double from, double to)
{
    const GeographicLib::GeodesicLine geodesic(GeographicLib::Geodesic::WGS84(), line.start.lat,
                                               line.start.lon, line.bearing);
    auto at = [&](double s) {
        GeoPoint q;
        geodesic.Position(s, q.lat, q.lon);
        return distance(q, p);
    };
    double best = from;
    for (double s = from; s <= to; s += 1000.0)
        best = at(s) < at(best) ? s : best;
    double low = best - 1000.0, high = best + 1000.0;
    for (int i = 0; i < 100; ++i) {
        const double a = low + (high - low) / 3, b = high - (high - low) / 3;
        (at(a) < at(b) ? high : low) = at(a) < at(b) ? b : a;
    }
    return at((low + high) / 2);
}

} // namespace

// Starts a few metres apart whose lines cross behind both starts on the near side: the only
// crossing on both rays lies near their far ends, about 20,000 km away.
TEST(GeoIntersect, CrossingNearTheFarEndOfBothLines)
{
    // The second start lies a few metres to the right of the first line and turns a little
    // further right, so the lines part ahead and met behind the starts.
    const struct
    {
        const char *name;
        GeoPoint start;
        double bearing, apart, turn;
    } cases[] = {
        {"equator, heading north", {0.0, 0.0}, 0.0, 5.0, 0.001},
        {"mid latitudes", {45.0, 7.0}, 30.0, 3.0, 0.002},
        {"southern hemisphere", {-33.9, 18.4}, 200.0, 3.0, 0.003},
        {"near the equator, heading east", {0.5, 10.0}, 90.0, 4.0, 0.001},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const BearingLine first {c.start, c.bearing};
        const BearingLine second {project(c.start, c.bearing + 90.0, c.apart), c.bearing + c.turn};
        const GeoPoint p = intersectBearings(first, second);
        EXPECT_GT(distance(first.start, p), 19e6);
        EXPECT_GT(distance(second.start, p), 19e6);
        EXPECT_LT(distanceToStretch(first, p, 18e6, 20.04e6), 1e-3);
        EXPECT_LT(distanceToStretch(second, p, 18e6, 20.04e6), 1e-3);
    }
}

TEST(GeoIntersect, BearingsBeyondTenTurnsAreRefused)
{
    const GeoPoint berlin {52.5, 13.4};
    const struct
    {
        double bearing;
        bool refused;
    } cases[] = {
        {3600.0, false}, {-3600.0, false}, {3600.001, true}, {-3600.001, true}, {1e308, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bearing);
        const QString error = errorOf([&] {
            intersectBearings({berlin, c.bearing}, {project(berlin, 90, 1000), 0});
        });
        EXPECT_EQ(error.contains(u"Die Peilung ist zu groß"), c.refused) << error.toStdString();
    }
}

// A line that starts on the circle meets it there; heading outward that is its only point,
// heading inward it crosses the circle again on the far side. Just outside the circle and
// heading away it misses; just inside it meets the circle a metre ahead.
TEST(GeoIntersect, ALineThatStartsOnTheCircle)
{
    const GeoPoint centre {52.5, 13.4};
    const Circle circle {centre, 500.0};
    const GeoPoint north = project(centre, 0.0, 500.0);
    for (double bearing : {0.0, 30.0, 330.0, 89.0}) {
        SCOPED_TRACE(bearing);
        const QList<GeoPoint> points = intersectLineCircle({north, bearing}, circle);
        ASSERT_EQ(points.size(), 1);
        EXPECT_LT(distanceAndBearing(points[0], north).distance, 0.001);
    }
    const QList<GeoPoint> through = intersectLineCircle({north, 180.0}, circle);
    ASSERT_EQ(through.size(), 2);
    EXPECT_LT(distanceAndBearing(through[0], north).distance, 0.001);
    EXPECT_LT(distanceAndBearing(through[1], project(centre, 180.0, 500.0)).distance, 0.001);

    EXPECT_FALSE(errorOf([&] {
                     intersectLineCircle({project(centre, 0.0, 501.0), 0.0}, circle);
                 }).isEmpty());
    const QList<GeoPoint> inside = intersectLineCircle({project(centre, 0.0, 499.0), 0.0}, circle);
    ASSERT_EQ(inside.size(), 1);
    EXPECT_LT(distanceAndBearing(inside[0], north).distance, 0.001);
}
