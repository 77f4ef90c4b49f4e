#include "logic/common/CodePage.h"

#include <gtest/gtest.h>

TEST(CodePage, GermanLettersAndEuroAreSingleBytes)
{
    const QByteArray bytes = CodePage::toAnsi(QStringLiteral("Äöüß€"));
    EXPECT_EQ(bytes, QByteArray("\xC4\xF6\xFC\xDF\x80"));
    EXPECT_EQ(CodePage::fromAnsi(bytes), QStringLiteral("Äöüß€"));
}

TEST(CodePage, MissingCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(CodePage::toAnsi(QStringLiteral("aΩb")), QByteArray("a?b"));
    EXPECT_EQ(CodePage::toAnsi(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QByteArray("x??y"));
}

TEST(CodePage, EveryByteReadsAsOneCharacter)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(CodePage::fromAnsi(all).size(), 256);
}
