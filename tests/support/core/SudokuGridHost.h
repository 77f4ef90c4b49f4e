#pragma once

#include "logic/solvers/SudokuSearch.h"

#include <vector>

// A headless grid for the Sudoku search: keeps the cells in an array, records every solution
// it is asked about and answers "search on" until it has seen `stopAfter` of them.
struct SudokuGridHost final : Sudoku::SudokuHost
{
    explicit SudokuGridHost(const Sudoku::CellValues &start)
        : cells(start)
    {
    }

    void place(int row, int col, int digit) override
    {
        cells[row][col] = digit;
        ++placements;
    }
    void clear(int row, int col) override { cells[row][col] = 0; }
    void poll() override
    {
        if (cancelAtPlacement > 0 && placements >= cancelAtPlacement)
            cancel = true;
    }
    bool askContinue() override
    {
        solutions.push_back(cells);
        return int(solutions.size()) < stopAfter;
    }
    bool cancelRequested() const override { return cancel; }

    Sudoku::CellValues cells;
    std::vector<Sudoku::CellValues> solutions;
    long long placements = 0;
    int stopAfter = 1 << 30;
    long long cancelAtPlacement = 0; // 0: never
    bool cancel = false;
};
