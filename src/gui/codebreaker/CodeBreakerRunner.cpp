#include "gui/codebreaker/CodeBreakerRunner.h"

#include "logic/common/QuarvelError.h"
#include "logic/language/Chains.h"

#include <QMetaObject>
#include <QObject>

CodeBreakerRunner::CodeBreakerRunner(BreakerRequest request, bool withQuick, int generation,
                                     QObject *context, Deliver deliver)
    : m_request(std::move(request))
    , m_withQuick(withQuick)
    , m_generation(generation)
    , m_context(context)
    , m_deliver(std::move(deliver))
    , m_thread([this] { work(); })
{
}

CodeBreakerRunner::~CodeBreakerRunner()
{
    m_cancel = true;
    if (m_thread.joinable())
        m_thread.join();
}

void CodeBreakerRunner::post(Report report)
{
    report.generation = m_generation;
    QMetaObject::invokeMethod(
        m_context,
        [deliver = m_deliver, report = std::move(report)]() mutable { deliver(std::move(report)); },
        Qt::QueuedConnection);
}

void CodeBreakerRunner::work()
{
    Report last;
    int shown = -1;
    const BreakerProgress progress = [&](int percent) {
        if (percent != shown && !m_cancel) {
            shown = percent;
            Report report;
            report.percent = percent;
            post(std::move(report));
        }
        return !m_cancel.load();
    };
    try {
        if (m_withQuick) {
            Report quick;
            quick.quick = quickCandidates(m_request);
            post(std::move(quick));
        }
        last.candidates = searchCandidates(m_request, progress);
        if (m_request.chains && !m_cancel) {
            std::vector<Candidate> chained = chainCandidates(m_request);
            last.candidates.insert(last.candidates.end(), std::make_move_iterator(chained.begin()),
                                   std::make_move_iterator(chained.end()));
        }
    } catch (const QuarvelError &error) {
        last.error = error.message();
    }
    last.finished = true;
    last.cancelled = m_cancel;
    last.percent = 100;
    post(std::move(last));
}
