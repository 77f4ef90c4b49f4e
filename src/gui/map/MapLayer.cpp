#include "gui/map/MapLayer.h"

#include "logic/map/LineSimplify.h"
#include "logic/map/TileMath.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace MapLayer {

namespace {

constexpr int kMaxLabelledMarkers = 300; // more names than that are only clutter

std::vector<QPointF> normalisedAll(const QList<Geo::GeoPoint> &points)
{
    std::vector<QPointF> result;
    result.reserve(size_t(points.size()));
    for (const Geo::GeoPoint &p : points)
        result.push_back(Map::normalised(p));
    return result;
}

} // namespace

Shape shapeOf(const Map::Layer &layer, const QColor &colour)
{
    Shape shape;
    shape.colour = colour;
    shape.markers.reserve(size_t(layer.markers.size()));
    for (const Map::Marker &m : layer.markers)
        shape.markers.push_back(Map::normalised(m.position));
    for (const Map::Polyline &line : layer.lines)
        shape.lines.push_back(normalisedAll(line.points));
    return shape;
}

const std::vector<Piece> &piecesAt(Shape &shape, int zoom)
{
    const auto found = shape.pieces.find(zoom);
    if (found != shape.pieces.end())
        return found->second;
    // Half a pixel at this zoom: the simplified line differs from the full one by no more
    // than anti-aliasing shows.
    constexpr size_t kPieceLength = 256;
    const double tolerance = 0.5 / Map::worldSize(zoom);
    std::vector<Piece> &pieces = shape.pieces[zoom];
    for (const std::vector<QPointF> &line : shape.lines) {
        if (line.empty())
            continue;
        const std::vector<QPointF> simple = Map::simplifyLine(line, tolerance);
        for (size_t from = 0;; from += kPieceLength) {
            // Neighbouring pieces share a point, so the line has no gaps.
            const size_t to = std::min(simple.size(), from + kPieceLength + 1);
            Piece piece;
            piece.points.assign(simple.begin() + qsizetype(from), simple.begin() + qsizetype(to));
            double left = 1, top = 1, right = 0, bottom = 0;
            for (const QPointF &p : piece.points) {
                left = std::min(left, p.x());
                right = std::max(right, p.x());
                top = std::min(top, p.y());
                bottom = std::max(bottom, p.y());
            }
            piece.bounds = QRectF(QPointF(left, top), QPointF(right, bottom));
            pieces.push_back(std::move(piece));
            if (to >= simple.size())
                break;
        }
    }
    return pieces;
}

void drawMarkers(QPainter &painter, const Map::Layer &layer, const Shape &shape, double size,
                 QPointF origin, QSizeF area)
{
    const QRectF inside(-20, -20, area.width() + 40, area.height() + 40);
    std::vector<qsizetype> shown;
    for (size_t k = 0; k < shape.markers.size(); ++k) {
        if (inside.contains(shape.markers[k] * size - origin))
            shown.push_back(qsizetype(k));
    }
    if (shown.empty())
        return;
    // One marker drawn once and stamped: twenty thousand anti-aliased circles would take far
    // longer than a frame. Of the markers within a cell of 5 × 5 pixels only the first is
    // stamped: the others, 13 pixels across, would hide under it but for a sliver.
    const qreal ratio = painter.device()->devicePixelRatioF();
    QImage stamp(QSize(17, 17) * ratio, QImage::Format_ARGB32_Premultiplied);
    stamp.setDevicePixelRatio(ratio);
    stamp.fill(Qt::transparent);
    {
        QPainter p(&stamp);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(shape.colour);
        p.drawEllipse(QPointF(8.5, 8.5), 6, 6);
    }
    constexpr int kCell = 5;
    const size_t columns = size_t(area.width() + 41) / kCell + 1;
    std::vector<bool> taken(columns * (size_t(area.height() + 41) / kCell + 1), false);
    for (qsizetype k : shown) {
        const QPointF at = shape.markers[size_t(k)] * size - origin;
        const size_t cell =
            size_t(int(at.y()) + 20) / kCell * columns + size_t(int(at.x()) + 20) / kCell;
        if (cell >= taken.size() || taken[cell])
            continue;
        taken[cell] = true;
        // Whole pixels: a stamp at a fraction would be filtered, slower and blurred.
        painter.drawImage(QPoint(qRound(at.x() - 8.5), qRound(at.y() - 8.5)), stamp);
    }
    // More names than that are only clutter.
    if (shown.size() > size_t(kMaxLabelledMarkers))
        return;
    for (qsizetype k : shown) {
        const Map::Marker &m = layer.markers[k];
        if (m.name.isEmpty())
            continue;
        QPainterPath text;
        text.addText(shape.markers[size_t(k)] * size - origin + QPointF(9, 4), painter.font(),
                     m.name);
        painter.strokePath(text, QPen(QColor(255, 255, 255, 220), 3));
        painter.fillPath(text, QColor(30, 30, 30));
    }
}

} // namespace MapLayer
