#include "fakes/FakeDialogs.h"
#include "gui/app/AppContext.h"
#include "gui/app/Main_Unit.h"
#include "logic/common/Global_Unit.h"
#include "platform/linux/DesktopLauncher.h"
#include "support/core/ScopedSearchPath.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The main window with the real desktop launcher and a search path that holds nothing.
struct LaunchingApp
{
    LaunchingApp()
    {
        globals.ExePfad = QString::fromUtf8(QUARVEL_BIN_DIR) + u'/';
        globals.settings.UpdateSuchen = false;
    }
    QTemporaryDir emptyFolder;
    ScopedSearchPath searchPath {emptyFolder.path()};
    Globals globals;
    FakeDialogs dialogs;
    DesktopLauncher launcher;
    AppContext context {globals, dialogs, launcher, {}};
};

} // namespace

TEST(LaunchFailureReport, EveryLauncherSaysWhatItDidNotFind)
{
    LaunchingApp app;
    Settings &s = app.globals.settings;
    s.GSAK = QStringLiteral("/nicht/da/gsak.exe");
    TfrmQuarvelMain window(app.context);
    const QString kein = QStringLiteral(" Installieren Sie zum Beispiel ");
    struct Case
    {
        QString editor;
        QAction *action;
        QString text;
    };
    const Case cases[] = {
        {{},
         window.actCalc,
         QStringLiteral("Es wurde kein Rechner gefunden.") + kein +
             QStringLiteral("gnome-calculator oder kcalc.")},
        {{},
         window.actCharMap,
         QStringLiteral("Es wurde keine Zeichentabelle gefunden.") + kein +
             QStringLiteral("gucharmap oder kcharselect.")},
        {QStringLiteral("Notepad"), window.actEditor,
         QStringLiteral("Es wurde kein Texteditor gefunden.") + kein +
             QStringLiteral("gnome-text-editor oder gedit.")},
        {QStringLiteral("Intern"), window.actEditor,
         QStringLiteral("„Intern“ konnte nicht geöffnet werden.\nDatei wurde nicht gefunden.")},
        {QString(), window.actEditor,
         QStringLiteral("Es ist kein Programm angegeben, das gestartet werden könnte.")},
        {{},
         window.actGSAK,
         QStringLiteral("„/nicht/da/gsak.exe“ konnte nicht geöffnet werden.\n"
                        "Datei wurde nicht gefunden.")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        s.Editor = c.editor;
        app.dialogs.messages.clear();
        c.action->trigger();
        ASSERT_EQ(app.dialogs.messages.size(), 1);
        EXPECT_EQ(app.dialogs.messages[0].title, QStringLiteral("Warnung"));
        EXPECT_EQ(app.dialogs.messages[0].icon, Dialogs::Icon::Warning);
        EXPECT_EQ(app.dialogs.messages[0].buttons, Dialogs::Ok);
        EXPECT_EQ(app.dialogs.messages[0].text, c.text);
    }
}

TEST(LaunchFailureReport, AProgramThatStartsShowsNothing)
{
    LaunchingApp app;
    QTemporaryDir programFolder;
    const QString program = programFolder.filePath(QStringLiteral("werkzeug.sh"));
    QFile file(program);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nexit 0\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    app.globals.settings.ExterneProgramme[0] = program;
    TfrmQuarvelMain window(app.context);
    window.Action[0]->trigger();
    EXPECT_TRUE(app.dialogs.messages.isEmpty());

    QFile::remove(program); // removed since it was added
    window.Action[0]->trigger();
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_EQ(app.dialogs.lastText(),
              QStringLiteral("„%1“ konnte nicht geöffnet werden.\n"
                             "Datei wurde nicht gefunden.")
                  .arg(program));
}
