#pragma once

#include "cli/CliCommand.h"

#include <QStringList>

namespace Cli {

// What the command line asks for. Parsing is pure, so tests and the fuzzer call it directly.
struct Invocation
{
    const Command *command = nullptr; // nullptr: the program's own help
    bool help = false;
    bool json = false;
    Options options;
    QStringList texts; // the text arguments; empty when the input comes from stdin
    bool fromStdin = true;
    QString taskPrefix; // the task words that go before every line of stdin
};

// `arguments` without the program name. Options may stand before or after the texts; "--" ends
// them. Only "-x" and "--name[=value]" are taken as options; any other word that begins with a
// dash ("-5", "-1,5", Morse "- ... .-..") is a text. Throws UsageError, naming the subcommand
// when the mistake lies after its name.
Invocation parseArguments(const QStringList &arguments);

} // namespace Cli
