#include "cli/CommandTable.h"

namespace Cli {

const std::vector<Command> &commandTable()
{
    // A new subcommand is one more line here and its factory in the file of its group.
    static const std::vector<Command> table = {
        koordinatenCommand(), quersummeCommand(), wortwertCommand(), verteilungCommand(),
        laengeCommand(),      roemischCommand(),  rotCommand(),      vigenereCommand(),
        trifidCommand(),      fermilabCommand(),  sudokuCommand(),   formelCommand(),
        rechnerCommand(),     gccodeCommand(),    gpxCommand(),      chiffreCommand(),
        knackenCommand(),     datumCommand(),     zahlCommand(),     pruefzifferCommand(),
        hashCommand(),        rechneCommand(),    bildCommand(),     symboleCommand(),
    };
    return table;
}

const Command *findCommand(const QString &name)
{
    for (const Command &command : commandTable()) {
        if (command.names.contains(name))
            return &command;
    }
    return nullptr;
}

} // namespace Cli
