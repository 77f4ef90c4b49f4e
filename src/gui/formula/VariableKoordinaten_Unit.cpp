#include "gui/formula/VariableKoordinaten_Unit.h"

#include "gui/app/AppContext.h"
#include "gui/formula/FormulaResultModel.h"
#include "gui/support/FocusColour.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/ScreenFit.h"
#include "logic/common/Global_Unit.h"
#include "logic/common/Numbers.h"
#include "logic/formula/CoordinateFormula.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum VariableColumn { LetterColumn, ValuesColumn, NoteColumn };

QLabel *errorLabel(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setStyleSheet(QStringLiteral("color: #c00000"));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString variableNote(const Formula::VariableSet &set, int variable)
{
    if (set.withoutValue() >> variable & 1)
        return QStringLiteral("ohne Wert");
    if (set.isExpression(variable))
        return QStringLiteral("Ausdruck");
    const uint64_t count = set.valueCount(variable);
    return count == 1 ? QStringLiteral("1 Wert")
                      : QStringLiteral("%1 Werte").arg(Numbers::formatGrouped(count));
}

template<typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TfrmVariableKoordinaten::TfrmVariableKoordinaten(AppContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmVariableKoordinaten"));
    setWindowTitle(QStringLiteral("Variable Koordinaten"));
    createControls();
    connectControls();
    resize(900, 640); // room for the result list; ScreenFit shrinks it on a smaller screen
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // A laptop of 768 pixels must still show the buttons at the bottom.
    ScreenFit::keepOnScreen(this);
    checkInputs();
}

TfrmVariableKoordinaten::~TfrmVariableKoordinaten()
{
    m_runner.reset(); // waits for the worker before any control goes
}

void TfrmVariableKoordinaten::createControls()
{
    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(createInputArea());
    splitter->addWidget(createResultArea());
    splitter->setStretchFactor(1, 1);
    btnSchliessen = named(new QPushButton(QStringLiteral("Schließen"), this), "btnSchliessen");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(btnSchliessen);
    layout->addLayout(bottom);
}

QWidget *TfrmVariableKoordinaten::createInputArea()
{
    auto *area = new QWidget(this);
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *formulaBox = new QGroupBox(QStringLiteral(" Formel "), area);
    auto *formulaLayout = new QVBoxLayout(formulaBox);
    edtFormel = named(new QLineEdit(formulaBox), "edtFormel");
    edtFormel->setPlaceholderText(QStringLiteral("z. B. N 52° 3A.B(C+2)0 E 013° 2D.(E*2)1"));
    lblFormelFehler = errorLabel("lblFormelFehler", formulaBox);
    lblFormelFehler->setTextFormat(Qt::RichText);
    formulaLayout->addWidget(edtFormel);
    formulaLayout->addWidget(lblFormelFehler);
    layout->addWidget(formulaBox);

    auto *row = new QHBoxLayout;
    tblVariablen = named(new QTableWidget(0, 3, area), "tblVariablen");
    tblVariablen->setHorizontalHeaderLabels(
        {QStringLiteral("Variable"), QStringLiteral("Werte"), QStringLiteral("Anzahl / Hinweis")});
    tblVariablen->verticalHeader()->hide();
    tblVariablen->horizontalHeader()->setSectionResizeMode(NoteColumn, QHeaderView::Stretch);
    tblVariablen->setColumnWidth(LetterColumn, 60);
    tblVariablen->setColumnWidth(ValuesColumn, 180);
    tblVariablen->setToolTip(QStringLiteral(
        "Ein Wert (5), eine Liste (1,4,7), ein Bereich (0-9), ein Bereich mit Schrittweite "
        "(10-100#5) oder ein Ausdruck aus anderen Buchstaben (A+1)"));
    row->addWidget(tblVariablen, 3);

    auto *options = new QGroupBox(QStringLiteral(" Auswertung "), area);
    auto *form = new QFormLayout(options);
    edtBezugspunkt =
        named(new QLineEdit(m_context.globals.settings.HomeKoordinaten, options), "edtBezugspunkt");
    lblBezugFehler = errorLabel("lblBezugFehler", options);
    cboxNurGueltige =
        named(new QCheckBox(QStringLiteral("nur gültige Positionen"), options), "cboxNurGueltige");
    cboxNurGueltige->setChecked(true);
    cboxUmkreis =
        named(new QCheckBox(QStringLiteral("nur im Umkreis von"), options), "cboxUmkreis");
    cboxUmkreis->setChecked(true);
    edtUmkreis = named(new QLineEdit(QStringLiteral("3,2"), options), "edtUmkreis");
    edtUmkreis->setMaximumWidth(80);
    auto *radius = new QHBoxLayout;
    radius->addWidget(cboxUmkreis);
    radius->addWidget(edtUmkreis);
    radius->addWidget(new QLabel(QStringLiteral("km"), options));
    radius->addStretch(1);
    cboxNotation = named(new QComboBox(options), "cboxNotation");
    cboxNotation->addItems({QStringLiteral("Grad °"), QStringLiteral("Grad °  Minuten '"),
                            QStringLiteral("Grad °  Minuten '  Sekunden ''")});
    cboxNotation->setCurrentIndex(1);
    form->addRow(QStringLiteral("Bezugspunkt:"), edtBezugspunkt);
    form->addRow(QString(), lblBezugFehler);
    form->addRow(QString(), cboxNurGueltige);
    form->addRow(QString(), radius);
    form->addRow(QStringLiteral("Ausgabe:"), cboxNotation);
    auto *column = new QVBoxLayout;
    column->addWidget(options);
    column->addWidget(createHashArea(area));
    row->addLayout(column, 2);
    layout->addLayout(row, 1);
    for (QWidget *field :
         {static_cast<QWidget *>(edtFormel), static_cast<QWidget *>(edtBezugspunkt),
          static_cast<QWidget *>(edtUmkreis), static_cast<QWidget *>(edtHash)})
        attachFocusColour(field);
    return area;
}

QWidget *TfrmVariableKoordinaten::createResultArea()
{
    auto *area = new QWidget(this);
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *controls = new QHBoxLayout;
    btnBerechnen = named(new QPushButton(QStringLiteral("&Berechnen"), area), "btnBerechnen");
    btnAbbrechen = named(new QPushButton(QStringLiteral("Abbrechen"), area), "btnAbbrechen");
    btnAbbrechen->setEnabled(false);
    pbFortschritt = named(new QProgressBar(area), "pbFortschritt");
    pbFortschritt->setRange(0, 1000);
    pbFortschritt->setValue(0);
    controls->addWidget(btnBerechnen);
    controls->addWidget(btnAbbrechen);
    controls->addWidget(pbFortschritt, 1);
    layout->addLayout(controls);
    lblZaehler = named(new QLabel(area), "lblZaehler");
    lblZaehler->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblZaehler->setWordWrap(true); // a hint may follow the counts
    layout->addWidget(lblZaehler);

    m_model = new FormulaResultModel(this);
    tvErgebnisse = named(new QTableView(area), "tvErgebnisse");
    tvErgebnisse->setModel(m_model);
    tvErgebnisse->setSelectionBehavior(QAbstractItemView::SelectRows);
    tvErgebnisse->setSortingEnabled(true);
    tvErgebnisse->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    tvErgebnisse->horizontalHeader()->setStretchLastSection(true);
    tvErgebnisse->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tvErgebnisse->verticalHeader()->setDefaultSectionSize(tvErgebnisse->fontMetrics().height() + 6);
    tvErgebnisse->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *copy = new QAction(QStringLiteral("Zeile kopieren"), tvErgebnisse);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    tvErgebnisse->addAction(copy);
    connect(copy, &QAction::triggered, this, [this] { copyRows(); });
    layout->addWidget(tvErgebnisse, 1);

    auto *exports = new QHBoxLayout;
    btnGpx = named(new QPushButton(QStringLiteral("Als &GPX speichern ..."), area), "btnGpx");
    btnCsv = named(new QPushButton(QStringLiteral("Als &CSV speichern ..."), area), "btnCsv");
    btnKopieren = named(new QPushButton(QStringLiteral("Zeile &kopieren"), area), "btnKopieren");
    exports->addWidget(btnGpx);
    exports->addWidget(btnCsv);
    exports->addWidget(btnKopieren);
    btnKarte = named(new QPushButton(QStringLiteral("Karte"), area), "btnKarte");
    exports->addWidget(btnKarte);
    exports->addStretch(1);
    layout->addLayout(exports);
    return area;
}

void TfrmVariableKoordinaten::connectControls()
{
    const auto run = [this](void (TfrmVariableKoordinaten::*handler)()) {
        return [this, handler] { guarded(m_context.dialogs, this, [&] { (this->*handler)(); }); };
    };
    connect(edtFormel, &QLineEdit::textChanged, this,
            run(&TfrmVariableKoordinaten::edtFormelChange));
    connect(tblVariablen, &QTableWidget::cellChanged, this,
            run(&TfrmVariableKoordinaten::tblVariablenChange));
    for (QLineEdit *edit : {edtBezugspunkt, edtUmkreis, edtHash})
        connect(edit, &QLineEdit::textChanged, this, run(&TfrmVariableKoordinaten::checkInputs));
    for (QCheckBox *box : {cboxNurGueltige, cboxUmkreis})
        connect(box, &QCheckBox::toggled, this, run(&TfrmVariableKoordinaten::checkInputs));
    connect(cboxHashverfahren, &QComboBox::currentIndexChanged, this,
            run(&TfrmVariableKoordinaten::checkInputs));
    connect(cboxHashForm, &QComboBox::editTextChanged, this,
            run(&TfrmVariableKoordinaten::checkInputs));
    connect(cboxNotation, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_model->setNotation(index); });
    connect(btnBerechnen, &QPushButton::clicked, this,
            run(&TfrmVariableKoordinaten::btnBerechnenClick));
    connect(btnAbbrechen, &QPushButton::clicked, this,
            run(&TfrmVariableKoordinaten::btnAbbrechenClick));
    connect(btnGpx, &QPushButton::clicked, this, run(&TfrmVariableKoordinaten::saveGpxClick));
    connect(btnCsv, &QPushButton::clicked, this, run(&TfrmVariableKoordinaten::saveCsvClick));
    connect(btnKopieren, &QPushButton::clicked, this, run(&TfrmVariableKoordinaten::copyRows));
    connect(btnKarte, &QPushButton::clicked, this, run(&TfrmVariableKoordinaten::btnKarteClick));
    connect(btnSchliessen, &QPushButton::clicked, this, [this] { close(); });
}

void TfrmVariableKoordinaten::edtFormelChange()
{
    checkInputs();
}

void TfrmVariableKoordinaten::tblVariablenChange()
{
    if (m_fillingTable)
        return;
    for (int row = 0; row < tblVariablen->rowCount(); ++row) {
        const QString letter = tblVariablen->item(row, LetterColumn)->text();
        const QTableWidgetItem *values = tblVariablen->item(row, ValuesColumn);
        m_definitions[size_t(letter.at(0).unicode() - u'A')] = values ? values->text() : QString();
    }
    // An expression may bring in letters of its own: the check refreshes the rows.
    checkInputs();
}

// One row per letter the formula needs, directly or through an expression; typed values stay
// with their letter when letters come and go.
void TfrmVariableKoordinaten::refreshVariableRows(const Formula::VariableSet &set)
{
    m_fillingTable = true;
    int row = 0;
    for (int v = 0; v < Formula::kVariableCount; ++v) {
        if (!(set.needed() >> v & 1))
            continue;
        if (row >= tblVariablen->rowCount())
            tblVariablen->insertRow(row);
        auto *letter = new QTableWidgetItem(QString(QChar(u'A' + v)));
        letter->setFlags(Qt::ItemIsEnabled);
        tblVariablen->setItem(row, LetterColumn, letter);
        auto *values = tblVariablen->item(row, ValuesColumn);
        if (!values || values->text() != m_definitions[size_t(v)])
            tblVariablen->setItem(row, ValuesColumn,
                                  new QTableWidgetItem(m_definitions[size_t(v)]));
        QString note = set.error(v);
        if (note.isEmpty())
            note = variableNote(set, v);
        auto *noteItem = new QTableWidgetItem(note);
        noteItem->setFlags(Qt::ItemIsEnabled);
        noteItem->setForeground(set.error(v).isEmpty() ? palette().text().color()
                                                       : QColor(192, 0, 0));
        tblVariablen->setItem(row, NoteColumn, noteItem);
        ++row;
    }
    tblVariablen->setRowCount(row);
    m_fillingTable = false;
}
