#pragma once

#include "logic/solvers/SudokuSearch.h"

#include <QByteArray>
#include <QString>

// The plain-text exchange format of Sudoku puzzles: nine lines of nine characters, a digit 1-9
// for a given and "." or "0" for an empty cell; the same 81 characters on one line are read
// too. Blanks and tabs between the characters, line ends of either kind, a trailing line end
// and a UTF-8 byte order mark are ignored.
namespace Sudoku {

// The largest file that can still hold a puzzle with generous spacing; longer ones are refused
// before they are read whole.
constexpr qint64 kMaxFileBytes = 64 * 1024;

// Reads a puzzle. A malformed text throws QuarvelError with a message that names the line and,
// where one is to blame, the character (both counted from 1).
CellValues ReadSudokuText(const QByteArray &bytes);

// Writes the givens: the digits 1-9 as they stand, "." for every other cell, each line ended
// by "\n".
QByteArray SudokuText(const CellValues &values);

// Reads a puzzle file. A file that cannot be opened, is too long or is malformed throws
// QuarvelError; the message names the file and, for a malformed one, the line and character.
CellValues ReadSudokuFile(const QString &path);

// Writes the givens to `path` whole (the old file stays as it was when writing fails); a
// failure throws QuarvelError naming the file and the system's reason.
void WriteSudokuFile(const QString &path, const CellValues &values);

// Refuses givens that contradict each other before any search: the same digit 1-9 twice in
// one row, column or 3 × 3 block throws QuarvelError naming the first such pair (rows first,
// then columns, then blocks). Other values constrain nothing and are not looked at.
void CheckGivens(const CellValues &values);

} // namespace Sudoku
