#include "logic/geo/GeoSupport.h"

#include <GeographicLib/Geodesic.hpp>

#include <cmath>
#include <numbers>

namespace Geo::Support {

namespace {
constexpr double kDeg = std::numbers::pi / 180.0;
}

double normalizedBearing(double degrees)
{
    double result = std::fmod(degrees, 360.0);
    if (result < 0.0)
        result += 360.0;
    return result >= 360.0 ? 0.0 : result;
}

GeoPoint moveBy(GeoPoint from, double north, double east)
{
    const double length = std::hypot(north, east);
    if (length == 0.0)
        return from;
    GeoPoint to;
    GeographicLib::Geodesic::WGS84().Direct(from.lat, from.lon, std::atan2(east, north) / kDeg,
                                            length, to.lat, to.lon);
    return to;
}

DistanceBearing inverse(GeoPoint from, GeoPoint to)
{
    DistanceBearing result;
    double azi1 = 0.0;
    double azi2 = 0.0;
    GeographicLib::Geodesic::WGS84().Inverse(from.lat, from.lon, to.lat, to.lon, result.distance,
                                             azi1, azi2);
    result.initialBearing = normalizedBearing(azi1);
    result.finalBearing = normalizedBearing(azi2);
    return result;
}

Vec3 unitVector(GeoPoint p)
{
    const double phi = p.lat * kDeg;
    const double lambda = p.lon * kDeg;
    return {std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda), std::sin(phi)};
}

GeoPoint pointOf(const Vec3 &v)
{
    return {std::atan2(v[2], std::hypot(v[0], v[1])) / kDeg, std::atan2(v[1], v[0]) / kDeg};
}

Vec3 cross(const Vec3 &a, const Vec3 &b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double dot(const Vec3 &a, const Vec3 &b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

double norm(const Vec3 &a)
{
    return std::sqrt(dot(a, a));
}

Vec3 scaled(const Vec3 &a, double factor)
{
    return {a[0] * factor, a[1] * factor, a[2] * factor};
}

Vec3 plus(const Vec3 &a, const Vec3 &b)
{
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}

Vec3 directionVector(GeoPoint p, double bearing)
{
    const double phi = p.lat * kDeg;
    const double lambda = p.lon * kDeg;
    const Vec3 north {-std::sin(phi) * std::cos(lambda), -std::sin(phi) * std::sin(lambda),
                      std::cos(phi)};
    const Vec3 east {-std::sin(lambda), std::cos(lambda), 0.0};
    return plus(scaled(north, std::cos(bearing * kDeg)), scaled(east, std::sin(bearing * kDeg)));
}

} // namespace Geo::Support
