#include "gui/app/panels/gboxQuersumme.h"

#include "gui/app/AppContext.h"
#include "gui/app/panels/DigitSumRows.h"
#include "gui/app/panels/KeyPressFilter.h"
#include "gui/support/DesignSize.h"
#include "gui/support/FocusColour.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/PasteLimit.h"
#include "gui/support/ResultLabel.h"
#include "gui/support/WidgetStyle.h"
#include "logic/tools/TypedCharacters.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <limits>

using QuersummenKette::Zahlensystem;

namespace {

// What choosing a number system shows: the instruction above the field and the two header lines.
struct SystemTexts
{
    const char16_t *anweisung;
    const char16_t *oben;
    const char16_t *oben2;
};

SystemTexts textsFor(Zahlensystem system)
{
    switch (system) {
    case Zahlensystem::Hexadezimal:
        return {u"Bitte eine Hexadezimalzahl eingeben:",
                u"Verfügbare Zahlen: 0 1 2 3 4 5 6 7 8 9 A B C D E F", u""};
    case Zahlensystem::Binaer:
        return {u"Bitte eine Binärzahl eingeben:", u"Verfügbare Zahlen: 0 1", u""};
    case Zahlensystem::Oktal:
        return {u"Bitte eine Oktalzahl eingeben:", u"Verfügbare Zahlen: 0 1 2 3 4 5 6 7", u""};
    case Zahlensystem::Dezimal:
        break;
    }
    return {u"Bitte eine Dezimalzahl eingeben:", u"Verfügbare Zahlen: 0 1 2 3 4 5 6 7 8 9",
            u"Buchstaben/Sonderzeichen werden nicht berücksichtigt !"};
}

} // namespace

gboxQuersumme::gboxQuersumme(AppContext &context, HeaderLines &header, QWidget *parent)
    : ToolPanel(parent)
    , m_context(context)
    , m_header(header)
{
    setObjectName(QStringLiteral("gboxQuersumme"));
    createControls();
    connectHandlers();
    lblAnweisung->setText(QString::fromUtf16(textsFor(m_zahlensystem).anweisung));
    ResetQuersumme();
}

gboxQuersumme::~gboxQuersumme() = default;

void gboxQuersumme::createControls()
{
    GroupBox2 = named(new QGroupBox(this), "GroupBox2");
    rbtnDezimal = named(new QRadioButton(QStringLiteral("Dezimal"), GroupBox2), "rbtnDezimal");
    rbtnHexadezimal =
        named(new QRadioButton(QStringLiteral("Hexadezimal"), GroupBox2), "rbtnHexadezimal");
    rbtBinär = named(new QRadioButton(QStringLiteral("Binär"), GroupBox2), "rbtBinär");
    rbtnOktal = named(new QRadioButton(QStringLiteral("Oktal"), GroupBox2), "rbtnOktal");
    rbtnDezimal->setChecked(true);
    auto *systems = new QHBoxLayout(GroupBox2);
    for (QRadioButton *button : {rbtnDezimal, rbtnHexadezimal, rbtBinär, rbtnOktal})
        systems->addWidget(button);
    systems->addStretch();

    lblAnweisung = named(new QLabel(this), "lblAnweisung");
    edtZahlQS = named(new QLineEdit(this), "edtZahlQS");
    edtZahlQS->setMaxLength(std::numeric_limits<int>::max());
    attachFocusColour(edtZahlQS);
    limitPasteLength(edtZahlQS, m_context.dialogs);
    bbtnQuersummeBerechnen =
        named(new QPushButton(QStringLiteral("Berechnen"), this), "bbtnQuersummeBerechnen");
    auto *input = new QHBoxLayout;
    input->addWidget(edtZahlQS, 1);
    input->addWidget(bbtnQuersummeBerechnen);

    Label1 = named(new QLabel(QStringLiteral("Dezimal:"), this), "Label1");
    lblDezimal = named(new QLabel(this), "lblDezimal");
    // A long value is clipped at the panel's edge instead of widening the window; it can still
    // be selected and copied.
    lblDezimal->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    ResultLabel::makeCopyable(lblDezimal);
    auto *results = new QGridLayout;
    results->setColumnStretch(1, 1);
    results->addWidget(Label1, 0, 0);
    results->addWidget(lblDezimal, 0, 1);
    m_rows = std::make_unique<DigitSumRows>(this, results, 1, QStringLiteral("lblIteration"),
                                            QStringLiteral("lblQuersumme"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox2);
    layout->addSpacing(DesignSize::px(this, 8));
    layout->addWidget(lblAnweisung);
    layout->addLayout(input);
    layout->addSpacing(DesignSize::px(this, 8));
    layout->addLayout(results);
    layout->addStretch();
}

void gboxQuersumme::connectHandlers()
{
    const auto onMarked = [this](QRadioButton *button, void (gboxQuersumme::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    onMarked(rbtnDezimal, &gboxQuersumme::rbtnDezimalClick);
    onMarked(rbtnHexadezimal, &gboxQuersumme::rbtnHexadezimalClick);
    onMarked(rbtBinär, &gboxQuersumme::rbtBinärClick);
    onMarked(rbtnOktal, &gboxQuersumme::rbtnOktalClick);
    onKeyPress(edtZahlQS, [this](QChar &key) { edtZahlQSKeyPress(key); });
    connect(bbtnQuersummeBerechnen, &QPushButton::clicked, this,
            [this] { bbtnQuersummeBerechnenClick(); });
}

void gboxQuersumme::nodeChosen()
{
    guarded(m_context.dialogs, this, [this] {
        // Marking the button runs its handler; an already marked one is applied explicitly.
        if (rbtnDezimal->isChecked())
            rbtnDezimalClick();
        else
            rbtnDezimal->setChecked(true);
        edtZahlQS->clear();
    });
}

void gboxQuersumme::applyZahlensystem(Zahlensystem system)
{
    guarded(m_context.dialogs, this, [&] {
        m_zahlensystem = system;
        const SystemTexts texts = textsFor(system);
        lblAnweisung->setText(QString::fromUtf16(texts.anweisung));
        m_header.setOben(QString::fromUtf16(texts.oben));
        m_header.setOben2(QString::fromUtf16(texts.oben2));
        ResetQuersumme();
        edtZahlQS->clear();
    });
}

void gboxQuersumme::rbtnDezimalClick()
{
    applyZahlensystem(Zahlensystem::Dezimal);
}

void gboxQuersumme::rbtnHexadezimalClick()
{
    applyZahlensystem(Zahlensystem::Hexadezimal);
}

void gboxQuersumme::rbtBinärClick()
{
    applyZahlensystem(Zahlensystem::Binaer);
}

void gboxQuersumme::rbtnOktalClick()
{
    applyZahlensystem(Zahlensystem::Oktal);
}

void gboxQuersumme::ResetQuersumme()
{
    lblDezimal->setText(QStringLiteral("0"));
    m_rows->reset();
}

void gboxQuersumme::edtZahlQSKeyPress(QChar &key)
{
    guarded(m_context.dialogs, this, [&] {
        if (key == kEnterKey)
            focusNextControl(edtZahlQS);
        if (key == kBackspaceKey)
            return;
        if (!TypedCharacters::digitSumField(key, m_zahlensystem))
            key = QChar();
    });
}

void gboxQuersumme::bbtnQuersummeBerechnenClick()
{
    guarded(m_context.dialogs, this, [this] {
        const QString text = edtZahlQS->text();
        if (text.isEmpty())
            return;
        ResetQuersumme();
        const QString decimal = QuersummenKette::toDecimal(text, m_zahlensystem);
        ResultLabel::show(lblDezimal, decimal);
        m_rows->show(QuersummenKette::digitSums(decimal));
    });
}
