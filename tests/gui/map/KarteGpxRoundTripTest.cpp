// A GPX file imported into the map and exported again keeps every field a cacher edits: the
// window's own import and export, files in the shapes other programs write.
#include "MapTestSupport.h"
#include "fakes/TestApp.h"
#include "gui/map/Karte_Unit.h"
#include "logic/map/Gpx.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A device's file with links, comments and symbols, a GSAK child waypoint whose cache code
// stands only in its extension, a route and a track with elevations and times.
const QByteArray kFile = R"(<?xml version="1.0" encoding="UTF-8"?>
<gpx xmlns="http://www.topografix.com/GPX/1/1" version="1.1" creator="Gerät"
     xmlns:gsak="http://www.gsak.net/xmlv1/6">
 <wpt lat="47.5" lon="8.25"><ele>512.5</ele><time>2025-06-01T08:15:30Z</time><name>GC8ABCD</name>
  <cmt>unter der Brücke</cmt><desc>Eine Dose by Jemand</desc>
  <link href="https://coord.info/GC8ABCD"><text>Eine Dose</text></link>
  <sym>Geocache</sym><type>Geocache|Traditional Cache</type></wpt>
 <wpt lat="47.51" lon="8.26"><name>PK8ABCD</name><desc>Parkplatz</desc><sym>Parking Area</sym>
  <extensions><gsak:wptExtension><gsak:Code>GC8ABCD</gsak:Code></gsak:wptExtension></extensions>
 </wpt>
 <rte><name>Hinweg</name><rtept lat="47.5" lon="8.2"><ele>400</ele></rtept>
  <rtept lat="47.51" lon="8.21"/></rte>
 <trk><name>Runde</name><trkseg>
  <trkpt lat="47.5" lon="8.25"><ele>500.25</ele><time>2025-06-01T08:00:00Z</time></trkpt>
  <trkpt lat="47.52" lon="8.27"><ele>510.75</ele><time>2025-06-01T08:05:00Z</time></trkpt>
 </trkseg></trk>
</gpx>)";

struct KarteGpxFixture : ::testing::Test
{
    KarteGpxFixture()
    {
        qputenv("XDG_CACHE_HOME", dir.path().toUtf8());
        app.globals.settings.Karte.Kacheladresse =
            server.baseUrl() + QStringLiteral("{z}/{x}/{y}.png");
        app.context.windows.karte = &window;
    }

    QTemporaryDir dir;
    HttpTestServer server;
    TestApp app;
    TfrmKarte window {app.context};
};

} // namespace

TEST_F(KarteGpxFixture, ImportThenExportKeepsEveryFieldOfEveryPoint)
{
    const QString source = dir.filePath(QStringLiteral("caches.gpx"));
    QFile file(source);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kFile);
    file.close();
    app.dialogs.fileAnswers = {source};
    window.actGpxImportieren->trigger();
    ASSERT_TRUE(MapTest::waitFor([&] { return !window.importing(); }));
    const QString target = dir.filePath(QStringLiteral("Karte.gpx"));
    app.dialogs.fileAnswers = {target};
    window.actGpxExportieren->trigger();
    ASSERT_TRUE(MapTest::waitFor([&] { return !window.exporting(); }));
    ASSERT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.lastText().toStdString();

    const Map::GpxData original = Map::readGpxFile(source);
    const Map::GpxData back = Map::readGpxFile(target);
    QList<Map::GpxWaypoint> exported;
    for (const Map::GpxWaypoint &w : back.waypoints) {
        if (w.name == u"GC8ABCD" || w.name == u"PK8ABCD")
            exported.append(w);
    }
    ASSERT_EQ(exported.size(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(original.waypoints[i].name.toStdString());
        const Map::GpxWaypoint &a = original.waypoints[i];
        const Map::GpxWaypoint &b = exported[i];
        EXPECT_EQ(b.description, a.description); // not replaced by the layer's name
        EXPECT_EQ(b.comment, a.comment);
        EXPECT_EQ(b.elevation, a.elevation);
        EXPECT_EQ(b.time, a.time);
        EXPECT_EQ(b.symbol, a.symbol);
        EXPECT_EQ(b.type, a.type);
        EXPECT_EQ(b.link, a.link);
        EXPECT_EQ(b.linkText, a.linkText);
        EXPECT_EQ(b.cache, QStringLiteral("GC8ABCD"));
        EXPECT_EQ(b.position.lat, a.position.lat);
        EXPECT_EQ(b.position.lon, a.position.lon);
    }
    ASSERT_EQ(back.routes.size(), 1);
    EXPECT_EQ(back.routes[0].name, QStringLiteral("Hinweg"));
    EXPECT_EQ(back.routes[0].segments[0][0].elevation, 400.0);
    ASSERT_EQ(back.tracks.size(), 1);
    const QList<Map::GpxPathPoint> &points = back.tracks[0].segments[0];
    ASSERT_EQ(points.size(), 2);
    EXPECT_EQ(points[0].elevation, 500.25);
    EXPECT_EQ(points[1].elevation, 510.75);
    EXPECT_EQ(points[1].time, QStringLiteral("2025-06-01T08:05:00Z"));
}
