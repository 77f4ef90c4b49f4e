#pragma once

#include "gui/app/ToolPanel.h"

class QLabel;
class QLineEdit;
struct AppContext;

// Length conversion tool: metres into feet and inches, and feet and inches into metres, while
// the user types.
class gboxUmrechnung : public ToolPanel
{
public:
    explicit gboxUmrechnung(AppContext &context, QWidget *parent = nullptr);

    void edtMeterKeyPress(QChar &key);
    void edtMeterChange();
    void edtMeterExit();
    void edtFeetChange();

    QLabel *Label30 = nullptr;
    QLineEdit *edtMeter = nullptr;
    QLabel *Label32 = nullptr;
    QLabel *Label34 = nullptr;
    QLabel *lblErgFeet = nullptr;
    QLabel *Label36 = nullptr;
    QLabel *lblErgInch = nullptr;
    QLabel *Label38 = nullptr;
    QLabel *lblErgFeetOnly = nullptr;
    QLabel *Label42 = nullptr;
    QLabel *lblErgInchOnly = nullptr;
    QLabel *Label40 = nullptr;
    QLineEdit *edtFeet = nullptr;
    QLabel *Label44 = nullptr;
    QLineEdit *edtInch = nullptr;
    QLabel *Label46 = nullptr;
    QLabel *lblErgMeter = nullptr;

private:
    void createControls();
    QWidget *createFeetRow();
    void connectHandlers();
    void placeInchLabels();
    void showMetreResults(const QString &text);

    AppContext &m_context;
};
