#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/app/StatusBar1.h"
#include "gui/update/ThUpdate_Unit.h"
#include "gui/update/Upd_DL_Unit.h"
#include "platform/linux/NetworkDownloader.h"
#include "support/net/HttpTestServer.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kVersionPath = "/download/quarvel/ver_quarvel.txt";
constexpr int kPatienceMs = 30000; // generous: the machine may be busy

// The main window and the update window as start-up makes them, checking against `server`.
struct UpdateApp
{
    explicit UpdateApp(const HttpTestServer &server, bool updateSuchen = true,
                       int transferTimeoutMs = 800)
        : downloader({transferTimeoutMs, 3})
    {
        app.globals.UpdateServer = server.baseUrl();
        app.globals.TempPfad = temp.path() + u'/';
        app.globals.settings.UpdateSuchen = updateSuchen;
        app.context.downloader = &downloader;
        main = std::make_unique<TfrmQuarvelMain>(app.context);
        updDL = new TfrmUpdDL(app.context, main.get());
        app.context.windows.updDL = updDL;
        main->windowsCreated();
    }

    UpdateChecks *checks() const
    {
        return static_cast<UpdateChecks *>(main->findChild<QObject *>(u"updateChecks"_s));
    }
    bool checkDone() const { return checks() && checks()->running() == 0; }

    TestApp app;
    QTemporaryDir temp;
    NetworkDownloader downloader;
    std::unique_ptr<TfrmQuarvelMain> main;
    TfrmUpdDL *updDL = nullptr;
};

} // namespace

TEST(UpdateCheck, StatusBarShowsTheVerdictAndANewerVersionOpensTheWindow)
{
    const struct
    {
        int status;
        QByteArray body;
        const char *word;
        const char *panelText;
        QColor colour;
    } cases[] = {
        {200, "0.4.2.0\r\n", "größer", "Version 0.4.2.0 ist verfügbar !", QColor(255, 0, 0)},
        {200, "0.4.1.0\r\n", "gleich", "Version 0.4.1.0 ist aktuell !", QColor(0, 128, 0)},
        {200, "0.4.0.9", "kleiner", "Diese Version 0.4.1.0 ist neuer !", QColor(255, 128, 64)},
        {404, "", "NIL", "Keine Verbindung zum Server !", QColor(255, 0, 0)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.word);
        HttpTestServer server;
        if (c.status == 200)
            server.serveBody(kVersionPath, c.body);
        UpdateApp update(server);
        EXPECT_TRUE(update.main->Update_Timer->isActive());
        EXPECT_EQ(statusVerdict(update.app.globals).text, QString());

        const QString word = QString::fromUtf8(c.word);
        ASSERT_TRUE(QTest::qWaitFor([&] { return update.app.globals.VersionsVergleich == word; },
                                    kPatienceMs));
        const StatusVerdict verdict = statusVerdict(update.app.globals);
        EXPECT_EQ(verdict.text, QString::fromUtf8(c.panelText));
        EXPECT_EQ(verdict.colour, c.colour);
        EXPECT_FALSE(update.main->Update_Timer->isActive()) << "fires once per start";
        // The window follows a moment after the verdict, and only for a newer version.
        EXPECT_TRUE(update.main->tmrUpdDL->isActive());
        EXPECT_FALSE(update.updDL->isVisible());
        if (word == u"größer") {
            EXPECT_TRUE(QTest::qWaitFor([&] { return update.updDL->isVisible(); }, kPatienceMs));
            EXPECT_TRUE(update.updDL->isModal());
            EXPECT_EQ(update.updDL->lblVersion->text(), u"Version 0.4.2.0 ist verfügbar !!!");
        } else {
            EXPECT_TRUE(
                QTest::qWaitFor([&] { return !update.main->tmrUpdDL->isActive(); }, kPatienceMs));
            QTest::qWait(10);
            EXPECT_FALSE(update.updDL->isVisible());
        }
        EXPECT_TRUE(update.checkDone());
        EXPECT_EQ(server.requestedPaths, QList<QByteArray> {kVersionPath});
    }
}

TEST(UpdateCheck, WithoutTheSettingNoCheckStartsAndNoWindowOpens)
{
    HttpTestServer server;
    server.serveBody(kVersionPath, "0.4.2.0\r\n");
    UpdateApp update(server, /*updateSuchen=*/false);
    EXPECT_FALSE(update.main->Update_Timer->isActive());
    EXPECT_EQ(statusVerdict(update.app.globals).text, QString());

    // A check started by hand (as the settings dialog does) publishes, but offers nothing.
    update.main->Update_Timer->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return update.app.globals.VersionsVergleich == u"größer"; },
                                kPatienceMs));
    EXPECT_FALSE(update.main->tmrUpdDL->isActive());
    EXPECT_FALSE(update.updDL->isVisible());
}

TEST(UpdateCheck, ABuildWithoutServerChecksNothingAndSaysSoInGrey)
{
    HttpTestServer server;
    server.serveBody(kVersionPath, "0.4.2.0\r\n");
    for (const bool updateSuchen : {true, false}) {
        SCOPED_TRACE(updateSuchen);
        UpdateApp update(server, updateSuchen);
        update.app.globals.UpdateServer.clear();
        // The window as start-up makes it in such a build.
        update.main = std::make_unique<TfrmQuarvelMain>(update.app.context);
        EXPECT_FALSE(update.main->Update_Timer->isActive());
        const StatusVerdict verdict = statusVerdict(update.app.globals);
        EXPECT_EQ(verdict.text, u"Keine Update-Prüfung eingerichtet");
        EXPECT_EQ(verdict.colour, QColor(128, 128, 128));

        // The settings dialog's OK starts the timer; its event still fetches nothing.
        update.main->Update_Timer->setInterval(0);
        update.main->Update_Timer->start();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !update.main->Update_Timer->isActive(); }));
        QTest::qWait(50);
        EXPECT_TRUE(server.requestedPaths.isEmpty());
        EXPECT_TRUE(update.app.globals.VersionsVergleich.isEmpty());
        EXPECT_EQ(statusVerdict(update.app.globals).text, u"Keine Update-Prüfung eingerichtet");
    }
}

TEST(UpdateCheck, AFileThatIsNoVersionKeepsThePreviousVerdict)
{
    HttpTestServer server;
    server.serveBody(kVersionPath, "0.4.1\r\n");
    UpdateApp update(server);
    update.app.globals.VersionsVergleich = u"gleich"_s;
    update.app.globals.ServerVersion = u"0.4.1.0"_s;
    ASSERT_TRUE(QTest::qWaitFor([&] { return update.checkDone(); }, kPatienceMs));
    QTest::qWait(10); // a step that should not come would arrive now
    EXPECT_EQ(update.app.globals.VersionsVergleich, u"gleich");
    EXPECT_EQ(update.app.globals.ServerVersion, u"0.4.1.0");
    EXPECT_FALSE(update.main->tmrUpdDL->isActive());
    EXPECT_EQ(server.requestedPaths.size(), 1);
}

TEST(UpdateCheck, NilKeepsTheServerVersion)
{
    HttpTestServer server; // the version file is missing
    UpdateApp update(server);
    update.app.globals.VersionsVergleich = u"größer"_s;
    update.app.globals.ServerVersion = u"0.4.2.0"_s;
    ASSERT_TRUE(QTest::qWaitFor([&] { return update.app.globals.VersionsVergleich == u"NIL"; },
                                kPatienceMs));
    EXPECT_EQ(update.app.globals.ServerVersion, u"0.4.2.0");
}

TEST(UpdateCheck, OverlappingChecksPublishInTheOrderTheyEnd)
{
    HttpTestServer slow;
    slow.serve(kVersionPath, {HttpTestServer::Kind::Held, 200, "0.5.0.0\r\n"});
    HttpTestServer quick;
    quick.serveBody(kVersionPath, "0.4.1.0\r\n");
    TestApp app;
    QTemporaryDir temp;
    app.globals.TempPfad = temp.path() + u'/';
    NetworkDownloader downloader({60000, 3});
    QStringList published;
    UpdateChecks checks(
        [&](const VersionCheck::Result &r) { published.append(r.VersionsVergleich); }, nullptr);

    app.globals.UpdateServer = slow.baseUrl();
    checks.start(downloader, app.globals);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !slow.requestedPaths.isEmpty(); }, kPatienceMs));
    app.globals.UpdateServer = quick.baseUrl();
    checks.start(downloader, app.globals);
    EXPECT_EQ(checks.running(), 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return published.size() == 1; }, kPatienceMs));
    EXPECT_EQ(published, QStringList {u"gleich"_s});
    slow.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return published.size() == 2; }, kPatienceMs));
    EXPECT_EQ(published, (QStringList {u"gleich"_s, u"größer"_s}));
    EXPECT_EQ(checks.running(), 0);
}

TEST(UpdateCheck, ClosingDuringACheckNeitherWaitsForTheServerNorPublishes)
{
    HttpTestServer server;
    server.serve(kVersionPath, {HttpTestServer::Kind::NeverAnswer, 200, {}});
    // Only a stopped check ends before the test gives up: the server never answers.
    UpdateApp update(server, true, /*transferTimeoutMs=*/600000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.requestedPaths.isEmpty(); }, kPatienceMs));
    EXPECT_EQ(update.checks()->running(), 1);
    update.main.reset();
    QTest::qWait(50); // a step that survived its window would run now
    EXPECT_EQ(update.app.globals.VersionsVergleich, QString());
}

// A server that drips the version file a byte at a time is never silent long enough for the
// stall timeout; the check's deadline ends it, so its worker does not live on.
TEST(UpdateCheck, ADrippingServerEndsTheCheckAtItsDeadline)
{
    HttpTestServer server;
    server.serve(kVersionPath, {HttpTestServer::Kind::Drip, 200, "0.4.", /*intervalMs=*/50});
    TestApp app;
    QTemporaryDir temp;
    app.globals.TempPfad = temp.path() + u'/';
    app.globals.UpdateServer = server.baseUrl();
    NetworkDownloader downloader({600000, 3}); // a stall timeout that never comes
    QStringList published;
    UpdateChecks checks(
        [&](const VersionCheck::Result &r) { published.append(r.VersionsVergleich); }, nullptr);
    checks.setDeadlineMs(400);
    checks.start(downloader, app.globals);
    ASSERT_TRUE(QTest::qWaitFor([&] { return checks.running() == 0; }, kPatienceMs));
    EXPECT_EQ(published, QStringList {u"NIL"_s});
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), QStringList());
}
