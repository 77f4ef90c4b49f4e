#include "gui/support/FocusColour.h"

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

TEST(FocusColour, YellowWhileFocusedWhiteAfterwards)
{
    QWidget window;
    auto *first = new QLineEdit(&window);
    auto *second = new QLineEdit(&window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    attachFocusColour(first);
    const auto base = [](QWidget *w) { return w->palette().color(QPalette::Base); };
    EXPECT_EQ(base(first), QColor(Qt::white));
    window.show();
    QApplication::setActiveWindow(&window);
    first->setFocus();
    QApplication::processEvents();
    if (!first->hasFocus())
        GTEST_SKIP() << "no focus on this platform";
    EXPECT_EQ(base(first), QColor(255, 255, 0));
    second->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(base(first), QColor(Qt::white));
}
