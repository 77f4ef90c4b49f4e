#include "gui/map/TileDecode.h"

#include "logic/map/TileMath.h"

#include <QBuffer>
#include <QImageReader>

QImage decodeTile(const QByteArray &body, int maxSide)
{
    QBuffer buffer;
    buffer.setData(body);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize claimed = reader.size();
    if (!claimed.isValid() || claimed.width() > maxSide || claimed.height() > maxSide)
        return {};
    QImage image;
    if (!reader.read(&image) || image.size() != claimed)
        return {};
    // Tiles for sharp screens come at twice the size; the map lays tiles out at 256.
    if (image.width() != Map::kTileSize || image.height() != Map::kTileSize)
        image = image.scaled(Map::kTileSize, Map::kTileSize, Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
