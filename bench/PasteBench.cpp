// Peak memory of pasting into the word value and digit-sum fields, as the kernel counts it
// (VmHWM, reset before each paste through /proc/self/clear_refs).
#include "fakes/TestApp.h"
#include "gui/app/panels/gboxBWW.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

qint64 statusKilobytes(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

bool resetPeak()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

// Pastes `characters` of prose into the word value field with the paste keys and reports the
// peak memory the paste added, in MB and as a multiple of the text's UTF-8 size.
void pasteInto(benchmark::State &state, qsizetype characters)
{
    const QString sentence =
        QStringLiteral("Franz jagt im komplett verwahrlosten Taxi quer durch Bayern, 47 Äpfel. ");
    QString text = sentence.repeated(characters / sentence.size() + 1);
    text.truncate(characters);
    const double textMB = double(text.toUtf8().size()) / (1 << 20);
    TestApp app;
    double peakMB = 0;
    for (auto _ : state) {
        state.PauseTiming();
        gboxBWW panel(app.context);
        QApplication::clipboard()->setText(text);
        if (!resetPeak())
            state.SkipWithError("cannot reset the peak memory");
        const qint64 before = statusKilobytes("VmRSS:");
        state.ResumeTiming();
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
        QApplication::sendEvent(panel.edtWort, &paste);
        peakMB = double(statusKilobytes("VmHWM:") - before) / 1024;
        QApplication::clipboard()->clear();
    }
    state.counters["text_MB"] = textMB;
    state.counters["peak_MB"] = peakMB;
    state.counters["peak_per_text"] = peakMB / textMB;
}

} // namespace

static void BM_PasteIntoWordValue50MB(benchmark::State &state)
{
    pasteInto(state, qsizetype(50) << 20);
}
BENCHMARK(BM_PasteIntoWordValue50MB)->Iterations(1)->Unit(benchmark::kMillisecond);

static void BM_PasteIntoWordValue1MChars(benchmark::State &state)
{
    pasteInto(state, 1000000);
}
BENCHMARK(BM_PasteIntoWordValue1MChars)->Iterations(1)->Unit(benchmark::kMillisecond);
