#include "platform/linux/FileSettingsStore.h"

#include "logic/common/QuarvelError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <utility>

namespace {

// Far above any real settings file (a few KiB), far below what would exhaust memory.
constexpr qint64 kMaxFileSize = qint64(64) << 20;

QString lockPathOf(const QString &filePath)
{
    return filePath + QStringLiteral(".lock");
}

} // namespace

FileSettingsStore::FileSettingsStore(QString filePath, int lockWaitMs)
    : m_filePath(std::move(filePath))
    , m_lockWaitMs(lockWaitMs)
{
}

FileSettingsStore::~FileSettingsStore()
{
    release();
}

QString FileSettingsStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/Brask/registry.reg");
}

bool FileSettingsStore::openKey(const QString &path, bool create)
{
    closeKey();
    return create ? openForWriting(path) : openForReading(path);
}

FileSettingsStore::Loaded FileSettingsStore::load(QByteArray &bytes, QString &problem)
{
    QFile file(m_filePath);
    if (!file.exists()) {
        // A folder that may not be searched hides the file: that is no first run.
        const QFileInfo folder(QFileInfo(m_filePath).absolutePath());
        if (folder.exists() && !(folder.isReadable() && folder.isExecutable())) {
            problem = QStringLiteral("Zugriff auf den Ordner „%1“ verweigert")
                          .arg(QDir::toNativeSeparators(folder.filePath()));
            return Loaded::Unreadable;
        }
        return Loaded::Missing;
    }
    // Judged before opening: a FIFO would block the open, /dev/zero or a huge file would be
    // read until memory runs out, and every later start would fail the same way.
    const QFileInfo info(m_filePath);
    if (!info.isFile() && !info.isDir()) {
        problem = QStringLiteral("keine gewöhnliche Datei");
        return Loaded::Damaged;
    }
    if (info.size() > kMaxFileSize) {
        problem = QStringLiteral("größer als %1 MB").arg(kMaxFileSize >> 20);
        return Loaded::Damaged;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString();
        return Loaded::Unreadable;
    }
    // The file may have grown since it was looked at: never more than the limit.
    bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize) {
        problem = QStringLiteral("größer als %1 MB").arg(kMaxFileSize >> 20);
        return Loaded::Damaged;
    }
    if (file.error() != QFileDevice::NoError) {
        problem = file.errorString();
        return Loaded::Unreadable;
    }
    RegistryParseResult result = parseRegistryText(bytes);
    if (!result.document) {
        problem = result.error;
        return Loaded::Damaged;
    }
    m_document = std::move(*result.document);
    return Loaded::Document;
}

bool FileSettingsStore::openForReading(const QString &path)
{
    QByteArray bytes;
    QString error;
    Loaded loaded = load(bytes, error);
    if (loaded == Loaded::Damaged) {
        // Moved aside only under the lock, so a file another instance is just replacing is
        // never the one that goes.
        QLockFile lock(lockPathOf(m_filePath));
        if (!lock.tryLock(m_lockWaitMs))
            throw QuarvelError(damagedMessage(error, QString(), false));
        loaded = load(bytes, error);
        if (loaded == Loaded::Damaged)
            throw QuarvelError(damagedMessage(error, keepAside(), false));
    }
    if (loaded == Loaded::Unreadable)
        throw QuarvelError(QStringLiteral("Die Einstellungsdatei „%1“ kann nicht gelesen werden: "
                                          "%2; es gelten die Standardeinstellungen")
                               .arg(QDir::toNativeSeparators(m_filePath), error));
    if (loaded != Loaded::Document)
        return false;
    const RegistryKey *key = m_document.find(path);
    if (!key)
        return false;
    m_keyPath = key->path;
    m_open = true;
    return true;
}

void FileSettingsStore::cannotSave(const QString &reason)
{
    release();
    throw QuarvelError(QStringLiteral("Die Einstellungen wurden nicht gespeichert. ") +
                       cannotWriteFileText(m_filePath, reason));
}

void FileSettingsStore::lockForWriting()
{
    const QString folder = QFileInfo(m_filePath).absolutePath();
    if (!QDir().mkpath(folder))
        cannotSave(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden")
                       .arg(QDir::toNativeSeparators(folder)));
    m_lock = std::make_unique<QLockFile>(lockPathOf(m_filePath));
    if (m_lock->tryLock(m_lockWaitMs))
        return;
    const QString lockFile = QDir::toNativeSeparators(lockPathOf(m_filePath));
    switch (m_lock->error()) {
    case QLockFile::LockFailedError:
        cannotSave(QStringLiteral("Eine andere Quarvel-Instanz oder ein anderes Programm hält "
                                  "sie gesperrt (Sperrdatei „%1“)")
                       .arg(lockFile));
    case QLockFile::PermissionError:
        cannotSave(
            QStringLiteral("Keine Berechtigung, die Sperrdatei „%1“ anzulegen").arg(lockFile));
    default:
        cannotSave(QStringLiteral("Die Sperrdatei „%1“ kann nicht angelegt werden").arg(lockFile));
    }
}

bool FileSettingsStore::openForWriting(const QString &path)
{
    lockForWriting();
    QByteArray bytes;
    QString problem;
    m_loadedText.clear();
    switch (load(bytes, problem)) {
    case Loaded::Document:
        m_loadedText = bytes;
        break;
    case Loaded::Missing:
        m_document = {};
        break;
    case Loaded::Unreadable:
        // Never replaced unread: it may hold other programs' keys.
        cannotSave(problem);
    case Loaded::Damaged: {
        const QString aside = keepAside();
        if (aside.isEmpty())
            cannotSave(QStringLiteral("Sie ist beschädigt (%1) und kann nicht beiseitegelegt "
                                      "werden")
                           .arg(problem));
        m_noticeAfterSaving = damagedMessage(problem, aside, true);
        m_document = {};
        break;
    }
    }
    m_changed = m_document.find(path) == nullptr;
    m_keyPath = m_document.findOrCreate(path).path;
    m_open = true;
    m_writing = true;
    return true;
}

QString FileSettingsStore::keepAside()
{
    const QFileInfo info(m_filePath);
    const QString stem = info.fileName() + QStringLiteral(".defekt-") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 1; n < 100; ++n) {
        const QString name = n == 1 ? stem : stem + QStringLiteral("-%1").arg(n);
        const QString target = info.absoluteDir().filePath(name);
        if (QFileInfo::exists(target))
            continue;
        return QFile::rename(m_filePath, target) ? name : QString();
    }
    return QString();
}

QString FileSettingsStore::damagedMessage(const QString &parseError, const QString &asideName,
                                          bool whileSaving) const
{
    if (asideName.isEmpty())
        return QStringLiteral("Die Einstellungsdatei „%1“ ist beschädigt (%2) und bleibt "
                              "unverändert; es gelten die Standardeinstellungen")
            .arg(m_filePath, parseError);
    if (whileSaving)
        return QStringLiteral("Die Einstellungsdatei „%1“ war beschädigt (%2) und wurde als „%3“ "
                              "beiseitegelegt; die Einstellungen wurden neu gespeichert")
            .arg(m_filePath, parseError, asideName);
    return QStringLiteral("Die Einstellungsdatei „%1“ ist beschädigt (%2) und wurde als „%3“ "
                          "beiseitegelegt; es gelten die Standardeinstellungen")
        .arg(m_filePath, parseError, asideName);
}

int FileSettingsStore::readInteger(const QString &name)
{
    const RegistryKey *key = m_open ? m_document.find(m_keyPath) : nullptr;
    if (!key)
        throw QuarvelError(QStringLiteral("Fehler beim Holen der Daten für '%1'").arg(name));
    return key->readInteger(name);
}

QString FileSettingsStore::readString(const QString &name)
{
    const RegistryKey *key = m_open ? m_document.find(m_keyPath) : nullptr;
    return key ? key->readString(name) : QString();
}

RegistryKey &FileSettingsStore::writableKey(const QString &name)
{
    RegistryKey *key = m_open && m_writing ? m_document.find(m_keyPath) : nullptr;
    if (!key)
        throw QuarvelError(QStringLiteral("Fehler beim Setzen der Daten für '%1'").arg(name));
    m_changed = true;
    return *key;
}

void FileSettingsStore::writeInteger(const QString &name, int value)
{
    writableKey(name).writeInteger(name, value);
}

void FileSettingsStore::writeString(const QString &name, const QString &value)
{
    writableKey(name).writeString(name, value);
}

void FileSettingsStore::commit()
{
    const QByteArray text = registryText(m_document);
    // Values written as they were: the file, and its modification time, stay as they are.
    if (text == m_loadedText)
        return;
    const QString failure = writeFileSafely(
        m_filePath, [&text](QIODevice &file) { return file.write(text) == text.size(); },
        m_writeTarget);
    if (!failure.isEmpty())
        throw QuarvelError(QStringLiteral("Die Einstellungen wurden nicht gespeichert. ") +
                           failure);
}

void FileSettingsStore::closeKey()
{
    if (!m_open)
        return;
    const bool save = m_writing && m_changed;
    const QString notice = std::exchange(m_noticeAfterSaving, QString());
    try {
        if (save)
            commit();
    } catch (...) {
        release();
        throw;
    }
    release();
    if (!notice.isEmpty())
        throw QuarvelError(notice);
}

void FileSettingsStore::release()
{
    m_open = false;
    m_writing = false;
    m_changed = false;
    m_keyPath.clear();
    m_document = {};
    m_noticeAfterSaving.clear();
    m_loadedText.clear();
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
}
