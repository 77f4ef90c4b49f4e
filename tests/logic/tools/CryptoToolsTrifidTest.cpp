#include "logic/tools/CryptoTools.h"

#include "logic/common/QuarvelError.h"
#include "logic/tools/RandomText.h"

#include <gtest/gtest.h>

namespace {

// With this key the cube holds the alphabet in order: cell n is letter n, cell 26 is ".".
const QString kPlainKey = QStringLiteral("AB");

QString symbolAt(int layer, int row, int column)
{
    return QString(QLatin1Char(TrifidCube(kPlainKey).symbolAt(TrifidCell {layer, row, column})));
}

// What the cipher keeps of a text: no blanks, upper case, only "A".."Z" and ".".
QString reduced(const QString &text)
{
    QString result;
    for (QChar c : text) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
        if ((c >= u'A' && c <= u'Z') || c == u'.')
            result += c;
    }
    return result;
}

} // namespace

TEST(Trifid, CubeFillsKeyLettersThenAlphabetThenFullStop)
{
    const struct
    {
        QString key;
        QString symbols;
    } cases[] = {
        {kPlainKey, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ.")},
        {QStringLiteral("quarvel"), QStringLiteral("QUARVELBCDFGHIJKMNOPSTWXYZ.")},
        {QStringLiteral("FELLOW"), QStringLiteral("FELOWABCDGHIJKMNPQRSTUVXYZ.")},
        {QStringLiteral("FELOW"), QStringLiteral("FELOWABCDGHIJKMNPQRSTUVXYZ.")},
        {QString(), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ.")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key.toStdString());
        const TrifidCube cube(c.key);
        EXPECT_EQ(cube.symbols(), c.symbols);
        EXPECT_EQ(cube.cellOf(u'.'), 26);
        EXPECT_EQ(cube.cellOf(u'a'), -1); // the cube holds upper case only
    }
}

TEST(Trifid, DigitsAreReadInGroupsOfLayerColumnRow)
{
    // Cells (layer, row, column) (0, 1, 2), (2, 0, 1), (1, 1, 1) encrypt to the cells
    // (0, 1, 2), (2, 1, 1), (1, 1, 0); decrypting brings the starting cells back.
    const QString plain = symbolAt(0, 1, 2) + symbolAt(2, 0, 1) + symbolAt(1, 1, 1);
    const QString cipher = symbolAt(0, 1, 2) + symbolAt(2, 1, 1) + symbolAt(1, 1, 0);
    EXPECT_EQ(plain, QStringLiteral("FTN"));
    EXPECT_EQ(TrifidEncrypt(plain, kPlainKey), cipher);
    EXPECT_EQ(TrifidDecrypt(cipher, kPlainKey), plain);
}

TEST(Trifid, TextIsReducedToTheCubesSymbols)
{
    const QString key = QStringLiteral("Geocache");
    const QString reference = TrifidEncrypt(QStringLiteral("AB.C"), key);
    ASSERT_EQ(reference.size(), 4);
    const QString sameText[] = {
        QStringLiteral("ab.c"),
        QStringLiteral("A B . C"),
        QStringLiteral("A1ä\nB.\tC!"),
        QStringLiteral("AΩB€.😀C ß"),
    };
    for (const QString &text : sameText) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(TrifidEncrypt(text, key), reference);
    }
    EXPECT_EQ(TrifidEncrypt(QStringLiteral("123 äöü"), key), QString());
    EXPECT_EQ(TrifidDecrypt(QString(), key), QString());
}

TEST(Trifid, DecryptUndoesEncryptOnTheReducedText)
{
    RandomText random(27);
    for (int round = 0; round < 200; ++round) {
        const QString text = random.text(round);
        const QString key = random.letters(10) + QStringLiteral("x"); // never one letter
        SCOPED_TRACE(key.toStdString());
        const QString cipher = TrifidEncrypt(text, key);
        ASSERT_EQ(cipher, reduced(cipher));
        ASSERT_EQ(cipher.size(), reduced(text).size());
        ASSERT_EQ(TrifidDecrypt(cipher, key), reduced(text));
    }
}

TEST(Trifid, OneCharacterKeyGivesEmptyText)
{
    const QString keys[] = {QStringLiteral("K"), QStringLiteral("k"), QStringLiteral("1"),
                            QStringLiteral("ä")};
    for (const QString &key : keys) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_EQ(TrifidEncrypt(QStringLiteral("HALLO WELT"), key), QString());
        EXPECT_EQ(TrifidDecrypt(QStringLiteral("HALLO WELT"), key), QString());
    }
}

TEST(Trifid, KeyWithOtherThanLettersIsRefused)
{
    const QString keys[] = {QStringLiteral("AB1"), QStringLiteral("A B"), QStringLiteral("AB."),
                            QStringLiteral("Käse"), QStringLiteral("Ωmega")};
    for (const QString &key : keys) {
        SCOPED_TRACE(key.toStdString());
        for (auto cipher : {TrifidEncrypt, TrifidDecrypt}) {
            try {
                cipher(QStringLiteral("TEXT"), key);
                ADD_FAILURE() << "key accepted";
            } catch (const QuarvelError &error) {
                EXPECT_EQ(error.message(),
                          QStringLiteral("Der Schlüssel darf nur Buchstaben enthalten."));
            }
        }
    }
}
