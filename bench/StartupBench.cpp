// CPU time of the program's start-up (the main window built, shown and painted, every other
// window left to its first opening) against a bare Qt main window with a menu bar and a
// navigator tree, measured side by side in the same run. Goal: at most 2 x the bare window.
// "AllWindows" builds every secondary window at start as the program used to, for comparison.
#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/app/ProgramWindows.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace {

double threadCpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void showAndSettle(QWidget &window)
{
    window.show();
    QApplication::processEvents();
    window.repaint();
    QApplication::processEvents();
}

double bareWindowSeconds()
{
    const double start = threadCpuSeconds();
    {
        QMainWindow window;
        for (const char *menu : {"&Datei", "&Bearbeiten", "&Programme", "&Optionen", "&Hilfe"})
            window.menuBar()->addMenu(QString::fromLatin1(menu))->addAction(QStringLiteral("x"));
        auto *tree = new QTreeWidget(&window);
        for (int group = 0; group < 6; ++group) {
            auto *item = new QTreeWidgetItem(tree, {QStringLiteral("Gruppe %1").arg(group)});
            for (int node = 0; node < 4; ++node)
                new QTreeWidgetItem(item, {QStringLiteral("Knoten %1").arg(node)});
        }
        window.setCentralWidget(tree);
        window.resize(1103, 700);
        showAndSettle(window);
    }
    return threadCpuSeconds() - start;
}

double programSeconds(bool allWindows)
{
    TestApp app;
    const double start = threadCpuSeconds();
    {
        ProgramWindows windows(app.context);
        if (allWindows) {
            SecondaryWindows &w = app.context.windows;
            for (SecondaryWindow *window :
                 {&w.info, &w.einstellungen, &w.misc, &w.cacher, &w.updDL, &w.sudoku, &w.fermilab,
                  &w.koordRechner, &w.variableKoordinaten})
                window->get();
        }
        windows.mainWindow().resize(1103, 700);
        showAndSettle(windows.mainWindow());
    }
    return threadCpuSeconds() - start;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void startup(benchmark::State &state, bool allWindows)
{
    constexpr int kRuns = 7;
    bareWindowSeconds(); // the first window of a process also loads fonts and the style
    programSeconds(allWindows);
    std::vector<double> bare, program;
    for (auto _ : state) {
        for (int run = 0; run < kRuns; ++run) {
            bare.push_back(bareWindowSeconds());
            program.push_back(programSeconds(allWindows));
        }
    }
    state.counters["bare_ms"] = median(bare) * 1000;
    state.counters["program_ms"] = median(program) * 1000;
    state.counters["ratio"] = median(program) / median(bare);
    state.counters["goal_ratio"] = 2;
}

} // namespace

static void BM_StartupAgainstBareWindow(benchmark::State &state)
{
    startup(state, false);
}
BENCHMARK(BM_StartupAgainstBareWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

static void BM_StartupAllWindowsAgainstBareWindow(benchmark::State &state)
{
    startup(state, true);
}
BENCHMARK(BM_StartupAllWindowsAgainstBareWindow)->Iterations(1)->Unit(benchmark::kMillisecond);
