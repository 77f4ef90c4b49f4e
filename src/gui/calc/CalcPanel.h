#pragma once

#include "gui/app/ToolPanel.h"

#include <QHash>

#include <vector>

class QComboBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QWidget;
namespace Calc {
struct Tool;
}

// One panel shows every declared calculating tool of a navigator node: a choice of the tool, its
// inputs (with a German message beside a field that is wrong), and its results in copyable
// fields. Quick tools answer while the user types; the slow ones (factoring, the digits of the
// constants, the sequences) run behind "Berechnen" on a worker thread, so the window stays
// responsive.
class CalcPanel : public ToolPanel
{
public:
    CalcPanel(const QString &node, QWidget *parent = nullptr);

    // The tool on show, and a way to choose it (by its id) for the navigator filter and tests.
    const Calc::Tool &currentTool() const { return *m_tools.at(std::size_t(m_current)); }
    void chooseTool(const QString &id);
    // True while a slow tool computes.
    bool busy() const { return m_busy; }

    void cmbWerkzeugChange();
    void btnBerechnenClick();

    QComboBox *cmbWerkzeug = nullptr;
    QLabel *lblErklaerung = nullptr;
    QPushButton *btnBerechnen = nullptr;
    QLabel *lblMeldung = nullptr;

private:
    void buildForm();
    void inputsChanged();
    QHash<QString, QString> readInputs(bool *ok);
    void showOutcome(const QHash<QString, QString> &texts, const QString &error);
    void clearResults();

    std::vector<const Calc::Tool *> m_tools;
    int m_current = 0;
    bool m_busy = false;
    QWidget *m_form = nullptr;
    QFormLayout *m_inputs = nullptr;
    QFormLayout *m_results = nullptr;
    QHash<QString, QWidget *> m_inputFields; // by input key
    QHash<QString, QLabel *> m_inputErrors;
    QHash<QString, QWidget *> m_resultFields; // by result key
};

// The objectName of the panel that shows a node's tools: "gboxRechnen" and the node's letters.
QString calcPanelName(const QString &node);
