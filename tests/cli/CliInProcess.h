#pragma once

#include "cli/Runner.h"

#include <QBuffer>
#include <QByteArray>
#include <QList>

// Runs the command-line program's runner in this process on the given arguments and input.
struct CliInProcess
{
    int code = -1;
    QByteArray out;
    QByteArray err;
};

inline CliInProcess runInProcess(const QList<QByteArray> &arguments, const QByteArray &input = {})
{
    QByteArray inBytes = input, outBytes, errBytes;
    QBuffer in(&inBytes), out(&outBytes), err(&errBytes);
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int code = Cli::run(arguments, in, out, err);
    return {code, outBytes, errBytes};
}
