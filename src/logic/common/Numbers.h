#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The program's number conventions, written once: how a text becomes an integer or a decimal
// number, and how numbers are written back (decimal comma, general format, "0.000", grouping).
namespace Numbers {

// Leading blanks, optional sign, decimal digits or a hexadecimal form introduced by "$", "x",
// "X", "0x" or "0X" (at most 32 bits, taken as a 32-bit pattern), nothing after the digits,
// and a decimal value within the signed 32-bit range.
std::optional<int32_t> tryStrToInt(const QString &text);

// As tryStrToInt; fails with "''<text>'' ist kein gültiger Integer-Wert".
int32_t strToInt(const QString &text);

bool isInteger(const QString &text);

// The value of a hexadecimal digit "0".."9", "a".."f", "A".."F"; -1 for any other character.
int hexDigitValue(QChar c);

// The integer conversion error for a text (also used by callers that convert single characters).
[[noreturn]] void throwNotAnInteger(const QString &text);

// Leading and trailing blanks, optional sign, digits with at most one ",", optional exponent;
// no thousands separators.
std::optional<long double> tryStrToFloat(const QString &text);

// A decimal number typed into a field that also takes the decimal point, read the way the
// program writes numbers: points between groups of three digits are German grouping, as
// formatGrouped writes it ("1.450" is 1450, "1.450,5" is 1450,5); any other single point is a
// decimal point ("1.5" and "0.500" are 1,5 and 0,5). A point beside a comma that is no such
// grouping ("1,5.3") is refused.
std::optional<long double> tryStrToFloatTyped(const QString &text);

// As tryStrToFloat; fails with "'<text>' ist kein gültiger Gleitkommawert".
long double strToFloat(const QString &text);

// General format: 15 significant digits, trailing zeros dropped, fixed notation from 0.0001 to
// below 10^15, else the exponent form ("1,5E-5", "1E15"); decimal comma, no grouping.
QString floatToStr(long double value);

// The pattern "0.000": exactly three decimals, halves away from zero, decimal comma.
QString formatFloat000(long double value);

// The pattern "0.00": exactly two decimals, halves away from zero, decimal comma.
QString formatFloat00(long double value);

// "%.0n": the value rounded to a whole number with German grouping ("65.536").
QString formatGrouped(long double value);

} // namespace Numbers
