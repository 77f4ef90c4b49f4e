#include "Breakers.h"

#include "SquareAnnealing.h"

#include <vector>

namespace {

// Each period's cipher letters give their rows and columns in turn; the first half of those
// digits are the plain letters' rows, the second half their columns.
void bifidInto(const QByteArray &cipher, const Square &square, int period, QByteArray &plain,
               std::vector<char> &digits)
{
    const SquareAnnealing::Positions at = SquareAnnealing::positionsOf(square);
    const qsizetype size = cipher.size();
    const qsizetype block = period <= 0 ? std::max<qsizetype>(size, 1) : period;
    digits.resize(size_t(2 * size));
    for (qsizetype start = 0; start < size; start += block) {
        const qsizetype count = std::min(block, size - start);
        char *d = digits.data() + 2 * start;
        for (qsizetype i = 0; i < count; ++i) {
            const int cell = at[size_t(cipher[start + i])];
            d[2 * i] = char(cell / 5);
            d[2 * i + 1] = char(cell % 5);
        }
        for (qsizetype i = 0; i < count; ++i)
            plain[start + i] = square[size_t(d[i] * 5 + d[count + i])];
    }
}

} // namespace

QByteArray decryptBifid(const QByteArray &cipher, const Square &square, int period)
{
    QByteArray plain(cipher.size(), Qt::Uninitialized);
    std::vector<char> digits;
    bifidInto(withoutJ(cipher), square, period, plain, digits);
    return plain;
}

SquareResult searchBifidSquare(const QByteArray &cipher, int period, const LanguageModel &model,
                               const SquarePlan &plan, const StopCheck &stop)
{
    const QByteArray letters = withoutJ(cipher);
    std::vector<char> digits;
    return SquareAnnealing::anneal(
        letters,
        [&](const Square &square, QByteArray &plain) {
            bifidInto(letters, square, period, plain, digits);
        },
        model, plan, 18950u + unsigned(period), stop);
}
