#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

// Pictures the image tests build themselves: Qt writes PNG; GIF, which Qt only reads, is written
// here byte by byte, and so is a PNG header that claims a size its data does not have.
namespace TestPictures {

// A PNG of `image` as Qt writes it.
QByteArray png(const QImage &image);

struct GifFrame
{
    QList<uchar> indices; // one palette index (0–3) per pixel, row by row
    int delayCentiseconds = 0;
};

// An animated GIF89a of `width` × `height` with a four-colour palette. Its LZW data sends a
// clear code before every second pixel, so the code width stays at three bits and no string
// table is needed.
QByteArray gif(int width, int height, const QList<QRgb> &palette, const QList<GifFrame> &frames);

// The signature, an IHDR chunk (with its CRC) claiming `width` × `height`, a megabyte of zero
// rows deflated to about a kilobyte, then IEND: a decompression bomb when the claim is large,
// a damaged picture when the rows are too few.
QByteArray pngClaiming(quint32 width, quint32 height);
// The same without any rows: a damaged picture whose size Qt cannot tell before decoding.
QByteArray pngHeaderOnly(quint32 width, quint32 height);

} // namespace TestPictures
