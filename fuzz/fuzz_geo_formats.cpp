// The reader of every format (cell codes, Plus Codes short and full, RD, ECEF, LV03, Reverse-
// Wherigo codes, tiles, quadkeys, Natural Area Codes and all that
// readPosition knows), by shape and with each explicit format, and the GC code reader. A text may
// only ever be refused with the program's error type; whatever is read must be a valid position,
// and writing it in every format must not fail in any other way.
#include "logic/common/QuarvelError.h"
#include "logic/geo/GcCode.h"
#include "logic/geo/GeoFormats.h"
#include "logic/geo/GeoRead.h"
#include "logic/geo/GeoWherigo.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

void readAndWrite(const QString &text, std::optional<Geo::Format> format)
{
    Geo::GeoPoint p;
    try {
        p = Geo::readAnyPosition(text, format, {52.0, 13.0}).point;
    } catch (const QuarvelError &) {
        return;
    }
    if (!(std::abs(p.lat) <= 90.0) || !(std::abs(p.lon) <= 180.0))
        std::abort();
    Geo::allFormats(p, {16, 12, 15, Geo::kTileZoomMax, Geo::kNacMax});
}

// A Reverse-Wherigo code that reads must be written back as the same code's position.
void wherigoRoundTrip(const QString &text)
{
    Geo::GeoPoint p;
    try {
        p = Geo::wherigoPosition(text);
    } catch (const QuarvelError &) {
        return;
    }
    const Geo::GeoPoint back = Geo::wherigoPosition(Geo::toWherigo(p));
    if (std::abs(back.lat - p.lat) > 1e-9 || std::abs(back.lon - p.lon) > 1e-9)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    readAndWrite(text, std::nullopt);
    for (const QString &key : Geo::formatKeys())
        readAndWrite(text, Geo::formatFromKey(key));
    wherigoRoundTrip(text);
    try {
        const Geo::GcCodePair pair = Geo::readGcCode(text);
        if (Geo::gcCodeToNumber(pair.code) != pair.number)
            std::abort();
    } catch (const QuarvelError &) {
    }
    return 0;
}
