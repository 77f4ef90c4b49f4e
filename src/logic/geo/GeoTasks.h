#pragma once

#include "logic/geo/GeoPoint.h"

#include <QList>

// The constructions of the coordinate calculator beyond projection and intersection, each on the
// WGS84 ellipsoid and each with its method stated, so a result can be checked against another
// tool that names its own. Invalid input throws QuarvelError with a German message.
namespace Geo {

// Centre of gravity of 2 to kMostCentroidPoints points, two ways:
// - `surface`: the mean of the points' earth-centred vectors (at height 0), carried to the
//   surface along the ellipsoid normal through it, i.e. the geodetic position of the mean vector;
// - `arithmetic`: the plain mean of the latitudes and of the longitudes, which some tools give
//   and which is only near the other for points close together and away from the date line.
// Points that cancel out (a point and its antipode) leave the mean vector within 1 km of the
// earth's centre, where no direction is defined: refused.
inline constexpr int kFewestCentroidPoints = 2;
inline constexpr int kMostCentroidPoints = 1000;
struct Centroid
{
    GeoPoint surface;
    GeoPoint arithmetic;
};
Centroid centroid(const QList<GeoPoint> &points);

// The point diametrically opposite through the earth's centre: latitude negated, longitude
// shifted by 180°. On the ellipsoid this is exact as well: the ellipsoid is symmetric about its
// centre, and the normal at the opposite point is the opposite normal.
GeoPoint antipode(GeoPoint p);

// Rhumb line (loxodrome), the course of constant compass bearing, through GeographicLib's Rhumb
// on WGS84: its length in metres and its course in degrees [0, 360).
struct RhumbCourse
{
    double distance = 0.0;
    double course = 0.0;
};
RhumbCourse rhumbInverse(GeoPoint from, GeoPoint to);
// The point reached on a rhumb line of `course` degrees after `distance` metres; a rhumb line
// that is not due east or west reaches a pole after a finite distance, and going further is
// refused.
GeoPoint rhumbDirect(GeoPoint start, double course, double distance);

// The geodesic from a to b cut into `segments` equal parts (2 to kMostSegments): the
// segments − 1 points between, in order from a.
inline constexpr int kFewestSegments = 2;
inline constexpr int kMostSegments = 1000;
QList<GeoPoint> divideGeodesic(GeoPoint a, GeoPoint b, int segments);

// The two points c with |ac| = |bc| = |ab| along geodesics (both apexes of an equilateral
// triangle over ab), found as the intersection of two geodesic circles, each to 1 mm: first the
// one to the left seen from a towards b, then the one to the right.
struct Apexes
{
    GeoPoint left;
    GeoPoint right;
    double side = 0.0;
};
Apexes equilateralApexes(GeoPoint a, GeoPoint b);

// Offsets northwards and eastwards (negative: south, west).
// In minutes of arc, as a listing writes "N +0,250' E −0,125'": the minutes are added to the
// latitude and the longitude, the longitude wrapped round the date line; beyond a pole refused.
// At most kLargestOffsetMinutes either way.
inline constexpr double kLargestOffsetMinutes = 21600.0; // 360°
GeoPoint offsetByMinutes(GeoPoint p, double northMinutes, double eastMinutes);
// In metres: one geodesic from p with bearing atan2(east, north) and length √(north² + east²),
// i.e. the offset taken in the plane touching the ellipsoid at p. Up to kLongestDistance.
GeoPoint offsetByMetres(GeoPoint p, double northMetres, double eastMetres);

} // namespace Geo
