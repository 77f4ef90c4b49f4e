#include "NumberPanelFixture.h"

#include "gui/app/panels/gboxQuersumme.h"
#include "gui/support/Dialogs.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>

class QuersummePanel : public NumberPanelTest
{
protected:
    void SetUp() override
    {
        NumberPanelTest::SetUp();
        choose(QStringLiteral("Quersumme"));
        panel = child<gboxQuersumme>(QStringLiteral("gboxQuersumme"));
    }

    void mark(const char *button) { child<QRadioButton>(QString::fromUtf8(button))->click(); }
    void calculate() { panel->bbtnQuersummeBerechnen->click(); }

    // The digit sums of the rows shown, row 1 first.
    QStringList shownRows() const
    {
        QStringList rows;
        for (int k = 1;; ++k) {
            auto *caption = window->findChild<QLabel *>(QStringLiteral("lblIteration%1").arg(k));
            auto *result = window->findChild<QLabel *>(QStringLiteral("lblQuersumme%1").arg(k));
            if (!caption || !result || caption->isHidden())
                return rows;
            EXPECT_FALSE(result->isHidden());
            EXPECT_EQ(caption->text(), QStringLiteral("%1. Iteration:").arg(k));
            rows << result->text();
        }
    }

    gboxQuersumme *panel = nullptr;
};

TEST_F(QuersummePanel, NodeChoiceAppliesTheDecimalSystem)
{
    choose(QStringLiteral("Vigenère"));
    choose(QStringLiteral("Quersumme"));
    EXPECT_EQ(window->gboxOben->title(), QStringLiteral(" Zahlensysteme "));
    EXPECT_EQ(panel->title(), QStringLiteral(" Quersumme "));
    EXPECT_EQ(text("lblOben"), QStringLiteral("Verfügbare Zahlen: 0 1 2 3 4 5 6 7 8 9"));
    EXPECT_EQ(text("lblOben2"),
              QStringLiteral("Buchstaben/Sonderzeichen werden nicht berücksichtigt !"));

    // Hexadecimal with a result on display; choosing the node again goes back to decimal.
    mark("rbtnHexadezimal");
    EXPECT_EQ(text("lblOben"),
              QStringLiteral("Verfügbare Zahlen: 0 1 2 3 4 5 6 7 8 9 A B C D E F"));
    EXPECT_EQ(text("lblOben2"), QString());
    type(panel->edtZahlQS, QStringLiteral("FF"));
    calculate();
    choose(QStringLiteral("Quersumme"));
    EXPECT_TRUE(panel->rbtnDezimal->isChecked());
    EXPECT_EQ(panel->zahlensystem(), QuersummenKette::Zahlensystem::Dezimal);
    EXPECT_EQ(text("lblAnweisung"), QStringLiteral("Bitte eine Dezimalzahl eingeben:"));
    EXPECT_EQ(panel->edtZahlQS->text(), QString());
    EXPECT_EQ(text("lblDezimal"), QStringLiteral("0"));
    EXPECT_EQ(shownRows(), QStringList {"0"});
}

TEST_F(QuersummePanel, TypedNumbersInEachSystem)
{
    const struct
    {
        const char *button;
        const char *anweisung;
        QString keys;
        QString field; // what the key filter let through
        QString decimal;
        QStringList rows;
    } cases[] = {
        {"rbtnDezimal",
         "Bitte eine Dezimalzahl eingeben:",
         "1234567890",
         "1234567890",
         "1234567890",
         {"45", "9"}},
        {"rbtnDezimal",
         "Bitte eine Dezimalzahl eingeben:",
         QString::fromUtf8("N 47° 11"),
         QString::fromUtf8("N 47° 11"),
         "4711",
         {"13", "4"}},
        {"rbtnDezimal", "Bitte eine Dezimalzahl eingeben:", "abc", "abc", "", {"0"}},
        {"rbtnDezimal",
         "Bitte eine Dezimalzahl eingeben:",
         QString(11, u'9'),
         QString(11, u'9'),
         QString(11, u'9'),
         {"99", "18", "9"}},
        {"rbtnDezimal", "Bitte eine Dezimalzahl eingeben:", "0007", "0007", "0007", {"7"}},
        {"rbtnHexadezimal",
         "Bitte eine Hexadezimalzahl eingeben:",
         "fFgz-1",
         "fF1",
         "4081",
         {"13", "4"}},
        {"rbtBinär",
         "Bitte eine Binärzahl eingeben:",
         "1121111a11",
         "11111111",
         "255",
         {"12", "3"}},
        {"rbtnOktal", "Bitte eine Oktalzahl eingeben:", "7789", "77", "63", {"9"}},
        {"rbtnOktal", "Bitte eine Oktalzahl eingeben:", "0", "0", "0", {"0"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.keys.toStdString());
        mark(c.button);
        EXPECT_EQ(text("lblAnweisung"), QString::fromUtf8(c.anweisung));
        type(panel->edtZahlQS, c.keys);
        EXPECT_EQ(panel->edtZahlQS->text(), c.field);
        calculate();
        EXPECT_EQ(text("lblDezimal"), c.decimal);
        EXPECT_EQ(shownRows(), c.rows);
    }
}

TEST_F(QuersummePanel, LongInputsShowEveryRow)
{
    // Digit sum 199: four rows, more than the panel has at first.
    type(panel->edtZahlQS, QStringLiteral("100") + QString(22, u'9'));
    calculate();
    EXPECT_EQ(shownRows(), (QStringList {"199", "19", "10", "1"}));
    // A shorter chain afterwards hides the fourth row again.
    type(panel->edtZahlQS, QStringLiteral("99"));
    calculate();
    EXPECT_EQ(shownRows(), (QStringList {"18", "9"}));

    mark("rbtBinär");
    type(panel->edtZahlQS, QStringLiteral("1010101010101010101010101010101010101010"));
    calculate();
    EXPECT_EQ(text("lblDezimal"), QStringLiteral("733007751850"));
}

TEST_F(QuersummePanel, EmptyFieldKeepsTheResults)
{
    type(panel->edtZahlQS, QStringLiteral("1234567890"));
    calculate();
    panel->edtZahlQS->clear();
    calculate();
    EXPECT_EQ(text("lblDezimal"), QStringLiteral("1234567890"));
    EXPECT_EQ(shownRows(), (QStringList {"45", "9"}));
}

TEST_F(QuersummePanel, MarkingAnotherSystemClearsAndResets)
{
    type(panel->edtZahlQS, QString(11, u'9'));
    calculate();
    mark("rbtnOktal");
    EXPECT_EQ(panel->edtZahlQS->text(), QString());
    EXPECT_EQ(text("lblDezimal"), QStringLiteral("0"));
    EXPECT_EQ(shownRows(), QStringList {"0"});
    EXPECT_EQ(text("lblOben"), QStringLiteral("Verfügbare Zahlen: 0 1 2 3 4 5 6 7"));

    // Clicking the button that is already marked changes nothing.
    type(panel->edtZahlQS, QStringLiteral("777"));
    calculate();
    mark("rbtnOktal");
    EXPECT_EQ(panel->edtZahlQS->text(), QStringLiteral("777"));
    EXPECT_EQ(text("lblDezimal"), QStringLiteral("511"));
}

TEST_F(QuersummePanel, PastedForeignCharactersReportTheCharacter)
{
    for (const char *button : {"rbtnOktal", "rbtnHexadezimal"}) {
        SCOPED_TRACE(button);
        mark(button);
        type(panel->edtZahlQS, QStringLiteral("7"));
        calculate();
        // Pasting is not filtered.
        QGuiApplication::clipboard()->setText(QStringLiteral("z"));
        QTest::keyClick(panel->edtZahlQS, Qt::Key_V, Qt::ControlModifier);
        ASSERT_EQ(panel->edtZahlQS->text(), QStringLiteral("7z"));
        calculate();
        EXPECT_EQ(lastError(),
                  generalErrorText(QStringLiteral("''z'' ist kein gültiger Integer-Wert")));
        EXPECT_EQ(app.dialogs.messages.constLast().title, QStringLiteral("Quarvel"));
        EXPECT_EQ(text("lblDezimal"), QStringLiteral("0"));
        EXPECT_EQ(shownRows(), QStringList {"0"});
    }
    // The panel stays usable.
    panel->edtZahlQS->setText(QStringLiteral("17"));
    calculate();
    EXPECT_EQ(text("lblDezimal"), QStringLiteral("23"));
}

TEST_F(QuersummePanel, EnterMovesTheFocusOn)
{
    const struct
    {
        const char *button;
        QString afterEnter;
    } cases[] = {{"rbtnDezimal", "12"}, {"rbtnHexadezimal", "12"}, {"rbtBinär", "1"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.button);
        mark(c.button);
        type(panel->edtZahlQS, QStringLiteral("12"));
        ASSERT_TRUE(panel->edtZahlQS->hasFocus());
        QTest::keyClick(panel->edtZahlQS, Qt::Key_Return);
        EXPECT_FALSE(panel->edtZahlQS->hasFocus());
        EXPECT_EQ(panel->edtZahlQS->text(), c.afterEnter);
        // Backspace always passes.
        panel->edtZahlQS->setFocus();
        QTest::keyClick(panel->edtZahlQS, Qt::Key_Backspace);
        EXPECT_EQ(panel->edtZahlQS->text(), c.afterEnter.chopped(1));
    }
}
