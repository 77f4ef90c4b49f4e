#pragma once

#include "cli/CliCommand.h"

#include <vector>

namespace Cli {

// Every subcommand, in the order the program's help lists them.
const std::vector<Command> &commandTable();

// The subcommand called `name` (German name or English alias), or nullptr.
const Command *findCommand(const QString &name);

// One factory per subcommand, each in the file of its group.
Command koordinatenCommand();
Command quersummeCommand();
Command wortwertCommand();
Command verteilungCommand();
Command laengeCommand();
Command roemischCommand();
Command rotCommand();
Command vigenereCommand();
Command trifidCommand();
Command fermilabCommand();
Command sudokuCommand();
Command formelCommand();
Command rechnerCommand();
Command gccodeCommand();
Command gpxCommand();
Command chiffreCommand();
Command knackenCommand();
// The calculating tools, built from their declarations (CalcCommands.cpp).
Command datumCommand();
Command zahlCommand();
Command pruefzifferCommand();
Command hashCommand();
// The formula calculator (RechneCommand.cpp).
Command rechneCommand();
// The picture analysis (BildCommand.cpp).
Command bildCommand();
// The symbol tables (SymboleCommand.cpp).
Command symboleCommand();

} // namespace Cli
