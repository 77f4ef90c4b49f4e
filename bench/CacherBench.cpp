// The address book at its largest: 65535 records through the record file and the CSV format.
#include "logic/cacher/CacherBook.h"
#include "logic/cacher/CacherCsv.h"
#include "logic/cacher/CacherFile.h"
#include "logic/common/CodePage.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

CacherBook fullBook()
{
    std::vector<TPerson> personen(CacherBook::MaxPersonen);
    for (size_t i = 0; i < personen.size(); ++i) {
        TPerson &p = personen[i];
        const QString n = QString::number(i);
        p.setField(TPerson::Cachername, QStringLiteral("Cacher ") + n);
        p.setField(TPerson::Vorname, QStringLiteral("Jürgen"));
        p.setField(TPerson::Nachname, QStringLiteral("Müller-Lüdenscheidt"));
        p.setField(TPerson::Strasse, QStringLiteral("Hauptstraße ") + n);
        p.setField(TPerson::PLZ, QStringLiteral("50667"));
        p.setField(TPerson::Wohnort, QStringLiteral("Köln"));
        p.setField(TPerson::eMail, QStringLiteral("cacher") + n + QStringLiteral("@example.org"));
        p.setField(TPerson::TelefonNr, QStringLiteral("0221 / 123-45"));
        p.setField(TPerson::HandyNr, QStringLiteral("(0171) 555 12"));
        p.setField(TPerson::Profil,
                   QStringLiteral("http://www.geocaching.com/profile/?u=Cacher%20") + n);
        p.setField(TPerson::Homepage, QStringLiteral("https://example.org/~") + n);
    }
    CacherBook book;
    book.replacePersonen(std::move(personen));
    return book;
}

QByteArray recordFile(const CacherBook &book)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteCacherFile(buffer, book);
    return buffer.data();
}

} // namespace

static void BM_CacherFileWrite65535(benchmark::State &state)
{
    const CacherBook book = fullBook();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        benchmark::DoNotOptimize(WriteCacherFile(buffer, book));
    }
}
BENCHMARK(BM_CacherFileWrite65535)->Unit(benchmark::kMillisecond);

static void BM_CacherFileRead65535(benchmark::State &state)
{
    QByteArray bytes = recordFile(fullBook());
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CacherBook book;
        benchmark::DoNotOptimize(ReadCacherFile(buffer, book));
    }
}
BENCHMARK(BM_CacherFileRead65535)->Unit(benchmark::kMillisecond);

static void BM_CacherCsvExport65535(benchmark::State &state)
{
    const CacherBook book = fullBook();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        benchmark::DoNotOptimize(ExportCsv(buffer, book));
    }
}
BENCHMARK(BM_CacherCsvExport65535)->Unit(benchmark::kMillisecond);

static void BM_CacherCsvImport65535(benchmark::State &state)
{
    QByteArray text = csvText(fullBook());
    for (auto _ : state) {
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(ImportCsv(buffer));
    }
}
BENCHMARK(BM_CacherCsvImport65535)->Unit(benchmark::kMillisecond);

namespace {

// A CSV file of about 100 MB, as large as a book's file gets: 65535 lines with every field
// filled to its maximum. In UTF-8 without a mark each line mixes two-byte umlauts with ASCII
// (the whole file is checked before it is decoded); in Windows-1252 a twelfth field fills the
// line up, so the reader also counts lines with extra fields.
QByteArray hundredMegabyteCsv(bool utf8)
{
    QString line;
    for (int f = 0; f < TPerson::FieldCount; ++f) {
        if (f > 0)
            line += u',';
        const int length = TPerson::layout(TPerson::Field(f)).maxLength;
        for (int i = 0; i < length; ++i)
            line += QStringLiteral("äöb").at(i % 3);
    }
    if (!utf8)
        line += u',' + QString(640, u'x');
    line += QStringLiteral("\r\n");
    const QByteArray bytes = utf8 ? line.toUtf8() : CodePage::toAnsi(line);
    return bytes.repeated(CacherBook::MaxPersonen);
}

void importCsvFile(benchmark::State &state, bool utf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gross.csv"));
    const QByteArray text = hundredMegabyteCsv(utf8);
    {
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write(text);
    }
    for (auto _ : state) {
        QFile in(path);
        in.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(ImportCsv(in));
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    state.counters["MB"] = double(text.size()) / 1e6;
}

} // namespace

static void BM_CacherCsvImport100MBUtf8(benchmark::State &state)
{
    importCsvFile(state, true);
}
BENCHMARK(BM_CacherCsvImport100MBUtf8)->Unit(benchmark::kMillisecond);

static void BM_CacherCsvImport100MBWindows1252(benchmark::State &state)
{
    importCsvFile(state, false);
}
BENCHMARK(BM_CacherCsvImport100MBWindows1252)->Unit(benchmark::kMillisecond);

// Save over an existing file of the full book: a temporary copy in the same folder replaces it.
static void BM_CacherFileSave65535(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Cacher.dat"));
    const CacherBook book = fullBook();
    {
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write(recordFile(book));
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteCacherFile(path, book));
}
BENCHMARK(BM_CacherFileSave65535)->Unit(benchmark::kMillisecond);

namespace {

// The median of a few runs, in seconds.
double medianSeconds(const std::function<void()> &run)
{
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        times.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A plain copy of `bytes` into fresh memory: what any reading or writing of them costs at least.
double copySeconds(const QByteArray &bytes)
{
    return medianSeconds([&] {
        QByteArray copy(bytes.constData(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
    });
}

double importSeconds(const QByteArray &text)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gross.csv"));
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write(text);
    out.close();
    return medianSeconds([&] {
        QFile in(path);
        in.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(ImportCsv(in));
    });
}

} // namespace

// Each address-book file operation next to a plain memory copy of the same bytes, measured side
// by side in the same run; the goal is at most three copies' time for each.
static void BM_CacherRatiosToMemoryCopy(benchmark::State &state)
{
    const CacherBook book = fullBook();
    QByteArray records = recordFile(book);
    const QByteArray utf8 = hundredMegabyteCsv(true);
    const QByteArray ansi = hundredMegabyteCsv(false);
    for (auto _ : state) {
        const double recordCopy = copySeconds(records);
        // Into fresh memory with room for the whole file, like the copy: a buffer growing as it
        // goes would mostly measure its own reallocations, a real file the kernel's page cache.
        const double write = medianSeconds([&] {
            QByteArray target;
            target.reserve(records.size());
            QBuffer buffer(&target);
            buffer.open(QIODevice::WriteOnly);
            benchmark::DoNotOptimize(WriteCacherFile(buffer, book));
        });
        const double read = medianSeconds([&] {
            QBuffer buffer(&records);
            buffer.open(QIODevice::ReadOnly);
            CacherBook back;
            benchmark::DoNotOptimize(ReadCacherFile(buffer, back));
        });
        const double utf8Ratio = importSeconds(utf8) / copySeconds(utf8);
        const double ansiRatio = importSeconds(ansi) / copySeconds(ansi);
        state.counters["write/copy"] = write / recordCopy;
        state.counters["read/copy"] = read / recordCopy;
        state.counters["importUtf8/copy"] = utf8Ratio;
        state.counters["import1252/copy"] = ansiRatio;
        std::printf("Adressbuch, je Vielfaches einer Speicherkopie derselben Bytes (Ziel <= 3):\n"
                    "  Datensatzdatei schreiben  %5.1f\n"
                    "  Datensatzdatei lesen      %5.1f\n"
                    "  CSV-Import 100 MB UTF-8   %5.1f\n"
                    "  CSV-Import 100 MB 1252    %5.1f\n",
                    write / recordCopy, read / recordCopy, utf8Ratio, ansiRatio);
    }
}
BENCHMARK(BM_CacherRatiosToMemoryCopy)->Iterations(1)->Unit(benchmark::kMillisecond);
