// The map window at 1366 × 768 with every kind of layer, on tiles the test draws and serves
// from 127.0.0.1, and once more with the server gone. With QUARVEL_SHOT_DIR set the frames are
// saved there to be looked at.
#include "MapTestSupport.h"
#include "fakes/TestApp.h"
#include "gui/map/Karte_Unit.h"
#include "gui/map/MapWidget.h"
#include "gui/map/TileLoader.h"
#include "gui/support/ScreenFit.h"

#include <QDir>
#include <QPainter>
#include <QStatusBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

QByteArray drawnTile(int z, int x, int y)
{
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(QColor(0xDD, 0xEB, 0xD5));
    QPainter painter(&image);
    painter.setPen(QColor(0xB5, 0xC9, 0xAE));
    painter.drawRect(0, 0, 255, 255);
    painter.setPen(QColor(0x8F, 0xA5, 0x88));
    painter.drawText(QRect(0, 0, 256, 256), Qt::AlignCenter,
                     QStringLiteral("%1/%2/%3").arg(z).arg(x).arg(y));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void saveShot(const QImage &image, const char *name)
{
    const QString dir = qEnvironmentVariable("QUARVEL_SHOT_DIR");
    if (!dir.isEmpty())
        image.save(QDir(dir).filePath(QString::fromLatin1(name)));
}

void fillLayers(TfrmKarte &window)
{
    Map::Layer rechner;
    const Geo::GeoPoint start {52.5208, 13.4094};
    rechner.markers = {{start, QStringLiteral("Start")},
                       {{52.5290, 13.4400}, QStringLiteral("Ziel")}};
    rechner.lines = {Map::bearingLine(start, 68, 2300), Map::geodesicCircle(start, 1500)};
    window.showRechner(rechner);
    std::mt19937 random(3);
    std::uniform_real_distribution<double> lat(52.505, 52.535), lon(13.38, 13.45);
    std::vector<Geo::GeoPoint> points;
    std::vector<quint64> ids;
    for (quint64 i = 0; i < 60; ++i) {
        points.push_back({lat(random), lon(random)});
        ids.push_back(i);
    }
    Map::Layer circle;
    circle.markers = {{{52.52, 13.415}, QStringLiteral("Bezugspunkt")}};
    circle.lines = {Map::geodesicCircle({52.52, 13.415}, 3200)};
    window.showCandidates(points, ids, circle, nullptr);
}

} // namespace

TEST(MapScreenshot, LayersOnTilesAndOffline)
{
    QTemporaryDir dir;
    qputenv("XDG_CACHE_HOME", dir.path().toUtf8());
    HttpTestServer server;
    for (int x = 0; x < (1 << 13); x += 1) {
        if (x < 4395 || x > 4405)
            continue;
        for (int y = 2680; y <= 2692; ++y)
            server.serveBody(QStringLiteral("/13/%1/%2.png").arg(x).arg(y).toUtf8(),
                             drawnTile(13, x, y));
    }
    TestApp app;
    app.globals.settings.HomeKoordinaten = QStringLiteral("N 52° 30.500 E 013° 22.000");
    app.globals.settings.Karte.Kacheladresse = server.baseUrl() + QStringLiteral("{z}/{x}/{y}.png");
    TfrmKarte window(app.context);
    window.resize(1366, 768);
    window.show();
    fillLayers(window);
    window.mapKarte->setView({52.52, 13.415}, 13);
    MapTest::waitFor([&] { return server.requestedPaths.size() >= 12; }, 15000);
    MapTest::waitFor([] { return false; }, 300);
    const QImage online = window.grab().toImage();
    saveShot(online, "karte-ebenen.png");
    // As large as the screen of 1366 × 768 leaves room for, the frame included.
    EXPECT_TRUE(ScreenFit::primaryArea().contains(window.frameGeometry()));
    EXPECT_GE(online.width(), 1300);
    EXPECT_GE(online.height(), 700);
    EXPECT_TRUE(app.dialogs.messages.isEmpty());

    TestApp offlineApp;
    offlineApp.globals.settings.Karte.Kacheladresse =
        QStringLiteral("http://127.0.0.1:1/{z}/{x}/{y}.png");
    TfrmKarte offline(offlineApp.context);
    offline.resize(1366, 768);
    offline.show();
    fillLayers(offline);
    offline.mapKarte->setView({52.52, 13.415}, 14);
    MapTest::waitFor(
        [&] { return offline.statusBar()->currentMessage() == MapWidget::kOfflineText; });
    const QImage shot = offline.grab().toImage();
    saveShot(shot, "karte-offline.png");
    EXPECT_EQ(offline.statusBar()->currentMessage(), MapWidget::kOfflineText);
    EXPECT_TRUE(offlineApp.dialogs.messages.isEmpty()); // never a box per tile
}
