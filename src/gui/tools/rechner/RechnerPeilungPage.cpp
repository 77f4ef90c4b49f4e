#include "gui/tools/rechner/RechnerPages.h"

#include "logic/geo/GeoCalc.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

RechnerPeilungPage::RechnerPeilungPage(QWidget *parent)
    : RechnerPage(parent)
{
    auto *form = new QFormLayout(this);
    edtVon = addInput(form, QStringLiteral("Von:"), "edtVon",
                      QStringLiteral("z. B. N 52° 31.250 E 013° 24.713"));
    edtNach = addInput(form, QStringLiteral("Nach:"), "edtNach",
                       QStringLiteral("z. B. N 48° 08.223 E 011° 34.567"));
    edtDistanz = addOutput(form, QStringLiteral("Entfernung:"), "edtDistanz");
    edtAnfangsPeilung = addOutput(form, QStringLiteral("Peilung beim Start:"), "edtAnfangsPeilung");
    edtEndPeilung = addOutput(form, QStringLiteral("Richtung bei Ankunft:"), "edtEndPeilung");
    addResultMessage(form, "lblPeilungMeldung");
    recompute();
}

void RechnerPeilungPage::compute()
{
    const auto from = readPoint(edtVon);
    const auto to = readPoint(edtNach);
    if (!from || !to)
        return;
    const Geo::DistanceBearing d = Geo::distanceAndBearing(*from, *to);
    edtDistanz->setText(distanceText(d.distance));
    edtAnfangsPeilung->setText(bearingText(d.initialBearing));
    edtEndPeilung->setText(bearingText(d.finalBearing));
}
