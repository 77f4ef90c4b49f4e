#pragma once

#include <QImage>

namespace ImageAnalysis {

// Whether a thumbnail shows something else than the picture: the picture is scaled to the
// thumbnail's size (stretched, and fitted with bars as cameras do) and the mean difference of
// the grey values must stay below a tenth of the range in one of the two.
bool thumbnailDiffers(const QImage &thumbnail, const QImage &picture);

} // namespace ImageAnalysis
