#pragma once

#include "logic/common/SystemMessages.h"

#include <QString>

// The message for a file that does not exist or cannot be opened: the full path, then the
// system's reason in German ("Datei oder Verzeichnis nicht gefunden").
inline QString cannotOpenFileText(const QString &path, const QString &reason)
{
    return QStringLiteral("Datei %1 kann nicht geöffnet werden. %2")
        .arg(path, SystemMessages::germanReason(reason));
}
