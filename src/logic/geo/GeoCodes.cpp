#include "logic/geo/GeoCodes.h"

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCalc.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>

namespace Geo {

namespace {

[[noreturn]] void fail(const QString &message)
{
    throw QuarvelError(message);
}

QString compact(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return QString(text).remove(blanks).toUpper();
}

// The cell index of a fraction 0..1 of an extent split into `cells`, the far edge kept in the
// last cell.
long long cellIndex(double fraction, long long cells)
{
    return std::clamp(static_cast<long long>(std::floor(fraction * double(cells))), 0LL, cells - 1);
}

// ---- Maidenhead: pairs of letters A-R, digits, letters A-X, digits, letters A-X, ...

int maidenheadBase(int pair)
{
    return pair == 0 ? 18 : (pair % 2 == 1 ? 10 : 24);
}

QChar maidenheadSymbol(int pair, int value)
{
    if (pair % 2 == 1)
        return QChar(u'0' + value);
    return QChar((pair == 0 ? u'A' : u'a') + value);
}

// ---- Geohash: base 32 without a, i, l and o; bits alternate, longitude first.

const QString kGeohashAlphabet = QStringLiteral("0123456789BCDEFGHJKMNPQRSTUVWXYZ");

// ---- Open Location Code, with the reference implementation's integer grid.

const QString kOlcAlphabet = QStringLiteral("23456789CFGHJMPQRVWX");
constexpr int kSeparatorPosition = 8;
constexpr int kPairDigits = 10; // then up to five digits of the 4 x 5 grid
constexpr long long kPairPrecision = 8000; // 1/8000° after the five pairs
constexpr long long kLatPrecision = kPairPrecision * 3125; // 5^5 grid rows
constexpr long long kLngPrecision = kPairPrecision * 1024; // 4^5 grid columns

long long olcLatitudeInteger(double lat)
{
    // Rounded to six decimals of the integer first, as the reference does, so decimal inputs
    // such as 20.3701125 land in the cell their digits name.
    long long value = static_cast<long long>(
        std::floor(std::round(std::clamp(lat, -90.0, 90.0) * double(kLatPrecision) * 1e6) / 1e6));
    value += 90 * kLatPrecision;
    return std::clamp(value, 0LL, 180 * kLatPrecision - 1);
}

long long olcLongitudeInteger(double lon)
{
    // A huge longitude is reduced first; the result is the same modulo 360°.
    lon = std::fmod(lon, 360.0);
    long long value =
        static_cast<long long>(std::floor(std::round(lon * double(kLngPrecision) * 1e6) / 1e6));
    value += 180 * kLngPrecision;
    const long long full = 360 * kLngPrecision;
    return ((value % full) + full) % full;
}

// Checks the shape the reference calls valid and returns the separator's position.
qsizetype checkOlcShape(const QString &code)
{
    const qsizetype separator = code.indexOf(u'+');
    if (separator < 0 || code.indexOf(u'+', separator + 1) >= 0)
        fail(QStringLiteral("Ein Plus Code enthält genau ein „+“"));
    if (code.size() == 1)
        fail(QStringLiteral("Ein Plus Code ohne Stellen nennt keinen Ort"));
    if (separator > kSeparatorPosition || separator % 2 == 1)
        fail(QStringLiteral("Im Plus Code steht das „+“ an der falschen Stelle"));
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (i != separator && code[i] != u'0' && !kOlcAlphabet.contains(code[i]))
            fail(QStringLiteral("„%1“ kommt in Plus Codes nicht vor").arg(code[i]));
    }
    const qsizetype padding = code.indexOf(u'0');
    if (padding >= 0) {
        static const QRegularExpression zeros(QStringLiteral("^[^0+]+(0+)\\+$"));
        const auto m = zeros.match(code);
        if (padding == 0 || !m.hasMatch() || m.capturedLength(1) % 2 == 1)
            fail(QStringLiteral("Die Füllnullen eines Plus Codes stehen paarweise vor dem „+“"));
    }
    if (code.size() - separator - 1 == 1)
        fail(QStringLiteral("Nach dem „+“ eines Plus Codes stehen mindestens zwei Zeichen"));
    return separator;
}

int olcDigit(QChar c)
{
    return int(kOlcAlphabet.indexOf(c));
}

Cell decodeFullOlc(const QString &code)
{
    const QString digits = QString(code).remove(u'+').remove(u'0').left(kOlcMax);
    long long lat = -90 * kPairPrecision, lng = -180 * kPairPrecision;
    long long place = 160000; // 20^4
    const qsizetype pairDigits = std::min<qsizetype>(digits.size(), kPairDigits);
    for (qsizetype i = 0; i < pairDigits; i += 2) {
        lat += olcDigit(digits[i]) * place;
        lng += olcDigit(digits[i + 1]) * place;
        if (i < pairDigits - 2)
            place /= 20;
    }
    double latSize = double(place) / kPairPrecision, lngSize = latSize;
    long long gridLat = 0, gridLng = 0, rowPlace = 625, colPlace = 256;
    for (qsizetype i = kPairDigits; i < digits.size(); ++i) {
        const int value = olcDigit(digits[i]);
        gridLat += value / 4 * rowPlace;
        gridLng += value % 4 * colPlace;
        if (i < digits.size() - 1)
            rowPlace /= 5, colPlace /= 4;
    }
    if (digits.size() > kPairDigits) {
        latSize = double(rowPlace) / kLatPrecision;
        lngSize = double(colPlace) / kLngPrecision;
    }
    const double south = double(lat) / kPairPrecision + double(gridLat) / kLatPrecision;
    const double west = double(lng) / kPairPrecision + double(gridLng) / kLngPrecision;
    return {south, west, south + latSize, west + lngSize};
}

GeoPoint olcCentre(const Cell &cell)
{
    return {std::min((cell.south + cell.north) / 2.0, 90.0),
            std::min((cell.west + cell.east) / 2.0, 180.0)};
}

int olcLength(const QString &code)
{
    return int(std::min<qsizetype>(QString(code).remove(u'+').remove(u'0').size(), kOlcMax));
}

} // namespace

QString toMaidenhead(GeoPoint p, int length)
{
    checkPoint(p);
    if (length < kMaidenheadMin || length > kMaidenheadMax || length % 2 == 1)
        fail(QStringLiteral("Ein Maidenhead-Locator hat 2 bis 16 Zeichen, eine gerade Anzahl"));
    const int pairs = length / 2;
    long long cells = 1;
    for (int pair = 0; pair < pairs; ++pair)
        cells *= maidenheadBase(pair);
    // Longitude 180° is the same meridian as -180°; latitude 90° stays in the top row.
    const long long x = cellIndex(std::fmod((p.lon + 180.0) / 360.0, 1.0), cells);
    const long long y = cellIndex((p.lat + 90.0) / 180.0, cells);
    QString locator;
    long long place = cells;
    for (int pair = 0; pair < pairs; ++pair) {
        place /= maidenheadBase(pair);
        locator += maidenheadSymbol(pair, int(x / place % maidenheadBase(pair)));
        locator += maidenheadSymbol(pair, int(y / place % maidenheadBase(pair)));
    }
    return locator;
}

Cell maidenheadCell(const QString &locator)
{
    const QString text = compact(locator);
    if (text.size() < kMaidenheadMin || text.size() > kMaidenheadMax || text.size() % 2 == 1)
        fail(QStringLiteral("Ein Maidenhead-Locator hat 2 bis 16 Zeichen, eine gerade Anzahl, "
                            "nicht %1")
                 .arg(text.size()));
    double west = -180.0, south = -90.0, width = 360.0, height = 180.0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int pair = int(i / 2), base = maidenheadBase(pair);
        const QChar c = text[i];
        const int value = pair % 2 == 1 ? c.unicode() - u'0' : c.unicode() - u'A';
        if (value < 0 || value >= base)
            fail(pair % 2 == 1
                     ? QStringLiteral("An Stelle %1 des Locators gehört eine Ziffer, nicht „%2“")
                           .arg(i + 1)
                           .arg(c)
                     : QStringLiteral("An Stelle %1 des Locators gehört ein Buchstabe von A bis "
                                      "%2, nicht „%3“")
                           .arg(i + 1)
                           .arg(QChar(u'A' + base - 1))
                           .arg(c));
        if (i % 2 == 0) {
            width /= base;
            west += value * width;
        } else {
            height /= base;
            south += value * height;
        }
    }
    return {south, west, south + height, west + width};
}

QString toGeohash(GeoPoint p, int length)
{
    checkPoint(p);
    if (length < kGeohashMin || length > kGeohashMax)
        fail(QStringLiteral("Ein Geohash hat 1 bis 12 Zeichen"));
    const int bits = 5 * length, lonBits = (bits + 1) / 2, latBits = bits / 2;
    const long long x = cellIndex((p.lon + 180.0) / 360.0, 1LL << lonBits);
    const long long y = cellIndex((p.lat + 90.0) / 180.0, 1LL << latBits);
    QString hash;
    int value = 0, lonLeft = lonBits, latLeft = latBits;
    for (int bit = 0; bit < bits; ++bit) {
        const bool lon = bit % 2 == 0;
        const long long source = lon ? x : y;
        const int shift = lon ? --lonLeft : --latLeft;
        value = value << 1 | int(source >> shift & 1);
        if (bit % 5 == 4) {
            hash += kGeohashAlphabet[value].toLower();
            value = 0;
        }
    }
    return hash;
}

Cell geohashCell(const QString &hash)
{
    const QString text = compact(hash);
    if (text.size() < kGeohashMin || text.size() > kGeohashMax)
        fail(QStringLiteral("Ein Geohash hat 1 bis 12 Zeichen, nicht %1").arg(text.size()));
    double west = -180.0, east = 180.0, south = -90.0, north = 90.0;
    int bit = 0;
    for (const QChar c : text) {
        const qsizetype value = kGeohashAlphabet.indexOf(c);
        if (value < 0)
            fail(QStringLiteral("„%1“ kommt in einem Geohash nicht vor (A, I, L und O fehlen)")
                     .arg(c.toLower()));
        for (int shift = 4; shift >= 0; --shift, ++bit) {
            const bool set = (value >> shift & 1) != 0;
            double &low = bit % 2 == 0 ? west : south;
            double &high = bit % 2 == 0 ? east : north;
            (set ? low : high) = (low + high) / 2.0;
        }
    }
    return {south, west, north, east};
}

QString toOpenLocationCode(double lat, double lon, int digits)
{
    if (!std::isfinite(lat) || !std::isfinite(lon))
        fail(QStringLiteral("Breite und Länge müssen endliche Zahlen sein"));
    if (digits < kOlcMin || digits > kOlcMax || (digits < kPairDigits && digits % 2 == 1))
        fail(QStringLiteral("Ein Plus Code hat 2 bis 15 Stellen, unter 10 eine gerade Anzahl"));
    long long latValue = olcLatitudeInteger(lat), lngValue = olcLongitudeInteger(lon);
    QString code;
    if (digits > kPairDigits) {
        for (int i = 0; i < kOlcMax - kPairDigits; ++i) {
            code.prepend(kOlcAlphabet[int(latValue % 5 * 4 + lngValue % 4)]);
            latValue /= 5;
            lngValue /= 4;
        }
    } else {
        latValue /= 3125;
        lngValue /= 1024;
    }
    for (int i = 0; i < kPairDigits / 2; ++i) {
        code.prepend(kOlcAlphabet[int(lngValue % 20)]);
        code.prepend(kOlcAlphabet[int(latValue % 20)]);
        latValue /= 20;
        lngValue /= 20;
    }
    code.insert(kSeparatorPosition, u'+');
    if (digits >= kSeparatorPosition)
        return code.left(digits + 1);
    return code.left(digits) + QString(kSeparatorPosition - digits, u'0') + u'+';
}

bool isShortOpenLocationCode(const QString &code)
{
    const QString text = compact(code);
    const qsizetype separator = checkOlcShape(text);
    if (separator < kSeparatorPosition) {
        if (text.contains(u'0'))
            fail(QStringLiteral("Ein kurzer Plus Code hat keine Füllnullen"));
        return true;
    }
    if (olcDigit(text[0]) * 20 >= 180 || olcDigit(text[1]) * 20 >= 360)
        fail(QStringLiteral("Die ersten Stellen des Plus Codes liegen außerhalb der Erde"));
    return false;
}

Cell openLocationCodeCell(const QString &code)
{
    if (isShortOpenLocationCode(code))
        fail(QStringLiteral("Ein kurzer Plus Code braucht einen Bezugspunkt"));
    return decodeFullOlc(compact(code));
}

QString recoverOpenLocationCode(const QString &shortCode, GeoPoint reference)
{
    checkPoint(reference);
    const QString code = compact(shortCode);
    if (!isShortOpenLocationCode(code))
        return code;
    const qsizetype padding = kSeparatorPosition - code.indexOf(u'+');
    const double resolution = std::pow(20.0, 2.0 - double(padding) / 2.0);
    const double half = resolution / 2.0;
    const QString full = toOpenLocationCode(reference.lat, reference.lon).left(padding) + code;
    const Cell cell = decodeFullOlc(full);
    GeoPoint centre = olcCentre(cell);
    if (reference.lat + half < centre.lat && centre.lat - resolution >= -90.0)
        centre.lat -= resolution;
    else if (reference.lat - half > centre.lat && centre.lat + resolution <= 90.0)
        centre.lat += resolution;
    if (reference.lon + half < centre.lon)
        centre.lon -= resolution;
    else if (reference.lon - half > centre.lon)
        centre.lon += resolution;
    return toOpenLocationCode(centre.lat, centre.lon, olcLength(full));
}

QString shortenOpenLocationCode(const QString &code, GeoPoint reference)
{
    checkPoint(reference);
    const QString text = compact(code);
    if (isShortOpenLocationCode(text))
        fail(QStringLiteral("Der Plus Code ist schon kurz"));
    if (text.contains(u'0'))
        fail(QStringLiteral("Ein Plus Code mit Füllnullen lässt sich nicht kürzen"));
    if (olcLength(text) < 6)
        fail(QStringLiteral("Erst ein Plus Code ab 6 Stellen lässt sich kürzen"));
    const GeoPoint centre = olcCentre(decodeFullOlc(text));
    const double range =
        std::max(std::abs(centre.lat - reference.lat), std::abs(centre.lon - reference.lon));
    // Drop 8, 6 or 4 digits while the reference lies well inside the cell they name.
    static constexpr std::array<double, 3> kResolutions = {0.0025, 0.05, 1.0};
    for (int i = 0; i < 3; ++i) {
        if (range < kResolutions[i] * 0.3)
            return text.mid(8 - 2 * i);
    }
    return text;
}

} // namespace Geo
