// The map window: GPX import and export, settings, keys and the hooks of the other windows.
#include "MapTestSupport.h"
#include "fakes/TestApp.h"
#include "gui/map/Karte_Unit.h"
#include "gui/map/MapWidget.h"
#include "gui/tools/KoordRechner_Unit.h"
#include "gui/tools/rechner/RechnerPages.h"
#include "logic/map/Gpx.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct KarteFixture : ::testing::Test
{
    KarteFixture()
    {
        // Tiles only from 127.0.0.1, the cache in a folder of the test.
        qputenv("XDG_CACHE_HOME", dir.path().toUtf8());
        app.globals.settings.Karte.Kacheladresse =
            server.baseUrl() + QStringLiteral("{z}/{x}/{y}.png");
        app.context.windows.karte = &window;
    }
    QString writeFile(const QString &name, const QByteArray &content)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    }

    QTemporaryDir dir;
    HttpTestServer server;
    TestApp app;
    // Before the window is made: it draws the home coordinates when it opens.
    bool homeSet = [this] {
        app.globals.settings.HomeKoordinaten = QStringLiteral("N 52° 30.000 E 013° 24.000");
        return true;
    }();
    TfrmKarte window {app.context};
};

const QByteArray kGpx = R"(<gpx version="1.1" xmlns="http://www.topografix.com/GPX/1/1">
<wpt lat="52.5" lon="13.4"><name>GC1ABCD</name></wpt>
<trk><name>Runde</name><trkseg><trkpt lat="52.5" lon="13.4"/><trkpt lat="52.51" lon="13.41"/></trkseg></trk>
</gpx>)";

} // namespace

TEST_F(KarteFixture, ImportShowsTheFileAndADamagedFileLosesNothing)
{
    app.dialogs.fileAnswers = {writeFile(QStringLiteral("a.gpx"), kGpx)};
    window.actGpxImportieren->trigger();
    ASSERT_TRUE(MapTest::waitFor([&] { return !window.importing(); }));
    ASSERT_EQ(window.mapKarte->layers().size(), 1 + 1); // home and the file
    const Map::Layer &layer = window.mapKarte->layers().constLast();
    EXPECT_EQ(layer.name, QStringLiteral("GPX: a.gpx"));
    EXPECT_EQ(layer.markers.size(), 1);
    EXPECT_EQ(layer.lines.size(), 1);
    EXPECT_GE(window.mapKarte->zoom(), 14); // fitted to the file

    app.dialogs.fileAnswers = {
        writeFile(QStringLiteral("b.gpx"), "<gpx>\n<wpt lat=\"x\" lon=\"1\"/>")};
    window.actGpxImportieren->trigger();
    ASSERT_TRUE(MapTest::waitFor([&] { return !window.importing(); }));
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_TRUE(app.dialogs.lastText().contains(QStringLiteral("(Zeile 2)")))
        << app.dialogs.lastText().toStdString();
    EXPECT_EQ(window.mapKarte->layers().size(), 2);
    EXPECT_EQ(window.mapKarte->layers().constLast().name, QStringLiteral("GPX: a.gpx"));
}

TEST_F(KarteFixture, ExportWritesWhatTheMapShows)
{
    window.importGpx(writeFile(QStringLiteral("a.gpx"), kGpx));
    ASSERT_TRUE(MapTest::waitFor([&] { return !window.importing(); }));
    window.showCandidates({{1, 2}, {3, 4}}, {7, 9}, {}, nullptr);
    const QString target = dir.filePath(QStringLiteral("Karte.gpx"));
    app.dialogs.fileAnswers = {target};
    window.actGpxExportieren->trigger();
    ASSERT_TRUE(MapTest::waitFor([&] { return !window.exporting(); }));
    EXPECT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.lastText().toStdString();
    const Map::GpxData back = Map::readGpxFile(target);
    EXPECT_EQ(back.waypoints.size(), 1 + 1 + 2); // home, the cache, two candidates
    EXPECT_EQ(back.tracks.size(), 1);
    // A folder that cannot be written to gives one message and no file.
    EXPECT_FALSE(window.exportGpx(QStringLiteral("/proc/Karte.gpx")).isEmpty());
}

TEST_F(KarteFixture, KeysPanAndZoomAndTheViewIsKeptInTheSettings)
{
    window.resize(800, 600);
    window.show();
    window.mapKarte->setView({50, 10}, 10);
    const Geo::GeoPoint before = window.mapKarte->centre();
    const struct
    {
        Qt::Key key;
        int zoom;
        int east, north; // sign of the move
    } cases[] = {
        {Qt::Key_Plus, 11, 0, 0}, {Qt::Key_Minus, 10, 0, 0}, {Qt::Key_Right, 10, 1, 0},
        {Qt::Key_Up, 10, 1, 1},   {Qt::Key_Left, 10, 0, 1},  {Qt::Key_Down, 10, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.key));
        QTest::keyClick(window.mapKarte, c.key);
        EXPECT_EQ(window.mapKarte->zoom(), c.zoom);
        const Geo::GeoPoint now = window.mapKarte->centre();
        EXPECT_EQ(now.lon > before.lon + 1e-6, c.east > 0);
        EXPECT_EQ(now.lat > before.lat + 1e-6, c.north > 0);
    }
    EXPECT_EQ(app.globals.settings.Karte.Zoom, 10);
    EXPECT_NEAR(app.globals.settings.Karte.Breite, 50, 1e-6);
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(window.mapKarte, Qt::Key_Plus);
    EXPECT_EQ(window.mapKarte->zoom(), 19); // the last zoom the tile servers have
}

TEST_F(KarteFixture, StatusLineAndContextMenuUseTheChosenNotation)
{
    window.resize(800, 600);
    window.show();
    window.mapKarte->setView({54.3941666666667, 13.6696833333333}, 15);
    window.cboxNotation->setCurrentIndex(1);
    QTest::mouseMove(window.mapKarte, window.mapKarte->rect().center());
    EXPECT_TRUE(window.lblPosition->text().startsWith(QStringLiteral("N 54° 23,")))
        << window.lblPosition->text().toStdString();
    window.cboxNotation->setCurrentIndex(0);
    EXPECT_EQ(app.globals.settings.Karte.Notation, 0);
    std::unique_ptr<QMenu> menu(
        window.mapKarte->createContextMenu(window.mapKarte->rect().center()));
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Position kopieren"));
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("In OpenStreetMap öffnen"));
    menu->actions()[0]->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              window.mapKarte->positionText(
                  window.mapKarte->positionAt(window.mapKarte->rect().center())));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("N 54,39")));
    menu->actions()[1]->trigger();
    ASSERT_EQ(app.launcher.calls.size(), 1);
    EXPECT_TRUE(app.launcher.calls[0].file.startsWith(
        QStringLiteral("https://www.openstreetmap.org/?mlat=54.39")));
    const QString url = window.mapKarte->openStreetMapUrl({54.5, -13.25});
    EXPECT_EQ(url,
              QStringLiteral("https://www.openstreetmap.org/?mlat=54.500000&mlon=-13.250000#map=15/"
                             "54.500000/-13.250000"));
    window.mapKarte->openUrl(url);
    ASSERT_EQ(app.launcher.calls.size(), 2);
    EXPECT_EQ(app.launcher.calls[1].file, url);
}

TEST_F(KarteFixture, ClickOnACandidateReportsItsId)
{
    window.resize(800, 600);
    window.show();
    quint64 clicked = 0;
    window.showCandidates({{52.50, 13.40}, {52.51, 13.41}}, {11, 22}, {},
                          [&](quint64 id) { clicked = id; });
    const QPoint at = window.mapKarte->pointOf({52.51, 13.41}).toPoint() + QPoint(2, -1);
    QTest::mouseClick(window.mapKarte, Qt::LeftButton, {}, at);
    EXPECT_EQ(clicked, 22u);
    clicked = 0;
    QTest::mouseClick(window.mapKarte, Qt::LeftButton, {}, at + QPoint(30, 30));
    EXPECT_EQ(clicked, 0u); // nothing there
}

TEST_F(KarteFixture, TheCalculatorsPageGoesToTheMapWithItsGeodesic)
{
    TfrmKoordRechner rechner(app.context);
    rechner.pcRechner->setCurrentWidget(rechner.tsPeilung);
    rechner.tsPeilung->edtVon->setText(QStringLiteral("N 52° 31.250 E 013° 24.713"));
    rechner.tsPeilung->edtNach->setText(QStringLiteral("N 48° 08.223 E 011° 34.567"));
    rechner.btnKarte->click();
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
    ASSERT_EQ(window.mapKarte->layers().size(), 2);
    const Map::Layer &layer = window.mapKarte->layers().constLast();
    EXPECT_EQ(layer.markers.size(), 2);
    ASSERT_EQ(layer.lines.size(), 1);
    EXPECT_GT(layer.lines[0].points.size(), 100);
    EXPECT_TRUE(window.isVisible());

    rechner.pcRechner->setCurrentWidget(rechner.tsMitte); // nothing typed there
    rechner.btnKarte->click();
    EXPECT_EQ(app.dialogs.lastText(),
              QStringLiteral("Auf dieser Seite steht noch keine Position."));
}

// The home coordinates N 0° E 0° are the setting never set: no "Home" in the Gulf of Guinea.
TEST_F(KarteFixture, UnsetHomeCoordinatesAreNotDrawn)
{
    EXPECT_EQ(window.mapKarte->layers().size(), 1);
    TestApp unset;
    unset.globals.settings.Karte.Kacheladresse = app.globals.settings.Karte.Kacheladresse;
    ASSERT_EQ(unset.globals.settings.HomeKoordinaten, QStringLiteral("N 0° E 0°"));
    TfrmKarte fresh(unset.context);
    EXPECT_TRUE(fresh.mapKarte->layers().isEmpty());
}
