#pragma once

#include "gui/app/ToolPanel.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct AppContext;

// Roman numeral tool: a Roman numeral into a decimal number and a decimal number into a Roman
// numeral. Typing into the Roman field is kept to the Roman letters unless the check box is off.
class gboxRömZahlen : public ToolPanel
{
public:
    explicit gboxRömZahlen(AppContext &context, QWidget *parent = nullptr);

    void nodeChosen() override;

    bool RoemAlleBuchstaben() const { return m_roemAlleBuchstaben; }

    void cboxRömUnerlaubteZeichenClick();
    void edtRöm2DezKeyPress(QChar &key);
    void edtDez2RömKeyPress(QChar &key);
    void bbtnRöm2DezClick();
    void bbtnDez2RömClick();

    QLabel *Label9 = nullptr;
    QLineEdit *edtRöm2Dez = nullptr;
    QCheckBox *cboxRömUnerlaubteZeichen = nullptr;
    QPushButton *bbtnRöm2Dez = nullptr;
    QLabel *lblRöm2Dez = nullptr;
    QLabel *Label13 = nullptr;
    QLineEdit *edtDez2Röm = nullptr;
    QPushButton *bbtnDez2Röm = nullptr;
    QLabel *lblDez2Röm = nullptr;

private:
    void createControls();
    void connectHandlers();

    AppContext &m_context;
    // Whether the Roman field takes every letter A..Z instead of the seven Roman ones.
    bool m_roemAlleBuchstaben = false;
};
