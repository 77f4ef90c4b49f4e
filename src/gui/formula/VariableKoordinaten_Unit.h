#pragma once

#include "gui/formula/FormulaRunner.h"
#include "logic/formula/VariableSet.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTableWidget;
class FormulaResultModel;
struct AppContext;

// "Variable Koordinaten": the final formula of a mystery cache ("N 52° 3A.B(C+2)0 E 013° ...")
// with values for its letters; every combination is computed on a worker thread and the
// positions that pass the filters are listed with their distance and bearing from a reference
// point. Formula and variables are checked while the user types; the window keeps its state
// while it is hidden.
class TfrmVariableKoordinaten : public QWidget
{
public:
    explicit TfrmVariableKoordinaten(AppContext &context, QWidget *parent = nullptr);
    ~TfrmVariableKoordinaten() override;

    bool running() const { return m_runner != nullptr; }

private:
    void createControls();
    QWidget *createInputArea();
    QWidget *createResultArea();
    QWidget *createHashArea(QWidget *parent);
    void connectControls();

    void edtFormelChange();
    void tblVariablenChange();
    void refreshVariableRows(const Formula::VariableSet &set);
    void checkInputs();
    void btnBerechnenClick();
    void btnAbbrechenClick();
    void deliver(uint64_t run, FormulaRunner::Progress progress);
    void finishRun(bool cancelled);
    void showCounts();
    void saveGpxClick();
    void btnKarteClick();
    void selectCandidate(quint64 index);
    void saveCsvClick();
    void copyRows();
    void saveResults(const QString &title, const QString &fileName, const QString &filter,
                     const QString &suffix, const std::function<bool(QIODevice &)> &write);
    std::optional<double> maxDistance() const;
    QString unsetReferenceHint() const;
    // The digest searched for, or none when the hash field is empty; throws QuarvelError for a
    // malformed hash or form.
    std::shared_ptr<const Formula::HashTarget> hashTarget() const;
    // Checks the hash fields, shows the form's example or what is wrong; the problem blocks
    // "Berechnen".
    QString checkHashFields();

    AppContext &m_context;
    FormulaResultModel *m_model = nullptr;
    std::unique_ptr<FormulaRunner> m_runner;
    uint64_t m_runNumber = 0;
    uint64_t m_total = 0;
    Formula::Counts m_counts;
    size_t m_dropped = 0;
    QString m_runFormula;
    Formula::VariableSet::Texts m_definitions;
    QString m_lacking; // letters the formula needs that have no values, "A, B"
    bool m_fillingTable = false;
    bool m_hashRun = false; // the last run searched for a hash

public:
    QLineEdit *edtFormel = nullptr;
    QLabel *lblFormelFehler = nullptr;
    QTableWidget *tblVariablen = nullptr;
    QLineEdit *edtBezugspunkt = nullptr;
    QLabel *lblBezugFehler = nullptr;
    QCheckBox *cboxNurGueltige = nullptr;
    QCheckBox *cboxUmkreis = nullptr;
    QLineEdit *edtUmkreis = nullptr;
    QComboBox *cboxNotation = nullptr;
    // The hash search: a digest of the final's text, its method and the form the text is written
    // in.
    QLineEdit *edtHash = nullptr;
    QComboBox *cboxHashverfahren = nullptr;
    QComboBox *cboxHashForm = nullptr; // editable: a ready form or one with placeholders
    QLabel *lblHashBeispiel = nullptr;
    QLabel *lblHashFehler = nullptr;
    QPushButton *btnBerechnen = nullptr;
    QPushButton *btnAbbrechen = nullptr;
    QProgressBar *pbFortschritt = nullptr;
    QLabel *lblZaehler = nullptr;
    QTableView *tvErgebnisse = nullptr;
    QPushButton *btnGpx = nullptr;
    QPushButton *btnCsv = nullptr;
    QPushButton *btnKopieren = nullptr;
    QPushButton *btnKarte = nullptr; // the candidates and the filter circle on the map
    QPushButton *btnSchliessen = nullptr;
};
