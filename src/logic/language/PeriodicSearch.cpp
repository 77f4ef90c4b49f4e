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

int keyValueCount(PeriodicFamily family)
{
    switch (family) {
    case PeriodicFamily::Gronsfeld:
        return 10;
    case PeriodicFamily::Porta:
        return 13;
    default:
        return 26;
    }
}

QString periodicKeyText(PeriodicFamily family, const QByteArray &key)
{
    QString out;
    for (const char k : key) {
        if (family == PeriodicFamily::Gronsfeld)
            out.append(QChar(u'0' + k));
        else if (family == PeriodicFamily::Porta)
            out.append(QChar(u'A' + 2 * k));
        else
            out.append(QChar(u'A' + k));
    }
    return out;
}

namespace {

// The plain letter of cipher letter c under key value k (not for autokey, whose key runs on).
int periodicPlain(PeriodicFamily family, int c, int k)
{
    switch (family) {
    case PeriodicFamily::Beaufort:
        return k - c;
    case PeriodicFamily::Porta:
        return c < 13 ? 13 + (c + k) % 13 : (c - 13 - k + 13) % 13;
    default:
        return c - k;
    }
}

} // namespace

QByteArray decryptPeriodic(const QByteArray &cipher, PeriodicFamily family, const QByteArray &key)
{
    QByteArray plain(cipher.size(), Qt::Uninitialized);
    const qsizetype period = key.size();
    for (qsizetype i = 0; i < cipher.size(); ++i) {
        int p = 0;
        switch (family) {
        case PeriodicFamily::Autokey:
            p = cipher[i] - (i < period ? key[i] : plain[i - period]);
            break;
        default:
            p = periodicPlain(family, cipher[i], key[i % period]);
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

namespace {

constexpr int kRestarts = 3;
// How many key lengths get the full search.
constexpr size_t kSearchedPeriods = 5;

// The key letter of one column that makes its decrypted letters most like the language's
// single-letter frequencies.
char bestColumnLetter(const QByteArray &cipher, PeriodicFamily family, QByteArray key, int column,
                      const LanguageModel &model)
{
    long long best = -1;
    char bestLetter = 0;
    for (char k = 0; k < keyValueCount(family); ++k) {
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

// The decrypted letters of a key under search. A change of one or two key letters touches only
// their columns, so only the quadgrams over those columns are looked up again.
class PeriodicState
{
public:
    PeriodicState(const QByteArray &cipher, PeriodicFamily family, const QByteArray &key,
                  const LanguageModel &model)
        : m_cipher(cipher)
        , m_family(family)
        , m_key(key)
        , m_plain(decryptPeriodic(cipher, family, key))
        , m_model(model)
        , m_period(int(key.size()))
        , m_values(keyValueCount(family))
    {
        m_total = model.streamCost(m_plain.constData(), m_plain.size());
        for (int column = 0; column < m_period; ++column) {
            m_single.push_back(starts({column}));
            m_pair.push_back(starts({column, (column + 1) % m_period}));
        }
    }

    const QByteArray &key() const { return m_key; }
    long long total() const { return m_total; }

    // Tries every letter for one column; keeps the best. True when the cost fell.
    bool improveSingle(int column)
    {
        const long long before = localCost(m_single[column]);
        long long best = before;
        char bestLetter = m_key[column];
        for (char k = 0; k < m_values; ++k) {
            setLetter(column, k);
            const long long cost = localCost(m_single[column]);
            if (cost < best) {
                best = cost;
                bestLetter = k;
            }
        }
        setLetter(column, bestLetter);
        m_total += best - before;
        return best < before;
    }

    // Tries every pair of letters for a column and its right neighbour.
    bool improvePair(int column)
    {
        const int next = (column + 1) % m_period;
        const long long before = localCost(m_pair[column]);
        long long best = before;
        char bestFirst = m_key[column];
        char bestSecond = m_key[next];
        for (char a = 0; a < m_values; ++a) {
            setLetter(column, a);
            for (char b = 0; b < m_values; ++b) {
                setLetter(next, b);
                const long long cost = localCost(m_pair[column]);
                if (cost < best) {
                    best = cost;
                    bestFirst = a;
                    bestSecond = b;
                }
            }
        }
        setLetter(column, bestFirst);
        setLetter(next, bestSecond);
        m_total += best - before;
        return best < before;
    }

private:
    // The start positions of every quadgram that covers a letter of the given columns.
    std::vector<int> starts(std::initializer_list<int> columns) const
    {
        std::vector<char> touched(size_t(std::max<qsizetype>(0, m_plain.size() - 3)), 0);
        for (const int column : columns) {
            for (qsizetype i = column; i < m_plain.size(); i += m_period) {
                for (qsizetype s = std::max<qsizetype>(0, i - 3);
                     s <= i && s < qsizetype(touched.size()); ++s)
                    touched[size_t(s)] = 1;
            }
        }
        std::vector<int> out;
        for (size_t s = 0; s < touched.size(); ++s) {
            if (touched[s])
                out.push_back(int(s));
        }
        return out;
    }

    long long localCost(const std::vector<int> &starts) const
    {
        long long sum = 0;
        const char *p = m_plain.constData();
        for (const int s : starts)
            sum += m_model.cost(((p[s] * 26 + p[s + 1]) * 26 + p[s + 2]) * 26 + p[s + 3]);
        return sum;
    }

    void setLetter(int column, char k)
    {
        m_key[column] = k;
        for (qsizetype i = column; i < m_cipher.size(); i += m_period) {
            int p = 0;
            switch (m_family) {
            case PeriodicFamily::Autokey:
                p = m_cipher[i] - (i < m_period ? k : m_plain[i - m_period]);
                break;
            default:
                p = periodicPlain(m_family, m_cipher[i], k);
                break;
            }
            m_plain[i] = char((p + 26) % 26);
        }
    }

    const QByteArray &m_cipher;
    PeriodicFamily m_family;
    QByteArray m_key;
    QByteArray m_plain;
    const LanguageModel &m_model;
    int m_period;
    int m_values;
    long long m_total = 0;
    std::vector<std::vector<int>> m_single;
    std::vector<std::vector<int>> m_pair;
};

// Single letters, then (with `pairs`) neighbouring pairs, until no change helps.
KeyResult climb(const QByteArray &cipher, PeriodicFamily family, const QByteArray &key,
                const LanguageModel &model, const StopCheck &stop, bool pairs = true)
{
    PeriodicState state(cipher, family, key, model);
    const int period = int(key.size());
    for (bool improved = true; improved && !(stop && stop());) {
        improved = false;
        for (int column = 0; column < period; ++column)
            improved = state.improveSingle(column) || improved;
        for (int column = 0; pairs && period > 1 && column < period; ++column)
            improved = state.improvePair(column) || improved;
    }
    return {state.key(), state.total()};
}

QByteArray startKey(const QByteArray &cipher, PeriodicFamily family, int period,
                    const LanguageModel &model)
{
    QByteArray key(period, 0);
    // Autokey columns hang on each other's plain letters, so the start is only a guess there.
    for (int column = 0; column < period; ++column)
        key[column] = bestColumnLetter(cipher, family, key, column, model);
    return key;
}

} // namespace

KeyResult searchPeriodicKey(const QByteArray &cipher, PeriodicFamily family, int period,
                            const LanguageModel &model, const StopCheck &stop)
{
    KeyResult best = climb(cipher, family, startKey(cipher, family, period, model), model, stop);
    std::mt19937 random(20261209u + unsigned(period));
    for (int restart = 0; restart < kRestarts && !(stop && stop()); ++restart) {
        QByteArray trial = best.key;
        for (int i = 0; i < std::max(1, period / 3); ++i)
            trial[int(random() % unsigned(period))] =
                char(random() % unsigned(keyValueCount(family)));
        const KeyResult result = climb(cipher, family, trial, model, stop);
        if (result.cost < best.cost)
            best = result;
    }
    return best;
}

std::vector<int> candidatePeriods(const QByteArray &cipher, PeriodicFamily family, int maxPeriod,
                                  const LanguageModel &model)
{
    const int longest = std::max(1, std::min<int>(maxPeriod, int(cipher.size() / 2)));
    std::vector<int> periods;
    for (int period = 1; period <= longest; ++period)
        periods.push_back(period);
    // A quick climb over single key letters ranks every length; a longer key must pay for its
    // letters.
    std::vector<double> merit(longest + 1);
    for (int period : periods) {
        const KeyResult quick =
            climb(cipher, family, startKey(cipher, family, period, model), model, {}, false);
        merit[period] = -double(quick.cost + period * model.floorCost() / 2);
    }
    std::vector<int> byClimb = periods;
    std::stable_sort(byClimb.begin(), byClimb.end(),
                     [&](int a, int b) { return merit[a] > merit[b]; });
    byClimb.resize(std::min<size_t>(byClimb.size(), kSearchedPeriods));
    if (family == PeriodicFamily::Autokey)
        return byClimb; // autokey leaves no trace in the coincidence of columns
    // The lengths whose columns have the highest index of coincidence join them. A multiple of
    // the true length has as high a coincidence as the length itself; among close values the
    // shorter length goes first.
    std::vector<int> byCoincidence = periods;
    for (int period : periods)
        merit[period] = periodCoincidence(cipher, period) - 0.0005 * period;
    std::stable_sort(byCoincidence.begin(), byCoincidence.end(),
                     [&](int a, int b) { return merit[a] > merit[b]; });
    std::vector<int> out = {byCoincidence.front()};
    for (int period : byClimb) {
        if (period != out.front())
            out.push_back(period);
    }
    if (byCoincidence.size() > 1 &&
        std::find(out.begin(), out.end(), byCoincidence[1]) == out.end())
        out.push_back(byCoincidence[1]);
    return out;
}
