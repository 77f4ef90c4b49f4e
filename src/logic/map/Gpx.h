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
//
// Everything here is pure logic without shared state: a worker thread may read a file while the
// window's thread goes on.
namespace Map {

struct GpxWaypoint
{
    QString name;
    Geo::GeoPoint position;
    std::optional<double> elevation; // metres; many files have none
    QString description;
    QString cache; // the geocache code ("GC12ABC") where the file names one, else empty
    QString comment = {};
    QString time = {}; // as the file writes it (ISO 8601), so it is written back unchanged
    QString symbol = {};
    QString type = {};
    QString link = {}; // the address of the point's first link
    QString linkText = {};
};

// A point of a route or a track: a position with what a GPS logs beside it.
struct GpxPathPoint
{
    Geo::GeoPoint position;
    std::optional<double> elevation = std::nullopt;
    QString time = {};
};

// A route has one segment; a track one or more, which are drawn apart.
struct GpxPath
{
    QString name;
    QList<QList<GpxPathPoint>> segments;
    qsizetype pointCount() const;
};

struct GpxData
{
    QList<GpxWaypoint> waypoints;
    QList<GpxPath> routes;
    QList<GpxPath> tracks;
    bool isEmpty() const { return waypoints.isEmpty() && routes.isEmpty() && tracks.isEmpty(); }
};

// Takes what a GPX file holds in the order it stands there, so a reader of a large file need
// not keep all of it. A route or a track arrives as pathBegins, its points segment by segment
// and pathEnds with its name (which the file may write anywhere among the points).
class GpxVisitor
{
public:
    virtual ~GpxVisitor() = default;
    virtual void waypoint(GpxWaypoint &&point) = 0;
    virtual void pathBegins(bool track) = 0;
    virtual void segmentBegins() = 0;
    virtual void pathPoint(GpxPathPoint &&point) = 0;
    virtual void pathEnds(const QString &name) = 0;
};

// What a GPX file may hold before it is refused as hostile rather than read: no program writes
// anything near these, and beyond them the XML reader's costs grow faster than the file.
constexpr int kGpxMaxDepth = 64; // elements inside one another, the root included
constexpr int kGpxMaxAttributes = 64; // attributes and namespace declarations of one element

// Reads a GPX document into `visitor` as it goes, holding one point at a time. Throws
// QuarvelError with a German message that names the line for anything that is not a readable GPX
// file: broken XML, another root element, a point without a valid latitude or longitude,
// elements nested deeper or with more attributes than the limits above. What the visitor took
// before the fault stays with it.
void readGpx(QIODevice &device, GpxVisitor &visitor);
// Reads a whole GPX document into memory.
GpxData readGpx(QIODevice &device);

// Reads the GPX file at `path`; every message starts with the path. Only regular files are
// read, so a pipe or a device cannot keep the reader waiting.
void readGpxFile(const QString &path, GpxVisitor &visitor);
GpxData readGpxFile(const QString &path);

// Writes GPX 1.1 with a decimal point whatever the language; false when the device failed. A
// cache code that the name does not show is written in a GSAK extension, where other programs
// look for it too.
bool writeGpx(QIODevice &device, const GpxData &data);

// The geocache code in a waypoint name ("GC1A2B3", "OC12AB"), or the empty text.
QString cacheCodeIn(const QString &name);

} // namespace Map
