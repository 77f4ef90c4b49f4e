// "Weitere Chiffren" with a text at the paste limit: how long the window's thread is held by the
// paste, by a keystroke after it, and at most while the cursor then sits idle for three seconds,
// and how long the converted text takes to appear. Goal: no stall over 100 ms. The stalls are
// the longest gaps between turns of a 5 ms timer, so they count whatever holds the loop: the
// conversion, setting the result or laying out and painting the text boxes.
#include "fakes/TestApp.h"
#include "gui/app/panels/gboxChiffren.h"
#include "gui/support/PasteLimit.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

// Prose as it is pasted: in lines, or (`oneLine`) as a single paragraph, which Qt lays out whole
// on every change of the box, whatever the panel does.
QString letters(qsizetype characters, bool oneLine)
{
    const QString sentence = oneLine
        ? QStringLiteral("Franz jagt im komplett verwahrlosten Taxi quer durch Bayern ")
        : QStringLiteral("Franz jagt im komplett verwahrlosten Taxi quer durch Bayern\n");
    QString text = sentence.repeated(characters / sentence.size() + 1);
    text.truncate(characters);
    return text;
}

// The longest time the event loop went without a turn while `seconds` passed, in ms.
class StallMeter
{
public:
    StallMeter()
    {
        m_ticker.setInterval(5);
        QObject::connect(&m_ticker, &QTimer::timeout, [this] { tick(); });
    }
    void start()
    {
        m_longest = 0;
        m_clock.start();
        m_last = 0;
        m_ticker.start();
    }
    void tick()
    {
        const qint64 now = m_clock.elapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }
    // Runs the loop until `done` or `limitMs`; returns the longest gap seen.
    template<typename Done> qint64 runUntil(Done done, int limitMs)
    {
        while (!done() && m_clock.elapsed() < limitMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        tick();
        m_ticker.stop();
        return m_longest;
    }
    qint64 elapsed() const { return m_clock.elapsed(); }

private:
    QTimer m_ticker;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

void pressKey(QWidget *box, Qt::Key code, Qt::KeyboardModifiers modifiers, const QString &text = {})
{
    QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, code, modifiers, text);
    QApplication::sendEvent(box, &release);
}

void typingAtLimit(benchmark::State &state, const char *cipherRow, const char *key,
                   bool oneLine = false)
{
    TestApp app;
    const QString text = letters(kMaxPasteCharacters - 1, oneLine);
    qint64 paste = 0, keystroke = 0, idle = 0, resultMs = 0;
    for (auto _ : state) {
        gboxChiffren panel(app.context);
        panel.resize(900, 600);
        panel.show();
        const QList<QListWidgetItem *> rows =
            panel.lstChiffren->findItems(QString::fromUtf8(cipherRow), Qt::MatchExactly);
        if (rows.isEmpty()) {
            state.SkipWithError("cipher not found");
            return;
        }
        panel.lstChiffren->setCurrentItem(rows.first());
        if (auto *field = qobject_cast<QLineEdit *>(panel.parameterField(u"schluessel"_qs)))
            field->setText(QString::fromLatin1(key));
        if (auto *field = qobject_cast<QLineEdit *>(panel.parameterField(u"transposition"_qs)))
            field->setText(QString::fromLatin1(key));
        panel.rtfKlartext->clear();
        panel.rtfKlartext->setFocus();
        QApplication::processEvents();
        QApplication::clipboard()->setText(text);

        StallMeter meter;
        meter.start();
        QTimer::singleShot(0, [&] { pressKey(panel.rtfKlartext, Qt::Key_V, Qt::ControlModifier); });
        paste = meter.runUntil([] { return false; }, 300);
        meter.start();
        QTimer::singleShot(0, [&] { pressKey(panel.rtfKlartext, Qt::Key_X, {}, u"x"_qs); });
        keystroke = meter.runUntil([] { return false; }, 300);
        meter.start();
        meter.runUntil([&] { return !panel.converting(); }, 60000);
        resultMs = meter.elapsed();
        meter.start();
        idle = meter.runUntil([] { return false; }, 3000);
        state.SetIterationTime(double(std::max({paste, keystroke, idle})) / 1000.0);
        QApplication::clipboard()->clear();
    }
    state.counters["paste_stall_ms"] = double(paste);
    state.counters["key_stall_ms"] = double(keystroke);
    state.counters["idle_stall_ms"] = double(idle);
    state.counters["result_after_ms"] = double(resultMs);
    state.counters["goal_stall_ms"] = 100;
}

} // namespace

static void BM_ChiffrenTypingAtLimitAdfgx(benchmark::State &state)
{
    typingAtLimit(state, "ADFGX", "GEOCACHE");
}
BENCHMARK(BM_ChiffrenTypingAtLimitAdfgx)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

static void BM_ChiffrenTypingAtLimitAdfgxOneLine(benchmark::State &state)
{
    typingAtLimit(state, "ADFGX", "GEOCACHE", true);
}
BENCHMARK(BM_ChiffrenTypingAtLimitAdfgxOneLine)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

static void BM_ChiffrenTypingAtLimitAtbash(benchmark::State &state)
{
    typingAtLimit(state, "Atbash", "");
}
BENCHMARK(BM_ChiffrenTypingAtLimitAtbash)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
