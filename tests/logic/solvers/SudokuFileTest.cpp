#include "logic/solvers/SudokuFile.h"
#include "logic/common/QuarvelError.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Sudoku;

namespace {

const QByteArray kSampleText = "23.......\n8.1......\n.....3...\n..46.21.8\n.....7...\n"
                               ".28.3..94\n...4.6...\n..7.8.32.\n1.......6\n";

QString messageOf(const std::function<void()> &run)
{
    try {
        run();
    } catch (const QuarvelError &error) {
        return error.message();
    }
    return QStringLiteral("<kein Fehler>");
}

CellValues withCell(CellValues values, int row, int col, int value)
{
    values[row][col] = value;
    return values;
}

} // namespace

TEST(SudokuFile, TheSampleRoundTrips)
{
    EXPECT_EQ(SudokuText(samplePuzzle()), kSampleText);
    EXPECT_EQ(ReadSudokuText(kSampleText), samplePuzzle());
}

TEST(SudokuFile, AcceptsTheUsualSpellingsOfOnePuzzle)
{
    const CellValues sample = samplePuzzle();
    const QByteArray oneLine = QByteArray(kSampleText).replace('\n', "");
    const QByteArray spaced = "2 3 . . . . . . .\n8 . 1 . . . . . .\n. . . . . 3 . . .\n"
                              ". . 4 6 . 2 1 . 8\n. . . . . 7 . . .\n. 2 8 . 3 . . 9 4\n"
                              ". . . 4 . 6 . . .\n. . 7 . 8 . 3 2 .\n1 . . . . . . . 6";
    const std::pair<const char *, QByteArray> cases[] = {
        {"nine lines", kSampleText},
        {"without the last line end", kSampleText.chopped(1)},
        {"with empty lines at the end", kSampleText + "\n\n  \n"},
        {"Windows line ends", QByteArray(kSampleText).replace("\n", "\r\n")},
        {"old Mac line ends", QByteArray(kSampleText).replace('\n', '\r')},
        {"zeros for empty cells", QByteArray(kSampleText).replace('.', '0')},
        {"one line of 81", oneLine},
        {"one line with a line end", oneLine + "\n"},
        {"blanks and tabs", spaced},
        {"a tab between blocks", QByteArray(kSampleText).replace("23.", "23.\t")},
        {"byte order mark", "\xEF\xBB\xBF" + kSampleText},
    };
    for (const auto &[name, text] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadSudokuText(text), sample);
    }
}

TEST(SudokuFile, MalformedTextsNameLineAndCharacter)
{
    const QByteArray rows = kSampleText;
    const std::pair<QByteArray, const char16_t *> cases[] = {
        {"", u"Die Datei ist leer: Sie enthält kein Sudoku."},
        {"\n \n", u"Die Datei ist leer: Sie enthält kein Sudoku."},
        {QByteArray(rows).replace("8.1", "8x1"),
         u"Zeile 2, Zeichen 2 (Sudoku-Zeile 2, Spalte 2): „x“ ist weder eine Ziffer 1–9 noch ein "
         u"leeres Feld („.“ oder „0“)."},
        {QByteArray(rows).replace("1.......6", "1......-6"),
         u"Zeile 9, Zeichen 8 (Sudoku-Zeile 9, Spalte 8): „-“ ist weder eine Ziffer 1–9 noch ein "
         u"leeres Feld („.“ oder „0“)."},
        // Blanks between the cells and the one-line form: the cell is named by row and column.
        {"2 3 x . . . . . .\n" + rows.mid(10),
         u"Zeile 1, Zeichen 5 (Sudoku-Zeile 1, Spalte 3): „x“ ist weder eine Ziffer 1–9 noch ein "
         u"leeres Feld („.“ oder „0“)."},
        {QByteArray(40, '.') + "5x" + QByteArray(39, '.'),
         u"Zeile 1, Zeichen 42 (Sudoku-Zeile 5, Spalte 6): „x“ ist weder eine Ziffer 1–9 noch ein "
         u"leeres Feld („.“ oder „0“)."},
        {"ä" + rows.mid(1),
         u"Zeile 1, Zeichen 1 (Sudoku-Zeile 1, Spalte 1): „ä“ ist weder eine Ziffer 1–9 noch ein "
         u"leeres Feld („.“ oder „0“)."},
        {QByteArray(rows).replace("8.1......", "8.1.....\n"),
         u"Zeile 2, Zeichen 9: Die Zeile endet nach 8 von 9 Feldern."},
        {QByteArray(rows).replace("8.1......", "8.1 ......."),
         u"Zeile 2, Zeichen 11: Die Zeile hat mehr als 9 Felder."},
        {rows.left(40), u"Zeile 4: Die Datei endet nach 4 von neun Zeilen."},
        {rows.left(39), u"Zeile 4: Die Datei endet nach 4 von neun Zeilen."},
        {rows.left(45), u"Zeile 5, Zeichen 6: Die Zeile endet nach 5 von 9 Feldern."},
        {rows + "123456789\n", u"Zeile 10: Ein Sudoku hat nur neun Zeilen."},
        {QByteArray(rows).replace(".....3...\n", ".....3...\n\n"),
         u"Zeile 4, Zeichen 1: Die Zeile endet nach 0 von 9 Feldern."},
        {QByteArray(80, '.'), u"Zeile 1, Zeichen 81: Die Zeile endet nach 80 von 81 Feldern."},
        {QByteArray(82, '.'), u"Zeile 1, Zeichen 82: Die Zeile hat mehr als 81 Felder."},
    };
    for (const auto &[text, message] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(messageOf([&] { ReadSudokuText(text); }), QString::fromUtf16(message));
    }
    // At the limit of one line: 81 cells are read.
    EXPECT_EQ(ReadSudokuText(QByteArray(81, '0')), CellValues {});
}

TEST(SudokuFile, OnlyDigitsOneToNineAreWrittenAsGivens)
{
    CellValues values {};
    values[0] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    values[1] = {0, 10, -1, 255, 12, 0, 0, 0, 9};
    const QByteArray text = SudokuText(values);
    EXPECT_TRUE(text.startsWith("123456789\n........9\n.........\n"));
    EXPECT_EQ(text.size(), 90);
}

TEST(SudokuFile, FilesAreWrittenWholeAndReadBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("raetsel.sud"));
    WriteSudokuFile(path, samplePuzzle());
    EXPECT_EQ(ReadSudokuFile(path), samplePuzzle());

    const QString missing = dir.filePath(QStringLiteral("fehlt/raetsel.sud"));
    EXPECT_TRUE(
        messageOf([&] { WriteSudokuFile(missing, samplePuzzle()); })
            .startsWith(
                QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden: ").arg(missing)));
    EXPECT_TRUE(
        messageOf([&] {
            ReadSudokuFile(missing);
        }).startsWith(QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(missing)));
}

TEST(SudokuFile, FilesAboveTheSizeLimitAreRefusedUnread)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gross.txt"));
    for (const qint64 size : {kMaxFileBytes - 1, kMaxFileBytes, kMaxFileBytes + 1}) {
        SCOPED_TRACE(size);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // The puzzle on one line, padded with blanks up to the size.
        file.write(QByteArray(81, '0') + QByteArray(size - 81, ' '));
        file.close();
        const QString message = messageOf([&] { ReadSudokuFile(path); });
        if (size > kMaxFileBytes)
            EXPECT_EQ(message,
                      QStringLiteral("Die Datei „%1“ ist zu groß für ein Sudoku.").arg(path));
        else
            EXPECT_EQ(message, QStringLiteral("<kein Fehler>"));
    }
}

TEST(SudokuFile, AMalformedFileIsNamedInTheMessage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kaputt.sud"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("12345678?\n");
    file.close();
    EXPECT_EQ(messageOf([&] { ReadSudokuFile(path); }),
              QStringLiteral("Die Datei „%1“ enthält kein lesbares Sudoku.\nZeile 1, Zeichen 9 "
                             "(Sudoku-Zeile 1, Spalte 9): „?“ ist weder eine Ziffer 1–9 noch ein "
                             "leeres Feld („.“ oder „0“).")
                  .arg(path));
}

TEST(SudokuGivens, TwoEqualDigitsInARowColumnOrBlockAreNamed)
{
    const CellValues sample = samplePuzzle();
    const std::pair<CellValues, const char16_t *> cases[] = {
        {withCell(sample, 0, 8, 3), u"Zeile 1 enthält zweimal die 3."},
        {withCell(sample, 8, 1, 6), u"Zeile 9 enthält zweimal die 6."},
        {withCell(sample, 6, 0, 8), u"Spalte 1 enthält zweimal die 8."},
        {withCell(sample, 0, 8, 6), u"Spalte 9 enthält zweimal die 6."},
        {withCell(sample, 2, 2, 2), u"Block oben links enthält zweimal die 2."},
        {withCell(sample, 3, 4, 7), u"Block Mitte enthält zweimal die 7."},
        {withCell(sample, 6, 8, 2), u"Block unten rechts enthält zweimal die 2."},
        // A row pair is named before a column pair found in the same grid.
        {withCell(withCell(sample, 1, 0, 2), 1, 8, 1), u"Zeile 2 enthält zweimal die 1."},
    };
    for (const auto &[values, message] : cases) {
        SCOPED_TRACE(QString::fromUtf16(message).toStdString());
        EXPECT_EQ(messageOf([&] { CheckGivens(values); }),
                  QStringLiteral("Die Vorgaben widersprechen sich: ") +
                      QString::fromUtf16(message));
    }
}

TEST(SudokuGivens, EverythingElsePassesUnchecked)
{
    const CellValues sample = samplePuzzle();
    CellValues others = sample;
    // Values outside 1..9 constrain nothing, also when they repeat.
    others[0][8] = 12;
    others[1][8] = 12;
    others[2][8] = -3;
    others[4][0] = 10;
    others[4][1] = 10;
    const CellValues cases[] = {CellValues {}, sample, others};
    for (const CellValues &values : cases)
        EXPECT_EQ(messageOf([&] { CheckGivens(values); }), QStringLiteral("<kein Fehler>"));
}
