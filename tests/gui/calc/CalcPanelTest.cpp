// The generic panel of the calculating tools, driven as a user would: choose a tool, type, read
// the result fields; a wrong input gets its message beside the field; slow tools answer after
// "Berechnen" without blocking; the navigator filter finds a tool by name or explanation.
#include "gui/calc/CalcPanel.h"
#include "gui/calc/CalcNavigator.h"
#include "logic/calc/CalcTool.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QString result(CalcPanel &panel, const char *key)
{
    const QString name = QStringLiteral("res_") + QLatin1String(key);
    if (auto *edit = panel.findChild<QLineEdit *>(name))
        return edit->text();
    if (auto *box = panel.findChild<QPlainTextEdit *>(name))
        return box->toPlainText();
    return QStringLiteral("<none>");
}

void type(CalcPanel &panel, const char *key, const QString &text)
{
    auto *edit = panel.findChild<QLineEdit *>(QStringLiteral("edt_") + QLatin1String(key));
    ASSERT_NE(edit, nullptr) << key;
    edit->clear();
    QTest::keyClicks(edit, text);
}

QString fieldError(CalcPanel &panel, const char *key)
{
    return panel.findChild<QLabel *>(QStringLiteral("lblFehler_") + QLatin1String(key))->text();
}

} // namespace

TEST(CalcPanel, EveryNodeShowsItsToolsAndEveryToolItsFields)
{
    for (const QString &node : Calc::calcNodes()) {
        SCOPED_TRACE(node.toStdString());
        CalcPanel panel(node);
        EXPECT_EQ(panel.objectName(), calcPanelName(node));
        ASSERT_EQ(panel.cmbWerkzeug->count(), qsizetype(Calc::toolsOfNode(node).size()));
        for (int i = 0; i < panel.cmbWerkzeug->count(); ++i) {
            panel.cmbWerkzeug->setCurrentIndex(i);
            const Calc::Tool &tool = panel.currentTool();
            for (const Calc::InputDecl &decl : tool.inputs)
                EXPECT_NE(panel.findChild<QLabel *>(QStringLiteral("lblFehler_") + decl.key),
                          nullptr);
            EXPECT_EQ(panel.btnBerechnen->isVisibleTo(&panel), !tool.live);
        }
    }
}

TEST(CalcPanel, LiveToolsAnswerWhileTyping)
{
    CalcPanel dates(QStringLiteral("Datum & Zeit"));
    type(dates, "datum", QStringLiteral("10.12.2026"));
    EXPECT_EQ(result(dates, "wochentag"), QStringLiteral("Donnerstag"));
    EXPECT_EQ(result(dates, "iso_woche"), QStringLiteral("50"));
    type(dates, "datum", QStringLiteral("31.02.2026"));
    EXPECT_TRUE(fieldError(dates, "datum").contains(QStringLiteral("31.02.2026")));
    EXPECT_EQ(result(dates, "wochentag"), QString());

    CalcPanel checks(QStringLiteral("Prüfziffern"));
    type(checks, "nummer", QStringLiteral("DE89 3704 0044 0532 0130 00"));
    EXPECT_TRUE(result(checks, "ergebnisse").contains(QStringLiteral("iban: gültig")));

    CalcPanel bases(QStringLiteral("Zahlenbasen"));
    type(bases, "von", QStringLiteral("16"));
    type(bases, "nach", QStringLiteral("2"));
    type(bases, "zahl", QStringLiteral("FF"));
    EXPECT_EQ(result(bases, "ergebnis"), QStringLiteral("11111111"));
    type(bases, "von", QStringLiteral("37"));
    EXPECT_TRUE(bases.lblMeldung->text().contains(QStringLiteral("Basis 37")));
    EXPECT_EQ(result(bases, "ergebnis"), QString());
}

TEST(CalcPanel, SlowToolsAnswerAfterTheButtonWithoutBlocking)
{
    CalcPanel primes(QStringLiteral("Primzahlen & Teiler"));
    primes.chooseTool(QStringLiteral("zahl-faktoren"));
    type(primes, "zahl", QStringLiteral("4294967297"));
    EXPECT_EQ(result(primes, "faktoren"), QString());
    QTest::mouseClick(primes.btnBerechnen, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !primes.busy(); }, 10000));
    EXPECT_EQ(result(primes, "faktoren"), QStringLiteral("641 · 6700417"));
    // A wrong input is named beside its field and nothing runs.
    type(primes, "zahl", QStringLiteral("0"));
    QTest::mouseClick(primes.btnBerechnen, Qt::LeftButton);
    EXPECT_FALSE(primes.busy());
    EXPECT_TRUE(fieldError(primes, "zahl").contains(QStringLiteral("mindestens 1")));
}

TEST(CalcPanel, FilterNarrowsTheNavigatorToMatchingTools)
{
    QTreeWidget tree;
    for (const NavigatorGroup &group : {calcNavigatorGroup()}) {
        auto *groupItem = new QTreeWidgetItem(&tree, {group.text});
        for (const QString &tool : group.tools)
            new QTreeWidgetItem(groupItem, {tool});
    }
    const struct
    {
        const char *filter;
        QStringList shown;
    } cases[] = {
        {"iban", {QStringLiteral("Prüfziffern")}},
        {"WOCHENTAG", {QStringLiteral("Datum & Zeit")}},
        {"sha", {QStringLiteral("Hashes")}},
        {"primzahl", {QStringLiteral("Primzahlen & Teiler"), QStringLiteral("Zahlenfolgen")}},
        {"", Calc::calcNodes()},
        {"gibt es nicht", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.filter);
        filterNavigator(tree, QString::fromUtf8(c.filter));
        QStringList shown;
        QTreeWidgetItem *group = tree.topLevelItem(0);
        for (int i = 0; i < group->childCount(); ++i) {
            if (!group->child(i)->isHidden())
                shown.append(group->child(i)->text(0));
        }
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(group->isHidden(), c.shown.isEmpty());
    }
}
