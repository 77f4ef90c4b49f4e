// The main window's program launchers: calculator, character map, editor, the outside programs
// and the programs the user adds.

#include "gui/app/Main_Unit.h"

#include <QAction>

void TfrmQuarvelMain::connectLauncherActions()
{
    // Until the launchers are connected their entries cannot be chosen.
    for (QAction *action : {actCalc, actCharMap, actEditor, actExtProgramm, HelpContents1})
        action->setEnabled(false);
}
