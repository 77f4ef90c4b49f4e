#include "logic/common/SafeWrite.h"

#include <QDir>
#include <QSaveFile>

namespace {

// Drops what was written: a QSaveFile removes its temporary file (it must never be closed, Qt
// stops the program then), any other device is closed.
void discard(QFileDevice &file)
{
    if (auto *saveFile = qobject_cast<QSaveFile *>(&file)) {
        saveFile->cancelWriting();
        saveFile->commit(); // refuses after the cancel and removes the temporary file
        return;
    }
    file.close();
}

} // namespace

bool finishWrite(QFileDevice &file, QString &reason)
{
    auto *saveFile = qobject_cast<QSaveFile *>(&file);
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        discard(file);
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
    const std::unique_ptr<QFileDevice> file = target(path);
    if (!file->open(QIODevice::WriteOnly))
        return cannotWriteFileText(path, file->errorString());
    if (!write(*file)) {
        // The writer's own failure: the device knows why when the system refused a write.
        const QString reason = file->error() != QFileDevice::NoError
            ? file->errorString()
            : QStringLiteral("Die Daten konnten nicht geschrieben werden.");
        discard(*file);
        return cannotWriteFileText(path, reason);
    }
    QString reason;
    if (!finishWrite(*file, reason))
        return cannotWriteFileText(path, reason);
    return {};
}
