#include "logic/formula/CoordinateFormula.h"
#include "logic/formula/PositionReader.h"
#include "logic/tools/Koordinaten_Unit.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string>
#include <vector>

using namespace Formula;

namespace {

Values valuesOf(std::initializer_list<std::pair<char, int64_t>> pairs)
{
    Values values;
    for (const auto &[name, value] : pairs)
        values[size_t(name - 'A')] = value;
    return values;
}

} // namespace

TEST(CoordinateFormula, PutsDigitsAndBracketValuesIntoTheText)
{
    const Values values = valuesOf({{'A', 1}, {'B', 2}, {'C', 3}, {'D', 12}, {'E', 4}});
    const struct
    {
        const char16_t *formula;
        const char16_t *text;
    } cases[] = {
        {u"N 52° 3A.B(C+2)0 E 013° 2D.(E*2)1", u"N 52° 31.250 E 013° 212.81"},
        {u"N 5A° 1B.CCC E 13 4.5", u"N 51° 12.333 E 13 4.5"},
        {u"N 52 1A.0 E 13 (D*D).5", u"N 52 11.0 E 13 144.5"},
        {u"n 52 1a.0 e 13 1b.5", u"n 52 11.0 e 13 12.5"}, // lower case letters
        {u"N 52° (BWW(\"AB\")+A)", u"N 52° 4"},
        {u"N 52° DD", u"N 52° 1212"}, // a value of two digits, twice
        {u"S 0A W 0", u"S 01 W 0"},
    };
    for (const auto &c : cases) {
        const QString formulaText = QString::fromUtf16(c.formula);
        SCOPED_TRACE(formulaText.toStdString());
        SyntaxError error;
        const auto formula = CoordinateFormula::parse(formulaText, error);
        ASSERT_TRUE(formula) << error.message.toStdString();
        EXPECT_EQ(formula->renderText(values), QString::fromUtf16(c.text));
    }
}

// Values at the width limits: one digit, two, the largest 64-bit number; the text is the same
// whether appended to a string or written into a buffer.
TEST(CoordinateFormula, WritesValuesOfEveryWidth)
{
    SyntaxError error;
    const auto formula = CoordinateFormula::parse(QStringLiteral("N 5A° 1.(B) E 7 1"), error);
    ASSERT_TRUE(formula);
    const struct
    {
        int64_t a;
        const char *text;
    } cases[] = {
        {0, "N 50° 1.7 E 7 1"},     {9, "N 59° 1.7 E 7 1"},
        {10, "N 510° 1.7 E 7 1"},   {99, "N 599° 1.7 E 7 1"},
        {100, "N 5100° 1.7 E 7 1"}, {INT64_MAX, "N 59223372036854775807° 1.7 E 7 1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.a);
        const Values values = valuesOf({{'A', c.a}, {'B', 7}});
        std::string appended = "x";
        ASSERT_TRUE(formula->render(values, appended));
        EXPECT_EQ(appended, std::string("x") + c.text);
        std::vector<char> buffer(formula->maxRenderLength());
        char *end = formula->render(values, buffer.data());
        ASSERT_NE(end, nullptr);
        EXPECT_EQ(std::string(buffer.data(), end), c.text);
    }
    // A failed text leaves what was there before.
    std::string kept = "x";
    EXPECT_FALSE(formula->render(valuesOf({{'A', -1}, {'B', 7}}), kept));
    EXPECT_EQ(kept, "x");
}

TEST(CoordinateFormula, HemisphereLettersStandingAloneAreNoVariables)
{
    SyntaxError error;
    const auto formula =
        CoordinateFormula::parse(QStringLiteral("N 52° 3A.B(C+2)0 E 013° 2D.(E*2)1"), error);
    ASSERT_TRUE(formula);
    // A, B, C, D and the E in the bracket; not N.
    EXPECT_EQ(formula->variablesUsed(), 0b11111u);
}

TEST(CoordinateFormula, ValuesThatCannotBeDigitsMakeNoText)
{
    SyntaxError error;
    const auto formula = CoordinateFormula::parse(QStringLiteral("N 5A 1(B/2) E 1 1"), error);
    ASSERT_TRUE(formula);
    std::string text;
    EXPECT_FALSE(formula->render(valuesOf({{'A', -1}, {'B', 2}}), text)); // negative
    EXPECT_FALSE(formula->render(valuesOf({{'B', 2}}), text)); // A without value
    EXPECT_FALSE(formula->render(valuesOf({{'A', 1}, {'B', 3}}), text)); // 3/2 is not whole
    EXPECT_TRUE(formula->render(valuesOf({{'A', 0}, {'B', 0}}), text));
}

TEST(CoordinateFormula, SyntaxErrorsPointIntoTheFormula)
{
    const struct
    {
        const char16_t *formula;
        qsizetype position;
    } cases[] = {
        {u"", 0},
        {u"   ", 0},
        {u"N 52° 3(A+", 7}, // the unclosed bracket
        {u"N 52° 3A) E 1", 8},
        {u"N 52° 3(A+*2) E 1", 10},
        {u"N 52° (QS A)", 10},
        {u"N 1 E (BWW(\"x)\"", 6}, // a quotation mark that is never closed hides the bracket
    };
    for (const auto &c : cases) {
        const QString formulaText = QString::fromUtf16(c.formula);
        SCOPED_TRACE(formulaText.toStdString());
        SyntaxError error;
        EXPECT_FALSE(CoordinateFormula::parse(formulaText, error));
        EXPECT_EQ(error.position, c.position) << error.message.toStdString();
        EXPECT_FALSE(error.message.isEmpty());
    }
}

TEST(PositionReader, ReadsTheThreeNotations)
{
    const struct
    {
        const char *text;
        bool recognised;
        bool valid;
        double latitude;
        double longitude;
    } cases[] = {
        {"N 54.3941666666667 E 13.6696833333333", true, true, 54.3941666666667, 13.6696833333333},
        {"N 54° 23.650 E 013° 40.181", true, true, 54 + 23.65 / 60, 13 + 40.181 / 60},
        {"N 54° 23' 39\" E 13° 40' 10,86\"", true, true, 54 + 23 / 60.0 + 39 / 3600.0,
         13 + 40 / 60.0 + 10.86 / 3600.0},
        {"S 33,5 W 70,25", true, true, -33.5, -70.25},
        {"s 33.5 o 70.25", true, true, -33.5, 70.25},
        {"  N 1 E 2\t", true, true, 1, 2}, // trimmed like the coordinates tool
        {"N 90 E 180", true, true, 90, 180}, // the limits themselves
        {"N 90.0001 E 1", true, false, 90.0001, 1},
        {"N 1 E 180.0001", true, false, 1, 180.0001},
        {"N 52° 60.000 E 13° 1.0", true, false, 53, 13 + 1 / 60.0}, // 60 minutes
        {"N 52° 59.999 E 13° 1.0", true, true, 52 + 59.999 / 60, 13 + 1 / 60.0},
        {"N 52° 1' 60\" E 13° 1' 1\"", true, false, 52 + 1 / 60.0 + 60 / 3600.0,
         13 + 1 / 60.0 + 1 / 3600.0},
        {"N 52,5° 1.0 E 13° 1.0", true, false, 52.5 + 1 / 60.0, 13 + 1 / 60.0}, // not whole
        {"N -52° 1.0 E 13° 1.0", true, false, -52 + 1 / 60.0, 13 + 1 / 60.0}, // negative
        {"X 52 Y 13", true, false, 0, 0}, // no hemisphere letters: no position
        {"N 52 E", false, false, 0, 0},
        {"N 52 E 1 2 3 4 5 6", false, false, 0, 0}, // nine tokens
        {"N 5a E 1", false, false, 0, 0},
        {"N 1,2,3 E 1", false, false, 0, 0},
        {"N 1e1 E 1E-1", true, true, 10, 0.1},
        {"N 1e E 1", false, false, 0, 0},
        {"", false, false, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const ReadPosition position = readPosition(c.text);
        EXPECT_EQ(position.recognised, c.recognised);
        EXPECT_EQ(position.valid, c.valid);
        if (c.recognised && c.latitude != 0) {
            EXPECT_NEAR(position.latitude, c.latitude, 1e-12);
            EXPECT_NEAR(position.longitude, c.longitude, 1e-12);
        }
    }
}

// The fast reader and the coordinates tool must agree on what a candidate is: wherever the
// tool reads a text and can write it in decimal degrees, the reader finds the same value.
TEST(PositionReader, AgreesWithTheCoordinatesTool)
{
    QRandomGenerator random(4711);
    const QStringList pieces {QStringLiteral("N"),   QStringLiteral("E"),    QStringLiteral("S"),
                              QStringLiteral("W"),   QStringLiteral("52"),   QStringLiteral("13°"),
                              QStringLiteral("7.5"), QStringLiteral("0,25"), QStringLiteral("59"),
                              QStringLiteral("-3"),  QStringLiteral("12'"),  QStringLiteral("4\""),
                              QStringLiteral("x1"),  QStringLiteral("1e2")};
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int count = 3 + int(random.bounded(7));
        for (int i = 0; i < count; ++i)
            text += pieces.at(int(random.bounded(pieces.size()))) + QStringLiteral(" ");
        SCOPED_TRACE(text.toStdString());
        const ReadPosition position = readPosition(text.toStdString());
        TKoordinaten tool;
        QString decimal;
        int read = 0;
        try {
            read = tool.m_sSetKoordinaten(text);
            decimal = tool.m_sGetKoordinaten(0);
        } catch (...) {
            read = 0;
        }
        if (read != 1) {
            EXPECT_FALSE(position.valid);
            continue;
        }
        if (!position.valid)
            continue;
        const QStringList parts = decimal.split(u' ');
        ASSERT_EQ(parts.size(), 4);
        const double lat = QString(parts[1]).replace(u',', u'.').toDouble();
        const double lon = QString(parts[3]).replace(u',', u'.').toDouble();
        // The tool rounds derived seconds to two decimals: 0,005" is 1,4e-6°.
        EXPECT_NEAR(std::fabs(position.latitude), lat, 1.5e-6);
        EXPECT_NEAR(std::fabs(position.longitude), lon, 1.5e-6);
    }
}

// The reader's numbers to the bit: a number token is its decimal value rounded once (as
// from_chars rounds it, whatever the locale), and a position is degrees + minutes / 60 + seconds /
// 3600 summed in this order; over random texts in all three notations with points, commas, degree
// signs and apostrophes, and with characters that only look like a degree sign.
TEST(PositionReader, ReadsRandomTextsToTheBit)
{
    QRandomGenerator random(1234);
    const auto number = [&](int whole, int decimals, std::string &text) {
        std::string digits = std::to_string(random.bounded(whole));
        if (decimals > 0) {
            digits += '.';
            for (int i = 0; i < decimals; ++i)
                digits += char('0' + random.bounded(10));
        }
        text = digits;
        double value = 0;
        std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return value;
    };
    for (int round = 0; round < 20000; ++round) {
        const int notation = int(random.bounded(3)); // decimal degrees, minutes, seconds
        std::string text;
        double halves[2] = {0, 0};
        for (int half = 0; half < 2; ++half) {
            const bool negative = random.bounded(2) == 1;
            text += half == 0 ? (negative ? "S " : "N ") : (negative ? " W " : " O ");
            std::string token;
            const int decimals = int(random.bounded(8));
            double value = 0;
            if (notation == 0) {
                value = number(half == 0 ? 90 : 180, decimals, token);
                text += token + (random.bounded(2) ? "\xC2\xB0" : "");
            } else {
                value = number(half == 0 ? 90 : 180, 0, token);
                text += token + "\xC2\xB0 ";
                const double minutes = number(60, notation == 1 ? decimals : 0, token);
                text += token + (notation == 2 ? "' " : "");
                value = value + minutes / 60;
                if (notation == 2) {
                    const double seconds = number(60, decimals, token);
                    text += token + '"';
                    value = value + seconds / 3600;
                } else {
                    value = value + 0.0;
                }
            }
            if (notation == 0)
                value = value + 0.0 + 0.0;
            halves[half] = negative ? -value : value;
        }
        if (random.bounded(4) == 0) // commas are points
            std::replace(text.begin(), text.end(), '.', ',');
        SCOPED_TRACE(text);
        const ReadPosition position = readPosition(text);
        ASSERT_TRUE(position.valid);
        EXPECT_EQ(position.latitude, halves[0]);
        EXPECT_EQ(position.longitude, halves[1]);
    }
    // A lead byte of "°" without its second byte stays in the token and spoils the number; the
    // second byte alone does too.
    EXPECT_FALSE(readPosition("N 52\xC2 E 13").recognised);
    EXPECT_FALSE(readPosition("N 52\xB0 E 13").recognised);
    EXPECT_TRUE(readPosition("N 52\xC2\xB0 E 13\xC2\xB0").valid);
    EXPECT_TRUE(readPosition("N 52'' E '13\"").valid);
}
