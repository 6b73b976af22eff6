#include "toolkit/richcontent/rich_state_set.h"

void RichUiStateSet::Clear() {
    for (std::int8_t& v : m_values) v = RichUiState::Unset;
}

bool RichUiStateSet::IsEmpty() const {
    for (int v : m_values)
        if (v != RichUiState::Unset) return false;
    return true;
}

void RichUiStateSet::Assign(const RichUiStateSet& other) { *this = other; }

void RichUiStateSet::MergeNonZero(const RichUiStateSet& other) {
    for (int i = 0; i < RichUiState::Count; ++i)
        if (other.m_values[i] != 0) m_values[i] = other.m_values[i];
}

void RichUiStateSet::SetFlagged(const RichUiStateSet& flags, int value) {
    for (int i = 0; i < RichUiState::Count; ++i)
        if (flags.m_values[i] != 0) m_values[i] = static_cast<std::int8_t>(value);
}

void RichUiStateSet::SetDefaultCaps() {
    Clear();
    m_values[RichUiState::Disabled] = RichUiState::On;
    m_values[RichUiState::Hover] = RichUiState::On;
    m_values[RichUiState::Pressed] = RichUiState::On;
}

namespace {
constexpr int kPseudoClasses[] = {RichUiState::Disabled, RichUiState::Active, RichUiState::Focus,
                                  RichUiState::Selected, RichUiState::Hover,  RichUiState::Pressed,
                                  RichUiState::Link,     RichUiState::Visited};
}

bool RichUiStateSet::MatchesStates(const RichUiStateSet& states) const {
    for (int i = RichUiState::After; i <= RichUiState::FirstLine; ++i)
        if (m_values[i] != 0) return true;
    if (m_values[RichUiState::Unused] != 0) return true;
    bool any = false;
    for (int i : kPseudoClasses) {
        if (m_values[i] != RichUiState::On) continue;
        if (states.m_values[i] != RichUiState::On) return false;
        any = true;
    }
    return any;
}
