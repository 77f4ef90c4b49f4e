// The command-line program's argument and stdin parsing: the bytes before the first "\n\n" are
// the arguments (split at "\n"), the rest is stdin. Any bytes must give an exit code 0, 1 or 2
// and nothing else: no crash, no hang, no exception.
#include "cli/Runner.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = bytes.indexOf("\n\n");
    const QByteArray head = split < 0 ? bytes : bytes.left(split);
    QByteArray input = split < 0 ? QByteArray() : bytes.mid(split + 2);
    QList<QByteArray> arguments = head.split('\n');
    for (const QByteArray &argument : arguments) {
        // A path could name a device that never ends; the file case is tested apart.
        if (argument.contains('/'))
            return 0;
    }
    // Up to ten million combinations are a valid formula; a fuzz run has no time for them (the
    // formula engine has a harness of its own).
    if (arguments.contains("formel") || arguments.contains("formula"))
        return 0;
    // A nearly empty grid has more solutions than any run can print.
    if (arguments.contains("sudoku"))
        arguments << "--max"
                  << "20";
    QByteArray out, err;
    QBuffer in(&input), outDevice(&out), errDevice(&err);
    in.open(QIODevice::ReadOnly);
    outDevice.open(QIODevice::WriteOnly);
    errDevice.open(QIODevice::WriteOnly);
    const int code = Cli::run(arguments, in, outDevice, errDevice);
    if (code < 0 || code > 2)
        std::abort();
    // A failure always says why.
    if (code != 0 && err.isEmpty())
        std::abort();
    return 0;
}
