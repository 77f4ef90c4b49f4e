#include "gui/support/ResultLabel.h"
#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/app/panels/gboxRoemZahlen.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Opens the label's context menu and returns the texts of its entries, choosing "Kopieren".
QStringList chooseKopieren(QLabel &label)
{
    QStringList entries;
    QTimer::singleShot(0, [&entries] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QAction *kopieren = nullptr;
        for (QAction *action : menu->actions()) {
            entries.append(action->text());
            if (action->text() == u"Kopieren")
                kopieren = action;
        }
        menu->close();
        if (kopieren)
            kopieren->trigger();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                            label.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&label, &event);
    return entries;
}

struct ShownLabel
{
    ShownLabel()
    {
        label.resize(300, 30);
        label.show();
        ResultLabel::makeCopyable(&label);
    }
    QLabel label;
};

} // namespace

TEST(ResultLabel, ContextMenuKopierenCopiesTheSelectionOrTheWholeResult)
{
    ShownLabel shown;
    QLabel &label = shown.label;
    label.setText(QStringLiteral("MMXXV"));
    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(chooseKopieren(label), QStringList {QStringLiteral("Kopieren")});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("MMXXV"));

    label.setSelection(2, 2);
    chooseKopieren(label);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("XX"));
}

TEST(ResultLabel, CtrlCCopiesAndTheTextIsSelectableByKeyboard)
{
    ShownLabel shown;
    QLabel &label = shown.label;
    label.setText(QStringLiteral("12345"));
    EXPECT_TRUE(label.textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_TRUE(label.textInteractionFlags() & Qt::TextSelectableByKeyboard);
    label.setFocus();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&label, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("12345"));
    label.setSelection(0, 3);
    QTest::keyClick(&label, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("123"));
}

TEST(ResultLabel, ResultsUpToTheLimitAreShownWhole)
{
    ShownLabel shown;
    for (const int length :
         {0, 1, ResultLabel::kWholeTextLimit - 1, ResultLabel::kWholeTextLimit}) {
        SCOPED_TRACE(length);
        const QString result(length, u'M');
        ResultLabel::show(&shown.label, result);
        EXPECT_EQ(shown.label.text(), result);
        EXPECT_EQ(ResultLabel::wholeText(&shown.label), result);
    }
}

TEST(ResultLabel, LongerResultsAreShortenedWithTheirLengthAndCopiedWhole)
{
    ShownLabel shown;
    QLabel &label = shown.label;
    for (const int length : {ResultLabel::kWholeTextLimit + 1, 2147483}) {
        SCOPED_TRACE(length);
        const QString result(length, u'M');
        ResultLabel::show(&label, result);
        const QString suffix = length == 2147483 ? QStringLiteral("… (2.147.483 Zeichen)")
                                                 : QStringLiteral("… (1.001 Zeichen)");
        EXPECT_TRUE(label.text().startsWith(QStringLiteral("MMMM"))) << label.text().toStdString();
        EXPECT_TRUE(label.text().endsWith(suffix)) << label.text().toStdString();
        EXPECT_LE(label.fontMetrics().horizontalAdvance(label.text()),
                  label.contentsRect().width());
        EXPECT_EQ(ResultLabel::wholeText(&label), result);
        label.setSelection(0, 2); // even a part of the preview copies the whole result
        chooseKopieren(label);
        EXPECT_EQ(QGuiApplication::clipboard()->text().size(), length);
    }
}

TEST(ResultLabel, ShortenedFormFollowsTheLabelsWidthAndKeepsOneCharacter)
{
    const QString result(5000, u'X');
    const QFontMetrics metrics(QApplication::font());
    const QString narrow = ResultLabel::shortened(result, metrics, 0);
    EXPECT_EQ(narrow, QStringLiteral("X… (5.000 Zeichen)"));
    const QString wide = ResultLabel::shortened(result, metrics, 600);
    EXPECT_GT(wide.size(), narrow.size());
    EXPECT_LE(metrics.horizontalAdvance(wide), 600);
    // The head never takes more than the whole-text limit, however wide the label.
    EXPECT_EQ(ResultLabel::shortened(result, metrics, 1 << 30).indexOf(u'…'),
              ResultLabel::kWholeTextLimit);
}

TEST(ResultLabel, TextSetDirectlyAfterALongResultIsWhatIsCopied)
{
    ShownLabel shown;
    ResultLabel::show(&shown.label, QString(3000, u'M'));
    shown.label.setText(QStringLiteral("0")); // a reset of the panel
    EXPECT_EQ(ResultLabel::wholeText(&shown.label), QStringLiteral("0"));
    chooseKopieren(shown.label);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("0"));
}

TEST(ResultLabel, RomanNumeralOfTheLargestIntegerIsShownShortened)
{
    TestApp app;
    gboxRömZahlen panel(app.context);
    panel.resize(800, 300);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    panel.edtDez2Röm->setText(QStringLiteral("2147483647"));
    QTest::mouseClick(panel.bbtnDez2Röm, Qt::LeftButton);
    const QString shown = panel.lblDez2Röm->text();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("MMMM"))) << shown.toStdString();
    // 2147483 "M" and "DCXLVII".
    EXPECT_TRUE(shown.endsWith(QStringLiteral("… (2.147.490 Zeichen)"))) << shown.toStdString();
    const QString whole = ResultLabel::wholeText(panel.lblDez2Röm);
    EXPECT_EQ(whole.size(), 2147490);
    EXPECT_TRUE(whole.endsWith(QStringLiteral("MDCXLVII")));
}

TEST(ResultLabel, MenuKopierenOfTheMainWindowCopiesTheFocusedResult)
{
    TestApp app;
    TfrmQuarvelMain window(app.context);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto *panel = window.toolPanel(QStringLiteral("gboxRömZahlen"));
    window.Panel2->setCurrentWidget(panel);
    auto *roman = static_cast<gboxRömZahlen *>(panel);
    roman->edtDez2Röm->setText(QStringLiteral("3999"));
    roman->bbtnDez2Röm->click();
    roman->lblDez2Röm->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), roman->lblDez2Röm);
    QGuiApplication::clipboard()->clear();
    window.EditCopy1->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("MMMCMXCIX"));
}
