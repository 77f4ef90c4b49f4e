#pragma once

// The statistics a cipher text shows without being deciphered, the raw material of the cipher
// identification: which symbols it uses, how often its letters coincide, whether its letter
// frequencies are those of a language as they stand or only once sorted, which key length its
// columns and its repeats point to, and the marks of a Playfair square.

#include "LanguageModel.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace TextStatistics {

using Counts = std::array<int, 26>;

Counts letterCounts(const QByteArray &letters);

// The probability that two letters drawn from the text are the same (the index of
// coincidence); 0 for fewer than two letters.
double coincidence(const QByteArray &letters);

// The same for the language, from the model's single-letter table, and for random letters.
double languageCoincidence(Language language);
constexpr double kRandomCoincidence = 1.0 / 26.0;

// How far the letter frequencies lie from the language's (the mean squared difference of the
// shares, in per mille squared): as they stand, and once both are sorted by falling share, which
// a monoalphabetic substitution keeps but a transposition and plain text keep too.
double frequencyDistance(const Counts &counts, Language language);
double sortedFrequencyDistance(const Counts &counts, Language language);

// The shift s for which the text's letters, moved back by s, fit the language best (Caesar), the
// log-likelihood per letter of that fit, and the same for Atbash (reflected alphabet).
struct AlphabetFit
{
    int shift = 0;
    double perLetter = 0;
};
AlphabetFit bestShift(const Counts &counts, Language language);
double reflectedFit(const Counts &counts, Language language);
double unshiftedFit(const Counts &counts, Language language);

// Mean index of coincidence of the columns when the letters are dealt into `period` columns.
double columnCoincidence(const QByteArray &letters, int period);

// How far chance alone carries the mean column coincidence of `count` random letters dealt into
// `period` columns away from kRandomCoincidence (one standard deviation): each of the m(m-1)/2
// pairs of a column of m letters coincides with probability 1/26, independently of the others,
// so short columns stray far. 0 when no column holds two letters.
double columnCoincidenceSpread(qsizetype count, int period);

// Chance seldom carries random letters this many spreads above kRandomCoincidence.
constexpr double kChanceSpreads = 3.0;

// The shortest key length from 2 to maxPeriod whose columns coincide at least `share` of the way
// from random letters to the language and more than kChanceSpreads spreads above random letters
// (which a long key in a short text seldom does); 0 when none does.
int columnPeriod(const QByteArray &letters, int maxPeriod, double languageIc, double share);

// Friedman's estimate of the key length from the index of coincidence.
double friedmanEstimate(const QByteArray &letters, double languageIc);

// Kasiski: the key length from 2 to maxPeriod that divides most distances between repeats of
// three letters, with the number of repeats it divides; {0, 0} without repeats.
struct KasiskiResult
{
    int period = 0;
    int repeats = 0;
    int allRepeats = 0;
};
KasiskiResult kasiski(const QByteArray &letters, int maxPeriod);

// How many of the letter pairs at even positions (1st+2nd, 3rd+4th, ...) hold the same letter
// twice: Playfair never writes one.
int doubledPairs(const QByteArray &letters);

// How many pairs at even positions and at odd positions repeat an earlier pair of the same
// alignment: a cipher that works on pairs repeats the even-aligned pairs of its plain text.
struct PairRepeats
{
    int even = 0;
    int odd = 0;
};
PairRepeats pairRepeats(const QByteArray &letters);

} // namespace TextStatistics
