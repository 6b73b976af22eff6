// Evaluators: high hands, eight-or-better lows, Omaha Hi/Lo.
#include <algorithm>
#include <bit>

#include "pokereval/pokereval.h"
#include "pokereval/tables.h"

namespace pokereval {

using detail::kAllCards;
using detail::kRankBits;
using detail::Tables;
using detail::tables;

namespace {

inline std::uint32_t field(CardMask cards, int shift) {
  return static_cast<std::uint32_t>(cards >> shift) & kRankBits;
}

inline std::uint32_t rankMask(CardMask cards) {
  return static_cast<std::uint32_t>((cards | (cards >> 16) | (cards >> 32) | (cards >> 48)) & kRankBits);
}

// Rank (0..15) of the lowest card of a mask; a mask of zero gives 0 (countr_zero 64 & 15).
inline int lowestRank(CardMask cards) { return std::countr_zero(cards) & 15; }

// Straight-flush windows, best first: the five-rank masks ace-high down to the wheel.
constexpr std::uint32_t kWindows[10] = {0x1F00, 0x0F80, 0x07C0, 0x03E0, 0x01F0,
                                        0x00F8, 0x007C, 0x003E, 0x001F, 0x100F};

// The top three ranks of a mask of three to five ranks.
inline std::uint32_t top3(const Tables& t, std::uint32_t m) {
  m = t.nbits[m] > 3 ? m & (m - 1) : m;
  m = t.nbits[m] > 3 ? m & (m - 1) : m;
  return m;
}

// What a board contributes, computed once per board.
struct BoardInfo {
  int rowOffset;           // row of the board's ranks in hiRows
  int flushShift;          // 16 * field of the suit with three or more board cards, else 0
  std::uint32_t flushBoard;  // that suit's board ranks
  std::uint32_t flushTop3;   // their top three
  std::uint32_t lowBoard;    // board ranks ace..eight as a low mask
};

inline BoardInfo boardInfo(const Tables& t, CardMask board, int n) {
  BoardInfo bi;
  int r[5] = {0, 0, 0, 0, 0};
  CardMask m = board;
  for (int i = 0; i < n; ++i) {
    r[i] = lowestRank(m);
    m &= m - 1;
  }
  bi.rowOffset = detail::boardRowOffset(r, n);
  // The suit with three or more board cards (only one can have three on a board of up to five); without
  // one, field 0 with no ranks (flushTop3 = 0).
  bi.flushShift = 0;
  bi.flushBoard = 0;
  for (int shift = 0; shift < 64; shift += 16) {
    const std::uint32_t bs = field(board, shift);
    const bool three = t.nbits[bs] >= 3;
    bi.flushShift = three ? shift : bi.flushShift;
    bi.flushBoard = three ? bs : bi.flushBoard;
  }
  bi.flushTop3 = top3(t, bi.flushBoard);
  bi.lowBoard = detail::lowMaskOfRanks(rankMask(board));
  return bi;
}

// Best class of a hole against a board; flushes only when the board has three of a suit and the hole two.
inline int omahaHighClass(const Tables& t, const BoardInfo& bi, CardMask hole) {
  CardMask h = hole;
  const int r0 = lowestRank(h);
  h &= h - 1;
  const int r1 = lowestRank(h);
  h &= h - 1;
  const int r2 = lowestRank(h);
  h &= h - 1;
  const int r3 = lowestRank(h);
  const std::uint8_t* pi = t.pairIndex;
  const std::int16_t* row = t.hiRows + bi.rowOffset;
  const int m01 = std::max<int>(row[pi[r0 * 16 + r1]], row[pi[r2 * 16 + r3]]);
  const int m02 = std::max<int>(row[pi[r0 * 16 + r2]], row[pi[r1 * 16 + r3]]);
  const int m03 = std::max<int>(row[pi[r0 * 16 + r3]], row[pi[r1 * 16 + r2]]);
  int m = std::max(std::max(m01, m02), m03);
  // Flushes, only with three of a suit on the board (flushTop3 != 0) and two of it in the hole (top2 != 0):
  // the two best suited hole ranks with the three best suited board ranks make the best flush.
  if (bi.flushTop3 != 0) {
    const std::uint32_t hs = field(hole, bi.flushShift);
    const std::uint32_t hs2 = t.top2[hs];
    if (hs2 != 0) {
      int c = t.flushClass[hs2 | bi.flushTop3];
      if (t.straightVal[hs | bi.flushBoard] != 0) {
        // A straight flush needs a window of exactly three board ranks, the other two in the hole.
        for (std::uint32_t w : kWindows) {
          if (t.nbits[bi.flushBoard & w] == 3 && (w & ~bi.flushBoard & ~hs) == 0) {
            c = std::max<int>(c, t.flushClass[w]);
            break;
          }
        }
      }
      m = std::max(m, c);
    }
  }
  return m;
}

inline LowHandVal omahaLow(const Tables& t, std::uint32_t lowBoard, CardMask hole) {
  return t.low8Val[t.omahaLow[lowBoard][detail::lowMaskOfRanks(rankMask(hole))]];
}

}  // namespace

HandVal evalHigh(CardMask cards) {
  const Tables& t = tables();
  const std::uint32_t s = field(cards, 0), c = field(cards, 16), d = field(cards, 32), h = field(cards, 48);
  const std::uint32_t ranks = s | c | d | h;
  const std::uint32_t m2 = (s & c) | (d & h) | ((s | c) & (d | h));
  const std::uint32_t m3 = (s & c & (d | h)) | (d & h & (s | c));
  const std::uint32_t m4 = s & c & d & h;
  // flushVal is 0 for a suit with fewer than five cards.
  const HandVal f = std::max(std::max(t.flushVal[s], t.flushVal[c]), std::max(t.flushVal[d], t.flushVal[h]));
  if (f != 0) {
    // With seven cards or fewer no full house or quads can exist beside a flush; with more, compare.
    if (m3 == 0 || handType(f) == kStraightFlush) return f;
    return std::max(f, detail::nonFlushValue(t, ranks, m2, m3, m4));
  }
  return detail::nonFlushValue(t, ranks, m2, m3, m4);
}

LowHandVal evalLow8(CardMask cards) {
  const Tables& t = tables();
  return t.low8Val[detail::lowMaskOfRanks(rankMask(cards))];
}

int evalOmaha(CardMask hole, CardMask board, HandVal* hi, LowHandVal* lo) {
  if (((hole | board) & ~kAllCards) != 0 || (hole & board) != 0) return 1;
  if (numCards(hole) != 4) return 1;
  const int nb = numCards(board);
  if (nb < 3 || nb > 5) return 1;
  const Tables& t = tables();
  const BoardInfo bi = boardInfo(t, board, nb);
  if (hi != nullptr) *hi = t.classVal[omahaHighClass(t, bi, hole)];
  if (lo != nullptr) *lo = omahaLow(t, bi.lowBoard, hole);
  return 0;
}

// ---------------------------------------------------------------------------------------------------------
// OmahaBoard
// ---------------------------------------------------------------------------------------------------------

int OmahaBoard::prepare(CardMask board) {
  count_ = 0;
  board_ = 0;
  rowOffset_ = 0;
  row_ = nullptr;
  flushShift_ = 0;
  flushBoard_ = flushTop3_ = 0;
  lowBoard_ = 0;
  lowPossible_ = false;
  if ((board & ~kAllCards) != 0) return 1;
  const int n = numCards(board);
  if (n < 3 || n > 5) return 1;
  const Tables& t = tables();
  const BoardInfo bi = boardInfo(t, board, n);
  rowOffset_ = bi.rowOffset;
  row_ = t.hiRows + bi.rowOffset;
  flushShift_ = static_cast<std::int8_t>(bi.flushShift);
  flushBoard_ = static_cast<std::uint16_t>(bi.flushBoard);
  flushTop3_ = static_cast<std::uint16_t>(bi.flushTop3);
  lowBoard_ = static_cast<std::uint8_t>(bi.lowBoard);
  lowPossible_ = t.nbits[lowBoard_] >= 3;
  board_ = board;
  count_ = n;
  return 0;
}

// ---------------------------------------------------------------------------------------------------------
// OmahaBoardBase
// ---------------------------------------------------------------------------------------------------------

int OmahaBoardBase::prepareKnown(CardMask known, int boardCards) {
  *this = OmahaBoardBase();
  if ((known & ~kAllCards) != 0 || boardCards < 3 || boardCards > 5) return 1;
  const int n = numCards(known);
  if (n > boardCards) return 1;
  const Tables& t = tables();
  int r[5] = {0, 0, 0, 0, 0};
  CardMask m = known;
  for (int i = 0; i < n; ++i) {
    r[i] = lowestRank(m);
    m &= m - 1;
  }
  const int missing = boardCards - n;
  whole_ = missing > 2;
  if (!whole_) {
    // Rows of every completion; the entries a completion never reads (ranks of cards not there) are
    // filled all the same, which keeps any input inside the table.
    for (int a = 0; a < 16; ++a)
      for (int b = 0; b < 16; ++b) {
        int full[5] = {r[0], r[1], r[2], r[3], r[4]};
        if (missing >= 1) full[n] = a;
        if (missing == 2) full[n + 1] = b;
        rowOffset_[a * 16 + b] = detail::boardRowOffset(full, boardCards);
      }
  }
  for (int shift = 0; shift < 64; shift += 16) {
    if (t.nbits[field(known, shift)] >= 3) knownFlushShift_ = static_cast<std::int8_t>(shift);
  }
  knownLow_ = static_cast<std::uint8_t>(detail::lowMaskOfRanks(rankMask(known)));
  known_ = known;
  boardCards_ = boardCards;
  return 0;
}

void OmahaBoardBase::complete(CardMask added, OmahaBoard* out) const {
  if (whole_) {
    out->prepare(known_ | added);
    return;
  }
  const Tables& t = tables();
  const CardMask board = known_ | added;
  const int r0 = lowestRank(added);
  const CardMask second = added & (added - 1);
  const int r1 = lowestRank(second);
  const int rowOffset = rowOffset_[r0 * 16 + r1];
  // A suit with three or more cards on the board has them all among the known cards, or has an added
  // card; at most one suit can. A card that is not there gives the spades, which is just another suit.
  int flushShift = 0;
  std::uint32_t flushBoard = 0;
  const int shifts[3] = {knownFlushShift_, std::countr_zero(added) & 48, std::countr_zero(second) & 48};
  for (int shift : shifts) {
    const std::uint32_t bs = field(board, shift);
    const bool three = t.nbits[bs] >= 3;
    flushShift = three ? shift : flushShift;
    flushBoard = three ? bs : flushBoard;
  }
  out->board_ = board;
  out->count_ = boardCards_;
  out->rowOffset_ = rowOffset;
  out->row_ = t.hiRows + rowOffset;
  out->flushShift_ = static_cast<std::int8_t>(flushShift);
  out->flushBoard_ = static_cast<std::uint16_t>(flushBoard);
  out->flushTop3_ = static_cast<std::uint16_t>(top3(t, flushBoard));
  out->lowBoard_ = static_cast<std::uint8_t>(knownLow_ | detail::lowMaskOfRanks(rankMask(added)));
  out->lowPossible_ = t.nbits[out->lowBoard_] >= 3;
}

namespace {

inline BoardInfo infoOf(int rowOffset, int flushShift, std::uint32_t flushBoard, std::uint32_t flushTop3,
                        std::uint32_t lowBoard) {
  return BoardInfo{rowOffset, flushShift, flushBoard, flushTop3, lowBoard};
}

}  // namespace

HandVal OmahaBoard::evalHi(CardMask hole) const {
  const Tables& t = tables();
  return t.classVal[omahaHighClass(t, infoOf(rowOffset_, flushShift_, flushBoard_, flushTop3_, lowBoard_), hole)];
}

LowHandVal OmahaBoard::evalLo(CardMask hole) const {
  if (!lowPossible_) return kNoLow;
  return omahaLow(tables(), lowBoard_, hole);
}

void OmahaBoard::evalHiLo(CardMask hole, HandVal* hi, LowHandVal* lo) const {
  const Tables& t = tables();
  *hi = t.classVal[omahaHighClass(t, infoOf(rowOffset_, flushShift_, flushBoard_, flushTop3_, lowBoard_), hole)];
  *lo = lowPossible_ ? omahaLow(t, lowBoard_, hole) : kNoLow;
}

void OmahaBoard::evalHiAll(const CardMask* holes, int n, HandVal* out) const {
  const Tables& t = tables();
  const BoardInfo bi = infoOf(rowOffset_, flushShift_, flushBoard_, flushTop3_, lowBoard_);
  for (int i = 0; i < n; ++i) out[i] = t.classVal[omahaHighClass(t, bi, holes[i])];
}

void OmahaBoard::evalHiLoAll(const CardMask* holes, int n, HandVal* hi, LowHandVal* lo) const {
  const Tables& t = tables();
  const BoardInfo bi = infoOf(rowOffset_, flushShift_, flushBoard_, flushTop3_, lowBoard_);
  for (int i = 0; i < n; ++i) hi[i] = t.classVal[omahaHighClass(t, bi, holes[i])];
  if (!lowPossible_) {
    for (int i = 0; i < n; ++i) lo[i] = kNoLow;
    return;
  }
  for (int i = 0; i < n; ++i) lo[i] = omahaLow(t, lowBoard_, holes[i]);
}

int OmahaBoard::eval(CardMask hole, HandVal* hi, LowHandVal* lo) const {
  if (count_ == 0 || (hole & ~kAllCards) != 0 || (hole & board_) != 0 || numCards(hole) != 4) return 1;
  if (hi != nullptr) *hi = evalHi(hole);
  if (lo != nullptr) *lo = evalLo(hole);
  return 0;
}

}  // namespace pokereval
