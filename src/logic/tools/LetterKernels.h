#pragma once

// The inner loops of the ciphers that swap one character for another and keep everything else in
// place: a fixed table of the ASCII range, a periodic key over the letters A-Z/a-z, and the
// autokey. Code units from 128 up (umlauts, "ß", surrogate halves) and every character outside
// the rule pass unchanged. Each loop has a portable form and, where the processor has AVX-512
// (BW, VBMI, VBMI2), a vector form that gives the same result 32 code units at a time.

#include <QString>

#include <array>
#include <vector>

namespace LetterKernels {

// Which form runs: the fastest the processor allows, or the portable one (tests compare both).
enum class Kernel { Fastest, Portable };

// Code unit c < 128 becomes table[c]; every entry must itself be below 128.
using AsciiTable = std::array<char16_t, 128>;
QString substitute(const QString &text, const AsciiTable &table, Kernel kernel = Kernel::Fastest);

// Letter number n of the text (counting letters only, from 0) with alphabet index p (A = 0)
// becomes (factor * p + keys[n % keys.size()]) mod 26, in its own case or in upper case when
// `upperCase`. factor 1..25, keys 0..25 and not empty.
struct PeriodicShift
{
    int factor = 1;
    std::vector<int> keys;
    bool upperCase = false;
};
QString shiftLetters(const QString &text, const PeriodicShift &shift,
                     Kernel kernel = Kernel::Fastest);

// Vigenère whose key runs on with the plain text's letters after the keyword (indices 0..25, not
// empty): encoding adds the key letter, decoding subtracts it. The case is kept.
QString autokey(const QString &text, const std::vector<int> &keyword, bool decode,
                Kernel kernel = Kernel::Fastest);

} // namespace LetterKernels
