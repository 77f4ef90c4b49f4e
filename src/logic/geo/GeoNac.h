#pragma once

#include "logic/geo/GeoCodes.h"
#include "logic/geo/GeoPoint.h"

#include <QString>

// The Natural Area Code: longitude and latitude each as a fraction of their full range
// ((lon + 180°) / 360°, (lat + 90°) / 180°) written in base 30 with the digits 0-9 and the
// consonants BCDFGHJKLMNPQRSTVWXZ, the longitude first: "HBV6R RG77T" (five characters each
// give a cell of about 1.5 m × 0.8 m). A code names a cell; read back it stands for the cell's
// centre. Letters are read in either case; the optional third part (height) is not read.
namespace Geo {

inline constexpr int kNacMin = 1, kNacMax = 8, kNacDefault = 5;

QString toNaturalAreaCode(GeoPoint p, int length = kNacDefault);
// Two parts of 1 to kNacMax characters, separated by blanks.
Cell naturalAreaCodeCell(const QString &code);

} // namespace Geo
