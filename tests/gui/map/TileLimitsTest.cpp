// What a tile may cost: its size while it arrives, the size its picture claims, the time its
// transfer takes, the memory the decoded tiles take, and downloads of zoom levels left behind.
#include "HostileTileServer.h"
#include "MapTestSupport.h"
#include "gui/map/MapWidget.h"
#include "gui/map/TileLoader.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace MapTest;

namespace {

const QColor kBlue(0, 0, 220);

QByteArray png(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kBlue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A map of 512 × 512 at zoom 1: the four tiles of that zoom, tile 1/0/0 in the top-left.
struct MapAtZoomOne
{
    MapAtZoomOne()
    {
        map.resize(512, 512);
        map.setView({0, 0}, 1);
    }
    QImage frame()
    {
        QImage image(map.size(), QImage::Format_RGB32);
        QPainter painter(&image);
        map.render(painter);
        return image;
    }
    MapWidget map;
};

TileLimits quick()
{
    TileLimits limits;
    limits.transferMs = 5000;
    return limits;
}

} // namespace

TEST(TileLimits, BodiesBeyondTheLimitAreAbortedWhileTheyArrive)
{
    const struct
    {
        const char *what;
        HostileTileServer::Kind kind;
    } cases[] = {
        {"chunked without end", HostileTileServer::Kind::EndlessChunked},
        {"Content-Length of 100 GB", HostileTileServer::Kind::HundredGigabytes},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        HostileTileServer server(c.kind);
        TileLoader loader(server.pattern(), QString(), 0, QStringLiteral("Quarvel/1"), quick());
        MapAtZoomOne view;
        view.map.setTileLoader(&loader);
        view.frame();
        ASSERT_TRUE(
            waitFor([&] { return server.requests >= 4 && loader.downloading() == 0; }, 15000))
            << server.bytesSent;
        EXPECT_EQ(loader.refused(), 4);
        // The client stopped reading soon after its limit: far less than the server would send.
        EXPECT_LT(server.bytesSent, qint64(400) << 20);
        EXPECT_EQ(loader.memoryBytes(), 0);
    }
}

TEST(TileLimits, TheSizeLimitHoldsAtItsValue)
{
    const QByteArray tile = png(256, 256);
    const struct
    {
        const char *what;
        qint64 limit;
        bool drawn;
        bool announced;
    } cases[] = {
        {"limit above the body", tile.size() + 1, true, true},
        {"limit at the body", tile.size(), true, true},
        {"limit below the body", tile.size() - 1, false, true},
        {"limit above, no length announced", tile.size() + 1, true, false},
        {"limit at, no length announced", tile.size(), true, false},
        {"limit below, no length announced", tile.size() - 1, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        HttpTestServer announcing;
        announcing.serveBody("/1/0/0.png", tile);
        HostileTileServer unannounced(HostileTileServer::Kind::Unannounced, 0, tile);
        TileLimits limits = quick();
        limits.maxBytes = c.limit;
        TileLoader loader(c.announced ? announcing.baseUrl() + QStringLiteral("{z}/{x}/{y}.png")
                                      : unannounced.pattern(),
                          QString(), 0, QStringLiteral("Quarvel/1"), limits);
        MapAtZoomOne view;
        view.map.setTileLoader(&loader);
        view.frame();
        ASSERT_TRUE(waitFor([&] {
            return announcing.requestedPaths.size() + unannounced.requests == 4 &&
                loader.downloading() == 0 && loader.decoding() == 0;
        }));
        EXPECT_EQ(view.frame().pixelColor(100, 100) == kBlue, c.drawn);
    }
}

TEST(TileLimits, PicturesClaimingMoreThanTheLargestTileAreNotDecoded)
{
    const struct
    {
        const char *what;
        QByteArray body;
        bool drawn;
    } cases[] = {
        {"256 x 256", png(256, 256), true},
        {"511 x 511", png(511, 511), true},
        {"512 x 512 (sharp screens)", png(512, 512), true},
        {"513 x 513", png(513, 513), false},
        {"256 x 513", png(256, 513), false},
        {"513 x 256", png(513, 256), false},
        {"4096 x 4096 (64 MB decoded)", png(4096, 4096), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        HttpTestServer server;
        server.serveBody("/1/0/0.png", c.body);
        TileLoader loader(server.baseUrl() + QStringLiteral("{z}/{x}/{y}.png"), QString(), 0,
                          QStringLiteral("Quarvel/1"), quick());
        MapAtZoomOne view;
        view.map.setTileLoader(&loader);
        view.frame();
        ASSERT_TRUE(waitFor([&] {
            return server.requestedPaths.size() == 4 && loader.downloading() == 0 &&
                loader.decoding() == 0;
        }));
        EXPECT_EQ(view.frame().pixelColor(100, 100) == kBlue, c.drawn);
        // Every tile kept is 256 × 256, whatever size it came in.
        EXPECT_EQ(loader.memoryBytes(), c.drawn ? 256 * 256 * 4 : 0);
    }
}

TEST(TileLimits, TheMemoryCacheCountsBytes)
{
    HttpTestServer server;
    for (const char *path : {"/1/0/0.png", "/1/1/0.png", "/1/0/1.png", "/1/1/1.png"})
        server.serveBody(path, png(512, 512));
    const qint64 tileBytes = 256 * 256 * 4;
    const struct
    {
        const char *what;
        qint64 limit;
        qint64 kept;
    } cases[] = {
        {"room for all four", 4 * tileBytes, 4 * tileBytes},
        {"room for three", 4 * tileBytes - 1, 3 * tileBytes},
        {"room for one", tileBytes, tileBytes},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TileLimits limits = quick();
        limits.memoryBytes = c.limit;
        TileLoader loader(server.baseUrl() + QStringLiteral("{z}/{x}/{y}.png"), QString(), 0,
                          QStringLiteral("Quarvel/1"), limits);
        MapAtZoomOne view;
        view.map.setTileLoader(&loader);
        view.frame();
        ASSERT_TRUE(waitFor([&] {
            return server.requestedPaths.size() % 4 == 0 && loader.downloading() == 0 &&
                loader.decoding() == 0;
        }));
        EXPECT_EQ(loader.memoryBytes(), c.kept);
    }
}

TEST(TileLimits, ATileThatDripsIsGivenUpAtItsDeadlineAndTheOthersArrive)
{
    HostileTileServer drip(HostileTileServer::Kind::Drip, 50);
    TileLimits limits;
    limits.transferMs = 600;
    TileLoader loader(drip.pattern(), QString(), 0, QStringLiteral("Quarvel/1"), limits);
    MapAtZoomOne view;
    view.map.setTileLoader(&loader);
    view.frame();
    // Two at a time, each given up at its deadline although a byte comes every 50 ms: every
    // tile was asked for, and the slots are free again.
    ASSERT_TRUE(waitFor([&] { return drip.requests == 4 && loader.downloading() == 0; }, 8000))
        << drip.requests << " " << loader.downloading();
    EXPECT_FALSE(loader.offline());
}

TEST(TileLimits, DownloadsOfAZoomLevelLeftBehindAreCancelled)
{
    HttpTestServer server;
    for (const char *path : {"/1/0/0.png", "/1/1/0.png", "/1/0/1.png", "/1/1/1.png"})
        server.serve(path, {HttpTestServer::Kind::Held, 200, png(256, 256)});
    TileLoader loader(server.baseUrl() + QStringLiteral("{z}/{x}/{y}.png"), QString(), 0,
                      QStringLiteral("Quarvel/1"), quick());
    MapAtZoomOne view;
    view.map.setTileLoader(&loader);
    view.frame();
    ASSERT_TRUE(waitFor([&] { return server.requestedPaths.size() == 2; }));
    view.map.setView({0, 0}, 3);
    view.frame();
    // The held zoom-1 tiles no longer take the slots: zoom 3's tiles are asked for.
    ASSERT_TRUE(waitFor([&] {
        return std::count_if(server.requestedPaths.begin(), server.requestedPaths.end(),
                             [](const QByteArray &p) { return p.startsWith("/3/"); }) >= 2;
    }));
}

TEST(TileLimits, AFileAddressIsNeverOpened)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Should the loader open the pipe, this frees it after a while, so the test fails instead
    // of hanging.
    std::atomic<bool> rescued {false};
    std::thread rescuer([&] {
        QThread::msleep(3000);
        rescued = true;
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    });
    {
        TileLoader loader(QStringLiteral("file://") + fifo + QStringLiteral("?{z}{x}{y}"),
                          QString(), 0, QStringLiteral("Quarvel/1"), quick());
        MapAtZoomOne view;
        view.map.setTileLoader(&loader);
        view.frame();
        EXPECT_EQ(loader.downloading(), 0);
        EXPECT_EQ(loader.refused(), 4);
        EXPECT_FALSE(rescued.load());
    }
    rescuer.join();
}
