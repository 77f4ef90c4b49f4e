#pragma once

#include <QString>

// The message for a file that does not exist or cannot be opened: the full path, then the
// system's reason ("No such file or directory").
inline QString cannotOpenFileText(const QString &path, const QString &reason)
{
    return QStringLiteral("Datei %1 kann nicht geöffnet werden. %2").arg(path, reason);
}
