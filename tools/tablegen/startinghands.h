#pragma once
// Builds both starting-hand tables from first principles: every four-card
// hand, grouped into classes by suit renaming.
//
// Class representative: the member whose cards, sorted by rank (ace first)
// and suit, bring in their suits in the order d, h, s, c; among several such
// members the smallest in that card order. Classes are numbered in the order
// of their representatives; hands are sorted by class, then by their cards,
// and every hand's cards are sorted the same way.

#include "core/handbase.h"

#include <ostream>

// Fills the tables of `base` (allocating them) and its hand ranges; stats stay 0.
void BuildStartingHandTables(COmahaBase& base);
// The representative of the class of these four cards.
void ClassRepresentative(const CardPair cards[4], CardPair representative[4]);
