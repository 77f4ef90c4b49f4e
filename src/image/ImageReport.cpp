#include "image/ImageReport.h"

#include "logic/common/QuarvelError.h"

#include <QBuffer>
#include <QImageReader>

namespace ImageAnalysis {

Report analyse(const QByteArray &fileBytes, const Options &options)
{
    Q_UNUSED(options);
    Report report;
    QBuffer buffer;
    buffer.setData(fileBytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!reader.canRead())
        throw QuarvelError(QStringLiteral("Die Datei ist kein lesbares Bild."));
    report.format = QString::fromLatin1(reader.format()).toUpper();
    report.breite = reader.size().width();
    report.hoehe = reader.size().height();
    report.bilder = qMax(1, reader.imageCount());
    return report;
}

} // namespace ImageAnalysis
