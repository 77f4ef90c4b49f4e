#include "NumberPanelFixture.h"

#include "gui/app/panels/gboxRoemZahlen.h"
#include "gui/support/Dialogs.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTextEdit>

class RoemPanel : public NumberPanelTest
{
protected:
    void SetUp() override
    {
        NumberPanelTest::SetUp();
        choose(QString::fromUtf8("Römische Zahlenkodierung"));
        panel = child<gboxRömZahlen>(QString::fromUtf8("gboxRömZahlen"));
    }

    gboxRömZahlen *panel = nullptr;
};

TEST_F(RoemPanel, StartsWithItsCaptionsAndEmptyResults)
{
    EXPECT_EQ(panel->bbtnRöm2Dez->text(), QStringLiteral("Dechiffriere"));
    EXPECT_EQ(panel->bbtnDez2Röm->text(), QStringLiteral("Chiffriere"));
    EXPECT_EQ(panel->lblRöm2Dez->text(), QString());
    EXPECT_EQ(panel->lblDez2Röm->text(), QString());
    EXPECT_TRUE(panel->cboxRömUnerlaubteZeichen->isChecked());
    EXPECT_EQ(window->gboxOben->title(), QStringLiteral(" Kryptologie "));
    EXPECT_EQ(text("lblOben"), QStringLiteral("Kodierung durch Römische Zahlen"));
    EXPECT_EQ(panel->title(), QString::fromUtf8(" Römische Zahlenkodierung "));
}

TEST_F(RoemPanel, RomanKeyFilter)
{
    const struct
    {
        bool onlyRoman;
        QString keys;
        QString field;
        QString value;
    } cases[] = {
        {true, "mcm", "MCM", "1900"},
        {true, "A7 ?", "", ""},
        {true, "mcmxciv", "MCMXCIV", "1994"},
        {true, "xl-ix", "XLIX", "49"},
        {false, "roma", "ROMA", "1000"},
        {false, "Roma 7", "ROMA", "1000"},
        {false, QString::fromUtf8("äxßi"), "XI", "11"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.keys.toStdString());
        panel->cboxRömUnerlaubteZeichen->setChecked(c.onlyRoman);
        EXPECT_EQ(panel->RoemAlleBuchstaben(), !c.onlyRoman);
        type(panel->edtRöm2Dez, c.keys);
        EXPECT_EQ(panel->edtRöm2Dez->text(), c.field);
        panel->bbtnRöm2Dez->click();
        EXPECT_EQ(panel->lblRöm2Dez->text(), c.value);
    }
    // Backspace passes.
    QTest::keyClick(panel->edtRöm2Dez, Qt::Key_Backspace);
    EXPECT_EQ(panel->edtRöm2Dez->text(), QStringLiteral("X"));
}

TEST_F(RoemPanel, PastedTextIsNotFilteredAndIgnoredLetters)
{
    panel->edtRöm2Dez->setText(QStringLiteral("xiv"));
    panel->bbtnRöm2Dez->click();
    EXPECT_EQ(panel->lblRöm2Dez->text(), QStringLiteral("0"));
    panel->edtRöm2Dez->setText(QStringLiteral("IM"));
    panel->bbtnRöm2Dez->click();
    EXPECT_EQ(panel->lblRöm2Dez->text(), QStringLiteral("1001"));
}

TEST_F(RoemPanel, DecimalToRoman)
{
    const struct
    {
        QString keys;
        QString field;
        QString roman;
    } cases[] = {
        {"3999", "3999", "MMMCMXCIX"}, {"2024", "2024", "MMXXIV"},
        {"4000", "4000", "MMMM"},      {"0", "0", ""},
        {"12a-3", "123", "CXXIII"},    {"", "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.keys.toStdString());
        type(panel->edtDez2Röm, c.keys);
        EXPECT_EQ(panel->edtDez2Röm->text(), c.field);
        panel->bbtnDez2Röm->click();
        EXPECT_EQ(panel->lblDez2Röm->text(), c.roman);
    }
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

TEST_F(RoemPanel, DecimalBeyondTheIntegerRangeReports)
{
    type(panel->edtDez2Röm, QStringLiteral("49"));
    panel->bbtnDez2Röm->click();
    type(panel->edtDez2Röm, QStringLiteral("2147483648"));
    panel->bbtnDez2Röm->click();
    EXPECT_EQ(lastError(),
              generalErrorText(QStringLiteral("''2147483648'' ist kein gültiger Integer-Wert")));
    EXPECT_EQ(panel->lblDez2Röm->text(), QStringLiteral("XLIX"));
}

TEST_F(RoemPanel, EnterNeitherMovesNorInserts)
{
    for (QLineEdit *field : {panel->edtRöm2Dez, panel->edtDez2Röm}) {
        SCOPED_TRACE(field->objectName().toStdString());
        type(field, QStringLiteral("1"));
        const QString before = field->text();
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_TRUE(field->hasFocus());
        EXPECT_EQ(field->text(), before);
    }
}

TEST_F(RoemPanel, NodeChoiceClearsInputsButKeepsResults)
{
    type(panel->edtRöm2Dez, QStringLiteral("XLIX"));
    panel->bbtnRöm2Dez->click();
    type(panel->edtDez2Röm, QStringLiteral("12"));
    panel->bbtnDez2Röm->click();
    panel->cboxRömUnerlaubteZeichen->setChecked(false);
    choose(QString::fromUtf8("Römische Zahlenkodierung"));
    EXPECT_EQ(panel->edtRöm2Dez->text(), QString());
    EXPECT_EQ(panel->edtDez2Röm->text(), QString());
    EXPECT_EQ(panel->lblRöm2Dez->text(), QStringLiteral("49"));
    EXPECT_EQ(panel->lblDez2Röm->text(), QStringLiteral("XII"));
    EXPECT_FALSE(panel->cboxRömUnerlaubteZeichen->isChecked());
}

// The number and text tools' input fields are yellow while they hold the focus.
TEST_F(NumberPanelTest, InputFieldsAreYellowWhileFocused)
{
    const QColor yellow(255, 255, 0);
    const struct
    {
        const char *node;
        const char *field;
    } cases[] = {{"Quersumme", "edtZahlQS"},
                 {"Buchstabenwortwert", "edtWort"},
                 {"Buchstabenverteilung", "rtfBSV"},
                 {"Römische Zahlenkodierung", "edtRöm2Dez"},
                 {"Römische Zahlenkodierung", "edtDez2Röm"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.field);
        choose(QString::fromUtf8(c.node));
        auto *field = child<QWidget>(QString::fromUtf8(c.field));
        field->setFocus();
        EXPECT_EQ(field->palette().color(QPalette::Base), yellow);
        window->TreeView1->setFocus();
        EXPECT_EQ(field->palette().color(QPalette::Base), QColor(Qt::white));
    }
}
