#include "gui/tools/rechner/RechnerPages.h"

#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoIntersect.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

enum Art { ZweiPeilungen, PeilungKreis, ZweiKreise, DreiKreise };

} // namespace

RechnerSchnittPage::RechnerSchnittPage(QWidget *parent)
    : RechnerPage(parent)
{
    auto *form = new QFormLayout(this);
    cboxArt = new QComboBox(this);
    cboxArt->setObjectName(QStringLiteral("cboxArt"));
    cboxArt->addItems({QStringLiteral("Zwei Peilungslinien"),
                       QStringLiteral("Peilungslinie und Kreis"), QStringLiteral("Zwei Kreise"),
                       QStringLiteral("Drei Kreise (beste Näherung)")});
    form->addRow(QStringLiteral("Schnitt von:"), cboxArt);
    for (int i = 0; i < 3; ++i) {
        // The captions follow the kind of intersection (cboxArtChange).
        edtPunkt[i] = addInput(form, QStringLiteral("Punkt:"),
                               QStringLiteral("edtPunkt%1").arg(i + 1).toUtf8(), QString());
        m_pointCaption[i] = qobject_cast<QLabel *>(
            form->itemAt(form->rowCount() - 1, QFormLayout::LabelRole)->widget());
        edtWert[i] = addInput(form, QStringLiteral("Wert:"),
                              QStringLiteral("edtWert%1").arg(i + 1).toUtf8(), QString());
        m_valueCaption[i] = qobject_cast<QLabel *>(
            form->itemAt(form->rowCount() - 1, QFormLayout::LabelRole)->widget());
    }
    edtSchnitt1 = addOutput(form, QStringLiteral("Schnittpunkt:"), "edtSchnitt1");
    edtSchnitt2 = addOutput(form, QStringLiteral("Zweiter Schnittpunkt:"), "edtSchnitt2");
    edtSchnittInfo = addOutput(form, QStringLiteral("Dazu:"), "edtSchnittInfo");
    addResultMessage(form, "lblSchnittMeldung");
    connect(cboxArt, &QComboBox::currentIndexChanged, this, [this] { cboxArtChange(); });
    cboxArtChange();
}

bool RechnerSchnittPage::isBearing(int row) const
{
    const int art = cboxArt->currentIndex();
    return art == ZweiPeilungen || (art == PeilungKreis && row == 0);
}

void RechnerSchnittPage::cboxArtChange()
{
    const bool three = cboxArt->currentIndex() == DreiKreise;
    auto *form = static_cast<QFormLayout *>(layout());
    for (int i = 0; i < 3; ++i) {
        const bool bearing = isBearing(i);
        m_pointCaption[i]->setText(bearing ? QStringLiteral("Start %1:").arg(i + 1)
                                           : QStringLiteral("Mittelpunkt %1:").arg(i + 1));
        m_valueCaption[i]->setText(bearing ? QStringLiteral("Peilung %1:").arg(i + 1)
                                           : QStringLiteral("Radius %1:").arg(i + 1));
        edtWert[i]->setPlaceholderText(bearing ? QStringLiteral("z. B. 72")
                                               : QStringLiteral("z. B. 350"));
    }
    // Rows: the kind, then point and value of each of the three lines or circles.
    form->setRowVisible(5, three);
    form->setRowVisible(6, three);
    recompute();
}

void RechnerSchnittPage::compute()
{
    const int art = cboxArt->currentIndex();
    const int rows = art == DreiKreise ? 3 : 2;
    std::optional<Geo::GeoPoint> points[3];
    std::optional<double> values[3];
    bool complete = true;
    for (int i = 0; i < rows; ++i) {
        points[i] = readPoint(edtPunkt[i]);
        values[i] = isBearing(i) ? readBearing(edtWert[i]) : readDistance(edtWert[i]);
        complete = complete && points[i] && values[i];
    }
    if (!complete)
        return;
    auto line = [&](int i) { return Geo::BearingLine {*points[i], *values[i]}; };
    auto circle = [&](int i) { return Geo::Circle {*points[i], *values[i]}; };
    QList<Geo::GeoPoint> found;
    if (art == ZweiPeilungen) {
        found = {Geo::intersectBearings(line(0), line(1))};
        edtSchnittInfo->setText(
            QStringLiteral("Entfernung von Start 1: %1, von Start 2: %2")
                .arg(distanceText(Geo::distanceAndBearing(*points[0], found[0]).distance),
                     distanceText(Geo::distanceAndBearing(*points[1], found[0]).distance)));
    } else if (art == PeilungKreis) {
        found = Geo::intersectLineCircle(line(0), circle(1));
    } else if (art == ZweiKreise) {
        found = Geo::intersectCircles(circle(0), circle(1));
    } else {
        const Geo::BestFit fit = Geo::trilaterate(circle(0), circle(1), circle(2));
        found = {fit.point};
        edtSchnittInfo->setText(QStringLiteral("Abweichung von den Radien: %1; %2; %3")
                                    .arg(distanceText(fit.misfit[0]), distanceText(fit.misfit[1]),
                                         distanceText(fit.misfit[2])));
    }
    edtSchnitt1->setText(positionText(found[0]));
    if (found.size() > 1)
        edtSchnitt2->setText(positionText(found[1]));
    else if (art == PeilungKreis)
        edtSchnitt2->setText(QStringLiteral("keiner vor dem Start"));
    else if (art == ZweiKreise)
        edtSchnitt2->setText(QStringLiteral("keiner (die Kreise berühren sich nur)"));
}
