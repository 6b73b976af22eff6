// Equity engines, accepted deals per second, for the cases of equity_bench:
// 2 seats with every hand or every tenth hand, 10 seats with narrow ranges or
// with every hand; Hi and Hi/Lo; preflop and on a flop. Built natively and for
// Windows without the benchmark library, so that the same figures can be taken
// under Wine and natively on one machine (bench/compare_windows.sh).
//
// The one-worker figure counts the processor time of the dealing thread from a
// run's first progress call to its last, as equity_bench does: the load that
// others put on a shared machine counts far less than in wall time. Under Wine
// thread time moves in 10 ms steps: runs of a second or more keep that small. With
// --workers the rate on every hardware thread follows, in wall time (it needs
// an otherwise idle machine to mean anything). "run/s" counts a one-worker
// run's every deal over its whole thread time, its preparation included
// (reading the rows, leaving out the hands the board makes impossible), as a
// user sees it; "prepare ms" is the wall time before the first deal. Each
// figure is the median of `rounds` runs.
//   equity_speed [seconds per run, default 0.5] [rounds, default 3] [--workers] [--case=TEXT]
// --case runs only the cases whose name holds TEXT (e.g. "10 every, flop").
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/equity.h"
#include "core/equity_run.h"
#include "pokereval/pokereval.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <ctime>
#endif

using namespace equity_detail;

namespace {

using Clock = std::chrono::steady_clock;

// Processor time of the calling thread, in seconds.
double ThreadSeconds()
{
#if defined(_WIN32)
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0;
    auto ticks = [](const FILETIME& f) {
        return (static_cast<std::uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
    };
    return 1e-7 * static_cast<double>(ticks(kernel) + ticks(user));
#else
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
#endif
}

struct Case {
    const char* name;
    int seats;
    int every;  // 2 seats: every hand (1) or every tenth (10); 10 seats: narrow (1) or every hand (0)
    bool flop;
};

int g_count[kMaxSeats];

CardMask MaskOfCards(const int* deck, int cards)
{
    CardMask m = 0;
    for (int i = 0; i < cards; ++i)
        m |= pokereval::cardMask(deck[i]);
    return m;
}

// The rows of equity_bench's scenarios.
void Fill(const Case& c)
{
    int every = c.every;
    if (c.seats == 2 || every == 0) {
        every = every == 0 ? 1 : every;
        int at = 0, index = 0;
        for (int a = 0; a < 52; ++a)
            for (int b = a + 1; b < 52; ++b)
                for (int d = b + 1; d < 52; ++d)
                    for (int e = d + 1; e < 52; ++e) {
                        if (index++ % every != 0)
                            continue;
                        const int cards[4] = {a, b, d, e};
                        for (int k = 0; k < c.seats; ++k)
                            g_playerRangeMasks[k][at] = MaskOfCards(cards, 4);
                        ++at;
                    }
        for (int k = 0; k < c.seats; ++k)
            g_count[k] = at;
        return;
    }
    // Seat k: the five four-card hands of the pool k, k + 10, ..., k + 40
    // (deck indices; the pools share no card).
    for (int k = 0; k < c.seats; ++k) {
        for (int skip = 0; skip < 5; ++skip) {
            int cards[4], n = 0;
            for (int i = 0; i < 5; ++i)
                if (i != skip)
                    cards[n++] = k + 10 * i;
            g_playerRangeMasks[k][skip] = MaskOfCards(cards, 4);
        }
        g_count[k] = 5;
    }
}

// A flop the 10-seat pools leave free, as in equity_bench.
const wchar_t* Board(const Case& c)
{
    return !c.flop ? L"" : c.seats == 2 ? L"AhKd7c" : L"KsAs2h";
}

// Stops a one-worker run once `seconds` have passed since its first progress
// call, noting the accepted deals and the thread time at the first and the
// last call. Thread time is read at those two calls only: under Wine it costs
// a read of the kernel's process files and moves in steps of 10 ms.
struct Watch {
    double seconds = 0;
    std::uint64_t (*valid)(const void* run) = nullptr;
    const void* run = nullptr;
    bool started = false;
    Clock::time_point begin, end;
    double prepare = 0;  // wall seconds from the call to the start call: the run's preparation
    std::uint64_t validFirst = 0, validLast = 0;
    double timeFirst = 0, timeLast = 0;
};

int StopAfterSeconds(void* user, int isStart, double*, int, double*, int, double*, int, double*, int)
{
    auto* w = static_cast<Watch*>(user);
    if (isStart) {
        w->prepare = std::chrono::duration<double>(Clock::now() - w->begin).count();
        return 1;
    }
    if (!w->started) {
        w->started = true;
        w->end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(w->seconds));
        w->validFirst = w->valid(w->run);
        w->timeFirst = ThreadSeconds();
        return 1;
    }
    if (Clock::now() < w->end)
        return 1;
    w->timeLast = ThreadSeconds();
    w->validLast = w->valid(w->run);
    return 0;
}

RunRequest Request(const Case& c, double (*results)[kMaxSeats], EquityProgressFn progress, void* user,
                   int workers)
{
    RunRequest r;
    r.rows = g_playerRangeMasks;
    r.count = g_count;
    r.n = c.seats;
    r.boardText = Board(c);
    r.results = results;
    r.progress = progress;
    r.user = user;
    r.workers = workers;
    return r;
}

double (*g_results)[kMaxSeats] = new double[kEquityHiLoArrays][kMaxSeats];

struct OneWorker {
    double rate = 0;     // accepted deals per second of thread time, while dealing
    double run = 0;      // the same over the whole run, its preparation included
    double prepare = 0;  // seconds the run took before dealing
};

template <class Game>
OneWorker OneWorkerRate(const Case& c, double seconds)
{
    Watch w;
    w.seconds = seconds;
    const double t0 = ThreadSeconds();
    w.begin = Clock::now();
    // Made and ended as the program makes and ends its runs.
    auto run = std::make_unique<EquityRun<Game>>(Request(c, g_results, StopAfterSeconds, &w, 1));
    w.run = run.get();
    w.valid = [](const void* r) { return static_cast<const EquityRun<Game>*>(r)->tally(0).valid; };
    const int code = run->Run();
    const std::uint64_t valid = run->tally(0).valid;
    run.reset();
    const double t1 = ThreadSeconds();
    if (code != kEquityDone || w.timeLast <= w.timeFirst || t1 <= t0)
        return {};
    return {static_cast<double>(w.validLast - w.validFirst) / (w.timeLast - w.timeFirst),
            static_cast<double>(valid) / (t1 - t0), w.prepare};
}

int StopAtWallTime(void* user, int isStart, double*, int, double*, int, double*, int, double*, int)
{
    auto* end = static_cast<Clock::time_point*>(user);
    return isStart || Clock::now() < *end ? 1 : 0;
}

// Accepted deals per second of wall time on `workers` threads.
template <class Game>
double WorkersRate(const Case& c, double seconds, int workers)
{
    Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                               std::chrono::duration<double>(seconds));
    EquityRun<Game> run(Request(c, g_results, StopAtWallTime, &end, workers));
    const auto t0 = Clock::now();
    if (run.Run() != kEquityDone)
        return 0;
    return static_cast<double>(run.tally(0).valid) / std::chrono::duration<double>(Clock::now() - t0).count();
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    double seconds = 0.5;
    int rounds = 3;
    bool withWorkers = false;
    const char* only = nullptr;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--workers") == 0)
            withWorkers = true;
        else if (std::strncmp(argv[i], "--case=", 7) == 0)
            only = argv[i] + 7;
        else if (positional++ == 0)
            seconds = std::atof(argv[i]);
        else
            rounds = std::atoi(argv[i]);
    }
    if (seconds <= 0 || rounds <= 0) {
        std::fprintf(stderr, "usage: equity_speed [seconds > 0] [rounds > 0] [--workers] [--case=TEXT]\n");
        return 2;
    }
    SetEquityWorkers(0);
    const int all = EquityWorkers();
    const Case cases[] = {
        {"2 every, preflop", 2, 1, false},   {"2 tenth, preflop", 2, 10, false},
        {"10 narrow, preflop", 10, 1, false}, {"10 every, preflop", 10, 0, false},
        {"2 every, flop", 2, 1, true},       {"2 tenth, flop", 2, 10, true},
        {"10 narrow, flop", 10, 1, true},     {"10 every, flop", 10, 0, true},
    };
    std::printf("%-20s %-6s %14s %14s %10s", "case", "game", "1 worker/s", "run/s", "prepare ms");
    if (withWorkers)
        std::printf(" %14s %8s", "workers/s", "ratio");
    std::printf("\n");
    for (const Case& c : cases) {
        if (only != nullptr && std::strstr(c.name, only) == nullptr)
            continue;
        Fill(c);
        for (int hiLo = 0; hiLo < 2; ++hiLo) {
            std::vector<double> one, whole, prepare, many;
            for (int r = 0; r < rounds; ++r) {
                const OneWorker o = hiLo ? OneWorkerRate<HiLoGame>(c, seconds) : OneWorkerRate<HiGame>(c, seconds);
                one.push_back(o.rate);
                whole.push_back(o.run);
                prepare.push_back(1e3 * o.prepare);
                if (withWorkers)
                    many.push_back(hiLo ? WorkersRate<HiLoGame>(c, seconds, all)
                                        : WorkersRate<HiGame>(c, seconds, all));
            }
            const double a = Median(one);
            std::printf("%-20s %-6s %14.0f %14.0f %10.2f", c.name, hiLo ? "Hi/Lo" : "Hi", a, Median(whole),
                        Median(prepare));
            if (withWorkers) {
                const double b = Median(many);
                std::printf(" %14.0f %8.2f", b, a > 0 ? b / a : 0);
            }
            std::printf("\n");
            std::fflush(stdout);
        }
    }
    if (withWorkers)
        std::printf("workers: %d\n", all);
    return 0;
}
