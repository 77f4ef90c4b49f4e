#include "gui/support/PasteLimit.h"
#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/app/ToolPanel.h"
#include "gui/app/panels/gboxBWW.h"
#include "gui/app/panels/gboxBuchstabenverteilung.h"
#include "gui/app/panels/gboxChiffren.h"
#include "gui/app/panels/gboxQuersumme.h"
#include "gui/app/panels/gboxRoemZahlen.h"
#include "gui/app/panels/gboxRotVerschiebung.h"
#include "gui/app/panels/gboxTrifid.h"
#include "gui/app/panels/gboxUmrechnung.h"
#include "gui/app/panels/gboxVigenere.h"
#include "gui/codebreaker/CodeKnacker_Unit.h"
#include "gui/solvers/Fermil_Unit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

class NoHeader : public HeaderLines
{
public:
    void setOben(const QString &) override { }
    void setOben2(const QString &) override { }
};

void pasteKeys(QWidget *edit)
{
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

QString textOf(const QWidget *box)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(box))
        return line->text();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(box))
        return plain->toPlainText();
    return qobject_cast<const QTextEdit *>(box)->toPlainText();
}

void setTextOf(QWidget *box, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        plain->setPlainText(text);
    else
        qobject_cast<QTextEdit *>(box)->setPlainText(text);
}

// Opens the box's context menu where the user right-clicks it and picks its paste entry.
void pasteFromContextMenu(QWidget *box, QWidget *surface)
{
    const QPoint at(4, 4);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, surface->mapToGlobal(at));
    QApplication::sendEvent(surface, &event);
    QMenu *menu = box->findChild<QMenu *>();
    ASSERT_NE(menu, nullptr);
    QAction *paste = pasteAction(*menu);
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    menu->close();
    delete menu;
}

QWidget *surfaceOf(QWidget *box)
{
    if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        return plain->viewport();
    if (auto *rich = qobject_cast<QTextEdit *>(box))
        return rich->viewport();
    return box;
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

TEST(PasteLimit, TextBoxesPasteUpToTheLimitByKeysMenuAndDrop)
{
    enum class Way { Keys, Menu, Drop };
    struct Case
    {
        Way way;
        qsizetype length;
        bool pasted;
    };
    const Case cases[] = {{Way::Keys, 9, true},  {Way::Keys, 10, true},  {Way::Keys, 11, false},
                          {Way::Menu, 10, true}, {Way::Menu, 11, false}, {Way::Drop, 10, true},
                          {Way::Drop, 11, false}};
    for (const Case &c : cases) {
        FakeDialogs dialogs;
        QPlainTextEdit plain;
        QTextEdit rich;
        limitPasteLength(&plain, dialogs, 10);
        limitPasteLength(&rich, dialogs, 10);
        for (QWidget *box : std::initializer_list<QWidget *> {&plain, &rich}) {
            SCOPED_TRACE(testing::Message() << box->metaObject()->className() << " way "
                                            << int(c.way) << " length " << c.length);
            box->show();
            setTextOf(box, QStringLiteral("ab"));
            const QString text(c.length, u'x');
            QGuiApplication::clipboard()->setText(text);
            const qsizetype messagesBefore = dialogs.messages.size();
            if (c.way == Way::Keys) {
                pasteKeys(box);
            } else if (c.way == Way::Menu) {
                pasteFromContextMenu(box, surfaceOf(box));
            } else {
                // As the window system delivers a drag: entering, then dropping.
                QMimeData data;
                data.setText(text);
                QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton,
                                      Qt::NoModifier);
                QApplication::sendEvent(surfaceOf(box), &enter);
                QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton,
                                Qt::NoModifier);
                QApplication::sendEvent(surfaceOf(box), &drop);
            }
            const bool warned = dialogs.messages.size() > messagesBefore;
            EXPECT_EQ(warned, !c.pasted);
            EXPECT_EQ(textOf(box).contains(text), c.pasted) << "the box keeps what it had";
            EXPECT_TRUE(textOf(box).contains(QStringLiteral("ab")));
        }
    }
}

// Every box a text is pasted into in the panels and the Fermilab window refuses a paste over the
// limit with the warning and keeps its text, by the paste keys and by its context menu.
TEST(PasteLimit, EveryPanelTextBoxRefusesAPasteOverTheLimit)
{
    TestApp app;
    NoHeader header;
    gboxBuchstabenverteilung verteilung(app.context);
    gboxVigenere vigenere(app.context);
    gboxTrifid trifid(app.context);
    gboxRotVerschiebung rot(app.context, header);
    gboxRömZahlen roem(app.context);
    gboxUmrechnung umrechnung(app.context);
    TfrmFermilab fermilab(app.context);
    gboxChiffren chiffren(app.context);
    TfrmCodeKnacker knacker(app.context);
    const QList<QWidget *> boxes = {chiffren.rtfKlartext,    chiffren.rtfGeheimtext,
                                    verteilung.rtfBSV,       vigenere.rtfVigenereDecrypt,
                                    vigenere.edtVigenereKey, vigenere.rtfVigenereEncrypt,
                                    trifid.rtfTrifidDecrypt, trifid.edtTrifidKey,
                                    trifid.rtfTrifidEncrypt, rot.edtRot,
                                    roem.edtRöm2Dez,         roem.edtDez2Röm,
                                    umrechnung.edtMeter,     umrechnung.edtFeet,
                                    umrechnung.edtInch,      fermilab.mFermilab,
                                    fermilab.mSolve};
    QGuiApplication::clipboard()->setText(QString(kMaxPasteCharacters + 1, u'7'));
    for (QWidget *box : boxes) {
        for (const bool byMenu : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << box->objectName().toStdString() << " menu " << byMenu);
            box->window()->show();
            setTextOf(box, QStringLiteral("12"));
            app.dialogs.messages.clear();
            if (byMenu)
                pasteFromContextMenu(box, surfaceOf(box));
            else
                pasteKeys(box);
            EXPECT_EQ(textOf(box), QStringLiteral("12"));
            // The panel's own checks of what the box holds may speak too; the paste once.
            EXPECT_EQ(app.dialogs.texts().count(
                          QStringLiteral("Der Text ist zu lang zum Einfügen: 1.000.001 Zeichen, "
                                         "höchstens 1.000.000 Zeichen passen in das Feld.")),
                      1);
        }
    }
}

// The main window's "Einfügen" (menu and tool bar) pastes into the focused box within its limit.
TEST(PasteLimit, TheMainWindowsPasteGoesThroughTheLimit)
{
    TestApp app;
    TfrmQuarvelMain window(app.context);
    window.show();
    auto *box = new QPlainTextEdit(window.pnlLeer);
    limitPasteLength(box, app.dialogs, 4);
    box->show();
    box->setFocus();
    QApplication::processEvents();
    if (QApplication::focusWidget() != box)
        GTEST_SKIP() << "no focus on this platform";
    const std::pair<const char *, bool> cases[] = {{"vier", true}, {"fünf!", false}};
    for (const auto &[text, pasted] : cases) {
        SCOPED_TRACE(text);
        box->clear();
        app.dialogs.messages.clear();
        QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
        window.EditPaste1->trigger();
        EXPECT_EQ(box->toPlainText(), pasted ? QString::fromUtf8(text) : QString());
        EXPECT_EQ(app.dialogs.messages.size(), pasted ? 0 : 1);
    }
}
