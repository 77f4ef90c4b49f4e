#pragma once

#include "image/ImageReport.h"

#include <QImage>

namespace ImageAnalysis {

// Every QR, Micro QR, Data Matrix, Aztec, PDF417, MaxiCode and linear bar code zxing-cpp finds
// in the picture, also turned or mirrored.
QList<DecodedCode> findCodes(const QImage &image);

} // namespace ImageAnalysis
