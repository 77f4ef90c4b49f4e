#pragma once

#include "logic/geo/GeoPoint.h"

#include <QString>

// Grid references of a WGS84 position, each way. Invalid input and positions outside a grid's
// area throw QuarvelError with a German message.
//
// - UTM and MGRS through GeographicLib (exact to the millimetre, 1 m steps in the text).
// - Gauß-Krüger on the German DHDN datum, zones 2 to 5, through PROJ with the BETA2007 grid of
//   the German surveying authorities (EPSG "DHDN to WGS 84 (4)", about 1 m). BETA2007 covers
//   Germany only, so a position outside it is refused rather than shifted by guesswork.
// - Swiss LV95 (CH1903+) through PROJ with the Helmert transformation EPSG "CH1903+ to WGS 84
//   (1)" (about 1 m), for Switzerland and Liechtenstein.
// - Dutch RD (Amersfoort / RD New, EPSG:28992) through PROJ with the Helmert transformation
//   EPSG "Amersfoort to WGS 84 (3)" (about 1 m), for the Netherlands and their coastal waters.
// - ECEF: earth-centred X, Y, Z in metres on WGS84 (GeographicLib's Geocentric), at height 0.
// The PROJ pipelines are made once per thread and kept until the thread ends: making one costs
// about a hundred times a conversion.
namespace Geo {

struct GridPosition
{
    int zone = 0; // UTM zone 1..60; Gauß-Krüger zone 2..5; 0 for LV95
    bool north = true; // UTM: northern hemisphere
    double easting = 0.0; // metres (UTM easting, Gauß-Krüger Rechtswert, LV95 E)
    double northing = 0.0; // metres (UTM northing, Gauß-Krüger Hochwert, LV95 N)
};

GridPosition toUtm(GeoPoint p);
GeoPoint fromUtm(const GridPosition &utm);
// The latitude band letter of UTM and MGRS (C..X without I and O).
QChar utmBand(double lat);

// MGRS with 1 m resolution, grouped as "33U UU 92010 20073".
QString toMgrs(GeoPoint p);
// Any MGRS reference (2 to 10 digits); the result is the centre of the square it names.
GeoPoint fromMgrs(const QString &mgrs);

GridPosition toGaussKrueger(GeoPoint p);
GeoPoint fromGaussKrueger(const GridPosition &gk);

GridPosition toLv95(GeoPoint p);
GeoPoint fromLv95(const GridPosition &lv95);

// Swiss LV03 (CH1903 / LV03, EPSG:21781), the grid before LV95: the same oblique Mercator
// projection with the origin at Bern's old observatory written as y 600000, x 200000 (y east,
// x north), reached with the Helmert transformation EPSG "CH1903 to WGS 84 (1)" (about 1 m),
// for Switzerland and Liechtenstein. easting is y, northing x.
GridPosition toLv03(GeoPoint p);
GeoPoint fromLv03(const GridPosition &lv03);
// The projection step alone, for a position already on the CH1903 datum (Bessel).
GridPosition lv03FromCh1903(GeoPoint ch1903);

// RD: easting is X, northing Y (zone unused).
GridPosition toRd(GeoPoint p);
GeoPoint fromRd(const GridPosition &rd);
// The projection step alone, for a position already on the Amersfoort datum (Bessel): the
// form of EPSG's worked example for the oblique stereographic projection.
GridPosition rdFromAmersfoort(GeoPoint amersfoort);

struct Ecef
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
Ecef toEcef(GeoPoint p);
// Refuses a point more than 100 km from the ellipsoid's surface: that is no position a cacher
// means.
GeoPoint fromEcef(const Ecef &ecef);

} // namespace Geo
