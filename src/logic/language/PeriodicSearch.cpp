#include "KeySearch.h"

#include <algorithm>
#include <array>
#include <random>

QByteArray cipherLetters(const QString &text, qsizetype limit)
{
    QByteArray out;
    for (const QChar ch : text) {
        if (out.size() >= limit)
            break;
        const char16_t c = ch.unicode();
        if (c >= u'A' && c <= u'Z')
            out.append(char(c - u'A'));
        else if (c >= u'a' && c <= u'z')
            out.append(char(c - u'a'));
    }
    return out;
}

QByteArray decryptPeriodic(const QByteArray &cipher, PeriodicFamily family, const QByteArray &key)
{
    QByteArray plain(cipher.size(), Qt::Uninitialized);
    const qsizetype period = key.size();
    for (qsizetype i = 0; i < cipher.size(); ++i) {
        int p = 0;
        switch (family) {
        case PeriodicFamily::Vigenere:
            p = cipher[i] - key[i % period];
            break;
        case PeriodicFamily::Beaufort:
            p = key[i % period] - cipher[i];
            break;
        case PeriodicFamily::Autokey:
            p = cipher[i] - (i < period ? key[i] : plain[i - period]);
            break;
        }
        plain[i] = char((p + 26) % 26);
    }
    return plain;
}

double periodCoincidence(const QByteArray &cipher, int period)
{
    double sum = 0;
    int columns = 0;
    for (int column = 0; column < period; ++column) {
        std::array<int, 26> counts {};
        int n = 0;
        for (qsizetype i = column; i < cipher.size(); i += period) {
            ++counts[cipher[i]];
            ++n;
        }
        if (n < 2)
            continue;
        long long pairs = 0;
        for (int count : counts)
            pairs += count * (count - 1);
        sum += double(pairs) / (double(n) * (n - 1));
        ++columns;
    }
    return columns == 0 ? 0 : sum / columns;
}

std::vector<int> candidatePeriods(const QByteArray &cipher, PeriodicFamily family, int maxPeriod)
{
    const int longest = std::max(1, std::min<int>(maxPeriod, int(cipher.size() / 2)));
    std::vector<int> periods;
    for (int period = 1; period <= longest; ++period)
        periods.push_back(period);
    if (family == PeriodicFamily::Autokey)
        return periods;
    std::vector<double> coincidence(longest + 1);
    for (int period : periods)
        coincidence[period] = periodCoincidence(cipher, period);
    // A multiple of the true length scores as high as the length itself; among close values
    // the shorter length goes first.
    std::stable_sort(periods.begin(), periods.end(), [&](int a, int b) {
        return coincidence[a] - 0.0005 * a > coincidence[b] - 0.0005 * b;
    });
    periods.resize(std::min<size_t>(periods.size(), 6));
    return periods;
}

namespace {

// The key letter of one column that makes its decrypted letters most like the language's
// single-letter frequencies.
char bestColumnLetter(const QByteArray &cipher, PeriodicFamily family, QByteArray key, int column,
                      const LanguageModel &model)
{
    long long best = -1;
    char bestLetter = 0;
    for (char k = 0; k < 26; ++k) {
        key[column] = k;
        const QByteArray plain = decryptPeriodic(cipher, family, key);
        long long cost = 0;
        for (qsizetype i = column; i < plain.size(); i += key.size())
            cost += model.unigramCost(plain[i]);
        if (best < 0 || cost < best) {
            best = cost;
            bestLetter = k;
        }
    }
    return bestLetter;
}

long long keyCost(const QByteArray &cipher, PeriodicFamily family, const QByteArray &key,
                  const LanguageModel &model)
{
    const QByteArray plain = decryptPeriodic(cipher, family, key);
    return model.streamCost(plain.constData(), plain.size());
}

// Changes one key letter at a time to the best of the 26 until no change helps.
long long climb(const QByteArray &cipher, PeriodicFamily family, QByteArray &key,
                const LanguageModel &model, const StopCheck &stop)
{
    long long current = keyCost(cipher, family, key, model);
    for (bool improved = true; improved && !(stop && stop());) {
        improved = false;
        for (qsizetype column = 0; column < key.size(); ++column) {
            char bestLetter = key[column];
            for (char k = 0; k < 26; ++k) {
                key[column] = k;
                const long long cost = keyCost(cipher, family, key, model);
                if (cost < current) {
                    current = cost;
                    bestLetter = k;
                    improved = true;
                }
            }
            key[column] = bestLetter;
        }
    }
    return current;
}

} // namespace

KeyResult searchPeriodicKey(const QByteArray &cipher, PeriodicFamily family, int period,
                            const LanguageModel &model, const StopCheck &stop)
{
    QByteArray key(period, 0);
    // Autokey columns hang on each other's plain letters, so the start is only a guess there.
    for (int column = 0; column < period; ++column)
        key[column] = bestColumnLetter(cipher, family, key, column, model);
    KeyResult best {key, climb(cipher, family, key, model, stop)};
    std::mt19937 random(20261209u + unsigned(period));
    for (int restart = 0; restart < 3 && !(stop && stop()); ++restart) {
        QByteArray trial = best.key;
        for (int i = 0; i < std::max(1, period / 3); ++i)
            trial[int(random() % unsigned(period))] = char(random() % 26);
        const long long cost = climb(cipher, family, trial, model, stop);
        if (cost < best.cost)
            best = {trial, cost};
    }
    return best;
}
