#pragma once

#include "gui/app/ToolPanel.h"

class QLabel;
class QLineEdit;
struct AppContext;

// Geocaching codes: a GC code into its number and a number into its code, while the user types.
// What cannot be read is said in the panel itself; a message box on every keystroke would only
// get in the way of typing.
class gboxGcCode : public ToolPanel
{
public:
    explicit gboxGcCode(AppContext &context, QWidget *parent = nullptr);

    void edtGcEingabeChange();

    QLineEdit *edtGcEingabe = nullptr;
    QLabel *lblGcCode = nullptr;
    QLabel *lblGcNummer = nullptr;
    QLabel *lblGcMeldung = nullptr;

private:
    AppContext &m_context;
};
