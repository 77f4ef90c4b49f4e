#include "platform/linux/FileSettingsStore.h"
#include "logic/common/QuarvelError.h"
#include "logic/settings/LoadSaveSettings.h"
#include "support/core/ChildProcess.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <sys/stat.h>

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
    // The companion's key, ours and ours for the map.
    ASSERT_EQ(saved.keys.size(), 3);
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

namespace {

// A file device that takes at most `room` bytes of everything written to it and reports the
// rest as not written, without an error: a write that is cut short.
class ShortWriteFile : public QFile
{
public:
    ShortWriteFile(const QString &path, qint64 room)
        : QFile(path)
        , m_room(room)
    {
    }

protected:
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 taken = QFile::writeData(data, std::min(size, m_room));
        m_room -= std::max<qint64>(taken, 0);
        return taken;
    }

private:
    qint64 m_room;
};

} // namespace

// What is no plain file, or is too large to be a settings file, is never read: it would block
// the start (a FIFO) or exhaust memory (a huge file, /dev/zero) at every later start too.
TEST_F(FileSettingsStoreTest, AFileThatIsNoPlainFileOrTooLargeIsSetAsideUnread)
{
    constexpr qint64 kLimit = qint64(64) << 20;
    const QByteArray valid = kCompanionOnly;
    const auto padded = [&](qint64 size) {
        writeFile(valid);
        ASSERT_TRUE(QFile::resize(path(), size)); // zeros: sparse, nothing is written
    };
    struct Case
    {
        const char *what;
        std::function<void()> make;
        const char *problem; // empty: the file reads as usual
    };
    const Case cases[] = {
        {"2 GB", [&] { padded(qint64(2) << 30); }, "größer als 64 MB"},
        {"one byte above the limit", [&] { padded(kLimit + 1); }, "größer als 64 MB"},
        {"FIFO",
         [&] {
             QDir().mkpath(QFileInfo(path()).absolutePath());
             ASSERT_EQ(mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
         },
         "keine gewöhnliche Datei"},
        {"link to /dev/zero",
         [&] {
             QDir().mkpath(QFileInfo(path()).absolutePath());
             ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path()));
         },
         "keine gewöhnliche Datei"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(QFileInfo(path()).absolutePath()).removeRecursively();
        c.make();
        FileSettingsStore store(path(), 0);
        Settings settings;
        const QString message = loadMessage(store, settings);
        EXPECT_TRUE(message.contains(QStringLiteral("(%1)").arg(QString::fromUtf8(c.problem))))
            << message.toStdString();
        const QStringList aside =
            QDir(QFileInfo(path()).absolutePath())
                .entryList({QStringLiteral("registry.reg.defekt-*")}, QDir::Files | QDir::System);
        ASSERT_EQ(aside.size(), 1);
        EXPECT_TRUE(message.contains(aside.first())) << message.toStdString();
        EXPECT_TRUE(message.endsWith(QStringLiteral("es gelten die Standardeinstellungen")));
        EXPECT_EQ(settings.HomeKoordinaten, Settings {}.HomeKoordinaten);
        EXPECT_FALSE(QFileInfo::exists(path()));
        EXPECT_EQ(loadMessage(store, settings), QStringLiteral("(loaded)"));
    }
}

TEST_F(FileSettingsStoreTest, AFileOfExactlyTheLimitIsRead)
{
    constexpr qint64 kLimit = qint64(64) << 20;
    QByteArray text = kCompanionOnly;
    text.append(kLimit - text.size(), '\n');
    writeFile(text);
    FileSettingsStore store(path(), 0);
    Settings settings;
    EXPECT_EQ(loadMessage(store, settings), QStringLiteral("(loaded)"));
    EXPECT_EQ(settings.SkrivoEditor, QStringLiteral("/opt/skrivo/skrivo"));
    EXPECT_TRUE(asideFiles().isEmpty());
}

TEST_F(FileSettingsStoreTest, SessionsWithoutChangesStillCreateTheKeyButNeverRewrite)
{
    FileSettingsStore store(path());
    ASSERT_TRUE(store.openKey(kSettingsKey, true));
    store.closeKey();
    ASSERT_TRUE(document().find(kSettingsKey));

    SaveSettings(store, Settings {});
    const QByteArray before = fileBytes();
    const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-3);
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    for (const char *what : {"open and close", "same values again"}) {
        SCOPED_TRACE(what);
        if (QByteArray(what) == "open and close") {
            ASSERT_TRUE(store.openKey(kSettingsKey, true));
            store.closeKey();
        } else {
            SaveSettings(store, Settings {});
        }
        EXPECT_EQ(fileBytes(), before);
        EXPECT_EQ(QFileInfo(path()).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());
    }
}

TEST_F(FileSettingsStoreTest, DamagedFilesInTheSameSecondGoAsideUnderTwoNames)
{
    FileSettingsStore store(path(), 0);
    Settings settings;
    QStringList messages;
    for (int i = 0; i < 2; ++i) {
        writeFile("kein Export " + QByteArray::number(i));
        messages.append(loadMessage(store, settings));
    }
    const QStringList aside = asideFiles();
    ASSERT_EQ(aside.size(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(messages[i].contains(QStringLiteral("„%1“").arg(aside[i])))
            << messages[i].toStdString();
        QFile kept(QFileInfo(path()).absolutePath() + u'/' + aside[i]);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), "kein Export " + QByteArray::number(i));
    }
}

TEST_F(FileSettingsStoreTest, TheMessageNamesTheFolderThatCannotBeMade)
{
    writeFile("");
    const QString folder = path() + QStringLiteral("/unter");
    FileSettingsStore store(folder + QStringLiteral("/registry.reg"));
    const QString message = saveMessage(store);
    EXPECT_TRUE(
        message.contains(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden").arg(folder)))
        << message.toStdString();
}

TEST_F(FileSettingsStoreTest, ATargetThatTakesOnlyPartOfTheTextFailsTheSave)
{
    writeFile(kCompanionOnly);
    for (const qint64 room : {qint64(0), qint64(1), qint64(100)}) {
        SCOPED_TRACE(room);
        FileSettingsStore store(path());
        store.setWriteTarget([room](const QString &target) {
            return std::make_unique<ShortWriteFile>(target + QStringLiteral(".neu"), room);
        });
        const QString message = saveMessage(store);
        EXPECT_TRUE(
            message.startsWith(QStringLiteral("Die Einstellungen wurden nicht gespeichert. ")))
            << message.toStdString();
        EXPECT_FALSE(message.contains(QStringLiteral("Unknown error"))) << message.toStdString();
        EXPECT_EQ(fileBytes(), kCompanionOnly);
    }
}
