#include "gui/map/MapWidget.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

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
