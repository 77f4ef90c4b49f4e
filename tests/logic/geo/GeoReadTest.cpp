#include "logic/geo/GeoRead.h"

#include "GeoTestSupport.h"
#include "logic/common/Numbers.h"
#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoFormats.h"
#include "logic/tools/Koordinaten_Unit.h"

#include <gtest/gtest.h>

using namespace Geo;
using GeoTest::errorOf;

namespace {

const double kLat = 52.0 + 31.25 / 60.0; // N 52° 31.250
const double kLon = 13.0 + 24.713 / 60.0; // E 013° 24.713

} // namespace

TEST(GeoRead, ReadsEveryNotationCachersPaste)
{
    const struct
    {
        const char *text;
        double lat, lon;
    } cases[] = {
        {"N 52° 31.250 E 013° 24.713", kLat, kLon},
        {"N52°31.250' E013°24.713'", kLat, kLon},
        {"n 52 31.250 e 13 24.713", kLat, kLon},
        {"N 52 31,250 E 13 24,713", kLat, kLon},
        {"52° 31.250' N, 13° 24.713' E", kLat, kLon},
        {"52 31.250N 13 24.713E", kLat, kLon},
        {"E 13° 24.713 N 52° 31.250", kLat, kLon},
        {"N 52° 31.250 O 13° 24.713", kLat, kLon},
        {"N 52° 31' 15\" E 13° 24' 42.78\"", kLat, 13.0 + 24.0 / 60 + 42.78 / 3600},
        {"52°31'15\"N 13°24'42.78\"E", kLat, 13.0 + 24.0 / 60 + 42.78 / 3600},
        {"N 52° 31′ 15″ E 13° 24′ 42.78″", kLat, 13.0 + 24.0 / 60 + 42.78 / 3600},
        {"N 52 31 15 E 13 24 42.78", kLat, 13.0 + 24.0 / 60 + 42.78 / 3600},
        {"52.52083, 13.41188", 52.52083, 13.41188},
        {"52,52083, 13,41188", 52.52083, 13.41188},
        {"52,52083 13,41188", 52.52083, 13.41188},
        {"52.52083 13.41188", 52.52083, 13.41188},
        {"52.52083;13.41188", 52.52083, 13.41188},
        {"-33.5, -70.25", -33.5, -70.25},
        {"S 33.5 W 70.25", -33.5, -70.25},
        {"33.5S 70.25W", -33.5, -70.25},
        {"N 54.3941666666667 E 13.6696833333333", 54.3941666666667, 13.6696833333333},
        {"52° 31.250' 13° 24.713'", kLat, kLon},
        {"N 90 E 180", 90, 180},
        {"S 90 W 180", -90, -180},
        {"  N 0 E 0  ", 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const GeoPoint p = readPosition(QString::fromUtf8(c.text));
        EXPECT_NEAR(p.lat, c.lat, 1e-9);
        EXPECT_NEAR(p.lon, c.lon, 1e-9);
    }
}

// Where the coordinates tool's reader accepts a text with proper hemisphere letters, both
// readers must agree on the position.
TEST(GeoRead, AgreesWithTheCoordinatesToolOnItsNotations)
{
    for (const char *text : {"N 54.3941666666667 E 13.6696833333333", "N 54° 23.650 E 013° 40.181",
                             "N 54° 23' 39\" E 13° 40' 10.86\"", "N 54 E 13", "N 54,5 E 13,25"}) {
        SCOPED_TRACE(text);
        TKoordinaten tool;
        ASSERT_EQ(tool.m_sSetKoordinaten(QString::fromUtf8(text)), 1);
        const QString degrees = tool.m_sGetKoordinaten(0);
        const QStringList parts = degrees.split(u' ');
        const GeoPoint p = readPosition(QString::fromUtf8(text));
        EXPECT_NEAR(p.lat, double(Numbers::strToFloat(parts[1])), 1e-9);
        EXPECT_NEAR(p.lon, double(Numbers::strToFloat(parts[3])), 1e-9);
    }
}

TEST(GeoRead, ReadsEveryFormatItWritesBack)
{
    GeoTest::RandomPoints random(40);
    for (int i = 0; i < 2000; ++i) {
        const GeoPoint p = random.next();
        const QList<FormatLine> lines = allFormats(p);
        for (qsizetype k = 0; k < lines.size(); ++k) {
            const FormatLine &line = lines[k];
            if (!line.error.isEmpty())
                continue;
            SCOPED_TRACE(line.text.toStdString());
            const GeoPoint back =
                readAnyPosition(line.text, formatFromKey(line.key.section(u'-', 0, 0))).point;
            if (line.key == u"maidenhead" || line.key == u"geohash" || line.key == u"olc" ||
                line.key == u"kachel" || line.key == u"quadkey") {
                // A cell code reads as its cell's centre (a tile as its north-west corner),
                // which writes the same code again.
                const QList<FormatLine> again = allFormats(back);
                ASSERT_EQ(again[k].text, line.text) << i;
                continue;
            }
            // Each text is rounded: 0.1 m in decimal degrees and grids, 1.9 m in minutes.
            ASSERT_LT(distanceAndBearing(p, back).distance, 2.0) << i;
        }
    }
}

TEST(GeoRead, RefusesWithAGermanMessageInsteadOfGuessing)
{
    const struct
    {
        const char *text;
        const char *error;
    } cases[] = {
        {"", "Bitte eine Koordinate eingeben"},
        {"   ", "Bitte eine Koordinate eingeben"},
        {"N 90.000001 E 0", "Die Breite muss zwischen S 90° und N 90° liegen"},
        {"N 91 E 0", "Die Breite muss zwischen S 90° und N 90° liegen"},
        {"N 0 E 180.000001", "Die Länge muss zwischen W 180° und E 180° liegen"},
        {"N 0 W 181", "Die Länge muss zwischen W 180° und E 180° liegen"},
        {"95.0, 13.0", "Die Breite muss zwischen S 90° und N 90° liegen"},
        {"N 52 60 E 13", "Bei der Breite müssen Minuten und Sekunden unter 60 liegen"},
        {"N 52 59.999 E 13", nullptr},
        {"N 52 10 60 E 13", "Bei der Breite müssen Minuten und Sekunden unter 60 liegen"},
        {"N 52 10 59.99 E 13", nullptr},
        {"N 52.5 10 E 13", "Bei der Breite darf nur die letzte Zahl Nachkommastellen haben"},
        {"N 52 E", "Bei der Länge fehlt die Zahl"},
        {"N 52", "Es braucht genau zwei Himmelsrichtungen: N oder S und E oder W"},
        {"N 52 N 13", "Zweimal eine Breite (N/S), aber keine Länge (E/W)"},
        {"E 52 W 13", "Zweimal eine Länge (E/W), aber keine Breite (N/S)"},
        {"S -33 W 70", "Minuszeichen und S zugleich: bitte nur eines"},
        {"N 52 -10 E 13", "Minuten und Sekunden haben kein Vorzeichen"},
        {"N 52° 31.250 X 13", "Unerwartetes Zeichen „X“"},
        {"52.5", "Breite und Länge lassen sich nicht trennen: N/S und E/W angeben"},
        {"52 13 7", "Breite und Länge lassen sich nicht trennen: N/S und E/W angeben"},
        {"N 52' 31° E 13",
         "Bei der Breite stehen Grad, Minuten und Sekunden nicht in der Reihenfolge"},
        {"N 52 E 13 N", "Es braucht genau zwei Himmelsrichtungen: N oder S und E oder W"},
        {"52 N E 13", "Die Himmelsrichtungen gehören alle vor oder alle hinter die Zahlen"},
        {"N 1.2.3 E 4", "„1.2.3“ ist keine Zahl"},
        {"33U 392010 1", "Das UTM-Breitenband U passt nicht zum Nordwert"},
        {"61U 392010 5820073", "Die UTM-Zone muss zwischen 1 und 60 liegen"},
        {"33U UU 920 2007", "Keine gültige MGRS-Angabe"},
        {"R 4595937 H 1000000", "Rechts- und Hochwert passen weder zu Gauß-Krüger noch zu LV95"},
        {"R 1595937 H 5821794", "Rechts- und Hochwert passen weder zu Gauß-Krüger noch zu LV95"},
        {"R 4595937 H 5021794",
         "Gauß-Krüger (DHDN) gibt es hier nur innerhalb Deutschlands (BETA2007-Gitter)"},
        {"E 2900000 N 1900000", "LV95 gilt nur für die Schweiz und Liechtenstein"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(errorOf([&] { readPosition(QString::fromUtf8(c.text)); }),
                  c.error ? QString::fromUtf8(c.error) : QStringLiteral("<no error>"));
    }
}

TEST(GeoRead, SixUnmarkedNumbersAreDegreesMinutesSeconds)
{
    const GeoPoint p = readPosition(QStringLiteral("52 31 15 13 24 43"));
    EXPECT_NEAR(p.lat, GeoTest::dms(52, 31, 15), 1e-12);
    EXPECT_NEAR(p.lon, GeoTest::dms(13, 24, 43), 1e-12);
}

TEST(GeoRead, UtmZoneZeroIsRefusedWithTheZoneMessage)
{
    EXPECT_EQ(errorOf([] { readPosition(QStringLiteral("0U 392010 5820073")); }),
              QStringLiteral("Die UTM-Zone muss zwischen 1 und 60 liegen"));
}

// Every format recognised by its shape, and an explicit format deciding where a text fits two.
TEST(GeoRead, AnyFormatByShapeOrByChoice)
{
    const GeoPoint home {52.0, 5.0};
    const struct
    {
        const char *text;
        std::optional<Format> chosen;
        Format format;
        double lat, lon, tolerance;
    } cases[] = {
        {"N 52° 31,250' E 013° 24,713'", {}, Format::Wgs84, 52.520833, 13.411883, 1e-6},
        {"38S 444141 3684706", {}, Format::Wgs84, 33.3, 44.4, 1e-5}, // GeoConvert docs
        {"jo62qm", {}, Format::Maidenhead, 52.52083333, 13.375, 1e-6},
        {" JN18 eu ", {}, Format::Maidenhead, 48.8541667, 2.375, 1e-6},
        {"jn18eu", Format::Geohash, Format::Geohash, 0.0, 0.0, 180.0}, // somewhere, a geohash
        {"u4pruydqqvj", {}, Format::Geohash, 57.64911, 10.40744, 1e-5},
        {"n52e13", {}, Format::Wgs84, 52.0, 13.0, 1e-9},
        {"n52e13", Format::Geohash, Format::Geohash, 0.0, 0.0, 180.0},
        {"8fvc2222+22", {}, Format::Olc, 47.0000625, 8.0000625, 1e-9},
        {"cj+2vx", {}, Format::Olc, 52.0, 5.0, 0.05}, // recovered near the reference
        {"X 155000 Y 463000", {}, Format::Rd, 52.155, 5.387, 2e-3},
        {"155000 463000", {}, Format::Rd, 52.155, 5.387, 2e-3},
        {"X 3783065 Y 902082 Z 5038275", {}, Format::Ecef, 52.520830, 13.411880, 1e-5},
        {"3783065.46; 902082.28; 5038275.30", {}, Format::Ecef, 52.520830, 13.411880, 1e-7},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const ReadPosition read = readAnyPosition(QString::fromUtf8(c.text), c.chosen, home);
        EXPECT_EQ(int(read.format), int(c.format));
        EXPECT_NEAR(read.point.lat, c.lat, c.tolerance);
        EXPECT_NEAR(read.point.lon, c.lon, c.tolerance);
    }
}

TEST(GeoRead, AnyFormatRefusals)
{
    const struct
    {
        const char *text;
        std::optional<Format> chosen;
        const char *error;
    } cases[] = {
        {"52 13 7", {}, "Breite und Länge lassen sich nicht trennen"},
        {"n52e13!", {}, "Unerwartetes Zeichen „!“"},
        {"1 2 3", Format::Ecef, "liegt 6357 km unter der Erdoberfläche"},
        {"52 13", Format::Rd, "RD (Amersfoort / RD New) gilt nur für die Niederlande"},
        {"N 52 E 13", Format::Rd, "RD bitte als zwei Zahlen"},
        {"N 52 E 13", Format::Ecef, "ECEF bitte als drei Zahlen"},
        {"JN18EUX", Format::Maidenhead, "nicht 7"},
        {"cj+2vx", Format::Maidenhead, "An Stelle 3 des Locators gehört eine Ziffer, nicht „+“"},
        {"cc2+4x", {}, "Im Plus Code steht das „+“ an der falschen Stelle"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_TRUE(errorOf([&] {
                        readAnyPosition(QString::fromUtf8(c.text), c.chosen);
                    }).contains(QString::fromUtf8(c.error)))
            << errorOf([&] { readAnyPosition(QString::fromUtf8(c.text), c.chosen); }).toStdString();
    }
    EXPECT_TRUE(errorOf([] { readAnyPosition(QString(201, u'1')); }).contains(u"zu lang"));
    EXPECT_EQ(errorOf([] { readAnyPosition(QString(200, u' ')); }),
              QStringLiteral("Bitte eine Koordinate eingeben"));
}
