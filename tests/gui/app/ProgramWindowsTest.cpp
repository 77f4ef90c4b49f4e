#include "gui/app/ProgramWindows.h"
#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/app/panels/gboxChiffren.h"
#include "gui/codebreaker/CodeKnacker_Unit.h"

#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>

#include <QAction>
#include <QApplication>

#include <gtest/gtest.h>

// Start-up builds the main window only; each action builds its window on first use, once, and
// shows the same window every later time.
TEST(ProgramWindows, EachWindowIsBuiltWhenFirstOpenedAndKept)
{
    TestApp app;
    ProgramWindows windows(app.context);
    TfrmQuarvelMain &main = windows.mainWindow();
    SecondaryWindows &w = app.context.windows;
    struct Case
    {
        QAction *action;
        SecondaryWindow *window;
        const char *objectName;
    };
    const Case cases[] = {
        {main.actInfo, &w.info, "frmInfo"},
        {main.actEinstellungen, &w.einstellungen, "frmEinstellungen"},
        {main.actCacher, &w.cacher, "frmCacher"},
        {main.actSudoku, &w.sudoku, "frmSudoku"},
        {main.actFermilab, &w.fermilab, "frmFermilab"},
        {main.actKoordRechner, &w.koordRechner, "frmKoordRechner"},
        {main.actVariableKoordinaten, &w.variableKoordinaten, "frmVariableKoordinaten"},
        {main.actCodeKnacker, &w.codeKnacker, "frmCodeKnacker"},
        {main.actKarte, &w.karte, "frmKarte"},
        {main.actSymbole, &w.symbole, "frmSymbole"},
        {main.actFormelrechner, &w.formelrechner, "frmFormelrechner"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.window->existing(), nullptr) << c.objectName << " built at start";
    EXPECT_EQ(w.misc.existing(), nullptr);
    EXPECT_EQ(w.updDL.existing(), nullptr);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.objectName);
        EXPECT_TRUE(c.action->isEnabled());
        c.action->trigger();
        QWidget *built = c.window->existing();
        ASSERT_NE(built, nullptr);
        EXPECT_EQ(built->objectName(), QString::fromLatin1(c.objectName));
        EXPECT_TRUE(built->isVisible());
        built->close();
        c.action->trigger();
        EXPECT_EQ(c.window->existing(), built) << "the same window again";
        EXPECT_TRUE(built->isVisible());
        built->close();
    }
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

// A window whose building fails says why in the error box and leaves the program running.
TEST(ProgramWindows, AWindowThatCannotBeBuiltIsReported)
{
    TestApp app;
    TfrmQuarvelMain main(app.context);
    app.context.windows.sudoku.setMaker(
        []() -> QWidget * { throw std::runtime_error("kein Speicher"); });
    main.windowsCreated();
    ASSERT_TRUE(main.actSudoku->isEnabled());
    main.actSudoku->trigger();
    EXPECT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_EQ(app.context.windows.sudoku.existing(), nullptr);
}

// A double-click on a code breaker candidate opens its cipher, key and text in "Weitere Chiffren".
TEST(ProgramWindows, ACodeBreakerCandidateOpensInTheCipherPanel)
{
    TestApp app;
    ProgramWindows windows(app.context);
    TfrmQuarvelMain &main = windows.mainWindow();
    main.show();
    main.actCodeKnacker->trigger();
    auto *knacker = dynamic_cast<TfrmCodeKnacker *>(app.context.windows.codeKnacker.existing());
    ASSERT_NE(knacker, nullptr);
    knacker->memGeheimtext->setPlainText(QStringLiteral("Qre Fpungm yvrtg hagre qre nygra Rvpur"));
    QTableWidget *table = knacker->tblKandidaten;
    ASSERT_TRUE(QTest::qWaitFor([table] { return table->rowCount() > 0; }, 5000));
    int rotRow = -1;
    for (int row = 0; row < table->rowCount() && rotRow < 0; ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (table->item(row, column) && table->item(row, column)->text() == u"rot")
                rotRow = row;
        }
    }
    ASSERT_GE(rotRow, 0);
    emit table->cellDoubleClicked(rotRow, 0);
    auto *panel = dynamic_cast<gboxChiffren *>(main.toolPanel(QStringLiteral("gboxChiffren")));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->rtfKlartext->toPlainText(),
              QStringLiteral("Der Schatz liegt unter der alten Eiche"));
}
