#include "logic/solvers/SudokuSearch.h"

#include "logic/common/Numbers.h"

#include <bit>

namespace Sudoku {

int CellValue(const QString &text)
{
    return Numbers::tryStrToInt(text).value_or(0);
}

QString CellText(int value)
{
    return value == 0 ? QString() : QString::number(value);
}

SudokuSearch::SudokuSearch(const CellValues &values)
{
    RowSets.fill(kAllDigits);
    ColSets.fill(kAllDigits);
    BoxSets.fill(kAllDigits);
    for (int row = 0; row < kSize; ++row) {
        for (int col = 0; col < kSize; ++col) {
            const int value = values[row][col];
            const int box = BoxIndex(row, col);
            if (value == 0) {
                EmptyCells[K++] = {std::uint8_t(row), std::uint8_t(col), std::uint8_t(box)};
            } else if (value >= 1 && value <= 9) {
                // Values 10 and above, and negative ones, fill the cell but free no digit.
                const DigitSet bit = DigitSet(1u << value);
                RowSets[row] &= DigitSet(~bit);
                ColSets[col] &= DigitSet(~bit);
                BoxSets[box] &= DigitSet(~bit);
            }
        }
    }
}

SearchEnd SudokuSearch::run(SudokuHost &host)
{
    m_host = &host;
    const bool searchedOn = SudokuSolve(0);
    m_host = nullptr;
    return searchedOn ? SearchEnd::Finished : SearchEnd::Stopped;
}

bool SudokuSearch::SudokuSolve(int i)
{
    if (i == K)
        return m_host->askContinue();
    const EmptyCell cell = EmptyCells[i];
    const DigitSet candidates = BoxSets[cell.box] & ColSets[cell.col] & RowSets[cell.row];
    // The candidates are fixed on entry; visiting their bits from the lowest tries the digits
    // in ascending order.
    for (DigitSet rest = candidates; rest != 0; rest &= DigitSet(rest - 1)) {
        const int digit = std::countr_zero(rest);
        const DigitSet bit = DigitSet(1u << digit);
        m_host->place(cell.row, cell.col, digit);
        m_host->poll();
        ColSets[cell.col] &= DigitSet(~bit);
        RowSets[cell.row] &= DigitSet(~bit);
        BoxSets[cell.box] &= DigitSet(~bit);
        // A stop leaves the solution standing: no digit is put back, no cell emptied.
        if (!SudokuSolve(i + 1))
            return false;
        ColSets[cell.col] |= bit;
        RowSets[cell.row] |= bit;
        BoxSets[cell.box] |= bit;
        m_host->clear(cell.row, cell.col);
        if (m_host->cancelRequested())
            break;
    }
    return true;
}

QStringList samplePuzzleRows()
{
    return {
        QStringLiteral("2 3 x x x x x x x"), QStringLiteral("8 x 1 x x x x x x"),
        QStringLiteral("x x x x x 3 x x x"), QStringLiteral("x x 4 6 x 2 1 x 8"),
        QStringLiteral("x x x x x 7 x x x"), QStringLiteral("x 2 8 x 3 x x 9 4"),
        QStringLiteral("x x x 4 x 6 x x x"), QStringLiteral("x x 7 x 8 x 3 2 x"),
        QStringLiteral("1 x x x x x x x 6"),
    };
}

CellValues samplePuzzle()
{
    CellValues values {};
    const QStringList rows = samplePuzzleRows();
    for (int row = 0; row < kSize; ++row) {
        for (int col = 0; col < kSize; ++col) {
            const QChar symbol = rows.at(row).at(2 * col);
            if (symbol != u'x')
                values[row][col] = symbol.digitValue();
        }
    }
    return values;
}

} // namespace Sudoku
