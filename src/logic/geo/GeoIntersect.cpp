#include "logic/geo/GeoIntersect.h"

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoSupport.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <GeographicLib/Gnomonic.hpp>

#include <array>
#include <cmath>
#include <numbers>
#include <optional>

namespace Geo {

using namespace Support;

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kStepDone = 1e-4; // metres: iterate until a step moves less than 0.1 mm
constexpr double kOnCurve = 1e-3; // metres: a result must lie on its lines and circles to 1 mm
constexpr int kMaxSteps = 60;
constexpr double kGnomonicHalfBase = 1000.0; // metres either side of the guess on each line

GeographicLib::GeodesicLine lineOf(const BearingLine &line)
{
    return GeographicLib::GeodesicLine(GeographicLib::Geodesic::WGS84(), line.start.lat,
                                       line.start.lon, normalizedBearing(line.bearing));
}

const QString kParallel = QStringLiteral(
    "Die Peilungslinien verlaufen parallel oder auf derselben Linie: kein Schnittpunkt");
const QString kLineMisses = QStringLiteral("Die Peilungslinie erreicht den Kreis nicht");

struct Foot
{
    double along = 0.0; // metres from the line's start, negative behind it
    double distance = 0.0; // metres from the point to the geodesic
};

// The foot of the perpendicular from p to the whole geodesic of the line, searched from `hint`
// metres along it. Without a hint the search starts from the direction in which p is seen from
// the start; that direction means little for a point near the start's antipode, where every
// geodesic from the start passes close by, so far points need a hint.
Foot footOnLine(const BearingLine &line, GeoPoint p, std::optional<double> hint = std::nullopt)
{
    const GeographicLib::GeodesicLine geodesic = lineOf(line);
    double s = 0.0;
    if (hint) {
        s = *hint;
    } else {
        const DistanceBearing first = inverse(line.start, p);
        s = first.distance * std::cos((first.initialBearing - line.bearing) * kDeg);
    }
    GeoPoint foot;
    for (int step = 0; step < 20; ++step) {
        double heading = 0.0;
        geodesic.Position(s, foot.lat, foot.lon, heading);
        const DistanceBearing d = inverse(foot, p);
        const double ds = d.distance * std::cos((d.initialBearing - heading) * kDeg);
        s += ds;
        if (std::abs(ds) < 1e-7)
            break;
    }
    geodesic.Position(s, foot.lat, foot.lon);
    return {s, inverse(foot, p).distance};
}

void checkLine(const BearingLine &line)
{
    checkPoint(line.start);
    checkBearing(line.bearing);
}

void checkCircle(const Circle &circle)
{
    checkPoint(circle.centre);
    if (!(circle.radius > 0.0 && circle.radius < kHalfMeridian))
        throw QuarvelError(QStringLiteral(
            "Der Radius muss größer als 0 und kleiner als der halbe Erdumfang sein"));
}

// One gnomonic step: both lines, projected around the guess, are straight; their crossing,
// projected back, is the next guess. `along`, where given, holds where the guess lies on each
// line in metres from its start, and is updated to the feet of the guess found on the way.
using Alongs = std::optional<std::array<double, 2>>;
GeoPoint gnomonicStep(GeoPoint z, const BearingLine &first, const BearingLine &second,
                      Alongs &along)
{
    const GeographicLib::Gnomonic gnomonic(GeographicLib::Geodesic::WGS84());
    double x[4], y[4];
    int k = 0;
    for (const BearingLine *line : {&first, &second}) {
        const GeographicLib::GeodesicLine geodesic = lineOf(*line);
        double s = 0.0;
        if (along) {
            double &known = (*along)[line == &first ? 0 : 1];
            s = known = footOnLine(*line, z, known).along;
        } else {
            s = footOnLine(*line, z).along;
        }
        for (double offset : {-kGnomonicHalfBase, kGnomonicHalfBase}) {
            double lat = 0.0, lon = 0.0;
            geodesic.Position(s + offset, lat, lon);
            gnomonic.Forward(z.lat, z.lon, lat, lon, x[k], y[k]);
            ++k;
        }
    }
    const double dx1 = x[1] - x[0], dy1 = y[1] - y[0], dx2 = x[3] - x[2], dy2 = y[3] - y[2];
    const double det = dx1 * dy2 - dy1 * dx2;
    if (std::abs(det) < 1e-10 * std::hypot(dx1, dy1) * std::hypot(dx2, dy2))
        throw QuarvelError(kParallel);
    const double t = ((x[2] - x[0]) * dy2 - (y[2] - y[0]) * dx2) / det;
    GeoPoint next;
    gnomonic.Reverse(z.lat, z.lon, x[0] + t * dx1, y[0] + t * dy1, next.lat, next.lon);
    if (!std::isfinite(next.lat) || !std::isfinite(next.lon))
        throw QuarvelError(QStringLiteral("Die Peilungslinien schneiden sich nicht"));
    return next;
}

// Newton steps of a point towards given distances from centres (Gauss-Newton for three): the
// gradient of a geodesic distance at x is the unit vector pointing away from the centre.
GeoPoint fitDistances(GeoPoint x, const QList<Circle> &circles)
{
    for (int step = 0; step < kMaxSteps; ++step) {
        double n11 = 0, n12 = 0, n22 = 0, g1 = 0, g2 = 0;
        for (const Circle &circle : circles) {
            const DistanceBearing d = inverse(x, circle.centre);
            const double jn = -std::cos(d.initialBearing * kDeg);
            const double je = -std::sin(d.initialBearing * kDeg);
            const double f = d.distance - circle.radius;
            n11 += jn * jn, n12 += jn * je, n22 += je * je, g1 += jn * f, g2 += je * f;
        }
        const double det = n11 * n22 - n12 * n12;
        if (std::abs(det) < 1e-14)
            break;
        const double dn = -(n22 * g1 - n12 * g2) / det;
        const double de = -(n11 * g2 - n12 * g1) / det;
        x = moveBy(x, dn, de);
        if (std::hypot(dn, de) < kStepDone)
            break;
    }
    return x;
}

bool onCircle(const Circle &circle, GeoPoint p)
{
    return std::abs(inverse(circle.centre, p).distance - circle.radius) <= kOnCurve;
}

void addDistinct(QList<GeoPoint> &points, GeoPoint p)
{
    for (const GeoPoint &known : points) {
        if (inverse(known, p).distance <= kOnCurve)
            return;
    }
    points.append(p);
}

// Newton along the line for the distance s where it is `radius` away from the centre.
double solveAlong(const BearingLine &line, const Circle &circle, double s)
{
    const GeographicLib::GeodesicLine geodesic = lineOf(line);
    for (int step = 0; step < kMaxSteps; ++step) {
        GeoPoint x;
        double heading = 0.0;
        geodesic.Position(s, x.lat, x.lon, heading);
        const DistanceBearing d = inverse(circle.centre, x);
        const double slope = std::cos((heading - d.finalBearing) * kDeg);
        if (std::abs(slope) < 1e-9)
            break;
        const double ds =
            std::clamp(-(d.distance - circle.radius) / slope, -circle.radius, circle.radius);
        s += ds;
        if (std::abs(ds) < kStepDone)
            break;
    }
    return s;
}

// Where the great circle from v in direction d reaches c, in metres of a mean sphere: 0 up to
// a full turn, so a point just behind the start comes out nearly a full turn ahead.
double sphericalAlong(const Vec3 &v, const Vec3 &d, const Vec3 &c)
{
    double angle = std::atan2(dot(c, d), dot(c, v));
    if (angle < 0.0)
        angle += 2.0 * std::numbers::pi;
    return angle * kMeanRadius;
}

// A point lies on a bearing line from its start up to the far side of the earth: half a turn
// of the geodesic on GeographicLib's auxiliary sphere (20,004 km along a meridian, a little
// more along the equator).
bool onRay(const BearingLine &line, GeoPoint p, double hint)
{
    double farSide = 0.0, unused = 0.0;
    lineOf(line).ArcPosition(180.0, unused, unused, unused, farSide);
    const Foot foot = footOnLine(line, p, hint);
    return foot.distance <= kOnCurve && foot.along >= -kOnCurve && foot.along <= farSide + kOnCurve;
}

// Gnomonic steps from a first guess until a step moves less than kStepDone; nothing where the
// lines run parallel at the guess.
std::optional<GeoPoint> refineCrossing(const Vec3 &candidate, const BearingLine &first,
                                       const BearingLine &second, Alongs &along)
{
    GeoPoint guess = pointOf(candidate);
    try {
        for (int step = 0; step < kMaxSteps; ++step) {
            const GeoPoint next = gnomonicStep(guess, first, second, along);
            const double moved = inverse(guess, next).distance;
            guess = next;
            if (moved < kStepDone)
                break;
        }
    } catch (const QuarvelError &) {
        return std::nullopt;
    }
    return guess;
}

} // namespace

double distanceToLine(const BearingLine &line, GeoPoint p)
{
    const Foot foot = footOnLine(line, p);
    return foot.along >= 0.0 ? foot.distance : inverse(line.start, p).distance;
}

GeoPoint intersectBearings(const BearingLine &first, const BearingLine &second)
{
    checkLine(first);
    checkLine(second);
    const Vec3 v1 = unitVector(first.start), d1 = directionVector(first.start, first.bearing);
    const Vec3 v2 = unitVector(second.start), d2 = directionVector(second.start, second.bearing);
    const Vec3 c = cross(cross(v1, d1), cross(v2, d2));
    if (norm(c) < 1e-12)
        throw QuarvelError(kParallel);
    // The two great circles of a sphere cross twice, on opposite sides of the earth; either
    // may be the one ahead of both starts, even when both starts lie close together and the
    // crossing ahead is near the far end of both lines. Both are refined and then judged.
    const Vec3 z = scaled(c, 1.0 / norm(c));
    bool parallel = true;
    for (const Vec3 &candidate : {z, scaled(z, -1.0)}) {
        // Near a start the direction from it finds the feet best; for a crossing near the far
        // end of a line, where that direction means little, the spherical distances along the
        // lines guide the search instead.
        const Alongs spherical =
            std::array {sphericalAlong(v1, d1, candidate), sphericalAlong(v2, d2, candidate)};
        for (const Alongs &start : {Alongs {}, spherical}) {
            Alongs along = start;
            const std::optional<GeoPoint> found = refineCrossing(candidate, first, second, along);
            if (!found)
                continue; // parallel where the guess lies
            parallel = false;
            const double s1 = along ? (*along)[0] : footOnLine(first, *found).along;
            const double s2 = along ? (*along)[1] : footOnLine(second, *found).along;
            if (onRay(first, *found, s1) && onRay(second, *found, s2))
                return *found;
        }
    }
    if (parallel)
        throw QuarvelError(kParallel);
    throw QuarvelError(QStringLiteral(
        "Die Peilungslinien schneiden sich nicht: der Schnittpunkt läge hinter einem Startpunkt"));
}

QList<GeoPoint> intersectLineCircle(const BearingLine &line, const Circle &circle)
{
    checkLine(line);
    checkCircle(circle);
    if (distanceToLine(line, circle.centre) > circle.radius + kOnCurve)
        throw QuarvelError(kLineMisses);
    // First guesses: half a chord either side of the foot of the perpendicular from the centre.
    const Foot foot = footOnLine(line, circle.centre);
    const double halfChord =
        std::sqrt(std::max(0.0, circle.radius * circle.radius - foot.distance * foot.distance));
    QList<double> alongs;
    for (double guess : {foot.along - halfChord, foot.along + halfChord}) {
        const double s = solveAlong(line, circle, guess);
        if (s >= -1e-6 && s <= kHalfMeridian)
            alongs.append(std::max(s, 0.0));
    }
    std::sort(alongs.begin(), alongs.end());
    QList<GeoPoint> points;
    const GeographicLib::GeodesicLine geodesic = lineOf(line);
    for (double s : alongs) {
        GeoPoint p;
        geodesic.Position(s, p.lat, p.lon);
        if (onCircle(circle, p))
            addDistinct(points, p);
    }
    if (points.isEmpty())
        throw QuarvelError(QStringLiteral(
            "Die Peilungslinie trifft den Kreis nicht (nur rückwärts oder gar nicht)"));
    return points;
}

QList<GeoPoint> intersectCircles(const Circle &first, const Circle &second)
{
    checkCircle(first);
    checkCircle(second);
    const double apart = inverse(first.centre, second.centre).distance;
    if (apart < kOnCurve)
        throw QuarvelError(QStringLiteral("Die Kreise haben denselben Mittelpunkt"));
    if (first.radius + second.radius < apart - kOnCurve)
        throw QuarvelError(QStringLiteral("Die Kreise liegen auseinander: kein Schnittpunkt"));
    if (std::abs(first.radius - second.radius) > apart + kOnCurve)
        throw QuarvelError(QStringLiteral("Ein Kreis liegt ganz im anderen: kein Schnittpunkt"));
    // First guesses in the azimuthal equidistant projection around the first centre, where
    // the first circle is exact and the second nearly a circle.
    const double along =
        (apart * apart + first.radius * first.radius - second.radius * second.radius) / (2 * apart);
    const double across = std::sqrt(std::max(0.0, first.radius * first.radius - along * along));
    const double towards = inverse(first.centre, second.centre).initialBearing;
    QList<GeoPoint> points;
    for (double sign : {1.0, -1.0}) {
        const double bearing = towards + sign * std::atan2(across, along) / kDeg;
        const GeoPoint guess = project(first.centre, bearing, first.radius);
        const GeoPoint p = fitDistances(guess, {first, second});
        if (onCircle(first, p) && onCircle(second, p))
            addDistinct(points, p);
    }
    if (points.isEmpty())
        throw QuarvelError(QStringLiteral("Für diese Kreise findet sich kein Schnittpunkt"));
    return points;
}

BestFit trilaterate(const Circle &first, const Circle &second, const Circle &third)
{
    const QList<Circle> circles {first, second, third};
    for (const Circle &circle : circles)
        checkCircle(circle);
    QList<GeoPoint> guesses;
    for (auto [i, j] : {std::pair {0, 1}, {0, 2}, {1, 2}}) {
        try {
            guesses += intersectCircles(circles[i], circles[j]);
        } catch (const QuarvelError &) { // circles apart: the other pairs still give guesses
        }
    }
    Vec3 sum {};
    for (const Circle &circle : circles)
        sum = plus(sum, unitVector(circle.centre));
    if (norm(sum) > 1e-9)
        guesses.append(pointOf(sum));
    BestFit best;
    double bestSquares = std::numeric_limits<double>::infinity();
    for (const GeoPoint &guess : guesses) {
        const GeoPoint p = fitDistances(guess, circles);
        double squares = 0.0;
        std::array<double, 3> misfit {};
        for (int i = 0; i < 3; ++i) {
            misfit[i] = inverse(circles[i].centre, p).distance - circles[i].radius;
            squares += misfit[i] * misfit[i];
        }
        if (squares < bestSquares)
            bestSquares = squares, best = {p, misfit};
    }
    if (!std::isfinite(bestSquares))
        throw QuarvelError(QStringLiteral("Für diese Kreise findet sich kein Punkt"));
    return best;
}

} // namespace Geo
