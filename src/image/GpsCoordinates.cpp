#include "image/GpsCoordinates.h"

#include <QStringList>

#include <cmath>

namespace ImageAnalysis {
namespace {

// +1 or -1 for a hemisphere letter (south and west negative), 0 for anything else.
int hemisphereSign(const QString &letter)
{
    const QString l = letter.trimmed().toUpper();
    if (l == u"N" || l == u"E")
        return 1;
    if (l == u"S" || l == u"W")
        return -1;
    return 0;
}

std::optional<double> checked(double degrees, int sign, double maximum)
{
    if (sign == 0 || !std::isfinite(degrees) || degrees < 0.0 || degrees > maximum)
        return std::nullopt;
    return sign * degrees;
}

} // namespace

std::optional<double> degreesFromRationals(const std::array<Rational, 3> &parts,
                                           const QString &hemisphere, double maximum)
{
    double value = 0.0;
    double unit = 1.0;
    for (const Rational &part : parts) {
        if (part.nenner == 0) {
            // A zero denominator is only tolerated for an empty part (0/0), which some
            // writers leave for the unused seconds.
            if (part.zaehler != 0)
                return std::nullopt;
        } else {
            value += double(part.zaehler) / double(part.nenner) / unit;
        }
        unit *= 60.0;
    }
    return checked(value, hemisphereSign(hemisphere), maximum);
}

std::optional<double> degreesFromXmp(const QString &text, double maximum)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() < 2)
        return std::nullopt;
    const int sign = hemisphereSign(trimmed.right(1));
    const QStringList parts = trimmed.chopped(1).split(u',');
    if (parts.size() > 3)
        return std::nullopt;
    double value = 0.0;
    double unit = 1.0;
    for (const QString &part : parts) {
        bool ok = false;
        const double number = part.trimmed().toDouble(&ok);
        if (!ok || number < 0.0)
            return std::nullopt;
        value += number / unit;
        unit *= 60.0;
    }
    return checked(value, sign, maximum);
}

std::optional<double> altitudeFromXmp(const QString &text)
{
    const QStringList parts = text.trimmed().split(u'/');
    bool ok = false;
    const double numerator = parts.value(0).toDouble(&ok);
    if (!ok || parts.size() > 2)
        return std::nullopt;
    if (parts.size() == 1)
        return numerator;
    const double denominator = parts.value(1).toDouble(&ok);
    if (!ok || denominator == 0.0)
        return std::nullopt;
    return numerator / denominator;
}

} // namespace ImageAnalysis
