#include "BreakerTargets.h"
#include "CodeBreakerTargets.h"

#include "logic/language/CodeBreaker.h"

#include <benchmark/benchmark.h>

// The code breaker's speed goals on one core: the keyless list for 200 characters under 50 ms,
// all searches without key for 300 letters under 2 s. Its accuracy targets print once, each
// rate next to its goal (BM_CodeBreakerTargets).

namespace {

const QString kSaying = QStringLiteral(
    "Wer anderen eine Grube graebt, faellt selbst hinein, sagt das Sprichwort, und wer im Wald "
    "einen Schatz sucht, braucht Geduld, eine gute Karte und festes Schuhwerk fuer den langen "
    "Weg bis zum Versteck unter der alten Eiche am Rand der Lichtung, wo die Dose liegt.");

QString cipherText(qsizetype letters)
{
    const Ciphers::Cipher *vigenere = Ciphers::findCipher(QStringLiteral("vigenere"));
    QString text;
    while (text.size() < letters * 5 / 4)
        text += kSaying + QLatin1Char(' ');
    QString cut;
    qsizetype count = 0;
    for (const QChar ch : text) {
        if (count >= letters)
            break;
        cut.append(ch);
        count += ch.isLetter() ? 1 : 0;
    }
    return vigenere->encode(cut, {{QStringLiteral("schluessel"), QStringLiteral("WANDERWEG")}});
}

void BM_KeylessList200Characters(benchmark::State &state)
{
    BreakerRequest request;
    request.text = cipherText(300).left(200);
    for (auto _ : state)
        benchmark::DoNotOptimize(rankCandidates(quickCandidates(request)));
    state.SetLabel("goal: < 50 ms");
}
BENCHMARK(BM_KeylessList200Characters)->Unit(benchmark::kMillisecond);

void BM_AllSearches300Letters(benchmark::State &state)
{
    BreakerRequest request;
    request.text = cipherText(300);
    for (auto _ : state)
        benchmark::DoNotOptimize(searchCandidates(request));
    state.SetLabel("goal: < 2000 ms");
}
BENCHMARK(BM_AllSearches300Letters)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CodeBreakerTargets(benchmark::State &state)
{
    for (auto _ : state)
        printCodeBreakerTargets();
}
BENCHMARK(BM_CodeBreakerTargets)->Iterations(1)->Unit(benchmark::kSecond);

void BM_CodeBreakerTargetsEveryKind(benchmark::State &state)
{
    for (auto _ : state)
        printKeylessTargetsEveryKind();
}
BENCHMARK(BM_CodeBreakerTargetsEveryKind)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

namespace {

void BM_CodeBreakerVerdictTargets(benchmark::State &state)
{
    for (auto _ : state)
        printVerdictTargets();
}
BENCHMARK(BM_CodeBreakerVerdictTargets)->Iterations(1)->Unit(benchmark::kSecond);
// Every breaker without key on 300 letters of a Playfair text, which none of the quick filters
// (pairs, J, frequencies) turns away from any breaker but the transposition's.
void BM_AllBreakers300Letters(benchmark::State &state)
{
    const Ciphers::Cipher *playfair = Ciphers::findCipher(QStringLiteral("playfair"));
    BreakerRequest request;
    request.text = playfair->encode(
        cipherText(300), {{QStringLiteral("schluessel"), QStringLiteral("SCHATZKARTE")}});
    for (auto _ : state)
        benchmark::DoNotOptimize(searchCandidates(request));
    state.SetLabel("goal: < 5000 ms");
}
BENCHMARK(BM_AllBreakers300Letters)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_BreakerTargets(benchmark::State &state)
{
    for (auto _ : state)
        printBreakerTargets();
}
BENCHMARK(BM_BreakerTargets)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
