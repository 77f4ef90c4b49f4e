// The formula calculator on the command line: text and JSON, values from --werte and a sheet
// file, and what it says about wrong input.
#include "cli/CliInProcess.h"
#include "cli/CliProcess.h"
#include "logic/formula/SheetFile.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CliInProcess rechne(QList<QByteArray> arguments, const QByteArray &input = {})
{
    arguments.prepend("rechne");
    return runInProcess(arguments, input);
}

} // namespace

TEST(CliRechne, PrintsExactAndRoundedValuesWithADecimalComma)
{
    // Every line of the input is one expression; the words of the arguments are one, too.
    const CliInProcess o =
        rechne({"--werte", "A=1987; B=12; C=runden(wurzel(A-B);2); W=\"a;b\"", "-"},
               "C\nqs(A)*B\n1/3\nbww(W)\n");
    EXPECT_EQ(o.code, 0) << o.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(o.out),
              QStringLiteral("C | Ergebnis: 44,44 | Gerundet: 44\n"
                             "qs(A)*B | Ergebnis: 300 | Gerundet: 300\n"
                             "1/3 | Ergebnis: 0,333333333333333333333333333333 | Gerundet: 0\n"
                             "bww(W) | Ergebnis: 3 | Gerundet: 3\n"));
}

TEST(CliRechne, JsonHasAPointAndOneObjectPerInput)
{
    const CliInProcess o = rechne({"--json", "-"}, "2,5*3\n-7/2\n");
    EXPECT_EQ(o.code, 0) << o.err.toStdString();
    const QList<QByteArray> lines = o.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
    EXPECT_EQ(first.value(QStringLiteral("ausdruck")).toString(), QStringLiteral("2,5*3"));
    EXPECT_EQ(first.value(QStringLiteral("ergebnis")).toString(), QStringLiteral("7.5"));
    EXPECT_EQ(first.value(QStringLiteral("gerundet")).toString(), QStringLiteral("8"));
    const QJsonObject second = QJsonDocument::fromJson(lines[1]).object();
    EXPECT_EQ(second.value(QStringLiteral("ergebnis")).toString(), QStringLiteral("-3.5"));
    EXPECT_EQ(second.value(QStringLiteral("gerundet")).toString(), QStringLiteral("-4"));
}

TEST(CliRechne, TakesTheSheetFileAndLetsAssignmentsReplaceItsEntries)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("blatt.json"));
    ASSERT_EQ(Formula::writeSheetFile(path, {{{"A", "10"}, {"B", "A*2"}, {"G", "F+1"}}, {}}),
              QString());
    const QByteArray file = path.toUtf8();
    EXPECT_EQ(rechne({"--datei", file, "B"}).out, "B | Ergebnis: 20 | Gerundet: 20\n");
    EXPECT_EQ(rechne({"--datei", file, "B", "+", "1"}).out,
              "B + 1 | Ergebnis: 21 | Gerundet: 21\n");
    EXPECT_EQ(rechne({"--datei", file, "--werte", "a=1", "B"}).out,
              "B | Ergebnis: 2 | Gerundet: 2\n");
    // An entry without a value (F is unknown) only fails where it is used.
    const CliInProcess g = rechne({"--datei", file, "G+1"});
    EXPECT_EQ(g.code, 1);
    EXPECT_TRUE(g.err.contains("„G“ hat keinen Wert (Zeichen 1: „F“ ist nicht definiert.)"))
        << g.err.toStdString();
}

TEST(CliRechne, NamesWhatIsWrong)
{
    const struct
    {
        const char *name;
        QList<QByteArray> arguments;
        int code;
        const char *message;
    } cases[] = {
        {"division by zero", {"1/0"}, 1, "Zeichen 2: Division durch null"},
        {"negative root", {"wurzel(-1)"}, 1, "Zeichen 1: wurzel"},
        {"cycle", {"--werte", "A=B;B=A", "A"}, 1, "Zirkelbezug: A → B → A"},
        {"no assignment", {"--werte", "A:5", "1"}, 2, "keine Zuweisung"},
        {"bad name", {"--werte", "1A=5", "1"}, 2, "keine Zuweisung"},
        {"missing file", {"--datei", "/nicht/da.json", "1"}, 1, "/nicht/da.json"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliInProcess o = rechne(c.arguments);
        EXPECT_EQ(o.code, c.code);
        EXPECT_TRUE(o.err.contains(c.message)) << o.err.toStdString();
    }
}

TEST(CliRechne, RunsAsAProcessOnEveryLineOfStdin)
{
    const CliRun run =
        runCli({QStringLiteral("rechne"), QStringLiteral("--werte"), QStringLiteral("E=5")},
               "e*2\nfakultaet(5)\nziffer(12;3)\npi\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(
        run.outLines(),
        QStringList({QStringLiteral("e*2 | Ergebnis: 10 | Gerundet: 10"),
                     QStringLiteral("fakultaet(5) | Ergebnis: 120 | Gerundet: 120"), QString(),
                     QStringLiteral("pi | Ergebnis: 3,14159265358979323846264338328 | "
                                    "Gerundet: 3")}));
    EXPECT_TRUE(run.err.contains("ziffer: 12 hat nur 2 Ziffern")) << run.err.toStdString();
}
