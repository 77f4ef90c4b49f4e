#pragma once

#include "logic/language/CodeBreaker.h"

#include <atomic>
#include <functional>
#include <optional>
#include <thread>

class QObject;

// Runs the code breaker's searches on a worker thread. Progress and the final list reach the
// user interface through queued calls to `context`, each tagged with the runner's generation,
// so the window can drop what a replaced runner still sends.
class CodeBreakerRunner
{
public:
    struct Report
    {
        int generation = 0;
        int percent = 0;
        bool finished = false;
        bool cancelled = false;
        // The keyless and keyed readings, sent on their own before the searches start, so they
        // can be shown at once: set in that one report only.
        std::optional<std::vector<Candidate>> quick;
        std::vector<Candidate> candidates; // the last report only: what the searches found
        QString error; // the last report only: why nothing was found
    };
    using Deliver = std::function<void(Report)>;

    // withQuick: the keyless and keyed candidates are computed on the worker too (for texts too
    // long to decode on the user-interface thread).
    CodeBreakerRunner(BreakerRequest request, bool withQuick, int generation, QObject *context,
                      Deliver deliver);
    // Cancels and waits for the worker, so nothing it does outlives its owner.
    ~CodeBreakerRunner();

    void cancel() { m_cancel = true; }

private:
    void work();
    void post(Report report);

    BreakerRequest m_request;
    bool m_withQuick;
    int m_generation;
    QObject *m_context;
    Deliver m_deliver;
    std::atomic<bool> m_cancel {false};
    std::thread m_thread;
};
