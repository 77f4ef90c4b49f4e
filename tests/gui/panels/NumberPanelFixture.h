#pragma once

#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// A shown main window whose navigator has already swallowed its first selection change, so
// choose() switches the view the way a user's click does.
class NumberPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<TfrmQuarvelMain>(app.context);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        select(QStringLiteral("Koordinaten")); // the first change leaves the view as it is
    }

    // Chooses a navigator node; choosing the node already selected passes through another one
    // first, as a change of selection is what runs the view.
    void choose(const QString &node)
    {
        if (window->TreeView1->currentItem() && window->TreeView1->currentItem()->text(0) == node)
            select(QStringLiteral("Koordinaten"));
        select(node);
    }

    template<typename W = QWidget> W *child(const QString &name) const
    {
        W *widget = window->findChild<W *>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    QString text(const QString &labelName) const { return child<QLabel>(labelName)->text(); }

    // Replaces a field's text by typing it, as the user would.
    void type(QLineEdit *field, const QString &keys)
    {
        field->setFocus();
        field->clear();
        typeKeys(field, keys);
    }

    // Key clicks for every character; QTest knows no key codes for most letters beyond ASCII,
    // so those arrive as key events that carry only their text, as from an input method.
    static void typeKeys(QWidget *widget, const QString &keys)
    {
        for (const QChar c : keys) {
            if (c.unicode() < 128) {
                QTest::keyClick(widget, char(c.unicode()));
                continue;
            }
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &release);
        }
    }

    QString lastError() const { return app.dialogs.lastText(); }

    TestApp app;
    std::unique_ptr<TfrmQuarvelMain> window;

private:
    void select(const QString &node)
    {
        const auto items =
            window->TreeView1->findItems(node, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(items.size(), 1) << node.toStdString();
        window->TreeView1->setCurrentItem(items.first());
    }
};
