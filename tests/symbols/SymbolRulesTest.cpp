// The rules the drawn tables are drawn from, checked against their published forms, and the
// pictures made from them.
#include "symbols/SymbolRules.h"
#include "symbols/SymbolTable.h"

#include <QBuffer>
#include <QSet>

#include <gtest/gtest.h>

using namespace SymbolTables;

namespace {

// Seven segments spelled by name, to check the bit masks against.
quint32 spelled(const char *names)
{
    quint32 mask = 0;
    for (const char *c = names; *c; ++c)
        mask |= 1u << (*c - 'a');
    return mask;
}

} // namespace

TEST(SymbolRules, SevenSegmentDigitsLightTheirSegments)
{
    const char *expected[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    const QList<Rules::SegmentGlyph> &digits = Rules::sevenSegmentDigits();
    ASSERT_EQ(digits.size(), 10);
    for (int d = 0; d < 10; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(digits[d].zeichen, QString::number(d));
        EXPECT_EQ(digits[d].segments, spelled(expected[d]));
    }
    // A letter that looks like a digit would be misread: no letter repeats a digit's segments.
    for (const Rules::SegmentGlyph &letter : Rules::sevenSegmentLetters()) {
        SCOPED_TRACE(letter.zeichen.toStdString());
        EXPECT_LT(letter.segments, 1u << 7);
        for (const Rules::SegmentGlyph &digit : digits)
            if (letter.zeichen != QStringLiteral("S") && letter.zeichen != QStringLiteral("O")) {
                EXPECT_NE(letter.segments, digit.segments);
            }
    }
}

TEST(SymbolRules, FourteenAndSixteenSegmentGlyphsAreDistinct)
{
    for (const auto *list : {&Rules::fourteenSegments(), &Rules::sixteenSegments()}) {
        QSet<quint32> seen;
        for (const Rules::SegmentGlyph &glyph : *list) {
            SCOPED_TRACE(glyph.zeichen.toStdString());
            EXPECT_NE(glyph.segments, 0u);
            EXPECT_FALSE(seen.contains(glyph.segments));
            seen.insert(glyph.segments);
        }
    }
    const auto find = [](const QList<Rules::SegmentGlyph> &list, const char *zeichen) {
        for (const Rules::SegmentGlyph &glyph : list)
            if (glyph.zeichen == QLatin1String(zeichen))
                return glyph.segments;
        return 0u;
    };
    // Spot checks: X is the four diagonals, T the top and the centre bar, and the sixteen
    // segments light both halves of a lit top or bottom.
    const auto &fourteen = Rules::fourteenSegments();
    EXPECT_EQ(find(fourteen, "X"), (1u << 8) | (1u << 10) | (1u << 11) | (1u << 13));
    EXPECT_EQ(find(fourteen, "T"), 1u | (1u << 9) | (1u << 12));
    EXPECT_EQ(find(Rules::sixteenSegments(), "T"), find(fourteen, "T") | (1u << 14));
    EXPECT_EQ(find(Rules::sixteenSegments(), "L"), find(fourteen, "L") | (1u << 15));
}

// The semaphore circles: A–G with one arm down, H–N (no J) with one arm low left, and so on.
TEST(SymbolRules, SemaphoreArmsFollowTheCircles)
{
    const struct
    {
        const char *letters;
        int fixed;
    } circles[] = {{"ABCDEFG", 0}, {"HIKLMN", 1}, {"OPQRS", 2}, {"TUY", 3},
                   {"JV", 4},      {"WX", 5},     {"Z", 6}};
    QHash<QString, std::pair<int, int>> poses;
    for (const Rules::ArmPose &pose : Rules::semaphore()) {
        EXPECT_LT(pose.first, pose.second);
        EXPECT_GE(pose.first, 0);
        EXPECT_LE(pose.second, 7);
        poses.insert(pose.zeichen, {pose.first, pose.second});
    }
    for (const auto &circle : circles) {
        int previous = circle.fixed;
        for (const char *c = circle.letters; *c; ++c) {
            SCOPED_TRACE(std::string(1, *c));
            const auto pose = poses.value(QString(QLatin1Char(*c)), {-1, -1});
            EXPECT_EQ(pose.first, circle.fixed);
            EXPECT_GT(pose.second, previous); // the moving arm goes on round the circle
            previous = pose.second;
        }
    }
    // The positions named in words: J is up and right, V up and low right, the numeral sign
    // up and high right.
    EXPECT_EQ(poses.value(QStringLiteral("J")), std::make_pair(4, 6));
    EXPECT_EQ(poses.value(QStringLiteral("V")), std::make_pair(4, 7));
    EXPECT_EQ(poses.value(QStringLiteral("#")), std::make_pair(4, 5));
    QSet<std::pair<int, int>> distinct(poses.cbegin(), poses.cend());
    EXPECT_EQ(distinct.size(), poses.size());
}

TEST(SymbolRules, CistercianDigitStrokes)
{
    using namespace Rules;
    const unsigned expected[10] = {
        0,     Top,         Lower,         DiagonalDown,       DiagonalUp, Top | DiagonalUp,
        Outer, Top | Outer, Lower | Outer, Top | Lower | Outer};
    for (int d = 0; d <= 9; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(cistercianDigit(d), expected[d]);
    }
    EXPECT_EQ(cistercianDigit(-1), 0u);
    EXPECT_EQ(cistercianDigit(10), 0u);
}

TEST(SymbolRules, PigpenLayouts)
{
    for (int variant = 0; variant < 3; ++variant) {
        SCOPED_TRACE(variant);
        QSet<int> figures;
        const QList<Rules::PigpenSign> &signs = Rules::pigpen(variant);
        ASSERT_EQ(signs.size(), 26);
        for (const Rules::PigpenSign &sign : signs) {
            EXPECT_LT(sign.place, sign.cross ? 4 : 9);
            figures.insert(sign.cross * 100 + sign.place * 2 + sign.dot);
        }
        EXPECT_EQ(figures.size(), 26); // no two letters share a figure
    }
    // Spot checks of the three layouts: J, N and B.
    const auto of = [](int variant, char letter) {
        return Rules::pigpen(variant).at(letter - 'A');
    };
    EXPECT_TRUE(!of(0, 'J').cross && of(0, 'J').place == 0 && of(0, 'J').dot);
    EXPECT_TRUE(of(1, 'J').cross && of(1, 'J').place == 0 && !of(1, 'J').dot);
    EXPECT_TRUE(!of(1, 'N').cross && of(1, 'N').place == 0 && of(1, 'N').dot);
    EXPECT_TRUE(!of(2, 'B').cross && of(2, 'B').place == 0 && of(2, 'B').dot);
    EXPECT_TRUE(of(2, 'Z').cross && of(2, 'Z').place == 3 && of(2, 'Z').dot);
}

// The Braille font tables and the drawn Braille cells are the same dots.
TEST(SymbolRules, BrailleFontCellsMatchTheDots)
{
    const Table &font = *find(QStringLiteral("braille"));
    ASSERT_EQ(font.glyphen.size(), Rules::brailleGerman().size());
    for (int i = 0; i < font.glyphen.size(); ++i) {
        const Rules::CodeSign &sign = Rules::brailleGerman().at(i);
        SCOPED_TRACE(sign.zeichen.toStdString());
        char32_t expected = 0x2800;
        for (const QChar dot : sign.code)
            expected |= 1u << (dot.digitValue() - 1);
        EXPECT_EQ(font.glyphen[i].zeichen, sign.zeichen);
        EXPECT_EQ(font.glyphen[i].schrift.toUcs4().value(0), expected);
    }
}

TEST(SymbolRules, BarCodes)
{
    QHash<QString, QString> code39;
    for (const Rules::CodeSign &sign : Rules::code39()) {
        SCOPED_TRACE(sign.zeichen.toStdString());
        ASSERT_EQ(sign.code.size(), 9);
        // Three of nine elements are wide: two bars and one space, or three spaces.
        EXPECT_EQ(sign.code.count(u'w'), 3);
        code39.insert(sign.zeichen, sign.code);
    }
    EXPECT_EQ(code39.size(), 44);
    // Published patterns (bar, space, bar, …).
    EXPECT_EQ(code39.value(QStringLiteral("*")), QStringLiteral("nwnnwnwnn"));
    EXPECT_EQ(code39.value(QStringLiteral("1")), QStringLiteral("wnnwnnnnw"));
    EXPECT_EQ(code39.value(QStringLiteral("A")), QStringLiteral("wnnnnwnnw"));
    EXPECT_EQ(code39.value(QStringLiteral("$")), QStringLiteral("nwnwnwnnn"));
    const int weights[5] = {7, 4, 2, 1, 0};
    for (const Rules::CodeSign &sign : Rules::postnet()) {
        SCOPED_TRACE(sign.zeichen.toStdString());
        ASSERT_EQ(sign.code.count(u'1'), 2);
        int value = 0;
        for (int k = 0; k < 5; ++k)
            value += sign.code.at(k) == u'1' ? weights[k] : 0;
        EXPECT_EQ(value == 11 ? 0 : value, sign.zeichen.toInt());
    }
}

TEST(SymbolRules, DancingMenFromTheDescription)
{
    QSet<std::pair<int, int>> figures;
    int original = 0;
    for (const Rules::DancingFigure &figure : Rules::dancingMen()) {
        SCOPED_TRACE(figure.zeichen.toStdString());
        EXPECT_GE(figure.arms, 0);
        EXPECT_LE(figure.arms, 6);
        EXPECT_GE(figure.legs, 1);
        EXPECT_LE(figure.legs, 8);
        EXPECT_FALSE(figures.contains({figure.arms, figure.legs}));
        figures.insert({figure.arms, figure.legs});
        original += figure.original;
        EXPECT_EQ(figure.original, !QStringLiteral("FJKQUWXZ").contains(figure.zeichen));
    }
    EXPECT_EQ(original, 18);
    // E, the commonest letter of the story, is the man with both arms up, standing normally.
    EXPECT_EQ(Rules::dancingMen().at(4).arms, 1);
    EXPECT_EQ(Rules::dancingMen().at(4).legs, 1);
    // The chart marks the letters not taken from the story.
    const Table &table = *find(QStringLiteral("tanzende-maenner"));
    for (const Glyph &glyph : table.glyphen)
        EXPECT_EQ(glyph.anmerkung.isEmpty(),
                  !QStringLiteral("FJKQUWXZ").contains(glyph.zeichen.trimmed()));
}

TEST(SymbolPictures, StripHasOneCellPerGlyphAndHalfAGapPerBlank)
{
    for (const char *name : {"segment7", "futhark", "flaggen"}) {
        SCOPED_TRACE(name);
        const Table &table = *find(QString::fromLatin1(name));
        const QImage one = renderStrip(table, {0}, 64);
        const QImage three = renderStrip(table, {0, 1, 2}, 64);
        const QImage gap = renderStrip(table, {0, -1, 1}, 64);
        EXPECT_EQ(one.height(), 64);
        EXPECT_NEAR(three.width(), 3 * one.width(), 2);
        EXPECT_NEAR(gap.width(), 2.5 * one.width(), 2);
    }
    // Heights below and above the limits are brought within them.
    const Table &table = *find(QStringLiteral("segment7"));
    EXPECT_EQ(renderStrip(table, {0}, 1).height(), 8);
    EXPECT_EQ(renderStrip(table, {0}, 5000).height(), 1000);
    EXPECT_FALSE(renderStrip(table, {}, 64).isNull());
    EXPECT_FALSE(renderGlyph(table, 99, 64).isNull()); // out of range: an empty cell
    // The widest picture made: at the limit, and one glyph beyond it.
    const int cell = renderStrip(table, {0}, 100).width();
    const int fitting = kMaxPictureWidth / cell;
    EXPECT_EQ(stripSize(table, QList<int>(fitting, 0), 100),
              renderStrip(table, QList<int>(fitting, 0), 100).size());
    EXPECT_LE(stripSize(table, QList<int>(fitting, 0), 100).width(), kMaxPictureWidth);
    EXPECT_GT(stripSize(table, QList<int>(fitting + 1, 0), 100).width(), kMaxPictureWidth);
    EXPECT_TRUE(renderStrip(table, QList<int>(fitting + 1, 0), 100).isNull());
}

TEST(SymbolPictures, EveryGlyphOfEveryTableDrawsInk)
{
    for (const Table &table : all()) {
        SCOPED_TRACE(table.name.toStdString());
        for (int i = 0; i < table.glyphen.size(); ++i) {
            const QImage image = renderGlyph(table, i, 40);
            bool ink = false;
            for (int y = 0; y < image.height() && !ink; ++y)
                for (int x = 0; x < image.width() && !ink; ++x)
                    ink = qGray(image.pixel(x, y)) < 200;
            EXPECT_TRUE(ink) << table.glyphen[i].zeichen.toStdString();
        }
    }
}

TEST(SymbolPictures, ChartSavesAsPng)
{
    const Table &table = *find(QStringLiteral("winker"));
    const QImage chart = renderChart(table, 64);
    EXPECT_GT(chart.width(), 480);
    EXPECT_GT(chart.height(), 2 * 64);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(chart.save(&buffer, "PNG"));
    EXPECT_TRUE(png.startsWith("\x89PNG"));
    EXPECT_EQ(QImage::fromData(png, "PNG").size(), chart.size());
}
