#include "logic/geo/GeoFormats.h"

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoGrids.h"

#include <cmath>

namespace Geo {

namespace {

QChar latLetter(double lat)
{
    return lat < 0 ? u'S' : u'N';
}

QChar lonLetter(double lon)
{
    return lon < 0 ? u'W' : u'E';
}

// Rounded once in the smallest unit shown, so 59.9996' becomes the next whole degree and never
// "60.000".
QString degreesMinutes(double value, int degreeWidth)
{
    const long long thousandths = std::llround(std::abs(value) * 60000.0);
    return QStringLiteral("%1° %2'")
        .arg(thousandths / 60000, degreeWidth, 10, QChar(u'0'))
        .arg(double(thousandths % 60000) / 1000.0, 6, 'f', 3, QChar(u'0'));
}

QString degreesMinutesSeconds(double value)
{
    const long long hundredths = std::llround(std::abs(value) * 360000.0);
    return QStringLiteral("%1° %2' %3\"")
        .arg(hundredths / 360000)
        .arg(hundredths / 6000 % 60, 2, 10, QChar(u'0'))
        .arg(double(hundredths % 6000) / 100.0, 5, 'f', 2, QChar(u'0'));
}

QString whole(double metres)
{
    return QString::number(std::llround(metres));
}

} // namespace

QString formatDegrees(GeoPoint p)
{
    checkPoint(p);
    return QStringLiteral("%1 %2° %3 %4°")
        .arg(latLetter(p.lat))
        .arg(std::abs(p.lat), 0, 'f', 6)
        .arg(lonLetter(p.lon))
        .arg(std::abs(p.lon), 0, 'f', 6);
}

QString formatDecimalPair(GeoPoint p)
{
    checkPoint(p);
    return QStringLiteral("%1, %2").arg(p.lat, 0, 'f', 6).arg(p.lon, 0, 'f', 6);
}

QString formatDegreesMinutes(GeoPoint p)
{
    checkPoint(p);
    return QStringLiteral("%1 %2 %3 %4")
        .arg(latLetter(p.lat))
        .arg(degreesMinutes(p.lat, 2))
        .arg(lonLetter(p.lon))
        .arg(degreesMinutes(p.lon, 3));
}

QString formatDegreesMinutesSeconds(GeoPoint p)
{
    checkPoint(p);
    return QStringLiteral("%1 %2 %3 %4")
        .arg(latLetter(p.lat))
        .arg(degreesMinutesSeconds(p.lat))
        .arg(lonLetter(p.lon))
        .arg(degreesMinutesSeconds(p.lon));
}

QString formatUtm(GeoPoint p)
{
    const GridPosition utm = toUtm(p);
    return QStringLiteral("%1%2 %3 %4")
        .arg(utm.zone)
        .arg(utmBand(p.lat))
        .arg(whole(utm.easting))
        .arg(whole(utm.northing));
}

QString formatMgrs(GeoPoint p)
{
    return toMgrs(p);
}

QString formatGaussKrueger(GeoPoint p)
{
    const GridPosition gk = toGaussKrueger(p);
    return QStringLiteral("R %1 H %2").arg(whole(gk.easting)).arg(whole(gk.northing));
}

QString formatLv95(GeoPoint p)
{
    const GridPosition lv95 = toLv95(p);
    return QStringLiteral("E %1 N %2").arg(whole(lv95.easting)).arg(whole(lv95.northing));
}

QList<FormatLine> allFormats(GeoPoint p)
{
    const std::pair<const char *, QString (*)(GeoPoint)> formats[] = {
        {"Grad (dezimal)", formatDegrees},
        {"Dezimal für Karten", formatDecimalPair},
        {"Grad und Minuten", formatDegreesMinutes},
        {"Grad, Minuten, Sekunden", formatDegreesMinutesSeconds},
        {"UTM (WGS84)", formatUtm},
        {"MGRS", formatMgrs},
        {"Gauß-Krüger (DHDN, BETA2007, ~1 m)", formatGaussKrueger},
        {"Schweiz LV95 (Helmert, ~1 m)", formatLv95},
    };
    QList<FormatLine> lines;
    for (const auto &[caption, format] : formats) {
        FormatLine line {QString::fromUtf8(caption), {}, {}};
        try {
            line.text = format(p);
        } catch (const QuarvelError &error) {
            line.error = error.message();
        }
        lines.append(line);
    }
    return lines;
}

} // namespace Geo
