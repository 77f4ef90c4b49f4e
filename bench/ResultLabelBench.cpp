// How long a tool takes from the click to the shown result when the result is huge: the Roman
// numeral of 2147483647 has 2.1 million characters. A label laying out the whole text froze the
// window for about 1.5 s; shown shortened it must stay well within 100 ms.

#include "fakes/TestApp.h"
#include "gui/app/panels/gboxQuersumme.h"
#include "gui/app/panels/gboxRoemZahlen.h"
#include "gui/support/ResultLabel.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <benchmark/benchmark.h>

namespace {

struct NoHeader : HeaderLines
{
    void setOben(const QString &) override { }
    void setOben2(const QString &) override { }
};

// Click, then let the panel lay out and paint as the user would see it.
void clickAndShow(QWidget &panel, QPushButton *button)
{
    button->click();
    panel.repaint();
    QApplication::processEvents();
}

} // namespace

static void BM_RomanNumeralOfTheLargestInteger(benchmark::State &state)
{
    TestApp app;
    gboxRömZahlen panel(app.context);
    panel.resize(800, 300);
    panel.show();
    panel.edtDez2Röm->setText(QStringLiteral("2147483647"));
    for (auto _ : state) {
        clickAndShow(panel, panel.bbtnDez2Röm);
        benchmark::DoNotOptimize(panel.lblDez2Röm->text());
    }
}
BENCHMARK(BM_RomanNumeralOfTheLargestInteger)->Unit(benchmark::kMillisecond);

// The decimal value of a 20,000-digit hexadecimal number (about 24,000 digits) in the digit-sum
// panel.
static void BM_DigitSumOfALongHexNumber(benchmark::State &state)
{
    TestApp app;
    NoHeader header;
    gboxQuersumme panel(app.context, header);
    panel.resize(800, 400);
    panel.show();
    panel.rbtnHexadezimal->setChecked(true);
    panel.edtZahlQS->setText(QString(20000, u'F'));
    for (auto _ : state) {
        clickAndShow(panel, panel.bbtnQuersummeBerechnen);
        benchmark::DoNotOptimize(panel.lblDezimal->text());
    }
}
BENCHMARK(BM_DigitSumOfALongHexNumber)->Unit(benchmark::kMillisecond);

// The label alone: showing a result of 2.1 million characters, shortened.
static void BM_ShowHugeResult(benchmark::State &state)
{
    QLabel label;
    label.resize(600, 30);
    label.show();
    const QString result(2147483, u'M');
    for (auto _ : state) {
        ResultLabel::show(&label, result);
        label.repaint();
    }
}
BENCHMARK(BM_ShowHugeResult)->Unit(benchmark::kMillisecond);
