#include "gui/symbols/PlaceholderSequence.h"
#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

namespace {

// Clicks written as "table/glyph" words, "_" for a blank, "<" to take the last one back.
void click(PlaceholderSequence &sequence, const QString &clicks)
{
    for (const QString &word : clicks.split(u' ', Qt::SkipEmptyParts)) {
        if (word == u"_")
            sequence.addBlank();
        else if (word == u"<")
            sequence.removeLast();
        else
            sequence.add(word.section(u'/', 0, 0), word.section(u'/', 1).toInt());
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
        {"a/3 a/1 a/3 _ a/4", "ABA C", 3},
        {"a/1 b/1 a/1", "ABA", 2}, // the same place in another table is another glyph
        {"_ a/9 _ _ a/0", " A  B", 2},
        {"a/1 a/2 < a/3", "AB", 2}, // a/2 was used only there: B is free again
        {"a/1 a/2 a/1 < a/3", "ABC", 3}, // a/1 is still used
        {"a/1 _ < a/2", "AB", 2},
        {"a/1 < < < a/2", "A", 1}, // taking back more than there is
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.clicks);
        PlaceholderSequence sequence;
        click(sequence, QString::fromLatin1(c.clicks));
        EXPECT_EQ(sequence.text(), QString::fromLatin1(c.text));
        EXPECT_EQ(sequence.distinct(), c.distinct);
    }
}

// At most 26 distinct glyphs and 500 entries; what is refused leaves nothing behind.
TEST(PlaceholderSequence, RefusesTheTwentySeventhGlyphAndTheFiveHundredFirstEntry)
{
    struct Case
    {
        int distinct;
        int length;
        int kept;
        const char *reason; // part of the refusal; empty: none
    };
    const Case cases[] = {{25, 25, 25, ""},  {26, 26, 26, ""},  {27, 27, 26, "A bis Z"},
                          {2, 499, 499, ""}, {2, 500, 500, ""}, {2, 501, 500, "500"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.distinct << " / " << c.length);
        PlaceholderSequence sequence;
        QString message;
        for (int i = 0; i < c.length; ++i) {
            try {
                sequence.add(QStringLiteral("t"), i % c.distinct);
            } catch (const QuarvelError &error) {
                message = error.message();
            }
        }
        EXPECT_EQ(message.isEmpty(), *c.reason == 0);
        EXPECT_TRUE(message.contains(QString::fromLatin1(c.reason)));
        EXPECT_EQ(sequence.distinct(), std::min(c.distinct, PlaceholderSequence::kMaxDistinct));
        EXPECT_EQ(sequence.text().size(), c.kept);
    }
    // A glyph already known is still welcome when 26 are taken.
    PlaceholderSequence full;
    click(full,
          QStringLiteral("t/0 t/1 t/2 t/3 t/4 t/5 t/6 t/7 t/8 t/9 t/10 t/11 t/12 t/13 t/14 "
                         "t/15 t/16 t/17 t/18 t/19 t/20 t/21 t/22 t/23 t/24 t/25 t/3"));
    EXPECT_TRUE(full.text().endsWith(QStringLiteral("ZD")));
}
