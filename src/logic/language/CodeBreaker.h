#pragma once

// The code breaker: from a cipher text of unknown method to its readable plain texts, ranked.
//
// Request → quickCandidates(): the text itself, every keyless decoding of the cipher registry
// (with the parameter sets a cacher meets: ROT 1–25, the 312 affine keys, 2–10 rails, ...) and,
// with a key, every keyed cipher → searchCandidates(): the Vigenère family and the
// monoalphabetic substitution broken without key → rankCandidates(): one list, best first, each
// reading once. Every candidate is scored by LanguageModel under the chosen language, or under
// German and English with the better one when none is chosen.

#include "Candidate.h"

#include <QStringList>

#include <functional>
#include <optional>

struct BreakerRequest
{
    QString text;
    QString key; // empty: no keyed ciphers
    QString transposition; // ADFGX/ADFGVX: the transposition word when the square is unknown
    std::optional<Language> language; // empty: German and English
    QStringList only; // method names to keep; empty: all
    QString crib; // a word the plain text holds; readings with it rank higher
    bool chains = false; // also two keyless steps in a row (Chains.h)
};

// Longest text the code breaker takes: a puzzle text is far shorter, and every candidate holds
// a copy, so an endless paste must not multiply into gigabytes.
constexpr qsizetype kMaxBreakerText = 20000;

// The searches without key start at this many letters A-Z: shorter texts carry too little for a
// search to mean anything.
constexpr qsizetype kMinSearchLetters = 16;
// Prose of kMinSearchLetters letters uses more different letters than this, and so does every
// periodic or substituted cipher text of it. A text of fewer (Bacon in A and B, Kenny in m, p and
// f) is a code of few symbols that a key could only rename into words: it is not searched.
constexpr int kMinCipherLetterKinds = 6;
// The longest key the periodic searches try on any text.
constexpr int kMaxSearchedPeriod = 20;
// The longest key the periodic searches try on a text of this many letters: a longer key could
// make a wrong reading fit as well as the right one (3 unicity distances of letters per key).
int longestSearchedPeriod(qsizetype letters);

// Every method name a candidate can carry, for "--nur" and for the window's list.
QStringList breakerMethods();

// Throws QuarvelError for a text longer than kMaxBreakerText or an unknown name in `only`.
void checkRequest(const BreakerRequest &request);

// The text itself, the keyless and the keyed decodings, scored, not yet ranked. Fast: linear in
// the text for a fixed number of decodings.
std::vector<Candidate> quickCandidates(const BreakerRequest &request);

// Told how far the search has come (0..100); returns false to stop it.
using BreakerProgress = std::function<bool(int percent)>;

// The searches without key. Stops early, with what it has, when progress returns false.
std::vector<Candidate> searchCandidates(const BreakerRequest &request,
                                        const BreakerProgress &progress = {});

// Everything, ranked.
std::vector<Candidate> breakText(const BreakerRequest &request,
                                 const BreakerProgress &progress = {});
