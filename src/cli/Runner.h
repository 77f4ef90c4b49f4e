#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>

namespace Cli {

// kOutputFailed: the results could not be written (a full disk, a closed pipe or terminal).
enum ExitCode { kSuccess = 0, kInvalidInput = 1, kWrongUsage = 2, kOutputFailed = 3 };

// The whole program on its arguments (as the raw bytes of argv without the program name) and
// three devices: reads the inputs, writes the results to `out` and the messages to `err`.
// Returns the exit code. Never throws for any input.
int run(const QList<QByteArray> &arguments, QIODevice &in, QIODevice &out, QIODevice &err);

} // namespace Cli
