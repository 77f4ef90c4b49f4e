#include "logic/common/SafeWrite.h"

#include <QDir>
#include <QSaveFile>

bool finishWrite(QFileDevice &file, QString &reason)
{
    auto *saveFile = qobject_cast<QSaveFile *>(&file);
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        if (saveFile)
            saveFile->cancelWriting();
        file.close();
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

QString writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return cannotWriteFileText(path, file.errorString());
    if (!write(file)) {
        // The writer's own failure: the device knows why when the system refused a write.
        const QString reason = file.error() != QFileDevice::NoError
            ? file.errorString()
            : QStringLiteral("Die Daten konnten nicht geschrieben werden.");
        file.cancelWriting();
        return cannotWriteFileText(path, reason);
    }
    QString reason;
    if (!finishWrite(file, reason))
        return cannotWriteFileText(path, reason);
    return {};
}
