#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/map/MapWidget.h"
#include "gui/tools/KoordRechner_Unit.h"
#include "gui/tools/rechner/RechnerPages.h"
#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoFormats.h"
#include "logic/geo/GeoRead.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kHeader = QStringLiteral("N 52° 31.250 E 013° 24.713");

struct KoordRechnerFixture : ::testing::Test
{
    KoordRechnerFixture() { window.show(); }

    void type(QLineEdit *edit, const QString &text)
    {
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    QString statusOf(QLineEdit *edit)
    {
        return window.findChild<QLabel *>(edit->objectName() + QStringLiteral("Status"))->text();
    }

    TestApp app;
    TfrmKoordRechner window {app.context};
};

Geo::GeoPoint header()
{
    return {52.0 + 31.25 / 60, 13.0 + 24.713 / 60};
}

} // namespace

TEST_F(KoordRechnerFixture, OpensAsAWindowWithOnePagePerTask)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Koordinatenrechner"));
    EXPECT_TRUE(window.isWindow());
    EXPECT_EQ(window.windowModality(), Qt::NonModal);
    const QStringList expected = {"Formate",     "Projektion",       "Entfernung und Peilung",
                                  "Mittelpunkt", "Schnittpunkte",    "Schwerpunkt",
                                  "Loxodrome",   "Rückwärtsschnitt", "Teilung und Versatz"};
    ASSERT_EQ(window.pcRechner->count(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(window.pcRechner->tabText(i), expected[i]);
    EXPECT_EQ(window.cboxEinheit->count(), 6);
    EXPECT_EQ(window.cboxWinkel->itemText(1), QStringLiteral("Gon"));
}

TEST_F(KoordRechnerFixture, FormatsPageShowsEveryNotationAndCopiesIt)
{
    RechnerFormatePage *page = window.tsFormate;
    type(page->edtPosition, kHeader);
    EXPECT_EQ(statusOf(page->edtPosition), QStringLiteral("gelesen: N 52° 31,250' E 013° 24,713'"));
    const QList<Geo::FormatLine> lines = Geo::allFormats(header());
    ASSERT_EQ(page->edtFormat.size(), lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(page->edtFormat[i]->text(),
                  lines[i].error.isEmpty() ? lines[i].text : lines[i].error);
        EXPECT_EQ(page->btnKopieren[i]->isEnabled(), lines[i].error.isEmpty());
    }
    EXPECT_TRUE(page->edtFormat[6]->text().startsWith(QStringLiteral("R 4")));
    EXPECT_EQ(page->edtFormat[7]->text(),
              QStringLiteral("LV95 gilt nur für die Schweiz und Liechtenstein"));
    QTest::mouseClick(page->btnKopieren[2], Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), page->edtFormat[2]->text());
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

TEST_F(KoordRechnerFixture, BadInputShowsItsMessageBesideTheFieldWithoutABox)
{
    RechnerFormatePage *page = window.tsFormate;
    const struct
    {
        const char *text;
        const char *message;
    } cases[] = {
        {"", ""}, // an empty field is no mistake, only no result
        {" ", ""},
        {"N 91 E 13", "Die Breite muss zwischen S 90° und N 90° liegen"},
        {"N 52 E 181", "Die Länge muss zwischen W 180° und E 180° liegen"},
        {"N 52 61 E 13", "Bei der Breite müssen Minuten und Sekunden unter 60 liegen"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        type(page->edtPosition, QString::fromUtf8(c.text));
        EXPECT_EQ(statusOf(page->edtPosition), QString::fromUtf8(c.message));
        for (QLineEdit *format : page->edtFormat)
            EXPECT_TRUE(format->text().isEmpty());
    }
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

TEST_F(KoordRechnerFixture, ProjectionFollowsTheChosenUnits)
{
    RechnerProjektionPage *page = window.tsProjektion;
    window.pcRechner->setCurrentWidget(page);
    type(page->edtStart, kHeader);
    type(page->edtPeilung, QStringLiteral("72"));
    type(page->edtEntfernung, QStringLiteral("350"));
    const QString expected = Geo::formatDegreesMinutes(Geo::project(header(), 72, 350));
    EXPECT_EQ(page->edtZiel->text(), expected);

    window.cboxEinheit->setCurrentIndex(1); // km
    type(page->edtEntfernung, QStringLiteral("0,35"));
    EXPECT_EQ(page->edtZiel->text(), expected);
    window.cboxWinkel->setCurrentIndex(1); // gon
    type(page->edtPeilung, QStringLiteral("80"));
    EXPECT_EQ(page->edtZiel->text(), expected);

    type(page->edtEntfernung, QStringLiteral("-1"));
    EXPECT_TRUE(page->edtZiel->text().isEmpty());
    EXPECT_EQ(statusOf(page->edtEntfernung),
              QStringLiteral("Die Entfernung darf nicht negativ sein"));
}

TEST_F(KoordRechnerFixture, ReverseProjectionGivesTheWayBackFromTheTarget)
{
    RechnerProjektionPage *page = window.tsProjektion;
    const Geo::GeoPoint target = Geo::project(header(), 72, 350);
    type(page->edtRueckPunkt, kHeader);
    type(page->edtRueckZiel, Geo::formatDegrees(target));
    const Geo::DistanceBearing back =
        Geo::reverseProjection(header(), Geo::readPosition(Geo::formatDegrees(target)));
    EXPECT_EQ(page->edtRueckPeilung->text(),
              Geo::formatBearing(back.initialBearing, Geo::AngleUnit::Degree));
    EXPECT_EQ(page->edtRueckEntfernung->text(),
              Geo::formatDistance(back.distance, Geo::DistanceUnit::Metre));
    EXPECT_NEAR(back.distance, 350.0, 0.2);
}

TEST_F(KoordRechnerFixture, DistanceAndBearingPage)
{
    RechnerPeilungPage *page = window.tsPeilung;
    type(page->edtVon, QStringLiteral("N 52 E 13"));
    type(page->edtNach, QStringLiteral("N 52 E 14"));
    const Geo::DistanceBearing d = Geo::distanceAndBearing({52, 13}, {52, 14});
    EXPECT_EQ(page->edtDistanz->text(), Geo::formatDistance(d.distance, Geo::DistanceUnit::Metre));
    EXPECT_EQ(page->edtAnfangsPeilung->text(),
              Geo::formatBearing(d.initialBearing, Geo::AngleUnit::Degree));
    EXPECT_EQ(page->edtEndPeilung->text(),
              Geo::formatBearing(d.finalBearing, Geo::AngleUnit::Degree));
    window.cboxEinheit->setCurrentIndex(5); // NM
    EXPECT_TRUE(page->edtDistanz->text().endsWith(QStringLiteral(" NM")));
}

TEST_F(KoordRechnerFixture, MidpointPageHandlesBothHalvesApart)
{
    RechnerMittePage *page = window.tsMitte;
    type(page->edtPunktA, QStringLiteral("N 0 E 0"));
    type(page->edtPunktB, QStringLiteral("N 0 E 90"));
    EXPECT_EQ(page->edtMitte->text(), QStringLiteral("N 00° 00,000' E 045° 00,000'"));
    type(page->edtDrei[0], QStringLiteral("N 50 E 8"));
    type(page->edtDrei[1], QStringLiteral("N 50 E 8"));
    type(page->edtDrei[2], QStringLiteral("N 50 E 9"));
    EXPECT_TRUE(page->edtZentrum->text().isEmpty());
    EXPECT_EQ(
        window.findChild<QLabel *>(QStringLiteral("lblZentrumMeldung"))->text(),
        QStringLiteral("Zwei der Punkte fallen zusammen: es gibt keinen eindeutigen Mittelpunkt"));
    EXPECT_FALSE(page->edtMitte->text().isEmpty());
    type(page->edtDrei[1], QStringLiteral("N 51 E 8"));
    EXPECT_FALSE(page->edtZentrum->text().isEmpty());
}

TEST_F(KoordRechnerFixture, IntersectionPageForEveryKindAndItsFailures)
{
    RechnerSchnittPage *page = window.tsSchnitt;
    window.pcRechner->setCurrentWidget(page);
    QLabel *message = window.findChild<QLabel *>(QStringLiteral("lblSchnittMeldung"));
    type(page->edtPunkt[0], QStringLiteral("N 52 E 13"));
    type(page->edtWert[0], QStringLiteral("90"));
    type(page->edtPunkt[1], QStringLiteral("N 52 E 14"));
    // The geodesic leaving N 52 E 13 eastwards passes about 470 m south of N 52 E 14.
    type(page->edtWert[1], QStringLiteral("180"));
    EXPECT_FALSE(page->edtPunkt[2]->isVisible());
    EXPECT_FALSE(page->edtSchnitt1->text().isEmpty());
    EXPECT_TRUE(page->edtSchnitt2->text().isEmpty());

    type(page->edtWert[1], QStringLiteral("0"));
    EXPECT_TRUE(page->edtSchnitt1->text().isEmpty());
    EXPECT_EQ(message->text(),
              QStringLiteral("Die Peilungslinien schneiden sich nicht: der Schnittpunkt läge "
                             "hinter einem Startpunkt"));

    page->cboxArt->setCurrentIndex(2); // two circles
    type(page->edtWert[0], QStringLiteral("40000"));
    type(page->edtWert[1], QStringLiteral("40000"));
    EXPECT_FALSE(page->edtSchnitt1->text().isEmpty());
    EXPECT_FALSE(page->edtSchnitt2->text().isEmpty());
    type(page->edtWert[1], QStringLiteral("20000"));
    EXPECT_EQ(message->text(), QStringLiteral("Die Kreise liegen auseinander: kein Schnittpunkt"));
    EXPECT_TRUE(page->edtSchnitt1->text().isEmpty());

    page->cboxArt->setCurrentIndex(3); // three circles
    EXPECT_TRUE(page->edtPunkt[2]->isVisible());
    type(page->edtPunkt[2], QStringLiteral("N 52.5 E 13.5"));
    type(page->edtWert[2], QStringLiteral("30000"));
    type(page->edtWert[1], QStringLiteral("40000"));
    EXPECT_FALSE(page->edtSchnitt1->text().isEmpty());
    EXPECT_TRUE(
        page->edtSchnittInfo->text().startsWith(QStringLiteral("Abweichung von den Radien")));
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

TEST_F(KoordRechnerFixture, KeepsEverythingWhileHidden)
{
    type(window.tsFormate->edtPosition, kHeader);
    window.pcRechner->setCurrentIndex(3);
    window.close();
    EXPECT_FALSE(window.isVisible());
    window.show();
    EXPECT_EQ(window.tsFormate->edtPosition->text(), kHeader);
    EXPECT_EQ(window.pcRechner->currentIndex(), 3);
    EXPECT_FALSE(window.tsFormate->edtFormat[0]->text().isEmpty());
}

TEST(KoordRechnerMenu, ToolsMenuOpensTheCalculatorBelowTheSolvers)
{
    TestApp app;
    TfrmQuarvelMain w(app.context);
    EXPECT_FALSE(w.actKoordRechner->isEnabled());
    TfrmKoordRechner rechner(app.context);
    app.context.windows.koordRechner = &rechner;
    w.windowsCreated();
    ASSERT_TRUE(w.actKoordRechner->isEnabled());
    QMenu *tools = nullptr;
    for (QAction *menu : w.menuBar()->actions()) {
        if (menu->text() == QStringLiteral("&Tools"))
            tools = menu->menu();
    }
    ASSERT_NE(tools, nullptr);
    const QList<QAction *> entries = tools->actions();
    ASSERT_EQ(entries.size(), 10);
    EXPECT_EQ(entries[0], w.actSudoku);
    EXPECT_EQ(entries[1], w.actFermilab);
    EXPECT_EQ(entries[2], w.actKoordRechner);
    EXPECT_TRUE(entries[3]->isSeparator());
    EXPECT_EQ(entries[4], w.actVariableKoordinaten);
    EXPECT_EQ(entries[5], w.actCodeKnacker);
    EXPECT_EQ(entries[6], w.actKarte);
    EXPECT_EQ(entries[7], w.actBildanalyse);
    EXPECT_EQ(entries[8], w.actSymbole);
    EXPECT_EQ(entries[9], w.actFormelrechner);
    EXPECT_EQ(w.actKoordRechner->text(), QStringLiteral("&Koordinatenrechner"));
    w.actKoordRechner->trigger();
    EXPECT_TRUE(rechner.isVisible());
}

// The code lengths of the page, and a pasted code of every cell format read by its shape; a
// short Plus Code is recovered near the home coordinates.
TEST_F(KoordRechnerFixture, FormatsPageTakesCodeLengthsAndReadsPastedCodes)
{
    RechnerFormatePage *page = window.tsFormate;
    type(page->edtPosition, kHeader);
    page->speMaidenhead->setValue(6);
    page->speGeohash->setValue(12);
    page->spePlusCode->setValue(11);
    const QList<Geo::FormatLine> lines = Geo::allFormats(header(), {6, 12, 11});
    for (int i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(page->edtFormat[i]->text(),
                  lines[i].error.isEmpty() ? lines[i].text : lines[i].error);
    }
    page->spePlusCode->setValue(9);
    EXPECT_TRUE(page->edtFormat[11]->text().contains(u"unter 10 eine gerade Anzahl"));

    const struct
    {
        const char *text;
        const char *read;
    } pasted[] = {
        {"jo62qm", "gelesen: N 52° 31,250' E 013° 22,500'"},
        {"8FVC2222+22", "gelesen: N 47° 00,004' E 008° 00,004'"},
        {"u4pruydqqvj", "gelesen: N 57° 38,947' E 010° 24,446'"},
        {"2222+22", "gelesen: N 00° 00,004' E 000° 00,004'"}, // home N 0° E 0°
    };
    for (const auto &c : pasted) {
        SCOPED_TRACE(c.text);
        type(page->edtPosition, QString::fromUtf8(c.text));
        EXPECT_EQ(statusOf(page->edtPosition), QString::fromUtf8(c.read));
    }
    // Home coordinates set in Einstellungen while the window is open count from its next
    // activation.
    app.globals.settings.HomeKoordinaten = QStringLiteral("N 47° 00.000 E 008° 00.000");
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activate);
    type(page->edtPosition, QStringLiteral("2222+22"));
    EXPECT_EQ(statusOf(page->edtPosition), QStringLiteral("gelesen: N 47° 00,004' E 008° 00,004'"));
}

// A window just opened has nothing typed: no field may already report a mistake.
TEST_F(KoordRechnerFixture, NoFieldComplainsBeforeAnythingIsTyped)
{
    int inputs = 0;
    for (int tab = 0; tab < window.pcRechner->count(); ++tab) {
        window.pcRechner->setCurrentIndex(tab);
        SCOPED_TRACE(window.pcRechner->tabText(tab).toStdString());
        for (QLineEdit *edit : window.pcRechner->widget(tab)->findChildren<QLineEdit *>()) {
            const auto *status =
                window.findChild<QLabel *>(edit->objectName() + QStringLiteral("Status"));
            if (edit->isReadOnly() || !status)
                continue; // a result, or the text field of a spin box
            SCOPED_TRACE(edit->objectName().toStdString());
            ++inputs;
            EXPECT_EQ(status->text(), QString());
        }
    }
    EXPECT_GE(inputs, 10);
    // Typing and taking it back again leaves the field as quiet as before.
    RechnerFormatePage *page = window.tsFormate;
    type(page->edtPosition, QStringLiteral("N 91"));
    EXPECT_FALSE(statusOf(page->edtPosition).isEmpty());
    type(page->edtPosition, QString());
    EXPECT_EQ(statusOf(page->edtPosition), QString());
}

// Degrees of longitude have three digits in every notation with minutes, wherever a position is
// written: the calculator's results, its "gelesen" line and the map (copied or listed).
TEST_F(KoordRechnerFixture, LongitudeDegreesHaveOneNotationEverywhere)
{
    RechnerFormatePage *page = window.tsFormate;
    const struct
    {
        const char *typed;
        const char *degrees; // as every notation with minutes writes them
    } cases[] = {
        {"N 52.5 E 9.5", "E 009°"},   {"N 52.5 E 13.5", "E 013°"}, {"N 52.5 E 99.5", "E 099°"},
        {"N 52.5 E 100.5", "E 100°"}, {"S 5.5 W 70.25", "W 070°"},
    };
    MapWidget map;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        type(page->edtPosition, QString::fromUtf8(c.typed));
        const QString degrees = QString::fromUtf8(c.degrees);
        EXPECT_TRUE(statusOf(page->edtPosition).contains(degrees));
        EXPECT_TRUE(page->edtFormat[2]->text().contains(degrees)); // degrees and minutes
        EXPECT_TRUE(page->edtFormat[3]->text().contains(degrees)); // with seconds
        const Geo::GeoPoint p = Geo::readPosition(QString::fromUtf8(c.typed));
        for (int notation : {1, 2}) {
            map.setNotation(notation);
            EXPECT_TRUE(map.positionText(p).contains(degrees)) << map.positionText(p).toStdString();
        }
    }
}

// X, Y and Z far from the earth's surface are read as ECEF and refused for that reason.
TEST_F(KoordRechnerFixture, EcefFarFromTheSurfaceNamesItsDistance)
{
    RechnerFormatePage *page = window.tsFormate;
    const struct
    {
        const char *typed;
        const char *message; // what the status says
    } cases[] = {
        {"X 1000 Y 2000 Z 3000", "km unter der Erdoberfläche"},
        {"x=0 y=0 z=0", "km unter der Erdoberfläche"},
        {"X 99999999999 Y 0 Z 0", "km über der Erdoberfläche"},
        {"1000000 0 0", "km unter der Erdoberfläche"}, // bare numbers: at the limit
        {"X 3783065 Y 902082 Z 5038275", "gelesen: N 52° 31,2"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        type(page->edtPosition, QString::fromUtf8(c.typed));
        EXPECT_TRUE(statusOf(page->edtPosition).contains(QString::fromUtf8(c.message)))
            << statusOf(page->edtPosition).toStdString();
    }
    // Three bare numbers below that size are left to the other notations, and so are X and Y
    // without Z (RD).
    type(page->edtPosition, QStringLiteral("999999 0 0"));
    EXPECT_FALSE(statusOf(page->edtPosition).contains(u"ECEF"));
    type(page->edtPosition, QStringLiteral("X 155000 Y 463000"));
    EXPECT_TRUE(statusOf(page->edtPosition).startsWith(u"gelesen: N 52° 09,"))
        << statusOf(page->edtPosition).toStdString();
}

// The distance field reads what the command line reads: a unit after the number, and "1.500"
// as the 1500 m the program writes in that form.
TEST_F(KoordRechnerFixture, DistanceFieldTakesUnitsAndGroupedThousands)
{
    RechnerProjektionPage *page = window.tsProjektion;
    window.pcRechner->setCurrentWidget(page);
    type(page->edtStart, kHeader);
    type(page->edtPeilung, QStringLiteral("72"));
    type(page->edtEntfernung, QStringLiteral("1500"));
    const QString expected = page->edtZiel->text();
    ASSERT_EQ(expected, Geo::formatDegreesMinutes(Geo::project(header(), 72, 1500)));
    for (const char *typed : {"1.500", "1,5 km", "1.500 m", "1,5km"}) {
        SCOPED_TRACE(typed);
        type(page->edtEntfernung, QString::fromUtf8(typed));
        EXPECT_EQ(page->edtZiel->text(), expected);
        EXPECT_EQ(statusOf(page->edtEntfernung), QStringLiteral("gelesen: 1500,000 m"));
    }
    type(page->edtEntfernung, QStringLiteral("1.5"));
    EXPECT_EQ(statusOf(page->edtEntfernung), QStringLiteral("gelesen: 1,500 m"));
    window.cboxEinheit->setCurrentIndex(1); // km: a unit typed still counts
    type(page->edtEntfernung, QStringLiteral("1500 m"));
    EXPECT_EQ(page->edtZiel->text(), expected);
}
