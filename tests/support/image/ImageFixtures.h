#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <cstdint>
#include <utility>

// Picture files the tests write themselves: Qt encodes the pixels, the metadata blocks are put
// together byte by byte here, so every field, fraction and flaw is exactly the one a test wants.
namespace Fixtures {

QByteArray encode(const QImage &image, const char *format, int quality = 90);

// A picture with something to recognise: a diagonal split into a light and a dark half.
QImage testPicture(int width, int height, bool inverted = false);

// One entry of a little-endian TIFF directory.
struct TiffEntry
{
    std::uint16_t tag = 0;
    std::uint16_t type = 0; // 1 BYTE, 2 ASCII, 3 SHORT, 4 LONG, 5 RATIONAL, 7 UNDEFINED
    std::uint32_t count = 0;
    QByteArray value; // little-endian, count values of the type
};

TiffEntry asciiEntry(std::uint16_t tag, const QByteArray &text); // adds the closing NUL
TiffEntry undefinedEntry(std::uint16_t tag, const QByteArray &bytes);
TiffEntry byteEntry(std::uint16_t tag, std::uint8_t value);
TiffEntry rationalEntry(std::uint16_t tag,
                        const QList<std::pair<std::uint32_t, std::uint32_t>> &fractions);

// "Exif\0\0" and a TIFF structure: IFD0, a GPS directory when `gps` is not empty, an Exif
// directory when `exif` is not empty, and IFD1 with a JPEG thumbnail when `thumbnail` is not.
QByteArray exifBlock(const QList<TiffEntry> &ifd0, const QList<TiffEntry> &gps,
                     const QByteArray &thumbnail = {}, const QList<TiffEntry> &exif = {});

// The GPS entries for a position given as three fractions per axis.
QList<TiffEntry> gpsEntries(const char *latRef,
                            const QList<std::pair<std::uint32_t, std::uint32_t>> &lat,
                            const char *lonRef,
                            const QList<std::pair<std::uint32_t, std::uint32_t>> &lon);

// A JPEG segment (marker 0xE1 for APP1, 0xFE for a comment, ...) put right after the start
// marker.
QByteArray withJpegSegment(const QByteArray &jpeg, int marker, const QByteArray &payload);

// A PNG chunk with its length and checksum, and a PNG with chunks put right after IHDR.
QByteArray pngChunk(const QByteArray &type, const QByteArray &data);
QByteArray withPngChunks(const QByteArray &png, const QList<QByteArray> &chunks);

// An XMP packet whose rdf:Description holds `body` (elements) and `attributes`.
QByteArray xmpPacket(const QByteArray &body, const QByteArray &attributes = {});

// The APP13 payload of Photoshop with one IPTC resource holding `records` (see iptcRecord).
QByteArray photoshopIptc(const QByteArray &records);
QByteArray iptcRecord(int record, int dataset, const QByteArray &value);

// An animated GIF of 1 × 1 frames, one per delay (in hundredths of a second), and a comment.
QByteArray animatedGif(const QList<int> &delays, const QByteArray &comment = {});

// A black-on-white code of the given zxing format name ("QRCode", "DataMatrix", "Aztec",
// "PDF417", "Code128") holding `text`, with a quiet zone.
QImage codePicture(const QString &format, const QString &text, int size);

} // namespace Fixtures
