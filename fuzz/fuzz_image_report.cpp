// The whole report of a picture file without the code search: the walkers, the metadata
// readers, Qt's decoders for the thumbnails and the comparison. Any bytes may be refused only
// with the program's error type, and a report never claims more than the file holds.
#include "image/ImageReport.h"
#include "logic/common/QuarvelError.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    ImageAnalysis::Options options;
    options.codesSuchen = false;
    try {
        const ImageAnalysis::Report report = ImageAnalysis::analyse(file, options);
        if (report.anhang && report.anhang->offset + report.anhang->laenge != file.size())
            std::abort();
        if (qint64(report.breite) * report.hoehe > ImageAnalysis::kMaxPixels)
            std::abort(); // should have been refused before decoding
    } catch (const QuarvelError &) {
    }
    return 0;
}
