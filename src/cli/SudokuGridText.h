#pragma once

#include "logic/solvers/SudokuSearch.h"

#include <QString>

// The plain-text exchange format of a Sudoku grid: nine lines of nine characters, a digit 1-9
// for a given and "." or "0" for an empty cell, or the same 81 characters on one line. Blanks,
// empty lines and the line ends are ignored.
namespace SudokuGridText {

// The givens; throws QuarvelError naming the line and the character of the first fault, and
// for two equal givens in a row, column or block (a search on those would report false
// solutions or run for hours).
Sudoku::CellValues read(const QString &text);

// Nine lines of nine digits (0 for an empty cell), joined by "\n".
QString write(const Sudoku::CellValues &values);

} // namespace SudokuGridText
