#include "tools/statsgen/runner.h"

#include "tools/statsgen/simulate.h"

#include <mutex>
#include <thread>

namespace statsgen {

bool RunClasses(const std::vector<pokereval::CardMask>& hands, const std::vector<int>& classes,
                const RunOptions& options, Checkpoint& checkpoint, const std::atomic<bool>& stop,
                const ClassDone& done)
{
    std::vector<int> pending;
    for (int k : classes) {
        if (!checkpoint.Finished().count(k))
            pending.push_back(k);
    }
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex lock;
    auto work = [&] {
        for (;;) {
            if (stop.load() || failed.load())
                return;
            const std::size_t at = next.fetch_add(1);
            if (at >= pending.size())
                return;
            const int k = pending[at];
            const ClassTally tally = SimulateClass(hands[k], options.run.seed, k, options.run.deals);
            std::lock_guard<std::mutex> guard(lock);
            if (!checkpoint.Add(k, tally)) {
                failed = true;
                return;
            }
            if (done)
                done(static_cast<int>(checkpoint.Finished().size()), k);
        }
    };
    const int threads = options.threads < 1 ? 1 : options.threads;
    std::vector<std::thread> workers;
    for (int i = 1; i < threads; ++i)
        workers.emplace_back(work);
    work();
    for (std::thread& t : workers)
        t.join();
    return !failed.load();
}

}  // namespace statsgen
