#include "platform/linux/FileSettingsStore.h"
#include "logic/common/QuarvelError.h"
#include "logic/settings/LoadSaveSettings.h"
#include "support/core/ChildProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class FileSettingsStoreTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("Brask/registry.reg")); }

    QByteArray fileBytes() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeFile(const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(path()).absolutePath());
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    RegistryDocument document() const
    {
        return parseRegistryText(fileBytes()).document.value_or(RegistryDocument {});
    }

    QStringList asideFiles() const
    {
        return QDir(QFileInfo(path()).absolutePath())
            .entryList({QStringLiteral("registry.reg.defekt-*")}, QDir::Files);
    }

    QTemporaryDir m_dir;
};

// The message of a save that failed, or "(saved)".
QString saveMessage(FileSettingsStore &store, const Settings &settings = {})
{
    try {
        SaveSettings(store, settings);
    } catch (const QuarvelError &error) {
        return error.message();
    }
    return QStringLiteral("(saved)");
}

// The message of a load that failed, or "(loaded)".
QString loadMessage(FileSettingsStore &store, Settings &settings)
{
    try {
        LoadSettings(store, settings);
    } catch (const QuarvelError &error) {
        return error.message();
    }
    return QStringLiteral("(loaded)");
}

const QByteArray kCompanionOnly = "Windows Registry Editor Version 5.00\n\n"
                                  "[HKEY_CURRENT_USER\\Software\\Brask\\SkrivoEditor\\1.0]\n"
                                  "\"Application\"=\"/opt/skrivo/skrivo\"\n"
                                  "\"Fenster\"=hex:01,02,03\n";

} // namespace

TEST_F(FileSettingsStoreTest, SettingsSurviveARestartInTheFile)
{
    Settings first;
    first.HomeKoordinaten = QStringLiteral("N 52° 31.000 E 013° 24.000");
    first.ExterneProgramme[0] = QStringLiteral("/opt/tools/gpsbabel.exe");
    first.Left = -8;
    {
        FileSettingsStore store(path());
        SaveSettings(store, first);
    }
    EXPECT_TRUE(fileBytes().startsWith("Windows Registry Editor Version 5.00\n\n"
                                       "[HKEY_CURRENT_USER\\Software\\Brask\\Quarvel\\1.0]\n"
                                       "\"Left\"=dword:fffffff8\n"));
    EXPECT_FALSE(QFile::exists(path() + QStringLiteral(".lock")));

    FileSettingsStore store(path());
    Settings second;
    LoadSettings(store, second);
    EXPECT_EQ(second.HomeKoordinaten, first.HomeKoordinaten);
    EXPECT_EQ(second.ExterneProgramme[0], first.ExterneProgramme[0]);
    EXPECT_EQ(second.Left, -8);
}

TEST_F(FileSettingsStoreTest, ReadingAMissingFileCreatesNothing)
{
    FileSettingsStore store(path());
    Settings settings;
    LoadSettings(store, settings);
    EXPECT_EQ(settings.HomeKoordinaten, QStringLiteral("N 0° E 0°"));
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_FALSE(store.openKey(kSettingsKey, false));
}

TEST_F(FileSettingsStoreTest, SavingKeepsTheOtherKeysAndTheLastSaveWins)
{
    writeFile(kCompanionOnly);
    FileSettingsStore first(path());
    FileSettingsStore second(path());
    Settings settings;
    LoadSettings(first, settings);
    EXPECT_EQ(settings.SkrivoEditor, QStringLiteral("/opt/skrivo/skrivo"));

    settings.GSAK = QStringLiteral("/erste/gsak.exe");
    SaveSettings(first, settings);
    settings.GSAK = QStringLiteral("/zweite/gsak.exe");
    SaveSettings(second, settings);

    const RegistryDocument saved = document();
    ASSERT_EQ(saved.keys.size(), 2);
    EXPECT_EQ(saved.keys.at(0), parseRegistryText(kCompanionOnly).document->keys.at(0));
    EXPECT_EQ(saved.find(kSettingsKey)->readString(QStringLiteral("GSAK")),
              QStringLiteral("/zweite/gsak.exe"));
    EXPECT_EQ(saved.find(kSettingsKey)->values.size(), 25);
}

TEST_F(FileSettingsStoreTest, AnUnreadableFileIsKeptAsideAndReported)
{
    const QByteArray damaged = "Windows Registry Editor Version 5.00\n\n"
                               "[HKEY_CURRENT_USER\\Software\\Brask\\Quarvel\\1.0]\n"
                               "\"Left\"=dword:xyz\n";
    writeFile(damaged);
    FileSettingsStore store(path());
    Settings settings;
    try {
        LoadSettings(store, settings);
        ADD_FAILURE() << "no message";
    } catch (const QuarvelError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("Zeile 4")));
        EXPECT_TRUE(error.message().contains(QStringLiteral("beiseitegelegt")));
        EXPECT_TRUE(
            error.message().endsWith(QStringLiteral("es gelten die Standardeinstellungen")));
    }
    EXPECT_FALSE(settings.Left);
    const QStringList aside = asideFiles();
    ASSERT_EQ(aside.size(), 1);
    QFile kept(QFileInfo(path()).absolutePath() + u'/' + aside.first());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), damaged);

    SaveSettings(store, settings);
    EXPECT_EQ(document().find(kSettingsKey)->values.size(), 25);
}

TEST_F(FileSettingsStoreTest, AFileDamagedDuringTheRunIsKeptAsideWhenSaving)
{
    writeFile("kein Export");
    FileSettingsStore store(path());
    try {
        SaveSettings(store, Settings {});
        ADD_FAILURE() << "no message";
    } catch (const QuarvelError &error) {
        EXPECT_TRUE(
            error.message().endsWith(QStringLiteral("die Einstellungen wurden neu gespeichert")));
    }
    EXPECT_EQ(asideFiles().size(), 1);
    EXPECT_EQ(document().find(kSettingsKey)->values.size(), 25);
}

TEST_F(FileSettingsStoreTest, WritingWithoutAWritableKeyFails)
{
    FileSettingsStore store(path());
    EXPECT_THROW(store.writeInteger(QStringLiteral("Left"), 1), QuarvelError);
    writeFile(kCompanionOnly);
    ASSERT_TRUE(store.openKey(kSkrivoEditorKey, false));
    EXPECT_THROW(store.writeString(QStringLiteral("Application"), QStringLiteral("x")),
                 QuarvelError);
    store.closeKey();
    EXPECT_EQ(fileBytes(), kCompanionOnly);
}

TEST_F(FileSettingsStoreTest, AFolderThatCannotBeMadeWritesNothingAndSaysWhy)
{
    writeFile("");
    const QString inner = path() + QStringLiteral("/unter/registry.reg");
    FileSettingsStore store(inner);
    const QString message = saveMessage(store);
    EXPECT_TRUE(message.contains(inner)) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("kann nicht angelegt werden")));
    EXPECT_EQ(fileBytes(), QByteArray());
}

TEST_F(FileSettingsStoreTest, AWritingSessionKeepsOthersOutUntilItCloses)
{
    FileSettingsStore first(path(), 0);
    FileSettingsStore second(path(), 0);
    ASSERT_TRUE(first.openKey(kSettingsKey, true));
    first.writeString(QStringLiteral("GSAK"), QStringLiteral("/erste"));
    EXPECT_THROW(second.openKey(kSettingsKey, true), QuarvelError);
    first.closeKey();
    ASSERT_TRUE(second.openKey(kSettingsKey, true));
    second.writeString(QStringLiteral("Datenbank"), QStringLiteral("/zweite"));
    second.closeKey();
    const RegistryDocument file = document();
    const RegistryKey *saved = file.find(kSettingsKey);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->readString(QStringLiteral("GSAK")), QStringLiteral("/erste"));
    EXPECT_EQ(saved->readString(QStringLiteral("Datenbank")), QStringLiteral("/zweite"));
}

// A full disk shows only when the buffer is flushed; /dev/full refuses there as such a disk does.
TEST_F(FileSettingsStoreTest, ADiskFullAtTheFlushKeepsTheOldFileAndSaysWhy)
{
    writeFile(kCompanionOnly);
    FileSettingsStore store(path());
    store.setWriteTarget(
        [](const QString &) { return std::make_unique<QFile>(QStringLiteral("/dev/full")); });
    const QString message = saveMessage(store);
    EXPECT_TRUE(message.startsWith(QStringLiteral("Die Einstellungen wurden nicht gespeichert. ")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(path())) << message.toStdString();
    EXPECT_TRUE(message.contains(QFile(QStringLiteral("/dev/full")).errorString()) ||
                message.contains(QStringLiteral("space")))
        << message.toStdString();
    EXPECT_EQ(fileBytes(), kCompanionOnly);
    EXPECT_FALSE(QFile::exists(path() + QStringLiteral(".lock")));
}

TEST_F(FileSettingsStoreTest, ALockHeldByAnotherProcessIsReportedAndTheFileKept)
{
    writeFile(kCompanionOnly);
    ChildProcess::LockHolder other(path() + QStringLiteral(".lock"));
    ASSERT_TRUE(other.holding()) << other.output().toStdString();
    FileSettingsStore store(path(), 100);
    const QString message = saveMessage(store);
    EXPECT_TRUE(message.contains(path())) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("gesperrt (Sperrdatei „%1.lock“)").arg(path())))
        << message.toStdString();
    EXPECT_EQ(fileBytes(), kCompanionOnly);
    // Reading needs no lock.
    Settings settings;
    EXPECT_EQ(loadMessage(store, settings), QStringLiteral("(loaded)"));
    EXPECT_EQ(settings.SkrivoEditor, QStringLiteral("/opt/skrivo/skrivo"));
}

TEST_F(FileSettingsStoreTest, AFolderInThePlaceOfTheFileIsReportedAtStartAndAtClose)
{
    ASSERT_TRUE(QDir().mkpath(path()));
    FileSettingsStore store(path());
    Settings settings;
    const QString atStart = loadMessage(store, settings);
    EXPECT_TRUE(atStart.startsWith(
        QStringLiteral("Die Einstellungsdatei „%1“ kann nicht gelesen werden: ").arg(path())))
        << atStart.toStdString();
    EXPECT_TRUE(atStart.endsWith(QStringLiteral("; es gelten die Standardeinstellungen")));
    EXPECT_EQ(settings.HomeKoordinaten, Settings {}.HomeKoordinaten);

    const QString atClose = saveMessage(store);
    EXPECT_TRUE(atClose.contains(path())) << atClose.toStdString();
    EXPECT_TRUE(QFileInfo(path()).isDir());
    EXPECT_FALSE(QFile::exists(path() + QStringLiteral(".lock")));
}

// Permissions do not bind root, so as root the test runs again as an unprivileged user.
TEST_F(FileSettingsStoreTest, ReadOnlyAndUnreadablePlacesAreReportedAndKept)
{
    if (ChildProcess::rerunUnprivileged())
        return;
    const QString folder = QFileInfo(path()).absolutePath();
    const auto filePermissions = QFile::ReadOwner | QFile::WriteOwner;
    const auto folderPermissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    struct Case
    {
        const char *what;
        QFile::Permissions file;
        QFile::Permissions folder;
        bool reportedAtStart; // else the file reads as usual
    };
    const Case cases[] = {
        {"read-only file", QFile::ReadOwner, folderPermissions, false},
        {"read-only folder", filePermissions, QFile::ReadOwner | QFile::ExeOwner, false},
        {"unreadable file", QFile::WriteOwner, folderPermissions, true},
        {"folder that may not be searched", filePermissions, QFile::ReadOwner | QFile::WriteOwner,
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(kCompanionOnly);
        ASSERT_TRUE(QFile::setPermissions(path(), c.file));
        ASSERT_TRUE(QFile::setPermissions(folder, c.folder));
        FileSettingsStore store(path(), 0);
        Settings settings;
        const QString atStart = loadMessage(store, settings);
        if (c.reportedAtStart)
            EXPECT_TRUE(atStart.contains(QStringLiteral("kann nicht gelesen werden")))
                << atStart.toStdString();
        else
            EXPECT_EQ(atStart, QStringLiteral("(loaded)"));
        const QString atClose = saveMessage(store, settings);
        EXPECT_TRUE(
            atClose.startsWith(QStringLiteral("Die Einstellungen wurden nicht gespeichert")))
            << atClose.toStdString();
        EXPECT_TRUE(atClose.contains(path())) << atClose.toStdString();

        ASSERT_TRUE(QFile::setPermissions(folder, folderPermissions));
        ASSERT_TRUE(QFile::setPermissions(path(), filePermissions));
        EXPECT_EQ(fileBytes(), kCompanionOnly);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1) << "nothing left behind";
    }
}
