#pragma once

#include "logic/formula/FormulaSolver.h"

#include <QAbstractTableModel>

#include <memory>
#include <vector>

// The results of a variable-coordinates run as a table: one column per variable, then the
// coordinate in the chosen notation, distance and bearing. Only the hits are stored; values
// and texts are derived when a row is shown, so a million rows cost a few dozen megabytes.
class FormulaResultModel : public QAbstractTableModel
{
public:
    // At most this many rows are kept; the counts still cover every combination.
    static constexpr size_t kMaxRows = 1'000'000;

    explicit FormulaResultModel(QObject *parent = nullptr);

    void reset(std::shared_ptr<const Formula::FormulaSolver> solver);
    // Appends rows up to kMaxRows; returns how many were dropped for that limit.
    size_t append(std::vector<Formula::Hit> hits);
    void setNotation(int notation);
    int notation() const { return m_notation; }

    const std::vector<Formula::Hit> &hits() const { return m_hits; }
    const Formula::FormulaSolver *solver() const { return m_solver.get(); }
    QString coordinate(const Formula::Hit &hit) const;
    int coordinateColumn() const { return int(m_letters.size()); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    std::shared_ptr<const Formula::FormulaSolver> m_solver;
    std::vector<int> m_letters; // the variables shown, in letter order
    std::vector<Formula::Hit> m_hits;
    int m_notation = 1;
};

// Distance and bearing as the table shows them: "1.234 m", "90,0°"; empty when unknown.
QString distanceText(double metres);
QString bearingText(double degrees);
