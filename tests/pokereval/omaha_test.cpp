// evalOmaha and OmahaBoard: hand-checked cases, invalid input, the prepared-board interface.
#include <gtest/gtest.h>

#include "pokereval/pokereval.h"
#include "reference.h"

using namespace pokereval;
using pereference::parse;

namespace {

struct Case {
  const char* what;
  const char* hole;
  const char* board;
  HandVal hi;
  LowHandVal lo;
};

const Case kCases[] = {
    {"wheel", "As2dKcKh", "3h4c5s9dTd", 0x04030000, 0x43210},
    {"steel wheel", "Ah2hKcKs", "3h4h5h9dTc", 0x08030000, 0x43210},
    {"four-flush board, one heart in the hand", "Th9s8c7d", "AhKhQhJh2c", 0x040B0000, kNoLow},
    {"four-flush board, no heart in the hand", "AsKd3c4d", "AhKhQhJh2c", 0x020CBA00, kNoLow},
    {"royal flush on the board", "2h3hKsKd", "AhKhQhJhTh", 0x050CBA10, kNoLow},
    {"trips on the board: hole pair makes the full house", "AsAdQhJh", "KsKdKc7h2d", 0x060BC000, kNoLow},
    {"quads on the board: only trips", "AsKsQdJd", "9c9d9h9s2c", 0x0307CB00, kNoLow},
    {"paired board: full house from the hole pair", "7c7sAhAd", "7d2c2sKhQh", 0x06050000, kNoLow},
    {"counterfeited low: the ace-deuce is not usable", "Ah2h7sKd", "2c3d4sJcQh", 0x0100CA90, 0x63210},
    {"no low possible", "As2s3s4s", "9dTdJsQhKc", 0x000CBA92, kNoLow},
    {"four suited hole cards, two suited on the board", "AsKsQsJs", "Ts9s8d2c3h", 0x040A0000, kNoLow},
    {"one hole card cannot make the royal flush", "AhKd7c2s", "QhJhTh3h4c", 0x040C0000, kNoLow},
    {"flop: straight and low", "As2s3d4d", "5h6c7s", 0x04050000, 0x65410},
    {"turn: flush beats trips", "KsKdQhJh", "KcAh2h9h", 0x050CA970, kNoLow},
    {"straight flush over trips, low with a pair in the hand", "9h8hAsAd", "7h6h5hAc2d", 0x08070000, 0x75410},
    {"straight flush below the board's top suited card", "9h8hQcQd", "7h6h5hKhAd", 0x08070000, kNoLow},
    {"straight flush from the hand's lower suited cards", "Ah6h5hKd", "4h3h2hQcJd", 0x08040000, 0x43210},
    {"three aces in the hand, one on the flop: trips, not quads", "AsAdAcKd", "Ah7c2d", 0x030C5000, kNoLow},
};

}  // namespace

TEST(PokerevalOmaha, HandCheckedCases) {
  for (const Case& c : kCases) {
    const CardMask hole = parse(c.hole), board = parse(c.board);
    ASSERT_EQ(numCards(hole), 4) << c.what;
    HandVal hi = 1;
    LowHandVal lo = 1;
    ASSERT_EQ(evalOmaha(hole, board, &hi, &lo), 0) << c.what;
    EXPECT_EQ(hi, c.hi) << c.what << ": hi " << std::hex << hi;
    EXPECT_EQ(lo, c.lo) << c.what << ": lo " << std::hex << lo;
    HandVal refHi;
    LowHandVal refLo;
    pereference::omaha(hole, board, &refHi, &refLo);
    EXPECT_EQ(refHi, c.hi) << c.what << " (reference)";
    EXPECT_EQ(refLo, c.lo) << c.what << " (reference)";

    OmahaBoard prepared;
    ASSERT_EQ(prepared.prepare(board), 0) << c.what;
    EXPECT_EQ(prepared.evalHi(hole), c.hi) << c.what;
    EXPECT_EQ(prepared.evalLo(hole), c.lo) << c.what;
    hi = lo = 1;
    prepared.evalHiLo(hole, &hi, &lo);
    EXPECT_EQ(hi, c.hi) << c.what;
    EXPECT_EQ(lo, c.lo) << c.what;
  }
}

TEST(PokerevalOmaha, EitherHalfMayBeSkipped) {
  const CardMask hole = parse("As2dKcKh"), board = parse("3h4c5s9dTd");
  HandVal hi = 7;
  LowHandVal lo = 7;
  EXPECT_EQ(evalOmaha(hole, board, &hi, nullptr), 0);
  EXPECT_EQ(hi, 0x04030000u);
  EXPECT_EQ(evalOmaha(hole, board, nullptr, &lo), 0);
  EXPECT_EQ(lo, 0x43210u);
  EXPECT_EQ(evalOmaha(hole, board, nullptr, nullptr), 0);
}

TEST(PokerevalOmaha, InvalidInputReturnsNonZeroAndWritesNothing) {
  const CardMask hole = parse("As2dKcKh"), board = parse("3h4c5s9dTd");
  const struct {
    const char* what;
    CardMask hole, board;
  } bad[] = {
      {"three hole cards", parse("As2dKc"), board},
      {"five hole cards", parse("As2dKcKhQh"), board},
      {"no hole cards", 0, board},
      {"two board cards", hole, parse("3h4c")},
      {"six board cards", hole, parse("3h4c5s9dTd8c")},
      {"no board", hole, 0},
      {"a card in both", hole, parse("3h4c5s9dAs")},
      {"padding bit in the hole", parse("As2dKc") | (CardMask{1} << 13), board},
      {"padding bit in the board", hole, parse("3h4c") | (CardMask{1} << 63)},
  };
  for (const auto& b : bad) {
    HandVal hi = 0xDEAD;
    LowHandVal lo = 0xBEEF;
    EXPECT_NE(evalOmaha(b.hole, b.board, &hi, &lo), 0) << b.what;
    EXPECT_NE(evalOmaha(b.hole, b.board, nullptr, nullptr), 0) << b.what;
    EXPECT_EQ(hi, 0xDEADu) << b.what;
    EXPECT_EQ(lo, 0xBEEFu) << b.what;

    OmahaBoard prepared;
    if (prepared.prepare(b.board) == 0) {
      EXPECT_NE(prepared.eval(b.hole, &hi, &lo), 0) << b.what;
      EXPECT_EQ(hi, 0xDEADu) << b.what;
      EXPECT_EQ(lo, 0xBEEFu) << b.what;
    } else {
      EXPECT_FALSE(prepared.prepared()) << b.what;
      prepared.prefetch();  // a hint, safe on a board that is not prepared
      EXPECT_NE(prepared.eval(hole, &hi, &lo), 0) << b.what;
    }
  }
}

TEST(PokerevalOmaha, PreparedBoard) {
  OmahaBoard b;
  EXPECT_FALSE(b.prepared());
  b.prefetch();
  HandVal hi = 3;
  LowHandVal lo = 3;
  EXPECT_NE(b.eval(parse("As2dKcKh"), &hi, &lo), 0);
  EXPECT_EQ(hi, 3u);

  ASSERT_EQ(b.prepare(parse("3h4c5s9dTd")), 0);
  EXPECT_TRUE(b.prepared());
  EXPECT_EQ(b.boardCards(), 5);
  EXPECT_EQ(b.board(), parse("3h4c5s9dTd"));
  EXPECT_TRUE(b.lowPossible());
  EXPECT_EQ(b.eval(parse("As2dKcKh"), &hi, &lo), 0);
  EXPECT_EQ(hi, 0x04030000u);
  EXPECT_EQ(lo, 0x43210u);

  // A copy is independent of the original.
  const OmahaBoard copy = b;
  ASSERT_EQ(b.prepare(parse("9dTdJsQhKc")), 0);
  EXPECT_FALSE(b.lowPossible());
  EXPECT_EQ(copy.evalHi(parse("As2dKcKh")), 0x04030000u);
  EXPECT_EQ(b.evalHi(parse("As2dKcKh")), 0x040C0000u);  // A K + Q J T

  // A failed prepare leaves the object unprepared.
  EXPECT_NE(b.prepare(parse("3h4c")), 0);
  EXPECT_FALSE(b.prepared());
  EXPECT_NE(b.eval(parse("As2dKcKh"), &hi, &lo), 0);
}

TEST(PokerevalOmaha, UncheckedPathIsMemorySafeOnBadInput) {
  // Garbage in, garbage out, but no out-of-range access (checked by the sanitizer builds).
  OmahaBoard b;
  (void)b.evalHi(0);
  (void)b.evalLo(~CardMask{0});
  ASSERT_EQ(b.prepare(parse("3h4h5h")), 0);
  for (CardMask m : {CardMask{0}, ~CardMask{0}, parse("3h"), parse("AhKh"), CardMask{0xE000E000E000E000ull}}) {
    (void)b.evalHi(m);
    (void)b.evalLo(m);
  }
}
