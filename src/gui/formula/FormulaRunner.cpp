#include "gui/formula/FormulaRunner.h"

#include <QMetaObject>
#include <QObject>

#include <chrono>
#include <thread>

namespace {

constexpr uint64_t kFirstChunk = 2048;
constexpr uint64_t kChunk = 32768;
constexpr auto kBatchInterval = std::chrono::milliseconds(50);

} // namespace

FormulaRunner::FormulaRunner(std::shared_ptr<const Formula::FormulaSolver> solver, QObject *context,
                             Deliver deliver)
    : m_solver(std::move(solver))
    , m_context(context)
    , m_deliver(std::move(deliver))
    , m_thread([this] { work(); })
{
}

FormulaRunner::~FormulaRunner()
{
    m_cancel = true;
    if (m_thread.joinable())
        m_thread.join();
}

void FormulaRunner::work()
{
    using Clock = std::chrono::steady_clock;
    const uint64_t total = m_solver->combinationCount();
    Progress batch;
    auto lastDelivery = Clock::now();
    bool first = true;
    const auto deliver = [&](bool finished) {
        batch.finished = finished;
        batch.cancelled = finished && m_cancel;
        // The queued call runs on the user-interface thread; the window drops it when it is gone.
        QMetaObject::invokeMethod(
            m_context,
            [deliver = m_deliver, progress = std::move(batch)]() mutable {
                deliver(std::move(progress));
            },
            Qt::QueuedConnection);
        batch = Progress {};
        lastDelivery = Clock::now();
    };
    // Each chunk is shared out among the cores; its hits still come in combination order.
    const uint64_t cores = std::max(1u, std::thread::hardware_concurrency());
    uint64_t from = 0;
    while (from < total && !m_cancel) {
        const uint64_t to = std::min(total, from + (first ? kFirstChunk : kChunk * cores));
        const uint64_t before = batch.counts.computed;
        try {
            Formula::runOnAllCores(*m_solver, from, to, batch.hits, batch.counts, &m_cancel);
        } catch (const std::exception &failure) {
            batch.failure = QString::fromUtf8(failure.what());
            break;
        }
        from += batch.counts.computed - before;
        batch.done = from;
        if (first || Clock::now() - lastDelivery >= kBatchInterval) {
            first = false;
            if (from < total && !m_cancel)
                deliver(false);
        }
    }
    batch.done = from;
    deliver(true);
}
