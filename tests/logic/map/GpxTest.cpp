#include "logic/map/Gpx.h"
#include "logic/map/XmlAttributeCounter.h"

#include "logic/common/QuarvelError.h"
#include "support/core/FailingDevice.h"

#include <QBuffer>
#include <QStringEncoder>

#include <gtest/gtest.h>

using namespace Map;

namespace {

GpxData readText(const QByteArray &text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return readGpx(buffer);
}

QString errorOf(const QByteArray &text)
{
    try {
        readText(text);
    } catch (const QuarvelError &error) {
        return error.message();
    }
    return {};
}

} // namespace

TEST(Gpx, RoundTripKeepsEverything)
{
    GpxData data;
    data.waypoints = {{QStringLiteral("GC1ABCD"),
                       {52.51234567, 13.41187654},
                       34.5,
                       QStringLiteral("Der Schatz <& \"Ü\">"),
                       QStringLiteral("GC1ABCD")},
                      {QStringLiteral("Parkplatz"), {-33.5, -70.25}, std::nullopt, {}, {}}};
    data.routes = {{QStringLiteral("Weg"), {{{1, 2}, {3, 4}}}}};
    data.tracks = {{QStringLiteral("Runde"), {{{5, 6}, {7, 8}, {9, 10}}, {{11, 12}}}}};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeGpx(buffer, data));
    const GpxData back = readText(buffer.data());
    ASSERT_EQ(back.waypoints.size(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back.waypoints[i].name, data.waypoints[i].name);
        EXPECT_EQ(back.waypoints[i].description, data.waypoints[i].description);
        EXPECT_EQ(back.waypoints[i].cache, data.waypoints[i].cache);
        EXPECT_EQ(back.waypoints[i].elevation, data.waypoints[i].elevation);
        EXPECT_NEAR(back.waypoints[i].position.lat, data.waypoints[i].position.lat, 1e-8);
        EXPECT_NEAR(back.waypoints[i].position.lon, data.waypoints[i].position.lon, 1e-8);
    }
    ASSERT_EQ(back.routes.size(), 1);
    EXPECT_EQ(back.routes[0].pointCount(), 2);
    ASSERT_EQ(back.tracks.size(), 1);
    EXPECT_EQ(back.tracks[0].name, QStringLiteral("Runde"));
    EXPECT_EQ(back.tracks[0].segments.size(), 2);
    EXPECT_EQ(back.tracks[0].pointCount(), 4);
    EXPECT_TRUE(buffer.data().contains("http://www.topografix.com/GPX/1/1"));
}

TEST(Gpx, ReadsOtherProgramsShapes)
{
    const struct
    {
        const char *what;
        QByteArray text;
        qsizetype waypoints, routes, tracks;
        QString firstName, firstCache, firstDescription;
    } cases[] = {
        {"GPX 1.0 without elevation",
         R"(<?xml version="1.0"?><gpx version="1.0" xmlns="http://www.topografix.com/GPX/1/0">
            <wpt lat="52.5" lon="13.4"><name>Start</name><desc>am Tor</desc></wpt>
            <rte><name>R</name><rtept lat="1" lon="2"/><rtept lat="3" lon="4"/></rte></gpx>)",
         1, 1, 0, "Start", "", "am Tor"},
        {"pocket query with Groundspeak extensions",
         R"(<gpx xmlns="http://www.topografix.com/GPX/1/0" version="1.0"
              xmlns:groundspeak="http://www.groundspeak.com/cache/1/0/1">
            <wpt lat="48.1" lon="11.5"><time>2024-01-01T00:00:00Z</time><name>GC7X2Y3</name>
              <desc>Ein Cache by Jemand, Traditional Cache (1.5/2)</desc>
              <groundspeak:cache id="1" available="True"><groundspeak:name>Ein Cache</groundspeak:name>
                <groundspeak:logs><groundspeak:log id="2"><groundspeak:text>TFTC</groundspeak:text>
                </groundspeak:log></groundspeak:logs></groundspeak:cache></wpt></gpx>)",
         1, 0, 0, "GC7X2Y3", "GC7X2Y3", "Ein Cache by Jemand, Traditional Cache (1.5/2)"},
        {"prefixed GPX 1.1 namespace and a track with extensions",
         R"(<g:gpx xmlns:g="http://www.topografix.com/GPX/1/1" version="1.1" creator="x">
            <g:metadata><g:name>Tour</g:name></g:metadata>
            <g:trk><g:name>T</g:name><g:trkseg><g:trkpt lat="1" lon="1"><g:ele>5</g:ele>
              <g:extensions><x:hr xmlns:x="urn:x">90</x:hr></g:extensions></g:trkpt>
              <g:trkpt lat="2" lon="2"/></g:trkseg></g:trk></g:gpx>)",
         0, 0, 1, "", "", ""},
        {"code inside a foreign extension",
         R"(<gpx version="1.1"><wpt lat="1" lon="2"><name>Final</name><extensions>
            <o:cache xmlns:o="urn:o"><o:code>oc12ab</o:code></o:cache></extensions></wpt></gpx>)",
         1, 0, 0, "Final", "OC12AB", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const GpxData data = readText(c.text);
        EXPECT_EQ(data.waypoints.size(), c.waypoints);
        EXPECT_EQ(data.routes.size(), c.routes);
        EXPECT_EQ(data.tracks.size(), c.tracks);
        if (!data.waypoints.isEmpty()) {
            EXPECT_EQ(data.waypoints[0].name, c.firstName);
            EXPECT_EQ(data.waypoints[0].cache, c.firstCache);
            EXPECT_EQ(data.waypoints[0].description, c.firstDescription);
            EXPECT_FALSE(data.waypoints[0].elevation.has_value());
        }
    }
}

TEST(Gpx, DamagedFilesNameTheLine)
{
    const struct
    {
        const char *what;
        QByteArray text;
        const char *expected;
    } cases[] = {
        {"cut off", "<gpx>\n<wpt lat=\"1\" lon=\"2\">\n<name>A", "(Zeile 3)"},
        {"not XML", "hallo", "(Zeile 1)"},
        {"empty", "", "endet vor"},
        {"other root", "<?xml version=\"1.0\"?>\n<kml/>", "„kml“ ist kein GPX-Element"},
        {"no longitude", "<gpx>\n\n<wpt lat=\"1\"/></gpx>",
         "(Zeile 3): Dem Punkt fehlt das Attribut „lon“"},
        {"latitude above 90", "<gpx><wpt lat=\"90.5\" lon=\"1\"/></gpx>",
         "„90.5“ ist kein gültiger Wert für „lat“"},
        {"latitude 90 is fine", "<gpx><wpt lat=\"90\" lon=\"-180\"/></gpx>", ""},
        {"longitude not a number",
         "<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"1,5\"/></trkseg></trk></gpx>", "„1,5“"},
        {"garbage after the root", "<gpx/>\n<gpx/>", "(Zeile 2)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString message = errorOf(c.text);
        if (*c.expected == 0) {
            EXPECT_TRUE(message.isEmpty()) << message.toStdString();
        } else {
            EXPECT_TRUE(message.startsWith(QStringLiteral("Die GPX-Datei ist beschädigt")));
            EXPECT_TRUE(message.contains(QString::fromUtf8(c.expected))) << message.toStdString();
        }
    }
}

TEST(Gpx, WriteFailureIsReported)
{
    GpxData data;
    for (int i = 0; i < 1000; ++i)
        data.waypoints.append({QStringLiteral("P%1").arg(i), {1, 2}, std::nullopt, {}, {}});
    FailingDevice device(100);
    device.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    EXPECT_FALSE(writeGpx(device, data));
}

TEST(Gpx, CacheCodes)
{
    const std::pair<const char *, const char *> cases[] = {
        {"GC1ABCD", "GC1ABCD"}, {"gc12", "GC12"},     {"GC", ""},    {"GC12345678", ""},
        {"Parkplatz", ""},      {"OC12AB", "OC12AB"}, {"GC1A B", ""}};
    for (const auto &[name, code] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(cacheCodeIn(QString::fromLatin1(name)), QString::fromLatin1(code));
    }
}

namespace {

QByteArray nested(int levels, const QByteArray &inner)
{
    return QByteArray("<a>").repeated(levels) + inner + QByteArray("</a>").repeated(levels);
}

QByteArray attributes(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += " a" + QByteArray::number(i) + "=\"" + QByteArray::number(i) + '"';
    return text;
}

} // namespace

// The root counts as one level: a file may nest 64 elements, its text elements included.
TEST(Gpx, NestingIsRefusedBeyondTheLimitWhereverItStands)
{
    const int free = kGpxMaxDepth - 3; // gpx, wpt and the text element take three levels
    const struct
    {
        const char *what;
        QByteArray text;
        bool refused;
    } cases[] = {
        {"name at the limit",
         "<gpx><wpt lat=\"1\" lon=\"2\"><name>" + nested(free, "N") + "</name></wpt></gpx>", false},
        {"name above",
         "<gpx><wpt lat=\"1\" lon=\"2\"><name>" + nested(free + 1, "N") + "</name></wpt></gpx>",
         true},
        {"name far above (would overflow the stack)",
         "<gpx><wpt lat=\"1\" lon=\"2\"><name>" + nested(100000, "N") + "</name></wpt></gpx>",
         true},
        {"desc above",
         "<gpx><wpt lat=\"1\" lon=\"2\"><desc>" + nested(free + 1, "D") + "</desc></wpt></gpx>",
         true},
        {"ele above",
         "<gpx><wpt lat=\"1\" lon=\"2\"><ele>" + nested(free + 1, "5") + "</ele></wpt></gpx>",
         true},
        {"code in extensions at the limit",
         "<gpx><wpt lat=\"1\" lon=\"2\"><extensions>" + nested(free - 1, "<code>GC1</code>") +
             "</extensions></wpt></gpx>",
         false},
        {"code in extensions above",
         "<gpx><wpt lat=\"1\" lon=\"2\"><extensions>" + nested(free, "<code>GC1</code>") +
             "</extensions></wpt></gpx>",
         true},
        {"track name above", "<gpx><trk><name>" + nested(free + 1, "T") + "</name></trk></gpx>",
         true},
        {"route name above", "<gpx><rte><name>" + nested(free + 1, "R") + "</name></rte></gpx>",
         true},
        {"an unknown element above", "<gpx>" + nested(kGpxMaxDepth, "") + "</gpx>", true},
        {"an unknown element at the limit", "<gpx>" + nested(kGpxMaxDepth - 1, "") + "</gpx>",
         false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString message = errorOf(c.text);
        if (c.refused)
            EXPECT_EQ(message,
                      QStringLiteral("Die GPX-Datei ist beschädigt (Zeile 1): Die "
                                     "Elemente sind tiefer als 64 Ebenen ineinander "
                                     "geschachtelt"));
        else
            EXPECT_TRUE(message.isEmpty()) << message.toStdString();
    }
    EXPECT_EQ(
        readText("<gpx><wpt lat=\"1\" lon=\"2\"><name>" + nested(free, "N") + "</name></wpt></gpx>")
            .waypoints[0]
            .name,
        QStringLiteral("N"));
}

// Namespace declarations are attributes too; the line named is the one where the tag begins.
TEST(Gpx, ElementsWithTooManyAttributesAreRefused)
{
    const int wptOwn = 2; // lat and lon
    const struct
    {
        const char *what;
        QByteArray text;
        int line; // of the refused tag; 0: read
    } cases[] = {
        {"waypoint at the limit",
         "<gpx>\n<wpt lat=\"1\" lon=\"2\"" + attributes(kGpxMaxAttributes - wptOwn) + "/></gpx>",
         0},
        {"waypoint above",
         "<gpx>\n<wpt lat=\"1\" lon=\"2\"\n" + attributes(kGpxMaxAttributes - wptOwn + 1) +
             "/></gpx>",
         2},
        {"waypoint far above (quadratic in the XML reader)",
         "<gpx>\n<wpt lat=\"1\" lon=\"2\"" + attributes(200000) + "/></gpx>", 2},
        {"root above", "<gpx\n" + attributes(kGpxMaxAttributes + 1) + "/>", 1},
        {"namespaces above",
         [] {
             QByteArray text = "<gpx>\n<x";
             for (int i = 0; i <= kGpxMaxAttributes; ++i)
                 text +=
                     " xmlns:n" + QByteArray::number(i) + "=\"urn:" + QByteArray::number(i) + '"';
             return text + "/></gpx>";
         }(),
         2},
        {"quoted = and > are no attributes",
         "<gpx>\n<wpt lat=\"1\" lon=\"2\" a=\"" + QByteArray("=>'").repeated(100) +
             "\" b='\"=\"'/></gpx>",
         0},
        {"= in text, comments and CDATA is no attribute",
         "<gpx>\n<!-- " + QByteArray("x=").repeated(100) + " --><wpt lat=\"1\" lon=\"2\"><desc>" +
             QByteArray("a=b ").repeated(100) + "<![CDATA[" + QByteArray("=").repeated(100) +
             "]]></desc></wpt></gpx>",
         0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString message = errorOf(c.text);
        if (c.line == 0)
            EXPECT_TRUE(message.isEmpty()) << message.toStdString();
        else
            EXPECT_EQ(message,
                      QStringLiteral("Die GPX-Datei ist beschädigt (Zeile %1): Ein "
                                     "Element hat mehr als 64 Attribute")
                          .arg(c.line));
    }
}

// The count must hold however the file arrives: in pieces split anywhere, and in UTF-16.
TEST(Gpx, AttributeCountHoldsAcrossPiecesAndEncodings)
{
    const QByteArray above = "<gpx>\n<wpt lat=\"1\" lon=\"2\"" + attributes(63) + "/>";
    const QByteArray at = "<gpx>\n<wpt lat='1' lon='2'" + attributes(62) + "/>";
    for (qsizetype split = 0; split <= above.size(); ++split) {
        SCOPED_TRACE(split);
        XmlAttributeCounter counter(kGpxMaxAttributes);
        const bool first = counter.add(QByteArrayView(above).first(split));
        EXPECT_FALSE(first && counter.add(QByteArrayView(above).sliced(split)));
        EXPECT_EQ(counter.tooManyLine(), 2);
    }
    for (qsizetype split = 0; split <= at.size(); ++split) {
        SCOPED_TRACE(split);
        XmlAttributeCounter counter(kGpxMaxAttributes);
        EXPECT_TRUE(counter.add(QByteArrayView(at).first(split)) &&
                    counter.add(QByteArrayView(at).sliced(split)));
    }
    const struct
    {
        const char *what;
        QStringConverter::Encoding encoding;
        bool mark;
    } encodings[] = {
        {"UTF-16LE", QStringConverter::Utf16LE, false},
        {"UTF-16BE with mark", QStringConverter::Utf16BE, true},
        {"UTF-16 with mark", QStringConverter::Utf16, true},
    };
    for (const auto &e : encodings) {
        SCOPED_TRACE(e.what);
        QStringEncoder encode(e.encoding,
                              e.mark ? QStringConverter::Flag::WriteBom
                                     : QStringConverter::Flag::Default);
        // A CJK character whose units hold the bytes of "=" and "<" must not count.
        const QString declaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>");
        const QByteArray atText =
            encode(declaration +
                   QString::fromUtf8(at).replace(QStringLiteral("a0="), QStringLiteral("\u3d3c=")) +
                   QStringLiteral("</gpx>"));
        const QByteArray aboveText =
            encode(declaration + QString::fromUtf8(above) + QStringLiteral("</gpx>"));
        XmlAttributeCounter counter(kGpxMaxAttributes);
        for (qsizetype i = 0; i < atText.size(); i += 3)
            EXPECT_TRUE(counter.add(
                QByteArrayView(atText).sliced(i, std::min<qsizetype>(3, atText.size() - i))));
        EXPECT_TRUE(errorOf(atText).isEmpty()) << errorOf(atText).toStdString();
        EXPECT_TRUE(errorOf(aboveText).contains(QStringLiteral("(Zeile 2): Ein Element hat mehr")))
            << errorOf(aboveText).toStdString();
    }
}

// Files in the shapes other programs write: every field a cacher edits survives reading,
// writing and reading again.
TEST(Gpx, EveryFieldOfOtherProgramsFilesSurvivesARoundTrip)
{
    const struct
    {
        const char *what;
        QByteArray text;
        GpxWaypoint expected;
    } cases[] = {
        {"GPX 1.1 as a GPS device writes it",
         R"(<?xml version="1.0" encoding="UTF-8"?>
<gpx xmlns="http://www.topografix.com/GPX/1/1" version="1.1" creator="Gerät">
 <wpt lat="47.123456789" lon="-8.5"><ele>512.25</ele><time>2025-06-01T08:15:30Z</time>
  <name>Brücke</name><cmt>unter dem Geländer</cmt><desc>Stage 2 &amp; Final</desc>
  <link href="https://example.org/p/1"><text>Seite</text><type>text/html</type></link>
  <link href="https://example.org/zweiter"/>
  <sym>Flag, Blue</sym><type>user</type></wpt></gpx>)",
         {QStringLiteral("Brücke"),
          {47.123456789, -8.5},
          512.25,
          QStringLiteral("Stage 2 & Final"),
          {},
          QStringLiteral("unter dem Geländer"),
          QStringLiteral("2025-06-01T08:15:30Z"),
          QStringLiteral("Flag, Blue"),
          QStringLiteral("user"),
          QStringLiteral("https://example.org/p/1"),
          QStringLiteral("Seite")}},
        {"GPX 1.0 pocket query with url and urlname",
         R"(<gpx xmlns="http://www.topografix.com/GPX/1/0" version="1.0"
     xmlns:groundspeak="http://www.groundspeak.com/cache/1/0/1">
 <wpt lat="52.5" lon="13.25"><time>2019-03-04T00:00:00</time><name>GC8ABCD</name>
  <desc>Eine Dose by Jemand, Traditional Cache (1.5/2)</desc>
  <url>https://coord.info/GC8ABCD</url><urlname>Eine Dose</urlname>
  <sym>Geocache</sym><type>Geocache|Traditional Cache</type>
  <groundspeak:cache id="7" available="True"><groundspeak:name>Eine Dose</groundspeak:name>
  </groundspeak:cache></wpt></gpx>)",
         {QStringLiteral("GC8ABCD"),
          {52.5, 13.25},
          std::nullopt,
          QStringLiteral("Eine Dose by Jemand, Traditional Cache (1.5/2)"),
          QStringLiteral("GC8ABCD"),
          {},
          QStringLiteral("2019-03-04T00:00:00"),
          QStringLiteral("Geocache"),
          QStringLiteral("Geocache|Traditional Cache"),
          QStringLiteral("https://coord.info/GC8ABCD"),
          QStringLiteral("Eine Dose")}},
        {"GSAK child waypoint with its cache code in an extension",
         R"(<gpx xmlns="http://www.topografix.com/GPX/1/1" version="1.1"
     xmlns:gsak="http://www.gsak.net/xmlv1/6">
 <wpt lat="-33.9" lon="151.2"><name>PK8ABCD</name><desc>Parkplatz</desc><sym>Parking Area</sym>
  <type>Waypoint|Parking Area</type><extensions><gsak:wptExtension>
  <gsak:Parent>GC8ABCD</gsak:Parent><gsak:Code>GC8ABCD</gsak:Code></gsak:wptExtension>
  </extensions></wpt></gpx>)",
         {QStringLiteral("PK8ABCD"),
          {-33.9, 151.2},
          std::nullopt,
          QStringLiteral("Parkplatz"),
          QStringLiteral("GC8ABCD"),
          {},
          {},
          QStringLiteral("Parking Area"),
          QStringLiteral("Waypoint|Parking Area")}},
        {"GSAK in GPX 1.0 beside the waypoint's fields, elevation below sea level",
         R"(<gpx version="1.0"><wpt lat="31.5" lon="35.5"><ele>-430</ele><name>Tief</name>
  <gsak:wptExtension xmlns:gsak="http://www.gsak.net/xmlv1/5"><gsak:Code>gc9zz</gsak:Code>
  </gsak:wptExtension></wpt></gpx>)",
         {QStringLiteral("Tief"), {31.5, 35.5}, -430.0, {}, QStringLiteral("GC9ZZ")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const GpxData read = readText(c.text);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(writeGpx(buffer, read));
        const GpxData back = readText(buffer.data());
        for (const GpxData &data : {read, back}) {
            ASSERT_EQ(data.waypoints.size(), 1);
            const GpxWaypoint &w = data.waypoints[0];
            const GpxWaypoint &e = c.expected;
            EXPECT_EQ(w.name, e.name);
            EXPECT_NEAR(w.position.lat, e.position.lat, 1e-8);
            EXPECT_NEAR(w.position.lon, e.position.lon, 1e-8);
            EXPECT_EQ(w.elevation, e.elevation);
            EXPECT_EQ(w.description, e.description);
            EXPECT_EQ(w.cache, e.cache);
            EXPECT_EQ(w.comment, e.comment);
            EXPECT_EQ(w.time, e.time);
            EXPECT_EQ(w.symbol, e.symbol);
            EXPECT_EQ(w.type, e.type);
            EXPECT_EQ(w.link, e.link);
            EXPECT_EQ(w.linkText, e.linkText);
        }
    }
}

TEST(Gpx, TrackPointsKeepElevationAndTime)
{
    const GpxData read = readText(R"(<gpx version="1.1" xmlns="http://www.topografix.com/GPX/1/1">
 <rte><rtept lat="1" lon="2"><ele>3.5</ele></rtept><name>R</name></rte>
 <trk><name>T</name><trkseg><trkpt lat="47.1" lon="8.2"><ele>401.123456789</ele>
  <time>2025-06-01T08:00:00.250Z</time><extensions><hr>90</hr></extensions></trkpt>
  <trkpt lat="47.2" lon="8.3"/></trkseg><trkseg><trkpt lat="0" lon="0"><ele>0</ele></trkpt>
 </trkseg></trk></gpx>)");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeGpx(buffer, read));
    const GpxData back = readText(buffer.data());
    for (const GpxData &data : {read, back}) {
        ASSERT_EQ(data.routes.size(), 1);
        EXPECT_EQ(data.routes[0].name, QStringLiteral("R"));
        EXPECT_EQ(data.routes[0].segments[0][0].elevation, 3.5);
        ASSERT_EQ(data.tracks.size(), 1);
        ASSERT_EQ(data.tracks[0].segments.size(), 2);
        const GpxPathPoint &first = data.tracks[0].segments[0][0];
        EXPECT_EQ(first.elevation, 401.123456789);
        EXPECT_EQ(first.time, QStringLiteral("2025-06-01T08:00:00.250Z"));
        EXPECT_FALSE(data.tracks[0].segments[0][1].elevation.has_value());
        EXPECT_TRUE(data.tracks[0].segments[0][1].time.isEmpty());
        EXPECT_EQ(data.tracks[0].segments[1][0].elevation, 0.0);
    }
}
