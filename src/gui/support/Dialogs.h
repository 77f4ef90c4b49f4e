#pragma once

#include <QString>

class QWidget;

// Every message box and file dialog of the program goes through this interface, so tests can
// script the user's answers. QtDialogs shows the real ones; tests use FakeDialogs.
class Dialogs
{
public:
    enum class Icon { None, Information, Warning, Error, Question };
    enum Button { Ok = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };
    using Buttons = int;

    struct Message
    {
        QString title;
        QString text;
        Icon icon = Icon::None;
        Buttons buttons = Ok;
    };

    struct FileRequest
    {
        QString title;
        QString directory; // folder to start in
        QString fileName; // proposed file name
        QString filter; // "Text (*.txt);;Alle Dateien (*)"
        QString defaultSuffix; // appended when the user types a name without one
    };

    virtual ~Dialogs() = default;

    // Shows a message and returns the button the user chose.
    virtual Button ask(QWidget *parent, const Message &message) = 0;
    // Empty when the user cancels.
    virtual QString openFileName(QWidget *parent, const FileRequest &request) = 0;
    virtual QString saveFileName(QWidget *parent, const FileRequest &request) = 0;
    virtual QString existingDirectory(QWidget *parent, const QString &title,
                                      const QString &start) = 0;
    virtual void beep() = 0;

    // The general error box: title "Quarvel", error icon, OK; "." appended to the message when
    // its last character's code lies above that of ".".
    void showError(QWidget *parent, const QString &message);

    // A message dialog whose caption follows its kind: "Fehler", "Informationen", "Bestätigen"
    // (question icon) or "Warnung".
    Button messageDlg(QWidget *parent, const QString &text, Icon icon, Buttons buttons);

    // A plain message titled with the application title and one OK button.
    void showMessage(QWidget *parent, const QString &text);
};

// The text the general error box shows for an error message.
QString generalErrorText(const QString &message);
