#include "gui/image/TestPictures.h"

#include <QBuffer>

namespace TestPictures {

namespace {

void little16(QByteArray &out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void big32(QByteArray &out, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((value >> shift) & 0xFF));
}

// CRC-32 as PNG chunks carry it (polynomial 0xEDB88320, reflected).
quint32 crc32(const QByteArray &data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char c : data) {
        crc ^= uchar(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void chunk(QByteArray &out, const char *type, const QByteArray &data)
{
    big32(out, quint32(data.size()));
    const QByteArray body = QByteArray(type) + data;
    out.append(body);
    big32(out, crc32(body));
}

// Three-bit codes packed from the lowest bit up, then cut into sub-blocks of at most 255.
QByteArray lzwData(const QList<uchar> &indices)
{
    constexpr int kClear = 4;
    constexpr int kEnd = 5;
    QList<int> codes;
    for (qsizetype i = 0; i < indices.size(); ++i) {
        if (i % 2 == 0)
            codes.append(kClear);
        codes.append(indices[i]);
    }
    codes.append(kEnd);
    QByteArray packed;
    quint32 buffer = 0;
    int bits = 0;
    for (int code : codes) {
        buffer |= quint32(code) << bits;
        bits += 3;
        while (bits >= 8) {
            packed.append(char(buffer & 0xFF));
            buffer >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0)
        packed.append(char(buffer & 0xFF));
    QByteArray blocks;
    blocks.append(char(2)); // minimum code size
    for (qsizetype at = 0; at < packed.size(); at += 255) {
        const QByteArray part = packed.mid(at, 255);
        blocks.append(char(part.size()));
        blocks.append(part);
    }
    blocks.append(char(0));
    return blocks;
}

} // namespace

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray gif(int width, int height, const QList<QRgb> &palette, const QList<GifFrame> &frames)
{
    QByteArray out("GIF89a");
    little16(out, width);
    little16(out, height);
    out.append(char(0x91)); // global palette of 4 colours, 2 bits of colour resolution
    out.append(char(0)); // background colour
    out.append(char(0)); // square pixels
    for (int i = 0; i < 4; ++i) {
        const QRgb colour = i < palette.size() ? palette[i] : 0;
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    for (const GifFrame &frame : frames) {
        out.append("\x21\xF9\x04", 3); // graphic control extension
        out.append(char(0x04)); // disposal: leave the frame in place
        little16(out, frame.delayCentiseconds);
        out.append(char(0)); // no transparent colour
        out.append(char(0));
        out.append(char(0x2C)); // image descriptor: the whole canvas, no local palette
        little16(out, 0);
        little16(out, 0);
        little16(out, width);
        little16(out, height);
        out.append(char(0));
        out.append(lzwData(frame.indices));
    }
    out.append(char(0x3B));
    return out;
}

QByteArray pngHeaderOnly(quint32 width, quint32 height)
{
    QByteArray out("\x89PNG\r\n\x1A\n", 8);
    QByteArray header;
    big32(header, width);
    big32(header, height);
    header.append("\x08\x06\x00\x00\x00", 5);
    chunk(out, "IHDR", header);
    chunk(out, "IEND", {});
    return out;
}

QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray out("\x89PNG\r\n\x1A\n", 8);
    QByteArray header;
    big32(header, width);
    big32(header, height);
    header.append("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, no filter, no interlace
    chunk(out, "IHDR", header);
    // The first rows, all zero: a few hundred bytes that inflate to megabytes.
    chunk(out, "IDAT", qCompress(QByteArray(1 << 20, '\0')).mid(4));
    chunk(out, "IEND", {});
    return out;
}

} // namespace TestPictures
