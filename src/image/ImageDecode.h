#pragma once

#include <QByteArray>
#include <QImage>

// The picture of a file decoded once for the views, in one pixel format every view reads:
// 32-bit ARGB, not premultiplied, so the colour values of half-transparent pixels stay exactly
// as the file holds them (a message in their low bits would not survive premultiplying).
namespace ImageAnalysis {

// 256 MiB: a larger file is refused before it is read.
constexpr qint64 kMaxImageFileBytes = qint64(256) * 1024 * 1024;
// 100 million pixels: a larger picture is refused from its header, before decoding, so a small
// file that claims 50,000 × 50,000 pixels never allocates 10 GB.
constexpr qint64 kMaxImagePixels = 100'000'000;

// The first frame as Format_ARGB32; refuses (QuarvelError, German reason) an empty or too large
// file, a file that is no picture Qt can read, a picture above kMaxImagePixels and a damaged one.
QImage decodeImage(const QByteArray &fileBytes);

// The reason a file of `size` bytes is refused, empty when it is not.
QString fileSizeProblem(qint64 size);
// The reason a picture of `size` pixels is refused, empty when it is not.
QString pixelCountProblem(QSize size);

// `image` as Format_ARGB32 (shared, not copied, when it is one already).
QImage asArgb32(const QImage &image);

} // namespace ImageAnalysis
