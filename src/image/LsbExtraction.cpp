#include "image/LsbExtraction.h"

#include "logic/common/QuarvelError.h"

namespace ImageAnalysis {

QByteArray extractLsb(const QImage &image, const LsbOptions &options)
{
    Q_UNUSED(image);
    Q_UNUSED(options);
    throw QuarvelError(QStringLiteral("Die LSB-Auswertung ist noch nicht verfügbar."));
}

QString lsbText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}

} // namespace ImageAnalysis
