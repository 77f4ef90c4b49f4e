// The runner in-process: line handling, failures and their placeholders, JSON objects.
#include "cli/CliInProcess.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

using Outcome = CliInProcess;

Outcome runIn(const QList<QByteArray> &arguments, const QByteArray &input = {})
{
    return runInProcess(arguments, input);
}

} // namespace

TEST(CliRunner, LineEndsAndAByteOrderMarkAreNotPartOfTheInput)
{
    const Outcome o = runIn({"rot", "-m", "5"},
                            "\xEF\xBB\xBF"
                            "12\r\n34\n\n56");
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out, "67\n89\n\n01\n");
}

TEST(CliRunner, ArgumentsFormOneInputJoinedByBlanks)
{
    const Outcome o = runIn({"rot", "Hallo", "Welt"});
    EXPECT_EQ(o.out, "Unyyb Jryg\n");
}

TEST(CliRunner, FailedLinesKeepTheOutputAlignedWithTheInput)
{
    struct Case
    {
        const char *name;
        QList<QByteArray> arguments;
        QByteArray input;
        QByteArray out;
        QByteArray err;
    };
    const std::vector<Case> cases = {
        {"text",
         {"laenge", "-f"},
         "1\nx\n\xC3\n2\n",
         "0,3048\n\n\n0,6096\n",
         "quarvel-cli: Zeile 2: 'x' ist kein gültiger Gleitkommawert.\n"
         "quarvel-cli: Zeile 3: Die Eingabe ist kein gültiges UTF-8.\n"},
        {"json",
         {"--json", "laenge", "-f"},
         "x\n",
         "{\"eingabe\":\"x\",\"fehler\":\"'x' ist kein gültiger Gleitkommawert.\"}\n",
         "quarvel-cli: Zeile 1: 'x' ist kein gültiger Gleitkommawert.\n"},
        {"json non-UTF-8",
         {"--json", "rot"},
         "\xC0\xAF\n",
         "{\"eingabe\":\"\",\"fehler\":\"Die Eingabe ist kein gültiges UTF-8.\"}\n",
         "quarvel-cli: Zeile 1: Die Eingabe ist kein gültiges UTF-8.\n"},
        {"three feet values",
         {"laenge", "--feet", "1", "2", "3"},
         {},
         "\n",
         "quarvel-cli: Erwartet werden Feet und Inch, zum Beispiel „6 2“.\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome o = runIn(c.arguments, c.input);
        EXPECT_EQ(o.code, 1);
        EXPECT_EQ(o.out, c.out);
        EXPECT_EQ(o.err, c.err);
    }
}

TEST(CliRunner, EmptyInputsFollowThePanels)
{
    struct Case
    {
        QList<QByteArray> arguments;
        QByteArray out;
    };
    const std::vector<Case> cases = {
        {{"quersumme"}, "\n"}, // the button does nothing on an empty field
        {{"roemisch"}, "\n"}, // an empty field empties the result
        {{"laenge"}, "Feet: 0 | Inch: 0 | Nur Feet: 0 | Nur Inch: 0\n"}, // empty becomes "0"
        {{"laenge", "-f"}, "0\n"},
        {{"wortwert"},
         "Summe der Buchstabenwerte: 0 | Anzahl der Zeichen: 0 | inkl Leerzeichen: "
         "0 | Anzahl der Wörter: 0 | 1. Iteration: 0\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.constFirst().toStdString());
        const Outcome o = runIn(c.arguments, "\n");
        EXPECT_EQ(o.code, 0);
        EXPECT_EQ(QString::fromUtf8(o.out), QString::fromUtf8(c.out));
    }
}

TEST(CliRunner, ANumeralOfAMillionHexDigitsIsConvertedExactly)
{
    // 16^n - 1 has n "F" digits; its digit sum chain ends as for any number of all-F digits.
    const QByteArray digits(1000000, 'F');
    const Outcome o = runIn({"--json", "quersumme", "-s", "hex"}, digits);
    EXPECT_EQ(o.code, 0);
    const QJsonObject object = QJsonDocument::fromJson(o.out).object();
    const QString decimal = object.value(u"dezimal").toString();
    EXPECT_EQ(decimal.size(), 1204120); // floor(10^6 * log10(16)) + 1
    EXPECT_TRUE(decimal.endsWith(u'5')); // 16^n ends with 6, so 16^n - 1 ends with 5
}

TEST(CliRunner, OptionValuesAtBelowAndAboveTheirLimits)
{
    struct Case
    {
        QList<QByteArray> arguments;
        int code;
        QByteArray out;
    };
    const std::vector<Case> cases = {
        {{"rot", "-n", "-1", "Abc"}, 2, {}},
        {{"rot", "-n", "0", "Abc"}, 0, "Abc\n"},
        {{"rot", "-n", "1", "Abc"}, 0, "Bcd\n"},
        {{"rot", "-n", "26", "Abc"}, 0, "Abc\n"},
        {{"rot", "-n", "27", "Abc"}, 2, {}},
        {{"rot", "-n", "x", "Abc"}, 2, {}},
        {{"rot", "-m", "12", "Abc"}, 2, {}},
        {{"rot", "-m", "5", "-n", "3", "Abc"}, 2, {}},
        {{"coords", "-n", "-1", "N 1 E 2"}, 2, {}},
        {{"coords", "-n", "0", "N 1 E 2"}, 0, "N 1 E 2\n"},
        {{"coords", "-n", "2", "N 1 E 2"}, 0, "N 1° 0' 0\" E 2° 0' 0\" \n"},
        {{"coords", "-n", "3", "N 1 E 2"}, 2, {}},
        {{"sudoku", "--max", "0"}, 2, {}},
        {{"sudoku", "--max", "-1"}, 2, {}},
        {{"quersumme", "-s", "sechs", "1"}, 2, {}},
        {{"quersumme", "-s", "HEX", "a"}, 0, "Dezimal: 10 | 1. Iteration: 1\n"},
        {{"roemisch", "-r", "-d", "1"}, 2, {}},
        {{"vigenere", "-e", "-d", "-k", "a", "b"}, 2, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Outcome o = runIn(c.arguments);
        EXPECT_EQ(o.code, c.code);
        EXPECT_EQ(QString::fromUtf8(o.out), QString::fromUtf8(c.out));
        EXPECT_EQ(o.err.isEmpty(), c.code == 0) << o.err.toStdString();
    }
}

TEST(CliRunner, SudokuNamesTheLineThatIsNoUtf8AndStopsAtMax)
{
    Outcome o =
        runIn({"sudoku"}, QByteArray("1........\n") + QByteArray("\xff").repeated(9) + "\n");
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, "quarvel-cli: Zeile 2: Die Eingabe ist kein gültiges UTF-8.\n");

    // An empty grid has more solutions than anyone can wait for; --max ends the search.
    o = runIn({"--json", "sudoku", "--max", "3"}, QByteArray(81, '.'));
    EXPECT_EQ(o.code, 0);
    const QJsonObject object = QJsonDocument::fromJson(o.out).object();
    EXPECT_EQ(object.value(u"anzahl").toInteger(), 3);
    EXPECT_FALSE(object.value(u"vollstaendig").toBool());

    // Givens that admit no solution.
    o = runIn({"sudoku"}, "12345678.\n........9\n" + QByteArray(".........\n").repeated(7));
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out, "Keine Lösung gefunden !\n");
}

TEST(CliRunner, JsonLinesAreWhatQtWritesForTheSameObject)
{
    // The sink writes JSON itself; each line must be byte for byte Qt's compact form.
    const struct
    {
        QList<QByteArray> arguments;
        QByteArray input;
    } cases[] = {
        {{"--json", "wortwert"}, "Hallo Welt\n\"zitiert\" \\ \t\x01\x1f Ä😀\n\n"},
        {{"--json", "quersumme", "-s", "hex"}, "FFFFFFFFFFFFFFFFFFFF\nxyz\n0\n"},
        {{"--json", "rot", "--alle"}, "Abc \"x\"\n"},
        {{"--json", "roemisch"}, "MMXXIV\n1994\nQ\n"},
        {{"--json", "verteilung"}, "Quarvel\n"},
        {{"--json", "koordinaten"}, "N 52 31.000 E 13 24.000\n"},
        {{"--json", "laenge"}, "1,8\n"},
        {{"--json", "sudoku", "--max", "2"}, QByteArray(81, '.')},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Outcome o = runIn(c.arguments, c.input);
        ASSERT_FALSE(o.out.isEmpty());
        for (const QByteArray &line : o.out.split('\n')) {
            if (line.isEmpty())
                continue;
            QJsonParseError error;
            const QJsonDocument document = QJsonDocument::fromJson(line, &error);
            ASSERT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
            EXPECT_EQ(line, document.toJson(QJsonDocument::Compact));
        }
    }
}
