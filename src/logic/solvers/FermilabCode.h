#pragma once

#include <QString>

// The ternary letter code: every letter is its position in the alphabet written in base 3 with
// three digits (A = "001", Z = "222"), a blank is "000".
//
// Decoding replaces every occurrence of "000", then of "001", and so on up to "222", each over
// the whole text from left to right. The text is not cut into groups of three first, so
// separators between the groups stay in the output, and unseparated groups decode only where
// no earlier pattern spans a group boundary ("100000" gives "1 00"). Replacements yield only
// blanks and capital letters, which no later pattern contains.
QString FermilabDecode(const QString &text);
