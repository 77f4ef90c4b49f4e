#include "logic/geo/GeoUnits.h"

#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoSupport.h"

#include <QRegularExpression>

#include <cmath>

namespace Geo {

namespace {

struct UnitInfo
{
    const char *name;
    double metres;
    int decimals; // about a millimetre in every unit
};

constexpr UnitInfo kUnits[] = {
    {"m", 1.0, 3},     {"km", 1000.0, 6},   {"ft", 0.3048, 2},
    {"yd", 0.9144, 3}, {"mi", 1609.344, 6}, {"NM", 1852.0, 6},
};

const UnitInfo &infoOf(DistanceUnit unit)
{
    return kUnits[int(unit)];
}

// `shown` is the text as typed, for the message (the number without its unit otherwise).
double readNumber(const QString &text, const QString &what, bool grouping,
                  const QString &shown = {})
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        throw QuarvelError(QStringLiteral("Bitte %1 eingeben").arg(what));
    const std::optional<long double> value = grouping
        ? Numbers::tryStrToFloatTyped(trimmed)
        : Numbers::tryStrToFloat(QString(trimmed).replace(u'.', u','));
    if (!value || !std::isfinite(double(*value)))
        throw QuarvelError(
            QStringLiteral("„%1“ ist keine Zahl").arg(shown.isEmpty() ? trimmed : shown.trimmed()));
    return double(*value);
}

QString withComma(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(u'.', u',');
}

} // namespace

QStringList distanceUnitNames()
{
    QStringList names;
    for (const UnitInfo &info : kUnits)
        names.append(QString::fromLatin1(info.name));
    return names;
}

QStringList angleUnitNames()
{
    return {QStringLiteral("Grad (°)"), QStringLiteral("Gon")};
}

double metresPer(DistanceUnit unit)
{
    return infoOf(unit).metres;
}

double readDistance(const QString &text, DistanceUnit unit)
{
    // A unit written after the number ("1,5 km", "2mi") counts instead of the field's unit.
    static const QRegularExpression withUnit(QStringLiteral("^(.*?)\\s*(m|km|ft|yd|mi|NM)\\s*$"));
    QString number = text;
    if (const auto m = withUnit.match(text); m.hasMatch() && !m.captured(1).trimmed().isEmpty()) {
        number = m.captured(1);
        unit = DistanceUnit(distanceUnitNames().indexOf(m.captured(2)));
    }
    const double value = readNumber(number, QStringLiteral("eine Entfernung"), true, text);
    if (value < 0.0)
        throw QuarvelError(QStringLiteral("Die Entfernung darf nicht negativ sein"));
    const double metres = value * metresPer(unit);
    checkDistance(metres);
    return metres;
}

double readBearing(const QString &text, AngleUnit unit)
{
    const double value = readNumber(text, QStringLiteral("eine Peilung"), false);
    const double degrees = unit == AngleUnit::Gon ? value * 0.9 : value;
    checkBearing(degrees);
    return Support::normalizedBearing(degrees);
}

QString formatDistance(double metres, DistanceUnit unit)
{
    const UnitInfo &info = infoOf(unit);
    return withComma(metres / info.metres, info.decimals) + u' ' + QString::fromLatin1(info.name);
}

QString formatBearing(double degrees, AngleUnit unit)
{
    if (unit == AngleUnit::Gon)
        return withComma(degrees / 0.9, 4) + QStringLiteral(" gon");
    return withComma(degrees, 4) + u'°';
}

} // namespace Geo
