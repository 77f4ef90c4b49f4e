#pragma once

#include "logic/geo/GeoPoint.h"

#include <QString>

// The three six-digit numbers of a "Reverse" Wherigo cartridge (the Waldmeister kind a cacher
// types into the cartridge to unlock the cache). They hold the position to 0.00001°, the digits
// shuffled:
// - the fourth digit of the first number gives the hemispheres: 1 N/E, 2 S/E, 3 N/W, 4 S/W;
// - the second and fifth digit of the third number, both digits of the position, choose one of
//   two shuffles by the parity of their sum;
// - the third digit of the second and of the third number are check digits: 11 minus a weighted
//   digit sum modulo 11, with 10 written as 0 and 11 as 5.
// Reading checks both check digits, so a mistyped digit is refused rather than read as a wrong
// place. Failures throw QuarvelError with a German message.
namespace Geo {

QString toWherigo(GeoPoint p); // "042325 436113 935102"
// Three numbers of six digits, separated by blanks, commas, semicolons, slashes or dashes.
GeoPoint wherigoPosition(const QString &text);

} // namespace Geo
