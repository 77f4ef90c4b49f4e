// quarvel-cli: Quarvel's tools for scripts. Hands the raw arguments and the standard streams to
// the runner, which does everything else; links QtCore only.
#include "cli/Runner.h"

#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    QFile in, out, err;
    if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(stdout, QIODevice::WriteOnly) ||
        !err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Cli::kInvalidInput;
    const int code = Cli::run(arguments, in, out, err);
    out.flush();
    return code;
}
