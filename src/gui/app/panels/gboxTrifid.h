#pragma once

#include "gui/app/ToolPanel.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QPlainTextEdit;
struct AppContext;

// The Trifid tool: one button per direction; the result replaces the other box. The option boxes
// on the right are shown but change nothing.
class gboxTrifid : public ToolPanel
{
public:
    gboxTrifid(AppContext &context, QWidget *parent = nullptr);

    // All three boxes emptied.
    void nodeChosen() override;

    QLabel *Label48 = nullptr;
    QPlainTextEdit *rtfTrifidDecrypt = nullptr;
    QLabel *Label50 = nullptr;
    QLineEdit *edtTrifidKey = nullptr;
    QPushButton *bbtnTrifidEncrypt = nullptr;
    QPushButton *bbtnTrifidDecrypt = nullptr;
    QLabel *Label52 = nullptr;
    QPlainTextEdit *rtfTrifidEncrypt = nullptr;

    QGroupBox *GroupBox4 = nullptr;
    QCheckBox *CheckBox15 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QCheckBox *CheckBox9 = nullptr;

private:
    void createTextBoxes();
    void createOptions();
    bool keyGiven();

    void bbtnTrifidEncryptClick();
    void bbtnTrifidDecryptClick();

    AppContext &m_context;
};
