// The Sudoku exchange format on arbitrary bytes: every text is either refused with a message
// or read into digits 0..9 that write back into a text reading the same. An input that starts
// with "#" is padded with line ends to one byte below, at or above the size limit and read by
// the command line from stdin: it is refused for its size or for the "#", never read whole.
#include "cli/Runner.h"
#include "logic/common/QuarvelError.h"
#include "logic/solvers/SudokuFile.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (bytes.startsWith('#')) {
        QByteArray input = bytes;
        const qint64 target = Sudoku::kMaxFileBytes - 1 + qint64(bytes.size() % 3);
        if (input.size() < target)
            input.append(QByteArray(target - input.size(), '\n'));
        QByteArray out, err;
        QBuffer in(&input), outDevice(&out), errDevice(&err);
        in.open(QIODevice::ReadOnly);
        outDevice.open(QIODevice::WriteOnly);
        errDevice.open(QIODevice::WriteOnly);
        if (Cli::run({"sudoku"}, in, outDevice, errDevice) != 1 || !out.isEmpty())
            __builtin_trap();
        const bool tooLarge = input.size() > Sudoku::kMaxFileBytes;
        // Within the limit the text is read: refused for the "#", or before that for bytes
        // that are no UTF-8.
        const bool readAndRefused = err.contains("„#“") || err.contains("kein gültiges UTF-8");
        if (err.contains("zu groß") != tooLarge || readAndRefused == tooLarge)
            __builtin_trap();
        return 0;
    }
    try {
        const Sudoku::CellValues values = Sudoku::ReadSudokuText(bytes);
        for (const auto &row : values)
            for (const int value : row)
                if (value < 0 || value > 9)
                    __builtin_trap();
        if (Sudoku::ReadSudokuText(Sudoku::SudokuText(values)) != values)
            __builtin_trap();
        Sudoku::CheckGivens(values);
    } catch (const QuarvelError &) {
    }
    return 0;
}
