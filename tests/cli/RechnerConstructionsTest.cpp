// quarvel-cli rechner's constructions as processes: each task in text and JSON against the pure
// functions, the splitting of unseparated points, and the refusals with their reasons.
#include "cli/CliProcess.h"
#include "logic/geo/GeoFormats.h"
#include "logic/geo/GeoRead.h"
#include "logic/geo/GeoResection.h"
#include "logic/geo/GeoTasks.h"
#include "logic/geo/GeoUnits.h"
#include "logic/geo/GeoWherigo.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>

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

void expectPoint(const QJsonValue &value, GeoPoint p)
{
    const QJsonObject point = value.toObject();
    EXPECT_DOUBLE_EQ(point.value(QStringLiteral("breite")).toDouble(), p.lat);
    EXPECT_DOUBLE_EQ(point.value(QStringLiteral("laenge")).toDouble(), p.lon);
    EXPECT_EQ(point.value(QStringLiteral("text")).toString(), formatDegreesMinutes(p));
}

void expectPoints(const QJsonValue &value, const QList<GeoPoint> &points)
{
    const QJsonArray array = value.toArray();
    ASSERT_EQ(array.size(), points.size());
    for (qsizetype i = 0; i < points.size(); ++i)
        expectPoint(array[i], points[i]);
}

struct TaskCase
{
    const char *name;
    QStringList arguments;
    QStringList text;
    std::function<void(const QJsonObject &)> json;
};

std::vector<TaskCase> taskCases()
{
    const Centroid centre = centroid({at(kA), at(kB), at(kC)});
    const GeoPoint opposite = antipode(at(kA));
    const RhumbCourse rhumb = rhumbInverse(at(kA), at(kB));
    const GeoPoint rhumbTarget = rhumbDirect(at(kA), 72, 3500);
    const QList<GeoPoint> thirds = divideGeodesic(at(kA), at(kB), 3);
    const Apexes apexes = equilateralApexes(at(kA), at(kB));
    const GeoPoint minutes = offsetByMinutes(at(kA), 0.25, -0.125);
    const GeoPoint metres = offsetByMetres(at(kA), -120, 80);
    const Resection resection = resect(at(kA), at(kB), at(kC), 100, 120);
    return {
        {"schwerpunkt",
         {QStringLiteral("schwerpunkt"), kA, kB, kC},
         {QStringLiteral(
              "Schwerpunkt (Mittel der ECEF-Vektoren, entlang der Ellipsoidnormalen): ") +
              formatDegreesMinutes(centre.surface),
          QStringLiteral("Mittel der Breiten und Längen: ") +
              formatDegreesMinutes(centre.arithmetic)},
         [centre](const QJsonObject &o) {
             expectPoint(o.value(QStringLiteral("ziel")), centre.surface);
             expectPoint(o.value(QStringLiteral("mittel")), centre.arithmetic);
         }},
        {"schwerpunkt with semicolons",
         {QStringLiteral("schwerpunkt"), kA + u';' + kB + u';' + kC},
         {QStringLiteral(
              "Schwerpunkt (Mittel der ECEF-Vektoren, entlang der Ellipsoidnormalen): ") +
              formatDegreesMinutes(centre.surface),
          QStringLiteral("Mittel der Breiten und Längen: ") +
              formatDegreesMinutes(centre.arithmetic)},
         [centre](const QJsonObject &o) {
             expectPoint(o.value(QStringLiteral("ziel")), centre.surface);
         }},
        {"antipode",
         {QStringLiteral("antipode"), kA},
         {QStringLiteral("Antipode: ") + formatDegreesMinutes(opposite)},
         [opposite](const QJsonObject &o) {
             expectPoint(o.value(QStringLiteral("ziel")), opposite);
         }},
        {"loxodrome",
         {QStringLiteral("loxodrome"), kA, kB},
         {QStringLiteral("Entfernung (Loxodrome): %1 | Kurs: %2")
              .arg(formatDistance(rhumb.distance, DistanceUnit::Metre),
                   formatBearing(rhumb.course, AngleUnit::Degree))},
         [rhumb](const QJsonObject &o) {
             EXPECT_DOUBLE_EQ(o.value(QStringLiteral("entfernung_m")).toDouble(), rhumb.distance);
             EXPECT_DOUBLE_EQ(o.value(QStringLiteral("kurs_grad")).toDouble(), rhumb.course);
         }},
        {"loxodrome-projektion",
         {QStringLiteral("loxodrome-projektion"), kA, QStringLiteral("72"),
          QStringLiteral("3,5km")},
         {QStringLiteral("Ziel (Loxodrome): ") + formatDegreesMinutes(rhumbTarget)},
         [rhumbTarget](const QJsonObject &o) {
             expectPoint(o.value(QStringLiteral("ziel")), rhumbTarget);
         }},
        {"rueckwaertsschnitt",
         {QStringLiteral("rueckwaertsschnitt"), kA, kB, kC, QStringLiteral("100"),
          QStringLiteral("120")},
         {QStringLiteral("Standpunkt: %1 | Abstand zum gefährlichen Kreis: %2")
              .arg(formatDegreesMinutes(resection.standpoint),
                   formatDistance(resection.dangerCircleDistance, DistanceUnit::Metre))},
         [resection](const QJsonObject &o) {
             expectPoint(o.value(QStringLiteral("ziel")), resection.standpoint);
             EXPECT_DOUBLE_EQ(o.value(QStringLiteral("gefahrkreis_m")).toDouble(),
                              resection.dangerCircleDistance);
         }},
        {"teilung",
         {QStringLiteral("teilung"), kA, kB, QStringLiteral("3")},
         {formatDegreesMinutes(thirds[0]), formatDegreesMinutes(thirds[1])},
         [thirds](const QJsonObject &o) {
             expectPoints(o.value(QStringLiteral("punkte")), thirds);
         }},
        {"dreieck",
         {QStringLiteral("dreieck"), kA, kB},
         {QStringLiteral("Links: ") + formatDegreesMinutes(apexes.left),
          QStringLiteral("Rechts: ") + formatDegreesMinutes(apexes.right),
          QStringLiteral("Seitenlänge: ") + formatDistance(apexes.side, DistanceUnit::Metre)},
         [apexes](const QJsonObject &o) {
             expectPoints(o.value(QStringLiteral("punkte")), {apexes.left, apexes.right});
             EXPECT_DOUBLE_EQ(o.value(QStringLiteral("seite_m")).toDouble(), apexes.side);
         }},
        {"versatz in minutes",
         {QStringLiteral("versatz"), kA, QStringLiteral("0,25'"), QStringLiteral("-0,125'")},
         {QStringLiteral("Ziel (Minuten addiert): ") + formatDegreesMinutes(minutes)},
         [minutes](const QJsonObject &o) {
             expectPoint(o.value(QStringLiteral("ziel")), minutes);
         }},
        {"versatz in metres",
         {QStringLiteral("versatz"), kA, QStringLiteral("-120m"), QStringLiteral("80")},
         {QStringLiteral("Ziel (eine Geodäte, Peilung atan2(Ost, Nord)): ") +
          formatDegreesMinutes(metres)},
         [metres](const QJsonObject &o) { expectPoint(o.value(QStringLiteral("ziel")), metres); }},
    };
}

} // namespace

TEST(CliRechnerConstructions, EveryTaskInTextAndJson)
{
    for (const TaskCase &c : taskCases()) {
        SCOPED_TRACE(c.name);
        const CliRun text = runCli(QStringList {QStringLiteral("rechner")} + c.arguments);
        EXPECT_EQ(text.exitCode, 0) << text.err.toStdString();
        EXPECT_EQ(text.outLines(), c.text);
        const CliRun json =
            runCli(QStringList {QStringLiteral("--json"), QStringLiteral("rechner")} + c.arguments);
        EXPECT_EQ(json.exitCode, 0) << json.err.toStdString();
        c.json(QJsonDocument::fromJson(json.out).object());
    }
}

TEST(CliRechnerConstructions, RefusalsNameTheirReason)
{
    const struct
    {
        QStringList arguments;
        const char *error;
    } cases[] = {
        {{QStringLiteral("teilung"), kA, kB, QStringLiteral("1")},
         "Die Anzahl der Teile muss zwischen 2 und 1000 liegen"},
        {{QStringLiteral("teilung"), kA, kB, QStringLiteral("1001")},
         "Die Anzahl der Teile muss zwischen 2 und 1000 liegen"},
        {{QStringLiteral("versatz"), kA, QStringLiteral("0,25'"), QStringLiteral("25m")},
         "Nord- und Ostversatz bitte in derselben Einheit"},
        {{QStringLiteral("schwerpunkt"), kA}, "mindestens 2 Punkte"},
        {{QStringLiteral("dreieck"), kA, kA}, "Die beiden Punkte fallen zusammen"},
        {{QStringLiteral("rueckwaertsschnitt"), kA, kB, kC, QStringLiteral("0"),
          QStringLiteral("120")},
         "Der Winkel AB muss größer als 0° und kleiner als 360° sein"},
        {{QStringLiteral("loxodrome-projektion"), QStringLiteral("N 0 E 0"), QStringLiteral("0"),
          QStringLiteral("10002km")},
         "Die Loxodrome erreicht vorher den Pol"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CliRun run = runCli(QStringList {QStringLiteral("rechner")} + c.arguments);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(QString::fromUtf8(c.error)))
            << run.err.toStdString();
    }
}

TEST(CliRechnerConstructions, NewFormatsInTheFormatList)
{
    const QString bern = QStringLiteral("N 46° 56,880' E 007° 26,844'");
    const CliRun json =
        runCli({QStringLiteral("--json"), QStringLiteral("rechner"), QStringLiteral("format"),
                QStringLiteral("--zoom"), QStringLiteral("12"), QStringLiteral("--nac-stellen"),
                QStringLiteral("4"), bern});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(json.out).object();
    const GeoPoint p = at(bern);
    EXPECT_EQ(o.value(QStringLiteral("lv03")).toString(), formatLv03(p));
    EXPECT_EQ(o.value(QStringLiteral("wherigo")).toString(), toWherigo(p));
    EXPECT_EQ(o.value(QStringLiteral("kachel")).toString(), toTileText(p, 12));
    EXPECT_EQ(o.value(QStringLiteral("quadkey")).toString(), toQuadkey(p, 12));
    EXPECT_EQ(o.value(QStringLiteral("nac")).toString(), toNaturalAreaCode(p, 4));
    for (const char *zoom : {"-1", "24"}) {
        const CliRun bad = runCli({QStringLiteral("rechner"), QStringLiteral("format"),
                                   QStringLiteral("--zoom"), QString::fromLatin1(zoom), bern});
        EXPECT_NE(bad.exitCode, 0) << zoom;
        EXPECT_TRUE(QString::fromUtf8(bad.err).contains(
            QStringLiteral("--zoom muss eine Zahl von 0 bis 23 sein")))
            << bad.err.toStdString();
    }
    // Read back by --von and by shape.
    const CliRun back =
        runCli({QStringLiteral("--json"), QStringLiteral("rechner"), QStringLiteral("format"),
                QStringLiteral("--von"), QStringLiteral("wherigo"), toWherigo(p)});
    ASSERT_EQ(back.exitCode, 0) << back.err.toStdString();
    EXPECT_EQ(
        QJsonDocument::fromJson(back.out).object().value(QStringLiteral("wherigo")).toString(),
        toWherigo(p));
}
