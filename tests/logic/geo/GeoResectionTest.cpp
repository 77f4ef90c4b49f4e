#include "logic/geo/GeoResection.h"

#include "GeoTestSupport.h"

#include <GeographicLib/Geodesic.hpp>

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

double azimuth(GeoPoint from, GeoPoint to)
{
    double s12, azi1, azi2;
    GeographicLib::Geodesic::WGS84().Inverse(from.lat, from.lon, to.lat, to.lon, s12, azi1, azi2);
    return azi1;
}

// The clockwise angle at p from the direction to x to the direction to y, in [0, 360).
double clockwise(GeoPoint p, GeoPoint x, GeoPoint y)
{
    const double a = std::fmod(azimuth(p, y) - azimuth(p, x) + 720.0, 360.0);
    return a;
}

} // namespace

// The angles are measured with GeographicLib from a known standpoint; the resection must give
// that standpoint back to 1 mm.
TEST(GeoResection, FindsTheStandpointTheAnglesWereMeasuredFrom)
{
    GeoTest::RandomPoints random(3838);
    int solved = 0;
    for (int i = 0; i < 200; ++i) {
        SCOPED_TRACE(i);
        const GeoPoint p = random.next();
        if (std::abs(p.lat) > 85)
            continue;
        const double reach = random.uniform(200, 50000);
        GeoPoint known[3];
        for (GeoPoint &k : known) {
            double lat, lon;
            GeographicLib::Geodesic::WGS84().Direct(p.lat, p.lon, random.uniform(0, 360),
                                                    random.uniform(0.2, 1.0) * reach, lat, lon);
            k = {lat, lon};
        }
        const double ab = clockwise(p, known[0], known[1]), bc = clockwise(p, known[1], known[2]);
        if (ab < 1 || ab > 359 || bc < 1 || bc > 359)
            continue;
        try {
            const Resection r = resect(known[0], known[1], known[2], ab, bc);
            EXPECT_LT(gap(r.standpoint, p), 1e-3);
            ++solved;
        } catch (const QuarvelError &error) {
            // Only a standpoint near the danger circle may be refused.
            EXPECT_TRUE(error.message().contains(QStringLiteral("gefährlichen Kreis")))
                << error.message().toStdString();
        }
    }
    EXPECT_GT(solved, 150);
}

TEST(GeoResection, SurveyOfThreeTowers)
{
    // Three church towers round a cache, angles read off a compass at the cache.
    const GeoPoint cache {52.5163, 13.3777};
    const GeoPoint a {52.5200, 13.3700}, b {52.5250, 13.3900}, c {52.5080, 13.3950};
    const Resection r = resect(a, b, c, clockwise(cache, a, b), clockwise(cache, b, c));
    EXPECT_LT(gap(r.standpoint, cache), 1e-3);
    EXPECT_TRUE(r.warning.isEmpty());
    EXPECT_GT(r.dangerCircleDistance, 0.0);
}

TEST(GeoResection, NamesTheDangerCircle)
{
    // A standpoint on the circle through A, B and C sees the same angles from everywhere on it.
    const GeoPoint centre {47.0, 8.0};
    GeoPoint on[4];
    for (int i = 0; i < 4; ++i) {
        double lat, lon;
        GeographicLib::Geodesic::WGS84().Direct(centre.lat, centre.lon, 90.0 * i + 10, 2000, lat,
                                                lon);
        on[i] = {lat, lon};
    }
    const QString error = errorOf([&] {
        resect(on[1], on[2], on[3], clockwise(on[0], on[1], on[2]), clockwise(on[0], on[2], on[3]));
    });
    EXPECT_TRUE(error.contains(QStringLiteral("gefährlichen Kreis"))) << error.toStdString();
}

TEST(GeoResection, RefusesWhatIsNoResection)
{
    const GeoPoint a {52.52, 13.37}, b {52.525, 13.39}, c {52.508, 13.395};
    const struct
    {
        const char *name;
        GeoPoint a, b, c;
        double ab, bc;
        QString error;
    } cases[] = {
        {"angle 0", a, b, c, 0, 90,
         QStringLiteral("Der Winkel AB muss größer als 0° und kleiner als 360° sein")},
        {"angle 360", a, b, c, 90, 360,
         QStringLiteral("Der Winkel BC muss größer als 0° und kleiner als 360° sein")},
        {"angle NaN", a, b, c, NAN, 90, QStringLiteral("Der Winkel AB ist keine endliche Zahl")},
        {"same points", a, a, c, 90, 90,
         QStringLiteral("Zwei der bekannten Punkte fallen zusammen")},
        {"too far apart",
         {0, 0},
         {0, 5},
         {9.1, 0},
         90,
         90,
         QStringLiteral("Die bekannten Punkte liegen mehr als 1000 km auseinander: das ist keine "
                        "Rückwärtsschnitt-Aufgabe")},
        {"within 1000 km", {0, 0}, {0, 5}, {5, 0}, 120, 120, QString()},
    };
    for (const auto &t : cases) {
        SCOPED_TRACE(t.name);
        const QString error = errorOf([&] { resect(t.a, t.b, t.c, t.ab, t.bc); });
        if (t.error.isEmpty())
            EXPECT_FALSE(error.contains(QStringLiteral("1000 km"))) << error.toStdString();
        else
            EXPECT_EQ(error, t.error);
    }
}
