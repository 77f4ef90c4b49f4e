#pragma once

#include <QString>

// One WGS84 position as the user gave it: a latitude and a longitude, each as a letter and the
// texts of degrees, minutes and seconds (decimal comma). It reads a position typed in any of
// the three usual notations and writes it in any of them:
//   0  degrees with decimals            "N 54,3941666666667 E 13,6696833333333"
//   1  degrees and decimal minutes      "N 54° 23,650' E 13° 40,181'"
//   2  degrees, minutes and seconds     "N 54° 23' 39" E 13° 40' 10,86" "
// The position is kept as text per component, so whatever the user typed in the most detailed
// notation survives unchanged. The letters are never checked against N, S, E or W.
class TKoordinaten
{
public:
    TKoordinaten() = default;

    // 1 when the text was read and the fields were set, 0 when it was not recognised (the
    // fields are then unchanged). Throws QuarvelError when a number position holds no number or
    // degrees or minutes leave the 32-bit range; the fields written before that point keep
    // their new values. Seconds that round to 60 are carried into the minutes, and full 60
    // minutes into the degrees, also into the typed degrees of six tokens ("N 0 59.9999999"
    // gives 1° 0' 0"), which must then be a number.
    int m_sSetKoordinaten(const QString &text);

    // The position in notation 0, 1 or 2; the empty text for any other number. Notations 0 and
    // 1 throw QuarvelError when a stored number field is not a number; 2 never fails.
    QString m_sGetKoordinaten(int notation) const;

    QString sAktKoord = QStringLiteral("N 0°  E 0°"); // set once, used by nothing
    QString sLatitude = QStringLiteral("N");
    QString sLongitude = QStringLiteral("E");
    QString sGradLat = QStringLiteral("0");
    QString sMinuteLat = QStringLiteral("0");
    QString sSekundeLat = QStringLiteral("0,00");
    QString sGradLon = QStringLiteral("0");
    QString sMinuteLon = QStringLiteral("0");
    QString sSekundeLon = QStringLiteral("0,00");

private:
    int ParseKoordinaten(const QString &text);
    void readDecimalDegrees(const QString &token, QString &grad, QString &minute, QString &sekunde);
    void readDecimalMinutes(const QString &token, QString &grad, QString &minute, QString &sekunde);
};

namespace Koordinaten {

// Rounds to two decimals, ties to the even neighbour, in extended precision.
long double roundSeconds(long double seconds);

} // namespace Koordinaten
