#pragma once

#include "gui/app/ToolPanel.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct AppContext;

// The ROT tool: one of five shift substitutions applied to the text in edtRot. The four fixed
// shifts replace the text in place (pressing again brings it back); ROT(1..26) lists all shifts
// in the shift table window instead.
class gboxRotVerschiebung : public ToolPanel
{
public:
    enum class RotMode { Rot5, Rot13, Rot18, Rot47, Rot1_26 };

    gboxRotVerschiebung(AppContext &context, HeaderLines &header, QWidget *parent = nullptr);

    // Back to ROT13 with empty boxes.
    void nodeChosen() override;

    RotMode rotMode() const { return m_rotMode; }

    QGroupBox *GroupBox3 = nullptr;
    QRadioButton *rbtnRot5 = nullptr;
    QRadioButton *rbtnRot13 = nullptr;
    QRadioButton *rbtnRot18 = nullptr;
    QRadioButton *rbtnRot47 = nullptr;
    QRadioButton *rbtnRot1_26 = nullptr;
    QLabel *lblAnweisung_rot = nullptr;
    QLineEdit *edtRot = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *lblRotOriginal = nullptr;
    QPushButton *bbtnChiffreRot = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createModeButtons();
    void createControls();
    void connectHandlers();
    void setMode(RotMode mode, const QString &oben2, const QString &anweisung);

    void rbtnRot5Click();
    void rbtnRot13Click();
    void rbtnRot18Click();
    void rbtnRot47Click();
    void rbtnRot1_26Click();
    void edtRotKeyPress(int key);
    void edtRotExit();
    void bbtnChiffreRotClick();

    AppContext &m_context;
    HeaderLines &m_header;
    RotMode m_rotMode = RotMode::Rot13;
};
