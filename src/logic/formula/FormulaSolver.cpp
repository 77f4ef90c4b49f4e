#include "logic/formula/FormulaSolver.h"

#include "logic/formula/CoordinateHash.h"

#include <GeographicLib/Geodesic.hpp>

#include <cmath>
#include <limits>
#include <numbers>

namespace Formula {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

constexpr double kRad = std::numbers::pi / 180;
// The shortest metre length of one degree of latitude on WGS84 (at the equator, where the
// meridian's radius of curvature is a(1 - e²)). Every path between two parallels is at least
// as long as the meridian arc between them, so this bounds a distance from below.
constexpr double kMinMetresPerDegreeLatitude = 110574.0;

// Equirectangular estimate: exact enough (far below 1 %) for the few kilometres of a final's
// radius, and much cheaper than the geodesic.
double roughDistance(double lat1, double lon1, double lat2, double lon2)
{
    constexpr double kMetresPerDegree = 6371008.8 * kRad;
    double dLon = std::fabs(lon2 - lon1);
    if (dLon > 180)
        dLon = 360 - dLon;
    const double x = dLon * std::cos((lat1 + lat2) / 2 * kRad);
    const double y = lat2 - lat1;
    return kMetresPerDegree * std::sqrt(x * x + y * y);
}

// The estimate decides alone only where it is safe: short radii away from the poles.
bool roughEstimateHolds(double maxMetres, double latitude)
{
    return maxMetres <= 200000 && std::fabs(latitude) < 80;
}

} // namespace

bool mayBeWithin(double lat1, double lon1, double lat2, double lon2, double maxMetres)
{
    if (std::fabs(lat2 - lat1) * kMinMetresPerDegreeLatitude > maxMetres)
        return false;
    return !roughEstimateHolds(maxMetres, lat1) ||
        roughDistance(lat1, lon1, lat2, lon2) <= maxMetres * 1.02 + 10;
}

DistanceBearing geodesicDistance(double lat1, double lon1, double lat2, double lon2)
{
    double metres = 0;
    double azimuth1 = 0;
    double azimuth2 = 0;
    GeographicLib::Geodesic::WGS84().Inverse(lat1, lon1, lat2, lon2, metres, azimuth1, azimuth2);
    if (azimuth1 < 0)
        azimuth1 += 360;
    return {metres, azimuth1};
}

FormulaSolver::FormulaSolver(CoordinateFormula formula, VariableSet variables,
                             std::optional<ReadPosition> reference, Filter filter)
    : m_formula(std::move(formula))
    , m_variables(std::move(variables))
    , m_reference(reference && reference->hasPosition ? reference : std::nullopt)
    , m_filter(filter)
{
}

bool FormulaSolver::keep(const ReadPosition &position, Hit &hit) const
{
    if (!position.recognised || (m_filter.onlyValid && !position.valid))
        return false;
    hit.latitude = position.latitude;
    hit.longitude = position.longitude;
    hit.distanceMetres = kNaN;
    hit.bearingDegrees = kNaN;
    const bool measurable = m_reference && position.hasPosition;
    if (m_filter.maxDistanceMetres) {
        if (!measurable)
            return false;
        if (!mayBeWithin(m_reference->latitude, m_reference->longitude, position.latitude,
                         position.longitude, *m_filter.maxDistanceMetres))
            return false;
    }
    if (measurable) {
        const auto exact = geodesicDistance(m_reference->latitude, m_reference->longitude,
                                            position.latitude, position.longitude);
        if (m_filter.maxDistanceMetres && exact.metres > *m_filter.maxDistanceMetres)
            return false;
        hit.distanceMetres = exact.metres;
        // A point has no direction from itself.
        hit.bearingDegrees = exact.metres > 0 ? exact.bearing : kNaN;
    }
    return true;
}

void FormulaSolver::run(uint64_t from, uint64_t to, std::vector<Hit> &hits, Counts &counts,
                        const std::atomic<bool> *cancel) const
{
    to = std::min(to, combinationCount());
    if (from >= to)
        return;
    VariableSet::Odometer odometer;
    Values values;
    m_variables.start(from, odometer, values);
    std::vector<char> text(m_formula.maxRenderLength());
    std::optional<HashMatcher> matcher;
    if (m_filter.hash)
        matcher.emplace(*m_filter.hash);
    for (uint64_t index = from; index < to; ++index) {
        if (index != from)
            m_variables.next(odometer, values);
        // Checking the flag at the start and every 4096 candidates keeps the loop tight and the
        // reaction quick.
        if ((index == from || (index & 4095) == 0) && cancel &&
            cancel->load(std::memory_order_relaxed))
            return;
        ++counts.computed;
        const char *end = m_formula.render(values, text.data());
        if (!end)
            continue;
        const ReadPosition position = readPosition({text.data(), size_t(end - text.data())});
        if (position.valid)
            ++counts.valid;
        if (matcher && !matcher->matches(position))
            continue;
        Hit hit;
        if (!keep(position, hit))
            continue;
        hit.index = index;
        hits.push_back(hit);
        ++counts.shown;
    }
}

Values FormulaSolver::valuesAt(uint64_t index) const
{
    Values values;
    m_variables.valuesAt(index, values);
    return values;
}

QString FormulaSolver::coordinateText(uint64_t index) const
{
    return m_formula.renderText(valuesAt(index));
}

QString FormulaSolver::variablesText(uint64_t index) const
{
    return m_variables.describe(valuesAt(index));
}

} // namespace Formula
