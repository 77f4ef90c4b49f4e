#pragma once

// One position on the WGS84 ellipsoid in degrees: latitude -90..90 (north positive), longitude
// -180..180 (east positive). Everything in this folder computes on the ellipsoid; a sphere is
// only used for first guesses that the ellipsoidal iterations then refine.
namespace Geo {

struct GeoPoint
{
    double lat = 0.0;
    double lon = 0.0;
};

// Distance along the geodesic in metres, bearings in degrees clockwise from north in [0, 360).
// The final bearing is the direction of travel on arrival, not the way back.
struct DistanceBearing
{
    double distance = 0.0;
    double initialBearing = 0.0;
    double finalBearing = 0.0;
};

} // namespace Geo
