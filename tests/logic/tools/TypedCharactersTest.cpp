// The characters the digit-sum and Roman numeral fields let a user type, and the message that
// names a refused one.
#include "logic/tools/TypedCharacters.h"
#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

using QuersummenKette::Zahlensystem;

TEST(TypedCharacters, EachFieldTakesItsCharactersOnly)
{
    const struct
    {
        const char *name;
        std::function<bool(QChar)> passes;
        const char16_t *taken;
        const char16_t *dropped;
    } cases[] = {
        {"decimal digit sum",
         [](QChar c) { return TypedCharacters::digitSumField(c, Zahlensystem::Dezimal); },
         u"0189aZ °.-", u""},
        {"hexadecimal",
         [](QChar c) { return TypedCharacters::digitSumField(c, Zahlensystem::Hexadezimal); },
         u"09afAF", u"gG x-"},
        {"binary", [](QChar c) { return TypedCharacters::digitSumField(c, Zahlensystem::Binaer); },
         u"01", u"2a "},
        {"octal", [](QChar c) { return TypedCharacters::digitSumField(c, Zahlensystem::Oktal); },
         u"07", u"89a"},
        {"Roman", [](QChar c) { return TypedCharacters::romanField(c, false); }, u"CDILMVX",
         u"ABQZcx1 "},
        {"Roman, all letters", [](QChar c) { return TypedCharacters::romanField(c, true); },
         u"AQZM", u"aÄ1 "},
        {"decimal of the Roman tool", TypedCharacters::decimalField, u"0123456789", u"a-+ ٣"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        for (const QChar ch : QStringView(c.taken))
            EXPECT_TRUE(c.passes(ch)) << QString(ch).toStdString();
        for (const QChar ch : QStringView(c.dropped))
            EXPECT_FALSE(c.passes(ch)) << QString(ch).toStdString();
    }
    EXPECT_EQ(TypedCharacters::romanFieldTyped(u'x'), QChar(u'X'));
    EXPECT_EQ(TypedCharacters::romanFieldTyped(u'ä'), QChar(u'ä'));
}

TEST(TypedCharacters, TheMessageNamesTheFirstRefusedCharacterAndItsPlace)
{
    try {
        TypedCharacters::requireTypable(
            QStringLiteral("MMXQV"), [](QChar c) { return TypedCharacters::romanField(c, false); },
            TypedCharacters::romanAllowed(false));
        FAIL() << "no error";
    } catch (const QuarvelError &error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("Zeichen 4: „Q“ kann hier nicht eingegeben "
                                 "werden; erlaubt sind C, D, I, L, M, V, X"));
    }
    EXPECT_NO_THROW(TypedCharacters::requireTypable(QString(), TypedCharacters::decimalField,
                                                    QStringLiteral("0–9")));
}
