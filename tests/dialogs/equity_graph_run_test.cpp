// The equity graph's calculation without its window: every outcome of the next-card graph
// against exact enumeration with the evaluator, the three methods, the give-up rules, Stop,
// outcomes without a valid deal, and the random next street.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/omaha_app.h"
#include "dialogs/equity_graph_run.h"
#include "equity_graph_reference.h"
#include "gui_harness.h"

namespace {

COmahaVantornApp g_app;

struct Outcome {
  CardMask board;
  double equity;
  bool simulated;
};

// Records what the run tells its dialog; can ask for Stop after a number of progress reports.
struct Recorder : EquityGraphSink {
  int startedCurve = -1, planned = -1;
  int totals[3] = {-1, -1, -1};
  bool steps = false;
  int progressReports = 0;
  int stopAfter = -1;
  int publications = 0;
  std::vector<Outcome> outcomes;

  void StartCurve(int curve, int plannedOutcomes) override {
    startedCurve = curve;
    planned = plannedOutcomes;
  }
  bool ReportProgress(int, int) override { return stopAfter < 0 || ++progressReports <= stopAfter; }
  void Publish(int, const int*) override { ++publications; }
  void SetTotal(int curve, int total) override { totals[curve] = total; }
  void UseSteps() override { steps = true; }
  void OnOutcome(CardMask board, double equity, bool simulated) override {
    outcomes.push_back({board, equity, simulated});
  }
};

class EquityGraphRunTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const TableLoadResult loaded = g_app.m_handBase.LoadTables(gui::ExeFolder());
    ASSERT_TRUE(loaded.Loaded());
    g_app.SyncRangeSettings();
  }

  GraphRunEnd RunGraph(const std::vector<std::wstring>& ranges, const std::wstring& board, GraphMethod method,
                       int quality = 5, bool hiLo = false) {
    EXPECT_TRUE(run_.Prepare(ranges, board));
    return run_.Run(method, quality, hiLo);
  }

  Recorder sink_;
  EquityGraphRun run_{g_app.m_handBase, sink_};
};

TEST_F(EquityGraphRunTest, EveryNextCardAgreesWithExactEnumeration) {
  const struct Case {
    const wchar_t *hand1, *hand2, *board;
    bool hiLo;
    int quality;
  } cases[] = {
      {L"AsKsQdJd", L"9h9c8h7c", L"Ts9d2h3c", false, 5},  // turn: every river decides
      {L"As3sQdJd", L"9h9c8h6c", L"7s4d2h5c", true, 5},   // the same in Hi/Lo, lows split
      {L"AsKsQdJd", L"9h9c8h7c", L"Ts9d2h", false, 0},    // flop: each turn simulated over the river
      {L"As3sQdJd", L"9h9c8h6c", L"7s4d2h", true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(c.board) + (c.hiLo ? L" Hi/Lo" : L" Hi"));
    Recorder sink;
    EquityGraphRun run(g_app.m_handBase, sink);
    ASSERT_TRUE(run.Prepare({c.hand1, c.hand2}, c.board));
    ASSERT_EQ(run.Run(kMethodRangeVsRange, c.quality, c.hiLo), GraphRunEnd::kDone);

    const CardMask hand1 = ParseCardString(c.hand1), hand2 = ParseCardString(c.hand2);
    const CardMask board = ParseCardString(c.board);
    const int boardCards = pokereval::numCards(board);
    const int expectedOutcomes = 52 - boardCards - 8;
    const int trials = 2 * (c.quality == 0 ? 10000 : 500);
    ASSERT_EQ(static_cast<int>(sink.outcomes.size()), expectedOutcomes);
    int expectedHistogram[kGraphLevels] = {};
    std::set<CardMask> seen;
    for (const Outcome& o : sink.outcomes) {
      ASSERT_TRUE(o.simulated);
      ASSERT_EQ(o.board & board, board);
      ASSERT_EQ(pokereval::numCards(o.board), boardCards + 1);
      ASSERT_FALSE(o.board & (hand1 | hand2)) << "a card of an exact hand is no next card";
      seen.insert(o.board);
      const graphtest::Exact exact = graphtest::Enumerate(hand1, hand2, o.board, c.hiLo);
      EXPECT_NEAR(o.equity, exact.equity, graphtest::Tolerance(exact, trials))
          << pokereval::cardToString(pokereval::cardIndex(o.board & ~board));
      if (boardCards == 4) ++expectedHistogram[EquityGraphRun::Bucket(exact.equity)];
    }
    EXPECT_EQ(static_cast<int>(seen.size()), expectedOutcomes) << "every next card once";
    EXPECT_EQ(run.CountedOutcomes(), expectedOutcomes) << "an equity of 0 counts in the next-card graph";
    EXPECT_EQ(sink.totals[kCurveRangeVsRange], expectedOutcomes);
    EXPECT_EQ(sink.planned, expectedOutcomes);
    EXPECT_TRUE(sink.steps);
    if (boardCards == 4) {
      for (int k = 0; k < kGraphLevels; ++k) EXPECT_EQ(run.Histogram()[k], expectedHistogram[k]) << "bucket " << k;
    }
  }
}

TEST_F(EquityGraphRunTest, EveryPlayerRandomIsOneStepWithoutSimulation) {
  for (const wchar_t* board : {L"", L"Ah7c2d", L"Ah7c2d9s4h"}) {
    Recorder sink;
    EquityGraphRun run(g_app.m_handBase, sink);
    ASSERT_TRUE(run.Prepare({L"random", L"random", L"random"}, board));
    EXPECT_EQ(run.Run(kMethodRangeVsRange, 0, false), GraphRunEnd::kDone);
    EXPECT_TRUE(sink.outcomes.empty());
    EXPECT_EQ(run.Histogram()[33], 100) << "100 / 3 players";
    EXPECT_EQ(sink.totals[kCurveRangeVsRange], 100);
    EXPECT_TRUE(sink.steps);
  }
}

TEST_F(EquityGraphRunTest, NothingToSimulate) {
  // No player at all, and a range that selects no hand: nothing to deal, no division by zero.
  EXPECT_FALSE(run_.Prepare({L"", L""}, L"Ah7c2d"));
  EXPECT_EQ(run_.Run(kMethodRangeVsRange, 0, false), GraphRunEnd::kNoResults);
  EXPECT_FALSE(run_.Prepare({L"AsKsQdJd", L"AsAsAsAs"}, L""));

  const struct {
    std::vector<std::wstring> ranges;
    const wchar_t* board;
    GraphMethod method;
  } clashes[] = {
      {{L"AsKsQdJd", L"AsQhJh2c"}, L"", kMethodRangeVsRange},  // two exact hands share the ace
      {{L"AsKsQdJd", L"KK**", L"QdJhTh2c"}, L"Ad7c2s", kMethodHandVsHand},
      {{L"AsKsQdJd", L"9h9c8h7c"}, L"Ks7c2d", kMethodHandVsRange},  // an exact hand holds a board card
  };
  for (const auto& c : clashes) {
    Recorder sink;
    EquityGraphRun run(g_app.m_handBase, sink);
    ASSERT_TRUE(run.Prepare(c.ranges, c.board));
    EXPECT_EQ(run.Run(c.method, 0, false), GraphRunEnd::kNoResults);
    EXPECT_TRUE(sink.outcomes.empty()) << "refused before anything is simulated";
    EXPECT_EQ(sink.startedCurve, -1);
  }

  // A board of five cards has no next street: done, nothing computed.
  Recorder sink;
  EquityGraphRun river(g_app.m_handBase, sink);
  ASSERT_TRUE(river.Prepare({L"AA**", L"KK**"}, L"Ah7c2d9s4h"));
  EXPECT_EQ(river.Run(kMethodRangeVsRange, 0, false), GraphRunEnd::kDone);
  EXPECT_TRUE(sink.outcomes.empty());
}

TEST_F(EquityGraphRunTest, AnOutcomeWithoutValidDealIsLeftOutNotCountedAsZero) {
  // Every hand of player 2 holds the ace and king of hearts: with either as the turn card no
  // deal is valid.
  ASSERT_EQ(RunGraph({L"QsQdJcTc", L"AhKh**"}, L"2c3d4s", kMethodRangeVsRange), GraphRunEnd::kDone);
  const CardMask blocking = ParseCardString(L"AhKh");
  int failed = 0;
  for (const Outcome& o : sink_.outcomes) {
    EXPECT_EQ(!o.simulated, (o.board & blocking) != 0);
    failed += o.simulated ? 0 : 1;
  }
  EXPECT_EQ(failed, 2);
  EXPECT_EQ(run_.FailedOutcomes(), 2);
  const int boards = 52 - 3 - 4;
  EXPECT_EQ(static_cast<int>(sink_.outcomes.size()), boards);
  EXPECT_EQ(run_.CountedOutcomes(), boards - 2);
  EXPECT_EQ(sink_.totals[kCurveRangeVsRange], boards - 2) << "neither in the curve nor in its total";
}

TEST_F(EquityGraphRunTest, HandMethodsCountFiveHundredOutcomesOnTheNextStreet) {
  const struct {
    GraphMethod method;
    GraphCurve curve;
    const wchar_t* board;
  } cases[] = {
      {kMethodHandVsHand, kCurveHandVsHand, L"Ah7c2d"},
      {kMethodHandVsRange, kCurveHandVsRange, L"Ah7c2d"},
      {kMethodHandVsHand, kCurveHandVsHand, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.method) + " on \"" + CStringA(c.board).GetString() + "\"");
    Recorder sink;
    EquityGraphRun run(g_app.m_handBase, sink);
    // Player 2's range cannot be blocked by player 1's hand: every outcome can be dealt.
    ASSERT_TRUE(run.Prepare({L"KK**", L"random", L"AsKsQdJd"}, c.board));
    ASSERT_EQ(run.Run(c.method, 0, false), GraphRunEnd::kDone);
    EXPECT_EQ(sink.startedCurve, c.curve);
    EXPECT_EQ(run.CountedOutcomes(), 500);
    EXPECT_EQ(run.FailedOutcomes(), 0) << "the next street never takes a dealt card";
    EXPECT_EQ(sink.totals[c.curve], 500);
    const CardMask board = ParseCardString(c.board);
    const int next = board ? 4 : 3;
    const CardMask exact = ParseCardString(L"AsKsQdJd");
    for (const Outcome& o : sink.outcomes) {
      EXPECT_TRUE(o.simulated) << std::hex << o.board;
      ASSERT_EQ(pokereval::numCards(o.board), next);
      ASSERT_EQ(o.board & board, board);
      ASSERT_FALSE(o.board & exact);
    }
  }
}

TEST_F(EquityGraphRunTest, PlayerOneDrawingDeadEndsAfterNinetyNineAttempts) {
  // Player 2 holds the royal flush on the turn: player 1 never has half a percent.
  for (GraphMethod method : {kMethodHandVsHand, kMethodHandVsRange}) {
    Recorder sink;
    EquityGraphRun run(g_app.m_handBase, sink);
    ASSERT_TRUE(run.Prepare({L"2c2h4d5d", L"JsTs3c3h"}, L"AsKsQs2d"));
    EXPECT_EQ(run.Run(method, 0, false), GraphRunEnd::kNoResults);
    EXPECT_EQ(static_cast<int>(sink.outcomes.size()), 99);
    EXPECT_EQ(run.CountedOutcomes(), 0);
  }
}

TEST_F(EquityGraphRunTest, StopEndsTheRunAtTheNextProgressReport) {
  sink_.stopAfter = 3;
  EXPECT_EQ(RunGraph({L"AA**", L"KK**"}, L"", kMethodRangeVsRange, 0), GraphRunEnd::kStopped);
  EXPECT_EQ(sink_.planned, kGraphFlopCount);
  EXPECT_EQ(static_cast<int>(sink_.outcomes.size()), 3);
  EXPECT_EQ(sink_.totals[kCurveRangeVsRange], -1) << "the total planned at the start stays";
}

TEST_F(EquityGraphRunTest, RandomFlopsLeaveOutFlopsBelowHalfAPercent) {
  ASSERT_EQ(RunGraph({L"AsKsQdJd", L"random"}, L"", kMethodRangeVsRange, 5), GraphRunEnd::kDone);
  EXPECT_EQ(sink_.planned, 100);
  EXPECT_EQ(static_cast<int>(sink_.outcomes.size()), 100);
  const CardMask exact = ParseCardString(L"AsKsQdJd");
  int low = 0;
  for (const Outcome& o : sink_.outcomes) {
    ASSERT_EQ(pokereval::numCards(o.board), 3);
    ASSERT_FALSE(o.board & exact);
    low += EquityGraphRun::Bucket(o.equity) < 1 ? 1 : 0;
  }
  EXPECT_EQ(run_.CountedOutcomes(), 100 - low);
  EXPECT_EQ(sink_.totals[kCurveRangeVsRange], 100 - low);
}

TEST(EquityGraphBoard, DealRandomBoardCompletesWithoutExcludedCards) {
  const CardMask excluded = ParseCardString(L"AsKsQdJd");
  const struct {
    const wchar_t* board;
    int wanted, cards;
  } cases[] = {{L"", 3, 3}, {L"Ah7c2d", 4, 4}, {L"Ah7c2d9h", 5, 5}, {L"Ah7c2d9h", 6, 5}, {L"Ah7c2d", 2, 3}};
  for (const auto& c : cases) {
    const CardMask known = ParseCardString(c.board);
    for (int i = 0; i < 200; ++i) {
      const CardMask board = EquityGraphRun::DealRandomBoard(c.wanted, c.board, excluded);
      ASSERT_EQ(pokereval::numCards(board), c.cards) << c.board << " to " << c.wanted;
      ASSERT_EQ(board & known, known);
      ASSERT_FALSE(board & excluded);
    }
  }
}

TEST(EquityGraphBoard, BucketsRoundHalfUp) {
  EXPECT_EQ(EquityGraphRun::Bucket(0.0), 0);
  EXPECT_EQ(EquityGraphRun::Bucket(0.49), 0);
  EXPECT_EQ(EquityGraphRun::Bucket(0.5), 1);
  EXPECT_EQ(EquityGraphRun::Bucket(49.5), 50);
  EXPECT_EQ(EquityGraphRun::Bucket(100.0), 100);
  EXPECT_LT(EquityGraphRun::Bucket(std::nan("")), 0) << "no valid trial: no bucket";
}

}  // namespace
