#include "logic/common/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

void discardWrite(QFileDevice &file)
{
    if (auto *saveFile = qobject_cast<QSaveFile *>(&file)) {
        saveFile->cancelWriting();
        saveFile->commit(); // refuses after the cancel and removes the temporary file
        return;
    }
    file.close();
}

namespace {

// Opens a FIFO or a device for writing without waiting for a reader: a FIFO nobody reads
// fails at once (the system says why) instead of hanging the program.
bool openExisting(QFile &file, const QString &path, QString &reason)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = qt_error_string(errno);
        return false;
    }
    // Blocking again, so a slow reader makes writes wait instead of fail.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0 ||
        !file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        reason = qt_error_string(errno);
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace

QString writeFailureReason(const QFileDevice &file)
{
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return QStringLiteral("Die Daten konnten nicht vollständig geschrieben werden.");
}

bool isOtherThanPlainFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

bool finishWrite(QFileDevice &file, QString &reason)
{
    auto *saveFile = qobject_cast<QSaveFile *>(&file);
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        discardWrite(file);
        return false;
    }
    if (saveFile) {
        if (saveFile->commit())
            return true;
        reason = saveFile->errorString();
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return false;
    }
    return true;
}

QString cannotWriteFileText(const QString &path, const QString &reason)
{
    return QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

std::unique_ptr<QFileDevice> openForWholeWrite(const QString &path, const WriteTarget &target,
                                               QString &reason)
{
    if (isOtherThanPlainFile(path)) {
        // A FIFO or a device the user chose must stay what it is: written directly, never
        // replaced by a renamed temporary file.
        auto file = std::make_unique<QFile>();
        if (!openExisting(*file, path, reason))
            return nullptr;
        return file;
    }
    std::unique_ptr<QFileDevice> file = target(path);
    if (!file->open(QIODevice::WriteOnly)) {
        reason = file->errorString();
        return nullptr;
    }
    return file;
}

WriteTarget saveFileTarget()
{
    return [](const QString &path) { return std::make_unique<QSaveFile>(path); };
}

QString writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    return writeFileSafely(path, write, saveFileTarget());
}

QString writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write,
                        const WriteTarget &target)
{
    QString reason;
    const std::unique_ptr<QFileDevice> file = openForWholeWrite(path, target, reason);
    if (!file)
        return cannotWriteFileText(path, reason);
    if (!write(*file)) {
        // The writer's own failure: the device knows why when the system refused a write.
        reason = writeFailureReason(*file);
        discardWrite(*file);
        return cannotWriteFileText(path, reason);
    }
    if (!finishWrite(*file, reason))
        return cannotWriteFileText(path, reason);
    return {};
}
