#include "gui/calc/CalcPanel.h"

#include "gui/support/WidgetStyle.h"
#include "logic/calc/CalcTool.h"
#include "logic/common/QuarvelError.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <thread>

namespace {

const QColor kErrorColour(192, 0, 0);

QLabel *errorLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    setTextColour(label, kErrorColour);
    return label;
}

QString textOf(QWidget *field)
{
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        return edit->text();
    if (auto *combo = qobject_cast<QComboBox *>(field))
        return combo->currentText();
    if (auto *check = qobject_cast<QCheckBox *>(field))
        return check->isChecked() ? QStringLiteral("1") : QString();
    return {};
}

} // namespace

QString calcPanelName(const QString &node)
{
    QString name = QStringLiteral("gboxRechnen");
    for (const QChar c : node) {
        if (c.isLetterOrNumber())
            name += c;
    }
    return name;
}

CalcPanel::CalcPanel(const QString &node, QWidget *parent)
    : ToolPanel(u' ' + QString(node).replace(u'&', QStringLiteral("&&")) + u' ', parent)
    , m_tools(Calc::toolsOfNode(node))
{
    setObjectName(calcPanelName(node));
    cmbWerkzeug = named(new QComboBox(this), "cmbRechnenWerkzeug");
    for (const Calc::Tool *tool : m_tools)
        cmbWerkzeug->addItem(tool->germanName, tool->id);
    cmbWerkzeug->setVisible(m_tools.size() > 1);
    lblErklaerung = named(new QLabel(this), "lblRechnenErklaerung");
    lblErklaerung->setWordWrap(true);
    btnBerechnen =
        named(new QPushButton(QStringLiteral("&Berechnen"), this), "btnRechnenBerechnen");
    lblMeldung = named(errorLabel(this), "lblRechnenMeldung");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(cmbWerkzeug, 0, Qt::AlignLeft);
    layout->addWidget(lblErklaerung);
    m_form = new QWidget(this);
    layout->addWidget(m_form);
    layout->addWidget(btnBerechnen, 0, Qt::AlignLeft);
    layout->addWidget(lblMeldung);
    layout->addStretch(1);
    connect(cmbWerkzeug, &QComboBox::currentIndexChanged, this, &CalcPanel::cmbWerkzeugChange);
    connect(btnBerechnen, &QPushButton::clicked, this, &CalcPanel::btnBerechnenClick);
    buildForm();
}

void CalcPanel::chooseTool(const QString &id)
{
    const int index = cmbWerkzeug->findData(id);
    if (index >= 0)
        cmbWerkzeug->setCurrentIndex(index);
}

void CalcPanel::cmbWerkzeugChange()
{
    if (cmbWerkzeug->currentIndex() < 0 || cmbWerkzeug->currentIndex() == m_current)
        return;
    m_current = cmbWerkzeug->currentIndex();
    buildForm();
}

void CalcPanel::buildForm()
{
    // A new form for the tool: its fields differ from the last one's.
    delete m_form->layout();
    qDeleteAll(m_form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly));
    m_inputFields.clear();
    m_inputErrors.clear();
    m_resultFields.clear();
    const Calc::Tool &tool = currentTool();
    lblErklaerung->setText(tool.explanation);
    auto *outer = new QVBoxLayout(m_form);
    outer->setContentsMargins(0, 0, 0, 0);
    m_inputs = new QFormLayout;
    m_results = new QFormLayout;
    outer->addLayout(m_inputs);
    outer->addSpacing(8);
    outer->addLayout(m_results);
    for (const Calc::InputDecl &decl : tool.inputs) {
        QWidget *field = nullptr;
        const QByteArray key = decl.key.toUtf8();
        if (decl.kind == Calc::InputKind::Choice) {
            auto *combo = named(new QComboBox(m_form), ("cmb_" + key).constData());
            if (decl.optional)
                combo->addItem(QString());
            combo->addItems(decl.choices);
            combo->setCurrentText(decl.defaultValue);
            connect(combo, &QComboBox::currentIndexChanged, this, &CalcPanel::inputsChanged);
            field = combo;
        } else if (decl.kind == Calc::InputKind::Switch) {
            auto *check = named(new QCheckBox(m_form), ("chk_" + key).constData());
            connect(check, &QCheckBox::toggled, this, &CalcPanel::inputsChanged);
            field = check;
        } else {
            auto *edit =
                named(new QLineEdit(decl.defaultValue, m_form), ("edt_" + key).constData());
            edit->setPlaceholderText(decl.help);
            connect(edit, &QLineEdit::textChanged, this, &CalcPanel::inputsChanged);
            field = edit;
        }
        field->setToolTip(decl.help);
        QLabel *error = named(errorLabel(m_form), ("lblFehler_" + key).constData());
        auto *row = new QHBoxLayout;
        row->addWidget(field, 1);
        row->addWidget(error, 1);
        m_inputs->addRow(decl.label + u':', row);
        m_inputFields.insert(decl.key, field);
        m_inputErrors.insert(decl.key, error);
    }
    for (const Calc::ResultDecl &decl : tool.results) {
        if (decl.show == Calc::ResultDecl::Show::JsonOnly)
            continue;
        const QByteArray name = "res_" + decl.key.toUtf8();
        QWidget *field = nullptr;
        if (decl.multiline) {
            auto *box = named(new QPlainTextEdit(m_form), name.constData());
            box->setReadOnly(true);
            box->setMaximumHeight(fontMetrics().height() * 8);
            // Hashes and digits line up in a fixed-width font.
            box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
            field = box;
        } else {
            auto *edit = named(new QLineEdit(m_form), name.constData());
            edit->setReadOnly(true);
            field = edit;
        }
        setTextColour(field, QColor(128, 0, 128));
        m_results->addRow(decl.label + u':', field);
        m_resultFields.insert(decl.key, field);
    }
    btnBerechnen->setVisible(!tool.live);
    lblMeldung->clear();
    if (tool.live)
        inputsChanged();
}

QHash<QString, QString> CalcPanel::readInputs(bool *ok)
{
    QHash<QString, QString> values;
    *ok = true;
    for (const Calc::InputDecl &decl : currentTool().inputs) {
        const QString text = textOf(m_inputFields.value(decl.key));
        QLabel *error = m_inputErrors.value(decl.key);
        try {
            Calc::checkInput(decl, text);
            error->clear();
        } catch (const QuarvelError &e) {
            error->setText(e.message());
            *ok = false;
        }
        values.insert(decl.key, text);
    }
    return values;
}

void CalcPanel::inputsChanged()
{
    if (!currentTool().live) {
        clearResults();
        return;
    }
    bool ok = false;
    const QHash<QString, QString> values = readInputs(&ok);
    if (!ok) {
        clearResults();
        lblMeldung->clear();
        return;
    }
    try {
        const Calc::Outcome outcome = currentTool().run(values);
        QHash<QString, QString> texts;
        for (auto it = outcome.begin(); it != outcome.end(); ++it)
            texts.insert(it.key(), it.value().text);
        showOutcome(texts, {});
    } catch (const QuarvelError &e) {
        showOutcome({}, e.message());
    }
}

void CalcPanel::btnBerechnenClick()
{
    bool ok = false;
    const QHash<QString, QString> values = readInputs(&ok);
    if (!ok || m_busy)
        return;
    m_busy = true;
    btnBerechnen->setEnabled(false);
    clearResults();
    lblMeldung->setText(QStringLiteral("Rechnet …"));
    // The worker hands its texts back to the UI thread; a panel closed meanwhile gets nothing.
    QPointer<CalcPanel> panel(this);
    const Calc::Tool *tool = &currentTool();
    std::thread([panel, tool, values] {
        QHash<QString, QString> texts;
        QString error;
        try {
            const Calc::Outcome outcome = tool->run(values);
            for (auto it = outcome.begin(); it != outcome.end(); ++it)
                texts.insert(it.key(), it.value().text);
        } catch (const QuarvelError &e) {
            error = e.message();
        } catch (const std::exception &) {
            error = QStringLiteral("Die Rechnung ist fehlgeschlagen");
        }
        QMetaObject::invokeMethod(qApp, [panel, texts, error] {
            if (!panel)
                return;
            panel->m_busy = false;
            panel->btnBerechnen->setEnabled(true);
            panel->showOutcome(texts, error);
        });
    }).detach();
}

void CalcPanel::showOutcome(const QHash<QString, QString> &texts, const QString &error)
{
    lblMeldung->setText(error);
    for (auto it = m_resultFields.begin(); it != m_resultFields.end(); ++it) {
        const QString text = texts.value(it.key());
        if (auto *edit = qobject_cast<QLineEdit *>(it.value())) {
            edit->setText(text);
            edit->setCursorPosition(0);
        } else if (auto *box = qobject_cast<QPlainTextEdit *>(it.value())) {
            box->setPlainText(text);
        }
    }
}

void CalcPanel::clearResults()
{
    showOutcome({}, {});
}
