#include "logic/map/Gpx.h"

#include "logic/common/QuarvelError.h"
#include "support/core/FailingDevice.h"

#include <QBuffer>

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
