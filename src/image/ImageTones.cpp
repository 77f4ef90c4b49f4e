#include "image/ImageTones.h"

#include "image/ImageDecode.h"
#include "logic/common/QuarvelError.h"

#include <cmath>

namespace ImageAnalysis {

std::array<uchar, 256> levelsTable(const Levels &levels)
{
    const int black = levels.schwarzpunkt;
    const int white = levels.weisspunkt;
    if (black < 0 || black > 254 || white < 1 || white > 255 || black >= white) {
        throw QuarvelError(QStringLiteral("Der Schwarzpunkt (%1) muss zwischen 0 und 254 liegen "
                                          "und unter dem Weißpunkt (%2), der höchstens 255 ist.")
                               .arg(black)
                               .arg(white));
    }
    // Written so that NaN fails too.
    if (!(levels.gamma >= kMinGamma && levels.gamma <= kMaxGamma)) {
        throw QuarvelError(QStringLiteral("Gamma %1 liegt außerhalb von 0,1 bis 10.")
                               .arg(QString::number(levels.gamma).replace(u'.', u',')));
    }
    std::array<uchar, 256> table {};
    const double exponent = 1.0 / levels.gamma;
    for (int v = 0; v < 256; ++v) {
        if (v <= black) {
            table[v] = 0;
        } else if (v >= white) {
            table[v] = 255;
        } else {
            const double share = double(v - black) / double(white - black);
            table[v] = uchar(std::lround(255.0 * std::pow(share, exponent)));
        }
    }
    return table;
}

QImage applyLevels(const QImage &image, const Levels &levels)
{
    const std::array<uchar, 256> table = levelsTable(levels);
    QImage result = asArgb32(image).copy();
    const int width = result.width();
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(result.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const quint32 p = line[x];
            line[x] = (p & 0xFF000000u) | (quint32(table[(p >> 16) & 0xFF]) << 16) |
                (quint32(table[(p >> 8) & 0xFF]) << 8) | table[p & 0xFF];
        }
    }
    return result;
}

QImage inverted(const QImage &image)
{
    QImage result = asArgb32(image).copy();
    const int width = result.width();
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(result.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] ^= 0x00FFFFFFu;
    }
    return result;
}

Isolated isolateColour(const QImage &image, QRgb colour, bool mitAlpha)
{
    const QImage source = asArgb32(image);
    const quint32 mask = mitAlpha ? 0xFFFFFFFFu : 0x00FFFFFFu;
    const quint32 wanted = quint32(colour) & mask;
    Isolated result;
    result.bild = QImage(source.size(), QImage::Format_ARGB32);
    const int width = source.width();
    for (int y = 0; y < source.height(); ++y) {
        const auto *in = reinterpret_cast<const quint32 *>(source.constScanLine(y));
        auto *out = reinterpret_cast<quint32 *>(result.bild.scanLine(y));
        qint64 found = 0;
        for (int x = 0; x < width; ++x) {
            const bool match = (in[x] & mask) == wanted;
            found += match;
            out[x] = match ? 0xFF000000u : 0xFFFFFFFFu;
        }
        result.treffer += found;
    }
    return result;
}

} // namespace ImageAnalysis
