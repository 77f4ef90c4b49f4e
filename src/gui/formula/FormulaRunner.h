#pragma once

#include "logic/formula/FormulaSolver.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class QObject;

// Runs a solver over all its combinations on a worker thread, which shares each chunk out
// among the processor's cores. Results reach the user
// interface in batches, each through one queued call to `context`, so the window stays
// responsive and never touches the solver's working state. The first batch is small, so the
// first results show at once; later ones come about every 50 ms.
class FormulaRunner
{
public:
    struct Progress
    {
        std::vector<Formula::Hit> hits; // new since the last batch
        Formula::Counts counts; // new since the last batch
        uint64_t done = 0; // combinations computed so far
        bool finished = false; // the last batch: all done or cancelled
        bool cancelled = false;
        QString failure; // why the run stopped early, when it failed
    };
    using Deliver = std::function<void(Progress)>;

    FormulaRunner(std::shared_ptr<const Formula::FormulaSolver> solver, QObject *context,
                  Deliver deliver);
    // Cancels and waits for the worker, so nothing it does outlives its owner.
    ~FormulaRunner();

    void cancel() { m_cancel = true; }

private:
    void work();

    std::shared_ptr<const Formula::FormulaSolver> m_solver;
    QObject *m_context; // outlives the worker: its owner destroys the runner first
    Deliver m_deliver;
    std::atomic<bool> m_cancel {false};
    std::thread m_thread;
};
