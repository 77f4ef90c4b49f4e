#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "logic/settings/LoadSaveSettings.h"
#include "platform/linux/FileSettingsStore.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QAction *action(TfrmQuarvelMain &window, const char *name)
{
    return window.findChild<QAction *>(QString::fromLatin1(name));
}

void writeStoreFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readStoreFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(MainLaunchers, EveryActionHandsTheLauncherItsFileAndFolder)
{
    TestApp app;
    Settings &s = app.globals.settings;
    s.Editor = QStringLiteral("/usr/bin/mousepad");
    s.GSAK = QStringLiteral("/opt/gsak/gsak.exe");
    s.GCStatistic = QStringLiteral("/opt/gcs/GCStatistic.exe");
    s.SkrivoEditor = QStringLiteral("/opt/skrivo/SkrivoEditor.exe");
    TfrmQuarvelMain window(app.context);
    const std::tuple<const char *, QString, QString> cases[] = {
        {"actCalc", QStringLiteral("calc.exe"), QString()},
        {"actCharMap", QStringLiteral("charmap.exe"), QString()},
        {"actEditor", s.Editor, QString()},
        {"actSkrivoEditor", s.SkrivoEditor, QStringLiteral("/opt/skrivo/")},
        {"actGSAK", s.GSAK, QStringLiteral("/opt/gsak/")},
        {"actGCStatistic", s.GCStatistic, QStringLiteral("/opt/gcs/")},
        {"HelpContents1", app.globals.ExePfad + QStringLiteral("hilfe/index.html"), QString()},
    };
    for (const auto &[name, file, folder] : cases) {
        SCOPED_TRACE(name);
        app.launcher.calls.clear();
        action(window, name)->trigger();
        ASSERT_EQ(app.launcher.calls.size(), 1);
        EXPECT_EQ(app.launcher.calls.first().file, file);
        EXPECT_EQ(app.launcher.calls.first().parameters, QString());
        EXPECT_EQ(app.launcher.calls.first().workingDirectory, folder);
    }
}

TEST(MainLaunchers, WithoutSettingsTheOutsideProgramsAreDisabled)
{
    TestApp app;
    TfrmQuarvelMain window(app.context);
    QStringList shown;
    for (QAction *entry : window.findChild<QMenu *>(QStringLiteral("mnuProgramme"))->actions()) {
        if (!entry->isSeparator() && entry->isVisible())
            shown.append(entry->text() +
                         (entry->isEnabled() ? QString() : QStringLiteral(" (aus)")));
    }
    EXPECT_EQ(
        shown,
        QStringList({"&Rechner", "&Zeichentabelle", "E&ditor", "&SkrivoEditor (aus)", "&GSAK (aus)",
                     "G&CStatistic (aus)", "&Externes Programm hinzufügen ..."}));
}

TEST(MainLaunchers, AnAddedProgramStartsInItsFolderAndIsBackAfterARestart)
{
    QTemporaryDir dir;
    FileSettingsStore store(dir.filePath(QStringLiteral("registry.reg")));
    const QString path = QStringLiteral("/opt/tools/gpsbabel.exe");
    {
        TestApp app;
        app.context.settingsStore = &store;
        TfrmQuarvelMain window(app.context);
        app.dialogs.fileAnswers = {path};
        window.actExtProgramm->trigger();
        ASSERT_EQ(app.dialogs.fileRequests.size(), 1);
        EXPECT_EQ(app.dialogs.fileRequests.first().filter, QString());
        EXPECT_TRUE(window.Action[0]->isVisible());
        EXPECT_EQ(window.Action[0]->text(), QStringLiteral("&1 gpsbabel"));
        EXPECT_EQ(window.Action[0]->toolTip(), path);
        EXPECT_FALSE(window.Action[1]->isVisible());

        window.Action[0]->trigger();
        ASSERT_EQ(app.launcher.calls.size(), 1);
        EXPECT_EQ(app.launcher.calls.first().file, path);
        EXPECT_EQ(app.launcher.calls.first().workingDirectory, QStringLiteral("/opt/tools/"));
        window.close();
    }
    TestApp app;
    app.context.settingsStore = &store;
    TfrmQuarvelMain window(app.context);
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
    EXPECT_TRUE(window.Action[0]->isVisible());
    EXPECT_EQ(window.Action[0]->text(), QStringLiteral("&1 gpsbabel"));
}

TEST(MainLaunchers, TheTenthProgramIsRefusedBeforeAnyFileDialog)
{
    TestApp app;
    app.globals.settings.ExterneProgramme.fill(QStringLiteral("/opt/tools/tool.exe"));
    TfrmQuarvelMain window(app.context);
    app.dialogs.fileAnswers = {QStringLiteral("/opt/tools/zehn.exe")};
    window.actExtProgramm->trigger();
    EXPECT_TRUE(app.dialogs.fileRequests.isEmpty());
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    const Dialogs::Message &message = app.dialogs.messages.first();
    EXPECT_EQ(message.title, QStringLiteral("Warnung"));
    EXPECT_EQ(message.text, QStringLiteral("Die Anzahl der Programme ist erreicht !"));
    EXPECT_EQ(message.icon, Dialogs::Icon::Warning);
    EXPECT_EQ(message.buttons, Dialogs::Ok);
    EXPECT_EQ(window.Action[8]->text(), QStringLiteral("&9 tool"));
}

TEST(MainWindowSettings, AReadErrorIsShownAndWhatWasReadIsApplied)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("registry.reg"));
    writeStoreFile(path,
                   "Windows Registry Editor Version 5.00\n\n"
                   "[HKEY_CURRENT_USER\\Software\\Brask\\Quarvel\\1.0]\n"
                   "\"Left\"=dword:0\n\"Top\"=dword:0\n\"Width\"=dword:1100\n"
                   "\"Height\"=dword:900\n\"HomeKoordinaten\"=\"N 48° E 11°\"\n"
                   "\"Update\"=dword:0\n\"UpdateSuchen\"=dword:0\n"
                   "\"GSAK\"=\"/opt/gsak/gsak.exe\"\n");
    FileSettingsStore store(path);
    TestApp app;
    app.context.settingsStore = &store;
    TfrmQuarvelMain window(app.context);
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_EQ(app.dialogs.messages.first().title, QStringLiteral("Quarvel"));
    EXPECT_EQ(app.dialogs.messages.first().text,
              generalErrorText(QStringLiteral("Fehler beim Holen der Daten für 'ROTEingabe'")));
    EXPECT_EQ(window.lblOben->text(), QStringLiteral("N 48° E 11°"));
    EXPECT_FALSE(window.actGSAK->isEnabled()) << "values after the broken one keep their defaults";

    window.close();
    const RegistryDocument saved = parseRegistryText(readStoreFile(path)).document.value();
    EXPECT_EQ(saved.find(kSettingsKey)->values.size(), 25);
    EXPECT_EQ(saved.find(kSettingsKey)->readString(QStringLiteral("GSAK")), QString());
}

TEST(MainWindowSettings, ADamagedStoreFileIsReportedAndTheDefaultsApply)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("registry.reg"));
    writeStoreFile(path, "irgendetwas");
    FileSettingsStore store(path);
    TestApp app;
    app.context.settingsStore = &store;
    TfrmQuarvelMain window(app.context);
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_TRUE(app.dialogs.messages.first().text.contains(QStringLiteral("beiseitegelegt")));
    EXPECT_EQ(window.lblOben->text(), QStringLiteral("N 0° E 0°"));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(MainWindowSettings, LayoutIsAppliedAndWrittenBackUnchanged)
{
    QTemporaryDir dir;
    FileSettingsStore store(dir.filePath(QStringLiteral("registry.reg")));
    Settings stored;
    stored.Left = 40;
    stored.Top = 30;
    stored.Width = 1000; // fits the 1366 x 768 test screen, so it stays as stored
    stored.Height = 700;
    stored.NavFensterBreite = 300;
    stored.HomeFensterHoehe = 170;
    SaveSettings(store, stored);

    TestApp app;
    app.context.settingsStore = &store;
    {
        TfrmQuarvelMain window(app.context);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.close();
    }
    const Settings &s = app.globals.settings;
    EXPECT_EQ(std::make_tuple(*s.Left, *s.Top, *s.Width, *s.Height),
              std::make_tuple(40, 30, 1000, 700));
    EXPECT_EQ(s.NavFensterBreite, 300);
    EXPECT_EQ(s.HomeFensterHoehe, 170);
    Settings reread;
    LoadSettings(store, reread);
    EXPECT_EQ(reread.Width, 1000);
    EXPECT_EQ(reread.HomeFensterHoehe, 170);
}

// A settings file that cannot be read is said once at start, the save that cannot happen once
// at close, each with the file and the reason; the window still closes.
TEST(MainWindowSettings, AnUnusableSettingsFileIsReportedOnceAtStartAndOnceAtClose)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("registry.reg"));
    ASSERT_TRUE(QDir().mkpath(path)); // a folder where the file should be
    FileSettingsStore store(path, 0);
    TestApp app;
    app.context.settingsStore = &store;
    TfrmQuarvelMain window(app.context);
    window.show();
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_TRUE(app.dialogs.messages.first().text.startsWith(
        QStringLiteral("Die Einstellungsdatei „%1“ kann nicht gelesen werden: ").arg(path)))
        << app.dialogs.messages.first().text.toStdString();
    EXPECT_EQ(window.lblOben->text(), QStringLiteral("N 0° E 0°"));

    EXPECT_TRUE(window.close());
    ASSERT_EQ(app.dialogs.messages.size(), 2);
    const Dialogs::Message &atClose = app.dialogs.messages.last();
    EXPECT_EQ(atClose.title, QStringLiteral("Quarvel"));
    EXPECT_TRUE(
        atClose.text.startsWith(QStringLiteral("Die Einstellungen wurden nicht gespeichert. "
                                               "Die Datei „%1“ konnte nicht geschrieben "
                                               "werden: ")
                                    .arg(path)))
        << atClose.text.toStdString();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(QFileInfo(path).isDir());
}
