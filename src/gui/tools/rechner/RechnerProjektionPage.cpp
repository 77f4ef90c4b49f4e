#include "gui/tools/rechner/RechnerPages.h"

#include "logic/geo/GeoCalc.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

RechnerProjektionPage::RechnerProjektionPage(QWidget *parent)
    : RechnerPage(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *forward = new QGroupBox(QStringLiteral(" Projektion "), this);
    auto *form = new QFormLayout(forward);
    edtStart = addInput(form, QStringLiteral("Startpunkt:"), "edtStart",
                        QStringLiteral("z. B. N 52° 31.250 E 013° 24.713"));
    edtPeilung =
        addInput(form, QStringLiteral("Peilung:"), "edtPeilung", QStringLiteral("z. B. 72"));
    edtEntfernung =
        addInput(form, QStringLiteral("Entfernung:"), "edtEntfernung", QStringLiteral("z. B. 350"));
    edtZiel = addOutput(form, QStringLiteral("Ziel:"), "edtZiel");
    layout->addWidget(forward);

    auto *back = new QGroupBox(QStringLiteral(" Umgekehrte Projektion "), this);
    auto *backForm = new QFormLayout(back);
    auto *hint = new QLabel(
        QStringLiteral("Mit welcher Peilung und Entfernung kommt man vom Ziel zum Punkt?"), back);
    hint->setWordWrap(true);
    backForm->addRow(hint);
    edtRueckPunkt = addInput(backForm, QStringLiteral("Punkt:"), "edtRueckPunkt", QString());
    edtRueckZiel = addInput(backForm, QStringLiteral("Ziel:"), "edtRueckZiel", QString());
    edtRueckPeilung = addOutput(backForm, QStringLiteral("Peilung vom Ziel:"), "edtRueckPeilung");
    edtRueckEntfernung = addOutput(backForm, QStringLiteral("Entfernung:"), "edtRueckEntfernung");
    addResultMessage(backForm, "lblProjektionMeldung");
    layout->addWidget(back);
    layout->addStretch(1);
    recompute();
}

void RechnerProjektionPage::compute()
{
    const auto start = readPoint(edtStart);
    const auto bearing = readBearing(edtPeilung);
    const auto distance = readDistance(edtEntfernung);
    const auto point = readPoint(edtRueckPunkt);
    const auto target = readPoint(edtRueckZiel);
    if (start && bearing && distance)
        edtZiel->setText(positionText(Geo::project(*start, *bearing, *distance)));
    if (point && target) {
        const Geo::DistanceBearing back = Geo::reverseProjection(*point, *target);
        edtRueckPeilung->setText(bearingText(back.initialBearing));
        edtRueckEntfernung->setText(distanceText(back.distance));
    }
}
