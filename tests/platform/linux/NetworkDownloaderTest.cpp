#include "platform/linux/NetworkDownloader.h"
#include "logic/update/VersionCheck.h"
#include "support/net/HttpTestServer.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kVersionPath = "/download/quarvel/ver_quarvel.txt";

NetworkDownloader quickDownloader()
{
    // Short enough that a silent server does not hold a test up for long.
    return NetworkDownloader({/*transferTimeoutMs=*/800, /*maxRedirects=*/3});
}

Downloader::Request requestFor(const QString &url, qint64 maxBytes = 1 << 20)
{
    Downloader::Request request;
    request.url = QUrl(url);
    request.maxBytes = maxBytes;
    return request;
}

// A port on 127.0.0.1 where nobody listens.
quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace

TEST(NetworkVersionCheck, ComparesTheServersFirstLine)
{
    const struct
    {
        QByteArray body;
        const char *word;
    } cases[] = {
        {"0.4.1.0\r\n", "gleich"},  {"0.4.2.0\r\n", "größer"},
        {"0.4.0.9\r\n", "kleiner"}, {"0.04.1.00\r\n", "gleich"},
        {"0.10.0.0", "größer"},     {"0.4.2.0\r\n0.1.0.0\r\nÄnderungen\r\n", "größer"},
    };
    HttpTestServer server;
    QTemporaryDir temp;
    NetworkDownloader downloader = quickDownloader();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.body.toStdString());
        server.serveBody(kVersionPath, c.body);
        const auto result = VersionCheck::CheckServerVersion(downloader, server.baseUrl(),
                                                             temp.path() + u'/', u"0.4.1.0"_s);
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(result->VersionsVergleich, QString::fromUtf8(c.word));
        EXPECT_EQ(result->ServerVersion, VersionCheck::versionFileFirstLine(c.body));
        EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), QStringList());
    }
}

TEST(NetworkVersionCheck, FailedFetchesGiveNil)
{
    HttpTestServer server;
    server.serve(kVersionPath, {HttpTestServer::Kind::NeverAnswer, 200, {}});
    HttpTestServer empty; // every path a 404
    const QString servers[] = {
        empty.baseUrl(), u"http://127.0.0.1:%1/"_s.arg(closedPort()),
        server.baseUrl(), // stays silent until the transfer timeout
        u""_s, // no address configured: nothing is fetched
    };
    QTemporaryDir temp;
    NetworkDownloader downloader = quickDownloader();
    for (const QString &base : servers) {
        SCOPED_TRACE(base.toStdString());
        const auto result =
            VersionCheck::CheckServerVersion(downloader, base, temp.path() + u'/', u"0.4.1.0"_s);
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(result->VersionsVergleich, u"NIL");
        EXPECT_FALSE(result->ServerVersion.has_value());
        EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), QStringList());
    }
}

TEST(NetworkVersionCheck, ThreePartsGiveNoResult)
{
    HttpTestServer server;
    server.serveBody(kVersionPath, "0.4.1\r\n");
    QTemporaryDir temp;
    NetworkDownloader downloader = quickDownloader();
    EXPECT_FALSE(VersionCheck::CheckServerVersion(downloader, server.baseUrl(), temp.path() + u'/',
                                                  u"0.4.1.0"_s));
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), QStringList());
}

TEST(NetworkDownloader, AHugeReplyIsCutOff)
{
    HttpTestServer server;
    server.serve("/huge", {HttpTestServer::Kind::Huge, 200, {}});
    NetworkDownloader downloader = quickDownloader();
    {
        // Only the head of a text is wanted: what arrived up to the limit counts.
        QBuffer head;
        head.open(QIODevice::WriteOnly);
        Downloader::Request request = requestFor(server.baseUrl() + u"huge"_s, 4096);
        request.firstLineOnly = true;
        EXPECT_TRUE(downloader.DownloadToFile(request, head));
        EXPECT_EQ(head.size(), 4096);
    }
    {
        QBuffer whole;
        whole.open(QIODevice::WriteOnly);
        EXPECT_FALSE(
            downloader.DownloadToFile(requestFor(server.baseUrl() + u"huge"_s, 1 << 20), whole));
        EXPECT_LE(whole.size(), 1 << 20);
    }
    {
        // An endless error page is not collected either.
        HttpTestServer errorPages;
        errorPages.serve("/huge", {HttpTestServer::Kind::Huge, 404, {}});
        QBuffer page;
        page.open(QIODevice::WriteOnly);
        EXPECT_FALSE(downloader.DownloadToFile(requestFor(errorPages.baseUrl() + u"huge"_s), page));
        EXPECT_EQ(page.size(), 0);
        EXPECT_LT(errorPages.hugeBytesSent, HttpTestServer::kHugeBound);
    }
    EXPECT_LT(server.hugeBytesSent, HttpTestServer::kHugeBound) << "the reply was read to its end";
}

TEST(NetworkDownloader, FollowsAFewRedirects)
{
    HttpTestServer server;
    server.serve("/old", {HttpTestServer::Kind::Redirect, 302, "/new"});
    server.serveBody("/new", "moved here");
    server.serve("/loop", {HttpTestServer::Kind::Redirect, 302, "/loop"});
    NetworkDownloader downloader = quickDownloader();

    QBuffer moved;
    moved.open(QIODevice::WriteOnly);
    EXPECT_TRUE(downloader.DownloadToFile(requestFor(server.baseUrl() + u"old"_s), moved));
    EXPECT_EQ(moved.data(), "moved here");

    QBuffer looped;
    looped.open(QIODevice::WriteOnly);
    EXPECT_FALSE(downloader.DownloadToFile(requestFor(server.baseUrl() + u"loop"_s), looped));
    EXPECT_LE(server.requestedPaths.count("/loop"), 5); // the first request and a few more
}

TEST(NetworkDownloader, ReportsProgressAndAsksPastCaches)
{
    HttpTestServer server;
    const QByteArray body(200000, 'q');
    server.serve("/slow", {HttpTestServer::Kind::Slow, 200, body});
    NetworkDownloader downloader = quickDownloader();
    QList<QPair<qint64, qint64>> reports;
    Downloader::Request request = requestFor(server.baseUrl() + u"slow"_s);
    request.progress = [&](qint64 done, qint64 total) { reports.append({done, total}); };
    QBuffer target;
    target.open(QIODevice::WriteOnly);
    ASSERT_TRUE(downloader.DownloadToFile(request, target));
    EXPECT_EQ(target.data(), body);
    ASSERT_GE(reports.size(), 2);
    EXPECT_EQ(reports.constLast(), qMakePair(qint64(body.size()), qint64(body.size())));
    for (qsizetype i = 1; i < reports.size(); ++i)
        EXPECT_GE(reports[i].first, reports[i - 1].first);
    ASSERT_EQ(server.requestHeaders.size(), 1);
    EXPECT_TRUE(server.requestHeaders[0].contains("Cache-Control: no-cache"));
}

TEST(NetworkDownloader, FetchesOnlyWebAddresses)
{
    NetworkDownloader downloader = quickDownloader();
    for (const char *url : {"file:///etc/hostname", "ftp://127.0.0.1/x", "data:,0.4.2.0",
                            "download/quarvel/ver_quarvel.txt"}) {
        SCOPED_TRACE(url);
        QBuffer target;
        target.open(QIODevice::WriteOnly);
        EXPECT_FALSE(downloader.DownloadToFile(requestFor(QString::fromUtf8(url)), target));
        EXPECT_EQ(target.size(), 0);
    }
}

TEST(NetworkDownloader, GivesUpWhenItsThreadIsAskedToStop)
{
    HttpTestServer server;
    server.serve("/silent", {HttpTestServer::Kind::NeverAnswer, 200, {}});
    // A timeout far beyond the test's patience: only the request to stop can end it.
    NetworkDownloader downloader({/*transferTimeoutMs=*/600000, /*maxRedirects=*/3});
    std::atomic<int> outcome = -1;
    const QString url = server.baseUrl() + u"silent"_s;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        QBuffer target;
        target.open(QIODevice::WriteOnly);
        outcome = downloader.DownloadToFile(requestFor(url), target) ? 1 : 0;
    }));
    worker->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.requestedPaths.isEmpty(); }, 20000));
    worker->requestInterruption();
    EXPECT_TRUE(QTest::qWaitFor([&] { return worker->isFinished(); }, 20000));
    worker->wait();
    EXPECT_EQ(outcome, 0);
}

// A server that drips is never silent long enough for the stall timeout; the deadline, the
// minimum rate and a cancel each end the transfer.
TEST(NetworkDownloader, ADrippingServerIsLeftByDeadlineRateOrCancel)
{
    HttpTestServer server;
    server.serve("/drip", {HttpTestServer::Kind::Drip, 200, "0.4.", /*intervalMs=*/20});
    NetworkDownloader downloader({/*transferTimeoutMs=*/600000, /*maxRedirects=*/3});
    int polls = 0;
    struct Case
    {
        const char *what;
        std::function<void(Downloader::Request &)> limit;
    };
    const Case cases[] = {
        {"deadline", [](Downloader::Request &r) { r.deadlineMs = 300; }},
        {"deadline of the first line",
         [](Downloader::Request &r) {
             r.deadlineMs = 300;
             r.firstLineOnly = true;
         }},
        {"minimum rate",
         [](Downloader::Request &r) {
             r.minBytesPerSecond = 1024;
             r.rateWindowMs = 300;
         }},
        {"cancel",
         [&polls](Downloader::Request &r) {
             polls = 0;
             r.cancelled = [&polls] { return ++polls > 5; };
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Downloader::Request request = requestFor(server.baseUrl() + u"drip"_s);
        c.limit(request);
        QBuffer target;
        target.open(QIODevice::WriteOnly);
        EXPECT_FALSE(downloader.DownloadToFile(request, target));
        EXPECT_TRUE(target.data().startsWith("0.4.")) << "it did receive the drip";
    }
}

TEST(NetworkDownloader, ATransferAboveTheMinimumRateAndWithinTheDeadlineCompletes)
{
    HttpTestServer server;
    const QByteArray body(200000, 'q');
    server.serve("/slow", {HttpTestServer::Kind::Slow, 200, body}); // 8 pieces, 20 ms apart
    NetworkDownloader downloader = quickDownloader();
    Downloader::Request request = requestFor(server.baseUrl() + u"slow"_s);
    request.deadlineMs = 60000;
    request.minBytesPerSecond = 1024;
    request.rateWindowMs = 100;
    request.cancelled = [] { return false; };
    QBuffer target;
    target.open(QIODevice::WriteOnly);
    EXPECT_TRUE(downloader.DownloadToFile(request, target));
    EXPECT_EQ(target.data(), body);
}

// An update over a slow line, 10 to 50 KB/s, completes with the window's minimum rate of 1 KB/s;
// the rate is measured over a window shortened from half a minute so that several windows pass.
TEST(NetworkDownloader, ASlowButSteadyTransferCompletesAtTheDefaultMinimumRate)
{
    HttpTestServer server;
    NetworkDownloader downloader({/*transferTimeoutMs=*/5000, /*maxRedirects=*/3});
    for (int kilobytesPerSecond : {10, 20, 50}) {
        SCOPED_TRACE(kilobytesPerSecond);
        // About 0.8 s of transfer at each rate.
        const QByteArray body(kilobytesPerSecond * 820, 'u');
        server.serve("/paced", {HttpTestServer::Kind::Paced, 200, body, 1000 / kilobytesPerSecond});
        Downloader::Request request = requestFor(server.baseUrl() + u"paced"_s);
        request.minBytesPerSecond = 1024;
        request.rateWindowMs = 200;
        QBuffer target;
        target.open(QIODevice::WriteOnly);
        EXPECT_TRUE(downloader.DownloadToFile(request, target));
        EXPECT_EQ(target.data(), body);
    }
}

// Only a 2xx status is a download: a redirect the client does not follow (300 names no single
// place) or an error page is no file. A reply of exactly the size limit is complete.
TEST(NetworkDownloader, StatusAndSizeLimitDecideTheDownload)
{
    const QByteArray body(1000, 'x');
    const struct
    {
        const char *what;
        int status;
        qint64 maxBytes;
        bool ok;
    } cases[] = {
        {"200", 200, 2000, true},
        {"299", 299, 2000, true},
        {"300", 300, 2000, false},
        {"404", 404, 2000, false},
        {"exactly the limit", 200, 1000, true},
        {"one byte above the limit", 200, 999, false},
    };
    NetworkDownloader downloader = quickDownloader();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        HttpTestServer server;
        server.serveBody("/datei", body, c.status);
        QBuffer file;
        file.open(QIODevice::WriteOnly);
        EXPECT_EQ(
            downloader.DownloadToFile(requestFor(server.baseUrl() + u"datei"_s, c.maxBytes), file),
            c.ok);
        if (c.ok) {
            EXPECT_EQ(file.data(), body);
        }
    }
}
