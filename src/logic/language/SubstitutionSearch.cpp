#include "KeySearch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <random>

namespace {

constexpr int kRestarts = 8;
constexpr int kSteps = 20000;
// Starting temperature in cost units per hundred letters (a cost unit is 1/16 of a decade).
constexpr double kStartTemperature = 70.0;

long long substitutionCost(const QByteArray &cipher, const std::array<char, 26> &key,
                           QByteArray &plain, const LanguageModel &model)
{
    for (qsizetype i = 0; i < cipher.size(); ++i)
        plain[i] = key[cipher[i]];
    return model.streamCost(plain.constData(), plain.size());
}

KeyResult anneal(const QByteArray &cipher, std::array<char, 26> key, const LanguageModel &model,
                 std::mt19937 &random, const StopCheck &stop)
{
    QByteArray plain(cipher.size(), Qt::Uninitialized);
    long long current = substitutionCost(cipher, key, plain, model);
    std::array<char, 26> bestKey = key;
    long long best = current;
    const double start = kStartTemperature * double(cipher.size()) / 100.0;
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    for (int step = 0; step < kSteps; ++step) {
        if (step % 1024 == 0 && stop && stop())
            break;
        const int a = int(random() % 26);
        const int b = int(random() % 26);
        if (a == b)
            continue;
        std::swap(key[a], key[b]);
        const long long cost = substitutionCost(cipher, key, plain, model);
        const double temperature = start * (1.0 - double(step) / kSteps) + 1e-9;
        if (cost <= current || chance(random) < std::exp(double(current - cost) / temperature)) {
            current = cost;
            if (cost < best) {
                best = cost;
                bestKey = key;
            }
        } else {
            std::swap(key[a], key[b]);
        }
    }
    return {QByteArray(bestKey.data(), 26), best};
}

} // namespace

// Cipher letters by falling frequency mapped onto the language's letters by falling frequency.
std::array<char, 26> frequencyKey(const QByteArray &cipher, const LanguageModel &model)
{
    std::array<int, 26> counts {};
    for (const char c : cipher)
        ++counts[c];
    std::array<char, 26> byCount;
    std::array<char, 26> byLanguage;
    std::iota(byCount.begin(), byCount.end(), char(0));
    std::iota(byLanguage.begin(), byLanguage.end(), char(0));
    std::stable_sort(byCount.begin(), byCount.end(),
                     [&](char a, char b) { return counts[a] > counts[b]; });
    std::stable_sort(byLanguage.begin(), byLanguage.end(),
                     [&](char a, char b) { return model.unigramCost(a) < model.unigramCost(b); });
    std::array<char, 26> key {};
    for (int i = 0; i < 26; ++i)
        key[byCount[i]] = byLanguage[i];
    return key;
}

KeyResult searchSubstitutionKey(const QByteArray &cipher, const LanguageModel &model,
                                const StopCheck &stop)
{
    std::mt19937 random(19700101u);
    KeyResult best;
    std::array<char, 26> start = frequencyKey(cipher, model);
    for (int restart = 0; restart < kRestarts && !(stop && stop()); ++restart) {
        if (restart > 0)
            std::shuffle(start.begin(), start.end(), random);
        KeyResult result = anneal(cipher, start, model, random, stop);
        if (best.key.isEmpty() || result.cost < best.cost)
            best = result;
    }
    return best;
}
