// The map window against what a hostile file, pipe or settings file does to it: large imports
// and exports run beside the window, a stored place or tile address is checked before use.
#include "MapTestSupport.h"
#include "fakes/TestApp.h"
#include "gui/app/Einstellungen_Unit.h"
#include "gui/app/Main_Unit.h"
#include "gui/map/KarteEbenen.h"
#include "gui/map/KartePage.h"
#include "gui/map/Karte_Unit.h"
#include "gui/map/MapWidget.h"
#include "gui/map/TileLoader.h"
#include "gui/support/ScreenFit.h"
#include "logic/map/Gpx.h"
#include "logic/settings/LoadSaveSettings.h"
#include "platform/linux/FileSettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace MapTest;

namespace {

struct RobustFixture : ::testing::Test
{
    RobustFixture()
    {
        qputenv("XDG_CACHE_HOME", dir.path().toUtf8());
        app.globals.settings.Karte.Kacheladresse =
            server.baseUrl() + QStringLiteral("{z}/{x}/{y}.png");
    }
    QString gpxWithWaypoints(int count)
    {
        QByteArray text = "<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
        for (int i = 0; i < count; ++i)
            text += "<wpt lat=\"52." + QByteArray::number(100000 + i) + "\" lon=\"13." +
                QByteArray::number(100000 + i) + "\"><name>GC" + QByteArray::number(i) +
                "</name></wpt>\n";
        text += "</gpx>\n";
        QFile file(dir.filePath(QStringLiteral("viele.gpx")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    }

    QTemporaryDir dir;
    HttpTestServer server;
    TestApp app;
};

// Reads a pipe's end without blocking: everything there is until `stop`.
void drain(int fd, QByteArray &into, const std::atomic<bool> &stop)
{
    char buffer[65536];
    while (!stop) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            into.append(buffer, n);
        else
            QThread::msleep(5);
    }
}

} // namespace

TEST_F(RobustFixture, ImportReadsBesideTheWindowAndShowsTheLayerWhenDone)
{
    TfrmKarte window(app.context);
    app.dialogs.fileAnswers = {gpxWithWaypoints(20000)};
    window.actGpxImportieren->trigger();
    // The window goes on while the file is read; a second import waits for the first.
    EXPECT_TRUE(window.importing());
    EXPECT_FALSE(window.actGpxImportieren->isEnabled());
    ASSERT_TRUE(waitFor([&] { return !window.importing(); }, 30000));
    EXPECT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.lastText().toStdString();
    ASSERT_EQ(window.mapKarte->layers().size(), 1);
    EXPECT_EQ(window.mapKarte->layers()[0].markers.size(), 20000);
    EXPECT_TRUE(window.actGpxImportieren->isEnabled());
    EXPECT_TRUE(window.statusBar()->currentMessage().contains(QStringLiteral("20000 Wegpunkte")))
        << window.statusBar()->currentMessage().toStdString();
}

TEST_F(RobustFixture, ExportToAPipeNobodyReadsLeavesTheWindowWorkingAndCanBeCancelled)
{
    TfrmKarte window(app.context);
    std::vector<Geo::GeoPoint> points;
    std::vector<quint64> ids;
    for (int i = 0; i < 5000; ++i) {
        points.push_back({52 + i * 1e-5, 13});
        ids.push_back(quint64(i));
    }
    window.showCandidates(points, ids, {}, nullptr);
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    // Should the export block the window, this starts reading after a while so the test fails
    // instead of hanging.
    std::atomic<bool> rescuing {false}, stop {false};
    QByteArray rescued;
    std::thread rescuer([&] {
        QThread::msleep(4000);
        rescuing = true;
        drain(reader, rescued, stop);
    });
    app.dialogs.fileAnswers = {fifo};
    window.actGpxExportieren->trigger();
    EXPECT_FALSE(rescuing.load()); // the trigger came back without anyone reading
    EXPECT_TRUE(window.exporting());
    EXPECT_FALSE(window.btnExportAbbrechen->isHidden());
    waitFor([] { return false; }, 200); // the pipe is full by now
    EXPECT_TRUE(window.exporting());
    window.btnExportAbbrechen->click();
    ASSERT_TRUE(waitFor([&] { return !window.exporting(); }, 3000));
    EXPECT_FALSE(rescuing.load());
    EXPECT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.lastText().toStdString();
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("GPX-Export abgebrochen"));
    EXPECT_TRUE(window.btnExportAbbrechen->isHidden());
    EXPECT_TRUE(window.actGpxExportieren->isEnabled());
    stop = true;
    rescuer.join();
    ::close(reader);
}

TEST_F(RobustFixture, ExportToAPipeThatIsReadArrivesWhole)
{
    TfrmKarte window(app.context);
    std::vector<Geo::GeoPoint> points;
    std::vector<quint64> ids;
    for (int i = 0; i < 3000; ++i) {
        points.push_back({52 + i * 1e-5, 13});
        ids.push_back(quint64(i));
    }
    window.showCandidates(points, ids, {}, nullptr);
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    std::atomic<bool> stop {false};
    QByteArray received;
    std::thread reading([&] { drain(reader, received, stop); });
    app.dialogs.fileAnswers = {fifo};
    window.actGpxExportieren->trigger();
    ASSERT_TRUE(waitFor([&] { return !window.exporting(); }, 10000));
    EXPECT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.lastText().toStdString();
    waitFor([] { return false; }, 100);
    stop = true;
    reading.join();
    ::close(reader);
    QBuffer buffer(&received);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(Map::readGpx(buffer).waypoints.size(), 3000);
}

TEST_F(RobustFixture, TheLayerListShowsHidesAndRemovesLayers)
{
    app.globals.settings.HomeKoordinaten = QStringLiteral("N 52° 30.000 E 013° 24.000");
    TfrmKarte window(app.context);
    Map::Layer layer;
    layer.name = QStringLiteral("GPX: a.gpx");
    layer.markers.append({{52.5, 13.4}, QStringLiteral("GC1")});
    window.mapKarte->setLayer(layer, Qt::blue);
    QListWidget *list = window.pnlEbenen->lstEbenen;
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Home"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("GPX: a.gpx"));

    const QString target = dir.filePath(QStringLiteral("k.gpx"));
    const struct
    {
        const char *what;
        Qt::CheckState gpx;
        int exported;
    } cases[] = {
        {"both shown", Qt::Checked, 2},
        {"the file hidden", Qt::Unchecked, 1},
        {"shown again", Qt::Checked, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        list->item(1)->setCheckState(c.gpx);
        EXPECT_EQ(window.mapKarte->layerVisible(QStringLiteral("GPX: a.gpx")),
                  c.gpx == Qt::Checked);
        ASSERT_TRUE(window.exportGpx(target).isEmpty());
        EXPECT_EQ(Map::readGpxFile(target).waypoints.size(), c.exported);
    }
    EXPECT_FALSE(window.pnlEbenen->btnEbeneEntfernen->isEnabled()); // nothing chosen
    list->setCurrentRow(1);
    window.pnlEbenen->btnEbeneEntfernen->click();
    ASSERT_EQ(window.mapKarte->layers().size(), 1);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Home"));
}

TEST_F(RobustFixture, AHiddenLayerIsNotDrawn)
{
    MapWidget map;
    map.resize(400, 300);
    Map::Layer layer;
    layer.name = QStringLiteral("Punkte");
    layer.markers.append({{0, 0}, QString()});
    map.setLayer(layer, Qt::blue);
    map.setView({0, 0}, 5);
    auto centre = [&] {
        QImage image(map.size(), QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        map.render(painter);
        return image.pixelColor(200, 150);
    };
    EXPECT_EQ(centre(), QColor(Qt::blue));
    map.setLayerVisible(QStringLiteral("Punkte"), false);
    EXPECT_NE(centre(), QColor(Qt::blue));
    map.setLayerVisible(QStringLiteral("Punkte"), true);
    EXPECT_EQ(centre(), QColor(Qt::blue));
}

TEST_F(RobustFixture, AStoredPlaceIsFittedToTheScreen)
{
    const QRect screen = ScreenFit::primaryArea();
    ASSERT_FALSE(screen.isEmpty());
    const struct
    {
        const char *what;
        int left, top, width, height;
    } cases[] = {
        {"largest size", 0, 0, 32767, 32767},
        {"far off to the top left", -32768, -32768, 800, 600},
        {"far off to the bottom right", 32767 - 900, 32767 - 700, 800, 600},
        {"one pixel wider than the screen", 0, 0, screen.width() + 1, 400},
        {"as wide as the screen", screen.left(), screen.top(), screen.width(), 400},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder;
        FileSettingsStore store(folder.filePath(QStringLiteral("registry.reg")));
        ASSERT_TRUE(store.openKey(kKarteKey, true));
        store.writeInteger(QStringLiteral("Left"), c.left);
        store.writeInteger(QStringLiteral("Top"), c.top);
        store.writeInteger(QStringLiteral("Width"), c.width);
        store.writeInteger(QStringLiteral("Height"), c.height);
        store.closeKey();
        TestApp fresh;
        LoadSettings(store, fresh.globals.settings);
        ASSERT_EQ(fresh.globals.settings.Karte.Width, c.width);
        TfrmKarte window(fresh.context);
        EXPECT_TRUE(screen.contains(window.geometry()))
            << window.geometry().x() << "," << window.geometry().y() << " "
            << window.geometry().width() << "x" << window.geometry().height();
    }
}

TEST(KarteSettings, AStoredTileAddressIsCheckedWhenTheWindowReadsIt)
{
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString standard = KartenSettings().Kacheladresse;
    const struct
    {
        const char *what;
        QString stored;
        bool kept;
    } cases[] = {
        {"a file address naming a pipe", QStringLiteral("file://") + fifo + "?{z}{x}{y}", false},
        {"ftp", QStringLiteral("ftp://127.0.0.1/{z}/{x}/{y}.png"), false},
        {"without {y}", QStringLiteral("http://127.0.0.1/{z}/{x}.png"), false},
        {"without {z}", QStringLiteral("http://127.0.0.1/{x}/{y}.png"), false},
        {"http with all three", QStringLiteral("http://127.0.0.1/{z}/{x}/{y}.png"), true},
        {"https with all three", QStringLiteral("https://127.0.0.1/t/{z}/{x}/{y}"), true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        FileSettingsStore store(folder.filePath(QStringLiteral("registry.reg")));
        ASSERT_TRUE(store.openKey(kKarteKey, true));
        store.writeString(QStringLiteral("Kacheladresse"), c.stored);
        store.closeKey();
        TestApp app;
        LoadSettings(store, app.globals.settings);
        // Made, not shown: a refused address falls back to the public server, which a test
        // must not reach.
        TfrmKarte window(app.context);
        EXPECT_EQ(app.globals.settings.Karte.Kacheladresse, c.kept ? c.stored : standard);
        EXPECT_EQ(window.statusBar()->currentMessage().startsWith(
                      QStringLiteral("Gespeicherte Kachel-Adresse nicht verwendet")),
                  !c.kept)
            << window.statusBar()->currentMessage().toStdString();
    }
}

TEST(KarteSettings, ThePageShowsTheWholeAddressAndTheCacheFolderWithItsPath)
{
    TestApp app;
    TfrmQuarvelMain main(app.context);
    TfrmEinstellungen form(app.context, main);
    form.show();
    form.pnlSeiten->setCurrentWidget(form.gboxKarte);
    QApplication::processEvents();
    QLineEdit *address = form.gboxKarte->edtKacheladresse;
    EXPECT_EQ(address->text(), KartenSettings().Kacheladresse);
    EXPECT_GE(address->contentsRect().width(),
              address->fontMetrics().horizontalAdvance(address->text()));
    // and the field itself is not cut off by the dialog's edge
    EXPECT_LE(address->mapTo(&form, QPoint(address->width(), 0)).x(), form.width());
    EXPECT_EQ(form.gboxKarte->edtKachelOrdner->text(), tileCacheDirectory());
    EXPECT_TRUE(form.gboxKarte->edtKachelOrdner->text().startsWith(u'/'));
    EXPECT_TRUE(form.gboxKarte->edtKachelOrdner->isReadOnly());
}
