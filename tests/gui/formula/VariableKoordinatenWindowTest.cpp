#include "fakes/TestApp.h"
#include "gui/formula/FormulaResultModel.h"
#include "gui/formula/VariableKoordinaten_Unit.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct VariableKoordinatenFixture : ::testing::Test
{
    VariableKoordinatenFixture()
    {
        app.globals.settings.HomeKoordinaten = QStringLiteral("N 52° 31.000 E 013° 24.000");
        window = std::make_unique<TfrmVariableKoordinaten>(app.context);
        window->show();
    }

    void typeFormula(const QString &text)
    {
        window->edtFormel->setFocus();
        window->edtFormel->clear();
        QTest::keyClicks(window->edtFormel, text);
    }

    // Types the values of the variable in the given row of the variable table.
    void setValues(const QString &letter, const QString &values)
    {
        QTableWidget *table = window->tblVariablen;
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->item(row, 0)->text() == letter) {
                table->item(row, 1)->setText(values);
                return;
            }
        }
        ADD_FAILURE() << "no row for " << letter.toStdString();
    }

    QStringList letters() const
    {
        QStringList result;
        for (int row = 0; row < window->tblVariablen->rowCount(); ++row)
            result.append(window->tblVariablen->item(row, 0)->text());
        return result;
    }

    QString note(int row) const { return window->tblVariablen->item(row, 2)->text(); }

    void calculateAndWait()
    {
        ASSERT_TRUE(window->btnBerechnen->isEnabled()) << window->lblZaehler->text().toStdString();
        QTest::mouseClick(window->btnBerechnen, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window->running(); }, 60000));
    }

    QString cell(int row, int column) const
    {
        const auto *model = window->tvErgebnisse->model();
        return model->data(model->index(row, column)).toString();
    }

    int rows() const { return window->tvErgebnisse->model()->rowCount(); }

    TestApp app;
    std::unique_ptr<TfrmVariableKoordinaten> window;
};

} // namespace

TEST_F(VariableKoordinatenFixture, StartsWithTheHomeCoordinatesAndNothingToCompute)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Variable Koordinaten"));
    EXPECT_EQ(window->edtBezugspunkt->text(), QStringLiteral("N 52° 31.000 E 013° 24.000"));
    EXPECT_EQ(window->edtUmkreis->text(), QStringLiteral("3,2"));
    EXPECT_TRUE(window->cboxNurGueltige->isChecked());
    EXPECT_TRUE(window->cboxUmkreis->isChecked());
    EXPECT_FALSE(window->btnBerechnen->isEnabled());
    EXPECT_FALSE(window->btnAbbrechen->isEnabled());
    EXPECT_EQ(window->lblZaehler->text(), QStringLiteral("Bitte eine Formel eingeben."));
}

TEST_F(VariableKoordinatenFixture, ListsTheLettersOfTheFormulaAndKeepsTheirValues)
{
    typeFormula(QStringLiteral("N 52° 3A.B(C+2)0 E 013° 2D.(E*2)1"));
    EXPECT_EQ(letters(), (QStringList {"A", "B", "C", "D", "E"}));
    EXPECT_EQ(note(0), QStringLiteral("ohne Wert"));
    EXPECT_EQ(window->lblZaehler->text(),
              QStringLiteral("1 Kombination – ohne Wert und darum ungültig: A, B, C, D, E"));
    setValues(QStringLiteral("A"), QStringLiteral("0-9"));
    setValues(QStringLiteral("E"), QStringLiteral("F+1"));
    EXPECT_EQ(letters(), (QStringList {"A", "B", "C", "D", "E", "F"})); // F came with E
    EXPECT_EQ(note(0), QStringLiteral("10 Werte"));
    EXPECT_EQ(note(4), QStringLiteral("Ausdruck"));
    // A letter that leaves the formula takes its row along, and brings its value back.
    typeFormula(QStringLiteral("N 52° 3B.000 E 013° 24.000"));
    EXPECT_EQ(letters(), (QStringList {"B"}));
    typeFormula(QStringLiteral("N 52° 3A.000 E 013° 24.000"));
    EXPECT_EQ(window->tblVariablen->item(0, 1)->text(), QStringLiteral("0-9"));
}

TEST_F(VariableKoordinatenFixture, MarksTheSyntaxErrorInThePlace)
{
    typeFormula(QStringLiteral("N 52° 3(A+*2) E 1"));
    const QString error = window->lblFormelFehler->text();
    EXPECT_TRUE(error.startsWith(QStringLiteral("Zeichen 11: "))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("#ff9090\">*</span>"))) << error.toStdString();
    EXPECT_FALSE(window->btnBerechnen->isEnabled());
    EXPECT_TRUE(app.dialogs.messages.isEmpty()); // said in place, not in a box
    typeFormula(QStringLiteral("N 52° 3(A+2) E 1"));
    EXPECT_TRUE(window->lblFormelFehler->text().isEmpty());
}

TEST_F(VariableKoordinatenFixture, RefusesWhatCannotRunAndSaysWhy)
{
    typeFormula(QStringLiteral("N 52° 3A.BCD E 013° 24.000"));
    setValues(QStringLiteral("A"), QStringLiteral("B+1"));
    setValues(QStringLiteral("B"), QStringLiteral("A+1"));
    EXPECT_FALSE(window->btnBerechnen->isEnabled());
    EXPECT_TRUE(window->lblZaehler->text().contains(QStringLiteral("Kreis")));
    setValues(QStringLiteral("A"), QStringLiteral("0-999"));
    setValues(QStringLiteral("B"), QStringLiteral("0-999"));
    setValues(QStringLiteral("C"), QStringLiteral("0-99"));
    EXPECT_TRUE(window->lblZaehler->text().contains(QStringLiteral("Zu viele Kombinationen")));
    setValues(QStringLiteral("C"), QStringLiteral("0-9"));
    EXPECT_EQ(window->lblZaehler->text(),
              QStringLiteral("10.000.000 Kombinationen – ohne Wert und darum ungültig: D"));
    EXPECT_TRUE(window->btnBerechnen->isEnabled());

    window->edtUmkreis->setText(QStringLiteral("0"));
    EXPECT_FALSE(window->btnBerechnen->isEnabled());
    window->edtUmkreis->setText(QStringLiteral("1.5"));
    EXPECT_TRUE(window->btnBerechnen->isEnabled());
    window->edtBezugspunkt->setText(QStringLiteral("irgendwo"));
    EXPECT_EQ(window->lblBezugFehler->text(),
              QStringLiteral("Der Bezugspunkt wurde nicht erkannt."));
    EXPECT_FALSE(window->btnBerechnen->isEnabled());
    window->cboxUmkreis->setChecked(false); // without a radius no reference point is needed
    EXPECT_TRUE(window->btnBerechnen->isEnabled());
}

TEST_F(VariableKoordinatenFixture, ComputesFiltersAndShowsTheResults)
{
    // Minutes 3A,B00 for A, B = 0..9: within 3,2 km of N 52° 31,000 are 29,3 to 32,7 minutes.
    typeFormula(QStringLiteral("N 52° 3A.B00 E 013° 24.000"));
    setValues(QStringLiteral("A"), QStringLiteral("0-9"));
    setValues(QStringLiteral("B"), QStringLiteral("0-9"));
    calculateAndWait();
    EXPECT_EQ(window->lblZaehler->text(),
              QStringLiteral("100 von 100 Kombinationen berechnet, 100 gültig, 28 angezeigt"));
    ASSERT_EQ(rows(), 28);
    EXPECT_EQ(cell(0, 0), QStringLiteral("0"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("0"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("N 52° 30,000' E 013° 24,000'"));
    EXPECT_EQ(cell(0, 3), QStringLiteral("1.855 m"));
    EXPECT_EQ(cell(0, 4), QStringLiteral("180,0°"));
    EXPECT_EQ(window->pbFortschritt->value(), 1000);

    window->cboxNotation->setCurrentIndex(0);
    EXPECT_EQ(cell(0, 2), QStringLiteral("N 52,5 E 13,4"));

    // Sorting by distance puts the reference point itself first.
    window->tvErgebnisse->sortByColumn(3, Qt::AscendingOrder);
    EXPECT_EQ(cell(0, 3), QStringLiteral("0 m"));
    EXPECT_EQ(cell(0, 4), QString());

    window->cboxUmkreis->setChecked(false);
    calculateAndWait();
    EXPECT_EQ(rows(), 100);
}

TEST_F(VariableKoordinatenFixture, CancelStopsALongRun)
{
    typeFormula(QStringLiteral("N 52° 3A.BCD E 013° 2E.FG0"));
    for (const char *letter : {"A", "B", "C", "D", "E", "F", "G"})
        setValues(QString::fromLatin1(letter), QStringLiteral("0-9"));
    window->cboxUmkreis->setChecked(false);
    QTest::mouseClick(window->btnBerechnen, Qt::LeftButton);
    ASSERT_TRUE(window->running());
    EXPECT_TRUE(window->btnAbbrechen->isEnabled());
    EXPECT_FALSE(window->btnBerechnen->isEnabled());
    // The first results show while the worker goes on.
    ASSERT_TRUE(QTest::qWaitFor([&] { return rows() > 0; }, 20000));
    QTest::mouseClick(window->btnAbbrechen, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->running(); }, 20000));
    EXPECT_TRUE(window->lblZaehler->text().endsWith(QStringLiteral("– abgebrochen")));
    EXPECT_LT(rows(), 10'000'000);
    EXPECT_FALSE(window->btnAbbrechen->isEnabled());
    EXPECT_TRUE(window->btnBerechnen->isEnabled());
}

TEST_F(VariableKoordinatenFixture, ClosingDuringARunStopsTheWorker)
{
    typeFormula(QStringLiteral("N 52° 3A.BCD E 013° 2E.FG0"));
    for (const char *letter : {"A", "B", "C", "D", "E", "F", "G"})
        setValues(QString::fromLatin1(letter), QStringLiteral("0-9"));
    window->cboxUmkreis->setChecked(false);
    QTest::mouseClick(window->btnBerechnen, Qt::LeftButton);
    window.reset(); // must neither hang nor touch the destroyed window
    QCoreApplication::processEvents();
    SUCCEED();
}

TEST_F(VariableKoordinatenFixture, SavesGpxAndCsvAndCopiesRows)
{
    typeFormula(QStringLiteral("N 52° 31.A00 E 013° 24.000"));
    setValues(QStringLiteral("A"), QStringLiteral("0,5"));
    calculateAndWait();
    ASSERT_EQ(rows(), 2);
    QTemporaryDir dir;
    const QString gpx = dir.filePath(QStringLiteral("a.gpx"));
    app.dialogs.fileAnswers = {gpx};
    QTest::mouseClick(window->btnGpx, Qt::LeftButton);
    QFile file(gpx);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.contains("<wpt lat=\"52.51666667\" lon=\"13.40000000\">"));
    EXPECT_TRUE(content.contains("<name>A=5</name>"));
    EXPECT_EQ(app.dialogs.fileRequests.back().defaultSuffix, QStringLiteral("gpx"));

    // A file that cannot be written is reported with its name.
    const QString blocked = dir.filePath(QStringLiteral("kein/Ordner.csv"));
    app.dialogs.fileAnswers = {blocked};
    QTest::mouseClick(window->btnCsv, Qt::LeftButton);
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_TRUE(app.dialogs.lastText().contains(QDir::toNativeSeparators(blocked)));

    window->tvErgebnisse->selectRow(1);
    QTest::mouseClick(window->btnKopieren, Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("A=5\tN 52° 31,500' E 013° 24,000'\t927,3\t0,0"));
}

// A reference point never set reads as N 0° E 0°: with the radius on, nothing of a real cache
// is shown, and the counts say why and where to set it.
TEST_F(VariableKoordinatenFixture, AnUnsetReferencePointIsNamedWithTheRadius)
{
    const QString hint =
        QStringLiteral(" – Der Bezugspunkt N 0° E 0° ist nicht gesetzt: Tragen Sie ihn oben "
                       "unter „Bezugspunkt“ ein (die Home-Koordinaten in den Einstellungen "
                       "werden dort vorgegeben) oder schalten Sie den Umkreis ab.");
    struct Case
    {
        const char16_t *reference;
        bool radius;
        const char16_t *counts;
        bool hinted;
    };
    const Case cases[] = {
        {u"N 0° E 0°", true, u"100 von 100 Kombinationen berechnet, 100 gültig, 0 angezeigt", true},
        {u"N 0 E 0", true, u"100 von 100 Kombinationen berechnet, 100 gültig, 0 angezeigt", true},
        {u"N 0° E 0°", false, u"100 von 100 Kombinationen berechnet, 100 gültig, 100 angezeigt",
         false},
        {u"N 0° 0.001 E 0° 0.000", true,
         u"100 von 100 Kombinationen berechnet, 100 gültig, 0 angezeigt", false},
        {u"N 52° 31.000 E 013° 24.000", true,
         u"100 von 100 Kombinationen berechnet, 100 gültig, 28 angezeigt", false},
    };
    typeFormula(QStringLiteral("N 52° 3A.B00 E 013° 24.000"));
    setValues(QStringLiteral("A"), QStringLiteral("0-9"));
    setValues(QStringLiteral("B"), QStringLiteral("0-9"));
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << QString::fromUtf16(c.reference).toStdString() << " " << c.radius);
        window->edtBezugspunkt->setText(QString::fromUtf16(c.reference));
        window->cboxUmkreis->setChecked(c.radius);
        EXPECT_EQ(window->lblZaehler->text(),
                  QStringLiteral("100 Kombinationen") + (c.hinted ? hint : QString()));
        calculateAndWait();
        EXPECT_EQ(window->lblZaehler->text(),
                  QString::fromUtf16(c.counts) + (c.hinted ? hint : QString()));
    }
    // A look by eye: QUARVEL_SCREENSHOTS=<folder> keeps a picture of the window with the hint.
    if (const QString folder = qEnvironmentVariable("QUARVEL_SCREENSHOTS"); !folder.isEmpty()) {
        window->edtBezugspunkt->setText(QStringLiteral("N 0° E 0°"));
        window->cboxUmkreis->setChecked(true);
        calculateAndWait();
        window->grab().save(folder + QStringLiteral("/variable-koordinaten.png"));
    }
}

// On a laptop screen of 1366 x 768 (the one the tests run on) the whole window is on the screen.
TEST_F(VariableKoordinatenFixture, FitsALaptopScreen)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QRect area = window->screen()->availableGeometry();
    SCOPED_TRACE(testing::Message() << area.width() << " x " << area.height());
    EXPECT_TRUE(area.contains(window->frameGeometry()));
    EXPECT_LE(window->minimumSizeHint().height(), area.height());
    EXPECT_LE(window->minimumSizeHint().width(), area.width());
    // The bottom row of controls is inside the window, not cut off by it.
    const QPoint bottom =
        window->btnBerechnen->mapTo(window.get(), window->btnBerechnen->rect().bottomLeft());
    EXPECT_LT(bottom.y(), window->height());
}
