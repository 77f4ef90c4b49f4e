// What the calculator's pages hand to the map: their positions, lines and circles.
#include "gui/tools/rechner/RechnerPages.h"

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoRead.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

// Several fields may show one position (the formats page shows it eight times): a point less
// than a metre from one already taken is left out.
void addMarker(Map::Layer &layer, Geo::GeoPoint p, const QString &name)
{
    for (const Map::Marker &m : layer.markers) {
        if (Geo::distanceAndBearing(m.position, p).distance < 1.0)
            return;
    }
    layer.markers.append({p, name});
}

QString markerName(const QLineEdit *edit)
{
    QString name = edit->objectName();
    if (name.startsWith(QStringLiteral("edt")))
        name.remove(0, 3);
    return name;
}

} // namespace

std::optional<Geo::GeoPoint> RechnerPage::positionIn(const QLineEdit *edit)
{
    if (!edit || edit->text().trimmed().isEmpty())
        return std::nullopt;
    try {
        return Geo::readPosition(edit->text());
    } catch (const QuarvelError &) {
        return std::nullopt;
    }
}

void RechnerPage::addToMap(Map::Layer &layer)
{
    for (const QLineEdit *edit : findChildren<QLineEdit *>()) {
        if (!edit->isVisibleTo(this))
            continue;
        if (const auto p = positionIn(edit))
            addMarker(layer, *p, markerName(edit));
    }
}

void RechnerProjektionPage::addToMap(Map::Layer &layer)
{
    RechnerPage::addToMap(layer);
    const auto start = positionIn(edtStart), target = positionIn(edtZiel);
    if (start && target)
        layer.lines.append(Map::geodesicLine(*start, *target));
    const auto point = positionIn(edtRueckPunkt), from = positionIn(edtRueckZiel);
    if (point && from)
        layer.lines.append(Map::geodesicLine(*from, *point));
}

void RechnerPeilungPage::addToMap(Map::Layer &layer)
{
    RechnerPage::addToMap(layer);
    const auto from = positionIn(edtVon), to = positionIn(edtNach);
    if (from && to)
        layer.lines.append(Map::geodesicLine(*from, *to));
}

void RechnerSchnittPage::addToMap(Map::Layer &layer)
{
    RechnerPage::addToMap(layer);
    const int rows = cboxArt->currentIndex() == 3 ? 3 : 2;
    const auto found = positionIn(edtSchnitt1);
    for (int i = 0; i < rows; ++i) {
        const auto centre = positionIn(edtPunkt[i]);
        if (!centre)
            continue;
        if (isBearing(i)) {
            const auto bearing = readBearing(edtWert[i]);
            if (!bearing)
                continue;
            // To the intersection and a third beyond it; 10 km when there is none.
            const double reach =
                found ? Geo::distanceAndBearing(*centre, *found).distance * 4 / 3 : 10'000.0;
            layer.lines.append(Map::bearingLine(*centre, *bearing, std::max(reach, 100.0)));
        } else if (const auto radius = readDistance(edtWert[i]); radius && *radius > 0) {
            layer.lines.append(Map::geodesicCircle(*centre, *radius));
        }
    }
}
