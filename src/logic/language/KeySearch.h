#pragma once

// The searches that find a key without knowing it, on the letters A-Z of a text as indices
// 0..25 (umlauts and everything else are not enciphered by these ciphers and take no part).
// A search minimises the language model's quadgram cost of the decrypted letters; it is
// deterministic (fixed seeds) and stops early when `stop` returns true.

#include "LanguageModel.h"

#include <QByteArray>

#include <array>
#include <functional>

using StopCheck = std::function<bool()>;

// The letters A-Z/a-z of a text as 0..25, at most `limit` of them.
QByteArray cipherLetters(const QString &text, qsizetype limit);

enum class PeriodicFamily {
    Vigenere, // p = c − k, the key repeats
    Beaufort, // p = k − c, the key repeats
    Autokey, // p = c − k for the first key letters, then c minus the plain letter a key length back
    Gronsfeld, // as Vigenère with shifts 0..9 (the key's digits)
    Porta, // one of 13 reciprocal alphabets per key letter pair (A/B, C/D, ...): key values 0..12
};

// How many values a key position takes: 26 letters, 10 digits or 13 Porta alphabets.
int keyValueCount(PeriodicFamily family);

// The key as the registry's cipher takes it: letters, digits for Gronsfeld, A, C, E, ... for
// Porta.
QString periodicKeyText(PeriodicFamily family, const QByteArray &key);

QByteArray decryptPeriodic(const QByteArray &cipher, PeriodicFamily family, const QByteArray &key);

// Mean index of coincidence of the columns when the letters are dealt into `period` columns.
double periodCoincidence(const QByteArray &cipher, int period);

// The key lengths worth a search: those whose quick search over single key letters reads best,
// and for the repeating-key ciphers first the two lengths whose columns have the highest index
// of coincidence.
std::vector<int> candidatePeriods(const QByteArray &cipher, PeriodicFamily family, int maxPeriod,
                                  const LanguageModel &model);

// The best key of the given length (as letters 0..25) and its cost.
struct KeyResult
{
    QByteArray key;
    long long cost = 0;
};
KeyResult searchPeriodicKey(const QByteArray &cipher, PeriodicFamily family, int period,
                            const LanguageModel &model, const StopCheck &stop);

// The substitution search's first key: the cipher letters by falling frequency mapped onto the
// language's letters by falling frequency (key[c] is the plain letter of cipher letter c).
std::array<char, 26> frequencyKey(const QByteArray &cipher, const LanguageModel &model);

// A monoalphabetic substitution: key[c] is the plain letter of cipher letter c. Simulated
// annealing on swaps of two plain letters, from the frequency order and from random keys.
KeyResult searchSubstitutionKey(const QByteArray &cipher, const LanguageModel &model,
                                const StopCheck &stop);
