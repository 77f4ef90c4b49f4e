#include "logic/settings/RegistryText.h"
#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kHeader = "Windows Registry Editor Version 5.00\n\n";

RegistryDocument parsed(const QByteArray &text)
{
    const RegistryParseResult result = parseRegistryText(text);
    EXPECT_TRUE(result.document.has_value()) << result.error.toStdString();
    return result.document.value_or(RegistryDocument {});
}

QString errorOf(const QByteArray &text)
{
    const RegistryParseResult result = parseRegistryText(text);
    EXPECT_FALSE(result.document.has_value());
    return result.error;
}

QString messageOf(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const QuarvelError &error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

} // namespace

TEST(RegistryText, ReadsTheValueFormsOfAnExport)
{
    const RegistryDocument document =
        parsed(kHeader +
               "[HKEY_CURRENT_USER\\Software\\Brask\\Quarvel\\1.0]\r\n"
               "\"Left\"=dword:ffffff9c\r\n"
               "\"HomeKoordinaten\"=\"N 52° 31.000 \\\"E\\\" C:\\\\\"\r\n"
               "\"Pfad\"=hex(2):25,00,48,00,4f,00,\\\r\n"
               "  4d,00,45,00,25,00,00,00\r\n"
               "; a comment\r\n"
               "\"Bytes\"=hex:01,ff\r\n"
               "@=\"standard\"\r\n");
    ASSERT_EQ(document.keys.size(), 1);
    const RegistryKey &key = document.keys.first();
    EXPECT_EQ(key.path, QStringLiteral("Software\\Brask\\Quarvel\\1.0"));
    EXPECT_EQ(key.readInteger(QStringLiteral("left")), -100);
    EXPECT_EQ(key.readString(QStringLiteral("HomeKoordinaten")),
              QStringLiteral("N 52° 31.000 \"E\" C:\\"));
    EXPECT_EQ(key.find(QStringLiteral("Pfad"))->type, RegistryType::ExpandSz);
    EXPECT_EQ(key.readString(QStringLiteral("Pfad")), QStringLiteral("%HOME%"));
    EXPECT_EQ(key.find(QStringLiteral("Bytes"))->data, QByteArray("\x01\xff"));
    EXPECT_EQ(key.readString(QString()), QStringLiteral("standard"));
}

TEST(RegistryText, AcceptsByteOrderMarksAndMergesKeysOfOneName)
{
    const QString text = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                        "[HKEY_CURRENT_USER\\Software\\A]\r\n\"x\"=\"ä\"\r\n"
                                        "[HKEY_CURRENT_USER\\software\\a]\r\n\"y\"=dword:1\r\n");
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    for (const QByteArray &bytes : {utf16, QByteArray("\xEF\xBB\xBF") + text.toUtf8()}) {
        const RegistryDocument document = parsed(bytes);
        ASSERT_EQ(document.keys.size(), 1);
        EXPECT_EQ(document.keys.first().values.size(), 2);
        EXPECT_EQ(document.keys.first().readString(QStringLiteral("x")), QStringLiteral("ä"));
    }
    EXPECT_TRUE(parsed("").keys.isEmpty());
    EXPECT_TRUE(parsed(" \n\n").keys.isEmpty());
}

TEST(RegistryText, RefusesWhatItCannotReadWithTheLine)
{
    const std::pair<QByteArray, const char *> cases[] = {
        {"[HKEY_CURRENT_USER\\A]\n", "Zeile 1: Kopfzeile"},
        {kHeader + "\"x\"=dword:1\n", "Zeile 3: Wert außerhalb"},
        {kHeader + "[HKEY_CURRENT_USER\\A]\n\"x\"=dword:123456789\n", "Zeile 4: ungültiger dword"},
        {kHeader + "[HKEY_CURRENT_USER\\A]\n\"x\"=dword:\n", "Zeile 4: ungültiger dword"},
        {kHeader + "[HKEY_CURRENT_USER\\A]\n\"x\"=\"abc\n", "Zeile 4: Anführungszeichen"},
        {kHeader + "[HKEY_CURRENT_USER\\A]\n\"x\"=\"a\\n\"\n", "Zeile 4: ungültige Maskierung"},
        {kHeader + "[HKEY_CURRENT_USER\\A]\n\"x\"=\"a\" b\n", "Zeile 4: Zeichen nach"},
        {kHeader + "[HKEY_CURRENT_USER\\A]\n\"x\"=hex:1,,2\n", "Zeile 4: ungültige Byte-Liste"},
        {kHeader + "[HKEY_CURRENT_USER\\A]\n\"x\"=hex:100\n", "Zeile 4: ungültige Byte-Liste"},
        {kHeader + "[HKEY_CURRENT_USER\\A]\n\"x\"=hex(z):00\n", "Zeile 4: ungültiger Werttyp"},
        {kHeader + "[HKEY_CURRENT_USER\\A]\n\"x\"=-\n", "Zeile 4: unbekannte Art"},
        {kHeader + "[HKEY_CURRENT_USER\\A]\nx=1\n", "Zeile 4: Zeile ist weder"},
        {kHeader + "[HKEY_CURRENT_USER\\A]\n\"x\" 1\n", "Zeile 4: „=“ fehlt"},
        {kHeader + "[HKEY_LOCAL_MACHINE\\A]\n", "Zeile 3: Schlüssel liegt nicht"},
        {kHeader + "[-HKEY_CURRENT_USER\\A]\n", "Zeile 3: Schlüssel zum Löschen"},
        {kHeader + "[HKEY_CURRENT_USER\\A\n", "Zeile 3: „]“ fehlt"},
        {"Windows Registry Editor Version 5.00\n\xC3\x28", "ungültige UTF-8-Kodierung"},
    };
    for (const auto &[text, expected] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_TRUE(errorOf(text).startsWith(QString::fromUtf8(expected)))
            << errorOf(text).toStdString();
    }
}

TEST(RegistryText, WritesAnExportThatReadsBackEqual)
{
    RegistryDocument document;
    RegistryKey &key = document.findOrCreate(QStringLiteral("\\Software\\Brask\\Quarvel\\1.0"));
    key.writeInteger(QStringLiteral("Left"), -1);
    key.writeString(QStringLiteral("Home\"Name\\"), QStringLiteral("N 0° E 0°"));
    key.writeString(QStringLiteral("Zeilen"), QStringLiteral("eins\r\nzwei"));
    key.set(RegistryValue::text(QStringLiteral("Pfad"), QStringLiteral("%HOME%"),
                                RegistryType::ExpandSz));
    key.set({QStringLiteral("Lang"), RegistryType::Binary, QByteArray(60, '\x7f')});
    key.set({QStringLiteral("Ungerade"), RegistryType::Sz, QByteArray("a")});
    key.writeString(QString(), QStringLiteral("leer"));
    document.findOrCreate(QStringLiteral("Software\\Leer"));

    const QByteArray text = registryText(document);
    EXPECT_TRUE(text.startsWith(kHeader +
                                "[HKEY_CURRENT_USER\\Software\\Brask\\Quarvel\\1.0]\n"
                                "\"Left\"=dword:ffffffff\n"
                                "\"Home\\\"Name\\\\\"=\"N 0° E 0°\"\n"
                                "\"Zeilen\"=hex(1):65,00,"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("\n@=\"leer\"\n"));
    EXPECT_TRUE(text.endsWith("\n[HKEY_CURRENT_USER\\Software\\Leer]\n"));
    EXPECT_EQ(parsed(text), document);
}

TEST(RegistryText, ReadsAndWritesWithTheRegistryRules)
{
    RegistryKey key {QStringLiteral("A"), {}};
    key.writeInteger(QStringLiteral("Zahl"), 5);
    key.writeString(QStringLiteral("Text"), QStringLiteral("x"));
    key.set(RegistryValue::text(QStringLiteral("Erweitert"), QStringLiteral("%TEMP%\\a"),
                                RegistryType::ExpandSz));
    key.set({QStringLiteral("Kurz"), RegistryType::Dword, QByteArray("\x01\x02")});

    EXPECT_EQ(messageOf([&] { key.readInteger(QStringLiteral("Fehlt")); }),
              QStringLiteral("Fehler beim Holen der Daten für 'Fehlt'"));
    EXPECT_EQ(messageOf([&] { key.readInteger(QStringLiteral("Text")); }),
              QStringLiteral("Ungültiger Datentyp für 'Text'"));
    EXPECT_EQ(messageOf([&] { key.readInteger(QStringLiteral("Kurz")); }),
              QStringLiteral("Ungültiger Datentyp für 'Kurz'"));
    EXPECT_EQ(messageOf([&] { key.readString(QStringLiteral("Zahl")); }),
              QStringLiteral("Ungültiger Datentyp für 'Zahl'"));
    EXPECT_EQ(key.readString(QStringLiteral("Fehlt")), QString());
    EXPECT_EQ(key.readString(QStringLiteral("Erweitert")), QStringLiteral("%TEMP%\\a"));

    key.writeString(QStringLiteral("erweitert"), QStringLiteral("b"));
    EXPECT_EQ(key.values.size(), 4);
    EXPECT_EQ(key.find(QStringLiteral("Erweitert"))->type, RegistryType::Sz);
}
