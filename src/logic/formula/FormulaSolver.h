#pragma once

#include "logic/formula/CoordinateFormula.h"
#include "logic/formula/PositionReader.h"
#include "logic/formula/VariableSet.h"

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

namespace Formula {

struct HashTarget;

// What a run keeps.
struct Filter
{
    bool onlyValid = true; // minutes and seconds below 60, latitude within 90°, ...
    std::optional<double> maxDistanceMetres = 3200; // none: any distance
    // Set: only valid positions whose text in the target's form has the target's digest.
    std::shared_ptr<const HashTarget> hash = nullptr;
};

// One candidate that passed the filter. The variable values and the text are not stored: they
// follow from the combination's index.
struct Hit
{
    uint64_t index = 0;
    double latitude = 0;
    double longitude = 0;
    double distanceMetres = 0; // NaN without a reference point or position
    double bearingDegrees = 0; // initial bearing from the reference point; NaN as above
};

struct Counts
{
    uint64_t computed = 0;
    uint64_t valid = 0;
    uint64_t shown = 0;
    Counts &operator+=(const Counts &other)
    {
        computed += other.computed;
        valid += other.valid;
        shown += other.shown;
        return *this;
    }
};

// Computes every combination of the variables, reads each candidate as a position and keeps
// those that pass the filter, with distance and bearing on the WGS84 ellipsoid from the
// reference point.
class FormulaSolver
{
public:
    FormulaSolver(CoordinateFormula formula, VariableSet variables,
                  std::optional<ReadPosition> reference, Filter filter);

    uint64_t combinationCount() const { return m_variables.combinationCount(); }

    // Combinations [from, to); appends the hits and adds to the counts. Stops early, between
    // two combinations, once `cancel` is set; the counts then say how far it came.
    void run(uint64_t from, uint64_t to, std::vector<Hit> &hits, Counts &counts,
             const std::atomic<bool> *cancel = nullptr) const;

    const Filter &filter() const { return m_filter; }

    Values valuesAt(uint64_t index) const;
    // The candidate's coordinate text, as the formula gives it.
    QString coordinateText(uint64_t index) const;
    // "A=1 B=23".
    QString variablesText(uint64_t index) const;

    const VariableSet &variables() const { return m_variables; }

private:
    bool keep(const ReadPosition &position, Hit &hit) const;

    CoordinateFormula m_formula;
    VariableSet m_variables;
    std::optional<ReadPosition> m_reference;
    Filter m_filter;
};

// Distance in metres and initial bearing in degrees (0..360) on the WGS84 ellipsoid.
struct DistanceBearing
{
    double metres = 0;
    double bearing = 0;
};
DistanceBearing geodesicDistance(double lat1, double lon1, double lat2, double lon2);

// A cheap test that never says no to a pair within `maxMetres` on the ellipsoid: false means
// the geodesic distance is surely larger. Millions of candidates are sorted out with it before
// the exact distance is computed for the rest.
bool mayBeWithin(double lat1, double lon1, double lat2, double lon2, double maxMetres);

// The same as solver.run over [from, to), split into as many consecutive parts as `threads`
// (0: one per core), each on a thread of its own; the hits come in combination order.
void runOnAllCores(const FormulaSolver &solver, uint64_t from, uint64_t to, std::vector<Hit> &hits,
                   Counts &counts, const std::atomic<bool> *cancel = nullptr, unsigned threads = 0);

} // namespace Formula
