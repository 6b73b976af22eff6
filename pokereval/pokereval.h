// Poker evaluation library: card masks, card texts, high-hand evaluator, eight-or-better low evaluator,
// Omaha Hi/Lo evaluator. The project-wide interface: keep names, types and encodings stable.
// Portable C++20, no platform header. All functions are thread-safe; the lookup tables are built once,
// on first use, behind a thread-safe static.
#pragma once

#include <cstdint>
#include <string>

namespace pokereval {

// ---------------------------------------------------------------------------------------------------------
// Cards and card masks
// ---------------------------------------------------------------------------------------------------------

// Standard-deck layout: four 16-bit suit fields, spades lowest (bits 0-12), then clubs (16-28),
// diamonds (32-44), hearts (48-60); bit r of a field = rank r counted from the deuce (deuce 0 ... ace 12).
// Bits 13-15 of every field are never cards.
using CardMask = std::uint64_t;

// Deck index 0..51 = rank (deuce 0 ... ace 12) + 13 * suit (hearts 0, diamonds 1, clubs 2, spades 3).
// One-bit mask of a deck index; 0 for an index outside 0..51.
CardMask cardMask(int index);
// Deck index of a one-card mask; -1 unless the mask holds exactly one card.
int cardIndex(CardMask single);

// Reads a card text: rank letter of "23456789TJQKA", then suit letter of "hdcs", both case-insensitive.
// Returns 2 and stores the deck index on success; returns 0 and stores nothing otherwise (also for a
// null text). A null index pointer is allowed (the text is only checked).
int cardFromString(const char* text, int* index);
// "Ah", "Td", ...: rank letter upper case, suit letter lower case; "??" for an index outside 0..51.
std::string cardToString(int index);
// Number of set bits of the mask.
int numCards(CardMask cards);

// ---------------------------------------------------------------------------------------------------------
// High hands
// ---------------------------------------------------------------------------------------------------------

// Hand type << 24, then five 4-bit rank fields (bits 16-19, 12-15, 8-11, 4-7, 0-3) of the significant
// cards in order (rank counted from the deuce, deuce 0 ... ace 12), unused fields 0. Straights and straight
// flushes carry only the top card (the wheel's is the five). Higher is better; equal means a tie.
using HandVal = std::uint32_t;

enum HandType : int {
  kNoPair = 0,
  kOnePair = 1,
  kTwoPair = 2,
  kTrips = 3,
  kStraight = 4,
  kFlush = 5,
  kFullHouse = 6,
  kQuads = 7,
  kStraightFlush = 8,
};

constexpr int handType(HandVal value) { return static_cast<int>(value >> 24); }
// Rank field i (0 = bits 16-19 ... 4 = bits 0-3).
constexpr int handRankField(HandVal value, int i) { return static_cast<int>((value >> (16 - 4 * i)) & 0xF); }

// Best five-card high hand of 5 to 7 cards. (Exact for any number of cards: fewer than five give the
// value of what is there; bits 13-15 of the suit fields are ignored.)
HandVal evalHigh(CardMask cards);

// ---------------------------------------------------------------------------------------------------------
// Eight-or-better low
// ---------------------------------------------------------------------------------------------------------

// Ace-to-five: ranks rotated (ace 0, deuce 1 ... eight 7), the five cards highest first in the fields of
// HandVal, type 0. Lower is better; equal means a tie.
using LowHandVal = std::uint32_t;
constexpr LowHandVal kNoLow = 0x080C0001;

// Best eight-or-better low of 5 to 9 cards (any count works); kNoLow when fewer than five distinct ranks
// of eight or below. Straights and flushes are ignored.
LowHandVal evalLow8(CardMask cards);

// ---------------------------------------------------------------------------------------------------------
// Omaha
// ---------------------------------------------------------------------------------------------------------

// Best high hand and best eight-or-better low made of exactly two of the four hole cards and exactly three
// of the 3 to 5 board cards. A null pointer skips that half (*lo = kNoLow when there is no low).
// Returns 0; returns non-zero and writes nothing when hole does not hold exactly four cards, board does
// not hold 3 to 5, the masks share a card, or a mask has a bit outside the 52 cards.
int evalOmaha(CardMask hole, CardMask board, HandVal* hi, LowHandVal* lo);

// A board prepared once for evaluating many hands against it (the engines' up to ten seats). Results are
// identical to evalOmaha. The object is a plain value: copyable, no allocation, no reference to the board.
class OmahaBoardBase;

class OmahaBoard {
 public:
  OmahaBoard() = default;
  // Same board, prepared the same way (a board prepared from its known cards, see OmahaBoardBase, equals
  // the board prepared whole).
  friend bool operator==(const OmahaBoard&, const OmahaBoard&) = default;

  // Prepares a board of 3 to 5 cards. Returns 0, or non-zero for an invalid board (wrong count, a bit
  // outside the 52 cards); the object is then not prepared.
  int prepare(CardMask board);
  bool prepared() const { return count_ != 0; }
  CardMask board() const { return board_; }
  int boardCards() const { return count_; }
  // True when some hand can make an eight-or-better low on this board (three distinct ranks of eight or
  // below on the board).
  bool lowPossible() const { return lowPossible_; }

  // Checked evaluation, the same contract as evalOmaha (non-zero and nothing written for a hole that is
  // not four cards, shares a card with the board, or when the object is not prepared).
  int eval(CardMask hole, HandVal* hi, LowHandVal* lo) const;

  // Unchecked fast paths. Precondition: prepared, hole is four cards, disjoint from the board. Other
  // input gives an unspecified value (never undefined behaviour).
  HandVal evalHi(CardMask hole) const;
  LowHandVal evalLo(CardMask hole) const;
  void evalHiLo(CardMask hole, HandVal* hi, LowHandVal* lo) const;
  // Every hole of holes[0..n-1] in one call (the same preconditions): out[i] as evalHi, or hi[i] and
  // lo[i] as evalHiLo (kNoLow for all when no low is possible).
  void evalHiAll(const CardMask* holes, int n, HandVal* out) const;
  void evalHiLoAll(const CardMask* holes, int n, HandVal* hi, LowHandVal* lo) const;
  // Asks the processor to fetch the board's part of the lookup tables into its cache, so that
  // evaluations made a little later find it there. A hint only: results never change.
  void prefetch() const {
    if (row_ == nullptr) return;
    const char* row = static_cast<const char*>(row_);
    __builtin_prefetch(row);
    __builtin_prefetch(row + 64);
    __builtin_prefetch(row + 128);
  }

 private:
  friend class OmahaBoardBase;

  CardMask board_ = 0;
  int count_ = 0;
  int rowOffset_ = 0;                // the board's row in the library's rank table
  const void* row_ = nullptr;        // where that row is (the tables live as long as the program)
  std::uint16_t flushBoard_ = 0;     // ranks of the suit with three or more board cards
  std::uint16_t flushTop3_ = 0;      // its top three
  std::int8_t flushShift_ = 0;       // 16 * field of that suit (0 when none)
  std::uint8_t lowBoard_ = 0;        // board ranks ace..eight (ace bit 0)
  bool lowPossible_ = false;
};

// The known cards of boards that many deals complete with random cards (a flop or turn known, the rest
// dealt): what the known cards contribute is worked out once, so that completing a board costs a few
// table reads instead of a whole prepare. complete(added) gives exactly the OmahaBoard that
// prepare(known | added) gives.
class OmahaBoardBase {
 public:
  OmahaBoardBase() = default;

  // Prepares known cards (0 to boardCards of them) for boards of boardCards = 3 to 5 cards. Returns 0, or
  // non-zero for invalid input (a bit outside the 52 cards, a wrong count); the object is then not prepared.
  int prepareKnown(CardMask known, int boardCards);
  bool prepared() const { return boardCards_ != 0; }
  CardMask known() const { return known_; }
  int boardCards() const { return boardCards_; }

  // The board of the known cards and `added`. Unchecked fast path; precondition: prepared, added disjoint
  // from the known cards and holding the missing boardCards() - numCards(known()) cards. Other input gives
  // an unspecified board (never undefined behaviour); an object not prepared gives out->prepare(added).
  // Cheapest when at most two cards are missing (otherwise the board is prepared whole).
  void complete(CardMask added, OmahaBoard* out) const;

 private:
  CardMask known_ = 0;
  int boardCards_ = 0;
  bool whole_ = true;                // more than two cards missing: complete() prepares the whole board
  std::int8_t knownFlushShift_ = 0;  // 16 * field of a suit with three or more known cards (0 when none)
  std::uint8_t knownLow_ = 0;        // known ranks ace..eight (ace bit 0)
  // Row offset of the completed board by the ranks of the first and second added card (lowest deck bit
  // first; 0 for a card that is not there). Indexed [r0 * 16 + r1] so that any rank 0..15 stays inside.
  std::int32_t rowOffset_[16 * 16] = {};
};

}  // namespace pokereval
