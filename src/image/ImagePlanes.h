#pragma once

#include <QImage>

// One colour channel of a picture, or one bit of it, as a grey picture of the same size: a
// message painted in a single channel or hidden in a low bit shows as black and white shapes.
// Every function reads any QImage format (converted to 32-bit ARGB first, see asArgb32) and
// walks the picture scanline by scanline, so a 24-megapixel picture takes milliseconds.
namespace ImageAnalysis {

enum class Channel { Red, Green, Blue, Alpha };

// The channel's value as grey (Format_Grayscale8); a picture without alpha has alpha 255.
QImage channelImage(const QImage &image, Channel channel);

// Bit `bit` (0 = lowest, 7 = highest) of the channel: white where it is set, black where not
// (Format_Grayscale8). Refuses (QuarvelError) a bit outside 0–7.
QImage bitPlane(const QImage &image, Channel channel, int bit);

// Where the channel sits in a 32-bit ARGB pixel.
constexpr int channelShift(Channel channel)
{
    switch (channel) {
    case Channel::Red:
        return 16;
    case Channel::Green:
        return 8;
    case Channel::Blue:
        return 0;
    case Channel::Alpha:
        break;
    }
    return 24;
}

} // namespace ImageAnalysis
