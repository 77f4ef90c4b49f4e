#include "platform/linux/DesktopLauncher.h"

#include "logic/common/ProgramRoles.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

constexpr int kSuccess = 42;
constexpr int kFileNotFound = 2;
constexpr int kAccessDenied = 5;
constexpr int kNoAssociation = 31;
constexpr int kQueryTimeoutMs = 3000;

bool isLink(const QString &file)
{
    static const QStringList schemes {QStringLiteral("http:"), QStringLiteral("https:"),
                                      QStringLiteral("mailto:"), QStringLiteral("ftp:"),
                                      QStringLiteral("file:")};
    for (const QString &scheme : schemes) {
        if (file.startsWith(scheme, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// The program to start for a name without a folder: the first installed one of its role, or
// the name itself found on the program search path.
QString findProgram(const QString &name)
{
    const QStringList candidates = DesktopLauncher::roleCandidates(name);
    for (const QString &candidate : candidates) {
        const QString found = QStandardPaths::findExecutable(candidate);
        if (!found.isEmpty())
            return found;
    }
    if (!candidates.isEmpty() || name.isEmpty())
        return QString();
    return QStandardPaths::findExecutable(name);
}

int startProgram(const QString &program, const QString &parameters, const QString &workingDirectory)
{
    const QStringList arguments = QProcess::splitCommand(parameters);
    return QProcess::startDetached(program, arguments, workingDirectory) ? kSuccess : kAccessDenied;
}

} // namespace

QStringList DesktopLauncher::roleCandidates(const QString &windowsName)
{
    const ProgramRole *role = programRole(windowsName);
    return role ? role->programs : QStringList();
}

bool DesktopLauncher::hasViewerFor(const QString &file)
{
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return false;
    const QString type =
        QMimeDatabase().mimeTypeForFile(file, QMimeDatabase::MatchExtension).name();
    QProcess process;
    process.start(query, {QStringLiteral("query"), QStringLiteral("default"), type});
    // The registry answers at once; a hanging query must not freeze the window.
    if (!process.waitForFinished(kQueryTimeoutMs)) {
        process.kill();
        process.waitForFinished(kQueryTimeoutMs);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 &&
        !process.readAllStandardOutput().trimmed().isEmpty();
}

int DesktopLauncher::open(const QString &file, const QString &parameters,
                          const QString &workingDirectory)
{
    if (isLink(file))
        return openDocument(QUrl(file));
    if (!file.contains(u'/')) {
        const QString program = findProgram(file);
        if (!program.isEmpty())
            return startProgram(program, parameters, workingDirectory);
        if (!roleCandidates(file).isEmpty())
            return kFileNotFound;
    }
    const QFileInfo info(file);
    if (!info.exists())
        return kFileNotFound;
    if (info.isFile() && info.isExecutable())
        return startProgram(info.absoluteFilePath(), parameters, workingDirectory);
    return openDocument(QUrl::fromLocalFile(info.absoluteFilePath()));
}

// Documents and links go to the desktop's associated program. Where the platform plug-in has
// no desktop services of its own (a session without a desktop environment, the offscreen
// platform), the freedesktop opener xdg-open is asked directly.
int DesktopLauncher::openDocument(const QUrl &url)
{
    if (QDesktopServices::openUrl(url))
        return kSuccess;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty() && QProcess::startDetached(opener, {url.toString()}))
        return kSuccess;
    return kNoAssociation;
}
