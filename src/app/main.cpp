// Start-up: the program-wide values, the splash window, the main window (the others are built
// when first opened), then the event loop until the main window closes.

#include "gui/app/AppContext.h"
#include "gui/app/Main_Unit.h"
#include "gui/app/ProgramWindows.h"
#include "gui/app/Splash_Unit.h"
#include "gui/support/Icons.h"
#include "gui/support/QtDialogs.h"
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

    // The main window is built now; every other window when it is first opened.
    std::unique_ptr<ProgramWindows> windows;
    QString startError;
    try {
        windows = std::make_unique<ProgramWindows>(context);
    } catch (const std::exception &error) {
        startError = QString::fromLocal8Bit(error.what());
    }
    if (withSplash && splash)
        splash->setInitializationDone(true);
    if (!windows) {
        QMessageBox::critical(nullptr, QStringLiteral("Quarvel"), startError);
        return 1;
    }

    windows->mainWindow().show();
    const int result = app.exec();
    windows.reset();
    return result;
}
