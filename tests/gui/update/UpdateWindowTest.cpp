#include "fakes/TestApp.h"
#include "gui/support/DesignSize.h"
#include "gui/update/Upd_DL_Unit.h"
#include "platform/linux/NetworkDownloader.h"
#include "support/net/HttpTestServer.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kUpdatePath = "/download/quarvel/Quarvelupd.0.4.2.0.exe";

// Points the Desktop query at a folder of the test and restores the environment afterwards.
class DesktopInTempHome
{
public:
    DesktopInTempHome()
        : m_home(qgetenv("HOME"))
        , m_config(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", m_dir.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (m_dir.path() + u"/.config"_s).toLocal8Bit());
        QDir(m_dir.path()).mkpath(u"Desktop"_s);
    }
    ~DesktopInTempHome()
    {
        qputenv("HOME", m_home);
        qputenv("XDG_CONFIG_HOME", m_config);
    }
    QString desktop() const { return m_dir.path() + u"/Desktop"_s; }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_home;
    QByteArray m_config;
};

struct UpdateWindow
{
    UpdateWindow()
    {
        app.globals.TempPfad = temp.path() + u'/';
        app.context.downloader = &downloader;
        mainWindow.setGeometry(100, 80, 900, 700);
        window = std::make_unique<TfrmUpdDL>(app.context, &mainWindow);
        window->setPauseAfterDownload(0);
    }

    void offer(const QString &word, const QString &serverVersion)
    {
        app.globals.VersionsVergleich = word;
        app.globals.ServerVersion = serverVersion;
        window->show();
    }

    TestApp app;
    QTemporaryDir temp;
    NetworkDownloader downloader {NetworkDownloader::Limits {2000, 3}};
    QMainWindow mainWindow;
    std::unique_ptr<TfrmUpdDL> window;
};

QByteArray programBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 40000; ++i)
        bytes += QByteArray::number(i) + ' ';
    return bytes;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(UpdateWindow, ShowsTheVerdictOfTheLastCheck)
{
    const struct
    {
        const char *word;
        const char *text;
        QColor colour;
        bool update;
    } cases[] = {
        {"gleich", "Ihre Version 0.4.2.0 ist aktuell !", QColor(0, 128, 0), false},
        {"größer", "Version 0.4.2.0 ist verfügbar !!!", QColor(255, 0, 0), true},
        {"kleiner", "Ihre Version ist neuer als die auf dem Server !", QColor(255, 128, 64), false},
        {"NIL", "Keine Verbindung zum Server !", QColor(255, 0, 0), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.word);
        UpdateWindow w;
        w.offer(QString::fromUtf8(c.word), u"0.4.2.0"_s);
        EXPECT_EQ(w.window->lbllocalVersion->text(), u"Programmversion: 0.4.1.0");
        EXPECT_EQ(w.window->lblVersion->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(w.window->lblVersion->palette().color(QPalette::WindowText), c.colour);
        EXPECT_EQ(w.window->bbtnUpdate->isEnabled(), c.update);
        EXPECT_TRUE(w.window->bbtnDownload->isEnabled());

        // Without a verdict the line keeps what it showed, and "Update" is off again.
        w.window->hide();
        w.offer(u"unbekannt"_s, u"0.4.3.0"_s);
        EXPECT_EQ(w.window->lblVersion->text(), QString::fromUtf8(c.text));
        EXPECT_FALSE(w.window->bbtnUpdate->isEnabled());
    }
}

TEST(UpdateWindow, WithoutServerItSaysSoAndOffersNothing)
{
    for (const char *word : {"", "größer"}) {
        SCOPED_TRACE(word);
        UpdateWindow w;
        w.app.globals.UpdateServer.clear();
        w.offer(QString::fromUtf8(word), u"0.4.2.0"_s);
        EXPECT_EQ(w.window->lblVersion->text(), u"Keine Update-Prüfung eingerichtet");
        EXPECT_EQ(w.window->lblVersion->palette().color(QPalette::WindowText),
                  QColor(128, 128, 128));
        EXPECT_FALSE(w.window->bbtnUpdate->isEnabled());
        EXPECT_FALSE(w.window->bbtnDownload->isEnabled());
        EXPECT_TRUE(w.app.dialogs.messages.isEmpty());
    }
}

TEST(UpdateWindow, SitsTenPixelsInsideTheMainWindowsBottomRightCorner)
{
    UpdateWindow w;
    EXPECT_TRUE(w.window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.window->sbtnExit->text(), u"X");
    for (const QRect mainGeometry : {QRect(100, 80, 900, 700), QRect(300, 250, 1024, 800)}) {
        w.mainWindow.setGeometry(mainGeometry);
        w.offer(u"gleich"_s, u"0.4.1.0"_s);
        const QRect main = w.mainWindow.frameGeometry();
        const QRect own = w.window->frameGeometry();
        const int margin = DesignSize::px(w.window.get(), 10); // 10 pixels at 120 dpi
        EXPECT_EQ(own.right() + margin, main.right());
        EXPECT_EQ(own.bottom() + margin, main.bottom());
        w.window->sbtnExit->click();
        EXPECT_FALSE(w.window->isVisible());
    }
}

TEST(UpdateWindow, DownloadStoresTheProgramInTheChosenFolderWithProgress)
{
    DesktopInTempHome home;
    HttpTestServer server;
    const QByteArray program = programBytes();
    server.serve(kUpdatePath, {HttpTestServer::Kind::Slow, 200, program});
    QDir(home.path()).mkpath(u"chosen"_s);
    const QString chosen = home.path() + u"/chosen"_s;
    const struct
    {
        const char *answer; // "" cancels the folder dialog
        QString folder;
    } cases[] = {{"chosen", chosen}, {"", home.desktop()}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer);
        UpdateWindow w;
        w.app.globals.UpdateServer = server.baseUrl();
        w.app.dialogs.fileAnswers.push_back(*c.answer ? chosen : QString());
        w.offer(u"gleich"_s, u"0.4.2.0"_s);
        QSignalSpy progress(w.window->ProgressBar1, &QProgressBar::valueChanged);
        w.window->bbtnDownload->click();

        ASSERT_EQ(w.app.dialogs.fileRequests.size(), 1);
        EXPECT_EQ(w.app.dialogs.fileRequests[0].title, u"Bitte wählen Sie einen Zielordner aus: ");
        EXPECT_EQ(w.app.dialogs.fileRequests[0].directory, home.desktop());
        EXPECT_EQ(contents(c.folder + u"/Quarvelupd.0.4.2.0.exe"_s), program);
        EXPECT_TRUE(w.app.launcher.calls.isEmpty()) << "a download is not started";
        EXPECT_EQ(w.app.dialogs.messages.size(), 0);
        EXPECT_GE(progress.size(), 2) << "the bar moved while the program arrived";
        EXPECT_EQ(w.window->ProgressBar1->value(), w.window->ProgressBar1->maximum());
        EXPECT_FALSE(w.window->isVisible());
        QFile::remove(c.folder + u"/Quarvelupd.0.4.2.0.exe"_s);
    }
}

TEST(UpdateWindow, UpdateStartsTheProgramFromTheTemporaryFolder)
{
    HttpTestServer server;
    server.serveBody(kUpdatePath, "#!/bin/sh\n");
    const struct
    {
        int launchResult;
        bool fileStays;
    } cases[] = {{42, true}, {2, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.launchResult);
        UpdateWindow w;
        w.app.globals.UpdateServer = server.baseUrl();
        w.app.launcher.result = c.launchResult;
        w.offer(u"größer"_s, u"0.4.2.0"_s);
        w.window->bbtnUpdate->click();

        const QString target = w.temp.path() + u"/Quarvelupd.0.4.2.0.exe"_s;
        ASSERT_EQ(w.app.launcher.calls.size(), 1);
        EXPECT_EQ(w.app.launcher.calls[0].file, target);
        EXPECT_TRUE(w.app.dialogs.fileRequests.isEmpty());
        // Still there while the started program runs; gone when it could not be started.
        EXPECT_EQ(QFile::exists(target), c.fileStays);
        if (c.fileStays) {
            EXPECT_TRUE(QFile::permissions(target) & QFile::ExeOwner);
        }
        EXPECT_FALSE(w.window->isVisible());
    }
}

TEST(UpdateWindow, AFailedDownloadIsReportedAndStartsNothing)
{
    HttpTestServer server; // offers no update program at all
    const struct
    {
        const char *serverVersion;
        const char *fileName;
    } cases[] = {{"0.4.2.0", "Quarvelupd.0.4.2.0.exe"}, {"", "Quarvelupd..exe"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.fileName);
        UpdateWindow w;
        w.app.globals.UpdateServer = server.baseUrl();
        w.window->setPauseAfterDownload(20);
        const QString target = w.temp.path() + u'/' + QString::fromUtf8(c.fileName);
        {
            // An update program downloaded earlier is not damaged by the failed attempt.
            QFile older(target);
            ASSERT_TRUE(older.open(QIODevice::WriteOnly));
            older.write("older");
        }
        w.offer(u"größer"_s, QString::fromUtf8(c.serverVersion));
        w.window->bbtnUpdate->setEnabled(true);
        w.window->bbtnUpdate->click();

        const QString address =
            server.baseUrl() + u"download/quarvel/"_s + QString::fromUtf8(c.fileName);
        EXPECT_EQ(w.app.dialogs.lastText(), u"Fehler beim Download von URL: "_s + address + u'.');
        EXPECT_EQ(w.app.dialogs.messages.value(0).title, u"Quarvel");
        EXPECT_TRUE(w.app.launcher.calls.isEmpty());
        EXPECT_EQ(contents(target), "older");
        EXPECT_EQ(w.window->ProgressBar1->value(), w.window->ProgressBar1->maximum());
        EXPECT_TRUE(w.window->isVisible()) << "the window stays open after a failure";
        EXPECT_TRUE(w.window->bbtnDownload->isEnabled());
    }
}

// While the program arrives, "Abbrechen" (or Escape) stops it: nothing is started, no partial
// file stays, and the window stays for another try.
TEST(UpdateWindow, AbbrechenStopsTheDownloadAndLeavesNoPartialFile)
{
    HttpTestServer server;
    server.serve(kUpdatePath, {HttpTestServer::Kind::Drip, 200, QByteArray(5000, 'p'), 20});
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Abbrechen");
        UpdateWindow w;
        w.app.globals.UpdateServer = server.baseUrl();
        w.offer(u"größer"_s, u"0.4.2.0"_s);
        EXPECT_FALSE(w.window->btnAbbrechen->isVisible());
        bool seenRunning = false;
        QTimer::singleShot(300, w.window.get(), [&] {
            seenRunning = w.window->downloading() && w.window->btnAbbrechen->isVisible() &&
                w.window->btnAbbrechen->isEnabled() && !w.window->bbtnUpdate->isEnabled();
            if (escape)
                QTest::keyClick(w.window.get(), Qt::Key_Escape);
            else
                QTest::mouseClick(w.window->btnAbbrechen, Qt::LeftButton);
        });
        w.window->bbtnUpdate->click();

        EXPECT_TRUE(seenRunning);
        EXPECT_FALSE(w.window->downloading());
        EXPECT_TRUE(w.app.launcher.calls.isEmpty());
        EXPECT_TRUE(w.app.dialogs.messages.isEmpty()) << w.app.dialogs.lastText().toStdString();
        EXPECT_EQ(QDir(w.temp.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        EXPECT_TRUE(w.window->isVisible());
        EXPECT_FALSE(w.window->btnAbbrechen->isVisible());
        EXPECT_TRUE(w.window->bbtnUpdate->isEnabled());
        EXPECT_TRUE(w.window->sbtnExit->isEnabled());
    }
}

TEST(UpdateWindow, ADownloadBelowTheMinimumRateGivesUp)
{
    HttpTestServer server;
    server.serve(kUpdatePath, {HttpTestServer::Kind::Drip, 200, "MZ", 20}); // about 50 bytes/s
    UpdateWindow w;
    w.app.globals.UpdateServer = server.baseUrl();
    w.window->setMinimumRate(1024, 300);
    w.offer(u"größer"_s, u"0.4.2.0"_s);
    w.window->bbtnUpdate->click();
    EXPECT_EQ(w.app.dialogs.lastText(),
              u"Fehler beim Download von URL: "_s + server.baseUrl() +
                  u"download/quarvel/Quarvelupd.0.4.2.0.exe."_s);
    EXPECT_TRUE(w.app.launcher.calls.isEmpty());
    EXPECT_EQ(QDir(w.temp.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// A full disk shows only at the flush; /dev/full refuses there as such a disk does.
TEST(UpdateWindow, AProgramThatCannotBeStoredIsReportedWithFileAndReason)
{
    HttpTestServer server;
    server.serveBody(kUpdatePath, "#!/bin/sh\n");
    UpdateWindow w;
    w.app.globals.UpdateServer = server.baseUrl();
    w.window->setWriteTarget(
        [](const QString &) { return std::make_unique<QFile>(u"/dev/full"_s); });
    w.offer(u"größer"_s, u"0.4.2.0"_s);
    w.window->bbtnUpdate->click();
    const QString target = w.temp.path() + u"/Quarvelupd.0.4.2.0.exe"_s;
    const QString text = w.app.dialogs.lastText();
    EXPECT_TRUE(
        text.startsWith(u"Die Datei „"_s + target + u"“ konnte nicht geschrieben werden: "_s))
        << text.toStdString();
    EXPECT_TRUE(w.app.launcher.calls.isEmpty());
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(w.window->isVisible());
}
