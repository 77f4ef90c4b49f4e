#pragma once

#include <QString>
#include <QStringList>

// The Windows programs the program asks for by name ("calc.exe", "charmap.exe", "Notepad",
// "MSInfo32.exe") and what stands in for them on Linux: the installed programs that do the same
// job, in order of preference, each also the name of the Debian package that provides it.
struct ProgramRole
{
    QString windowsName;
    QString title; // "Rechner"
    QString missing; // the sentence's subject when none is installed: "kein Rechner"
    QStringList programs;
};

// The role of a Windows program name (compared without regard to case); none for other names.
const ProgramRole *programRole(const QString &windowsName);
