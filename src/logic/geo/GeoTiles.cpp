#include "logic/geo/GeoTiles.h"

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCalc.h"
#include "logic/map/TileMath.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace Geo {

namespace {

void checkZoom(int zoom)
{
    if (zoom < kTileZoomMin || zoom > kTileZoomMax)
        throw QuarvelError(QStringLiteral("Die Zoomstufe muss zwischen %1 und %2 liegen, nicht %3")
                               .arg(kTileZoomMin)
                               .arg(kTileZoomMax)
                               .arg(zoom));
}

void checkInside(const Tile &tile)
{
    const qint64 count = qint64(1) << tile.zoom;
    if (tile.x < 0 || tile.x >= count || tile.y < 0 || tile.y >= count)
        throw QuarvelError(
            QStringLiteral("Auf Zoomstufe %1 gibt es nur die Kacheln 0 bis %2 in x und y")
                .arg(tile.zoom)
                .arg(count - 1));
}

} // namespace

Tile tileOf(GeoPoint p, int zoom)
{
    checkPoint(p);
    checkZoom(zoom);
    if (std::abs(p.lat) > Map::kMaxLatitude)
        throw QuarvelError(QStringLiteral(
            "Kartenkacheln reichen nur von S 85,0511° bis N 85,0511° (Web Mercator)"));
    const QPointF n = Map::normalised(p);
    const qint64 count = qint64(1) << zoom;
    // A corner read back lies on its tile's edge and may come out a few ulps short of it; the
    // nudge, a nanometre at zoom 23, keeps it in its own tile.
    auto index = [count](double v) {
        return int(std::clamp<qint64>(qint64(std::floor(v * double(count) + 1e-9)), 0, count - 1));
    };
    return {zoom, index(n.x()), index(n.y())};
}

GeoPoint tileCorner(const Tile &tile)
{
    checkZoom(tile.zoom);
    checkInside(tile);
    const double count = std::ldexp(1.0, tile.zoom);
    return Map::fromNormalised(QPointF(tile.x / count, tile.y / count));
}

QString toTileText(GeoPoint p, int zoom)
{
    const Tile tile = tileOf(p, zoom);
    return QStringLiteral("%1/%2/%3").arg(tile.zoom).arg(tile.x).arg(tile.y);
}

Tile readTile(const QString &text)
{
    static const QRegularExpression shape(
        QStringLiteral("^\\s*(\\d{1,2})\\s*/\\s*(\\d{1,8})\\s*/\\s*(\\d{1,8})\\s*$"));
    const auto m = shape.match(text);
    if (!m.hasMatch())
        throw QuarvelError(
            QStringLiteral("Eine Kachel bitte als Zoom/x/y angeben, z. B. 17/70406/42987"));
    const Tile tile {m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()};
    checkZoom(tile.zoom);
    checkInside(tile);
    return tile;
}

QString toQuadkey(GeoPoint p, int level)
{
    if (level < kQuadkeyMin)
        throw QuarvelError(QStringLiteral("Ein Quadkey hat mindestens eine Stelle"));
    const Tile tile = tileOf(p, level);
    QString key;
    for (int i = level; i > 0; --i) {
        const int mask = 1 << (i - 1);
        key.append(QChar(u'0' + ((tile.x & mask) ? 1 : 0) + ((tile.y & mask) ? 2 : 0)));
    }
    return key;
}

Tile quadkeyTile(const QString &quadkey)
{
    const QString key = quadkey.trimmed();
    if (key.size() < kQuadkeyMin || key.size() > kTileZoomMax)
        throw QuarvelError(QStringLiteral("Ein Quadkey hat 1 bis %1 Ziffern, nicht %2")
                               .arg(kTileZoomMax)
                               .arg(key.size()));
    Tile tile {int(key.size()), 0, 0};
    for (const QChar digit : key) {
        if (digit < u'0' || digit > u'3')
            throw QuarvelError(
                QStringLiteral("Ein Quadkey besteht nur aus den Ziffern 0 bis 3, nicht „%1“")
                    .arg(digit));
        const int value = digit.unicode() - u'0';
        tile.x = tile.x * 2 + (value & 1);
        tile.y = tile.y * 2 + (value >> 1);
    }
    return tile;
}

} // namespace Geo
