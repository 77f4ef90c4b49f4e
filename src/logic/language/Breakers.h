#pragma once

// The breakers for ciphers that do not write a letter through one alphabet per position:
// Playfair and Bifid (a keyed 5×5 square), the columnar transposition (an order of columns),
// Hill 2×2 (a matrix) and the two stages of ADFGX/ADFGVX. Each search works on the letters of
// the text as indices 0..25, minimises the language model's quadgram cost of what it decrypts,
// starts from fixed seeds (the same text always gives the same key) and stops early when `stop`
// returns true.

#include "KeySearch.h"

#include <array>
#include <functional>
#include <vector>

// The 25 cells of a 5×5 square, row by row, each holding a letter 0..25 other than J (9).
using Square = std::array<char, 25>;
constexpr char kLetterJ = 9;
constexpr char kLetterI = 8;

struct SquareResult
{
    Square square {};
    long long cost = 0;
    bool reads = false; // the decryption reads as language (Playfair's search stops there)
};

// The square's letters as text, row by row: as key word of the registry's square it builds the
// same square again.
QString squareText(const Square &square);

// The cipher letters with J written as I, as a Playfair or Bifid square holds them.
QByteArray withoutJ(const QByteArray &cipher);

// How long a square search runs: the steps of each annealing run and the most runs.
struct SquarePlan
{
    int steps = 0;
    int runs = 1;
    double temperature = 0.04; // in decades of quadgram score per letter of the text
};

// The Playfair square that decrypts the cipher (letters without J, an even number, no pair of two
// equal letters) into the best-reading text: simulated annealing over swaps of letters, rows and
// columns.
SquareResult searchPlayfairSquare(const QByteArray &cipher, const LanguageModel &model,
                                  const SquarePlan &plan, const StopCheck &stop);
QByteArray decryptPlayfair(const QByteArray &cipher, const Square &square);
// Playfair never writes a J, never two equal letters in one pair, and always pairs.
bool playfairShaped(const QByteArray &cipher);

// A transposition keeps every letter: its letters are as frequent as the language's, and their
// mean single-letter cost lies nearer the language's mean than that of evenly spread letters.
bool keepsLetterFrequencies(const QByteArray &cipher, const LanguageModel &model);

// The Bifid square for one period (0: the whole text is one period).
SquareResult searchBifidSquare(const QByteArray &cipher, int period, const LanguageModel &model,
                               const SquarePlan &plan, const StopCheck &stop);
QByteArray decryptBifid(const QByteArray &cipher, const Square &square, int period);

// A columnar transposition: `order` lists the plain text's columns in the order they were read
// out. Rows are filled left to right; when the last row is short, the columns left of its end
// are one symbol longer.
QByteArray undoColumns(const QByteArray &symbols, const std::vector<int> &order);

struct OrderResult
{
    std::vector<int> order;
    long long cost = 0;
};

// The cost of what a column order gives back; the search minimises it.
using OrderCost = std::function<long long(const QByteArray &untransposed)>;

// The best column order of `width` columns for the symbols: hill climbing over swaps, shifts of a
// column and turns of a block, restarted from fixed seeds.
OrderResult searchColumnOrder(const QByteArray &symbols, int width, const OrderCost &cost,
                              int restarts, const StopCheck &stop);

// A key word that makes the registry read the columns in `order` (column order[k] gets the k-th
// letter of the alphabet).
QString orderKeyWord(const std::vector<int> &order);

// Hill 2×2: the decryption matrix (row by row) that reads best, found by ranking every row on
// its own by single-letter frequencies and trying the best rows together; the cipher has an
// even number of letters.
struct HillResult
{
    std::array<int, 4> decryption {};
    long long cost = 0;
    bool found = false;
};
HillResult searchHill2(const QByteArray &cipher, const LanguageModel &model);
// The encryption matrix that belongs to an invertible decryption matrix (both mod 26).
std::array<int, 4> invertHill2(const std::array<int, 4> &matrix);
QByteArray decryptHill2(const QByteArray &cipher, const std::array<int, 4> &decryption);

// The second stage of ADFGX/ADFGVX. With the square's key known, the transposition is searched
// (widths 2–12); with the transposition word known, the square is searched as a substitution of
// the cells the text uses. `pairs` are the untransposed symbols as row/column numbers.
struct AdfgxSquareResult
{
    QString square; // the square's symbols row by row, usable as the registry's key
    double information = 0; // log10 of the number of assignments the search chose among
    bool found = false;
};
AdfgxSquareResult searchAdfgxSquare(const QByteArray &pairs, int side, const LanguageModel &model,
                                    const StopCheck &stop);
