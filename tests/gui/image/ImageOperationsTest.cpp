#include "gui/image/TestPictures.h"
#include "image/ImageDecode.h"
#include "image/ImageDifference.h"
#include "image/ImageFrames.h"
#include "image/ImagePlanes.h"
#include "image/ImageTones.h"
#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace ImageAnalysis;

namespace {

// One row of pixels with the given ARGB values.
QImage row(const QList<QRgb> &pixels, QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(int(pixels.size()), 1, QImage::Format_ARGB32);
    for (int x = 0; x < pixels.size(); ++x)
        image.setPixel(x, 0, pixels[x]);
    return image.convertToFormat(format);
}

QList<int> greys(const QImage &image)
{
    QList<int> values;
    for (int x = 0; x < image.width(); ++x)
        values << image.constScanLine(0)[x];
    return values;
}

} // namespace

TEST(ImagePlanes, EachBitOfEachChannelOfKnownPixels)
{
    // R = 0b10100101, G = 0b01011010, B = 0b00000001, A = 0b10000000 in the first pixel;
    // the second pixel has every bit the first lacks.
    const QImage image = row({qRgba(0xA5, 0x5A, 0x01, 0x80), qRgba(0x5A, 0xA5, 0xFE, 0x7F)});
    struct Case
    {
        Channel channel;
        int bit;
        QList<int> expected;
    };
    const Case cases[] = {
        {Channel::Red, 0, {255, 0}},   {Channel::Red, 1, {0, 255}},   {Channel::Red, 2, {255, 0}},
        {Channel::Red, 7, {255, 0}},   {Channel::Green, 0, {0, 255}}, {Channel::Green, 6, {255, 0}},
        {Channel::Green, 7, {0, 255}}, {Channel::Blue, 0, {255, 0}},  {Channel::Blue, 1, {0, 255}},
        {Channel::Blue, 7, {0, 255}},  {Channel::Alpha, 0, {0, 255}}, {Channel::Alpha, 7, {255, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "channel " << int(c.channel) << " bit " << c.bit);
        const QImage plane = bitPlane(image, c.channel, c.bit);
        EXPECT_EQ(plane.format(), QImage::Format_Grayscale8);
        EXPECT_EQ(greys(plane), c.expected);
    }
}

TEST(ImagePlanes, ChannelsAsGreyAndOpaqueWithoutAlpha)
{
    const QRgb pixel = qRgba(10, 20, 30, 40);
    const QImage withAlpha = row({pixel});
    const QImage opaque = row({qRgb(10, 20, 30)}, QImage::Format_RGB32);
    const std::tuple<Channel, int, int> cases[] = {
        {Channel::Red, 10, 10},
        {Channel::Green, 20, 20},
        {Channel::Blue, 30, 30},
        {Channel::Alpha, 40, 255},
    };
    for (const auto &[channel, fromAlpha, fromOpaque] : cases) {
        SCOPED_TRACE(int(channel));
        EXPECT_EQ(greys(channelImage(withAlpha, channel)), QList<int> {fromAlpha});
        EXPECT_EQ(greys(channelImage(opaque, channel)), QList<int> {fromOpaque});
    }
}

TEST(ImagePlanes, BitsOutsideZeroToSevenAreRefused)
{
    const QImage image = row({qRgb(1, 2, 3)});
    const std::pair<int, bool> cases[] = {{-1, false}, {0, true}, {7, true}, {8, false}};
    for (const auto &[bit, allowed] : cases) {
        SCOPED_TRACE(bit);
        if (allowed)
            EXPECT_NO_THROW(bitPlane(image, Channel::Red, bit));
        else
            EXPECT_THROW(bitPlane(image, Channel::Red, bit), QuarvelError);
    }
}

TEST(ImageTones, LevelsAtAndBeyondTheirLimits)
{
    struct Case
    {
        Levels levels;
        bool allowed;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {{0, 255, 1.0}, true},    {{254, 255, 1.0}, true},  {{255, 255, 1.0}, false},
        {{-1, 255, 1.0}, false},  {{0, 1, 1.0}, true},      {{0, 0, 1.0}, false},
        {{0, 256, 1.0}, false},   {{100, 100, 1.0}, false}, {{101, 100, 1.0}, false},
        {{0, 255, 0.1}, true},    {{0, 255, 0.09}, false},  {{0, 255, 10.0}, true},
        {{0, 255, 10.01}, false}, {{0, 255, nan}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.levels.schwarzpunkt << " " << c.levels.weisspunkt
                                        << " " << c.levels.gamma);
        if (c.allowed)
            EXPECT_NO_THROW(levelsTable(c.levels));
        else
            EXPECT_THROW(levelsTable(c.levels), QuarvelError);
    }
}

TEST(ImageTones, LevelsMapValuesAsImageEditorsDo)
{
    struct Case
    {
        Levels levels;
        int value;
        int expected;
    };
    const Case cases[] = {
        {{0, 255, 1.0}, 0, 0},
        {{0, 255, 1.0}, 128, 128},
        {{0, 255, 1.0}, 255, 255},
        // The black point and everything below it are black, the white point and above white.
        {{100, 200, 1.0}, 99, 0},
        {{100, 200, 1.0}, 100, 0},
        {{100, 200, 1.0}, 101, 3},
        {{100, 200, 1.0}, 150, 128},
        {{100, 200, 1.0}, 199, 252},
        {{100, 200, 1.0}, 200, 255},
        // Tone-in-tone: 254 on 255 becomes black on white.
        {{254, 255, 1.0}, 254, 0},
        {{254, 255, 1.0}, 255, 255},
        // Gamma 2 brightens: 255 * (128/255)^(1/2) = 180.66.
        {{0, 255, 2.0}, 128, 181},
        {{0, 255, 0.5}, 128, 64},
        {{0, 255, 10.0}, 1, 147},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.levels.schwarzpunkt << "/" << c.levels.weisspunkt
                                        << "/" << c.levels.gamma << " at " << c.value);
        EXPECT_EQ(levelsTable(c.levels)[c.value], c.expected);
    }
}

TEST(ImageTones, LevelsAndInversionLeaveAlphaAlone)
{
    const QImage image = row({qRgba(254, 0, 255, 77)});
    EXPECT_EQ(applyLevels(image, {254, 255, 1.0}).pixel(0, 0), qRgba(0, 0, 255, 77));
    EXPECT_EQ(inverted(image).pixel(0, 0), qRgba(1, 255, 0, 77));
    // A picture without alpha stays opaque.
    EXPECT_EQ(inverted(row({qRgb(1, 2, 3)}, QImage::Format_RGB32)).pixel(0, 0),
              qRgb(254, 253, 252));
}

TEST(ImageTones, IsolateMatchesOnlyTheExactValue)
{
    const QImage image = row({qRgb(254, 254, 254), qRgb(255, 254, 254), qRgb(254, 254, 254),
                              qRgb(254, 254, 253), qRgba(254, 254, 254, 128)});
    struct Case
    {
        QRgb colour;
        bool mitAlpha;
        QList<int> black; // the pixels shown black
    };
    const Case cases[] = {
        {qRgb(254, 254, 254), false, {0, 2, 4}},
        {qRgb(254, 254, 254), true, {0, 2}},
        {qRgba(254, 254, 254, 128), true, {4}},
        {qRgb(255, 254, 254), false, {1}},
        {qRgb(0, 0, 0), false, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.colour << " alpha " << c.mitAlpha);
        const Isolated result = isolateColour(image, c.colour, c.mitAlpha);
        EXPECT_EQ(result.treffer, c.black.size());
        for (int x = 0; x < image.width(); ++x) {
            EXPECT_EQ(result.bild.pixel(x, 0),
                      c.black.contains(x) ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
                << "pixel " << x;
        }
    }
}

TEST(ImageDifference, CountsAndShowsDifferingPixels)
{
    const QImage original = row({qRgb(10, 20, 30), qRgb(200, 100, 50), qRgba(1, 1, 1, 255)});
    const QImage copy = row({qRgb(10, 20, 30), qRgb(201, 90, 50), qRgba(1, 1, 1, 254)});
    const Difference plain = difference(original, copy);
    EXPECT_TRUE(plain.gleicheGroesse);
    EXPECT_EQ(plain.abweichend, 2); // the alpha-only change counts too
    EXPECT_EQ(plain.bild.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(plain.bild.pixel(1, 0), qRgb(1, 10, 0));
    EXPECT_EQ(plain.bild.pixel(2, 0), qRgb(0, 0, 0));
    const Difference marked = difference(original, copy, true);
    EXPECT_EQ(marked.bild.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(marked.bild.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(marked.bild.pixel(2, 0), qRgb(255, 255, 255));
    EXPECT_EQ(difference(original, original).abweichend, 0);
}

TEST(ImageDifference, PicturesOfDifferentSizeCompareTheirCommonArea)
{
    QImage small(2, 3, QImage::Format_RGB32);
    small.fill(Qt::red);
    QImage large(4, 2, QImage::Format_RGB32);
    large.fill(Qt::red);
    const Difference result = difference(small, large);
    EXPECT_FALSE(result.gleicheGroesse);
    EXPECT_EQ(result.bild.size(), QSize(2, 2));
    EXPECT_EQ(result.abweichend, 0);
}

TEST(ImageDecode, LimitsOfFileSizeAndPixelCount)
{
    const std::pair<qint64, bool> sizes[] = {{0, false},
                                             {1, true},
                                             {kMaxImageFileBytes - 1, true},
                                             {kMaxImageFileBytes, true},
                                             {kMaxImageFileBytes + 1, false}};
    for (const auto &[size, allowed] : sizes) {
        SCOPED_TRACE(size);
        EXPECT_EQ(fileSizeProblem(size).isEmpty(), allowed) << fileSizeProblem(size).toStdString();
    }
    const std::pair<QSize, bool> pictures[] = {{QSize(10000, 9999), true},
                                               {QSize(10000, 10000), true},
                                               {QSize(10000, 10001), false},
                                               {QSize(100000001, 1), false},
                                               {QSize(50000, 50000), false}};
    for (const auto &[size, allowed] : pictures) {
        SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height());
        EXPECT_EQ(pixelCountProblem(size).isEmpty(), allowed);
    }
}

TEST(ImageDecode, ABombIsRefusedFromItsHeaderAndOtherFilesWithTheirReason)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
        QString reason;
    };
    const Case cases[] = {
        {"bomb", TestPictures::pngClaiming(50000, 50000), QStringLiteral("Megapixel")},
        {"empty", QByteArray(), QStringLiteral("leer")},
        {"text", QByteArray("Der Schatz liegt unter der Eiche"), QStringLiteral("kein Bild")},
        {"header without data", TestPictures::pngHeaderOnly(10, 10), QStringLiteral("beschädigt")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        try {
            decodeImage(c.bytes);
            ADD_FAILURE() << "not refused";
        } catch (const QuarvelError &error) {
            EXPECT_TRUE(error.message().contains(c.reason)) << error.message().toStdString();
        }
    }
}

TEST(ImageDecode, HalfTransparentPixelsKeepTheirColourValues)
{
    // Premultiplying would turn 0x03 at alpha 1 into 0: a message in the low bits would be lost.
    const QImage image = row({qRgba(3, 5, 7, 1), qRgba(255, 128, 1, 0)});
    const QImage decoded = decodeImage(TestPictures::png(image));
    EXPECT_EQ(decoded.format(), QImage::Format_ARGB32);
    EXPECT_EQ(decoded.pixel(0, 0), qRgba(3, 5, 7, 1));
    EXPECT_EQ(decoded.pixel(1, 0), qRgba(255, 128, 1, 0));
}

TEST(ImageFrames, ThreeFramesOfAGifWithTheirDelays)
{
    const QList<QRgb> palette {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    const QByteArray gif = TestPictures::gif(
        3, 2, palette,
        {{{1, 1, 1, 1, 1, 1}, 10}, {{2, 0, 2, 0, 2, 0}, 25}, {{3, 3, 3, 0, 0, 1}, 100}});
    const Frames frames = readFrames(gif);
    EXPECT_TRUE(frames.problem.isEmpty()) << frames.problem.toStdString();
    ASSERT_EQ(frames.bilder.size(), 3);
    const int delays[] = {100, 250, 1000};
    const QRgb firstPixels[] = {palette[1], palette[2], palette[3]};
    const QRgb lastPixels[] = {palette[1], palette[0], palette[1]};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(frames.bilder[i].dauerMs, delays[i]);
        EXPECT_EQ(frames.bilder[i].bild.size(), QSize(3, 2));
        EXPECT_EQ(frames.bilder[i].bild.pixel(0, 0), firstPixels[i]);
        EXPECT_EQ(frames.bilder[i].bild.pixel(2, 1), lastPixels[i]);
    }
}

TEST(ImageFrames, FramesBeyondThePixelBudgetAreNamed)
{
    const QList<QRgb> palette {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    const QList<TestPictures::GifFrame> three {
        {{0, 1, 0, 1}, 5}, {{1, 0, 1, 0}, 5}, {{1, 1, 1, 1}, 5}};
    const QByteArray gif = TestPictures::gif(2, 2, palette, three);
    // Four pixels a frame: a budget of 8 holds two frames, 12 all three, 11 only two.
    const std::pair<qint64, int> budgets[] = {{8, 2}, {11, 2}, {12, 3}, {13, 3}};
    for (const auto &[budget, shown] : budgets) {
        SCOPED_TRACE(budget);
        const Frames frames = readFrames(gif, budget);
        EXPECT_EQ(frames.bilder.size(), shown);
        EXPECT_EQ(frames.problem.isEmpty(), shown == 3) << frames.problem.toStdString();
    }
}
