#include "gui/support/Dialogs.h"

QString generalErrorText(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

void Dialogs::showError(QWidget *parent, const QString &message)
{
    ask(parent, {QStringLiteral("Quarvel"), generalErrorText(message), Icon::Error, Ok});
}

Dialogs::Button Dialogs::messageDlg(QWidget *parent, const QString &text, Icon icon,
                                    Buttons buttons)
{
    QString title;
    switch (icon) {
    case Icon::Error:
        title = QStringLiteral("Fehler");
        break;
    case Icon::Information:
        title = QStringLiteral("Informationen");
        break;
    case Icon::Question:
        title = QStringLiteral("Bestätigen");
        break;
    case Icon::Warning:
        title = QStringLiteral("Warnung");
        break;
    case Icon::None:
        title = QStringLiteral("Quarvel");
        break;
    }
    return ask(parent, {title, text, icon, buttons});
}

void Dialogs::showMessage(QWidget *parent, const QString &text)
{
    ask(parent, {QStringLiteral("Quarvel"), text, Icon::None, Ok});
}
