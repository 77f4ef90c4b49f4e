#include "gui/tools/rechner/RechnerPages.h"

#include "gui/support/WidgetStyle.h"
#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoTasks.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QVBoxLayout>

RechnerTeilungPage::RechnerTeilungPage(QWidget *parent)
    : RechnerPage(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *line = new QGroupBox(QStringLiteral(" Strecke teilen, gleichseitiges Dreieck "), this);
    auto *form = new QFormLayout(line);
    edtTeilVon = addInput(form, QStringLiteral("Von:"), "edtTeilVon", QString());
    edtTeilNach = addInput(form, QStringLiteral("Nach:"), "edtTeilNach", QString());
    speTeile = named(new QSpinBox(line), "speTeile");
    speTeile->setRange(Geo::kFewestSegments, Geo::kMostSegments);
    speTeile->setValue(3);
    form->addRow(QStringLiteral("Teile:"), speTeile);
    memTeilpunkte = named(new QPlainTextEdit(line), "memTeilpunkte");
    memTeilpunkte->setReadOnly(true);
    memTeilpunkte->setMaximumHeight(100);
    form->addRow(QStringLiteral("Teilpunkte:"), memTeilpunkte);
    edtDreieckLinks = addOutput(form, QStringLiteral("Dreieck, Spitze links:"), "edtDreieckLinks");
    edtDreieckRechts =
        addOutput(form, QStringLiteral("Dreieck, Spitze rechts:"), "edtDreieckRechts");
    addResultMessage(form, "lblTeilungMeldung");
    layout->addWidget(line);

    auto *offset = new QGroupBox(QStringLiteral(" Versatz nach Norden und Osten "), this);
    auto *offsetForm = new QFormLayout(offset);
    edtVersatzStart = addInput(offsetForm, QStringLiteral("Start:"), "edtVersatzStart", QString());
    cboxVersatzEinheit = named(new QComboBox(offset), "cboxVersatzEinheit");
    cboxVersatzEinheit->addItems({QStringLiteral("Minuten (zu Breite und Länge addiert)"),
                                  QStringLiteral("Meter (eine Geodäte vom Start)")});
    offsetForm->addRow(QStringLiteral("Einheit:"), cboxVersatzEinheit);
    edtVersatzNord = addInput(offsetForm, QStringLiteral("Nord (Süd negativ):"), "edtVersatzNord",
                              QStringLiteral("z. B. 0,250"));
    edtVersatzOst = addInput(offsetForm, QStringLiteral("Ost (West negativ):"), "edtVersatzOst",
                             QStringLiteral("z. B. -0,125"));
    edtVersatzZiel = addOutput(offsetForm, QStringLiteral("Ziel:"), "edtVersatzZiel");
    m_offsetMessage = named(new QLabel(offset), "lblVersatzMeldung");
    m_offsetMessage->setWordWrap(true);
    setTextColour(m_offsetMessage, QColor(192, 0, 0));
    offsetForm->addRow(QString(), m_offsetMessage);
    layout->addWidget(offset);
    layout->addStretch(1);
    connect(speTeile, &QSpinBox::valueChanged, this, [this] { recompute(); });
    connect(cboxVersatzEinheit, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
    recompute();
}

void RechnerTeilungPage::compute()
{
    memTeilpunkte->clear();
    m_offsetMessage->clear();
    // The offset fails on its own, so the division above keeps its results.
    try {
        const auto start = readPoint(edtVersatzStart);
        const QString north = edtVersatzNord->text(), east = edtVersatzOst->text();
        if (start && !north.trimmed().isEmpty() && !east.trimmed().isEmpty()) {
            const double n = double(Numbers::strToFloat(north));
            const double e = double(Numbers::strToFloat(east));
            edtVersatzZiel->setText(positionText(cboxVersatzEinheit->currentIndex() == 0
                                                     ? Geo::offsetByMinutes(*start, n, e)
                                                     : Geo::offsetByMetres(*start, n, e)));
        }
    } catch (const QuarvelError &error) {
        m_offsetMessage->setText(error.message());
    }
    const auto from = readPoint(edtTeilVon);
    const auto to = readPoint(edtTeilNach);
    if (!from || !to)
        return;
    QStringList texts;
    for (const Geo::GeoPoint &p : Geo::divideGeodesic(*from, *to, speTeile->value()))
        texts.append(positionText(p));
    memTeilpunkte->setPlainText(texts.join(u'\n'));
    const Geo::Apexes apexes = Geo::equilateralApexes(*from, *to);
    edtDreieckLinks->setText(positionText(apexes.left));
    edtDreieckRechts->setText(positionText(apexes.right));
}
