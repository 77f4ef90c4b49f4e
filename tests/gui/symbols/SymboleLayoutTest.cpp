// The decoder on a laptop screen of 1366 x 768: every control in sight. The disabled screenshot
// test saves it with three tables for looking at by eye, e.g.
//   QUARVEL_SHOTS=/tmp/shots LANG=de_DE.UTF-8 xvfb-run -a -s "-screen 0 1366x768x24"
//     env QT_QPA_PLATFORM=xcb quarvel_gui_tests --gtest_also_run_disabled_tests
//     --gtest_filter='Screenshot.Symbole*'
#include "fakes/TestApp.h"
#include "gui/layout/LayoutCheck.h"
#include "gui/symbols/GlyphPalette.h"
#include "gui/symbols/Symbole_Unit.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

TEST(SymboleLayout, EveryControlIsInSightOnALaptopScreen)
{
    TestApp app;
    TfrmSymbole window(app.context);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (int page = 0; page < window.tabModus->count(); ++page) {
        SCOPED_TRACE(page);
        window.tabModus->setCurrentIndex(page);
        QCoreApplication::processEvents();
        EXPECT_EQ(controlsOutOfSight(&window), QStringList());
        EXPECT_TRUE(frameOnScreen(&window));
    }
}

namespace {

// Three tables spread over the list, each on another page with a few glyphs chosen.
void fillPage(TfrmSymbole &window, int shot)
{
    const int count = window.lstTafeln->count();
    window.lstTafeln->setCurrentRow(std::min(count - 1, shot * count / 3));
    const SymbolTables::Table &table = *window.currentTable();
    const int glyphs = int(table.glyphen.size());
    window.tabModus->setCurrentIndex(shot);
    QString text;
    for (int i = 0; i < std::min(glyphs, 5); ++i)
        text += table.glyphen[i].zeichen;
    switch (shot) {
    case TfrmSymbole::DecodePage:
        window.edtKlartext->setText(text);
        break;
    case TfrmSymbole::EncodePage:
        window.edtText->setText(text + QStringLiteral(" ") + text);
        break;
    default:
        for (int i : {0, 1, 0, 2, 1, 3}) {
            window.lstGlyphen->setCurrentRow(std::min(glyphs - 1, i));
            QTest::keyClick(window.lstGlyphen, Qt::Key_Return);
        }
        break;
    }
}

} // namespace

TEST(Screenshot, DISABLED_SymboleWithThreeTables)
{
    TestApp app;
    TfrmSymbole window(app.context);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QString dir = qEnvironmentVariable("QUARVEL_SHOTS", QDir::tempPath());
    QDir().mkpath(dir);
    for (int shot = 0; shot < 3; ++shot) {
        fillPage(window, shot);
        QTest::qWait(300);
        const QPixmap picture = window.screen()->grabWindow(0);
        EXPECT_TRUE(picture.save(dir + QStringLiteral("/symbole-%1.png").arg(shot + 1)));
    }
}
