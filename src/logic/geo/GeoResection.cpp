#include "logic/geo/GeoResection.h"

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoSupport.h"

#include <GeographicLib/AzimuthalEquidistant.hpp>
#include <GeographicLib/Geodesic.hpp>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>

namespace Geo {

using namespace Support;

namespace {

// Plane positions as north + i·east: the argument of a difference is then a compass bearing,
// growing clockwise like the measured angles.
using Plane = std::complex<double>;

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kStepDone = 1e-4; // metres
constexpr double kOnTarget = 1e-3; // metres sideways at the farthest known point
constexpr int kMaxSteps = 50;

// The difference of two bearings in radians, in (-π, π].
double angleBetween(double fromDegrees, double toDegrees)
{
    double d = std::remainder(toDegrees - fromDegrees, 360.0);
    if (d <= -180.0)
        d += 360.0;
    return d * kDeg;
}

struct Known
{
    Plane a, b, c; // b at the origin
};

Known planeOf(GeoPoint a, GeoPoint b, GeoPoint c)
{
    const GeographicLib::AzimuthalEquidistant plane(GeographicLib::Geodesic::WGS84());
    auto at = [&](GeoPoint p) {
        double east = 0, north = 0, azimuth = 0, scale = 0;
        plane.Forward(b.lat, b.lon, p.lat, p.lon, east, north, azimuth, scale);
        return Plane(north, east);
    };
    return {at(a), Plane(0, 0), at(c)};
}

// The standpoint w in the plane: Im[(B − w)·conj(A − w)·conj(u)] = 0 with u = e^{iα} holds the
// angle α over AB, likewise over BC; with B at the origin both are circles |w|²·sin = linear(w),
// whose difference is a line through B. The standpoint is that line's other meeting point.
Plane planeStandpoint(const Known &k, double alpha, double beta)
{
    const Plane u = std::polar(1.0, alpha), v = std::polar(1.0, beta);
    // L1(w) = −Im[conj(u)·conj(A)·w], L2(w) = −Im[conj(v)·C·conj(w)], as x- and y-coefficients.
    auto l1 = [&](Plane w) { return -std::imag(std::conj(u) * std::conj(k.a) * w); };
    auto l2 = [&](Plane w) { return -std::imag(std::conj(v) * k.c * std::conj(w)); };
    const Plane one(1, 0), i(0, 1);
    const double sa = std::sin(alpha), sb = std::sin(beta);
    const double x = sb * l1(one) - sa * l2(one), y = sb * l1(i) - sa * l2(i);
    const Plane direction(-y, x);
    const double length2 = std::norm(direction);
    if (length2 == 0.0)
        return {0, 0};
    const double t = std::abs(sa) > std::abs(sb) ? l1(direction) / (length2 * sa)
                                                 : l2(direction) / (length2 * sb);
    return t * direction;
}

struct CircleInPlane
{
    Plane centre;
    double radius = 0.0;
};

CircleInPlane circumcircle(const Known &k)
{
    // Circle through the origin (B), A and C: |w|² = 2·Re(conj(O)·w) for w = A and w = C.
    const double ax = k.a.real(), ay = k.a.imag(), cx = k.c.real(), cy = k.c.imag();
    const double det = 2.0 * (ax * cy - ay * cx);
    if (std::abs(det) < 1e-9)
        return {Plane(0, 0), std::numeric_limits<double>::infinity()};
    const double na = std::norm(k.a), nc = std::norm(k.c);
    const Plane centre((na * cy - nc * ay) / det, (ax * nc - cx * na) / det);
    return {centre, std::abs(centre)};
}

GeoPoint pointAt(GeoPoint b, Plane w)
{
    const GeographicLib::AzimuthalEquidistant plane(GeographicLib::Geodesic::WGS84());
    GeoPoint p;
    double azimuth = 0, scale = 0;
    plane.Reverse(b.lat, b.lon, w.imag(), w.real(), p.lat, p.lon, azimuth, scale);
    return p;
}

struct Sight
{
    double bearing = 0.0; // degrees
    double reach = 0.0; // metres: sideways move of the standpoint per radian of bearing
    double distance = 0.0;
};

Sight sightFrom(GeoPoint from, GeoPoint to)
{
    double s12 = 0, azi1 = 0, azi2 = 0, m12 = 0, M12 = 0, M21 = 0;
    GeographicLib::Geodesic::WGS84().Inverse(from.lat, from.lon, to.lat, to.lon, s12, azi1, azi2,
                                             m12, M12, M21);
    // Moving the near end sideways by δ turns its bearing by δ·M12/m12.
    return {azi1, m12 / (M12 > 0.1 ? M12 : 0.1), s12};
}

// The two angle misfits (radians) at x and their derivatives by a move north and east (metres).
struct Misfit
{
    double f[2] = {0, 0};
    double j[2][2] = {{0, 0}, {0, 0}};
    double farthest = 0.0;
};

Misfit misfitAt(GeoPoint x, const GeoPoint (&known)[3], double alpha, double beta)
{
    Sight s[3];
    Misfit m;
    for (int i = 0; i < 3; ++i) {
        s[i] = sightFrom(x, known[i]);
        m.farthest = std::max(m.farthest, s[i].distance);
    }
    m.f[0] = angleBetween(s[0].bearing, s[1].bearing) - alpha;
    m.f[1] = angleBetween(s[1].bearing, s[2].bearing) - beta;
    for (double &f : m.f)
        f = std::remainder(f, 2 * std::numbers::pi);
    auto dn = [&](int i) { return std::sin(s[i].bearing * kDeg) / s[i].reach; };
    auto de = [&](int i) { return -std::cos(s[i].bearing * kDeg) / s[i].reach; };
    m.j[0][0] = dn(1) - dn(0);
    m.j[0][1] = de(1) - de(0);
    m.j[1][0] = dn(2) - dn(1);
    m.j[1][1] = de(2) - de(1);
    return m;
}

void checkAngle(double degrees, const QString &name)
{
    if (!std::isfinite(degrees))
        throw QuarvelError(QStringLiteral("Der Winkel %1 ist keine endliche Zahl").arg(name));
    if (degrees <= 0.0 || degrees >= 360.0)
        throw QuarvelError(
            QStringLiteral("Der Winkel %1 muss größer als 0° und kleiner als 360° sein").arg(name));
}

const QString kOnDangerCircle =
    QStringLiteral("Der Standpunkt liegt auf dem gefährlichen Kreis durch A, B und C: von jedem "
                   "Punkt dieses Kreises erscheinen die Winkel gleich, der Rückwärtsschnitt ist "
                   "unbestimmt");

} // namespace

Resection resect(GeoPoint a, GeoPoint b, GeoPoint c, double angleAB, double angleBC)
{
    for (GeoPoint p : {a, b, c})
        checkPoint(p);
    checkAngle(angleAB, QStringLiteral("AB"));
    checkAngle(angleBC, QStringLiteral("BC"));
    const GeoPoint known[3] = {a, b, c};
    for (auto [i, j] : {std::pair {0, 1}, {0, 2}, {1, 2}}) {
        const double d = inverse(known[i], known[j]).distance;
        if (d < 0.01)
            throw QuarvelError(QStringLiteral("Zwei der bekannten Punkte fallen zusammen"));
        if (d > kLongestResectionSide)
            throw QuarvelError(
                QStringLiteral("Die bekannten Punkte liegen mehr als 1000 km "
                               "auseinander: das ist keine Rückwärtsschnitt-Aufgabe"));
    }
    const double alpha = angleAB * kDeg, beta = angleBC * kDeg;
    const Known plane = planeOf(a, b, c);
    const CircleInPlane danger = circumcircle(plane);
    const Plane guess = planeStandpoint(plane, alpha, beta);
    // Three points on one line have that line as their danger circle.
    const double scale = std::isfinite(danger.radius) ? danger.radius : std::abs(plane.c - plane.a);
    const double dangerDistance = std::isfinite(danger.radius)
        ? std::abs(std::abs(guess - danger.centre) - danger.radius)
        : std::abs(std::imag(std::conj(plane.c - plane.a) * (guess - plane.a))) /
            std::abs(plane.c - plane.a);
    if (std::abs(guess) < 0.01 || dangerDistance < kDangerZone * scale)
        throw QuarvelError(kOnDangerCircle);

    GeoPoint x = pointAt(b, guess);
    for (int step = 0; step < kMaxSteps; ++step) {
        const Misfit m = misfitAt(x, known, alpha, beta);
        const double det = m.j[0][0] * m.j[1][1] - m.j[0][1] * m.j[1][0];
        if (!std::isfinite(det) || det == 0.0)
            throw QuarvelError(kOnDangerCircle);
        const double north = -(m.f[0] * m.j[1][1] - m.f[1] * m.j[0][1]) / det;
        const double east = -(m.j[0][0] * m.f[1] - m.j[1][0] * m.f[0]) / det;
        x = moveBy(x, north, east);
        if (std::hypot(north, east) < kStepDone)
            break;
    }
    const Misfit last = misfitAt(x, known, alpha, beta);
    if (std::max(std::abs(last.f[0]), std::abs(last.f[1])) * last.farthest > kOnTarget)
        throw QuarvelError(QStringLiteral("Für diese Winkel findet sich kein Standpunkt: "
                                          "bitte Reihenfolge und Drehsinn der Winkel prüfen"));
    Resection result;
    result.standpoint = x;
    result.dangerCircleRadius = danger.radius;
    result.dangerCircleDistance = dangerDistance;
    if (dangerDistance < kDangerWarning * scale)
        result.warning = QStringLiteral("Der Standpunkt liegt nahe am gefährlichen Kreis durch "
                                        "A, B und C: kleine Winkelfehler verschieben ihn stark");
    return result;
}

} // namespace Geo
