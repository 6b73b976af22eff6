// The engines against an exact enumeration of every deal: on turn and river
// boards (and flops) where every remaining card can be enumerated, with small
// ranges and dead cards. Each value must lie within five standard errors of
// the exact mean, the error computed from the exact variance and the number
// of deals the engine accepted.
#include "equity_fixture.h"

#include "core/handbase.h"

#include <filesystem>
#include <memory>

using namespace equity_test;

namespace {

class EquityStatistics : public WorkersTest {};
OV_WORKER_COUNTS(EquityStatistics);

struct Scenario {
    const char* name;
    std::vector<std::vector<CardMask>> ranges;
    const wchar_t* boardText;  // board part, optionally "|" dead cards
    CardMask board;
    CardMask dead;
};

std::vector<Scenario> Scenarios()
{
    return {
        {"river, two small ranges",
         {Range({"AhAd2c3c", "AsAc4d5d", "KcQcJcTc"}), Range({"KsKh5d6d", "9d8d7c6c", "QhJhTs9s"})},
         L"2s7h9cJdQs", Cards("2s7h9cJdQs"), 0},
        {"turn, three seats and a dead card",
         {Range({"AhAd2c3c", "AsKs4d5d"}), Range({"KsKh5d6d", "9d8d7c6c"}), Range({"QhJhTs9s", "4h5h6s7s"})},
         L"2s7h9cJd|Qc", Cards("2s7h9cJd"), Cards("Qc")},
        {"turn, low cards",
         {Range({"Ah2h3d4d", "As3s5c6c"}), Range({"Ad2d8c8s", "KdQd5h4c"})},
         L"6h7d8hKc", Cards("6h7d8hKc"), 0},
        {"flop, single hands", {Range({"Ah2h3c4c"}), Range({"KsKd5s6d"})}, L"3h7h8d", Cards("3h7h8d"), 0},
        // Hands holding a board or a dead card are never dealt; the others
        // as often as ever.
        {"flop, ranges with hands on the board and dead",
         {Range({"Ah2h3c4c", "3hKcQdJd", "AsAd9c9d", "TcJc5h5d"}), Range({"KsKd5s6d", "8dQsQh2s", "Td9h8s7s"})},
         L"3h7h8d|Tc", Cards("3h7h8d"), Cards("Tc")},
    };
}

template <class Game>
void CheckSingleStreet(const Scenario& sc, bool hiLo)
{
    Rows rows;
    rows.ranges = sc.ranges;
    double results[kEquityHiLoArrays][kMaxSeats] = {};
    Recorder recorder;
    recorder.stopAt = 5;  // about 130,000 attempts
    const RunRequest r = RecordedRun(rows, sc.boardText, results, recorder);
    auto run = std::make_unique<EquityRun<Game>>(r);
    ASSERT_EQ(run->Run(), kEquityDone) << sc.name;
    const std::uint64_t deals = run->tally(0).valid;
    const Exact exact = Enumerate(sc.ranges, sc.board, 5, sc.dead, hiLo);
    for (int k = 0; k < rows.n(); ++k) {
        if (hiLo) {
            for (int v = 0; v < kHiLoValuesPerStreet; ++v)
                ExpectNear(results[v][k], exact, k, v, deals, sc.name);
        } else {
            ExpectNear(results[kPreflopWin][k], exact, k, 1, deals, sc.name);
            ExpectNear(results[kPreflopTie][k], exact, k, 2, deals, sc.name);
            ExpectNear(results[kPreflopWin][k] + results[kPreflopTie][k], exact, k, 0, deals, sc.name);
        }
    }
}

TEST_P(EquityStatistics, HiSingleStreetMatchesEnumeration)
{
    for (const Scenario& sc : Scenarios())
        CheckSingleStreet<HiGame>(sc, false);
}

TEST_P(EquityStatistics, HiLoSingleStreetMatchesEnumeration)
{
    for (const Scenario& sc : Scenarios())
        CheckSingleStreet<HiLoGame>(sc, true);
}

// Per-street mode on a known turn: each column against the enumeration of
// its own board (the flop alone or completed, the turn alone or completed).
template <class Game>
void CheckPerStreet(int toStreet, bool hiLo)
{
    const std::vector<std::vector<CardMask>> ranges = {Range({"AhAd2c3c", "AsKs4d5d"}),
                                                        Range({"KsKh5d6d", "9d8d7c6c"})};
    Rows rows;
    rows.ranges = ranges;
    double results[kEquityHiLoArrays][kMaxSeats] = {};
    Recorder recorder;
    recorder.stopAt = 10;  // about 80,000 iterations
    RunRequest r = RecordedRun(rows, L"2s7h9cJd", results, recorder);
    r.allStreets = 1;
    r.toStreet = toStreet;
    auto run = std::make_unique<EquityRun<Game>>(r);
    ASSERT_EQ(run->Run(), kEquityDone);
    const CardMask flop = Cards("2s7h9c"), turn = Cards("2s7h9cJd");
    struct Street {
        int street;
        CardMask known;
        int want;
    };
    const Street streets[] = {
        {1, flop, toStreet ? 3 : 5},
        {2, turn, toStreet ? 4 : 5},
        {3, turn, 5},
    };
    const int perStreet = hiLo ? kHiLoValuesPerStreet : 2;
    for (const Street& s : streets) {
        if (s.street == 3 && !toStreet)
            continue;  // carried: checked by the engine tests
        const Exact exact = Enumerate(ranges, s.known, s.want, 0, hiLo);
        const std::uint64_t deals = run->tally(s.street).valid;
        const std::string what = "street " + std::to_string(s.street) + " toStreet " + std::to_string(toStreet);
        for (int k = 0; k < 2; ++k) {
            const double* col = results[s.street * perStreet];
            if (hiLo) {
                for (int v = 0; v < kHiLoValuesPerStreet; ++v)
                    ExpectNear(results[s.street * perStreet + v][k], exact, k, v, deals, what);
            } else {
                ExpectNear(col[k], exact, k, 1, deals, what);
                ExpectNear(results[s.street * perStreet + 1][k], exact, k, 2, deals, what);
            }
        }
    }
}

TEST_P(EquityStatistics, HiPerStreetColumnsMatchEnumeration)
{
    CheckPerStreet<HiGame>(0, false);
    CheckPerStreet<HiGame>(1, false);
}

TEST_P(EquityStatistics, HiLoPerStreetColumnsMatchEnumeration)
{
    CheckPerStreet<HiLoGame>(0, true);
    CheckPerStreet<HiLoGame>(1, true);
}

// Per-street mode: a hand holding a flop card is dealt on the preflop
// street, never on the flop; a hand holding a dead card never.
TEST_P(EquityStatistics, PerStreetPreflopDealsHandsHoldingFlopCards)
{
    const std::vector<std::vector<CardMask>> ranges = {Range({"3hKcQdJd", "AsAd9c9d", "TcJc5h5d"}),
                                                        Range({"KsKd5s6d"})};
    const CardMask dead = Cards("TcTdTs2c2d2s");
    Rows rows;
    rows.ranges = ranges;
    double results[kEquityHiLoArrays][kMaxSeats] = {};
    Recorder recorder;
    recorder.stopAt = 8;
    RunRequest r = RecordedRun(rows, L"3h7h8d|TcTdTs2c2d2s", results, recorder);
    r.allStreets = 1;
    r.toStreet = 1;
    EquityRun<HiGame> run(r);
    ASSERT_EQ(run.Run(), kEquityDone);
    const Exact preflop = Enumerate(ranges, 0, 5, dead, false);
    const Exact flop = Enumerate(ranges, Cards("3h7h8d"), 3, dead, false);
    for (int k = 0; k < 2; ++k) {
        ExpectNear(results[kPreflopWin][k], preflop, k, 1, run.tally(0).valid, "preflop");
        ExpectNear(results[kFlopWin][k], flop, k, 1, run.tally(1).valid, "flop");
    }
}

// The public entry point with the shared rows, ranges that clash often.
TEST_P(EquityStatistics, CalculateEquityHiThroughTheSharedRows)
{
    const std::vector<std::vector<CardMask>> ranges = {Range({"AhAd2c3c", "AhKh4d5d", "AdKd4c5c"}),
                                                        Range({"AhQh5s6s", "KsKh5d6d", "AdAs8c8h"})};
    Rows rows;
    rows.ranges = ranges;
    rows.WriteTo(g_playerRangeMasks);
    double results[kEquityHiArrays][kMaxSeats] = {};
    Recorder recorder;
    recorder.seats = 2;
    recorder.stopAt = 4;
    ASSERT_EQ(CalculateEquityHi(rows.count, 2, L"2s7h9cJd", results, 0, 0, Recorder::Callback, &recorder),
              kEquityDone);
    // Accepted deals are not reported here; at least a third of the
    // ~100,000 attempts is accepted, which bounds the error.
    const Exact exact = Enumerate(ranges, Cards("2s7h9cJd"), 5, 0, false);
    for (int k = 0; k < 2; ++k)
        ExpectNear(results[kPreflopWin][k] + results[kPreflopTie][k], exact, k, 0, 30000, "shared rows");
}

// Ranges as the main dialog writes them: range text selected on the shipped
// tables and expanded into the shared rows.
TEST_P(EquityStatistics, RangesExpandedFromRangeText)
{
    static COmahaBase base;
    const std::filesystem::path folder = OV_DATA_DIR;
    if (!std::filesystem::exists(folder / kClassFileName))
        GTEST_SKIP() << "no table files in " << folder;
    ASSERT_TRUE(base.LoadTables(folder).Loaded());
    Rows rows;
    for (const wchar_t* text : {L"[AK][QJ]", L"****/qu"}) {
        base.SelectRange(text);
        int count = 0;
        base.ExpandSelection(g_playerRangeMasks[rows.n()], &count);
        ASSERT_GT(count, 0);
        rows.ranges.emplace_back(g_playerRangeMasks[rows.n()], g_playerRangeMasks[rows.n()] + count);
        rows.count[rows.n() - 1] = count;
    }
    for (int hiLo = 0; hiLo < 2; ++hiLo) {
        double results[kEquityHiLoArrays][kMaxSeats] = {};
        Recorder recorder;
        recorder.stopAt = 4;
        const RunRequest r = RecordedRun(rows, L"2s7h9cJd|3h", results, recorder);
        std::uint64_t deals = 0;
        if (hiLo) {
            EquityRun<HiLoGame> run(r);
            ASSERT_EQ(run.Run(), kEquityDone);
            deals = run.tally(0).valid;
        } else {
            EquityRun<HiGame> run(r);
            ASSERT_EQ(run.Run(), kEquityDone);
            deals = run.tally(0).valid;
        }
        const Exact exact = Enumerate(rows.ranges, Cards("2s7h9cJd"), 5, Cards("3h"), hiLo != 0);
        for (int k = 0; k < 2; ++k) {
            const double equity = hiLo ? results[kHiLoEquity][k] : results[kPreflopWin][k] + results[kPreflopTie][k];
            ExpectNear(equity, exact, k, 0, deals, hiLo ? "range text hi/lo" : "range text hi");
        }
    }
}

}  // namespace
