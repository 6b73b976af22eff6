// Finding classes by their cards, naming patterns, and listing the selection as text.
#include "core/cardtext.h"
#include "core/handbase.h"
#include "core/range_item.h"

#include <algorithm>
#include <bit>
#include <utility>
#include <vector>

namespace {

// One bit per card (rank index * 4 + suit index); 0 when a card is out of range.
std::uint64_t PairMask(const CardPair cards[4]) {
    std::uint64_t mask = 0;
    for (int i = 0; i < 4; ++i) {
        if (cards[i].rank < 0 || cards[i].rank > 12 || cards[i].suit < 0 || cards[i].suit > 3) return 0;
        mask |= std::uint64_t{1} << (cards[i].rank * 4 + cards[i].suit);
    }
    return mask;
}

// The four cards of a valid hand text, or false.
bool ReadHandText(std::wstring_view text, CardPair cards[4]) {
    if (!IsValidHandText(text)) return false;
    for (int i = 0; i < 4; ++i) {
        int rank = -1;
        int suit = -1;
        ParseCardText(text.substr(static_cast<size_t>(i) * 2, 2), &rank, &suit);
        cards[i] = {rank, suit};
    }
    return true;
}

std::wstring ProgressText(long long done, int limit) {
    return std::to_wstring(done * 100 / limit) + L" % complete";
}

constexpr int kProgressFrom = 500;

}  // namespace

int COmahaBase::FindClassIndexOfCards(const CardPair cards[4]) const {
    const std::uint64_t wanted = PairMask(cards);
    if (!m_hands || std::popcount(wanted) != 4) return -1;  // a card named twice is no hand
    for (int i = 0; i < kHandCount; ++i) {
        CardPair record[4];
        for (int k = 0; k < 4; ++k) record[k] = {m_hands[i].ranks[k], m_hands[i].suits[k]};
        if (PairMask(record) == wanted) return m_hands[i].classIndex;
    }
    return -1;
}

const HandClassRecord* COmahaBase::FindClassRecord(std::wstring_view handText) const {
    CardPair cards[4];
    if (!ReadHandText(handText, cards) || !m_classes) return nullptr;
    const int index = FindClassIndexOfCards(cards);
    return index >= 0 && index < kClassCount ? &m_classes[index] : nullptr;
}

int COmahaBase::FindClassIndexByText(std::wstring_view handText) const {
    CardPair cards[4];
    if (!ReadHandText(handText, cards) || !m_classes) return -1;
    auto byRankThenSuit = [](const CardPair& a, const CardPair& b) {
        return a.rank != b.rank ? a.rank < b.rank : a.suit < b.suit;
    };
    std::sort(cards, cards + 4, byRankThenSuit);
    const int count = std::min<int>(m_classCount, kClassCount);
    for (int c = 0; c < count; ++c) {
        if (std::equal(cards, cards + 4, m_classes[c].cards)) return c;
    }
    return -1;
}

std::wstring COmahaBase::GetRankPatternName(int code) {
    static const wchar_t* const kNames[] = {L"XXXX", L"XXXY", L"XXYY", L"XXYZ", L"XYZR", L"****"};
    return code >= 0 && code <= 5 ? kNames[code] : L"";
}

std::wstring COmahaBase::GetSuitPatternName(int code) {
    static const wchar_t* const kNames[] = {L"aaaa", L"aaab", L"aabb", L"aabc", L"abcd", L"****"};
    return code >= 0 && code <= 5 ? kNames[code] : L"";
}

std::wstring COmahaBase::GetSingleHand(int index, int keepSuits) const {
    if (index < 0 || index >= m_classCount || index >= kClassCount || !m_classes)
        return L"COmahaBase::GetSingleHand (" + std::to_wstring(index) + L"): invalid Index\n";
    std::wstring text = FormatHandClassText(m_classes[index].cards, 1, 0);
    if (!keepSuits) {
        // d, h, s, c become a, b, c, d; the order of the replacements matters.
        const std::pair<wchar_t, wchar_t> steps[] = {{L'd', L'a'}, {L'h', L'b'}, {L'c', L'd'}, {L's', L'c'}};
        for (const auto& [from, to] : steps) std::replace(text.begin(), text.end(), from, to);
    }
    return text;
}

void COmahaBase::ListSelectedClasses(std::wstring& out, int patternForm, int limit, int row, int hiLo,
                                     ListingProgress* progress) const {
    if (limit < 1) limit = kClassCount;
    ListingProgress* shown = limit >= kProgressFrom ? progress : nullptr;
    if (shown) shown->Begin(limit);
    out.clear();

    std::vector<std::pair<int, int>> entries;  // class index, sort key
    if (m_classes) {
        const bool ranked = row >= 0 && row < kStatRows;
        const int column = hiLo ? kStatPosHiLo : kStatPos;
        for (int k = 0; k < kClassCount; ++k) {
            if (m_classFlags.m_flags[k]) entries.emplace_back(k, ranked ? m_classes[k].stats[column][row] : 0);
        }
        if (ranked) {
            std::stable_sort(entries.begin(), entries.end(),
                             [](const auto& a, const auto& b) { return a.second < b.second; });
        }
    }
    const int n = std::min<int>(static_cast<int>(entries.size()), limit);
    for (int j = 0; j < n; ++j) {
        if (!out.empty()) out += L", ";
        out += FormatHandClassText(m_classes[entries[static_cast<size_t>(j)].first].cards, 0, patternForm);
        if (shown && !shown->Update(j, ProgressText(j, limit))) break;
    }
    if (shown) shown->End();
}

void COmahaBase::ListSelectedHands(std::wstring& out, int limit, int images, std::wstring_view modulePath,
                                   ListingProgress* progress) const {
    if (limit < 1) limit = kHandCount;
    ListingProgress* shown = limit >= kProgressFrom ? progress : nullptr;
    if (shown) shown->Begin(limit);
    out.clear();
    int count = 0;
    for (int i = 0; m_hands && i < kHandCount && count < limit; ++i) {
        if (!m_selection.TestBit(i)) continue;
        if (!out.empty()) out += L", ";
        out += FormatHandRecordText(m_hands[i], images, modulePath);
        ++count;
        if (shown && !shown->Update(count, ProgressText(count, limit))) break;
    }
    if (shown) shown->End();
}
