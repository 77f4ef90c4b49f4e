// The Sudoku exchange format on arbitrary bytes: every text is either refused with a message
// or read into digits 0..9 that write back into a text reading the same.
#include "logic/common/QuarvelError.h"
#include "logic/solvers/SudokuFile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
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
