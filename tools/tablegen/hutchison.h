#pragma once
// Hutchison point count for Omaha high starting hands.

#include "core/records.h"

// Points of four different cards: suited + pair + straight points, 0 to 27 in half points.
double HutchisonPoints(const CardPair cards[4]);

// The three parts, for checking the scheme.
struct HutchisonParts {
    double suited = 0;
    double pairs = 0;
    double straight = 0;
};
HutchisonParts HutchisonPointParts(const CardPair cards[4]);
