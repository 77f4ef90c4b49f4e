#include "fakes/TestApp.h"
#include "gui/app/panels/gboxVigenere.h"
#include "logic/tools/CryptoTools.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <random>

namespace {

// German-looking text: letters of both cases, blanks, punctuation, umlauts and line breaks.
QString sampleText(qsizetype length)
{
    static const QString alphabet =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ     äöüß.,0123\n");
    std::mt19937 engine(42);
    std::uniform_int_distribution<int> pick(0, int(alphabet.size()) - 1);
    QString text(length, Qt::Uninitialized);
    for (QChar &c : text)
        c = alphabet.at(pick(engine));
    return text;
}

constexpr qsizetype kMegabyte = 1 << 20;

template<typename Cipher> void runOnMegabyte(benchmark::State &state, Cipher cipher)
{
    const QString text = sampleText(kMegabyte);
    for (auto _ : state)
        benchmark::DoNotOptimize(cipher(text));
    state.SetBytesProcessed(state.iterations() * kMegabyte); // characters, one per byte of text
}

} // namespace

static void BM_Rot5(benchmark::State &state)
{
    runOnMegabyte(state, Rot5);
}
static void BM_Rot13(benchmark::State &state)
{
    runOnMegabyte(state, Rot13);
}
static void BM_Rot18(benchmark::State &state)
{
    runOnMegabyte(state, Rot18);
}
static void BM_Rot47(benchmark::State &state)
{
    runOnMegabyte(state, Rot47);
}
static void BM_RotShiftLines(benchmark::State &state)
{
    runOnMegabyte(state, RotShiftLines); // 27 shifted copies
}
static void BM_VigenereEncrypt(benchmark::State &state)
{
    runOnMegabyte(state,
                  [](const QString &t) { return VigenereEncrypt(t, QStringLiteral("Geocache")); });
}
static void BM_VigenereDecrypt(benchmark::State &state)
{
    runOnMegabyte(state,
                  [](const QString &t) { return VigenereDecrypt(t, QStringLiteral("Geocache")); });
}
static void BM_TrifidEncrypt(benchmark::State &state)
{
    runOnMegabyte(state,
                  [](const QString &t) { return TrifidEncrypt(t, QStringLiteral("Geocache")); });
}
static void BM_TrifidDecrypt(benchmark::State &state)
{
    runOnMegabyte(state,
                  [](const QString &t) { return TrifidDecrypt(t, QStringLiteral("Geocache")); });
}
BENCHMARK(BM_Rot5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Rot13)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Rot18)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Rot47)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RotShiftLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VigenereEncrypt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VigenereDecrypt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrifidEncrypt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrifidDecrypt)->Unit(benchmark::kMillisecond);

// One key released in the key box of the shown Vigenère panel with 100 KB of plain text: the
// encryption, replacing the ciphertext box and the repaint that follows. The key alternates, so
// every release changes the ciphertext. Argument 1: a text of lines of about 70 characters;
// argument 0: one paragraph of 100 KB.
static void BM_VigenereKeyRelease100KB(benchmark::State &state)
{
    TestApp app;
    gboxVigenere panel(app.context);
    panel.resize(800, 600);
    panel.show();
    QString plain = sampleText(100 * 1024);
    if (state.range(0) == 0)
        plain.replace(u'\n', u' ');
    panel.rtfVigenereDecrypt->setPlainText(plain);
    QApplication::processEvents();
    const QString keys[] = {QStringLiteral("Geocache"), QStringLiteral("Geocachf")};
    int round = 0;
    for (auto _ : state) {
        panel.edtVigenereKey->setText(keys[++round % 2]);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_E, Qt::NoModifier, QStringLiteral("e"));
        QApplication::sendEvent(panel.edtVigenereKey, &release);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_VigenereKeyRelease100KB)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
