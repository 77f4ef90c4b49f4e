// Time from a paste at the paste limit into each text box until the window has answered it:
// the paste keys pressed and released (the cipher panels recompute on the release), then every
// pending event handled and the box painted. Goal: at most 1 s per box. Both the wall time and
// the CPU time of the window's thread are given: on a busy machine the CPU time is the figure
// an idle one would show.
#include "fakes/TestApp.h"
#include "gui/app/panels/gboxBuchstabenverteilung.h"
#include "gui/app/panels/gboxRotVerschiebung.h"
#include "gui/app/panels/gboxTrifid.h"
#include "gui/app/panels/gboxVigenere.h"
#include "gui/solvers/Fermil_Unit.h"
#include "gui/support/PasteLimit.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>

namespace {

class NoHeader : public HeaderLines
{
public:
    void setOben(const QString &) override { }
    void setOben2(const QString &) override { }
};

QString proseOfLength(qsizetype characters)
{
    const QString sentence =
        QStringLiteral("Franz jagt im komplett verwahrlosten Taxi quer durch Bayern, 47 Äpfel. ");
    QString text = sentence.repeated(characters / sentence.size() + 1);
    text.truncate(characters);
    return text;
}

// Builds the window holding the box afresh for every run and returns the box.
double threadCpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

using BoxMaker = std::function<QWidget *(TestApp &, std::unique_ptr<QWidget> &)>;

void pasteAtLimit(benchmark::State &state, const BoxMaker &make)
{
    TestApp app;
    const QString text = proseOfLength(kMaxPasteCharacters);
    double seconds = 0;
    double cpuSeconds = 0;
    for (auto _ : state) {
        std::unique_ptr<QWidget> window;
        QWidget *box = make(app, window);
        window->resize(900, 600);
        window->show();
        box->setFocus();
        QApplication::processEvents();
        QApplication::clipboard()->setText(text);
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = threadCpuSeconds();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier);
        QApplication::sendEvent(box, &release);
        QApplication::processEvents();
        box->repaint();
        seconds = double(timer.nsecsElapsed()) / 1e9;
        cpuSeconds = threadCpuSeconds() - cpuStart;
        state.SetIterationTime(seconds);
        QApplication::clipboard()->clear();
    }
    state.counters["seconds"] = seconds;
    state.counters["cpu_seconds"] = cpuSeconds;
    state.counters["goal_seconds"] = 1;
}

template<typename Panel> Panel *panel(TestApp &app, std::unique_ptr<QWidget> &window)
{
    auto *made = new Panel(app.context);
    window.reset(made);
    return made;
}

} // namespace

static void BM_PasteAtLimitVerteilung(benchmark::State &state)
{
    pasteAtLimit(state, [](TestApp &app, std::unique_ptr<QWidget> &w) -> QWidget * {
        return panel<gboxBuchstabenverteilung>(app, w)->rtfBSV;
    });
}
BENCHMARK(BM_PasteAtLimitVerteilung)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

static void BM_PasteAtLimitVigenere(benchmark::State &state)
{
    pasteAtLimit(state, [](TestApp &app, std::unique_ptr<QWidget> &w) -> QWidget * {
        return panel<gboxVigenere>(app, w)->rtfVigenereDecrypt;
    });
}
BENCHMARK(BM_PasteAtLimitVigenere)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

static void BM_PasteAtLimitTrifid(benchmark::State &state)
{
    pasteAtLimit(state, [](TestApp &app, std::unique_ptr<QWidget> &w) -> QWidget * {
        return panel<gboxTrifid>(app, w)->rtfTrifidDecrypt;
    });
}
BENCHMARK(BM_PasteAtLimitTrifid)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

static void BM_PasteAtLimitFermilab(benchmark::State &state)
{
    pasteAtLimit(state, [](TestApp &app, std::unique_ptr<QWidget> &w) -> QWidget * {
        return panel<TfrmFermilab>(app, w)->mFermilab;
    });
}
BENCHMARK(BM_PasteAtLimitFermilab)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

static void BM_PasteAtLimitRot(benchmark::State &state)
{
    static NoHeader header;
    pasteAtLimit(state, [](TestApp &app, std::unique_ptr<QWidget> &w) -> QWidget * {
        auto *made = new gboxRotVerschiebung(app.context, header);
        w.reset(made);
        return made->edtRot;
    });
}
BENCHMARK(BM_PasteAtLimitRot)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
