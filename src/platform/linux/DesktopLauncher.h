#pragma once

#include "platform/Launcher.h"

#include <QStringList>

class QUrl;

// Starts programs detached in their working directory (no shell, arguments as a list) and
// opens documents and links with the desktop's associated program. The Windows program names
// the program asks for ("calc.exe", "charmap.exe", "Notepad", "MSInfo32.exe") start the first
// installed program of their role; other bare names are looked up on the program search path.
class DesktopLauncher : public Launcher
{
public:
    int open(const QString &file, const QString &parameters,
             const QString &workingDirectory) override;
    // Asks the desktop's MIME registry (xdg-mime) for the default program of the file's type.
    bool hasViewerFor(const QString &file) override;

    // The Linux programs that stand in for a Windows program name, in order of preference;
    // empty for any other name.
    static QStringList roleCandidates(const QString &windowsName);

private:
    static int openDocument(const QUrl &url);
};
