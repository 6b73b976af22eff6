#pragma once
// Shape of a four-card hand: rank and suit patterns, and the suit-free
// signature that two hands share exactly when a renaming of suits maps one
// onto the other (when they belong to one class).

#include "core/records.h"

#include <cstdint>

// 0 XXXX, 1 XXXY, 2 XXYY, 3 XXYZ, 4 XYZR; the cards must be valid.
int RankPatternOf(const CardPair cards[4]);
// 0 aaaa, 1 aaab, 2 aabb, 3 aabc, 4 abcd.
int SuitPatternOf(const CardPair cards[4]);
// The four per-suit rank sets, sorted; equal for the hands of one class.
std::uint64_t ClassSignature(const CardPair cards[4]);
// Number of distinct hands the suit renamings make of these cards: 1, 4, 6, 12 or 24.
int ClassSizeOf(const CardPair cards[4]);
// Four valid, pairwise different cards.
bool IsValidHand(const CardPair cards[4]);

// The cards of a hand record as pairs.
void CardsOf(const HandRecord& record, CardPair cards[4]);
