#pragma once

#include "logic/formula/SheetFile.h"

#include <QMap>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
struct AppContext;

// "Formelrechner": the named values and formulas of a listing ("A = Baujahr", "C = runden(
// wurzel(A - B); 2)"), each computed while the user types, exact and rounded, and the final
// coordinate that takes them. Letters the sheet does not know yet go on to the variable
// coordinates, which try every value. The sheet is saved and opened as a small JSON file.
class TfrmFormelrechner : public QWidget
{
public:
    explicit TfrmFormelrechner(AppContext &context, QWidget *parent = nullptr);

    // What "In Variable Koordinaten übernehmen" does with the formula that is left and the
    // whole values of the sheet's letters inside it.
    using TakeOver =
        std::function<void(const QString &formula, const QMap<QChar, QString> &letterValues)>;
    void setTakeOver(TakeOver takeOver) { m_takeOver = std::move(takeOver); }

    // The sheet as the controls hold it; setting it replaces every row.
    Formula::SheetDocument document() const;
    void setDocument(const Formula::SheetDocument &document);

    enum Column { NameColumn, FormulaColumn, ResultColumn, RoundedColumn };

private:
    void createControls();
    void connectControls();
    void addRow(const Formula::SheetEntry &entry);

    void tblWerteChange();
    void recompute();
    void btnHinzufuegenClick();
    void btnEntfernenClick();
    void moveRow(int by);
    void btnOeffnenClick();
    void btnSpeichernClick();
    void btnUebernehmenClick();

    AppContext &m_context;
    TakeOver m_takeOver;
    bool m_filling = false;
    QString m_reduced;
    QMap<QChar, QString> m_letterValues;
    QString m_lastFile;

public:
    QTableWidget *tblWerte = nullptr;
    QPushButton *btnHinzufuegen = nullptr;
    QPushButton *btnEntfernen = nullptr;
    QPushButton *btnHoch = nullptr;
    QPushButton *btnRunter = nullptr;
    QLineEdit *edtKoordinate = nullptr;
    QLabel *lblKoordinate = nullptr;
    QPushButton *btnUebernehmen = nullptr;
    QPushButton *btnOeffnen = nullptr;
    QPushButton *btnSpeichern = nullptr;
    QPushButton *btnSchliessen = nullptr;
};
