#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/solvers/uSudoku.h"
#include "gui/support/DesignSize.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
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
        EXPECT_TRUE(window.btnCancel->isEnabled());
        EXPECT_EQ(window.sgSodoku->editTriggers(), QAbstractItemView::NoEditTriggers);
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
    EXPECT_NE(window.sgSodoku->editTriggers(), QAbstractItemView::NoEditTriggers);
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
    const char *const allOnes[9] = {
        "1 1 1 1 1 1 1 1 1", "1 1 1 1 1 1 1 1 1", "1 1 1 1 1 1 1 1 1",
        "1 1 1 1 1 1 1 1 1", "1 1 1 1 1 1 1 1 1", "1 1 1 1 1 1 1 1 1",
        "1 1 1 1 1 1 1 1 1", "1 1 1 1 1 1 1 1 1", "1 1 1 1 1 1 1 1 1",
    };
    for (const auto *rows : {&kFirstSolution, &allOnes}) {
        app.dialogs.messages.clear();
        fill(window, *rows);
        click(window.btnSolve);
        EXPECT_EQ(app.dialogs.texts(), QStringList({kAsk, kNoSolution}));
        EXPECT_EQ(gridRows(window), rowsOf(*rows));
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

TEST_F(SudokuFixture, LadenAsksForAFileAndChangesNothing)
{
    app.dialogs.fileAnswers = {QStringLiteral("/tmp/raetsel.sud")};
    click(window.btnLoad);
    click(window.Button3);
    ASSERT_EQ(app.dialogs.fileRequests.size(), 1);
    EXPECT_EQ(app.dialogs.fileRequests[0].filter,
              QStringLiteral("Sudoku (*.sud);;Alle Dateien (*)"));
    EXPECT_EQ(app.dialogs.fileRequests[0].defaultSuffix, QStringLiteral("sud"));
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
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
