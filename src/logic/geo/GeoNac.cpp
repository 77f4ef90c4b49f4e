#include "logic/geo/GeoNac.h"

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCalc.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <utility>

namespace Geo {

namespace {

const QString kDigits = QStringLiteral("0123456789BCDFGHJKLMNPQRSTVWXZ");

QString encode(double fraction, int length)
{
    QString text;
    for (int i = 0; i < length; ++i) {
        fraction *= 30.0;
        // The far edge (180° E, 90° N) belongs to the last cell.
        const int digit = std::clamp(int(std::floor(fraction)), 0, 29);
        text.append(kDigits[digit]);
        fraction -= digit;
    }
    return text;
}

// The lower edge of the part's cell as a fraction of the range, and the cell's width.
std::pair<double, double> decode(const QString &part)
{
    double low = 0.0, width = 1.0;
    for (const QChar c : part) {
        const qsizetype digit = kDigits.indexOf(c.toUpper());
        if (digit < 0)
            throw QuarvelError(
                QStringLiteral("„%1“ ist kein Zeichen des Natural Area Code (0-9 und die "
                               "Konsonanten BCDFGHJKLMNPQRSTVWXZ)")
                    .arg(c));
        width /= 30.0;
        low += double(digit) * width;
    }
    return {low, width};
}

} // namespace

QString toNaturalAreaCode(GeoPoint p, int length)
{
    checkPoint(p);
    if (length < kNacMin || length > kNacMax)
        throw QuarvelError(
            QStringLiteral("Ein Natural Area Code hat 1 bis %1 Zeichen je Teil").arg(kNacMax));
    return encode((p.lon + 180.0) / 360.0, length) + u' ' + encode((p.lat + 90.0) / 180.0, length);
}

Cell naturalAreaCodeCell(const QString &code)
{
    const QStringList parts = code.simplified().split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != 2)
        throw QuarvelError(QStringLiteral("Einen Natural Area Code bitte als zwei Teile angeben: "
                                          "Länge und Breite, z. B. HBV6R RG77T"));
    for (const QString &part : parts) {
        if (part.size() > kNacMax)
            throw QuarvelError(QStringLiteral("Ein Teil des Natural Area Code hat höchstens %1 "
                                              "Zeichen, „%2“ hat %3")
                                   .arg(kNacMax)
                                   .arg(part.left(20))
                                   .arg(part.size()));
    }
    const auto [lonLow, lonWidth] = decode(parts[0]);
    const auto [latLow, latWidth] = decode(parts[1]);
    return Cell {latLow * 180.0 - 90.0, lonLow * 360.0 - 180.0, (latLow + latWidth) * 180.0 - 90.0,
                 (lonLow + lonWidth) * 360.0 - 180.0};
}

} // namespace Geo
