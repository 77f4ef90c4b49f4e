// The main window's actions, its menu bar and its tool bar.

#include "gui/app/AppContext.h"
#include "gui/app/Main_Unit.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/Icons.h"
#include "gui/support/KeyAwareAction.h"
#include "gui/support/ResultLabel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>

namespace {

template<class Action = QAction>
Action *makeAction(QObject *owner, const char *name, const QString &caption,
                   const QString &hint = {})
{
    auto *action = new Action(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) {
        // "short|long": the part before "|" is the tool tip, the rest the long hint.
        const qsizetype bar = hint.indexOf(u'|');
        action->setToolTip(bar < 0 ? hint : hint.left(bar));
        action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    }
    return action;
}

} // namespace

void TfrmQuarvelMain::createActions()
{
    actFileExit = makeAction(this, "actFileExit", QStringLiteral("&Beenden"),
                             QStringLiteral("Beenden|Anwendung beenden"));
    EditCut1 = makeAction(
        this, "EditCut1", QStringLiteral("&Ausschneiden"),
        QStringLiteral("Ausschneiden|Markiertes Objekt in die Zwischenablage verschieben"));
    EditCut1->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
    EditCopy1 =
        makeAction(this, "EditCopy1", QStringLiteral("&Kopieren"),
                   QStringLiteral("Kopieren|Markiertes Objekt in die Zwischenablage kopieren"));
    EditCopy1->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    EditPaste1 = makeAction(this, "EditPaste1", QStringLiteral("&Einfügen"),
                            QStringLiteral("Einfügen|Inhalt der Zwischenablage einfügen"));
    EditPaste1->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
    for (QAction *edit : {EditCut1, EditCopy1, EditPaste1})
        edit->setShortcutContext(Qt::ApplicationShortcut);

    actCalc = makeAction(this, "actCalc", QStringLiteral("&Rechner"), QStringLiteral("Rechner"));
    actCharMap = makeAction(this, "actCharMap", QStringLiteral("&Zeichentabelle"),
                            QStringLiteral("Zeichentabelle"));
    actEditor = makeAction(this, "actEditor", QStringLiteral("E&ditor"), QStringLiteral("Editor"));
    actSkrivoEditor = makeAction(this, "actSkrivoEditor", QStringLiteral("&SkrivoEditor"));
    actGSAK = makeAction(this, "actGSAK", QStringLiteral("&GSAK"));
    actGCStatistic = makeAction(this, "actGCStatistic", QStringLiteral("G&CStatistic"));
    for (QAction *action : {actSkrivoEditor, actGSAK, actGCStatistic})
        action->setEnabled(false);
    actExtProgramm =
        makeAction(this, "actExtProgramm", QStringLiteral("&Externes Programm hinzufügen ..."));
    for (int i = 0; i < 9; ++i) {
        Action[i] = makeAction(this, "", QStringLiteral("Action%1").arg(i + 1));
        Action[i]->setObjectName(QStringLiteral("Action%1").arg(i + 1));
        Action[i]->setVisible(false);
    }

    actCacher = makeAction(this, "actCacher", QStringLiteral("&Cacher"));
    actEinstellungen = makeAction(this, "actEinstellungen", QStringLiteral("&Einstellungen"));
    actSudoku = makeAction(this, "actSudoku", QStringLiteral("&Sudoku-Solver"),
                           QStringLiteral("Sudoku-Solver"));
    actFermilab = makeAction(this, "actFermilab", QStringLiteral("&Fermlab-Solver"));
    actKoordRechner = makeAction(this, "actKoordRechner", QStringLiteral("&Koordinatenrechner"),
                                 QStringLiteral("Koordinatenrechner"));
    actVariableKoordinaten =
        makeAction(this, "actVariableKoordinaten", QStringLiteral("&Variable Koordinaten ..."));
    actCodeKnacker = makeAction(this, "actCodeKnacker", QStringLiteral("C&ode-Knacker ..."));
    actFormelrechner = makeAction(this, "actFormelrechner", QStringLiteral("Fo&rmelrechner ..."));
    actFormelrechner->setEnabled(false);
    actKarte = makeAction(this, "actKarte", QStringLiteral("K&arte ..."));
    actBildanalyse = makeAction(this, "actBildanalyse", QStringLiteral("&Bildanalyse ..."));
    actSymbole = makeAction(this, "actSymbole", QStringLiteral("Sy&mbole ..."));
    HelpContents1 = makeAction<KeyAwareAction>(this, "HelpContents1", QStringLiteral("I&nhalt"),
                                               QStringLiteral("Inhalt der Hilfe"));
    HelpContents1->setShortcut(QKeySequence(Qt::Key_F1));
    // F1 also works in the other windows, where it opens their own help page.
    HelpContents1->setShortcutContext(Qt::ApplicationShortcut);
    actInfo = makeAction(this, "actInfo", QStringLiteral("&Info"), QStringLiteral("Info"));
    actUpdate = makeAction(this, "actUpdate", QStringLiteral("Check &Update ..."));
    // Shown once their windows exist (windowsCreated).
    for (QAction *action : {actCacher, actEinstellungen, actSudoku, actFermilab, actKoordRechner,
                            actVariableKoordinaten, actKarte, actCodeKnacker, actInfo, actUpdate,
                            actBildanalyse, actSymbole})
        action->setEnabled(false);

    setActionIcons();

    connect(actFileExit, &QAction::triggered, this, [this] { close(); });
    connect(EditCut1, &QAction::triggered, this, [this] { clipboardAction("cut"); });
    connect(EditCopy1, &QAction::triggered, this, [this] { clipboardAction("copy"); });
    connect(EditPaste1, &QAction::triggered, this, [this] { clipboardAction("paste"); });
    const std::pair<QAction *, SecondaryWindow SecondaryWindows::*> shows[] = {
        {actCacher, &SecondaryWindows::cacher},
        {actEinstellungen, &SecondaryWindows::einstellungen},
        {actSudoku, &SecondaryWindows::sudoku},
        {actFermilab, &SecondaryWindows::fermilab},
        {actKoordRechner, &SecondaryWindows::koordRechner},
        {actVariableKoordinaten, &SecondaryWindows::variableKoordinaten},
        {actCodeKnacker, &SecondaryWindows::codeKnacker},
        {actKarte, &SecondaryWindows::karte},
        {actBildanalyse, &SecondaryWindows::bildanalyse},
        {actInfo, &SecondaryWindows::info},
        {actUpdate, &SecondaryWindows::updDL},
        {actFormelrechner, &SecondaryWindows::formelrechner},
        {actSymbole, &SecondaryWindows::symbole},
    };
    for (const auto &[action, member] : shows) {
        connect(action, &QAction::triggered, this,
                [this, member = member] { showSecondaryWindow(m_context.windows.*member); });
    }
}

// Each entry shows the icon theme's picture of what it does, by its freedesktop name; the
// Sudoku solver has no such name and always shows our own.
void TfrmQuarvelMain::setActionIcons()
{
    const std::pair<QAction *, const char *> themed[] = {
        {actFileExit, "application-exit"},
        {EditCut1, "edit-cut"},
        {EditCopy1, "edit-copy"},
        {EditPaste1, "edit-paste"},
        {actCalc, "accessories-calculator"},
        {actCharMap, "accessories-character-map"},
        {actEditor, "accessories-text-editor"},
        {actCacher, "x-office-address-book"},
        {actEinstellungen, "preferences-system"},
        {HelpContents1, "help-contents"},
        {actInfo, "help-about"},
        {actUpdate, "system-software-update"},
    };
    for (const auto &[action, name] : themed)
        action->setIcon(Icons::action(name));
    actSudoku->setIcon(Icons::own("quarvel-sudoku"));
}

void TfrmQuarvelMain::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("ActionMainMenuBar1"));
    bar->setFont(QFont(QStringLiteral("Segoe UI"), 9));
    QMenu *datei = bar->addMenu(QStringLiteral("&Datei"));
    datei->addAction(actFileExit);
    QMenu *bearbeiten = bar->addMenu(QStringLiteral("&Bearbeiten"));
    bearbeiten->addActions({EditCut1, EditCopy1, EditPaste1});
    QMenu *programme = bar->addMenu(QStringLiteral("&Programme"));
    programme->setObjectName(QStringLiteral("mnuProgramme"));
    programme->addActions({actCalc, actCharMap});
    programme->addSeparator();
    programme->addAction(actEditor);
    programme->addSeparator();
    programme->addAction(actSkrivoEditor);
    programme->addSeparator();
    programme->addActions({actGSAK, actGCStatistic});
    programme->addSeparator();
    programme->addAction(actExtProgramm);
    programme->addSeparator();
    for (QAction *action : Action)
        programme->addAction(action);
    bar->addMenu(QStringLiteral("D&atenbanken"))->addAction(actCacher);
    bar->addMenu(QStringLiteral("&Optionen"))->addAction(actEinstellungen);
    QMenu *tools = bar->addMenu(QStringLiteral("&Tools"));
    tools->addActions({actSudoku, actFermilab, actKoordRechner});
    tools->addSeparator();
    tools->addAction(actVariableKoordinaten);
    tools->addAction(actCodeKnacker);
    tools->addAction(actKarte);
    tools->addAction(actBildanalyse);
    tools->addAction(actSymbole);
    tools->addAction(actFormelrechner);
    QMenu *hilfe = bar->addMenu(QStringLiteral("&Hilfe"));
    hilfe->addActions({HelpContents1, actInfo});
    hilfe->addSeparator();
    hilfe->addAction(actUpdate);
}

void TfrmQuarvelMain::createToolBar()
{
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(24, 24));
    const std::pair<QAction *, const char *> groups[][3] = {
        {{actCalc, "tbtnCalc"}, {actCharMap, "tbtnCharMap"}, {nullptr, nullptr}},
        {{actEditor, "tbtnEditor"}, {nullptr, nullptr}, {nullptr, nullptr}},
        {{EditCut1, "ToolButton2"}, {EditCopy1, "ToolButton1"}, {EditPaste1, "ToolButton3"}},
        {{actSudoku, "ToolButton5"}, {nullptr, nullptr}, {nullptr, nullptr}},
        {{actInfo, "tbtnInfo"}, {nullptr, nullptr}, {nullptr, nullptr}},
        {{actFileExit, "tbtnExit"}, {nullptr, nullptr}, {nullptr, nullptr}},
    };
    bool first = true;
    for (const auto &group : groups) {
        if (!first)
            ToolBar1->addSeparator();
        first = false;
        for (const auto &[action, name] : group) {
            if (!action)
                continue;
            ToolBar1->addAction(action);
            if (QWidget *button = ToolBar1->widgetForAction(action))
                button->setObjectName(QString::fromLatin1(name));
        }
    }
}

void TfrmQuarvelMain::windowsCreated()
{
    SecondaryWindows &windows = m_context.windows;
    const std::pair<QAction *, const SecondaryWindow *> shows[] = {
        {actCacher, &windows.cacher},
        {actEinstellungen, &windows.einstellungen},
        {actSudoku, &windows.sudoku},
        {actFermilab, &windows.fermilab},
        {actInfo, &windows.info},
        {actUpdate, &windows.updDL},
        {actVariableKoordinaten, &windows.variableKoordinaten},
        {actKoordRechner, &windows.koordRechner},
        {actKarte, &windows.karte},
        {actCodeKnacker, &windows.codeKnacker},
        {actFormelrechner, &windows.formelrechner},
        {actBildanalyse, &windows.bildanalyse},
        {actSymbole, &windows.symbole},
    };
    for (const auto &[action, window] : shows)
        action->setEnabled(window->available());
}

void TfrmQuarvelMain::showSecondaryWindow(SecondaryWindow &secondary)
{
    // A window built on its first showing may fail to build; the error box says why.
    guarded(m_context.dialogs, this, [&] {
        QWidget *window = secondary.get();
        if (!window)
            return;
        if (&secondary == &m_context.windows.updDL) {
            window->setWindowModality(Qt::ApplicationModal);
            window->show();
            return;
        }
        window->show();
        window->raise();
        window->activateWindow();
    });
}

void TfrmQuarvelMain::clipboardAction(const char *slot)
{
    // Text fields (line edits, rich-text boxes, memos) all offer cut, copy and paste as slots;
    // a result label copies what its own "Kopieren" would.
    QWidget *focused = QApplication::focusWidget();
    if (auto *label = qobject_cast<QLabel *>(focused); label && qstrcmp(slot, "copy") == 0)
        QGuiApplication::clipboard()->setText(ResultLabel::copyText(label));
    else if (focused && qstrcmp(slot, "paste") == 0)
        pasteByKeys(focused);
    else if (focused)
        QMetaObject::invokeMethod(focused, slot);
}

// The menu's paste goes the way of the paste keys, so a field's paste limit applies to it too.
void TfrmQuarvelMain::pasteByKeys(QWidget *focused)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QApplication::sendEvent(focused, &press);
}
