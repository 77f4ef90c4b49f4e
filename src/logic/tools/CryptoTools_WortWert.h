#pragma once

#include <QString>

#include <cstdint>

namespace CryptoTools {

// Sum of the letter values of a text as decimal text: A=1 .. Z=26 (with `inverse` A=26 .. Z=1),
// Ä=27, Ö=28, Ü=29, ß=30 either way, a digit its own value when `withDigits` is set, anything
// else 0. Each character is upper-cased on its own, so case does not matter and "ß" stays "ß".
QString BuchstabenWortWert(const QString &text, bool inverse, bool withDigits);

// The value of one character under the same rules.
int32_t letterValue(QChar c, bool inverse, bool withDigits);

} // namespace CryptoTools
