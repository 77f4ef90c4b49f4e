// Ciphers on groups of letters: Playfair on pairs in a keyed square, Hill on blocks of two or
// three letters as vectors modulo 26. Both work on the letters A-Z alone and write upper case.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/ciphers/KeyedSquare.h"
#include "logic/common/QuarvelError.h"

#include <array>
#include <numeric>

namespace Ciphers {
namespace {

KeyedSquare playfairSquare(const ParamValues &values)
{
    return KeyedSquare(kAlphabetNoJ, textParam(values, kKey), {u'J', u'I'},
                       QStringLiteral("Der Schlüssel darf nur Buchstaben enthalten."));
}

std::vector<int> playfairCells(const KeyedSquare &square, const QString &text)
{
    std::vector<int> cells;
    cells.reserve(std::size_t(text.size()));
    for (const QChar c : text) {
        if (letterIndex(c) >= 0)
            cells.push_back(square.cellOf(c));
    }
    return cells;
}

// One pair through the square; `step` is +1 to encode and -1 (that is 4) to decode.
void playfairPair(const KeyedSquare &square, int a, int b, int step, QString &out)
{
    const int rowA = a / 5, columnA = a % 5, rowB = b / 5, columnB = b % 5;
    if (rowA == rowB) {
        out.append(square.symbolAt(rowA, (columnA + step) % 5));
        out.append(square.symbolAt(rowB, (columnB + step) % 5));
    } else if (columnA == columnB) {
        out.append(square.symbolAt((rowA + step) % 5, columnA));
        out.append(square.symbolAt((rowB + step) % 5, columnB));
    } else {
        out.append(square.symbolAt(rowA, columnB));
        out.append(square.symbolAt(rowB, columnA));
    }
}

QString playfairEncode(const QString &text, const ParamValues &values)
{
    const KeyedSquare square = playfairSquare(values);
    const std::vector<int> cells = playfairCells(square, text);
    // X splits a doubled letter and pads the odd end; after an X itself, Q does, since a pair of
    // two equal letters has no Playfair encryption of two different letters.
    const int filler = square.cellOf(u'X');
    const int fillerAfterX = square.cellOf(u'Q');
    QString result;
    std::size_t i = 0;
    while (i < cells.size()) {
        const int a = cells[i];
        const bool split = i + 1 >= cells.size() || cells[i + 1] == a;
        const int b = split ? (a == filler ? fillerAfterX : filler) : cells[i + 1];
        i += split ? 1 : 2;
        if (!result.isEmpty())
            result.append(u' ');
        playfairPair(square, a, b, 1, result);
    }
    return result;
}

QString playfairDecode(const QString &text, const ParamValues &values)
{
    const KeyedSquare square = playfairSquare(values);
    const std::vector<int> cells = playfairCells(square, text);
    if (cells.size() % 2 != 0)
        throw QuarvelError(
            QStringLiteral("Playfair braucht Buchstabenpaare; der Text hat %1 Buchstaben.")
                .arg(cells.size()));
    QString result;
    result.reserve(qsizetype(cells.size()));
    for (std::size_t i = 0; i < cells.size(); i += 2)
        playfairPair(square, cells[i], cells[i + 1], 4, result);
    return result;
}

// A 2 x 2 or 3 x 3 matrix modulo 26, row by row.
struct Matrix
{
    int n = 0;
    std::array<int, 9> m {};
    int at(int row, int column) const { return m[std::size_t(row * n + column)]; }
};

Matrix hillKey(const ParamValues &values)
{
    const std::vector<int> letters = keyLetters(textParam(values, kKey), true);
    if (letters.size() != 4 && letters.size() != 9)
        throw QuarvelError(QStringLiteral("Der Schlüssel muss 4 oder 9 Buchstaben haben (eine "
                                          "2×2- oder 3×3-Matrix), nicht %1.")
                               .arg(letters.size()));
    Matrix key;
    key.n = letters.size() == 4 ? 2 : 3;
    std::copy(letters.begin(), letters.end(), key.m.begin());
    return key;
}

int determinant(const Matrix &k)
{
    if (k.n == 2)
        return k.at(0, 0) * k.at(1, 1) - k.at(0, 1) * k.at(1, 0);
    return k.at(0, 0) * (k.at(1, 1) * k.at(2, 2) - k.at(1, 2) * k.at(2, 1)) -
        k.at(0, 1) * (k.at(1, 0) * k.at(2, 2) - k.at(1, 2) * k.at(2, 0)) +
        k.at(0, 2) * (k.at(1, 0) * k.at(2, 1) - k.at(1, 1) * k.at(2, 0));
}

// The inverse modulo 26 through the adjugate: inverse = det^-1 * adj(K).
Matrix inverse(const Matrix &k)
{
    const int det = mod(determinant(k), 26);
    if (std::gcd(det, 26) != 1)
        throw QuarvelError(QStringLiteral("Die Schlüsselmatrix ist modulo 26 nicht umkehrbar "
                                          "(Determinante %1); so lässt sich nicht entschlüsseln.")
                               .arg(det));
    int detInverse = 1;
    while ((det * detInverse) % 26 != 1)
        ++detInverse;
    Matrix result;
    result.n = k.n;
    for (int row = 0; row < k.n; ++row) {
        for (int column = 0; column < k.n; ++column) {
            int cofactor = 0;
            if (k.n == 2) {
                cofactor = (row == column ? k.at(1 - row, 1 - column) : -k.at(row, column));
            } else {
                // Cofactor of (column, row), transposed: the adjugate.
                const int r0 = (column + 1) % 3, r1 = (column + 2) % 3;
                const int c0 = (row + 1) % 3, c1 = (row + 2) % 3;
                cofactor = k.at(r0, c0) * k.at(r1, c1) - k.at(r0, c1) * k.at(r1, c0);
            }
            result.m[std::size_t(row * k.n + column)] = mod(cofactor * detInverse, 26);
        }
    }
    return result;
}

QString hillApply(const Matrix &k, std::vector<int> letters)
{
    QString result(qsizetype(letters.size()), QChar());
    for (std::size_t start = 0; start < letters.size(); start += std::size_t(k.n)) {
        for (int row = 0; row < k.n; ++row) {
            int sum = 0;
            for (int column = 0; column < k.n; ++column)
                sum += k.at(row, column) * letters[start + std::size_t(column)];
            result[qsizetype(start) + row] = QChar(u'A' + sum % 26);
        }
    }
    return result;
}

std::vector<int> textLetters(const QString &text)
{
    std::vector<int> letters;
    letters.reserve(std::size_t(text.size()));
    for (const QChar c : text) {
        if (letterIndex(c) >= 0)
            letters.push_back(letterIndex(c));
    }
    return letters;
}

QString hillEncode(const QString &text, const ParamValues &values)
{
    const Matrix key = hillKey(values);
    // A text encoded with a matrix that has no inverse could never be read again.
    const int det = mod(determinant(key), 26);
    if (std::gcd(det, 26) != 1)
        throw QuarvelError(QStringLiteral("Die Schlüsselmatrix ist modulo 26 nicht umkehrbar "
                                          "(Determinante %1): so verschlüsselt ließe sich der "
                                          "Text nicht mehr entschlüsseln.")
                               .arg(det));
    std::vector<int> letters = textLetters(text);
    while (letters.size() % std::size_t(key.n) != 0)
        letters.push_back(u'X' - u'A');
    return hillApply(key, std::move(letters));
}

QString hillDecode(const QString &text, const ParamValues &values)
{
    const Matrix key = inverse(hillKey(values));
    std::vector<int> letters = textLetters(text);
    if (letters.size() % std::size_t(key.n) != 0)
        throw QuarvelError(
            QStringLiteral("Die Zahl der Buchstaben (%1) ist kein Vielfaches von %2.")
                .arg(letters.size())
                .arg(key.n));
    return hillApply(key, std::move(letters));
}

} // namespace

Cipher playfairCipher()
{
    return Cipher {QStringLiteral("playfair"),
                   QStringLiteral("Playfair"),
                   QStringLiteral("Buchstabenpaare im 5×5-Schlüsselquadrat (J = I); doppelte "
                                  "Buchstaben im Paar werden mit X getrennt."),
                   {keyDecl(QStringLiteral("Schlüsselwort des Quadrats"))},
                   Keying::Key,
                   playfairEncode,
                   playfairDecode};
}

Cipher hillCipher()
{
    return Cipher {QStringLiteral("hill"),
                   QStringLiteral("Hill"),
                   QStringLiteral("Blöcke aus 2 oder 3 Buchstaben (A = 0) werden mit der "
                                  "Schlüsselmatrix modulo 26 multipliziert."),
                   {keyDecl(QStringLiteral("4 oder 9 Buchstaben, zeilenweise die Matrix"))},
                   Keying::Key,
                   hillEncode,
                   hillDecode};
}

} // namespace Ciphers
