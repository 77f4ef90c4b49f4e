// Reading a pasted position in any notation (angles, decimal pairs, UTM, MGRS, Gauss-Krueger,
// LV95) and writing it in every format. A text may only ever be refused with the program's
// error type, and whatever is read must be a valid position.
#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoFormats.h"
#include "logic/geo/GeoRead.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    Geo::GeoPoint p;
    try {
        p = Geo::readPosition(text);
    } catch (const QuarvelError &) {
        return 0;
    }
    if (!(std::abs(p.lat) <= 90.0) || !(std::abs(p.lon) <= 180.0))
        std::abort();
    Geo::allFormats(p);
    return 0;
}
