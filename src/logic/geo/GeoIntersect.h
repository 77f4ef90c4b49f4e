#pragma once

#include "logic/geo/GeoPoint.h"

#include <QList>

#include <array>

// Intersections on the WGS84 ellipsoid. A spherical solution gives the first guess; the
// ellipsoidal iteration then runs until a step moves the point by less than 0.1 mm, and every
// result is checked to lie on its lines and circles to 1 mm before it is returned. Where there
// is no intersection the functions throw QuarvelError with a German message, never a point.
namespace Geo {

// A bearing line starts at its point and runs forward along the geodesic with that bearing
// (degrees) up to the far side of the earth; points behind its start are not on it.
struct BearingLine
{
    GeoPoint start;
    double bearing = 0.0;
};

struct Circle
{
    GeoPoint centre;
    double radius = 0.0; // metres along the geodesic, more than 0
};

// Where two bearing lines cross (the gnomonic projection method: project both lines into the
// gnomonic projection centred at the current guess, where geodesics through the centre are
// straight, intersect the straight lines and take the result as the next centre).
GeoPoint intersectBearings(const BearingLine &first, const BearingLine &second);

// Where a bearing line meets a circle, nearer point first: one or two points.
QList<GeoPoint> intersectLineCircle(const BearingLine &line, const Circle &circle);

// Both points where two circles meet (one where they only touch).
QList<GeoPoint> intersectCircles(const Circle &first, const Circle &second);

// Trilateration: the point whose distances to three centres best fit the three radii (least
// squares), with the misfit distance minus radius for each circle.
struct BestFit
{
    GeoPoint point;
    std::array<double, 3> misfit {};
};
BestFit trilaterate(const Circle &first, const Circle &second, const Circle &third);

// Distance in metres from a point to a bearing line (0 when it lies on it); for checks.
double distanceToLine(const BearingLine &line, GeoPoint p);

} // namespace Geo
