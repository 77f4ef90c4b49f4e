#pragma once

#include "cli/CliCommand.h"

#include <QString>

namespace Cli {

// The German help of the program: usage, every subcommand, the exit codes.
QString programHelp();

// The German help of one subcommand: usage, aliases, description, options.
QString commandHelp(const Command &command);

} // namespace Cli
