// Reading and writing the settings file, from the program's own 25 values to 100 MB.
#include "logic/settings/RegistryText.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// `values` values in keys of at most 100,000, texts and integers in turn, about 40 bytes a line.
QByteArray settingsFile(qint64 values)
{
    QByteArray text = "Windows Registry Editor Version 5.00\n";
    text.reserve(values * 44 + 64);
    for (qint64 v = 0; v < values; ++v) {
        if (v % 100000 == 0)
            text +=
                "\n[HKEY_CURRENT_USER\\Software\\Brask\\Gross\\" + QByteArray::number(v) + "]\n";
        text += "\"Wert" + QByteArray::number(v) + "\"=";
        if (v % 2 == 0)
            text += "\"Text mit Umlauten äöü " + QByteArray::number(v) + "\"\n";
        else
            text += "dword:" + QByteArray::number(v, 16).rightJustified(8, '0') + '\n';
    }
    return text;
}

qint64 valuesFor100MB()
{
    return (qint64(100) << 20) / 39;
}

} // namespace

// Reading alone; freeing what was read is measured apart.
static void BM_SettingsRead(benchmark::State &state)
{
    const QByteArray text = settingsFile(state.range(0));
    for (auto _ : state) {
        auto result = std::make_unique<RegistryParseResult>(parseRegistryText(text));
        benchmark::DoNotOptimize(result);
        state.PauseTiming();
        result.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    state.counters["MB"] = double(text.size()) / (1 << 20);
}
BENCHMARK(BM_SettingsRead)->Arg(20000)->Arg(valuesFor100MB())->Unit(benchmark::kMillisecond);

static void BM_SettingsFree(benchmark::State &state)
{
    const QByteArray text = settingsFile(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto result = std::make_unique<RegistryParseResult>(parseRegistryText(text));
        state.ResumeTiming();
        result.reset();
    }
}
BENCHMARK(BM_SettingsFree)->Arg(valuesFor100MB())->Unit(benchmark::kMillisecond);

static void BM_SettingsWrite(benchmark::State &state)
{
    const RegistryDocument document = *parseRegistryText(settingsFile(state.range(0))).document;
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray text = registryText(document);
        bytes = text.size();
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_SettingsWrite)->Arg(20000)->Arg(valuesFor100MB())->Unit(benchmark::kMillisecond);
