// The map's tiles from a local server: concurrency, failures of every kind, the disk cache.
#include "gui/map/TileLoader.h"
#include "MapTestSupport.h"
#include "gui/map/MapWidget.h"

#include <QNetworkCacheMetaData>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace MapTest;

namespace {

const QColor kGreen(0, 200, 0);

QString pattern(const HttpTestServer &server)
{
    return server.baseUrl() + QStringLiteral("{z}/{x}/{y}.png");
}

// A 512 × 512 map at zoom 1 shows exactly the four tiles of that zoom.
struct TileFixture : ::testing::Test
{
    TileFixture()
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

    QTemporaryDir cacheDir;
    HttpTestServer server;
    MapWidget map;
};

} // namespace

TEST_F(TileFixture, DrawsGoodTilesAndKeepsWorkingAroundBadOnes)
{
    server.serveBody("/1/0/0.png", tilePng(kGreen));
    server.serve("/1/1/0.png", {HttpTestServer::Kind::Slow, 200, tilePng(kGreen)});
    server.serveBody("/1/0/1.png", "this is no PNG");
    // 1/1/1 is not served: 404.
    TileLoader loader(pattern(server), cacheDir.path(), 10 << 20,
                      QStringLiteral("Quarvel/0.4.1.0"));
    map.setTileLoader(&loader);
    frame();
    ASSERT_TRUE(waitFor(
        [&] {
            return server.requestedPaths.size() == 4 && loader.downloading() == 0 &&
                loader.decoding() == 0;
        },
        15000));
    const QImage image = frame();
    const struct
    {
        const char *tile;
        QPoint at;
        bool green;
    } cases[] = {
        {"good", {100, 200}, true},
        {"slow", {400, 200}, true},
        {"broken PNG", {100, 300}, false},
        {"404", {400, 300}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tile);
        EXPECT_EQ(image.pixelColor(c.at) == kGreen, c.green);
    }
    EXPECT_FALSE(loader.offline()); // the server answered every time
    for (const QByteArray &headers : server.requestHeaders)
        EXPECT_TRUE(headers.contains("User-Agent: Quarvel/0.4.1.0")) << headers.toStdString();
    // A failed tile is not asked for again with every frame.
    frame();
    waitFor([] { return false; }, 100);
    EXPECT_EQ(server.requestedPaths.size(), 4);
}

TEST_F(TileFixture, NeverMoreThanTwoDownloadsAtOnce)
{
    for (const char *path : {"/1/0/0.png", "/1/1/0.png", "/1/0/1.png", "/1/1/1.png"})
        server.serve(path, {HttpTestServer::Kind::Held, 200, tilePng(kGreen)});
    TileLoader loader(pattern(server), cacheDir.path(), 10 << 20, QStringLiteral("Quarvel/1"));
    map.setTileLoader(&loader);
    frame();
    waitFor([&] { return server.requestedPaths.size() >= 2; });
    waitFor([] { return false; }, 200);
    EXPECT_EQ(server.requestedPaths.size(), 2);
    EXPECT_EQ(loader.downloading(), TileLoader::kMaxDownloads);
    server.release();
    waitFor([&] { return server.requestedPaths.size() >= 4; });
    server.release();
    // Pictures are decoded beside the window, after their download.
    ASSERT_TRUE(waitFor([&] { return loader.downloading() == 0 && loader.decoding() == 0; }));
    EXPECT_EQ(server.requestedPaths.size(), 4);
    EXPECT_EQ(frame().pixelColor(400, 300), kGreen);
}

TEST_F(TileFixture, ServerGoneMeansOfflineButTheMapStillDraws)
{
    quint16 port = 0;
    {
        HttpTestServer gone;
        port = gone.port();
    }
    TileLoader loader(QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(port),
                      cacheDir.path(), 10 << 20, QStringLiteral("Quarvel/1"));
    map.setTileLoader(&loader);
    Map::Layer layer;
    layer.name = QStringLiteral("Punkte");
    layer.markers.append({{0, 0}, QStringLiteral("Mitte")});
    map.setLayer(layer, Qt::blue);
    frame();
    ASSERT_TRUE(waitFor([&] { return loader.offline(); }));
    const QImage image = frame();
    EXPECT_EQ(image.pixelColor(256, 256), QColor(Qt::blue)); // the layer is drawn
    // A server that answers again ends the offline state.
    server.serveBody("/1/0/0.png", tilePng(kGreen));
    loader.setPattern(pattern(server));
    frame();
    ASSERT_TRUE(waitFor([&] { return !loader.offline(); }));
}

TEST(TileDiskCache, KeepsTilesAtLeastAWeekAndHonoursLongerHeaders)
{
    QTemporaryDir dir;
    TileDiskCache cache(dir.path(), 10 << 20);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const struct
    {
        const char *what;
        QDateTime expires;
        qint64 atLeastSeconds;
    } cases[] = {
        {"one minute from the header", now.addSecs(60), TileDiskCache::kMinimumLifeSeconds},
        {"no header", QDateTime(), TileDiskCache::kMinimumLifeSeconds},
        {"a month from the header", now.addDays(30), 30 * 24 * 3600},
    };
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QNetworkCacheMetaData meta;
        meta.setUrl(QUrl(QStringLiteral("http://127.0.0.1/%1.png").arg(++n)));
        meta.setSaveToDisk(true);
        meta.setExpirationDate(c.expires);
        QIODevice *device = cache.prepare(meta);
        ASSERT_NE(device, nullptr);
        device->write(QByteArray(100, 'x'));
        cache.insert(device);
        const QDateTime kept = cache.metaData(meta.url()).expirationDate();
        EXPECT_GE(now.secsTo(kept), c.atLeastSeconds - 5);
        EXPECT_LE(now.secsTo(kept), c.atLeastSeconds + 5);
    }
}

TEST(TileDiskCache, SizeLimitRemovesTheOldestFirst)
{
    QTemporaryDir dir;
    const qint64 limit = 200 * 1024;
    TileDiskCache cache(dir.path(), limit);
    QList<QUrl> urls;
    for (int i = 0; i < 12; ++i) {
        QNetworkCacheMetaData meta;
        meta.setUrl(QUrl(QStringLiteral("http://127.0.0.1/%1.png").arg(i)));
        meta.setSaveToDisk(true);
        QIODevice *device = cache.prepare(meta);
        device->write(QByteArray(40 * 1024, char('a' + i)));
        cache.insert(device);
        urls.append(meta.url());
        QThread::msleep(15); // distinct file times
    }
    // The limit is enforced as each tile comes in, so at most the newest tile lies above it.
    EXPECT_LE(cache.cacheSize(), limit + 41 * 1024);
    EXPECT_FALSE(cache.metaData(urls.first()).isValid());
    EXPECT_TRUE(cache.metaData(urls.last()).isValid());
    // What is left is a run of the newest.
    bool seen = false;
    for (const QUrl &url : urls) {
        const bool kept = cache.metaData(url).isValid();
        EXPECT_TRUE(kept || !seen) << url.toString().toStdString();
        seen = seen || kept;
    }
}
