#pragma once

#include "platform/Launcher.h"

#include <QList>

// Records what the program asked the desktop to open and answers with `result`.
class FakeLauncher : public Launcher
{
public:
    struct Call
    {
        QString file;
        QString parameters;
        QString workingDirectory;
    };

    int open(const QString &file, const QString &parameters,
             const QString &workingDirectory) override
    {
        calls.append({file, parameters, workingDirectory});
        return result;
    }
    bool hasViewerFor(const QString &) override { return viewerRegistered; }

    QList<Call> calls;
    int result = 42;
    bool viewerRegistered = false;
};
