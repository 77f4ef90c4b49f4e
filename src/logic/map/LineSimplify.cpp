#include "logic/map/LineSimplify.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Map {

namespace {

double squaredDistance(QPointF a, QPointF b)
{
    const QPointF d = a - b;
    return QPointF::dotProduct(d, d);
}

// The squared distance of `p` from the segment from `a` to `b`.
double squaredSegmentDistance(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double length = QPointF::dotProduct(ab, ab);
    if (length == 0)
        return squaredDistance(p, a);
    const double t = std::clamp(QPointF::dotProduct(p - a, ab) / length, 0.0, 1.0);
    return squaredDistance(p, a + t * ab);
}

std::vector<QPointF> radialPass(const std::vector<QPointF> &points, double squaredTolerance)
{
    std::vector<QPointF> kept;
    kept.reserve(points.size());
    kept.push_back(points.front());
    for (size_t i = 1; i + 1 < points.size(); ++i) {
        if (squaredDistance(points[i], kept.back()) >= squaredTolerance)
            kept.push_back(points[i]);
    }
    kept.push_back(points.back());
    return kept;
}

// Iterative, so a line of any length cannot exhaust the stack.
std::vector<QPointF> douglasPeucker(const std::vector<QPointF> &points, double squaredTolerance)
{
    std::vector<bool> keep(points.size(), false);
    keep.front() = keep.back() = true;
    std::vector<std::pair<size_t, size_t>> spans {{0, points.size() - 1}};
    while (!spans.empty()) {
        const auto [first, last] = spans.back();
        spans.pop_back();
        double farthest = 0;
        size_t at = 0;
        for (size_t i = first + 1; i < last; ++i) {
            const double d = squaredSegmentDistance(points[i], points[first], points[last]);
            if (d > farthest) {
                farthest = d;
                at = i;
            }
        }
        if (farthest > squaredTolerance) {
            keep[at] = true;
            spans.emplace_back(first, at);
            spans.emplace_back(at, last);
        }
    }
    std::vector<QPointF> kept;
    for (size_t i = 0; i < points.size(); ++i) {
        if (keep[i])
            kept.push_back(points[i]);
    }
    return kept;
}

} // namespace

std::vector<QPointF> simplifyLine(const std::vector<QPointF> &points, double tolerance)
{
    if (points.size() < 3 || !(tolerance > 0))
        return points;
    const double squared = tolerance * tolerance;
    return douglasPeucker(radialPass(points, squared), squared);
}

} // namespace Map
