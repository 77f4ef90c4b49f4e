#include "image/ThumbnailCompare.h"

#include <cstdlib>
#include <cstring>

namespace ImageAnalysis {
namespace {

// JPEG artefacts and the scaling leave a few grey levels; another picture leaves dozens.
constexpr double kSameBelow = 25.5;

double meanDifference(const QImage &a, const QImage &b)
{
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar *rowA = a.constScanLine(y);
        const uchar *rowB = b.constScanLine(y);
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(int(rowA[x]) - int(rowB[x]));
    }
    return double(sum) / (double(a.width()) * a.height());
}

} // namespace

bool thumbnailDiffers(const QImage &thumbnail, const QImage &picture)
{
    if (thumbnail.isNull() || picture.isNull())
        return false;
    const QSize size = thumbnail.size();
    const QImage thumb = thumbnail.convertToFormat(QImage::Format_Grayscale8);
    const QImage stretched = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                 .convertToFormat(QImage::Format_Grayscale8);
    if (meanDifference(thumb, stretched) < kSameBelow)
        return false;
    QImage fitted(size, QImage::Format_Grayscale8);
    fitted.fill(Qt::black);
    const QImage inside = picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_Grayscale8);
    const int left = (size.width() - inside.width()) / 2;
    const int top = (size.height() - inside.height()) / 2;
    for (int y = 0; y < inside.height(); ++y)
        std::memcpy(fitted.scanLine(top + y) + left, inside.constScanLine(y),
                    size_t(inside.width()));
    return meanDifference(thumb, fitted) >= kSameBelow;
}

} // namespace ImageAnalysis
