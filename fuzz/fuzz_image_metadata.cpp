// The readers of a picture's metadata blocks: EXIF through libexif, XMP, Photoshop resources
// and IPTC records. Any bytes may give fields and problems, never a crash; a GPS position read
// must lie on the globe.
#include "image/MetadataReaders.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace ImageAnalysis;

namespace {

void check(const MetadataContent &content)
{
    if (!content.gps)
        return;
    if (!(std::abs(content.gps->breite) <= 90.0) || !(std::abs(content.gps->laenge) <= 180.0))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the reader, so one corpus feeds all four.
    const QByteArrayView block(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    switch (data[0] % 4) {
    case 0:
        check(readExif(QByteArray("Exif\0\0", 6) + block.toByteArray()));
        break;
    case 1:
        check(readXmp(block));
        break;
    case 2:
        check(readPhotoshopResources(block));
        break;
    default:
        check(readIptc(block));
        break;
    }
    return 0;
}
