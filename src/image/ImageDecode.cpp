#include "image/ImageDecode.h"

#include "logic/common/QuarvelError.h"

#include <QBuffer>
#include <QImageReader>

#include <mutex>

namespace ImageAnalysis {

namespace {

// Qt refuses to allocate more than 256 MB for one picture by default; a picture at our own
// limit needs 400 MB as ARGB. Our limit is checked before Qt is asked to decode, so Qt's may be
// raised to just above it. It is process-wide, so it is set once.
void raiseQtAllocationLimit()
{
    static std::once_flag once;
    std::call_once(once, [] {
        constexpr int kMegabytes = int(kMaxImagePixels * 4 / (1024 * 1024)) + 16;
        if (QImageReader::allocationLimit() < kMegabytes)
            QImageReader::setAllocationLimit(kMegabytes);
    });
}

QString megapixels(qint64 pixels)
{
    return QString::number(double(pixels) / 1e6, 'f', 1).replace(u'.', u',');
}

void refuseAboveLimit(QSize size)
{
    if (const QString problem = pixelCountProblem(size); !problem.isEmpty())
        throw QuarvelError(problem);
}

} // namespace

QString pixelCountProblem(QSize size)
{
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels <= kMaxImagePixels)
        return {};
    return QStringLiteral("Das Bild hat %1 × %2 Pixel (%3 Megapixel); Bilder über 100 Megapixel "
                          "werden nicht geöffnet.")
        .arg(size.width())
        .arg(size.height())
        .arg(megapixels(pixels));
}

QString fileSizeProblem(qint64 size)
{
    if (size <= 0)
        return QStringLiteral("Die Datei ist leer.");
    if (size > kMaxImageFileBytes) {
        return QStringLiteral("Die Datei ist %1 MB groß; Bilder über 256 MB werden nicht geöffnet.")
            .arg(size / (1024 * 1024));
    }
    return {};
}

QImage asArgb32(const QImage &image)
{
    if (image.format() == QImage::Format_ARGB32)
        return image;
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage decodeImage(const QByteArray &fileBytes)
{
    if (const QString problem = fileSizeProblem(fileBytes.size()); !problem.isEmpty())
        throw QuarvelError(problem);
    raiseQtAllocationLimit();
    QBuffer buffer;
    buffer.setData(fileBytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false); // the pixels as stored: a hidden message is read that way
    if (!reader.canRead())
        throw QuarvelError(QStringLiteral("Die Datei ist kein Bild, das Quarvel lesen kann."));
    // A reader that cannot tell the size before decoding is still held by Qt's own limit.
    if (const QSize size = reader.size(); size.isValid())
        refuseAboveLimit(size);
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        throw QuarvelError(
            QStringLiteral("Das Bild ist beschädigt und lässt sich nicht lesen (%1).")
                .arg(reader.errorString()));
    }
    refuseAboveLimit(image.size());
    return asArgb32(image);
}

} // namespace ImageAnalysis
