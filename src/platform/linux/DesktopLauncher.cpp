#include "platform/linux/DesktopLauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {

constexpr int kSuccess = 42;
constexpr int kFileNotFound = 2;
constexpr int kAccessDenied = 5;
constexpr int kNoAssociation = 31;

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

} // namespace

int DesktopLauncher::open(const QString &file, const QString &parameters,
                          const QString &workingDirectory)
{
    if (isLink(file))
        return QDesktopServices::openUrl(QUrl(file)) ? kSuccess : kNoAssociation;
    const QFileInfo info(file);
    if (!info.exists())
        return kFileNotFound;
    if (info.isFile() && info.isExecutable()) {
        const QStringList arguments = QProcess::splitCommand(parameters);
        return QProcess::startDetached(info.absoluteFilePath(), arguments, workingDirectory)
            ? kSuccess
            : kAccessDenied;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())) ? kSuccess
                                                                                   : kNoAssociation;
}
