#include "logic/map/MapShapes.h"

#include "logic/formula/FormulaExport.h"
#include "logic/geo/GeoFormats.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <algorithm>
#include <cmath>

namespace Map {

namespace {

// Sampling every 2 km (at least 16, at most 720 pieces) keeps the chord within centimetres of
// the geodesic for the distances of a cache and draws a great circle smoothly.
int pieces(double distance, int asked)
{
    if (asked > 0)
        return asked;
    return std::clamp(int(std::ceil(distance / 2000.0)), 16, 720);
}

Polyline sample(const GeographicLib::GeodesicLine &line, double distance, int segments)
{
    Polyline result;
    for (int i = 0; i <= segments; ++i) {
        double lat = 0, lon = 0, dummy = 0;
        // Unrolled longitudes keep a line that crosses the date line continuous on the map.
        line.GenPosition(false, distance * i / segments,
                         GeographicLib::GeodesicLine::LATITUDE |
                             GeographicLib::GeodesicLine::LONGITUDE |
                             GeographicLib::GeodesicLine::LONG_UNROLL,
                         lat, lon, dummy, dummy, dummy, dummy, dummy, dummy);
        result.points.append({lat, lon});
    }
    return result;
}

} // namespace

Polyline geodesicLine(Geo::GeoPoint from, Geo::GeoPoint to, int segments)
{
    const GeographicLib::Geodesic &wgs84 = GeographicLib::Geodesic::WGS84();
    const GeographicLib::GeodesicLine line = wgs84.InverseLine(from.lat, from.lon, to.lat, to.lon);
    return sample(line, line.Distance(), pieces(line.Distance(), segments));
}

Polyline bearingLine(Geo::GeoPoint start, double bearing, double distance, int segments)
{
    const GeographicLib::GeodesicLine line =
        GeographicLib::Geodesic::WGS84().Line(start.lat, start.lon, bearing);
    return sample(line, distance, pieces(distance, segments));
}

Polyline geodesicCircle(Geo::GeoPoint centre, double radius, int segments)
{
    const GeographicLib::Geodesic &wgs84 = GeographicLib::Geodesic::WGS84();
    // Enough pieces that a chord bulges less than half a metre inside the circle:
    // r (1 − cos(π/n)) ≈ r π² / 2n² ≤ 0.5 m.
    const int n = segments > 0
        ? segments
        : std::clamp(int(std::ceil(M_PI * std::sqrt(std::max(radius, 0.0)))), 64, 8192);
    Polyline circle;
    for (int i = 0; i <= n; ++i) {
        double lat = 0, lon = 0, dummy = 0;
        wgs84.GenDirect(centre.lat, centre.lon, 360.0 * (i % n) / n, false, radius,
                        GeographicLib::Geodesic::LATITUDE | GeographicLib::Geodesic::LONGITUDE |
                            GeographicLib::Geodesic::LONG_UNROLL,
                        lat, lon, dummy, dummy, dummy, dummy, dummy, dummy);
        circle.points.append({lat, lon});
    }
    return circle;
}

Layer gpxLayer(const GpxData &data, const QString &name)
{
    Layer layer;
    layer.name = name;
    for (const GpxWaypoint &w : data.waypoints)
        layer.markers.append({w.position, w.name});
    for (const QList<GpxPath> *paths : {&data.routes, &data.tracks}) {
        for (const GpxPath &path : *paths) {
            for (const QList<GpxPathPoint> &segment : path.segments) {
                Polyline line {{}, path.name};
                line.points.reserve(segment.size());
                for (const GpxPathPoint &p : segment)
                    line.points.append(p.position);
                layer.lines.append(std::move(line));
            }
        }
    }
    layer.gpx = data;
    return layer;
}

GpxData layerAsGpx(const Layer &layer)
{
    if (!layer.gpx.isEmpty())
        return layer.gpx;
    GpxData data;
    for (const Marker &m : layer.markers)
        data.waypoints.append({m.name, m.position, std::nullopt, layer.name, cacheCodeIn(m.name)});
    for (const Polyline &line : layer.lines) {
        QList<GpxPathPoint> points;
        points.reserve(line.points.size());
        for (const Geo::GeoPoint &p : line.points) // drawn unrolled, stored within ±180°
            points.append(GpxPathPoint {{p.lat, std::remainder(p.lon, 360.0)}});
        data.tracks.append({line.name.isEmpty() ? layer.name : line.name, {points}});
    }
    return data;
}

bool boundsOf(const QList<Geo::GeoPoint> &points, Geo::GeoPoint &southWest,
              Geo::GeoPoint &northEast)
{
    if (points.isEmpty())
        return false;
    southWest = northEast = points.constFirst();
    for (const Geo::GeoPoint &p : points) {
        southWest = {std::min(southWest.lat, p.lat), std::min(southWest.lon, p.lon)};
        northEast = {std::max(northEast.lat, p.lat), std::max(northEast.lon, p.lon)};
    }
    return true;
}

QList<Geo::GeoPoint> positionsOf(const Layer &layer)
{
    QList<Geo::GeoPoint> points;
    for (const Marker &m : layer.markers)
        points.append(m.position);
    for (const Polyline &line : layer.lines)
        points.append(line.points);
    return points;
}

QString positionInNotation(Geo::GeoPoint p, int notation)
{
    p.lon = std::remainder(p.lon, 360.0);
    if (notation == 1)
        return Geo::formatDegreesMinutes(p);
    if (notation == 2)
        return Geo::formatDegreesMinutesSeconds(p);
    // Handed over with a decimal point and the hemisphere letters; TKoordinaten writes the
    // decimal degrees with the decimal comma the coordinates tool shows.
    const QString text = QStringLiteral("%1 %2 %3 %4")
                             .arg(QChar(p.lat < 0 ? u'S' : u'N'))
                             .arg(std::abs(p.lat), 0, 'f', 8)
                             .arg(QChar(p.lon < 0 ? u'W' : u'E'))
                             .arg(std::abs(p.lon), 0, 'f', 8);
    return Formula::coordinateInNotation(text, notation);
}

} // namespace Map
