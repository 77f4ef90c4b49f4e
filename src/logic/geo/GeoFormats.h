#pragma once

#include "logic/geo/GeoPoint.h"

#include <QList>
#include <QString>

// A position written in each notation the calculator offers. Coordinates are written with the
// decimal point, as cachers paste them into listings, maps and GPS programs; readPosition reads
// every one of them back.
namespace Geo {

QString formatDegrees(GeoPoint p); // "N 52.520830° E 13.411880°"
QString formatDecimalPair(GeoPoint p); // "52.520830, 13.411880"
QString formatDegreesMinutes(GeoPoint p); // "N 52° 31.250' E 013° 24.713'"
QString formatDegreesMinutesSeconds(GeoPoint p); // "N 52° 31' 14.99\" E 13° 24' 42.77\""
QString formatUtm(GeoPoint p); // "33U 392010 5820073"
QString formatMgrs(GeoPoint p); // "33U UU 92010 20073"
QString formatGaussKrueger(GeoPoint p); // "R 4595937 H 5821794"
QString formatLv95(GeoPoint p); // "E 2600000 N 1200000"

// One line of the formats list: its caption and either the text or why there is none.
struct FormatLine
{
    QString caption;
    QString text;
    QString error;
};
QList<FormatLine> allFormats(GeoPoint p);

} // namespace Geo
