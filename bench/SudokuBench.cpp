#include "fakes/TestApp.h"
#include "gui/solvers/uSudoku.h"
#include "logic/solvers/SudokuSearch.h"
#include "support/core/SudokuGridHost.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

void fillGrid(TfrmSudoku &window, const Sudoku::CellValues &values)
{
    for (int row = 0; row < Sudoku::kSize; ++row)
        for (int col = 0; col < Sudoku::kSize; ++col)
            window.SetCellValue(row, col, values[row][col]);
}

// Row 8 leaves its last cell only a 9, which the last column already holds: a search that
// never finds a solution and never ends by itself.
Sudoku::CellValues hopelessPuzzle()
{
    Sudoku::CellValues values {};
    for (int col = 0; col < 8; ++col)
        values[8][col] = col + 1;
    values[0][8] = 9;
    return values;
}

} // namespace

// Every solution of the sample puzzle, without a window.
static void BM_SudokuAllSolutionsHeadless(benchmark::State &state)
{
    const Sudoku::CellValues sample = Sudoku::samplePuzzle();
    long long placements = 0;
    for (auto _ : state) {
        Sudoku::SudokuSearch search(sample);
        SudokuGridHost host(sample);
        search.run(host);
        placements = host.placements;
        benchmark::DoNotOptimize(host.solutions.data());
    }
    state.counters["placements"] = double(placements);
}
BENCHMARK(BM_SudokuAllSolutionsHeadless)->Unit(benchmark::kMillisecond);

// "Lösen" in the shown window until the first solution stands in the grid and is asked about.
static void BM_SudokuFirstSolutionInWindow(benchmark::State &state)
{
    TestApp app;
    TfrmSudoku window(app.context);
    window.show();
    QCoreApplication::processEvents();
    const Sudoku::CellValues sample = Sudoku::samplePuzzle();
    Clock::time_point asked;
    app.dialogs.onAsk = [&](const Dialogs::Message &) {
        if (asked == Clock::time_point())
            asked = Clock::now();
    };
    for (auto _ : state) {
        fillGrid(window, sample);
        app.dialogs.answers = {Dialogs::No};
        asked = {};
        const Clock::time_point start = Clock::now();
        window.btnSolve->click();
        state.SetIterationTime(std::chrono::duration<double>(asked - start).count());
    }
}
BENCHMARK(BM_SudokuFirstSolutionInWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

// From the moment a click on "Abbrechen" is queued to the end of the search, with the search
// running flat out on a puzzle without solution.
static void BM_SudokuCancelReaction(benchmark::State &state)
{
    TestApp app;
    TfrmSudoku window(app.context);
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        fillGrid(window, hopelessPuzzle());
        Clock::time_point clicked;
        std::thread user([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            clicked = Clock::now();
            QMetaObject::invokeMethod(
                window.btnCancel, [&] { window.btnCancel->click(); }, Qt::QueuedConnection);
        });
        window.btnSolve->click();
        const Clock::time_point ended = Clock::now();
        user.join();
        state.SetIterationTime(std::chrono::duration<double>(ended - clicked).count());
    }
}
BENCHMARK(BM_SudokuCancelReaction)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
