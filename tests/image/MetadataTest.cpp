// Every metadata field as the file holds it: EXIF of each directory, XMP paths, IPTC records,
// comments and PNG texts, with hidden characters made visible and nothing cut off.
#include "image/ImageTestHelpers.h"
#include "support/image/ImageFixtures.h"

#include <QtEndian>

#include <gtest/gtest.h>
#include <zlib.h>

using namespace Fixtures;

namespace {

QByteArray jpegWithExif(const QList<TiffEntry> &ifd0, const QList<TiffEntry> &gps = {},
                        const QByteArray &thumbnail = {}, const QList<TiffEntry> &exif = {})
{
    return withJpegSegment(encode(testPicture(64, 48), "JPEG"), 0xE1,
                           exifBlock(ifd0, gps, thumbnail, exif));
}

QByteArray zlibCompressed(const QByteArray &data)
{
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), '\0');
    compress(reinterpret_cast<Bytef *>(out.data()), &size,
             reinterpret_cast<const Bytef *>(data.constData()), uLong(data.size()));
    out.resize(qsizetype(size));
    return out;
}

} // namespace

TEST(Metadata, ExifEntriesOfEveryDirectory)
{
    const ImageAnalysis::Report report = analyseWithoutCodes(
        jpegWithExif({asciiEntry(0x010F, "Kamerahersteller"), asciiEntry(0x013B, "Owner")},
                     gpsEntries("N", {{51, 1}, {0, 1}, {0, 1}}, "E", {{7, 1}, {0, 1}, {0, 1}})));
    EXPECT_EQ(fieldValue(report, "EXIF", "IFD0.Make"), "Kamerahersteller");
    EXPECT_EQ(fieldValue(report, "EXIF", "IFD0.Artist"), "Owner");
    EXPECT_EQ(fieldValue(report, "EXIF", "GPS.GPSLatitudeRef"), "N");
    EXPECT_NE(findField(report, "EXIF", "GPS.GPSLongitude"), nullptr);
}

TEST(Metadata, HiddenCharactersMadeVisibleNeverCut)
{
    const QByteArray jpeg = encode(testPicture(32, 32), "JPEG");
    const QByteArray longText(70000, 'x');
    struct Case
    {
        const char *name;
        QByteArray file;
        QString gruppe, feld, wert;
    };
    const Case cases[] = {
        {"NUL-led JPEG comment", withJpegSegment(jpeg, 0xFE, QByteArray("\0N 51 12.345", 12)),
         "Kommentar", "JPEG-Kommentar", u"\u2400N 51 12.345"_qs},
        {"tab and line feed", withJpegSegment(jpeg, 0xFE, "a\tb\nc\x7F"), "Kommentar",
         "JPEG-Kommentar", u"a\u2409b\u240Ac\u2421"_qs},
        {"UTF-8 comment", withJpegSegment(jpeg, 0xFE, "Straße"), "Kommentar", "JPEG-Kommentar",
         u"Straße"_qs},
        {"Latin-1 comment",
         withJpegSegment(jpeg, 0xFE,
                         "Stra\xDF"
                         "e"),
         "Kommentar", "JPEG-Kommentar", u"Straße"_qs},
        {"C1 control",
         withJpegSegment(jpeg, 0xFE,
                         "a\xC2\x85"
                         "b"),
         "Kommentar", "JPEG-Kommentar", "a<85>b"},
        {"NUL-led EXIF description",
         jpegWithExif({asciiEntry(0x010E, QByteArray("\0\0Geheim", 8))}), "EXIF",
         "IFD0.ImageDescription", u"\u2400\u2400Geheim"_qs},
        {"EXIF user comment in ASCII",
         jpegWithExif({}, {}, {},
                      {undefinedEntry(0x9286, QByteArray("ASCII\0\0\0Hallo Welt", 18))}),
         "EXIF", "Exif.UserComment", "Hallo Welt"},
        {"EXIF user comment in UTF-16",
         jpegWithExif(
             {}, {}, {},
             {undefinedEntry(0x9286, QByteArray("UNICODE\0", 8) + QByteArray("N\0o\0r\0d\0", 8))}),
         "EXIF", "Exif.UserComment", "Nord"},
        {"XP comment", jpegWithExif({{0x9C9C, 1, 6, QByteArray("O\0s\0t\0", 6)}}), "EXIF",
         "IFD0.XPComment", "Ost"},
        {"comment of 70000 characters", withJpegSegment(jpeg, 0xFE, longText.first(65000)),
         "Kommentar", "JPEG-Kommentar", QString(65000, u'x')},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ImageAnalysis::Report report = analyseWithoutCodes(c.file);
        EXPECT_EQ(fieldValue(report, c.gruppe, c.feld), c.wert);
    }
}

TEST(Metadata, GpsInEveryFormAndHemisphere)
{
    using F = QList<std::pair<std::uint32_t, std::uint32_t>>;
    struct Case
    {
        const char *name;
        const char *latRef;
        F lat;
        const char *lonRef;
        F lon;
        double breite, laenge;
    };
    // 51° 30' 26.46" = 51° 30.441' = 51.50735°
    const Case cases[] = {
        {"d m s, north east",
         "N",
         {{51, 1}, {30, 1}, {2646, 100}},
         "E",
         {{7, 1}, {27, 1}, {0, 1}},
         51.50735,
         7.45},
        {"d m.mm, south west",
         "S",
         {{51, 1}, {30441, 1000}, {0, 1}},
         "W",
         {{70, 1}, {15, 1}, {0, 1}},
         -51.50735,
         -70.25},
        {"decimal degrees, south east",
         "S",
         {{5150735, 100000}, {0, 1}, {0, 1}},
         "E",
         {{1795, 10}, {0, 1}, {0, 1}},
         -51.50735,
         179.5},
        {"unused seconds as 0/0, north west",
         "N",
         {{51, 1}, {30441, 1000}, {0, 0}},
         "W",
         {{0, 1}, {30, 1}, {0, 0}},
         51.50735,
         -0.5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ImageAnalysis::Report report =
            analyseWithoutCodes(jpegWithExif({}, gpsEntries(c.latRef, c.lat, c.lonRef, c.lon)));
        ASSERT_TRUE(report.gps.has_value()) << report.probleme.join(u'\n').toStdString();
        EXPECT_NEAR(report.gps->breite, c.breite, 1e-9);
        EXPECT_NEAR(report.gps->laenge, c.laenge, 1e-9);
        EXPECT_FALSE(report.gps->hoehe.has_value());
    }
}

TEST(Metadata, GpsAltitudeAndFaultyPositions)
{
    using F = QList<std::pair<std::uint32_t, std::uint32_t>>;
    QList<TiffEntry> withAltitude =
        gpsEntries("N", {{1, 1}, {0, 1}, {0, 1}}, "E", {{2, 1}, {0, 1}, {0, 1}});
    withAltitude << byteEntry(5, 1) << rationalEntry(6, F {{155, 10}});
    const ImageAnalysis::Report below = analyseWithoutCodes(jpegWithExif({}, withAltitude));
    ASSERT_TRUE(below.gps && below.gps->hoehe);
    EXPECT_DOUBLE_EQ(*below.gps->hoehe, -15.5);

    struct Case
    {
        const char *name;
        QList<TiffEntry> gps;
    };
    const Case faulty[] = {
        {"zero denominator",
         gpsEntries("N", {{51, 0}, {0, 1}, {0, 1}}, "E", {{7, 1}, {0, 1}, {0, 1}})},
        {"no hemisphere",
         gpsEntries("X", {{51, 1}, {0, 1}, {0, 1}}, "E", {{7, 1}, {0, 1}, {0, 1}})},
        {"latitude above 90",
         gpsEntries("N", {{90, 1}, {0, 1}, {1, 1}}, "E", {{7, 1}, {0, 1}, {0, 1}})},
        {"longitude above 180",
         gpsEntries("N", {{9, 1}, {0, 1}, {0, 1}}, "E", {{180, 1}, {1, 1}, {0, 1}})},
    };
    for (const Case &c : faulty) {
        SCOPED_TRACE(c.name);
        const ImageAnalysis::Report report = analyseWithoutCodes(jpegWithExif({}, c.gps));
        EXPECT_FALSE(report.gps.has_value());
        EXPECT_TRUE(mentions(report.probleme, "GPS"));
    }
    // At the limits: exactly 90 and 180 are positions.
    const ImageAnalysis::Report pole = analyseWithoutCodes(jpegWithExif(
        {}, gpsEntries("S", {{90, 1}, {0, 1}, {0, 1}}, "W", {{180, 1}, {0, 1}, {0, 1}})));
    ASSERT_TRUE(pole.gps);
    EXPECT_EQ(pole.gps->breite, -90.0);
    EXPECT_EQ(pole.gps->laenge, -180.0);
}

TEST(Metadata, XmpPropertiesAndGps)
{
    struct Case
    {
        const char *name;
        QByteArray lat, lon;
        double breite, laenge;
    };
    const Case cases[] = {
        {"degrees, minutes, seconds", "51,30,26.46N", "7,27,0E", 51.50735, 7.45},
        {"decimal minutes, south west", "51,30.441S", "70,15W", -51.50735, -70.25},
        {"decimal degrees", "51.50735N", "0.5W", 51.50735, -0.5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray packet = xmpPacket("<exif:GPSLatitude>" + c.lat +
                                                "</exif:GPSLatitude>\n<exif:GPSAltitude>1234/10"
                                                "</exif:GPSAltitude>",
                                            "exif:GPSLongitude=\"" + c.lon + "\"");
        const ImageAnalysis::Report report = analyseWithoutCodes(
            withJpegSegment(encode(testPicture(32, 32), "JPEG"), 0xE1,
                            QByteArray("http://ns.adobe.com/xap/1.0/\0", 29) + packet));
        ASSERT_TRUE(report.gps.has_value()) << report.probleme.join(u'\n').toStdString();
        EXPECT_NEAR(report.gps->breite, c.breite, 1e-9);
        EXPECT_NEAR(report.gps->laenge, c.laenge, 1e-9);
        ASSERT_TRUE(report.gps->hoehe);
        EXPECT_DOUBLE_EQ(*report.gps->hoehe, 123.4);
        EXPECT_EQ(fieldValue(report, "XMP", "exif:GPSLatitude"), QString::fromLatin1(c.lat));
    }
}

TEST(Metadata, XmpPathsOfArraysAndStructures)
{
    const QByteArray body = "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">Rätsel</rdf:li>"
                            "</rdf:Alt></dc:title>\n"
                            "<dc:subject><rdf:Bag><rdf:li>eins</rdf:li><rdf:li>zwei</rdf:li>"
                            "</rdf:Bag></dc:subject>\n"
                            "<xmp:Ort rdf:parseType=\"Resource\"><xmp:Stadt>Köln</xmp:Stadt>"
                            "</xmp:Ort>\n<xmp:Link rdf:resource=\"https://example.org/\"/>";
    const ImageAnalysis::Report report =
        analyseWithoutCodes(withPngChunks(encode(testPicture(8, 8), "PNG"),
                                          {pngChunk("iTXt",
                                                    QByteArray("XML:com.adobe.xmp\0\0\0\0\0", 22) +
                                                        xmpPacket(body, "xmp:Rating=\"5\""))}));
    EXPECT_EQ(fieldValue(report, "XMP", "dc:title[1]"), "Rätsel");
    EXPECT_EQ(fieldValue(report, "XMP", "dc:subject[1]"), "eins");
    EXPECT_EQ(fieldValue(report, "XMP", "dc:subject[2]"), "zwei");
    EXPECT_EQ(fieldValue(report, "XMP", "xmp:Ort/xmp:Stadt"), "Köln");
    EXPECT_EQ(fieldValue(report, "XMP", "xmp:Link"), "https://example.org/");
    EXPECT_EQ(fieldValue(report, "XMP", "xmp:Rating"), "5");
    EXPECT_TRUE(report.probleme.isEmpty()) << report.probleme.join(u'\n').toStdString();
}

TEST(Metadata, BrokenXmpKeepsWhatCameBefore)
{
    const QByteArray packet = xmpPacket("<dc:creator>Ich</dc:creator><dc:rights>ohne Ende");
    const ImageAnalysis::Report report = analyseWithoutCodes(withJpegSegment(
        encode(testPicture(16, 16), "JPEG"), 0xE1,
        QByteArray("http://ns.adobe.com/xap/1.0/\0", 29) + packet.first(packet.size() - 60)));
    EXPECT_EQ(fieldValue(report, "XMP", "dc:creator"), "Ich");
    EXPECT_TRUE(mentions(report.probleme, "XMP"));
}

TEST(Metadata, IptcRecords)
{
    QByteArray extended =
        QByteArray("\x1C\x02\x78\x80\x02", 5) + QByteArray("\x00\x05", 2) + "lang!";
    const QByteArray records = iptcRecord(2, 0, QByteArray("\x00\x04", 2)) +
        iptcRecord(2, 120, "Bildunterschrift") + iptcRecord(2, 25, "Stichwort 1") +
        iptcRecord(2, 25, "Stichwort 2") + iptcRecord(2, 200, "unbekannt") + extended;
    const ImageAnalysis::Report report = analyseWithoutCodes(
        withJpegSegment(encode(testPicture(16, 16), "JPEG"), 0xED, photoshopIptc(records)));
    QStringList seen;
    for (const ImageAnalysis::MetadataField &f : report.metadaten) {
        if (f.gruppe == u"IPTC")
            seen << f.feld + u'=' + f.wert;
    }
    EXPECT_EQ(seen,
              QStringList({"ApplicationRecordVersion=4", "Caption-Abstract=Bildunterschrift",
                           "Keywords=Stichwort 1", "Keywords=Stichwort 2", "2:200=unbekannt",
                           "Caption-Abstract=lang!"}));
    EXPECT_TRUE(report.probleme.isEmpty()) << report.probleme.join(u'\n').toStdString();
}

TEST(Metadata, DamagedIptcNamed)
{
    const QByteArray cut = iptcRecord(2, 120, "Bildunterschrift").chopped(3);
    const ImageAnalysis::Report report = analyseWithoutCodes(withJpegSegment(
        encode(testPicture(16, 16), "JPEG"), 0xED, photoshopIptc(iptcRecord(2, 5, "Titel") + cut)));
    EXPECT_EQ(fieldValue(report, "IPTC", "ObjectName"), "Titel");
    EXPECT_TRUE(mentions(report.probleme, "IPTC"));
}

TEST(Metadata, PngTextChunks)
{
    const QByteArray text = QByteArray("Koordinate\0N 51", 15);
    const QByteArray z = QByteArray("Hinweis\0\0", 9) + zlibCompressed("Ost 7");
    const QByteArray i = QByteArray("Titel\0\0\0de\0Titel\0", 17) + "Grüße";
    const QByteArray iz = QByteArray("Packed\0\1\0\0\0", 11) + zlibCompressed("gepackt");
    const ImageAnalysis::Report report = analyseWithoutCodes(withPngChunks(
        encode(testPicture(8, 8), "PNG"),
        {pngChunk("tEXt", text), pngChunk("zTXt", z), pngChunk("iTXt", i), pngChunk("iTXt", iz)}));
    EXPECT_EQ(fieldValue(report, "PNG", "tEXt Koordinate"), "N 51");
    EXPECT_EQ(fieldValue(report, "PNG", "zTXt Hinweis"), "Ost 7");
    EXPECT_EQ(fieldValue(report, "PNG", "iTXt Titel"), u"Grüße"_qs);
    EXPECT_EQ(fieldValue(report, "PNG", "iTXt Packed"), "gepackt");
    EXPECT_TRUE(report.probleme.isEmpty()) << report.probleme.join(u'\n').toStdString();
}

TEST(Metadata, CompressedTextLimit)
{
    // A compressed text is unpacked up to 16 MiB; one byte more is cut and named.
    constexpr qsizetype kLimit = 16 * 1024 * 1024;
    for (const qsizetype size : {kLimit - 1, kLimit, kLimit + 1}) {
        SCOPED_TRACE(size);
        const QByteArray z = QByteArray("Bombe\0\0", 7) + zlibCompressed(QByteArray(size, 'a'));
        const ImageAnalysis::Report report = analyseWithoutCodes(
            withPngChunks(encode(testPicture(8, 8), "PNG"), {pngChunk("zTXt", z)}));
        EXPECT_EQ(fieldValue(report, "PNG", "zTXt Bombe").size(), qMin(size, kLimit));
        EXPECT_EQ(mentions(report.probleme, "größer als 16 MB"), size > kLimit);
    }
}
