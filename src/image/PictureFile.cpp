#include "image/PictureFile.h"

#include "image/ImageReport.h"
#include "image/ImageStructure.h"
#include "logic/common/FileOpenError.h"
#include "logic/common/QuarvelError.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace ImageAnalysis {
namespace {

// Qt refuses to allocate more than 256 MB for one picture unless told otherwise; a picture of
// 100 megapixels needs 400 MB at four bytes a pixel. The limit is Qt's process-wide setting and
// is only ever raised to this one value.
constexpr int kDecodeLimitMb = 512;

} // namespace

QByteArray readPictureFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw QuarvelError(QStringLiteral("Die Datei „%1“ gibt es nicht").arg(path));
    if (!info.isFile())
        throw QuarvelError(QStringLiteral("„%1“ ist keine gewöhnliche Datei").arg(path));
    if (info.size() > kMaxFileBytes)
        throw QuarvelError(QStringLiteral("Die Datei „%1“ ist größer als 256 MB und wird nicht "
                                          "untersucht")
                               .arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QuarvelError(cannotOpenFileText(path, file.errorString()));
    QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw QuarvelError(cannotOpenFileText(path, file.errorString()));
    if (bytes.size() > kMaxFileBytes)
        throw QuarvelError(QStringLiteral("Die Datei „%1“ ist größer als 256 MB und wird nicht "
                                          "untersucht")
                               .arg(path));
    return bytes;
}

QImage decodePicture(const QByteArray &fileBytes)
{
    if (fileBytes.size() > kMaxFileBytes)
        throw QuarvelError(QStringLiteral("Die Datei ist größer als 256 MB und wird nicht "
                                          "untersucht"));
    QBuffer buffer;
    buffer.setData(fileBytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    const qint64 claimed = qMax(readStructure(fileBytes).groesstesBild,
                                size.isValid() ? qint64(size.width()) * size.height() : 0);
    if (claimed > kMaxPixels)
        throw QuarvelError(QStringLiteral("Das Bild hat mehr als 100 Megapixel und wird nicht "
                                          "geöffnet"));
    if (QImageReader::allocationLimit() < kDecodeLimitMb)
        QImageReader::setAllocationLimit(kDecodeLimitMb);
    QImage image = reader.read();
    if (image.isNull())
        throw QuarvelError(QStringLiteral("Die Datei ist kein lesbares Bild: Die Bilddaten sind "
                                          "beschädigt oder das Format wird nicht unterstützt"));
    return image;
}

} // namespace ImageAnalysis
