#pragma once

#include <QPainterPath>
#include <QString>

// Builds a path from a short outline text on a small design grid: "M x y" moves, "L x y" draws
// a line, "Q cx cy x y" a quadratic and "C c1x c1y c2x c2y x y" a cubic curve, "O cx cy r" a
// circle. Coordinates are scaled by `scale` and shifted by `origin`.
QPainterPath glyphPath(const char *outline, qreal scale, QPointF origin);
