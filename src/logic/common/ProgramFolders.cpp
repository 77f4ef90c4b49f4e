#include "logic/common/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramFolders {

namespace {

QString withSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

bool holdsShippedFiles(const QString &folder)
{
    return QFileInfo(folder + QLatin1String(MarkerFile)).isFile();
}

} // namespace

QString findProgramFolder(const QString &exeFolder)
{
    const QString own = withSlash(exeFolder);
    if (holdsShippedFiles(own))
        return own;
    const QString installed = withSlash(QDir::cleanPath(own + QStringLiteral("../share/quarvel")));
    if (holdsShippedFiles(installed))
        return installed;
    return own;
}

QString userFileFolder(const QString &programFolder, const QString &exeFolder,
                       bool programFolderWritable, const QString &dataHome)
{
    const bool ownCopy = QDir::cleanPath(programFolder) == QDir::cleanPath(exeFolder);
    if (ownCopy && programFolderWritable)
        return withSlash(programFolder);
    return withSlash(QDir::cleanPath(dataHome)) + QStringLiteral("Quarvel/");
}

QString userFileFolder(const QString &programFolder, const QString &exeFolder)
{
    const QFileInfo folder(programFolder);
    return userFileFolder(programFolder, exeFolder, folder.isDir() && folder.isWritable(),
                          QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

QString userFilePath(const QString &folder, const QString &fileName)
{
    QDir().mkpath(folder);
    return withSlash(folder) + fileName;
}

} // namespace ProgramFolders
