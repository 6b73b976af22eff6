#pragma once
// Straight and straight-flush shapes of a starting hand, counted with the evaluator.

#include "core/records.h"

// Of the 286 flops of three different ranks, those that give the hand a
// straight (two hole cards and the three flop cards).
int StraightShapes(const CardPair cards[4]);
// Of the flops of three cards of one suit (every suit), those that give the
// hand a straight flush.
int StraightFlushShapes(const CardPair cards[4]);
