// Reading a GPX file as the map's import and the command line do. Any bytes may only ever be
// refused with the program's error type; what is read must hold valid positions and must read
// back the same after writing it as GPX 1.1.
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
    } catch (const QuarvelError &) {
        std::abort(); // what we write must read back
    }
    return 0;
}
