// The 14 tri-state pseudo-class entries of an item (and the UI capability set of a style):
// each entry is 0 (unset), 1 (off) or 2 (on).
#pragma once

#include <cstdint>

namespace RichUiState {
enum : int {
    After = 0,
    Before = 1,
    FirstChild = 2,
    FirstLetter = 3,
    FirstLine = 4,
    Disabled = 5,
    Active = 6,
    Focus = 7,
    Selected = 8,
    Hover = 9,
    Pressed = 10,
    Unused = 11,
    Link = 12,
    Visited = 13,
    Count = 14,
};
constexpr int Unset = 0;
constexpr int Off = 1;
constexpr int On = 2;
}  // namespace RichUiState

struct RichUiStateSet {
    // One byte an entry: every item and style record carries a set.
    std::int8_t m_values[RichUiState::Count] = {};

    std::int8_t& operator[](int i) { return m_values[i]; }
    int operator[](int i) const { return m_values[i]; }
    friend bool operator==(const RichUiStateSet&, const RichUiStateSet&) = default;

    void Clear();
    bool IsEmpty() const;
    void Assign(const RichUiStateSet& other);
    // Each non-zero entry of `other` replaces this set's entry.
    void MergeNonZero(const RichUiStateSet& other);
    // Each entry whose entry in `flags` is non-zero takes `value`.
    void SetFlagged(const RichUiStateSet& flags, int value);
    // Capabilities every element starts with: it can be disabled, hovered and pressed.
    void SetDefaultCaps();
    // Whether a selector's state set applies to an item in `states`: pseudo-element entries match
    // everything; otherwise every pseudo-class that is on here must be on in `states`, and at
    // least one must be.
    bool MatchesStates(const RichUiStateSet& states) const;

    static RichUiStateSet With(int index, int value = RichUiState::On) {
        RichUiStateSet s;
        s.m_values[index] = value;
        return s;
    }
};
