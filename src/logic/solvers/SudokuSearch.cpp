#include "logic/solvers/SudokuSearch.h"

#include "logic/common/Numbers.h"

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
