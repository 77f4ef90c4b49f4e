// Cost per input line of quarvel-cli against a plain C++ loop that gives byte for byte the same
// output from the same logic functions, both in this process on the same lines. Prints each
// ratio next to its goal: the command at most 2x the loop, its JSON form at most 1.5x its text.
#include "cli/Runner.h"
#include "logic/tools/CryptoTools.h"
#include "logic/tools/CryptoTools_WortWert.h"
#include "logic/tools/QuersummenKette.h"
#include "logic/tools/hfunctions.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

constexpr int kLines = 50000;

QByteArray inputLines()
{
    QByteArray lines;
    for (int i = 0; i < kLines; ++i)
        lines += "Geocache Nummer " + QByteArray::number(i) + " Straße Äpfel\n";
    return lines;
}

QByteArray wortwertLoop(const QByteArray &input)
{
    QByteArray out;
    QList<QByteArray> lines = input.split('\n');
    lines.removeLast();
    for (const QByteArray &bytes : lines) {
        const QString line = QString::fromUtf8(bytes);
        const QString sum = CryptoTools::BuchstabenWortWert(line, false, false);
        QString text = QStringLiteral("Summe der Buchstabenwerte: ") + sum +
            QStringLiteral(" | Anzahl der Zeichen: ") +
            QString::number(hfunctions::CountNonBlank(line)) +
            QStringLiteral(" | inkl Leerzeichen: ") + QString::number(line.size()) +
            QStringLiteral(" | Anzahl der Wörter: ") +
            QString::number(hfunctions::CountWords(line));
        const QStringList sums = QuersummenKette::digitSums(sum);
        for (qsizetype i = 0; i < sums.size(); ++i)
            text += QStringLiteral(" | %1. Iteration: %2").arg(i + 1).arg(sums.at(i));
        out += text.toUtf8();
        out += '\n';
    }
    return out;
}

QByteArray rotAlleLoop(const QByteArray &input)
{
    QByteArray out;
    QList<QByteArray> lines = input.split('\n');
    lines.removeLast();
    for (const QByteArray &bytes : lines) {
        out += RotShiftLines(QString::fromUtf8(bytes)).join(u'\n').toUtf8();
        out += '\n';
    }
    return out;
}

QByteArray runCli(const QList<QByteArray> &arguments, QByteArray input)
{
    QByteArray out, err;
    QBuffer in(&input), outDevice(&out), errDevice(&err);
    in.open(QIODevice::ReadOnly);
    outDevice.open(QIODevice::WriteOnly);
    errDevice.open(QIODevice::WriteOnly);
    Cli::run(arguments, in, outDevice, errDevice);
    return out;
}

double cpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// CPU time of one run: other work on a shared machine does not count against either side.
template<class F> double seconds(F run)
{
    const double start = cpuSeconds();
    benchmark::DoNotOptimize(run());
    return cpuSeconds() - start;
}

void lineCost(benchmark::State &state, const QList<QByteArray> &arguments,
              QByteArray (*loop)(const QByteArray &))
{
    const QByteArray input = inputLines();
    if (runCli(arguments, input) != loop(input)) {
        state.SkipWithError("the plain loop does not give the command's output");
        return;
    }
    QList<QByteArray> jsonArguments = arguments;
    jsonArguments.prepend("--json");
    double plain = 0, text = 0, json = 0;
    for (auto _ : state) {
        plain += seconds([&] { return loop(input); });
        text += seconds([&] { return runCli(arguments, input); });
        json += seconds([&] { return runCli(jsonArguments, input); });
    }
    state.counters["cli_per_loop"] = text / plain;
    state.counters["goal_cli"] = 2.0;
    state.counters["json_per_text"] = json / text;
    state.counters["goal_json"] = 1.5;
    state.counters["loop_us_per_line"] = plain / double(state.iterations()) / kLines * 1e6;
    state.SetItemsProcessed(state.iterations() * kLines);
}

} // namespace

static void BM_CliLineCostWortwert(benchmark::State &state)
{
    lineCost(state, {"wortwert"}, wortwertLoop);
}
BENCHMARK(BM_CliLineCostWortwert)->Unit(benchmark::kMillisecond)->Iterations(5);

static void BM_CliLineCostRotAlle(benchmark::State &state)
{
    lineCost(state, {"rot", "--alle"}, rotAlleLoop);
}
BENCHMARK(BM_CliLineCostRotAlle)->Unit(benchmark::kMillisecond)->Iterations(5);
