#pragma once

#include "logic/geo/GeoPoint.h"

#include <QList>
#include <QString>

#include <optional>

class QIODevice;

// GPX files (GPS Exchange Format, versions 1.0 and 1.1) as far as a map needs them: waypoints,
// routes and tracks. Elements are matched by their local name, so files that bind the GPX
// namespace to a prefix, use the 1.0 namespace or none at all read alike; extensions of other
// programs (Groundspeak, GSAK, Garmin) are skipped except for what names a geocache.
namespace Map {

struct GpxWaypoint
{
    QString name;
    Geo::GeoPoint position;
    std::optional<double> elevation; // metres; many files have none
    QString description;
    QString cache; // the geocache code ("GC12ABC") where the file names one, else empty
};

// A route has one segment; a track one or more, which are drawn apart.
struct GpxPath
{
    QString name;
    QList<QList<Geo::GeoPoint>> segments;
    qsizetype pointCount() const;
};

struct GpxData
{
    QList<GpxWaypoint> waypoints;
    QList<GpxPath> routes;
    QList<GpxPath> tracks;
    bool isEmpty() const { return waypoints.isEmpty() && routes.isEmpty() && tracks.isEmpty(); }
};

// Reads a whole GPX document. Throws QuarvelError with a German message that names the line for
// anything that is not a readable GPX file: broken XML, another root element, a point without a
// valid latitude or longitude.
GpxData readGpx(QIODevice &device);

// Reads the GPX file at `path`; every message starts with the path. Only regular files are
// read, so a pipe or a device cannot keep the reader waiting.
GpxData readGpxFile(const QString &path);

// Writes GPX 1.1 with a decimal point whatever the language; false when the device failed.
bool writeGpx(QIODevice &device, const GpxData &data);

// The geocache code in a waypoint name ("GC1A2B3", "OC12AB"), or the empty text.
QString cacheCodeIn(const QString &name);

} // namespace Map
