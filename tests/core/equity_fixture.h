#pragma once
// Helpers for the equity engine tests: card texts to masks, an exact
// enumeration of every deal a scenario allows, tolerances derived from the
// number of deals, and a progress callback that records its calls.

#include "core/equity.h"
#include "core/equity_run.h"
#include "core/platform_random.h"
#include "pokereval/pokereval.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace equity_test {

using equity_detail::EquityRun;
using equity_detail::HiGame;
using equity_detail::HiLoGame;
using equity_detail::RunRequest;

// "AhKd7c" -> mask; every pair must be a card.
inline CardMask Cards(const std::string& text)
{
    CardMask m = 0;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        int index = -1;
        EXPECT_EQ(pokereval::cardFromString(text.c_str() + i, &index), 2) << text;
        m |= pokereval::cardMask(index);
    }
    return m;
}

inline std::vector<CardMask> Range(std::initializer_list<const char*> hands)
{
    std::vector<CardMask> out;
    for (const char* h : hands)
        out.push_back(Cards(h));
    return out;
}

// Per-deal values of one seat, with their mean and variance over every deal.
struct Moments {
    double sum = 0, sumSq = 0;
    void Add(double x)
    {
        sum += x;
        sumSq += x * x;
    }
};

struct SeatExact {
    // Hi: equity share, win share, tie share.
    // Hi/Lo: pot share, scoop, high win, high tie, low win, low tie.
    Moments value[6];
};

struct Exact {
    double deals = 0;
    std::vector<SeatExact> seat;

    double Mean(int k, int v) const { return seat[k].value[v].sum / deals; }
    double Variance(int k, int v) const
    {
        const double m = Mean(k, v);
        return std::max(0.0, seat[k].value[v].sumSq / deals - m * m);
    }
};

// Every hand tuple of the ranges that fits the known board and the dead
// cards, times every completion of the board to `want` cards.
inline Exact Enumerate(const std::vector<std::vector<CardMask>>& ranges, CardMask known, int want,
                       CardMask dead, bool hiLo)
{
    const int n = static_cast<int>(ranges.size());
    Exact exact;
    exact.seat.resize(n);
    std::vector<CardMask> hands(n);
    std::vector<int> free;
    auto evaluate = [&](CardMask board) {
        pokereval::HandVal hi[kMaxSeats];
        pokereval::LowHandVal lo[kMaxSeats];
        pokereval::HandVal bestHi = 0;
        pokereval::LowHandVal bestLo = pokereval::kNoLow;
        for (int k = 0; k < n; ++k) {
            EXPECT_EQ(pokereval::evalOmaha(hands[k], board, &hi[k], hiLo ? &lo[k] : nullptr), 0);
            if (!hiLo)
                lo[k] = pokereval::kNoLow;
            bestHi = std::max(bestHi, hi[k]);
            bestLo = std::min(bestLo, lo[k]);
        }
        int kHi = 0, kLo = 0;
        for (int k = 0; k < n; ++k) {
            kHi += hi[k] == bestHi;
            kLo += bestLo != pokereval::kNoLow && lo[k] == bestLo;
        }
        exact.deals += 1;
        for (int k = 0; k < n; ++k) {
            const bool high = hi[k] == bestHi;
            const bool low = kLo > 0 && lo[k] == bestLo;
            const double hiWin = high && kHi == 1 ? 1.0 : 0.0;
            const double hiTie = high && kHi > 1 ? 1.0 / kHi : 0.0;
            SeatExact& s = exact.seat[k];
            if (!hiLo) {
                s.value[0].Add(hiWin + hiTie);
                s.value[1].Add(hiWin);
                s.value[2].Add(hiTie);
                continue;
            }
            const double loWin = low && kLo == 1 ? 1.0 : 0.0;
            const double loTie = low && kLo > 1 ? 1.0 / kLo : 0.0;
            const double pot = kLo > 0 ? 0.5 * (hiWin + hiTie) + 0.5 * (loWin + loTie) : hiWin + hiTie;
            const bool scoop = kLo > 0 ? (hiWin > 0 && loWin > 0) : hiWin > 0;
            s.value[0].Add(pot);
            s.value[1].Add(scoop ? 1.0 : 0.0);
            s.value[2].Add(hiWin);
            s.value[3].Add(hiTie);
            s.value[4].Add(loWin);
            s.value[5].Add(loTie);
        }
    };
    auto complete = [&](auto&& self, CardMask board, int have, int from) -> void {
        if (have == want) {
            evaluate(board);
            return;
        }
        for (int i = from; i < static_cast<int>(free.size()); ++i)
            self(self, board | pokereval::cardMask(free[i]), have + 1, i + 1);
    };
    auto deal = [&](auto&& self, int k, CardMask used) -> void {
        if (k == n) {
            free.clear();
            for (int c = 0; c < 52; ++c) {
                if (!(used & pokereval::cardMask(c)))
                    free.push_back(c);
            }
            complete(complete, known, pokereval::numCards(known), 0);
            return;
        }
        for (CardMask h : ranges[k]) {
            if (h & used)
                continue;
            hands[k] = h;
            self(self, k + 1, used | h);
        }
    };
    deal(deal, 0, known | dead);
    return exact;
}

// The engine's percentage against the exact mean: five standard errors of a
// mean of `deals` independent deals (a deterministic value must match).
inline void ExpectNear(double engine, const Exact& exact, int k, int v, std::uint64_t deals,
                       const std::string& what)
{
    const double mean = 100.0 * exact.Mean(k, v);
    const double tolerance = 5.0 * 100.0 * std::sqrt(exact.Variance(k, v) / static_cast<double>(deals)) + 1e-9;
    EXPECT_NEAR(engine, mean, tolerance) << what << " seat " << k << " value " << v << " deals " << deals;
}

// One recorded callback call.
struct Call {
    int isStart;
    double* values[4];
    int show[4];
    std::uint64_t attempts;    // of the watched tally at the call
    std::uint64_t valid;
    std::uint64_t iterations;  // per-street mode
    std::vector<double> first; // values1 at the call
};

// Records calls and stops at the given progress call (1-based; 0 = never).
struct Recorder {
    std::vector<Call> calls;
    int stopAt = 1;
    int progressCalls = 0;
    // What the callback can read about the run it watches.
    std::function<void(Call&)> observe;
    int seats = 0;

    static int Callback(void* user, int isStart, double* v1, int s1, double* v2, int s2, double* v3, int s3,
                        double* v4, int s4)
    {
        auto* r = static_cast<Recorder*>(user);
        Call c{isStart, {v1, v2, v3, v4}, {s1, s2, s3, s4}, 0, 0, 0, {}};
        if (r->observe)
            r->observe(c);
        if (v1 != nullptr)
            c.first.assign(v1, v1 + r->seats);
        r->calls.push_back(c);
        if (isStart)
            return 1;
        ++r->progressCalls;
        return r->stopAt != 0 && r->progressCalls >= r->stopAt ? 0 : 1;
    }
};

// Rows and counts of a scenario, written into a table of rows.
struct Rows {
    std::vector<std::vector<CardMask>> ranges;
    int count[kMaxSeats] = {};

    void WriteTo(CardMask (*rows)[kHandCount])
    {
        for (std::size_t k = 0; k < ranges.size(); ++k) {
            for (std::size_t i = 0; i < ranges[k].size(); ++i)
                rows[k][i] = ranges[k][i];
            count[k] = static_cast<int>(ranges[k].size());
        }
    }
    int n() const { return static_cast<int>(ranges.size()); }
};

// A run over the shared rows of a scenario, reporting to a recorder: the
// rows are written, the recorder told the seat count.
inline RunRequest RecordedRun(Rows& rows, std::wstring_view boardText, double (*results)[kMaxSeats],
                              Recorder& recorder)
{
    rows.WriteTo(g_playerRangeMasks);
    recorder.seats = rows.n();
    RunRequest r;
    r.rows = g_playerRangeMasks;
    r.count = rows.count;
    r.n = rows.n();
    r.boardText = boardText;
    r.results = results;
    r.progress = Recorder::Callback;
    r.user = &recorder;
    return r;
}

// Seeded random sources for the length of a test, and the number of worker
// threads the engines deal on (one by default: the calling thread alone,
// whose schedule is exact to the attempt).
class SeededTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetRandomTestSeed(0x5EEDull + static_cast<std::uint64_t>(SeedOffset()));
        SetEquityWorkers(Workers());
    }
    void TearDown() override
    {
        ClearRandomTestSeed();
        SetEquityWorkers(0);
    }
    virtual int SeedOffset() const { return 0; }
    virtual int Workers() const { return 1; }
};

// The same tests for 1, 2 and 8 workers.
class WorkersTest : public SeededTest, public ::testing::WithParamInterface<int> {
protected:
    int Workers() const override { return GetParam(); }
};
inline std::string WorkersName(const ::testing::TestParamInfo<int>& info)
{
    return std::to_string(info.param) + "Workers";
}
#define OV_WORKER_COUNTS(Suite) INSTANTIATE_TEST_SUITE_P(Workers, Suite, ::testing::Values(1, 2, 8), WorkersName)

}  // namespace equity_test
