// The main window's part of the update check: the timer that starts the check shortly after
// start-up, and the timer that offers a newer version.

#include "gui/app/Main_Unit.h"

void TfrmQuarvelMain::Update_TimerTimer()
{
}

void TfrmQuarvelMain::tmrUpdDLTimer()
{
}
