#include "logic/formula/FormulaSolver.h"

#include <benchmark/benchmark.h>

namespace {

// Six variables of ten values each: a million candidates around the reference point.
Formula::FormulaSolver millionSolver(std::optional<double> maxDistance)
{
    Formula::SyntaxError error;
    auto formula = Formula::CoordinateFormula::parse(
        QStringLiteral("N 52° 3A.B(C+2)D E 013° 2E.(F*2)1"), error);
    Formula::VariableSet::Texts texts;
    for (int v = 0; v < 6; ++v)
        texts[size_t(v)] = QStringLiteral("0-9");
    Formula::VariableSet variables(texts, formula->variablesUsed());
    const auto reference = Formula::readPosition("N 52° 35.000 E 013° 25.000");
    return Formula::FormulaSolver(std::move(*formula), std::move(variables), reference,
                                  Formula::Filter {true, maxDistance});
}

} // namespace

// Evaluating and filtering a million combinations on one thread, with the usual 3,2 km limit
// of a final's distance, and with no limit (every valid candidate gets its geodesic).
static void BM_FormulaMillionCombinations(benchmark::State &state)
{
    const bool limited = state.range(0) != 0;
    const auto solver = millionSolver(limited ? std::optional<double>(3200) : std::nullopt);
    for (auto _ : state) {
        std::vector<Formula::Hit> hits;
        Formula::Counts counts;
        solver.run(0, solver.combinationCount(), hits, counts);
        benchmark::DoNotOptimize(hits.data());
        state.counters["shown"] = double(counts.shown);
    }
}
BENCHMARK(BM_FormulaMillionCombinations)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The first batch the window shows: the first 4096 candidates.
static void BM_FormulaFirstBatch(benchmark::State &state)
{
    const auto solver = millionSolver(3200);
    for (auto _ : state) {
        std::vector<Formula::Hit> hits;
        Formula::Counts counts;
        solver.run(0, 4096, hits, counts);
        benchmark::DoNotOptimize(hits.data());
    }
}
BENCHMARK(BM_FormulaFirstBatch)->Unit(benchmark::kMicrosecond);
