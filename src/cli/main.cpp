// quarvel-cli: Quarvel's tools for scripts. Hands the raw arguments and the standard streams to
// the runner, which does everything else; links QtCore only.
#include "cli/Runner.h"
#include "cli/StdinDevice.h"

#include <QFile>

#include <unistd.h>

int main(int argc, char **argv)
{
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    // The runner gathers its output in blocks itself; unbuffered descriptors keep results and
    // messages in the order they were written.
    StdinDevice in;
    QFile out, err;
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ||
        !out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Cli::kInvalidInput;
    return Cli::run(arguments, in, out, err);
}
