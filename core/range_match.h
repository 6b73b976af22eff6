#pragma once
// Which starting hands a range item stands for: its four card positions
// matched against a hand's cards in any order, then its filters.

#include "core/bitarray.h"
#include "core/range_item.h"
#include "core/records.h"

#include <cstdint>
#include <string_view>

class COmahaBase;

// Positions of one nonzero group hold one suit, positions of different groups
// different suits; positions outside brackets are free. 1 or 0.
int CheckBracketSuits(int bracketedCount, const int groups[4], const int suits[4]);

class RangeItemMatcher {
public:
    explicit RangeItemMatcher(const COmahaHand& item);

    // The hand's cards fit the item's positions (ranks, suits, brackets).
    bool MatchesCards(const HandRecord& hand) const;
    // No position names a suit and none is bracketed: the ranks alone decide.
    bool RanksOnly() const { return m_ranksOnly; }
    // Whether PassesFilters needs to be asked at all.
    bool HasFilters() const { return m_hasFilters; }
    // Every filter holds for the hand and its class record. All stored filters
    // count; an empty piece ("AA**//np") stands for nothing and hides none after it.
    bool PassesFilters(const HandRecord& hand, const HandClassRecord& handClass) const;

private:
    std::uint64_t m_allowed[4] = {};  // bit rank * 4 + suit of each position
    int m_groups[4] = {};
    int m_bracketedCount = 0;
    bool m_ranksOnly = true;

    bool m_hasFilters = false;
    std::uint8_t m_rankPatterns = 0x1F;  // allowed rankPattern codes
    std::uint8_t m_suitPatterns = 0x1F;  // allowed suitPattern codes
    bool m_suitedAce = false;
    bool m_suitedNonAce = false;
    int m_rundown[3] = {};
    int m_rundownDigits = 0;
    int m_points[2] = {-1, -1};
    int m_straightShapes[2] = {-1, -1};
    int m_straightFlushShapes[2] = {-1, -1};
};

// The hands of one item text, through the base's selection as scratch.
void SelectRangeItem(CBitArray& out, COmahaBase& base, std::wstring_view itemText);
