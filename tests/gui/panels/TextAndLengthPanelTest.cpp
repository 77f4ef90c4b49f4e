#include "NumberPanelFixture.h"
#include "gui/support/DesignSize.h"

#include "gui/app/panels/gboxBuchstabenverteilung.h"
#include "gui/app/panels/gboxUmrechnung.h"
#include "gui/support/Dialogs.h"

#include <QPushButton>
#include <QTextEdit>

class VerteilungPanel : public NumberPanelTest
{
protected:
    void SetUp() override
    {
        NumberPanelTest::SetUp();
        choose(QStringLiteral("Buchstabenverteilung"));
        panel = child<gboxBuchstabenverteilung>(QStringLiteral("gboxBuchstabenverteilung"));
    }

    // The counts shown as "A1 E1 ..." for the letters with a count other than 0.
    QString shownCounts() const
    {
        QStringList shown;
        for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
            const QString count = text(QStringLiteral("lbl") + QChar(letter));
            if (count != u"0")
                shown << QChar(letter) + count;
        }
        return shown.join(u' ');
    }

    void count(const QString &input)
    {
        panel->rtfBSV->setFocus();
        panel->rtfBSV->clear();
        typeKeys(panel->rtfBSV, input);
        panel->bbtnBerechnenBSV->click();
    }

    gboxBuchstabenverteilung *panel = nullptr;
};

TEST_F(VerteilungPanel, CountsLettersIgnoringCase)
{
    const struct
    {
        QString input;
        QString counts;
    } cases[] = {
        {"Hallo Welt!", "A1 E1 H1 L3 O1 T1 W1"},
        {QString::fromUtf8("Äpfel"), "E1 F1 L1 P1"},
        {"12 + 3 = 15 ?", ""},
        {"aAbB", "A2 B2"},
        {QString::fromUtf8("éßÖ x"), "X1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.input.toStdString());
        count(c.input);
        EXPECT_EQ(shownCounts(), c.counts);
    }
    EXPECT_EQ(child<QLabel>("lblA")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

TEST_F(VerteilungPanel, EmptyTextKeepsCountsUntilTheNodeIsChosen)
{
    count(QStringLiteral("Hallo"));
    panel->rtfBSV->clear();
    panel->bbtnBerechnenBSV->click();
    EXPECT_EQ(shownCounts(), QStringLiteral("A1 H1 L2 O1"));
    panel->rtfBSV->setPlainText(QStringLiteral("abc"));
    choose(QStringLiteral("Buchstabenverteilung"));
    EXPECT_EQ(panel->rtfBSV->toPlainText(), QString());
    EXPECT_EQ(shownCounts(), QString());
    EXPECT_EQ(text("lblOben2"), QStringLiteral("E und N treten am häufigsten auf !"));
}

class UmrechnungPanel : public NumberPanelTest
{
protected:
    void SetUp() override
    {
        NumberPanelTest::SetUp();
        choose(QStringLiteral("Meter - Inch"));
        panel = child<gboxUmrechnung>(QStringLiteral("gboxUmrechnung"));
    }

    QString metreResults() const
    {
        return QStringList {text("lblErgFeet"), text("lblErgInch"), text("lblErgFeetOnly"),
                            text("lblErgInchOnly")}
            .join(u" | ");
    }

    void expectInchPlacedAfterFeet() const
    {
        const int gap = DesignSize::px(panel, 20); // 20 pixels at 120 dpi
        EXPECT_EQ(panel->Label36->x(), panel->lblErgFeet->x() + panel->lblErgFeet->width() + gap);
        EXPECT_EQ(panel->lblErgInch->x(), panel->Label36->x() + panel->Label36->width() + gap);
        EXPECT_GE(panel->lblErgFeet->width(), panel->lblErgFeet->sizeHint().width());
    }

    gboxUmrechnung *panel = nullptr;
};

TEST_F(UmrechnungPanel, StartsWithZeros)
{
    EXPECT_EQ(panel->edtMeter->text(), QString());
    EXPECT_EQ(metreResults(), QStringLiteral("0 | 0 | 0 | 0"));
    EXPECT_EQ(text("lblErgMeter"), QStringLiteral("0"));
    EXPECT_EQ(text("Label36"), QStringLiteral("Inch:"));
    expectInchPlacedAfterFeet();
}

TEST_F(UmrechnungPanel, ConvertsMetresWhileTyping)
{
    const struct
    {
        QString keys;
        QString field;
        QString results;
        QStringList errors; // a lone "-" or "$" on the way is no number yet
    } cases[] = {
        // Extended precision: -5 m leave -4,85039370078740157... inches beyond the whole feet,
        // shown as -4,8503937007874 (double arithmetic would end in ...741).
        {"1", "1", "3 | 3,37007874015748 | 3,28083989501312 | 39,3700787401575", {}},
        {"1.8", "1,8", "5 | 10,8661417322835 | 5,90551181102362 | 70,8661417322835", {}},
        {"-5", "-5", "-16 | -4,8503937007874 | -16,4041994750656 | -196,850393700787", {"-"}},
        {"2.5", "2,5", "8 | 2,4251968503937 | 8,20209973753281 | 98,4251968503937", {}},
        {"$A", "$A", "32 | 9,7007874015748 | 32,8083989501312 | 393,700787401575", {"$"}},
        // Beyond the 32-bit range the text reads as a decimal number. Ten digits before the
        // comma leave the fraction about nine good digits.
        {"3000000000", "3000000000", "9842519685 | 0,47244094", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.keys.toStdString());
        app.dialogs.messages.clear();
        type(panel->edtMeter, c.keys);
        EXPECT_EQ(panel->edtMeter->text(), c.field);
        EXPECT_TRUE(metreResults().startsWith(c.results)) << metreResults().toStdString();
        expectInchPlacedAfterFeet();
        QStringList expectedErrors;
        for (const QString &bad : c.errors)
            expectedErrors << generalErrorText(
                QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(bad));
        EXPECT_EQ(app.dialogs.texts(), expectedErrors);
    }
}

TEST_F(UmrechnungPanel, PastedPointsBecomeCommas)
{
    panel->edtMeter->setText(QStringLiteral("2.5"));
    EXPECT_EQ(panel->edtMeter->text(), QStringLiteral("2,5"));
    EXPECT_EQ(text("lblErgFeet"), QStringLiteral("8"));
}

TEST_F(UmrechnungPanel, InvalidMetresReportAndKeepTheResults)
{
    type(panel->edtMeter, QStringLiteral("1"));
    const QString before = metreResults();
    for (const QString &bad :
         {QStringLiteral("-"), QStringLiteral("1,2,3"), QStringLiteral("abc")}) {
        SCOPED_TRACE(bad.toStdString());
        panel->edtMeter->setText(bad);
        EXPECT_EQ(
            lastError(),
            generalErrorText(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(bad)));
        EXPECT_EQ(metreResults(), before);
    }
}

TEST_F(UmrechnungPanel, InvalidMetresWithPointsShowOneErrorBox)
{
    // The "." become "," first; the rewritten text is still no number, and that is one mistake
    // with one box, not one box for the rewrite and another for the text that was pasted.
    type(panel->edtMeter, QStringLiteral("1"));
    const QString before = metreResults();
    const struct
    {
        const char *pasted;
        const char *shown;
    } cases[] = {{"1.2.3", "1,2,3"}, {"..", ",,"}, {"1.5x", "1,5x"}, {"-.", "-,"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pasted);
        app.dialogs.messages.clear();
        panel->edtMeter->setText(QString::fromUtf8(c.pasted));
        EXPECT_EQ(panel->edtMeter->text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(app.dialogs.texts(),
                  QStringList {generalErrorText(
                      QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(c.shown))});
        EXPECT_EQ(metreResults(), before);
    }
    // A valid text with points is converted as its rewritten form, without any box.
    app.dialogs.messages.clear();
    panel->edtMeter->setText(QStringLiteral("1.8"));
    EXPECT_EQ(text("lblErgFeet"), QStringLiteral("5"));
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
    expectInchPlacedAfterFeet();
}

TEST_F(UmrechnungPanel, EmptyMetresKeepResultsUntilLeft)
{
    type(panel->edtMeter, QStringLiteral("1"));
    panel->edtMeter->clear();
    EXPECT_EQ(text("lblErgFeet"), QStringLiteral("3"));
    panel->edtFeet->setFocus(); // leaving the empty field
    EXPECT_EQ(panel->edtMeter->text(), QStringLiteral("0"));
    EXPECT_EQ(metreResults(), QStringLiteral("0 | 0 | 0 | 0"));
}

TEST_F(UmrechnungPanel, ConvertsFeetAndInches)
{
    const struct
    {
        QString feet, inches, metres;
    } cases[] = {
        {"6", "2", "1,8796"},   {"1", "0", "0,3048"}, {"0", "0", "0"},       {"", "", "0"},
        {"-1", "12", "0,3048"}, {"0", "1", "0,0254"}, {"1,5", "", "0,4572"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.feet + u'/' + c.inches).toStdString());
        panel->edtFeet->setText(c.feet);
        panel->edtInch->setText(c.inches);
        EXPECT_EQ(text("lblErgMeter"), c.metres);
    }
    EXPECT_TRUE(app.dialogs.messages.isEmpty());

    panel->edtInch->setText(QStringLiteral("1.5"));
    EXPECT_EQ(lastError(),
              generalErrorText(QStringLiteral("'1.5' ist kein gültiger Gleitkommawert")));
    EXPECT_EQ(text("lblErgMeter"), QStringLiteral("0,4572"));

    // Typing a negative value passes a lone "-", which is no number yet.
    panel->edtInch->setText(QStringLiteral("0"));
    app.dialogs.messages.clear();
    type(panel->edtFeet, QStringLiteral("-2"));
    EXPECT_EQ(
        app.dialogs.texts(),
        QStringList {generalErrorText(QStringLiteral("'-' ist kein gültiger Gleitkommawert"))});
}
