#include "image/ImageDifference.h"

#include "image/ImageDecode.h"

#include <cstdlib>

namespace ImageAnalysis {

namespace {

quint32 channelDistance(quint32 a, quint32 b, int shift)
{
    return quint32(std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF))) << shift;
}

} // namespace

Difference difference(const QImage &first, const QImage &second, bool hervorheben)
{
    const QImage a = asArgb32(first);
    const QImage b = asArgb32(second);
    const QSize common = a.size().boundedTo(b.size());
    Difference result;
    result.gleicheGroesse = a.size() == b.size();
    result.bild = QImage(common, QImage::Format_ARGB32);
    for (int y = 0; y < common.height(); ++y) {
        const auto *lineA = reinterpret_cast<const quint32 *>(a.constScanLine(y));
        const auto *lineB = reinterpret_cast<const quint32 *>(b.constScanLine(y));
        auto *out = reinterpret_cast<quint32 *>(result.bild.scanLine(y));
        for (int x = 0; x < common.width(); ++x) {
            const quint32 pa = lineA[x];
            const quint32 pb = lineB[x];
            const bool differs = pa != pb;
            result.abweichend += differs;
            if (hervorheben) {
                out[x] = differs ? 0xFFFFFFFFu : 0xFF000000u;
            } else {
                out[x] = 0xFF000000u | channelDistance(pa, pb, 16) | channelDistance(pa, pb, 8) |
                    channelDistance(pa, pb, 0);
            }
        }
    }
    return result;
}

} // namespace ImageAnalysis
