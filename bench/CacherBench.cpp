// The address book at its largest: 65535 records through the record file and the CSV format.
#include "logic/cacher/CacherBook.h"
#include "logic/cacher/CacherCsv.h"
#include "logic/cacher/CacherFile.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

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
