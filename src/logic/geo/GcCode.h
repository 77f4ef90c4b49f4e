#pragma once

#include <QString>

// Geocaching.com codes and the numbers behind them. GC1 to GCFFFF are hexadecimal (1 to
// 65535); from GCG000 on the digits are base 31 over "0123456789ABCDEFGHJKMNPQRTVWXYZ" (no I,
// L, O, S, U, which are too easily misread) with 411120 taken off, so GCG000 is 65536.
// Invalid input throws QuarvelError with a German message naming what is wrong.
namespace Geo {

// Up to seven characters after "GC": today's codes have five or six, and the number of a
// seven-character code still fits comfortably in 64 bits.
inline constexpr int kGcMaxDigits = 7;

qint64 gcCodeToNumber(const QString &code);
QString gcNumberToCode(qint64 number);
// The largest number a code of kGcMaxDigits characters can hold.
qint64 gcLargestNumber();

// A code or a number as the user types it: "GC" before the digits makes it a code, digits
// alone a number. Blanks anywhere are ignored, case does not matter.
struct GcCodePair
{
    QString code;
    qint64 number = 0;
};
GcCodePair readGcCode(const QString &text);

} // namespace Geo
