#pragma once
// Cards picked by their rank among the free cards of a mask, with the
// processor's bit deposit instruction: the k-th free card is one instruction,
// so a deal needs no array of cards and no swaps. Only where the instruction
// is fast (it is microcoded, hundreds of cycles, on some processors); the
// engines otherwise keep their shuffled card arrays.

#include "core/equity.h"

#include <cstdint>

namespace equity_detail {

// True when the processor has a fast bit deposit and picking by rank is
// allowed (see AllowRankPick). Checked once.
bool RankPickIsFast();

// Tests turn picking by rank off to try the other way on the same machine.
void AllowRankPick(bool allowed);

// digit[i] < (cards of `free`) - i for i < 4 * sets + boardCards: the cards
// of rank digit[0] among `free`, then of rank digit[1] among those left, and
// so on; every four in turn make a set (sets[0 .. sets - 1]), the rest are
// returned together. Only when RankPickIsFast().
CardMask PickSetsByRank(const std::uint8_t* digit, int sets, int boardCards, CardMask free, CardMask* setsOut);

// The same for single cards: out[0 .. draws - 1].
void PickCardsByRank(const std::uint8_t* digit, int draws, CardMask free, CardMask* out);

}  // namespace equity_detail
