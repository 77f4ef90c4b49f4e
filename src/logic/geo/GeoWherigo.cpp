#include "logic/geo/GeoWherigo.h"

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCalc.h"

#include <QRegularExpression>

#include <array>
#include <cmath>

namespace Geo {

namespace {

// Digit positions as (number 0..2, digit 0..5 from the left).
struct Place
{
    int number;
    int digit;
};
using Digits = std::array<std::array<int, 6>, 3>;

// Latitude: tens, units, then five decimals; longitude: hundreds, tens, units, five decimals.
// One shuffle for an even parity digit sum, one for an odd one.
constexpr Place kLatitude[2][7] = {
    {{0, 2}, {1, 4}, {1, 1}, {2, 3}, {0, 0}, {2, 4}, {0, 5}},
    {{1, 0}, {0, 5}, {0, 2}, {2, 0}, {2, 3}, {2, 4}, {0, 0}},
};
constexpr Place kLongitude[2][8] = {
    {{0, 1}, {2, 0}, {2, 5}, {1, 3}, {1, 0}, {0, 4}, {2, 1}, {1, 5}},
    {{1, 4}, {2, 5}, {0, 4}, {0, 1}, {1, 3}, {1, 5}, {2, 1}, {1, 1}},
};
constexpr Place kHemisphere {0, 3};
constexpr Place kParity[2] = {{2, 1}, {2, 4}};

// Each check digit covers eight places with the weights 2..9; both shuffles give the same.
struct Weighted
{
    Place place;
    int weight;
};
constexpr Place kCheck[2] = {{1, 2}, {2, 2}};
constexpr Weighted kCheckSum[2][8] = {
    {{{0, 3}, 2},
     {{0, 4}, 3},
     {{0, 2}, 4},
     {{0, 5}, 5},
     {{0, 1}, 6},
     {{1, 1}, 7},
     {{0, 0}, 8},
     {{1, 0}, 9}},
    {{{2, 0}, 2},
     {{2, 1}, 3},
     {{1, 5}, 4},
     {{2, 3}, 5},
     {{1, 4}, 6},
     {{2, 5}, 7},
     {{1, 3}, 8},
     {{2, 4}, 9}},
};

int &at(Digits &d, Place p)
{
    return d[size_t(p.number)][size_t(p.digit)];
}

int checkDigit(Digits &d, int which)
{
    int sum = 0;
    for (const Weighted &w : kCheckSum[which])
        sum += at(d, w.place) * w.weight;
    const int check = 11 - sum % 11;
    return check == 10 ? 0 : check == 11 ? 5 : check;
}

// The decimal digits of round(|value| · 100000), `count` of them.
QString scaledDigits(double value, int count)
{
    return QStringLiteral("%1").arg(std::llround(std::abs(value) * 100000.0), count, 10,
                                    QChar(u'0'));
}

} // namespace

QString toWherigo(GeoPoint p)
{
    checkPoint(p);
    const QString lat = scaledDigits(p.lat, 7), lon = scaledDigits(p.lon, 8);
    Digits d {};
    // The parity places hold the sixth latitude and the seventh longitude digit in both shuffles.
    const int shuffle = (lat[5].digitValue() + lon[6].digitValue()) % 2;
    for (int i = 0; i < 7; ++i)
        at(d, kLatitude[shuffle][i]) = lat[i].digitValue();
    for (int i = 0; i < 8; ++i)
        at(d, kLongitude[shuffle][i]) = lon[i].digitValue();
    at(d, kHemisphere) = 1 + (p.lat < 0 ? 1 : 0) + (p.lon < 0 ? 2 : 0);
    for (int which = 0; which < 2; ++which)
        at(d, kCheck[which]) = checkDigit(d, which);
    QStringList numbers;
    for (const auto &number : d) {
        QString text;
        for (int digit : number)
            text.append(QChar(u'0' + digit));
        numbers.append(text);
    }
    return numbers.join(u' ');
}

GeoPoint wherigoPosition(const QString &text)
{
    static const QRegularExpression shape(
        QStringLiteral("^\\s*(\\d+)[\\s,;/-]+(\\d+)[\\s,;/-]+(\\d+)\\s*$"));
    const auto m = shape.match(text);
    if (!m.hasMatch())
        throw QuarvelError(QStringLiteral("Reverse-Wherigo-Codes bitte als drei sechsstellige "
                                          "Zahlen angeben: 123456 234567 345678"));
    Digits d {};
    for (int n = 0; n < 3; ++n) {
        const QString number = m.captured(n + 1);
        if (number.size() != 6)
            throw QuarvelError(QStringLiteral("Die %1. Zahl hat %2 statt 6 Ziffern")
                                   .arg(n + 1)
                                   .arg(number.size()));
        for (int i = 0; i < 6; ++i)
            d[size_t(n)][size_t(i)] = number[i].digitValue();
    }
    const int hemisphere = at(d, kHemisphere);
    if (hemisphere < 1 || hemisphere > 4)
        throw QuarvelError(QStringLiteral("Die vierte Ziffer der ersten Zahl nennt die Halbkugeln "
                                          "und muss 1 bis 4 sein, nicht %1")
                               .arg(hemisphere));
    for (int which = 0; which < 2; ++which) {
        const int expected = checkDigit(d, which);
        if (at(d, kCheck[which]) != expected)
            throw QuarvelError(QStringLiteral("Die Prüfziffer (dritte Ziffer der %1. Zahl) müsste "
                                              "%2 sein: eine Ziffer ist vertippt")
                                   .arg(which + 2)
                                   .arg(expected));
    }
    const int shuffle = (at(d, kParity[0]) + at(d, kParity[1])) % 2;
    long long lat = 0, lon = 0;
    for (const Place &p : kLatitude[shuffle])
        lat = lat * 10 + at(d, p);
    for (const Place &p : kLongitude[shuffle])
        lon = lon * 10 + at(d, p);
    const GeoPoint result {(hemisphere % 2 == 0 ? -1.0 : 1.0) * double(lat) / 100000.0,
                           (hemisphere >= 3 ? -1.0 : 1.0) * double(lon) / 100000.0};
    if (std::abs(result.lat) > 90.0 || std::abs(result.lon) > 180.0)
        throw QuarvelError(QStringLiteral("Die Zahlen ergeben %1° Breite und %2° Länge: keine "
                                          "Position auf der Erde")
                               .arg(result.lat)
                               .arg(result.lon));
    return result;
}

} // namespace Geo
