#include "logic/map/MapShapes.h"

#include <GeographicLib/Geodesic.hpp>

#include <gtest/gtest.h>

using namespace Map;

namespace {

const GeographicLib::Geodesic &wgs84()
{
    return GeographicLib::Geodesic::WGS84();
}

double metresBetween(Geo::GeoPoint a, Geo::GeoPoint b)
{
    double s = 0;
    wgs84().Inverse(a.lat, a.lon, b.lat, b.lon, s);
    return s;
}

// The map draws straight pieces between the samples; halfway along each piece the drawing must
// stay within a metre of the true geodesic (GeographicLib's point halfway along the piece).
double worstChordError(const Polyline &line)
{
    double worst = 0;
    for (qsizetype i = 1; i < line.points.size(); ++i) {
        const Geo::GeoPoint a = line.points[i - 1];
        const Geo::GeoPoint b = line.points[i];
        const Geo::GeoPoint drawn {(a.lat + b.lat) / 2, (a.lon + b.lon) / 2};
        double s = 0, azimuth1 = 0, azimuth2 = 0;
        wgs84().Inverse(a.lat, a.lon, b.lat, b.lon, s, azimuth1, azimuth2);
        double lat = 0, lon = 0;
        wgs84().Direct(a.lat, a.lon, azimuth1, s / 2, lat, lon);
        worst = std::max(worst, metresBetween(drawn, {lat, lon}));
    }
    return worst;
}

} // namespace

TEST(MapShapes, GeodesicLinesFollowGeographicLib)
{
    const struct
    {
        const char *what;
        Geo::GeoPoint from, to;
    } cases[] = {
        {"a cache walk", {52.52, 13.41}, {52.53, 13.43}},
        {"Berlin to Munich", {52.52, 13.41}, {48.14, 11.58}},
        {"across the date line", {60, 170}, {55, -170}},
        {"a bearing line of 2000 km to the north-east", {48.0, 11.0}, {61.0, 40.0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const Polyline line = geodesicLine(c.from, c.to);
        EXPECT_LT(metresBetween(line.points.constFirst(), c.from), 1e-6);
        EXPECT_LT(metresBetween(line.points.constLast(), c.to), 1e-3);
        EXPECT_LT(worstChordError(line), 1.0);
    }
}

TEST(MapShapes, BearingLineEndsWhereTheDirectProblemSays)
{
    const Polyline line = bearingLine({52.5, 13.4}, 72.0, 350'000);
    double lat = 0, lon = 0;
    wgs84().Direct(52.5, 13.4, 72.0, 350'000, lat, lon);
    EXPECT_LT(metresBetween(line.points.constLast(), {lat, lon}), 1e-3);
    EXPECT_LT(worstChordError(line), 1.0);
}

TEST(MapShapes, CirclesStayWithinAMetreOfTheirRadius)
{
    for (double radius : {1.0, 161.0, 2'000.0, 50'000.0, 1'000'000.0}) {
        SCOPED_TRACE(radius);
        const Geo::GeoPoint centre {54.39, 13.67};
        const Polyline circle = geodesicCircle(centre, radius);
        EXPECT_EQ(circle.points.constFirst().lat, circle.points.constLast().lat);
        for (const Geo::GeoPoint &p : circle.points)
            EXPECT_NEAR(metresBetween(centre, p), radius, 1e-3);
        // Halfway along each drawn piece the chord is inside the circle by less than a metre.
        for (qsizetype i = 1; i < circle.points.size(); ++i) {
            const Geo::GeoPoint a = circle.points[i - 1], b = circle.points[i];
            const double inside =
                radius - metresBetween(centre, {(a.lat + b.lat) / 2, (a.lon + b.lon) / 2});
            ASSERT_LT(std::abs(inside), 1.0) << "piece " << i;
        }
    }
}

TEST(MapShapes, PositionInEachNotation)
{
    const struct
    {
        Geo::GeoPoint p;
        int notation;
        const char *text;
    } cases[] = {
        // Sexagesimal degrees as the calculator and cache listings write them: two digits of
        // latitude, three of longitude.
        {{54.3941666666667, 13.6696833333333}, 1, "N 54° 23,650' E 013° 40,181'"},
        {{54.3941666666667, 13.6696833333333}, 0, "N 54,3941666666667 E 13,6696833333333"},
        {{-33.5, -70.25}, 1, "S 33° 30,000' W 070° 15,000'"},
        {{54.3941666666667, 13.6696833333333}, 2, "N 54° 23' 39,00\" E 013° 40' 10,86\""},
        {{5.5, 8.25}, 2, "N 05° 30' 00,00\" E 008° 15' 00,00\""},
        {{-5.5, 151.25}, 1, "S 05° 30,000' E 151° 15,000'"},
        {{0.0, 99.9999999}, 1, "N 00° 00,000' E 100° 00,000'"},
        {{1.0, 369.5}, 1, "N 01° 00,000' E 009° 30,000'"}, // a map dragged once round the earth
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(positionInNotation(c.p, c.notation), QString::fromUtf8(c.text));
    }
}

TEST(MapShapes, GpxLayerAndBackKeepPointsAndLines)
{
    GpxData data;
    data.waypoints = {{QStringLiteral("GC1"), {1, 2}, std::nullopt, {}, QStringLiteral("GC1")}};
    data.tracks = {{QStringLiteral("T"), {{{1, 1}, {2, 2}}, {{3, 3}, {4, 4}}}}};
    const Layer layer = gpxLayer(data, QStringLiteral("Datei"));
    EXPECT_EQ(layer.markers.size(), 1);
    EXPECT_EQ(layer.lines.size(), 2);
    const GpxData back = layerAsGpx(layer);
    EXPECT_EQ(back.waypoints.size(), 1);
    EXPECT_EQ(back.waypoints[0].cache, QStringLiteral("GC1"));
    ASSERT_EQ(back.tracks.size(), 1); // the file's own track, not one per drawn line
    EXPECT_EQ(back.tracks[0].segments.size(), 2);
    Geo::GeoPoint sw, ne;
    ASSERT_TRUE(boundsOf(positionsOf(layer), sw, ne));
    EXPECT_EQ(sw.lat, 1);
    EXPECT_EQ(ne.lon, 4);
    EXPECT_FALSE(boundsOf({}, sw, ne));
}
