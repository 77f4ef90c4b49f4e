#include "support/image/ImageFixtures.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>

#define ZX_USE_UTF8 1
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <algorithm>
#include <zlib.h>

namespace Fixtures {
namespace {

QByteArray le16(std::uint32_t v)
{
    QByteArray b(2, '\0');
    qToLittleEndian<quint16>(quint16(v), b.data());
    return b;
}

QByteArray le32(std::uint32_t v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}

QByteArray be16(std::uint32_t v)
{
    QByteArray b(2, '\0');
    qToBigEndian<quint16>(quint16(v), b.data());
    return b;
}

QByteArray be32(std::uint32_t v)
{
    QByteArray b(4, '\0');
    qToBigEndian<quint32>(v, b.data());
    return b;
}

constexpr std::uint32_t directorySize(qsizetype entries)
{
    return std::uint32_t(2 + 12 * entries + 4);
}

// Writes one directory at `at`; values longer than four bytes go to `data`, which starts at
// `dataStart` in the TIFF structure.
QByteArray directory(QList<TiffEntry> entries, std::uint32_t next, std::uint32_t dataStart,
                     QByteArray &data)
{
    std::sort(entries.begin(), entries.end(),
              [](const TiffEntry &a, const TiffEntry &b) { return a.tag < b.tag; });
    QByteArray out = le16(std::uint32_t(entries.size()));
    for (const TiffEntry &e : entries) {
        out += le16(e.tag) + le16(e.type) + le32(e.count);
        if (e.value.size() <= 4) {
            out += e.value + QByteArray(4 - e.value.size(), '\0');
        } else {
            out += le32(dataStart + std::uint32_t(data.size()));
            data += e.value;
            if (data.size() % 2)
                data += '\0';
        }
    }
    return out + le32(next);
}

} // namespace

QByteArray encode(const QImage &image, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.write(image);
    return bytes;
}

QImage testPicture(int width, int height, bool inverted)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool light = (x * height > y * width) != inverted;
            image.setPixel(x, y, light ? qRgb(230, 220, 40) : qRgb(20, 30, 90));
        }
    }
    return image;
}

TiffEntry asciiEntry(std::uint16_t tag, const QByteArray &text)
{
    return {tag, 2, std::uint32_t(text.size() + 1), text + '\0'};
}

TiffEntry undefinedEntry(std::uint16_t tag, const QByteArray &bytes)
{
    return {tag, 7, std::uint32_t(bytes.size()), bytes};
}

TiffEntry byteEntry(std::uint16_t tag, std::uint8_t value)
{
    return {tag, 1, 1, QByteArray(1, char(value))};
}

TiffEntry rationalEntry(std::uint16_t tag,
                        const QList<std::pair<std::uint32_t, std::uint32_t>> &fractions)
{
    QByteArray value;
    for (const auto &[numerator, denominator] : fractions)
        value += le32(numerator) + le32(denominator);
    return {tag, 5, std::uint32_t(fractions.size()), value};
}

QByteArray exifBlock(const QList<TiffEntry> &ifd0, const QList<TiffEntry> &gps,
                     const QByteArray &thumbnail, const QList<TiffEntry> &exif)
{
    QList<TiffEntry> first = ifd0;
    const qsizetype firstCount = first.size() + (gps.isEmpty() ? 0 : 1) + (exif.isEmpty() ? 0 : 1);
    const std::uint32_t ifd0At = 8;
    const std::uint32_t gpsAt = ifd0At + directorySize(firstCount);
    const std::uint32_t exifAt = gpsAt + (gps.isEmpty() ? 0 : directorySize(gps.size()));
    const std::uint32_t ifd1At = exifAt + (exif.isEmpty() ? 0 : directorySize(exif.size()));
    const std::uint32_t dataAt = ifd1At + (thumbnail.isEmpty() ? 0 : directorySize(3));
    if (!gps.isEmpty())
        first << TiffEntry {0x8825, 4, 1, le32(gpsAt)};
    if (!exif.isEmpty())
        first << TiffEntry {0x8769, 4, 1, le32(exifAt)};
    QByteArray data;
    QByteArray tiff = QByteArray("II*\0", 4) + le32(ifd0At);
    tiff += directory(first, thumbnail.isEmpty() ? 0 : ifd1At, dataAt, data);
    if (!gps.isEmpty())
        tiff += directory(gps, 0, dataAt, data);
    if (!exif.isEmpty())
        tiff += directory(exif, 0, dataAt, data);
    if (!thumbnail.isEmpty()) {
        const std::uint32_t thumbAt = dataAt + std::uint32_t(data.size());
        QByteArray unused;
        tiff += directory({{0x0103, 3, 1, le16(6)},
                           {0x0201, 4, 1, le32(thumbAt)},
                           {0x0202, 4, 1, le32(std::uint32_t(thumbnail.size()))}},
                          0, dataAt, unused);
        data += thumbnail;
    }
    return QByteArray("Exif\0\0", 6) + tiff + data;
}

QList<TiffEntry> gpsEntries(const char *latRef,
                            const QList<std::pair<std::uint32_t, std::uint32_t>> &lat,
                            const char *lonRef,
                            const QList<std::pair<std::uint32_t, std::uint32_t>> &lon)
{
    return {asciiEntry(1, latRef), rationalEntry(2, lat), asciiEntry(3, lonRef),
            rationalEntry(4, lon)};
}

QByteArray withJpegSegment(const QByteArray &jpeg, int marker, const QByteArray &payload)
{
    QByteArray segment;
    segment += char(0xFF);
    segment += char(marker);
    segment += be16(std::uint32_t(payload.size() + 2)) + payload;
    return jpeg.first(2) + segment + jpeg.sliced(2);
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    const QByteArray body = type + data;
    const auto crc = crc32(0, reinterpret_cast<const Bytef *>(body.constData()), uInt(body.size()));
    return be32(std::uint32_t(data.size())) + body + be32(std::uint32_t(crc));
}

QByteArray withPngChunks(const QByteArray &png, const QList<QByteArray> &chunks)
{
    const qsizetype afterHeader = 8 + 25; // signature, IHDR with its 13 bytes
    QByteArray result = png.first(afterHeader);
    for (const QByteArray &chunk : chunks)
        result += chunk;
    return result + png.sliced(afterHeader);
}

QByteArray xmpPacket(const QByteArray &body, const QByteArray &attributes)
{
    return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
           "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
           " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
           "  <rdf:Description rdf:about=\"\"\n"
           "    xmlns:dc=\"http://purl.org/dc/elements/1.1/\"\n"
           "    xmlns:exif=\"http://ns.adobe.com/exif/1.0/\"\n"
           "    xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\"\n"
           "    xmlns:xmpGImg=\"http://ns.adobe.com/xap/1.0/g/img/\" " +
        attributes + ">\n" + body +
        "\n  </rdf:Description>\n </rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>";
}

QByteArray iptcRecord(int record, int dataset, const QByteArray &value)
{
    QByteArray out;
    out += char(0x1C);
    out += char(record);
    out += char(dataset);
    return out + be16(std::uint32_t(value.size())) + value;
}

QByteArray photoshopIptc(const QByteArray &records)
{
    QByteArray resource = QByteArray("8BIM") + be16(0x0404) + QByteArray(2, '\0') +
        be32(std::uint32_t(records.size())) + records;
    if (records.size() % 2)
        resource += '\0';
    return QByteArray("Photoshop 3.0\0", 14) + resource;
}

QByteArray animatedGif(const QList<int> &delays, const QByteArray &comment)
{
    // A 1 × 1 screen with a two-colour table; each frame the LZW codes clear, 0, end.
    QByteArray gif("GIF89a");
    gif += le16(1) + le16(1);
    gif += QByteArray("\x80\x00\x00", 3);
    gif += QByteArray("\x00\x00\x00\xFF\xFF\xFF", 6);
    if (!comment.isEmpty())
        gif += QByteArray("\x21\xFE", 2) + char(comment.size()) + comment + '\0';
    for (const int delay : delays) {
        gif += QByteArray("\x21\xF9\x04\x00", 4) + le16(std::uint32_t(delay)) +
            QByteArray("\x00\x00", 2);
        gif += QByteArray("\x2C", 1) + le16(0) + le16(0) + le16(1) + le16(1) + '\0';
        gif += QByteArray("\x02\x02\x44\x01\x00", 5);
    }
    return gif + ';';
}

QImage codePicture(const QString &format, const QString &text, int size)
{
    const ZXing::BarcodeFormat zxFormat = ZXing::BarcodeFormatFromString(format.toStdString());
    const ZXing::BitMatrix matrix =
        ZXing::MultiFormatWriter(zxFormat).setMargin(10).encode(text.toStdString(), size, size);
    QImage image(matrix.width(), matrix.height(), QImage::Format_RGB32);
    for (int y = 0; y < matrix.height(); ++y) {
        for (int x = 0; x < matrix.width(); ++x)
            image.setPixel(x, y, matrix.get(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
    return image;
}

} // namespace Fixtures
