#include "logic/settings/LoadSaveSettings.h"
#include "MemoryStore.h"

#include <gtest/gtest.h>

namespace {

const QStringList kStoredNames {"Left",
                                "Top",
                                "Width",
                                "Height",
                                "HomeKoordinaten",
                                "UpdateSuchen",
                                "Update",
                                "ROTEingabe",
                                "NavFensterBreite",
                                "HomeFensterHoehe",
                                "Externes Programm 1",
                                "Externes Programm 2",
                                "Externes Programm 3",
                                "Externes Programm 4",
                                "Externes Programm 5",
                                "Externes Programm 6",
                                "Externes Programm 7",
                                "Externes Programm 8",
                                "Externes Programm 9",
                                "Editor",
                                "EditorNr",
                                "extEditor",
                                "GSAK",
                                "GCStatistic",
                                "Datenbank"};

QStringList namesOf(const RegistryKey &key)
{
    QStringList names;
    for (const RegistryValue &value : key.values)
        names.append(value.name);
    return names;
}

// A store as a complete earlier close left it, with the companion editor's key beside it.
MemoryStore storeOfAnEarlierRun()
{
    Settings earlier;
    earlier.Left = 10;
    earlier.Top = -20;
    earlier.Width = 1200;
    earlier.Height = 900;
    earlier.HomeKoordinaten = QStringLiteral("N 52° 31.000 E 013° 24.000");
    earlier.ROTEingabe = true;
    earlier.NavFensterBreite = 300;
    earlier.HomeFensterHoehe = 160;
    earlier.ExterneProgramme[0] = QStringLiteral("/opt/tools/gpsbabel.exe");
    earlier.Editor = QStringLiteral("Intern");
    earlier.EditorNr = 1;
    earlier.GSAK = QStringLiteral("/opt/gsak/gsak.exe");
    MemoryStore store;
    SaveSettings(store, earlier);
    store.document.findOrCreate(kSkrivoEditorKey)
        .writeString(QStringLiteral("Application"), QStringLiteral("/opt/skrivo/skrivo"));
    store.opened.clear();
    store.closes = 0;
    return store;
}

RegistryKey &programKey(MemoryStore &store)
{
    return *store.document.find(kSettingsKey);
}

} // namespace

TEST(LoadSettings, FirstRunKeepsEveryDefault)
{
    MemoryStore store;
    Settings settings;
    LoadSettings(store, settings);
    EXPECT_FALSE(settings.Left || settings.Width || settings.NavFensterBreite);
    EXPECT_EQ(settings.HomeKoordinaten, QStringLiteral("N 0° E 0°"));
    EXPECT_TRUE(settings.UpdateSuchen);
    EXPECT_FALSE(settings.Update || settings.ROTEingabe);
    EXPECT_EQ(settings.HomeFensterHoehe, 145);
    EXPECT_EQ(settings.Editor, QStringLiteral("Notepad"));
    EXPECT_EQ(settings.EditorNr, 0);
    EXPECT_TRUE(settings.GSAK.isEmpty() && settings.GCStatistic.isEmpty());
    EXPECT_TRUE(settings.SkrivoEditor.isEmpty());
    for (const QString &slot : settings.ExterneProgramme)
        EXPECT_TRUE(slot.isEmpty());
    EXPECT_TRUE(store.document.keys.isEmpty()) << "reading creates nothing";
}

TEST(LoadSettings, ReadsWhatAnEarlierCloseWrote)
{
    MemoryStore store = storeOfAnEarlierRun();
    Settings settings;
    LoadSettings(store, settings);
    EXPECT_EQ(settings.Left, 10);
    EXPECT_EQ(settings.Top, -20);
    EXPECT_EQ(settings.Height, 900);
    EXPECT_EQ(settings.HomeKoordinaten, QStringLiteral("N 52° 31.000 E 013° 24.000"));
    EXPECT_TRUE(settings.ROTEingabe);
    EXPECT_EQ(settings.NavFensterBreite, 300);
    EXPECT_EQ(settings.HomeFensterHoehe, 160);
    EXPECT_EQ(settings.ExterneProgramme[0], QStringLiteral("/opt/tools/gpsbabel.exe"));
    EXPECT_EQ(settings.Editor, QStringLiteral("Intern"));
    EXPECT_EQ(settings.GSAK, QStringLiteral("/opt/gsak/gsak.exe"));
    EXPECT_EQ(settings.SkrivoEditor, QStringLiteral("/opt/skrivo/skrivo"));
    EXPECT_EQ(store.closes, 3); // the program's, the map's and the companion's key
    EXPECT_FALSE(store.isOpen());
}

TEST(LoadSettings, CompanionKeyIsReadWithoutTheProgramKey)
{
    MemoryStore store;
    store.document.findOrCreate(kSkrivoEditorKey)
        .writeString(QStringLiteral("Application"), QStringLiteral("/opt/skrivo/skrivo"));
    Settings settings;
    LoadSettings(store, settings);
    EXPECT_EQ(settings.SkrivoEditor, QStringLiteral("/opt/skrivo/skrivo"));
}

TEST(LoadSettings, StopsAtTheFirstValueItCannotRead)
{
    struct Case
    {
        const char *value;
        bool remove; // else stored with the wrong type
        const char *message;
    };
    const Case cases[] = {
        {"ROTEingabe", true, "Fehler beim Holen der Daten für 'ROTEingabe'"},
        {"ROTEingabe", false, "Ungültiger Datentyp für 'ROTEingabe'"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        MemoryStore store = storeOfAnEarlierRun();
        RegistryKey &key = programKey(store);
        const QString name = QString::fromLatin1(c.value);
        if (c.remove)
            key.remove(name);
        else
            key.set(RegistryValue::text(name, QStringLiteral("1")));
        Settings settings;
        try {
            LoadSettings(store, settings);
            ADD_FAILURE() << "no error";
        } catch (const QuarvelError &error) {
            EXPECT_EQ(error.message(), QString::fromUtf8(c.message));
        }
        EXPECT_EQ(settings.HomeKoordinaten, QStringLiteral("N 52° 31.000 E 013° 24.000"));
        EXPECT_FALSE(settings.NavFensterBreite);
        EXPECT_EQ(settings.HomeFensterHoehe, 145);
        EXPECT_TRUE(settings.ExterneProgramme[0].isEmpty());
        EXPECT_EQ(settings.Editor, QStringLiteral("Notepad"));
        EXPECT_TRUE(settings.GSAK.isEmpty());
        EXPECT_TRUE(settings.SkrivoEditor.isEmpty()) << "the companion key is not read";
        EXPECT_FALSE(store.isOpen());
        EXPECT_EQ(store.opened, QStringList {RegistryDocument::normalizedPath(kSettingsKey)});

        SaveSettings(store, settings);
        EXPECT_EQ(namesOf(programKey(store)).size(), kStoredNames.size());
        EXPECT_EQ(programKey(store).readInteger(QStringLiteral("ROTEingabe")), 0);
    }
}

TEST(SaveSettings, WritesExactlyTheTwentyFiveValuesInOrder)
{
    MemoryStore store;
    SaveSettings(store, Settings {});
    ASSERT_EQ(store.document.keys.size(), 2); // the program's key and the map's below it
    const RegistryKey &key = programKey(store);
    EXPECT_EQ(namesOf(key), kStoredNames);
    EXPECT_EQ(key.find(QStringLiteral("Externes Programm 9"))->type, RegistryType::Sz);
    EXPECT_EQ(key.readString(QStringLiteral("Externes Programm 9")), QString());
    EXPECT_EQ(key.readInteger(QStringLiteral("UpdateSuchen")), 1);
    EXPECT_EQ(key.readString(QStringLiteral("Editor")), QStringLiteral("Notepad"));
    EXPECT_FALSE(store.isOpen());
}

TEST(SaveSettings, BooleansAndExpandableTextsComeBackNormalised)
{
    MemoryStore store = storeOfAnEarlierRun();
    RegistryKey &key = programKey(store);
    key.writeInteger(QStringLiteral("Update"), 5);
    key.set(RegistryValue::text(QStringLiteral("HomeKoordinaten"), QStringLiteral("%HOME%"),
                                RegistryType::ExpandSz));
    Settings settings;
    LoadSettings(store, settings);
    EXPECT_TRUE(settings.Update);
    EXPECT_EQ(settings.HomeKoordinaten, QStringLiteral("%HOME%"));

    SaveSettings(store, settings);
    const RegistryKey &saved = programKey(store);
    EXPECT_EQ(saved.readInteger(QStringLiteral("Update")), 1);
    EXPECT_EQ(saved.find(QStringLiteral("HomeKoordinaten"))->type, RegistryType::Sz);
    EXPECT_EQ(saved.readString(QStringLiteral("HomeKoordinaten")), QStringLiteral("%HOME%"));
}

TEST(SaveSettings, AFailedWriteStopsThereAndClosesTheKey)
{
    MemoryStore store;
    store.failWriting = QStringLiteral("ROTEingabe");
    try {
        SaveSettings(store, Settings {});
        ADD_FAILURE() << "no error";
    } catch (const QuarvelError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("Fehler beim Setzen der Daten für 'ROTEingabe'"));
    }
    EXPECT_EQ(namesOf(programKey(store)), kStoredNames.mid(0, 7));
    EXPECT_FALSE(store.isOpen());
}

TEST(SaveSettings, AKeyThatCannotBeOpenedWritesNothing)
{
    MemoryStore store;
    store.refuseWriting = true;
    EXPECT_NO_THROW(SaveSettings(store, Settings {}));
    EXPECT_TRUE(store.document.keys.isEmpty());
}

TEST(KarteSettings, RoundTripAndEveryBadValueKeepsItsDefault)
{
    Settings written;
    written.Karte.Kacheladresse = QStringLiteral("http://127.0.0.1:8080/{z}/{x}/{y}.png");
    written.Karte.KachelCacheMB = 50;
    written.Karte.Zoom = 17;
    written.Karte.Breite = -33.8568;
    written.Karte.Laenge = 151.2153;
    written.Karte.Notation = 2;
    written.Karte.Left = 5;
    written.Karte.Top = 6;
    written.Karte.Width = 700;
    written.Karte.Height = 500;
    MemoryStore store;
    SaveSettings(store, written);
    Settings read;
    LoadSettings(store, read);
    EXPECT_EQ(read.Karte.Kacheladresse, written.Karte.Kacheladresse);
    EXPECT_EQ(read.Karte.KachelCacheMB, 50);
    EXPECT_EQ(read.Karte.Zoom, 17);
    EXPECT_NEAR(read.Karte.Breite, -33.8568, 1e-7);
    EXPECT_NEAR(read.Karte.Laenge, 151.2153, 1e-7);
    EXPECT_EQ(read.Karte.Notation, 2);
    EXPECT_EQ(read.Karte.Height, 500);

    const struct
    {
        const char *name;
        RegistryValue value; // empty name: removed
    } cases[] = {
        {"Zoom", RegistryValue::text(QStringLiteral("Zoom"), QStringLiteral("9"))},
        {"Zoom", RegistryValue::dword(QStringLiteral("Zoom"), 20)},
        {"Zoom", RegistryValue::dword(QStringLiteral("Zoom"), 0xFFFFFFFFu)},
        {"Breite", RegistryValue::text(QStringLiteral("Breite"), QStringLiteral("91"))},
        {"Laenge", RegistryValue::text(QStringLiteral("Laenge"), QStringLiteral("abc"))},
        {"Notation", RegistryValue::dword(QStringLiteral("Notation"), 3)},
        {"KachelCacheMB", RegistryValue::dword(QStringLiteral("KachelCacheMB"), 0)},
        {"Kacheladresse", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        MemoryStore damaged;
        SaveSettings(damaged, Settings {});
        RegistryKey &key = *damaged.document.find(kKarteKey);
        if (c.value.name.isEmpty())
            key.remove(QString::fromLatin1(c.name));
        else
            key.set(c.value);
        Settings settings;
        EXPECT_NO_THROW(LoadSettings(damaged, settings));
        const KartenSettings defaults;
        EXPECT_GE(settings.Karte.Zoom, 0);
        EXPECT_LE(settings.Karte.Zoom, 19);
        EXPECT_LE(std::abs(settings.Karte.Breite), 85.0);
        EXPECT_EQ(settings.Karte.Laenge, defaults.Laenge);
        EXPECT_GE(settings.Karte.KachelCacheMB, 1);
        EXPECT_LE(settings.Karte.Notation, 2);
        EXPECT_EQ(settings.Karte.Kacheladresse, defaults.Kacheladresse);
    }
}
