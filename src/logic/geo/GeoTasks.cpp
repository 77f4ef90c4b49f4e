#include "logic/geo/GeoTasks.h"

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoIntersect.h"
#include "logic/geo/GeoSupport.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <GeographicLib/Rhumb.hpp>

#include <cmath>

namespace Geo {

using namespace Support;

namespace {

// Longitude into (-180, 180]; fmod keeps the result exact for the sums made here.
double wrappedLongitude(double lon)
{
    double result = std::fmod(lon, 360.0);
    if (result > 180.0)
        result -= 360.0;
    else if (result <= -180.0)
        result += 360.0;
    return result;
}

void checkFiniteOffset(double value)
{
    if (!std::isfinite(value))
        throw QuarvelError(QStringLiteral("Der Versatz ist keine endliche Zahl"));
}

} // namespace

Centroid centroid(const QList<GeoPoint> &points)
{
    if (points.size() < kFewestCentroidPoints)
        throw QuarvelError(QStringLiteral("Für einen Schwerpunkt braucht es mindestens %1 Punkte")
                               .arg(kFewestCentroidPoints));
    if (points.size() > kMostCentroidPoints)
        throw QuarvelError(QStringLiteral("Höchstens %1 Punkte für einen Schwerpunkt, nicht %2")
                               .arg(kMostCentroidPoints)
                               .arg(points.size()));
    const GeographicLib::Geocentric &earth = GeographicLib::Geocentric::WGS84();
    double sum[3] = {0, 0, 0};
    Centroid result;
    for (const GeoPoint &p : points) {
        checkPoint(p);
        double x = 0, y = 0, z = 0;
        earth.Forward(p.lat, p.lon, 0.0, x, y, z);
        sum[0] += x;
        sum[1] += y;
        sum[2] += z;
        result.arithmetic.lat += p.lat;
        result.arithmetic.lon += p.lon;
    }
    const double n = double(points.size());
    const double mean[3] = {sum[0] / n, sum[1] / n, sum[2] / n};
    if (std::hypot(mean[0], mean[1], mean[2]) < 1000.0)
        throw QuarvelError(QStringLiteral("Die Punkte heben sich auf: ihr Schwerpunkt liegt im "
                                          "Erdmittelpunkt und hat keine Position auf der Erde"));
    double height = 0.0;
    earth.Reverse(mean[0], mean[1], mean[2], result.surface.lat, result.surface.lon, height);
    result.arithmetic.lat /= n;
    result.arithmetic.lon /= n;
    return result;
}

GeoPoint antipode(GeoPoint p)
{
    checkPoint(p);
    return {-p.lat, p.lon > 0.0 ? p.lon - 180.0 : p.lon + 180.0};
}

RhumbCourse rhumbInverse(GeoPoint from, GeoPoint to)
{
    checkPoint(from);
    checkPoint(to);
    RhumbCourse result;
    double azimuth = 0.0;
    GeographicLib::Rhumb::WGS84().Inverse(from.lat, from.lon, to.lat, to.lon, result.distance,
                                          azimuth);
    result.course = normalizedBearing(azimuth);
    return result;
}

GeoPoint rhumbDirect(GeoPoint start, double course, double distance)
{
    checkPoint(start);
    checkBearing(course);
    checkDistance(distance);
    GeoPoint target;
    GeographicLib::Rhumb::WGS84().Direct(start.lat, start.lon, normalizedBearing(course), distance,
                                         target.lat, target.lon);
    if (!std::isfinite(target.lat) || !std::isfinite(target.lon))
        throw QuarvelError(QStringLiteral("Die Loxodrome erreicht vorher den Pol: so weit führt "
                                          "dieser Kurs nicht"));
    target.lon = wrappedLongitude(target.lon);
    return target;
}

QList<GeoPoint> divideGeodesic(GeoPoint a, GeoPoint b, int segments)
{
    checkPoint(a);
    checkPoint(b);
    if (segments < kFewestSegments || segments > kMostSegments)
        throw QuarvelError(QStringLiteral("Die Anzahl der Teile muss zwischen %1 und %2 liegen")
                               .arg(kFewestSegments)
                               .arg(kMostSegments));
    const GeographicLib::GeodesicLine line =
        GeographicLib::Geodesic::WGS84().InverseLine(a.lat, a.lon, b.lat, b.lon);
    QList<GeoPoint> points;
    for (int i = 1; i < segments; ++i) {
        GeoPoint p;
        line.Position(line.Distance() * i / segments, p.lat, p.lon);
        points.append(p);
    }
    return points;
}

Apexes equilateralApexes(GeoPoint a, GeoPoint b)
{
    checkPoint(a);
    checkPoint(b);
    const DistanceBearing ab = inverse(a, b);
    if (ab.distance < 1e-3)
        throw QuarvelError(
            QStringLiteral("Die beiden Punkte fallen zusammen: es gibt kein Dreieck über ihnen"));
    QList<GeoPoint> apexes;
    try {
        apexes = intersectCircles({a, ab.distance}, {b, ab.distance});
    } catch (const QuarvelError &) {
        throw QuarvelError(
            QStringLiteral("Über diesen Punkten gibt es auf dem Ellipsoid kein "
                           "gleichseitiges Dreieck: sie liegen zu weit auseinander"));
    }
    if (apexes.size() != 2)
        throw QuarvelError(
            QStringLiteral("Über diesen Punkten gibt es auf dem Ellipsoid kein "
                           "gleichseitiges Dreieck: sie liegen zu weit auseinander"));
    Apexes result {apexes[0], apexes[1], ab.distance};
    // Left of the way from a to b: turning from b's direction to the apex's is anticlockwise.
    const double turn =
        normalizedBearing(inverse(a, result.left).initialBearing - ab.initialBearing);
    if (turn < 180.0)
        std::swap(result.left, result.right);
    return result;
}

GeoPoint offsetByMinutes(GeoPoint p, double northMinutes, double eastMinutes)
{
    checkPoint(p);
    checkFiniteOffset(northMinutes);
    checkFiniteOffset(eastMinutes);
    if (std::abs(northMinutes) > kLargestOffsetMinutes ||
        std::abs(eastMinutes) > kLargestOffsetMinutes)
        throw QuarvelError(QStringLiteral("Ein Versatz von mehr als 21600' (360°) ist kein "
                                          "sinnvoller Wert"));
    const GeoPoint moved {p.lat + northMinutes / 60.0,
                          wrappedLongitude(p.lon + eastMinutes / 60.0)};
    if (std::abs(moved.lat) > 90.0)
        throw QuarvelError(QStringLiteral("Der Versatz nach Norden oder Süden führt über den Pol "
                                          "hinaus"));
    return moved;
}

GeoPoint offsetByMetres(GeoPoint p, double northMetres, double eastMetres)
{
    checkPoint(p);
    checkFiniteOffset(northMetres);
    checkFiniteOffset(eastMetres);
    const double length = std::hypot(northMetres, eastMetres);
    checkDistance(length);
    return moveBy(p, northMetres, eastMetres);
}

} // namespace Geo
