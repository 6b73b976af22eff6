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
    // Two bits an entry, all in one word: every item and style record carries a set. A value
    // outside 0 to 2 is kept as 3: set, and not on.
    std::uint32_t m_bits = 0;

    // An entry to write through: `set[i] = value`.
    class Entry {
    public:
        Entry(std::uint32_t& bits, int index) : m_bits(bits), m_shift(2 * index) {}
        Entry& operator=(int value) {
            m_bits = (m_bits & ~(3u << m_shift)) | (Code(value) << m_shift);
            return *this;
        }
        Entry& operator=(const Entry& other) { return *this = static_cast<int>(other); }
        operator int() const { return static_cast<int>((m_bits >> m_shift) & 3u); }

    private:
        std::uint32_t& m_bits;
        int m_shift;
    };

    Entry operator[](int i) { return Entry(m_bits, i); }
    int operator[](int i) const { return static_cast<int>((m_bits >> (2 * i)) & 3u); }
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
        s[index] = value;
        return s;
    }

    // The two bits that hold a value.
    static std::uint32_t Code(int value) {
        return value >= RichUiState::Unset && value <= RichUiState::On ? static_cast<std::uint32_t>(value) : 3u;
    }
};
