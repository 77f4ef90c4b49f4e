#include "logic/solvers/FermilabCode.h"

#include <gtest/gtest.h>

#include <random>

TEST(FermilabDecode, DecodesAndKeepsEverythingElse)
{
    const struct
    {
        const char *coded;
        const char *plain;
    } cases[] = {
        {"", ""},
        {"000", " "},
        {"0001", " 1"},
        {"001 002", "A B"},
        {"020 001 021 000 022 001 012", "F A G   H A E"},
        {"001002", "AB"},
        {"100000", "1 00"},
        {"010001020", "01 1F"},
        {"003 018", "003 018"},
        {"222\n221\r\n220", "Z\nY\r\nX"},
        {"abc-001;ÄÖ", "abc-A;ÄÖ"},
        {"00", "00"},
        {"0000", " 0"},
        {"000000", "  "},
        {"112 120 111 012 201", "N O M E S"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.coded);
        EXPECT_EQ(FermilabDecode(QString::fromUtf8(c.coded)), QString::fromUtf8(c.plain));
    }
}

TEST(FermilabDecode, EveryLetterFromItsBaseThreePosition)
{
    for (int i = 0; i < 27; ++i) {
        const QString triple =
            QString::number(i / 9) + QString::number(i / 3 % 3) + QString::number(i % 3);
        const QString expected = i == 0 ? QStringLiteral(" ") : QString(QChar(u'A' + i - 1));
        SCOPED_TRACE(triple.toStdString());
        EXPECT_EQ(FermilabDecode(u'|' + triple + u'|'), u'|' + expected + u'|');
    }
}

// The decoder works run by run; the rule is the 27 replacements in order over the whole text.
TEST(FermilabDecode, AgreesWithTheReplacementsInOrder)
{
    std::mt19937 engine(3);
    std::uniform_int_distribution<int> pick(0, 5);
    for (int length = 0; length <= 40; ++length) {
        for (int round = 0; round < 20; ++round) {
            QString text;
            for (int i = 0; i < length; ++i)
                text += QChar(u"0120 3"[pick(engine)]);
            QString expected = text;
            for (int p = 0; p < 27; ++p)
                expected.replace(QString::number(p / 9) + QString::number(p / 3 % 3) +
                                     QString::number(p % 3),
                                 p == 0 ? QStringLiteral(" ") : QString(QChar(u'A' + p - 1)));
            SCOPED_TRACE(text.toStdString());
            EXPECT_EQ(FermilabDecode(text), expected);
        }
    }
}
