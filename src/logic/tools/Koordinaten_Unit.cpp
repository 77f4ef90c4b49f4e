#include "logic/tools/Koordinaten_Unit.h"

#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"

#include <QStringList>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

bool isBlankOrControl(QChar c)
{
    return c.unicode() <= u' ';
}

QString trimmed(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankOrControl(text.at(begin)))
        ++begin;
    while (end > begin && isBlankOrControl(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

// Cuts a trimmed input into tokens: blanks separate (several count as one), "." becomes ",",
// "°", "'" and '"' are dropped, everything else is kept. The last token is stored even when it
// is empty, so a text of blanks only gives one empty token.
QStringList tokens(const QString &text)
{
    QStringList result;
    QString current;
    for (const QChar c : text) {
        if (c == u' ') {
            if (!current.isEmpty()) {
                result.append(current);
                current.clear();
            }
        } else if (c == u'.') {
            current += u',';
        } else if (c != u'°' && c != u'\'' && c != u'"') {
            current += c;
        }
    }
    result.append(current);
    return result;
}

// Degrees and minutes are whole 32-bit numbers; a typed value beyond that range is refused
// rather than wrapped into a different position.
int32_t truncated(long double value, const QString &token)
{
    const long double whole = std::trunc(value);
    if (whole < static_cast<long double>(std::numeric_limits<int32_t>::min()) ||
        whole > static_cast<long double>(std::numeric_limits<int32_t>::max()))
        throw QuarvelError(QStringLiteral("'%1' liegt außerhalb des Bereichs für Grad und "
                                          "Minuten (-2147483648 bis 2147483647)")
                               .arg(token));
    return static_cast<int32_t>(whole);
}

QString secondsText(long double seconds)
{
    return Numbers::floatToStr(seconds);
}

// A decimal value just below a whole minute (54,65° is 54,6499... in binary) rounds to 60
// seconds; a position is never written with 60 seconds or 60 minutes, so the full unit is
// carried into the next one, keeping the sign.
void carrySixty(long double &lower, int32_t &upper)
{
    if (std::fabs(lower) >= 60.0L && upper != std::numeric_limits<int32_t>::max() &&
        upper != std::numeric_limits<int32_t>::min()) {
        const int step = lower < 0 ? -1 : 1;
        lower -= 60.0L * step;
        upper += step;
    }
}

// The typed degrees moved by one whole degree, as a decimal number in the general format with
// its whole part padded to the number of digits the user typed.
QString degreesMovedBy(const QString &grad, int step)
{
    const long double degrees = Numbers::strToFloat(grad) + step;
    qsizetype typedDigits = 0;
    for (const QChar c : grad) {
        if (c == u',' || c == u'e' || c == u'E')
            break;
        if (c >= u'0' && c <= u'9')
            ++typedDigits;
    }
    QString text = Numbers::floatToStr(degrees);
    const bool negative = text.startsWith(u'-');
    const qsizetype signLength = negative ? 1 : 0;
    qsizetype wholeDigits = text.indexOf(u',');
    wholeDigits = (wholeDigits < 0 ? text.size() : wholeDigits) - signLength;
    if (!text.contains(u'E') && wholeDigits < typedDigits)
        text.insert(signLength, QString(typedDigits - wholeDigits, u'0'));
    return text;
}

// Degrees plus minutes as one decimal number of minutes, written "0.000".
QString decimalMinutes(const QString &minute, const QString &sekunde)
{
    const long double seconds = Numbers::strToFloat(sekunde);
    const long double minutes = Numbers::strToFloat(minute);
    return Numbers::formatFloat000(seconds / 60 + minutes);
}

QString decimalDegrees(const QString &grad, const QString &minute, const QString &sekunde)
{
    // One conversion per statement: the order of operands is not fixed, the order of errors is.
    const long double degrees = Numbers::strToFloat(grad);
    const long double minutes = Numbers::strToFloat(minute);
    const long double seconds = Numbers::strToFloat(sekunde);
    return Numbers::floatToStr((degrees + minutes / 60) + seconds / 3600);
}

} // namespace

namespace Koordinaten {

long double roundSeconds(long double seconds)
{
    // The fraction of a binary floating-point number is exact, so the tie test is exact too.
    const long double scaled = seconds * 100.0L;
    const long double below = std::floor(scaled);
    const long double fraction = scaled - below;
    long double nearest = below;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(below, 2.0L) != 0.0L))
        nearest = below + 1.0L;
    return nearest * 0.01L;
}

} // namespace Koordinaten

int TKoordinaten::m_sSetKoordinaten(const QString &text)
{
    if (text.isEmpty())
        return 0;
    return ParseKoordinaten(text);
}

int TKoordinaten::ParseKoordinaten(const QString &text)
{
    const QStringList t = tokens(trimmed(text));
    switch (t.size()) {
    case 4:
        sLatitude = t[0];
        sLongitude = t[2];
        readDecimalDegrees(t[1], sGradLat, sMinuteLat, sSekundeLat);
        readDecimalDegrees(t[3], sGradLon, sMinuteLon, sSekundeLon);
        return 1;
    case 6:
        sLatitude = t[0];
        sGradLat = t[1];
        sLongitude = t[3];
        sGradLon = t[4];
        readDecimalMinutes(t[2], sGradLat, sMinuteLat, sSekundeLat);
        readDecimalMinutes(t[5], sGradLon, sMinuteLon, sSekundeLon);
        return 1;
    case 8:
        sLatitude = t[0];
        sGradLat = t[1];
        sMinuteLat = t[2];
        sSekundeLat = t[3];
        sLongitude = t[4];
        sGradLon = t[5];
        sMinuteLon = t[6];
        sSekundeLon = t[7];
        return 1;
    default:
        return 0;
    }
}

// Every field of the component is computed before the first is written, so a failure leaves
// the whole component as it was.
void TKoordinaten::readDecimalDegrees(const QString &token, QString &grad, QString &minute,
                                      QString &sekunde)
{
    long double x = Numbers::strToFloat(token);
    const int32_t g = truncated(x, token);
    x = (x - g) * 60;
    int32_t m = truncated(x, token);
    long double seconds = Koordinaten::roundSeconds((x - m) * 60);
    int32_t degrees = g;
    carrySixty(seconds, m);
    long double minutes = m;
    carrySixty(minutes, degrees);
    grad = QString::number(degrees);
    minute = QString::number(int32_t(minutes));
    sekunde = secondsText(seconds);
}

// The degrees of a six-token input are the user's own text. Only when the carry of the seconds
// fills the minutes to a full 60 are they read as a number and moved by one, keeping as many
// digits as were typed ("013" becomes "014"), so the position is never written with 60 minutes.
void TKoordinaten::readDecimalMinutes(const QString &token, QString &grad, QString &minute,
                                      QString &sekunde)
{
    const long double x = Numbers::strToFloat(token);
    int32_t m = truncated(x, token);
    long double seconds = Koordinaten::roundSeconds((x - m) * 60);
    const int32_t typedMinutes = m;
    carrySixty(seconds, m);
    QString degrees = grad;
    // Minutes the user typed beyond 59 stay as typed; only the carry is passed on.
    if (m != typedMinutes && (m == 60 || m == -60)) {
        degrees = degreesMovedBy(grad, m / 60);
        m = 0;
    }
    grad = degrees;
    minute = QString::number(m);
    sekunde = secondsText(seconds);
}

QString TKoordinaten::m_sGetKoordinaten(int notation) const
{
    const QString blank = QStringLiteral(" ");
    // The latitude is converted first, so an error names its field before the longitude's.
    switch (notation) {
    case 0: {
        const QString lat = decimalDegrees(sGradLat, sMinuteLat, sSekundeLat);
        const QString lon = decimalDegrees(sGradLon, sMinuteLon, sSekundeLon);
        return sLatitude + blank + lat + blank + sLongitude + blank + lon;
    }
    case 1: {
        const QString lat = decimalMinutes(sMinuteLat, sSekundeLat);
        const QString lon = decimalMinutes(sMinuteLon, sSekundeLon);
        return sLatitude + blank + sGradLat + QStringLiteral("° ") + lat + QStringLiteral("' ") +
            sLongitude + blank + sGradLon + QStringLiteral("° ") + lon + QStringLiteral("'");
    }
    case 2:
        return sLatitude + blank + sGradLat + QStringLiteral("° ") + sMinuteLat +
            QStringLiteral("' ") + sSekundeLat + QStringLiteral("\" ") + sLongitude + blank +
            sGradLon + QStringLiteral("° ") + sMinuteLon + QStringLiteral("' ") + sSekundeLon +
            QStringLiteral("\" ");
    default:
        return QString();
    }
}
