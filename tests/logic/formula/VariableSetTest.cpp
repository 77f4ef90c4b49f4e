#include "logic/formula/VariableSet.h"

#include <gtest/gtest.h>

using namespace Formula;

namespace {

constexpr uint32_t bit(char letter)
{
    return 1u << (letter - 'A');
}

VariableSet::Texts texts(std::initializer_list<std::pair<char, const char16_t *>> pairs)
{
    VariableSet::Texts result;
    for (const auto &[name, text] : pairs)
        result[size_t(name - 'A')] = QString::fromUtf16(text);
    return result;
}

std::vector<int64_t> valuesOf(const VariableSet &set, char letter)
{
    std::vector<int64_t> values;
    Values v;
    for (uint64_t i = 0; i < set.combinationCount(); ++i) {
        set.valuesAt(i, v);
        values.push_back(v[size_t(letter - 'A')].value_or(-999));
    }
    return values;
}

} // namespace

TEST(VariableSet, ReadsEveryFormOfValues)
{
    const struct
    {
        const char16_t *text;
        std::vector<int64_t> values;
    } cases[] = {
        {u"5", {5}},
        {u" 7 ", {7}},
        {u"-3", {-3}},
        {u"1,4,7", {1, 4, 7}},
        {u"0-3", {0, 1, 2, 3}},
        {u"3-0", {3, 2, 1, 0}},
        {u"10-30#10", {10, 20, 30}},
        {u"10-35#10", {10, 20, 30}}, // the step does not reach past the end
        {u"30-10#10", {30, 20, 10}},
        {u"-2--1", {-2, -1}},
        {u"1, 3-4 ,9", {1, 3, 4, 9}},
        {u"2*3", {6}}, // an expression without letters is a single value
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        const VariableSet set(texts({{'A', c.text}}), bit('A'));
        EXPECT_TRUE(set.ok()) << set.firstError().toStdString();
        EXPECT_EQ(valuesOf(set, 'A'), c.values);
    }
}

TEST(VariableSet, RefusesFaultyDefinitions)
{
    const struct
    {
        const char16_t *text;
        const char16_t *messagePart;
    } cases[] = {
        {u"1-5#0", u"Schrittweite"},
        {u"0-10000000", u"zu viele Werte"}, // 10,000,001 values: one too many
        {u"99999999999999999999", u"zu groß"},
        {u"1,,2", u"Zeichen 2"},
        {u"A+1", u"selbst"},
        {u"B+", u"Zeichen 3"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        const VariableSet set(texts({{'A', c.text}}), bit('A'));
        EXPECT_FALSE(set.ok());
        EXPECT_TRUE(set.error(0).contains(QString::fromUtf16(c.messagePart), Qt::CaseInsensitive))
            << set.error(0).toStdString();
        EXPECT_TRUE(set.firstError().startsWith(QStringLiteral("A: ")));
    }
}

TEST(VariableSet, TheLimitOfCombinationsHoldsAtItsEdge)
{
    // 10,000,000 exactly is allowed, one list value more is not.
    const VariableSet atLimit(texts({{'A', u"0-9999"}, {'B', u"1-1000"}}), bit('A') | bit('B'));
    EXPECT_TRUE(atLimit.ok());
    EXPECT_EQ(atLimit.combinationCount(), 10'000'000u);
    const VariableSet single(texts({{'A', u"1-10000000"}}), bit('A'));
    EXPECT_TRUE(single.ok());
    const VariableSet above(texts({{'A', u"0-9999"}, {'B', u"0-1000"}}), bit('A') | bit('B'));
    EXPECT_FALSE(above.ok());
    EXPECT_EQ(above.combinationCount(), 0u);
    EXPECT_TRUE(above.firstError().contains(QStringLiteral("10.000.000")));
}

TEST(VariableSet, DescendingRangesHaveTheSameLimitAsAscendingOnes)
{
    const struct
    {
        const char16_t *text;
        uint64_t count; // 0: refused
    } cases[] = {
        {u"9999998-0", 9'999'999},
        {u"9999999-0", 10'000'000},
        {u"10000000-0", 0},
        {u"20000000-0#2", 0},
        {u"9223372036854775807-0", 0},
        {u"9223372036854775807--9223372036854775807", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        const VariableSet set(texts({{'A', c.text}}), bit('A'));
        EXPECT_EQ(set.ok(), c.count > 0) << set.firstError().toStdString();
        if (c.count > 0) {
            EXPECT_EQ(set.combinationCount(), c.count);
        } else {
            EXPECT_TRUE(set.firstError().contains(u"zu viele Werte", Qt::CaseInsensitive))
                << set.firstError().toStdString();
        }
    }
}

TEST(VariableSet, ExpressionsFollowTheirLetters)
{
    const VariableSet set(texts({{'A', u"1-3"}, {'B', u"A*10"}, {'C', u"B+A"}, {'D', u"7"}}),
                          bit('C'));
    ASSERT_TRUE(set.ok()) << set.firstError().toStdString();
    EXPECT_EQ(set.needed(), bit('A') | bit('B') | bit('C')); // D is not needed
    EXPECT_EQ(valuesOf(set, 'C'), (std::vector<int64_t> {11, 22, 33}));
    Values values;
    set.valuesAt(1, values);
    EXPECT_EQ(set.describe(values), QStringLiteral("A=2 B=20 C=22"));
}

TEST(VariableSet, CyclesAreRefused)
{
    const VariableSet set(texts({{'A', u"B+1"}, {'B', u"C-1"}, {'C', u"A"}, {'D', u"1-2"}}),
                          bit('A') | bit('D'));
    EXPECT_FALSE(set.ok());
    for (char letter : {'A', 'B', 'C'})
        EXPECT_TRUE(set.error(letter - 'A').contains(QStringLiteral("Kreis")));
    EXPECT_TRUE(set.error('D' - 'A').isEmpty());
}

TEST(VariableSet, LettersWithoutTextAreReportedAndLeftEmpty)
{
    const VariableSet set(texts({{'A', u"1,2"}, {'B', u"C+1"}}), bit('A') | bit('B'));
    EXPECT_TRUE(set.ok());
    EXPECT_EQ(set.withoutValue(), bit('C'));
    Values values;
    set.valuesAt(0, values);
    EXPECT_FALSE(values[1].has_value()); // B needs C
    EXPECT_EQ(set.describe(values), QStringLiteral("A=1 B=? C=?"));
}

TEST(VariableSet, TheOdometerMatchesDirectIndexing)
{
    const VariableSet set(texts({{'A', u"0-2"}, {'C', u"5,6"}, {'E', u"9-7"}, {'F', u"A+E"}}),
                          bit('A') | bit('C') | bit('E') | bit('F'));
    ASSERT_EQ(set.combinationCount(), 18u);
    VariableSet::Odometer odometer;
    Values stepped;
    set.start(3, odometer, stepped);
    for (uint64_t i = 3; i < 18; ++i) {
        if (i != 3)
            set.next(odometer, stepped);
        Values direct;
        set.valuesAt(i, direct);
        EXPECT_EQ(stepped, direct) << i;
    }
    // The last letter varies fastest.
    Values first;
    set.valuesAt(1, first);
    EXPECT_EQ(set.describe(first), QStringLiteral("A=0 C=5 E=8 F=8"));
}
