// The command line as the program reads it, in-process.
#include "cli/ArgParser.h"

#include <gtest/gtest.h>

using Cli::Invocation;
using Cli::parseArguments;
using Cli::UsageError;

namespace {

QStringList words(const char *text)
{
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

TEST(CliArguments, NamesAndAliasesFindTheSameSubcommand)
{
    const std::vector<std::pair<const char *, const char *>> pairs = {
        {"koordinaten", "coords"}, {"quersumme", "digitsum"}, {"wortwert", "wordvalue"},
        {"verteilung", "letters"}, {"laenge", "length"},      {"roemisch", "roman"}};
    for (const auto &[german, english] : pairs) {
        SCOPED_TRACE(german);
        const Invocation a = parseArguments(words(german));
        const Invocation b = parseArguments(words(english));
        ASSERT_NE(a.command, nullptr);
        EXPECT_EQ(a.command, b.command);
    }
}

TEST(CliArguments, TextsOptionsAndStdin)
{
    struct Case
    {
        const char *line;
        QStringList texts;
        bool fromStdin;
        bool json;
        QString notation; // value of the notation option, null when not given
    };
    const std::vector<Case> cases = {
        {"coords", {}, true, false, {}},
        {"coords -", {}, true, false, {}},
        {"--json coords N 1 E 2", {"N", "1", "E", "2"}, false, true, {}},
        {"coords N 1 --json -n 2 E 2", {"N", "1", "E", "2"}, false, true, "2"},
        {"coords --notation=1 x", {"x"}, false, false, "1"},
        {"coords -n 0 -- -n 1", {"-n", "1"}, false, false, "0"},
        {"coords -5 -1,5 -,5", {"-5", "-1,5", "-,5"}, false, false, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        const Invocation invocation = parseArguments(words(c.line));
        EXPECT_EQ(invocation.texts, c.texts);
        EXPECT_EQ(invocation.fromStdin, c.fromStdin);
        EXPECT_EQ(invocation.json, c.json);
        EXPECT_EQ(invocation.options.has(QStringLiteral("notation")), !c.notation.isNull());
        EXPECT_EQ(invocation.options.value(QStringLiteral("notation")), c.notation);
    }
}

TEST(CliArguments, HelpWithAndWithoutASubcommand)
{
    for (const char *line : {"--help", "-h", "--hilfe", "--json --help"}) {
        SCOPED_TRACE(line);
        const Invocation invocation = parseArguments(words(line));
        EXPECT_TRUE(invocation.help);
        EXPECT_EQ(invocation.command, nullptr);
    }
    const Invocation sub = parseArguments(words("rot x --help"));
    EXPECT_TRUE(sub.help);
    ASSERT_NE(sub.command, nullptr);
    EXPECT_EQ(sub.command->names.constFirst(), QStringLiteral("rot"));
}

TEST(CliArguments, WrongUsageIsAUsageError)
{
    const std::vector<std::pair<const char *, const char *>> cases = {
        {"", "Kein Befehl angegeben"},
        {"--json", "Kein Befehl angegeben"},
        {"nix", "Unbekannter Befehl „nix“"},
        {"--xyz rot", "Unbekannte Option „--xyz“"},
        {"rot --xyz",
         "Unbekannte Option „--xyz“ für „rot“; ein Text, der mit „-“ beginnt, steht nach „--“"},
        {"rot -q",
         "Unbekannte Option „-q“ für „rot“; ein Text, der mit „-“ beginnt, steht nach „--“"},
        {"rot --x-1=2",
         "Unbekannte Option „--x-1“ für „rot“; ein Text, der mit „-“ beginnt, steht nach „--“"},
        {"chiffre --liste atbash text", "„chiffre“ liest hier keinen Text: „text“"},
        {"rot -n", "Die Option „-n“ braucht einen Wert (N)"},
        {"rot --alle=1", "Die Option „--alle“ hat keinen Wert"},
        {"rot a - b", "„-“ (Standardeingabe) steht allein, ohne weiteren Text"},
        {"sudoku a.sud b.sud", "„sudoku“ liest genau eine Datei"},
    };
    for (const auto &[line, message] : cases) {
        SCOPED_TRACE(line);
        try {
            parseArguments(words(line));
            ADD_FAILURE() << "no usage error";
        } catch (const UsageError &error) {
            EXPECT_EQ(error.message, QString::fromUtf8(message));
        }
    }
}

TEST(CliArguments, AnOptionValueMayLookLikeAnOption)
{
    const Invocation invocation = parseArguments(words("vigenere -k -x text"));
    EXPECT_EQ(invocation.options.value(QStringLiteral("key")), QStringLiteral("-x"));
    EXPECT_EQ(invocation.texts, QStringList {QStringLiteral("text")});
}

// Only "-x" and "--name[=value]" are options; every other word with a dash in front is text.
TEST(CliArguments, WhatLooksLikeAnOption)
{
    const struct
    {
        const char *word;
        bool text;
    } cases[] = {
        {"-", true},      {"-5", true},     {"-,5", true},   {"-.5", true},      {"-.-.", true},
        {"--..", true},   {"---", true},    {"- ...", true}, {"-Hallo", true},   {"--1", true},
        {"-ä", true},     {"--ä", true},    {"--a b", true}, {"--a.b", true},    {"-Q", false},
        {"--xyz", false}, {"--x-y", false}, {"--x1", false}, {"--x=1 2", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.word);
        QStringList arguments = {QStringLiteral("rot"), QStringLiteral("text"),
                                 QString::fromUtf8(c.word)};
        if (QByteArray(c.word) == "-") // stdin, which stands alone
            arguments.removeAt(1);
        try {
            const Invocation invocation = parseArguments(arguments);
            EXPECT_TRUE(c.text);
            if (QByteArray(c.word) != "-") {
                EXPECT_EQ(invocation.texts.constLast(), QString::fromUtf8(c.word));
            }
        } catch (const UsageError &error) {
            EXPECT_FALSE(c.text) << error.message.toStdString();
            EXPECT_NE(error.command, nullptr); // the hint names the subcommand's help
        }
    }
}
