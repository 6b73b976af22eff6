#include "core/range_match.h"

#include "core/handbase.h"
#include "core/range_filter.h"

#include <vector>

namespace {

// The 24 ways of giving the four cards to the four positions: position p takes card order[n][p].
struct CardOrders {
    int order[24][4];
    constexpr CardOrders() : order() {
        int n = 0;
        for (int a = 0; a < 4; ++a)
            for (int b = 0; b < 4; ++b)
                for (int c = 0; c < 4; ++c)
                    for (int d = 0; d < 4; ++d) {
                        if (a == b || a == c || a == d || b == c || b == d || c == d) continue;
                        order[n][0] = a;
                        order[n][1] = b;
                        order[n][2] = c;
                        order[n][3] = d;
                        ++n;
                    }
    }
};
constexpr CardOrders kCardOrders;

// For every 4 x 4 table of which cards fit which positions (bit 4p + i: card i
// fits position p), whether each position can get a card of its own.
class PerfectAssignments {
public:
    PerfectAssignments() : m_exists(1u << 16) {
        for (unsigned fits = 0; fits < (1u << 16); ++fits) {
            for (const auto& order : kCardOrders.order) {
                bool all = true;
                for (int p = 0; p < 4; ++p) all = all && ((fits >> (4 * p + order[p])) & 1);
                if (all) {
                    m_exists[fits] = true;
                    break;
                }
            }
        }
    }
    bool operator[](unsigned fits) const { return m_exists[fits]; }

private:
    std::vector<bool> m_exists;
};

const PerfectAssignments& Assignments() {
    static const PerfectAssignments table;
    return table;
}

int SuitCode(const std::wstring& suitText) {
    if (suitText.empty()) return -1;
    switch (suitText[0]) {
        case L'd': case L'D': return 0;
        case L'h': case L'H': return 1;
        case L's': case L'S': return 2;
        case L'c': case L'C': return 3;
        default: return -1;
    }
}

bool InRange(double value, const int range[2]) { return range[0] <= value && value <= range[1]; }
bool Active(const int range[2]) { return range[0] >= 0 && range[1] >= 0; }

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

int CheckBracketSuits(int bracketedCount, const int groups[4], const int suits[4]) {
    if (bracketedCount == 0) return 1;
    for (int i = 0; i < 4; ++i) {
        if (groups[i] == 0) continue;
        for (int j = i + 1; j < 4; ++j) {
            if (groups[j] == 0) continue;
            if ((groups[i] == groups[j]) != (suits[i] == suits[j])) return 0;
        }
    }
    return 1;
}

RangeItemMatcher::RangeItemMatcher(const COmahaHand& item) {
    for (int p = 0; p < 4; ++p) {
        const int suit = SuitCode(item.m_suitTexts[p]);
        for (int r = 0; r < kRankCount; ++r) {
            if (!item.m_rankSets[p][r]) continue;
            for (int s = 0; s < 4; ++s) {
                if (suit < 0 || suit == s) m_allowed[p] |= std::uint64_t{1} << (r * 4 + s);
            }
        }
        m_groups[p] = item.m_groups[p];
        if (m_groups[p] != 0) ++m_bracketedCount;
        if (suit >= 0) m_ranksOnly = false;
    }
    if (m_bracketedCount != 0) m_ranksOnly = false;

    // Every stored filter applies; empty pieces ("AA**//np") stand for nothing.
    for (int i = 0; i < item.m_filterCount && i < kMaxItemFilters; ++i) {
        const std::wstring& text = item.m_filters[i];
        if (text.empty()) continue;
        if (const FilterKeyword* keyword = FindFilterKeyword(text)) {
            switch (keyword->kind) {
                case FilterKind::RankPattern: m_rankPatterns &= keyword->patternMask; break;
                case FilterKind::SuitPattern: m_suitPatterns &= keyword->patternMask; break;
                case FilterKind::SuitedAce: m_suitedAce = true; break;
                case FilterKind::SuitedNonAce: m_suitedNonAce = true; break;
            }
            m_hasFilters = true;
        } else if (text[0] == L'r' && text.size() >= 2 && text.size() <= 4) {
            bool digits = true;
            for (size_t k = 1; k < text.size(); ++k) digits = digits && IsDigit(text[k]);
            if (!digits) continue;
            m_rundownDigits = static_cast<int>(text.size()) - 1;  // a later one replaces an earlier
            for (int k = 0; k < m_rundownDigits; ++k) m_rundown[k] = text[static_cast<size_t>(k) + 1] - L'0';
            m_hasFilters = true;
        }
    }
    for (int k = 0; k < 2; ++k) {
        m_points[k] = item.m_pointsRange[k];
        m_straightShapes[k] = item.m_straightShapeRange[k];
        m_straightFlushShapes[k] = item.m_straightFlushShapeRange[k];
    }
    if (Active(m_points) || Active(m_straightShapes) || Active(m_straightFlushShapes)) m_hasFilters = true;
}

bool RangeItemMatcher::MatchesCards(const HandRecord& hand) const {
    int codes[4];
    for (int i = 0; i < 4; ++i) {
        const int rank = hand.ranks[i];
        const int suit = hand.suits[i];
        if (rank < 0 || rank >= kRankCount || suit < 0 || suit > 3) return false;
        codes[i] = rank * 4 + suit;
    }
    // fits[p]: the cards that position p accepts.
    unsigned fits[4];
    unsigned all = 0;
    for (int p = 0; p < 4; ++p) {
        fits[p] = 0;
        for (int i = 0; i < 4; ++i) {
            if ((m_allowed[p] >> codes[i]) & 1) fits[p] |= 1u << i;
        }
        if (fits[p] == 0) return false;
        all |= fits[p];
    }
    if (all != 0xF) return false;
    if (m_bracketedCount == 0) return Assignments()[fits[0] | fits[1] << 4 | fits[2] << 8 | fits[3] << 12];
    for (const auto& order : kCardOrders.order) {
        if (!((fits[0] >> order[0]) & (fits[1] >> order[1]) & (fits[2] >> order[2]) & (fits[3] >> order[3]) & 1))
            continue;
        const int suits[4] = {hand.suits[order[0]], hand.suits[order[1]], hand.suits[order[2]],
                              hand.suits[order[3]]};
        if (CheckBracketSuits(m_bracketedCount, m_groups, suits)) return true;
    }
    return false;
}

bool RangeItemMatcher::PassesFilters(const HandRecord& hand, const HandClassRecord& handClass) const {
    if (m_rankPatterns != 0x1F) {
        const int code = handClass.rankPattern;
        if (code < 0 || code > 4 || !((m_rankPatterns >> code) & 1)) return false;
    }
    if (m_suitPatterns != 0x1F) {
        const int code = handClass.suitPattern;
        if (code < 0 || code > 4 || !((m_suitPatterns >> code) & 1)) return false;
    }
    if (m_suitedAce || m_suitedNonAce) {
        bool suitedAce = false;
        bool suitedNonAce = false;
        for (int i = 0; i < 4; ++i) {
            for (int j = i + 1; j < 4; ++j) {
                if (hand.suits[i] != hand.suits[j]) continue;
                if (hand.ranks[i] == 0 || hand.ranks[j] == 0) suitedAce = true;
                if (hand.ranks[i] != 0 && hand.ranks[j] != 0) suitedNonAce = true;
            }
        }
        if (m_suitedAce && !suitedAce) return false;
        if (m_suitedNonAce && !suitedNonAce) return false;
    }
    if (m_rundownDigits > 0) {
        // Gaps between neighbouring cards in stored order: 1 for touching ranks.
        const int gap[3] = {hand.ranks[1] - hand.ranks[0], hand.ranks[2] - hand.ranks[1],
                            hand.ranks[3] - hand.ranks[2]};
        bool passes = false;
        for (int start = 0; start + m_rundownDigits <= 3 && !passes; ++start) {
            bool run = true;
            for (int k = 0; k < m_rundownDigits; ++k) run = run && gap[start + k] == m_rundown[k] + 1;
            passes = run;
        }
        if (!passes) return false;
    }
    if (Active(m_points) && !InRange(handClass.points, m_points)) return false;
    if (Active(m_straightShapes) && !InRange(handClass.straightShapes, m_straightShapes)) return false;
    if (Active(m_straightFlushShapes) && !InRange(handClass.straightFlushShapes, m_straightFlushShapes))
        return false;
    return true;
}

void COmahaBase::ApplyRangeItem(std::wstring_view itemText) {
    ApplyRangeItem(COmahaHand(itemText, m_rangeSettings.randomWord));
}

void COmahaBase::ApplyRangeItem(const COmahaHand& item) {
    if (!item.m_valid || !m_hands) return;
    const RangeItemMatcher matcher(item);
    std::vector<std::uint8_t> found((kHandCount + 7) / 8, 0);

    auto take = [&](int i) {
        const HandRecord& hand = m_hands[i];
        const int classIndex = hand.classIndex;
        const bool knownClass = classIndex >= 0 && classIndex < kClassCount && m_classes;
        if (matcher.HasFilters() && (!knownClass || !matcher.PassesFilters(hand, m_classes[classIndex]))) return;
        found[static_cast<size_t>(i) / 8] |= static_cast<std::uint8_t>(1u << (i % 8));
        if (knownClass) m_classFlags.m_flags[classIndex] = 1;
    };

    if (item.m_isPercentile) {
        SelectPercentile(item.m_percentLow, item.m_percentHigh, item.m_order, m_rangeSettings.useHiLo);
        for (int i = 0; i < kHandCount; ++i) {
            if (!m_selection.TestBit(i)) continue;
            m_selection.ClearBit(i);
            take(i);
        }
    } else if (matcher.RanksOnly()) {
        // Without suits or brackets only the ranks decide: each rank sequence is matched once.
        std::vector<std::int8_t> known(1u << 16, -1);
        for (int i = 0; i < kHandCount; ++i) {
            const HandRecord& hand = m_hands[i];
            unsigned key = 0;
            bool valid = true;
            for (int k = 0; k < 4; ++k) {
                valid = valid && hand.ranks[k] >= 0 && hand.ranks[k] < kRankCount && hand.suits[k] >= 0 &&
                        hand.suits[k] <= 3;
                key |= static_cast<unsigned>(hand.ranks[k] & 0xF) << (4 * k);
            }
            if (!valid) continue;
            std::int8_t& matches = known[key];
            if (matches < 0) matches = matcher.MatchesCards(hand) ? 1 : 0;
            if (matches) take(i);
        }
    } else {
        for (int i = 0; i < kHandCount; ++i) {
            if (matcher.MatchesCards(m_hands[i])) take(i);
        }
    }
    CBitArray matched;
    matched.Assign(static_cast<int>(found.size()), found.data());
    m_selection.OrWith(matched);
}

void SelectRangeItem(CBitArray& out, COmahaBase& base, std::wstring_view itemText) {
    base.m_selection.Clear();
    base.ApplyRangeItem(itemText);
    out.Clear();
    CBitArray::Union(out, base.m_selection, base.m_selection);
}
