// The Sudoku subcommand reads the exchange format with the window's reader: the same spellings,
// the same messages, the same size limit for a file and for stdin.
#include "cli/CliInProcess.h"
#include "logic/solvers/SudokuFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray sampleText()
{
    return Sudoku::SudokuText(Sudoku::samplePuzzle());
}

QByteArray errorOf(const QByteArray &text)
{
    return runInProcess({"sudoku", "--max", "1"}, text).err;
}

QByteArray message(const char *text)
{
    return QByteArray("quarvel-cli: ") + text + '\n';
}

} // namespace

TEST(SudokuCommand, ReadsNineLinesOneLineBlanksAndDots)
{
    const CliInProcess expected = runInProcess({"sudoku", "--max", "2"}, sampleText());
    ASSERT_EQ(expected.code, 0);
    QByteArray zeros = sampleText();
    zeros.replace('.', '0');
    QByteArray spaced = Sudoku::samplePuzzleRows().join(u'\n').toUtf8();
    spaced.replace('x', '0');
    QByteArray oneLine = sampleText();
    oneLine.replace("\n", "");
    for (const QByteArray &text : {zeros, sampleText().replace("\n", "\r\n"), spaced,
                                   oneLine + "\n\n", "\xEF\xBB\xBF" + sampleText()}) {
        SCOPED_TRACE(text.toStdString());
        const CliInProcess o = runInProcess({"sudoku", "--max", "2"}, text);
        EXPECT_EQ(o.code, 0);
        EXPECT_EQ(o.out, expected.out);
    }
}

TEST(SudokuCommand, NamesTheLineAndTheCharacterOfAFault)
{
    const QByteArray row = "123456789";
    QList<QByteArray> rows(9, ".........");
    rows[0] = row;
    QList<QByteArray> shortRow = rows;
    shortRow[1] = "........";
    const struct
    {
        QByteArray text;
        const char *message;
    } cases[] = {
        {{}, "Die Datei ist leer: Sie enthält kein Sudoku."},
        {QByteArray(80, '.'), "Zeile 1, Zeichen 81: Die Zeile endet nach 80 von 81 Feldern."},
        {QByteArray(82, '.'), "Zeile 1, Zeichen 82: Die Zeile hat mehr als 81 Felder."},
        {QList<QByteArray>(8, row).join('\n'), "Zeile 8: Die Datei endet nach 8 von neun Zeilen."},
        {QList<QByteArray>(10, row).join('\n'), "Zeile 10: Ein Sudoku hat nur neun Zeilen."},
        {shortRow.join('\n'), "Zeile 2, Zeichen 9: Die Zeile endet nach 8 von 9 Feldern."},
        {"x" + QByteArray(80, '.'),
         "Zeile 1, Zeichen 1 (Sudoku-Zeile 1, Spalte 1): „x“ ist weder eine Ziffer 1–9 noch ein "
         "leeres Feld („.“ oder „0“)."},
        {rows.join('\n').replace("1234", "12a4"),
         "Zeile 1, Zeichen 3 (Sudoku-Zeile 1, Spalte 3): „a“ ist weder eine Ziffer 1–9 noch ein "
         "leeres Feld („.“ oder „0“)."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(errorOf(c.text), message(c.message));
    }
}

TEST(SudokuCommand, RejectsTwoEqualGivensInARowColumnOrBlock)
{
    const struct
    {
        int r1, c1, r2, c2;
        const char *message;
    } cases[] = {
        {0, 0, 0, 8, "Die Vorgaben widersprechen sich: Zeile 1 enthält zweimal die 7."},
        {1, 4, 8, 4, "Die Vorgaben widersprechen sich: Spalte 5 enthält zweimal die 7."},
        {3, 3, 5, 5, "Die Vorgaben widersprechen sich: Block Mitte enthält zweimal die 7."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        Sudoku::CellValues values {};
        values[c.r1][c.c1] = 7;
        values[c.r2][c.c2] = 7;
        EXPECT_EQ(errorOf(Sudoku::SudokuText(values)), message(c.message));
        values[c.r2][c.c2] = 8; // a different digit is fine
        EXPECT_EQ(errorOf(Sudoku::SudokuText(values)), QByteArray());
    }
}

TEST(SudokuCommand, StdinAndFilesAboveTheWindowsLimitAreRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto padded = [](qint64 size) {
        // Blank lines after the grid are ignored, so only the size decides.
        QByteArray text = sampleText();
        text.append(QByteArray(size - text.size(), '\n'));
        return text;
    };
    const struct
    {
        const char *name;
        qint64 size;
        bool refused;
    } cases[] = {
        {"below", Sudoku::kMaxFileBytes - 1, false},
        {"at", Sudoku::kMaxFileBytes, false},
        {"above", Sudoku::kMaxFileBytes + 1, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliInProcess fromStdin = runInProcess({"sudoku", "--max", "1"}, padded(c.size));
        EXPECT_EQ(fromStdin.code, c.refused ? 1 : 0);
        EXPECT_EQ(fromStdin.err,
                  c.refused ? message("Die Standardeingabe ist zu groß: Gelesen werden höchstens "
                                      "65.536 Byte.")
                            : QByteArray());
        QFile file(dir.filePath(QStringLiteral("raetsel.sud")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(padded(c.size));
        file.close();
        const CliInProcess fromFile =
            runInProcess({"sudoku", "--max", "1", file.fileName().toUtf8()});
        EXPECT_EQ(fromFile.code, c.refused ? 1 : 0);
        EXPECT_EQ(fromFile.err.contains("ist zu groß"), c.refused) << fromFile.err.toStdString();
    }
    // An endless device is read only up to the limit.
    const CliInProcess zero = runInProcess({"sudoku", "/dev/zero"});
    EXPECT_EQ(zero.code, 1);
    EXPECT_EQ(zero.err,
              message("Die Datei „/dev/zero“ ist zu groß: Gelesen werden höchstens 65.536 Byte."));
}

TEST(SudokuCommand, JsonHasExactlyItsKeys)
{
    const CliInProcess o = runInProcess({"--json", "sudoku", "--max", "1"}, sampleText());
    ASSERT_EQ(o.code, 0);
    const QJsonObject object = QJsonDocument::fromJson(o.out).object();
    QStringList keys = object.keys();
    keys.sort();
    EXPECT_EQ(keys,
              (QStringList {QStringLiteral("anzahl"), QStringLiteral("loesungen"),
                            QStringLiteral("vollstaendig")}));
    EXPECT_EQ(object.value(u"loesungen").toArray().size(), 1);
    EXPECT_EQ(object.value(u"loesungen").toArray().at(0).toArray().size(), 9);
}

// JSON gathers the solutions before writing them: without --max, and above the limit with it,
// an empty grid stops at 10,000 solutions and says it is not complete.
TEST(SudokuCommand, JsonStopsAtItsLimit)
{
    const struct
    {
        QList<QByteArray> arguments;
        int solutions;
    } cases[] = {
        {{"--json", "sudoku"}, 10000},
        {{"--json", "sudoku", "--max", "10001"}, 10000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QByteArrayList(c.arguments).join(' ').toStdString());
        const CliInProcess o = runInProcess(c.arguments, QByteArray(81, '.'));
        ASSERT_EQ(o.code, 0);
        const QJsonObject object = QJsonDocument::fromJson(o.out).object();
        EXPECT_EQ(object.value(u"anzahl").toInt(), c.solutions);
        EXPECT_EQ(object.value(u"loesungen").toArray().size(), c.solutions);
        EXPECT_FALSE(object.value(u"vollstaendig").toBool());
    }
}
