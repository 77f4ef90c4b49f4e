#pragma once

#include "logic/geo/GeoNac.h"
#include "logic/geo/GeoPoint.h"
#include "logic/geo/GeoTiles.h"

#include <QList>
#include <QString>

#include <optional>

// A position written in each notation the calculator offers. Degrees, minutes and seconds carry
// the program's decimal comma like every other tool; only the pair for maps keeps the decimal
// point, which map sites and GPS programs expect and which keeps its separating comma
// unambiguous. Sexagesimal degrees are written as cache listings write them, two digits for the
// latitude and three for the longitude ("N 05°", "E 013°"), in every window and command that
// shows a position. readPosition and readAnyPosition read every one of them back.
namespace Geo {

QString formatDegrees(GeoPoint p); // "N 52,520830° E 13,411880°"
QString formatDecimalPair(GeoPoint p); // "52.520830, 13.411880"
QString formatDegreesMinutes(GeoPoint p); // "N 52° 31,250' E 013° 24,713'"
QString formatDegreesMinutesSeconds(GeoPoint p); // "N 52° 31' 14,99\" E 013° 24' 42,77\""
QString formatUtm(GeoPoint p); // "33U 392010 5820073"
QString formatMgrs(GeoPoint p); // "33U UU 92010 20073"
QString formatGaussKrueger(GeoPoint p); // "R 4595937 H 5821794"
QString formatLv95(GeoPoint p); // "E 2600000 N 1200000"
QString formatRd(GeoPoint p); // "X 155000 Y 463000"
QString formatEcef(GeoPoint p); // "X 3783065 Y 902082 Z 5038275"
QString formatLv03(GeoPoint p); // "Y 600000 X 200000"

// The notations a text may be read in and written to; the keys are the command line's names.
enum class Format {
    Wgs84,
    Utm,
    Mgrs,
    GaussKrueger,
    Lv95,
    Rd,
    Maidenhead,
    Geohash,
    Olc,
    Ecef,
    Lv03,
    Wherigo,
    Kachel,
    Quadkey,
    Nac
};
QString formatKey(Format format); // "wgs84", "utm", "mgrs", "gk", "lv95", "rd", ...
std::optional<Format> formatFromKey(const QString &key);
QStringList formatKeys();

// The lengths of the cell codes written.
struct CodeLengths
{
    int maidenhead = 8;
    int geohash = 10;
    int olc = 10;
    int tileZoom = kTileZoomDefault; // the zoom of the tile and the quadkey's length
    int nac = kNacDefault; // characters of each part
};

// One line of the formats list: its key, caption and either the text or why there is none.
// The four degree notations share the key "wgs84" with their own suffixes.
struct FormatLine
{
    QString caption;
    QString text;
    QString error;
    QString key;
};
QList<FormatLine> allFormats(GeoPoint p, const CodeLengths &lengths = {});

} // namespace Geo
