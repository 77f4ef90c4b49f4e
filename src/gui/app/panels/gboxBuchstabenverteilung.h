#pragma once

#include "gui/app/ToolPanel.h"

#include <array>

class QLabel;
class QPushButton;
class QTextEdit;
struct AppContext;

// Letter distribution tool: how often each letter A..Z occurs in a text, case ignored.
class gboxBuchstabenverteilung : public ToolPanel
{
public:
    explicit gboxBuchstabenverteilung(AppContext &context, QWidget *parent = nullptr);

    void nodeChosen() override;

    void bbtnBerechnenBSVClick();
    void ResetBuchstabenverteilung();

    // The count label of a letter "A".."Z", found by its name "lbl" + letter.
    QLabel *countLabel(QChar letter) const;

    QTextEdit *rtfBSV = nullptr;
    QPushButton *bbtnBerechnenBSV = nullptr;

private:
    void createControls();

    AppContext &m_context;
};
