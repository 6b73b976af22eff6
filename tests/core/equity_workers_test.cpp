// The engines on worker threads: the progress schedule and Stop as with the
// calling thread alone, the fixed-count simulations split over workers, and
// no thread or handle left behind by a thousand runs.
#include "equity_fixture.h"

#include <chrono>
#include <filesystem>

#if defined(_WIN32)
#include <windows.h>
#include <tlhelp32.h>
#endif

using namespace equity_test;

namespace {

class EquityWorkers : public SeededTest {};

const char* const kHandA = "AhAd2c3c";
const char* const kHandB = "KsKh5d6d";

struct Schedule {
    std::vector<std::uint64_t> counts;  // attempts or iterations at each progress call
    std::size_t calls = 0;
    int code = 0;
};

// A run stopped at its fourth progress call.
template <class Game>
Schedule RecordSchedule(int workers, bool allStreets, const std::vector<std::vector<CardMask>>& ranges)
{
    SetEquityWorkers(workers);
    Rows rows;
    rows.ranges = ranges;
    double results[kEquityHiLoArrays][kMaxSeats] = {};
    Recorder recorder;
    recorder.stopAt = 4;
    RunRequest r = RecordedRun(rows, L"2s7h9c", results, recorder);
    r.allStreets = allStreets;
    r.toStreet = allStreets;
    EquityRun<Game> run(r);
    recorder.observe = [&](Call& c) {
        c.attempts = run.tally(0).attempts;
        c.iterations = run.iterations();
    };
    Schedule s;
    s.code = run.Run();
    s.calls = recorder.calls.size();
    for (const Call& c : recorder.calls) {
        if (!c.isStart)
            s.counts.push_back(allStreets ? c.iterations : c.attempts);
    }
    return s;
}

// The calls come when the count over all workers reaches 256, then each
// further 32,768 attempts (8,192 iterations per street): as many calls, each
// at its mark or just after it.
TEST_F(EquityWorkers, ProgressScheduleIsTheSameForOneAndEightWorkers)
{
    // Hands that never clash: every attempt is a deal.
    const std::vector<std::vector<CardMask>> ranges = {Range({kHandA, "AsAc4d4h"}), Range({kHandB, "KcKd7d8d"})};
    for (int allStreets = 0; allStreets < 2; ++allStreets) {
        const std::uint64_t step = allStreets ? 8192 : 32768;
        for (int hiLo = 0; hiLo < 2; ++hiLo) {
            const Schedule one = hiLo ? RecordSchedule<HiLoGame>(1, allStreets, ranges)
                                      : RecordSchedule<HiGame>(1, allStreets, ranges);
            const Schedule eight = hiLo ? RecordSchedule<HiLoGame>(8, allStreets, ranges)
                                        : RecordSchedule<HiGame>(8, allStreets, ranges);
            ASSERT_EQ(one.code, kEquityDone);
            ASSERT_EQ(eight.code, kEquityDone);
            EXPECT_EQ(one.calls, eight.calls);  // start, four progress calls, end
            ASSERT_EQ(one.counts.size(), 5u);
            ASSERT_EQ(eight.counts.size(), 5u);
            for (std::size_t i = 0; i < 4; ++i) {
                const std::uint64_t mark = 256 + step * i;
                EXPECT_EQ(one.counts[i], mark) << "one worker, call " << i;
                EXPECT_GE(eight.counts[i], mark) << "eight workers, call " << i;
            }
            // The end call shows the run's every deal.
            EXPECT_GE(one.counts[4], one.counts[3]);
            EXPECT_GE(eight.counts[4], eight.counts[3]);
        }
    }
}

// Stop from the callback with eight workers dealing ten random hands ends the
// run with its results, whichever call says so.
TEST_F(EquityWorkers, StopEndsEightWorkersWithAResult)
{
    SetEquityWorkers(8);
    for (int stopAt : {1, 3}) {
        Rows rows;
        rows.ranges = {Range({kHandA}), Range({kHandB}), Range({"QsQd9h8h"})};
        double results[kEquityHiLoArrays][kMaxSeats] = {};
        Recorder recorder;
        recorder.stopAt = stopAt;
        EquityRun<HiLoGame> run(RecordedRun(rows, L"", results, recorder));
        std::chrono::steady_clock::time_point stopped;
        recorder.observe = [&](Call&) { stopped = std::chrono::steady_clock::now(); };
        ASSERT_EQ(run.Run(), kEquityDone);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - stopped).count();
        EXPECT_LT(seconds, 5.0) << "the workers end after their current chunk";
        EXPECT_EQ(run.workers(), 8);
        const EquityTallyHiLo& t = run.tally(0);
        EXPECT_GT(t.valid, 0u);
        double sum = 0;
        for (int k = 0; k < 3; ++k)
            sum += results[kHiLoEquity][k];
        EXPECT_NEAR(sum, 100.0, 1e-9);
        // The end call shows the equities of the final tally.
        EXPECT_DOUBLE_EQ(recorder.calls.back().first[0], t.potShare[0] * 100.0 / t.valid);
    }
}

// Impossible runs end as before with workers: -9 without any progress call.
TEST_F(EquityWorkers, NoValidDealEndsWithEightWorkers)
{
    SetEquityWorkers(8);
    for (int allStreets = 0; allStreets < 2; ++allStreets) {
        Rows rows;
        rows.ranges = {Range({kHandA}), Range({kHandA})};
        double results[kEquityHiLoArrays][kMaxSeats] = {};
        Recorder recorder;
        RunRequest r = RecordedRun(rows, L"2s7h9c", results, recorder);
        r.allStreets = allStreets;
        EquityRun<HiGame> run(r);
        EXPECT_EQ(run.Run(), kEquityNoValidDeal);
        EXPECT_EQ(recorder.calls.size(), 1u);
        EXPECT_GT(run.tally(0).attempts, kNoDealAttemptLimit);
        EXPECT_EQ(run.tally(0).valid, 0u);
    }
}

// The fixed-count simulations split long runs over the workers: exact
// attempt counts are gone, but the equities and the progress calls stay.
TEST_F(EquityWorkers, FixedCountSimulationsOnEightWorkers)
{
    SetEquityWorkers(8);
    const CardMask hands[] = {Cards("Ah2h3c4c"), Cards("KsKd5s6d"), Cards("9h9d8c7c")};
    const CardMask board = Cards("3h7h8d");
    const int trials = 300000;
    const Exact exact = Enumerate({{hands[0]}, {hands[1]}, {hands[2]}}, board, 5, 0, true);
    Recorder recorder;
    recorder.seats = 3;
    recorder.stopAt = 0;
    double equity[kMaxSeats] = {};
    ASSERT_EQ(SimulateHandsHiLo(Recorder::Callback, &recorder, hands, 3, equity, trials, board), kEquityDone);
    for (int k = 0; k < 3; ++k)
        ExpectNear(equity[k], exact, k, 0, trials, "hands on workers");
    // Start, progress calls at the multiples of 16,000 the caller saw
    // passing, end.
    ASSERT_GE(recorder.calls.size(), 3u);
    EXPECT_LE(recorder.calls.size(), 2u + trials / 16000);
    EXPECT_EQ(recorder.calls.front().isStart, 1);
    EXPECT_EQ(recorder.calls.back().first[0], equity[0]);

    // Stopped at the first progress call: start, that call, end.
    Recorder once;
    once.seats = 3;
    once.stopAt = 1;
    ASSERT_EQ(SimulateHandsHi(Recorder::Callback, &once, hands, 3, equity, trials, board), kEquityDone);
    EXPECT_EQ(once.calls.size(), 3u);

    static CardMask rows[kMaxSeats][kHandCount];
    Rows ranges;
    ranges.ranges = {Range({"AhAd2c3c", "AsAc4d5d"}), Range({"KsKh6d6h", "9d8d7c6c"})};
    ranges.WriteTo(rows);
    const Exact exactRanges = Enumerate(ranges.ranges, Cards("2s7h9h"), 5, 0, false);
    ASSERT_EQ(SimulateRangesHi(rows, ranges.count, 2, trials, equity, Cards("2s7h9h")), kEquityDone);
    for (int k = 0; k < 2; ++k)
        ExpectNear(equity[k], exactRanges, k, 0, trials, "ranges on workers");
    // Always the same hand: no deal in the first 100,000 attempts of all
    // workers together.
    Rows same;
    same.ranges = {Range({kHandA}), Range({kHandA})};
    same.WriteTo(rows);
    EXPECT_EQ(SimulateRangesHiLo(rows, same.count, 2, trials, equity, 0), kEquityNoValidDeal);
}

// Threads of this process now.
int ThreadCount()
{
#if defined(_WIN32)
    const DWORD self = ::GetCurrentProcessId();
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == self;
    ::CloseHandle(snapshot);
    return count;
#else
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
        ++count;
    return count;
#endif
}

int HandleCount()
{
#if defined(_WIN32)
    DWORD handles = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &handles);
    return static_cast<int>(handles);
#else
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
#endif
}

// A thousand runs, each started and stopped at its first progress call,
// leave as many threads and handles as there were.
TEST_F(EquityWorkers, AThousandRunsLeaveNoThreadOrHandle)
{
    SetEquityWorkers(4);
    Rows rows;
    rows.ranges = {Range({kHandA, "AsAc4d5d"}), Range({kHandB, "KcKd7d8d"})};
    rows.WriteTo(g_playerRangeMasks);
    auto stopAtOnce = [](void*, int, double*, int, double*, int, double*, int, double*, int) { return 0; };
    double results[kEquityHiLoArrays][kMaxSeats] = {};
    // One run first: whatever the run-time library sets up once is there
    // before counting.
    ASSERT_EQ(CalculateEquityHi(rows.count, 2, L"", results, 0, 0, stopAtOnce, nullptr), kEquityDone);
    const int threads = ThreadCount();
    const int handles = HandleCount();
    for (int i = 0; i < 1000; ++i) {
        const int code = i % 2 ? CalculateEquityHiLo(rows.count, 2, L"2s7h9c", results, i % 4 == 1, 1, stopAtOnce,
                                                     nullptr)
                               : CalculateEquityHi(rows.count, 2, L"", results, 0, 0, stopAtOnce, nullptr);
        ASSERT_EQ(code, kEquityDone) << i;
        ASSERT_EQ(LastEquityRunStats().workers, 4) << i;
    }
    EXPECT_EQ(ThreadCount(), threads);
    EXPECT_EQ(HandleCount(), handles);
}

}  // namespace
