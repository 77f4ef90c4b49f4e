#pragma once

// The plain texts of mystery caches are often no prose: a coordinate in digits ("N 50° 12.345
// E 008° 54.321"), the same in words ("NORD FUENFZIG GRAD ZWOELF PUNKT ..."), or a row of number
// words. The quadgram model scores them below ordinary sentences, sometimes below letter salad,
// so a reading that holds one counts as prose. And a word the user knows is in the plain text
// (a crib) puts the readings that hold it first.

#include "Candidate.h"

// A coordinate in digits: a hemisphere letter, degrees and minutes with decimals.
bool holdsCoordinate(const QString &plain);

// Share of the letters (A-Z, umlauts spelled out) that belong to number words, directions and
// the words of a coordinate ("GRAD", "PUNKT", "NORD", "NORTH", ...), German and English.
double numberWordShare(const QString &plain);

// A coordinate in digits, or at least kNumberWordLetters letters of which kNumberWordShare are
// number words.
constexpr int kNumberWordLetters = 10;
constexpr double kNumberWordShare = 0.8;
// Longer texts are not searched for number words: a coordinate in words is far shorter, and
// every reading of the code breaker passes here.
constexpr qsizetype kMaxNumberWordLetters = 400;
bool isGeocachingText(const QString &plain);

// The score such a text gets at the least: that of ordinary prose.
constexpr double kGeocachingScore = -3.5;

// Whether the plain text holds the crib, letters compared without case, blanks and umlauts
// ("Eiche" is found in "DERSCHATZLIEGTUNTERDEREICHE"); false for a crib without letters.
bool holdsCrib(const QString &plain, const QString &crib);

// Marks the candidates that hold the crib (none for an empty crib).
void markCrib(std::vector<Candidate> &candidates, const QString &crib);
