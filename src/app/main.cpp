// Start-up: the program-wide values, the splash window, the program's windows in their fixed
// order (the main window first, since it reads the settings every later window relies on),
// then the event loop until the main window closes.

#include "gui/app/AppContext.h"
#include "gui/app/Einstellungen_Unit.h"
#include "gui/app/Info_Unit.h"
#include "gui/app/Main_Unit.h"
#include "gui/app/Splash_Unit.h"
#include "gui/cacher/Cacher_Unit.h"
#include "gui/codebreaker/CodeKnacker_Unit.h"
#include "gui/formula/VariableKoordinaten_Unit.h"
#include "gui/solvers/Fermil_Unit.h"
#include "gui/solvers/uSudoku.h"
#include "gui/support/Icons.h"
#include "gui/support/QtDialogs.h"
#include "gui/tools/Hilfsfenster_Unit.h"
#include "gui/tools/KoordRechner_Unit.h"
#include "gui/update/Upd_DL_Unit.h"
#include "logic/common/Global_Unit.h"
#include "logic/common/ProgramFolders.h"
#include "platform/SystemInfo.h"
#include "platform/linux/DesktopLauncher.h"
#include "platform/linux/FileSettingsStore.h"
#include "platform/linux/NetworkDownloader.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPointer>
#include <QThread>
#include <QTranslator>

#include <exception>
#include <memory>

namespace {

Globals computeGlobals()
{
    Globals globals;
    const QString exeFolder = QCoreApplication::applicationDirPath() + u'/';
    globals.ExePfad = ProgramFolders::findProgramFolder(exeFolder);
    globals.BenutzerPfad = ProgramFolders::userFileFolder(globals.ExePfad, exeFolder);
    globals.TempPfad = SystemInfo::tempPath();
    globals.TempVersionsDatei = globals.TempPfad + QStringLiteral("ver_quarvel.tmp");
    FileVersion version;
    SystemInfo::FileVersionOf(QCoreApplication::applicationFilePath(), version);
    globals.LokaleVersion = versionText(version);
    globals.UpdateServer = QStringLiteral(QUARVEL_UPDATE_SERVER);
    return globals;
}

void installGermanTranslation(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_de"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarvel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quarvel"));
    // The window class "Quarvel" (the application name) and the desktop entry's name tie the
    // windows to the menu entry, so the desktop shows our icon for them.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUARVEL_APP_ID));
    QApplication::setWindowIcon(Icons::application());
    installGermanTranslation(app);

    Globals globals = computeGlobals();
    QtDialogs dialogs;
    DesktopLauncher launcher;
    NetworkDownloader downloader;
    AppContext context {globals, dialogs, launcher, {}};
    context.downloader = &downloader;
    FileSettingsStore settingsStore(FileSettingsStore::defaultFilePath());
    context.settingsStore = &settingsStore;

    const bool withSplash = !SystemInfo::developmentEnvironmentRunning();
    QPointer<TfrmSplash> splash;
    if (withSplash) {
        splash = new TfrmSplash(globals.LokaleVersion);
        splash->show();
        splash->repaint();
        QApplication::processEvents();
        QThread::msleep(1500);
    }

    std::unique_ptr<TfrmQuarvelMain> mainWindow;
    std::vector<std::unique_ptr<QWidget>> windows;
    QString startError;
    try {
        mainWindow = std::make_unique<TfrmQuarvelMain>(context);
        // The later windows, in their fixed order.
        // [window 2: TfrmInfo]
        windows.push_back(std::make_unique<TfrmInfo>(context));
        context.windows.info = windows.back().get();

        // [window 3: TfrmEinstellungen]
        windows.push_back(std::make_unique<TfrmEinstellungen>(context, *mainWindow));
        context.windows.einstellungen = windows.back().get();

        windows.push_back(std::make_unique<TfrmMisc>());
        context.windows.misc = windows.back().get();

        // [window 5: TfrmCacher]
        windows.push_back(std::make_unique<TfrmCacher>(context));
        context.windows.cacher = windows.back().get();

        // [window 6: TfrmUpdDL]
        context.windows.updDL =
            new TfrmUpdDL(context, mainWindow.get()); // owned by the main window

        // [window 7: TfrmSudoku]
        windows.push_back(std::make_unique<TfrmSudoku>(context));
        context.windows.sudoku = windows.back().get();

        // [window 8: TfrmFermilab]
        windows.push_back(std::make_unique<TfrmFermilab>(context));
        context.windows.fermilab = windows.back().get();

        // Beyond the eight windows of old: the tools that came later.
        windows.push_back(std::make_unique<TfrmKoordRechner>(context));
        context.windows.koordRechner = windows.back().get();
        windows.push_back(std::make_unique<TfrmVariableKoordinaten>(context));
        context.windows.variableKoordinaten = windows.back().get();
        windows.push_back(std::make_unique<TfrmCodeKnacker>(context));
        context.windows.codeKnacker = windows.back().get();

        mainWindow->windowsCreated();
    } catch (const std::exception &error) {
        startError = QString::fromLocal8Bit(error.what());
    }
    if (withSplash && splash)
        splash->setInitializationDone(true);
    if (!mainWindow) {
        QMessageBox::critical(nullptr, QStringLiteral("Quarvel"), startError);
        return 1;
    }

    mainWindow->show();
    const int result = app.exec();
    windows.clear();
    return result;
}
