// Equity engines: accepted deals per second for 2 and 10 seats, Omaha Hi and
// Hi/Lo, preflop and on a flop, next to what the evaluator alone reaches on
// the same number of hands (prepare the board, evaluate every hand), and the
// share of the engine's time spent outside evaluation. Also the cost of the
// random sources. Run: build/native/bin/equity_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstring>
#include <thread>
#include <vector>

#include "core/equity.h"
#include "core/equity_run.h"
#include "core/platform_random.h"
#include "core/secure_random.h"
#include "pokereval/pokereval.h"

#if !defined(_WIN32)
#include <sys/random.h>
#endif

using namespace equity_detail;
using Clock = std::chrono::steady_clock;

namespace {

// Processor time of this thread: the single-thread figures stay fair on a
// machine that others load (wall time would count their turns too).
double ThreadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Seats: 2 with every hand (dealt from the cards left, not picked from the
// row), 2 with every tenth hand (27,073 hands, a usual range size, each row
// read at random places), 10 with five hands each from disjoint five-card
// pools (narrow ranges that never clash), or ("every" 0) 10 with every hand.
struct Scenario {
    int n;
    int count[kMaxSeats];
};

CardMask MaskOfCards(const int* deck, int cards)
{
    CardMask m = 0;
    for (int i = 0; i < cards; ++i)
        m |= pokereval::cardMask(deck[i]);
    return m;
}

Scenario MakeScenario(int seats, int every)
{
    Scenario s{seats, {}};
    if (seats == 2 || every == 0) {
        every = every == 0 ? 1 : every;
        int at = 0, index = 0;
        for (int a = 0; a < 52; ++a)
            for (int b = a + 1; b < 52; ++b)
                for (int c = b + 1; c < 52; ++c)
                    for (int d = c + 1; d < 52; ++d) {
                        if (index++ % every != 0)
                            continue;
                        const int cards[4] = {a, b, c, d};
                        for (int k = 0; k < seats; ++k)
                            g_playerRangeMasks[k][at] = MaskOfCards(cards, 4);
                        ++at;
                    }
        for (int k = 0; k < seats; ++k)
            s.count[k] = at;
        return s;
    }
    // Pool k: deck indices k, k + 10, ..., k + 40 (spread over ranks and
    // suits); the pools share no card and leave 50 and 51 free.
    for (int k = 0; k < seats; ++k) {
        int pool[5];
        for (int i = 0; i < 5; ++i)
            pool[i] = k + 10 * i;
        for (int skip = 0; skip < 5; ++skip) {
            int cards[4], c = 0;
            for (int i = 0; i < 5; ++i)
                if (i != skip)
                    cards[c++] = pool[i];
            g_playerRangeMasks[k][skip] = MaskOfCards(cards, 4);
        }
        s.count[k] = 5;
    }
    return s;
}

struct StopAfter {
    int calls = 0;
    int limit = 0;
    // The accepted deals and thread time at the first and the last progress
    // call: the rate of a running engine, without the run's preparation
    // (once per Evaluate, however long it runs).
    std::uint64_t (*valid)(const void* run) = nullptr;
    const void* run = nullptr;
    std::uint64_t validFirst = 0, validLast = 0;
    double timeFirst = 0, timeLast = 0;
};

int Stop(void* user, int isStart, double*, int, double*, int, double*, int, double*, int)
{
    auto* s = static_cast<StopAfter*>(user);
    if (isStart)
        return 1;
    if (s->valid != nullptr) {
        const double now = ThreadSeconds();
        const std::uint64_t valid = s->valid(s->run);
        if (s->calls == 0) {
            s->timeFirst = now;
            s->validFirst = valid;
        }
        s->timeLast = now;
        s->validLast = valid;
    }
    return ++s->calls < s->limit ? 1 : 0;
}

// The deals an engine accepted, to time the evaluator alone on exactly those.
struct DealLog {
    std::vector<CardMask> boards;
    std::vector<CardMask> hands;  // n per deal
    int n = 0;
    std::size_t limit = 0;
};
DealLog g_log;

template <class Game>
struct Recording : Game {
    template <bool kCurrent = true>
    static void AddDeal(typename Game::Tally& t, const pokereval::OmahaBoard& board, const CardMask* hands,
                        int n)
    {
        if (g_log.boards.size() < g_log.limit) {
            g_log.boards.push_back(board.board());
            g_log.hands.insert(g_log.hands.end(), hands, hands + n);
            g_log.n = n;
        }
        Game::template AddDeal<kCurrent>(t, board, hands, n);
    }
};

// The evaluator alone (prepare the board, evaluate every hand, as the
// engine asks for it) on the logged deals: seconds for one pass.
template <bool HiLo>
double EvaluatorSeconds()
{
    const std::size_t deals = g_log.boards.size();
    pokereval::OmahaBoard board;
    std::uint64_t sink = 0;
    const double t0 = ThreadSeconds();
    {
        pokereval::HandVal hi[kMaxSeats];
        pokereval::LowHandVal lo[kMaxSeats] = {};
        for (std::size_t d = 0; d < deals; ++d) {
            board.prepare(g_log.boards[d]);
            const CardMask* hole = &g_log.hands[d * static_cast<std::size_t>(g_log.n)];
            if (HiLo)
                board.evalHiLoAll(hole, g_log.n, hi, lo);
            else
                board.evalHiAll(hole, g_log.n, hi);
            for (int h = 0; h < g_log.n; ++h)
                sink += hi[h] + lo[h];
        }
    }
    const double seconds = ThreadSeconds() - t0;
    benchmark::DoNotOptimize(sink);
    return seconds;
}

RunRequest Request(const Scenario& sc, const wchar_t* board, double (*results)[kMaxSeats], StopAfter* stop)
{
    RunRequest r;
    r.rows = g_playerRangeMasks;
    r.count = sc.count;
    r.n = sc.n;
    r.boardText = board;
    r.results = results;
    r.progress = Stop;
    r.user = stop;
    r.workers = 1;  // the single-thread figures
    return r;
}

template <class Game>
void BM_Engine(benchmark::State& state)
{
    const int seats = static_cast<int>(state.range(0));
    const bool flop = state.range(1) != 0;
    const int every = static_cast<int>(state.range(2));
    const Scenario sc = MakeScenario(seats, every);
    // A flop that the 10-seat pools leave free (deck indices 50, 51 and one
    // pool card that seat 0 then cannot hold).
    const wchar_t* board = flop ? (seats == 2 ? L"AhKd7c" : L"KsAs2h") : L"";
    double (*results)[kMaxSeats] = new double[kEquityHiLoArrays][kMaxSeats];

    // Log 20,000 deals of a run (small enough to stay in the cache), and time
    // the evaluator on them.
    g_log = DealLog{};
    g_log.limit = 20000;
    {
        StopAfter unused;
        RunRequest r = Request(sc, board, results, &unused);
        r.progress = [](void*, int, double*, int, double*, int, double*, int, double*, int) {
            return g_log.boards.size() < g_log.limit ? 1 : 0;
        };
        EquityRun<Recording<Game>> run(r);
        run.Run();
    }
    // The engine and the evaluator take turns, so that both see the same load
    // of the machine.
    std::uint64_t deals = 0, acceptedAll = 0, attempts = 0, evaluated = 0;
    double seconds = 0, evalSeconds = 0;
    for (auto _ : state) {
        for (int pass = 0; pass < 10; ++pass) {
            evalSeconds += EvaluatorSeconds<std::is_same_v<Game, HiLoGame>>();
            evaluated += g_log.boards.size();
        }
        StopAfter stop{0, 12};
        EquityRun<Game> run(Request(sc, board, results, &stop));
        stop.run = &run;
        stop.valid = [](const void* r) { return static_cast<const EquityRun<Game>*>(r)->tally(0).valid; };
        const int rc = run.Run();
        seconds += stop.timeLast - stop.timeFirst;
        if (rc != kEquityDone)
            state.SkipWithError("run failed");
        deals += stop.validLast - stop.validFirst;
        acceptedAll += run.tally(0).valid;
        attempts += run.tally(0).attempts;
    }
    delete[] results;
    const double rate = static_cast<double>(deals) / seconds;
    const double evalRate = static_cast<double>(evaluated) / evalSeconds;
    state.counters["deals/s"] = rate;
    state.counters["accept"] = static_cast<double>(acceptedAll) / static_cast<double>(attempts);
    state.counters["eval_deals/s"] = evalRate;
    // Engine rate over evaluator rate = the share of the engine's time spent
    // evaluating; the rest is dealing, picking, rejection and tallying.
    state.counters["vs_eval"] = rate / evalRate;
    state.counters["outside_eval"] = 1.0 - rate / evalRate;
}

void EngineArgs(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"seats", "flop", "every"});
    for (int flop : {0, 1}) {
        b->Args({2, flop, 1});
        b->Args({2, flop, 10});
        b->Args({10, flop, 1});
        b->Args({10, flop, 0});
    }
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK_TEMPLATE(BM_Engine, HiGame)->Apply(EngineArgs);
BENCHMARK_TEMPLATE(BM_Engine, HiLoGame)->Apply(EngineArgs);

// ---- Thread scaling: N workers against one, alternating in every
// iteration so that both see the same load. Fair figures need an otherwise
// idle machine.

int StopAtTime(void* user, int isStart, double*, int, double*, int, double*, int, double*, int)
{
    auto* end = static_cast<Clock::time_point*>(user);
    if (isStart) {
        *end = Clock::now() + std::chrono::milliseconds(300);
        return 1;
    }
    return Clock::now() < *end ? 1 : 0;
}

template <class Game>
double TimedRate(const Scenario& sc, const wchar_t* board, int workers)
{
    static double results[kEquityHiLoArrays][kMaxSeats];
    Clock::time_point end;
    RunRequest r;
    r.rows = g_playerRangeMasks;
    r.count = sc.count;
    r.n = sc.n;
    r.boardText = board;
    r.results = results;
    r.progress = StopAtTime;
    r.user = &end;
    r.workers = workers;
    EquityRun<Game> run(r);
    const auto t0 = Clock::now();
    run.Run();
    return static_cast<double>(run.tally(0).valid) / std::chrono::duration<double>(Clock::now() - t0).count();
}

template <class Game>
void BM_Threads(benchmark::State& state)
{
    const int workers = static_cast<int>(state.range(0));
    const int seats = static_cast<int>(state.range(1));
    const Scenario sc = MakeScenario(seats, seats == 2 ? 10 : 0);
    double one = 0, many = 0;
    for (auto _ : state) {
        one += TimedRate<Game>(sc, L"", 1);
        many += TimedRate<Game>(sc, L"", workers);
    }
    state.counters["deals/s"] = many / static_cast<double>(state.iterations());
    state.counters["x_one"] = many / one;
    state.counters["per_worker"] = many / one / workers;
}

void ThreadArgs(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"workers", "seats"});
    const int all = std::max(1u, std::thread::hardware_concurrency());
    for (int seats : {2, 10}) {
        for (int w : {1, 2, 4})
            b->Args({w, seats});
        if (all != 1 && all != 2 && all != 4)
            b->Args({all, seats});
    }
    b->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
}

BENCHMARK_TEMPLATE(BM_Threads, HiGame)->Apply(ThreadArgs);
BENCHMARK_TEMPLATE(BM_Threads, HiLoGame)->Apply(ThreadArgs);

// ---- The random sources, per value.

void BM_PlatformRand(benchmark::State& state)
{
    PlatformSrand(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(PlatformRand());
}
BENCHMARK(BM_PlatformRand);

// The run-time library's rand_s contract (natively: the kernel's source, buffered).
void BM_PlatformRandS(benchmark::State& state)
{
    unsigned int v;
    for (auto _ : state) {
        PlatformRandS(&v);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_PlatformRandS);

#if !defined(_WIN32)
// One system call per value, as rand_s makes one call into the system per value.
void BM_KernelRandomPerValue(benchmark::State& state)
{
    unsigned int v;
    for (auto _ : state) {
        benchmark::DoNotOptimize(getrandom(&v, sizeof(v), 0));
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_KernelRandomPerValue);
#endif

void BM_SecureRandomNext(benchmark::State& state)
{
    SecureRandom random;
    for (auto _ : state)
        benchmark::DoNotOptimize(random.Next());
}
BENCHMARK(BM_SecureRandomNext);

void BM_CompleteBoardPreflop(benchmark::State& state)
{
    PlatformSrand(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(CompleteBoard(0, 5, 0, 0));
}
BENCHMARK(BM_CompleteBoardPreflop);

}  // namespace

BENCHMARK_MAIN();
