#include "Breakers.h"

#include "SquareAnnealing.h"

#include <cstdint>
#include <limits>
#include <vector>

QString squareText(const Square &square)
{
    QString text;
    for (const char letter : square)
        text.append(QChar(u'A' + letter));
    return text;
}

QByteArray withoutJ(const QByteArray &cipher)
{
    QByteArray out = cipher;
    for (char &letter : out) {
        if (letter == kLetterJ)
            letter = kLetterI;
    }
    return out;
}

bool playfairShaped(const QByteArray &cipher)
{
    if (cipher.size() % 2 != 0 || cipher.contains(kLetterJ))
        return false;
    for (qsizetype i = 0; i + 1 < cipher.size(); i += 2) {
        if (cipher[i] == cipher[i + 1])
            return false;
    }
    return true;
}

namespace {

// The final cooling of the best square takes this share of a run's steps.
constexpr int kCoolingShare = 8;
// A trial is given up once the text decrypted so far costs this many temperatures more than the
// current square's up to the same pair, beyond the slack the step was drawn (see anneal below).
constexpr double kRiseMargin = 1.0;

// Playfair takes a pair of cells to a pair of cells the same way in every square: the decryption
// of the pair at cells (a, b) is this table's entry a * 25 + b, its two cells as c * 25 + d.
struct CellPairs
{
    std::array<short, 625> plain {};
    constexpr CellPairs()
    {
        for (int a = 0; a < 25; ++a) {
            for (int b = 0; b < 25; ++b) {
                const int rowA = a / 5, columnA = a % 5, rowB = b / 5, columnB = b % 5;
                int plainA = rowA * 5 + columnB;
                int plainB = rowB * 5 + columnA;
                if (rowA == rowB) {
                    plainA = rowA * 5 + (columnA + 4) % 5;
                    plainB = rowB * 5 + (columnB + 4) % 5;
                } else if (columnA == columnB) {
                    plainA = (rowA + 4) % 5 * 5 + columnA;
                    plainB = (rowB + 4) % 5 * 5 + columnB;
                }
                plain[size_t(a * 25 + b)] = short(plainA * 25 + plainB);
            }
        }
    }
};
constexpr CellPairs kCellPairs;

void playfairInto(const QByteArray &cipher, const Square &square, QByteArray &plain)
{
    const SquareAnnealing::Positions at = SquareAnnealing::positionsOf(square);
    for (qsizetype i = 0; i + 1 < cipher.size(); i += 2) {
        const int cells =
            kCellPairs.plain[size_t(at[size_t(cipher[i])] * 25 + at[size_t(cipher[i + 1])])];
        plain[i] = square[size_t(cells / 25)];
        plain[i + 1] = square[size_t(cells % 25)];
    }
}

// A small, fast generator (xorshift64*): a step draws one number and takes its move, its cells and
// its acceptance threshold from different bits of it.
class StepRandom
{
public:
    explicit StepRandom(std::uint64_t seed)
        : m_state(seed * 0x9E3779B97F4A7C15ull + 1)
    {
    }
    std::uint64_t operator()()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 0x2545F4914F6CDD1Dull;
    }

private:
    std::uint64_t m_state;
};

// −ln u for u evenly spread over (0, 1), in 4096 steps: the Metropolis rule accepts a step that
// costs at most the temperature times this more than the current square.
struct Slacks
{
    std::array<double, 4096> value {};
    Slacks()
    {
        for (size_t i = 0; i < value.size(); ++i)
            value[i] = -std::log((double(i) + 0.5) / double(value.size()));
    }
};

// A square with where each letter sits in it.
struct Placed
{
    Square square {};
    SquareAnnealing::Positions at {};
};

Placed placedOf(const Square &square)
{
    return {square, SquareAnnealing::positionsOf(square)};
}

// A neighbour of the square. Mostly two letters swap; the rest reorder whole rows or columns or
// mirror the square, which keeps most pairs' decryption and so crosses the ridges between squares
// that read partly alike. (Turning rows or columns cyclically gives the same key: no move.)
void changePlayfairSquare(Placed &placed, std::uint64_t random)
{
    Square &square = placed.square;
    const unsigned kind = unsigned(random % 100);
    const int a = int((random >> 8) % 25);
    int b = int((random >> 16) % 24);
    b += b >= a ? 1 : 0;
    if (kind < 90) {
        std::swap(square[size_t(a)], square[size_t(b)]);
        placed.at[size_t(square[size_t(a)])] = static_cast<signed char>(a);
        placed.at[size_t(square[size_t(b)])] = static_cast<signed char>(b);
        return;
    }
    if (kind < 93) {
        for (int column = 0; column < 5; ++column)
            std::swap(square[size_t(a / 5 * 5 + column)], square[size_t(b / 5 * 5 + column)]);
    } else if (kind < 96) {
        for (int row = 0; row < 5; ++row)
            std::swap(square[size_t(row * 5 + a % 5)], square[size_t(row * 5 + b % 5)]);
    } else if (kind < 97) {
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 5; ++column)
                std::swap(square[size_t(row * 5 + column)], square[size_t((4 - row) * 5 + column)]);
        }
    } else if (kind < 98) {
        for (int row = 0; row < 5; ++row) {
            for (int column = 0; column < 2; ++column)
                std::swap(square[size_t(row * 5 + column)], square[size_t(row * 5 + 4 - column)]);
        }
    } else {
        for (int row = 0; row < 5; ++row) {
            for (int column = row + 1; column < 5; ++column)
                std::swap(square[size_t(row * 5 + column)], square[size_t(column * 5 + row)]);
        }
    }
    placed.at = SquareAnnealing::positionsOf(square);
}

// Decrypts pair after pair and sums the quadgram costs of the plain letters (each quadgram's
// index built from the pairs, no division), giving up early; see cost().
class PairScorer
{
public:
    PairScorer(const QByteArray &cipher, const LanguageModel &model)
        : m_model(model)
    {
        for (qsizetype i = 0; i + 1 < cipher.size(); i += 2)
            m_cipher.push_back({cipher[i], cipher[i + 1]});
    }

    size_t pairs() const { return m_cipher.size(); }

    // The cost of the square's decryption, or one more than `limit` as soon as the sum passes it
    // (costs only grow) or, with `before` given, as soon as it rises more than `rise` above
    // `before`, the running sums of the current square. The running sums go to `sums`.
    long long cost(const Placed &placed, long long limit, const long long *before = nullptr,
                   long long rise = 0, long long *sums = nullptr) const
    {
        const Square &square = placed.square;
        const SquareAnnealing::Positions &at = placed.at;
        long long sum = 0;
        int previous = 0; // the pair before, as a * 26 + b
        int beforeLast = 0; // the letter before that pair
        for (size_t i = 0; i < m_cipher.size(); ++i) {
            const int cells = kCellPairs.plain[size_t(at[size_t(m_cipher[i].first)] * 25 +
                                                      at[size_t(m_cipher[i].second)])];
            const int first = square[size_t(cells / 25)];
            const int second = square[size_t(cells % 25)];
            if (i > 0) {
                sum += m_model.cost(previous * 676 + first * 26 + second);
                if (i > 1)
                    sum += m_model.cost((beforeLast * 676 + previous) * 26 + first);
                if (sum > limit || (before && sum - before[i] > rise))
                    return limit + 1;
            }
            if (sums)
                sums[i] = sum;
            beforeLast = previous % 26;
            previous = first * 26 + second;
        }
        return sum;
    }

private:
    const LanguageModel &m_model;
    std::vector<std::pair<char, char>> m_cipher;
};

// A key word as the square is built from it: its letters in order (no J, none twice), then the
// rest of the alphabet. A cacher's square is nearly always made so, and squares from key words
// that share letters share most of their cells: the rows after the key word stay in alphabetical
// order, shifted only where the key's letters differ. So the key word condenses far more readily
// than a square searched cell by cell.
class KeyWord
{
public:
    Square square() const
    {
        Square out {};
        int cell = 0;
        for (int i = 0; i < m_length; ++i)
            out[size_t(cell++)] = m_letters[size_t(i)];
        for (char letter = 0; letter < 26; ++letter) {
            if (letter != kLetterJ && !holds(letter))
                out[size_t(cell++)] = letter;
        }
        return out;
    }

    // A neighbour: two of its letters swapped, one replaced, one inserted or one left out.
    void change(std::uint64_t random)
    {
        const int kind = int(random % 4);
        const int at = m_length == 0 ? 0 : int((random >> 8) % unsigned(m_length));
        const int other = m_length == 0 ? 0 : int((random >> 16) % unsigned(m_length));
        const auto freeLetter = [&] {
            int nth = int((random >> 24) % unsigned(25 - m_length));
            for (char letter = 0;; ++letter) {
                if (letter != kLetterJ && !holds(letter) && nth-- == 0)
                    return letter;
            }
        };
        if (kind == 0 && m_length >= 2) {
            std::swap(m_letters[size_t(at)], m_letters[size_t(other)]);
        } else if (kind == 1 && m_length >= 1 && m_length < 25) {
            const char letter = freeLetter();
            m_used &= ~bit(m_letters[size_t(at)]);
            m_letters[size_t(at)] = letter;
            m_used |= bit(letter);
        } else if (kind == 3 && m_length >= 1) {
            m_used &= ~bit(m_letters[size_t(at)]);
            std::copy(m_letters.begin() + at + 1, m_letters.begin() + m_length,
                      m_letters.begin() + at);
            --m_length;
        } else if (m_length < 25) {
            // Inserted before a letter or at the end.
            const int before = int((random >> 8) % unsigned(m_length + 1));
            const char letter = freeLetter();
            std::copy_backward(m_letters.begin() + before, m_letters.begin() + m_length,
                               m_letters.begin() + m_length + 1);
            m_letters[size_t(before)] = letter;
            m_used |= bit(letter);
            ++m_length;
        }
    }

private:
    static std::uint32_t bit(char letter) { return std::uint32_t(1) << letter; }
    bool holds(char letter) const { return (m_used & bit(letter)) != 0; }

    std::array<char, 25> m_letters {};
    int m_length = 0;
    std::uint32_t m_used = 0;
};

// Key words grow and change at this many times the temperature of the cell-by-cell search: a
// step changes many cells at once and so costs more.
constexpr double kKeyWordHeat = 2.0;
constexpr int kKeyWordSteps = 20000;

// Anneals the key word at a fixed temperature, run after run from the best so far (the first
// from the empty key word, the alphabet square), until it reads as language or `runs` have run.
// False when stopped.
bool searchKeyWord(const PairScorer &scorer, double temperature, int runs, long long reads,
                   StepRandom &random, const Slacks &slacks, const StopCheck &stop, Placed &best,
                   long long &bestCost)
{
    KeyWord bestWord;
    best = placedOf(bestWord.square());
    bestCost = scorer.cost(best, std::numeric_limits<long long>::max());
    for (int run = 0; run < runs && bestCost > reads; ++run) {
        KeyWord word = bestWord;
        long long current = bestCost;
        for (int step = 0; step < kKeyWordSteps; ++step) {
            if (step % 2048 == 0 && stop && stop())
                return false;
            const std::uint64_t drawn = random();
            KeyWord trial = word;
            trial.change(drawn);
            const long long limit =
                current + static_cast<long long>(temperature * slacks.value[size_t(drawn >> 52)]);
            const Placed placed = placedOf(trial.square());
            const long long cost = scorer.cost(placed, limit);
            if (cost > limit)
                continue;
            word = trial;
            current = cost;
            if (cost < bestCost) {
                bestWord = word;
                best = placed;
                bestCost = cost;
            }
        }
    }
    return true;
}

} // namespace

QByteArray decryptPlayfair(const QByteArray &cipher, const Square &square)
{
    QByteArray plain(cipher.size(), Qt::Uninitialized);
    playfairInto(withoutJ(cipher), square, plain);
    return plain;
}

// Searches the key word first (see KeyWord); when no key word reads, anneals the square cell by
// cell from the best key word's square.
//
// The square anneals at a fixed temperature: run after run, each from the best square so far,
// until the best reads as language or `plan.runs` have run, then cools the best down to a
// standstill so the last few letters fall into place. At a fixed temperature the square condenses
// out of random letters; cooling sooner freezes it in a random valley.
//
// A step's fate hangs on the random slack drawn before it (Metropolis: accepted when it costs at
// most temperature × slack more), so the decryption stops as soon as the trial has cost that
// much more than the current square up to the same pair, and a margin of kRiseMargin
// temperatures: a change that spoils the first part of the text seldom makes up for it in the
// rest. That refuses a few steps Metropolis would take, and most trials end after a part of
// the text, about twice as many steps in the same time.
SquareResult searchPlayfairSquare(const QByteArray &cipher, const LanguageModel &model,
                                  const SquarePlan &plan, const StopCheck &stop)
{
    constexpr long long kUnlimited = std::numeric_limits<long long>::max();
    static const Slacks slacks;
    const QByteArray letters = withoutJ(cipher).left(cipher.size() / 2 * 2);
    const PairScorer scorer(letters, model);
    StepRandom random(19120u);
    const double hot = QuadgramTables::kStep * plan.temperature * double(letters.size());
    const double reads = SquareAnnealing::kReadsBelowFloorShare * model.floorCost() *
        double(std::max<qsizetype>(letters.size() - 3, 1));
    Placed best;
    long long bestCost = 0;
    if (!searchKeyWord(scorer, hot * kKeyWordHeat, plan.runs, static_cast<long long>(reads), random,
                       slacks, stop, best, bestCost) ||
        double(bestCost) <= reads)
        return {best.square, bestCost, double(bestCost) <= reads};
    Placed placed = best;
    long long current = bestCost;
    std::vector<long long> currentSums(scorer.pairs());
    std::vector<long long> trialSums(scorer.pairs());
    // `steps` steps from the best square, at temperature(step); false when stopped.
    const auto anneal = [&](int steps, auto temperature) {
        placed = best;
        current = scorer.cost(placed, kUnlimited, nullptr, 0, currentSums.data());
        for (int step = 0; step < steps; ++step) {
            if (step % 2048 == 0 && stop && stop())
                return false;
            const std::uint64_t drawn = random();
            Placed trial = placed;
            changePlayfairSquare(trial, drawn);
            const double slack = temperature(step) * slacks.value[size_t(drawn >> 52)];
            const long long limit = current + static_cast<long long>(slack);
            const long long rise = static_cast<long long>(slack + kRiseMargin * temperature(step));
            const long long cost =
                scorer.cost(trial, limit, currentSums.data(), rise, trialSums.data());
            if (cost <= limit) {
                placed = trial;
                current = cost;
                currentSums.swap(trialSums);
                if (cost < bestCost) {
                    best = placed;
                    bestCost = cost;
                }
            }
        }
        return true;
    };
    bool going = true;
    for (int run = 0; going && run<plan.runs &&double(bestCost)> reads; ++run)
        going = anneal(plan.steps, [hot](int) { return hot; });
    const int cooling = plan.steps / kCoolingShare;
    if (going) {
        anneal(cooling,
               [hot, cooling](int step) { return hot * double(cooling - step) / double(cooling); });
    }
    return {best.square, bestCost, double(bestCost) <= reads};
}
