// The WebP walker: the RIFF chunks, the canvas of the extended format or the size of the one
// lossy or lossless bitstream, and the frames of an animation with their durations.
#include "image/ByteReading.h"
#include "image/ImageStructure.h"

namespace ImageAnalysis {
namespace {

using namespace Bytes;

constexpr int kMaxDelays = 100000;

void setSize(ImageStructure &result, qint64 width, qint64 height)
{
    if (result.breite == 0) {
        result.breite = int(width);
        result.hoehe = int(height);
    }
    result.groesstesBild = qMax(result.groesstesBild, width * height);
}

void bitstreamSize(ImageStructure &result, QByteArrayView type, QByteArrayView data)
{
    if (type == "VP8 " && data.size() >= 10 && u8(data, 3) == 0x9D && u8(data, 4) == 0x01 &&
        u8(data, 5) == 0x2A) {
        setSize(result, le16(data, 6) & 0x3FFF, le16(data, 8) & 0x3FFF);
        result.farbtiefe = qMax(result.farbtiefe, 24);
    } else if (type == "VP8L" && data.size() >= 5 && u8(data, 0) == 0x2F) {
        const quint32 bits = le32(data, 1);
        setSize(result, (bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1);
        result.farbtiefe = qMax(result.farbtiefe, (bits >> 28) & 1 ? 32 : 24);
    }
}

} // namespace

ImageStructure readWebpStructure(QByteArrayView file)
{
    ImageStructure result;
    result.format = QStringLiteral("WebP");
    if (file.size() < 12) {
        result.probleme << QStringLiteral("WebP: Der Kopf ist unvollständig");
        return result;
    }
    const qint64 riffEnd = 8 + qint64(le32(file, 4));
    if (riffEnd <= file.size())
        result.ende = riffEnd;
    else
        result.probleme << QStringLiteral("WebP: Die Datei ist kürzer, als ihr Kopf angibt");
    const qint64 end = qMin(riffEnd, file.size());
    int frames = 0;
    qint64 pos = 12;
    while (pos + 8 <= end) {
        const QByteArrayView type = file.sliced(pos, 4);
        const qint64 length = le32(file, pos + 4);
        if (!fits(file.first(end), pos + 8, length)) {
            result.probleme << QStringLiteral("WebP: Der Block bei Offset %1 reicht über das "
                                              "Dateiende hinaus")
                                   .arg(pos);
            break;
        }
        const QByteArrayView data = file.sliced(pos + 8, length);
        if (type == "VP8X" && data.size() >= 10) {
            setSize(result, le24(data, 4) + 1, le24(data, 7) + 1);
            result.farbtiefe = (u8(data, 0) & 0x10) ? 32 : 24;
        } else if (type == "ANMF" && data.size() >= 16) {
            ++frames;
            result.groesstesBild =
                qMax(result.groesstesBild, qint64(le24(data, 6) + 1) * qint64(le24(data, 9) + 1));
            if (result.bildDauernMs.size() < kMaxDelays)
                result.bildDauernMs << int(le24(data, 12));
            bitstreamSize(result, data.sliced(16, qMin<qint64>(4, data.size() - 16)),
                          data.size() >= 24 ? data.sliced(24) : QByteArrayView());
        } else if (type == "EXIF") {
            result.exif << (data.startsWith("Exif")
                                ? data.toByteArray()
                                : QByteArray("Exif\0\0", 6) + data.toByteArray());
        } else if (type == "XMP ") {
            result.xmp << data.toByteArray();
        } else {
            bitstreamSize(result, type, data);
        }
        pos += 8 + length + (length & 1);
    }
    result.bilder = qMax(1, frames);
    return result;
}

ImageStructure readStructure(QByteArrayView file)
{
    if (file.startsWith("\xFF\xD8"))
        return readJpegStructure(file);
    if (file.startsWith("\x89PNG\r\n\x1A\n"))
        return readPngStructure(file);
    if (file.startsWith("GIF87a") || file.startsWith("GIF89a"))
        return readGifStructure(file);
    if (file.size() >= 12 && file.startsWith("RIFF") && file.sliced(8, 4) == "WEBP")
        return readWebpStructure(file);
    return {};
}

} // namespace ImageAnalysis
