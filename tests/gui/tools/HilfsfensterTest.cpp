#include "gui/support/DesignSize.h"
#include "gui/tools/Hilfsfenster_Unit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QMenu>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

TEST(ShiftTableWindow, IsFixedSizeAndReadOnlyInMonospace)
{
    TfrmMisc misc;
    EXPECT_EQ(misc.minimumSize(), DesignSize::size(&misc, 825, 660));
    EXPECT_EQ(misc.maximumSize(), DesignSize::size(&misc, 825, 660));
    EXPECT_FALSE(misc.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(misc.rtfRot->isReadOnly());
    const QFontMetrics metrics(misc.rtfRot->font()); // the 27 lines must line up
    EXPECT_EQ(metrics.horizontalAdvance(u'i'), metrics.horizontalAdvance(u'W'));
    EXPECT_EQ(metrics.horizontalAdvance(u' '), metrics.horizontalAdvance(u'0'));
    EXPECT_EQ(misc.rtfRot->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(misc.rtfRot->palette().color(QPalette::Base), misc.palette().color(QPalette::Button));
}

TEST(ShiftTableWindow, PopupMenuOffersTheFourEditEntries)
{
    TfrmMisc misc;
    const QList<QAction *> items = misc.PopupMenu1->actions();
    ASSERT_EQ(items.size(), 5);
    const struct
    {
        const char *name;
        QString caption;
        QString toolTip;
        QString statusTip;
        QKeySequence shortcut;
    } expected[] = {
        {"abc1", QStringLiteral("&Ausschneiden"), QStringLiteral("Ausschneiden"),
         QStringLiteral("Markiertes Objekt in die Zwischenablage verschieben"),
         QKeySequence(Qt::CTRL | Qt::Key_X)},
        {"Kopieren1", QStringLiteral("&Kopieren"), QStringLiteral("Kopieren"),
         QStringLiteral("Markiertes Objekt in die Zwischenablage kopieren"),
         QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"Einfgen1", QStringLiteral("&Einfügen"), QStringLiteral("Einfügen"),
         QStringLiteral("Inhalt der Zwischenablage einfügen"), QKeySequence(Qt::CTRL | Qt::Key_V)},
        {"N1", QString(), QString(), QString(), QKeySequence()},
        {"Allesmarkieren1", QStringLiteral("Alles &markieren"), QStringLiteral("Alles markieren"),
         QStringLiteral("Markiert das gesamte Dokument"), QKeySequence(Qt::CTRL | Qt::Key_A)},
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(expected[i].name);
        QAction *item = items.at(i);
        EXPECT_EQ(item->objectName(), QString::fromLatin1(expected[i].name));
        EXPECT_EQ(item->isSeparator(), i == 3);
        if (i == 3)
            continue;
        EXPECT_EQ(item->text(), expected[i].caption);
        EXPECT_EQ(item->toolTip(), expected[i].toolTip);
        EXPECT_EQ(item->statusTip(), expected[i].statusTip);
        EXPECT_EQ(item->shortcut(), expected[i].shortcut);
    }
}

TEST(ShiftTableWindow, EachRunRefillsTheTableAndCutOrPasteLeaveIt)
{
    TfrmMisc misc;
    misc.rot1_26(QStringLiteral("Abc xyz"));
    EXPECT_TRUE(misc.isVisible());
    misc.close();
    EXPECT_FALSE(misc.isVisible());
    misc.rot1_26(QStringLiteral("Zz"));
    ASSERT_TRUE(misc.isVisible());
    const QString table = misc.rtfRot->toPlainText();
    const QStringList lines = table.split(u'\n');
    ASSERT_EQ(lines.size(), 27);
    EXPECT_EQ(lines.at(1), QStringLiteral("01 Aa"));

    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    misc.Allesmarkieren1->trigger();
    misc.abc1->trigger();
    misc.Einfgen1->trigger();
    EXPECT_EQ(misc.rtfRot->toPlainText(), table);
    misc.Allesmarkieren1->trigger();
    misc.Kopieren1->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), table);
}
