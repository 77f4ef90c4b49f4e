#pragma once

#include <QString>

// Exact value of a numeral of base 2 to 10 or 16 as decimal text, for numerals of any length.
namespace PositionalNumerals {

// Value of one character as a digit, or -1 when the character is none.
using DigitValue = int (*)(QChar c);

// Walks the text from the left, each character weighing its digit value times base^place.
// A character whose digit value is -1 fails with the integer conversion error naming it.
// Digit values may exceed base - 1 (an octal "9" weighs 9). The empty text gives "0".
QString toDecimal(const QString &text, int base, DigitValue digitValue);

} // namespace PositionalNumerals
