#include "gui/app/panels/gboxUmrechnung.h"

#include "gui/app/AppContext.h"
#include "gui/app/panels/KeyPressFilter.h"
#include "gui/support/DesignSize.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/PasteLimit.h"
#include "gui/support/ResultLabel.h"
#include "gui/support/WidgetStyle.h"
#include "logic/common/Numbers.h"
#include "logic/tools/hfunctions.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <limits>

namespace {

constexpr int kInchGap = 20; // pixels between "Feet" result, "Inch:" and its result

QLabel *resultLabel(QWidget *parent, const char *name, const QColor &colour)
{
    auto *label = named(new QLabel(QStringLiteral("0"), parent), name);
    setBold(label);
    setTextColour(label, colour);
    ResultLabel::makeCopyable(label);
    return label;
}

QLineEdit *lengthField(QWidget *parent, const char *name)
{
    auto *field = named(new QLineEdit(parent), name);
    setBold(field);
    setTextColour(field, Colours::kPurple);
    field->setMaximumWidth(DesignSize::px(parent, 220));
    field->setMaxLength(std::numeric_limits<int>::max());
    return field;
}

// An integer metre value reads in the integer syntax (so "$A" is 10), anything else as a
// decimal number.
long double readMetres(const QString &text)
{
    if (hfunctions::IsInteger(text))
        return Numbers::strToInt(text);
    return Numbers::strToFloat(text);
}

long double readLengthOrZero(const QLineEdit *field)
{
    return field->text().isEmpty() ? 0.0L : Numbers::strToFloat(field->text());
}

} // namespace

gboxUmrechnung::gboxUmrechnung(AppContext &context, QWidget *parent)
    : ToolPanel(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("gboxUmrechnung"));
    createControls();
    connectHandlers();
    placeInchLabels();
}

void gboxUmrechnung::createControls()
{
    Label30 = named(new QLabel(QStringLiteral("Maßangabe in Meter:"), this), "Label30");
    edtMeter = lengthField(this, "edtMeter");
    Label32 = named(new QLabel(QStringLiteral("Ergebnisse"), this), "Label32");
    Label32->setAutoFillBackground(true);
    QPalette grey = Label32->palette();
    grey.setColor(QPalette::Window, Colours::kLightGrey);
    Label32->setPalette(grey);
    const auto d = [this](int designed) { return DesignSize::px(this, designed); };
    Label32->setContentsMargins(d(6), d(2), d(6), d(2));

    Label38 = named(new QLabel(QStringLiteral("Nur Feet:"), this), "Label38");
    lblErgFeetOnly = resultLabel(this, "lblErgFeetOnly", Colours::kOrange);
    Label42 = named(new QLabel(QStringLiteral("Nur Inch:"), this), "Label42");
    lblErgInchOnly = resultLabel(this, "lblErgInchOnly", Colours::kRedOrange);
    Label40 = named(new QLabel(QStringLiteral("Maßangabe in Feet:"), this), "Label40");
    edtFeet = lengthField(this, "edtFeet");
    edtFeet->setText(QStringLiteral("0"));
    Label44 = named(new QLabel(QStringLiteral("und Inch:"), this), "Label44");
    edtInch = lengthField(this, "edtInch");
    edtInch->setText(QStringLiteral("0"));
    for (QLineEdit *field : {edtMeter, edtFeet, edtInch})
        limitPasteLength(field, m_context.dialogs);
    Label46 = named(new QLabel(QStringLiteral("Ergebnis in Meter:"), this), "Label46");
    lblErgMeter = resultLabel(this, "lblErgMeter", Colours::kNavy);

    auto *grid = new QGridLayout;
    grid->setColumnStretch(2, 1);
    grid->setVerticalSpacing(d(8));
    grid->addWidget(Label30, 0, 0);
    grid->addWidget(edtMeter, 0, 1);
    grid->addWidget(Label32, 1, 0, 1, 3);
    Label34 = named(new QLabel(QStringLiteral("Feet:"), this), "Label34");
    grid->addWidget(Label34, 2, 0);
    grid->addWidget(createFeetRow(), 2, 1, 1, 2);
    grid->addWidget(Label38, 3, 0);
    grid->addWidget(lblErgFeetOnly, 3, 1);
    grid->addWidget(Label42, 4, 0);
    grid->addWidget(lblErgInchOnly, 4, 1);
    grid->setRowMinimumHeight(5, d(16));
    grid->addWidget(Label40, 6, 0);
    grid->addWidget(edtFeet, 6, 1);
    grid->addWidget(Label44, 7, 0);
    grid->addWidget(edtInch, 7, 1);
    grid->addWidget(Label46, 8, 0);
    grid->addWidget(lblErgMeter, 8, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
}

// The whole feet, then "Inch:" and its result placed by hand right after them, so the inch pair
// follows the width of the feet result.
QWidget *gboxUmrechnung::createFeetRow()
{
    auto *row = new QWidget(this);
    lblErgFeet = resultLabel(row, "lblErgFeet", Colours::kNavy);
    Label36 = named(new QLabel(QStringLiteral("Inch:"), row), "Label36");
    lblErgInch = resultLabel(row, "lblErgInch", Colours::kGreen);
    lblErgFeet->move(0, 0);
    row->setMinimumHeight(lblErgFeet->sizeHint().height());
    return row;
}

void gboxUmrechnung::connectHandlers()
{
    onKeyPress(edtMeter, [this](QChar &key) { edtMeterKeyPress(key); });
    connect(edtMeter, &QLineEdit::textChanged, this, [this] { edtMeterChange(); });
    onExit(edtMeter, [this] { edtMeterExit(); });
    connect(edtFeet, &QLineEdit::textChanged, this, [this] { edtFeetChange(); });
    connect(edtInch, &QLineEdit::textChanged, this, [this] { edtFeetChange(); });
}

void gboxUmrechnung::placeInchLabels()
{
    lblErgFeet->adjustSize();
    Label36->adjustSize();
    lblErgInch->adjustSize();
    const int gap = DesignSize::px(this, kInchGap);
    Label36->move(lblErgFeet->x() + lblErgFeet->width() + gap, lblErgFeet->y());
    lblErgInch->move(Label36->x() + Label36->width() + gap, lblErgFeet->y());
}

void gboxUmrechnung::edtMeterKeyPress(QChar &key)
{
    guarded(m_context.dialogs, this, [&] {
        if (key == u'.')
            key = u',';
    });
}

void gboxUmrechnung::edtMeterChange()
{
    guarded(m_context.dialogs, this, [this] {
        if (!edtMeter->text().isEmpty()) {
            QString text = edtMeter->text();
            text.replace(u'.', u',');
            if (text != edtMeter->text()) {
                // The field takes the rewritten text without a nested run of this handler: that
                // run would convert the same text in a guard of its own, and an invalid text
                // would show its error box twice. Converting it once here ends this run with
                // one box, as for any other invalid text.
                const QSignalBlocker quiet(edtMeter);
                edtMeter->setText(text);
            }
            showMetreResults(text);
        }
        placeInchLabels();
    });
}

void gboxUmrechnung::showMetreResults(const QString &text)
{
    const hfunctions::FeetInch lengths = hfunctions::Meter2FeetInch(readMetres(text));
    lblErgFeet->setText(Numbers::floatToStr(lengths.wholeFeet));
    lblErgInch->setText(Numbers::floatToStr(lengths.remainingInches));
    lblErgFeetOnly->setText(Numbers::floatToStr(lengths.feet));
    lblErgInchOnly->setText(Numbers::floatToStr(lengths.inches));
}

void gboxUmrechnung::edtMeterExit()
{
    guarded(m_context.dialogs, this, [this] {
        if (edtMeter->text().isEmpty())
            edtMeter->setText(QStringLiteral("0"));
    });
}

void gboxUmrechnung::edtFeetChange()
{
    guarded(m_context.dialogs, this, [this] {
        const long double feet = readLengthOrZero(edtFeet);
        const long double inches = readLengthOrZero(edtInch);
        lblErgMeter->setText(Numbers::floatToStr(hfunctions::FeetInch2Meter(feet, inches)));
    });
}
