// The main window's part of the update check: the timer that starts the check shortly after
// start-up, the step that publishes a check's result, and the timer that offers a newer version.

#include "gui/app/AppContext.h"
#include "gui/app/Main_Unit.h"
#include "gui/support/HandlerGuard.h"
#include "gui/update/ThUpdate_Unit.h"
#include "logic/common/Global_Unit.h"
#include "logic/update/VersionCheck.h"

#include <QTimer>

void TfrmQuarvelMain::Update_TimerTimer()
{
    guarded(m_context.dialogs, this, [this] {
        Update_Timer->stop();
        if (!m_context.downloader ||
            !VersionCheck::serverConfigured(m_context.globals.UpdateServer))
            return; // nothing to fetch with, or nowhere to fetch from
        if (!m_updateChecks) {
            m_updateChecks = new UpdateChecks(
                [this](const VersionCheck::Result &result) { UpdateThreadSynchronize(result); },
                this);
        }
        m_updateChecks->start(*m_context.downloader, m_context.globals);
    });
}

void TfrmQuarvelMain::UpdateThreadSynchronize(const VersionCheck::Result &result)
{
    guarded(m_context.dialogs, this, [&] {
        Globals &globals = m_context.globals;
        globals.VersionsVergleich = result.VersionsVergleich;
        if (result.ServerVersion)
            globals.ServerVersion = *result.ServerVersion;
        refreshStatusBar();
        if (globals.settings.UpdateSuchen)
            tmrUpdDL->start();
    });
}

void TfrmQuarvelMain::tmrUpdDLTimer()
{
    guarded(m_context.dialogs, this, [this] {
        tmrUpdDL->stop();
        if (m_context.globals.VersionsVergleich == QString::fromUtf16(VersionCheck::Groesser))
            showSecondaryWindow(m_context.windows.updDL);
    });
}
