#include "dialogs/equity_graph_run.h"

#include <algorithm>
#include <cmath>

#include "core/handbase.h"
#include "core/platform_random.h"

namespace {

// The calculation's buffers: allocated once for the process, so a calculation allocates
// nothing large. Row i holds player i+1's hands in hand-table order.
CardMask g_graphRangeMasks[kMaxSeats][kHandCount];
int g_graphRangeCounts[kMaxSeats];
double g_graphEquities[kMaxSeats];
CardMask g_graphNextBoards[52];

constexpr int kHandOutcomes = 500;      // Hand vs. Hand and Hand vs. Range
constexpr int kHandTrials = 1000;
constexpr int kGiveUpAttempts = 99;     // attempts without a counted outcome
constexpr int kGiveUpFlops = 100;       // every-flop mode: flops without a counted outcome
constexpr int kMaxDealsPerOutcome = 1000;

// Random flops by quality 1..5: samples, trials per simulation, publishing period.
struct RandomFlopPlan {
  int samples, trials, period;
};
constexpr RandomFlopPlan kRandomFlopPlans[kGraphMaxQuality + 1] = {
    {0, 0, 1}, {1000, 1000, 20}, {600, 1000, 12}, {400, 900, 13}, {200, 700, 10}, {100, 500, 10}};
// Next-card graph: trials per player by quality 0..5.
constexpr int kNextCardTrials[kGraphMaxQuality + 1] = {10000, 5000, 3000, 2000, 1000, 500};

unsigned SecureRandomValue() {
  unsigned value = 0;
  PlatformRandS(&value);
  return value;
}

}  // namespace

EquityGraphRun::EquityGraphRun(COmahaBase& base, EquityGraphSink& sink) : m_base(base), m_sink(sink) {}

bool EquityGraphRun::Prepare(const std::vector<std::wstring>& rangeTexts, const std::wstring& boardText) {
  m_players = 0;
  for (const std::wstring& text : rangeTexts) {
    if (text.empty() || m_players == kMaxSeats) continue;
    // Player m_players + 1 goes to row m_players: rows count from 0.
    m_base.SelectRange(text);
    int count = 0;
    m_base.ExpandSelection(g_graphRangeMasks[m_players], &count);
    g_graphRangeCounts[m_players] = count;
    g_graphEquities[m_players] = 0.0;
    ++m_players;
    if (count < 1) return false;  // no hand to deal this player
  }
  m_boardText = boardText;
  m_boardCards = static_cast<int>(boardText.size() / 2);
  m_board = 0;
  ParseCardList(boardText, &m_board);
  std::fill(std::begin(m_histogram), std::end(m_histogram), 0);
  m_counted = m_failed = 0;
  return m_players > 0;
}

CardMask EquityGraphRun::DealRandomBoard(int wanted, const std::wstring& boardText, CardMask excluded) {
  CardMask board = 0;
  const int have = ParseCardList(boardText, &board);
  return CompleteBoard(have, std::min(wanted, 5), board, excluded);
}

int EquityGraphRun::Bucket(double equity) {
  if (std::isnan(equity)) return -1;
  return static_cast<int>(std::floor(equity + 0.5));
}

CardMask EquityGraphRun::ExactHandsMask(int firstPlayer) const {
  CardMask mask = 0;
  for (int k = firstPlayer; k < m_players; ++k)
    if (g_graphRangeCounts[k] == 1) mask |= g_graphRangeMasks[k][0];
  return mask;
}

bool EquityGraphRun::ExactHandsClash() const {
  CardMask seen = m_board;
  for (int k = 0; k < m_players; ++k) {
    if (g_graphRangeCounts[k] != 1) continue;
    if (g_graphRangeMasks[k][0] & seen) return true;
    seen |= g_graphRangeMasks[k][0];
  }
  return false;
}

bool EquityGraphRun::Simulate(CardMask board, int trials) {
  const int result = m_hiLo ? SimulateRangesHiLo(g_graphRangeMasks, g_graphRangeCounts, m_players, trials,
                                                 g_graphEquities, board)
                            : SimulateRangesHi(g_graphRangeMasks, g_graphRangeCounts, m_players, trials,
                                               g_graphEquities, board);
  const bool ok = result == kEquityDone;
  if (!ok) ++m_failed;
  m_sink.OnOutcome(board, g_graphEquities[0], ok);
  return ok;
}

bool EquityGraphRun::SimulateHands(const CardMask* hands, CardMask board, int trials) {
  const int result = m_hiLo ? SimulateHandsHiLo(nullptr, nullptr, hands, m_players, g_graphEquities, trials, board)
                            : SimulateHandsHi(nullptr, nullptr, hands, m_players, g_graphEquities, trials, board);
  const bool ok = result == kEquityDone;
  if (!ok) ++m_failed;
  m_sink.OnOutcome(board, g_graphEquities[0], ok);
  return ok;
}

bool EquityGraphRun::Record(int lowest) {
  const int e = Bucket(g_graphEquities[0]);
  if (e < lowest || e > 100) return false;
  ++m_histogram[e];
  ++m_counted;
  return true;
}

GraphRunEnd EquityGraphRun::Run(GraphMethod method, int quality, bool hiLo) {
  m_hiLo = hiLo;
  quality = std::clamp(quality, 0, kGraphMaxQuality);
  if (m_players < 1 || ExactHandsClash()) return GraphRunEnd::kNoResults;
  switch (method) {
    case kMethodRangeVsRange: return RangeVsRange(quality);
    case kMethodHandVsHand: return HandVsHand();
    case kMethodHandVsRange: return HandVsRange();
  }
  return GraphRunEnd::kNoResults;
}

GraphRunEnd EquityGraphRun::RangeVsRange(int quality) {
  bool everyoneRandom = true;
  for (int k = 0; k < m_players; ++k) everyoneRandom = everyoneRandom && g_graphRangeCounts[k] == kHandCount;
  if (everyoneRandom) {
    // Every player holds any hand: each has the same share, on any board.
    m_histogram[100 / m_players] = 100;
    m_counted = 100;
    Publish(kCurveRangeVsRange);
    m_sink.SetTotal(kCurveRangeVsRange, 100);
    m_sink.UseSteps();
    return GraphRunEnd::kDone;
  }
  if (m_boardCards == 0) return quality == 0 ? EveryFlop() : RandomFlops(quality);
  if (m_boardCards == 3 || m_boardCards == 4) return NextCard(quality);
  return GraphRunEnd::kDone;  // no next street to draw from this board
}

GraphRunEnd EquityGraphRun::EveryFlop() {
  m_sink.StartCurve(kCurveRangeVsRange, kGraphFlopCount);
  const CardMask exact = ExactHandsMask(0);
  const int trials = m_players * 1000;
  int n = 0;
  for (int a = 0; a < 52; ++a) {
    for (int b = a + 1; b < 52; ++b) {
      for (int c = b + 1; c < 52; ++c) {
        const CardMask flop = pokereval::cardMask(a) | pokereval::cardMask(b) | pokereval::cardMask(c);
        if (flop & exact) continue;
        ++n;
        if (n > kGiveUpFlops && m_counted == 0) return GraphRunEnd::kNoResults;
        if (!m_sink.ReportProgress(n, n * 100 / kGraphFlopCount)) return GraphRunEnd::kStopped;
        if (Simulate(flop, trials) && Record(1) && n % 10 == 0) Publish(kCurveRangeVsRange);
      }
    }
  }
  m_sink.SetTotal(kCurveRangeVsRange, m_counted);
  Publish(kCurveRangeVsRange);
  return GraphRunEnd::kDone;
}

GraphRunEnd EquityGraphRun::RandomFlops(int quality) {
  const RandomFlopPlan plan = kRandomFlopPlans[quality];
  m_sink.StartCurve(kCurveRangeVsRange, plan.samples);
  const CardMask exact = ExactHandsMask(0);
  for (int s = 1; s <= plan.samples; ++s) {
    if (s > std::min(plan.samples, kGiveUpAttempts) && m_counted == 0) return GraphRunEnd::kNoResults;
    const CardMask flop = DealRandomBoard(3, m_boardText, exact);
    if (!Simulate(flop, plan.trials) || !Record(1)) continue;
    if (!m_sink.ReportProgress(s, s * 100 / plan.samples)) return GraphRunEnd::kStopped;
    if (s % plan.period == 0) Publish(kCurveRangeVsRange);
  }
  m_sink.SetTotal(kCurveRangeVsRange, m_counted);
  Publish(kCurveRangeVsRange);
  return GraphRunEnd::kDone;
}

GraphRunEnd EquityGraphRun::NextCard(int quality) {
  const CardMask taken = m_board | ExactHandsMask(0);
  int boards = 0;
  for (int i = 0; i < 52; ++i) {
    const CardMask card = pokereval::cardMask(i);
    if (!(card & taken)) g_graphNextBoards[boards++] = m_board | card;
  }
  m_sink.UseSteps();
  m_sink.StartCurve(kCurveRangeVsRange, boards);
  if (boards == 0) return GraphRunEnd::kNoResults;
  const int trials = m_players * kNextCardTrials[quality];
  const int period = std::max(1, boards / 20);
  for (int i = 0; i < boards; ++i) {
    if (!m_sink.ReportProgress(i, i * 100 / boards)) return GraphRunEnd::kStopped;
    // An equity below half a percent counts here, in bucket 0; a board without any valid
    // deal does not.
    if (Simulate(g_graphNextBoards[i], trials) && Record(0) && i % period == 0) Publish(kCurveRangeVsRange);
  }
  m_sink.SetTotal(kCurveRangeVsRange, m_counted);
  Publish(kCurveRangeVsRange);
  return GraphRunEnd::kDone;
}

GraphRunEnd EquityGraphRun::HandVsHand() {
  m_sink.StartCurve(kCurveHandVsHand, kHandOutcomes);
  const int nextStreet = m_boardCards == 0 ? 3 : m_boardCards + 1;
  for (int attempt = 1; m_counted < kHandOutcomes; ++attempt) {
    if (attempt > kGiveUpAttempts && m_counted == 0) return GraphRunEnd::kNoResults;
    CardMask hands[kMaxSeats] = {};
    CardMask used = 0;
    for (int deals = 1;; ++deals) {
      used = m_board;
      bool good = true;
      for (int k = 0; k < m_players && good; ++k) {
        hands[k] = g_graphRangeMasks[k][SecureRandomValue() % static_cast<unsigned>(g_graphRangeCounts[k])];
        good = !(hands[k] & used);
        used |= hands[k];
      }
      if (good) break;
      if (deals >= kMaxDealsPerOutcome) return GraphRunEnd::kNoResults;
    }
    // The next street comes from the cards nobody holds, so every deal can be valued.
    const CardMask board = DealRandomBoard(nextStreet, m_boardText, used);
    const bool counted = SimulateHands(hands, board, kHandTrials) && Record(1);
    // Progress after every attempt keeps Stop working while outcomes are being dropped.
    if (!m_sink.ReportProgress(m_counted, m_counted * 100 / kHandOutcomes)) return GraphRunEnd::kStopped;
    if (counted && m_counted % 10 == 0) Publish(kCurveHandVsHand);
  }
  Publish(kCurveHandVsHand);
  m_sink.SetTotal(kCurveHandVsHand, kHandOutcomes);
  return GraphRunEnd::kDone;
}

GraphRunEnd EquityGraphRun::HandVsRange() {
  const CardMask exact = ExactHandsMask(1);
  // Player 1's row is narrowed to the drawn hand for each outcome and put back afterwards.
  const CardMask firstHand = g_graphRangeMasks[0][0];
  const int firstCount = g_graphRangeCounts[0];
  struct Restore {
    CardMask hand;
    int count;
    ~Restore() {
      g_graphRangeMasks[0][0] = hand;
      g_graphRangeCounts[0] = count;
    }
  } restore{firstHand, firstCount};

  m_sink.StartCurve(kCurveHandVsRange, kHandOutcomes);
  const int nextStreet = m_boardCards == 0 ? 3 : m_boardCards + 1;
  for (int attempt = 1; m_counted < kHandOutcomes; ++attempt) {
    if (attempt > kGiveUpAttempts && m_counted == 0) return GraphRunEnd::kNoResults;
    g_graphRangeMasks[0][0] = firstHand;
    g_graphRangeCounts[0] = firstCount;
    CardMask hand = 0;
    for (int draws = 1;; ++draws) {
      hand = g_graphRangeMasks[0][SecureRandomValue() % static_cast<unsigned>(firstCount)];
      if (!(hand & (exact | m_board))) break;
      if (draws >= kMaxDealsPerOutcome) return GraphRunEnd::kNoResults;
    }
    g_graphRangeMasks[0][0] = hand;
    g_graphRangeCounts[0] = 1;
    const CardMask board = DealRandomBoard(nextStreet, m_boardText, hand | exact);
    const bool counted = Simulate(board, kHandTrials) && Record(1);
    if (!m_sink.ReportProgress(m_counted, m_counted * 100 / kHandOutcomes)) return GraphRunEnd::kStopped;
    if (counted && m_counted % 10 == 0) Publish(kCurveHandVsRange);
  }
  Publish(kCurveHandVsRange);
  m_sink.SetTotal(kCurveHandVsRange, m_counted);
  return GraphRunEnd::kDone;
}
