#pragma once

#include <QImage>

#include <array>

// Tone changes that bring out what hides in nearly equal colours: levels, inversion, and one
// exact colour isolated. Alpha is never changed. Any QImage format is read (see asArgb32); the
// results are Format_ARGB32.
namespace ImageAnalysis {

// Levels as image editors offer them: every channel value at or below the black point becomes
// 0, at or above the white point 255, and in between (v - black) / (white - black) raised to
// 1 / gamma, scaled to 0–255 and rounded. A gamma above 1 brightens the middle tones.
struct Levels
{
    int schwarzpunkt = 0; // 0–254
    int weisspunkt = 255; // 1–255, above the black point
    double gamma = 1.0; // 0.1–10
};

constexpr double kMinGamma = 0.1;
constexpr double kMaxGamma = 10.0;

// The value each channel value 0–255 becomes; refuses (QuarvelError) levels outside the limits.
std::array<uchar, 256> levelsTable(const Levels &levels);

QImage applyLevels(const QImage &image, const Levels &levels);

// Red, green and blue become 255 minus themselves.
QImage inverted(const QImage &image);

struct Isolated
{
    QImage bild; // the matching pixels black, every other pixel white, all opaque
    qint64 treffer = 0; // how many pixels match
};

// The pixels whose colour is exactly `colour`: red, green and blue, and alpha too when
// `mitAlpha` (a picture without alpha has alpha 255 everywhere).
Isolated isolateColour(const QImage &image, QRgb colour, bool mitAlpha = false);

} // namespace ImageAnalysis
