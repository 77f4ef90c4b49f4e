#include "gui/support/ShellErrorMessage.h"

#include "gui/support/Dialogs.h"
#include "logic/common/ShellErrors.h"

void ShellErrorMessage(Dialogs &dialogs, QWidget *parent, int code)
{
    if (code > 32)
        return;
    dialogs.ask(parent,
                {QStringLiteral("Fataler Dateifehler !"), shellErrorText(code),
                 Dialogs::Icon::Warning, Dialogs::Ok});
}
