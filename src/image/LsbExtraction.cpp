#include "image/LsbExtraction.h"

#include "image/VisibleText.h"
#include "logic/common/QuarvelError.h"

#include <vector>

namespace ImageAnalysis {
namespace {

// Where each channel letter's value sits in a pixel of Format_ARGB32 (0xAARRGGBB).
int channelShift(QChar letter)
{
    switch (letter.toUpper().unicode()) {
    case u'R':
        return 16;
    case u'G':
        return 8;
    case u'B':
        return 0;
    case u'A':
        return 24;
    default:
        return -1;
    }
}

std::vector<int> channelShifts(const QString &channels)
{
    std::vector<int> shifts;
    for (const QChar letter : channels) {
        const int shift = channelShift(letter);
        if (shift < 0)
            throw QuarvelError(QStringLiteral("„%1“ ist kein Kanal; möglich sind R, G, B und A")
                                   .arg(makeVisible(QString(letter))));
        shifts.push_back(shift);
    }
    if (shifts.empty())
        throw QuarvelError(QStringLiteral("Bitte mindestens einen Kanal angeben (R, G, B, A)"));
    return shifts;
}

} // namespace

QByteArray extractLsb(const QImage &image, const LsbOptions &options)
{
    const std::vector<int> shifts = channelShifts(options.kanaele);
    if (options.bit < 0 || options.bit > 7)
        throw QuarvelError(
            QStringLiteral("Die Bitebene muss zwischen 0 und 7 liegen, nicht %1").arg(options.bit));
    if (image.isNull())
        return {};
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    const qint64 width = pixels.width(), height = pixels.height();
    const qint64 outer = options.spaltenweise ? width : height;
    const qint64 inner = options.spaltenweise ? height : width;
    QByteArray bytes;
    bytes.reserve(qsizetype(outer * inner * qint64(shifts.size()) / 8));
    int current = 0, count = 0;
    for (qint64 o = 0; o < outer; ++o) {
        for (qint64 i = 0; i < inner; ++i) {
            const int x = int(options.spaltenweise ? o : i);
            const int y = int(options.spaltenweise ? i : o);
            const QRgb pixel = reinterpret_cast<const QRgb *>(pixels.constScanLine(y))[x];
            for (const int shift : shifts) {
                const int bit = (pixel >> (shift + options.bit)) & 1;
                current =
                    options.hoechstesBitZuerst ? (current << 1 | bit) : (current | bit << count);
                if (++count == 8) {
                    bytes += char(current);
                    current = 0;
                    count = 0;
                }
            }
        }
    }
    return bytes;
}

QString lsbText(const QByteArray &bytes)
{
    return makeVisible(QString::fromLatin1(bytes));
}

} // namespace ImageAnalysis
