#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoFormats.h"
#include "logic/geo/GeoGrids.h"
#include "logic/geo/GeoIntersect.h"
#include "logic/geo/GeoNac.h"
#include "logic/geo/GeoRead.h"
#include "logic/geo/GeoResection.h"
#include "logic/geo/GeoTasks.h"
#include "logic/geo/GeoTiles.h"
#include "logic/geo/GeoWherigo.h"

#include <benchmark/benchmark.h>

// Every computation of the coordinate calculator, one call per iteration; the goal is well
// below a millisecond each, so the pages can recompute on every key.
namespace {

const Geo::GeoPoint kHeader {52.5208333, 13.4118833};
const Geo::GeoPoint kSecond {52.5133333, 13.4266667};

} // namespace

static void BM_GeoReadPosition(benchmark::State &state, const char *text)
{
    const QString input = QString::fromUtf8(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::readPosition(input));
}
BENCHMARK_CAPTURE(BM_GeoReadPosition, DegreesMinutes, "N 52° 31.250 E 013° 24.713");
BENCHMARK_CAPTURE(BM_GeoReadPosition, DecimalPair, "52.52083, 13.41188");
BENCHMARK_CAPTURE(BM_GeoReadPosition, Utm, "33U 392248 5820155");
BENCHMARK_CAPTURE(BM_GeoReadPosition, Mgrs, "33U UU 92248 20154");
BENCHMARK_CAPTURE(BM_GeoReadPosition, GaussKrueger, "R 4595937 H 5821794");

static void BM_GeoAllFormats(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::allFormats(kHeader));
}
BENCHMARK(BM_GeoAllFormats);

static void BM_GeoGaussKrueger(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::toGaussKrueger(kHeader));
}
BENCHMARK(BM_GeoGaussKrueger);

static void BM_GeoLv95(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::toLv95({46.95, 7.44}));
}
BENCHMARK(BM_GeoLv95);

static void BM_GeoProject(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::project(kHeader, 72.0, 350.0));
}
BENCHMARK(BM_GeoProject);

static void BM_GeoDistanceAndBearing(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::distanceAndBearing(kHeader, kSecond));
}
BENCHMARK(BM_GeoDistanceAndBearing);

static void BM_GeoDistanceNearlyAntipodal(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::distanceAndBearing({-30.0, 0.0}, {29.9, 179.8}));
}
BENCHMARK(BM_GeoDistanceNearlyAntipodal);

static void BM_GeoMidpoint(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::midpoint(kHeader, kSecond));
}
BENCHMARK(BM_GeoMidpoint);

static void BM_GeoCentreOfThree(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::centreOfThree(kHeader, kSecond, {52.51, 13.40}));
}
BENCHMARK(BM_GeoCentreOfThree);

static void BM_GeoIntersectBearings(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::intersectBearings({kHeader, 123.5}, {kSecond, 35.0}));
}
BENCHMARK(BM_GeoIntersectBearings);

static void BM_GeoIntersectBearingsFarApart(benchmark::State &state)
{
    // New York and London, both aimed at a point in the North Atlantic.
    const Geo::GeoPoint jfk {40.6, -73.8}, london {51.5, 0.0}, atlantic {55.0, -30.0};
    const Geo::BearingLine first {jfk, Geo::distanceAndBearing(jfk, atlantic).initialBearing};
    const Geo::BearingLine second {london,
                                   Geo::distanceAndBearing(london, atlantic).initialBearing};
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::intersectBearings(first, second));
}
BENCHMARK(BM_GeoIntersectBearingsFarApart);

static void BM_GeoIntersectLineCircle(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::intersectLineCircle({kHeader, 120.0}, {kSecond, 500.0}));
}
BENCHMARK(BM_GeoIntersectLineCircle);

static void BM_GeoIntersectCircles(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::intersectCircles({kHeader, 1200.0}, {kSecond, 900.0}));
}
BENCHMARK(BM_GeoIntersectCircles);

static void BM_GeoTrilaterate(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::trilaterate({kHeader, 1200.0}, {kSecond, 900.0},
                                                  {{52.5083333, 13.3983333}, 1000.0}));
}
BENCHMARK(BM_GeoTrilaterate);

// The grid conversions through PROJ, goal at most 10 µs each: the context and the pipeline are
// made once per thread, so a conversion is only the transformation itself.
static void BM_GeoProjConversion(benchmark::State &state,
                                 Geo::GridPosition (*convert)(Geo::GeoPoint), Geo::GeoPoint p)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(convert(p));
    state.SetLabel("Ziel <= 10 us");
}
BENCHMARK_CAPTURE(BM_GeoProjConversion, GaussKrueger, Geo::toGaussKrueger, kHeader);
BENCHMARK_CAPTURE(BM_GeoProjConversion, Lv95, Geo::toLv95, Geo::GeoPoint {46.95, 7.44});
BENCHMARK_CAPTURE(BM_GeoProjConversion, Rd, Geo::toRd, Geo::GeoPoint {52.155, 5.387});

static void BM_GeoReadAnyFormat(benchmark::State &state, const char *text)
{
    const QString input = QString::fromUtf8(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::readAnyPosition(input, std::nullopt, kHeader));
}
BENCHMARK_CAPTURE(BM_GeoReadAnyFormat, Maidenhead, "JO62qm95");
BENCHMARK_CAPTURE(BM_GeoReadAnyFormat, PlusCodeShort, "GCC6+8Q");
BENCHMARK_CAPTURE(BM_GeoReadAnyFormat, Geohash, "u33dc1nhp8");
BENCHMARK_CAPTURE(BM_GeoReadAnyFormat, Rd, "X 155000 Y 463000");

// The constructions: each task's whole computation per iteration, its goal beside it (20 µs, the
// resection's iteration 200 µs).
namespace {

void labelGoal(benchmark::State &state, double goalMicroseconds)
{
    state.counters["goal_us"] = goalMicroseconds;
}

const Geo::GeoPoint kThird {52.5083333, 13.3983333};

} // namespace

static void BM_GeoCentroid(benchmark::State &state)
{
    const QList<Geo::GeoPoint> points {kHeader, kSecond, kThird};
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::centroid(points));
    labelGoal(state, 20);
}
BENCHMARK(BM_GeoCentroid);

static void BM_GeoAntipode(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::antipode(kHeader));
    labelGoal(state, 20);
}
BENCHMARK(BM_GeoAntipode);

static void BM_GeoRhumbInverse(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::rhumbInverse(kHeader, kSecond));
    labelGoal(state, 20);
}
BENCHMARK(BM_GeoRhumbInverse);

static void BM_GeoRhumbDirect(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::rhumbDirect(kHeader, 72.0, 3500.0));
    labelGoal(state, 20);
}
BENCHMARK(BM_GeoRhumbDirect);

static void BM_GeoResection(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::resect(kHeader, kSecond, kThird, 100.0, 120.0));
    labelGoal(state, 200);
}
BENCHMARK(BM_GeoResection);

static void BM_GeoDivide(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::divideGeodesic(kHeader, kSecond, 5));
    labelGoal(state, 20);
}
BENCHMARK(BM_GeoDivide);

static void BM_GeoEquilateral(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::equilateralApexes(kHeader, kSecond));
    labelGoal(state, 20);
}
BENCHMARK(BM_GeoEquilateral);

static void BM_GeoOffset(benchmark::State &state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(Geo::offsetByMinutes(kHeader, 0.25, -0.125));
        benchmark::DoNotOptimize(Geo::offsetByMetres(kHeader, -120.0, 80.0));
    }
    labelGoal(state, 20);
}
BENCHMARK(BM_GeoOffset);

static void BM_GeoNewFormats(benchmark::State &state, QString (*write)(Geo::GeoPoint))
{
    for (auto _ : state)
        benchmark::DoNotOptimize(write({46.95, 7.44}));
    labelGoal(state, 20);
}
BENCHMARK_CAPTURE(BM_GeoNewFormats, Lv03, Geo::formatLv03);
BENCHMARK_CAPTURE(BM_GeoNewFormats, Wherigo, Geo::toWherigo);
BENCHMARK_CAPTURE(BM_GeoNewFormats, Kachel, [](Geo::GeoPoint p) { return Geo::toTileText(p); });
BENCHMARK_CAPTURE(BM_GeoNewFormats, Quadkey, [](Geo::GeoPoint p) { return Geo::toQuadkey(p); });
BENCHMARK_CAPTURE(BM_GeoNewFormats, Nac, [](Geo::GeoPoint p) { return Geo::toNaturalAreaCode(p); });

static void BM_GeoReadNewFormat(benchmark::State &state, const char *text)
{
    const QString input = QString::fromUtf8(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(Geo::readAnyPosition(input));
    labelGoal(state, 20);
}
BENCHMARK_CAPTURE(BM_GeoReadNewFormat, Lv03, "Y 600000 X 200000");
BENCHMARK_CAPTURE(BM_GeoReadNewFormat, Wherigo, "261180 536802 118040");
BENCHMARK_CAPTURE(BM_GeoReadNewFormat, Kachel, "17/70406/42987");
BENCHMARK_CAPTURE(BM_GeoReadNewFormat, Quadkey, "12020210322313021");
BENCHMARK_CAPTURE(BM_GeoReadNewFormat, Nac, "HBV6R RG77T");
