#pragma once

class Dialogs;
class QWidget;

// Reports a failed start by the desktop launcher: for a result of 32 or below a warning box
// titled "Fataler Dateifehler !" with the code's text (empty for codes without one). Results
// above 32 mean success and show nothing.
void ShellErrorMessage(Dialogs &dialogs, QWidget *parent, int code);
