#pragma once

#include "logic/geo/GeoPoint.h"

// The geodesic tasks of the coordinate calculator, one pure function each, on the WGS84
// ellipsoid through GeographicLib (accurate to nanometres for every pair of points, nearly
// antipodal ones included). Invalid input throws QuarvelError with a German message.
namespace Geo {

// Refuses a latitude beyond ±90°, a longitude beyond ±180° or a value that is not finite.
void checkPoint(GeoPoint p);

// A distance of more than a million kilometres (25 times round the earth) or a bearing beyond
// ten full turns is no measurement but a typo or a pasted number; both are refused rather than
// folded into a plausible-looking point.
inline constexpr double kLongestDistance = 1e9; // metres
inline constexpr double kLargestBearing = 3600.0; // degrees either way
// Refuses a distance that is negative, not finite or longer than kLongestDistance.
void checkDistance(double metres);
// Refuses a bearing that is not finite or beyond ±kLargestBearing.
void checkBearing(double degrees);

// Projection: the point reached from `start` along the geodesic that leaves it at `bearing`
// degrees (taken modulo 360) after `distance` metres (0 up to kLongestDistance).
GeoPoint project(GeoPoint start, double bearing, double distance);

// Distance, initial and final bearing from `from` to `to`.
DistanceBearing distanceAndBearing(GeoPoint from, GeoPoint to);

// Reverse projection: the bearing and distance a projection from `target` needs to reach
// `point` (the way back of the geodesic from `point` to `target`).
DistanceBearing reverseProjection(GeoPoint point, GeoPoint target);

// The point halfway along the geodesic from a to b.
GeoPoint midpoint(GeoPoint a, GeoPoint b);

// The point at equal geodesic distance from a, b and c (the nearer of the two such points),
// and that distance.
struct Centre
{
    GeoPoint point;
    double distance = 0.0;
};
Centre centreOfThree(GeoPoint a, GeoPoint b, GeoPoint c);

} // namespace Geo
