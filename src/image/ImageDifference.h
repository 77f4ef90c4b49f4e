#pragma once

#include <QImage>

// Two pictures compared pixel by pixel: a message hidden by changing a few pixels of a copy
// shows where the copy differs from the original.
namespace ImageAnalysis {

struct Difference
{
    // Over the area both pictures cover (from the top left corner): the absolute difference of
    // red, green and blue, opaque (Format_ARGB32); with `hervorheben` every differing pixel
    // white and every equal one black.
    QImage bild;
    qint64 abweichend = 0; // pixels that differ in any channel, alpha included
    bool gleicheGroesse = true; // false: only the common area was compared
};

Difference difference(const QImage &first, const QImage &second, bool hervorheben = false);

} // namespace ImageAnalysis
