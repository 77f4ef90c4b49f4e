#include "gui/app/panels/gboxRotVerschiebung.h"

#include "gui/app/AppContext.h"
#include "gui/app/panels/CipherPanelLook.h"
#include "gui/support/DesignSize.h"
#include "gui/support/FocusColour.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/PasteLimit.h"
#include "gui/tools/Hilfsfenster_Unit.h"
#include "logic/common/Global_Unit.h"
#include "logic/tools/CryptoTools.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace CipherLook;

namespace {

const QString kLettersOnly = QStringLiteral("Verfügbare Zeichen: \"A\"..\"Z\" , \"a\"..\"z\"");
const QString kAskLetters = QStringLiteral("Bitte Buchstaben, Wörter oder einen Text eingeben:");
const QString kAskAnything =
    QStringLiteral("Bitte Zahlen, Buchstaben, Wörter oder einen Text eingeben:");

} // namespace

gboxRotVerschiebung::gboxRotVerschiebung(AppContext &context, HeaderLines &header, QWidget *parent)
    : ToolPanel(parent)
    , m_context(context)
    , m_header(header)
{
    setObjectName(QStringLiteral("gboxRotVerschiebung"));
    setTitle(QStringLiteral(" Rot(ations)-Verschiebung "));
    setFont(panelFont());
    createModeButtons();
    createControls();
    connectHandlers();
}

void gboxRotVerschiebung::createModeButtons()
{
    GroupBox3 = named<QGroupBox>("GroupBox3", this);
    rbtnRot5 = named<QRadioButton>("rbtnRot5", GroupBox3, QStringLiteral("ROT5"));
    rbtnRot13 = named<QRadioButton>("rbtnRot13", GroupBox3, QStringLiteral("ROT13"));
    rbtnRot18 = named<QRadioButton>("rbtnRot18", GroupBox3, QStringLiteral("ROT18"));
    rbtnRot47 = named<QRadioButton>("rbtnRot47", GroupBox3, QStringLiteral("ROT47"));
    rbtnRot1_26 = named<QRadioButton>("rbtnRot1_26", GroupBox3, QStringLiteral("ROT(1..26)"));
    setTextColour(rbtnRot5, kRed);
    setTextColour(rbtnRot18, kRed);
    rbtnRot13->setChecked(true);
    auto *layout = new QHBoxLayout(GroupBox3);
    for (QRadioButton *button : {rbtnRot5, rbtnRot13, rbtnRot18, rbtnRot47, rbtnRot1_26})
        layout->addWidget(button);
    layout->addStretch();
}

void gboxRotVerschiebung::createControls()
{
    lblAnweisung_rot = named<QLabel>("lblAnweisung_rot", this, kAskLetters);
    setTextColour(lblAnweisung_rot, kPurple);
    edtRot = named<QLineEdit>("edtRot", this);
    setTextColour(edtRot, kBlue);
    attachFocusColour(edtRot);
    limitPasteLength(edtRot, m_context.dialogs);
    Label7 = named<QLabel>("Label7", this, QStringLiteral("Original:"));
    lblRotOriginal = named<QLabel>("lblRotOriginal", this);
    setTextColour(lblRotOriginal, kRose);
    lblRotOriginal->setTextFormat(Qt::PlainText); // what the user typed, never markup
    lblRotOriginal->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bbtnChiffreRot = named<QPushButton>("bbtnChiffreRot", this, QStringLiteral("Chiffrieren"));
    setTextColour(bbtnChiffreRot, kGreen);

    auto *original = new QHBoxLayout;
    original->addWidget(Label7);
    original->addWidget(lblRotOriginal, 1);
    auto *button = new QHBoxLayout;
    button->addWidget(bbtnChiffreRot);
    button->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox3);
    layout->addSpacing(DesignSize::px(this, 12));
    layout->addWidget(lblAnweisung_rot);
    layout->addWidget(edtRot);
    layout->addLayout(original);
    layout->addSpacing(DesignSize::px(this, 12));
    layout->addLayout(button);
    layout->addStretch();

    setTabOrder(rbtnRot5, rbtnRot13);
    setTabOrder(rbtnRot13, rbtnRot18);
    setTabOrder(rbtnRot18, rbtnRot47);
    setTabOrder(rbtnRot47, rbtnRot1_26);
    setTabOrder(rbtnRot1_26, edtRot);
    setTabOrder(edtRot, bbtnChiffreRot);
}

void gboxRotVerschiebung::connectHandlers()
{
    connect(rbtnRot5, &QRadioButton::clicked, this, [this] { rbtnRot5Click(); });
    connect(rbtnRot13, &QRadioButton::clicked, this, [this] { rbtnRot13Click(); });
    connect(rbtnRot18, &QRadioButton::clicked, this, [this] { rbtnRot18Click(); });
    connect(rbtnRot47, &QRadioButton::clicked, this, [this] { rbtnRot47Click(); });
    connect(rbtnRot1_26, &QRadioButton::clicked, this, [this] { rbtnRot1_26Click(); });
    connect(bbtnChiffreRot, &QPushButton::clicked, this, [this] { bbtnChiffreRotClick(); });
    edtRot->installEventFilter(this);
}

bool gboxRotVerschiebung::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != edtRot)
        return ToolPanel::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            edtRotKeyPress(key);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Leaving the edit for another control counts; the window losing activation or a
        // context menu opening on the edit does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            edtRotExit();
    }
    return false;
}

void gboxRotVerschiebung::nodeChosen()
{
    guarded(m_context.dialogs, this, [&] {
        rbtnRot13->setChecked(true);
        rbtnRot13Click();
        edtRot->clear();
        lblRotOriginal->clear();
    });
}

void gboxRotVerschiebung::setMode(RotMode mode, const QString &oben2, const QString &anweisung)
{
    m_header.setOben2(oben2);
    lblAnweisung_rot->setText(anweisung);
    m_rotMode = mode;
    if (m_context.globals.settings.ROTEingabe) {
        edtRot->clear();
        lblRotOriginal->clear();
    }
}

void gboxRotVerschiebung::rbtnRot5Click()
{
    guarded(m_context.dialogs, this, [&] {
        setMode(RotMode::Rot5, QStringLiteral("Verfügbare Zeichen: 0 1 2 3 4 5 6 7 8 9"),
                QStringLiteral("Bitte eine Zahl eingeben:"));
    });
}

void gboxRotVerschiebung::rbtnRot13Click()
{
    guarded(m_context.dialogs, this, [&] { setMode(RotMode::Rot13, kLettersOnly, kAskLetters); });
}

void gboxRotVerschiebung::rbtnRot18Click()
{
    guarded(m_context.dialogs, this, [&] {
        setMode(RotMode::Rot18,
                QStringLiteral("Verfügbare Zeichen: \"0\"..\"9\" , \"A\"..\"Z\" , \"a\"..\"z\""),
                kAskAnything);
    });
}

void gboxRotVerschiebung::rbtnRot47Click()
{
    guarded(m_context.dialogs, this, [&] {
        setMode(RotMode::Rot47,
                QStringLiteral("Verfügbare Zeichen: Alle druckbaren Zeichen ! \" §...A...z...~"),
                kAskAnything);
    });
}

void gboxRotVerschiebung::rbtnRot1_26Click()
{
    guarded(m_context.dialogs, this, [&] { setMode(RotMode::Rot1_26, kLettersOnly, kAskLetters); });
}

void gboxRotVerschiebung::edtRotKeyPress(int key)
{
    guarded(m_context.dialogs, this, [&] {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            focusNextChild();
    });
}

void gboxRotVerschiebung::edtRotExit()
{
    guarded(m_context.dialogs, this, [&] { lblRotOriginal->setText(edtRot->text()); });
}

void gboxRotVerschiebung::bbtnChiffreRotClick()
{
    guarded(m_context.dialogs, this, [&] {
        const QString text = edtRot->text();
        if (text.isEmpty())
            return;
        switch (m_rotMode) {
        case RotMode::Rot5:
            edtRot->setText(Rot5(text));
            break;
        case RotMode::Rot13:
            edtRot->setText(Rot13(text));
            break;
        case RotMode::Rot18:
            edtRot->setText(Rot18(text));
            break;
        case RotMode::Rot47:
            edtRot->setText(Rot47(text));
            break;
        case RotMode::Rot1_26:
            if (auto *misc = dynamic_cast<TfrmMisc *>(m_context.windows.misc.get()))
                misc->rot1_26(text);
            break;
        }
    });
}
