#pragma once

#include "logic/geo/GeoPoint.h"

#include <array>

// Helpers shared by the geodesic computations: bearings in [0, 360), small moves in a local
// north/east frame, and unit vectors for the spherical first guesses.
namespace Geo::Support {

using Vec3 = std::array<double, 3>;

double normalizedBearing(double degrees);

// The point reached from `from` by `north` metres northwards and `east` metres eastwards,
// taken as one geodesic step; Newton steps are small, so this is exact enough for them.
GeoPoint moveBy(GeoPoint from, double north, double east);

// Azimuth (degrees) at `from` towards `to`, and their distance.
DistanceBearing inverse(GeoPoint from, GeoPoint to);

Vec3 unitVector(GeoPoint p);
GeoPoint pointOf(const Vec3 &v);
Vec3 cross(const Vec3 &a, const Vec3 &b);
double dot(const Vec3 &a, const Vec3 &b);
double norm(const Vec3 &a);
Vec3 scaled(const Vec3 &a, double factor);
Vec3 plus(const Vec3 &a, const Vec3 &b);
// The direction of travel at p for a bearing, as a tangent unit vector.
Vec3 directionVector(GeoPoint p, double bearing);

// Mean earth radius (IUGG), for the spherical first guesses only.
inline constexpr double kMeanRadius = 6371008.8;
// Half the meridian: no distance on the ellipsoid between two points is longer.
inline constexpr double kHalfMeridian = 20003931.4586;

} // namespace Geo::Support
