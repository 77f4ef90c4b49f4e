#include "gui/tools/rechner/RechnerPages.h"

#include "logic/geo/GeoTasks.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

RechnerLoxodromePage::RechnerLoxodromePage(QWidget *parent)
    : RechnerPage(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *hint =
        new QLabel(QStringLiteral("Die Loxodrome hält den Kurs fest: sie schneidet jeden "
                                  "Meridian unter demselben Winkel (GeographicLib Rhumb)."),
                   this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto *between = new QGroupBox(QStringLiteral(" Entfernung und Kurs "), this);
    auto *form = new QFormLayout(between);
    edtLoxVon = addInput(form, QStringLiteral("Von:"), "edtLoxVon", QString());
    edtLoxNach = addInput(form, QStringLiteral("Nach:"), "edtLoxNach", QString());
    edtLoxEntfernung = addOutput(form, QStringLiteral("Entfernung:"), "edtLoxEntfernung");
    edtLoxKurs = addOutput(form, QStringLiteral("Kurs:"), "edtLoxKurs");
    layout->addWidget(between);

    auto *onCourse = new QGroupBox(QStringLiteral(" Punkt auf dem Kurs "), this);
    auto *courseForm = new QFormLayout(onCourse);
    edtLoxStart = addInput(courseForm, QStringLiteral("Start:"), "edtLoxStart", QString());
    edtLoxKursEingabe = addInput(courseForm, QStringLiteral("Kurs:"), "edtLoxKursEingabe",
                                 QStringLiteral("z. B. 72"));
    edtLoxDistanz = addInput(courseForm, QStringLiteral("Entfernung:"), "edtLoxDistanz",
                             QStringLiteral("z. B. 3500"));
    edtLoxZiel = addOutput(courseForm, QStringLiteral("Ziel:"), "edtLoxZiel");
    addResultMessage(courseForm, "lblLoxodromeMeldung");
    layout->addWidget(onCourse);
    layout->addStretch(1);
    recompute();
}

void RechnerLoxodromePage::compute()
{
    const auto from = readPoint(edtLoxVon);
    const auto to = readPoint(edtLoxNach);
    const auto start = readPoint(edtLoxStart);
    const auto course = readBearing(edtLoxKursEingabe);
    const auto distance = readDistance(edtLoxDistanz);
    if (from && to) {
        const Geo::RhumbCourse r = Geo::rhumbInverse(*from, *to);
        edtLoxEntfernung->setText(distanceText(r.distance));
        edtLoxKurs->setText(bearingText(r.course));
    }
    if (start && course && distance)
        edtLoxZiel->setText(positionText(Geo::rhumbDirect(*start, *course, *distance)));
}
