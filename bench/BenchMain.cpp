#include "StartupBench.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstring>

// Benchmarks that build windows need a QApplication; it runs offscreen unless told otherwise.
// "--startup-child KIND" makes this program one start-up measured by the start-up benchmark.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--startup-child") == 0)
        return runStartupChild(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
