// The formula calculator's evaluation against the same arithmetic compiled in C++, over a
// million values (goal: at most twice the compiled time). Whole numbers take the 64-bit engine
// of the variable coordinates, in blocks of candidates (and one at a time, for comparison); the
// exact engine (GMP fractions) is measured beside it for scale.
#include "logic/formula/SheetExpression.h"
#include "logic/formula/WholeProgram.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include <time.h>

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

// The processor time of this thread: on a busy machine the wall clock also counts the time the
// other programs had the processor, which distorts a ratio of two short spans by several times.
double threadSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

} // namespace

static void BM_SheetWholeAgainstCompiled(benchmark::State &state)
{
    const auto expression = Formula::SheetExpression::parse(kExpression);
    if (expression.names() != QStringList {QStringLiteral("A"), QStringLiteral("B")})
        state.SkipWithError("the names are not A and B");
    // The batch evaluation as the enumerations use it: the values of a block are written into
    // columns, evaluated together and read back.
    constexpr size_t kBlock = Formula::WholeProgram::kBlock;
    int64_t a[kBlock], b[kBlock], out[kBlock];
    uint8_t ok[kBlock];
    Formula::Columns columns {};
    columns[0] = a;
    columns[1] = b;
    Formula::Values values;
    double sheetSeconds = 0, singleSeconds = 0, compiledSeconds = 0;
    double sheetWall = 0, compiledWall = 0;
    for (auto _ : state) {
        const double start = threadSeconds();
        const auto startWall = std::chrono::steady_clock::now();
        int64_t total = 0;
        for (int64_t first = 0; first < kValues; first += int64_t(kBlock)) {
            const size_t count = size_t(std::min(int64_t(kBlock), kValues - first));
            for (size_t i = 0; i < count; ++i) {
                a[i] = first + int64_t(i);
                b[i] = a[i] & 1023;
            }
            expression.evaluateWholeBatch(columns, count, out, ok);
            for (size_t i = 0; i < count; ++i)
                total += out[i]; // 0 where there is no value
        }
        const double middle = threadSeconds();
        const auto middleWall = std::chrono::steady_clock::now();
        const int64_t expected = compiledSum();
        const double end = threadSeconds();
        const auto endWall = std::chrono::steady_clock::now();
        // One value at a time, as the formula calculator's evaluate takes it, for comparison.
        int64_t single = 0;
        for (int64_t i = 0; i < kValues; ++i) {
            values[0] = i;
            values[1] = i & 1023;
            single += expression.evaluateWhole(values).value_or(0);
        }
        const double last = threadSeconds();
        benchmark::DoNotOptimize(total);
        benchmark::DoNotOptimize(single);
        if (total != expected || single != expected)
            state.SkipWithError("the sheet and the compiled code disagree");
        sheetSeconds += middle - start;
        compiledSeconds += end - middle;
        singleSeconds += last - end;
        sheetWall += std::chrono::duration<double>(middleWall - startWall).count();
        compiledWall += std::chrono::duration<double>(endWall - middleWall).count();
    }
    // Processor time of the thread; the wall clock's ratio beside it.
    state.counters["ratio_to_compiled"] = sheetSeconds / compiledSeconds;
    state.counters["wall_ratio_to_compiled"] = sheetWall / compiledWall;
    state.counters["single_ratio_to_compiled"] = singleSeconds / compiledSeconds;
    state.counters["goal_ratio"] = 2;
}
BENCHMARK(BM_SheetWholeAgainstCompiled)->Unit(benchmark::kMillisecond)->Iterations(10);

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
