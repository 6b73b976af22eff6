#pragma once
// What the range language takes from the application's settings, and how its
// long listings report progress. Core reads no settings and shows no window
// itself: the application fills these in.

#include "core/range_item.h"

#include <string>

struct RangeSettings {
    // The word that selects every hand ("random", or its translation).
    std::wstring randomWord = kDefaultRandomWord;
    // Percentile items rank by the Hi/Lo positions when set, else by the Hi ones.
    bool useHiLo = false;
};

// Progress of the class and hand listings, shown from 500 items on. The
// application implements it with its progress dialog and message pump.
class ListingProgress {
public:
    virtual ~ListingProgress() = default;
    // Show the progress for positions 0..limit, at 0.
    virtual void Begin(int limit) = 0;
    // Show the position and its text ("40 % complete") and keep the window
    // alive; false when the user asked to stop (the request is then consumed).
    virtual bool Update(int position, const std::wstring& text) = 0;
    virtual void End() = 0;
};
