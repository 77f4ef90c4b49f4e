#include "logic/geo/GeoGrids.h"

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCalc.h"
#include "logic/geo/GridAreas.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/MGRS.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <proj.h>

#include <QRegularExpression>

#include <cmath>
#include <map>

namespace Geo {

namespace {

// One PROJ pipeline from longitude/latitude in degrees to grid metres. Written out instead of
// looked up by EPSG code: that spares the database query (tens of milliseconds) on every call
// and pins the transformation we name to the user.
QString gaussKruegerPipeline(int zone)
{
    return QStringLiteral("+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad "
                          "+step +inv +proj=hgridshift +grids=BETA2007.gsb "
                          "+step +proj=tmerc +lat_0=0 +lon_0=%1 +k=1 +x_0=%2 +y_0=0 +ellps=bessel")
        .arg(zone * 3)
        .arg(zone * 1000000 + 500000);
}

const char *const kLv95Pipeline =
    "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad "
    "+step +proj=push +v_3 +step +proj=cart +ellps=WGS84 "
    "+step +proj=helmert +x=-674.374 +y=-15.056 +z=-405.346 "
    "+step +inv +proj=cart +ellps=bessel +step +proj=pop +v_3 "
    "+step +proj=somerc +lat_0=46.9524055555556 +lon_0=7.43958333333333 +k_0=1 "
    "+x_0=2600000 +y_0=1200000 +ellps=bessel";

// CH1903 and CH1903+ share the ellipsoid and the shift to WGS 84; LV03 counts from 600000/200000.
const char *const kLv03Pipeline = "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad "
                                  "+step +proj=push +v_3 +step +proj=cart +ellps=WGS84 "
                                  "+step +proj=helmert +x=-674.374 +y=-15.056 +z=-405.346 "
                                  "+step +inv +proj=cart +ellps=bessel +step +proj=pop +v_3 ";
const char *const kLv03Projection =
    "+step +proj=somerc +lat_0=46.9524055555556 +lon_0=7.43958333333333 +k_0=1 "
    "+x_0=600000 +y_0=200000 +ellps=bessel";

const char *const kRdHelmert =
    "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad "
    "+step +proj=push +v_3 +step +proj=cart +ellps=WGS84 "
    "+step +inv +proj=helmert +x=565.2369 +y=50.0087 +z=465.658 +rx=-0.406857 +ry=0.350733 "
    "+rz=-1.87035 +s=4.0812 +convention=position_vector "
    "+step +inv +proj=cart +ellps=bessel +step +proj=pop +v_3 ";
const char *const kRdProjection =
    "+step +proj=sterea +lat_0=52.1561605555556 +lon_0=5.38763888888889 +k=0.9999079 "
    "+x_0=155000 +y_0=463000 +ellps=bessel";

// One PROJ context per thread with the pipelines made on it so far. A context must not be
// shared between threads, and making a pipeline costs about a hundred conversions, so each
// thread keeps its own until it ends.
class ProjPipelines
{
public:
    ProjPipelines() = default;
    ProjPipelines(const ProjPipelines &) = delete;
    ProjPipelines &operator=(const ProjPipelines &) = delete;
    ~ProjPipelines()
    {
        for (const auto &entry : m_pipelines)
            proj_destroy(entry.second);
        if (m_context)
            proj_context_destroy(m_context);
    }

    PJ *get(const QByteArray &definition)
    {
        if (const auto known = m_pipelines.find(definition); known != m_pipelines.end())
            return known->second;
        if (!m_context) {
            m_context = proj_context_create();
            proj_log_level(m_context, PJ_LOG_NONE);
        }
        PJ *pipeline = proj_create(m_context, definition.constData());
        if (!pipeline)
            throw QuarvelError(QStringLiteral(
                "Die Umrechnungsdaten von PROJ fehlen (Paket proj-data installieren)"));
        m_pipelines.emplace(definition, pipeline);
        return pipeline;
    }

private:
    PJ_CONTEXT *m_context = nullptr;
    std::map<QByteArray, PJ *> m_pipelines;
};

// Runs one pipeline forward or backward.
PJ_COORD transform(const QByteArray &definition, PJ_DIRECTION direction, double x, double y,
                   const QString &outside)
{
    thread_local ProjPipelines pipelines;
    const PJ_COORD result =
        proj_trans(pipelines.get(definition), direction, proj_coord(x, y, 0, 0));
    if (!std::isfinite(result.v[0]) || !std::isfinite(result.v[1]) || result.v[0] == HUGE_VAL)
        throw QuarvelError(outside);
    return result;
}

const QString kOutsideGermany =
    QStringLiteral("Gauß-Krüger (DHDN) gibt es hier nur innerhalb Deutschlands (BETA2007-Gitter)");
const QString kOutsideSwitzerland =
    QStringLiteral("LV95 gilt nur für die Schweiz und Liechtenstein");
const QString kOutsideSwitzerlandLv03 =
    QStringLiteral("LV03 gilt nur für die Schweiz und Liechtenstein");
const QString kOutsideNetherlands =
    QStringLiteral("RD (Amersfoort / RD New) gilt nur für die Niederlande");

// A national grid: its pipeline from WGS84, the area it is defined for and the message outside.
struct NationalGrid
{
    QByteArray pipeline;
    bool (*inside)(GeoPoint);
    const QString &outside;
};

// Both directions refuse a place outside the grid's area, so no plausible number is given for
// a point of a neighbouring country.
GridPosition toNationalGrid(GeoPoint p, const NationalGrid &grid)
{
    checkPoint(p);
    if (!grid.inside(p))
        throw QuarvelError(grid.outside);
    const PJ_COORD xy = transform(grid.pipeline, PJ_FWD, p.lon, p.lat, grid.outside);
    return {0, true, xy.v[0], xy.v[1]};
}

GeoPoint fromNationalGrid(const GridPosition &position, const NationalGrid &grid)
{
    const PJ_COORD lonLat =
        transform(grid.pipeline, PJ_INV, position.easting, position.northing, grid.outside);
    const GeoPoint p {lonLat.v[1], lonLat.v[0]};
    if (!grid.inside(p))
        throw QuarvelError(grid.outside);
    return p;
}

// A projection applied to coordinates already on the grid's own datum (CH1903, Amersfoort).
GridPosition projectOwnDatum(GeoPoint p, const char *projection, const QString &outside)
{
    checkPoint(p);
    const PJ_COORD xy = transform(
        QByteArray("+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad ") + projection,
        PJ_FWD, p.lon, p.lat, outside);
    return {0, true, xy.v[0], xy.v[1]};
}

NationalGrid lv95Grid()
{
    return {kLv95Pipeline, insideSwitzerlandOrLiechtenstein, kOutsideSwitzerland};
}

NationalGrid lv03Grid()
{
    return {QByteArray(kLv03Pipeline) + kLv03Projection, insideSwitzerlandOrLiechtenstein,
            kOutsideSwitzerlandLv03};
}

NationalGrid rdGrid()
{
    return {QByteArray(kRdHelmert) + kRdProjection, insideNetherlands, kOutsideNetherlands};
}

} // namespace

QChar utmBand(double lat)
{
    static const char kBands[] = "CDEFGHJKLMNPQRSTUVWX";
    const int index = std::clamp(int(std::floor((lat + 80.0) / 8.0)), 0, 19);
    return QChar::fromLatin1(kBands[index]);
}

GridPosition toUtm(GeoPoint p)
{
    checkPoint(p);
    if (p.lat < -80.0 || p.lat >= 84.0)
        throw QuarvelError(QStringLiteral("UTM reicht nur von S 80° bis N 84° (Polargebiet: UPS)"));
    GridPosition utm;
    GeographicLib::UTMUPS::Forward(p.lat, p.lon, utm.zone, utm.north, utm.easting, utm.northing);
    return utm;
}

GeoPoint fromUtm(const GridPosition &utm)
{
    if (utm.zone < 1 || utm.zone > 60)
        throw QuarvelError(QStringLiteral("Die UTM-Zone muss zwischen 1 und 60 liegen"));
    GeoPoint p;
    try {
        GeographicLib::UTMUPS::Reverse(utm.zone, utm.north, utm.easting, utm.northing, p.lat,
                                       p.lon);
    } catch (const GeographicLib::GeographicErr &) {
        throw QuarvelError(QStringLiteral("Ostwert oder Nordwert liegt außerhalb der UTM-Zone"));
    }
    return p;
}

QString toMgrs(GeoPoint p)
{
    checkPoint(p);
    int zone = 0;
    bool north = true;
    double x = 0, y = 0;
    std::string mgrs;
    GeographicLib::UTMUPS::Forward(p.lat, p.lon, zone, north, x, y);
    GeographicLib::MGRS::Forward(zone, north, x, y, p.lat, 5, mgrs);
    const QString text = QString::fromStdString(mgrs);
    const qsizetype digits = text.size() - 10;
    return text.left(digits - 2) + u' ' + text.mid(digits - 2, 2) + u' ' + text.mid(digits, 5) +
        u' ' + text.mid(digits + 5);
}

GeoPoint fromMgrs(const QString &mgrs)
{
    int zone = 0, precision = 0;
    bool north = true;
    double x = 0, y = 0;
    GeoPoint p;
    try {
        const QString compact = QString(mgrs).remove(QRegularExpression(QStringLiteral("\\s")));
        GeographicLib::MGRS::Reverse(compact.toStdString(), zone, north, x, y, precision, true);
        GeographicLib::UTMUPS::Reverse(zone, north, x, y, p.lat, p.lon);
    } catch (const GeographicLib::GeographicErr &) {
        throw QuarvelError(QStringLiteral("Keine gültige MGRS-Angabe"));
    }
    return p;
}

GridPosition toGaussKrueger(GeoPoint p)
{
    checkPoint(p);
    if (!insideGermany(p))
        throw QuarvelError(kOutsideGermany);
    GridPosition gk;
    gk.zone = std::clamp(int(std::floor((p.lon + 1.5) / 3.0)), 2, 5);
    const PJ_COORD xy =
        transform(gaussKruegerPipeline(gk.zone).toLatin1(), PJ_FWD, p.lon, p.lat, kOutsideGermany);
    gk.easting = xy.v[0];
    gk.northing = xy.v[1];
    return gk;
}

GeoPoint fromGaussKrueger(const GridPosition &gk)
{
    if (gk.zone < 2 || gk.zone > 5)
        throw QuarvelError(
            QStringLiteral("Gauß-Krüger-Rechtswerte beginnen mit der Zone 2, 3, 4 oder 5"));
    const PJ_COORD lonLat = transform(gaussKruegerPipeline(gk.zone).toLatin1(), PJ_INV, gk.easting,
                                      gk.northing, kOutsideGermany);
    const GeoPoint p {lonLat.v[1], lonLat.v[0]};
    if (!insideGermany(p))
        throw QuarvelError(kOutsideGermany);
    return p;
}

GridPosition toLv95(GeoPoint p)
{
    return toNationalGrid(p, lv95Grid());
}

GeoPoint fromLv95(const GridPosition &lv95)
{
    return fromNationalGrid(lv95, lv95Grid());
}

GridPosition toLv03(GeoPoint p)
{
    return toNationalGrid(p, lv03Grid());
}

GeoPoint fromLv03(const GridPosition &lv03)
{
    return fromNationalGrid(lv03, lv03Grid());
}

GridPosition lv03FromCh1903(GeoPoint ch1903)
{
    return projectOwnDatum(ch1903, kLv03Projection, kOutsideSwitzerlandLv03);
}

GridPosition toRd(GeoPoint p)
{
    return toNationalGrid(p, rdGrid());
}

GeoPoint fromRd(const GridPosition &rd)
{
    return fromNationalGrid(rd, rdGrid());
}

GridPosition rdFromAmersfoort(GeoPoint amersfoort)
{
    return projectOwnDatum(amersfoort, kRdProjection, kOutsideNetherlands);
}

Ecef toEcef(GeoPoint p)
{
    checkPoint(p);
    Ecef ecef;
    GeographicLib::Geocentric::WGS84().Forward(p.lat, p.lon, 0.0, ecef.x, ecef.y, ecef.z);
    return ecef;
}

GeoPoint fromEcef(const Ecef &ecef)
{
    if (!std::isfinite(ecef.x) || !std::isfinite(ecef.y) || !std::isfinite(ecef.z))
        throw QuarvelError(QStringLiteral("X, Y und Z müssen endliche Zahlen sein"));
    GeoPoint p;
    double height = 0.0;
    GeographicLib::Geocentric::WGS84().Reverse(ecef.x, ecef.y, ecef.z, p.lat, p.lon, height);
    if (std::abs(height) > 100000.0)
        throw QuarvelError(
            QStringLiteral("Der ECEF-Punkt liegt %1 km %2 der Erdoberfläche: X, Y und Z sind "
                           "Meter vom Erdmittelpunkt")
                .arg(std::llround(std::abs(height) / 1000.0))
                .arg(height < 0 ? QStringLiteral("unter") : QStringLiteral("über")));
    return p;
}

} // namespace Geo
