#include "gui/app/panels/gboxBWW.h"

#include "gui/app/AppContext.h"
#include "gui/app/panels/DigitSumRows.h"
#include "gui/app/panels/KeyPressFilter.h"
#include "gui/support/DesignSize.h"
#include "gui/support/FocusColour.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/PasteLimit.h"
#include "gui/support/ResultLabel.h"
#include "gui/support/WidgetStyle.h"
#include "logic/tools/CryptoTools_WortWert.h"
#include "logic/tools/QuersummenKette.h"
#include "logic/tools/hfunctions.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace {

// A check box without caption with its caption label beside it.
QHBoxLayout *optionRow(QCheckBox *box, QLabel *caption)
{
    auto *row = new QHBoxLayout;
    row->addWidget(box);
    row->addWidget(caption);
    row->addStretch();
    return row;
}

} // namespace

gboxBWW::gboxBWW(AppContext &context, QWidget *parent)
    : ToolPanel(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("gboxBWW"));
    createControls();
    connectHandlers();
    recompute();
}

gboxBWW::~gboxBWW() = default;

void gboxBWW::createControls()
{
    cboxBWWInvers = named(new QCheckBox(this), "cboxBWWInvers");
    lblBWWInvers = named(new QLabel(QStringLiteral(" Invers (A=26 .. Z=1)"), this), "lblBWWInvers");
    cboxBWWPlusNummer = named(new QCheckBox(this), "cboxBWWPlusNummer");
    lblBWWPlusNummer =
        named(new QLabel(QStringLiteral("Zahlen mitaddieren"), this), "lblBWWPlusNummer");
    setTextColour(lblBWWInvers, Colours::kBlack);
    setTextColour(lblBWWPlusNummer, Colours::kBlack);

    edtWort = named(new QLineEdit(this), "edtWort");
    edtWort->setMaxLength(std::numeric_limits<int>::max());
    attachFocusColour(edtWort);
    limitPasteLength(edtWort, m_context.dialogs);
    bbtnQuersumme = named(new QPushButton(QStringLiteral("Quersumme"), this), "bbtnQuersumme");
    bbtnQuersumme->setEnabled(false);
    auto *input = new QHBoxLayout;
    input->addWidget(edtWort, 1);
    input->addWidget(bbtnQuersumme);

    auto *sums = new QGridLayout;
    sums->setColumnStretch(1, 1);
    m_rows = std::make_unique<DigitSumRows>(this, sums, 0, QStringLiteral("lblBWWIteration"),
                                            QStringLiteral("lblBWWQuersumme"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(optionRow(cboxBWWInvers, lblBWWInvers));
    layout->addLayout(optionRow(cboxBWWPlusNummer, lblBWWPlusNummer));
    layout->addSpacing(DesignSize::px(this, 8));
    layout->addLayout(input);
    layout->addSpacing(DesignSize::px(this, 8));
    layout->addLayout(createCounts());
    layout->addSpacing(DesignSize::px(this, 8));
    layout->addLayout(sums);
    layout->addStretch();
}

// The letter sum, the character count with its blanks option and the word count.
QGridLayout *gboxBWW::createCounts()
{
    Label5 = named(new QLabel(QStringLiteral("Summe der Buchstabenwerte:"), this), "Label5");
    lblErgebnis = named(new QLabel(this), "lblErgebnis");
    ResultLabel::makeCopyable(lblErgebnis);
    Label6 = named(new QLabel(QStringLiteral("Anzahl der Zeichen:"), this), "Label6");
    lblAnzahlZeichen = named(new QLabel(this), "lblAnzahlZeichen");
    ResultLabel::makeCopyable(lblAnzahlZeichen);
    cboxSpaces = named(new QCheckBox(QStringLiteral(" inkl Leerzeichen"), this), "cboxSpaces");
    Label28 = named(new QLabel(QStringLiteral("Anzahl der Wörter:"), this), "Label28");
    lblAnzahlWort = named(new QLabel(this), "lblAnzahlWort");
    ResultLabel::makeCopyable(lblAnzahlWort);
    auto *counts = new QGridLayout;
    counts->setColumnStretch(3, 1);
    counts->setColumnMinimumWidth(1, 80);
    counts->addWidget(Label5, 0, 0);
    counts->addWidget(lblErgebnis, 0, 1);
    counts->addWidget(Label6, 1, 0);
    counts->addWidget(lblAnzahlZeichen, 1, 1);
    counts->addWidget(cboxSpaces, 1, 2);
    counts->addWidget(Label28, 2, 0);
    counts->addWidget(lblAnzahlWort, 2, 1);
    return counts;
}

void gboxBWW::connectHandlers()
{
    connect(edtWort, &QLineEdit::textChanged, this, [this] { edtWortChange(); });
    connect(cboxBWWInvers, &QCheckBox::toggled, this, [this] { cboxBWWInversClick(); });
    connect(cboxBWWPlusNummer, &QCheckBox::toggled, this, [this] { cboxBWWPlusNummerClick(); });
    connect(cboxSpaces, &QCheckBox::toggled, this, [this] { cboxSpacesClick(); });
    connect(bbtnQuersumme, &QPushButton::clicked, this, [this] { bbtnQuersummeClick(); });
    onKeyPress(edtWort, [this](QChar &key) { edtWortKeyPress(key); });
}

void gboxBWW::nodeChosen()
{
    guarded(m_context.dialogs, this, [this] {
        ResetBWWQuersumme();
        edtWort->clear();
        lblErgebnis->setText(QStringLiteral("0"));
        lblAnzahlZeichen->setText(QStringLiteral("0"));
        lblAnzahlWort->setText(QStringLiteral("0"));
    });
}

void gboxBWW::recompute()
{
    const bool withDigits = cboxBWWPlusNummer->isChecked();
    const bool inverse = cboxBWWInvers->isChecked();
    const QString text = edtWort->text();
    if (!text.isEmpty()) {
        const auto characters =
            cboxSpaces->isChecked() ? text.size() : hfunctions::CountNonBlank(text);
        lblAnzahlZeichen->setText(QString::number(characters));
        lblErgebnis->setText(CryptoTools::BuchstabenWortWert(text, inverse, withDigits));
        lblAnzahlWort->setText(QString::number(hfunctions::CountWords(text)));
    } else {
        lblErgebnis->setText(QStringLiteral("0"));
        lblAnzahlZeichen->setText(QStringLiteral("0"));
        lblAnzahlWort->setText(QStringLiteral("0"));
        bbtnQuersumme->setEnabled(false);
    }
    UpdateBWWQuersumme();
}

void gboxBWW::edtWortChange()
{
    guarded(m_context.dialogs, this, [this] { recompute(); });
}

void gboxBWW::cboxBWWInversClick()
{
    guarded(m_context.dialogs, this, [this] {
        recompute();
        setTextColour(lblBWWInvers, cboxBWWInvers->isChecked() ? Colours::kRed : Colours::kBlack);
    });
}

void gboxBWW::cboxBWWPlusNummerClick()
{
    guarded(m_context.dialogs, this, [this] {
        recompute();
        setTextColour(lblBWWPlusNummer,
                      cboxBWWPlusNummer->isChecked() ? Colours::kGreen : Colours::kBlack);
    });
}

void gboxBWW::cboxSpacesClick()
{
    guarded(m_context.dialogs, this, [this] { recompute(); });
}

void gboxBWW::edtWortKeyPress(QChar &key)
{
    guarded(m_context.dialogs, this, [&] {
        if (key == kEnterKey)
            focusNextControl(edtWort);
    });
}

void gboxBWW::bbtnQuersummeClick()
{
    guarded(m_context.dialogs, this, [this] { UpdateBWWQuersumme(); });
}

void gboxBWW::UpdateBWWQuersumme()
{
    ResetBWWQuersumme();
    m_rows->show(QuersummenKette::digitSums(lblErgebnis->text()));
}

void gboxBWW::ResetBWWQuersumme()
{
    m_rows->reset();
}
