#pragma once

#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/tools/Hilfsfenster_Unit.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

// The main window with the shift table window beside it, shown and active so that focus moves
// as it does for the user. The navigator's first change of selection is spent in SetUp.
class CipherPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<TfrmQuarvelMain>(app.context);
        misc = std::make_unique<TfrmMisc>();
        app.context.windows.misc = misc.get();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        choose(QStringLiteral("Umrechnung"));
    }

    void choose(const QString &node)
    {
        const QList<QTreeWidgetItem *> items =
            window->TreeView1->findItems(node, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(items.size(), 1) << node.toStdString();
        window->TreeView1->setCurrentItem(items.first());
    }

    template<typename Widget> Widget *find(const char *name)
    {
        auto *widget = window->findChild<Widget *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QString headerCaption() const { return window->gboxOben->title(); }
    QString oben() const { return window->lblOben->text(); }
    QString oben2() const { return window->lblOben2->text(); }

    TestApp app;
    std::unique_ptr<TfrmQuarvelMain> window;
    std::unique_ptr<TfrmMisc> misc;
};
