#include "gui/app/panels/gboxTrifid.h"

#include "gui/app/AppContext.h"
#include "gui/app/panels/CipherPanelLook.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/PasteLimit.h"
#include "logic/tools/CryptoTools.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace CipherLook;

gboxTrifid::gboxTrifid(AppContext &context, QWidget *parent)
    : ToolPanel(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("gboxTrifid"));
    setTitle(QStringLiteral(" Trifid "));
    setFont(panelFont());
    createTextBoxes();
    createOptions();
    connect(bbtnTrifidEncrypt, &QPushButton::clicked, this, [this] { bbtnTrifidEncryptClick(); });
    connect(bbtnTrifidDecrypt, &QPushButton::clicked, this, [this] { bbtnTrifidDecryptClick(); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(bbtnTrifidEncrypt);
    buttons->addWidget(bbtnTrifidDecrypt);
    buttons->addStretch();
    auto *texts = new QVBoxLayout;
    texts->addWidget(Label48);
    texts->addWidget(rtfTrifidDecrypt, 1);
    texts->addWidget(Label50);
    texts->addWidget(edtTrifidKey);
    texts->addLayout(buttons);
    texts->addWidget(Label52);
    texts->addWidget(rtfTrifidEncrypt, 1);
    auto *options = new QVBoxLayout;
    options->addWidget(GroupBox4);
    options->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(texts, 1);
    layout->addLayout(options);
}

void gboxTrifid::createTextBoxes()
{
    Label48 = named<QLabel>("Label48", this, QStringLiteral("Entschlüsselter Text:"));
    rtfTrifidDecrypt = textBox("rtfTrifidDecrypt", this, kGreen);
    Label50 = named<QLabel>("Label50", this, QStringLiteral("Schlüssel:"));
    edtTrifidKey = named<QLineEdit>("edtTrifidKey", this);
    bbtnTrifidEncrypt =
        named<QPushButton>("bbtnTrifidEncrypt", this, QStringLiteral("Verschlüsseln"));
    setTextColour(bbtnTrifidEncrypt, kNavy);
    bbtnTrifidDecrypt =
        named<QPushButton>("bbtnTrifidDecrypt", this, QStringLiteral("Entschlüsseln"));
    setTextColour(bbtnTrifidDecrypt, kGreen);
    Label52 = named<QLabel>("Label52", this, QStringLiteral("Verschlüsselter Text:"));
    rtfTrifidEncrypt = textBox("rtfTrifidEncrypt", this, kNavy);
    limitPasteLength(rtfTrifidDecrypt, m_context.dialogs);
    limitPasteLength(edtTrifidKey, m_context.dialogs);
    limitPasteLength(rtfTrifidEncrypt, m_context.dialogs);
    setTabOrder(rtfTrifidDecrypt, edtTrifidKey);
    setTabOrder(edtTrifidKey, bbtnTrifidEncrypt);
    setTabOrder(bbtnTrifidEncrypt, bbtnTrifidDecrypt);
    setTabOrder(bbtnTrifidDecrypt, rtfTrifidEncrypt);
}

void gboxTrifid::createOptions()
{
    GroupBox4 = named<QGroupBox>("GroupBox4", this);
    CheckBox15 = named<QCheckBox>("CheckBox15", GroupBox4, QStringLiteral(" 5er-Blöcke"));
    CheckBox15->setToolTip(QStringLiteral("Leerzeichen entfernen und 5er-Blöcke bilden"));
    CheckBox15->setEnabled(false);
    // Upper case is the only output there is, so this box only shows it.
    CheckBox1 = named<QCheckBox>("CheckBox1", GroupBox4, QStringLiteral(" Großbuchstaben"));
    CheckBox1->setToolTip(QStringLiteral("Großbuchstaben verwenden"));
    CheckBox1->setChecked(true);
    CheckBox9 = named<QCheckBox>("CheckBox9", GroupBox4, QStringLiteral(" Kleinbuchsstaben"));
    CheckBox9->setToolTip(QStringLiteral("Kleinbuchstaben verwenden"));
    CheckBox9->setEnabled(false);
    auto *layout = new QVBoxLayout(GroupBox4);
    layout->addWidget(CheckBox15);
    layout->addWidget(CheckBox1);
    layout->addWidget(CheckBox9);
}

void gboxTrifid::nodeChosen()
{
    guarded(m_context.dialogs, this, [&] {
        rtfTrifidDecrypt->clear();
        rtfTrifidEncrypt->clear();
        edtTrifidKey->clear();
        bbtnTrifidDecrypt->setText(QStringLiteral("Entschlüsseln"));
        bbtnTrifidEncrypt->setText(QStringLiteral("Verschlüsseln"));
    });
}

bool gboxTrifid::keyGiven()
{
    if (!edtTrifidKey->text().isEmpty())
        return true;
    m_context.dialogs.messageDlg(this, QStringLiteral("Kein Schlüssel vorhanden !"),
                                 Dialogs::Icon::Error, Dialogs::Ok);
    return false;
}

void gboxTrifid::bbtnTrifidEncryptClick()
{
    guarded(m_context.dialogs, this, [&] {
        if (keyGiven())
            rtfTrifidEncrypt->setPlainText(
                TrifidEncrypt(rtfTrifidDecrypt->toPlainText(), edtTrifidKey->text()));
    });
}

void gboxTrifid::bbtnTrifidDecryptClick()
{
    guarded(m_context.dialogs, this, [&] {
        if (keyGiven())
            rtfTrifidDecrypt->setPlainText(
                TrifidDecrypt(rtfTrifidEncrypt->toPlainText(), edtTrifidKey->text()));
    });
}
