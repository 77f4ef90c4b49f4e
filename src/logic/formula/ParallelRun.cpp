// The variable coordinates' runs spread over the processor's cores.
#include "logic/formula/FormulaSolver.h"

#include <exception>
#include <thread>

namespace Formula {

namespace {

// Below this many combinations per thread, starting the threads costs more than it saves.
constexpr uint64_t kMinPerThread = 1024;

} // namespace

void runOnAllCores(const FormulaSolver &solver, uint64_t from, uint64_t to, std::vector<Hit> &hits,
                   Counts &counts, const std::atomic<bool> *cancel, unsigned threads)
{
    to = std::min(to, solver.combinationCount());
    if (from >= to)
        return;
    if (threads == 0)
        threads = std::max(1u, std::thread::hardware_concurrency());
    threads =
        unsigned(std::min<uint64_t>(threads, std::max<uint64_t>(1, (to - from) / kMinPerThread)));
    if (threads == 1) {
        solver.run(from, to, hits, counts, cancel);
        return;
    }
    struct Part
    {
        std::vector<Hit> hits;
        Counts counts;
        std::exception_ptr failure;
    };
    std::vector<Part> parts(threads);
    std::vector<std::thread> workers;
    const uint64_t size = (to - from + threads - 1) / threads;
    for (unsigned t = 0; t < threads; ++t) {
        const uint64_t begin = from + t * size;
        const uint64_t end = std::min(to, begin + size);
        workers.emplace_back([&, begin, end, t] {
            try {
                solver.run(begin, end, parts[t].hits, parts[t].counts, cancel);
            } catch (...) {
                parts[t].failure = std::current_exception();
            }
        });
    }
    for (std::thread &worker : workers)
        worker.join();
    for (Part &part : parts) {
        if (part.failure)
            std::rethrow_exception(part.failure);
        hits.insert(hits.end(), part.hits.begin(), part.hits.end());
        counts += part.counts;
    }
}

} // namespace Formula
