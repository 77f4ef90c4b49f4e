#include "logic/solvers/SudokuSearch.h"
#include "support/core/SudokuGridHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using Sudoku::CellValues;
using Sudoku::SearchEnd;
using Sudoku::SudokuSearch;

namespace {

CellValues grid(std::initializer_list<std::initializer_list<int>> rows)
{
    CellValues values {};
    int r = 0;
    for (const auto &row : rows) {
        int c = 0;
        for (int v : row)
            values[r][c++] = v;
        ++r;
    }
    return values;
}

bool isCompleteSudoku(const CellValues &g)
{
    for (int i = 0; i < 9; ++i) {
        std::set<int> row, col, box;
        for (int j = 0; j < 9; ++j) {
            row.insert(g[i][j]);
            col.insert(g[j][i]);
            box.insert(g[(i / 3) * 3 + j / 3][(i % 3) * 3 + j % 3]);
        }
        const std::set<int> digits {1, 2, 3, 4, 5, 6, 7, 8, 9};
        if (row != digits || col != digits || box != digits)
            return false;
    }
    return true;
}

bool keepsGivens(const CellValues &solution, const CellValues &givens)
{
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c)
            if (givens[r][c] != 0 && solution[r][c] != givens[r][c])
                return false;
    return true;
}

const CellValues kFirstSampleSolution = grid({
    {2, 3, 5, 7, 1, 8, 4, 6, 9},
    {8, 6, 1, 9, 5, 4, 7, 3, 2},
    {4, 7, 9, 2, 6, 3, 5, 8, 1},
    {3, 5, 4, 6, 9, 2, 1, 7, 8},
    {9, 1, 6, 8, 4, 7, 2, 5, 3},
    {7, 2, 8, 5, 3, 1, 6, 9, 4},
    {5, 8, 3, 4, 2, 6, 9, 1, 7},
    {6, 4, 7, 1, 8, 9, 3, 2, 5},
    {1, 9, 2, 3, 7, 5, 8, 4, 6},
});

// Every cell filled with values that fill a cell without taking a digit, except (0, 0).
CellValues oneEmptyCellAmongNonDigits()
{
    CellValues values {};
    const int fillers[] = {12, -3, 300, 255, 10};
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c)
            values[r][c] = fillers[(r + c) % 5];
    values[0][0] = 0;
    return values;
}

} // namespace

TEST(SudokuSearch, SampleHasExactly336SolutionsInLexicographicOrder)
{
    const CellValues givens = Sudoku::samplePuzzle();
    SudokuSearch search(givens);
    EXPECT_EQ(search.emptyCount(), 57);
    SudokuGridHost host(givens);
    EXPECT_EQ(search.run(host), SearchEnd::Finished);

    ASSERT_EQ(host.solutions.size(), 336u);
    EXPECT_EQ(host.solutions.front(), kFirstSampleSolution);
    EXPECT_TRUE(std::is_sorted(host.solutions.begin(), host.solutions.end()));
    EXPECT_EQ(std::set<CellValues>(host.solutions.begin(), host.solutions.end()).size(), 336u);
    for (const CellValues &solution : host.solutions) {
        ASSERT_TRUE(isCompleteSudoku(solution));
        ASSERT_TRUE(keepsGivens(solution, givens));
    }
    // After the last solution every cell the search filled is empty again.
    EXPECT_EQ(host.cells, givens);
}

TEST(SudokuSearch, StopLeavesTheSolutionStanding)
{
    const CellValues givens = Sudoku::samplePuzzle();
    SudokuSearch search(givens);
    SudokuGridHost host(givens);
    host.stopAfter = 2;
    EXPECT_EQ(search.run(host), SearchEnd::Stopped);
    ASSERT_EQ(host.solutions.size(), 2u);
    EXPECT_EQ(host.cells, host.solutions.back());
    EXPECT_LT(host.solutions.front(), host.solutions.back());
}

TEST(SudokuSearch, CancelEmptiesEveryFilledCell)
{
    const CellValues givens = Sudoku::samplePuzzle();
    SudokuSearch search(givens);
    SudokuGridHost host(givens);
    host.cancelAtPlacement = 1000;
    EXPECT_EQ(search.run(host), SearchEnd::Finished);
    EXPECT_TRUE(host.solutions.empty());
    EXPECT_EQ(host.cells, givens);
    // The cancel stops the search long before it would have found the first solution.
    EXPECT_LT(host.placements, 1000 + 57);
}

TEST(SudokuSearch, CancelledDescentThatCompletesTheGridStillAsks)
{
    const CellValues givens = oneEmptyCellAmongNonDigits();
    SudokuSearch search(givens);
    SudokuGridHost host(givens);
    host.cancelAtPlacement = 1;
    EXPECT_EQ(search.run(host), SearchEnd::Finished);
    ASSERT_EQ(host.solutions.size(), 1u);
    EXPECT_EQ(host.solutions.front()[0][0], 1);
    EXPECT_EQ(host.cells, givens);
}

TEST(SudokuSearch, GridsWithoutEmptyCellAskAtOnce)
{
    const CellValues invalid = grid({
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
    });
    for (const CellValues &full : {kFirstSampleSolution, invalid}) {
        SudokuSearch search(full);
        SudokuGridHost host(full);
        EXPECT_EQ(search.emptyCount(), 0);
        EXPECT_EQ(search.run(host), SearchEnd::Finished);
        EXPECT_EQ(host.solutions.size(), 1u);
        EXPECT_EQ(host.placements, 0);
        EXPECT_EQ(host.cells, full);
    }
}

TEST(SudokuSearch, NonDigitValuesFillCellsButConstrainNothing)
{
    CellValues givens = oneEmptyCellAmongNonDigits();
    {
        SudokuSearch search(givens);
        SudokuGridHost host(givens);
        search.run(host);
        ASSERT_EQ(host.solutions.size(), 9u);
        for (int d = 1; d <= 9; ++d)
            EXPECT_EQ(host.solutions[d - 1][0][0], d);
    }
    // Digits in the row, column and box take their digit away, repeated ones as well.
    givens[0][5] = 5;
    givens[0][6] = 5;
    givens[7][0] = 7;
    givens[2][2] = 3;
    SudokuSearch search(givens);
    SudokuGridHost host(givens);
    search.run(host);
    std::vector<int> tried;
    for (const CellValues &solution : host.solutions)
        tried.push_back(solution[0][0]);
    EXPECT_EQ(tried, (std::vector<int> {1, 2, 4, 6, 8, 9}));
}

TEST(SudokuSearch, EmptyGridReachesItsFirstSolution)
{
    const CellValues empty {};
    SudokuSearch search(empty);
    EXPECT_EQ(search.emptyCount(), 81);
    SudokuGridHost host(empty);
    host.stopAfter = 1;
    EXPECT_EQ(search.run(host), SearchEnd::Stopped);
    ASSERT_EQ(host.solutions.size(), 1u);
    EXPECT_TRUE(isCompleteSudoku(host.cells));
    // The smallest grid in row-major order.
    EXPECT_EQ(host.cells,
              grid({
                  {1, 2, 3, 4, 5, 6, 7, 8, 9},
                  {4, 5, 6, 7, 8, 9, 1, 2, 3},
                  {7, 8, 9, 1, 2, 3, 4, 5, 6},
                  {2, 1, 4, 3, 6, 5, 8, 9, 7},
                  {3, 6, 5, 8, 9, 7, 2, 1, 4},
                  {8, 9, 7, 2, 1, 4, 3, 6, 5},
                  {5, 3, 1, 6, 4, 2, 9, 7, 8},
                  {6, 4, 2, 9, 7, 8, 5, 3, 1},
                  {9, 7, 8, 5, 3, 1, 6, 4, 2},
              }));
}

TEST(SudokuSearch, DeadEndFinishesWithoutSolution)
{
    // (0, 8) can only take a 9, which its column already holds.
    CellValues givens = grid({{1, 2, 3, 4, 5, 6, 7, 8, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 9}});
    SudokuSearch search(givens);
    SudokuGridHost host(givens);
    EXPECT_EQ(search.run(host), SearchEnd::Finished);
    EXPECT_TRUE(host.solutions.empty());
    EXPECT_EQ(host.placements, 0);
}

TEST(SudokuCell, TextsReadWithTheIntegerSyntax)
{
    const struct
    {
        const char *text;
        int value;
    } cases[] = {
        {"", 0},    {"a", 0},   {"12", 12}, {" 5", 5},    {"+3", 3},          {"-4", -4},
        {"$A", 10}, {"0x9", 9}, {"5 ", 0},  {"1,5", 0},   {"99999999999", 0}, {"٣", 0},
        {"0", 0},   {"x", 0},   {"7", 7},   {"0X1F", 31},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Sudoku::CellValue(QString::fromUtf8(c.text)), c.value);
    }
    EXPECT_EQ(Sudoku::CellText(0), QString());
    EXPECT_EQ(Sudoku::CellText(7), QStringLiteral("7"));
}
