// The Sudoku exchange format as the command-line program reads and writes it.
#include "cli/SudokuGridText.h"
#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

namespace {

QString errorOf(const QString &text)
{
    try {
        SudokuGridText::read(text);
    } catch (const QuarvelError &error) {
        return error.message();
    }
    return {};
}

} // namespace

TEST(SudokuGridText, ReadsNineLinesOneLineBlanksAndDots)
{
    const Sudoku::CellValues sample = Sudoku::samplePuzzle();
    const QString nine = SudokuGridText::write(sample);
    QString dotted = nine;
    dotted.replace(u'0', u'.');
    QString spaced = Sudoku::samplePuzzleRows().join(u'\n');
    spaced.replace(u'x', u'0');
    QString oneLine = nine;
    oneLine.remove(u'\n');
    for (const QString &text : {nine, dotted + QStringLiteral("\r\n"), spaced,
                                QStringLiteral("\n\n") + oneLine + QStringLiteral("\n")}) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(SudokuGridText::read(text), sample);
    }
}

TEST(SudokuGridText, NamesTheLineAndTheCharacterOfAFault)
{
    const QString row = QStringLiteral("123456789");
    QStringList rows(9, QStringLiteral("........."));
    rows[0] = row;
    const struct
    {
        QString text;
        QString message;
    } cases[] = {
        {QString(80, u'.'), QStringLiteral("Zeile 1 hat 80 Zeichen, erwartet werden 81.")},
        {QString(82, u'.'), QStringLiteral("Zeile 1 hat 82 Zeichen, erwartet werden 81.")},
        {QStringList(8, row).join(u'\n'),
         QStringLiteral("Das Gitter hat 8 Zeilen; erwartet werden 9 Zeilen mit je 9 Zeichen oder "
                        "eine Zeile mit 81 Zeichen.")},
        {QStringList(10, row).join(u'\n'),
         QStringLiteral("Das Gitter hat 10 Zeilen; erwartet werden 9 Zeilen mit je 9 Zeichen oder "
                        "eine Zeile mit 81 Zeichen.")},
        {(QStringList(rows).replaceInStrings(QStringLiteral("........."),
                                             QStringLiteral("........")))
             .join(u'\n'),
         QStringLiteral("Zeile 2 hat 8 Zeichen, erwartet werden 9.")},
        {QStringLiteral("x") + QString(80, u'.'),
         QStringLiteral("Zeile 1, Zeichen 1: „x“ ist weder eine Ziffer 1–9 noch „.“ oder „0“.")},
        {rows.join(u'\n').replace(QStringLiteral("1234"), QStringLiteral("12a4")),
         QStringLiteral("Zeile 1, Zeichen 3: „a“ ist weder eine Ziffer 1–9 noch „.“ oder „0“.")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(errorOf(c.text), c.message);
    }
}

TEST(SudokuGridText, RejectsTwoEqualGivensInARowColumnOrBlock)
{
    const struct
    {
        int r1, c1, r2, c2;
        const char *message;
    } cases[] = {
        {0, 0, 0, 8, "Die Vorgaben widersprechen sich: Zeile 1 enthält zweimal die 7."},
        {1, 4, 8, 4, "Die Vorgaben widersprechen sich: Spalte 5 enthält zweimal die 7."},
        {3, 3, 5, 5, "Die Vorgaben widersprechen sich: Block 5 enthält zweimal die 7."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        Sudoku::CellValues values {};
        values[c.r1][c.c1] = 7;
        values[c.r2][c.c2] = 7;
        EXPECT_EQ(errorOf(SudokuGridText::write(values)), QString::fromUtf8(c.message));
        values[c.r2][c.c2] = 8; // a different digit is fine
        EXPECT_EQ(errorOf(SudokuGridText::write(values)), QString());
    }
}
