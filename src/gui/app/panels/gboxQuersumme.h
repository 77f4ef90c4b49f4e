#pragma once

#include "gui/app/ToolPanel.h"
#include "logic/tools/QuersummenKette.h"

#include <memory>

class DigitSumRows;
class HeaderLines;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct AppContext;

// Digit-sum tool: a number in one of four number systems, its decimal value and its digit sum
// with the digit sums of the digit sums, one row per step, down to one digit.
class gboxQuersumme : public ToolPanel
{
public:
    gboxQuersumme(AppContext &context, HeaderLines &header, QWidget *parent = nullptr);
    ~gboxQuersumme() override;

    void nodeChosen() override;

    QuersummenKette::Zahlensystem zahlensystem() const { return m_zahlensystem; }

    void rbtnDezimalClick();
    void rbtnHexadezimalClick();
    void rbtBinärClick();
    void rbtnOktalClick();
    void edtZahlQSKeyPress(QChar &key);
    void bbtnQuersummeBerechnenClick();
    void ResetQuersumme();

    QGroupBox *GroupBox2 = nullptr;
    QRadioButton *rbtnDezimal = nullptr;
    QRadioButton *rbtnHexadezimal = nullptr;
    QRadioButton *rbtBinär = nullptr;
    QRadioButton *rbtnOktal = nullptr;
    QLabel *lblAnweisung = nullptr;
    QLineEdit *edtZahlQS = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lblDezimal = nullptr;
    QPushButton *bbtnQuersummeBerechnen = nullptr;

private:
    void createControls();
    void connectHandlers();
    void applyZahlensystem(QuersummenKette::Zahlensystem system);

    AppContext &m_context;
    HeaderLines &m_header;
    QuersummenKette::Zahlensystem m_zahlensystem = QuersummenKette::Zahlensystem::Dezimal;
    std::unique_ptr<DigitSumRows> m_rows;
};
