#pragma once
// The keyword filters of range items ("np", "ds", "sa", ...), shared by the item
// parser and the matcher.

#include <cstdint>
#include <string_view>

enum class FilterKind : std::uint8_t {
    RankPattern,  // passes when the class's rankPattern is in the mask
    SuitPattern,  // passes when the class's suitPattern is in the mask
    SuitedAce,    // an ace shares its suit with another card
    SuitedNonAce, // two cards that are not aces share a suit
};

struct FilterKeyword {
    const wchar_t* text;
    FilterKind kind;
    std::uint8_t patternMask;  // bit p allows pattern code p (RankPattern, SuitPattern)
};

// The keyword of this text, or null.
const FilterKeyword* FindFilterKeyword(std::wstring_view text);
