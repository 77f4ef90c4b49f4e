#include "logic/settings/RegistryText.h"

#include <gtest/gtest.h>

namespace {

// A settings file far larger than any the program writes itself: `keys` keys with `perKey`
// values each, texts and integers in turn.
QByteArray largeFile(int keys, int perKey)
{
    QByteArray text = "Windows Registry Editor Version 5.00\n";
    for (int k = 0; k < keys; ++k) {
        text += "\n[HKEY_CURRENT_USER\\Software\\Gross\\Schluessel" + QByteArray::number(k) + "]\n";
        for (int v = 0; v < perKey; ++v) {
            const QByteArray name = "\"Wert" + QByteArray::number(v) + "\"=";
            if (v % 2 == 0)
                text += name + "\"Text " + QByteArray::number(v) + "\"\n";
            else
                text += name + "dword:" + QByteArray::number(v, 16).rightJustified(8, '0') + "\n";
        }
    }
    return text;
}

} // namespace

// Read and written with one look-up per value: a file of this size took minutes while every
// value was compared with all the others.
TEST(RegistryIndex, AHugeFileReadsFindsAndWritesBackWhole)
{
    const int perKey = 50000;
    const QByteArray text = largeFile(2, perKey);
    const RegistryParseResult result = parseRegistryText(text);
    ASSERT_TRUE(result.document.has_value()) << result.error.toStdString();
    const RegistryDocument &document = *result.document;
    ASSERT_EQ(document.keys.size(), 2);
    const RegistryKey *key = document.find(QStringLiteral("\\SOFTWARE\\gross\\SCHLUESSEL1"));
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->values.size(), perKey);
    for (const int v : {0, 1, 4097, perKey - 2, perKey - 1}) {
        SCOPED_TRACE(v);
        const QString name = QStringLiteral("WERT%1").arg(v);
        if (v % 2 == 0)
            EXPECT_EQ(key->readString(name), QStringLiteral("Text %1").arg(v));
        else
            EXPECT_EQ(key->readInteger(name), v);
    }
    EXPECT_EQ(key->find(QStringLiteral("Wert%1").arg(perKey)), nullptr);
    EXPECT_EQ(registryText(document), text);
}

TEST(RegistryIndex, NamesOfOneSpellingInAnotherCaseAreOneValue)
{
    const RegistryParseResult result = parseRegistryText(
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_CURRENT_USER\\Software\\A]\n\"Wert\"=dword:00000001\n\"Zweiter\"=\"z\"\n"
        "\"WERT\"=dword:00000002\n\"Änderung\"=\"a\"\n\"äNDERUNG\"=\"b\"\n\"Maße\"=\"c\"\n"
        "[HKEY_CURRENT_USER\\software\\a]\n\"wert\"=dword:00000003\n");
    ASSERT_TRUE(result.document.has_value()) << result.error.toStdString();
    ASSERT_EQ(result.document->keys.size(), 1);
    const RegistryKey &key = result.document->keys.first();
    // The later one wins and keeps the place of the first. Letters compare one by one, as in
    // the registry: "ß" is not "SS".
    ASSERT_EQ(key.values.size(), 4);
    EXPECT_EQ(key.values.at(0).name, QStringLiteral("wert"));
    EXPECT_EQ(key.readInteger(QStringLiteral("Wert")), 3);
    EXPECT_EQ(key.readString(QStringLiteral("ÄNDERUNG")), QStringLiteral("b"));
    EXPECT_EQ(key.readString(QStringLiteral("MASSE")), QString());
    EXPECT_EQ(key.readString(QStringLiteral("MAßE")), QStringLiteral("c"));
}

TEST(RegistryIndex, FindsValuesAfterRemovalsAndDirectEdits)
{
    RegistryKey key(QStringLiteral("A"));
    for (int v = 0; v < 100; ++v)
        key.writeInteger(QStringLiteral("W%1").arg(v), v);
    EXPECT_TRUE(key.remove(QStringLiteral("w10")));
    EXPECT_FALSE(key.remove(QStringLiteral("w10")));
    EXPECT_EQ(key.find(QStringLiteral("W10")), nullptr);
    EXPECT_EQ(key.readInteger(QStringLiteral("w99")), 99);

    // A list changed behind the index's back: an entry moved, one added, one taken away.
    key.values.move(0, 50);
    key.values.append(RegistryValue::dword(QStringLiteral("Neu"), 7));
    key.values.removeLast();
    key.values.removeFirst();
    key.values.append(RegistryValue::dword(QStringLiteral("Neu"), 7));
    EXPECT_EQ(key.readInteger(QStringLiteral("W0")), 0);
    EXPECT_EQ(key.find(QStringLiteral("w1")), nullptr);
    EXPECT_EQ(key.readInteger(QStringLiteral("NEU")), 7);
    key.writeInteger(QStringLiteral("w0"), 70);
    EXPECT_EQ(key.values.size(), 99);
    EXPECT_EQ(key.readInteger(QStringLiteral("W0")), 70);
}

TEST(RegistryIndex, KeysAreMadeOncePerPathWhateverItsSpelling)
{
    RegistryDocument document;
    for (int k = 0; k < 1000; ++k)
        document.findOrCreate(QStringLiteral("\\Software\\K%1\\").arg(k));
    RegistryKey &again = document.findOrCreate(QStringLiteral("software\\k999"));
    EXPECT_EQ(document.keys.size(), 1000);
    EXPECT_EQ(again.path, QStringLiteral("Software\\K999"));
    EXPECT_EQ(document.find(QStringLiteral("Software\\K1000")), nullptr);
    const RegistryDocument copy = document;
    EXPECT_EQ(copy.find(QStringLiteral("SOFTWARE\\K0"))->path, QStringLiteral("Software\\K0"));
    EXPECT_EQ(copy, document);
}
