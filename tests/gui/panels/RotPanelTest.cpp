#include "gui/panels/CipherPanelFixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString kRot13Line = QStringLiteral("Verfügbare Zeichen: \"A\"..\"Z\" , \"a\"..\"z\"");

class RotPanel : public CipherPanelTest
{
protected:
    void SetUp() override
    {
        CipherPanelTest::SetUp();
        choose(QStringLiteral("ROT-Verschiebung"));
        edtRot = find<QLineEdit>("edtRot");
        lblRotOriginal = find<QLabel>("lblRotOriginal");
        bbtnChiffreRot = find<QPushButton>("bbtnChiffreRot");
    }

    // Types into the edit as the user does: focus first, then the keys.
    void type(const QString &text)
    {
        edtRot->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(edtRot, text);
    }

    void chiffrieren() { QTest::mouseClick(bbtnChiffreRot, Qt::LeftButton); }

    QLineEdit *edtRot = nullptr;
    QLabel *lblRotOriginal = nullptr;
    QPushButton *bbtnChiffreRot = nullptr;
};

} // namespace

TEST_F(RotPanel, NodeShowsRot13WithEmptyBoxes)
{
    EXPECT_EQ(headerCaption(), QStringLiteral(" Kryptologie "));
    EXPECT_EQ(oben(), QStringLiteral("Verschiebung der Buchstaben um einen festen Betrag"));
    EXPECT_EQ(oben2(), kRot13Line);
    EXPECT_EQ(find<QGroupBox>("gboxRotVerschiebung")->title(),
              QStringLiteral(" Rot(ations)-Verschiebung "));
    EXPECT_TRUE(find<QRadioButton>("rbtnRot13")->isChecked());

    // Whatever happened in the panel, choosing the node again returns to ROT13 and empty boxes.
    QTest::mouseClick(find<QRadioButton>("rbtnRot47"), Qt::LeftButton);
    type(QStringLiteral("Cache"));
    chiffrieren();
    choose(QStringLiteral("Trifid"));
    choose(QStringLiteral("ROT-Verschiebung"));
    EXPECT_TRUE(find<QRadioButton>("rbtnRot13")->isChecked());
    EXPECT_EQ(oben2(), kRot13Line);
    EXPECT_EQ(find<QLabel>("lblAnweisung_rot")->text(),
              QStringLiteral("Bitte Buchstaben, Wörter oder einen Text eingeben:"));
    EXPECT_EQ(edtRot->text(), QString());
    EXPECT_EQ(lblRotOriginal->text(), QString());
    type(QStringLiteral("Hallo Welt!"));
    chiffrieren();
    EXPECT_EQ(edtRot->text(), QStringLiteral("Unyyb Jryg!"));
}

TEST_F(RotPanel, EachModeSetsItsTextsAndEncodesTwiceBack)
{
    const struct
    {
        const char *button;
        QString oben2;
        QString anweisung;
        QString input;
        QString encoded;
    } modes[] = {
        {"rbtnRot5", QStringLiteral("Verfügbare Zeichen: 0 1 2 3 4 5 6 7 8 9"),
         QStringLiteral("Bitte eine Zahl eingeben:"), QStringLiteral("2016 ab"),
         QStringLiteral("7561 ab")},
        {"rbtnRot13", kRot13Line,
         QStringLiteral("Bitte Buchstaben, Wörter oder einen Text eingeben:"),
         QStringLiteral("Hallo Welt!"), QStringLiteral("Unyyb Jryg!")},
        {"rbtnRot18",
         QStringLiteral("Verfügbare Zeichen: \"0\"..\"9\" , \"A\"..\"Z\" , \"a\"..\"z\""),
         QStringLiteral("Bitte Zahlen, Buchstaben, Wörter oder einen Text eingeben:"),
         QStringLiteral("Abc123"), QStringLiteral("Nop678")},
        {"rbtnRot47",
         QStringLiteral("Verfügbare Zeichen: Alle druckbaren Zeichen ! \" §...A...z...~"),
         QStringLiteral("Bitte Zahlen, Buchstaben, Wörter oder einen Text eingeben:"),
         QStringLiteral("Cache"), QStringLiteral("r2496")},
    };
    for (const auto &mode : modes) {
        SCOPED_TRACE(mode.button);
        QTest::mouseClick(find<QRadioButton>(mode.button), Qt::LeftButton);
        EXPECT_EQ(oben2(), mode.oben2);
        EXPECT_EQ(find<QLabel>("lblAnweisung_rot")->text(), mode.anweisung);
        edtRot->clear();
        type(mode.input);
        chiffrieren();
        EXPECT_EQ(edtRot->text(), mode.encoded);
        EXPECT_EQ(lblRotOriginal->text(), mode.input);
        chiffrieren();
        EXPECT_EQ(edtRot->text(), mode.input);
        EXPECT_EQ(lblRotOriginal->text(), mode.input); // still the text before the first press
    }
}

TEST_F(RotPanel, ReturnMovesFocusToTheButtonAndKeepsTheOriginal)
{
    type(QStringLiteral("Geheim"));
    QTest::keyClick(edtRot, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), bbtnChiffreRot);
    EXPECT_EQ(lblRotOriginal->text(), QStringLiteral("Geheim"));
    EXPECT_EQ(edtRot->text(), QStringLiteral("Geheim"));
}

TEST_F(RotPanel, ModeChangeClearsBoxesOnlyWhenTheSettingSaysSo)
{
    for (const bool clear : {false, true}) {
        SCOPED_TRACE(clear);
        app.globals.settings.ROTEingabe = clear;
        edtRot->clear();
        type(QStringLiteral("abc"));
        chiffrieren();
        QTest::mouseClick(find<QRadioButton>("rbtnRot18"), Qt::LeftButton);
        EXPECT_EQ(edtRot->text(), clear ? QString() : QStringLiteral("nop"));
        EXPECT_EQ(lblRotOriginal->text(), clear ? QString() : QStringLiteral("abc"));
        QTest::mouseClick(find<QRadioButton>("rbtnRot13"), Qt::LeftButton);
    }
}

TEST_F(RotPanel, ShiftTableListsAllShiftsAndLeavesTheInput)
{
    QTest::mouseClick(find<QRadioButton>("rbtnRot1_26"), Qt::LeftButton);
    chiffrieren(); // empty box: nothing opens
    EXPECT_FALSE(misc->isVisible());

    type(QStringLiteral("Abc xyz"));
    chiffrieren();
    ASSERT_TRUE(misc->isVisible());
    EXPECT_EQ(misc->windowTitle(), QStringLiteral("Quarvel - Rot13 0..26"));
    const QStringList lines = misc->rtfRot->toPlainText().split(u'\n');
    ASSERT_EQ(lines.size(), 27);
    EXPECT_EQ(lines.first(), QStringLiteral("00 Abc xyz"));
    EXPECT_EQ(lines.at(13), QStringLiteral("13 Nop klm"));
    EXPECT_EQ(lines.last(), QStringLiteral("26 Abc xyz"));
    EXPECT_EQ(edtRot->text(), QStringLiteral("Abc xyz"));
    EXPECT_TRUE(window->isEnabled()); // not modal: the main window stays usable
}

TEST_F(RotPanel, TypedMarkupIsShownAsText)
{
    type(QStringLiteral("<b>x</b>"));
    chiffrieren();
    EXPECT_EQ(lblRotOriginal->textFormat(), Qt::PlainText);
    EXPECT_EQ(lblRotOriginal->text(), QStringLiteral("<b>x</b>"));
}
