#pragma once

#include "logic/map/MapShapes.h"

#include <QColor>
#include <QPointF>
#include <QRectF>

#include <map>
#include <vector>

class QPainter;

// A map layer as it is drawn: its positions normalised once (fractions of the Web-Mercator
// square), its lines simplified per zoom level on demand and cut into pieces whose bounds tell
// whether they are in view.
namespace MapLayer {

// A line's vertices at one zoom level, a few hundred at most, with their bounds.
struct Piece
{
    QRectF bounds; // normalised
    std::vector<QPointF> points; // normalised
};

struct Shape
{
    QColor colour;
    bool visible = true;
    std::vector<QPointF> markers;
    std::vector<std::vector<QPointF>> lines;
    std::map<int, std::vector<Piece>> pieces; // by zoom
};

Shape shapeOf(const Map::Layer &layer, const QColor &colour);

// The pieces of every line at `zoom`, simplified to half a pixel there; made on first use.
const std::vector<Piece> &piecesAt(Shape &shape, int zoom);

// The markers within `area` (world pixels from `origin`, the world `size` pixels wide), each
// stamped once per cell of 5 pixels, with their names when there are few enough to read.
void drawMarkers(QPainter &painter, const Map::Layer &layer, const Shape &shape, double size,
                 QPointF origin, QSizeF area);

} // namespace MapLayer
