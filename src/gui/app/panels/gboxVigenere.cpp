#include "gui/app/panels/gboxVigenere.h"

#include "gui/app/AppContext.h"
#include "gui/app/panels/CipherPanelLook.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/PasteLimit.h"
#include "logic/tools/CryptoTools.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace CipherLook;

namespace {

const QString kSampleSentence =
    QStringLiteral("Franz jagt im komplett verwahrlosten Taxi quer durch Bayern");

QCheckBox *option(const char *name, QWidget *parent, const char16_t *caption,
                  const char16_t *hint = nullptr, bool enabled = false)
{
    auto *box = named<QCheckBox>(name, parent, QString::fromUtf16(caption));
    if (hint)
        box->setToolTip(QString::fromUtf16(hint));
    box->setEnabled(enabled);
    return box;
}

// Setting a large text costs a new layout and moves the view back to the top, so a key release
// that changes nothing (arrows, Shift) leaves the box as it is.
void replaceText(QPlainTextEdit *box, const QString &text)
{
    if (box->toPlainText() != text)
        box->setPlainText(text);
}

} // namespace

gboxVigenere::gboxVigenere(AppContext &context, QWidget *parent)
    : ToolPanel(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("gboxVigenere"));
    setTitle(QStringLiteral(" Vigenère "));
    setFont(panelFont());
    createTextBoxes();
    createOptions();
    connectHandlers();

    auto *layout = new QHBoxLayout(this);
    auto *texts = new QVBoxLayout;
    texts->addWidget(Label17);
    texts->addWidget(rtfVigenereDecrypt, 1);
    texts->addWidget(Label25);
    texts->addWidget(edtVigenereKey);
    texts->addWidget(Label21);
    texts->addWidget(rtfVigenereEncrypt, 1);
    layout->addLayout(texts, 1);
    auto *options = new QVBoxLayout;
    options->addWidget(GroupBox1);
    options->addStretch();
    layout->addLayout(options);
}

void gboxVigenere::createTextBoxes()
{
    Label17 = named<QLabel>("Label17", this, QStringLiteral("Entschlüsselter Text:"));
    rtfVigenereDecrypt = textBox("rtfVigenereDecrypt", this, kGreen);
    Label25 = named<QLabel>("Label25", this, QStringLiteral("Schlüssel:"));
    edtVigenereKey = named<QLineEdit>("edtVigenereKey", this);
    Label21 = named<QLabel>("Label21", this, QStringLiteral("Verschlüsselter Text:"));
    rtfVigenereEncrypt = textBox("rtfVigenereEncrypt", this, kNavy);
    limitPasteLength(rtfVigenereDecrypt, m_context.dialogs);
    limitPasteLength(edtVigenereKey, m_context.dialogs);
    limitPasteLength(rtfVigenereEncrypt, m_context.dialogs);
    bbtnDecrypt = named<QPushButton>("bbtnDecrypt", this);
    bbtnEncrypt = named<QPushButton>("bbtnEncrypt", this);
    bbtnDecrypt->hide();
    bbtnEncrypt->hide();
    setTabOrder(rtfVigenereDecrypt, edtVigenereKey);
    setTabOrder(edtVigenereKey, rtfVigenereEncrypt);
}

void gboxVigenere::createOptions()
{
    GroupBox1 = named<QGroupBox>("GroupBox1", this);
    rbtnEnCrypt = named<QRadioButton>("rbtnEnCrypt", GroupBox1, QStringLiteral("Verschlüsseln"));
    setTextColour(rbtnEnCrypt, kGreen);
    rbtnEnCrypt->setChecked(true);
    rbtnDecrypt = named<QRadioButton>("rbtnDecrypt", GroupBox1, QStringLiteral("Entschlüsseln"));
    cboxCaseSensitiv = option("cboxCaseSensitiv", GroupBox1, u" Case-sensitiv",
                              u"Groß- und Kleinschreibung wird unterschieden");
    CheckBox7 = option("CheckBox7", GroupBox1, u" Nicht im Alphabet",
                       u"Nicht im Alphabet enthaltene Zeichen beibehalten");
    CheckBox8 = option("CheckBox8", GroupBox1, u" 5er-Blöcke",
                       u"Leerzeichen entfernen und 5er-Blöcke bilden");
    cboxVigGross =
        option("cboxVigGross", GroupBox1, u" Großbuchstaben", u"Großbuchstaben verwenden", true);
    cboxVigGross->setChecked(true);
    cboxVigKlein =
        option("cboxVigKlein", GroupBox1, u" Kleinbuchsstaben", u"Kleinbuchstaben verwenden");
    CheckBox3 = option("CheckBox3", GroupBox1, u" Leerzeichen");
    CheckBox4 = option("CheckBox4", GroupBox1, u" Ziffern");
    CheckBox5 = option("CheckBox5", GroupBox1, u" Satzzeichen");
    CheckBox6 = option("CheckBox6", GroupBox1, u" Umlaute");

    auto *layout = new QVBoxLayout(GroupBox1);
    for (QWidget *w : std::initializer_list<QWidget *> {
             rbtnEnCrypt, rbtnDecrypt, cboxCaseSensitiv, CheckBox7, CheckBox8, cboxVigGross,
             cboxVigKlein, CheckBox3, CheckBox4, CheckBox5, CheckBox6})
        layout->addWidget(w);
}

void gboxVigenere::connectHandlers()
{
    connect(rbtnEnCrypt, &QRadioButton::clicked, this, [this] { rbtnEnCryptClick(); });
    connect(rbtnDecrypt, &QRadioButton::clicked, this, [this] { rbtnDecryptClick(); });
    connect(cboxVigGross, &QCheckBox::clicked, this, [this] { cboxVigGrossClick(); });
    edtVigenereKey->installEventFilter(this);
    rtfVigenereDecrypt->installEventFilter(this);
    rtfVigenereEncrypt->installEventFilter(this);
}

bool gboxVigenere::eventFilter(QObject *watched, QEvent *event)
{
    // Every released key counts, also arrows and Shift; a held key counts once, when let go.
    if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
        if (watched == edtVigenereKey)
            edtVigenereKeyKeyUp();
        else if (watched == rtfVigenereDecrypt)
            rtfVigenereDecryptKeyUp();
        else if (watched == rtfVigenereEncrypt)
            rtfVigenereEncryptKeyUp();
    }
    return ToolPanel::eventFilter(watched, event);
}

void gboxVigenere::nodeChosen()
{
    guarded(m_context.dialogs, this, [&] {
        rtfVigenereDecrypt->setPlainText(kSampleSentence);
        rtfVigenereEncrypt->clear();
        edtVigenereKey->clear();
        bbtnDecrypt->setText(QStringLiteral("Entschlüsseln"));
        bbtnEncrypt->setText(QStringLiteral("Verschlüsseln"));
    });
}

void gboxVigenere::edtVigenereKeyKeyUp()
{
    guarded(m_context.dialogs, this, [&] {
        const QString key = edtVigenereKey->text();
        if (key.isEmpty()) {
            rtfVigenereEncrypt->clear();
            return;
        }
        const QString plain = rtfVigenereDecrypt->toPlainText();
        if (!plain.isEmpty())
            replaceText(rtfVigenereEncrypt, VigenereEncrypt(plain, key, m_vigGross));
    });
}

void gboxVigenere::rtfVigenereDecryptKeyUp()
{
    guarded(m_context.dialogs, this, [&] {
        const QString plain = rtfVigenereDecrypt->toPlainText();
        const QString key = edtVigenereKey->text();
        if (!plain.isEmpty() && !key.isEmpty())
            replaceText(rtfVigenereEncrypt, VigenereEncrypt(plain, key, m_vigGross));
        rbtnEnCrypt->setChecked(true); // marks the direction only, clears nothing
    });
}

void gboxVigenere::rtfVigenereEncryptKeyUp()
{
    guarded(m_context.dialogs, this, [&] {
        const QString cipher = rtfVigenereEncrypt->toPlainText();
        const QString key = edtVigenereKey->text();
        if (!cipher.isEmpty() && !key.isEmpty())
            replaceText(rtfVigenereDecrypt, VigenereDecrypt(cipher, key));
        rbtnDecrypt->setChecked(true);
    });
}

void gboxVigenere::rbtnEnCryptClick()
{
    guarded(m_context.dialogs, this, [&] { rtfVigenereEncrypt->clear(); });
}

void gboxVigenere::rbtnDecryptClick()
{
    guarded(m_context.dialogs, this, [&] { rtfVigenereDecrypt->clear(); });
}

void gboxVigenere::cboxVigGrossClick()
{
    guarded(m_context.dialogs, this, [&] { m_vigGross = cboxVigGross->isChecked(); });
}
