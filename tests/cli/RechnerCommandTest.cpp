// quarvel-cli rechner and gccode run as processes: every task in text and JSON against the pure
// functions, stdin batches, the splitting of unseparated arguments and the exit codes.
#include "cli/CliProcess.h"
#include "logic/geo/GcCode.h"
#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoFormats.h"
#include "logic/geo/GeoGrids.h"
#include "logic/geo/GeoIntersect.h"
#include "logic/geo/GeoRead.h"
#include "logic/geo/GeoUnits.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Geo;

namespace {

const QString kA = QStringLiteral("N 52° 31,250' E 013° 24,713'");
const QString kB = QStringLiteral("N 52° 30,000' E 013° 20,000'");
const QString kC = QStringLiteral("N 52° 33,000' E 013° 22,000'");

GeoPoint at(const QString &text)
{
    return readPosition(text);
}

QJsonObject jsonOf(const CliRun &run)
{
    return QJsonDocument::fromJson(run.out).object();
}

void expectPoint(const QJsonValue &value, GeoPoint p)
{
    const QJsonObject point = value.toObject();
    EXPECT_DOUBLE_EQ(point.value(QStringLiteral("breite")).toDouble(), p.lat);
    EXPECT_DOUBLE_EQ(point.value(QStringLiteral("laenge")).toDouble(), p.lon);
    EXPECT_EQ(point.value(QStringLiteral("text")).toString(), formatDegreesMinutes(p));
}

struct TaskCase
{
    const char *name;
    QStringList arguments;
    QStringList text; // expected lines
    std::function<void(const QJsonObject &)> json;
};

std::vector<TaskCase> taskCases()
{
    const DistanceBearing d = distanceAndBearing(at(kA), at(kB));
    const GeoPoint target = project(at(kA), 72, 350);
    const GeoPoint middle = midpoint(at(kA), at(kB));
    const Centre centre = centreOfThree(at(kA), at(kB), at(kC));
    const GeoPoint crossing = intersectBearings({at(kA), 200}, {at(kB), 90});
    const QList<GeoPoint> lineCircle = intersectLineCircle({at(kA), 250}, {at(kB), 3000});
    const QList<GeoPoint> circles = intersectCircles({at(kA), 4000}, {at(kB), 3000});
    const BestFit fit = trilaterate({at(kA), 4000}, {at(kB), 3000}, {at(kC), 3500});
    auto points = [](const QList<GeoPoint> &list) {
        return [list](const QJsonObject &o) {
            const QJsonArray array = o.value(QStringLiteral("punkte")).toArray();
            ASSERT_EQ(array.size(), list.size());
            for (qsizetype i = 0; i < list.size(); ++i)
                expectPoint(array[i], list[i]);
        };
    };
    auto lines = [](const QList<GeoPoint> &list) {
        QStringList texts;
        for (const GeoPoint &p : list)
            texts.append(formatDegreesMinutes(p));
        return texts;
    };
    return {
        {"entfernung",
         {QStringLiteral("entfernung"), kA, kB},
         {QStringLiteral("Entfernung: %1 | Peilung: %2 | Richtung bei Ankunft: %3")
              .arg(formatDistance(d.distance, DistanceUnit::Metre),
                   formatBearing(d.initialBearing, AngleUnit::Degree),
                   formatBearing(d.finalBearing, AngleUnit::Degree))},
         [d](const QJsonObject &o) {
             EXPECT_DOUBLE_EQ(o.value(QStringLiteral("entfernung_m")).toDouble(), d.distance);
             EXPECT_DOUBLE_EQ(o.value(QStringLiteral("peilung_grad")).toDouble(), d.initialBearing);
             EXPECT_DOUBLE_EQ(o.value(QStringLiteral("ankunft_grad")).toDouble(), d.finalBearing);
         }},
        {"projektion with options",
         {QStringLiteral("projektion"), kA, QStringLiteral("--peilung"), QStringLiteral("72"),
          QStringLiteral("--entfernung"), QStringLiteral("0,35km")},
         {QStringLiteral("Ziel: ") + formatDegreesMinutes(target)},
         [target](const QJsonObject &o) { expectPoint(o.value(QStringLiteral("ziel")), target); }},
        {"projektion with parts",
         {QStringLiteral("projektion"), kA, QStringLiteral("72"), QStringLiteral("350m")},
         {QStringLiteral("Ziel: ") + formatDegreesMinutes(target)},
         [target](const QJsonObject &o) { expectPoint(o.value(QStringLiteral("ziel")), target); }},
        {"mitte of two",
         {QStringLiteral("mitte"), kA, kB},
         {QStringLiteral("Mitte: ") + formatDegreesMinutes(middle)},
         [middle](const QJsonObject &o) { expectPoint(o.value(QStringLiteral("ziel")), middle); }},
        {"mitte of three",
         {QStringLiteral("mitte"), kA, kB, kC},
         {QStringLiteral("Mittelpunkt: %1 | Abstand: %2")
              .arg(formatDegreesMinutes(centre.point),
                   formatDistance(centre.distance, DistanceUnit::Metre))},
         [centre](const QJsonObject &o) {
             expectPoint(o.value(QStringLiteral("ziel")), centre.point);
         }},
        {"schnitt peilungen",
         {QStringLiteral("schnitt"), QStringLiteral("peilungen"), kA, QStringLiteral("200"), kB,
          QStringLiteral("90")},
         lines({crossing}),
         points({crossing})},
        {"schnitt linie-kreis",
         {QStringLiteral("schnitt"), QStringLiteral("linie-kreis"), kA, QStringLiteral("250"), kB,
          QStringLiteral("3km")},
         lines(lineCircle),
         points(lineCircle)},
        {"schnitt kreise",
         {QStringLiteral("schnitt"), QStringLiteral("kreise"), kA + u';', QStringLiteral("4000;"),
          kB + u';', QStringLiteral("3000 m")},
         lines(circles),
         points(circles)},
        {"schnitt drei-kreise",
         {QStringLiteral("schnitt"), QStringLiteral("drei-kreise"), kA, QStringLiteral("4km"), kB,
          QStringLiteral("3km"), kC, QStringLiteral("3,5km")},
         lines({fit.point}) +
             QStringList {QStringLiteral("Abweichung Kreis 1: ") +
                              formatDistance(fit.misfit[0], DistanceUnit::Metre),
                          QStringLiteral("Abweichung Kreis 2: ") +
                              formatDistance(fit.misfit[1], DistanceUnit::Metre),
                          QStringLiteral("Abweichung Kreis 3: ") +
                              formatDistance(fit.misfit[2], DistanceUnit::Metre)},
         points({fit.point})},
    };
}

} // namespace

TEST(CliRechner, EveryTaskInTextAndJson)
{
    for (const TaskCase &c : taskCases()) {
        SCOPED_TRACE(c.name);
        const CliRun text = runCli(QStringList {QStringLiteral("rechner")} + c.arguments);
        EXPECT_EQ(text.exitCode, 0) << text.err.toStdString();
        EXPECT_EQ(text.outLines(), c.text);
        const CliRun json =
            runCli(QStringList {QStringLiteral("--json"), QStringLiteral("calc")} + c.arguments);
        EXPECT_EQ(json.exitCode, 0) << json.err.toStdString();
        c.json(jsonOf(json));
    }
}

TEST(CliRechner, FormatListsEveryFormatAndJsonNullsWhatDoesNotCover)
{
    const CliRun text = runCli({QStringLiteral("rechner"), QStringLiteral("format"),
                                QStringLiteral("--maidenhead-stellen"), QStringLiteral("6"), kA});
    ASSERT_EQ(text.exitCode, 0);
    QStringList expected;
    for (const FormatLine &line : allFormats(at(kA), {6, 10, 10}))
        expected.append(
            line.caption + QStringLiteral(": ") +
            (line.error.isEmpty() ? line.text : QStringLiteral("– (%1)").arg(line.error)));
    EXPECT_EQ(text.outLines(), expected);

    const CliRun json =
        runCli({QStringLiteral("--json"), QStringLiteral("rechner"), QStringLiteral("format"),
                QStringLiteral("--olc-stellen"), QStringLiteral("11"), kA});
    const QJsonObject o = jsonOf(json);
    EXPECT_EQ(o.value(QStringLiteral("eingabe")).toString(), kA);
    expectPoint(o.value(QStringLiteral("wgs84")), at(kA));
    EXPECT_EQ(o.value(QStringLiteral("utm")).toString(), formatUtm(at(kA)));
    EXPECT_EQ(o.value(QStringLiteral("gk")).toString(), formatGaussKrueger(at(kA)));
    EXPECT_TRUE(o.value(QStringLiteral("lv95")).isNull());
    EXPECT_TRUE(o.value(QStringLiteral("rd")).isNull());
    EXPECT_EQ(o.value(QStringLiteral("olc")).toString().size(), 12);
    EXPECT_EQ(o.value(QStringLiteral("maidenhead")).toString().size(), 8);
    EXPECT_DOUBLE_EQ(
        o.value(QStringLiteral("ecef")).toObject().value(QStringLiteral("z")).toDouble(),
        toEcef(at(kA)).z);
    EXPECT_EQ(o.keys().size(), 16);
}

// The reference of a short Plus Code: --bezug, else the home coordinates of the settings file.
TEST(CliRechner, ShortPlusCodesUseTheReferenceOrTheHomeCoordinates)
{
    QTemporaryDir config;
    QDir(config.path()).mkpath(QStringLiteral("Brask"));
    QFile file(config.path() + QStringLiteral("/Brask/registry.reg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Brask\\"
               "Quarvel\\1.0]\n\"HomeKoordinaten\"=\"N 51° 22,000' W 001° 13,000'\"\n");
    file.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    const QStringList arguments = {QStringLiteral("--json"), QStringLiteral("rechner"),
                                   QStringLiteral("format"), QStringLiteral("CJ+2VX")};
    const CliRun home = runCli(arguments, {}, environment);
    EXPECT_EQ(jsonOf(home).value(QStringLiteral("olc")).toString(), QStringLiteral("9C3W9QCJ+2V"));
    const CliRun given =
        runCli(arguments + QStringList {QStringLiteral("--bezug"), QStringLiteral("N 47 E 8")}, {},
               environment);
    const QJsonObject point = jsonOf(given).value(QStringLiteral("wgs84")).toObject();
    EXPECT_NEAR(point.value(QStringLiteral("breite")).toDouble(), 47.0, 0.05);
    EXPECT_NEAR(point.value(QStringLiteral("laenge")).toDouble(), 8.0, 0.05);
}

TEST(CliRechner, StdinBatchesOneCallPerLine)
{
    const DistanceBearing d = distanceAndBearing(at(kA), at(kB));
    const CliRun run =
        runCli({QStringLiteral("rechner")},
               (QStringLiteral("entfernung ") + kA + u';' + kB +
                QStringLiteral("\nschnitt kreise %1; 1; %2; 1\nmitte %1; %2\n").arg(kA, kB))
                   .toUtf8());
    EXPECT_EQ(run.exitCode, 1); // the circles are apart
    const QStringList lines = run.outLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Entfernung: ") +
                                    formatDistance(d.distance, DistanceUnit::Metre)));
    EXPECT_EQ(lines[1], QString()); // the failed line keeps its place
    EXPECT_EQ(lines[2], QStringLiteral("Mitte: ") + formatDegreesMinutes(midpoint(at(kA), at(kB))));
    EXPECT_TRUE(run.err.contains("Zeile 2: Die Kreise liegen auseinander"));
}

// "rechner entfernung" with nothing more: every line of stdin holds one call's positions.
TEST(CliRechner, TaskNamedAloneTakesItsPositionsFromStdin)
{
    const DistanceBearing d = distanceAndBearing(at(kA), at(kB));
    const struct
    {
        QStringList task;
        QString lines;
        QString firstLineStart;
    } cases[] = {
        {{QStringLiteral("entfernung")},
         kA + u';' + kB + u'\n' + kB + u';' + kA + u'\n',
         QStringLiteral("Entfernung: ") + formatDistance(d.distance, DistanceUnit::Metre)},
        {{QStringLiteral("SCHNITT"), QStringLiteral("kreise")},
         QStringLiteral("%1; 1; %2; 1\n%1; 1; %2; 1\n").arg(kA, kB),
         QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.task.join(u' ').toStdString());
        const CliRun run =
            runCli(QStringList {QStringLiteral("rechner")} + c.task, c.lines.toUtf8());
        ASSERT_EQ(run.outLines().size(), 2);
        EXPECT_TRUE(run.outLines()[0].startsWith(c.firstLineStart));
    }
}

TEST(CliRechner, ExitCodesAndMessages)
{
    const struct
    {
        QStringList arguments;
        int exitCode;
        const char *message;
    } cases[] = {
        {{QStringLiteral("rechner"), QStringLiteral("bogus")}, 1, "Unbekannte Aufgabe „bogus“"},
        {{QStringLiteral("rechner"), QStringLiteral("entfernung"), kA}, 1, "erwartet werden 2"},
        {{QStringLiteral("rechner"), QStringLiteral("entfernung"),
          QStringLiteral("52 13 52 14 53 14")},
         1,
         "mehrfach aufteilen"},
        {{QStringLiteral("rechner"), QStringLiteral("schnitt"), QStringLiteral("ecke")},
         1,
         "„ecke“"},
        {{QStringLiteral("rechner"), QStringLiteral("mitte"), kA, kB, QStringLiteral("--peilung"),
          QStringLiteral("3")},
         1,
         "nur für „projektion“"},
        {{QStringLiteral("rechner"), QStringLiteral("projektion"), kA, QStringLiteral("--peilung"),
          QStringLiteral("3")},
         1,
         "braucht --peilung und --entfernung"},
        {{QStringLiteral("rechner"), QStringLiteral("projektion"), kA, QStringLiteral("1e308"),
          QStringLiteral("1")},
         1,
         "erwartet werden 3"},
        {{QStringLiteral("rechner"), QStringLiteral("--von"), QStringLiteral("x"),
          QStringLiteral("format"), kA},
         2,
         "--von kennt"},
        {{QStringLiteral("rechner"), QStringLiteral("--geohash-stellen"), QStringLiteral("13"),
          QStringLiteral("format"), kA},
         2,
         "von 1 bis 12"},
        {{QStringLiteral("rechner"), QStringLiteral("--maidenhead-stellen"), QStringLiteral("7"),
          QStringLiteral("format"), kA},
         2,
         "gerade"},
        {{QStringLiteral("rechner"), QStringLiteral("--olc-stellen"), QStringLiteral("9"),
          QStringLiteral("format"), kA},
         2,
         "unter 10 gerade"},
        {{QStringLiteral("rechner"), QStringLiteral("format"), QStringLiteral("--von"),
          QStringLiteral("rd"), kA},
         1,
         "RD bitte als zwei Zahlen"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(QString::fromUtf8(c.message)))
            << run.err.toStdString();
    }
}

TEST(CliGcCode, TextJsonAndRefusals)
{
    const CliRun text = runCli({QStringLiteral("gccode"), QStringLiteral("gc ffff")});
    EXPECT_EQ(text.outLines(), QStringList {QStringLiteral("Code: GCFFFF | Nummer: 65535")});
    const CliRun json =
        runCli({QStringLiteral("--json"), QStringLiteral("gc"), QStringLiteral("65536")});
    const QJsonObject o = jsonOf(json);
    EXPECT_EQ(o.value(QStringLiteral("eingabe")).toString(), QStringLiteral("65536"));
    EXPECT_EQ(o.value(QStringLiteral("code")).toString(), QStringLiteral("GCG000"));
    EXPECT_EQ(o.value(QStringLiteral("nummer")).toInteger(), 65536);
    const CliRun batch = runCli({QStringLiteral("gc")}, "GC1\nGCO\n1\n");
    EXPECT_EQ(batch.exitCode, 1);
    EXPECT_EQ(batch.outLines(),
              (QStringList {QStringLiteral("Code: GC1 | Nummer: 1"), QString(),
                            QStringLiteral("Code: GC1 | Nummer: 1")}));
    EXPECT_TRUE(batch.err.contains("Zeile 2: „O“ kommt in GC-Codes nicht vor"));
}
