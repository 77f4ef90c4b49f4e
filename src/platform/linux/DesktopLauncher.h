#pragma once

#include "platform/Launcher.h"

// Starts programs detached in their working directory (no shell, arguments as a list) and
// opens documents and links with the desktop's associated program.
class DesktopLauncher : public Launcher
{
public:
    int open(const QString &file, const QString &parameters,
             const QString &workingDirectory) override;
};
