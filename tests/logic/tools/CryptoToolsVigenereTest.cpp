#include "logic/tools/CryptoTools.h"

#include "logic/common/QuarvelError.h"
#include "logic/tools/RandomText.h"

#include <gtest/gtest.h>

namespace {

QString asciiUpper(QString text)
{
    for (QChar &c : text) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    }
    return text;
}

} // namespace

TEST(Vigenere, EncryptsWithTheClassicTableau)
{
    const struct
    {
        const char *name;
        QString text;
        QString key;
        QString expected;
    } cases[] = {
        {"textbook", QStringLiteral("ATTACKATDAWN"), QStringLiteral("LEMON"),
         QStringLiteral("LXFOPVEFRNHR")},
        {"lower-case text and key", QStringLiteral("attackatdawn"), QStringLiteral("lemon"),
         QStringLiteral("LXFOPVEFRNHR")},
        {"key A upper-cases only", QStringLiteral("Franz jagt!"), QStringLiteral("a"),
         QStringLiteral("FRANZ JAGT!")},
        {"one letter is a Caesar shift", QStringLiteral("Abc xyz"), QStringLiteral("D"),
         QStringLiteral("DEF ABC")},
        {"blanks do not use up key letters", QStringLiteral("AB CD"), QStringLiteral("BC"),
         QStringLiteral("BD DF")},
        {"others stay in place", QStringLiteral("Ä1ß\nz"), QStringLiteral("B"),
         QStringLiteral("Ä1ß\nA")},
        {"empty text", QString(), QStringLiteral("KEY"), QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(VigenereEncrypt(c.text, c.key, true), c.expected);
        EXPECT_EQ(VigenereDecrypt(c.expected, c.key), asciiUpper(c.text));
    }
}

TEST(Vigenere, WithoutUpperCaseFlagStillEncryptsInUpperCase)
{
    const QString text = QStringLiteral("Franz jagt im komplett verwahrlosten Taxi");
    EXPECT_EQ(VigenereEncrypt(text, QStringLiteral("Geo"), false),
              VigenereEncrypt(text, QStringLiteral("Geo"), true));
}

TEST(Vigenere, DecryptUndoesEncryptUpToUpperCase)
{
    RandomText random(1234);
    for (int round = 0; round < 200; ++round) {
        const QString text = random.text(round);
        const QString key = random.letters(12);
        SCOPED_TRACE(key.toStdString());
        const QString cipher = VigenereEncrypt(text, key);
        ASSERT_EQ(cipher.size(), text.size());
        ASSERT_EQ(VigenereDecrypt(cipher, key), asciiUpper(text));
    }
}

TEST(Vigenere, KeyWithOtherThanLettersIsRefused)
{
    const QString keys[] = {QStringLiteral("AB1"), QStringLiteral("A B"), QStringLiteral("Käse"),
                            QStringLiteral("ß"), QStringLiteral("a.")};
    for (const QString &key : keys) {
        SCOPED_TRACE(key.toStdString());
        try {
            VigenereEncrypt(QStringLiteral("TEXT"), key);
            ADD_FAILURE() << "encrypt accepted the key";
        } catch (const QuarvelError &error) {
            EXPECT_EQ(error.message(),
                      QStringLiteral("Der Schlüssel darf nur Buchstaben enthalten"));
        }
        try {
            VigenereDecrypt(QStringLiteral("TEXT"), key);
            ADD_FAILURE() << "decrypt accepted the key";
        } catch (const QuarvelError &error) {
            EXPECT_EQ(error.message(),
                      QStringLiteral("Der Schlüssel darf nur Buchstaben enthalten."));
        }
    }
}

TEST(Vigenere, EmptyKeyLeavesLettersUnshifted)
{
    EXPECT_EQ(VigenereEncrypt(QStringLiteral("Abc"), QString()), QStringLiteral("ABC"));
    EXPECT_EQ(VigenereDecrypt(QStringLiteral("Abc"), QString()), QStringLiteral("ABC"));
}
