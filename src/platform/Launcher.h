#pragma once

#include <QString>

// Opens a program, a document or a link the way the desktop does ("open"). The result follows
// the classic shell convention: a value above 32 means success, 2 file not found, 3 path not
// found, 5 access denied, 31 no associated program.
class Launcher
{
public:
    virtual ~Launcher() = default;
    virtual int open(const QString &file, const QString &parameters,
                     const QString &workingDirectory) = 0;
    // Whether the desktop has a program registered for files of this kind (the compiled help
    // opens in its viewer only where there is one).
    virtual bool hasViewerFor(const QString &file) = 0;
};
