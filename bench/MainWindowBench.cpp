#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"

#include <benchmark/benchmark.h>

static void BM_CreateMainWindow(benchmark::State &state)
{
    TestApp app;
    for (auto _ : state) {
        TfrmQuarvelMain window(app.context);
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_CreateMainWindow)->Unit(benchmark::kMillisecond);
