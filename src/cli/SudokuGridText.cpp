#include "cli/SudokuGridText.h"

#include "logic/common/QuarvelError.h"

#include <QStringList>

#include <array>
#include <utility>
#include <vector>

namespace SudokuGridText {
namespace {

using Sudoku::kSize;

struct GridLine
{
    int number = 0; // line number in the text, from 1
    QString cells; // the line without blanks
};

std::vector<GridLine> gridLines(const QString &text)
{
    std::vector<GridLine> lines;
    const QStringList raw = text.split(u'\n');
    for (qsizetype i = 0; i < raw.size(); ++i) {
        QString cells = raw.at(i);
        cells.remove(u' ');
        cells.remove(u'\t');
        cells.remove(u'\r');
        if (!cells.isEmpty())
            lines.push_back({int(i + 1), cells});
    }
    return lines;
}

int cellValue(const GridLine &line, qsizetype index)
{
    const QChar c = line.cells.at(index);
    if (c == u'.' || c == u'0')
        return 0;
    if (c >= u'1' && c <= u'9')
        return c.unicode() - u'0';
    throw QuarvelError(
        QStringLiteral("Zeile %1, Zeichen %2: „%3“ ist weder eine Ziffer 1–9 noch „.“ oder „0“.")
            .arg(line.number)
            .arg(index + 1)
            .arg(c));
}

void requireLength(const GridLine &line, qsizetype length)
{
    if (line.cells.size() != length)
        throw QuarvelError(QStringLiteral("Zeile %1 hat %2 Zeichen, erwartet werden %3.")
                               .arg(line.number)
                               .arg(line.cells.size())
                               .arg(length));
}

[[noreturn]] void contradiction(const QString &where, int digit)
{
    throw QuarvelError(QStringLiteral("Die Vorgaben widersprechen sich: %1 enthält zweimal die %2.")
                           .arg(where)
                           .arg(digit));
}

void checkGivens(const Sudoku::CellValues &values)
{
    for (int unit = 0; unit < kSize; ++unit) {
        std::array<bool, 10> inRow {}, inColumn {}, inBox {};
        for (int i = 0; i < kSize; ++i) {
            const int r = values[unit][i];
            const int c = values[i][unit];
            const int b = values[(unit / 3) * 3 + i / 3][(unit % 3) * 3 + i % 3];
            if (r != 0 && std::exchange(inRow[r], true))
                contradiction(QStringLiteral("Zeile %1").arg(unit + 1), r);
            if (c != 0 && std::exchange(inColumn[c], true))
                contradiction(QStringLiteral("Spalte %1").arg(unit + 1), c);
            if (b != 0 && std::exchange(inBox[b], true))
                contradiction(QStringLiteral("Block %1").arg(unit + 1), b);
        }
    }
}

} // namespace

Sudoku::CellValues read(const QString &text)
{
    const std::vector<GridLine> lines = gridLines(text);
    Sudoku::CellValues values {};
    if (lines.size() == 1) {
        requireLength(lines.front(), kSize * kSize);
        for (int i = 0; i < kSize * kSize; ++i)
            values[i / kSize][i % kSize] = cellValue(lines.front(), i);
    } else if (lines.size() == std::size_t(kSize)) {
        for (int row = 0; row < kSize; ++row) {
            requireLength(lines[row], kSize);
            for (int col = 0; col < kSize; ++col)
                values[row][col] = cellValue(lines[row], col);
        }
    } else {
        throw QuarvelError(QStringLiteral("Das Gitter hat %1 Zeilen; erwartet werden 9 Zeilen "
                                          "mit je 9 Zeichen oder eine Zeile mit 81 Zeichen.")
                               .arg(lines.size()));
    }
    checkGivens(values);
    return values;
}

QString write(const Sudoku::CellValues &values)
{
    QString text;
    for (int row = 0; row < kSize; ++row) {
        if (row > 0)
            text += u'\n';
        for (int col = 0; col < kSize; ++col)
            text += QChar(u'0' + values[row][col]);
    }
    return text;
}

} // namespace SudokuGridText
