// F1 and "Hilfe > Inhalt": which help file the main window hands to the desktop.
#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/support/KeyAwareAction.h"
#include "gui/update/Upd_DL_Unit.h"

#include <QApplication>
#include <QShortcut>
#include <QShortcutEvent>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// F1 as the shortcut machinery delivers it to the action.
void pressF1(TfrmQuarvelMain &window)
{
    QShortcutEvent event(QKeySequence(Qt::Key_F1), 0);
    QCoreApplication::sendEvent(window.HelpContents1, &event);
}

QString opened(const TestApp &app)
{
    return app.launcher.calls.isEmpty() ? QString() : app.launcher.calls.last().file;
}

} // namespace

TEST(HelpKey, ContentsOpenTheCompiledHelpOnlyWhereAViewerIsRegistered)
{
    for (const bool viewer : {false, true}) {
        SCOPED_TRACE(viewer);
        TestApp app;
        app.launcher.viewerRegistered = viewer;
        TfrmQuarvelMain window(app.context);
        window.HelpContents1->trigger();
        EXPECT_EQ(
            opened(app),
            app.globals.ExePfad +
                (viewer ? QStringLiteral("Quarvel.chm") : QStringLiteral("hilfe/index.html")));
        EXPECT_TRUE(app.dialogs.messages.isEmpty());
        EXPECT_EQ(window.HelpContents1->shortcut(), QKeySequence(Qt::Key_F1));
    }
}

TEST(HelpKey, F1OpensThePageOfTheToolInFront)
{
    TestApp app;
    app.launcher.viewerRegistered = true; // a topic still opens as HTML
    TfrmQuarvelMain window(app.context);
    window.show();
    QApplication::setActiveWindow(&window);
    const std::pair<const char16_t *, const char16_t *> cases[] = {
        {u"pnlLeer", u"Quarvel.chm"},
        {u"gboxKoordinaten", u"hilfe/koordinaten.html"},
        {u"gboxRömZahlen", u"hilfe/roemische-zahlen.html"},
        {u"gboxDiagramm", u"hilfe/diagramme.html"},
        {u"gboxUmrechnung", u"hilfe/meter-inch.html"},
        {u"gboxGcCode", u"hilfe/gc-code.html"},
    };
    for (const auto &[panel, file] : cases) {
        SCOPED_TRACE(QString::fromUtf16(panel).toStdString());
        auto *front = window.Panel2->findChild<QWidget *>(QString::fromUtf16(panel));
        ASSERT_NE(front, nullptr);
        window.Panel2->setCurrentWidget(front);
        pressF1(window);
        EXPECT_EQ(opened(app), app.globals.ExePfad + QString::fromUtf16(file));
        // The menu entry keeps opening the contents.
        window.HelpContents1->trigger();
        EXPECT_EQ(opened(app), app.globals.ExePfad + QStringLiteral("Quarvel.chm"));
    }
}

TEST(HelpKey, F1InAnotherWindowOpensThatWindowsPage)
{
    TestApp app;
    TfrmQuarvelMain window(app.context);
    QWidget sudoku(nullptr, Qt::Window);
    sudoku.setObjectName(QStringLiteral("frmSudoku"));
    sudoku.show();
    QApplication::setActiveWindow(&sudoku);
    ASSERT_EQ(QApplication::activeWindow(), &sudoku);
    pressF1(window);
    EXPECT_EQ(opened(app), app.globals.ExePfad + QStringLiteral("hilfe/sudoku.html"));
}

TEST(HelpKey, F1InTheModalUpdateWindowOpensItsPage)
{
    TestApp app;
    TfrmQuarvelMain window(app.context);
    TfrmUpdDL update(app.context, &window);
    auto *f1 = update.findChild<QShortcut *>();
    ASSERT_NE(f1, nullptr);
    EXPECT_EQ(f1->key(), QKeySequence(Qt::Key_F1));
    emit f1->activated();
    EXPECT_EQ(opened(app), app.globals.ExePfad + QStringLiteral("hilfe/update.html"));
}

TEST(HelpKey, AMissingHelpIsNamedAndNothingIsStarted)
{
    QTemporaryDir empty;
    for (const bool viewer : {false, true}) {
        SCOPED_TRACE(viewer);
        TestApp app;
        app.globals.ExePfad = empty.path() + u'/';
        app.launcher.viewerRegistered = viewer;
        TfrmQuarvelMain window(app.context);
        window.HelpContents1->trigger();
        EXPECT_TRUE(app.launcher.calls.isEmpty());
        ASSERT_EQ(app.dialogs.messages.size(), 1);
        EXPECT_EQ(app.dialogs.messages[0].icon, Dialogs::Icon::Warning);
        EXPECT_EQ(
            app.dialogs.lastText(),
            QStringLiteral("Die Hilfe ist nicht installiert: Die Datei „%1%2“ wurde nicht "
                           "gefunden.")
                .arg(app.globals.ExePfad,
                     viewer ? QStringLiteral("Quarvel.chm") : QStringLiteral("hilfe/index.html")));
    }
}

TEST(HelpKey, AViewerThatFailsIsReported)
{
    TestApp app;
    app.launcher.result = 31;
    TfrmQuarvelMain window(app.context);
    window.HelpContents1->trigger();
    EXPECT_EQ(app.dialogs.lastText(),
              QStringLiteral("„%1hilfe/index.html“ konnte nicht geöffnet werden.\nEs ist kein "
                             "Programm eingerichtet, das diese Datei öffnen kann.")
                  .arg(app.globals.ExePfad));
}

// A warning about F1 in another window belongs over that window, not over the main window.
TEST(HelpKey, AFailureAfterF1InAnotherWindowIsShownOverThatWindow)
{
    QTemporaryDir empty;
    const struct
    {
        const char *what;
        bool helpInstalled; // else the help is missing; with it the viewer fails
    } cases[] = {{"viewer fails", true}, {"help missing", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TestApp app;
        app.launcher.result = 31;
        if (!c.helpInstalled)
            app.globals.ExePfad = empty.path() + u'/';
        TfrmQuarvelMain window(app.context);
        window.show();
        QWidget settings(nullptr, Qt::Window);
        settings.setObjectName(QStringLiteral("frmEinstellungen"));
        settings.show();
        QApplication::setActiveWindow(&settings);
        ASSERT_EQ(QApplication::activeWindow(), &settings);
        pressF1(window);
        ASSERT_EQ(app.dialogs.parents.size(), 1);
        EXPECT_EQ(app.dialogs.parents[0], &settings);
    }
}
