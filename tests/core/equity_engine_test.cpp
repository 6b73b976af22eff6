// The engines' contract: return codes, the progress schedule, the Hi/Lo pot
// split, the street columns of the per-street mode, and counters that
// neither wrap nor divide by zero.
#include "equity_fixture.h"

#include "core/secure_random.h"

#include <cstring>
#include <memory>

using namespace equity_test;

namespace {

constexpr double kUntouched = -7.0;

template <class Game>
struct Harness {
    Rows rows;
    std::wstring board;
    int allStreets = 0;
    int toStreet = 0;
    double results[kEquityHiLoArrays][kMaxSeats];
    Recorder recorder;
    std::unique_ptr<EquityRun<Game>> run;

    int Go(int stopAt, int watchStreet = 0)
    {
        for (auto& a : results)
            for (double& v : a)
                v = kUntouched;
        RunRequest r = RecordedRun(rows, board, results, recorder);
        r.allStreets = allStreets;
        r.toStreet = toStreet;
        run = std::make_unique<EquityRun<Game>>(r);
        recorder.stopAt = stopAt;
        recorder.observe = [this, watchStreet](Call& c) {
            c.attempts = run->tally(watchStreet).attempts;
            c.valid = run->tally(watchStreet).valid;
            c.iterations = run->iterations();
        };
        return run->Run();
    }

    bool Untouched() const
    {
        for (const auto& a : results)
            for (double v : a)
                if (v != kUntouched)
                    return false;
        return true;
    }
};

class EquityEngine : public SeededTest {};

// Two hands that never clash with each other or with the board below.
const char* const kHandA = "AhAd2c3c";
const char* const kHandB = "KsKh5d6d";
const wchar_t* const kRiver = L"2s7h9cJdQs";

TEST_F(EquityEngine, UnusableSeatsReturnMinus4BeforeAnything)
{
    struct Case {
        int n;
        int count[kMaxSeats];
        bool progress;
    };
    const Case cases[] = {
        {2, {1, 0}, true},      // a seat without hands
        {3, {5, 5, 0}, true},   // the last seat
        {0, {}, true},          // no seat
        {11, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, true},
        {2, {1, kHandCount + 1}, true},
        {2, {1, 1}, false},     // no callback: nothing could ever end the run
    };
    for (const Case& c : cases) {
        for (int hiLo = 0; hiLo < 2; ++hiLo) {
            double results[kEquityHiLoArrays][kMaxSeats];
            for (auto& a : results)
                for (double& v : a)
                    v = kUntouched;
            Recorder recorder;
            const EquityProgressFn fn = c.progress ? Recorder::Callback : nullptr;
            const int rc = hiLo ? CalculateEquityHiLo(c.count, c.n, L"", results, 0, 0, fn, &recorder)
                                : CalculateEquityHi(c.count, c.n, L"", results, 0, 0, fn, &recorder);
            EXPECT_EQ(rc, kEquityEmptyRange) << "n " << c.n;
            EXPECT_TRUE(recorder.calls.empty());
            for (const auto& a : results)
                for (double v : a)
                    EXPECT_EQ(v, kUntouched);
        }
    }
}

template <class Game>
void ExpectNoDealAfterLimit(int allStreets)
{
    Harness<Game> h;
    h.rows.ranges = {Range({kHandA}), Range({kHandA})};
    h.allStreets = allStreets;
    EXPECT_EQ(h.Go(1000), kEquityNoValidDeal);
    ASSERT_EQ(h.recorder.calls.size(), 1u);  // the start call only
    EXPECT_EQ(h.recorder.calls[0].isStart, 1);
    EXPECT_EQ(h.run->tally(0).attempts, kNoDealAttemptLimit + 1);
    EXPECT_EQ(h.run->tally(0).valid, 0u);
    EXPECT_TRUE(h.Untouched());
}

TEST_F(EquityEngine, SameSingleHandEndsAtAttempt100001WithoutProgress)
{
    ExpectNoDealAfterLimit<HiGame>(0);
    ExpectNoDealAfterLimit<HiGame>(1);
    ExpectNoDealAfterLimit<HiLoGame>(0);
    ExpectNoDealAfterLimit<HiLoGame>(1);
}

TEST_F(EquityEngine, HandsOnTheBoardOrDeadAreNeverDealt)
{
    // Seat 1 holds the board's queen of spades, or a dead card.
    for (const wchar_t* board : {L"2s7h9cJdQs", L"2s7h9c|Qs"}) {
        Harness<HiGame> h;
        h.rows.ranges = {Range({kHandA}), Range({"QsQd3h4h"})};
        h.board = board;
        EXPECT_EQ(h.Go(1000), kEquityNoValidDeal);
        EXPECT_EQ(h.recorder.calls.size(), 1u);
    }
}

// Every attempt accepted: calls exactly at 256, then every 32,768 attempts.
TEST_F(EquityEngine, SingleStreetScheduleAndEndCall)
{
    Harness<HiGame> h;
    h.rows.ranges = {Range({kHandA}), Range({kHandB})};
    h.board = kRiver;
    ASSERT_EQ(h.Go(3), kEquityDone);
    const auto& calls = h.recorder.calls;
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].isStart, 1);
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(calls[0].values[j], nullptr);
        EXPECT_EQ(calls[0].show[j], 0);
    }
    const std::uint64_t expected[] = {256, 256 + 32768, 256 + 2 * 32768, 256 + 2 * 32768};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(calls[i].isStart, 0);
        EXPECT_EQ(calls[i].attempts, expected[i - 1]) << "call " << i;
        EXPECT_EQ(calls[i].values[0], h.results[kPreflopWin]);
        EXPECT_EQ(calls[i].show[0], 1);
        for (int j = 1; j < 4; ++j) {
            EXPECT_EQ(calls[i].values[j], nullptr);
            EXPECT_EQ(calls[i].show[j], 0);
        }
    }
    // The end call shows the equities; afterwards the arrays hold the win
    // and tie parts of the same deals.
    const EquityTallyHi& t = h.run->tally(0);
    for (int k = 0; k < 2; ++k) {
        const double equity = (t.winShare[k] + t.tieShare[k]) * 100.0 / t.valid;
        EXPECT_DOUBLE_EQ(calls[4].first[k], equity);
        EXPECT_DOUBLE_EQ(h.results[kPreflopWin][k], t.winShare[k] * 100.0 / t.valid);
        EXPECT_DOUBLE_EQ(h.results[kPreflopTie][k], t.tieShare[k] * 100.0 / t.valid);
        EXPECT_EQ(t.wins[k] + t.ties[k] + t.losses[k], t.valid);
    }
    EXPECT_DOUBLE_EQ(h.results[kPreflopWin][0] + h.results[kPreflopWin][1] + h.results[kPreflopTie][0] +
                         h.results[kPreflopTie][1],
                     100.0);
    // Streets the single-street mode does not show keep what the caller had.
    for (int a = kFlopWin; a < kEquityHiArrays; ++a)
        EXPECT_EQ(h.results[a][0], kUntouched);
}

// With rejections, Hi calls at the first accepted deal once the threshold is
// reached; Hi/Lo tests the threshold after every attempt once any deal was
// accepted, so it calls exactly at the threshold.
template <class Game>
void ExpectCallsAroundRejections(bool exact)
{
    Harness<Game> h;
    h.rows.ranges = {Range({kHandA}), Range({kHandA, kHandB})};  // half the attempts clash
    h.board = kRiver;
    ASSERT_EQ(h.Go(4), kEquityDone);
    const auto& calls = h.recorder.calls;
    ASSERT_EQ(calls.size(), 6u);
    std::uint64_t lastValid = 0;
    for (int i = 1; i <= 4; ++i) {
        const std::uint64_t threshold = 256 + 32768ull * (i - 1);
        if (exact) {
            EXPECT_EQ(calls[i].attempts, threshold);
        } else {
            EXPECT_GE(calls[i].attempts, threshold);
            EXPECT_LT(calls[i].attempts, threshold + 64);
        }
        EXPECT_GT(calls[i].valid, lastValid);
        lastValid = calls[i].valid;
    }
}

TEST_F(EquityEngine, ProgressAroundRejectedAttempts)
{
    ExpectCallsAroundRejections<HiGame>(false);
    ExpectCallsAroundRejections<HiLoGame>(true);
}

// A Hi call always follows an accepted deal: over many seeds some threshold
// falls on a rejected attempt, and the call then comes later.
TEST_F(EquityEngine, HiProgressFollowsAnAcceptedDeal)
{
    int late = 0;
    for (std::uint64_t seed = 1; seed <= 8; ++seed) {
        SetRandomTestSeed(seed);
        Harness<HiGame> h;
        h.rows.ranges = {Range({kHandA}), Range({kHandA, kHandB})};
        h.board = kRiver;
        ASSERT_EQ(h.Go(1), kEquityDone);
        late += h.recorder.calls[1].attempts > 256;
    }
    EXPECT_GT(late, 0);
}

TEST_F(EquityEngine, StopAtFirstCallKeepsThe256DealsWinAndTieParts)
{
    Harness<HiGame> h;
    h.rows.ranges = {Range({kHandA, "AsAc4d5d"}), Range({kHandB, "KcKd7d8d"})};
    h.board = L"2s7h9c";
    ASSERT_EQ(h.Go(1), kEquityDone);
    const EquityTallyHi& t = h.run->tally(0);
    EXPECT_GE(t.attempts, 256u);
    for (int k = 0; k < 2; ++k) {
        // Whole numbers of deals won, in percent of the accepted deals.
        const double won = h.results[kPreflopWin][k] * static_cast<double>(t.valid) / 100.0;
        EXPECT_NEAR(won, std::round(won), 1e-6);
        EXPECT_NEAR(h.results[kPreflopWin][k] + h.results[kPreflopTie][k], h.recorder.calls[1].first[k], 1e-9);
    }
}

// The deals of one attempt after the other, made and tallied at once, from
// the stream a run keyed from `seed` deals with: what a single-street run on
// one thread must show after `attempts` attempts, however it schedules the
// evaluations of its deals.
template <class Game>
typename Game::Tally AttemptByAttempt(Rows& rows, CardMask board, std::uint64_t seed, std::uint64_t attempts)
{
    SetRandomTestSeed(seed);
    SecureRandom random;
    equity_detail::SeatRanges seats;
    EXPECT_TRUE(seats.Init(g_playerRangeMasks, rows.count, rows.n(), random));
    seats.LeaveOut(board, random);
    equity_detail::CardDeck deck;
    deck.Set(board);
    equity_detail::BoardCache cache;
    const int have = pokereval::numCards(board);
    typename Game::Tally t;
    t.Reset();
    for (t.attempts = 1; t.attempts <= attempts; ++t.attempts)
        equity_detail::Attempt<Game, false>(t, seats, random, deck, cache, board, have, 5, 0);
    --t.attempts;
    Game::Settle(t, rows.n());
    return t;
}

std::vector<CardMask> EveryHand()
{
    std::vector<CardMask> all;
    for (int a = 0; a < 52; ++a)
        for (int b = a + 1; b < 52; ++b)
            for (int c = b + 1; c < 52; ++c)
                for (int d = c + 1; d < 52; ++d)
                    all.push_back(pokereval::cardMask(a) | pokereval::cardMask(b) | pokereval::cardMask(c) |
                                  pokereval::cardMask(d));
    return all;
}

// A run tallies its deals a few at a time; every progress call and the end
// must still see exactly the deals of the attempts made so far, in order:
// the tally equals that of the same attempts dealt and tallied one by one.
template <class Game>
void ExpectTalliesOfEveryCall(const char* name, const std::vector<std::vector<CardMask>>& ranges,
                              const wchar_t* boardText)
{
    SCOPED_TRACE(name);
    constexpr std::uint64_t kSeed = 0xBA7C4ull;
    SetRandomTestSeed(kSeed);
    Harness<Game> h;
    h.rows.ranges = ranges;
    h.board = boardText;
    std::vector<typename Game::Tally> seen;
    const int stopAt = 3;
    h.recorder.stopAt = stopAt;
    RunRequest r = RecordedRun(h.rows, h.board, h.results, h.recorder);
    h.run = std::make_unique<EquityRun<Game>>(r);
    h.recorder.observe = [&](Call& c) {
        if (!c.isStart)
            seen.push_back(h.run->tally(0));
    };
    ASSERT_EQ(h.run->Run(), kEquityDone);
    ASSERT_EQ(seen.size(), static_cast<std::size_t>(stopAt + 1));  // and the end call
    CardMask board = 0;
    ParseCardList(boardText, &board);
    for (const auto& t : seen) {
        const auto want = AttemptByAttempt<Game>(h.rows, board, kSeed, t.attempts);
        EXPECT_EQ(t.valid, want.valid) << "after " << t.attempts << " attempts";
        EXPECT_GT(t.valid, 0u);
        EXPECT_EQ(std::memcmp(&t, &want, sizeof(t)), 0) << "after " << t.attempts << " attempts";
    }
}

TEST_F(EquityEngine, EveryCallSeesTheDealsOfEveryAttemptSoFar)
{
    const std::vector<CardMask> every = EveryHand();
    const std::vector<CardMask> clashing = Range({kHandA, "AhKsQd2c", "7c8c9dTd"});
    ExpectTalliesOfEveryCall<HiGame>("random seats, preflop", {every, every}, L"");
    ExpectTalliesOfEveryCall<HiLoGame>("random seats, preflop", {every, every, every}, L"");
    ExpectTalliesOfEveryCall<HiGame>("rows with clashes, flop", {clashing, Range({kHandA, kHandB})}, L"2s7h9c");
    ExpectTalliesOfEveryCall<HiLoGame>("rows with clashes, flop", {clashing, Range({kHandA, kHandB})}, L"2s7h9c");
    ExpectTalliesOfEveryCall<HiGame>("a row and a random seat, river", {clashing, every}, kRiver);
    ExpectTalliesOfEveryCall<HiLoGame>("a row and a random seat, turn", {every, clashing}, L"2s7h9cJd");
}

template <class Game>
void ExpectStreetSchedule(int arraysPerStreet)
{
    Harness<Game> h;
    h.rows.ranges = {Range({kHandA}), Range({kHandB})};
    h.board = kRiver;
    h.allStreets = 1;
    h.toStreet = 1;
    ASSERT_EQ(h.Go(3), kEquityDone);
    const auto& calls = h.recorder.calls;
    ASSERT_EQ(calls.size(), 5u);
    const std::uint64_t expected[] = {256, 256 + 8192, 256 + 2 * 8192, 256 + 2 * 8192};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(calls[i].iterations, expected[i - 1]);
        for (int s = 0; s < 4; ++s) {
            EXPECT_EQ(calls[i].values[s], h.results[s * arraysPerStreet]);
            EXPECT_EQ(calls[i].show[s], 1);
        }
    }
}

TEST_F(EquityEngine, PerStreetScheduleEvery8192Iterations)
{
    ExpectStreetSchedule<HiGame>(2);
    ExpectStreetSchedule<HiLoGame>(kHiLoValuesPerStreet);
}

TEST_F(EquityEngine, ThreeSeatsSharingTheBestHandGetAThirdEach)
{
    Harness<HiGame> h;
    // Broadway straights for all three; nobody holds two spades.
    h.rows.ranges = {Range({"JhTh5d5c"}), Range({"JdTd6h6c"}), Range({"JcTc7h7d"})};
    h.board = L"AsKsQs2d3c";
    ASSERT_EQ(h.Go(1), kEquityDone);
    for (int k = 0; k < 3; ++k) {
        EXPECT_DOUBLE_EQ(h.results[kPreflopWin][k], 0.0);
        EXPECT_NEAR(h.results[kPreflopTie][k], 100.0 / 3, 1e-9);
        EXPECT_EQ(h.run->tally(0).ties[k], h.run->tally(0).valid);
    }
}

// Fixed hands on a complete board: every deal is the same, so the six values
// are exact.
TEST_F(EquityEngine, HiLoSplitsThePot)
{
    struct Case {
        const char* name;
        const char* a;
        const char* b;
        const wchar_t* board;
        double values[2][kHiLoValuesPerStreet];  // equity, scoop, high win, high tie, low win, low tie
    };
    const Case cases[] = {
        // A: trips, no low. B: the only low.
        {"half and half", "AcKc9s9h", "As3hQcJd", L"2c4d7hKsKd",
         {{50, 0, 100, 0, 0, 0}, {50, 0, 0, 0, 100, 0}}},
        // Both hold 7-4-3-2-A; A also the high: quartered low.
        {"quartered", "Ac3cKc9s", "As3hQcJd", L"2c4d7hKsKd",
         {{75, 0, 100, 0, 0, 50}, {25, 0, 0, 0, 0, 50}}},
        // Trip kings with the same kickers tie for the high; A holds the only low.
        {"high tie, one low", "KcQc3d4d", "KhQh9c9d", L"2h5s7cKdKs",
         {{75, 0, 0, 50, 100, 0}, {25, 0, 0, 50, 0, 0}}},
        // Only one card of eight or below on the board: no low, B's straight scoops.
        {"no low", "AsKh3c4c", "JhTh8d7d", L"KsQd9h9c2s",
         {{0, 0, 0, 0, 0, 0}, {100, 100, 100, 0, 0, 0}}},
        // A alone with the best high and the best low.
        {"scoop", "KcAc3d5s", "QcJd9s9h", L"2c4d7hKsKd",
         {{100, 100, 100, 0, 100, 0}, {0, 0, 0, 0, 0, 0}}},
    };
    for (const Case& c : cases) {
        Harness<HiLoGame> h;
        h.rows.ranges = {Range({c.a}), Range({c.b})};
        h.board = c.board;
        ASSERT_EQ(h.Go(1), kEquityDone) << c.name;
        for (int k = 0; k < 2; ++k) {
            for (int v = 0; v < kHiLoValuesPerStreet; ++v)
                EXPECT_NEAR(h.results[v][k], c.values[k][v], 1e-9) << c.name << " seat " << k << " value " << v;
            // Every street after the first keeps what the caller had.
            EXPECT_EQ(h.results[HiLoArray(1, 0)][k], kUntouched);
        }
        EXPECT_NEAR(h.results[kHiLoEquity][0] + h.results[kHiLoEquity][1], 100.0, 1e-9) << c.name;
    }
}

TEST_F(EquityEngine, HiLoLowFieldsCountOnlySeatsWithALow)
{
    Harness<HiLoGame> h;
    // Seat 1's 7-4-3-2-A beats seat 2's 7-5-4-2-A; seat 0 has no low.
    h.rows.ranges = {Range({"AcKc9s9h"}), Range({"As3hQcJd"}), Range({"Ah5hQdJc"})};
    h.board = L"2c4d7hKsKd";
    ASSERT_EQ(h.Go(1), kEquityDone);
    const EquityTallyHiLo& t = h.run->tally(0);
    // Seat 0 has no low at all: none of its low fields moves.
    EXPECT_EQ(t.loWins[0] + t.loTies[0] + t.loLosses[0], 0u);
    // Seats 1 and 2 have a low on every deal: each deal is a win, tie or loss.
    for (int k = 1; k < 3; ++k)
        EXPECT_EQ(t.loWins[k] + t.loTies[k] + t.loLosses[k], t.valid);
}

// Which tally each column comes from, by known board cards and toStreet.
TEST_F(EquityEngine, StreetColumnsCarryTheStreetBefore)
{
    struct Case {
        const wchar_t* board;
        int toStreet;
        bool hiLo;
        int sameAs[4];  // the column whose values this column repeats, or -1
    };
    const Case cases[] = {
        {L"", 0, false, {-1, 0, 0, 0}},
        {L"", 1, false, {-1, -1, -1, 0}},  // Hi: river repeats preflop without a board
        {L"", 1, true, {-1, -1, -1, -1}},  // Hi/Lo: river from its own tally
        {L"", 0, true, {-1, 0, 0, 0}},
        {L"2s7h9c", 0, false, {-1, -1, 1, 1}},
        {L"2s7h9cJd", 0, true, {-1, -1, -1, 2}},
        {L"2s7h9cJd", 1, false, {-1, -1, -1, -1}},
    };
    for (const Case& c : cases) {
        auto check = [&](auto& h, int perStreet) {
            h.rows.ranges = {Range({kHandA, "AsAc4d5d"}), Range({kHandB, "KcKd7d8d"})};
            h.board = c.board;
            h.allStreets = 1;
            h.toStreet = c.toStreet;
            ASSERT_EQ(h.Go(2), kEquityDone);
            for (int s = 1; s < 4; ++s) {
                for (int v = 0; v < perStreet; ++v) {
                    const double* column = h.results[s * perStreet + v];
                    const double* before = h.results[(c.sameAs[s] < 0 ? 0 : c.sameAs[s]) * perStreet + v];
                    if (c.sameAs[s] >= 0) {
                        EXPECT_EQ(column[0], before[0]) << "street " << s << " value " << v;
                        EXPECT_EQ(column[1], before[1]);
                    }
                    EXPECT_TRUE(std::isfinite(column[0]) && std::isfinite(column[1]));
                }
                if (c.sameAs[s] < 0) {  // a tally of its own: different deals, different numbers
                    EXPECT_NE(h.results[s * perStreet][0], h.results[0][0]) << "street " << s;
                }
            }
        };
        if (c.hiLo) {
            Harness<HiLoGame> h;
            check(h, kHiLoValuesPerStreet);
        } else {
            Harness<HiGame> h;
            check(h, 2);
        }
    }
}

// A hand holding a flop card can be dealt preflop but never on the flop:
// the flop column would divide by zero, so the run ends as impossible.
TEST_F(EquityEngine, AStreetWithoutAnyDealEndsAsImpossible)
{
    for (int hiLo = 0; hiLo < 2; ++hiLo) {
        auto check = [](auto& h) {
            h.rows.ranges = {Range({kHandA}), Range({"2s3d4h5h"})};
            h.board = L"2s7h9c";
            h.allStreets = 1;
            h.toStreet = 1;
            EXPECT_EQ(h.Go(1000, 1), kEquityNoValidDeal);
            EXPECT_EQ(h.recorder.calls.size(), 1u);  // start only: no NaN ever shown
            EXPECT_GT(h.run->tally(0).valid, 0u);
            EXPECT_EQ(h.run->tally(1).valid, 0u);
            EXPECT_TRUE(h.Untouched());
        };
        if (hiLo) {
            Harness<HiLoGame> h;
            check(h);
        } else {
            Harness<HiGame> h;
            check(h);
        }
    }
}

// A long run passes 2^32 attempts; the counters go on counting.
TEST_F(EquityEngine, CountersDoNotWrapAt32Bits)
{
    Rows rows;
    rows.ranges = {Range({kHandA}), Range({kHandB})};
    rows.WriteTo(g_playerRangeMasks);
    SecureRandom random;
    const std::uint64_t big = 0xFFFFFFFFull;
    EquityTallyHi hi;
    hi.Reset();
    hi.attempts = hi.valid = hi.wins[0] = big;
    EXPECT_EQ(RunHiTrial(rows.count, hi, 2, Cards("2s7h9cJdQs"), 0, random), 1);
    EXPECT_EQ(hi.attempts, big + 1);
    EXPECT_EQ(hi.valid, big + 1);
    EXPECT_EQ(hi.wins[0], big + 1);  // a pair of aces beats a pair of kings
    EquityTallyHiLo hiLo;
    hiLo.Reset();
    hiLo.attempts = hiLo.valid = big;
    EXPECT_EQ(RunHiLoTrial(rows.count, hiLo, 2, Cards("2s7h9cJdQs"), 0, random), 1);
    EXPECT_EQ(hiLo.valid, big + 1);
    // A rejected attempt counts as an attempt only.
    EXPECT_EQ(RunHiTrial(rows.count, hi, 2, Cards("2s7h9cJdAh"), 0, random), 0);
    EXPECT_EQ(hi.attempts, big + 2);
    EXPECT_EQ(hi.valid, big + 1);
}

TEST_F(EquityEngine, BoardOfMoreThanFiveCardsIsImpossible)
{
    Harness<HiGame> h;
    h.rows.ranges = {Range({kHandA}), Range({kHandB})};
    h.board = L"2s7h9cJdQs3s";
    EXPECT_EQ(h.Go(1), kEquityNoValidDeal);
    EXPECT_TRUE(h.recorder.calls.empty());
}

}  // namespace
