#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/solvers/uSudoku.h"
#include "gui/support/DesignSize.h"
#include "logic/solvers/SudokuFile.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString kAsk = QStringLiteral("Lösung gefunden! Weiter suchen?");
const QString kNoSolution = QStringLiteral("Keine Lösung gefunden !");
const QString kCancelled = QStringLiteral("Suche abgebrochen !");

const char *const kSample[9] = {
    "2 3 . . . . . . .", "8 . 1 . . . . . .", ". . . . . 3 . . .",
    ". . 4 6 . 2 1 . 8", ". . . . . 7 . . .", ". 2 8 . 3 . . 9 4",
    ". . . 4 . 6 . . .", ". . 7 . 8 . 3 2 .", "1 . . . . . . . 6",
};
const char *const kFirstSolution[9] = {
    "2 3 5 7 1 8 4 6 9", "8 6 1 9 5 4 7 3 2", "4 7 9 2 6 3 5 8 1",
    "3 5 4 6 9 2 1 7 8", "9 1 6 8 4 7 2 5 3", "7 2 8 5 3 1 6 9 4",
    "5 8 3 4 2 6 9 1 7", "6 4 7 1 8 9 3 2 5", "1 9 2 3 7 5 8 4 6",
};
// Row 8 leaves only a 9 for its last cell, which the last column already holds: the search
// fills rows 0 to 7 over and over without ever finding a solution.
const char *const kHopeless[9] = {
    ". . . . . . . . 9", ". . . . . . . . .", ". . . . . . . . .",
    ". . . . . . . . .", ". . . . . . . . .", ". . . . . . . . .",
    ". . . . . . . . .", ". . . . . . . . .", "1 2 3 4 5 6 7 8 .",
};

// The grid as nine rows of blank-separated texts, "." for an empty cell.
QStringList gridRows(const TfrmSudoku &window)
{
    QStringList rows;
    for (int row = 0; row < 9; ++row) {
        QStringList cells;
        for (int col = 0; col < 9; ++col) {
            const QString text = window.sgSodoku->item(row, col)->text();
            cells << (text.isEmpty() ? QStringLiteral(".") : text);
        }
        rows << cells.join(u' ');
    }
    return rows;
}

QStringList rowsOf(const char *const (&rows)[9])
{
    QStringList result;
    for (const char *row : rows)
        result << QString::fromUtf8(row);
    return result;
}

void fill(TfrmSudoku &window, const char *const (&rows)[9])
{
    for (int row = 0; row < 9; ++row) {
        const QStringList cells = QString::fromUtf8(rows[row]).split(u' ');
        for (int col = 0; col < 9; ++col)
            window.sgSodoku->item(row, col)->setText(cells[col] == u"." ? QString() : cells[col]);
    }
}

struct SudokuFixture : ::testing::Test
{
    SudokuFixture() { window.show(); }

    void click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    int asks() const { return int(app.dialogs.texts().count(kAsk)); }

    TestApp app;
    TfrmSudoku window {app.context};
};

} // namespace

TEST_F(SudokuFixture, StartsWithTheSamplePuzzle)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sudoku-Solver"));
    EXPECT_EQ(gridRows(window), rowsOf(kSample));
    EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
              QStringLiteral("Sudoku - Solver (Multisolver)"));
    const char *names[] = {"btnNew", "btnLoad", "Button3", "btnSolve", "btnCancel"};
    const char *texts[] = {"Neu", "Laden", "Speichern", "Lösen", "Abbrechen"};
    int lastX = -1;
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(names[i]);
        auto *button = window.findChild<QPushButton *>(QString::fromLatin1(names[i]));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromUtf8(texts[i]));
        EXPECT_GT(button->x(), lastX);
        EXPECT_GT(button->y(), window.sgSodoku->geometry().bottom());
        lastX = button->x();
    }
    // 40 pixels at 120 dpi.
    EXPECT_EQ(window.sgSodoku->columnWidth(4), DesignSize::px(&window, 40));
    EXPECT_EQ(window.sgSodoku->rowHeight(4), DesignSize::px(&window, 40));
}

TEST_F(SudokuFixture, AcceptingEverySolutionEndsWithTheGivens)
{
    QStringList firstShown;
    app.dialogs.onAsk = [&](const Dialogs::Message &message) {
        if (message.text == kAsk && firstShown.isEmpty()) {
            firstShown = gridRows(window);
            EXPECT_EQ(message.title, QStringLiteral("Informationen"));
            EXPECT_EQ(message.buttons, Dialogs::Yes | Dialogs::No);
            EXPECT_TRUE(window.searchRunning());
        }
    };
    click(window.btnSolve);
    EXPECT_EQ(firstShown, rowsOf(kFirstSolution));
    EXPECT_EQ(asks(), 336);
    EXPECT_EQ(app.dialogs.lastText(), kNoSolution);
    EXPECT_EQ(app.dialogs.messages.last().title, QStringLiteral("Quarvel"));
    EXPECT_EQ(gridRows(window), rowsOf(kSample));
    EXPECT_FALSE(window.searchRunning());
}

TEST_F(SudokuFixture, NeinLeavesTheSolutionStanding)
{
    // A cancel outside a search is forgotten by the next start.
    click(window.btnCancel);
    app.dialogs.answers = {Dialogs::No};
    click(window.btnSolve);
    EXPECT_EQ(app.dialogs.texts(), QStringList({kAsk, kCancelled}));
    EXPECT_EQ(gridRows(window), rowsOf(kFirstSolution));
    EXPECT_TRUE(window.btnSolve->isEnabled());
}

TEST_F(SudokuFixture, AbbrechenReactsWhileTheOtherButtonsAreBlocked)
{
    fill(window, kHopeless);
    bool sawSearch = false;
    QTimer::singleShot(0, &window, [&] {
        sawSearch = window.searchRunning();
        EXPECT_FALSE(window.btnSolve->isEnabled());
        EXPECT_FALSE(window.btnNew->isEnabled());
        EXPECT_FALSE(window.btnLoad->isEnabled());
        EXPECT_FALSE(window.Button3->isEnabled());
        EXPECT_TRUE(window.btnCancel->isEnabled());
        // Typing into a cell the search never reaches changes nothing while it runs.
        window.sgSodoku->setCurrentCell(8, 8);
        QTest::keyClick(window.sgSodoku, Qt::Key_5);
        EXPECT_EQ(window.sgSodoku->item(8, 8)->text(), QString());
        // The grid shows the search at work, and blocked buttons change nothing.
        EXPECT_NE(gridRows(window), rowsOf(kHopeless));
        const QStringList during = gridRows(window);
        click(window.btnNew);
        click(window.btnSolve);
        EXPECT_EQ(gridRows(window), during);
        click(window.btnCancel);
    });
    click(window.btnSolve);
    EXPECT_TRUE(sawSearch);
    EXPECT_EQ(app.dialogs.texts(), QStringList({kCancelled}));
    EXPECT_EQ(gridRows(window), rowsOf(kHopeless));
    EXPECT_TRUE(window.btnNew->isEnabled());
    window.sgSodoku->setCurrentCell(8, 8);
    QTest::keyClick(window.sgSodoku, Qt::Key_5);
    EXPECT_EQ(window.sgSodoku->item(8, 8)->text(), QStringLiteral("5"));
}

TEST_F(SudokuFixture, AbbrechenWhileASolutionIsShownEmptiesTheGrid)
{
    app.dialogs.onAsk = [&](const Dialogs::Message &message) {
        if (message.text == kAsk)
            click(window.btnCancel);
    };
    click(window.btnSolve);
    EXPECT_EQ(app.dialogs.texts(), QStringList({kAsk, kCancelled}));
    EXPECT_EQ(gridRows(window), rowsOf(kSample));
}

TEST_F(SudokuFixture, FullGridAsksAtOnce)
{
    // A full grid without a repeated digit is not checked any further, nor are numbers that
    // are no digits.
    const char *const twelves[9] = {
        "12 12 12 12 12 12 12 12 12", "12 12 12 12 12 12 12 12 12", "12 12 12 12 12 12 12 12 12",
        "12 12 12 12 12 12 12 12 12", "12 12 12 12 12 12 12 12 12", "12 12 12 12 12 12 12 12 12",
        "12 12 12 12 12 12 12 12 12", "12 12 12 12 12 12 12 12 12", "12 12 12 12 12 12 12 12 12",
    };
    for (const auto *rows : {&kFirstSolution, &twelves}) {
        app.dialogs.messages.clear();
        fill(window, *rows);
        click(window.btnSolve);
        EXPECT_EQ(app.dialogs.texts(), QStringList({kAsk, kNoSolution}));
        EXPECT_EQ(gridRows(window), rowsOf(*rows));
    }
}

TEST_F(SudokuFixture, ContradictoryGivensAreNamedAndNotSearched)
{
    struct Case
    {
        int row, col;
        const char16_t *text;
        const char16_t *message;
    };
    // Each case adds one cell to the sample; the sample alone has no contradiction.
    const Case cases[] = {
        {0, 8, u"2", u"Die Vorgaben widersprechen sich: Zeile 1 enthält zweimal die 2."},
        {0, 8, u" 3", u"Die Vorgaben widersprechen sich: Zeile 1 enthält zweimal die 3."},
        {0, 8, u"$3", u"Die Vorgaben widersprechen sich: Zeile 1 enthält zweimal die 3."},
        {4, 0, u"8", u"Die Vorgaben widersprechen sich: Spalte 1 enthält zweimal die 8."},
        {2, 2, u"2", u"Die Vorgaben widersprechen sich: Block oben links enthält zweimal die 2."},
        {8, 8, u"06", u""}, // the same cell again: no pair
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.message).toStdString());
        fill(window, kSample);
        window.sgSodoku->item(c.row, c.col)->setText(QString::fromUtf16(c.text));
        const QStringList before = gridRows(window);
        app.dialogs.messages.clear();
        app.dialogs.answers = {Dialogs::No};
        click(window.btnSolve);
        if (*c.message == 0) {
            EXPECT_EQ(app.dialogs.texts(), QStringList({kAsk, kCancelled}));
            continue;
        }
        ASSERT_EQ(app.dialogs.messages.size(), 1);
        EXPECT_EQ(app.dialogs.messages[0].title, QStringLiteral("Quarvel"));
        EXPECT_EQ(app.dialogs.messages[0].icon, Dialogs::Icon::Error);
        EXPECT_EQ(app.dialogs.lastText(), QString::fromUtf16(c.message));
        EXPECT_EQ(gridRows(window), before);
        EXPECT_FALSE(window.searchRunning());
    }
}

TEST_F(SudokuFixture, NumberCellsStayAndOtherTextsAreOverwritten)
{
    // (8, 8) holds a number that is no digit, (8, 7) a text that is no number.
    const char *const rows[9] = {
        "2 3 5 7 1 8 4 6 9", "8 6 1 9 5 4 7 3 2", "4 7 9 2 6 3 5 8 1",
        "3 5 4 6 9 2 1 7 8", "9 1 6 8 4 7 2 5 3", "7 2 8 5 3 1 6 9 4",
        "5 8 3 4 2 6 9 1 7", "6 4 7 1 8 9 3 2 5", "1 9 2 3 7 5 . a 12",
    };
    fill(window, rows);
    QString shownRow;
    app.dialogs.onAsk = [&](const Dialogs::Message &message) {
        if (message.text == kAsk)
            shownRow = gridRows(window).at(8);
    };
    click(window.btnSolve);
    EXPECT_EQ(shownRow, QStringLiteral("1 9 2 3 7 5 8 4 12"));
    EXPECT_EQ(app.dialogs.texts(), QStringList({kAsk, kNoSolution}));
    EXPECT_EQ(gridRows(window).at(8), QStringLiteral("1 9 2 3 7 5 . . 12"));
}

TEST_F(SudokuFixture, EmptyGridAfterNeuReachesItsFirstSolution)
{
    click(window.btnNew);
    EXPECT_EQ(gridRows(window).join(u' ').count(u'.'), 81);
    app.dialogs.answers = {Dialogs::No};
    click(window.btnSolve);
    EXPECT_EQ(app.dialogs.texts(), QStringList({kAsk, kCancelled}));
    EXPECT_EQ(gridRows(window).at(0), QStringLiteral("1 2 3 4 5 6 7 8 9"));
    EXPECT_EQ(gridRows(window).at(8), QStringLiteral("9 7 8 5 3 1 6 4 2"));
}

TEST_F(SudokuFixture, SpeichernAndLadenRoundTripTheGivens)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("raetsel.sud"));
    // What is no digit 1-9 is no given of the exchange format.
    window.sgSodoku->item(0, 8)->setText(QStringLiteral("12"));
    window.sgSodoku->item(1, 8)->setText(QStringLiteral("a"));
    window.sgSodoku->item(2, 8)->setText(QStringLiteral(" 7"));
    app.dialogs.fileAnswers = {path};
    click(window.Button3);
    ASSERT_EQ(app.dialogs.fileRequests.size(), 1);
    EXPECT_EQ(app.dialogs.fileRequests[0].filter,
              QStringLiteral("Sudoku (*.sud);;Textdateien (*.txt);;Alle Dateien (*)"));
    EXPECT_EQ(app.dialogs.fileRequests[0].defaultSuffix, QStringLiteral("sud"));
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              QByteArray("23.......\n8.1......\n.....3..7\n..46.21.8\n.....7...\n"
                         ".28.3..94\n...4.6...\n..7.8.32.\n1.......6\n"));

    click(window.btnNew);
    app.dialogs.fileAnswers = {path};
    click(window.btnLoad);
    ASSERT_EQ(app.dialogs.fileRequests.size(), 2);
    EXPECT_EQ(app.dialogs.fileRequests[1].directory, dir.path());
    EXPECT_EQ(app.dialogs.fileRequests[1].fileName, QStringLiteral("raetsel.sud"));
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
    QStringList expected = rowsOf(kSample);
    expected[2] = QStringLiteral(". . . . . 3 . . 7");
    EXPECT_EQ(gridRows(window), expected);
}

TEST_F(SudokuFixture, LadenKeepsTheGridWhenTheFileIsCancelledMissingOrMalformed)
{
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("kaputt.txt"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("23.......\n8.1......\n..x..3...\n");
    file.close();
    const QString missing = dir.filePath(QStringLiteral("fehlt.sud"));
    app.dialogs.fileAnswers = {QString(), bad, missing};
    for (int i = 0; i < 3; ++i)
        click(window.btnLoad);
    EXPECT_EQ(gridRows(window), rowsOf(kSample));
    ASSERT_EQ(app.dialogs.messages.size(), 2);
    EXPECT_EQ(app.dialogs.messages[0].text,
              QStringLiteral("Die Datei „%1“ enthält kein lesbares Sudoku.\nZeile 3, Zeichen 3 "
                             "(Sudoku-Zeile 3, Spalte 3): „x“ ist weder eine Ziffer 1–9 noch ein "
                             "leeres Feld („.“ oder „0“).")
                  .arg(bad));
    EXPECT_TRUE(app.dialogs.messages[1].text.startsWith(
        QStringLiteral("Datei %1 kann nicht geöffnet werden.").arg(missing)));
    // A failed load does not move the dialogs' starting point.
    EXPECT_TRUE(app.dialogs.fileRequests[2].directory.isEmpty());
}

TEST_F(SudokuFixture, SpeichernIntoAFolderThatIsNotThereSaysSoAndKeepsTheGrid)
{
    const QString path = QStringLiteral("/nicht/da/raetsel.sud");
    app.dialogs.fileAnswers = {path};
    click(window.Button3);
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_TRUE(app.dialogs.lastText().startsWith(
        QStringLiteral("Die Datei „/nicht/da/raetsel.sud“ konnte nicht geschrieben werden")));
    EXPECT_EQ(gridRows(window), rowsOf(kSample));
}

TEST_F(SudokuFixture, ClosingDuringTheSearchCancelsIt)
{
    fill(window, kHopeless);
    QTimer::singleShot(0, &window, [&] { window.close(); });
    click(window.btnSolve);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.searchRunning());
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
    EXPECT_EQ(gridRows(window), rowsOf(kHopeless));
    // Shown again, the window searches as before.
    window.show();
    fill(window, kFirstSolution);
    click(window.btnSolve);
    EXPECT_EQ(app.dialogs.texts(), QStringList({kAsk, kNoSolution}));
}

TEST_F(SudokuFixture, ClosingTheMainWindowEndsTheProgramDuringASearch)
{
    TfrmQuarvelMain mainWindow(app.context);
    mainWindow.show();
    fill(window, kHopeless);
    bool stuck = false;
    QTimer::singleShot(0, &window, [&] {
        QTimer::singleShot(20, &mainWindow, [&] { mainWindow.close(); });
        // Should the quit not reach the search, end it anyway so the test cannot hang.
        QTimer::singleShot(5000, &window, [&] {
            stuck = true;
            window.SudokuCancel = true;
        });
        click(window.btnSolve);
    });
    QApplication::exec();
    EXPECT_FALSE(stuck);
    EXPECT_FALSE(window.searchRunning());
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

TEST_F(SudokuFixture, BlockBordersAreBlueBetweenTheBlocks)
{
    const QImage image = window.sgSodoku->viewport()->grab().toImage();
    const QColor blue(0, 0, 255);
    const int cell = DesignSize::px(&window, 40);
    const int inside = cell / 2;
    // Between columns 2 and 3, and below row 5.
    EXPECT_EQ(image.pixelColor(3 * cell - 1, inside), blue);
    EXPECT_EQ(image.pixelColor(3 * cell - 2, inside), blue);
    EXPECT_EQ(image.pixelColor(inside, 6 * cell - 1), blue);
    // An ordinary grid line and a cell inside a block are not blue.
    EXPECT_NE(image.pixelColor(cell - 1, inside), blue);
    EXPECT_NE(image.pixelColor(inside, cell - 1), blue);
    EXPECT_NE(image.pixelColor(inside, inside), blue);
}

// A cell holds one digit: typing replaces it, the emptying keys clear it, other characters and
// a second digit never make a number of two digits; the arrow keys move between cells.
TEST_F(SudokuFixture, TypingKeepsOneDigitPerCell)
{
    struct Case
    {
        const char *name;
        QString keys; // typed one after the other into cell (1, 1), which holds nothing
        Qt::Key special; // then this key, unless Qt::Key_unknown
        const char16_t *cell;
    };
    const Case cases[] = {
        {"digit", QStringLiteral("7"), Qt::Key_unknown, u"7"},
        {"second digit replaces", QStringLiteral("53"), Qt::Key_unknown, u"3"},
        {"letters ignored", QStringLiteral("4ab"), Qt::Key_unknown, u"4"},
        {"zero empties", QStringLiteral("40"), Qt::Key_unknown, u""},
        {"dot empties", QStringLiteral("4."), Qt::Key_unknown, u""},
        {"blank empties", QStringLiteral("4 "), Qt::Key_unknown, u""},
        {"delete empties", QStringLiteral("4"), Qt::Key_Delete, u""},
        {"backspace empties", QStringLiteral("4"), Qt::Key_Backspace, u""},
        {"minus ignored", QStringLiteral("9-"), Qt::Key_unknown, u"9"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        fill(window, kSample);
        window.sgSodoku->setFocus();
        window.sgSodoku->setCurrentCell(1, 1);
        QTest::keyClicks(window.sgSodoku, c.keys);
        if (c.special != Qt::Key_unknown)
            QTest::keyClick(window.sgSodoku, c.special);
        EXPECT_EQ(window.sgSodoku->item(1, 1)->text(), QString::fromUtf16(c.cell));
        EXPECT_EQ(window.sgSodoku->currentRow(), 1);
        EXPECT_EQ(window.sgSodoku->currentColumn(), 1);
        EXPECT_TRUE(app.dialogs.messages.isEmpty());
    }

    // The arrow keys move on; what is typed lands in the cell reached.
    window.sgSodoku->setCurrentCell(1, 1);
    QTest::keyClick(window.sgSodoku, Qt::Key_Right);
    QTest::keyClick(window.sgSodoku, Qt::Key_Down);
    QTest::keyClick(window.sgSodoku, Qt::Key_6);
    EXPECT_EQ(window.sgSodoku->item(2, 2)->text(), QStringLiteral("6"));
    if (const QString folder = qEnvironmentVariable("QUARVEL_SCREENSHOTS"); !folder.isEmpty())
        window.grab().save(folder + QStringLiteral("/sudoku.png"));
}

// A pasted grid is read as a loaded file is: a good one replaces the grid, anything else is
// refused naming the row and column and leaves the grid as it was.
TEST_F(SudokuFixture, PastedGridsAreReadOrRefusedNamingRowAndColumn)
{
    struct Case
    {
        const char *name;
        QString clipboard;
        const char16_t *message; // empty: pasted
    };
    const QString solution = rowsOf(kFirstSolution).join(u'\n').remove(u' ');
    const Case cases[] = {
        {"nine lines", solution, u""},
        {"one line", QString(solution).remove(u'\n'), u""},
        {"two digits in a cell", QString(solution).replace(0, 1, QStringLiteral("53")),
         u"Der eingefügte Text ist kein lesbares Sudoku.\nZeile 1, Zeichen 10: Die Zeile hat mehr "
         u"als 9 Felder."},
        {"letter", QString(solution).replace(13, 1, QStringLiteral("x")),
         u"Der eingefügte Text ist kein lesbares Sudoku.\nZeile 2, Zeichen 4 (Sudoku-Zeile 2, "
         u"Spalte 4): „x“ ist weder eine Ziffer 1–9 noch ein leeres Feld („.“ oder „0“)."},
        {"empty", QString(), u"Die Zwischenablage enthält kein Sudoku."},
        {"too long", QString(Sudoku::kMaxFileBytes + 1, u'.'),
         u"Der eingefügte Text ist zu lang für ein Sudoku."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        fill(window, kSample);
        app.dialogs.messages.clear();
        QGuiApplication::clipboard()->setText(c.clipboard);
        window.sgSodoku->setFocus();
        QTest::keyClick(window.sgSodoku, Qt::Key_V, Qt::ControlModifier);
        if (*c.message == 0) {
            EXPECT_EQ(gridRows(window), rowsOf(kFirstSolution));
            EXPECT_TRUE(app.dialogs.messages.isEmpty());
            continue;
        }
        EXPECT_EQ(gridRows(window), rowsOf(kSample));
        EXPECT_EQ(app.dialogs.lastText(), QString::fromUtf16(c.message));
    }
}
