#include "TextStatistics.h"

#include "QuadgramTables.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace TextStatistics {

namespace {

std::array<double, 26> languageShares(Language language)
{
    const LanguageModel &model = LanguageModel::of(language);
    std::array<double, 26> shares {};
    double sum = 0;
    for (int i = 0; i < 26; ++i) {
        shares[size_t(i)] = std::pow(10.0, -model.unigramCost(i) / QuadgramTables::kStep);
        sum += shares[size_t(i)];
    }
    for (double &share : shares)
        share /= sum;
    return shares;
}

std::array<double, 26> textShares(const Counts &counts)
{
    const double total = std::max(1, std::accumulate(counts.begin(), counts.end(), 0));
    std::array<double, 26> shares {};
    for (size_t i = 0; i < 26; ++i)
        shares[i] = counts[i] / total;
    return shares;
}

double distance(const std::array<double, 26> &a, const std::array<double, 26> &b)
{
    double sum = 0;
    for (size_t i = 0; i < 26; ++i)
        sum += (1000 * (a[i] - b[i])) * (1000 * (a[i] - b[i]));
    return sum / 26;
}

// Mean log10-likelihood per letter of the counts when cipher letter c stands for plain letter
// map(c).
template<typename Map> double fit(const Counts &counts, Language language, Map map)
{
    const std::array<double, 26> shares = languageShares(language);
    double sum = 0;
    int total = 0;
    for (int c = 0; c < 26; ++c) {
        sum += counts[size_t(c)] * std::log10(shares[size_t(map(c))]);
        total += counts[size_t(c)];
    }
    return total == 0 ? 0 : sum / total;
}

} // namespace

Counts letterCounts(const QByteArray &letters)
{
    Counts counts {};
    for (const char letter : letters)
        ++counts[size_t(letter)];
    return counts;
}

double coincidence(const QByteArray &letters)
{
    const qsizetype n = letters.size();
    if (n < 2)
        return 0;
    long long same = 0;
    for (const int count : letterCounts(letters))
        same += (long long)count * (count - 1);
    return double(same) / (double(n) * double(n - 1));
}

double languageCoincidence(Language language)
{
    double sum = 0;
    for (const double share : languageShares(language))
        sum += share * share;
    return sum;
}

double frequencyDistance(const Counts &counts, Language language)
{
    return distance(textShares(counts), languageShares(language));
}

double sortedFrequencyDistance(const Counts &counts, Language language)
{
    std::array<double, 26> text = textShares(counts);
    std::array<double, 26> model = languageShares(language);
    std::sort(text.begin(), text.end(), std::greater<>());
    std::sort(model.begin(), model.end(), std::greater<>());
    return distance(text, model);
}

AlphabetFit bestShift(const Counts &counts, Language language)
{
    AlphabetFit best {0, -1e9};
    for (int shift = 0; shift < 26; ++shift) {
        const double value =
            fit(counts, language, [shift](int c) { return (c - shift + 26) % 26; });
        if (value > best.perLetter)
            best = {shift, value};
    }
    return best;
}

double reflectedFit(const Counts &counts, Language language)
{
    return fit(counts, language, [](int c) { return 25 - c; });
}

double unshiftedFit(const Counts &counts, Language language)
{
    return fit(counts, language, [](int c) { return c; });
}

double columnCoincidence(const QByteArray &letters, int period)
{
    double sum = 0;
    for (int column = 0; column < period; ++column) {
        QByteArray letterColumn;
        for (qsizetype i = column; i < letters.size(); i += period)
            letterColumn.append(letters[i]);
        sum += coincidence(letterColumn);
    }
    return sum / period;
}

double columnCoincidenceSpread(qsizetype count, int period)
{
    if (period < 1)
        return 0;
    const double pairVariance = kRandomCoincidence * (1 - kRandomCoincidence);
    double variance = 0;
    for (int column = 0; column < period; ++column) {
        const qsizetype m = count / period + (column < count % period ? 1 : 0);
        const double pairs = double(m) * double(m - 1) / 2;
        if (pairs <= 0)
            return 0;
        variance += pairVariance / pairs;
    }
    return std::sqrt(variance) / period;
}

int columnPeriod(const QByteArray &letters, int maxPeriod, double languageIc, double share)
{
    const double needed = kRandomCoincidence + share * (languageIc - kRandomCoincidence);
    for (int period = 2; period <= maxPeriod; ++period) {
        // Each column needs a few letters, or chance decides its coincidence.
        if (letters.size() / period < 5)
            break;
        const double chance =
            kRandomCoincidence + kChanceSpreads * columnCoincidenceSpread(letters.size(), period);
        if (columnCoincidence(letters, period) >= std::max(needed, chance))
            return period;
    }
    return 0;
}

double friedmanEstimate(const QByteArray &letters, double languageIc)
{
    const double ic = coincidence(letters);
    const double n = double(letters.size());
    const double denominator = (n - 1) * ic - n * kRandomCoincidence + languageIc;
    if (denominator <= 0)
        return 0;
    return (languageIc - kRandomCoincidence) * n / denominator;
}

KasiskiResult kasiski(const QByteArray &letters, int maxPeriod)
{
    QHash<int, qsizetype> last;
    std::vector<qsizetype> distances;
    for (qsizetype i = 0; i + 3 <= letters.size(); ++i) {
        const int trigram = (letters[i] * 26 + letters[i + 1]) * 26 + letters[i + 2];
        const auto found = last.constFind(trigram);
        if (found != last.cend())
            distances.push_back(i - found.value());
        last.insert(trigram, i);
    }
    KasiskiResult result;
    result.allRepeats = int(distances.size());
    std::vector<int> divided(size_t(maxPeriod) + 1, 0);
    int most = 0;
    for (int period = 2; period <= maxPeriod; ++period) {
        divided[size_t(period)] = int(std::count_if(
            distances.begin(), distances.end(), [period](qsizetype d) { return d % period == 0; }));
        most = std::max(most, divided[size_t(period)]);
    }
    // The divisors of the key length divide as many repeats as the key length itself, its
    // multiples about half of them: the longest period close to the most is the key length.
    for (int period = 2; period <= maxPeriod && most > 0; ++period) {
        if (4 * divided[size_t(period)] >= 3 * most)
            result = {period, divided[size_t(period)], result.allRepeats};
    }
    return result;
}

int doubledPairs(const QByteArray &letters)
{
    int doubled = 0;
    for (qsizetype i = 0; i + 1 < letters.size(); i += 2)
        doubled += letters[i] == letters[i + 1] ? 1 : 0;
    return doubled;
}

PairRepeats pairRepeats(const QByteArray &letters)
{
    PairRepeats result;
    for (int offset = 0; offset < 2; ++offset) {
        std::array<bool, 26 * 26> seen {};
        int repeats = 0;
        for (qsizetype i = offset; i + 1 < letters.size(); i += 2) {
            const size_t pair = size_t(letters[i] * 26 + letters[i + 1]);
            repeats += seen[pair] ? 1 : 0;
            seen[pair] = true;
        }
        (offset == 0 ? result.even : result.odd) = repeats;
    }
    return result;
}

} // namespace TextStatistics
