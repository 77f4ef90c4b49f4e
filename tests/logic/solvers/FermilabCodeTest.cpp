#include "logic/solvers/FermilabCode.h"

#include <gtest/gtest.h>

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
