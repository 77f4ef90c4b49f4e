#include "fakes/TestApp.h"
#include "gui/app/panels/gboxDiagramm.h"

#include <benchmark/benchmark.h>

// Every choice of a chart node reads and decodes its file again; this is what that costs.
static void BM_ShowChart(benchmark::State &state, const char *file)
{
    TestApp app;
    gboxDiagramm panel(app.context);
    const QString path = app.globals.ExePfad + QString::fromLatin1(file);
    for (auto _ : state)
        panel.showChart(path);
}
BENCHMARK_CAPTURE(BM_ShowChart, jpeg, "Morse_Code.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ShowChart, png, "Flaggenalphabet.png")->Unit(benchmark::kMillisecond);
