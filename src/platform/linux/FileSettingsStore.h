#pragma once

#include "logic/common/SafeWrite.h"
#include "logic/settings/RegistryText.h"
#include "logic/settings/SettingsStore.h"

#include <QLockFile>

#include <memory>

// The settings store as one file in the user's configuration folder, in the text form of a
// registry export, shared with the maker's other programs (the companion editor writes its own
// key into it).
//
// Every opening reads the file afresh. A file that is no plain file (a FIFO, a link to a
// device) or larger than 64 MB is never read: it is set aside as a damaged one is. Writes are
// collected in memory and the whole file is replaced atomically (QSaveFile) when the key is closed.
// A writing session holds a lock file from opening to closing and starts from the file as it is
// then, so keys written by someone else in the meantime are kept and two instances closing together
// cannot mix their values: the one closing last wins. A file that cannot be parsed is never
// overwritten: it is renamed aside and the user is told in one sentence.
//
// Nothing is lost without a word: a file that exists but cannot be read (no permission, a
// folder in its place) is reported when it is opened for reading, and a save that cannot
// happen (the lock held too long by another instance, a read-only folder, a full disk) is
// reported with the file and the reason, the file staying as it was.
class FileSettingsStore : public SettingsStore
{
public:
    // `lockWaitMs`: how long a writing session waits for another one to finish.
    explicit FileSettingsStore(QString filePath, int lockWaitMs = 5000);
    ~FileSettingsStore() override;

    // "<configuration folder>/Brask/registry.reg".
    static QString defaultFilePath();
    const QString &filePath() const { return m_filePath; }
    // Where the whole file is written; tests hand in a device that fails.
    void setWriteTarget(WriteTarget target) { m_writeTarget = std::move(target); }

    bool openKey(const QString &path, bool create) override;
    int readInteger(const QString &name) override;
    QString readString(const QString &name) override;
    void writeInteger(const QString &name, int value) override;
    void writeString(const QString &name, const QString &value) override;
    void closeKey() override;

private:
    enum class Loaded { Document, Missing, Unreadable, Damaged };

    // `problem`: the parse error of a damaged file, the system's reason for an unreadable one.
    Loaded load(QByteArray &bytes, QString &problem);
    bool openForReading(const QString &path);
    bool openForWriting(const QString &path);
    // Renames the damaged file aside; the new name, or empty when it could not be moved.
    QString keepAside();
    QString damagedMessage(const QString &parseError, const QString &asideName,
                           bool whileSaving) const;
    [[noreturn]] void cannotSave(const QString &reason);
    void lockForWriting();
    void commit();
    void release();
    RegistryKey &writableKey(const QString &name);

    QString m_filePath;
    int m_lockWaitMs;
    WriteTarget m_writeTarget = saveFileTarget();
    RegistryDocument m_document;
    QString m_keyPath;
    bool m_open = false;
    bool m_writing = false;
    bool m_changed = false;
    QString m_noticeAfterSaving;
    QByteArray m_loadedText; // the file as the writing session found it
    std::unique_ptr<QLockFile> m_lock;
};
