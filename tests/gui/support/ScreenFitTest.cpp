#include "gui/support/ScreenFit.h"
#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QRect kLaptop(0, 0, 1366, 728); // 1366 x 768 less a 40 pixel panel
const QRect kRightMonitor(1366, 0, 1920, 1040);

} // namespace

TEST(ScreenFit, FrameIsReducedToAndMovedOntoAScreen)
{
    struct Case
    {
        const char *what;
        QRect frame;
        QList<QRect> areas;
        QRect expected;
    };
    const Case cases[] = {
        {"inside stays", {100, 50, 800, 600}, {kLaptop}, {100, 50, 800, 600}},
        {"exactly the area stays", kLaptop, {kLaptop}, kLaptop},
        {"one pixel wider is reduced", {0, 0, 1367, 728}, {kLaptop}, {0, 0, 1366, 728}},
        {"one pixel higher is reduced", {0, 0, 1366, 729}, {kLaptop}, {0, 0, 1366, 728}},
        {"the old minimum 1024 x 800 is reduced", {0, 0, 1024, 800}, {kLaptop}, {0, 0, 1024, 728}},
        {"too large and off to the right", {900, 300, 2000, 900}, {kLaptop}, kLaptop},
        {"hanging over the right edge moves left",
         {800, 100, 800, 600},
         {kLaptop},
         {566, 100, 800, 600}},
        {"one pixel over the bottom moves up", {0, 129, 800, 600}, {kLaptop}, {0, 128, 800, 600}},
        {"above and left of the screen moves in",
         {-300, -20, 800, 600},
         {kLaptop},
         {0, 0, 800, 600}},
        {"on a monitor that is gone moves to the primary",
         {2000, 100, 800, 600},
         {kLaptop},
         {566, 100, 800, 600}},
        {"far off every screen moves to the primary",
         {-5000, -5000, 800, 600},
         {kLaptop},
         {0, 0, 800, 600}},
        {"on the second monitor stays there",
         {2000, 100, 800, 600},
         {kLaptop, kRightMonitor},
         {2000, 100, 800, 600}},
        {"mostly on the second monitor goes there",
         {1200, 100, 800, 600},
         {kLaptop, kRightMonitor},
         {1366, 100, 800, 600}},
        {"off both screens goes to the primary, not the first listed",
         {5000, 2000, 800, 600},
         {kRightMonitor, kLaptop},
         {566, 128, 800, 600}},
        {"above and left of both screens goes to the primary",
         {-5000, -5000, 800, 600},
         {kRightMonitor, kLaptop},
         {0, 0, 800, 600}},
        {"mostly on the laptop goes there",
         {700, 100, 800, 600},
         {kLaptop, kRightMonitor},
         {566, 100, 800, 600}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ScreenFit::fitFrame(c.frame, c.areas, kLaptop), c.expected);
    }
}

TEST(ScreenFit, StoredGeometryOffEveryScreenComesBackWhole)
{
    TestApp app;
    // As a monitor that has been unplugged leaves it: far right, larger than this screen.
    app.globals.settings.Left = 4000;
    app.globals.settings.Top = 3000;
    app.globals.settings.Width = 5000;
    app.globals.settings.Height = 4000;
    TfrmQuarvelMain window(app.context);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(ScreenFit::primaryArea().contains(window.frameGeometry()))
        << window.frameGeometry().x() << "," << window.frameGeometry().y() << " "
        << window.frameGeometry().width() << "x" << window.frameGeometry().height();
}

TEST(ScreenFit, StoredSizesStayTheUsersPixels)
{
    TestApp app;
    const QRect area = ScreenFit::primaryArea();
    app.globals.settings.Left = area.left() + 10;
    app.globals.settings.Top = area.top() + 10;
    app.globals.settings.Width = 1001;
    app.globals.settings.Height = 701;
    app.globals.settings.NavFensterBreite = 333;
    app.globals.settings.HomeFensterHoehe = 170;
    TfrmQuarvelMain window(app.context);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QSize border = window.frameGeometry().size() - window.size();
    EXPECT_EQ(window.size(),
              QSize(1001, 701).expandedTo(window.minimumSize()).boundedTo(area.size() - border));
    // Not turned into this screen's pixels: they are pixels already.
    EXPECT_EQ(window.gboxNavigation->width(), 333);
    EXPECT_EQ(window.gboxOben->height(), 170);
}

TEST(ScreenFit, CrampedContentScrollsInsteadOfBeingCut)
{
    auto *content = new QWidget;
    content->setMinimumSize(600, 500);
    std::unique_ptr<QScrollArea> area(ScreenFit::scrollWhenCramped(content));
    area->resize(300, 200);
    area->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(area.get()));
    EXPECT_EQ(content->size(), QSize(600, 500));
    EXPECT_TRUE(area->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(area->verticalScrollBar()->isVisible());
    area->resize(900, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(content->size(), area->viewport()->size()); // follows a larger window
}

// Runs with two screens side by side (tests/data/screens/two-screens.json, registered with
// ctest): a stored position on the second screen stays there, one off every screen comes back
// on the primary screen, whole.
TEST(ScreenFitTwoScreens, AWindowOffEveryScreenLandsOnThePrimaryOne)
{
    if (QGuiApplication::screens().size() < 2)
        GTEST_SKIP() << "needs the two-screen configuration";
    const QRect primary = ScreenFit::primaryArea();
    const QRect second = QGuiApplication::screens().at(1)->availableGeometry();
    ASSERT_NE(primary, second);
    struct Case
    {
        const char *name;
        QRect stored;
        QRect expectedArea;
    };
    const Case cases[] = {
        {"on the second screen", QRect(second.x() + 100, 100, 1000, 700), second},
        {"mostly on the second", QRect(second.x() - 200, 100, 1000, 700), second},
        {"right of both", QRect(second.right() + 500, 100, 1000, 700), primary},
        {"below both", QRect(200, 5000, 1000, 700), primary},
        {"left of both, too large", QRect(-6000, -3000, 5000, 4000), primary},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TestApp app;
        app.globals.settings.Left = c.stored.x();
        app.globals.settings.Top = c.stored.y();
        app.globals.settings.Width = c.stored.width();
        app.globals.settings.Height = c.stored.height();
        TfrmQuarvelMain window(app.context);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const QRect frame = window.frameGeometry();
        EXPECT_TRUE(c.expectedArea.contains(frame))
            << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
    }
}
