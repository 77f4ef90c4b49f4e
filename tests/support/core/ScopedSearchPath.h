#pragma once

#include <QByteArray>
#include <QtGlobal>

// Replaces the program search path for one test and restores it afterwards, so a test can
// start from an empty search path whatever the machine has installed.
class ScopedSearchPath
{
public:
    explicit ScopedSearchPath(const QString &folder)
        : m_saved(qgetenv("PATH"))
    {
        qputenv("PATH", folder.toLocal8Bit());
    }
    ~ScopedSearchPath() { qputenv("PATH", m_saved); }
    ScopedSearchPath(const ScopedSearchPath &) = delete;
    ScopedSearchPath &operator=(const ScopedSearchPath &) = delete;

private:
    QByteArray m_saved;
};
