#include "platform/SystemInfo.h"

#include <QDir>
#include <QFile>

namespace SystemInfo {

bool FileVersionOf(const QString &path, FileVersion &version)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Executables are small; a mapped read keeps it cheap even for large files.
    const qint64 size = file.size();
    uchar *mapped = size > 0 ? file.map(0, size) : nullptr;
    const QByteArray bytes = mapped
        ? QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), qsizetype(size))
        : file.readAll();
    const auto found = readElfVersionNote(bytes);
    if (!found)
        return false;
    version = *found;
    return true;
}

QString tempPath()
{
    QString path = QDir::tempPath();
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

bool developmentEnvironmentRunning()
{
    return false;
}

} // namespace SystemInfo
