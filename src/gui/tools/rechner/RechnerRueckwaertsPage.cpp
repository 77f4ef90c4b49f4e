#include "gui/tools/rechner/RechnerPages.h"

#include "logic/geo/GeoResection.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

RechnerRueckwaertsPage::RechnerRueckwaertsPage(QWidget *parent)
    : RechnerPage(parent)
{
    auto *form = new QFormLayout(this);
    auto *hint = new QLabel(
        QStringLiteral("Rückwärtsschnitt (Snellius–Pothenot): vom Standpunkt aus sieht man A, B "
                       "und C. Die Winkel werden im Uhrzeigersinn gemessen, von der Richtung nach "
                       "A zur Richtung nach B und von B nach C. Liegt der Standpunkt auf dem "
                       "Kreis durch A, B und C (dem gefährlichen Kreis), ist er unbestimmt."),
        this);
    hint->setWordWrap(true);
    form->addRow(hint);
    const char *names[3] = {"edtRwPunktA", "edtRwPunktB", "edtRwPunktC"};
    for (int i = 0; i < 3; ++i)
        edtRwPunkt[i] =
            addInput(form, QStringLiteral("Punkt %1:").arg(QChar(u'A' + i)), names[i], QString());
    edtWinkelAB = addInput(form, QStringLiteral("Winkel A→B:"), "edtWinkelAB",
                           QStringLiteral("im Uhrzeigersinn, z. B. 75,5"));
    edtWinkelBC = addInput(form, QStringLiteral("Winkel B→C:"), "edtWinkelBC",
                           QStringLiteral("im Uhrzeigersinn, z. B. 110"));
    edtStandpunkt = addOutput(form, QStringLiteral("Standpunkt:"), "edtStandpunkt");
    edtGefahrkreis =
        addOutput(form, QStringLiteral("Abstand zum gefährlichen Kreis:"), "edtGefahrkreis");
    addResultMessage(form, "lblRueckwaertsMeldung");
    recompute();
}

void RechnerRueckwaertsPage::compute()
{
    std::optional<Geo::GeoPoint> known[3];
    for (int i = 0; i < 3; ++i)
        known[i] = readPoint(edtRwPunkt[i]);
    const auto ab = readBearing(edtWinkelAB);
    const auto bc = readBearing(edtWinkelBC);
    if (!(known[0] && known[1] && known[2] && ab && bc))
        return;
    const Geo::Resection r = Geo::resect(*known[0], *known[1], *known[2], *ab, *bc);
    edtStandpunkt->setText(positionText(r.standpoint));
    edtGefahrkreis->setText(distanceText(r.dangerCircleDistance));
    if (!r.warning.isEmpty())
        m_resultMessage->setText(r.warning);
}
