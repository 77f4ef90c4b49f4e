#include "gui/support/PasteLimit.h"
#include "fakes/TestApp.h"
#include "gui/app/ToolPanel.h"
#include "gui/app/panels/gboxBWW.h"
#include "gui/app/panels/gboxQuersumme.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class NoHeader : public HeaderLines
{
public:
    void setOben(const QString &) override { }
    void setOben2(const QString &) override { }
};

void pasteKeys(QLineEdit *edit)
{
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

TEST(PasteLimit, PastesUpToTheLimitAndRefusesLongerTextsWithAWarning)
{
    struct Case
    {
        qsizetype length;
        bool pasted;
    };
    const Case cases[] = {{9, true}, {10, true}, {11, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.length);
        FakeDialogs dialogs;
        QLineEdit edit;
        limitPasteLength(&edit, dialogs, 10);
        edit.setText(QStringLiteral("ab"));
        QGuiApplication::clipboard()->setText(QString(c.length, u'x'));
        pasteKeys(&edit);
        if (c.pasted) {
            EXPECT_EQ(edit.text(), QStringLiteral("ab") + QString(c.length, u'x'));
            EXPECT_TRUE(dialogs.messages.isEmpty());
            continue;
        }
        EXPECT_EQ(edit.text(), QStringLiteral("ab"));
        EXPECT_FALSE(edit.isUndoAvailable()) << "nothing of the refused paste";
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Warnung"));
        EXPECT_EQ(dialogs.messages[0].text,
                  QStringLiteral("Der Text ist zu lang zum Einfügen: 11 Zeichen, höchstens 10 "
                                 "Zeichen passen in das Feld."));
    }
}

TEST(PasteLimit, TheContextMenuPasteGoesThroughTheLimit)
{
    FakeDialogs dialogs;
    QLineEdit edit;
    limitPasteLength(&edit, dialogs, 3);
    edit.show();
    QGuiApplication::clipboard()->setText(QStringLiteral("vier"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), edit.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&edit, &event);
    QMenu *menu = edit.findChild<QMenu *>();
    ASSERT_NE(menu, nullptr);
    QAction *paste = pasteAction(*menu);
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    EXPECT_EQ(edit.text(), QString());
    EXPECT_EQ(dialogs.messages.size(), 1);
    menu->close();
}

// The word value and digit-sum fields take no paste that would cost gigabytes.
TEST(PasteLimit, TheWordValueAndDigitSumFieldsRefuseAHugePaste)
{
    TestApp app;
    gboxBWW bww(app.context);
    NoHeader header;
    gboxQuersumme quersumme(app.context, header);
    QGuiApplication::clipboard()->setText(QString(kMaxPasteCharacters + 1, u'7'));
    for (QLineEdit *edit : {bww.edtWort, quersumme.edtZahlQS}) {
        SCOPED_TRACE(edit->objectName().toStdString());
        edit->setText(QStringLiteral("12"));
        pasteKeys(edit);
        EXPECT_EQ(edit->text(), QStringLiteral("12"));
    }
    EXPECT_EQ(app.dialogs.messages.size(), 2);
    EXPECT_TRUE(app.dialogs.lastText().contains(QStringLiteral("1.000.001 Zeichen")));
}
