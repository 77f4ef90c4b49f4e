#include "logic/common/QuarvelError.h"
#include "logic/tools/Buchstabenverteilung.h"
#include "logic/tools/CryptoTools_WortWert.h"
#include "logic/tools/QuersummenKette.h"

#include <gtest/gtest.h>

using QuersummenKette::Zahlensystem;

namespace {

QString q(const char16_t *text)
{
    return QString::fromUtf16(text);
}

} // namespace

TEST(Quersumme, RepeatsDownToOneDigit)
{
    const struct
    {
        Zahlensystem system;
        QString input;
        QString decimal;
        QStringList sums;
    } cases[] = {
        {Zahlensystem::Dezimal, "1234567890", "1234567890", {"45", "9"}},
        {Zahlensystem::Dezimal, q(u"N 47° 11"), "4711", {"13", "4"}},
        {Zahlensystem::Dezimal, "abc", "", {"0"}},
        {Zahlensystem::Dezimal, QString(11, u'9'), QString(11, u'9'), {"99", "18", "9"}},
        {Zahlensystem::Dezimal, "0007", "0007", {"7"}},
        {Zahlensystem::Dezimal, "0", "0", {"0"}},
        // 25 digits with the digit sum 199: four rows
        {Zahlensystem::Dezimal,
         "100" + QString(22, u'9'),
         "100" + QString(22, u'9'),
         {"199", "19", "10", "1"}},
        {Zahlensystem::Hexadezimal, "FF", "255", {"12", "3"}},
        {Zahlensystem::Hexadezimal, "7", "7", {"7"}},
        {Zahlensystem::Binaer, "1111111", "127", {"10", "1"}},
        {Zahlensystem::Oktal, "777", "511", {"7"}},
        // 40 binary digits, 20 hexadecimal and 30 octal digits, beyond 64 bits where possible
        {Zahlensystem::Binaer,
         "1010101010101010101010101010101010101010",
         "733007751850",
         {"46", "10", "1"}},
        {Zahlensystem::Hexadezimal,
         "123456789ABCDEF01234",
         "85968058283706962416180",
         {"112", "4"}},
        {Zahlensystem::Oktal,
         "123456701234567012345670123456",
         "202111984851340648708613934",
         {"108", "9"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.input.toStdString());
        const auto result = QuersummenKette::compute(c.input, c.system);
        EXPECT_EQ(result.decimal, c.decimal);
        EXPECT_EQ(result.sums, c.sums);
    }
}

TEST(Quersumme, PastedForeignCharactersFailInHexAndOctal)
{
    for (const auto system : {Zahlensystem::Hexadezimal, Zahlensystem::Oktal}) {
        try {
            QuersummenKette::compute(QStringLiteral("1Z"), system);
            ADD_FAILURE() << "no error";
        } catch (const QuarvelError &error) {
            EXPECT_EQ(error.message(), QStringLiteral("''Z'' ist kein gültiger Integer-Wert"));
        }
    }
    // The binary reading counts only the ones.
    EXPECT_EQ(QuersummenKette::compute(QStringLiteral("1Z1"), Zahlensystem::Binaer).decimal,
              QStringLiteral("5"));
}

TEST(BuchstabenWortWert, SumsLetterValues)
{
    const struct
    {
        const char16_t *text;
        int plain, inverse, withDigits;
    } cases[] = {
        {u"Hallo", 48, 87, 48},   {u"Äpfel", 66, 96, 66},    {u"Straße", 93, 102, 93},
        {u"N 47", 14, 13, 25},    {u"Zahl 123", 47, 61, 53}, {u"HALLO", 48, 87, 48},
        {u"äöüß", 114, 114, 114}, {u"ÄÖÜ", 84, 84, 84},      {u"ß", 30, 30, 30},
        {u"    ", 0, 0, 0},       {u"a,b", 3, 51, 3},        {u"", 0, 0, 0},
        {u"é€ı", 9, 18, 9}, // "ı" upper-cases to "I"; é and € are worth nothing
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(q(c.text).toStdString());
        EXPECT_EQ(CryptoTools::BuchstabenWortWert(q(c.text), false, false).toInt(), c.plain);
        EXPECT_EQ(CryptoTools::BuchstabenWortWert(q(c.text), true, false).toInt(), c.inverse);
        EXPECT_EQ(CryptoTools::BuchstabenWortWert(q(c.text), false, true).toInt(), c.withDigits);
    }
}

TEST(BuchstabenWortWert, LongTextsDoNotWrap)
{
    // 80 million "ß" would pass the 32-bit range.
    const QString text(80'000'000, u'ß');
    EXPECT_EQ(CryptoTools::BuchstabenWortWert(text, false, false), QStringLiteral("2400000000"));
}

TEST(Buchstabenverteilung, CountsAsciiLettersOnly)
{
    auto expect = [](const char16_t *text, const QString &letters) {
        SCOPED_TRACE(q(text).toStdString());
        Buchstabenverteilung::Counts expected {};
        for (const QChar c : letters)
            ++expected[size_t(c.unicode() - u'A')];
        EXPECT_EQ(Buchstabenverteilung::count(q(text)), expected);
    };
    expect(u"Hallo Welt!", QStringLiteral("HALLOWELT"));
    expect(u"Äpfel", QStringLiteral("PFEL"));
    expect(u"12 + 3 = 15 ?", QString());
    expect(u"aA zZ", QStringLiteral("AAZZ"));
    expect(u"éßÜ\n\r\tq", QStringLiteral("Q"));
}
