#pragma once

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoPoint.h"

#include <QString>

#include <functional>
#include <random>

namespace GeoTest {

inline QString errorOf(const std::function<void()> &body)
{
    try {
        body();
    } catch (const QuarvelError &error) {
        return error.message();
    }
    return QStringLiteral("<no error>");
}

// Degrees, minutes and seconds as published, to decimal degrees.
inline double dms(double degrees, double minutes, double seconds)
{
    const double sign = degrees < 0 ? -1.0 : 1.0;
    return sign * (std::abs(degrees) + minutes / 60.0 + seconds / 3600.0);
}

// Random positions spread evenly over the ellipsoid's surface, the same on every run.
class RandomPoints
{
public:
    explicit RandomPoints(unsigned seed)
        : m_engine(seed)
    {
    }

    Geo::GeoPoint next()
    {
        std::uniform_real_distribution<double> z(-1.0, 1.0), lon(-180.0, 180.0);
        return {std::asin(z(m_engine)) * 180.0 / 3.14159265358979323846, lon(m_engine)};
    }
    double uniform(double low, double high)
    {
        return std::uniform_real_distribution<double>(low, high)(m_engine);
    }

private:
    std::mt19937_64 m_engine;
};

} // namespace GeoTest
