#include "gui/update/ThUpdate_Unit.h"

#include "logic/common/Global_Unit.h"

namespace {

// A check asked to stop ends within a poll of its downloader; this only bounds a worker that is
// stuck where it cannot be interrupted.
constexpr unsigned long kStopGraceMs = 2000;

} // namespace

TUpdateThread::TUpdateThread(Downloader &downloader, const Globals &globals, int deadlineMs)
    : m_downloader(downloader)
    , m_updateServer(globals.UpdateServer)
    , m_tempPfad(globals.TempPfad)
    , m_lokaleVersion(globals.LokaleVersion)
    , m_deadlineMs(deadlineMs)
{
    setObjectName(QStringLiteral("TUpdateThread"));
}

void TUpdateThread::run()
{
    m_result = VersionCheck::CheckServerVersion(m_downloader, m_updateServer, m_tempPfad,
                                                m_lokaleVersion, m_deadlineMs);
}

UpdateChecks::UpdateChecks(Publish publish, QObject *parent)
    : QObject(parent)
    , m_publish(std::move(publish))
{
    setObjectName(QStringLiteral("updateChecks"));
}

UpdateChecks::~UpdateChecks()
{
    for (TUpdateThread *thread : std::as_const(m_threads)) {
        QObject::disconnect(thread, nullptr, this, nullptr);
        thread->requestInterruption();
        if (thread->wait(kStopGraceMs))
            delete thread;
        // Otherwise the thread object is left to the end of the process: destroying a running
        // thread would abort the program.
    }
}

void UpdateChecks::start(Downloader &downloader, const Globals &globals)
{
    auto *thread = new TUpdateThread(downloader, globals, m_deadlineMs);
    m_threads.insert(thread);
    // Emitted on the worker, delivered on this object's (the user-interface) thread.
    connect(thread, &QThread::finished, this, [this, thread] { finished(thread); });
    thread->start();
}

void UpdateChecks::finished(TUpdateThread *thread)
{
    m_threads.remove(thread);
    thread->wait(); // it has left run(); this only lets the thread wind down
    const std::optional<VersionCheck::Result> result = thread->result();
    delete thread;
    // A check without a result publishes nothing.
    if (result)
        m_publish(*result);
}
