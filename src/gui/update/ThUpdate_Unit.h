#pragma once

#include "logic/update/VersionCheck.h"

#include <QObject>
#include <QSet>
#include <QThread>

#include <functional>
#include <optional>

class Downloader;
struct Globals;

// One update check on a worker thread of its own. The worker touches nothing shared: it keeps
// the check's result until the user-interface thread picks it up after the thread finished.
class TUpdateThread : public QThread
{
public:
    TUpdateThread(Downloader &downloader, const Globals &globals, int deadlineMs);

    // Valid once the thread has finished; none when the check ended without a result.
    const std::optional<VersionCheck::Result> &result() const { return m_result; }

protected:
    void run() override;

private:
    Downloader &m_downloader;
    const QString m_updateServer;
    const QString m_tempPfad;
    const QString m_lokaleVersion;
    const int m_deadlineMs;
    std::optional<VersionCheck::Result> m_result;
};

// Starts update checks and hands each result to `publish` in one queued step on the
// user-interface thread, in the order the checks end. It is a child of the main window: when it
// goes, pending steps go with it, so none reaches a destroyed window, and checks still running
// are asked to stop and are abandoned without waiting for their server. A check ends by itself
// after its deadline, so no worker lives on with a server that drips its answer.
class UpdateChecks : public QObject
{
public:
    using Publish = std::function<void(const VersionCheck::Result &)>;

    UpdateChecks(Publish publish, QObject *parent);
    ~UpdateChecks() override;

    void start(Downloader &downloader, const Globals &globals);
    // How long one check may take in all (the version file's deadline).
    void setDeadlineMs(int ms) { m_deadlineMs = ms; }
    qsizetype running() const { return m_threads.size(); }

private:
    void finished(TUpdateThread *thread);

    Publish m_publish;
    int m_deadlineMs = VersionCheck::kVersionFileDeadlineMs;
    QSet<TUpdateThread *> m_threads;
};
