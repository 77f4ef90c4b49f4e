#pragma once

// Whether a reading reads at all: the lowest score held-out plain text of the same language and
// length reaches in all but about one case in a hundred. A ranked list whose first candidate
// stays below it holds no reading, only the least bad salad, and the window and the command line
// say so instead of naming a winner.

#include "Candidate.h"

#include <vector>

// The score below which a text of `letters` letters A-Z (umlauts spelled out) does not read as
// `language`. Short texts score more unevenly, so their line lies lower.
double readableThreshold(Language language, qsizetype letters);

// Whether the candidate's plain text reads in its language.
bool readsAsText(const Candidate &candidate);

// Whether the first of a ranked list reads (false for an empty list).
bool firstReads(const std::vector<Candidate> &ranked);

// "Kein Kandidat ergibt lesbaren Text", said where nothing reads.
QString noReadingText();
