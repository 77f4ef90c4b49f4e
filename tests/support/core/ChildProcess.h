#pragma once

#include <QProcess>
#include <QString>

// A test executable started again as a second process, for what one process cannot show: a
// lock held by another program, permissions that only count for a user other than root.
namespace ChildProcess {

// Called first in a test main. When the process was started for a role it plays it and returns
// its exit code; otherwise it returns -1, after dropping to an unprivileged user when the
// parent asked for that.
int playRoleIfAsked(int argc, char **argv);

// As root (who may read and write everything), runs the current test again in a child process
// as an unprivileged user, where read-only files and folders are what they seem, checks that it
// passed and returns true: the caller then returns at once. False when not root.
bool rerunUnprivileged();

// Another process holding the lock file `lockPath` (a QLockFile) until this object goes.
class LockHolder
{
public:
    explicit LockHolder(const QString &lockPath);
    ~LockHolder();
    LockHolder(const LockHolder &) = delete;
    LockHolder &operator=(const LockHolder &) = delete;

    bool holding() const { return m_holding; }
    // What the process wrote, for a failure message.
    QString output() const { return m_output; }

private:
    QProcess m_process;
    bool m_holding = false;
    QString m_output;
};

} // namespace ChildProcess
