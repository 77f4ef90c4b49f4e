// The low-bit reader: channel order, bit plane, bit order and reading direction.
#include "image/LsbExtraction.h"
#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

using namespace ImageAnalysis;

namespace {

// A picture with `text` in the lowest bit of R, G and B, row by row, highest bit first.
QImage withHiddenText(const QByteArray &text, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(qRgba(200, 100, 50, 255));
    qsizetype bit = 0;
    const qsizetype bits = text.size() * 8;
    for (int y = 0; y < height && bit < bits; ++y) {
        for (int x = 0; x < width && bit < bits; ++x) {
            int rgb[3] = {200, 100, 50};
            for (int &value : rgb) {
                if (bit < bits)
                    value = (value & ~1) | ((uchar(text[bit / 8]) >> (7 - bit % 8)) & 1);
                ++bit;
            }
            image.setPixel(x, y, qRgba(rgb[0], rgb[1], rgb[2], 255));
        }
    }
    return image;
}

} // namespace

TEST(LsbExtraction, ReadsHiddenText)
{
    const QByteArray secret = "Final: N 51 12.345";
    const QByteArray bytes = extractLsb(withHiddenText(secret, 16, 4), LsbOptions());
    EXPECT_TRUE(bytes.startsWith(secret));
    EXPECT_EQ(bytes.size(), 16 * 4 * 3 / 8);
}

TEST(LsbExtraction, OptionsChangeTheBitsRead)
{
    // Two pixels: (R,G,B,A) = (0x01, 0x02, 0x03, 0x80) and (0x00, 0xFF, 0x01, 0x7F); a 2 × 1
    // picture read in rows, or as a 1 × 2 column when read by columns.
    QImage row(2, 1, QImage::Format_ARGB32);
    row.setPixel(0, 0, qRgba(0x01, 0x02, 0x03, 0x80));
    row.setPixel(1, 0, qRgba(0x00, 0xFF, 0x01, 0x7F));
    QImage column(1, 2, QImage::Format_ARGB32);
    column.setPixel(0, 0, row.pixel(0, 0));
    column.setPixel(0, 1, row.pixel(1, 0));
    struct Case
    {
        const char *name;
        QImage image;
        LsbOptions options;
        QByteArray expected;
    };
    const auto opts = [](const char *channels, int bit, bool msbFirst, bool columns) {
        LsbOptions o;
        o.kanaele = QString::fromLatin1(channels);
        o.bit = bit;
        o.hoechstesBitZuerst = msbFirst;
        o.spaltenweise = columns;
        return o;
    };
    const Case cases[] = {
        // bits R G B A | R G B A of bit 0: 1 0 1 0 | 0 1 1 1 = 0xA7
        {"RGBA bit 0", row, opts("RGBA", 0, true, false), "\xA7"},
        {"lowest bit first", row, opts("RGBA", 0, false, false), "\xE5"},
        // bit 7: 0 0 0 1 | 0 1 0 0 = 0x14
        {"bit 7", row, opts("RGBA", 7, true, false), "\x14"},
        // order A B G R: 0 1 0 1 | 1 1 1 0 = 0x5E
        {"channel order", row, opts("abgr", 0, true, false), "\x5E"},
        {"by columns", column, opts("RGBA", 0, true, true), "\xA7"},
        // G only: 0 1 and not a whole byte
        {"incomplete byte dropped", row, opts("G", 0, true, false), ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(extractLsb(c.image, c.options), c.expected);
    }
}

TEST(LsbExtraction, RefusesWrongOptions)
{
    const QImage image(4, 4, QImage::Format_RGB32);
    struct Case
    {
        const char *name;
        QString channels;
        int bit;
        bool refused;
    };
    const Case cases[] = {
        {"bit -1", "R", -1, true}, {"bit 0", "R", 0, false},    {"bit 7", "R", 7, false},
        {"bit 8", "R", 8, true},   {"no channel", "", 0, true}, {"unknown letter", "RX", 0, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LsbOptions options;
        options.kanaele = c.channels;
        options.bit = c.bit;
        if (c.refused)
            EXPECT_THROW(extractLsb(image, options), QuarvelError);
        else
            EXPECT_NO_THROW(extractLsb(image, options));
    }
}

TEST(LsbExtraction, TextShowsHiddenBytes)
{
    EXPECT_EQ(lsbText(QByteArray("A\0B\x85\xE4", 5)), u"A\u2400B<85>ä"_qs);
}
