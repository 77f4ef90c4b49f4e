// Speed of the calculating tools against their goals: the 10^9-th prime (goal < 1 s), a 40-digit
// semiprime of two 20-digit primes factored (goal < 2 s), 1,000,000 digits of π (goal < 2 s) and
// SHA-256 of 100 MB against sha256sum on the same file (goal ≤ 1.5 ×).
#include "logic/calc/CalcTool.h"
#include "logic/calc/Factorize.h"
#include "logic/calc/HashTools.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

Calc::Outcome runTool(const char *id, const Calc::Values &values)
{
    return Calc::findCalcTool(QString::fromLatin1(id))->run(values);
}

} // namespace

static void BM_NthPrime1e9(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(runTool("zahl-nte-primzahl", {{"k", "1000000000"}}));
    state.counters["goal_s"] = 1;
}
BENCHMARK(BM_NthPrime1e9)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_FactorSemiprime40Digits(benchmark::State &state)
{
    const mpz_class n = mpz_class("10000000000000000051") * mpz_class("30000000000000000041");
    for (auto _ : state)
        benchmark::DoNotOptimize(Calc::factorize(n, std::chrono::seconds(60)));
    state.counters["goal_s"] = 2;
}
BENCHMARK(BM_FactorSemiprime40Digits)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_PiMillionDigits(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            runTool("zahl-konstante", {{"konstante", "pi"}, {"stellen", "1-1000000"}}));
    state.counters["goal_s"] = 2;
}
BENCHMARK(BM_PiMillionDigits)->Unit(benchmark::kMillisecond)->Iterations(2);

static void BM_Sha256Of100MBAgainstSha256sum(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.bin"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            state.SkipWithError("no temporary file");
            return;
        }
        QByteArray block(1 << 20, '\0');
        for (int i = 0; i < block.size(); ++i)
            block[i] = char(i * 131 + 7);
        for (int i = 0; i < 100; ++i)
            file.write(block);
    }
    double ours = 0;
    double theirs = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(Calc::hashDevice(file, QCryptographicHash::Sha256));
        ours += double(timer.nsecsElapsed());
        timer.restart();
        QProcess::execute(QStringLiteral("sha256sum"), {path});
        theirs += double(timer.nsecsElapsed());
    }
    state.counters["x_sha256sum"] = theirs > 0 ? ours / theirs : 0;
    state.counters["goal_x"] = 1.5;
}
BENCHMARK(BM_Sha256Of100MBAgainstSha256sum)->Unit(benchmark::kMillisecond)->Iterations(3);
