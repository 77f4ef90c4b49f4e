#include "logic/map/TileMath.h"

#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Map;

// Values of the OpenStreetMap wiki page "Slippy map tilenames" and of EPSG:3857: zoom 0 is one
// tile of 360° × 170.1022° (±85.0511°), zoom 1 has 2 × 2 tiles of 180° × 85.0511°, a pixel at
// zoom 0 on the equator is 156 543.03 m; the wiki's formulas put London (51.5074° N,
// 0.1278° W) in tile 10/511/340.
TEST(TileMath, PublishedValues)
{
    EXPECT_NEAR(tileCorner({0, 0, 0}).lat, 85.0511, 1e-4);
    EXPECT_NEAR(tileCorner({0, 0, 1}).lat, -85.0511, 1e-4);
    EXPECT_NEAR(tileCorner({1, 1, 1}).lat, 0.0, 1e-12);
    EXPECT_NEAR(tileCorner({1, 1, 1}).lon, 0.0, 1e-12);
    EXPECT_NEAR(metresPerPixel(0, 0), 156543.03, 0.01);
    EXPECT_NEAR(metresPerPixel(60, 1), 156543.03 / 4, 0.01); // cos 60° halves, zoom 1 halves
    const struct
    {
        Geo::GeoPoint p;
        TileId tile;
    } cases[] = {
        {{51.5074, -0.1278}, {10, 511, 340}},
        {{0.0, 0.0}, {1, 1, 1}},
        {{89.9, -180.0}, {3, 0, 0}}, // beyond the square: clamped to the top row
        {{-89.9, 180.0}, {3, 7, 7}}, // the east edge belongs to the last column
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 zoom %3")
                         .arg(c.p.lat)
                         .arg(c.p.lon)
                         .arg(c.tile.zoom)
                         .toStdString());
        const TileId t = tileAt(c.p, c.tile.zoom);
        EXPECT_EQ(t.x, c.tile.x);
        EXPECT_EQ(t.y, c.tile.y);
    }
}

TEST(TileMath, RoundTripAtEveryZoom)
{
    const Geo::GeoPoint points[] = {
        {52.520833, 13.411880}, {-33.8568, 151.2153}, {85.05, -179.999}, {-85.05, 179.999}, {0, 0}};
    for (int zoom = kMinZoom; zoom <= kMaxZoom; ++zoom) {
        for (const Geo::GeoPoint &p : points) {
            SCOPED_TRACE(
                QStringLiteral("zoom %1 at %2 %3").arg(zoom).arg(p.lat).arg(p.lon).toStdString());
            const Geo::GeoPoint back = positionAtPixel(worldPixel(p, zoom), zoom);
            EXPECT_NEAR(back.lat, p.lat, 1e-9);
            EXPECT_NEAR(back.lon, p.lon, 1e-9);
            // The tile holds the point: its corner is north-west of it, the next one south-east.
            const TileId t = tileAt(p, zoom);
            const Geo::GeoPoint corner = tileCorner(t);
            const Geo::GeoPoint next = tileCorner({zoom, t.x + 1, t.y + 1});
            EXPECT_LE(corner.lon, p.lon + 1e-9);
            EXPECT_GE(corner.lat, p.lat - 1e-9);
            EXPECT_GE(next.lon, p.lon - 1e-9);
            EXPECT_LE(next.lat, p.lat + 1e-9);
            EXPECT_DOUBLE_EQ(worldSize(zoom), 256.0 * (1 << zoom));
        }
    }
}

TEST(TileMath, ZoomOutsideTheRangeIsClamped)
{
    EXPECT_DOUBLE_EQ(worldSize(-1), worldSize(0));
    EXPECT_DOUBLE_EQ(worldSize(20), worldSize(19));
    EXPECT_EQ(tileAt({0, 0}, 25).zoom, 19);
}

TEST(TileMath, TileUrlAndPatternCheck)
{
    EXPECT_EQ(
        tileUrl(QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png"), {5, 17, 10}),
        QStringLiteral("https://tile.openstreetmap.org/5/17/10.png"));
    EXPECT_NO_THROW(checkTilePattern(QStringLiteral("http://127.0.0.1:8080/{z}/{x}/{y}.png")));
    for (const char *bad :
         {"ftp://host/{z}/{x}/{y}", "https://host/{z}/{x}.png", "", "{z}{x}{y}"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(checkTilePattern(QString::fromLatin1(bad)), QuarvelError);
    }
}

TEST(TileMath, ScaleBarIsRoundAndFits)
{
    const struct
    {
        double lat;
        int zoom;
        double metres;
        const char *text;
    } cases[] = {
        {0, 0, 20'000'000, "20000 km"},
        {52.5, 16, 200, "200 m"},
        {52.5, 19, 20, "20 m"},
        {52.5, 10, 10'000, "10 km"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const ScaleBar bar = scaleBar(c.lat, c.zoom, 150);
        EXPECT_EQ(bar.metres, c.metres);
        EXPECT_EQ(bar.text, QString::fromLatin1(c.text));
        EXPECT_LE(bar.pixels, 150.0);
        EXPECT_GT(bar.pixels, 150.0 / 5);
    }
}

TEST(TileMath, ZoomToFitTakesTheHighestThatFits)
{
    // A box 0.01° wide at the equator is 932 pixels at zoom 17 and 1864 at zoom 18: 1000 pixels
    // fit it at 17, not at 18.
    EXPECT_EQ(zoomToFit({0, 0}, {0, 0.01}, 1040, 800, 20), 17);
    EXPECT_EQ(zoomToFit({0, 0}, {0, 0.01}, 980, 800, 20), 17);
    EXPECT_EQ(zoomToFit({0, 0}, {0, 0.01}, 968, 800, 20), 16);
    EXPECT_EQ(zoomToFit({10, 10}, {10, 10}, 800, 600, 20), kMaxZoom);
    EXPECT_EQ(zoomToFit({-80, -180}, {80, 180}, 800, 600, 20), kMinZoom + 1);
}
