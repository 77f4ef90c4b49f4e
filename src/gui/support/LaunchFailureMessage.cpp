#include "gui/support/LaunchFailureMessage.h"

#include "gui/support/Dialogs.h"
#include "logic/common/LaunchFailure.h"

void reportLaunchFailure(Dialogs &dialogs, QWidget *parent, const QString &file, int code)
{
    if (code > 32)
        return;
    dialogs.messageDlg(parent, launchFailureText(file, code), Dialogs::Icon::Warning, Dialogs::Ok);
}
