#include "fakes/TestApp.h"
#include "gui/formula/Formelrechner_Unit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct FormelrechnerFixture : ::testing::Test
{
    FormelrechnerFixture()
    {
        window = std::make_unique<TfrmFormelrechner>(app.context);
        window->setTakeOver([this](const QString &formula, const QMap<QChar, QString> &values) {
            takenFormula = formula;
            takenValues = values;
        });
        window->show();
    }

    void setCell(int row, int column, const QString &text)
    {
        window->tblWerte->item(row, column)->setText(text);
    }

    QString cell(int row, int column) const
    {
        const QTableWidgetItem *item = window->tblWerte->item(row, column);
        return item ? item->text() : QString();
    }

    TestApp app;
    std::unique_ptr<TfrmFormelrechner> window;
    QString takenFormula;
    QMap<QChar, QString> takenValues;
};

} // namespace

TEST_F(FormelrechnerFixture, ComputesEveryRowWhileTheUserTypes)
{
    ASSERT_EQ(window->tblWerte->rowCount(), 3); // A, B and C to start with
    setCell(0, TfrmFormelrechner::FormulaColumn, QStringLiteral("1987"));
    setCell(1, TfrmFormelrechner::FormulaColumn, QStringLiteral("12"));
    setCell(2, TfrmFormelrechner::FormulaColumn, QStringLiteral("wurzel(A - B)"));
    EXPECT_EQ(cell(2, TfrmFormelrechner::ResultColumn),
              QStringLiteral("44,440972086577944250457208377"));
    EXPECT_EQ(cell(2, TfrmFormelrechner::RoundedColumn), QStringLiteral("44"));
    // A row before the ones it refers to, and a cycle named where it happens.
    setCell(0, TfrmFormelrechner::FormulaColumn, QStringLiteral("C"));
    EXPECT_TRUE(cell(0, TfrmFormelrechner::ResultColumn).startsWith(QStringLiteral("Zirkelbezug")))
        << cell(0, TfrmFormelrechner::ResultColumn).toStdString();
    EXPECT_EQ(app.dialogs.messages.size(), 0);
}

TEST_F(FormelrechnerFixture, AddsRemovesAndMovesRows)
{
    QTest::mouseClick(window->btnHinzufuegen, Qt::LeftButton);
    ASSERT_EQ(window->tblWerte->rowCount(), 4);
    EXPECT_EQ(cell(3, TfrmFormelrechner::NameColumn), QStringLiteral("D"));
    setCell(3, TfrmFormelrechner::FormulaColumn, QStringLiteral("7"));
    window->tblWerte->setCurrentCell(3, TfrmFormelrechner::FormulaColumn);
    QTest::mouseClick(window->btnHoch, Qt::LeftButton);
    EXPECT_EQ(cell(2, TfrmFormelrechner::NameColumn), QStringLiteral("D"));
    EXPECT_EQ(cell(2, TfrmFormelrechner::ResultColumn), QStringLiteral("7"));
    QTest::mouseClick(window->btnRunter, Qt::LeftButton);
    QTest::mouseClick(window->btnRunter, Qt::LeftButton); // at the end: stays
    EXPECT_EQ(cell(3, TfrmFormelrechner::NameColumn), QStringLiteral("D"));
    QTest::mouseClick(window->btnEntfernen, Qt::LeftButton);
    EXPECT_EQ(window->tblWerte->rowCount(), 3);
    window->tblWerte->setCurrentCell(0, 0);
    QTest::mouseClick(window->btnHoch, Qt::LeftButton); // at the top: stays
    EXPECT_EQ(cell(0, TfrmFormelrechner::NameColumn), QStringLiteral("A"));
}

TEST_F(FormelrechnerFixture, HandsTheUnknownLettersToTheVariableCoordinates)
{
    window->setDocument({{{"A", "5"}, {"B", "12/4"}}, QString()});
    QTest::keyClicks(window->edtKoordinate, QStringLiteral("N 52° 3A.B[A+F]0 E 013° 2G.000"));
    EXPECT_TRUE(window->lblKoordinate->text().contains(QStringLiteral("Noch unbekannt: <b>F, G")))
        << window->lblKoordinate->text().toStdString();
    ASSERT_TRUE(window->btnUebernehmen->isEnabled());
    QTest::mouseClick(window->btnUebernehmen, Qt::LeftButton);
    EXPECT_EQ(takenFormula, QStringLiteral("N 52° 35.3(A+F)0 E 013° 2G.000"));
    EXPECT_EQ(takenValues.value(u'A'), QStringLiteral("5"));
    // Once every letter is known there is nothing left to try.
    window->setDocument(
        {{{"A", "5"}, {"B", "3"}, {"F", "1"}, {"G", "4"}}, window->edtKoordinate->text()});
    EXPECT_EQ(window->lblKoordinate->text(), QStringLiteral("<b>N 52° 35.360 E 013° 24.000</b>"));
    EXPECT_FALSE(window->btnUebernehmen->isEnabled());
}

TEST_F(FormelrechnerFixture, SavesAndOpensTheSheetAndNamesAFailedOpen)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("blatt.json"));
    const Formula::SheetDocument document {{{"A", "1987"}, {"Fenster", "12"}},
                                           QStringLiteral("N 52 3A")};
    window->setDocument(document);
    app.dialogs.fileAnswers.push_back(path);
    QTest::mouseClick(window->btnSpeichern, Qt::LeftButton);
    window->setDocument({});
    app.dialogs.fileAnswers.push_back(path);
    QTest::mouseClick(window->btnOeffnen, Qt::LeftButton);
    EXPECT_EQ(window->document(), document);
    EXPECT_EQ(app.dialogs.messages.size(), 0);

    // A file that is no sheet is refused and the sheet stays as it was.
    const QString other = folder.filePath(QStringLiteral("anders.json"));
    QFile file(other);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"a\": 1}");
    file.close();
    app.dialogs.fileAnswers.push_back(other);
    QTest::mouseClick(window->btnOeffnen, Qt::LeftButton);
    EXPECT_TRUE(app.dialogs.lastText().contains(QStringLiteral("kein Formelblatt von Quarvel")))
        << app.dialogs.lastText().toStdString();
    EXPECT_EQ(window->document(), document);

    // A save into a folder that does not exist names the file.
    app.dialogs.fileAnswers.push_back(folder.filePath(QStringLiteral("fehlt/blatt.json")));
    QTest::mouseClick(window->btnSpeichern, Qt::LeftButton);
    EXPECT_TRUE(app.dialogs.lastText().contains(QStringLiteral("fehlt/blatt.json")))
        << app.dialogs.lastText().toStdString();
}

namespace {

QString shotPath(const char *name)
{
    const QString dir = qEnvironmentVariable("QUARVEL_SHOTS", QDir::tempPath());
    QDir().mkpath(dir);
    return dir + u'/' + QString::fromLatin1(name) + QStringLiteral(".png");
}

} // namespace

// For looking at by eye (see the comment of the other screenshots for how to run it).
TEST(Screenshot, DISABLED_Formelrechner)
{
    TestApp app;
    TfrmFormelrechner window(app.context);
    window.setDocument({{{"A", "1987"},
                         {"B", "12"},
                         {"C", "runden(wurzel(A - B); 2)"},
                         {"D", "qs(A) * B"},
                         {"E", "sin(45) * pi"},
                         {"G", "1/0"}},
                        QStringLiteral("N 52° [runden(C)-10].D E 013° 2F.[iqs(A)]00")});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(300);
    EXPECT_TRUE(window.screen()->grabWindow(0).save(shotPath("formelrechner")));
}
