// The map window importing a pocket query of 300,000 waypoints (27 MB) through its menu, as a
// user would: the time until the layer shows, the longest stretch the window's thread went
// without turning its event loop while the file was read, and the first frame with every marker.
// Goals: no stall over 1 s (the reading runs beside the window), the first frame under 30 ms.
#include "fakes/TestApp.h"
#include "gui/map/Karte_Unit.h"
#include "gui/map/MapWidget.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// About 90 bytes a waypoint, as a pocket query's names and short descriptions.
QString writePocketQuery(const QTemporaryDir &dir, int count)
{
    QByteArray text = "<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    text.reserve(qsizetype(count) * 92 + 100);
    for (int i = 0; i < count; ++i)
        text += "<wpt lat=\"5" + QByteArray::number(2000000 + i % 900000).insert(1, '.') +
            "\" lon=\"1" + QByteArray::number(3000000 + i * 7 % 900000).insert(1, '.') +
            "\"><name>GC" + QByteArray::number(100000 + i, 36).toUpper() + "</name><desc>Tradi " +
            QByteArray::number(i) + "</desc></wpt>\n";
    text += "</gpx>\n";
    QFile file(dir.filePath(QStringLiteral("pocket-query.gpx")));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return {};
    return file.fileName();
}

} // namespace

static void BM_MapImport300000Waypoints(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = writePocketQuery(dir, int(state.range(0)));
    if (path.isEmpty()) {
        state.SkipWithError("the GPX file could not be written");
        return;
    }
    TestApp app;
    double stallMs = 0, frameMs = 0, megabytes = double(QFile(path).size()) / 1e6;
    qsizetype markers = 0;
    for (auto _ : state) {
        TfrmKarte window(app.context);
        window.resize(1366, 768);
        app.dialogs.fileAnswers = {path};
        window.actGpxImportieren->trigger();
        QElapsedTimer turn;
        turn.start();
        while (window.importing()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            stallMs = std::max(stallMs, double(turn.nsecsElapsed()) / 1e6);
            turn.restart();
        }
        const auto &layers = window.mapKarte->layers();
        markers = layers.size() == 1 ? qsizetype(layers[0].markers.size()) : 0;
        QImage frame(window.mapKarte->size(), QImage::Format_RGB32);
        QElapsedTimer paint;
        paint.start();
        {
            QPainter painter(&frame);
            window.mapKarte->render(painter);
        }
        frameMs = std::max(frameMs, double(paint.nsecsElapsed()) / 1e6);
    }
    if (markers != state.range(0))
        state.SkipWithError("not every waypoint reached the map");
    state.counters["file_MB"] = megabytes;
    state.counters["longest_stall_ms"] = stallMs;
    state.counters["goal_stall_ms"] = 1000;
    state.counters["first_frame_ms"] = frameMs;
    state.counters["goal_frame_ms"] = 30;
}
BENCHMARK(BM_MapImport300000Waypoints)->Arg(300'000)->Iterations(1)->Unit(benchmark::kMillisecond);
