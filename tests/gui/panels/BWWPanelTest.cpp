#include "NumberPanelFixture.h"

#include "gui/app/panels/gboxBWW.h"

#include <QCheckBox>
#include <QPushButton>

class BWWPanel : public NumberPanelTest
{
protected:
    void SetUp() override
    {
        NumberPanelTest::SetUp();
        choose(QStringLiteral("Buchstabenwortwert"));
        panel = child<gboxBWW>(QStringLiteral("gboxBWW"));
    }

    QStringList shownRows() const
    {
        QStringList rows;
        for (int k = 1; k <= 3; ++k) {
            auto *caption = child<QLabel>(QStringLiteral("lblBWWIteration%1").arg(k));
            auto *result = child<QLabel>(QStringLiteral("lblBWWQuersumme%1").arg(k));
            EXPECT_EQ(caption->isHidden(), result->isHidden());
            if (!result->isHidden())
                rows << result->text();
        }
        return rows;
    }

    QColor captionColour(QLabel *label) const
    {
        return label->palette().color(QPalette::WindowText);
    }

    gboxBWW *panel = nullptr;
};

TEST_F(BWWPanel, RecomputesOnEveryChange)
{
    const struct
    {
        const char16_t *text;
        bool inverse, withDigits, spaces;
        const char *sum, *characters, *words;
        QStringList rows;
    } cases[] = {
        {u"Hallo", false, false, false, "48", "5", "1", {"12", "3"}},
        {u"Hallo", true, false, false, "87", "5", "1", {"15", "6"}},
        {u"Äpfel", false, false, false, "66", "5", "1", {"12", "3"}},
        {u"straße", false, false, false, "93", "6", "1", {"12", "3"}},
        {u"N 47", false, false, false, "14", "3", "2", {"5"}},
        {u"N 47", false, true, true, "25", "4", "2", {"7"}},
        {u"Zahl 123", false, true, false, "53", "7", "2", {"8"}},
        {u"Zahl 123", true, false, true, "61", "8", "2", {"7"}},
        {u"   ", false, false, true, "0", "3", "0", {"0"}},
        {u"a,b", false, false, false, "3", "3", "2", {"3"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        panel->cboxBWWInvers->setChecked(c.inverse);
        panel->cboxBWWPlusNummer->setChecked(c.withDigits);
        panel->cboxSpaces->setChecked(c.spaces);
        type(panel->edtWort, QString::fromUtf16(c.text));
        EXPECT_EQ(text("lblErgebnis"), QString::fromLatin1(c.sum));
        EXPECT_EQ(text("lblAnzahlZeichen"), QString::fromLatin1(c.characters));
        EXPECT_EQ(text("lblAnzahlWort"), QString::fromLatin1(c.words));
        EXPECT_EQ(shownRows(), c.rows);
    }
}

TEST_F(BWWPanel, OptionsRecomputeAndColourTheirCaptions)
{
    type(panel->edtWort, QStringLiteral("Zahl 123"));
    panel->cboxBWWPlusNummer->click();
    EXPECT_EQ(text("lblErgebnis"), QStringLiteral("53"));
    EXPECT_EQ(captionColour(panel->lblBWWPlusNummer), QColor(0, 128, 0));
    panel->cboxBWWInvers->click();
    EXPECT_EQ(text("lblErgebnis"), QStringLiteral("67"));
    EXPECT_EQ(captionColour(panel->lblBWWInvers), QColor(255, 0, 0));
    panel->cboxSpaces->click();
    EXPECT_EQ(text("lblAnzahlZeichen"), QStringLiteral("8"));
    panel->cboxBWWPlusNummer->click();
    panel->cboxBWWInvers->click();
    EXPECT_EQ(text("lblErgebnis"), QStringLiteral("47"));
    EXPECT_EQ(captionColour(panel->lblBWWPlusNummer), QColor(0, 0, 0));
    EXPECT_EQ(captionColour(panel->lblBWWInvers), QColor(0, 0, 0));
}

TEST_F(BWWPanel, ClearingAndChoosingTheNodeReset)
{
    type(panel->edtWort, QStringLiteral("Zahl 123"));
    panel->edtWort->clear();
    EXPECT_EQ(text("lblErgebnis"), QStringLiteral("0"));
    EXPECT_EQ(text("lblAnzahlZeichen"), QStringLiteral("0"));
    EXPECT_EQ(text("lblAnzahlWort"), QStringLiteral("0"));
    EXPECT_EQ(shownRows(), QStringList {"0"});

    type(panel->edtWort, QStringLiteral("Hallo"));
    panel->cboxBWWInvers->setChecked(true);
    choose(QStringLiteral("Buchstabenwortwert"));
    EXPECT_EQ(window->gboxOben->title(), QStringLiteral(" Strings "));
    EXPECT_EQ(panel->title(), QStringLiteral(" Buchstabenwortwert "));
    EXPECT_EQ(panel->edtWort->text(), QString());
    EXPECT_EQ(text("lblErgebnis"), QStringLiteral("0"));
    EXPECT_EQ(shownRows(), QStringList {"0"});
    EXPECT_TRUE(panel->cboxBWWInvers->isChecked()); // options survive the node choice
    EXPECT_FALSE(panel->bbtnQuersumme->isEnabled());
}

TEST_F(BWWPanel, EnterMovesTheFocusOn)
{
    type(panel->edtWort, QStringLiteral("ab"));
    QTest::keyClick(panel->edtWort, Qt::Key_Return);
    EXPECT_FALSE(panel->edtWort->hasFocus());
    EXPECT_EQ(panel->edtWort->text(), QStringLiteral("ab"));
}

TEST_F(BWWPanel, TakesTextsLongerThanAnEditsUsualLimit)
{
    const QString text(100000, u'a');
    panel->edtWort->setText(text);
    EXPECT_EQ(panel->edtWort->text().size(), 100000);
    EXPECT_EQ(this->text("lblErgebnis"), QStringLiteral("100000"));
}
