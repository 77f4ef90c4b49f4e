#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/app/NavigatorNodes.h"
#include "gui/app/StatusBar1.h"
#include "gui/support/DesignSize.h"
#include "gui/support/KeyAwareAction.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QTreeWidgetItem *node(TfrmQuarvelMain &w, const QString &text)
{
    const auto found = w.TreeView1->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.constFirst();
}

void choose(TfrmQuarvelMain &w, const QString &text)
{
    QTreeWidgetItem *item = node(w, text);
    ASSERT_NE(item, nullptr) << text.toStdString();
    w.TreeView1->setCurrentItem(item);
}

// Spends the swallowed first change on a node that is not chosen afterwards.
void spendFirstChange(TfrmQuarvelMain &w)
{
    choose(w, QStringLiteral("Umrechnung"));
}

QString currentPanel(TfrmQuarvelMain &w)
{
    return w.Panel2->currentWidget()->objectName();
}

} // namespace

TEST(MainWindow, StartsOnTheHomeViewWithEverythingCollapsed)
{
    TestApp app;
    TfrmQuarvelMain w(app.context);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quarvel"));
    EXPECT_EQ(w.gboxOben->title(), QStringLiteral(" Home "));
    EXPECT_EQ(w.lblOben->text(), QStringLiteral("N 0° E 0°"));
    EXPECT_EQ(w.lblOben2->text(), QString());
    EXPECT_EQ(currentPanel(w), QStringLiteral("pnlLeer"));
    EXPECT_EQ(w.gboxNavigation->title(), QStringLiteral(" Navigation "));
    EXPECT_GE(w.gboxNavigation->minimumWidth(), DesignSize::px(&w, 255));
    EXPECT_EQ(w.minimumSize(), DesignSize::size(&w, 1024, 800));
    ASSERT_EQ(w.TreeView1->topLevelItemCount(), 7);
    for (int i = 0; i < w.TreeView1->topLevelItemCount(); ++i)
        EXPECT_FALSE(w.TreeView1->topLevelItem(i)->isExpanded());
    EXPECT_TRUE(w.ErsterWechsel());
    EXPECT_TRUE(w.DateTime_Timer->isActive());
    EXPECT_FALSE(w.Update_Timer->isActive()); // the test app switches the update check off
}

TEST(MainWindow, UpdateTimerRunsWhenTheCheckIsWanted)
{
    TestApp app;
    app.globals.settings.UpdateSuchen = true;
    TfrmQuarvelMain w(app.context);
    EXPECT_TRUE(w.Update_Timer->isActive());
    EXPECT_EQ(w.Update_Timer->interval(), 2000);
}

TEST(MainWindow, NavigatorShowsEveryNodeInOrder)
{
    TestApp app;
    TfrmQuarvelMain w(app.context);
    QStringList shown;
    for (int i = 0; i < w.TreeView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem *group = w.TreeView1->topLevelItem(i);
        shown << group->text(0);
        for (int k = 0; k < group->childCount(); ++k)
            shown << QStringLiteral("  ") + group->child(k)->text(0);
    }
    EXPECT_EQ(
        shown.join(u'|'),
        QStringLiteral(
            "Koordinaten|  GPS (WGS84)|Zahlensysteme|  Quersumme|Strings|  Buchstabenwortwert|"
            "  Buchstabenverteilung|Kryptologie|  ROT-Verschiebung|  Freimauerer-Code|"
            "  Römische Zahlenkodierung|  Vigenère|  Trifid|  Weitere Chiffren|Diagramme|  "
            "Brailleschrift|"
            "  Buchstabenwerte|  Dancing Men Cypher|  Flaggenalphabet|  Freimaurer-Code|"
            "  Hexenschrift|  Morse-Code|  Römische Zahlen|  Stabzahlen|  Symboltafeln|"
            "Umrechnung|  Meter - "
            "Inch|  GC-Code|Rechnen|  Datum & Zeit|  Primzahlen & Teiler|  Zahlenfolgen|  "
            "Konstanten|  Zahlenbasen|  Prüfziffern|  Hashes"));
    QTreeWidgetItem *disabled = node(w, QStringLiteral("Freimauerer-Code"));
    EXPECT_FALSE(disabled->flags() & Qt::ItemIsEnabled);
}

TEST(MainWindow, FirstSelectionChangeLeavesTheHomeView)
{
    TestApp app;
    TfrmQuarvelMain w(app.context);
    choose(w, QStringLiteral("Vigenère"));
    EXPECT_FALSE(w.ErsterWechsel());
    EXPECT_EQ(w.AktuellerKnoten(), QString());
    EXPECT_EQ(w.gboxOben->title(), QStringLiteral(" Home "));
    EXPECT_EQ(currentPanel(w), QStringLiteral("pnlLeer"));
    // Choosing the same node again fires no change; another node then works.
    choose(w, QStringLiteral("Vigenère"));
    EXPECT_EQ(w.gboxOben->title(), QStringLiteral(" Home "));
    choose(w, QStringLiteral("Trifid"));
    EXPECT_EQ(w.gboxOben->title(), QStringLiteral(" Kryptologie "));
    EXPECT_EQ(w.AktuellerKnoten(), QStringLiteral("Trifid"));
}

TEST(MainWindow, EveryToolNodeSetsItsHeader)
{
    TestApp app;
    TfrmQuarvelMain w(app.context);
    spendFirstChange(w);
    for (const NavigatorNode &n : navigatorNodes()) {
        SCOPED_TRACE(n.text.toStdString());
        choose(w, QStringLiteral("Koordinaten")); // a different node first, so the change fires
        choose(w, n.text);
        using Kind = NavigatorNode::Kind;
        if (n.kind == Kind::Group || n.kind == Kind::GroupRecursive) {
            EXPECT_EQ(w.gboxOben->title(), QStringLiteral(" Home "));
            EXPECT_EQ(currentPanel(w), QStringLiteral("pnlLeer"));
            EXPECT_TRUE(node(w, n.text)->isExpanded());
            continue;
        }
        EXPECT_EQ(w.gboxOben->title(), n.caption);
        if (n.oben) {
            EXPECT_EQ(w.lblOben->text(), *n.oben);
        }
        if (n.oben2) {
            EXPECT_EQ(w.lblOben2->text(), *n.oben2);
        }
        if (ToolPanel *panel = w.toolPanel(n.panel)) {
            EXPECT_EQ(currentPanel(w), n.panel);
            EXPECT_EQ(panel->title(), n.panelCaption.value_or(u' ' + n.text + u' '));
        }
    }
}

TEST(MainWindow, GroupsExpandAndNeverCollapse)
{
    TestApp app;
    TfrmQuarvelMain w(app.context);
    spendFirstChange(w);
    choose(w, QStringLiteral("Koordinaten"));
    QTreeWidgetItem *koordinaten = node(w, QStringLiteral("Koordinaten"));
    EXPECT_TRUE(koordinaten->isExpanded());
    choose(w, QStringLiteral("GPS (WGS84)"));
    choose(w, QStringLiteral("Koordinaten"));
    EXPECT_TRUE(koordinaten->isExpanded());
    EXPECT_EQ(w.gboxOben->title(), QStringLiteral(" Home "));
    EXPECT_EQ(w.lblOben->text(), QStringLiteral("N 0° E 0°"));
    EXPECT_FALSE(node(w, QStringLiteral("Strings"))->isExpanded());
}

TEST(MainWindow, HomeViewShowsTheHomeCoordinatesSetting)
{
    TestApp app;
    app.globals.settings.HomeKoordinaten = QStringLiteral("N 52° 31.000 E 013° 24.000");
    TfrmQuarvelMain w(app.context);
    EXPECT_EQ(w.lblOben->text(), QStringLiteral("N 52° 31.000 E 013° 24.000"));
    spendFirstChange(w);
    choose(w, QStringLiteral("Trifid"));
    choose(w, QStringLiteral("Strings"));
    EXPECT_EQ(w.lblOben->text(), QStringLiteral("N 52° 31.000 E 013° 24.000"));
    EXPECT_EQ(w.lblOben2->text(), QString());
}

TEST(MainWindow, MenusCarryTheirEntriesAndShortcuts)
{
    TestApp app;
    TfrmQuarvelMain w(app.context);
    QStringList menus;
    for (QAction *menu : w.menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus.join(u'|'),
              QStringLiteral("&Datei|&Bearbeiten|&Programme|D&atenbanken|&Optionen|&Tools|&Hilfe"));
    EXPECT_EQ(w.EditCut1->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
    EXPECT_EQ(w.EditCopy1->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
    EXPECT_EQ(w.EditPaste1->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
    EXPECT_EQ(w.HelpContents1->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(w.actFileExit->toolTip(), QStringLiteral("Beenden"));
    EXPECT_EQ(w.actFileExit->statusTip(), QStringLiteral("Anwendung beenden"));
    EXPECT_EQ(w.EditPaste1->statusTip(), QStringLiteral("Inhalt der Zwischenablage einfügen"));
    EXPECT_FALSE(w.actGSAK->isEnabled());
    EXPECT_FALSE(w.actGCStatistic->isEnabled());
    EXPECT_FALSE(w.actSkrivoEditor->isEnabled());
    for (QAction *a : w.Action)
        EXPECT_FALSE(a->isVisible());
    const char *buttons[] = {"tbtnCalc",    "tbtnCharMap", "tbtnEditor",
                             "ToolButton2", "ToolButton1", "ToolButton3",
                             "ToolButton5", "tbtnInfo",    "tbtnExit"};
    for (const char *name : buttons)
        EXPECT_NE(w.ToolBar1->findChild<QWidget *>(QString::fromLatin1(name)), nullptr) << name;
}

TEST(MainWindow, WindowActionsFollowTheWindowsThatExist)
{
    TestApp app;
    TfrmQuarvelMain w(app.context);
    EXPECT_FALSE(w.actSudoku->isEnabled());
    QWidget sudoku;
    app.context.windows.sudoku = &sudoku;
    w.windowsCreated();
    EXPECT_TRUE(w.actSudoku->isEnabled());
    EXPECT_FALSE(w.actCacher->isEnabled());
    w.actSudoku->trigger();
    EXPECT_TRUE(sudoku.isVisible());
}

TEST(MainWindow, ClipboardActionsWorkOnTheFocusedField)
{
    TestApp app;
    TfrmQuarvelMain w(app.context);
    w.show();
    auto *field = new QLineEdit(w.pnlLeer);
    field->setText(QStringLiteral("Geocache"));
    field->show();
    field->setFocus();
    QApplication::processEvents();
    if (QApplication::focusWidget() != field)
        GTEST_SKIP() << "no focus on this platform";
    field->selectAll();
    w.EditCopy1->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Geocache"));
    w.EditCut1->trigger();
    EXPECT_EQ(field->text(), QString());
    w.EditPaste1->trigger();
    w.EditPaste1->trigger();
    EXPECT_EQ(field->text(), QStringLiteral("GeocacheGeocache"));
}

TEST(MainWindow, ClosingWritesTheLayoutIntoTheSettings)
{
    TestApp app;
    TfrmQuarvelMain w(app.context);
    w.show();
    w.SplitterNav->setSizes({300, 800});
    w.close();
    EXPECT_EQ(app.globals.settings.NavFensterBreite.value_or(0), w.gboxNavigation->width());
    EXPECT_EQ(app.globals.settings.HomeFensterHoehe, w.gboxOben->height());
    EXPECT_TRUE(app.globals.settings.Width.has_value());
}

TEST(StatusBar, VerdictTextsAndColours)
{
    Globals g;
    g.UpdateServer = QStringLiteral("https://update.invalid/");
    g.LokaleVersion = QStringLiteral("0.4.1.0");
    g.ServerVersion = QStringLiteral("0.5.0.0");
    const struct
    {
        const char *word;
        const char *text;
        QColor colour;
    } cases[] = {
        {"gleich", "Version 0.4.1.0 ist aktuell !", QColor(0, 128, 0)},
        {"größer", "Version 0.5.0.0 ist verfügbar !", QColor(255, 0, 0)},
        {"kleiner", "Diese Version 0.4.1.0 ist neuer !", QColor(255, 128, 64)},
        {"NIL", "Keine Verbindung zum Server !", QColor(255, 0, 0)},
        {"", "", QColor()},
        {"Gleich", "", QColor()}, // compared exactly
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.word);
        g.VersionsVergleich = QString::fromUtf8(c.word);
        const StatusVerdict v = statusVerdict(g);
        EXPECT_EQ(v.text, QString::fromUtf8(c.text));
        if (!v.text.isEmpty()) {
            EXPECT_EQ(v.colour, c.colour);
        }
        // A build without an update server shows its neutral state whatever the word says.
        Globals none = g;
        none.UpdateServer.clear();
        EXPECT_EQ(statusVerdict(none).text, u"Keine Update-Prüfung eingerichtet");
        EXPECT_EQ(statusVerdict(none).colour, QColor(128, 128, 128));
    }
}

TEST(StatusBar, ClockShowsDateAndTimeAfterABlank)
{
    const QDateTime at(QDate(2025, 12, 8), QTime(14, 3, 7));
    EXPECT_EQ(statusClockText(at), QStringLiteral(" 08.12.2025 14:03:07"));
    TestApp app;
    TfrmQuarvelMain w(app.context);
    EXPECT_EQ(w.DateTime_Timer->interval(), 1000);
    const QRect r = w.statusBar1->panelRect(1);
    // Designed at 120 dpi: 200 and 270 pixels there; the verdict panel grows where its
    // longest text would be cut ("Keine Update-Prüfung eingerichtet" in bold after the indent).
    EXPECT_EQ(r.left(), DesignSize::px(&w, 200));
    QFont bold = w.statusBar1->font();
    bold.setBold(true);
    const int needed =
        QFontMetrics(bold).horizontalAdvance(QStringLiteral("Keine Update-Prüfung eingerichtet")) +
        DesignSize::px(&w, 10);
    EXPECT_GE(r.width(), std::max(DesignSize::px(&w, 270), needed));
    EXPECT_LE(r.width(), std::max(DesignSize::px(&w, 270), needed + 6));
    EXPECT_EQ(w.statusBar1->panelRect(2).left(), r.right() + 1);
}
