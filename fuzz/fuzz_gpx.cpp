// Reading a GPX file as the map's import and the command line do. Any bytes may only ever be
// refused with the program's error type; what is read must hold valid positions and must read
// back the same, field by field, after writing it as GPX 1.1. The seeds stand at the limits of
// nesting and attributes.
#include "logic/common/QuarvelError.h"
#include "logic/map/Gpx.h"

#include <QBuffer>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

bool valid(Geo::GeoPoint p)
{
    return std::abs(p.lat) <= 90.0 && std::abs(p.lon) <= 180.0;
}

bool sameFields(const Map::GpxWaypoint &a, const Map::GpxWaypoint &b)
{
    return a.name == b.name && a.description == b.description && a.comment == b.comment &&
        a.time == b.time && a.symbol == b.symbol && a.type == b.type && a.link == b.link &&
        a.linkText == b.linkText && a.cache == b.cache && a.elevation == b.elevation;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QBuffer input;
    input.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    input.open(QIODevice::ReadOnly);
    Map::GpxData gpx;
    try {
        gpx = Map::readGpx(input);
    } catch (const QuarvelError &) {
        return 0;
    }
    for (const Map::GpxWaypoint &w : gpx.waypoints) {
        if (!valid(w.position))
            std::abort();
    }
    QBuffer output;
    output.open(QIODevice::WriteOnly);
    if (!Map::writeGpx(output, gpx))
        std::abort();
    output.close();
    output.open(QIODevice::ReadOnly);
    try {
        const Map::GpxData back = Map::readGpx(output);
        if (back.waypoints.size() != gpx.waypoints.size() ||
            back.tracks.size() != gpx.tracks.size() || back.routes.size() != gpx.routes.size())
            std::abort();
        for (qsizetype i = 0; i < gpx.waypoints.size(); ++i) {
            if (!sameFields(gpx.waypoints[i], back.waypoints[i]))
                std::abort(); // a field lost or changed on the way
        }
        for (qsizetype i = 0; i < gpx.tracks.size(); ++i) {
            if (back.tracks[i].pointCount() != gpx.tracks[i].pointCount())
                std::abort();
        }
    } catch (const QuarvelError &) {
        std::abort(); // what we write must read back
    }
    return 0;
}
