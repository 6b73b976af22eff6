// The statistics generator: the tally of one deal, the deals of a class,
// the checkpoint, and filling and checking the class table.

#include "core/equity_deal.h"
#include "core/handbase.h"
#include "temp_folder.h"
#include "tools/statsgen/checkpoint.h"
#include "tools/statsgen/finish.h"
#include "tools/statsgen/runner.h"
#include "tools/statsgen/simulate.h"

#include <gtest/gtest.h>

#include <fstream>
#include <numeric>
#include <random>
#include <stdexcept>
#include <string>

namespace {

using pokereval::HandVal;
using pokereval::kNoLow;
using pokereval::LowHandVal;
using statsgen::ClassTally;
using statsgen::kOpponents;
using statsgen::RowTally;

// One Hi/Lo pot among seats 0..seats-1, seat 0's share, written out seat by seat.
RowTally ReferenceDeal(const HandVal* hi, const LowHandVal* lo, int seats)
{
    HandVal bestHi = 0;
    LowHandVal bestLo = kNoLow;
    for (int k = 0; k < seats; ++k) {
        bestHi = std::max(bestHi, hi[k]);
        bestLo = std::min(bestLo, lo[k]);
    }
    const bool lowExists = bestLo != kNoLow;
    int kHi = 0, kLo = 0;
    for (int k = 0; k < seats; ++k) {
        kHi += hi[k] == bestHi;
        kLo += lowExists && lo[k] == bestLo;
    }
    RowTally r;
    const bool high = hi[0] == bestHi, low = lowExists && lo[0] == bestLo;
    if (high)
        (kHi == 1 ? r.hiWin : r.hiTie) += 1.0 / kHi;
    if (low)
        (kLo == 1 ? r.loWin : r.loTie) += 1.0 / kLo;
    if (lowExists) {
        r.scoop = high && kHi == 1 && low && kLo == 1;
        r.pot = (high ? 0.5 / kHi : 0) + (low ? 0.5 / kLo : 0);
    } else {
        r.scoop = high && kHi == 1;
        r.pot = high ? 1.0 / kHi : 0;
    }
    return r;
}

TEST(StatsTally, EveryRowSharesThePotAsAHiLoDealOfItsSeats)
{
    // Few distinct values, so that ties and missing lows are frequent.
    std::mt19937 gen(3);
    std::uniform_int_distribution<int> value(0, 3);
    for (int deal = 0; deal < 20000; ++deal) {
        HandVal hi[kOpponents + 1];
        LowHandVal lo[kOpponents + 1];
        for (int k = 0; k <= kOpponents; ++k) {
            hi[k] = static_cast<HandVal>(value(gen));
            const int l = value(gen);
            lo[k] = l == 3 ? kNoLow : static_cast<LowHandVal>(l);
        }
        ClassTally t;
        statsgen::AddDeal(t, hi[0], lo[0], hi + 1, lo + 1);
        ASSERT_EQ(t.deals, 1u);
        for (int n = 1; n <= kOpponents; ++n)
            ASSERT_EQ(t.rows[n - 1], ReferenceDeal(hi, lo, n + 1)) << "deal " << deal << ", " << n << " opponents";
    }
}

TEST(StatsTally, AgreesWithTheEnginesTallyOnRealDeals)
{
    std::mt19937 gen(8);
    for (int deal = 0; deal < 3000; ++deal) {
        int deck[52];
        std::iota(deck, deck + 52, 0);
        std::shuffle(deck, deck + 52, gen);
        pokereval::CardMask hands[kOpponents + 1] = {}, board = 0;
        for (int i = 0; i < 5; ++i)
            board |= pokereval::cardMask(deck[i]);
        for (int k = 0; k <= kOpponents; ++k)
            for (int i = 0; i < 4; ++i)
                hands[k] |= pokereval::cardMask(deck[5 + 4 * k + i]);
        pokereval::OmahaBoard prepared;
        ASSERT_EQ(prepared.prepare(board), 0);
        HandVal hi[kOpponents + 1];
        LowHandVal lo[kOpponents + 1];
        for (int k = 0; k <= kOpponents; ++k)
            ASSERT_EQ(pokereval::evalOmaha(hands[k], board, &hi[k], &lo[k]), 0);
        ClassTally t;
        statsgen::AddDeal(t, hi[0], lo[0], hi + 1, lo + 1);
        for (int n = 1; n <= kOpponents; ++n) {
            EquityTallyHi h;
            EquityTallyHiLo hl;
            h.Reset();
            hl.Reset();
            equity_detail::HiGame::AddDeal(h, prepared, hands, n + 1);
            equity_detail::HiLoGame::AddDeal(hl, prepared, hands, n + 1);
            const RowTally& r = t.rows[n - 1];
            ASSERT_EQ(r.hiWin, h.winShare[0]);
            ASSERT_EQ(r.hiTie, h.tieShare[0]);
            ASSERT_EQ(r.hiWin, hl.hiWinShare[0]);
            ASSERT_EQ(r.hiTie, hl.hiTieShare[0]);
            ASSERT_EQ(r.loWin, hl.loWinShare[0]);
            ASSERT_EQ(r.loTie, hl.loTieShare[0]);
            ASSERT_EQ(r.scoop, static_cast<double>(hl.scoops[0]));
            ASSERT_EQ(r.pot, hl.potShare[0]) << "deal " << deal << ", " << n << " opponents";
        }
    }
}

TEST(StatsTally, SharedHighAndOnlyLow)
{
    // Opponent 1 ties the high, and only the class's hand has a low: 0.25 + 0.5.
    const HandVal oppHi[kOpponents] = {7, 1, 1, 1, 1, 1, 1, 1, 1};
    const LowHandVal oppLo[kOpponents] = {kNoLow, kNoLow, kNoLow, kNoLow, kNoLow, kNoLow, kNoLow, kNoLow, kNoLow};
    ClassTally t;
    statsgen::AddDeal(t, 7, 5, oppHi, oppLo);
    EXPECT_DOUBLE_EQ(t.rows[0].pot, 0.75);
    EXPECT_DOUBLE_EQ(t.rows[0].hiTie, 0.5);
    EXPECT_DOUBLE_EQ(t.rows[0].loWin, 1.0);
    EXPECT_DOUBLE_EQ(t.rows[0].scoop, 0.0);
}

pokereval::CardMask Hand(const char* text)
{
    pokereval::CardMask m = 0;
    for (int i = 0; i < 4; ++i) {
        int index = -1;
        pokereval::cardFromString(text + 2 * i, &index);
        m |= pokereval::cardMask(index);
    }
    return m;
}

TEST(StatsSimulation, DealsDependOnSeedAndClassOnly)
{
    const pokereval::CardMask aakk = Hand("AhAdKhKd");
    const ClassTally a = statsgen::SimulateClass(aakk, 5, 17, 3000);
    EXPECT_EQ(a, statsgen::SimulateClass(aakk, 5, 17, 3000));
    EXPECT_FALSE(a == statsgen::SimulateClass(aakk, 5, 18, 3000));
    EXPECT_FALSE(a == statsgen::SimulateClass(aakk, 6, 17, 3000));
    EXPECT_EQ(a.deals, 3000u);
}

TEST(StatsSimulation, KnownEquitiesAndFairShares)
{
    // Aces with kings double-suited win about 71 % heads-up in Omaha Hi.
    const ClassTally aakk = statsgen::SimulateClass(Hand("AhAdKhKd"), 1, 0, 40000);
    EXPECT_NEAR(statsgen::HiEquity(aakk, 0), 71.0, 1.5);
    // Every row hands out whole pots: a hand's equities fall with more opponents
    // and stay above its fair share for a strong hand, below it for a weak one.
    const ClassTally weak = statsgen::SimulateClass(Hand("Kc8d7h2s"), 1, 1, 40000);
    for (int row = 0; row < kOpponents; ++row) {
        const double fair = 100.0 / (row + 2);
        EXPECT_GT(statsgen::HiEquity(aakk, row), fair);
        EXPECT_GT(statsgen::HiLoEquity(aakk, row), fair);
        EXPECT_LT(statsgen::HiEquity(weak, row), fair);
        EXPECT_LT(statsgen::HiLoEquity(weak, row), fair);
        if (row > 0) {
            EXPECT_LT(statsgen::HiEquity(aakk, row), statsgen::HiEquity(aakk, row - 1));
        }
    }
}

// Deals of n opponents drawn one by one, evaluated seat by seat.
RowTally IndependentRow(pokereval::CardMask hand, int opponents, int deals, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> card(0, 51);
    RowTally sum;
    auto draw = [&](pokereval::CardMask& used) {
        pokereval::CardMask c;
        do
            c = pokereval::cardMask(card(gen));
        while (c & used);
        used |= c;
        return c;
    };
    for (int d = 0; d < deals; ++d) {
        pokereval::CardMask used = hand, board = 0, hands[kOpponents + 1] = {hand};
        for (int i = 0; i < 5; ++i)
            board |= draw(used);
        for (int k = 1; k <= opponents; ++k)
            for (int i = 0; i < 4; ++i)
                hands[k] |= draw(used);
        HandVal hi[kOpponents + 1];
        LowHandVal lo[kOpponents + 1];
        for (int k = 0; k <= opponents; ++k)
            pokereval::evalOmaha(hands[k], board, &hi[k], &lo[k]);
        const RowTally r = ReferenceDeal(hi, lo, opponents + 1);
        sum.hiWin += r.hiWin;
        sum.hiTie += r.hiTie;
        sum.pot += r.pot;
    }
    return sum;
}

TEST(StatsSimulation, AgreesWithDealsDrawnOneByOne)
{
    constexpr int kDeals = 20000;
    for (const char* text : {"AhAdKhKd", "Kc8d7h2s", "5s4s3d2d"}) {
        const pokereval::CardMask hand = Hand(text);
        const ClassTally t = statsgen::SimulateClass(hand, 4, 0, kDeals);
        for (int opponents : {1, 4, 9}) {
            const RowTally ref = IndependentRow(hand, opponents, kDeals, 99);
            const double refHi = (ref.hiWin + ref.hiTie) * 100.0 / kDeals;
            const double refHiLo = ref.pot * 100.0 / kDeals;
            EXPECT_NEAR(statsgen::HiEquity(t, opponents - 1), refHi, 2.0) << text << " vs " << opponents;
            EXPECT_NEAR(statsgen::HiLoEquity(t, opponents - 1), refHiLo, 2.0) << text << " vs " << opponents;
        }
    }
}

TEST(StatsCheckpoint, StoppedRunContinuesToTheSameResult)
{
    TempFolder folder;
    const auto path = folder.path() / "run.bin";
    std::vector<pokereval::CardMask> hands(kClassCount, Hand("AhAdKhKd"));
    hands[3] = Hand("7c6c5d4d");
    const std::vector<int> classes = {0, 1, 2, 3, 4, 5};
    const statsgen::RunOptions options{{9, 500}, 2};
    std::atomic<bool> stop{false};

    {   // Stopped after three classes.
        statsgen::Checkpoint cp;
        std::string error;
        ASSERT_TRUE(cp.Open(path, options.run, &error)) << error;
        ASSERT_TRUE(statsgen::RunClasses(hands, classes, options, cp, stop, [&](int finished, int) {
            if (finished >= 3) stop = true;
        }));
        EXPECT_GE(cp.Finished().size(), 3u);
        EXPECT_LT(cp.Finished().size(), classes.size());
    }
    {   // A torn record at the end is dropped.
        std::ofstream torn(path, std::ios::binary | std::ios::app);
        torn << "half a record";
    }
    stop = false;
    statsgen::Checkpoint resumed;
    std::string error;
    ASSERT_TRUE(resumed.Open(path, options.run, &error)) << error;
    const std::size_t before = resumed.Finished().size();
    int ran = 0;
    ASSERT_TRUE(statsgen::RunClasses(hands, classes, options, resumed, stop, [&](int, int) { ++ran; }));
    EXPECT_EQ(before + ran, classes.size());
    ASSERT_EQ(resumed.Finished().size(), classes.size());
    for (int k : classes)
        EXPECT_EQ(resumed.Finished().at(k), statsgen::SimulateClass(hands[k], 9, k, 500)) << k;

    // Everything went to the file, and another run's identity is refused.
    statsgen::Checkpoint again;
    ASSERT_TRUE(again.Open(path, options.run, &error)) << error;
    EXPECT_EQ(again.Finished(), resumed.Finished());
    statsgen::Checkpoint other;
    EXPECT_FALSE(other.Open(path, {10, 500}, &error));
    EXPECT_FALSE(other.Open(path, {9, 501}, &error));
}

TEST(StatsFinish, PositionsRankEquityWithTiesByClassIndex)
{
    std::vector<ClassTally> tallies(kClassCount);
    std::mt19937 gen(1);
    for (int k = 0; k < kClassCount; ++k) {
        ClassTally& t = tallies[k];
        t.deals = 100;
        for (int row = 0; row < kOpponents; ++row) {
            // Equities in whole deals so that many classes tie.
            t.rows[row].hiWin = gen() % 60;
            t.rows[row].hiTie = 0.5;
            t.rows[row].pot = gen() % 60;
            t.rows[row].loWin = 12.345;
        }
    }
    std::vector<HandClassRecord> classes(kClassCount);
    for (HandClassRecord& c : classes)
        c.comboCount = 1;
    classes[5].stats[kStatWin][10] = 77;  // row 10 is cleared
    statsgen::FillStats(tallies, classes.data());

    auto hi = [&](int k, int row) { return statsgen::HiEquity(tallies[k], row); };
    for (int row = 0; row < kOpponents; ++row) {
        for (int k = 1; k < kClassCount; ++k) {
            // Position order agrees with equity order, equal equities by index.
            const int a = k - 1, b = k;
            if (hi(a, row) >= hi(b, row))
                ASSERT_LT(classes[a].stats[kStatPos][row], classes[b].stats[kStatPos][row]);
            else
                ASSERT_GT(classes[a].stats[kStatPos][row], classes[b].stats[kStatPos][row]);
        }
        EXPECT_EQ(classes[0].stats[kStatWin][row], static_cast<int>(tallies[0].rows[row].hiWin * 100));
        EXPECT_EQ(classes[0].stats[kStatSplit][row], 50);
        EXPECT_EQ(classes[0].stats[kStatWinLo][row], 1235);  // 12.345 % rounded to hundredths
        EXPECT_EQ(classes[0].stats[kStatWinHi][row], classes[0].stats[kStatWin][row]);
    }
    // Row 9: the mean of equity x (n + 1); its other columns and row 10 stay 0.
    std::vector<double> multi(kClassCount, 0);
    for (int k = 0; k < kClassCount; ++k)
        for (int row = 0; row < kOpponents; ++row)
            multi[k] += hi(k, row) * (row + 2) / kOpponents;
    const int best = static_cast<int>(std::max_element(multi.begin(), multi.end()) - multi.begin());
    EXPECT_EQ(classes[best].stats[kStatPos][kOutsideRankingRow], 0);
    EXPECT_EQ(classes[5].stats[kStatWin][kOutsideRankingRow], 0);
    EXPECT_EQ(classes[5].stats[kStatWin][10], 0);
    // Positions are permutations; the made-up equities do not average the fair share.
    const std::vector<std::string> problems = statsgen::CheckStats(classes.data(), 0.05);
    for (const std::string& p : problems)
        EXPECT_EQ(p.find("permutation"), std::string::npos) << p;
    EXPECT_FALSE(problems.empty());
}

TEST(StatsFinish, CheckFindsRepeatedPositions)
{
    std::vector<HandClassRecord> classes(kClassCount);
    for (int k = 0; k < kClassCount; ++k) {
        classes[k].comboCount = 1;
        for (int row = 0; row < kStatRows - 1; ++row)
            classes[k].stats[kStatPos][row] = classes[k].stats[kStatPosHiLo][row] = k;
    }
    classes[7].stats[kStatPosHiLo][4] = 8;
    const std::vector<std::string> problems = statsgen::CheckStats(classes.data(), 1e9);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("row 4"), std::string::npos);
}

}  // namespace

// ---- The statistics shipped in data/Omaha.bin.

namespace {

double ShippedHi(const HandClassRecord& c, int row)
{
    return (c.stats[kStatWin][row] + c.stats[kStatSplit][row]) / 100.0;
}

class ShippedStatistics : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_base = new COmahaBase;
        ASSERT_TRUE(s_base->LoadTables(std::filesystem::path(OV_DATA_DIR)).Loaded());
    }
    static void TearDownTestSuite()
    {
        delete s_base;
        s_base = nullptr;
    }
    static const HandClassRecord& At(int column, int row, int position)
    {
        for (int k = 0; k < kClassCount; ++k) {
            if (s_base->m_classes[k].stats[column][row] == position)
                return s_base->m_classes[k];
        }
        throw std::runtime_error("no class at position " + std::to_string(position));
    }
    static COmahaBase* s_base;
};
COmahaBase* ShippedStatistics::s_base = nullptr;

TEST_F(ShippedStatistics, FairSharesPermutationsAndEqualHighResults)
{
    for (const std::string& problem : statsgen::CheckStats(s_base->m_classes.get(), 0.05))
        ADD_FAILURE() << problem;
}

TEST_F(ShippedStatistics, PositionsFollowTheEquities)
{
    const HandClassRecord* classes = s_base->m_classes.get();
    for (int row = 0; row < kOpponents; ++row) {
        std::vector<int> byPos(kClassCount, -1), byPosHiLo(kClassCount, -1);
        for (int k = 0; k < kClassCount; ++k) {
            const int p = classes[k].stats[kStatPos][row], q = classes[k].stats[kStatPosHiLo][row];
            ASSERT_TRUE(p >= 0 && p < kClassCount && q >= 0 && q < kClassCount);
            byPos[p] = k;
            byPosHiLo[q] = k;
        }
        for (int p = 0; p < kClassCount; ++p)
            ASSERT_TRUE(byPos[p] >= 0 && byPosHiLo[p] >= 0) << "row " << row << ": no class at " << p;
        for (int p = 1; p < kClassCount; ++p) {
            // Stored equities are rounded; positions come from the unrounded ones.
            ASSERT_GE(ShippedHi(classes[byPos[p - 1]], row) + 0.015, ShippedHi(classes[byPos[p]], row))
                << "row " << row << " position " << p;
            ASSERT_GE(classes[byPosHiLo[p - 1]].stats[kStatEqHiLo][row] + 1,
                      classes[byPosHiLo[p]].stats[kStatEqHiLo][row])
                << "row " << row << " position " << p;
        }
    }
}

TEST_F(ShippedStatistics, BestHandsAndTheRowsWithoutResults)
{
    // Against one random hand: aces with two more high cards, double-suited (aces with kings, say).
    const HandClassRecord& best = At(kStatPos, 0, 0);
    EXPECT_EQ(best.cards[0].rank, 0);
    EXPECT_EQ(best.cards[1].rank, 0);
    EXPECT_LE(best.cards[3].rank, 4);
    EXPECT_EQ(best.suitPattern, 2);
    EXPECT_GT(ShippedHi(best, 0), 68.0);
    EXPECT_LT(ShippedHi(best, 0), 75.0);
    const HandClassRecord& bestHiLo = At(kStatPosHiLo, 0, 0);
    EXPECT_EQ(bestHiLo.cards[0].rank, 0);
    EXPECT_EQ(bestHiLo.cards[1].rank, 0);

    for (int k = 0; k < kClassCount; ++k) {
        const auto& s = s_base->m_classes[k].stats;
        for (int column = 0; column < kStatColumns; ++column) {
            ASSERT_EQ(s[column][10], 0);
            if (column != kStatPos && column != kStatPosHiLo) {
                ASSERT_EQ(s[column][kOutsideRankingRow], 0);
            }
        }
    }
}

}  // namespace
