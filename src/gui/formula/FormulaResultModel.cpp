#include "gui/formula/FormulaResultModel.h"

#include "logic/common/Numbers.h"
#include "logic/formula/FormulaExport.h"

#include <algorithm>
#include <cmath>

namespace {

enum Extra { CoordinateColumn, DistanceColumn, BearingColumn, ExtraColumns };

} // namespace

QString distanceText(double metres)
{
    if (std::isnan(metres))
        return {};
    return Numbers::formatGrouped(std::round(metres)) + QStringLiteral(" m");
}

QString bearingText(double degrees)
{
    if (std::isnan(degrees))
        return {};
    return Formula::decimalComma(degrees, 1) + u'°';
}

FormulaResultModel::FormulaResultModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void FormulaResultModel::reset(std::shared_ptr<const Formula::FormulaSolver> solver)
{
    beginResetModel();
    m_solver = std::move(solver);
    m_hits.clear();
    m_hits.shrink_to_fit();
    m_letters.clear();
    if (m_solver) {
        for (int v = 0; v < Formula::kVariableCount; ++v) {
            if (m_solver->variables().needed() >> v & 1)
                m_letters.push_back(v);
        }
    }
    endResetModel();
}

size_t FormulaResultModel::append(std::vector<Formula::Hit> hits)
{
    const size_t room = kMaxRows - std::min(kMaxRows, m_hits.size());
    const size_t taken = std::min(room, hits.size());
    if (taken > 0) {
        beginInsertRows({}, int(m_hits.size()), int(m_hits.size() + taken - 1));
        m_hits.insert(m_hits.end(), hits.begin(), hits.begin() + qsizetype(taken));
        endInsertRows();
    }
    return hits.size() - taken;
}

void FormulaResultModel::setNotation(int notation)
{
    m_notation = notation;
    if (!m_hits.empty())
        emit dataChanged(index(0, coordinateColumn()), index(rowCount() - 1, coordinateColumn()));
}

QString FormulaResultModel::coordinate(const Formula::Hit &hit) const
{
    return Formula::coordinateInNotation(m_solver->coordinateText(hit.index), m_notation);
}

int FormulaResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_hits.size());
}

int FormulaResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_letters.size()) + ExtraColumns;
}

QVariant FormulaResultModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_solver || size_t(index.row()) >= m_hits.size())
        return {};
    const Formula::Hit &hit = m_hits[size_t(index.row())];
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return column == coordinateColumn() ? QVariant()
                                            : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    if (column < coordinateColumn()) {
        const auto value = m_solver->valuesAt(hit.index)[size_t(m_letters[size_t(column)])];
        return value ? QString::number(*value) : QStringLiteral("?");
    }
    switch (column - coordinateColumn()) {
    case CoordinateColumn:
        return coordinate(hit);
    case DistanceColumn:
        return distanceText(hit.distanceMetres);
    case BearingColumn:
        return bearingText(hit.bearingDegrees);
    default:
        return {};
    }
}

QVariant FormulaResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < coordinateColumn())
        return QString(QChar(u'A' + m_letters[size_t(section)]));
    switch (section - coordinateColumn()) {
    case CoordinateColumn:
        return QStringLiteral("Koordinate");
    case DistanceColumn:
        return QStringLiteral("Entfernung");
    case BearingColumn:
        return QStringLiteral("Richtung");
    default:
        return {};
    }
}

void FormulaResultModel::sort(int column, Qt::SortOrder order)
{
    if (!m_solver || m_hits.empty())
        return;
    // One key per row, computed once: unknown distances and bearings sort last either way.
    std::vector<std::pair<double, double>> keys(m_hits.size());
    const double unknown = order == Qt::AscendingOrder ? HUGE_VAL : -HUGE_VAL;
    for (size_t i = 0; i < m_hits.size(); ++i) {
        const Formula::Hit &hit = m_hits[i];
        if (column < coordinateColumn()) {
            const auto value = m_solver->valuesAt(hit.index)[size_t(m_letters[size_t(column)])];
            keys[i] = {value ? double(*value) : unknown, double(hit.index)};
        } else if (column - coordinateColumn() == CoordinateColumn) {
            keys[i] = {hit.latitude, hit.longitude};
        } else {
            const double key = column - coordinateColumn() == DistanceColumn ? hit.distanceMetres
                                                                             : hit.bearingDegrees;
            keys[i] = {std::isnan(key) ? unknown : key, double(hit.index)};
        }
    }
    std::vector<size_t> order_(m_hits.size());
    for (size_t i = 0; i < order_.size(); ++i)
        order_[i] = i;
    std::stable_sort(order_.begin(), order_.end(), [&](size_t a, size_t b) {
        return order == Qt::AscendingOrder ? keys[a] < keys[b] : keys[b] < keys[a];
    });
    emit layoutAboutToBeChanged();
    std::vector<Formula::Hit> sorted;
    sorted.reserve(m_hits.size());
    for (size_t i : order_)
        sorted.push_back(m_hits[i]);
    m_hits = std::move(sorted);
    emit layoutChanged();
}
