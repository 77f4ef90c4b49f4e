#pragma once

#include <QString>
#include <QStringList>

// Units of the coordinate calculator: distances in m, km, ft, yd, mi (statute mile) and NM
// (nautical mile), bearings in degrees or gon (400 to the full circle). Numbers the user types
// take a decimal comma or point; results are written with the decimal comma.
namespace Geo {

enum class DistanceUnit { Metre, Kilometre, Foot, Yard, Mile, NauticalMile };
enum class AngleUnit { Degree, Gon };

QStringList distanceUnitNames(); // "m", "km", "ft", "yd", "mi", "NM" in enum order
QStringList angleUnitNames(); // "Grad (°)", "Gon"
double metresPer(DistanceUnit unit);

// A distance typed in `unit`, in metres; a unit written after the number ("1,5 km") counts
// instead. The number is read as Numbers::tryStrToFloatTyped reads it ("1.450" is 1450, as the
// program writes it; "1.5" is 1,5). Refuses an empty, negative or non-finite value and one
// beyond a million kilometres.
double readDistance(const QString &text, DistanceUnit unit);
// A bearing typed in `unit`, in degrees in [0, 360): a finite value within ten full turns is
// taken modulo the full circle (-10° is 350°); a larger one is refused.
double readBearing(const QString &text, AngleUnit unit);

QString formatDistance(double metres, DistanceUnit unit); // "350,000 m", "0,350000 km"
QString formatBearing(double degrees, AngleUnit unit); // "72,0000°", "80,0000 gon"

} // namespace Geo
