#include "gui/support/BrowseForFolder.h"

#include "gui/support/Dialogs.h"

#include <QFileInfo>

bool BrowseForFolder(Dialogs &dialogs, QWidget *parent, const QString &title, QString &folder)
{
    if (!QFileInfo(folder).isDir())
        folder.clear();
    const QString chosen = dialogs.existingDirectory(parent, title, folder);
    if (chosen.isEmpty())
        return false;
    folder = chosen;
    return true;
}
