// The construction pages of the coordinate calculator: what the user types and reads back,
// against the pure functions, and each failure shown in place.
#include "fakes/TestApp.h"
#include "gui/tools/KoordRechner_Unit.h"
#include "gui/tools/rechner/RechnerPages.h"
#include "logic/geo/GeoFormats.h"
#include "logic/geo/GeoRead.h"
#include "logic/geo/GeoResection.h"
#include "logic/geo/GeoTasks.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kA = QStringLiteral("N 52° 31,250 E 013° 24,713");
const QString kB = QStringLiteral("N 52° 30,000 E 013° 20,000");
const QString kC = QStringLiteral("N 52° 33,000 E 013° 22,000");

struct ConstructionsFixture : ::testing::Test
{
    ConstructionsFixture() { window.show(); }

    void type(QLineEdit *edit, const QString &text)
    {
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    QString label(const char *name) { return window.findChild<QLabel *>(name)->text(); }

    TestApp app;
    TfrmKoordRechner window {app.context};
};

Geo::GeoPoint at(const QString &text)
{
    return Geo::readPosition(text);
}

QString dm(Geo::GeoPoint p)
{
    return Geo::formatDegreesMinutes(p);
}

} // namespace

TEST_F(ConstructionsFixture, CentroidOfTheListedPointsAndTheAntipode)
{
    RechnerSchwerpunktPage *page = window.tsSchwerpunkt;
    page->memSchwerpunktPunkte->setPlainText(kA + u'\n' + kB + QStringLiteral("\n\n") + kC);
    const Geo::Centroid c = Geo::centroid({at(kA), at(kB), at(kC)});
    EXPECT_EQ(page->edtSchwerpunkt->text(), dm(c.surface));
    EXPECT_EQ(page->edtMittelwert->text(), dm(c.arithmetic));
    page->memSchwerpunktPunkte->setPlainText(kA + QStringLiteral("\nN 95 E 13"));
    EXPECT_TRUE(page->edtSchwerpunkt->text().isEmpty());
    EXPECT_TRUE(label("lblSchwerpunktMeldung").startsWith(QStringLiteral("Zeile 2: ")));
    page->memSchwerpunktPunkte->setPlainText(kA);
    EXPECT_EQ(label("lblSchwerpunktMeldung"),
              QStringLiteral("Für einen Schwerpunkt braucht es mindestens 2 Punkte"));
    type(page->edtAntipodePunkt, kA);
    EXPECT_EQ(page->edtAntipode->text(), dm(Geo::antipode(at(kA))));
}

TEST_F(ConstructionsFixture, RhumbLinesBothWays)
{
    RechnerLoxodromePage *page = window.tsLoxodrome;
    type(page->edtLoxVon, kA);
    type(page->edtLoxNach, kB);
    const Geo::RhumbCourse r = Geo::rhumbInverse(at(kA), at(kB));
    EXPECT_EQ(page->edtLoxEntfernung->text(),
              Geo::formatDistance(r.distance, Geo::DistanceUnit::Metre));
    EXPECT_EQ(page->edtLoxKurs->text(), Geo::formatBearing(r.course, Geo::AngleUnit::Degree));
    type(page->edtLoxStart, QStringLiteral("N 0 E 0"));
    type(page->edtLoxKursEingabe, QStringLiteral("0"));
    type(page->edtLoxDistanz, QStringLiteral("20000000"));
    EXPECT_TRUE(page->edtLoxZiel->text().isEmpty());
    EXPECT_TRUE(label("lblLoxodromeMeldung").startsWith(QStringLiteral("Die Loxodrome erreicht")));
    type(page->edtLoxDistanz, QStringLiteral("3500"));
    EXPECT_EQ(page->edtLoxZiel->text(), dm(Geo::rhumbDirect({0, 0}, 0, 3500)));
}

TEST_F(ConstructionsFixture, ResectionShowsTheStandpointAndTheDangerCircle)
{
    RechnerRueckwaertsPage *page = window.tsRueckwaerts;
    type(page->edtRwPunkt[0], kA);
    type(page->edtRwPunkt[1], kB);
    type(page->edtRwPunkt[2], kC);
    type(page->edtWinkelAB, QStringLiteral("100"));
    type(page->edtWinkelBC, QStringLiteral("120"));
    const Geo::Resection r = Geo::resect(at(kA), at(kB), at(kC), 100, 120);
    EXPECT_EQ(page->edtStandpunkt->text(), dm(r.standpoint));
    EXPECT_EQ(page->edtGefahrkreis->text(),
              Geo::formatDistance(r.dangerCircleDistance, Geo::DistanceUnit::Metre));
    type(page->edtWinkelBC, QStringLiteral("360"));
    EXPECT_TRUE(page->edtStandpunkt->text().isEmpty());
}

TEST_F(ConstructionsFixture, DivisionTriangleAndOffsets)
{
    RechnerTeilungPage *page = window.tsTeilung;
    type(page->edtTeilVon, kA);
    type(page->edtTeilNach, kB);
    page->speTeile->setValue(4);
    QStringList expected;
    for (const Geo::GeoPoint &p : Geo::divideGeodesic(at(kA), at(kB), 4))
        expected.append(dm(p));
    EXPECT_EQ(page->memTeilpunkte->toPlainText(), expected.join(u'\n'));
    const Geo::Apexes apexes = Geo::equilateralApexes(at(kA), at(kB));
    EXPECT_EQ(page->edtDreieckLinks->text(), dm(apexes.left));
    EXPECT_EQ(page->edtDreieckRechts->text(), dm(apexes.right));

    type(page->edtVersatzStart, kA);
    type(page->edtVersatzNord, QStringLiteral("0,25"));
    type(page->edtVersatzOst, QStringLiteral("-0,125"));
    EXPECT_EQ(page->edtVersatzZiel->text(), dm(Geo::offsetByMinutes(at(kA), 0.25, -0.125)));
    page->cboxVersatzEinheit->setCurrentIndex(1);
    EXPECT_EQ(page->edtVersatzZiel->text(), dm(Geo::offsetByMetres(at(kA), 0.25, -0.125)));
    type(page->edtVersatzNord, QStringLiteral("x"));
    EXPECT_TRUE(page->edtVersatzZiel->text().isEmpty());
    EXPECT_FALSE(label("lblVersatzMeldung").isEmpty());
    // The division above keeps its results while the offset fails.
    EXPECT_FALSE(page->memTeilpunkte->toPlainText().isEmpty());
}
