#include "gui/app/panels/gboxRoemZahlen.h"

#include "gui/app/AppContext.h"
#include "gui/app/panels/KeyPressFilter.h"
#include "gui/support/DesignSize.h"
#include "gui/support/FocusColour.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/PasteLimit.h"
#include "gui/support/ResultLabel.h"
#include "gui/support/WidgetStyle.h"
#include "logic/common/Numbers.h"
#include "logic/tools/TypedCharacters.h"
#include "logic/tools/hfunctions.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace {

QLabel *resultLabel(QWidget *parent, const char *name, const QColor &colour)
{
    auto *label = named(new QLabel(parent), name);
    setBold(label);
    setTextColour(label, colour);
    // A numeral of many thousands is clipped at the panel's edge instead of widening the window.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    ResultLabel::makeCopyable(label);
    return label;
}

} // namespace

gboxRömZahlen::gboxRömZahlen(AppContext &context, QWidget *parent)
    : ToolPanel(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("gboxRömZahlen"));
    createControls();
    connectHandlers();
    bbtnRöm2Dez->setText(QStringLiteral("Dechiffriere"));
    bbtnDez2Röm->setText(QStringLiteral("Chiffriere"));
    lblRöm2Dez->clear();
    lblDez2Röm->clear();
}

void gboxRömZahlen::createControls()
{
    Label9 = named(new QLabel(QStringLiteral("Römische Zahl:"), this), "Label9");
    edtRöm2Dez = named(new QLineEdit(this), "edtRöm2Dez");
    attachFocusColour(edtRöm2Dez);
    cboxRömUnerlaubteZeichen =
        named(new QCheckBox(QStringLiteral(" Unerlaubte Zeichen unterdrücken"), this),
              "cboxRömUnerlaubteZeichen");
    cboxRömUnerlaubteZeichen->setChecked(true);
    bbtnRöm2Dez = named(new QPushButton(this), "bbtnRöm2Dez");
    lblRöm2Dez = resultLabel(this, "lblRöm2Dez", Colours::kGreen);
    Label13 = named(new QLabel(QStringLiteral("Dezimalzahl:"), this), "Label13");
    edtDez2Röm = named(new QLineEdit(this), "edtDez2Röm");
    attachFocusColour(edtDez2Röm);
    bbtnDez2Röm = named(new QPushButton(this), "bbtnDez2Röm");
    lblDez2Röm = resultLabel(this, "lblDez2Röm", Colours::kNavy);
    for (QLineEdit *field : {edtRöm2Dez, edtDez2Röm}) {
        field->setMaximumWidth(DesignSize::px(this, 260));
        field->setMaxLength(std::numeric_limits<int>::max());
        limitPasteLength(field, m_context.dialogs);
    }

    auto *grid = new QGridLayout;
    grid->setColumnStretch(3, 1);
    grid->setVerticalSpacing(DesignSize::px(this, 8));
    grid->addWidget(Label9, 0, 0);
    grid->addWidget(edtRöm2Dez, 0, 1);
    grid->addWidget(bbtnRöm2Dez, 0, 2);
    grid->addWidget(lblRöm2Dez, 0, 3);
    grid->addWidget(cboxRömUnerlaubteZeichen, 1, 1, 1, 3);
    grid->setRowMinimumHeight(2, DesignSize::px(this, 16));
    grid->addWidget(Label13, 3, 0);
    grid->addWidget(edtDez2Röm, 3, 1);
    grid->addWidget(bbtnDez2Röm, 3, 2);
    grid->addWidget(lblDez2Röm, 3, 3);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
}

void gboxRömZahlen::connectHandlers()
{
    connect(cboxRömUnerlaubteZeichen, &QCheckBox::toggled, this,
            [this] { cboxRömUnerlaubteZeichenClick(); });
    onKeyPress(edtRöm2Dez, [this](QChar &key) { edtRöm2DezKeyPress(key); });
    onKeyPress(edtDez2Röm, [this](QChar &key) { edtDez2RömKeyPress(key); });
    connect(bbtnRöm2Dez, &QPushButton::clicked, this, [this] { bbtnRöm2DezClick(); });
    connect(bbtnDez2Röm, &QPushButton::clicked, this, [this] { bbtnDez2RömClick(); });
}

void gboxRömZahlen::nodeChosen()
{
    guarded(m_context.dialogs, this, [this] {
        edtRöm2Dez->clear();
        edtDez2Röm->clear();
    });
}

void gboxRömZahlen::cboxRömUnerlaubteZeichenClick()
{
    guarded(m_context.dialogs, this,
            [this] { m_roemAlleBuchstaben = !cboxRömUnerlaubteZeichen->isChecked(); });
}

void gboxRömZahlen::edtRöm2DezKeyPress(QChar &key)
{
    guarded(m_context.dialogs, this, [&] {
        if (key == kBackspaceKey)
            return;
        key = TypedCharacters::romanFieldTyped(key);
        if (!TypedCharacters::romanField(key, m_roemAlleBuchstaben))
            key = QChar();
    });
}

void gboxRömZahlen::edtDez2RömKeyPress(QChar &key)
{
    guarded(m_context.dialogs, this, [&] {
        if (key != kBackspaceKey && !TypedCharacters::decimalField(key))
            key = QChar();
    });
}

void gboxRömZahlen::bbtnRöm2DezClick()
{
    guarded(m_context.dialogs, this, [this] {
        const QString text = edtRöm2Dez->text();
        ResultLabel::show(lblRöm2Dez,
                          text.isEmpty() ? QString() : QString::number(hfunctions::Roem2Dez(text)));
    });
}

void gboxRömZahlen::bbtnDez2RömClick()
{
    guarded(m_context.dialogs, this, [this] {
        const QString text = edtDez2Röm->text();
        ResultLabel::show(
            lblDez2Röm, text.isEmpty() ? QString() : hfunctions::Dez2Roem(Numbers::strToInt(text)));
    });
}
