#include "logic/geo/GeoGrids.h"

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCalc.h"

#include <GeographicLib/MGRS.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <proj.h>

#include <QRegularExpression>

#include <cmath>
#include <memory>

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

struct ContextDeleter
{
    void operator()(PJ_CONTEXT *context) const { proj_context_destroy(context); }
};
struct PipelineDeleter
{
    void operator()(PJ *pipeline) const { proj_destroy(pipeline); }
};

// Runs one pipeline forward or backward on a fresh context, so no state outlives the call.
PJ_COORD transform(const QByteArray &definition, PJ_DIRECTION direction, double x, double y,
                   const QString &outside)
{
    std::unique_ptr<PJ_CONTEXT, ContextDeleter> context(proj_context_create());
    proj_log_level(context.get(), PJ_LOG_NONE);
    std::unique_ptr<PJ, PipelineDeleter> pipeline(
        proj_create(context.get(), definition.constData()));
    if (!pipeline)
        throw QuarvelError(
            QStringLiteral("Die Umrechnungsdaten von PROJ fehlen (Paket proj-data installieren)"));
    const PJ_COORD result = proj_trans(pipeline.get(), direction, proj_coord(x, y, 0, 0));
    if (!std::isfinite(result.v[0]) || !std::isfinite(result.v[1]) || result.v[0] == HUGE_VAL)
        throw QuarvelError(outside);
    return result;
}

const QString kOutsideGermany =
    QStringLiteral("Gauß-Krüger (DHDN) gibt es hier nur innerhalb Deutschlands (BETA2007-Gitter)");
const QString kOutsideSwitzerland =
    QStringLiteral("LV95 gilt nur für die Schweiz und Liechtenstein");

bool insideSwitzerland(GeoPoint p)
{
    return p.lat >= 45.5 && p.lat <= 48.0 && p.lon >= 5.5 && p.lon <= 11.0;
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
    return {lonLat.v[1], lonLat.v[0]};
}

GridPosition toLv95(GeoPoint p)
{
    checkPoint(p);
    if (!insideSwitzerland(p))
        throw QuarvelError(kOutsideSwitzerland);
    const PJ_COORD xy = transform(kLv95Pipeline, PJ_FWD, p.lon, p.lat, kOutsideSwitzerland);
    return {0, true, xy.v[0], xy.v[1]};
}

GeoPoint fromLv95(const GridPosition &lv95)
{
    const PJ_COORD lonLat =
        transform(kLv95Pipeline, PJ_INV, lv95.easting, lv95.northing, kOutsideSwitzerland);
    const GeoPoint p {lonLat.v[1], lonLat.v[0]};
    if (!insideSwitzerland(p))
        throw QuarvelError(kOutsideSwitzerland);
    return p;
}

} // namespace Geo
