#include "logic/common/ProgramRoles.h"

#include <QList>

namespace {

const QList<ProgramRole> &roles()
{
    static const QList<ProgramRole> table {
        {QStringLiteral("calc.exe"),
         QStringLiteral("Rechner"),
         QStringLiteral("kein Rechner"),
         {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("galculator"),
          QStringLiteral("mate-calc"), QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")}},
        {QStringLiteral("charmap.exe"),
         QStringLiteral("Zeichentabelle"),
         QStringLiteral("keine Zeichentabelle"),
         {QStringLiteral("gucharmap"), QStringLiteral("kcharselect"),
          QStringLiteral("gnome-characters")}},
        {QStringLiteral("Notepad"),
         QStringLiteral("Texteditor"),
         QStringLiteral("kein Texteditor"),
         {QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"), QStringLiteral("kate"),
          QStringLiteral("kwrite"), QStringLiteral("mousepad"), QStringLiteral("xed"),
          QStringLiteral("pluma"), QStringLiteral("featherpad")}},
        {QStringLiteral("MSInfo32.exe"),
         QStringLiteral("Systeminformation"),
         QStringLiteral("kein Programm für die Systeminformation"),
         {QStringLiteral("gnome-system-monitor"), QStringLiteral("ksysguard"),
          QStringLiteral("plasma-systemmonitor"), QStringLiteral("hardinfo"),
          QStringLiteral("mate-system-monitor"), QStringLiteral("xfce4-taskmanager")}},
    };
    return table;
}

} // namespace

const ProgramRole *programRole(const QString &windowsName)
{
    for (const ProgramRole &role : roles()) {
        if (windowsName.compare(role.windowsName, Qt::CaseInsensitive) == 0)
            return &role;
    }
    return nullptr;
}
