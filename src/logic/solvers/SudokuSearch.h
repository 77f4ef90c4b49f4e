#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <bit>
#include <cstdint>

// Exhaustive depth-first search for every solution of a 9 × 9 Sudoku. The search runs against
// a host that owns the cells: it places and clears digits through the host, lets the host
// handle pending user events after every placement and asks the host whether to go on each
// time every empty cell holds a digit. Solutions therefore come in lexicographic order of the
// cells in row-major order, and the first one is always the same.
namespace Sudoku {

constexpr int kSize = 9;

// Bit d (1..9) set: digit d is still free.
using DigitSet = std::uint16_t;
constexpr DigitSet kAllDigits = 0x3FE;

// 3 × 3 blocks numbered 0..8 in row-major order.
constexpr int BoxIndex(int row, int col)
{
    return (row / 3) * 3 + col / 3;
}

// A cell's text as the search reads it: the integer it holds, 0 (empty) for any other text.
// Values 1..9 are digits; any other non-zero value fills the cell without constraining it.
int CellValue(const QString &text);

// The text that shows a value: the value in decimal, the empty text for 0.
QString CellText(int value);

// row, column and block of one empty cell
struct EmptyCell
{
    std::uint8_t row = 0;
    std::uint8_t col = 0;
    std::uint8_t box = 0;
};

// What the search needs from the grid it runs against.
class SudokuHost
{
public:
    virtual ~SudokuHost() = default;
    virtual void place(int row, int col, int digit) = 0;
    virtual void clear(int row, int col) = 0;
    // Hands the user a chance to act (repaint, cancel) between placements.
    virtual void poll() = 0;
    // A solution stands in the grid; true searches on, false stops the whole search at once.
    virtual bool askContinue() = 0;
    // The user asked to cancel; checked when a level has emptied its cell again.
    virtual bool cancelRequested() const = 0;
};

enum class SearchEnd {
    Finished, // every candidate tried, or a cancel unwound the search: the givens remain
    Stopped, // askContinue said stop: the solution it was asked about remains
};

using CellValues = std::array<std::array<int, kSize>, kSize>;

class SudokuSearch
{
public:
    // Takes the givens: every value 1..9 leaves the candidate sets of its row, column and box
    // (a repeated digit is not reported), every 0 becomes an empty cell to fill. Any number of
    // empty cells is searched, up to all 81.
    explicit SudokuSearch(const CellValues &values);

    // Runs the search once. Host is a SudokuHost; a final host class lets the compiler call
    // it directly, which keeps the few nanoseconds per placement that the search costs.
    template<class Host> SearchEnd run(Host &host)
    {
        return SudokuSolve(host, 0) ? SearchEnd::Finished : SearchEnd::Stopped;
    }

    int emptyCount() const { return K; }
    const EmptyCell &emptyCell(int i) const { return EmptyCells[i]; }

private:
    // Fills EmptyCells[i..K-1]; false when the host asked to stop.
    template<class Host> bool SudokuSolve(Host &host, int i);

    std::array<DigitSet, kSize> RowSets {};
    std::array<DigitSet, kSize> ColSets {};
    std::array<DigitSet, kSize> BoxSets {};
    std::array<EmptyCell, kSize * kSize> EmptyCells {};
    int K = 0;
};

template<class Host> bool SudokuSearch::SudokuSolve(Host &host, int i)
{
    if (i == K)
        return host.askContinue();
    const EmptyCell cell = EmptyCells[i];
    const DigitSet candidates = BoxSets[cell.box] & ColSets[cell.col] & RowSets[cell.row];
    // The candidates are fixed on entry; visiting their bits from the lowest tries the digits
    // in ascending order.
    for (DigitSet rest = candidates; rest != 0; rest &= DigitSet(rest - 1)) {
        const int digit = std::countr_zero(rest);
        const DigitSet bit = DigitSet(1u << digit);
        host.place(cell.row, cell.col, digit);
        host.poll();
        ColSets[cell.col] &= DigitSet(~bit);
        RowSets[cell.row] &= DigitSet(~bit);
        BoxSets[cell.box] &= DigitSet(~bit);
        // A stop leaves the solution standing: no digit is put back, no cell emptied.
        if (!SudokuSolve(host, i + 1))
            return false;
        ColSets[cell.col] |= bit;
        RowSets[cell.row] |= bit;
        BoxSets[cell.box] |= bit;
        host.clear(cell.row, cell.col);
        if (host.cancelRequested())
            break;
    }
    return true;
}

// The puzzle the Sudoku window starts with: nine rows of nine symbols separated by blanks,
// "x" for an empty cell.
QStringList samplePuzzleRows();

// The sample's givens as values, 0 for the empty cells.
CellValues samplePuzzle();

} // namespace Sudoku
