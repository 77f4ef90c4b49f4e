#pragma once

#include "gui/app/ToolPanel.h"

#include <memory>

class DigitSumRows;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
struct AppContext;

// Letter word value tool: the sum of the letter values of a text (optionally with the alphabet
// reversed and the digits added), its characters and words and the digit sums of the letter
// sum, all recomputed on every change.
class gboxBWW : public ToolPanel
{
public:
    explicit gboxBWW(AppContext &context, QWidget *parent = nullptr);
    ~gboxBWW() override;

    void nodeChosen() override;

    void edtWortChange();
    void cboxBWWInversClick();
    void cboxBWWPlusNummerClick();
    void cboxSpacesClick();
    void edtWortKeyPress(QChar &key);
    void bbtnQuersummeClick();
    void UpdateBWWQuersumme();
    void ResetBWWQuersumme();

    QCheckBox *cboxBWWInvers = nullptr;
    QLabel *lblBWWInvers = nullptr;
    QCheckBox *cboxBWWPlusNummer = nullptr;
    QLabel *lblBWWPlusNummer = nullptr;
    QLineEdit *edtWort = nullptr;
    QPushButton *bbtnQuersumme = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *lblErgebnis = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *lblAnzahlZeichen = nullptr;
    QCheckBox *cboxSpaces = nullptr;
    QLabel *Label28 = nullptr;
    QLabel *lblAnzahlWort = nullptr;

private:
    void createControls();
    QGridLayout *createCounts();
    void connectHandlers();
    void recompute();

    AppContext &m_context;
    std::unique_ptr<DigitSumRows> m_rows;
};
