// Reading GPX files: quarvel-cli on 200,000 waypoints (26 MB) as a separate process, with its
// wall time and peak memory; the reader in-process; and the hostile inputs that cost quadratic
// time before: a tag with 120,000 attributes, a line of 160,000 words naming no file for
// `quarvel-cli gpx`, a megabyte of zeros for the multi-tap decoder.
//
// Goals: the command line reads 200,000 waypoints in at most 2.0 s (wall time on a machine
// without other load; child_cpu_s is the process's own CPU time, steadier on a shared machine),
// and its peak memory is the same for a tenth of the file (it does not grow with the file); each
// hostile input is refused or decoded well under a second.
#include "cli/Runner.h"
#include "logic/ciphers/CipherRegistry.h"
#include "logic/common/QuarvelError.h"
#include "logic/map/Gpx.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

extern char **environ;

namespace {

// About 130 bytes a waypoint, as a pocket query without its extensions.
QByteArray waypointFile(int count)
{
    QByteArray text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<gpx version=\"1.1\" creator=\"bench\" "
                      "xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    for (int i = 0; i < count; ++i) {
        text += "<wpt lat=\"" + QByteArray::number(52 + i * 1e-5, 'f', 7) + "\" lon=\"" +
            QByteArray::number(13 + i * 1e-5, 'f', 7) + "\"><name>GC" +
            QByteArray::number(0x10000 + i, 16).toUpper() + "</name><desc>Cache " +
            QByteArray::number(i) + " im Wald</desc><sym>Geocache</sym></wpt>\n";
    }
    return text + "</gpx>\n";
}

struct ChildRun
{
    double wallSeconds = -1;
    double cpuSeconds = 0;
    double peakMegabytes = 0;
};

// The peak memory of a running process, in kilobytes; 0 once it has ended.
qint64 peakKilobytes(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// Runs quarvel-cli with its output thrown away. Its peak memory is read from /proc while it
// runs: the figure wait4 gives for a process spawned from this one starts at this process's
// own peak. wait4 gives the child's CPU time.
ChildRun runCli(const QStringList &arguments)
{
    const QByteArray program = QByteArrayLiteral(QUARVEL_BIN_DIR "/quarvel-cli");
    std::vector<QByteArray> texts {program};
    for (const QString &argument : arguments)
        texts.push_back(argument.toUtf8());
    std::vector<char *> argv;
    for (QByteArray &text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    ChildRun run;
    if (posix_spawn(&pid, program.constData(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage {};
        qint64 peak = 0;
        pid_t done = 0;
        while ((done = wait4(pid, &status, WNOHANG, &usage)) == 0) {
            peak = std::max(peak, peakKilobytes(pid));
            usleep(2000);
        }
        if (done == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            run.wallSeconds = double(timer.nsecsElapsed()) / 1e9;
            run.peakMegabytes = double(peak) / 1024;
            const auto seconds = [](const timeval &t) {
                return double(t.tv_sec) + double(t.tv_usec) / 1e6;
            };
            run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

void cliOnFile(benchmark::State &state, bool json)
{
    const int count = int(state.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("caches.gpx"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(waypointFile(count)) < 0) {
        state.SkipWithError("cannot write the file");
        return;
    }
    file.close();
    QStringList arguments {QStringLiteral("gpx")};
    if (json)
        arguments << QStringLiteral("--json");
    arguments << path;
    ChildRun last;
    double cpu = 0;
    for (auto _ : state) {
        last = runCli(arguments);
        if (last.wallSeconds < 0) {
            state.SkipWithError("quarvel-cli failed");
            return;
        }
        state.SetIterationTime(last.wallSeconds);
        cpu += last.cpuSeconds;
    }
    state.counters["file_MB"] = double(file.size()) / (1 << 20);
    state.counters["child_cpu_s"] = cpu / double(state.iterations());
    state.counters["peak_MB"] = last.peakMegabytes;
    state.counters["goal_s"] = 2.0 * count / 200'000;
}

class CountingVisitor : public Map::GpxVisitor
{
public:
    qsizetype points = 0;
    void waypoint(Map::GpxWaypoint &&) override { ++points; }
    void pathBegins(bool) override { }
    void segmentBegins() override { }
    void pathPoint(Map::GpxPathPoint &&) override { ++points; }
    void pathEnds(const QString &) override { }
};

// Seconds until `work` returns or throws the program's error.
template<typename Work> void timeRefusal(benchmark::State &state, Work work)
{
    for (auto _ : state) {
        try {
            work();
        } catch (const QuarvelError &) {
        }
    }
    state.counters["goal_ms"] = 1000;
}

} // namespace

static void BM_GpxCliText(benchmark::State &state)
{
    cliOnFile(state, false);
}
BENCHMARK(BM_GpxCliText)
    ->Arg(20'000)
    ->Arg(200'000)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

static void BM_GpxCliJson(benchmark::State &state)
{
    cliOnFile(state, true);
}
BENCHMARK(BM_GpxCliJson)
    ->Arg(20'000)
    ->Arg(200'000)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

static void BM_GpxReadInProcess(benchmark::State &state)
{
    QByteArray text = waypointFile(200'000);
    for (auto _ : state) {
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        CountingVisitor visitor;
        Map::readGpx(buffer, visitor);
        benchmark::DoNotOptimize(visitor.points);
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    state.counters["goal_ms"] = 2000;
}
BENCHMARK(BM_GpxReadInProcess)->Unit(benchmark::kMillisecond);

static void BM_GpxTagWith120000Attributes(benchmark::State &state)
{
    QByteArray text = "<gpx><wpt lat=\"1\" lon=\"2\"";
    for (int i = 0; i < 120'000; ++i)
        text += " a" + QByteArray::number(i) + "=\"1\"";
    text += "/></gpx>";
    timeRefusal(state, [&] {
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        Map::readGpx(buffer);
    });
}
BENCHMARK(BM_GpxTagWith120000Attributes)->Unit(benchmark::kMillisecond);

static void BM_GpxCliLineOf160000WordsNamingNoFile(benchmark::State &state)
{
    QList<QByteArray> arguments {"gpx"};
    for (int i = 0; i < 160'000; ++i)
        arguments.append("fehlt" + QByteArray::number(i));
    for (auto _ : state) {
        QByteArray in, out, err;
        QBuffer input(&in), output(&out), errors(&err);
        input.open(QIODevice::ReadOnly);
        output.open(QIODevice::WriteOnly);
        errors.open(QIODevice::WriteOnly);
        benchmark::DoNotOptimize(Cli::run(arguments, input, output, errors));
    }
    state.counters["goal_ms"] = 1000;
}
BENCHMARK(BM_GpxCliLineOf160000WordsNamingNoFile)->Unit(benchmark::kMillisecond);

static void BM_MultiTapMegabyteOfZeros(benchmark::State &state)
{
    const QString zeros(1 << 20, u'0');
    const Ciphers::Cipher *handy = Ciphers::findCipher(QStringLiteral("handy"));
    timeRefusal(state, [&] { benchmark::DoNotOptimize(handy->decode(zeros)); });
}
BENCHMARK(BM_MultiTapMegabyteOfZeros)->Unit(benchmark::kMillisecond);
