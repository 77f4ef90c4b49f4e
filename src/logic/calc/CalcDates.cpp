#include "logic/calc/CalcDates.h"

#include "logic/calc/BigNumbers.h"
#include "logic/calc/CalcTool.h"
#include "logic/common/QuarvelError.h"

#include <QCalendar>
#include <QDate>
#include <QRegularExpression>

#include <array>

namespace Calc {
namespace {

// Julian Day Numbers of 1 January 1970 and of 30 December 1899, the day before Excel's day 1
// counted back without its invented 29 February 1900.
constexpr qint64 kUnixEpochDay = 2440588;
constexpr qint64 kExcelBaseDay = 2415019;
constexpr qint64 kExcelFirstTrueSerial = 61; // 1 March 1900: from here Excel's count is right
constexpr qint64 kDaySeconds = 86400;

QCalendar calendarOf(Calendar calendar)
{
    return QCalendar(calendar == Calendar::Julian ? QCalendar::System::Julian
                                                  : QCalendar::System::Gregorian);
}

Calendar chosenCalendar(const Values &values)
{
    return values.value(QStringLiteral("kalender")) == u"julianisch" ? Calendar::Julian
                                                                     : Calendar::Gregorian;
}

QString weekdayName(qint64 day)
{
    static const std::array<const char16_t *, 7> names = {
        u"Montag", u"Dienstag", u"Mittwoch", u"Donnerstag", u"Freitag", u"Samstag", u"Sonntag"};
    return QString::fromUtf16(names[std::size_t(day % 7)]); // JDN 0 was a Monday
}

QString twoDigits(int value)
{
    return QString::number(value).rightJustified(2, u'0');
}

QString clockText(int seconds)
{
    return twoDigits(seconds / 3600) + u':' + twoDigits(seconds / 60 % 60) + u':' +
        twoDigits(seconds % 60);
}

Moment momentFromSeconds(qint64 total)
{
    // Floor division, so a negative count lands on the day before with a time after midnight.
    qint64 day = total / kDaySeconds;
    qint64 rest = total % kDaySeconds;
    if (rest < 0) {
        rest += kDaySeconds;
        --day;
    }
    return Moment {day, int(rest), true};
}

qint64 secondsOf(const Moment &moment)
{
    return moment.day * kDaySeconds + moment.seconds;
}

// Days far outside the years 1 to 9999 of both calendars, refused before QDate converts them.
constexpr qint64 kBeforeAnyDay = 1721000;
constexpr qint64 kAfterEveryDay = 5400000;

Outcome infoTool(const Values &values)
{
    const Calendar calendar = chosenCalendar(values);
    const Moment moment =
        readDateTime(values.value(QStringLiteral("datum")), calendar, QStringLiteral("Datum"));
    const QCalendar cal = calendarOf(calendar);
    const QDate date = QDate::fromJulianDay(moment.day);
    const int dayOfYear = date.dayOfYear(cal);
    int isoYear = 0;
    const int isoWeek = date.weekNumber(&isoYear);
    // Week 1 holds 1 January; weeks begin on Sunday.
    const qint64 firstOfYear = moment.day - dayOfYear + 1;
    const int sundayBased = int((firstOfYear + 1) % 7); // 0 = Sunday
    const int usWeek = (dayOfYear - 1 + sundayBased) / 7 + 1;
    const qint64 unix = (moment.day - kUnixEpochDay) * kDaySeconds + moment.seconds;
    const qint64 serial = moment.day - kExcelBaseDay;
    Outcome out;
    out.insert(QStringLiteral("datum"), {asText(), formatMoment(moment, calendar, false)});
    out.insert(QStringLiteral("wochentag"), {asText(), weekdayName(moment.day)});
    out.insert(QStringLiteral("tag_im_jahr"), {dayOfYear, QString::number(dayOfYear)});
    out.insert(QStringLiteral("iso_woche"), {isoWeek, QString::number(isoWeek)});
    out.insert(QStringLiteral("iso_jahr"), {isoYear, QString::number(isoYear)});
    out.insert(QStringLiteral("us_woche"), {usWeek, QString::number(usWeek)});
    out.insert(QStringLiteral("jd"), {moment.day, QString::number(moment.day)});
    out.insert(QStringLiteral("unix"), {unix, QString::number(unix)});
    out.insert(QStringLiteral("excel"),
               serial >= kExcelFirstTrueSerial
                   ? ResultValue {serial, QString::number(serial)}
                   : ResultValue {QJsonValue(), QStringLiteral("– (vor dem 01.03.1900)")});
    out.insert(QStringLiteral("julianisch"),
               {asText(), formatMoment(moment, Calendar::Julian, false)});
    out.insert(QStringLiteral("gregorianisch"),
               {asText(), formatMoment(moment, Calendar::Gregorian, false)});
    return out;
}

Outcome distanceTool(const Values &values)
{
    const Calendar calendar = chosenCalendar(values);
    const Moment a = readDateTime(values.value(QStringLiteral("a")), calendar, QStringLiteral("A"));
    const Moment b = readDateTime(values.value(QStringLiteral("b")), calendar, QStringLiteral("B"));
    const qint64 seconds = secondsOf(b) - secondsOf(a);
    const qint64 magnitude = qAbs(seconds);
    const qint64 days = seconds / kDaySeconds; // towards zero: whole days between the two
    const QString sign = seconds < 0 ? QStringLiteral("-") : QString();
    const qint64 wholeDays = magnitude / kDaySeconds;
    Outcome out;
    out.insert(QStringLiteral("tage"), {days, QString::number(days)});
    out.insert(QStringLiteral("sekunden"), {seconds, QString::number(seconds)});
    out.insert(
        QStringLiteral("wochen"),
        {asText(),
         sign + QStringLiteral("%1 Wochen und %2 Tage").arg(wholeDays / 7).arg(wholeDays % 7)});
    out.insert(QStringLiteral("dauer"),
               {asText(),
                sign +
                    QStringLiteral("%1 Tage, %2")
                        .arg(wholeDays)
                        .arg(clockText(int(magnitude % kDaySeconds)))});
    return out;
}

Outcome plusTool(const Values &values)
{
    const Calendar calendar = chosenCalendar(values);
    const Moment start =
        readDateTime(values.value(QStringLiteral("datum")), calendar, QStringLiteral("Datum"));
    const qint64 n = toInt64(readInteger(values.value(QStringLiteral("n")), QStringLiteral("N")));
    const bool inSeconds = values.value(QStringLiteral("sekunden")) == u"1";
    Moment end = start;
    if (inSeconds) {
        end = momentFromSeconds(secondsOf(start) + n);
    } else {
        end.day += n;
    }
    return {{QStringLiteral("datum"),
             {asText(), formatMoment(end, calendar, start.hasTime || inSeconds)}}};
}

Outcome unixTool(const Values &values)
{
    const qint64 n = toInt64(readInteger(values.value(QStringLiteral("n")), QStringLiteral("N")));
    const Moment moment = momentFromSeconds(n + kUnixEpochDay * kDaySeconds);
    return {{QStringLiteral("datum"), {asText(), formatMoment(moment, Calendar::Gregorian, true)}}};
}

Outcome excelTool(const Values &values)
{
    QString text = values.value(QStringLiteral("n")).trimmed();
    text.replace(u',', u'.');
    static const QRegularExpression number(QStringLiteral("^\\d{1,7}(\\.\\d{1,9})?$"));
    if (!number.match(text).hasMatch())
        throw QuarvelError(QStringLiteral("N: „%1“ ist keine Excel-Zahl (z. B. 46366 oder "
                                          "46366,5)")
                               .arg(values.value(QStringLiteral("n"))));
    const qsizetype point = text.indexOf(u'.');
    const qint64 serial = text.left(point < 0 ? text.size() : point).toLongLong();
    const double fraction = point < 0 ? 0.0 : text.mid(point).toDouble();
    if (serial < 1 || serial > 2958465)
        throw QuarvelError(QStringLiteral("N: Excel zählt die Tage von 1 (01.01.1900) bis "
                                          "2958465 (31.12.9999)"));
    if (serial == 60)
        throw QuarvelError(QStringLiteral("N: Tag 60 ist Excels 29.02.1900, den es nicht gibt"));
    // Before day 60 Excel's count is one ahead of the calendar.
    const qint64 day = kExcelBaseDay + serial + (serial < 60 ? 1 : 0);
    const int seconds = qMin(int(std::llround(fraction * kDaySeconds)), int(kDaySeconds - 1));
    return {{QStringLiteral("datum"),
             {asText(), formatMoment(Moment {day, seconds, true}, Calendar::Gregorian, true)}}};
}

InputDecl dateInput(const char *key, const char *label)
{
    InputDecl decl {QString::fromLatin1(key), QString::fromUtf8(label), InputKind::Date};
    decl.positional = true;
    decl.help = QStringLiteral("2026-12-10 oder 10.12.2026, auf Wunsch mit Uhrzeit 14:30:15");
    return decl;
}

InputDecl calendarInput()
{
    InputDecl decl {QStringLiteral("kalender"), QStringLiteral("Kalender"), InputKind::Choice,
                    QStringLiteral("gregorianisch")};
    decl.choices = {QStringLiteral("gregorianisch"), QStringLiteral("julianisch")};
    decl.help = QStringLiteral("in welchem Kalender Daten gelesen und geschrieben werden");
    return decl;
}

InputDecl integerInput(const char *key, const char *label, const char *minimum, const char *maximum,
                       const char *help)
{
    InputDecl decl {QString::fromLatin1(key), QString::fromUtf8(label), InputKind::Integer};
    decl.minimum = QString::fromLatin1(minimum);
    decl.maximum = QString::fromLatin1(maximum);
    decl.positional = true;
    decl.help = QString::fromUtf8(help);
    return decl;
}

InputDecl excelInput()
{
    InputDecl decl {QStringLiteral("n"), QStringLiteral("Excel-Zahl"), InputKind::Text};
    decl.positional = true;
    decl.help = QStringLiteral("Tage, auf Wunsch mit Bruchteil für die Uhrzeit");
    return decl;
}

} // namespace

Moment readDateTime(const QString &text, Calendar calendar, const QString &label)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^\\s*(?:(\\d{1,4})-(\\d{1,2})-(\\d{1,2})|(\\d{1,2})\\.(\\d{1,2})\\.(\\d{1,4}))"
        "(?:(?:\\s+|T)(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        throw QuarvelError(QStringLiteral("%1: „%2“ ist kein Datum (2026-12-10 oder 10.12.2026, "
                                          "auf Wunsch mit Uhrzeit 14:30)")
                               .arg(label, text));
    const bool iso = match.capturedLength(1) > 0;
    const int year = match.captured(iso ? 1 : 6).toInt();
    const int month = match.captured(iso ? 2 : 5).toInt();
    const int day = match.captured(iso ? 3 : 4).toInt();
    if (year < 1 || year > 9999)
        throw QuarvelError(QStringLiteral("%1: Das Jahr muss von 1 bis 9999 reichen").arg(label));
    const QDate date(year, month, day, calendarOf(calendar));
    if (!date.isValid()) {
        const bool julianOnly = calendar == Calendar::Gregorian &&
            QDate(year, month, day, calendarOf(Calendar::Julian)).isValid();
        throw QuarvelError(
            QStringLiteral("%1: Den %2.%3.%4 gibt es nicht%5")
                .arg(label, twoDigits(day), twoDigits(month))
                .arg(year)
                .arg(julianOnly ? QStringLiteral(" (nur im julianischen Kalender)") : QString()));
    }
    Moment moment {date.toJulianDay(), 0, match.capturedLength(7) > 0};
    if (moment.hasTime) {
        const int hours = match.captured(7).toInt();
        const int minutes = match.captured(8).toInt();
        const int seconds = match.captured(9).toInt();
        if (hours > 23 || minutes > 59 || seconds > 59)
            throw QuarvelError(QStringLiteral("%1: Die Uhrzeit muss von 00:00:00 bis 23:59:59 "
                                              "reichen")
                                   .arg(label));
        moment.seconds = hours * 3600 + minutes * 60 + seconds;
    }
    return moment;
}

QString formatMoment(const Moment &moment, Calendar calendar, bool withTime)
{
    const QCalendar cal = calendarOf(calendar);
    const QDate date = QDate::fromJulianDay(moment.day);
    const int year = moment.day < kBeforeAnyDay || moment.day > kAfterEveryDay ? 0 : date.year(cal);
    if (year < 1 || year > 9999)
        throw QuarvelError(QStringLiteral("Das Ergebnis liegt außerhalb der Jahre 1 bis 9999"));
    QString text = QString::number(year).rightJustified(4, u'0') + u'-' +
        twoDigits(date.month(cal)) + u'-' + twoDigits(date.day(cal));
    if (withTime)
        text += u'T' + clockText(moment.seconds);
    return text;
}

std::vector<Tool> dateTools()
{
    const QString node = QStringLiteral("Datum & Zeit");
    const QString command = QStringLiteral("datum");
    using S = ResultDecl::Show;
    InputDecl seconds {QStringLiteral("sekunden"), QStringLiteral("N sind Sekunden"),
                       InputKind::Switch};
    seconds.help = QStringLiteral("N zählt Sekunden statt Tage");
    return {
        Tool {QStringLiteral("datum-info"),
              QStringLiteral("Wochentag und Kalenderwerte"),
              node,
              command,
              QStringLiteral("info"),
              false,
              QStringLiteral("Wochentag, Tag im Jahr, ISO- und US-Woche, Julianischer Tag, "
                             "Unix-Zeit und Excel-Zahl eines Datums"),
              {dateInput("datum", "Datum"), calendarInput()},
              {{QStringLiteral("datum"), QStringLiteral("Datum")},
               {QStringLiteral("wochentag"), QStringLiteral("Wochentag")},
               {QStringLiteral("tag_im_jahr"), QStringLiteral("Tag im Jahr")},
               {QStringLiteral("iso_woche"), QStringLiteral("ISO-Woche")},
               {QStringLiteral("iso_jahr"), QStringLiteral("ISO-Jahr")},
               {QStringLiteral("us_woche"), QStringLiteral("US-Woche")},
               {QStringLiteral("jd"), QStringLiteral("Julianischer Tag")},
               {QStringLiteral("unix"), QStringLiteral("Unix-Zeit")},
               {QStringLiteral("excel"), QStringLiteral("Excel")},
               {QStringLiteral("julianisch"), QStringLiteral("Julianisch")},
               {QStringLiteral("gregorianisch"), QStringLiteral("Gregorianisch")}},
              infoTool,
              true,
              QStringLiteral("datum info 10.12.2026")},
        Tool {QStringLiteral("datum-abstand"),
              QStringLiteral("Abstand zweier Daten"),
              node,
              command,
              QStringLiteral("abstand"),
              false,
              QStringLiteral("Tage und Sekunden von A bis B, auch als Wochen und Tage"),
              {dateInput("a", "A"), dateInput("b", "B"), calendarInput()},
              {{QStringLiteral("tage"), QStringLiteral("Tage")},
               {QStringLiteral("sekunden"), QStringLiteral("Sekunden")},
               {QStringLiteral("wochen"), QStringLiteral("Wochen"), S::TextOnly},
               {QStringLiteral("dauer"), QStringLiteral("Dauer"), S::TextOnly}},
              distanceTool,
              true,
              QStringLiteral("datum abstand 24.12.2026 2027-01-01")},
        Tool {QStringLiteral("datum-plus"),
              QStringLiteral("Datum plus Tage oder Sekunden"),
              node,
              command,
              QStringLiteral("plus"),
              false,
              QStringLiteral("Zählt Tage (oder Sekunden) zu einem Datum, auch rückwärts"),
              {dateInput("datum", "Datum"),
               integerInput("n", "N", "-10000000000000", "10000000000000",
                            "Tage (mit --sekunden Sekunden), auch negativ"),
               seconds, calendarInput()},
              {{QStringLiteral("datum"), QStringLiteral("Datum")}},
              plusTool,
              true,
              QStringLiteral("datum plus 10.12.2026 100")},
        Tool {QStringLiteral("datum-unix"),
              QStringLiteral("Unix-Zeit in ein Datum"),
              node,
              command,
              QStringLiteral("unix"),
              false,
              QStringLiteral("Sekunden seit dem 01.01.1970 00:00 UTC als Datum und Uhrzeit"),
              {integerInput("n", "Unix-Zeit", "-62135596800", "253402300799",
                            "Sekunden seit 1970-01-01T00:00:00 UTC")},
              {{QStringLiteral("datum"), QStringLiteral("Datum (UTC)")}},
              unixTool,
              true,
              QStringLiteral("datum unix 1796860800")},
        Tool {QStringLiteral("datum-excel"),
              QStringLiteral("Excel-Zahl in ein Datum"),
              node,
              command,
              QStringLiteral("excel"),
              false,
              QStringLiteral("Die Tageszahl einer Tabellenkalkulation (1 = 01.01.1900) als Datum"),
              {excelInput()},
              {{QStringLiteral("datum"), QStringLiteral("Datum")}},
              excelTool,
              true,
              QStringLiteral("datum excel 46366,5")},
    };
}

} // namespace Calc
