#pragma once

#include <QPointF>

#include <vector>

// Fewer vertices for a line that is drawn at a given scale: a track of a hundred thousand
// points covers a few hundred pixels when zoomed out, and drawing every point would cost far
// more than a frame may. Both ends are always kept.
namespace Map {

// Drops the points that lie within `tolerance` of the line through the points kept around
// them (in the units of the points): first every point closer than `tolerance` to the last one
// kept, then the Douglas–Peucker reduction of the rest. No kept point is moved; every kept
// point of the first pass lies within `tolerance` of the result, every dropped point within
// twice that.
std::vector<QPointF> simplifyLine(const std::vector<QPointF> &points, double tolerance);

} // namespace Map
