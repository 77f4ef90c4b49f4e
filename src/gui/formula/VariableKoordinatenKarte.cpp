// The variable-coordinates window's hand-over to the map: every candidate with a position and
// the filter circle; a click on the map selects the candidate's row.
#include "gui/app/AppContext.h"
#include "gui/formula/FormulaResultModel.h"
#include "gui/formula/VariableKoordinaten_Unit.h"
#include "gui/map/Karte_Unit.h"
#include "logic/common/QuarvelError.h"
#include "logic/formula/PositionReader.h"
#include "logic/map/MapShapes.h"

#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>

#include <cmath>

void TfrmVariableKoordinaten::btnKarteClick()
{
    auto *karte = dynamic_cast<TfrmKarte *>(m_context.windows.karte.get());
    if (!karte)
        return;
    std::vector<Geo::GeoPoint> points;
    std::vector<quint64> ids;
    points.reserve(m_model->hits().size());
    ids.reserve(m_model->hits().size());
    for (const Formula::Hit &hit : m_model->hits()) {
        if (std::isfinite(hit.latitude) && std::isfinite(hit.longitude) &&
            std::abs(hit.latitude) <= 90 && std::abs(hit.longitude) <= 180) {
            points.push_back({hit.latitude, hit.longitude});
            ids.push_back(hit.index);
        }
    }
    Map::Layer circle;
    const Formula::ReadPosition reference =
        Formula::readPosition(edtBezugspunkt->text().toStdString());
    if (reference.hasPosition) {
        const Geo::GeoPoint centre {reference.latitude, reference.longitude};
        circle.markers.append({centre, QStringLiteral("Bezugspunkt")});
        if (const auto radius = maxDistance(); radius && *radius > 0)
            circle.lines.append(Map::geodesicCircle(centre, *radius));
    }
    if (points.empty() && circle.isEmpty())
        throw QuarvelError(
            QStringLiteral("Es gibt noch keine Position, die die Karte zeigen kann"));
    karte->showCandidates(points, ids, circle, [this](quint64 index) { selectCandidate(index); });
}

void TfrmVariableKoordinaten::selectCandidate(quint64 index)
{
    const std::vector<Formula::Hit> &hits = m_model->hits();
    for (size_t row = 0; row < hits.size(); ++row) {
        if (hits[row].index != index)
            continue;
        const QModelIndex cell = m_model->index(int(row), 0);
        tvErgebnisse->selectionModel()->select(
            cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        tvErgebnisse->scrollTo(cell);
        show();
        raise();
        return;
    }
}
