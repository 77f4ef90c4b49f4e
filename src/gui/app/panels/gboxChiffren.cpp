#include "gui/app/panels/gboxChiffren.h"

#include "gui/app/AppContext.h"
#include "gui/app/panels/CipherPanelLook.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/LongParagraphEdit.h"
#include "gui/support/PasteLimit.h"
#include "gui/support/ResultLabel.h"
#include "logic/common/QuarvelError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>
#include <QVBoxLayout>

using namespace CipherLook;
using Ciphers::Cipher;
using Ciphers::ParamDecl;
using Ciphers::ParamKind;
using Ciphers::ParamValues;

namespace {

const QString kSampleSentence =
    QStringLiteral("Franz jagt im komplett verwahrlosten Taxi quer durch Bayern");

QLabel *errorLabel(const char *name, QWidget *parent)
{
    auto *label = named<QLabel>(name, parent);
    setTextColour(label, kRed);
    label->setWordWrap(true);
    ResultLabel::makeCopyable(label);
    return label;
}

// The caption of a parameter field: its label and a colon, unless the label ends in a sign of
// its own ("A =").
QString fieldCaption(const QString &label)
{
    if (label.endsWith(u'=') || label.endsWith(u':'))
        return label;
    return label + u':';
}

} // namespace

gboxChiffren::gboxChiffren(AppContext &context, QWidget *parent)
    : ToolPanel(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("gboxChiffren"));
    setTitle(QStringLiteral(" Weitere Chiffren "));
    setFont(panelFont());
    createControls();
    layOut();
    m_pause = new QTimer(this);
    m_pause->setSingleShot(true);
    m_pause->setInterval(kPauseMs);
    connect(m_pause, &QTimer::timeout, this,
            [this] { guarded(m_context.dialogs, this, [this] { startInBackground(); }); });
    connect(lstChiffren, &QListWidget::currentRowChanged, this,
            [this] { guarded(m_context.dialogs, this, [this] { lstChiffrenChange(); }); });
    connect(rtfKlartext, &QPlainTextEdit::textChanged, this,
            [this] { guarded(m_context.dialogs, this, [this] { rtfKlartextChange(); }); });
    connect(rtfGeheimtext, &QPlainTextEdit::textChanged, this,
            [this] { guarded(m_context.dialogs, this, [this] { rtfGeheimtextChange(); }); });
    rtfKlartext->setPlainText(kSampleSentence);
    lstChiffren->setCurrentRow(0);
}

void gboxChiffren::createControls()
{
    lstChiffren = named<QListWidget>("lstChiffren", this);
    for (const Cipher &cipher : Ciphers::cipherRegistry()) {
        auto *item = new QListWidgetItem(cipher.germanName, lstChiffren);
        item->setToolTip(cipher.explanation);
    }
    lblErklaerung = named<QLabel>("lblErklaerung", this);
    lblErklaerung->setWordWrap(true);
    pnlParameter = named<QWidget>("pnlParameter", this);
    m_form = new QGridLayout(pnlParameter);
    m_form->setContentsMargins(0, 0, 0, 0);
    lblParameterFehler = errorLabel("lblParameterFehler", this);
    lblKlartext = named<QLabel>("lblKlartext", this, QStringLiteral("Klartext:"));
    lblKlartextFehler = errorLabel("lblKlartextFehler", this);
    rtfKlartext = textBox<LongParagraphEdit>("rtfKlartext", this, kGreen);
    lblGeheimtext = named<QLabel>("lblGeheimtext", this, QStringLiteral("Geheimtext:"));
    lblGeheimtextFehler = errorLabel("lblGeheimtextFehler", this);
    rtfGeheimtext = textBox<LongParagraphEdit>("rtfGeheimtext", this, kNavy);
    limitPasteLength(rtfKlartext, m_context.dialogs);
    limitPasteLength(rtfGeheimtext, m_context.dialogs);
}

void gboxChiffren::layOut()
{
    auto *layout = new QHBoxLayout(this);
    lstChiffren->setMinimumWidth(DesignSize::px(this, 230));
    lstChiffren->setMaximumWidth(DesignSize::px(this, 300));
    layout->addWidget(lstChiffren);
    auto *right = new QVBoxLayout;
    // Fields close together and the parameter message only while there is one: with a tall
    // desktop font the text boxes would otherwise lose their third line to the gaps.
    m_form->setVerticalSpacing(DesignSize::px(this, 3));
    lblParameterFehler->hide();
    right->addWidget(lblErklaerung);
    // The message of a parameter stands below all of them, never between two fields.
    right->addWidget(pnlParameter);
    right->addWidget(lblParameterFehler);
    for (auto [caption, error, box] :
         {std::tuple {lblKlartext, lblKlartextFehler, rtfKlartext},
          std::tuple {lblGeheimtext, lblGeheimtextFehler, rtfGeheimtext}}) {
        auto *row = new QHBoxLayout;
        row->addWidget(caption);
        row->addWidget(error, 1);
        right->addLayout(row);
        right->addWidget(box, 1);
    }
    layout->addLayout(right, 1);
}

const Cipher &gboxChiffren::currentCipher() const
{
    const int row = std::max(lstChiffren->currentRow(), 0);
    return Ciphers::cipherRegistry().at(std::size_t(row));
}

QWidget *gboxChiffren::parameterField(const QString &key) const
{
    return m_fields.value(key);
}

QWidget *gboxChiffren::createField(const ParamDecl &decl, const QString &value)
{
    QWidget *field = nullptr;
    switch (decl.kind) {
    case ParamKind::Switch: {
        auto *box = new QCheckBox(decl.label, pnlParameter);
        box->setChecked(value == u"1");
        connect(box, &QCheckBox::toggled, this,
                [this] { guarded(m_context.dialogs, this, [this] { parameterChange(); }); });
        field = box;
        break;
    }
    case ParamKind::Choice: {
        auto *box = new QComboBox(pnlParameter);
        box->addItems(decl.choices);
        box->setCurrentText(value);
        connect(box, &QComboBox::currentIndexChanged, this,
                [this] { guarded(m_context.dialogs, this, [this] { parameterChange(); }); });
        field = box;
        break;
    }
    case ParamKind::Text:
    case ParamKind::Number: {
        auto *edit = new QLineEdit(value, pnlParameter);
        limitPasteLength(edit, m_context.dialogs);
        if (decl.kind == ParamKind::Number)
            edit->setMaximumWidth(DesignSize::px(this, 120));
        connect(edit, &QLineEdit::textChanged, this,
                [this] { guarded(m_context.dialogs, this, [this] { parameterChange(); }); });
        field = edit;
        break;
    }
    }
    field->setObjectName(QStringLiteral("param_") + decl.key);
    field->setToolTip(decl.help);
    return field;
}

void gboxChiffren::buildParameterFields()
{
    while (QLayoutItem *item = m_form->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_fields.clear();
    const Cipher &cipher = currentCipher();
    const ParamValues stored = m_values.value(cipher.cliName);
    // A machine with many settings (the Enigma) gets two columns of fields, so its text boxes
    // keep their room at the window's default size.
    const int columns = cipher.params.size() > 3 ? 2 : 1;
    int index = 0;
    for (const ParamDecl &decl : cipher.params) {
        QWidget *field = createField(decl, stored.value(decl.key, decl.defaultValue));
        m_fields.insert(decl.key, field);
        const int row = index / columns;
        const int column = 2 * (index % columns);
        ++index;
        if (decl.kind == ParamKind::Switch) {
            m_form->addWidget(field, row, column, 1, 2); // a check box carries its own caption
            continue;
        }
        m_form->addWidget(new QLabel(fieldCaption(decl.label), pnlParameter), row, column);
        m_form->addWidget(field, row, column + 1);
    }
    for (int column = 0; column < 4; ++column)
        m_form->setColumnStretch(column, column < 2 * columns ? column % 2 : 0);
    pnlParameter->setVisible(!cipher.params.empty());
}

ParamValues gboxChiffren::fieldValues() const
{
    ParamValues values;
    for (const ParamDecl &decl : currentCipher().params) {
        QWidget *field = m_fields.value(decl.key);
        if (auto *box = qobject_cast<QCheckBox *>(field))
            values.insert(decl.key, box->isChecked() ? QStringLiteral("1") : QString());
        else if (auto *combo = qobject_cast<QComboBox *>(field))
            values.insert(decl.key, combo->currentText());
        else if (auto *edit = qobject_cast<QLineEdit *>(field))
            values.insert(decl.key, edit->text());
    }
    return values;
}

void gboxChiffren::openCipher(const QString &cliName, const ParamValues &values,
                              const QString &cipherText)
{
    const std::vector<Cipher> &registry = Ciphers::cipherRegistry();
    for (size_t row = 0; row < registry.size(); ++row) {
        if (registry[row].cliName != cliName)
            continue;
        m_values.insert(cliName, values);
        if (lstChiffren->currentRow() == int(row))
            lstChiffrenChange();
        else
            lstChiffren->setCurrentRow(int(row));
        rtfGeheimtext->setText(cipherText);
        return;
    }
}

void gboxChiffren::lstChiffrenChange()
{
    const Cipher &cipher = currentCipher();
    lblErklaerung->setText(cipher.explanation);
    buildParameterFields();
    convert();
}

void gboxChiffren::parameterChange()
{
    m_values.insert(currentCipher().cliName, fieldValues());
    convert();
}

void gboxChiffren::rtfKlartextChange()
{
    if (m_updating)
        return;
    m_direction = Direction::Encode;
    convert();
}

void gboxChiffren::rtfGeheimtextChange()
{
    if (m_updating)
        return;
    m_direction = Direction::Decode;
    convert();
}

// The parameters are checked on the empty text first, so their message stands beside the
// parameter fields and a text message beside the text it is about.
bool gboxChiffren::parametersValid(const ParamValues &values)
{
    const Cipher &cipher = currentCipher();
    try {
        if (m_direction == Direction::Encode)
            cipher.encode(QString(), values);
        else
            cipher.decode(QString(), values);
    } catch (const QuarvelError &error) {
        lblParameterFehler->setText(error.message());
        lblParameterFehler->show();
        return false;
    }
    lblParameterFehler->clear();
    lblParameterFehler->hide();
    return true;
}

void gboxChiffren::convert()
{
    ++m_generation;
    m_pause->stop();
    const bool encode = m_direction == Direction::Encode;
    LongParagraphEdit *source = encode ? rtfKlartext : rtfGeheimtext;
    LongParagraphEdit *target = encode ? rtfGeheimtext : rtfKlartext;
    QLabel *sourceError = encode ? lblKlartextFehler : lblGeheimtextFehler;
    (encode ? lblGeheimtextFehler : lblKlartextFehler)->clear();
    sourceError->clear();
    const ParamValues values = fieldValues();
    if (!parametersValid(values)) {
        showResult(target, QString());
        return;
    }
    const QString text = source->text();
    if (text.size() > kAtOnceLimit) {
        m_pause->start();
        return;
    }
    const Cipher &cipher = currentCipher();
    try {
        showResult(target, encode ? cipher.encode(text, values) : cipher.decode(text, values));
    } catch (const QuarvelError &error) {
        sourceError->setText(error.message());
        showResult(target, QString());
    }
}

bool gboxChiffren::converting() const
{
    return m_pause->isActive() || m_workerBusy;
}

// One conversion at a time: the worker cannot be stopped halfway, and a second one beside it
// would only slow down the one that counts.
void gboxChiffren::startInBackground()
{
    if (m_workerBusy) {
        m_startWhenDone = true;
        return;
    }
    m_workerBusy = true;
    m_startWhenDone = false;
    const bool encode = m_direction == Direction::Encode;
    const Cipher *cipher = &currentCipher(); // the registry lives as long as the program
    const QString text = (encode ? rtfKlartext : rtfGeheimtext)->text();
    const ParamValues values = fieldValues();
    const int generation = m_generation;
    const QPointer<gboxChiffren> panel(this);
    QThreadPool::globalInstance()->start([=] {
        QString result;
        QString error;
        try {
            result = encode ? cipher->encode(text, values) : cipher->decode(text, values);
        } catch (const QuarvelError &failure) {
            error = failure.message();
        } catch (const std::exception &failure) {
            error = QString::fromLocal8Bit(failure.what());
        }
        // Handed to the application object, which outlives every panel; the panel itself is
        // only looked at on the window's thread.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [=] {
                if (panel)
                    panel->finishInBackground(generation, result, error);
            },
            Qt::QueuedConnection);
    });
}

void gboxChiffren::finishInBackground(int generation, const QString &result, const QString &error)
{
    m_workerBusy = false;
    if (generation == m_generation) {
        const bool encode = m_direction == Direction::Encode;
        (encode ? lblKlartextFehler : lblGeheimtextFehler)->setText(error);
        showResult(encode ? rtfGeheimtext : rtfKlartext, result);
    } else if (m_startWhenDone) {
        startInBackground();
    }
}

// Setting a large text costs a new layout, so an unchanged result leaves the box as it is; the
// box's own change signal is not taken for typing. The box holds a long line of the result in
// short blocks, so it shows and copies the result unchanged without holding the window.
void gboxChiffren::showResult(LongParagraphEdit *target, const QString &text)
{
    if (target->text() == text)
        return;
    m_updating = true;
    target->setText(text);
    m_updating = false;
}
