#include "gui/app/Info_Unit.h"
#include "gui/app/panels/gboxKoordinaten.h"
#include "gui/app/panels/gboxUmrechnung.h"
#include "gui/panels/NumberPanelFixture.h"
#include "platform/OsInfo.h"
#include "support/core/ProcessLocale.h"

#include <QComboBox>
#include <QEvent>

#include <memory>

// What the user sees of the number conventions, typed into the panels while the process runs
// under each locale of our users: the same texts under every one of them.

namespace {

class FixedMemory : public OsInfo
{
public:
    OsVersionRecord versionRecord() override { return {}; }
    MemoryStatus memoryStatus() override { return {25276182528ULL, 1048575, 67108864, 0}; }
};

class PanelsUnderLocale : public NumberPanelTest, public ::testing::WithParamInterface<std::string>
{
protected:
    void SetUp() override
    {
        m_locale = std::make_unique<ScopedProcessLocale>(GetParam());
        if (!m_locale->active())
            GTEST_SKIP() << "the C library has no locale " << GetParam();
        NumberPanelTest::SetUp();
    }

    void TearDown() override
    {
        window.reset();
        m_locale.reset();
    }

    // Types a position, leaves the field with Enter and shows it in the three notations.
    QStringList coordinatesAfterEnter(const QString &position)
    {
        choose(QStringLiteral("GPS (WGS84)"));
        auto *input = child<QLineEdit>(QStringLiteral("edtKoordinaten"));
        auto *list = child<QComboBox>(QStringLiteral("cboxKoordinaten"));
        type(input, position);
        QTest::keyClick(input, Qt::Key_Return);
        QStringList shown {text(QStringLiteral("lblKoordTest"))};
        for (int notation = 0; notation < 3; ++notation) {
            list->setFocus();
            list->setCurrentIndex(notation);
            QTest::keyClick(list, Qt::Key_Return);
            shown << child<QLineEdit>(QStringLiteral("edtKoordAus"))->text();
        }
        return shown;
    }

private:
    std::unique_ptr<ScopedProcessLocale> m_locale;
};

TEST_P(PanelsUnderLocale, CoordinatesToolReadsAndWritesDecimalsTheSame)
{
    const struct
    {
        const char *typed;
        QStringList shown; // status, then notations 0, 1, 2
    } cases[] = {
        {"N 52° 31.249 E 013° 24.713",
         {"OK !", "N 52,5208166666667 E 13,4118833333333", "N 52° 31,249' E 013° 24,713'",
          "N 52° 31' 14,94\" E 013° 24' 42,78\" "}},
        {"N 54,5 E 13,25",
         {"OK !", "N 54,5 E 13,25", "N 54° 30,000' E 13° 15,000'", "N 54° 30' 0\" E 13° 15' 0\" "}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(coordinatesAfterEnter(QString::fromUtf8(c.typed)), c.shown);
    }
    EXPECT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.texts().join(u'\n').toStdString();
}

TEST_P(PanelsUnderLocale, LengthToolReadsAndWritesDecimalsTheSame)
{
    choose(QStringLiteral("Meter - Inch"));
    auto *panel = child<gboxUmrechnung>(QStringLiteral("gboxUmrechnung"));
    const struct
    {
        const char *typed;
        const char *field;
        const char *results; // Feet, Inch, Nur Feet, Nur Inch
    } cases[] = {
        {"1", "1", "3 | 3,37007874015748 | 3,28083989501312 | 39,3700787401575"},
        {"1.8", "1,8", "5 | 10,8661417322835 | 5,90551181102362 | 70,8661417322835"},
        {"1,8", "1,8", "5 | 10,8661417322835 | 5,90551181102362 | 70,8661417322835"},
        {"1.", "1,", "3 | 3,37007874015748 | 3,28083989501312 | 39,3700787401575"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        type(panel->edtMeter, QString::fromUtf8(c.typed));
        EXPECT_EQ(panel->edtMeter->text(), QString::fromUtf8(c.field));
        EXPECT_EQ(
            QStringList({text(QStringLiteral("lblErgFeet")), text(QStringLiteral("lblErgInch")),
                         text(QStringLiteral("lblErgFeetOnly")),
                         text(QStringLiteral("lblErgInchOnly"))})
                .join(u" | "),
            QString::fromUtf8(c.results));
    }
    panel->edtFeet->setText(QStringLiteral("6"));
    panel->edtInch->setText(QStringLiteral("2,5"));
    EXPECT_EQ(text(QStringLiteral("lblErgMeter")), QStringLiteral("1,8923"));
    EXPECT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.texts().join(u'\n').toStdString();
}

TEST_P(PanelsUnderLocale, InformationWindowGroupsMemoryTheGermanWay)
{
    FixedMemory os;
    TfrmInfo info(app.context, &os);
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(&info, &activation);
    EXPECT_EQ(info.lblMemory->text(), QStringLiteral("24.683.772 KB"));
    EXPECT_EQ(info.lblMemoryAvail->text(), QStringLiteral("1.024 KB"));
    EXPECT_EQ(info.lblPageMemory->text(), QStringLiteral("65.536 KB"));
    EXPECT_EQ(info.lblPageMemoryAvail->text(), QStringLiteral("0 KB"));
}

INSTANTIATE_TEST_SUITE_P(Locales, PanelsUnderLocale,
                         ::testing::ValuesIn(TestLocales::userLocales()),
                         [](const auto &info) { return TestLocales::testName(info.param); });

} // namespace
