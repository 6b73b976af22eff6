// One calculation of the equity graph: player 1's equity over the outcomes of the next street
// (flops, turn or river cards, or random deals), counted per whole percent. The run owns the
// working buffers and the fixed-count simulations; its sink (the dialog) shows progress, can
// stop it and draws the running sums.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/cards.h"
#include "core/equity.h"

class COmahaBase;

// The curves of the chart, in the order of its totals.
enum GraphCurve { kCurveRangeVsRange = 0, kCurveHandVsHand = 1, kCurveHandVsRange = 2 };
// The methods as the settings store them.
enum GraphMethod { kMethodRangeVsRange = 0, kMethodHandVsRange = 1, kMethodHandVsHand = 2 };

inline constexpr int kGraphLevels = 101;
inline constexpr int kGraphFlopCount = 22100;
inline constexpr int kGraphMaxQuality = 5;

enum class GraphRunEnd {
  kDone,       // the method ran to its end
  kStopped,    // Stop was pressed
  kNoResults,  // nothing to simulate: the no-results message
};

class EquityGraphSink {
 public:
  virtual ~EquityGraphSink() = default;
  // A method starts: its curve is cleared and shown alone, drawn thin, over planned outcomes.
  virtual void StartCurve(int curve, int planned) = 0;
  // Progress position (of the planned outcomes) and whole percent; false ends the run.
  virtual bool ReportProgress(int position, int percent) = 0;
  // The outcomes counted so far per equity bucket.
  virtual void Publish(int curve, const int histogram[kGraphLevels]) = 0;
  // The number the curve's counts are divided by.
  virtual void SetTotal(int curve, int total) = 0;
  // The Range vs. Range curve as steps from now on.
  virtual void UseSteps() = 0;
  // Every simulated outcome: the board it was valued on, player 1's equity in percent, and
  // whether the simulation found a valid deal.
  virtual void OnOutcome(CardMask /*board*/, double /*equity*/, bool /*simulated*/) {}
};

class EquityGraphRun {
 public:
  EquityGraphRun(COmahaBase& base, EquityGraphSink& sink);

  // Expands the players' ranges (the non-empty texts, player 1 first) and reads the board (card
  // texts without separators). False when there is no player or a range holds no hand: there
  // is nothing to simulate then.
  bool Prepare(const std::vector<std::wstring>& rangeTexts, const std::wstring& boardText);

  // Runs one method at quality 0 (best) to 5 (fastest) in Omaha Hi or Hi/Lo.
  GraphRunEnd Run(GraphMethod method, int quality, bool hiLo);

  // Outcomes whose simulation found no valid deal: left out of the curve and its total.
  int FailedOutcomes() const { return m_failed; }
  int CountedOutcomes() const { return m_counted; }
  const int* Histogram() const { return m_histogram; }
  int PlayerCount() const { return m_players; }
  int BoardCardCount() const { return m_boardCards; }

  // Completes the board text's cards with random cards (rand() modulo 52) up to wanted cards
  // (at most five), never taking an excluded card or one already on the board.
  static CardMask DealRandomBoard(int wanted, const std::wstring& boardText, CardMask excluded);
  // The bucket of an equity in percent: rounded half up to a whole percent.
  static int Bucket(double equity);

 private:
  // Two players' exact hands sharing a card, or one with the board: nothing can be dealt.
  bool ExactHandsClash() const;
  CardMask ExactHandsMask(int firstPlayer) const;
  bool Simulate(CardMask board, int trials);
  bool SimulateHands(const CardMask* hands, CardMask board, int trials);
  // Counts player 1's equity when its bucket lies in lowest..100; true when it counted.
  bool Record(int lowest);
  void Publish(int curve) { m_sink.Publish(curve, m_histogram); }

  GraphRunEnd RangeVsRange(int quality);
  GraphRunEnd EveryFlop();
  GraphRunEnd RandomFlops(int quality);
  GraphRunEnd NextCard(int quality);
  GraphRunEnd HandVsHand();
  GraphRunEnd HandVsRange();

  COmahaBase& m_base;
  EquityGraphSink& m_sink;
  int m_players = 0;
  std::wstring m_boardText;
  CardMask m_board = 0;
  int m_boardCards = 0;
  bool m_hiLo = false;
  int m_histogram[kGraphLevels] = {};
  int m_counted = 0;
  int m_failed = 0;
};
