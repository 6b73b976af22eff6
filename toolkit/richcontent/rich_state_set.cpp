#include "toolkit/richcontent/rich_state_set.h"

void RichUiStateSet::Clear() { m_bits = 0; }

bool RichUiStateSet::IsEmpty() const { return m_bits == 0; }

void RichUiStateSet::Assign(const RichUiStateSet& other) { *this = other; }

namespace {
// The entries of a set that are not zero, as both bits of each such entry.
std::uint32_t NonZeroMask(std::uint32_t bits) {
    const std::uint32_t any = (bits | (bits >> 1)) & 0x55555555u;
    return any | (any << 1);
}
}  // namespace

void RichUiStateSet::MergeNonZero(const RichUiStateSet& other) {
    const std::uint32_t mask = NonZeroMask(other.m_bits);
    m_bits = (m_bits & ~mask) | (other.m_bits & mask);
}

void RichUiStateSet::SetFlagged(const RichUiStateSet& flags, int value) {
    const std::uint32_t mask = NonZeroMask(flags.m_bits);
    m_bits = (m_bits & ~mask) | (Code(value) * 0x55555555u & mask);
}

void RichUiStateSet::SetDefaultCaps() {
    Clear();
    (*this)[RichUiState::Disabled] = RichUiState::On;
    (*this)[RichUiState::Hover] = RichUiState::On;
    (*this)[RichUiState::Pressed] = RichUiState::On;
}

namespace {
constexpr int kPseudoClasses[] = {RichUiState::Disabled, RichUiState::Active, RichUiState::Focus,
                                  RichUiState::Selected, RichUiState::Hover,  RichUiState::Pressed,
                                  RichUiState::Link,     RichUiState::Visited};
}

bool RichUiStateSet::MatchesStates(const RichUiStateSet& states) const {
    for (int i = RichUiState::After; i <= RichUiState::FirstLine; ++i)
        if ((*this)[i] != 0) return true;
    if ((*this)[RichUiState::Unused] != 0) return true;
    bool any = false;
    for (int i : kPseudoClasses) {
        if ((*this)[i] != RichUiState::On) continue;
        if (states[i] != RichUiState::On) return false;
        any = true;
    }
    return any;
}
