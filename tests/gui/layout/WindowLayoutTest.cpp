// Every window at the resolution of the screen the tests run on: ctest runs these tests on a
// 1366 x 768 laptop screen at 96 dpi and at 120 dpi (with and without Qt's scaling) and on
// 1280 x 720, besides the default test screen.

#include "fakes/TestApp.h"
#include "gui/app/Einstellungen_Unit.h"
#include "gui/app/Info_Unit.h"
#include "gui/app/Main_Unit.h"
#include "gui/app/Splash_Unit.h"
#include "gui/app/panels/gboxChiffren.h"
#include "gui/cacher/Cacher_Unit.h"
#include "gui/layout/LayoutCheck.h"
#include "gui/solvers/Fermil_Unit.h"
#include "gui/solvers/uSudoku.h"
#include "gui/support/DesignSize.h"
#include "gui/support/ScreenFit.h"
#include "gui/tools/Hilfsfenster_Unit.h"
#include "gui/update/Upd_DL_Unit.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

void showAndSettle(QWidget &window)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
}

std::string screenText()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return QStringLiteral("%1 x %2 at %3 dpi, device pixel ratio %4")
        .arg(screen->availableGeometry().width())
        .arg(screen->availableGeometry().height())
        .arg(screen->logicalDotsPerInch())
        .arg(screen->devicePixelRatio())
        .toStdString();
}

// A window with a designed client size: it has that size on this screen (or the screen's size
// where that is smaller) and shows every control.
template<typename Window> void expectDesignedAndVisible(Window &window, QSize designed)
{
    showAndSettle(window);
    // Each designed length of the window is rounded to whole pixels on its own, so their sum
    // may be a pixel or two off the rounded designed size.
    const QSize expected = expectedClientSize(&window, designed);
    EXPECT_NEAR(window.width(), expected.width(), 2);
    EXPECT_NEAR(window.height(), expected.height(), 2);
    EXPECT_EQ(controlsOutOfSight(&window), QStringList());
}

// The scroll area the main window's panels lie in: a scroll bar means the user must scroll.
QScrollArea *panelArea(TfrmQuarvelMain &window)
{
    for (QWidget *widget = window.Panel2; widget; widget = widget->parentWidget()) {
        if (auto *area = qobject_cast<QScrollArea *>(widget))
            return area;
    }
    return nullptr;
}

bool panelScrolls(TfrmQuarvelMain &window)
{
    QScrollArea *area = panelArea(window);
    return area &&
        (area->verticalScrollBar()->isVisible() || area->horizontalScrollBar()->isVisible());
}

// Every cipher of "Weitere Chiffren" without scrolling, both text boxes with three lines at least.
void expectEveryCipherFits(TfrmQuarvelMain &window)
{
    auto *panel = static_cast<gboxChiffren *>(window.toolPanel(QStringLiteral("gboxChiffren")));
    window.Panel2->setCurrentWidget(panel);
    for (int row = 0; row < panel->lstChiffren->count(); ++row) {
        panel->lstChiffren->setCurrentRow(row);
        QCoreApplication::processEvents();
        SCOPED_TRACE(panel->lstChiffren->item(row)->text().toStdString());
        EXPECT_FALSE(panelScrolls(window))
            << "the panel scrolls by " << panelArea(window)->verticalScrollBar()->maximum() << " × "
            << panelArea(window)->horizontalScrollBar()->maximum() << " pixels";
        EXPECT_EQ(controlsOutOfSight(&window), QStringList());
        for (QPlainTextEdit *box : {panel->rtfKlartext, panel->rtfGeheimtext})
            EXPECT_GE(box->viewport()->height(), 3 * box->fontMetrics().lineSpacing());
    }
}

} // namespace

TEST(WindowLayout, DesignScaleFollowsTheScreensResolution)
{
    SCOPED_TRACE(screenText());
    QWidget widget;
    const double dpi = widget.screen()->logicalDotsPerInch();
    EXPECT_DOUBLE_EQ(DesignSize::scale(&widget), dpi / 120.0);
    EXPECT_EQ(DesignSize::px(&widget, 1000), qRound(1000 * dpi / 120.0));
    // A font of 18 pixels at 120 dpi has 10.8 points: the same height on every screen.
    EXPECT_DOUBLE_EQ(DesignSize::fontPoints(18), 10.8);
    // Without a screen (none attached yet) the common 96 dpi is assumed.
    EXPECT_DOUBLE_EQ(DesignSize::scaleOf(nullptr), 0.8);
}

TEST(WindowLayout, MainWindowHasItsDesignedSizeAndShowsEveryPanel)
{
    SCOPED_TRACE(screenText());
    TestApp app;
    TfrmQuarvelMain window(app.context);
    showAndSettle(window);
    // The designed client area is lower than the designed minimum, which counts the frame.
    EXPECT_EQ(window.size(),
              expectedClientSize(&window, {1103, 768}).expandedTo(window.minimumSize()));
    EXPECT_EQ(window.minimumSize(), expectedClientSize(&window, {1024, 800}));
    EXPECT_EQ(window.gboxNavigation->width(), DesignSize::px(&window, 255));
    for (int i = 0; i < window.Panel2->count(); ++i) {
        window.Panel2->setCurrentIndex(i);
        QCoreApplication::processEvents();
        SCOPED_TRACE(window.Panel2->currentWidget()->objectName().toStdString());
        EXPECT_EQ(controlsOutOfSight(&window), QStringList());
    }
}

// A small panel gets no scroll bar for the room a larger one behind it would need.
TEST(WindowLayout, SmallPanelsDoNotScrollAtTheDefaultSize)
{
    SCOPED_TRACE(screenText());
    TestApp app;
    TfrmQuarvelMain window(app.context);
    showAndSettle(window);
    for (const char *name : {"gboxGcCode", "gboxQuersumme", "gboxChiffren"}) {
        SCOPED_TRACE(name);
        window.Panel2->setCurrentWidget(window.toolPanel(QString::fromLatin1(name)));
        QCoreApplication::processEvents();
        EXPECT_FALSE(panelScrolls(window));
    }
}

TEST(WindowLayout, EveryCipherFitsTheMainWindowAtItsDefaultSize)
{
    SCOPED_TRACE(screenText());
    TestApp app;
    TfrmQuarvelMain window(app.context);
    showAndSettle(window);
    expectEveryCipherFits(window);
}

TEST(WindowLayout, EveryCipherFitsTheMaximisedMainWindow)
{
    SCOPED_TRACE(screenText());
    TestApp app;
    TfrmQuarvelMain window(app.context);
    window.showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    expectEveryCipherFits(window);
}

TEST(WindowLayout, MaximisedMainWindowShowsTheLetterDistribution)
{
    SCOPED_TRACE(screenText());
    TestApp app;
    TfrmQuarvelMain window(app.context);
    window.showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.Panel2->setCurrentWidget(window.toolPanel(QStringLiteral("gboxBuchstabenverteilung")));
    QCoreApplication::processEvents();
    EXPECT_EQ(controlsOutOfSight(&window), QStringList());
}

TEST(WindowLayout, NavigatorShowsEveryNodeWholeAtItsDesignedWidth)
{
    SCOPED_TRACE(screenText());
    TestApp app;
    TfrmQuarvelMain window(app.context);
    showAndSettle(window);
    window.TreeView1->expandAll();
    QCoreApplication::processEvents();
    // Every row, indentation, picture and text included, fits the view: no node is cut or
    // shortened with "…".
    QTreeWidget *tree = window.TreeView1;
    QStyleOptionViewItem option;
    option.initFrom(tree);
    option.font = tree->font();
    option.fontMetrics = tree->fontMetrics();
    option.widget = tree;
    option.decorationSize = tree->iconSize();
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        SCOPED_TRACE((*it)->text(0).toStdString());
        const QModelIndex index = tree->indexFromItem(*it);
        const int needed = tree->visualItemRect(*it).left() +
            tree->itemDelegate()->sizeHint(option, index).width();
        EXPECT_LE(needed, tree->viewport()->width());
    }
}

TEST(WindowLayout, SecondaryWindowsHaveTheirDesignedSizes)
{
    SCOPED_TRACE(screenText());
    TestApp app;
    auto main = std::make_unique<TfrmQuarvelMain>(app.context);
    {
        SCOPED_TRACE("Einstellungen");
        TfrmEinstellungen window(app.context, *main);
        expectDesignedAndVisible(window, {811, 503});
    }
    {
        SCOPED_TRACE("Information");
        TfrmInfo window(app.context);
        expectDesignedAndVisible(window, {572, 537});
    }
    {
        SCOPED_TRACE("ROT table");
        TfrmMisc window;
        expectDesignedAndVisible(window, {825, 660});
    }
    {
        SCOPED_TRACE("Sudoku");
        TfrmSudoku window(app.context);
        expectDesignedAndVisible(window, {456, 488});
    }
    {
        SCOPED_TRACE("Fermilab");
        TfrmFermilab window(app.context);
        expectDesignedAndVisible(window, {871, 662});
    }
    {
        SCOPED_TRACE("Update");
        auto *window = new TfrmUpdDL(app.context, main.get());
        expectDesignedAndVisible(*window, {360, 150});
        delete window;
    }
}

TEST(WindowLayout, SplashHasItsDesignedSize)
{
    SCOPED_TRACE(screenText());
    auto *splash = new TfrmSplash(QStringLiteral("0.4.1.0"));
    expectDesignedAndVisible(*splash, {620, 373});
    splash->setInitializationDone(true);
    splash->close();
}

TEST(WindowLayout, CacherWindowShowsEveryControl)
{
    SCOPED_TRACE(screenText());
    TestApp app;
    TfrmCacher window(app.context);
    showAndSettle(window);
    EXPECT_EQ(controlsOutOfSight(&window), QStringList());
}
