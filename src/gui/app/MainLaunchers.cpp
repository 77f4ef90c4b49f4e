// The main window's program launchers: calculator, character map, editor, the outside programs
// and the programs the user adds, the help, and reading and writing the settings they use.

#include "gui/app/AppContext.h"
#include "gui/app/Main_Unit.h"
#include "gui/support/Dialogs.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/KeyAwareAction.h"
#include "gui/support/LaunchFailureMessage.h"
#include "logic/common/Global_Unit.h"
#include "logic/common/HelpTopics.h"
#include "logic/settings/LoadSaveSettings.h"
#include "logic/settings/ProgramSlots.h"
#include "platform/Launcher.h"

#include <QAction>
#include <QApplication>
#include <QStackedWidget>

void TfrmQuarvelMain::connectLauncherActions()
{
    const Settings &s = m_context.globals.settings;
    const std::pair<QAction *, std::function<void()>> launchers[] = {
        {actCalc, [this] { launch(QStringLiteral("calc.exe"), QString()); }},
        {actCharMap, [this] { launch(QStringLiteral("charmap.exe"), QString()); }},
        {actEditor, [this, &s] { launch(s.Editor, QString()); }},
        {actSkrivoEditor, [this, &s] { launchInItsFolder(s.SkrivoEditor); }},
        {actGSAK, [this, &s] { launchInItsFolder(s.GSAK); }},
        {actGCStatistic, [this, &s] { launchInItsFolder(s.GCStatistic); }},
        {actExtProgramm, [this] { actExtProgrammExecute(); }},
        {HelpContents1, [this] { HelpContents1Execute(); }},
    };
    for (const auto &[action, run] : launchers) {
        connect(action, &QAction::triggered, this,
                [this, run = run] { guarded(m_context.dialogs, windowInUse(), run); });
    }
    for (QAction *action : Action) {
        connect(action, &QAction::triggered, this, [this, action] {
            guarded(m_context.dialogs, this, [&] { ActionExtProgExecute(action); });
        });
    }
}

// Creation step 2: read the settings and apply what was read, also when the reading stopped at
// a broken value; the window stays fully usable and the error is shown afterwards.
void TfrmQuarvelMain::loadSettings()
{
    QString error;
    if (m_context.settingsStore) {
        try {
            LoadSettings(*m_context.settingsStore, m_context.globals.settings);
        } catch (const QuarvelError &failure) {
            error = failure.message();
        }
    }
    applyLayoutSettings();
    applyProgramSettings();
    if (!error.isEmpty())
        m_context.dialogs.showError(this, error);
}

void TfrmQuarvelMain::applyProgramSettings()
{
    const Settings &s = m_context.globals.settings;
    for (int slot = 1; slot <= ProgramSlots::kSlots; ++slot) {
        if (!s.ExterneProgramme[slot - 1].isEmpty())
            showProgramEntry(slot);
    }
    actGSAK->setEnabled(!s.GSAK.isEmpty());
    actGCStatistic->setEnabled(!s.GCStatistic.isEmpty());
    actSkrivoEditor->setEnabled(!s.SkrivoEditor.isEmpty());
}

void TfrmQuarvelMain::showProgramEntry(int slot)
{
    const QString &path = m_context.globals.settings.ExterneProgramme[slot - 1];
    QAction *action = Action[slot - 1];
    action->setText(ProgramSlots::caption(slot, path));
    action->setToolTip(path);
    action->setStatusTip(path);
    action->setVisible(true);
}

// On Windows the shell reports a failed start itself; on Linux nobody does, so we say it.
void TfrmQuarvelMain::launch(const QString &file, const QString &workingDirectory)
{
    const int result = m_context.launcher.open(file, QString(), workingDirectory);
    reportLaunchFailure(m_context.dialogs, windowInUse(), file, result);
}

// The outside programs start in their own folder; an empty path starts nothing.
void TfrmQuarvelMain::launchInItsFolder(const QString &path)
{
    if (!path.isEmpty())
        launch(path, ProgramSlots::programFolder(path));
}

void TfrmQuarvelMain::actExtProgrammExecute()
{
    Settings &s = m_context.globals.settings;
    const std::optional<int> slot = ProgramSlots::freeSlot(s);
    if (!slot) {
        m_context.dialogs.messageDlg(this,
                                     QStringLiteral("Die Anzahl der Programme ist erreicht !"),
                                     Dialogs::Icon::Warning, Dialogs::Ok);
        return;
    }
    const QString path = m_context.dialogs.openFileName(this, {});
    if (path.isEmpty())
        return;
    s.ExterneProgramme[*slot - 1] = path;
    showProgramEntry(*slot);
}

void TfrmQuarvelMain::ActionExtProgExecute(QObject *sender)
{
    const auto *action = qobject_cast<QAction *>(sender);
    if (!action)
        return;
    const std::optional<int> slot = ProgramSlots::slotOfCaption(action->text());
    if (!slot)
        return;
    const QString &path = m_context.globals.settings.ExterneProgramme[*slot - 1];
    launch(path, ProgramSlots::programFolder(path));
}

// "Inhalt" opens the contents; F1 the page of the panel or window the user works in.
void TfrmQuarvelMain::HelpContents1Execute()
{
    openHelp(HelpContents1->triggeredByKey() ? helpPageHere()
                                             : QString::fromUtf16(Help::StartPage));
}

// A message about what the user started in another window (F1 there) belongs over that window:
// centred on the main window it would raise it over the window in use.
QWidget *TfrmQuarvelMain::windowInUse()
{
    QWidget *active = QApplication::activeWindow();
    return active && active->isVisible() ? active : this;
}

QString TfrmQuarvelMain::helpPageHere() const
{
    const QWidget *active = QApplication::activeWindow();
    if (active && active != this)
        return Help::pageFor(active->objectName());
    // In the main window: the tool in front; the empty panel of the home view has the contents.
    return Help::pageFor(Panel2->currentWidget()->objectName());
}

void TfrmQuarvelMain::openHelp(const QString &page)
{
    const QString &exePfad = m_context.globals.ExePfad;
    const bool contents = page == QString::fromUtf16(Help::StartPage);
    const bool chmViewer =
        contents && m_context.launcher.hasViewerFor(exePfad + QString::fromUtf16(Help::ChmFile));
    const Help::Target target = Help::targetFor(exePfad, page, chmViewer);
    if (target.file.isEmpty()) {
        m_context.dialogs.messageDlg(windowInUse(), Help::missingHelpText(target.missing),
                                     Dialogs::Icon::Warning, Dialogs::Ok);
        return;
    }
    launch(target.file, QString());
}
