// The command line as a script meets it: texts that begin with a dash, the hints of a wrong
// call, the cipher list, German messages for what the system reports, JSON that every parser
// reads, and every numeric option at its limits.
#include "cli/CliProcess.h"
#include "cli/CommandTable.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

QStringList args(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list.append(s(text));
    return list;
}

} // namespace

TEST(CliCommandLine, WordsThatBeginWithADashAreTextUnlessTheyAreShapedLikeOptions)
{
    const struct
    {
        QStringList arguments;
        int exitCode;
        const char *out; // the first output line
        const char *err; // part of the error output
    } cases[] = {
        {args({"chiffre", "morse", "-d", "- ... .-.."}), 0, "TSL", ""},
        {args({"chiffre", "morse", "-d", "--..", "---"}), 0, "ZO", ""},
        {args({"chiffre", "morse", "-d", "-.-."}), 0, "C", ""},
        {args({"chiffre", "rueckwaerts", "-Hallo"}), 0, "ollaH-", ""},
        {args({"chiffre", "rueckwaerts", "--", "--liste"}), 0, "etsil--", ""},
        {args({"rot", "-x"}), 2, "", "Unbekannte Option „-x“ für „rot“"},
        {args({"rot", "--xyz"}), 2, "", "Hilfe: quarvel-cli rot --help"},
        {args({"rot", "--xyz=1"}), 2, "", "Unbekannte Option „--xyz“"},
        {args({"chiffre", "atbash", "--foo"}), 2, "", "Hilfe: quarvel-cli chiffre --help"},
        {args({"--xyz", "rot"}), 2, "", "Hilfe: quarvel-cli --help"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_EQ(run.outLines().value(0), s(c.out));
        EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
    }
}

TEST(CliCommandLine, EveryHelpExplainsTheEndOfTheOptions)
{
    QList<QStringList> calls = {{s("--help")}};
    for (const Cli::Command &command : Cli::commandTable())
        calls.append({command.names.constFirst(), s("--help")});
    for (const QStringList &call : calls) {
        SCOPED_TRACE(call.join(u' ').toStdString());
        const CliRun run = runCli(call);
        EXPECT_TRUE(run.outText().contains(s("\n  --                      beendet die Optionen")))
            << run.out.toStdString();
    }
}

// The list is printed once whatever waits on stdin, and a name shows that cipher alone.
TEST(CliCommandLine, CipherListOnceAndForTheNamedCipher)
{
    const CliRun all = runCli(args({"chiffre", "--liste"}), "a\nb\nc\n");
    EXPECT_EQ(all.exitCode, 0);
    EXPECT_EQ(all.outText().count(QRegularExpression(s("\\nplayfair +Playfair"))), 1);

    const CliRun one = runCli(args({"chiffre", "--liste", "playfair"}), "a\nb\n");
    EXPECT_EQ(one.exitCode, 0) << one.err.toStdString();
    EXPECT_EQ(one.outLines().value(0), s("playfair: Playfair"));
    EXPECT_TRUE(one.outText().contains(s("--schluessel")));
    EXPECT_FALSE(one.outText().contains(s("atbash")));

    const CliRun json = runCli(args({"--json", "chiffre", "--liste", "hill"}));
    const QJsonObject object = QJsonDocument::fromJson(json.out).object();
    EXPECT_EQ(object.value(u"verfahren").toString(), s("hill"));

    const CliRun unknown = runCli(args({"chiffre", "--liste", "nix"}));
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("Unbekanntes Verfahren „nix“"));

    const CliRun extra = runCli(args({"chiffre", "--liste", "hill", "text"}));
    EXPECT_EQ(extra.exitCode, 2);
}

TEST(CliCommandLine, AWrongChoiceNamesTheOptionAsTyped)
{
    const CliRun run = runCli(args({"knacken", "--sprache", "fr", "abc"}));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("Ungültiger Wert „fr“ für --sprache (erlaubt: auto, de, en)"))
        << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("language"));
}

// Choices are read regardless of case, in every command that has them.
TEST(CliCommandLine, ChoicesInAnyCase)
{
    const struct
    {
        QStringList arguments;
        const char *out;
    } cases[] = {
        {args({"chiffre", "zeichencode", "--system", "HEX", "-d", "48 69"}), "Hi"},
        {args({"chiffre", "zeichencode", "--system", "Bin", "Hi"}), "01001000 01101001"},
        {args({"quersumme", "-s", "HEX", "FF"}),
         "Dezimal: 255 | 1. Iteration: 12 | "
         "2. Iteration: 3"},
        {args({"knacken", "--sprache", "DE", "--nur", "rot,atbash", "--anzahl", "1",
               "Qre Fpungm yvrtg hagre qre nygra Rvpur"}),
         "1. rot (13): Der Schatz liegt unter der alten Eiche"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.outLines().value(0), s(c.out));
    }
}

// Without word lists, or with the German list only, the readings come without blanks and a
// warning names the missing list, once, when the text reads best in its language.
TEST(CliCommandLine, BlanksWithoutWordListsGiveReadingsAndAWarning)
{
    const QString cipher = s("QREFPUNGMYVRTGHAGREQRENYGRARVPUR");
    const QStringList common = args({"knacken", "--nur", "rot,atbash", "--anzahl", "2"});
    const CliRun none = runCli(common + QStringList {s("--wortlisten"), s("/nonexistent"), cipher});
    EXPECT_EQ(none.exitCode, 0) << none.err.toStdString();
    EXPECT_EQ(none.outLines().value(0), s("1. rot (13): DERSCHATZLIEGTUNTERDERALTENEICHE"));
    EXPECT_EQ(QString::fromUtf8(none.err).count(s("Warnung")), 1) << none.err.toStdString();
    EXPECT_TRUE(none.err.contains("ngerman")) << none.err.toStdString();
    EXPECT_TRUE(none.err.contains("Datei oder Verzeichnis nicht gefunden"));

    QTemporaryDir folder;
    QFile german(folder.filePath(s("ngerman")));
    ASSERT_TRUE(german.open(QIODevice::WriteOnly));
    german.write("der\nschatz\nliegt\nunter\nalten\neiche\n");
    german.close();
    const CliRun germanOnly =
        runCli(common + QStringList {s("--wortlisten"), folder.path(), cipher});
    EXPECT_EQ(germanOnly.exitCode, 0) << germanOnly.err.toStdString();
    EXPECT_EQ(germanOnly.outLines().value(0),
              s("1. rot (13): DER SCHATZ LIEGT UNTER DER ALTEN EICHE"));
    EXPECT_TRUE(germanOnly.err.isEmpty()) << germanOnly.err.toStdString();

    // Two lines from stdin: still one warning.
    const CliRun twice = runCli(common + QStringList {s("--wortlisten"), s("/nonexistent")},
                                (cipher + u'\n' + cipher + u'\n').toUtf8());
    EXPECT_EQ(twice.exitCode, 0);
    EXPECT_EQ(twice.outLines().size(), 4);
    EXPECT_EQ(QString::fromUtf8(twice.err).count(s("Warnung")), 1) << twice.err.toStdString();
}

// What the system reports in English reaches the user in German.
TEST(CliCommandLine, SystemReasonsInGerman)
{
    QTemporaryDir folder;
    QFile broken(folder.filePath(s("kaputt.gpx")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<?xml version=\"1.0\"?>\n<gpx version=\"1.1\"><wpt lat=\"1\" lon=\"2\">"
                 "</trk></gpx>\n");
    broken.close();
    const struct
    {
        QStringList arguments;
        const char *german;
        const char *english;
    } cases[] = {
        {args({"gpx", "/nonexistent/x.gpx"}), "Datei oder Verzeichnis nicht gefunden",
         "No such file"},
        {{s("gpx"), broken.fileName()},
         "Start- und Ende-Tag passen nicht zusammen",
         "tag mismatch"},
        {args({"sudoku", "/nonexistent/x.sud"}), "Datei oder Verzeichnis nicht gefunden",
         "No such file"},
        {{s("gpx"), folder.path()}, "ist keine Datei", "directory"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(c.german)) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(c.english)) << run.err.toStdString();
    }
}

// Every control character 0-31 in a result is escaped so a JSON parser reads it back.
TEST(CliCommandLine, JsonOfEveryControlCharacterParses)
{
    QStringList codes;
    QString expected;
    for (int c = 0; c < 32; ++c) {
        codes.append(QString::number(c));
        expected.append(QChar(c));
    }
    const CliRun run =
        runCli({s("--json"), s("chiffre"), s("zeichencode"), s("-d"), codes.join(u' ')});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count('\n'), 1); // one object on one line
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    EXPECT_EQ(document.object().value(u"ausgabe").toString(), expected);
}

// A line from stdin is echoed as "eingabe"; a command that reports its input as well must not
// make a second key of it: a strict parser refuses repeated keys.
TEST(CliCommandLine, EachJsonKeyOnceForALineFromStdin)
{
    const struct
    {
        QStringList arguments;
        const char *line;
    } cases[] = {
        {args({"--json", "rechner", "format"}), "N 52 E 13"},
        {args({"--json", "rot"}), "abc"},
        {args({"--json", "koordinaten"}), "N 52 30.000 E 13 20.000"},
        {args({"--json", "chiffre", "atbash"}), "abc"},
        {args({"--json", "gccode"}), "GCG000"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CliRun run = runCli(c.arguments, QByteArray(c.line) + '\n');
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QJsonObject object = QJsonDocument::fromJson(run.out).object();
        ASSERT_FALSE(object.isEmpty()) << run.out.toStdString();
        EXPECT_EQ(object.value(u"eingabe").toString(), s(c.line));
        for (const QString &key : object.keys()) {
            SCOPED_TRACE(key.toStdString());
            EXPECT_EQ(run.out.count(QByteArray("\"") + key.toUtf8() + "\":"), 1);
        }
    }
}

// The numeric options of the calculator at, below and above their limits.
TEST(CliCommandLine, NumericOptionsAtTheirLimits)
{
    const struct
    {
        const char *option;
        const char *value;
        int exitCode;
    } cases[] = {
        {"--maidenhead-stellen", "16", 0}, {"--maidenhead-stellen", "17", 2},
        {"--maidenhead-stellen", "18", 2}, {"--maidenhead-stellen", "2", 0},
        {"--maidenhead-stellen", "0", 2},  {"--geohash-stellen", "12", 0},
        {"--geohash-stellen", "13", 2},    {"--geohash-stellen", "1", 0},
        {"--geohash-stellen", "0", 2},     {"--olc-stellen", "15", 0},
        {"--olc-stellen", "16", 2},        {"--olc-stellen", "10", 0},
        {"--olc-stellen", "9", 2},         {"--olc-stellen", "2", 0},
        {"--olc-stellen", "1", 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.option) + " " + c.value);
        const CliRun run = runCli(args({"rechner", "format", c.option, c.value, "N 52 E 13"}));
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        if (c.exitCode == 0) {
            EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        }
    }
    const CliRun all =
        runCli(args({"--json", "rechner", "format", "--maidenhead-stellen", "16",
                     "--geohash-stellen", "12", "--olc-stellen", "15", "N 52 E 13"}));
    const QJsonObject object = QJsonDocument::fromJson(all.out).object();
    EXPECT_EQ(object.value(u"maidenhead").toString().size(), 16) << all.out.toStdString();
    EXPECT_EQ(object.value(u"geohash").toString().size(), 12);
    EXPECT_EQ(object.value(u"olc").toString().size(), 16); // 15 digits and the "+"
}

// Refusals and readings of the cipher and calculator commands that once gave plausible output.
TEST(CliCommandLine, RefusedInputsAndOneReadingOfDistances)
{
    const struct
    {
        QStringList arguments;
        int exitCode;
        const char *out;
        const char *err;
    } cases[] = {
        {args({"chiffre", "zeichencode", "--system", "hex", "-d", "48 G1"}), 1, "",
         "„G“ an Stelle 4 ist keine Hexadezimalziffer."},
        {args({"chiffre", "zeichencode", "--system", "bin", "-d", "01001000 01201000"}), 1, "",
         "„2“ an Stelle 12 ist keine Binärziffer."},
        {args({"chiffre", "vigenere", "abc"}), 1, "", "Bitte einen Schlüssel eingeben."},
        {args({"chiffre", "trifid", "--schluessel", " ", "abc"}), 1, "",
         "Bitte einen Schlüssel eingeben."},
        {args({"chiffre", "playfair", "--schluessel", "playfair example",
               "Hide the gold in the tree stump"}),
         0, "BM OD ZB XD NA BE KU DM UI XM MO UV IF", ""},
        {args({"chiffre", "hill", "--schluessel", "AAAA", "abc"}), 1, "",
         "nicht umkehrbar (Determinante 0)"},
        {args({"rechner", "format", "--von", "olc", "+"}), 1, "",
         "Ein Plus Code ohne Stellen nennt keinen Ort"},
        {args({"rechner", "format", "--von", "olc", "F2000000+"}), 1, "", "außerhalb der Erde"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_EQ(run.outLines().value(0), s(c.out));
        EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
    }
}

// "1.500" is the 1500 m Variable Koordinaten writes as "1.500 m"; "1,5 km" means the same; "1.5"
// stays 1,5 m.
TEST(CliCommandLine, DistancesReadAsTheProgramWritesThem)
{
    const auto target = [](const char *distance) {
        const CliRun run = runCli(args(
            {"rechner", "projektion", "N 0 E 0", "--peilung", "90", "--entfernung", distance}));
        EXPECT_EQ(run.exitCode, 0) << distance << run.err.toStdString();
        return run.outLines().value(0);
    };
    const QString metres1500 = target("1500");
    EXPECT_TRUE(metres1500.startsWith(s("Ziel: N 00° 00,000' E 000° 00,80")))
        << metres1500.toStdString();
    for (const char *same : {"1.500", "1.500 m", "1,5 km", "1,5km", "1.500,0", "1500 m"}) {
        SCOPED_TRACE(same);
        EXPECT_EQ(target(same), metres1500);
    }
    EXPECT_NE(target("1.5"), metres1500);
    EXPECT_EQ(target("1.5"), target("1,5"));
}
