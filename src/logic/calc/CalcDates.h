#pragma once

// Dates as the date tools read them. A moment is a Julian Day Number (the day, counted from noon
// of 1 January 4713 BC in the Julian calendar) plus the seconds since midnight, so day counts do
// not depend on the calendar a date is written in. Years 1 to 9999; UTC, no time zones.

#include <QString>

#include <vector>

namespace Calc {

struct Tool;

enum class Calendar { Gregorian, Julian };

struct Moment
{
    qint64 day = 0; // Julian Day Number
    int seconds = 0; // since midnight, 0 to 86399
    bool hasTime = false;
};

// "2026-12-10", "10.12.2026", each optionally followed (after a blank or "T") by "14:30" or
// "14:30:15". Throws QuarvelError naming `label` for a malformed or impossible date.
Moment readDateTime(const QString &text, Calendar calendar, const QString &label);
// "YYYY-MM-DD", with "THH:MM:SS" when `withTime`; throws when the year leaves 1 to 9999.
QString formatMoment(const Moment &moment, Calendar calendar, bool withTime);

std::vector<Tool> dateTools();

} // namespace Calc
