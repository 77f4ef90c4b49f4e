#pragma once

#include "gui/app/ToolPanel.h"

#include <QHash>
#include <QMainWindow>

#include <memory>

class KeyAwareAction;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSplitter;
class QStackedWidget;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class SecondaryWindow;
class StatusBar1;
class TKoordinaten;
class UpdateChecks;
struct AppContext;
struct NavigatorNode;
namespace VersionCheck {
struct Result;
}

// The main window: navigator on the left, header box and the tool panels on the right, menu,
// tool bar and status bar around them. Choosing a navigator node switches the header texts,
// brings the node's panel to the front and runs the panel's reset (TreeView1Change).
class TfrmQuarvelMain : public QMainWindow, public HeaderLines
{
public:
    explicit TfrmQuarvelMain(AppContext &context, QWidget *parent = nullptr);
    ~TfrmQuarvelMain() override;

    // Called by start-up once every window exists or has its maker: enables the actions that
    // show them.
    void windowsCreated();

    // View operations of the navigator.
    void ShowHome();
    void OpenGroup(bool recursive);
    void ShowToolPanel(ToolPanel *panel);
    void ShowChart(const QString &fileName);

    // HeaderLines
    void setOben(const QString &text) override;
    void setOben2(const QString &text) override;

    ToolPanel *toolPanel(const QString &objectName) const { return m_panels.value(objectName); }
    // Brings the "Weitere Chiffren" panel to the front with a cipher, its parameters and a text.
    void openCipher(const QString &cliName, const QHash<QString, QString> &values,
                    const QString &cipherText);
    AppContext &context() { return m_context; }
    QString AktuellerKnoten() const { return m_aktuellerKnoten; }
    bool ErsterWechsel() const { return m_ersterWechsel; }
    // The coordinate object of the coordinates tool; none before creation and after closing.
    TKoordinaten *koordinaten() const { return m_koordinaten.get(); }

    // Repaints the status bar, e.g. after an update check published its verdict.
    void refreshStatusBar();

    // Opens a page of the help ("index.html" for the contents), or says that it is missing.
    void openHelp(const QString &page);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    void TreeView1Change(QTreeWidgetItem *current);
    void DateTime_TimerTimer();
    void Update_TimerTimer();
    void tmrUpdDLTimer();
    void UpdateThreadSynchronize(const VersionCheck::Result &result);
    void StatusBar1DrawPanel(QPainter &painter, int panel, const QRect &rect);

    void createActions();
    void setActionIcons();
    void createMenus();
    void createToolBar();
    void createNavigator();
    void createHeaderAndPanels();
    void createStatusBar();
    void connectLauncherActions();
    void loadSettings();
    void applyProgramSettings();
    void showProgramEntry(int slot);
    void launch(const QString &file, const QString &workingDirectory);
    void launchInItsFolder(const QString &path);
    void actExtProgrammExecute();
    void ActionExtProgExecute(QObject *sender);
    void HelpContents1Execute();
    QString helpPageHere() const;
    QWidget *windowInUse();
    void applyLayoutSettings();
    void fitNavigatorToItsNodes();
    void captureLayoutSettings();
    void runNode(const NavigatorNode &node);
    void showSecondaryWindow(SecondaryWindow &secondary);
    void clipboardAction(const char *slot);
    void pasteByKeys(QWidget *focused);
    void shareKoordinaten();
    void freeKoordinaten();

    AppContext &m_context;
    QString m_aktuellerKnoten;
    bool m_ersterWechsel = true;
    QHash<QString, ToolPanel *> m_panels;
    std::unique_ptr<TKoordinaten> m_koordinaten;
    UpdateChecks *m_updateChecks = nullptr; // made with the first check

public:
    // Controls and actions, named as the program's documentation names them.
    QGroupBox *gboxNavigation = nullptr;
    QLineEdit *edtFilter = nullptr;
    QTreeWidget *TreeView1 = nullptr;
    QSplitter *SplitterNav = nullptr;
    QWidget *pnlBox = nullptr;
    QGroupBox *gboxOben = nullptr;
    QLabel *lblOben = nullptr;
    QLabel *lblOben2 = nullptr;
    QSplitter *SplitterHome = nullptr;
    QStackedWidget *Panel2 = nullptr;
    QWidget *pnlLeer = nullptr;
    StatusBar1 *statusBar1 = nullptr;
    QToolBar *ToolBar1 = nullptr;
    QTimer *DateTime_Timer = nullptr;
    QTimer *Update_Timer = nullptr;
    QTimer *tmrUpdDL = nullptr;

    QAction *actFileExit = nullptr;
    QAction *EditCut1 = nullptr;
    QAction *EditCopy1 = nullptr;
    QAction *EditPaste1 = nullptr;
    QAction *actCalc = nullptr;
    QAction *actCharMap = nullptr;
    QAction *actEditor = nullptr;
    QAction *actSkrivoEditor = nullptr;
    QAction *actGSAK = nullptr;
    QAction *actGCStatistic = nullptr;
    QAction *actExtProgramm = nullptr;
    QAction *Action[9] = {}; // Action1 .. Action9
    QAction *actCacher = nullptr;
    QAction *actEinstellungen = nullptr;
    QAction *actSudoku = nullptr;
    QAction *actFermilab = nullptr;
    QAction *actKoordRechner = nullptr;
    QAction *actVariableKoordinaten = nullptr;
    QAction *actFormelrechner = nullptr;
    QAction *actKarte = nullptr;
    QAction *actCodeKnacker = nullptr;
    QAction *actBildanalyse = nullptr;
    QAction *actSymbole = nullptr;
    KeyAwareAction *HelpContents1 = nullptr;
    QAction *actInfo = nullptr;
    QAction *actUpdate = nullptr;
};
