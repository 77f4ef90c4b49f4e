#include "gui/map/MapWidget.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>

// One frame of the map with 100,000 formula candidates spread over a few kilometres, as the
// variable-coordinates window hands them over, at 1366 × 768 without tiles. The goal is under
// 30 ms per frame, so panning stays smooth.
static void BM_MapFrameWithCandidates(benchmark::State &state)
{
    const int count = int(state.range(0));
    std::mt19937 random(7);
    std::uniform_real_distribution<double> lat(52.50, 52.56), lon(13.36, 13.46);
    std::vector<Geo::GeoPoint> points;
    std::vector<quint64> ids;
    for (int i = 0; i < count; ++i) {
        points.push_back({lat(random), lon(random)});
        ids.push_back(quint64(i));
    }
    MapWidget map;
    map.resize(1366, 768);
    map.setCandidates(points, ids);
    map.setView({52.53, 13.41}, 13);
    QImage frame(map.size(), QImage::Format_ARGB32_Premultiplied);
    int step = 0;
    for (auto _ : state) {
        // Panning: every frame a little further, as a drag does.
        map.setView(map.positionAt(QPointF(683 + (step++ % 2 ? -5 : 5), 384)), 13);
        QPainter painter(&frame);
        map.render(painter);
    }
    state.counters["goal_ms"] = 30;
}
BENCHMARK(BM_MapFrameWithCandidates)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The layers of a large import: 20,000 waypoints and a track of 100,000 points over a city, at
// 1366 × 768. Dragging shifts the kept picture; a change of zoom draws it anew (the lines of a
// zoom level are simplified once, on its first frame). Goal: under 30 ms per frame for both.
namespace {

// What: 1 the waypoints, 2 the track, 3 both.
void fillLargeImport(MapWidget &map, int what = 3)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> lat(52.40, 52.65), lon(13.15, 13.65);
    Map::Layer waypoints;
    waypoints.name = QStringLiteral("GPX: Wegpunkte");
    for (int i = 0; i < 20'000; ++i)
        waypoints.markers.append({{lat(random), lon(random)}, QStringLiteral("GC%1").arg(i)});
    Map::Layer track;
    track.name = QStringLiteral("GPX: Track");
    // A recorded track: a point every 5 m along a meandering way, 3 m of receiver noise,
    // turning back at the edges of the area.
    Map::Polyline line;
    double a = 52.5, o = 13.4, heading = 0.3;
    std::normal_distribution<double> turn(0, 0.05), noise(0, 0.00003);
    for (int i = 0; i < 100'000; ++i) {
        heading += turn(random);
        a += 0.000045 * std::cos(heading);
        o += 0.000074 * std::sin(heading);
        if (a < 52.40 || a > 52.65 || o < 13.15 || o > 13.65)
            heading += 3.14159;
        line.points.append({a + noise(random), o + noise(random)});
    }
    track.lines.append(line);
    if (what & 1)
        map.setLayer(waypoints, QColor(0x8E, 0x2D, 0xA8));
    if (what & 2)
        map.setLayer(track, QColor(0x1F, 0x4E, 0xB4));
}

} // namespace

static void BM_MapFrameWithLargeImportDragging(benchmark::State &state)
{
    MapWidget map;
    map.resize(1366, 768);
    fillLargeImport(map, int(state.range(1)));
    const int zoom = int(state.range(0));
    map.setView({52.52, 13.40}, zoom);
    QImage frame(map.size(), QImage::Format_ARGB32_Premultiplied);
    int step = 0;
    for (auto _ : state) {
        // A drag to and fro across the kept margin, so some frames draw the picture anew.
        const double dx = (step++ / 40) % 2 ? -9 : 9;
        map.setView(map.positionAt(QPointF(683 + dx, 384)), zoom);
        QPainter painter(&frame);
        map.render(painter);
    }
    state.counters["goal_ms"] = 30;
}
BENCHMARK(BM_MapFrameWithLargeImportDragging)
    ->ArgNames({"zoom", "layers"})
    ->Args({10, 3})
    ->Args({13, 3})
    ->Args({16, 3})
    ->Unit(benchmark::kMillisecond);

static void BM_MapFrameWithLargeImportZooming(benchmark::State &state)
{
    MapWidget map;
    map.resize(1366, 768);
    fillLargeImport(map, int(state.range(0)));
    QImage frame(map.size(), QImage::Format_ARGB32_Premultiplied);
    // The first frame at each zoom simplifies the lines for it; that is timed on its own below.
    for (int zoom = 10; zoom < 17; ++zoom) {
        map.setView({52.52, 13.40}, zoom);
        QPainter painter(&frame);
        map.render(painter);
    }
    int step = 0;
    for (auto _ : state) {
        // Every frame at another zoom, each drawn in full.
        map.setView({52.52, 13.40}, 10 + step++ % 7);
        QPainter painter(&frame);
        map.render(painter);
    }
    state.counters["goal_ms"] = 30;
}
BENCHMARK(BM_MapFrameWithLargeImportZooming)
    ->ArgName("layers")
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond);

// The first frame at a zoom level: the track is simplified for it (once per level and layer).
static void BM_MapTrackSimplifiedForAZoom(benchmark::State &state)
{
    MapWidget map;
    map.resize(1366, 768);
    QImage frame(map.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        state.PauseTiming();
        fillLargeImport(map, 2); // a new layer forgets its simplified lines
        map.setView({52.52, 13.40}, int(state.range(0)));
        state.ResumeTiming();
        QPainter painter(&frame);
        map.render(painter);
    }
    state.counters["goal_ms"] = 30;
}
BENCHMARK(BM_MapTrackSimplifiedForAZoom)
    ->ArgName("zoom")
    ->Arg(10)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond);
