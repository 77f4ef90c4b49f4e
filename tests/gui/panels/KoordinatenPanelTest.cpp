#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/app/panels/gboxKoordinaten.h"
#include "logic/tools/Koordinaten_Unit.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString kGradMinuten = QStringLiteral("Grad °  Minuten '");
const QString kGradMinutenSekunden = QStringLiteral("Grad °  Minuten '  Sekunden ''");

class KoordinatenPanel : public ::testing::Test
{
public:
    void SetUp() override
    {
        window = std::make_unique<TfrmQuarvelMain>(app.context);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        // The first change of selection is swallowed; the group then opens the tool's branch.
        choose("Zahlensysteme");
        choose("Koordinaten");
        choose("GPS (WGS84)");
        panel = window->findChild<QGroupBox *>(QStringLiteral("gboxKoordinaten"));
        ASSERT_NE(panel, nullptr);
        input = child<QLineEdit>("edtKoordinaten");
        test = child<QLabel>("lblKoordTest");
        last = child<QLabel>("lblLastKoord");
        list = child<QComboBox>("cboxKoordinaten");
        output = child<QLineEdit>("edtKoordAus");
    }

    template<typename T> T *child(const char *name)
    {
        auto *widget = panel->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void choose(const char *node)
    {
        const auto items = window->TreeView1->findItems(QString::fromUtf8(node),
                                                        Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(items.size(), 1) << node;
        window->TreeView1->setCurrentItem(items.first());
    }

    // Clears the input and types into it the way a user does.
    void type(const QString &text)
    {
        input->setFocus(Qt::MouseFocusReason);
        input->clear();
        QTest::keyClicks(input, text);
    }

    // A choice made with the mouse in the opened list; the output follows once it has closed.
    void chooseWithMouse(const QString &item)
    {
        const int index = list->findText(item);
        ASSERT_GE(index, 0);
        list->showPopup();
        QAbstractItemView *view = list->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        const QRect rect = view->visualRect(list->model()->index(index, 0));
        QTest::mouseMove(view->viewport(), rect.center());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        QTRY_VERIFY(!view->isVisible());
        QCoreApplication::processEvents();
    }

    QColor testColour() const { return test->palette().color(QPalette::WindowText); }

    TestApp app;
    std::unique_ptr<TfrmQuarvelMain> window;
    QGroupBox *panel = nullptr;
    QLineEdit *input = nullptr;
    QLabel *test = nullptr;
    QLabel *last = nullptr;
    QComboBox *list = nullptr;
    QLineEdit *output = nullptr;
};

} // namespace

TEST_F(KoordinatenPanel, WalkThroughTheExamples)
{
    EXPECT_EQ(window->gboxOben->title(), QStringLiteral(" Koordinaten "));
    EXPECT_EQ(window->lblOben->text(), QStringLiteral("Verfügbare Buchstaben: N E S W ."));
    EXPECT_EQ(window->lblOben2->text(), QStringLiteral("Verfügbare Zahlen: 0 1 2 3 4 5 6 7 8 9"));
    EXPECT_EQ(panel->title(), QStringLiteral(" GPS (WGS84) "));
    EXPECT_TRUE(panel->isVisible());

    EXPECT_EQ(input->text(), QString());
    EXPECT_EQ(test->text(), QStringLiteral("Nicht erkannt !"));
    EXPECT_EQ(last->text(), QString());
    EXPECT_EQ(output->text(), QStringLiteral("N 0° E 0°"));
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(list->count(), 3);

    type(QStringLiteral("N 54° 23.650 E 013° 40.181"));
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_EQ(test->text(), QStringLiteral("OK !"));
    EXPECT_EQ(testColour(), QColor(0, 128, 0));
    EXPECT_EQ(last->text(), QStringLiteral("N 54° 23.650 E 013° 40.181"));
    EXPECT_EQ(output->text(), QStringLiteral("N 0° E 0°"));
    EXPECT_TRUE(list->hasFocus());

    chooseWithMouse(QStringLiteral("Grad °"));
    EXPECT_EQ(output->text(), QStringLiteral("N 54,3941666666667 E 13,6696833333333"));

    chooseWithMouse(kGradMinutenSekunden);
    EXPECT_EQ(output->text(), QStringLiteral("N 54° 23' 39\" E 013° 40' 10,86\" "));

    type(QStringLiteral("N 54"));
    QTest::keyClick(input, Qt::Key_Tab);
    EXPECT_EQ(test->text(), QStringLiteral("Nicht erkannt !"));
    EXPECT_EQ(testColour(), QColor(255, 0, 0));
    EXPECT_EQ(last->text(), QStringLiteral("N 54° 23.650 E 013° 40.181"));
    EXPECT_EQ(output->text(), QStringLiteral("N 54° 23' 39\" E 013° 40' 10,86\" "));
    EXPECT_TRUE(app.dialogs.messages.isEmpty());

    // Another tool and back: nothing in the panel is reset.
    choose("Quersumme");
    choose("GPS (WGS84)");
    EXPECT_EQ(input->text(), QStringLiteral("N 54"));
    EXPECT_EQ(last->text(), QStringLiteral("N 54° 23.650 E 013° 40.181"));
    EXPECT_EQ(list->currentIndex(), 2);
    EXPECT_EQ(output->text(), QStringLiteral("N 54° 23' 39\" E 013° 40' 10,86\" "));
    EXPECT_EQ(window->koordinaten()->sGradLon, QStringLiteral("013"));

    // A look at the result by eye: QUARVEL_SCREENSHOTS=<folder> keeps a picture of the window.
    const QString folder = qEnvironmentVariable("QUARVEL_SCREENSHOTS");
    if (!folder.isEmpty()) {
        QCoreApplication::processEvents();
        window->grab().save(folder + QStringLiteral("/koordinaten.png"));
    }
}

TEST_F(KoordinatenPanel, EveryWayOfLeavingTheFieldReadsIt)
{
    const std::pair<const char *, std::function<void(KoordinatenPanel &)>> ways[] = {
        {"Enter", [](KoordinatenPanel &t) { QTest::keyClick(t.input, Qt::Key_Return); }},
        {"Enter on the keypad",
         [](KoordinatenPanel &t) { QTest::keyClick(t.input, Qt::Key_Enter, Qt::KeypadModifier); }},
        {"Tab", [](KoordinatenPanel &t) { QTest::keyClick(t.input, Qt::Key_Tab); }},
        {"mouse", [](KoordinatenPanel &t) { QTest::mouseClick(t.output, Qt::LeftButton); }},
    };
    for (const auto &[name, leave] : ways) {
        SCOPED_TRACE(name);
        type(QStringLiteral("S 12 30 W 13 15"));
        leave(*this);
        EXPECT_FALSE(input->hasFocus());
        EXPECT_EQ(test->text(), QStringLiteral("OK !"));
        EXPECT_EQ(last->text(), QStringLiteral("S 12 30 W 13 15"));
        type(QString());
        leave(*this);
        EXPECT_EQ(test->text(), QStringLiteral("Nicht erkannt !"));
        EXPECT_EQ(last->text(), QStringLiteral("S 12 30 W 13 15"));
        EXPECT_EQ(output->text(), QStringLiteral("N 0° E 0°"));
    }
}

TEST_F(KoordinatenPanel, SwitchingToAnotherWindowIsNotLeavingTheField)
{
    type(QStringLiteral("N 54 E 13"));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(test->text(), QStringLiteral("Nicht erkannt !"));

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_TRUE(input->hasFocus());
    QTest::keyClick(input, Qt::Key_Tab);
    EXPECT_EQ(test->text(), QStringLiteral("OK !"));
}

TEST_F(KoordinatenPanel, ChoosingBeforeAnyInputShowsTheFreshPosition)
{
    const std::pair<QString, const char *> cases[] = {
        {QStringLiteral("Grad °"), "N 0 E 0"},
        {kGradMinuten, "N 0° 0,000' E 0° 0,000'"},
        {kGradMinutenSekunden, "N 0° 0' 0,00\" E 0° 0' 0,00\" "},
    };
    for (const auto &[item, expected] : cases) {
        SCOPED_TRACE(item.toStdString());
        chooseWithMouse(item);
        EXPECT_EQ(output->text(), QString::fromUtf8(expected));
    }

    // Closing the list without a choice shows the empty text of "nothing chosen".
    list->setCurrentIndex(-1);
    list->showPopup();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->view()->window()));
    QTest::keyClick(list->view(), Qt::Key_Escape);
    QTRY_VERIFY(!list->view()->isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(output->text(), QString());
}

TEST_F(KoordinatenPanel, KeysInTheListMoveTheChoiceButOnlyEnterShowsIt)
{
    chooseWithMouse(QStringLiteral("Grad °"));
    type(QStringLiteral("N 54.5 E 13.25"));
    QTest::keyClick(input, Qt::Key_Return);
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(output->text(), QStringLiteral("N 54,5 E 13,25")) << "the new position at once";

    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(output->text(), QStringLiteral("N 54,5 E 13,25"));
    QTest::keyClicks(list, QStringLiteral("Gs "));
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_FALSE(list->view()->isVisible());
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(output->text(), QStringLiteral("N 54° 30,000' E 13° 15,000'"));

    // Letters typed into the opened list do not move its selection either.
    list->showPopup();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->view()->window()));
    QTest::keyClicks(list->view(), QStringLiteral("G"));
    QTest::keyClick(list->view(), Qt::Key_Return);
    QTRY_VERIFY(!list->view()->isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(list->currentIndex(), 1);

    // Choosing the same notation again refreshes the output with the newest position.
    type(QStringLiteral("N 1 E 2"));
    QTest::keyClick(input, Qt::Key_Return);
    chooseWithMouse(kGradMinuten);
    EXPECT_EQ(output->text(), QStringLiteral("N 1° 0,000' E 2° 0,000'"));
}

TEST_F(KoordinatenPanel, ConversionErrorsGoToTheErrorBoxAndLeaveTheLabels)
{
    type(QStringLiteral("N 54 E 13"));
    QTest::keyClick(input, Qt::Key_Return);
    ASSERT_EQ(test->text(), QStringLiteral("OK !"));

    type(QStringLiteral("S 12 x W 13 y"));
    QTest::keyClick(input, Qt::Key_Tab);
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_EQ(app.dialogs.lastText(), QStringLiteral("'x' ist kein gültiger Gleitkommawert."));
    EXPECT_EQ(app.dialogs.messages.last().title, QStringLiteral("Quarvel"));
    EXPECT_EQ(test->text(), QStringLiteral("OK !"));
    EXPECT_EQ(last->text(), QStringLiteral("N 54 E 13"));
    // The letters and degrees were taken before the minutes failed.
    const TKoordinaten *k = window->koordinaten();
    EXPECT_EQ(QStringList({k->sLatitude, k->sGradLat, k->sLongitude, k->sGradLon}),
              QStringList({"S", "12", "W", "13"}));

    type(QStringLiteral("N a b c E d e f"));
    QTest::keyClick(input, Qt::Key_Tab);
    ASSERT_EQ(test->text(), QStringLiteral("OK !"));
    chooseWithMouse(kGradMinutenSekunden);
    EXPECT_EQ(output->text(), QStringLiteral("N a° b' c\" E d° e' f\" "));
    chooseWithMouse(QStringLiteral("Grad °"));
    EXPECT_EQ(app.dialogs.lastText(), QStringLiteral("'a' ist kein gültiger Gleitkommawert."));
    EXPECT_EQ(output->text(), QStringLiteral("N a° b' c\" E d° e' f\" "));
}

TEST_F(KoordinatenPanel, ListAndFieldsBehaveAsDesigned)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    EXPECT_EQ(items, QStringList({QStringLiteral("Grad °"), kGradMinuten, kGradMinutenSekunden}));
    EXPECT_FALSE(list->isEditable());
    EXPECT_TRUE(output->isReadOnly());
    EXPECT_FALSE(output->hasFrame());
    EXPECT_EQ(child<QLineEdit>("Edit2")->text(), QStringLiteral("N 54° 23.650 E 013° 40.181"));
    output->setFocus(Qt::MouseFocusReason);
    output->selectAll();
    QTest::keyClick(output, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("N 0° E 0°"));

    input->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(input->palette().color(QPalette::Base), QColor(255, 255, 0));
    QTest::keyClick(input, Qt::Key_Tab);
    EXPECT_EQ(input->palette().color(QPalette::Base), QColor(Qt::white));
}

TEST_F(KoordinatenPanel, TheObjectLivesFromCreationToClosing)
{
    ASSERT_NE(window->koordinaten(), nullptr);
    type(QStringLiteral("N 54 E 13"));
    window->close();
    EXPECT_EQ(window->koordinaten(), nullptr);
    // The panel no longer reads once the object is gone.
    auto *koordinatenPanel = static_cast<gboxKoordinaten *>(panel);
    koordinatenPanel->edtKoordinatenExit();
    koordinatenPanel->cboxKoordinatenCloseUp();
    EXPECT_EQ(test->text(), QStringLiteral("Nicht erkannt !"));
    EXPECT_EQ(output->text(), QStringLiteral("N 0° E 0°"));
}

// With a notation chosen, a newly read position shows in it at once; with none chosen the
// output waits for a choice, and one it cannot write in (a letter for a number) keeps the old.
TEST_F(KoordinatenPanel, ANewPositionShowsAtOnceInTheChosenNotation)
{
    struct Case
    {
        const QString notation; // empty: none chosen
        const char16_t *typed;
        const char16_t *output;
        bool error;
    };
    const Case cases[] = {
        {QString(), u"N 54° 23.650 E 013° 40.181", u"N 0° E 0°", false},
        {QStringLiteral("Grad °"), u"N 54° 23.650 E 013° 40.181",
         u"N 54,3941666666667 E 13,6696833333333", false},
        {kGradMinuten, u"S 12.5 W 7.25", u"S 12° 30,000' W 7° 15,000'", false},
        {kGradMinutenSekunden, u"N 54° 23.650 E 013° 40.181", u"N 54° 23' 39\" E 013° 40' 10,86\" ",
         false},
        {QStringLiteral("Grad °"), u"N a b c E d e f", u"N 0,5 E 0,5", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.notation.toStdString());
        type(QStringLiteral("N 0.5 E 0.5"));
        QTest::keyClick(input, Qt::Key_Return);
        list->setCurrentIndex(-1);
        if (!c.notation.isEmpty())
            chooseWithMouse(c.notation);
        else
            output->setText(QStringLiteral("N 0° E 0°"));
        app.dialogs.messages.clear();
        type(QString::fromUtf16(c.typed));
        QTest::keyClick(input, Qt::Key_Return);
        EXPECT_EQ(test->text(), QStringLiteral("OK !"));
        EXPECT_EQ(last->text(), QString::fromUtf16(c.typed));
        EXPECT_EQ(output->text(), QString::fromUtf16(c.output));
        EXPECT_EQ(app.dialogs.messages.size(), c.error ? 1 : 0);
    }
}
