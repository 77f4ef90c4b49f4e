#pragma once

#include "logic/geo/GeoPoint.h"

#include <QString>

// Positions as short codes that name a cell of a latitude/longitude grid: the Maidenhead (QTH)
// locator of radio amateurs, the geohash and Google's Open Location Code (Plus Code). Reading a
// code gives its cell; a position stands for the centre of that cell. Codes are read leniently
// (any case, blanks anywhere); invalid ones throw QuarvelError with a German message that names
// the offending character or length.
namespace Geo {

struct Cell
{
    double south = 0.0;
    double west = 0.0;
    double north = 0.0;
    double east = 0.0;

    GeoPoint centre() const { return {(south + north) / 2.0, (west + east) / 2.0}; }
    bool contains(GeoPoint p) const
    {
        return p.lat >= south && p.lat <= north && p.lon >= west && p.lon <= east;
    }
};

inline constexpr int kMaidenheadMin = 2, kMaidenheadMax = 16, kMaidenheadDefault = 8;
inline constexpr int kGeohashMin = 1, kGeohashMax = 12, kGeohashDefault = 10;
inline constexpr int kOlcMin = 2, kOlcMax = 15, kOlcDefault = 10;

// "JO62qm54": field letters upper case, further letters lower case; an even length 2..16.
QString toMaidenhead(GeoPoint p, int length = kMaidenheadDefault);
Cell maidenheadCell(const QString &locator);

// "u33dc0cpnq": 1..12 characters of the geohash alphabet.
QString toGeohash(GeoPoint p, int length = kGeohashDefault);
Cell geohashCell(const QString &hash);

// A full Plus Code of 2..15 digits, an even count below 10 ("9F4MGCC2+4X"); codes shorter
// than 8 digits are padded with "0". The latitude is clipped to ±90° and the longitude taken modulo
// 360°, as the reference implementation does; so any finite pair has a code.
QString toOpenLocationCode(double lat, double lon, int digits = kOlcDefault);
// The cell of a full code; a short code is refused with a hint to give a reference point.
Cell openLocationCodeCell(const QString &code);
// True for a valid short code ("GCC2+4X"), false for a valid full one; throws otherwise.
bool isShortOpenLocationCode(const QString &code);
// The full code nearest to `reference` that ends with the short code (a full one is returned
// as it is, in upper case).
QString recoverOpenLocationCode(const QString &shortCode, GeoPoint reference);
// The code with as many leading digits dropped as `reference` allows (at least a 6-digit,
// unpadded full code is needed).
QString shortenOpenLocationCode(const QString &code, GeoPoint reference);

} // namespace Geo
