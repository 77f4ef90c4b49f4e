#pragma once

#include "logic/geo/GeoPoint.h"

#include <QString>

// Map tiles as positions: the slippy-map tile "z/x/y" of OpenStreetMap and other XYZ servers,
// and Bing Maps' quadkey, which writes the same tile as one base-4 digit per zoom level (bit of
// x plus twice the bit of y, from the top level down). Both name a square of the Web Mercator
// world (between ±85.0511° latitude); a tile read back stands for its north-west corner, the
// point its numbers count from. Invalid texts throw QuarvelError with a German message.
namespace Geo {

inline constexpr int kTileZoomMin = 0, kTileZoomMax = 23, kTileZoomDefault = 17;
inline constexpr int kQuadkeyMin = 1; // a quadkey has one digit per level, level 0 has none

struct Tile
{
    int zoom = 0;
    int x = 0;
    int y = 0;
    bool operator==(const Tile &) const = default;
};

// The tile holding p; refuses latitudes beyond the Web Mercator square.
Tile tileOf(GeoPoint p, int zoom);
GeoPoint tileCorner(const Tile &tile);

QString toTileText(GeoPoint p, int zoom = kTileZoomDefault); // "17/70406/42987"
// "17/70406/42987", blanks allowed round the slashes.
Tile readTile(const QString &text);

QString toQuadkey(GeoPoint p, int level = kTileZoomDefault); // "12020210322313021"
Tile quadkeyTile(const QString &quadkey);

} // namespace Geo
