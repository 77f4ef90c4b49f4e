// Format, size, colour depth, frames and delays: read from each format's blocks before decoding.
#include "image/ImageTestHelpers.h"
#include "logic/common/QuarvelError.h"
#include "support/image/ImageFixtures.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <vector>

using namespace Fixtures;

namespace {

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}

QByteArray le24(quint32 v)
{
    return le32(v).first(3);
}

QByteArray riffChunk(const QByteArray &type, const QByteArray &data)
{
    return type + le32(quint32(data.size())) + data + (data.size() % 2 ? QByteArray(1, '\0') : "");
}

// An animated WebP of `frames` frames of the given durations on a 300 × 200 canvas; the
// bitstreams are left empty, the walker reads no pixel.
QByteArray animatedWebp(const QList<int> &durations)
{
    QByteArray body =
        riffChunk("VP8X", QByteArray(1, char(0x12)) + QByteArray(3, '\0') + le24(299) + le24(199));
    body += riffChunk("ANIM", QByteArray(6, '\0'));
    for (const int ms : durations)
        body += riffChunk("ANMF",
                          le24(0) + le24(0) + le24(99) + le24(49) + le24(quint32(ms)) +
                              QByteArray(1, '\0'));
    return "RIFF" + le32(quint32(body.size() + 4)) + "WEBP" + body;
}

QByteArray apng(const QList<int> &delaysCentiseconds)
{
    const QByteArray png = encode(testPicture(40, 30), "PNG");
    QByteArray actl(8, '\0');
    qToBigEndian<quint32>(quint32(delaysCentiseconds.size()), actl.data());
    QList<QByteArray> chunks = {pngChunk("acTL", actl)};
    quint32 sequence = 0;
    for (const int delay : delaysCentiseconds) {
        QByteArray fctl(26, '\0');
        qToBigEndian<quint32>(sequence++, fctl.data());
        qToBigEndian<quint32>(40, fctl.data() + 4);
        qToBigEndian<quint32>(30, fctl.data() + 8);
        qToBigEndian<quint16>(quint16(delay), fctl.data() + 20);
        qToBigEndian<quint16>(100, fctl.data() + 22);
        chunks << pngChunk("fcTL", fctl);
    }
    return withPngChunks(png, chunks);
}

} // namespace

TEST(ImageFormats, HeaderGivesFormatSizeDepthAndFrames)
{
    QImage grey(33, 17, QImage::Format_Grayscale8);
    grey.fill(128);
    QImage rgba(20, 10, QImage::Format_ARGB32);
    rgba.fill(qRgba(1, 2, 3, 4));
    struct Case
    {
        const char *name;
        QByteArray bytes;
        QString format;
        int width, height, depth, frames;
        QList<int> delays;
    };
    const Case cases[] = {
        {"JPEG", encode(testPicture(64, 48), "JPEG"), "JPEG", 64, 48, 24, 1, {}},
        {"grey JPEG", encode(grey, "JPEG"), "JPEG", 33, 17, 8, 1, {}},
        {"PNG with alpha", encode(rgba, "PNG"), "PNG", 20, 10, 32, 1, {}},
        {"grey PNG", encode(grey, "PNG"), "PNG", 33, 17, 8, 1, {}},
        {"BMP through Qt", encode(testPicture(7, 5), "BMP"), "BMP", 7, 5, 32, 1, {}},
        {"3-frame GIF", animatedGif({10, 20, 35}), "GIF", 1, 1, 1, 3, {100, 200, 350}},
        {"still GIF", animatedGif({0}), "GIF", 1, 1, 1, 1, {}},
        {"APNG", apng({5, 10, 50}), "APNG", 40, 30, 24, 3, {50, 100, 500}},
        {"APNG announcing no frames", apng({}), "APNG", 40, 30, 24, 1, {}},
        {"animated WebP", animatedWebp({40, 80}), "WebP", 300, 200, 32, 2, {40, 80}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ImageAnalysis::Report report = analyseWithoutCodes(c.bytes);
        EXPECT_EQ(report.format, c.format);
        EXPECT_EQ(report.breite, c.width);
        EXPECT_EQ(report.hoehe, c.height);
        EXPECT_EQ(report.farbtiefe, c.depth);
        EXPECT_EQ(report.bilder, c.frames);
        // As vectors: comparing two empty QLists passes a null pointer to memcmp.
        EXPECT_EQ(std::vector<int>(report.bildDauernMs.begin(), report.bildDauernMs.end()),
                  std::vector<int>(c.delays.begin(), c.delays.end()));
        EXPECT_TRUE(report.probleme.isEmpty()) << report.probleme.join(u'\n').toStdString();
    }
}

TEST(ImageFormats, GifCommentIsAMetadataField)
{
    const ImageAnalysis::Report report = analyseWithoutCodes(animatedGif({1}, "Final bei N 51"));
    EXPECT_EQ(fieldValue(report, "Kommentar", "GIF-Kommentar"), "Final bei N 51");
}

TEST(ImageFormats, PixelLimitRefusedBeforeDecoding)
{
    // Each picture claims its size in the header only; its pixel data would not decode.
    const auto pngClaiming = [](quint32 width, quint32 height) {
        QByteArray ihdr(13, '\0');
        qToBigEndian<quint32>(width, ihdr.data());
        qToBigEndian<quint32>(height, ihdr.data() + 4);
        ihdr[8] = 8;
        ihdr[9] = 2;
        return QByteArray("\x89PNG\r\n\x1A\n", 8) + pngChunk("IHDR", ihdr) +
            pngChunk("IDAT", QByteArray(20, 'x')) + pngChunk("IEND", {});
    };
    const auto gifWithFrame = [](quint16 width, quint16 height) {
        QByteArray gif = animatedGif({1});
        qToLittleEndian<quint16>(width, gif.data() + 13 + 6 + 8 + 5); // the frame's width
        qToLittleEndian<quint16>(height, gif.data() + 13 + 6 + 8 + 7);
        return gif;
    };
    struct Case
    {
        const char *name;
        QByteArray bytes;
        bool refused;
    };
    const Case cases[] = {
        {"bomb 50000 x 50000", pngClaiming(50000, 50000), true},
        {"just above 100 MP", pngClaiming(10000, 10001), true},
        {"exactly 100 MP", pngClaiming(10000, 10000), false},
        {"just below", pngClaiming(9999, 10000), false},
        {"width beyond 2^31", pngClaiming(0xFFFFFFFF, 1), true},
        {"GIF frame larger than its screen", gifWithFrame(65535, 65535), true},
        {"GIF frame within the limit", gifWithFrame(10000, 10000), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.refused) {
            try {
                analyseWithoutCodes(c.bytes);
                ADD_FAILURE() << "not refused";
            } catch (const QuarvelError &error) {
                EXPECT_TRUE(error.message().contains("100 Megapixel")) << error.what();
            }
        } else {
            EXPECT_NO_THROW(analyseWithoutCodes(c.bytes));
        }
    }
}

TEST(ImageFormats, FileSizeLimit)
{
    // Refused before anything is read: the bytes are never walked.
    const QByteArray above(ImageAnalysis::kMaxFileBytes + 1, '\0');
    try {
        analyseWithoutCodes(above);
        ADD_FAILURE() << "not refused";
    } catch (const QuarvelError &error) {
        EXPECT_TRUE(error.message().contains("256 MB")) << error.what();
    }
}

TEST(ImageFormats, DamagedFilesGiveWhatCouldBeRead)
{
    QByteArray jpeg = withJpegSegment(encode(testPicture(64, 48), "JPEG"), 0xFE, "vor dem Schaden");
    QByteArray png = withPngChunks(encode(testPicture(16, 16), "PNG"),
                                   {pngChunk("tEXt", QByteArray("Hinweis\0Nord", 12))});
    QByteArray badCrc = png;
    badCrc[8 + 25 + 8 + 3] = 'X'; // a byte of the tEXt keyword
    struct Case
    {
        const char *name;
        QByteArray bytes;
        QString problem;
        QString field, value;
    };
    const Case cases[] = {
        {"JPEG cut in its data", jpeg.first(jpeg.size() / 2), "EOI", "JPEG-Kommentar",
         "vor dem Schaden"},
        {"JPEG segment longer than the file", jpeg.first(12), "reicht über das Dateiende", {}, {}},
        {"PNG without IEND", png.first(png.size() - 12), "IEND", "tEXt Hinweis", "Nord"},
        {"PNG chunk checksum", badCrc, "Prüfsumme", {}, {}},
        {"GIF without trailer", animatedGif({1}, "abc").chopped(1), "Schlusszeichen",
         "GIF-Kommentar", "abc"},
        {"no picture", "Dies ist nur Text.", "kein Bild", {}, {}},
        {"empty", {}, "leer", {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ImageAnalysis::Report report = analyseWithoutCodes(c.bytes);
        EXPECT_TRUE(mentions(report.probleme, c.problem))
            << report.probleme.join(u'\n').toStdString();
        if (!c.field.isEmpty()) {
            const auto *field = [&]() -> const ImageAnalysis::MetadataField * {
                for (const auto &f : report.metadaten) {
                    if (f.feld == c.field)
                        return &f;
                }
                return nullptr;
            }();
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(field->wert, c.value);
        }
    }
}
