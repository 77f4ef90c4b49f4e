// The calculating tools' subcommands as a process: the JSON shapes, the text form, stdin line by
// line, a file to hash, the help built from the declarations and every way they refuse.
#include "cli/CliProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList args(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *a : list)
        result.append(QString::fromUtf8(a));
    return result;
}

QJsonObject json(const CliRun &run)
{
    return QJsonDocument::fromJson(run.out).object();
}

} // namespace

TEST(CliCalc, WritesTheDeclaredJson)
{
    const struct
    {
        QStringList arguments;
        const char *key;
        QJsonValue expected;
    } cases[] = {
        {args({"--json", "datum", "info", "10.12.2026"}), "wochentag", "Donnerstag"},
        {args({"--json", "datum", "info", "10.12.2026"}), "datum", "2026-12-10"},
        {args({"--json", "datum", "info", "10.12.2026"}), "jd", 2461385},
        {args({"--json", "datum", "info", "1900-01-01"}), "excel", QJsonValue()},
        {args({"--json", "datum", "abstand", "2026-12-24", "14:00", "24.12.2026"}), "sekunden",
         -50400},
        {args({"--json", "datum", "plus", "2026-12-10", "-10"}), "datum", "2026-11-30"},
        {args({"--json", "datum", "plus", "2026-12-10", "90", "--sekunden"}), "datum",
         "2026-12-10T00:01:30"},
        {args({"--json", "datum", "unix", "1796860800"}), "datum", "2026-12-10T00:00:00"},
        {args({"--json", "datum", "excel", "46366"}), "datum", "2026-12-10T00:00:00"},
        {args({"--json", "datum", "info", "--kalender", "julianisch", "1582-10-04"}),
         "gregorianisch", "1582-10-14"},
        {args({"--json", "zahl", "prim", "97"}), "prim", true},
        {args({"--json", "zahl", "prim", "97"}), "index", 25},
        {args({"--json", "zahl", "prim", "1"}), "vorige", QJsonValue()},
        {args({"--json", "zahl", "nte-primzahl", "1000"}), "primzahl", "7919"},
        {args({"--json", "zahl", "faktoren", "360"}), "faktoren",
         QJsonArray {QJsonArray {"2", 3}, QJsonArray {"3", 2}, QJsonArray {"5", 1}}},
        {args({"--json", "zahl", "faktoren", "360"}), "vollstaendig", true},
        {args({"--json", "zahl", "teiler", "12"}), "teiler",
         QJsonArray {"1", "2", "3", "4", "6", "12"}},
        {args({"--json", "zahl", "ggt", "12", "18", "30"}), "ergebnis", "6"},
        {args({"--json", "zahl", "kgv", "4", "6"}), "ergebnis", "12"},
        {args({"--json", "zahl", "folge", "lucas", "5"}), "wert", "11"},
        {args({"--json", "zahl", "folge", "catalan", "--suche", "42"}), "index", 5},
        {args({"--json", "zahl", "folge", "kubik", "--suche", "9"}), "index", QJsonValue()},
        {args({"--json", "zahl", "konstante", "e", "--stellen", "3-6"}), "stellen", "8281"},
        {args({"--json", "zahl", "konstante", "pi", "--suche", "26535"}), "position", 6},
        {args({"--json", "zahl", "basis", "--von", "2", "--nach", "16", "-1111"}), "ergebnis",
         "-F"},
        {args({"--json", "hash", "--erkennen", "a9993e364706816aba3e25717850c26c9cd0d89d"}),
         "verfahren", QJsonArray {"sha1"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(json(run).value(QString::fromLatin1(c.key)), c.expected);
    }
}

TEST(CliCalc, CheckDigitsAnswerForEveryFittingMethod)
{
    const CliRun run = runCli(args({"--json", "pruefziffer", "978-3-16-148410-?"}));
    EXPECT_EQ(run.exitCode, 0);
    const QJsonArray results = json(run).value(QStringLiteral("ergebnisse")).toArray();
    ASSERT_EQ(results.size(), 3);
    const QJsonObject isbn = results.at(0).toObject();
    EXPECT_EQ(isbn.value(QStringLiteral("verfahren")), QStringLiteral("isbn13"));
    EXPECT_EQ(isbn.value(QStringLiteral("gueltig")), false);
    EXPECT_EQ(isbn.value(QStringLiteral("vervollstaendigungen")),
              QJsonArray {QStringLiteral("9783161484100")});
    const CliRun one = runCli(
        args({"--json", "pruefziffer", "--verfahren", "iban", "DE89 3704 0044 0532 0130 00"}));
    const QJsonObject iban =
        json(one).value(QStringLiteral("ergebnisse")).toArray().at(0).toObject();
    EXPECT_EQ(iban.value(QStringLiteral("gueltig")), true);
    EXPECT_EQ(iban.value(QStringLiteral("pruefziffer")), QStringLiteral("89"));
}

TEST(CliCalc, HashesTextsAndFiles)
{
    const CliRun text = runCli(args({"--json", "hash", "abc"}));
    EXPECT_EQ(text.exitCode, 0);
    const QJsonObject hashes = json(text).value(QStringLiteral("hashes")).toObject();
    EXPECT_EQ(hashes.size(), 17);
    EXPECT_EQ(hashes.value(QStringLiteral("md5")),
              QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("abc.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("abc");
    file.close();
    const CliRun fromFile =
        runCli({QStringLiteral("hash"), QStringLiteral("--verfahren"), QStringLiteral("sha256"),
                QStringLiteral("--datei"), file.fileName()});
    EXPECT_EQ(fromFile.exitCode, 0) << fromFile.err.toStdString();
    EXPECT_TRUE(fromFile.outText().contains(
        QStringLiteral("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad")));
    // Every line of stdin is one text.
    const CliRun lines = runCli(args({"hash", "--verfahren", "md5"}), "abc\n\n");
    EXPECT_EQ(
        lines.outLines(),
        QStringList({QStringLiteral("Hashes: md5         900150983cd24fb0d6963f7d28e17f72"),
                     QStringLiteral("Hashes: md5         d41d8cd98f00b204e9800998ecf8427e")}));
}

TEST(CliCalc, TaskAloneReadsEachLineOfStdin)
{
    const CliRun run = runCli(args({"datum", "info"}), "2026-12-10\n31.02.2026\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.outText().contains(QStringLiteral("Wochentag: Donnerstag")));
    EXPECT_TRUE(QString::fromUtf8(run.err).contains(QStringLiteral("Zeile 2")));
}

TEST(CliCalc, RefusesWithAGermanMessage)
{
    const struct
    {
        QStringList arguments;
        int exitCode;
        const char *message;
    } cases[] = {
        {args({"datum", "info", "31.02.2026"}), 1, "Den 31.02.2026 gibt es nicht"},
        {args({"datum", "info", "29.02.1900"}), 1, "nur im julianischen Kalender"},
        {args({"zahl", "basis", "--von", "37", "1"}), 1, "Basis 37 gibt es hier nicht"},
        {args({"zahl", "nte-primzahl", "-3"}), 1, "mindestens 1"},
        {args({"zahl", "nte-primzahl", "10000000001"}), 1, "höchstens 10000000000"},
        {args({"zahl", "wurzel", "4"}), 1, "Unbekannte Aufgabe „wurzel“"},
        {args({"zahl", "prim", "7", "8"}), 1, "Zu viele Angaben ab „8“"},
        {args({"zahl", "prim", "7", "--sekunden"}), 2, "--sekunden"},
        {args({"zahl", "prim", "7", "--suche", "3"}), 1, "gilt nicht für"},
        {args({"datum", "info", "2026-01-01", "--kalender", "maya"}), 1, "maya"},
        {args({"pruefziffer", "--verfahren", "isbn10", "123"}), 1, "isbn10 erwartet"},
        {args({"hash", "--kodierung", "latin1", "€"}), 1, "Latin-1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(QString::fromUtf8(c.message)))
            << run.err.toStdString();
    }
}

TEST(CliCalc, HelpComesFromTheDeclarations)
{
    const CliRun program = runCli(args({"--help"}));
    for (const char *name : {"datum", "zahl", "pruefziffer", "hash"})
        EXPECT_TRUE(program.outText().contains(QStringLiteral("  %1, ").arg(QLatin1String(name))));
    const CliRun zahl = runCli(args({"zahl", "--help"}));
    EXPECT_EQ(zahl.exitCode, 0);
    for (const char *line : {"nte-primzahl K", "folge FOLGE [N]", "--stellen STELLEN",
                             "quarvel-cli zahl faktoren 1234567890"})
        EXPECT_TRUE(zahl.outText().contains(QString::fromUtf8(line))) << line;
}
