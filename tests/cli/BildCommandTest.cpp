// The picture subcommand: the report as text and JSON, the low bits as text, and files that
// cannot be analysed.
#include "cli/CliInProcess.h"
#include "cli/CliProcess.h"
#include "image/ImageReport.h"
#include "support/image/ImageFixtures.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Fixtures;

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
}

// A JPEG with a comment, a southern-western GPS position, a differing thumbnail, a QR code as
// its picture and a ZIP after its end.
QByteArray puzzleJpeg()
{
    const QImage code = codePicture(QStringLiteral("QRCode"), QStringLiteral("GC-Final"), 240);
    QList<TiffEntry> gps =
        gpsEntries("S", {{33, 1}, {30, 1}, {0, 1}}, "W", {{70, 1}, {15, 1}, {0, 1}});
    const QByteArray exif =
        exifBlock({asciiEntry(0x013B, "Ich")}, gps, encode(testPicture(160, 120), "JPEG"));
    QByteArray jpeg = withJpegSegment(encode(code, "JPEG", 95), 0xE1, exif);
    jpeg = withJpegSegment(jpeg, 0xFE, QByteArray("\0versteckt", 10));
    return jpeg + QByteArray("PK\x03\x04", 4) + "inhalt.txt";
}

} // namespace

TEST(CliBild, JsonHasTheReportsShape)
{
    QTemporaryDir dir;
    const QByteArray jpeg = puzzleJpeg();
    const QString path = writeFile(dir, QStringLiteral("rätsel mit Leerzeichen.jpg"), jpeg);
    const CliInProcess o = runInProcess({"bild", "--json", path.toUtf8()});
    EXPECT_EQ(o.code, 0) << o.err.toStdString();
    const QJsonObject r = QJsonDocument::fromJson(o.out).object();
    EXPECT_EQ(r.value("datei").toString(), path);
    EXPECT_EQ(r.value("format").toString(), "JPEG");
    EXPECT_EQ(r.value("breite").toInt(), r.value("hoehe").toInt());
    EXPECT_EQ(r.value("bilder").toInt(), 1);
    const QJsonArray fields = r.value("metadaten").toArray();
    EXPECT_TRUE(fields.contains(QJsonObject {
        {"gruppe", "Kommentar"}, {"feld", "JPEG-Kommentar"}, {"wert", u"\u2400versteckt"_qs}}));
    EXPECT_TRUE(fields.contains(
        QJsonObject {{"gruppe", "EXIF"}, {"feld", "IFD0.Artist"}, {"wert", "Ich"}}));
    const QJsonObject gps = r.value("gps").toObject();
    EXPECT_DOUBLE_EQ(gps.value("breite").toDouble(), -33.5);
    EXPECT_DOUBLE_EQ(gps.value("laenge").toDouble(), -70.25);
    EXPECT_TRUE(gps.value("hoehe").isNull());
    EXPECT_EQ(r.value("vorschaubilder").toInt(), 1);
    const QJsonObject appendix = r.value("anhang").toObject();
    EXPECT_EQ(appendix.value("offset").toInteger(), jpeg.size() - 14);
    EXPECT_EQ(appendix.value("laenge").toInteger(), 14);
    EXPECT_EQ(appendix.value("signaturen").toArray(), QJsonArray({"zip"}));
    EXPECT_EQ(appendix.value("text").toString(), "inhalt.txt");
    EXPECT_EQ(r.value("codes").toArray(),
              QJsonArray({QJsonObject {{"format", "QR"}, {"text", "GC-Final"}}}));
}

TEST(CliBild, TextNamesEachFinding)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("a.jpg"), puzzleJpeg());
    const CliInProcess o = runInProcess({"bild", path.toUtf8()});
    EXPECT_EQ(o.code, 0) << o.err.toStdString();
    const QString out = QString::fromUtf8(o.out);
    for (const QString &line :
         {u"Kommentar JPEG-Kommentar: \u2400versteckt"_qs, u"GPS: S 33° 30,000' W 070° 15,000'"_qs,
          u"Vorschaubild: EXIF IFD1, 160 × 120, weicht vom Bild ab"_qs, u"Anhang: ab Offset"_qs,
          u"Code QR: GC-Final"_qs}) {
        SCOPED_TRACE(line.toStdString());
        EXPECT_TRUE(out.contains(line)) << out.toStdString();
    }
}

TEST(CliBild, LsbPrintsTheHiddenText)
{
    // "Hi" in the lowest bits of R, G and B, highest bit first: 16 bits over 6 pixels.
    QImage image(6, 1, QImage::Format_RGB32);
    const QByteArray bits = "0100100001101001"
                            "00";
    for (int x = 0; x < 6; ++x)
        image.setPixel(x, 0, qRgb(bits[3 * x] - '0', bits[3 * x + 1] - '0', bits[3 * x + 2] - '0'));
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("lsb.png"), encode(image, "PNG"));
    const CliInProcess o = runInProcess({"bild", "--lsb", "RGB", path.toUtf8()});
    EXPECT_EQ(o.code, 0) << o.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(o.out), "Hi\n");
    const CliInProcess json = runInProcess({"bild", "--json", "--lsb", "rgb", path.toUtf8()});
    EXPECT_EQ(QJsonDocument::fromJson(json.out).object().value("lsb").toString(), "Hi");
}

TEST(CliBild, RefusedFilesAndOptions)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("rohr"));
    ASSERT_EQ(mkfifo(fifo.toUtf8().constData(), 0600), 0);
    const QString big = dir.filePath(QStringLiteral("gross.jpg"));
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(ImageAnalysis::kMaxFileBytes + 1)); // sparse, nothing written
    }
    const QString png = writeFile(dir, QStringLiteral("b.png"), encode(testPicture(4, 4), "PNG"));
    struct Case
    {
        const char *name;
        QList<QByteArray> arguments;
        int code;
        QString message;
    };
    const Case cases[] = {
        {"missing", {"bild", dir.filePath("fehlt.jpg").toUtf8()}, 1, "gibt es nicht"},
        {"a pipe", {"bild", fifo.toUtf8()}, 1, "keine gewöhnliche Datei"},
        {"a folder", {"bild", dir.path().toUtf8()}, 1, "keine gewöhnliche Datei"},
        {"above 256 MB", {"bild", big.toUtf8()}, 1, "größer als 256 MB"},
        {"bit plane 8", {"bild", "--lsb", "R", "--bit", "8", png.toUtf8()}, 2, "0 bis 7"},
        {"unknown channel", {"bild", "--lsb", "RQ", png.toUtf8()}, 2, "kein Kanal"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const CliInProcess o = runInProcess(c.arguments);
        EXPECT_EQ(o.code, c.code);
        EXPECT_TRUE(QString::fromUtf8(o.err).contains(c.message)) << o.err.toStdString();
    }
    // One file refused, the next still reported.
    const CliInProcess both = runInProcess({"bild", fifo.toUtf8(), png.toUtf8()});
    EXPECT_EQ(both.code, 1);
    EXPECT_TRUE(QString::fromUtf8(both.out).contains(u"Format: PNG, 4 × 4"_qs))
        << both.out.toStdString();
}

TEST(CliBild, RunsWithoutADisplay)
{
    // The program reads JPEG through Qt's plug-in and needs no display for it.
    QTemporaryDir dir;
    const QString path =
        writeFile(dir, QStringLiteral("c.jpg"), encode(testPicture(40, 30), "JPEG"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    const CliRun run = runCli({QStringLiteral("bild"), path}, {}, environment);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.outText().contains(u"Format: JPEG, 40 × 30 Bildpunkte, 24 Bit"_qs))
        << run.out.toStdString();
}
