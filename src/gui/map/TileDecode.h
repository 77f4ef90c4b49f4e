#pragma once

#include <QByteArray>
#include <QImage>

// Turns a tile's body into the picture the map draws: premultiplied ARGB of 256 × 256. The
// header is read first and a picture that claims more than `maxSide` pixels on either side, or
// no size at all, is refused before a single pixel is decoded, so a small file that unpacks to
// hundreds of megabytes never does. Returns a null image for anything refused or unreadable.
// Safe to call on any thread.
QImage decodeTile(const QByteArray &body, int maxSide);
