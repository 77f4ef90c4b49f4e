#include "platform/linux/DesktopLauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
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

struct Role
{
    const char *windowsName;
    QStringList programs;
};

const QList<Role> &roles()
{
    static const QList<Role> table {
        {"calc.exe",
         {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("galculator"),
          QStringLiteral("mate-calc"), QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")}},
        {"charmap.exe",
         {QStringLiteral("gucharmap"), QStringLiteral("kcharselect"),
          QStringLiteral("gnome-characters")}},
        {"Notepad",
         {QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"), QStringLiteral("kate"),
          QStringLiteral("kwrite"), QStringLiteral("mousepad"), QStringLiteral("xed"),
          QStringLiteral("pluma"), QStringLiteral("featherpad")}},
        {"MSInfo32.exe",
         {QStringLiteral("gnome-system-monitor"), QStringLiteral("ksysguard"),
          QStringLiteral("plasma-systemmonitor"), QStringLiteral("hardinfo"),
          QStringLiteral("mate-system-monitor"), QStringLiteral("xfce4-taskmanager")}},
    };
    return table;
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
    for (const Role &role : roles()) {
        if (windowsName.compare(QLatin1String(role.windowsName), Qt::CaseInsensitive) == 0)
            return role.programs;
    }
    return {};
}

int DesktopLauncher::open(const QString &file, const QString &parameters,
                          const QString &workingDirectory)
{
    if (isLink(file))
        return QDesktopServices::openUrl(QUrl(file)) ? kSuccess : kNoAssociation;
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
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())) ? kSuccess
                                                                                   : kNoAssociation;
}
