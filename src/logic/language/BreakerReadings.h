#pragma once

// How the code breaker's search calls the breakers of Breakers.h: which of them a text can be
// (Playfair needs an even number of letters and no pair of two equal ones, a transposition
// keeps the language's letter frequencies, ...), and each found key as a reading of the
// registry's procedure, decoded by the registry itself.

#include "CodeBreaker.h"
#include "KeySearch.h"

struct BrokenReading
{
    QString method;
    Ciphers::ParamValues params;
    QString key;
    QString plain;
    double information = 0; // log10 of the number of keys the search chose among
};

struct BreakerContext
{
    const BreakerRequest &request;
    const QByteArray &cipher; // the text's letters 0..25, as many as the searches look at
    bool letterCipher = false; // enough letters of enough kinds, mostly letters
    Language language = Language::German;
    StopCheck stop;
    std::function<bool(double information)> supports; // the text can carry a key of this size
    std::function<void()> stepDone; // after each breaker
    // The text is long enough that a key of this size which makes it read is the key.
    std::function<bool(double information)> confirms;
    // Set once a Playfair square read as one language with a text long enough to confirm it: the
    // search under the next language is left out (none: every language searches).
    bool *playfairRead = nullptr;
};

// Steps reported through stepDone per language.
constexpr int kBreakerSteps = 5;

std::vector<BrokenReading> keylessBreakerReadings(const BreakerContext &context);

// The ADFGX/ADFGVX readings when the user gave one of the two keys (in AdfgxBreaker.cpp).
std::vector<BrokenReading> adfgxReadings(const BreakerContext &context);

// The widest column transposition searched.
constexpr int kMaxColumns = 12;
