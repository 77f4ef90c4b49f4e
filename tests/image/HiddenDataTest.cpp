// Thumbnails, data after the picture's end, signatures and text inside the file, and codes.
#include "image/FileScan.h"
#include "image/ImageTestHelpers.h"
#include "support/image/ImageFixtures.h"

#include <gtest/gtest.h>

using namespace Fixtures;

namespace {

QByteArray smallZip()
{
    // A local file header with its name, enough for the signature and the text.
    return QByteArray("PK\x03\x04\x14\x00\x00\x00\x00\x00", 10) + QByteArray(16, '\0') +
        "geheim.txt" + "N 51 12.345";
}

} // namespace

TEST(HiddenData, ThumbnailsDecodedAndCompared)
{
    const QImage picture = testPicture(320, 240);
    const QByteArray same = encode(picture.scaled(160, 120), "JPEG", 80);
    const QByteArray other = encode(testPicture(160, 120, true), "JPEG", 80);
    // A camera fits a 4:3 thumbnail of a 2:1 picture with black bars.
    QImage barred(160, 120, QImage::Format_RGB32);
    barred.fill(Qt::black);
    const QImage wide = testPicture(640, 320);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 160; ++x)
            barred.setPixel(
                x, 20 + y,
                wide.scaled(160, 80, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(x, y));
    struct Case
    {
        const char *name;
        QImage main;
        QByteArray thumbnail;
        bool differs;
    };
    const Case cases[] = {
        {"same picture", picture, same, false},
        {"another picture", picture, other, true},
        {"same picture with bars", wide, encode(barred, "JPEG", 90), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray file = withJpegSegment(
            encode(c.main, "JPEG"), 0xE1, exifBlock({asciiEntry(0x010F, "X")}, {}, c.thumbnail));
        const ImageAnalysis::Report report = analyseWithoutCodes(file);
        ASSERT_EQ(report.vorschaubilder.size(), 1) << report.probleme.join(u'\n').toStdString();
        EXPECT_EQ(report.vorschaubilder[0].quelle, "EXIF IFD1");
        EXPECT_EQ(report.vorschaubilder[0].bild.size(), QSize(160, 120));
        EXPECT_EQ(report.vorschaubilder[0].weichtAb, c.differs);
    }
}

TEST(HiddenData, ThumbnailsOfJfifAndXmp)
{
    // A JFIF header with a 2 × 1 uncompressed thumbnail, red then blue.
    const QByteArray jfif =
        QByteArray("JFIF\0\x01\x02\0\0\x01\0\x01\x02\x01", 14) + QByteArray("\xFF\0\0\0\0\xFF", 6);
    const QByteArray png = encode(testPicture(24, 24, true), "PNG");
    const QByteArray xmp =
        xmpPacket("<xmp:Thumbnails><rdf:Alt><rdf:li rdf:parseType=\"Resource\">"
                  "<xmpGImg:image>" +
                  png.toBase64() + "</xmpGImg:image></rdf:li></rdf:Alt></xmp:Thumbnails>");
    QByteArray file = withJpegSegment(encode(testPicture(48, 48), "JPEG"), 0xE1,
                                      QByteArray("http://ns.adobe.com/xap/1.0/\0", 29) + xmp);
    file = withJpegSegment(file, 0xE0, jfif); // comes first
    const ImageAnalysis::Report report = analyseWithoutCodes(file);
    ASSERT_EQ(report.vorschaubilder.size(), 2) << report.probleme.join(u'\n').toStdString();
    EXPECT_EQ(report.vorschaubilder[0].quelle, "JFIF");
    EXPECT_EQ(report.vorschaubilder[0].bild.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(report.vorschaubilder[0].bild.pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(report.vorschaubilder[1].quelle, "XMP");
    EXPECT_TRUE(report.vorschaubilder[1].weichtAb);
}

TEST(HiddenData, AppendixAfterTheEnd)
{
    const QByteArray jpeg = encode(testPicture(32, 32), "JPEG");
    const QByteArray png = encode(testPicture(8, 8), "PNG");
    const QByteArray gif = animatedGif({1, 2});
    struct Case
    {
        const char *name;
        QByteArray picture, appended;
        QStringList signatures;
        QString text;
    };
    const Case cases[] = {
        {"ZIP after a JPEG", jpeg, smallZip(), {"zip"}, "geheim.txtN 51 12.345"},
        {"text after a PNG",
         png,
         "Der Schatz liegt\nunter dem Stein",
         {},
         "Der Schatz liegt\nunter dem Stein"},
        {"one byte after a GIF", gif, "x", {}, {}},
        {"PDF and 7z after a GIF",
         gif,
         QByteArray("%PDF-1.4 ") + QByteArray("7z\xBC\xAF\x27\x1C", 6),
         {"pdf", "7z"},
         "%PDF-1.4 7z"},
        {"a second JPEG", jpeg, jpeg, {"jpeg"}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ImageAnalysis::Report report = analyseWithoutCodes(c.picture + c.appended);
        ASSERT_TRUE(report.anhang.has_value());
        EXPECT_EQ(report.anhang->offset, c.picture.size());
        EXPECT_EQ(report.anhang->laenge, c.appended.size());
        EXPECT_EQ(report.anhang->signaturen, c.signatures);
        if (!c.text.isNull()) {
            EXPECT_TRUE(report.anhang->text.startsWith(c.text))
                << report.anhang->text.toStdString();
        }
    }
    EXPECT_FALSE(analyseWithoutCodes(jpeg).anhang.has_value());
    EXPECT_FALSE(analyseWithoutCodes(png).anhang.has_value());
}

TEST(HiddenData, SignaturesAnywhereInTheFile)
{
    const QByteArray png =
        withPngChunks(encode(testPicture(8, 8), "PNG"),
                      {pngChunk("tEXt", QByteArray("x\0%PDF-1.7 Rar!\x1A\x07", 18))});
    const ImageAnalysis::Report report = analyseWithoutCodes(png);
    QStringList found;
    for (const ImageAnalysis::EmbeddedSignature &s : report.signaturen)
        found << QStringLiteral("%1@%2").arg(s.signatur).arg(s.offset);
    const qsizetype at = png.indexOf("%PDF");
    EXPECT_EQ(
        found,
        QStringList({QStringLiteral("pdf@%1").arg(at), QStringLiteral("rar@%1").arg(at + 9)}));
}

TEST(HiddenData, TextRunsOfSixOrMore)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
        QStringList texts;
    };
    const Case cases[] = {
        {"five letters are noise",
         QByteArray("\x01"
                    "abcde\x02",
                    7),
         {}},
        {"six are text",
         QByteArray("\x01"
                    "abcdef\x02",
                    8),
         {"Latin-1:abcdef"}},
        {"seven",
         QByteArray("\x01"
                    "abcdefg",
                    8),
         {"Latin-1:abcdefg"}},
        {"umlauts",
         QByteArray("\x01Gr\xFC\xDF"
                    "e!\x02",
                    8),
         {u"Latin-1:Grüße!"_qs}},
        {"UTF-16 little-endian", QByteArray("\x01N\0o\0r\0d\0e\0n\0\x02", 14), {"UTF-16:Norden"}},
        {"UTF-16 big-endian",
         QByteArray("\x01\0S\0\xFC\0d\0e\0n\0!\x02", 14),
         {u"UTF-16:Süden!"_qs}},
        {"five UTF-16 characters", QByteArray("\x01W\0e\0s\0t\0e\0\x02", 12), {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        bool truncated = false;
        QStringList found;
        for (const ImageAnalysis::FoundText &t :
             ImageAnalysis::findTextRuns(c.bytes, ImageAnalysis::TextRunOptions(), &truncated))
            found << t.kodierung + u':' + t.text;
        EXPECT_EQ(found, c.texts);
        EXPECT_FALSE(truncated);
    }
}

TEST(HiddenData, TextRunLimits)
{
    ImageAnalysis::TextRunOptions options;
    options.maxRuns = 2;
    bool truncated = false;
    const QByteArray three("abcdef\x01ghijkl\x01mnopqr", 20);
    EXPECT_EQ(ImageAnalysis::findTextRuns(three.first(13), options, &truncated).size(), 2);
    EXPECT_FALSE(truncated);
    EXPECT_EQ(ImageAnalysis::findTextRuns(three, options, &truncated).size(), 2);
    EXPECT_TRUE(truncated);
}

TEST(HiddenData, CodesFound)
{
    struct Case
    {
        const char *format;
        QString name;
        int size;
    };
    const Case cases[] = {
        {"QRCode", "QR", 200},     {"DataMatrix", "DataMatrix", 200}, {"Aztec", "Aztec", 200},
        {"PDF417", "PDF417", 300}, {"Code128", "Code128", 400},
    };
    const QString text = QStringLiteral("N 51 12.345 E 007 00.000");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.format);
        const QByteArray png = encode(codePicture(c.format, text, c.size), "PNG");
        const ImageAnalysis::Report report = ImageAnalysis::analyse(png);
        ASSERT_EQ(report.codes.size(), 1);
        EXPECT_EQ(report.codes[0].format, c.name);
        EXPECT_EQ(report.codes[0].text, text);
        EXPECT_TRUE(analyseWithoutCodes(png).codes.isEmpty());
    }
}

TEST(HiddenData, TextIsLookedForOutsideThePixelData)
{
    // A noisy picture: its compressed pixels hold runs of printable bytes by chance.
    QImage noisy(400, 300, QImage::Format_RGB32);
    quint32 seed = 7;
    for (int y = 0; y < noisy.height(); ++y) {
        for (int x = 0; x < noisy.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            noisy.setPixel(x, y, seed >> 8);
        }
    }
    const QByteArray jpeg = withJpegSegment(encode(noisy, "JPEG", 95), 0xFE, "Geheimnis hier");
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    const qsizetype end = jpeg.size() - 2;
    bool truncated = false;
    bool noiseAsText = false;
    for (const auto &t : ImageAnalysis::findTextRuns(QByteArrayView(jpeg).sliced(scan, end - scan),
                                                     ImageAnalysis::TextRunOptions(), &truncated))
        noiseAsText = noiseAsText || !t.text.isEmpty();
    ASSERT_TRUE(noiseAsText); // else the picture tests nothing
    const ImageAnalysis::Report report = analyseWithoutCodes(jpeg);
    QStringList texts;
    for (const ImageAnalysis::FoundText &t : report.texte) {
        EXPECT_TRUE(t.offset < scan || t.offset >= end) << t.offset;
        texts << t.text;
    }
    EXPECT_TRUE(texts.contains("Geheimnis hier"));
}
