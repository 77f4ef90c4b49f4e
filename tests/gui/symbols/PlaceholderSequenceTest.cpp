#include "gui/symbols/PlaceholderSequence.h"
#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

namespace {

// Clicks written as "table/glyph" words, "_" for a blank.
void click(PlaceholderSequence &sequence, const QString &clicks)
{
    for (const QString &word : clicks.split(u' ', Qt::SkipEmptyParts)) {
        if (word == u"_") {
            sequence.addBlank();
            continue;
        }
        const QStringList parts = word.split(u'/');
        sequence.add(parts[0], parts[1].toInt());
    }
}

} // namespace

TEST(PlaceholderSequence, LettersFollowTheOrderOfFirstUseAcrossTables)
{
    struct Case
    {
        const char *clicks;
        const char *text;
        int distinct;
    };
    const Case cases[] = {
        {"", "", 0},
        {"a/3", "A", 1},
        {"a/3 a/3 a/3", "AAA", 1},
        {"a/3 a/1 a/3 _ a/4", "ABA C", 3},
        // The same place in another table is another glyph.
        {"a/1 b/1 a/1", "ABA", 2},
        {"_ a/9 _ _ a/0", " A  B", 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.clicks);
        PlaceholderSequence sequence;
        click(sequence, QString::fromLatin1(c.clicks));
        EXPECT_EQ(sequence.text(), QString::fromLatin1(c.text));
        EXPECT_EQ(sequence.distinct(), c.distinct);
    }
}

TEST(PlaceholderSequence, TakingBackFreesTheLetterOfAGlyphUsedOnlyThere)
{
    struct Case
    {
        const char *clicks;
        int takeBack;
        const char *then; // clicked after taking back
        const char *text;
    };
    const Case cases[] = {
        {"a/1 a/2", 1, "a/3", "AB"}, // a/2 gave B free, a/3 takes it
        {"a/1 a/2 a/1", 1, "a/3", "ABC"}, // a/1 is still used
        {"a/1 _", 1, "a/2", "AB"},
        {"a/1", 3, "a/2", "A"}, // taking back more than there is
        {"", 1, "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.clicks);
        PlaceholderSequence sequence;
        click(sequence, QString::fromLatin1(c.clicks));
        for (int i = 0; i < c.takeBack; ++i)
            sequence.removeLast();
        click(sequence, QString::fromLatin1(c.then));
        EXPECT_EQ(sequence.text(), QString::fromLatin1(c.text));
    }
}

TEST(PlaceholderSequence, AtMostTwentySixDistinctGlyphs)
{
    for (int distinct : {25, 26, 27}) {
        SCOPED_TRACE(distinct);
        PlaceholderSequence sequence;
        bool refused = false;
        for (int g = 0; g < distinct; ++g) {
            try {
                EXPECT_EQ(sequence.add(QStringLiteral("t"), g), QChar(u'A' + g));
            } catch (const QuarvelError &error) {
                refused = true;
                EXPECT_EQ(g, 26);
                EXPECT_TRUE(error.message().contains(QStringLiteral("A bis Z")));
            }
        }
        EXPECT_EQ(refused, distinct > PlaceholderSequence::kMaxDistinct);
        EXPECT_EQ(sequence.distinct(), std::min(distinct, 26));
        // A glyph already known is still welcome, and the refused one left nothing behind.
        EXPECT_EQ(sequence.add(QStringLiteral("t"), 0), QChar(u'A'));
        EXPECT_EQ(sequence.entries().size(), std::min(distinct, 26) + 1);
    }
}

TEST(PlaceholderSequence, AtMostFiveHundredEntries)
{
    for (int length : {499, 500, 501}) {
        SCOPED_TRACE(length);
        PlaceholderSequence sequence;
        int refused = 0;
        for (int i = 0; i < length; ++i) {
            try {
                if (i % 2)
                    sequence.addBlank();
                else
                    sequence.add(QStringLiteral("t"), 0);
            } catch (const QuarvelError &) {
                ++refused;
            }
        }
        EXPECT_EQ(refused, length > PlaceholderSequence::kMaxLength ? 1 : 0);
        EXPECT_EQ(sequence.text().size(), std::min(length, 500));
    }
}
