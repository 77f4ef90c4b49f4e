#pragma once

#include "logic/geo/GeoPoint.h"

#include <QString>

// Resection (Snellius–Pothenot): the standpoint from which three known points A, B and C are
// seen at two measured angles. Each angle is turned clockwise, as on a compass or a theodolite:
// `angleAB` from the direction to A to the direction to B, `angleBC` from B to C, both in
// degrees, more than 0 and less than 360.
//
// Method: a plane solution (the standpoint as the second meeting point of the two circles
// through A, B and through B, C that hold the angles, in the azimuthal equidistant plane round B)
// gives the first guess; Newton steps on the ellipsoid then move it until the geodesic
// directions to A, B and C differ by the measured angles, until a step is below 0.1 mm, and the
// result is checked to 1 mm before it is returned.
//
// The danger circle is the circle through A, B and C: from every point on it the angles are the
// same, so a standpoint on or near it cannot be fixed. The distance of the result from that
// circle (in the plane round B) is returned with it; within kDangerZone of the circle's radius
// the result is refused, and below kDangerWarning a warning goes with it.
namespace Geo {

inline constexpr double kLongestResectionSide = 1e6; // metres between any two known points
inline constexpr double kDangerZone = 1e-6; // share of the danger circle's radius
inline constexpr double kDangerWarning = 0.05;

struct Resection
{
    GeoPoint standpoint;
    double dangerCircleDistance = 0.0; // metres, standpoint to the circle through A, B, C
    double dangerCircleRadius = 0.0; // metres
    QString warning; // empty, or why the standpoint is uncertain
};

Resection resect(GeoPoint a, GeoPoint b, GeoPoint c, double angleAB, double angleBC);

} // namespace Geo
