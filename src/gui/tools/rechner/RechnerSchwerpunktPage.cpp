#include "gui/tools/rechner/RechnerPages.h"

#include "gui/support/WidgetStyle.h"
#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoRead.h"
#include "logic/geo/GeoTasks.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

RechnerSchwerpunktPage::RechnerSchwerpunktPage(QWidget *parent)
    : RechnerPage(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *centre = new QGroupBox(QStringLiteral(" Schwerpunkt mehrerer Punkte "), this);
    auto *form = new QFormLayout(centre);
    memSchwerpunktPunkte = named(new QPlainTextEdit(centre), "memSchwerpunktPunkte");
    memSchwerpunktPunkte->setPlaceholderText(QStringLiteral("eine Position je Zeile"));
    memSchwerpunktPunkte->setMaximumHeight(120);
    form->addRow(QStringLiteral("Punkte:"), memSchwerpunktPunkte);
    edtSchwerpunkt = addOutput(form, QStringLiteral("Schwerpunkt:"), "edtSchwerpunkt");
    edtSchwerpunkt->setToolTip(QStringLiteral(
        "Mittel der Punkte als Vektoren vom Erdmittelpunkt, entlang der Ellipsoidnormalen auf "
        "die Oberfläche gebracht"));
    edtMittelwert =
        addOutput(form, QStringLiteral("Mittel der Breiten und Längen:"), "edtMittelwert");
    m_pointsMessage = named(new QLabel(centre), "lblSchwerpunktMeldung");
    m_pointsMessage->setWordWrap(true);
    setTextColour(m_pointsMessage, QColor(192, 0, 0));
    form->addRow(QString(), m_pointsMessage);
    layout->addWidget(centre);

    auto *opposite = new QGroupBox(QStringLiteral(" Antipode "), this);
    auto *oppositeForm = new QFormLayout(opposite);
    edtAntipodePunkt =
        addInput(oppositeForm, QStringLiteral("Punkt:"), "edtAntipodePunkt", QString());
    edtAntipode = addOutput(oppositeForm, QStringLiteral("Gegenüber:"), "edtAntipode");
    addResultMessage(oppositeForm, "lblAntipodeMeldung");
    layout->addWidget(opposite);
    layout->addStretch(1);
    connect(memSchwerpunktPunkte, &QPlainTextEdit::textChanged, this, [this] { recompute(); });
    recompute();
}

void RechnerSchwerpunktPage::compute()
{
    m_pointsMessage->clear();
    if (const auto p = readPoint(edtAntipodePunkt))
        edtAntipode->setText(positionText(Geo::antipode(*p)));
    // The list fails on its own: a wrong line names itself and leaves the antipode alone.
    QList<Geo::GeoPoint> points;
    const QStringList lines = memSchwerpunktPunkte->toPlainText().split(u'\n');
    try {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i].trimmed().isEmpty())
                continue;
            try {
                points.append(Geo::readAnyPosition(lines[i], std::nullopt, m_reference).point);
            } catch (const QuarvelError &error) {
                throw QuarvelError(QStringLiteral("Zeile %1: %2").arg(i + 1).arg(error.message()));
            }
        }
        if (points.isEmpty())
            return;
        const Geo::Centroid c = Geo::centroid(points);
        edtSchwerpunkt->setText(positionText(c.surface));
        edtMittelwert->setText(positionText(c.arithmetic));
    } catch (const QuarvelError &error) {
        m_pointsMessage->setText(error.message());
    }
}
