#include "gui/formula/Formelrechner_Unit.h"

#include "gui/app/AppContext.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/ScreenFit.h"
#include "logic/formula/SheetCoordinate.h"

#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

template<typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

const QString kFilter = QStringLiteral("Formelblatt (*.json);;Alle Dateien (*)");

// The starting rows of an empty window: the first letters, ready to be filled in.
Formula::SheetDocument startingSheet()
{
    return {{{"A", ""}, {"B", ""}, {"C", ""}}, QString()};
}

QTableWidgetItem *resultItem(const QString &text, const QString &tip, bool failed)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setToolTip(tip);
    if (failed)
        item->setForeground(QColor(192, 0, 0));
    return item;
}

} // namespace

TfrmFormelrechner::TfrmFormelrechner(AppContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmFormelrechner"));
    setWindowTitle(QStringLiteral("Formelrechner"));
    createControls();
    connectControls();
    setDocument(startingSheet());
    resize(860, 600);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ScreenFit::keepOnScreen(this);
}

void TfrmFormelrechner::createControls()
{
    auto *layout = new QVBoxLayout(this);
    auto *valuesBox = new QGroupBox(QStringLiteral(" Werte und Formeln "), this);
    auto *valuesLayout = new QHBoxLayout(valuesBox);
    tblWerte = named(new QTableWidget(0, 4, valuesBox), "tblWerte");
    tblWerte->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Formel"),
                                         QStringLiteral("Ergebnis"), QStringLiteral("Gerundet")});
    tblWerte->verticalHeader()->setDefaultSectionSize(tblWerte->fontMetrics().height() + 8);
    tblWerte->setColumnWidth(NameColumn, 90);
    tblWerte->setColumnWidth(FormulaColumn, 300);
    tblWerte->setColumnWidth(ResultColumn, 260);
    tblWerte->horizontalHeader()->setSectionResizeMode(RoundedColumn, QHeaderView::Stretch);
    tblWerte->setToolTip(QStringLiteral(
        "Name: ein Buchstabe oder Wort; Formel: Zahl, Text in \"…\" oder Rechnung wie "
        "runden(wurzel(A - B); 2). Namen dürfen sich in beliebiger Reihenfolge aufeinander "
        "beziehen."));
    valuesLayout->addWidget(tblWerte, 1);
    auto *rowButtons = new QVBoxLayout;
    btnHinzufuegen =
        named(new QPushButton(QStringLiteral("&Hinzufügen"), valuesBox), "btnHinzufuegen");
    btnEntfernen = named(new QPushButton(QStringLiteral("&Entfernen"), valuesBox), "btnEntfernen");
    btnHoch = named(new QPushButton(QStringLiteral("Nach &oben"), valuesBox), "btnHoch");
    btnRunter = named(new QPushButton(QStringLiteral("Nach &unten"), valuesBox), "btnRunter");
    for (QPushButton *button : {btnHinzufuegen, btnEntfernen, btnHoch, btnRunter})
        rowButtons->addWidget(button);
    rowButtons->addStretch(1);
    valuesLayout->addLayout(rowButtons);
    layout->addWidget(valuesBox, 1);

    auto *finalBox = new QGroupBox(QStringLiteral(" Final-Koordinate "), this);
    auto *finalLayout = new QVBoxLayout(finalBox);
    edtKoordinate = named(new QLineEdit(finalBox), "edtKoordinate");
    edtKoordinate->setPlaceholderText(QStringLiteral("z. B. N 52° 3A.B(C*2)0 E 013° 2[D+1].000"));
    lblKoordinate = named(new QLabel(finalBox), "lblKoordinate");
    lblKoordinate->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblKoordinate->setWordWrap(true);
    btnUebernehmen =
        named(new QPushButton(QStringLiteral("In &Variable Koordinaten übernehmen"), finalBox),
              "btnUebernehmen");
    finalLayout->addWidget(edtKoordinate);
    finalLayout->addWidget(lblKoordinate);
    auto *takeOverRow = new QHBoxLayout;
    takeOverRow->addWidget(btnUebernehmen);
    takeOverRow->addStretch(1);
    finalLayout->addLayout(takeOverRow);
    layout->addWidget(finalBox);

    auto *bottom = new QHBoxLayout;
    btnOeffnen = named(new QPushButton(QStringLiteral("Ö&ffnen ..."), this), "btnOeffnen");
    btnSpeichern = named(new QPushButton(QStringLiteral("&Speichern ..."), this), "btnSpeichern");
    btnSchliessen = named(new QPushButton(QStringLiteral("Schließen"), this), "btnSchliessen");
    bottom->addWidget(btnOeffnen);
    bottom->addWidget(btnSpeichern);
    bottom->addStretch(1);
    bottom->addWidget(btnSchliessen);
    layout->addLayout(bottom);
}

void TfrmFormelrechner::connectControls()
{
    const auto run = [this](void (TfrmFormelrechner::*handler)()) {
        return [this, handler] { guarded(m_context.dialogs, this, [&] { (this->*handler)(); }); };
    };
    connect(tblWerte, &QTableWidget::cellChanged, this, run(&TfrmFormelrechner::tblWerteChange));
    connect(edtKoordinate, &QLineEdit::textChanged, this, run(&TfrmFormelrechner::recompute));
    connect(btnHinzufuegen, &QPushButton::clicked, this,
            run(&TfrmFormelrechner::btnHinzufuegenClick));
    connect(btnEntfernen, &QPushButton::clicked, this, run(&TfrmFormelrechner::btnEntfernenClick));
    connect(btnHoch, &QPushButton::clicked, this,
            [this] { guarded(m_context.dialogs, this, [&] { moveRow(-1); }); });
    connect(btnRunter, &QPushButton::clicked, this,
            [this] { guarded(m_context.dialogs, this, [&] { moveRow(1); }); });
    connect(btnOeffnen, &QPushButton::clicked, this, run(&TfrmFormelrechner::btnOeffnenClick));
    connect(btnSpeichern, &QPushButton::clicked, this, run(&TfrmFormelrechner::btnSpeichernClick));
    connect(btnUebernehmen, &QPushButton::clicked, this,
            run(&TfrmFormelrechner::btnUebernehmenClick));
    connect(btnSchliessen, &QPushButton::clicked, this, [this] { close(); });
}

Formula::SheetDocument TfrmFormelrechner::document() const
{
    Formula::SheetDocument document;
    for (int row = 0; row < tblWerte->rowCount(); ++row) {
        const QTableWidgetItem *name = tblWerte->item(row, NameColumn);
        const QTableWidgetItem *formula = tblWerte->item(row, FormulaColumn);
        document.entries.push_back(
            {name ? name->text() : QString(), formula ? formula->text() : QString()});
    }
    document.coordinate = edtKoordinate->text();
    return document;
}

void TfrmFormelrechner::setDocument(const Formula::SheetDocument &document)
{
    m_filling = true;
    tblWerte->setRowCount(0);
    for (const Formula::SheetEntry &entry : document.entries)
        addRow(entry);
    edtKoordinate->setText(document.coordinate);
    m_filling = false;
    recompute();
}

void TfrmFormelrechner::addRow(const Formula::SheetEntry &entry)
{
    const int row = tblWerte->rowCount();
    tblWerte->insertRow(row);
    tblWerte->setItem(row, NameColumn, new QTableWidgetItem(entry.name));
    tblWerte->setItem(row, FormulaColumn, new QTableWidgetItem(entry.formula));
}

void TfrmFormelrechner::tblWerteChange()
{
    if (!m_filling)
        recompute();
}

void TfrmFormelrechner::recompute()
{
    if (m_filling)
        return;
    const Formula::SheetDocument sheetDocument = document();
    const Formula::FormulaSheet sheet(sheetDocument.entries);
    m_filling = true;
    for (int row = 0; row < tblWerte->rowCount(); ++row) {
        const auto &result = sheet.results()[size_t(row)];
        if (result.ok) {
            const QString exact = result.value.toText(u',');
            tblWerte->setItem(row, ResultColumn, resultItem(exact, exact, false));
            tblWerte->setItem(row, RoundedColumn,
                              resultItem(result.value.roundedText(), QString(), false));
        } else {
            tblWerte->setItem(row, ResultColumn, resultItem(result.error, result.error, true));
            tblWerte->setItem(row, RoundedColumn, resultItem(QString(), QString(), false));
        }
    }
    m_filling = false;

    m_reduced.clear();
    m_letterValues.clear();
    QString text;
    if (sheetDocument.coordinate.trimmed().isEmpty()) {
        text = QStringLiteral("Die Final-Koordinate mit Buchstaben und Klammern eintragen.");
    } else {
        const Formula::SheetCoordinate coordinate =
            Formula::renderSheetCoordinate(sheetDocument.coordinate, sheet);
        if (!coordinate.error.isEmpty()) {
            text = QStringLiteral("<span style=\"color:#c00000\">%1</span>")
                       .arg(coordinate.error.toHtmlEscaped());
        } else if (!coordinate.unknown.isEmpty()) {
            m_reduced = coordinate.reduced;
            m_letterValues = coordinate.letterValues;
            text = QStringLiteral("Noch unbekannt: <b>%1</b> — %2")
                       .arg(coordinate.unknown.join(QStringLiteral(", ")).toHtmlEscaped(),
                            coordinate.reduced.toHtmlEscaped());
        } else {
            text = QStringLiteral("<b>%1</b>").arg(coordinate.text.toHtmlEscaped());
        }
    }
    lblKoordinate->setText(text);
    btnUebernehmen->setEnabled(!m_reduced.isEmpty() && m_takeOver != nullptr);
}

void TfrmFormelrechner::btnHinzufuegenClick()
{
    // The next letter no row uses yet, as listings count them.
    QStringList used;
    for (const Formula::SheetEntry &entry : document().entries)
        used.append(entry.name.trimmed().toUpper());
    QString name;
    for (char16_t letter = u'A'; letter <= u'Z' && name.isEmpty(); ++letter) {
        if (!used.contains(QString(QChar {letter})))
            name = QChar {letter};
    }
    m_filling = true;
    addRow({name, QString()});
    m_filling = false;
    tblWerte->setCurrentCell(tblWerte->rowCount() - 1, name.isEmpty() ? NameColumn : FormulaColumn);
    recompute();
}

void TfrmFormelrechner::btnEntfernenClick()
{
    const int row = tblWerte->currentRow();
    if (row < 0)
        return;
    tblWerte->removeRow(row);
    recompute();
}

void TfrmFormelrechner::moveRow(int by)
{
    const int row = tblWerte->currentRow();
    const int target = row + by;
    if (row < 0 || target < 0 || target >= tblWerte->rowCount())
        return;
    Formula::SheetDocument sheetDocument = document();
    std::swap(sheetDocument.entries[size_t(row)], sheetDocument.entries[size_t(target)]);
    const int column = tblWerte->currentColumn();
    setDocument(sheetDocument);
    tblWerte->setCurrentCell(target, column);
}

void TfrmFormelrechner::btnOeffnenClick()
{
    const QString path = m_context.dialogs.openFileName(this,
                                                        {QStringLiteral("Formelblatt öffnen"),
                                                         QFileInfo(m_lastFile).path(), QString(),
                                                         kFilter, QStringLiteral("json")});
    if (path.isEmpty())
        return;
    setDocument(Formula::readSheetFile(path)); // a failure leaves the sheet as it was
    m_lastFile = path;
}

void TfrmFormelrechner::btnSpeichernClick()
{
    const QString path = m_context.dialogs.saveFileName(
        this,
        {QStringLiteral("Formelblatt speichern"),
         m_lastFile.isEmpty() ? QDir::homePath() : QFileInfo(m_lastFile).path(),
         m_lastFile.isEmpty() ? QStringLiteral("Formelblatt.json")
                              : QFileInfo(m_lastFile).fileName(),
         kFilter, QStringLiteral("json")});
    if (path.isEmpty())
        return;
    const QString error = Formula::writeSheetFile(path, document());
    if (!error.isEmpty())
        throw QuarvelError(error);
    m_lastFile = path;
}

void TfrmFormelrechner::btnUebernehmenClick()
{
    if (m_takeOver && !m_reduced.isEmpty())
        m_takeOver(m_reduced, m_letterValues);
}
