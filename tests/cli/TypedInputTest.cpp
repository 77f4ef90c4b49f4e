// The number commands read only what the panels' fields let a user type, and decide the Roman
// direction by the text; a refused line of a batch keeps its place in the output.
#include "cli/CliInProcess.h"

#include <gtest/gtest.h>

TEST(CliTypedInput, RefusesWhatThePanelWouldNotTakeNamingTheCharacter)
{
    const struct
    {
        QList<QByteArray> arguments;
        int code;
        QByteArray out;
        const char *message; // the end of the message on stderr; empty for none
    } cases[] = {
        {{"roemisch", "XC"}, 0, "90\n", ""},
        {{"roemisch", "xc"}, 0, "90\n", ""},
        {{"roemisch", "1994"}, 0, "MCMXCIV\n", ""},
        {{"roemisch", "0"}, 0, "\n", ""},
        {{"roemisch", "MMXQ"},
         1,
         "\n",
         "Zeichen 4: „Q“ kann hier nicht eingegeben werden; erlaubt sind C, D, I, L, M, V, X.\n"},
        {{"roemisch", "-a", "MMXQ"}, 0, "2010\n", ""},
        {{"roemisch", "-a", "MMX1"},
         1,
         "\n",
         "Zeichen 4: „1“ kann hier nicht eingegeben werden; "
         "erlaubt sind A–Z.\n"},
        {{"roemisch", "12X"},
         1,
         "\n",
         "Zeichen 3: „X“ kann hier nicht eingegeben werden; erlaubt sind 0–9.\n"},
        {{"roemisch", "-r", "XC"},
         1,
         "\n",
         "Zeichen 1: „X“ kann hier nicht eingegeben werden; erlaubt sind 0–9.\n"},
        {{"roemisch", "-d", "90"},
         1,
         "\n",
         "Zeichen 1: „9“ kann hier nicht eingegeben werden; "
         "erlaubt sind C, D, I, L, M, V, X.\n"},
        {{"roemisch", "M", "M"},
         1,
         "\n",
         "Zeichen 2: „ “ kann hier nicht eingegeben werden; "
         "erlaubt sind C, D, I, L, M, V, X.\n"},
        {{"roemisch", "X😀"},
         1,
         "\n",
         "Zeichen 2: „😀“ kann hier nicht eingegeben werden; "
         "erlaubt sind C, D, I, L, M, V, X.\n"},
        // The range the tool handles is that of the integer syntax.
        {{"roemisch", "2147483647"}, 0, {}, ""},
        {{"roemisch", "2147483648"}, 1, "\n", "''2147483648'' ist kein gültiger Integer-Wert.\n"},
        {{"roemisch", "9223372036854775807"},
         1,
         "\n",
         "''9223372036854775807'' ist kein gültiger Integer-Wert.\n"},
        {{"quersumme", "-s", "bin", "102"},
         1,
         "\n",
         "Zeichen 3: „2“ kann hier nicht eingegeben werden; erlaubt sind 0 und 1.\n"},
        {{"quersumme", "-s", "bin", "101"}, 0, "Dezimal: 5 | 1. Iteration: 5\n", ""},
        {{"quersumme", "-s", "okt", "78"},
         1,
         "\n",
         "Zeichen 2: „8“ kann hier nicht eingegeben werden; erlaubt sind 0–7.\n"},
        {{"quersumme", "-s", "hex", "fG"},
         1,
         "\n",
         "Zeichen 2: „G“ kann hier nicht eingegeben werden; erlaubt sind 0–9 und A–F.\n"},
        // The decimal field takes every character and counts the digits, as in the panel; the
        // result names what it left out.
        {{"quersumme", "12a"}, 0, "Dezimal: 12 | Ignoriert: „a“ | 1. Iteration: 3\n", ""},
        {{"quersumme", "1.234"},
         0,
         "Dezimal: 1234 | Ignoriert: „.“ | 1. Iteration: 10 | 2. Iteration: 1\n",
         ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliInProcess o = runInProcess(c.arguments);
        EXPECT_EQ(o.code, c.code);
        if (!c.out.isNull()) {
            EXPECT_EQ(o.out, c.out);
        }
        EXPECT_TRUE(o.err.endsWith(c.message)) << o.err.toStdString();
        EXPECT_EQ(o.err.isEmpty(), c.code == 0);
    }
}

TEST(CliTypedInput, ARefusedLineOfABatchKeepsItsPlace)
{
    const CliInProcess o = runInProcess({"roemisch"}, "XC\nMMXQ\n1994\n12X\nMMXXIV\n");
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.out, "90\n\nMCMXCIV\n\n2024\n");
    EXPECT_EQ(o.err,
              "quarvel-cli: Zeile 2: Zeichen 4: „Q“ kann hier nicht eingegeben werden; "
              "erlaubt sind C, D, I, L, M, V, X.\n"
              "quarvel-cli: Zeile 4: Zeichen 3: „X“ kann hier nicht eingegeben werden; "
              "erlaubt sind 0–9.\n");
}

TEST(CliTypedInput, ANumberWithALeadingMinusOrPointIsInputNotAnOption)
{
    // Each reads as the same text given after "--", which ends the options.
    const QList<QList<QByteArray>> cases = {
        {"rot", "-.5"}, {"rot", "-5"}, {"laenge", "-.5"}, {"laenge", "-,5"}, {"quersumme", "-.5"}};
    for (const QList<QByteArray> &arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliInProcess o = runInProcess(arguments);
        EXPECT_EQ(o.code, 0) << o.err.toStdString();
        EXPECT_FALSE(o.out.isEmpty());
        EXPECT_EQ(o.out, runInProcess({arguments.at(0), "--", arguments.at(1)}).out);
    }
}
