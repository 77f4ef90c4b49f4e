#pragma once

#include "logic/geo/GeoPoint.h"
#include "logic/map/Gpx.h"

#include <QList>
#include <QString>

#include <vector>

// What a map layer shows, on the WGS84 ellipsoid: named points and lines given by their
// positions. Lines between positions far apart are geodesics, sampled densely enough that the
// straight pieces between samples stray less than a metre from the true geodesic at the zoom
// levels a cacher uses; circles are the points at one geodesic distance from their centre.
namespace Map {

struct Marker
{
    Geo::GeoPoint position;
    QString name;
};

struct Polyline
{
    QList<Geo::GeoPoint> points;
    QString name;
};

struct Layer
{
    QString name;
    QList<Marker> markers;
    QList<Polyline> lines;
    // Where the layer was read from a GPX file: the file's content, written back whole on export.
    GpxData gpx = {};
    bool isEmpty() const { return markers.isEmpty() && lines.isEmpty(); }
};

// The geodesic from `from` to `to` as `segments` + 1 points, both ends included.
Polyline geodesicLine(Geo::GeoPoint from, Geo::GeoPoint to, int segments = 0);
// The geodesic that leaves `start` in `bearing` (degrees) for `distance` metres.
Polyline bearingLine(Geo::GeoPoint start, double bearing, double distance, int segments = 0);
// The points at `radius` metres from `centre`, closed (the first point repeated at the end).
Polyline geodesicCircle(Geo::GeoPoint centre, double radius, int segments = 0);

// A waypoint layer and one line per route and track segment.
Layer gpxLayer(const GpxData &data, const QString &name);
// The layer as GPX: the file it was read from, else markers as waypoints and lines as tracks.
GpxData layerAsGpx(const Layer &layer);

// The smallest box around every position (south-west, north-east); false when there is none.
bool boundsOf(const QList<Geo::GeoPoint> &points, Geo::GeoPoint &southWest,
              Geo::GeoPoint &northEast);
QList<Geo::GeoPoint> positionsOf(const Layer &layer);

// A position as text in notation 0, 1 or 2 of the coordinates tool (decimal comma); degrees
// and minutes, and degrees, minutes and seconds, as every other window writes them.
QString positionInNotation(Geo::GeoPoint p, int notation);

} // namespace Map
