#pragma once

#include "logic/tools/QuersummenKette.h"

#include <QChar>
#include <QString>

#include <functional>

// The characters the tool panels' key filters let the user type into a field. The panels drop
// every other typed character; the command line refuses a text holding one, so both read only
// what a user of the panel can enter.
namespace TypedCharacters {

// The digit-sum field: the digits of the chosen hexadecimal, binary or octal system; in the
// decimal system every character passes (the reading keeps only the digits).
bool digitSumField(QChar c, QuersummenKette::Zahlensystem system);

// The Roman numeral field: a typed "a".."z" becomes upper case first, then only the Roman
// letters C, D, I, L, M, V, X pass, or every letter A..Z when all letters are allowed.
QChar romanFieldTyped(QChar c);
bool romanField(QChar c, bool allLetters);

// The decimal field of the Roman numeral tool: the digits 0..9.
bool decimalField(QChar c);

// The allowed characters in words, for a message: "0–9 und A–F", "C, D, I, L, M, V, X", ...
QString digitSumAllowed(QuersummenKette::Zahlensystem system);
QString romanAllowed(bool allLetters);

// Throws QuarvelError naming the position (from 1) and the first character of `text` that
// `passes` refuses, with `allowed` as the hint.
void requireTypable(const QString &text, const std::function<bool(QChar)> &passes,
                    const QString &allowed);

} // namespace TypedCharacters
