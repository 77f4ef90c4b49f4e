// A picture file's bytes through what the Bildanalyse window does with them: decoding, the
// frames of an animation and every view. Any bytes may only ever be refused with the program's
// error type; every view keeps the picture's size and a frame list never exceeds its budget.
// Pictures above a megapixel are skipped to keep each run fast; the limits themselves are the
// unit tests' business. Seeds: a PNG with alpha, a three-frame GIF, a header claiming too much.
#include "image/ImageDecode.h"
#include "image/ImageDifference.h"
#include "image/ImageFrames.h"
#include "image/ImagePlanes.h"
#include "image/ImageTones.h"
#include "logic/common/QuarvelError.h"

#include <QBuffer>
#include <QImageReader>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr qint64 kBudget = 1'000'000;

bool small(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    return size.isValid() && qint64(size.width()) * size.height() <= kBudget;
}

void checkViews(const QImage &image)
{
    using namespace ImageAnalysis;
    const QSize size = image.size();
    if (bitPlane(image, Channel::Red, 0).size() != size ||
        channelImage(image, Channel::Alpha).size() != size ||
        applyLevels(image, {10, 200, 1.7}).size() != size || inverted(image).size() != size ||
        isolateColour(image, image.pixel(0, 0)).treffer < 1 ||
        difference(image, inverted(image)).bild.size() != size)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!small(bytes))
        return 0;
    try {
        checkViews(ImageAnalysis::decodeImage(bytes));
        const ImageAnalysis::Frames frames = ImageAnalysis::readFrames(bytes, kBudget);
        qint64 pixels = 0;
        for (const ImageAnalysis::Frame &frame : frames.bilder)
            pixels += qint64(frame.bild.width()) * frame.bild.height();
        if (pixels > kBudget || frames.bilder.size() > ImageAnalysis::kMaxFrames)
            std::abort();
    } catch (const QuarvelError &) {
    }
    return 0;
}
