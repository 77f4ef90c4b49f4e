#include "Verdict.h"

#include "Letters.h"

#include <iterator>

namespace {

// Calibrated on the sayings held out of the language model: for each length the score that
// about 99 % of them reach (600 texts per length and language), smoothed so the line never
// falls with growing length. Below 8 letters the model tells little; the line stays at its
// lowest.
struct ThresholdRow
{
    qsizetype letters; // from this many letters on
    double german;
    double english;
};

constexpr ThresholdRow kThresholds[] = {
    {0, -6.6, -6.8},   {8, -6.2, -6.45},   {10, -6.1, -6.35}, {12, -5.75, -5.9},  {15, -5.7, -5.8},
    {20, -5.6, -5.5},  {25, -5.3, -5.45},  {30, -5.1, -5.4},  {40, -5.05, -5.15}, {50, -5.0, -5.1},
    {70, -4.8, -5.05}, {100, -4.75, -5.0}, {150, -4.7, -4.9}, {200, -4.6, -4.85},
};

} // namespace

double readableThreshold(Language language, qsizetype letters)
{
    const ThresholdRow *row = std::begin(kThresholds);
    for (const ThresholdRow &candidate : kThresholds) {
        if (letters >= candidate.letters)
            row = &candidate;
    }
    return language == Language::German ? row->german : row->english;
}

bool readsAsText(const Candidate &candidate)
{
    const qsizetype letters = letterIndices(candidate.plain).size();
    // A key confirmed by a text far beyond its unicity distance does not count against the text.
    return candidate.score + candidate.keyCharge >= readableThreshold(candidate.language, letters);
}

bool firstReads(const std::vector<Candidate> &ranked)
{
    return !ranked.empty() && readsAsText(ranked.front());
}

QString noReadingText()
{
    return QStringLiteral("Kein Kandidat ergibt lesbaren Text");
}
