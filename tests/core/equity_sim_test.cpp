// The fixed-count simulations: exact attempt counts, their progress calls,
// failures, and agreement with an exact enumeration.
#include "equity_fixture.h"

using namespace equity_test;

namespace {

class FixedCountSimulation : public WorkersTest {};
OV_WORKER_COUNTS(FixedCountSimulation);

CardMask g_rows[kMaxSeats][kHandCount];

TEST_P(FixedCountSimulation, HandsAgreeWithEnumerationOnATurn)
{
    const CardMask hands[] = {Cards("Ah2h3c4c"), Cards("KsKd5s6d"), Cards("9h9d8c7c")};
    const CardMask board = Cards("3h7h8dQs");
    const int trials = 60000;  // every attempt is accepted: the hands fit the board
    for (int hiLo = 0; hiLo < 2; ++hiLo) {
        double equity[kMaxSeats] = {};
        const int rc = hiLo ? SimulateHandsHiLo(nullptr, nullptr, hands, 3, equity, trials, board)
                            : SimulateHandsHi(nullptr, nullptr, hands, 3, equity, trials, board);
        ASSERT_EQ(rc, kEquityDone);
        const Exact exact = Enumerate({{hands[0]}, {hands[1]}, {hands[2]}}, board, 5, 0, hiLo != 0);
        for (int k = 0; k < 3; ++k)
            ExpectNear(equity[k], exact, k, 0, trials, hiLo ? "hands hi/lo" : "hands hi");
        EXPECT_NEAR(equity[0] + equity[1] + equity[2], 100.0, 1e-9);
    }
}

TEST_P(FixedCountSimulation, RangesAgreeWithEnumeration)
{
    // Disjoint ranges that fit the board: every attempt is accepted.
    const std::vector<std::vector<CardMask>> ranges = {Range({"AhAd2c3c", "AsAc4d5d"}),
                                                        Range({"KsKh6d6h", "9d8d7c6c"})};
    Rows rows;
    rows.ranges = ranges;
    rows.WriteTo(g_rows);
    const CardMask board = Cards("2s7h9h");
    for (int hiLo = 0; hiLo < 2; ++hiLo) {
        double equity[kMaxSeats];
        const int rc = hiLo ? SimulateRangesHiLo(g_rows, rows.count, 2, 80000, equity, board)
                            : SimulateRangesHi(g_rows, rows.count, 2, 80000, equity, board);
        ASSERT_EQ(rc, kEquityDone);
        const Exact exact = Enumerate(ranges, board, 5, 0, hiLo != 0);
        for (int k = 0; k < 2; ++k)
            ExpectNear(equity[k], exact, k, 0, 80000, "ranges");
        for (int k = 2; k < kMaxSeats; ++k)
            EXPECT_EQ(equity[k], 0.0);
    }
}

TEST_P(FixedCountSimulation, RangesFailWithZeros)
{
    Rows rows;
    rows.ranges = {Range({"AhAd2c3c"}), Range({"AhAd2c3c"})};  // always the same hand
    rows.WriteTo(g_rows);
    struct Case {
        int trials;
        int count1;
    };
    for (const Case c : {Case{0, 1}, Case{-5, 1}, Case{200000, 1}, Case{10, 0}}) {
        int count[kMaxSeats] = {1, c.count1};
        double equity[kMaxSeats];
        for (double& v : equity)
            v = 3.0;
        EXPECT_EQ(SimulateRangesHi(g_rows, count, 2, c.trials, equity, 0), kEquityNoValidDeal) << c.trials;
        EXPECT_EQ(SimulateRangesHiLo(g_rows, count, 2, c.trials, equity, 0), kEquityNoValidDeal);
        for (double v : equity)
            EXPECT_EQ(v, 0.0);
    }
}

TEST_P(FixedCountSimulation, CompleteBoardDealsOnlyHands)
{
    const CardMask hands[] = {Cards("AhAd2c3c"), Cards("KsKh5d6d")};
    double equity[kMaxSeats] = {};
    ASSERT_EQ(SimulateHandsHi(nullptr, nullptr, hands, 2, equity, 1000, Cards("2s7h9cJdQs")), kEquityDone);
    EXPECT_DOUBLE_EQ(equity[0], 100.0);
    EXPECT_DOUBLE_EQ(equity[1], 0.0);
}

TEST_P(FixedCountSimulation, HandsProgressEvery16000AcceptedDeals)
{
    const CardMask hands[] = {Cards("AhAd2c3c"), Cards("KsKh5d6d")};
    for (int stopAt : {0, 1}) {
        Recorder recorder;
        recorder.seats = 2;
        recorder.stopAt = stopAt;
        double equity[kMaxSeats] = {};
        ASSERT_EQ(SimulateHandsHi(Recorder::Callback, &recorder, hands, 2, equity, 50000, 0), kEquityDone);
        const auto& calls = recorder.calls;
        // start, progress at 16,000, 32,000 and 48,000 (or only the first), end
        ASSERT_EQ(calls.size(), stopAt ? 3u : 5u);
        EXPECT_EQ(calls.front().isStart, 1);
        for (std::size_t i = 1; i < calls.size(); ++i) {
            EXPECT_EQ(calls[i].isStart, 0);
            EXPECT_EQ(calls[i].values[0], equity);
            EXPECT_EQ(calls[i].show[0], 1);
            EXPECT_EQ(calls[i].values[1], nullptr);
        }
        // The end call shows what the function leaves in the array.
        EXPECT_EQ(calls.back().first[0], equity[0]);
        EXPECT_NEAR(equity[0] + equity[1], 100.0, 1e-9);
    }
}

TEST_P(FixedCountSimulation, ClashingHandsRejectEveryAttempt)
{
    const CardMask hands[] = {Cards("AhAd2c3c"), Cards("AhKh5d6d")};
    Recorder recorder;
    recorder.seats = 2;
    double equity[kMaxSeats] = {5.0, 5.0};
    EXPECT_EQ(SimulateHandsHiLo(Recorder::Callback, &recorder, hands, 2, equity, 40000, 0), kEquityNoValidDeal);
    ASSERT_EQ(recorder.calls.size(), 2u);  // start and end, no progress
    EXPECT_EQ(equity[0], 0.0);
    EXPECT_EQ(equity[1], 0.0);
    // A hand that is not four cards cannot be evaluated: no deal either.
    const CardMask odd[] = {Cards("AhAd2c"), Cards("KsKh5d6d")};
    EXPECT_EQ(SimulateHandsHi(nullptr, nullptr, odd, 2, equity, 100, 0), kEquityNoValidDeal);
}

}  // namespace
