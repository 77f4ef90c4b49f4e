// Speed of quarvel-cli on a batch: 100,000 lines of word values through stdin, once through the
// built executable as a script would run it, once in-process without the process start.
#include "cli/Runner.h"

#include <QBuffer>
#include <QProcess>

#include <benchmark/benchmark.h>

namespace {

QByteArray wordLines(int count)
{
    QByteArray lines;
    for (int i = 0; i < count; ++i)
        lines += "Geocache Nummer " + QByteArray::number(i) + " Straße Äpfel\n";
    return lines;
}

constexpr int kLines = 100000;

} // namespace

static void BM_CliWordValueLinesProcess(benchmark::State &state)
{
    const QByteArray input = wordLines(kLines);
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral(QUARVEL_BIN_DIR "/quarvel-cli"), {QStringLiteral("wortwert")});
        process.waitForStarted();
        process.write(input);
        process.closeWriteChannel();
        process.waitForFinished(-1);
        benchmark::DoNotOptimize(process.readAllStandardOutput());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_CliWordValueLinesProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_CliWordValueLinesInProcess(benchmark::State &state)
{
    QByteArray input = wordLines(kLines);
    for (auto _ : state) {
        QByteArray out, err;
        QBuffer in(&input), outDevice(&out), errDevice(&err);
        in.open(QIODevice::ReadOnly);
        outDevice.open(QIODevice::WriteOnly);
        errDevice.open(QIODevice::WriteOnly);
        benchmark::DoNotOptimize(Cli::run({"wortwert"}, in, outDevice, errDevice));
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_CliWordValueLinesInProcess)->Unit(benchmark::kMillisecond);
