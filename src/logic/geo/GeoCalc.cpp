#include "logic/geo/GeoCalc.h"

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoSupport.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <cmath>
#include <numbers>

namespace Geo {

using namespace Support;

namespace {

constexpr double kConverged = 1e-4; // metres: a tenth of the millimetre we promise
constexpr int kMaxSteps = 60;

void checkFinite(double value, const QString &what)
{
    if (!std::isfinite(value))
        throw QuarvelError(QStringLiteral("%1 ist keine endliche Zahl").arg(what));
}

// Newton steps towards the point whose distances to a, b and c agree; the gradient of a
// geodesic distance is the unit vector pointing away from the far point.
GeoPoint equidistantFrom(GeoPoint start, const GeoPoint (&p)[3])
{
    GeoPoint x = start;
    for (int step = 0; step < kMaxSteps; ++step) {
        DistanceBearing d[3];
        for (int i = 0; i < 3; ++i)
            d[i] = inverse(x, p[i]);
        auto gradN = [&](int i) {
            return -std::cos(d[i].initialBearing * std::numbers::pi / 180.0);
        };
        auto gradE = [&](int i) {
            return -std::sin(d[i].initialBearing * std::numbers::pi / 180.0);
        };
        const double a11 = gradN(0) - gradN(1), a12 = gradE(0) - gradE(1);
        const double a21 = gradN(0) - gradN(2), a22 = gradE(0) - gradE(2);
        const double f1 = d[0].distance - d[1].distance, f2 = d[0].distance - d[2].distance;
        const double det = a11 * a22 - a12 * a21;
        if (std::abs(det) < 1e-12)
            break;
        const double dn = -(f1 * a22 - f2 * a12) / det;
        const double de = -(a11 * f2 - a21 * f1) / det;
        x = moveBy(x, dn, de);
        if (std::hypot(dn, de) < kConverged)
            break;
    }
    return x;
}

} // namespace

void checkPoint(GeoPoint p)
{
    checkFinite(p.lat, QStringLiteral("Die Breite"));
    checkFinite(p.lon, QStringLiteral("Die Länge"));
    if (std::abs(p.lat) > 90.0)
        throw QuarvelError(QStringLiteral("Die Breite muss zwischen S 90° und N 90° liegen"));
    if (std::abs(p.lon) > 180.0)
        throw QuarvelError(QStringLiteral("Die Länge muss zwischen W 180° und E 180° liegen"));
}

void checkDistance(double metres)
{
    if (std::isnan(metres))
        checkFinite(metres, QStringLiteral("Die Entfernung"));
    if (metres < 0.0)
        throw QuarvelError(QStringLiteral("Die Entfernung darf nicht negativ sein"));
    if (metres > kLongestDistance)
        throw QuarvelError(QStringLiteral("Die Entfernung ist zu groß: mehr als 1.000.000 km "
                                          "(25-mal um die Erde) ist kein sinnvoller Wert"));
}

void checkBearing(double degrees)
{
    checkFinite(degrees, QStringLiteral("Die Peilung"));
    if (std::abs(degrees) > kLargestBearing)
        throw QuarvelError(QStringLiteral("Die Peilung ist zu groß: mehr als zehn volle "
                                          "Umdrehungen (3600°) ist kein sinnvoller Wert"));
}

GeoPoint project(GeoPoint start, double bearing, double distance)
{
    checkPoint(start);
    checkBearing(bearing);
    checkDistance(distance);
    GeoPoint target;
    GeographicLib::Geodesic::WGS84().Direct(start.lat, start.lon, normalizedBearing(bearing),
                                            distance, target.lat, target.lon);
    return target;
}

DistanceBearing distanceAndBearing(GeoPoint from, GeoPoint to)
{
    checkPoint(from);
    checkPoint(to);
    return inverse(from, to);
}

DistanceBearing reverseProjection(GeoPoint point, GeoPoint target)
{
    return distanceAndBearing(target, point);
}

GeoPoint midpoint(GeoPoint a, GeoPoint b)
{
    checkPoint(a);
    checkPoint(b);
    const GeographicLib::GeodesicLine line =
        GeographicLib::Geodesic::WGS84().InverseLine(a.lat, a.lon, b.lat, b.lon);
    GeoPoint middle;
    line.Position(line.Distance() / 2.0, middle.lat, middle.lon);
    return middle;
}

Centre centreOfThree(GeoPoint a, GeoPoint b, GeoPoint c)
{
    for (GeoPoint p : {a, b, c})
        checkPoint(p);
    const GeoPoint points[3] = {a, b, c};
    for (auto [i, j] : {std::pair {0, 1}, {0, 2}, {1, 2}}) {
        if (inverse(points[i], points[j]).distance < 1e-3)
            throw QuarvelError(QStringLiteral(
                "Zwei der Punkte fallen zusammen: es gibt keinen eindeutigen Mittelpunkt"));
    }
    const Vec3 va = unitVector(a), vb = unitVector(b), vc = unitVector(c);
    Vec3 normal = cross(plus(vb, scaled(va, -1)), plus(vc, scaled(va, -1)));
    // Three points on one great circle have the poles of that circle as centres; the nearer
    // one is taken, as everywhere else.
    if (dot(normal, va) < 0)
        normal = scaled(normal, -1);
    Centre centre;
    centre.point = equidistantFrom(pointOf(normal), points);
    const double da = inverse(centre.point, a).distance;
    const double db = inverse(centre.point, b).distance;
    const double dc = inverse(centre.point, c).distance;
    if (std::abs(da - db) > 1e-3 || std::abs(da - dc) > 1e-3)
        throw QuarvelError(QStringLiteral("Für diese drei Punkte findet sich kein Mittelpunkt"));
    centre.distance = da;
    return centre;
}

} // namespace Geo
