#include "logic/tools/Koordinaten_Unit.h"

#include <benchmark/benchmark.h>

// One reading of a typed position followed by all three notations, per input form.
static void BM_KoordinatenReadAndWrite(benchmark::State &state, const char *input)
{
    const QString text = QString::fromUtf8(input);
    TKoordinaten koordinaten;
    for (auto _ : state) {
        benchmark::DoNotOptimize(koordinaten.m_sSetKoordinaten(text));
        for (int notation = 0; notation < 3; ++notation)
            benchmark::DoNotOptimize(koordinaten.m_sGetKoordinaten(notation));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_KoordinatenReadAndWrite, Degrees, "N 54.3941666666667 E 13.6696833333333");
BENCHMARK_CAPTURE(BM_KoordinatenReadAndWrite, DegreesMinutes, "N 54° 23.650 E 013° 40.181");
BENCHMARK_CAPTURE(BM_KoordinatenReadAndWrite, DegreesMinutesSeconds,
                  "N 54° 23' 39\" E 13° 40' 10.86\"");
