// The GPX subcommand in-process: text lines, JSON per file, damaged files and odd file names.
#include "cli/CliInProcess.h"
#include "cli/CliProcess.h"

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
                             "Parkplatz: S 33° 30,000' W 070° 15,000'\n"
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

// Hostile files and lines through the program as a process: each is refused with its line, or
// read, instead of crashing (deep nesting overflowed the stack) or taking minutes (attributes
// and words cost quadratic time).
TEST(CliGpx, HostileFilesAndLinesAreRefusedOrReadQuickly)
{
    QTemporaryDir dir;
    const QByteArray deep =
        QByteArray("<a>").repeated(100000) + "x" + QByteArray("</a>").repeated(100000);
    QByteArray attributes;
    for (int i = 0; i < 200000; ++i)
        attributes += " a" + QByteArray::number(i) + "=\"1\"";
    const struct
    {
        const char *what;
        QByteArray content;
        const char *message;
    } cases[] = {
        {"100,000 elements in a name",
         "<gpx>\n<wpt lat=\"1\" lon=\"2\"><name>" + deep + "</name></wpt></gpx>",
         "(Zeile 2): Die Elemente sind tiefer als 64 Ebenen ineinander geschachtelt"},
        {"100,000 elements in extensions",
         "<gpx>\n\n<wpt lat=\"1\" lon=\"2\"><extensions>" + deep + "</extensions></wpt></gpx>",
         "(Zeile 3): Die Elemente sind tiefer"},
        {"100,000 elements in a track's name", "<gpx><trk><name>" + deep + "</name></trk></gpx>",
         "(Zeile 1): Die Elemente sind tiefer"},
        {"200,000 attributes", "<gpx>\n\n\n<wpt lat=\"1\" lon=\"2\"" + attributes + "/></gpx>",
         "(Zeile 4): Ein Element hat mehr als 64 Attribute"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = writeFile(dir, QStringLiteral("feind.gpx"), c.content);
        const CliRun run = runCli({QStringLiteral("gpx"), path});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(QString::fromUtf8(c.message)))
            << run.err.left(300).toStdString();
    }

    // 200,000 words that name no file, on one line of stdin.
    QByteArray words;
    for (int i = 0; i < 200000; ++i)
        words += "fehlt" + QByteArray::number(i) + ' ';
    const CliRun line = runCli({QStringLiteral("gpx")}, words + '\n');
    EXPECT_EQ(line.exitCode, 1);
    EXPECT_TRUE(line.err.contains("fehlt0 kann nicht geöffnet werden")) << line.err.toStdString();
}

// Names with blanks are found again word by word, up to the longest path there can be.
TEST(CliGpx, FindsFileNamesWithBlanksAmongWords)
{
    QTemporaryDir dir;
    const QString spaced = writeFile(dir, QStringLiteral("a b  c.gpx"), kCaches);
    const QString plain = writeFile(dir, QStringLiteral("b.gpx"), kCaches);
    const QString longName = QStringLiteral("x ").repeated(100) + QStringLiteral("y.gpx");
    const QString longPath = writeFile(dir, longName, kCaches);
    const struct
    {
        const char *what;
        QList<QByteArray> arguments;
        int exitCode;
        int files;
    } cases[] = {
        {"two files", {plain.toUtf8(), plain.toUtf8()}, 0, 2},
        {"a name of 101 words", {longPath.toUtf8(), plain.toUtf8()}, 0, 2},
        {"a missing file after a found one",
         {plain.toUtf8(), dir.filePath(QStringLiteral("fehlt.gpx")).toUtf8()},
         1,
         1},
        {"a name with two blanks in a row", {spaced.toUtf8()}, 0, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const CliInProcess o = runInProcess(QList<QByteArray> {"gpx", "--json"} + c.arguments);
        EXPECT_EQ(o.code, c.exitCode) << o.err.toStdString();
        EXPECT_EQ(o.out.count("\"datei\""), c.files);
    }
}

// The text form is written while the file is read: what came before a damaged part is out,
// and the routes and tracks follow the waypoints as before.
TEST(CliGpx, TextIsWrittenAsTheFileIsRead)
{
    QTemporaryDir dir;
    QByteArray many = "<gpx>\n";
    for (int i = 0; i < 2500; ++i)
        many += "<wpt lat=\"1\" lon=\"2\"><name>P" + QByteArray::number(i) + "</name></wpt>\n";
    const QString good = writeFile(dir, QStringLiteral("viele.gpx"),
                                   many +
                                       "<trk><trkseg><trkpt lat=\"1\" lon=\"1\"/></trkseg>"
                                       "<name>T</name></trk></gpx>");
    const CliInProcess o = runInProcess({"gpx", good.toUtf8()});
    EXPECT_EQ(o.code, 0);
    const QList<QByteArray> lines = o.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2501);
    EXPECT_EQ(lines[1000], "P1000: N 01° 00,000' E 002° 00,000'");
    EXPECT_EQ(lines.last(), "Track T: 1 Punkte");

    const QString broken = writeFile(dir, QStringLiteral("kaputt.gpx"), many + "<wpt lat=\"x\"");
    const CliInProcess b = runInProcess({"gpx", broken.toUtf8()});
    EXPECT_EQ(b.code, 1);
    EXPECT_TRUE(b.err.contains("(Zeile 2502)")) << b.err.toStdString();
    EXPECT_TRUE(b.out.contains("P2499: N 01°"));

    // JSON: one object, longer than one block of output; a damaged file gives no part of one.
    const CliInProcess j = runInProcess({"gpx", "--json", good.toUtf8()});
    EXPECT_EQ(j.code, 0);
    EXPECT_GT(j.out.size(), 64 * 1024);
    EXPECT_EQ(j.out.count('\n'), 1);
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(j.out, &error).object();
    EXPECT_EQ(error.error, QJsonParseError::NoError);
    const QJsonArray points = object.value(QStringLiteral("wegpunkte")).toArray();
    ASSERT_EQ(points.size(), 2500);
    EXPECT_EQ(points[2499].toObject().value(QStringLiteral("name")).toString(),
              QStringLiteral("P2499"));
    EXPECT_EQ(object.value(QStringLiteral("tracks"))
                  .toArray()[0]
                  .toObject()
                  .value(QStringLiteral("punkte")),
              1);
    const CliInProcess jb = runInProcess({"gpx", "--json", broken.toUtf8()});
    EXPECT_EQ(jb.code, 1);
    EXPECT_FALSE(jb.out.contains("wegpunkte")) << jb.out.left(200).toStdString();
}
