#pragma once

#include "fakes/FakeDialogs.h"
#include "fakes/FakeLauncher.h"
#include "gui/app/AppContext.h"
#include "logic/common/Global_Unit.h"

// The program-wide values and fake services a window test builds its window with.
struct TestApp
{
    TestApp()
    {
        globals.ExePfad = QString::fromUtf8(QUARVEL_BIN_DIR) + u'/';
        globals.BenutzerPfad = globals.ExePfad;
        globals.TempPfad = QStringLiteral("/tmp/");
        globals.TempVersionsDatei = globals.TempPfad + QStringLiteral("ver_quarvel.tmp");
        globals.LokaleVersion = QStringLiteral("0.4.1.0");
        globals.settings.UpdateSuchen = false; // no timers reaching out unless a test asks
        // A build with an update server; the tests of a build without one clear it.
        globals.UpdateServer = QStringLiteral("https://update.invalid/");
    }

    Globals globals;
    FakeDialogs dialogs;
    FakeLauncher launcher;
    AppContext context {globals, dialogs, launcher, {}};
};
