#pragma once
// The worker threads an engine run deals on, and how the calling thread
// follows them: every worker deals on its own state and, after each chunk of
// work, publishes a copy of its tallies and adds the chunk to a shared count;
// the calling thread waits until that count reaches a mark, sums the copies
// and makes the progress calls itself. Workers never wait for the caller.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace equity_detail {

// One worker's published tallies, behind its own lock and cache line.
template <class State>
struct alignas(64) PublishedState {
    std::mutex lock;
    State state{};
};

class WorkerTeam {
public:
    WorkerTeam() = default;
    WorkerTeam(const WorkerTeam&) = delete;
    WorkerTeam& operator=(const WorkerTeam&) = delete;
    ~WorkerTeam() { StopAndJoin(); }

    // Starts `workers` threads running body(w) for w = 0..workers-1 and
    // returns how many started (the system may refuse some; 0: the caller
    // deals itself).
    template <class Body>
    int Start(int workers, Body body)
    {
        m_stop.store(false);
        m_done.store(0);
        m_finished.store(0);
        m_threads.reserve(static_cast<std::size_t>(workers));
        for (int w = 0; w < workers; ++w) {
            try {
                m_threads.emplace_back([this, body, w] {
                    body(w);
                    Finish();
                });
            } catch (...) {
                break;
            }
        }
        m_started = static_cast<int>(m_threads.size());
        return m_started;
    }

    bool StopRequested() const { return m_stop.load(std::memory_order_relaxed); }

    // A worker finished `units` more of the counted work.
    void Add(std::uint64_t units)
    {
        const std::uint64_t before = m_done.fetch_add(units, std::memory_order_acq_rel);
        const std::uint64_t mark = m_mark.load(std::memory_order_acquire);
        if (before < mark && before + units >= mark) {
            std::lock_guard<std::mutex> hold(m_lock);
            m_wake.notify_one();
        }
    }

    // Waits until the counted work reaches `mark` or every worker has ended;
    // returns the count then.
    std::uint64_t WaitFor(std::uint64_t mark)
    {
        m_mark.store(mark, std::memory_order_release);
        std::unique_lock<std::mutex> hold(m_lock);
        // The time-out only guards against a lost wake-up; the workers wake
        // the caller when they pass the mark.
        while (m_done.load(std::memory_order_acquire) < mark && m_finished.load() < m_started)
            m_wake.wait_for(hold, std::chrono::milliseconds(20));
        return m_done.load(std::memory_order_acquire);
    }

    std::uint64_t Done() const { return m_done.load(std::memory_order_acquire); }
    // Every worker has returned from its body.
    bool AllEnded() const { return m_finished.load() >= m_started; }

    // Asks the workers to end after their current chunk and waits for them.
    void StopAndJoin()
    {
        m_stop.store(true);
        for (std::thread& t : m_threads) {
            if (t.joinable())
                t.join();
        }
        m_threads.clear();
    }

private:
    void Finish()
    {
        m_finished.fetch_add(1);
        std::lock_guard<std::mutex> hold(m_lock);
        m_wake.notify_one();
    }

    std::vector<std::thread> m_threads;
    int m_started = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<std::uint64_t> m_done{0};
    std::atomic<std::uint64_t> m_mark{0};
    std::atomic<int> m_finished{0};
    std::mutex m_lock;
    std::condition_variable m_wake;
};

}  // namespace equity_detail
