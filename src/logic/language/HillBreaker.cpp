#include "Breakers.h"

#include "logic/ciphers/CipherText.h"

#include <algorithm>
#include <numeric>

namespace {

// How many of the best rows of each kind are tried together: the right row is nearly always among
// them from 40 letters on, and 30 × 30 decryptions of a short text cost little.
constexpr int kRowsTried = 30;

struct RowMerit
{
    int first = 0;
    int second = 0;
    long long cost = 0;
};

// Every row (a, b) of the decryption matrix scored by the single-letter cost of the letters
// a·x + b·y it makes of the text's pairs (x, y); the best `kRowsTried` of them.
std::vector<RowMerit> bestRows(const QByteArray &cipher, const LanguageModel &model)
{
    std::vector<RowMerit> rows;
    rows.reserve(676);
    for (int a = 0; a < 26; ++a) {
        for (int b = 0; b < 26; ++b) {
            long long cost = 0;
            for (qsizetype i = 0; i + 1 < cipher.size(); i += 2)
                cost += model.unigramCost((a * cipher[i] + b * cipher[i + 1]) % 26);
            rows.push_back({a, b, cost});
        }
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const RowMerit &x, const RowMerit &y) { return x.cost < y.cost; });
    rows.resize(kRowsTried);
    return rows;
}

bool invertible(const std::array<int, 4> &m)
{
    return std::gcd(Ciphers::mod(m[0] * m[3] - m[1] * m[2], 26), 26) == 1;
}

} // namespace

QByteArray decryptHill2(const QByteArray &cipher, const std::array<int, 4> &d)
{
    QByteArray plain(cipher.size() / 2 * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i + 1 < cipher.size(); i += 2) {
        plain[i] = char((d[0] * cipher[i] + d[1] * cipher[i + 1]) % 26);
        plain[i + 1] = char((d[2] * cipher[i] + d[3] * cipher[i + 1]) % 26);
    }
    return plain;
}

std::array<int, 4> invertHill2(const std::array<int, 4> &m)
{
    const int determinant = Ciphers::mod(m[0] * m[3] - m[1] * m[2], 26);
    int inverse = 1;
    while (inverse < 26 && determinant * inverse % 26 != 1)
        ++inverse;
    return {Ciphers::mod(m[3] * inverse, 26), Ciphers::mod(-m[1] * inverse, 26),
            Ciphers::mod(-m[2] * inverse, 26), Ciphers::mod(m[0] * inverse, 26)};
}

HillResult searchHill2(const QByteArray &cipher, const LanguageModel &model)
{
    HillResult best;
    if (cipher.size() < 4)
        return best;
    // The same ranking serves both rows: the first makes the even plain letters, the second the
    // odd ones, and single letters do not care where they stand.
    const std::vector<RowMerit> rows = bestRows(cipher, model);
    for (const RowMerit &top : rows) {
        for (const RowMerit &bottom : rows) {
            const std::array<int, 4> matrix {top.first, top.second, bottom.first, bottom.second};
            if (!invertible(matrix))
                continue;
            const QByteArray plain = decryptHill2(cipher, matrix);
            const long long cost = model.streamCost(plain.constData(), plain.size());
            if (!best.found || cost < best.cost)
                best = {matrix, cost, true};
        }
    }
    return best;
}
