#include "Breakers.h"
#include "QuadgramTables.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

QByteArray undoColumns(const QByteArray &symbols, const std::vector<int> &order)
{
    const qsizetype width = qsizetype(order.size());
    QByteArray out(symbols.size(), Qt::Uninitialized);
    qsizetype read = 0;
    for (const int column : order) {
        for (qsizetype at = column; at < symbols.size(); at += width)
            out[at] = symbols[read++];
    }
    return out;
}

QString orderKeyWord(const std::vector<int> &order)
{
    QString word(qsizetype(order.size()), u'A');
    for (size_t rank = 0; rank < order.size(); ++rank)
        word[order[rank]] = QChar(u'A' + int(rank));
    return word;
}

bool keepsLetterFrequencies(const QByteArray &cipher, const LanguageModel &model)
{
    double total = 0;
    double expected = 0;
    double even = 0;
    for (int letter = 0; letter < 26; ++letter) {
        const double cost = model.unigramCost(letter);
        const double p = std::pow(10.0, -cost / QuadgramTables::kStep);
        total += p;
        expected += p * cost;
        even += cost / 26.0;
    }
    expected /= total;
    double actual = 0;
    for (const char letter : cipher)
        actual += model.unigramCost(letter);
    actual /= double(std::max<qsizetype>(cipher.size(), 1));
    return actual <= expected + 0.5 * (even - expected);
}

namespace {

// One neighbour of an order: two columns swapped, one column taken out and put in elsewhere (a
// misplaced column usually sits next to its right place), or the whole order turned by some
// columns (with short rows, a turned order reads almost as well and changes every column's length).
void changeOrder(std::vector<int> &order, std::mt19937 &random)
{
    const size_t width = order.size();
    const size_t a = random() % width;
    size_t b = random() % (width - 1);
    b += b >= a ? 1 : 0;
    const unsigned kind = random() % 8;
    if (kind == 0) {
        std::rotate(order.begin(), order.begin() + qsizetype(b), order.end());
    } else if (kind < 4) {
        std::swap(order[a], order[b]);
    } else {
        const int column = order[a];
        order.erase(order.begin() + qsizetype(a));
        order.insert(order.begin() + qsizetype(b), column);
    }
}

// Random changes, each kept when it does not read worse, until many in a row bring nothing.
OrderResult climb(const QByteArray &symbols, std::vector<int> order, const OrderCost &cost,
                  std::mt19937 &random, const StopCheck &stop)
{
    const int width = int(order.size());
    long long current = cost(undoColumns(symbols, order));
    const int patience = 4 * width * width + 20;
    for (int idle = 0; idle < patience;) {
        if (idle % 256 == 0 && stop && stop())
            break;
        std::vector<int> trial = order;
        changeOrder(trial, random);
        const long long trialCost = cost(undoColumns(symbols, trial));
        if (trialCost < current)
            idle = 0;
        else
            ++idle;
        if (trialCost <= current) {
            current = trialCost;
            order = std::move(trial);
        }
    }
    return {std::move(order), current};
}

} // namespace

OrderResult searchColumnOrder(const QByteArray &symbols, int width, const OrderCost &cost,
                              int restarts, const StopCheck &stop)
{
    std::mt19937 random(4242u + unsigned(width));
    std::vector<int> start(size_t(std::max(width, 1)));
    std::iota(start.begin(), start.end(), 0);
    OrderResult best {start, cost(undoColumns(symbols, start))};
    if (width < 2)
        return best;
    for (int restart = 0; restart < restarts && !(stop && stop()); ++restart) {
        std::shuffle(start.begin(), start.end(), random);
        OrderResult result = climb(symbols, start, cost, random, stop);
        if (result.cost < best.cost)
            best = std::move(result);
    }
    return best;
}
