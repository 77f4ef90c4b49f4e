#pragma once

#include <QMetaObject>
#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

// One piece of work at a time on a thread of its own, its result handed to the thread of a
// receiver in one queued call. The work may look at the cancel flag; destroying the job cancels
// and waits, so the work never outlives the window that started it, and a result that comes
// after the receiver is gone is dropped with the receiver's queued events.
class BackgroundJob
{
public:
    BackgroundJob() = default;
    ~BackgroundJob() { finish(); }
    BackgroundJob(const BackgroundJob &) = delete;
    BackgroundJob &operator=(const BackgroundJob &) = delete;

    // Until the result has been handed over.
    bool running() const { return m_running; }
    void cancel() { m_cancel = true; }

    template<typename Result>
    void start(QObject *receiver, std::function<Result(const std::atomic<bool> &cancel)> work,
               std::function<void(const Result &)> done)
    {
        finish();
        m_cancel = false;
        m_running = true;
        m_thread = std::thread([this, receiver, work = std::move(work), done = std::move(done)] {
            Result result = work(m_cancel);
            QMetaObject::invokeMethod(
                receiver,
                [this, done, result = std::move(result)] {
                    m_running = false;
                    done(result);
                },
                Qt::QueuedConnection);
        });
    }

private:
    void finish()
    {
        m_cancel = true;
        if (m_thread.joinable())
            m_thread.join();
    }

    std::thread m_thread;
    std::atomic<bool> m_cancel {false};
    bool m_running = false;
};
