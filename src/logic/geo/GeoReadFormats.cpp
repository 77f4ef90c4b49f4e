// The reader of every format: recognition by shape, and the formats readPosition does not know.
#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCodes.h"
#include "logic/geo/GeoGrids.h"
#include "logic/geo/GeoNac.h"
#include "logic/geo/GeoRead.h"
#include "logic/geo/GeoTiles.h"
#include "logic/geo/GeoWherigo.h"

#include <QRegularExpression>

#include <cmath>

namespace Geo {

namespace {

// Far more than any position needs; a longer text is a wrong paste, refused before any
// regular expression looks at it.
constexpr qsizetype kLongestPosition = 200;

QString compact(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return QString(text).remove(blanks).toUpper();
}

double number(const QString &text)
{
    return QString(text).replace(u',', u'.').toDouble();
}

bool looksLikeOlc(const QString &compactText)
{
    static const QRegularExpression shape(
        QStringLiteral("^[23456789CFGHJMPQRVWX0]*\\+[23456789CFGHJMPQRVWX]*$"));
    return shape.match(compactText).hasMatch();
}

bool looksLikeMaidenhead(const QString &compactText)
{
    static const QRegularExpression shape(
        QStringLiteral("^[A-R]{2}(?:\\d{2}(?:[A-X]{2}(?:\\d{2}(?:[A-X]{2}(?:\\d{2}(?:[A-X]{2}"
                       "(?:\\d{2})?)?)?)?)?)?)?$"));
    return shape.match(compactText).hasMatch();
}

bool looksLikeGeohash(const QString &trimmedText)
{
    static const QRegularExpression shape(
        QStringLiteral("^(?=.*[B-HJKMNP-Z])[0-9B-HJKMNP-Z]{1,12}$"));
    return shape.match(trimmedText.toUpper()).hasMatch();
}

// "X 155000 Y 463000", "155000 463000", "155000; 463000".
std::optional<GridPosition> rdNumbers(const QString &text, bool checkRange)
{
    static const QRegularExpression shape(
        QStringLiteral("^\\s*(?:RD\\s*)?(?:X\\s*[:=]?\\s*)?(-?\\d{1,6}(?:\\.\\d+)?)\\s*[,;/]?\\s*"
                       "(?:Y\\s*[:=]?\\s*)?(\\d{1,6}(?:\\.\\d+)?)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = shape.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const GridPosition rd {0, true, number(m.captured(1)), number(m.captured(2))};
    if (checkRange &&
        !(rd.easting >= -7000 && rd.easting <= 300000 && rd.northing >= 289000 &&
          rd.northing <= 629000))
        return std::nullopt;
    return rd;
}

// "X 3783174 Y 902167 Z 5038029" or three bare numbers; `checkSize` asks bare numbers for a
// point within reach of the earth's surface, so three small numbers are left to the other
// readers. Numbers named X, Y and Z are ECEF whatever their size, so a point far from the
// surface is refused for that reason.
std::optional<Ecef> ecefNumbers(const QString &text, bool checkSize)
{
    static const QString value = QStringLiteral("([-+]?\\d+(?:\\.\\d+)?)");
    static const QString gap = QStringLiteral("\\s*[,;/]?\\s*");
    static const QRegularExpression shape(QStringLiteral("^\\s*(?:X\\s*[:=]?\\s*)?") + value + gap +
                                              QStringLiteral("(?:Y\\s*[:=]?\\s*)?") + value + gap +
                                              QStringLiteral("(?:Z\\s*[:=]?\\s*)?") + value +
                                              QStringLiteral("\\s*$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const auto m = shape.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const Ecef ecef {number(m.captured(1)), number(m.captured(2)), number(m.captured(3))};
    static const QRegularExpression axes(QStringLiteral("^\\s*X[^YZ]*Y[^Z]*Z"),
                                         QRegularExpression::CaseInsensitiveOption);
    const bool named = axes.match(text).hasMatch();
    if (checkSize && !named && std::hypot(ecef.x, ecef.y, ecef.z) < 1e6)
        return std::nullopt;
    return ecef;
}

// Swiss LV03 "Y 600000 X 200000", "600'000 / 200'000". In Switzerland y (east) always exceeds
// 400 000 m and x (north) stays below it, so with `eitherOrder` the larger number is y; without,
// y must come first (a text "X 200000 Y 600000" is Dutch RD).
std::optional<GridPosition> lv03Numbers(const QString &text, bool eitherOrder)
{
    static const QRegularExpression shape(
        QStringLiteral("^\\s*(?:[XYEN]\\s*[:=]?\\s*)?(\\d{5,6}(?:\\.\\d+)?)\\s*[,;/]?\\s*"
                       "(?:[XYEN]\\s*[:=]?\\s*)?(\\d{5,6}(?:\\.\\d+)?)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = shape.match(QString(text).remove(u'\''));
    if (!m.hasMatch())
        return std::nullopt;
    double y = number(m.captured(1)), x = number(m.captured(2));
    if (eitherOrder && x > y)
        std::swap(x, y);
    if (!(y >= 400000 && y < 1000000 && x >= 0 && x < 400000))
        return std::nullopt;
    return GridPosition {0, true, y, x};
}

bool looksLikeNac(const QString &text)
{
    static const QRegularExpression shape(
        QStringLiteral("^\\s*[0-9BCDFGHJ-NP-TV-XZ]{2,8}\\s+[0-9BCDFGHJ-NP-TV-XZ]{2,8}\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    return shape.match(text).hasMatch();
}

bool looksLikeQuadkey(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^\\s*[0-3]{1,23}\\s*$"));
    return shape.match(text).hasMatch();
}

bool looksLikeTile(const QString &text)
{
    static const QRegularExpression shape(
        QStringLiteral("^\\s*\\d{1,2}\\s*/\\s*\\d{1,8}\\s*/\\s*\\d{1,8}\\s*$"));
    return shape.match(text).hasMatch();
}

bool looksLikeWherigo(const QString &text)
{
    static const QRegularExpression shape(
        QStringLiteral("^\\s*\\d{6}[\\s,;/-]+\\d{6}[\\s,;/-]+\\d{6}\\s*$"));
    return shape.match(text).hasMatch();
}

GeoPoint readOlc(const QString &text, GeoPoint reference)
{
    const QString full =
        isShortOpenLocationCode(text) ? recoverOpenLocationCode(text, reference) : compact(text);
    return openLocationCodeCell(full).centre();
}

GeoPoint readAs(Format format, const QString &text, GeoPoint reference)
{
    switch (format) {
    case Format::Rd:
        if (const auto rd = rdNumbers(text, false))
            return fromRd(*rd);
        throw QuarvelError(QStringLiteral("RD bitte als zwei Zahlen angeben: X 155000 Y 463000"));
    case Format::Ecef:
        if (const auto ecef = ecefNumbers(text, false))
            return fromEcef(*ecef);
        throw QuarvelError(
            QStringLiteral("ECEF bitte als drei Zahlen in Metern angeben: X … Y … Z …"));
    case Format::Maidenhead:
        return maidenheadCell(text).centre();
    case Format::Geohash:
        return geohashCell(text).centre();
    case Format::Olc:
        return readOlc(text, reference);
    case Format::Lv03:
        if (const auto lv03 = lv03Numbers(text, true))
            return fromLv03(*lv03);
        throw QuarvelError(
            QStringLiteral("LV03 bitte als zwei sechsstellige Zahlen angeben: Y 600000 X 200000"));
    case Format::Wherigo:
        return wherigoPosition(text);
    case Format::Kachel:
        return tileCorner(readTile(text));
    case Format::Quadkey:
        return tileCorner(quadkeyTile(text));
    case Format::Nac:
        return naturalAreaCodeCell(text).centre();
    default:
        return readPosition(text);
    }
}

std::optional<Format> shapeOf(const QString &text)
{
    const QString tight = compact(text);
    if (looksLikeOlc(tight))
        return Format::Olc;
    if (looksLikeTile(text))
        return Format::Kachel;
    if (looksLikeWherigo(text))
        return Format::Wherigo;
    // Before ECEF, whose numbers may run together without a gap.
    if (looksLikeQuadkey(text))
        return Format::Quadkey;
    if (looksLikeMaidenhead(tight))
        return Format::Maidenhead;
    if (ecefNumbers(text, true))
        return Format::Ecef;
    if (rdNumbers(text, true))
        return Format::Rd;
    if (lv03Numbers(text, false))
        return Format::Lv03;
    return std::nullopt;
}

} // namespace

ReadPosition readAnyPosition(const QString &text, std::optional<Format> format, GeoPoint reference)
{
    if (text.size() > kLongestPosition)
        throw QuarvelError(QStringLiteral("Der Text ist mit %1 Zeichen zu lang für eine Position")
                               .arg(text.size()));
    if (text.trimmed().isEmpty())
        throw QuarvelError(QStringLiteral("Bitte eine Koordinate eingeben"));
    if (format)
        return {readAs(*format, text, reference), *format};
    if (const std::optional<Format> shape = shapeOf(text))
        return {readAs(*shape, text, reference), *shape};
    try {
        return {readPosition(text), Format::Wgs84};
    } catch (const QuarvelError &) {
        // A shape that ordinary notations never take, tried only when those fail.
        if (looksLikeNac(text))
            return {naturalAreaCodeCell(text).centre(), Format::Nac};
        if (!looksLikeGeohash(text.trimmed()))
            throw;
    }
    return {geohashCell(text).centre(), Format::Geohash};
}

} // namespace Geo
