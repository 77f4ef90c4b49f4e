#include "image/ImagePlanes.h"

#include "image/ImageDecode.h"
#include "logic/common/QuarvelError.h"

namespace ImageAnalysis {

namespace {

// Writes `map(byte of the channel)` for every pixel; the lambda inlines into the row loop.
template<typename Map> QImage mapChannel(const QImage &image, Channel channel, Map map)
{
    const QImage source = asArgb32(image);
    QImage result(source.size(), QImage::Format_Grayscale8);
    const int shift = channelShift(channel);
    const int width = source.width();
    for (int y = 0; y < source.height(); ++y) {
        const auto *in = reinterpret_cast<const quint32 *>(source.constScanLine(y));
        uchar *out = result.scanLine(y);
        for (int x = 0; x < width; ++x)
            out[x] = map(uchar(in[x] >> shift));
    }
    return result;
}

} // namespace

QImage channelImage(const QImage &image, Channel channel)
{
    return mapChannel(image, channel, [](uchar value) { return value; });
}

QImage bitPlane(const QImage &image, Channel channel, int bit)
{
    if (bit < 0 || bit > 7)
        throw QuarvelError(QStringLiteral("Bit %1 gibt es nicht; erlaubt sind 0 bis 7.").arg(bit));
    return mapChannel(image, channel,
                      [bit](uchar value) { return uchar(-int((value >> bit) & 1)); });
}

} // namespace ImageAnalysis
