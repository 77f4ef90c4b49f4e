#include "logic/tools/CryptoTools.h"

#include "logic/tools/RandomText.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using RotFunction = std::function<QString(const QString &)>;

struct RotCase
{
    const char *name;
    RotFunction rot;
    QString input;
    QString expected;
};

} // namespace

TEST(Rot, KnownTexts)
{
    const RotCase cases[] = {
        {"Rot5", Rot5, QStringLiteral("2016 ab"), QStringLiteral("7561 ab")},
        {"Rot5 letters", Rot5, QStringLiteral("Hallo Welt"), QStringLiteral("Hallo Welt")},
        {"Rot13", Rot13, QStringLiteral("Hallo Welt!"), QStringLiteral("Unyyb Jryg!")},
        {"Rot13 umlauts", Rot13, QStringLiteral("Äpfel ß"), QStringLiteral("Äcsry ß")},
        {"Rot13 digits", Rot13, QStringLiteral("0123456789"), QStringLiteral("0123456789")},
        {"Rot13 edges", Rot13, QStringLiteral("AMNZamnz"), QStringLiteral("NZAMnzam")},
        {"Rot18", Rot18, QStringLiteral("Abc123"), QStringLiteral("Nop678")},
        {"Rot18 others", Rot18, QStringLiteral("§ä ß!"), QStringLiteral("§ä ß!")},
        {"Rot47", Rot47, QStringLiteral("Cache"), QStringLiteral("r2496")},
        {"Rot47 word", Rot47, QStringLiteral("Hinweis"), QStringLiteral("w:?H6:D")},
        {"Rot47 ends", Rot47, QStringLiteral("! ~"), QStringLiteral("P O")},
        {"Rot47 outside", Rot47, QStringLiteral("§äß\t\x7f"), QStringLiteral("§äß\t\x7f")},
        {"Rot47 empty", Rot47, QString(), QString()},
    };
    for (const RotCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.rot(c.input), c.expected);
    }
}

TEST(Rot, FixedShiftsAreTheirOwnInverse)
{
    const std::pair<const char *, RotFunction> rots[] = {
        {"Rot5", Rot5}, {"Rot13", Rot13}, {"Rot18", Rot18}, {"Rot47", Rot47}};
    RandomText random(5);
    for (int round = 0; round < 200; ++round) {
        const QString text = random.text(round);
        for (const auto &[name, rot] : rots) {
            SCOPED_TRACE(name);
            const QString once = rot(text);
            ASSERT_EQ(once.size(), text.size());
            ASSERT_EQ(rot(once), text);
        }
    }
}

TEST(Rot, RotNShiftsLettersOnlyAndWrapsAround)
{
    const struct
    {
        int n;
        QString expected;
    } cases[] = {
        {0, QStringLiteral("Abc xyz 09 Ä")},  {1, QStringLiteral("Bcd yza 09 Ä")},
        {13, QStringLiteral("Nop klm 09 Ä")}, {25, QStringLiteral("Zab wxy 09 Ä")},
        {26, QStringLiteral("Abc xyz 09 Ä")}, {-1, QStringLiteral("Zab wxy 09 Ä")},
        {53, QStringLiteral("Bcd yza 09 Ä")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(RotN(QStringLiteral("Abc xyz 09 Ä"), c.n), c.expected);
    }
}

TEST(Rot, RotNIsUndoneByTheComplementaryShift)
{
    RandomText random(26);
    for (int round = 0; round < 100; ++round) {
        const QString text = random.text(round);
        const int n = round % 27;
        SCOPED_TRACE(n);
        ASSERT_EQ(RotN(RotN(text, n), 26 - n), text);
        if (n == 13) {
            ASSERT_EQ(RotN(text, n), Rot13(text));
        }
    }
}

TEST(Rot, ShiftTableHas27NumberedLines)
{
    const QStringList lines = RotShiftLines(QStringLiteral("Abc xyz"));
    ASSERT_EQ(lines.size(), 27);
    const std::pair<int, QString> expected[] = {
        {0, QStringLiteral("00 Abc xyz")},  {1, QStringLiteral("01 Bcd yza")},
        {9, QStringLiteral("09 Jkl ghi")},  {10, QStringLiteral("10 Klm hij")},
        {13, QStringLiteral("13 Nop klm")}, {25, QStringLiteral("25 Zab wxy")},
        {26, QStringLiteral("26 Abc xyz")},
    };
    for (const auto &[line, text] : expected) {
        SCOPED_TRACE(line);
        EXPECT_EQ(lines.at(line), text);
    }
    EXPECT_EQ(RotShiftLines(QString()).first(), QStringLiteral("00 "));
}
