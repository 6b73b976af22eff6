// OmahaBoardBase: a board completed from its prepared known cards equals the board prepared whole, for
// every known board of a size (a fixed sample of them in sanitizer and Windows builds) with every completion.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "pokereval/pokereval.h"

using namespace pokereval;

namespace {

#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__) && !defined(_WIN32)
constexpr bool kEveryBoard = true;
#else
constexpr bool kEveryBoard = false;
#endif

CardMask parse(const std::string& text) {
  CardMask m = 0;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    int index = -1;
    if (cardFromString(text.c_str() + i, &index) != 2) ADD_FAILURE() << "bad card text " << text;
    m |= cardMask(index);
  }
  return m;
}

// Every set of k cards out of the cards of `from`, in a fixed order.
std::vector<CardMask> subsets(CardMask from, int k) {
  std::vector<int> cards;
  for (int i = 0; i < 52; ++i)
    if ((from & cardMask(i)) != 0) cards.push_back(i);
  std::vector<CardMask> out;
  std::function<void(int, int, CardMask)> walk = [&](int start, int left, CardMask m) {
    if (left == 0) {
      out.push_back(m);
      return;
    }
    for (int i = start; i + left <= static_cast<int>(cards.size()); ++i) walk(i + 1, left - 1, m | cardMask(cards[i]));
  };
  walk(0, k, 0);
  return out;
}

constexpr CardMask kDeck = 0x1FFF1FFF1FFF1FFFull;

struct Case {
  int known;       // known cards
  int boardCards;  // cards of the completed board
  int step;        // every step-th known board when not checking every one
  int nativeStep;  // ... and when checking every one (all but the five-card boards)
};

// Known boards of each size completed in every way: two cards missing (the flop dealt out), one (a turn or
// a river), none, and the boards with more than two missing that complete() prepares whole.
constexpr Case kCases[] = {
    {3, 5, 97, 1}, {4, 5, 997, 1}, {3, 4, 1, 1}, {4, 4, 1, 1}, {3, 3, 1, 1},  {5, 5, 9973, 97},
    {2, 4, 1, 1},  {2, 3, 1, 1},   {1, 3, 1, 1}, {0, 3, 1, 1}, {2, 5, 13, 1}, {0, 5, 1, 1},
};

TEST(PokerevalBoardBase, CompletedBoardEqualsBoardPreparedWhole) {
  for (const Case& c : kCases) {
    const int missing = c.boardCards - c.known;
    const std::vector<CardMask> knownBoards = subsets(kDeck, c.known);
    const std::size_t step = static_cast<std::size_t>(kEveryBoard ? c.nativeStep : c.step);
    std::uint64_t checked = 0;
    int failures = 0;
    OmahaBoardBase base;
    OmahaBoard completed, whole;
    for (std::size_t k = 0; k < knownBoards.size() && failures < 5; k += step) {
      const CardMask known = knownBoards[k];
      ASSERT_EQ(base.prepareKnown(known, c.boardCards), 0);
      ASSERT_EQ(base.known(), known);
      ASSERT_EQ(base.boardCards(), c.boardCards);
      // Three or more missing cards: a sample of completions (the whole-board path).
      std::vector<CardMask> adds = subsets(kDeck & ~known, missing);
      const std::size_t addStep = missing > 2 ? 101 : 1;
      for (std::size_t a = 0; a < adds.size(); a += addStep) {
        base.complete(adds[a], &completed);
        ASSERT_EQ(whole.prepare(known | adds[a]), 0);
        ++checked;
        if (!(completed == whole)) {
          std::ostringstream s;
          s << std::hex << "known " << known << " added " << adds[a] << " (" << c.known << " of "
            << c.boardCards << ")";
          ADD_FAILURE() << s.str();
          ++failures;
        }
      }
    }
    EXPECT_GT(checked, 0u) << c.known << " of " << c.boardCards;
  }
}

// The evaluations of a completed board agree with evalOmaha on the whole board, on hands that make
// flushes, straight flushes and lows from the added cards (equality of the prepared boards covers the rest).
TEST(PokerevalBoardBase, CompletedBoardEvaluates) {
  struct Row {
    const char* known;
    const char* added;
    const char* hole;
  };
  const Row rows[] = {
      {"3h4c", "5s9dTd", "As2dKcKh"},  // wheel, and the nut low
      {"9dTd", "JsQhKc", "As2dKsKh"},  // broadway; no low
      {"9hTh2c", "Jh3s", "QhKhAdAs"},  // straight flush with the third heart added
      {"2h3h8s", "4h", "AhKh8c8d"},    // flush or trips
      {"2h3h4h5h", "", "AhKh8c8d"},    // nothing added
      {"2c3c", "4h5hKh", "AhQh8c8d"},  // flush of added cards only
  };
  for (const Row& r : rows) {
    const CardMask known = parse(r.known), added = parse(r.added), hole = parse(r.hole);
    OmahaBoardBase base;
    ASSERT_EQ(base.prepareKnown(known, numCards(known | added)), 0) << r.known;
    OmahaBoard b;
    base.complete(added, &b);
    EXPECT_TRUE(b.prepared()) << r.known << r.added;
    EXPECT_EQ(b.board(), known | added);
    HandVal hi = 0, refHi = 1;
    LowHandVal lo = 0, refLo = 1;
    ASSERT_EQ(evalOmaha(hole, known | added, &refHi, &refLo), 0) << r.known << r.added;
    EXPECT_EQ(b.eval(hole, &hi, &lo), 0);
    EXPECT_EQ(hi, refHi) << r.known << r.added;
    EXPECT_EQ(lo, refLo) << r.known << r.added;
  }
}

TEST(PokerevalBoardBase, InvalidInputLeavesItUnprepared) {
  struct Row {
    CardMask known;
    int boardCards;
    const char* what;
  };
  const Row rows[] = {
      {parse("2h3h4h5h"), 3, "more known cards than the board holds"},
      {parse("2h"), 2, "a board of two cards"},
      {parse("2h"), 6, "a board of six cards"},
      {CardMask{1} << 13, 5, "a bit outside the cards"},
      {parse("2h3h4h5h6h7h"), 5, "six known cards"},
  };
  for (const Row& r : rows) {
    OmahaBoardBase base;
    ASSERT_EQ(base.prepareKnown(parse("2c3c4c"), 5), 0);
    EXPECT_NE(base.prepareKnown(r.known, r.boardCards), 0) << r.what;
    EXPECT_FALSE(base.prepared()) << r.what;
    EXPECT_EQ(base.known(), 0u) << r.what;
    // Not prepared: completing prepares the added cards alone.
    OmahaBoard b, whole;
    base.complete(parse("AsKsQs"), &b);
    whole.prepare(parse("AsKsQs"));
    EXPECT_TRUE(b == whole) << r.what;
    base.complete(parse("As"), &b);
    EXPECT_FALSE(b.prepared()) << r.what;
  }
}

TEST(PokerevalBoardBase, UncheckedCompleteIsMemorySafeOnBadInput) {
  // Garbage in, garbage out, but no out-of-range access (checked by the sanitizer builds).
  OmahaBoardBase base;
  ASSERT_EQ(base.prepareKnown(parse("2h3h4h"), 5), 0);
  OmahaBoard b;
  for (CardMask m : {CardMask{0}, ~CardMask{0}, parse("2h"), parse("AhKhQhJh"), CardMask{0xE000E000E000E000ull}}) {
    base.complete(m, &b);
    (void)b.evalHi(parse("AsKsQsJs"));
    (void)b.evalLo(parse("AsKsQsJs"));
  }
}

}  // namespace
