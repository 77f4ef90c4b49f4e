#include "logic/geo/GeoFormats.h"

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoCodes.h"
#include "logic/geo/GeoGrids.h"
#include "logic/geo/GeoWherigo.h"

#include <cmath>
#include <functional>
#include <tuple>

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

// A fixed count of decimals with the program's decimal comma.
QString fixed(double value, int width, int decimals)
{
    return QStringLiteral("%1").arg(value, width, 'f', decimals, QChar(u'0')).replace(u'.', u',');
}

// Rounded once in the smallest unit shown, so 59.9996' becomes the next whole degree and never
// "60.000".
QString degreesMinutes(double value, int degreeWidth)
{
    const long long thousandths = std::llround(std::abs(value) * 60000.0);
    return QStringLiteral("%1° %2'")
        .arg(thousandths / 60000, degreeWidth, 10, QChar(u'0'))
        .arg(fixed(double(thousandths % 60000) / 1000.0, 6, 3));
}

QString degreesMinutesSeconds(double value, int degreeWidth)
{
    const long long hundredths = std::llround(std::abs(value) * 360000.0);
    return QStringLiteral("%1° %2' %3\"")
        .arg(hundredths / 360000, degreeWidth, 10, QChar(u'0'))
        .arg(hundredths / 6000 % 60, 2, 10, QChar(u'0'))
        .arg(fixed(double(hundredths % 6000) / 100.0, 5, 2));
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
        .arg(fixed(std::abs(p.lat), 0, 6))
        .arg(lonLetter(p.lon))
        .arg(fixed(std::abs(p.lon), 0, 6));
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
        .arg(degreesMinutesSeconds(p.lat, 2))
        .arg(lonLetter(p.lon))
        .arg(degreesMinutesSeconds(p.lon, 3));
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

QString formatRd(GeoPoint p)
{
    const GridPosition rd = toRd(p);
    return QStringLiteral("X %1 Y %2").arg(whole(rd.easting)).arg(whole(rd.northing));
}

QString formatEcef(GeoPoint p)
{
    const Ecef ecef = toEcef(p);
    return QStringLiteral("X %1 Y %2 Z %3")
        .arg(whole(ecef.x))
        .arg(whole(ecef.y))
        .arg(whole(ecef.z));
}

QString formatLv03(GeoPoint p)
{
    const GridPosition lv03 = toLv03(p);
    return QStringLiteral("Y %1 X %2").arg(whole(lv03.easting)).arg(whole(lv03.northing));
}

namespace {

const char *const kFormatKeys[] = {"wgs84", "utm",        "mgrs",    "gk",      "lv95",
                                   "rd",    "maidenhead", "geohash", "olc",     "ecef",
                                   "lv03",  "wherigo",    "kachel",  "quadkey", "nac"};

} // namespace

QString formatKey(Format format)
{
    return QString::fromLatin1(kFormatKeys[int(format)]);
}

std::optional<Format> formatFromKey(const QString &key)
{
    const QStringList keys = formatKeys();
    const qsizetype index = keys.indexOf(key.trimmed().toLower());
    if (index < 0)
        return std::nullopt;
    return Format(index);
}

QStringList formatKeys()
{
    QStringList keys;
    for (const char *key : kFormatKeys)
        keys.append(QString::fromLatin1(key));
    return keys;
}

QList<FormatLine> allFormats(GeoPoint p, const CodeLengths &lengths)
{
    using Writer = std::function<QString()>;
    const std::tuple<const char *, const char *, Writer> formats[] = {
        {"Grad (dezimal)", "wgs84-grad", [p] { return formatDegrees(p); }},
        {"Dezimal für Karten", "wgs84-karte", [p] { return formatDecimalPair(p); }},
        {"Grad und Minuten", "wgs84", [p] { return formatDegreesMinutes(p); }},
        {"Grad, Minuten, Sekunden", "wgs84-gms", [p] { return formatDegreesMinutesSeconds(p); }},
        {"UTM (WGS84)", "utm", [p] { return formatUtm(p); }},
        {"MGRS", "mgrs", [p] { return formatMgrs(p); }},
        {"Gauß-Krüger (DHDN, BETA2007, ~1 m)", "gk", [p] { return formatGaussKrueger(p); }},
        {"Schweiz LV95 (Helmert, ~1 m)", "lv95", [p] { return formatLv95(p); }},
        {"Niederlande RD (Helmert, ~1 m)", "rd", [p] { return formatRd(p); }},
        {"Maidenhead (QTH-Locator)", "maidenhead",
         [p, &lengths] { return toMaidenhead(p, lengths.maidenhead); }},
        {"Geohash", "geohash", [p, &lengths] { return toGeohash(p, lengths.geohash); }},
        {"Plus Code (Open Location Code)", "olc",
         [p, &lengths] { return toOpenLocationCode(p.lat, p.lon, lengths.olc); }},
        {"ECEF (X, Y, Z in m)", "ecef", [p] { return formatEcef(p); }},
        {"Schweiz LV03 (Helmert, ~1 m)", "lv03", [p] { return formatLv03(p); }},
        {"Reverse Wherigo (drei Zahlen)", "wherigo", [p] { return toWherigo(p); }},
        {"Kachel Zoom/x/y (Ecke Nordwest)", "kachel",
         [p, &lengths] { return toTileText(p, lengths.tileZoom); }},
        {"Bing Quadkey", "quadkey", [p, &lengths] { return toQuadkey(p, lengths.tileZoom); }},
        {"Natural Area Code", "nac", [p, &lengths] { return toNaturalAreaCode(p, lengths.nac); }},
    };
    QList<FormatLine> lines;
    for (const auto &[caption, key, write] : formats) {
        FormatLine line {QString::fromUtf8(caption), {}, {}, QString::fromLatin1(key)};
        try {
            line.text = write();
        } catch (const QuarvelError &error) {
            line.error = error.message();
        }
        lines.append(line);
    }
    return lines;
}

} // namespace Geo
