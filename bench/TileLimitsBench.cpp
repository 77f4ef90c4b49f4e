#include "gui/map/HostileTileServer.h"
#include "gui/map/MapWidget.h"
#include "gui/map/TileLoader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

// Hostile tile servers on 127.0.0.1 against the map's loader: a body without end, a body
// announced at 100 GB, and a 4096 × 4096 PNG (57 KB, 64 MB decoded) for each of the four tiles
// of zoom 1. Printed: the time until all four are given up, the growth of the peak memory, and
// the longest stretch the window's thread went without turning its event loop. Goals: given
// up within a second or two, memory a few MB (no tile held whole), no stall over 100 ms.
namespace {

qint64 statusKilobytes(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

void resetPeak()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

QByteArray hugePng()
{
    QImage image(4096, 4096, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Runs the loader against `pattern` until every tile of zoom 1 was given up.
void giveUpAll(benchmark::State &state, const QString &pattern)
{
    double stallMs = 0;
    qint64 growthKb = 0;
    for (auto _ : state) {
        resetPeak();
        const qint64 before = statusKilobytes("VmHWM:");
        TileLoader loader(pattern, QString(), 0, QStringLiteral("Quarvel/bench"));
        MapWidget map;
        map.resize(512, 512);
        map.setView({0, 0}, 1);
        map.setTileLoader(&loader);
        QImage frame(map.size(), QImage::Format_RGB32);
        {
            QPainter painter(&frame);
            map.render(painter);
        }
        QElapsedTimer turn;
        turn.start();
        while (loader.refused() < 4) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            stallMs = std::max(stallMs, double(turn.nsecsElapsed()) / 1e6);
            turn.restart();
        }
        growthKb = std::max(growthKb, statusKilobytes("VmHWM:") - before);
    }
    state.counters["peak_growth_MB"] = double(growthKb) / 1024;
    state.counters["longest_stall_ms"] = stallMs;
    state.counters["goal_stall_ms"] = 100;
}

} // namespace

static void BM_TileEndlessChunkedBody(benchmark::State &state)
{
    HostileTileServer server(HostileTileServer::Kind::EndlessChunked);
    giveUpAll(state, server.pattern());
}
BENCHMARK(BM_TileEndlessChunkedBody)->Iterations(3)->Unit(benchmark::kMillisecond);

static void BM_TileHundredGigabyteBody(benchmark::State &state)
{
    HostileTileServer server(HostileTileServer::Kind::HundredGigabytes);
    giveUpAll(state, server.pattern());
}
BENCHMARK(BM_TileHundredGigabyteBody)->Iterations(3)->Unit(benchmark::kMillisecond);

static void BM_TileOf4096Pixels(benchmark::State &state)
{
    const QByteArray png = hugePng();
    HostileTileServer server(HostileTileServer::Kind::Unannounced, 0, png);
    giveUpAll(state, server.pattern());
    state.counters["png_KB"] = double(png.size()) / 1024;
}
BENCHMARK(BM_TileOf4096Pixels)->Iterations(3)->Unit(benchmark::kMillisecond);
