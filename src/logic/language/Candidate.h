#pragma once

#include "LanguageModel.h"

#include "logic/ciphers/CipherRegistry.h"

#include <QString>

#include <vector>

// One reading of an unknown cipher text: the method that produced it (a command-line cipher name
// of the registry, or "substitution", "roemisch", "klartext"), the parameters it was decoded
// with, the readable key, the plain text and how well that reads.
struct Candidate
{
    QString method;
    Ciphers::ParamValues params; // as the cipher panel takes them; empty for the text itself
    QString key; // for people: "13", "a=5, b=8", "LEMON", empty without key
    QString plain;
    double score = 0;
    Language language = Language::German;
    bool holdsCrib = false; // holds the word the user knows is in the plain text
    // What the searched key's own information took off the score, where the text is long enough
    // to confirm the key (otherwise 0): charged for the ranking, not for whether the text reads.
    double keyCharge = 0;
};

// The readable key of a parameter set: the key word alone, otherwise "name=value" pairs in the
// cipher's parameter order (switches by name only).
QString keyText(const QString &method, const Ciphers::ParamValues &params);

// A text of at least kMonotonousLetters letters drawn from no more than kMonotonousKinds
// different letters ("NNENE EENNN", "mpf mfp") is no language however its quadgrams score: the
// renamed symbols of a Bacon or Kenny text, not their reading.
constexpr int kMonotonousLetters = 12;
constexpr int kMonotonousKinds = 3;
bool isMonotonous(const QString &plain);

// The score of a reading under `language`: the model's, the model's floor for a monotonous
// text, at least that of prose for a coordinate or a text of number words.
double readingScore(double modelScore, const QString &plain, Language language);

// The candidates that hold the crib first, then the others; within each best score first, and
// among equal scores the earlier candidate. A plain text that an earlier (or
// better) candidate already gave (case apart) is dropped, so every reading appears once.
std::vector<Candidate> rankCandidates(std::vector<Candidate> candidates);
