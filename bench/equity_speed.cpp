// Equity engines, accepted deals per second on one worker and on every
// hardware thread, for a few tables. Built natively and for Windows without
// the benchmark library, so that the same figures can be taken under Wine and
// natively on one machine (bench/README.md). Each figure is the median of
// alternating runs of a fixed time.
//   equity_speed [seconds per run, default 0.5] [rounds, default 3]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/equity.h"
#include "core/range_rows.h"
#include "pokereval/pokereval.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Table {
    const char* name;
    int seats;
    bool everyHand;  // every seat every hand; otherwise narrow disjoint ranges
    const wchar_t* board;
};

int g_count[kMaxSeats];

void Fill(const Table& t)
{
    if (t.everyHand) {
        int at = 0;
        for (int a = 0; a < 52; ++a)
            for (int b = a + 1; b < 52; ++b)
                for (int c = b + 1; c < 52; ++c)
                    for (int d = c + 1; d < 52; ++d) {
                        const CardMask h = pokereval::cardMask(a) | pokereval::cardMask(b) |
                                           pokereval::cardMask(c) | pokereval::cardMask(d);
                        for (int k = 0; k < t.seats; ++k)
                            g_playerRangeMasks[k][at] = h;
                        ++at;
                    }
        for (int k = 0; k < t.seats; ++k)
            g_count[k] = at;
        return;
    }
    // Seat k: the five four-card hands of the pool k, k + 10, ..., k + 40
    // (deck indices; the pools share no card).
    for (int k = 0; k < t.seats; ++k) {
        for (int skip = 0; skip < 5; ++skip) {
            CardMask h = 0;
            for (int i = 0; i < 5; ++i)
                if (i != skip)
                    h |= pokereval::cardMask(k + 10 * i);
            g_playerRangeMasks[k][skip] = h;
        }
        g_count[k] = 5;
    }
}

struct Timer {
    Clock::time_point start;
    double seconds;
};

int StopAtTime(void* user, int isStart, double*, int, double*, int, double*, int, double*, int)
{
    auto* t = static_cast<Timer*>(user);
    if (isStart) {
        t->start = Clock::now();
        return 1;
    }
    return std::chrono::duration<double>(Clock::now() - t->start).count() < t->seconds ? 1 : 0;
}

// Accepted deals per second of one timed run.
double Rate(bool hiLo, const Table& t, int workers, double seconds)
{
    SetEquityWorkers(workers);
    static double results[kEquityHiLoArrays][kMaxSeats];
    Timer timer{Clock::now(), seconds};
    const auto t0 = Clock::now();
    const int code = hiLo ? CalculateEquityHiLo(g_count, t.seats, t.board, results, 0, 0, StopAtTime, &timer)
                          : CalculateEquityHi(g_count, t.seats, t.board, results, 0, 0, StopAtTime, &timer);
    const double elapsed = std::chrono::duration<double>(Clock::now() - t0).count();
    if (code != 0)
        return 0;
    return static_cast<double>(LastEquityRunStats().valid) / elapsed;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 0.5;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    SetEquityWorkers(0);
    const int all = EquityWorkers();
    const Table tables[] = {
        {"2 every hand, preflop", 2, true, L""},
        {"2 every hand, flop", 2, true, L"AhKd7c"},
        {"10 every hand, preflop", 10, true, L""},
        {"10 every hand, flop", 10, true, L"AhKd7c"},
        {"10 narrow, preflop", 10, false, L""},
        {"10 narrow, flop", 10, false, L"KsAs2h"},
    };
    std::printf("%-28s %-6s %14s %14s %8s\n", "table", "game", "1 worker/s", "workers/s", "ratio");
    for (const Table& t : tables) {
        Fill(t);
        for (int hiLo = 0; hiLo < 2; ++hiLo) {
            std::vector<double> one, many;
            for (int r = 0; r < rounds; ++r) {
                one.push_back(Rate(hiLo != 0, t, 1, seconds));
                many.push_back(Rate(hiLo != 0, t, all, seconds));
            }
            const double a = Median(one), b = Median(many);
            std::printf("%-28s %-6s %14.0f %14.0f %8.2f\n", t.name, hiLo ? "Hi/Lo" : "Hi", a, b, a > 0 ? b / a : 0);
        }
    }
    std::printf("workers: %d\n", all);
    return 0;
}
