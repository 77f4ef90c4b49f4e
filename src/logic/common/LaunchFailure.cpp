#include "logic/common/LaunchFailure.h"

#include "logic/common/ProgramRoles.h"
#include "logic/common/ShellErrors.h"

namespace {

constexpr int kFileNotFound = 2;
constexpr int kNoAssociation = 31;

QString roleMissingText(const ProgramRole &role)
{
    QString text = QStringLiteral("Es wurde %1 gefunden.").arg(role.missing);
    if (role.programs.size() >= 2) {
        text += QStringLiteral(" Installieren Sie zum Beispiel %1 oder %2.")
                    .arg(role.programs.at(0), role.programs.at(1));
    }
    return text;
}

// The reason in the shell's words where its table has them; our own words for the failures
// it leaves without text (no associated program, a start that failed for another reason).
QString reasonText(int code)
{
    if (code == kNoAssociation)
        return QStringLiteral("Es ist kein Programm eingerichtet, das diese Datei öffnen kann.");
    if (code == kFileNotFound || code == 3)
        return shellErrorText(code);
    return QStringLiteral("Das Programm konnte nicht gestartet werden.");
}

} // namespace

QString launchFailureText(const QString &file, int code)
{
    if (code > 32)
        return QString();
    if (file.trimmed().isEmpty())
        return QStringLiteral("Es ist kein Programm angegeben, das gestartet werden könnte.");
    // The Windows name means nothing to a Linux user: name the role instead.
    const ProgramRole *role = programRole(file);
    if (role && code == kFileNotFound)
        return roleMissingText(*role);
    const QString looked = role ? role->title : file;
    return QStringLiteral("„%1“ konnte nicht geöffnet werden.\n%2").arg(looked, reasonText(code));
}
