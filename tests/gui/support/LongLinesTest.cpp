#include "gui/support/LongLines.h"

#include <gtest/gtest.h>

using LongLines::kLongestLine;
using LongLines::kWrapColumn;

namespace {

// Groups of five letters and a blank, `characters` long.
QString groups(qsizetype characters)
{
    QString text = QStringLiteral("ADFGX ").repeated(characters / 6 + 1);
    text.truncate(characters);
    return text;
}

qsizetype longestLine(const QString &text)
{
    qsizetype longest = 0;
    for (const QStringView line : QStringView(text).split(u'\n'))
        longest = std::max(longest, line.size());
    return longest;
}

} // namespace

TEST(LongLines, OnlyLinesAboveTheLimitAreBrokenAndOnlyAtBlanks)
{
    const struct
    {
        QString text;
        bool longLine;
        bool broken;
    } cases[] = {
        {groups(kLongestLine - 1), false, false},
        {groups(kLongestLine), false, false},
        {groups(kLongestLine + 1), true, true},
        {groups(1'000'000), true, true},
        // Many short lines together far above the limit stay as they are.
        {(groups(kLongestLine / 2) + u'\n').repeated(5), false, false},
        {groups(100) + u'\n' + groups(kLongestLine + 1) + u'\n', true, true},
        // Without a blank nothing can be broken.
        {QString(kLongestLine + 1, u'A'), true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.size());
        const QString shown = LongLines::forDisplay(c.text);
        EXPECT_EQ(LongLines::hasLongLine(c.text), c.longLine);
        EXPECT_EQ(shown != c.text, c.broken);
        ASSERT_EQ(shown.size(), c.text.size());
        // Only blanks became line breaks; every other character stays.
        QString back = shown;
        for (qsizetype i = 0; i < back.size(); ++i) {
            if (back.at(i) == u'\n' && c.text.at(i) == u' ')
                back[i] = u' ';
        }
        EXPECT_EQ(back, c.text);
        if (c.broken) {
            EXPECT_LE(longestLine(shown), kWrapColumn + 6);
        }
    }
}
