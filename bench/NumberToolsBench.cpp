// Speed of the number and text tools on large inputs.
#include "fakes/TestApp.h"
#include "gui/app/panels/gboxBWW.h"
#include "logic/tools/Buchstabenverteilung.h"
#include "logic/tools/CryptoTools_WortWert.h"
#include "logic/tools/QuersummenKette.h"
#include "logic/tools/hfunctions.h"

#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

constexpr int kMegabyte = 1 << 20;

QString decimalText(int length)
{
    QString text;
    text.reserve(length);
    for (int i = 0; i < length; ++i)
        text += QChar(char16_t(u'0' + (i * 7 + 3) % 10));
    return text;
}

// German-looking prose with umlauts, digits and punctuation.
QString proseText(int length)
{
    const QString sentence =
        QStringLiteral("Franz jagt im komplett verwahrlosten Taxi quer durch Bayern, 47 Äpfel. ");
    QString text = sentence.repeated(length / sentence.size() + 1);
    text.truncate(length);
    return text;
}

} // namespace

static void BM_QuersummeChainDecimal1MB(benchmark::State &state)
{
    const QString text = decimalText(kMegabyte);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            QuersummenKette::compute(text, QuersummenKette::Zahlensystem::Dezimal));
    state.SetBytesProcessed(state.iterations() * kMegabyte);
}
BENCHMARK(BM_QuersummeChainDecimal1MB)->Unit(benchmark::kMillisecond);

namespace {

// A numeral of `length` digits cycling through the digit set, so no digit dominates.
QString numeralText(int length, const QString &digits)
{
    QString text;
    text.reserve(length);
    for (int i = 0; i < length; ++i)
        text += digits.at((i * 7 + 3) % digits.size());
    return text;
}

} // namespace

static void BM_Hex2Dez(benchmark::State &state)
{
    const QString text = numeralText(int(state.range(0)), QStringLiteral("0123456789ABCDEF"));
    for (auto _ : state)
        benchmark::DoNotOptimize(hfunctions::Hex2Dez(text));
}
BENCHMARK(BM_Hex2Dez)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// With "8" and "9" among the digits, which take the slower layered path.
static void BM_Okt2Dez(benchmark::State &state)
{
    const QString text = numeralText(int(state.range(0)), QStringLiteral("0123456789"));
    for (auto _ : state)
        benchmark::DoNotOptimize(hfunctions::Okt2Dez(text));
}
BENCHMARK(BM_Okt2Dez)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

static void BM_Bin2Dez(benchmark::State &state)
{
    const QString text = numeralText(int(state.range(0)), QStringLiteral("01"));
    for (auto _ : state)
        benchmark::DoNotOptimize(hfunctions::Bin2Dez(text));
}
BENCHMARK(BM_Bin2Dez)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

static void BM_BuchstabenWortWert1MB(benchmark::State &state)
{
    const QString text = proseText(kMegabyte);
    for (auto _ : state)
        benchmark::DoNotOptimize(CryptoTools::BuchstabenWortWert(text, false, true));
    state.SetBytesProcessed(state.iterations() * kMegabyte);
}
BENCHMARK(BM_BuchstabenWortWert1MB)->Unit(benchmark::kMillisecond);

static void BM_CountWords1MB(benchmark::State &state)
{
    const QString text = proseText(kMegabyte);
    for (auto _ : state)
        benchmark::DoNotOptimize(hfunctions::CountWords(text));
    state.SetBytesProcessed(state.iterations() * kMegabyte);
}
BENCHMARK(BM_CountWords1MB)->Unit(benchmark::kMillisecond);

static void BM_LetterCounts1MB(benchmark::State &state)
{
    const QString text = proseText(kMegabyte);
    for (auto _ : state)
        benchmark::DoNotOptimize(Buchstabenverteilung::count(text));
    state.SetBytesProcessed(state.iterations() * kMegabyte);
}
BENCHMARK(BM_LetterCounts1MB)->Unit(benchmark::kMillisecond);

static void BM_Roem2Dez1MB(benchmark::State &state)
{
    const QString text = QStringLiteral("MCMXCIV").repeated(kMegabyte / 7);
    for (auto _ : state)
        benchmark::DoNotOptimize(hfunctions::Roem2Dez(text));
}
BENCHMARK(BM_Roem2Dez1MB)->Unit(benchmark::kMillisecond);

// The whole recomputation the word value panel runs on every change of a 100 KB text: the
// handler alone, and a change of the field's text that runs it.
static void BM_BWWRecompute100KB(benchmark::State &state)
{
    TestApp app;
    gboxBWW panel(app.context);
    panel.edtWort->setText(proseText(100 * 1024));
    for (auto _ : state)
        panel.edtWortChange();
}
BENCHMARK(BM_BWWRecompute100KB)->Unit(benchmark::kMillisecond);

static void BM_BWWTypeInto100KB(benchmark::State &state)
{
    TestApp app;
    gboxBWW panel(app.context);
    const QString text = proseText(100 * 1024);
    const QString longer = text + u'x';
    bool flip = false;
    for (auto _ : state) {
        panel.edtWort->setText(flip ? text : longer);
        flip = !flip;
    }
}
BENCHMARK(BM_BWWTypeInto100KB)->Unit(benchmark::kMillisecond);
