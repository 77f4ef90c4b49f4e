#pragma once

#include "gui/app/ToolPanel.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QPlainTextEdit;
struct AppContext;

// The Vigenère tool. There is no run button: every key released in the key box or the plain-text
// box encrypts the plain text into the ciphertext box, every key released in the ciphertext box
// decrypts it into the plain-text box. The direction radio buttons only mark which way the last
// computation went; clicking one clears the box it would fill.
class gboxVigenere : public ToolPanel
{
public:
    gboxVigenere(AppContext &context, QWidget *parent = nullptr);

    // Sample sentence in the plain-text box, the other boxes empty.
    void nodeChosen() override;

    bool VigGross() const { return m_vigGross; }

    QLabel *Label17 = nullptr;
    QPlainTextEdit *rtfVigenereDecrypt = nullptr;
    QLabel *Label25 = nullptr;
    QLineEdit *edtVigenereKey = nullptr;
    QLabel *Label21 = nullptr;
    QPlainTextEdit *rtfVigenereEncrypt = nullptr;
    QPushButton *bbtnDecrypt = nullptr; // never shown
    QPushButton *bbtnEncrypt = nullptr; // never shown

    QGroupBox *GroupBox1 = nullptr;
    QRadioButton *rbtnEnCrypt = nullptr;
    QRadioButton *rbtnDecrypt = nullptr;
    QCheckBox *cboxCaseSensitiv = nullptr;
    QCheckBox *CheckBox7 = nullptr;
    QCheckBox *CheckBox8 = nullptr;
    QCheckBox *cboxVigGross = nullptr;
    QCheckBox *cboxVigKlein = nullptr;
    QCheckBox *CheckBox3 = nullptr;
    QCheckBox *CheckBox4 = nullptr;
    QCheckBox *CheckBox5 = nullptr;
    QCheckBox *CheckBox6 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createTextBoxes();
    void createOptions();
    void connectHandlers();

    void edtVigenereKeyKeyUp();
    void rtfVigenereDecryptKeyUp();
    void rtfVigenereEncryptKeyUp();
    void rbtnEnCryptClick();
    void rbtnDecryptClick();
    void cboxVigGrossClick();

    AppContext &m_context;
    bool m_vigGross = true;
};
