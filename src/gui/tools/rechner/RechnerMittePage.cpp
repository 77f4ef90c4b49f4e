#include "gui/tools/rechner/RechnerPages.h"

#include "gui/support/WidgetStyle.h"
#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCalc.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

RechnerMittePage::RechnerMittePage(QWidget *parent)
    : RechnerPage(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *two = new QGroupBox(QStringLiteral(" Mittelpunkt zweier Punkte "), this);
    auto *form = new QFormLayout(two);
    edtPunktA = addInput(form, QStringLiteral("Punkt A:"), "edtPunktA", QString());
    edtPunktB = addInput(form, QStringLiteral("Punkt B:"), "edtPunktB", QString());
    edtMitte = addOutput(form, QStringLiteral("Mitte:"), "edtMitte");
    addResultMessage(form, "lblMitteMeldung");
    layout->addWidget(two);

    auto *three = new QGroupBox(QStringLiteral(" Gleich weit von drei Punkten "), this);
    auto *threeForm = new QFormLayout(three);
    for (int i = 0; i < 3; ++i) {
        edtDrei[i] =
            addInput(threeForm, QStringLiteral("Punkt %1:").arg(i + 1),
                     QStringLiteral("edtDrei%1").arg(i + 1).toUtf8().constData(), QString());
    }
    edtZentrum = addOutput(threeForm, QStringLiteral("Mittelpunkt:"), "edtZentrum");
    edtZentrumAbstand =
        addOutput(threeForm, QStringLiteral("Abstand zu jedem:"), "edtZentrumAbstand");
    m_threeMessage = named(new QLabel(three), "lblZentrumMeldung");
    m_threeMessage->setWordWrap(true);
    setTextColour(m_threeMessage, QColor(192, 0, 0));
    threeForm->addRow(QString(), m_threeMessage);
    layout->addWidget(three);
    layout->addStretch(1);
    recompute();
}

void RechnerMittePage::compute()
{
    m_threeMessage->clear();
    const auto a = readPoint(edtPunktA);
    const auto b = readPoint(edtPunktB);
    std::optional<Geo::GeoPoint> points[3];
    for (int i = 0; i < 3; ++i)
        points[i] = readPoint(edtDrei[i]);
    if (points[0] && points[1] && points[2]) {
        // The two halves of the page fail independently.
        try {
            const Geo::Centre centre = Geo::centreOfThree(*points[0], *points[1], *points[2]);
            edtZentrum->setText(positionText(centre.point));
            edtZentrumAbstand->setText(distanceText(centre.distance));
        } catch (const QuarvelError &error) {
            m_threeMessage->setText(error.message());
        }
    }
    if (a && b)
        edtMitte->setText(positionText(Geo::midpoint(*a, *b)));
}
