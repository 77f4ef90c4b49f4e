// The picture analysis on a photo of 24 megapixels (6000 × 4000, JPEG at quality 90 with
// camera-like noise, about 10 MB, with EXIF and a thumbnail): the whole report without the code
// search, and with it.
//
// Goals: the report without the code search in under 500 ms, with it in under 2 s.
#include "image/ImageReport.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

#include <benchmark/benchmark.h>

namespace {

QByteArray photo24Megapixels()
{
    QImage image(6000, 4000, QImage::Format_RGB32);
    quint32 noise = 12345;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int n = int(noise >> 28);
            line[x] = qRgb((x / 24 + n) & 0xFF, (y / 16 + n) & 0xFF, ((x + y) / 40 + n) & 0xFF);
        }
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(90);
    writer.write(image);
    QByteArray thumbnail;
    QBuffer thumbBuffer(&thumbnail);
    thumbBuffer.open(QIODevice::WriteOnly);
    image.scaled(160, 107).save(&thumbBuffer, "JPEG");
    // EXIF with IFD0 holding one text and IFD1 the thumbnail.
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    const auto le = [](quint32 v, int bytes) {
        QByteArray b(4, '\0');
        qToLittleEndian<quint32>(v, b.data());
        return b.first(bytes);
    };
    tiff += le(1, 2) + le(0x013B, 2) + le(2, 2) + le(4, 4) + QByteArray("Ich\0", 4) + le(26, 4);
    tiff += le(2, 2) + le(0x0201, 2) + le(4, 2) + le(1, 4) + le(56, 4) + le(0x0202, 2) + le(4, 2) +
        le(1, 4) + le(quint32(thumbnail.size()), 4) + le(0, 4);
    const QByteArray app1 = QByteArray("Exif\0\0", 6) + tiff + thumbnail;
    QByteArray segment("\xFF\xE1", 2);
    segment += char((app1.size() + 2) >> 8);
    segment += char((app1.size() + 2) & 0xFF);
    return jpeg.first(2) + segment + app1 + jpeg.sliced(2);
}

const QByteArray &photo()
{
    static const QByteArray bytes = photo24Megapixels();
    return bytes;
}

void analyseBench(benchmark::State &state, bool codes, double goalMs)
{
    const QByteArray &bytes = photo();
    ImageAnalysis::Options options;
    options.codesSuchen = codes;
    for (auto _ : state) {
        const ImageAnalysis::Report report = ImageAnalysis::analyse(bytes, options);
        benchmark::DoNotOptimize(report.breite);
        if (report.breite != 6000 || report.vorschaubilder.size() != 1)
            state.SkipWithError("the photo was not read as written");
    }
    state.counters["file_MB"] = double(bytes.size()) / (1 << 20);
    state.counters["goal_ms"] = goalMs;
}

void BM_ImageReport24MegapixelsWithoutCodes(benchmark::State &state)
{
    analyseBench(state, false, 500);
}
BENCHMARK(BM_ImageReport24MegapixelsWithoutCodes)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImageReport24MegapixelsWithCodes(benchmark::State &state)
{
    analyseBench(state, true, 2000);
}
BENCHMARK(BM_ImageReport24MegapixelsWithCodes)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
