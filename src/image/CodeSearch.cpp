#include "image/CodeSearch.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

namespace ImageAnalysis {
namespace {

QString formatName(ZXing::BarcodeFormat format)
{
    switch (format) {
    case ZXing::BarcodeFormat::QRCode:
        return QStringLiteral("QR");
    case ZXing::BarcodeFormat::MicroQRCode:
        return QStringLiteral("MicroQR");
    default:
        return QString::fromLatin1(ZXing::ToString(format));
    }
}

} // namespace

QList<DecodedCode> findCodes(const QImage &image)
{
    if (image.isNull())
        return {};
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                ZXing::ImageFormat::Lum, int(grey.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::Any);
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    QList<DecodedCode> codes;
    for (const ZXing::Result &result : ZXing::ReadBarcodes(view, hints)) {
        if (result.isValid())
            codes << DecodedCode {formatName(result.format()),
                                  QString::fromStdString(result.text())};
    }
    return codes;
}

} // namespace ImageAnalysis
