// The variable-coordinates subcommand in-process: rows, filters, JSON and its usage errors.
#include "cli/CliInProcess.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

using Outcome = CliInProcess;

Outcome formel(QList<QByteArray> arguments, const QByteArray &input = {})
{
    arguments.prepend("formel");
    return runInProcess(arguments, input);
}

} // namespace

TEST(CliFormula, ListsTheValidCandidatesAndCountsThem)
{
    const Outcome o = formel({"--werte", "A=5-7", "N 52° A5.000 E 13° 1.000"});
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(QString::fromUtf8(o.out),
              QStringLiteral("A=5 | N 52° 55,000' E 13° 1,000'\n"
                             "Berechnet: 3 | Gültig: 1 | Angezeigt: 1\n"));
    const Outcome all =
        formel({"--werte", "A=5-7", "--alle", "-n", "0", "N 52° A5.000 E 13° 1.000"});
    EXPECT_TRUE(all.out.contains("A=7 | N 53,25 E 13,0166666666667\n")) << all.out.toStdString();
    EXPECT_TRUE(all.out.endsWith("Berechnet: 3 | Gültig: 1 | Angezeigt: 3\n"));
}

TEST(CliFormula, MeasuresFromTheReferenceAndKeepsTheRadius)
{
    const Outcome o = formel({"--werte", "A=0-9;B=0", "--bezug", "N 52° 31.000 E 13° 24.000",
                              "--umkreis", "1.9", "N 52° 3A.B00 E 013° 24.000"});
    EXPECT_EQ(o.code, 0);
    const QString text = QString::fromUtf8(o.out);
    EXPECT_TRUE(text.startsWith(QStringLiteral("A=0 B=0 | N 52° 30,000' E 013° 24,000' | "
                                               "Entfernung: 1854,6 m | Richtung: 180,0°\n"
                                               "A=1 B=0 | N 52° 31,000' E 013° 24,000' | "
                                               "Entfernung: 0,0 m\n")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("Berechnet: 10 | Gültig: 10 | Angezeigt: 3\n")));

    const Outcome json = formel({"--json", "--werte", "A=1;B=0", "--bezug",
                                 "N 52° 31.000 E 13° 24.000", "N 52° 3A.B00 E 013° 24.000"});
    const QList<QByteArray> lines = json.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject row = QJsonDocument::fromJson(lines[0]).object();
    EXPECT_EQ(row.value(QStringLiteral("variablen")).toString(), QStringLiteral("A=1 B=0"));
    EXPECT_EQ(row.value(QStringLiteral("entfernung_m")).toString(), QStringLiteral("0,0 m"));
}

TEST(CliFormula, ErrorsOfFormulaAndValuesAreInvalidInputAndWrongUseIsUsage)
{
    struct Case
    {
        const char *name;
        QList<QByteArray> arguments;
        int code;
        const char *message;
    };
    const std::vector<Case> cases = {
        {"syntax", {"--werte", "A=1", "N 52 3(A+ E 1 1"}, 1, "Zeichen 7"},
        {"cycle", {"--werte", "A=B;B=A", "N 52 3A E 1"}, 1, "Kreis"},
        {"too many", {"--werte", "A=0-9999;B=0-1000", "N 5A 1B E 1"}, 1, "Zu viele"},
        {"no assignment", {"--werte", "A:5", "N 5A E 1"}, 2, "Zuweisung"},
        {"radius without reference", {"--umkreis", "3", "N 52 1 E 1"}, 2, "--bezug"},
        {"radius zero", {"--bezug", "N 1 E 1", "--umkreis", "0", "N 52 1 E 1"}, 2, "Umkreis"},
        {"reference unreadable", {"--bezug", "irgendwo", "N 52 1 E 1"}, 2, "Bezugspunkt"},
        // The bracket of the formula is level 0; the 257th inner one (character 261) is too deep.
        {"50,000 nested brackets",
         {"--werte", "A=1", "N 5" + QByteArray(50000, '(') + "A" + QByteArray(50000, ')') + " E 1"},
         1,
         "quarvel-cli: Zeichen 261: Der Ausdruck ist zu tief verschachtelt: höchstens 256 "
         "Klammern, Vorzeichen und Potenzen ineinander.\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome o = formel(c.arguments);
        EXPECT_EQ(o.code, c.code);
        EXPECT_TRUE(o.err.contains(c.message)) << o.err.toStdString();
    }
}
