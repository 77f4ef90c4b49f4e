#pragma once

// What a cipher text probably is, from its statistics alone, each guess with reasons a user can
// check by eye: the symbols it uses, its length, how often its letters coincide compared with
// German, English and random letters, whether its letter frequencies are a language's as they
// stand, the key length its columns and repeats point to, and the marks of a Playfair square.
//
// Text → the symbols decide the codes (Morse, Bacon, Polybius, Base64, ADFGX, ...) → a text of
// letters is weighed by its statistics (transposition, monoalphabetic, polyalphabetic,
// digraphic, fractionating) → a reading the code breaker found that reads outweighs everything →
// the weights, scaled to add up to 1, most likely first.

#include "Candidate.h"

#include <QString>
#include <QStringList>

#include <vector>

struct CipherGuess
{
    QString family; // transposition, monoalphabetisch, polyalphabetisch, digraphisch,
                    // fraktionierend, kodierung
    QString method; // a command-line name of the cipher registry; empty where the family is
                    // likely but no single procedure of it stands out
    double likelihood = 0; // 0..1; the guesses of one text add up to at most 1
    QStringList reasons; // German, one sentence each
};

// The family of a registry procedure (or of the code breaker's "substitution"); empty for the
// text itself and for names the identification does not know.
QString cipherFamily(const QString &method);

// The guesses, most likely first, at most kMaxGuesses. `ranked` is the code breaker's list for
// the same text, best first: when its first reading reads, that procedure leads; when the text
// itself reads, there is nothing to identify and the list is empty. Keyless procedures the code
// breaker tried without a readable result count for less.
constexpr int kMaxGuesses = 6;
std::vector<CipherGuess> identifyCipher(const QString &text,
                                        const std::vector<Candidate> &ranked = {});
