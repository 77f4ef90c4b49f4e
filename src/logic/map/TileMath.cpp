#include "logic/map/TileMath.h"

#include "logic/common/QuarvelError.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Map {

namespace {

constexpr double kEarthRadius = 6378137.0; // the sphere of EPSG:3857: WGS84's equatorial radius

int clampZoom(int zoom)
{
    return std::clamp(zoom, kMinZoom, kMaxZoom);
}

} // namespace

double worldSize(int zoom)
{
    return std::ldexp(double(kTileSize), clampZoom(zoom));
}

QPointF normalised(Geo::GeoPoint p)
{
    const double lat = std::clamp(p.lat, -kMaxLatitude, kMaxLatitude) * std::numbers::pi / 180;
    const double x = (p.lon + 180.0) / 360.0;
    const double y = (1.0 - std::asinh(std::tan(lat)) / std::numbers::pi) / 2.0;
    return {x, std::clamp(y, 0.0, 1.0)};
}

Geo::GeoPoint fromNormalised(QPointF n)
{
    const double lat = std::atan(std::sinh(std::numbers::pi * (1.0 - 2.0 * n.y())));
    return {lat * 180.0 / std::numbers::pi, n.x() * 360.0 - 180.0};
}

QPointF worldPixel(Geo::GeoPoint p, int zoom)
{
    return normalised(p) * worldSize(zoom);
}

Geo::GeoPoint positionAtPixel(QPointF pixel, int zoom)
{
    return fromNormalised(pixel / worldSize(zoom));
}

TileId tileAt(Geo::GeoPoint p, int zoom)
{
    zoom = clampZoom(zoom);
    const QPointF n = normalised(p);
    const int count = 1 << zoom;
    auto index = [count](double v) { return std::clamp(int(std::floor(v * count)), 0, count - 1); };
    return {zoom, index(n.x()), index(n.y())};
}

Geo::GeoPoint tileCorner(TileId tile)
{
    return positionAtPixel(QPointF(tile.x, tile.y) * kTileSize, tile.zoom);
}

double metresPerPixel(double latitude, int zoom)
{
    const double lat = std::clamp(latitude, -kMaxLatitude, kMaxLatitude);
    return 2 * std::numbers::pi * kEarthRadius * std::cos(lat * std::numbers::pi / 180) /
        worldSize(zoom);
}

QString tileUrl(const QString &pattern, TileId tile)
{
    QString url = pattern;
    url.replace(QStringLiteral("{z}"), QString::number(tile.zoom));
    url.replace(QStringLiteral("{x}"), QString::number(tile.x));
    url.replace(QStringLiteral("{y}"), QString::number(tile.y));
    return url;
}

void checkTilePattern(const QString &pattern)
{
    const QString p = pattern.trimmed();
    if (!p.startsWith(QStringLiteral("http://")) && !p.startsWith(QStringLiteral("https://")))
        throw QuarvelError(
            QStringLiteral("Die Kachel-Adresse muss mit http:// oder https:// beginnen: „%1“")
                .arg(pattern));
    for (const char *part : {"{z}", "{x}", "{y}"}) {
        if (!p.contains(QLatin1String(part)))
            throw QuarvelError(QStringLiteral("In der Kachel-Adresse fehlt %1: „%2“")
                                   .arg(QLatin1String(part), pattern));
    }
}

ScaleBar scaleBar(double latitude, int zoom, double maxPixels)
{
    const double perPixel = metresPerPixel(latitude, zoom);
    const double most = perPixel * maxPixels;
    double power = std::pow(10.0, std::floor(std::log10(most)));
    double metres = power;
    for (double step : {5.0, 2.0, 1.0}) {
        if (step * power <= most) {
            metres = step * power;
            break;
        }
    }
    ScaleBar bar;
    bar.metres = metres;
    bar.pixels = metres / perPixel;
    bar.text = metres >= 1000 ? QStringLiteral("%1 km").arg(metres / 1000)
                              : QStringLiteral("%1 m").arg(metres);
    return bar;
}

int zoomToFit(Geo::GeoPoint southWest, Geo::GeoPoint northEast, int width, int height, int margin)
{
    const QPointF a = normalised({northEast.lat, southWest.lon});
    const QPointF b = normalised({southWest.lat, northEast.lon});
    const double w = std::max(1.0, double(width - 2 * margin));
    const double h = std::max(1.0, double(height - 2 * margin));
    for (int zoom = kMaxZoom; zoom > kMinZoom; --zoom) {
        const double size = worldSize(zoom);
        if ((b.x() - a.x()) * size <= w && (b.y() - a.y()) * size <= h)
            return zoom;
    }
    return kMinZoom;
}

} // namespace Map
