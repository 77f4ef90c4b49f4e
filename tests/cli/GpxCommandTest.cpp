// The GPX subcommand in-process: text lines, JSON per file, damaged files and odd file names.
#include "cli/CliInProcess.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray kCaches = R"(<?xml version="1.0" encoding="UTF-8"?>
<gpx version="1.0" xmlns="http://www.topografix.com/GPX/1/0">
  <wpt lat="54.3941666666667" lon="13.6696833333333"><name>GC1ABCD</name><desc>Am Hafen</desc></wpt>
  <wpt lat="-33.5" lon="-70.25"><name>Parkplatz</name></wpt>
  <rte><name>Hinweg</name><rtept lat="1" lon="2"/><rtept lat="1.1" lon="2"/></rte>
  <trk><name>Runde</name><trkseg><trkpt lat="1" lon="1"/><trkpt lat="2" lon="2"/></trkseg>
    <trkseg><trkpt lat="3" lon="3"/></trkseg></trk>
</gpx>
)";

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
}

} // namespace

TEST(CliGpx, ListsWaypointsThenRoutesAndTracks)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("caches.gpx"), kCaches);
    const CliInProcess o = runInProcess({"gpx", path.toUtf8()});
    EXPECT_EQ(o.code, 0) << o.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(o.out),
              QStringLiteral("GC1ABCD: N 54° 23,650' E 013° 40,181' – Am Hafen\n"
                             "Parkplatz: S 33° 30,000' W 70° 15,000'\n"
                             "Route Hinweg: 2 Punkte\n"
                             "Track Runde: 3 Punkte\n"));
}

TEST(CliGpx, JsonGivesOneObjectPerFile)
{
    QTemporaryDir dir;
    const QString first = writeFile(dir, QStringLiteral("mit Leerzeichen.gpx"), kCaches);
    const QString second = writeFile(dir, QStringLiteral("leer.gpx"),
                                     "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\"/>");
    const CliInProcess o = runInProcess({"gpx", "--json", first.toUtf8(), second.toUtf8()});
    EXPECT_EQ(o.code, 0) << o.err.toStdString();
    const QList<QByteArray> lines = o.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject a = QJsonDocument::fromJson(lines[0]).object();
    EXPECT_EQ(a.value(QStringLiteral("datei")).toString(), first);
    const QJsonArray points = a.value(QStringLiteral("wegpunkte")).toArray();
    ASSERT_EQ(points.size(), 2);
    EXPECT_EQ(points[0].toObject().value(QStringLiteral("cache")).toString(),
              QStringLiteral("GC1ABCD"));
    EXPECT_TRUE(points[1].toObject().value(QStringLiteral("cache")).isNull());
    EXPECT_DOUBLE_EQ(points[1].toObject().value(QStringLiteral("laenge")).toDouble(), -70.25);
    EXPECT_EQ(points[1].toObject().value(QStringLiteral("beschreibung")).toString(), QString());
    EXPECT_EQ(a.value(QStringLiteral("routen"))
                  .toArray()[0]
                  .toObject()
                  .value(QStringLiteral("punkte"))
                  .toInt(),
              2);
    EXPECT_EQ(a.value(QStringLiteral("tracks"))
                  .toArray()[0]
                  .toObject()
                  .value(QStringLiteral("punkte"))
                  .toInt(),
              3);
    const QJsonObject b = QJsonDocument::fromJson(lines[1]).object();
    EXPECT_EQ(b.value(QStringLiteral("datei")).toString(), second);
    EXPECT_TRUE(b.value(QStringLiteral("wegpunkte")).toArray().isEmpty());
}

TEST(CliGpx, FailuresExitOneAndNameTheReason)
{
    QTemporaryDir dir;
    const QString broken =
        writeFile(dir, QStringLiteral("kaputt.gpx"), "<gpx>\n<wpt lat=\"1\" lon=\"2\">\n<name>");
    const struct
    {
        const char *what;
        QByteArray argument;
        const char *message;
    } cases[] = {
        {"damaged", broken.toUtf8(), "(Zeile 3)"},
        {"missing", dir.filePath(QStringLiteral("fehlt.gpx")).toUtf8(),
         "kann nicht geöffnet werden"},
        {"a folder", dir.path().toUtf8(), "ist keine Datei"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const CliInProcess o = runInProcess({"gpx", c.argument});
        EXPECT_EQ(o.code, 1);
        EXPECT_TRUE(QString::fromUtf8(o.err).contains(QString::fromUtf8(c.message)))
            << o.err.toStdString();
    }
}
