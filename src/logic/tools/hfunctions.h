#pragma once

#include <QString>

#include <cstdint>

// Small pure functions on numbers and texts used by the number and text tools: numerals of other
// bases to decimal text, the digit sum, character classes for key filters, character and word
// counts, Roman numerals and the metre/feet/inch conversion. A character is one UTF-16 code unit.
namespace hfunctions {

// Binary text as a 32-bit pattern: every "1" sets the bit of its distance from the right end,
// every other character contributes nothing; bits beyond the 32nd are dropped.
int32_t Bin2Int(const QString &text);

// Binary, hexadecimal and octal numerals as exact decimal text, whatever their length, so the
// digit sum of a long numeral is the digit sum of its true value. The empty text gives "0".
// Bin2Dez reads only the "1" characters (anything else counts as "0"); Hex2Dez fails on a
// character that is no hexadecimal digit and Okt2Dez on one that is no decimal digit ("8" and
// "9" weigh 8 and 9), both with the integer conversion error naming that character.
QString Bin2Dez(const QString &text);
QString Hex2Dez(const QString &text);
QString Okt2Dez(const QString &text);

// base^exponent in 64-bit arithmetic (wrapping on overflow); exponent 0 gives 1.
int64_t IntPow(int64_t base, int exponent);

// The decimal digits of the text in their order.
QString OnlyDigits(const QString &text);

// Sum of the digits of a text of decimal digits as decimal text; the empty text gives "0".
// Any other character fails with the integer conversion error naming that character.
QString Quersumme(const QString &text);

// Characters other than the blank (tabs and other control characters count).
int32_t CountNonBlank(const QString &text);

// Maximal runs of word characters between separators.
int32_t CountWords(const QString &text);

// Code units 0..32 and ( ) , . / : ; ?
bool IsWordSeparator(QChar c);

bool IsDigit(QChar c);
bool IsHexDigit(QChar c);
bool IsBinDigit(QChar c);
bool IsOctDigit(QChar c);

// True when the whole text is an integer of the program's integer syntax; never fails.
bool IsInteger(const QString &text);

// Roman numeral of n with as many "M" as the thousands need; 0 and negative give "".
QString Dez2Roem(int32_t n);

// Value of a Roman numeral: each symbol (pairs before their single letters, CM before M ...)
// is taken out of the text as often as it occurs, also where taking one out joins a new one;
// what belongs to no symbol is ignored. The total is 64-bit so that no text can wrap it.
int64_t Roem2Dez(const QString &text);

// Takes every occurrence of `symbol` out of `text`, adding `value` to `total` for each.
void TakeRoman(QString &text, int64_t &total, const QString &symbol, int32_t value);

struct FeetInch
{
    long double wholeFeet = 0; // feet truncated toward zero
    long double remainingInches = 0; // inches beyond the whole feet, with the sign of the length
    long double feet = 0; // the length in feet
    long double inches = 0; // the length in inches
};

FeetInch Meter2FeetInch(long double metres);

// Metres of a length in feet and inches; zero and negative parts contribute nothing.
long double FeetInch2Meter(long double feet, long double inches);

} // namespace hfunctions
