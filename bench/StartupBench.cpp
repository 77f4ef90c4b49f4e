// CPU time of starting the program as a process (loading, QApplication, the main window built,
// shown and painted, every other window left to its first opening) against a process that
// shows a bare Qt main window with a menu bar and a navigator tree, side by side in the same
// run. Goal: at most 2 x the bare window. "all" builds every secondary window at start as the
// program used to, for comparison. Each figure is the median of several runs; the children
// are this program itself, started with --startup-child.
#include "StartupBench.h"

#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/app/ProgramWindows.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

void showAndPaint(QWidget &window)
{
    window.resize(1103, 700);
    window.show();
    QApplication::processEvents();
    window.repaint();
    QApplication::processEvents();
}

void bareWindow()
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
    showAndPaint(window);
}

void program(bool allWindows)
{
    TestApp app;
    ProgramWindows windows(app.context);
    if (allWindows) {
        SecondaryWindows &w = app.context.windows;
        for (SecondaryWindow *window :
             {&w.info, &w.einstellungen, &w.misc, &w.cacher, &w.updDL, &w.sudoku, &w.fermilab,
              &w.koordRechner, &w.variableKoordinaten})
            window->get();
    }
    showAndPaint(windows.mainWindow());
}

// User and system CPU seconds of one child start-up.
double childCpuSeconds(const char *kind)
{
    const QByteArray self = QCoreApplication::applicationFilePath().toLocal8Bit();
    char childFlag[] = "--startup-child";
    std::vector<char> kindText(kind, kind + std::strlen(kind) + 1);
    char *args[] = {const_cast<char *>(self.constData()), childFlag, kindText.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, self.constData(), nullptr, nullptr, args, environ) != 0)
        return -1;
    int status = 0;
    rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void startup(benchmark::State &state, const char *kind)
{
    constexpr int kRuns = 7;
    std::vector<double> bare, measured;
    for (auto _ : state) {
        for (int run = 0; run < kRuns; ++run) {
            bare.push_back(childCpuSeconds("bare"));
            measured.push_back(childCpuSeconds(kind));
        }
    }
    if (*std::min_element(bare.begin(), bare.end()) < 0 ||
        *std::min_element(measured.begin(), measured.end()) < 0) {
        state.SkipWithError("a start-up child failed");
        return;
    }
    state.counters["bare_ms"] = median(bare) * 1000;
    state.counters["program_ms"] = median(measured) * 1000;
    state.counters["ratio"] = median(measured) / median(bare);
    state.counters["goal_ratio"] = 2;
}

} // namespace

int runStartupChild(const char *kind)
{
    if (std::strcmp(kind, "bare") == 0)
        bareWindow();
    else if (std::strcmp(kind, "program") == 0 || std::strcmp(kind, "all") == 0)
        program(std::strcmp(kind, "all") == 0);
    else
        return 2;
    return 0;
}

static void BM_StartupAgainstBareWindow(benchmark::State &state)
{
    startup(state, "program");
}
BENCHMARK(BM_StartupAgainstBareWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

static void BM_StartupAllWindowsAgainstBareWindow(benchmark::State &state)
{
    startup(state, "all");
}
BENCHMARK(BM_StartupAllWindowsAgainstBareWindow)->Iterations(1)->Unit(benchmark::kMillisecond);
