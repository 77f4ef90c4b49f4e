// The formula calculator's evaluation against the same arithmetic compiled in C++, over a
// million values (goal: at most twice the compiled time). Whole numbers take the 64-bit engine
// of the variable coordinates; the exact engine (GMP fractions) is measured beside it for scale.
#include "logic/formula/SheetExpression.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int64_t kValues = 1'000'000;

// The expression as the compiler sees it, with the overflow checks the calculator makes.
__attribute__((noinline)) int64_t compiled(int64_t a, int64_t b)
{
    int64_t square, product, sum;
    if (__builtin_mul_overflow(b, b, &square) || __builtin_mul_overflow(a, int64_t(3), &product) ||
        __builtin_add_overflow(product, square, &sum))
        return 0;
    return (sum - 7) % 1000;
}

int64_t compiledSum()
{
    int64_t total = 0;
    for (int64_t a = 0; a < kValues; ++a)
        total += compiled(a, a & 1023);
    return total;
}

const QString kExpression = QStringLiteral("(A*3 + B*B - 7) % 1000");

} // namespace

static void BM_SheetWholeAgainstCompiled(benchmark::State &state)
{
    const auto expression = Formula::SheetExpression::parse(kExpression);
    Formula::Values values;
    double sheetSeconds = 0, compiledSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        int64_t total = 0;
        for (int64_t a = 0; a < kValues; ++a) {
            values[0] = a;
            values[1] = a & 1023;
            total += expression.evaluateWhole(values).value_or(0);
        }
        const auto middle = std::chrono::steady_clock::now();
        const int64_t expected = compiledSum();
        const auto end = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(total);
        if (total != expected)
            state.SkipWithError("the sheet and the compiled code disagree");
        sheetSeconds += std::chrono::duration<double>(middle - start).count();
        compiledSeconds += std::chrono::duration<double>(end - middle).count();
    }
    state.counters["ratio_to_compiled"] = sheetSeconds / compiledSeconds;
    state.counters["goal_ratio"] = 2;
}
BENCHMARK(BM_SheetWholeAgainstCompiled)->Unit(benchmark::kMillisecond)->Iterations(3);

// The exact engine on the same expression through named values, 10^5 values (for scale).
static void BM_SheetExactEvaluation(benchmark::State &state)
{
    const auto expression = Formula::SheetExpression::parse(QStringLiteral("A/3 + B*B - 7,5"));
    Formula::SheetNumber a, b;
    for (auto _ : state) {
        for (int64_t i = 0; i < kValues / 10; ++i) {
            a = Formula::SheetNumber::exact(mpz_class(static_cast<long>(i)));
            b = Formula::SheetNumber::exact(mpz_class(static_cast<long>(i & 1023)));
            benchmark::DoNotOptimize(expression.evaluate(
                [&](const QString &name) { return name == QLatin1String("A") ? &a : &b; }));
        }
    }
}
BENCHMARK(BM_SheetExactEvaluation)->Unit(benchmark::kMillisecond)->Iterations(1);
