#pragma once

#include "logic/geo/GeoPoint.h"

#include <QPointF>
#include <QString>

// Web Mercator (EPSG:3857) as raster tile servers use it: the world between ±85.0511° latitude
// is a square of 2^zoom × 2^zoom tiles of 256 × 256 pixels, x growing east from 180° W and y
// growing south from the top edge (the XYZ scheme of OpenStreetMap's tiles). "World pixels" are
// pixels of that square at a given zoom. Latitudes beyond the square's edge are clamped to it.
namespace Map {

constexpr int kTileSize = 256;
constexpr int kMinZoom = 0;
constexpr int kMaxZoom = 19;
// The latitude of the square's top edge: atan(sinh(π)).
constexpr double kMaxLatitude = 85.05112877980659;

// The position as a fraction of the world square, both in [0, 1].
QPointF normalised(Geo::GeoPoint p);
Geo::GeoPoint fromNormalised(QPointF n);

// World pixels at `zoom`, and back.
QPointF worldPixel(Geo::GeoPoint p, int zoom);
Geo::GeoPoint positionAtPixel(QPointF pixel, int zoom);
double worldSize(int zoom); // 256 · 2^zoom

// The tile holding the position (column and row), clamped to the tiles that exist.
struct TileId
{
    int zoom = 0;
    int x = 0;
    int y = 0;
    bool operator==(const TileId &) const = default;
};
TileId tileAt(Geo::GeoPoint p, int zoom);
// The position of the tile's top-left corner.
Geo::GeoPoint tileCorner(TileId tile);

// Metres on the ground per pixel at this latitude and zoom.
double metresPerPixel(double latitude, int zoom);

// The tile address with "{z}", "{x}" and "{y}" filled in.
QString tileUrl(const QString &pattern, TileId tile);
// Throws QuarvelError when the address cannot serve tiles (no http/https, a placeholder missing).
void checkTilePattern(const QString &pattern);

// A round length for a scale bar of at most `maxPixels` at this latitude and zoom: 1, 2 or 5
// times a power of ten metres, and its length in pixels.
struct ScaleBar
{
    double metres = 0;
    double pixels = 0;
    QString text; // "500 m", "2 km"
};
ScaleBar scaleBar(double latitude, int zoom, double maxPixels);

// The highest zoom at which the box from `south west` to `north east` fits `width` × `height`
// pixels (with a margin of `margin` pixels on every side), kMaxZoom for a single point.
int zoomToFit(Geo::GeoPoint southWest, Geo::GeoPoint northEast, int width, int height, int margin);

} // namespace Map
