#include "core/classify_flop.h"

#include "core/classify_cards.h"

#include <algorithm>

using namespace flop_detail;

namespace {

// The five cards of one combination, by rank.
struct Combination {
    int rankCount[13] = {};
    bool sameSuit = false;
    bool straight = false;

    int Largest() const { return *std::max_element(std::begin(rankCount), std::end(rankCount)); }
    bool HasPair() const
    {
        return std::count(std::begin(rankCount), std::end(rankCount), 2) > 0;
    }
    bool FullHouse() const { return Largest() == 3 && HasPair(); }
    bool ExactlyTrips() const { return Largest() == 3 && !HasPair(); }
};

Combination Combine(const Card& a, const Card& b, const Card flop[3])
{
    Combination c;
    const Card five[5] = {a, b, flop[0], flop[1], flop[2]};
    int ranks[5];
    c.sameSuit = true;
    for (int i = 0; i < 5; ++i) {
        ++c.rankCount[five[i].rank];
        ranks[i] = five[i].rank;
        c.sameSuit = c.sameSuit && five[i].suit == five[0].suit;
    }
    c.straight = StraightTop(ranks) >= 0;
    return c;
}

// Looks at the hand through the board's ranks. A lower rank index is a higher rank.
class Classifier {
public:
    explicit Classifier(const HandOnFlop& h) : m_h(h)
    {
        for (const Card& c : h.hole)
            ++m_holeCount[c.rank];
        for (const auto& pair : kHolePairs)
            m_combos[&pair - kHolePairs] = Combine(h.hole[pair[0]], h.hole[pair[1]], h.flop);
        int r[3] = {h.flop[0].rank, h.flop[1].rank, h.flop[2].rank};
        std::sort(r, r + 3);
        m_top = r[0];
        m_middle = r[1];
        m_bottom = r[2];
        m_tripsBoard = r[0] == r[2];
        m_pairedBoard = !m_tripsBoard && (r[0] == r[1] || r[1] == r[2]);
        if (m_pairedBoard) {
            m_x = r[1];  // the paired rank is always the middle one
            m_y = r[0] == r[1] ? r[2] : r[0];
        }
    }

    const wchar_t* Describe() const
    {
        const wchar_t* (Classifier::*groups[])() const = {
            &Classifier::Quads, &Classifier::FullHouse, &Classifier::Flush, &Classifier::Straight,
            &Classifier::ThreeOfAKind, &Classifier::TwoPair, &Classifier::OnePair};
        for (auto group : groups) {
            if (const wchar_t* text = (this->*group)())
                return text;
        }
        return nullptr;
    }

private:
    bool Holds(int rank) const { return m_holeCount[rank] > 0; }
    bool PocketPair(int rank) const { return m_holeCount[rank] >= 2; }
    bool OnFlop(int rank) const { return rank == m_top || rank == m_middle || rank == m_bottom; }
    template <class Test>
    bool AnyPocketPair(Test test) const
    {
        for (int r = 0; r < 13; ++r) {
            if (PocketPair(r) && test(r))
                return true;
        }
        return false;
    }

    // Within a group every text whose condition holds is assigned in turn, so
    // the last one assigned is the group's answer.
    const wchar_t* Quads() const
    {
        const wchar_t* text = nullptr;
        for (const Combination& c : m_combos) {
            if (c.straight && c.sameSuit)
                text = L"Straight Flush";
        }
        for (const Combination& c : m_combos) {
            if (c.Largest() >= 4)
                text = L"Four of a Kind";
        }
        return text;
    }

    const wchar_t* FullHouse() const
    {
        const wchar_t* text = nullptr;
        if (m_tripsBoard && AnyPocketPair([](int) { return true; }))
            text = L"Full House (Pocket Pair with Trips on Board)";
        if (m_pairedBoard) {
            const bool a = Holds(m_x) && Holds(m_y);
            const bool b = PocketPair(m_y);
            if (b)
                text = L"Full House (Pocket Pair without Trips on Board)";
            const bool over = (a && m_x < m_y) || (b && m_y < m_x);
            if (over)
                text = L"(Over-) Full House";
            if (!over && a && m_x > m_y)
                text = L"(Under-) Full House";
        }
        return text;
    }

    const wchar_t* Flush() const
    {
        switch (HandFlush(m_h.hole, m_h.flop)) {
        case FlushKind::Nut:
            return L"Flush (Nut)";
        case FlushKind::NoNut:
            return L"Flush (No Nut)";
        default:
            return nullptr;
        }
    }

    const wchar_t* Straight() const
    {
        const int top = HandStraightTop(m_h.hole, m_h.flop);
        if (top < 0)
            return nullptr;
        const int nut = BestPossibleStraight(m_h.flop[0].rank, m_h.flop[1].rank, m_h.flop[2].rank);
        return top == nut ? L"Straight (Nut)" : L"Straight (No Nut)";
    }

    const wchar_t* ThreeOfAKind() const
    {
        const wchar_t* text = nullptr;
        if (!m_tripsBoard && !m_pairedBoard) {
            const bool top = PocketPair(m_top);
            const bool middle = PocketPair(m_middle);
            if (top)
                text = L"Top-Set";
            if (middle && !top)
                text = L"Middle-Set";
            // Only the best set names the hand: a top set beside a bottom set is a top set.
            if (PocketPair(m_bottom) && !middle && !top)
                text = L"Bottom-Set";
        }
        for (const auto& pair : kHolePairs) {
            const bool differentRanks = m_h.hole[pair[0]].rank != m_h.hole[pair[1]].rank;
            if (differentRanks && m_combos[&pair - kHolePairs].ExactlyTrips())
                text = L"Trips";
        }
        if (m_tripsBoard && !Holds(m_top))
            text = L"Trips (Trips on Board)";
        return text;
    }

    const wchar_t* TwoPair() const
    {
        const wchar_t* text = nullptr;
        if (!m_tripsBoard && !m_pairedBoard) {
            if (Holds(m_top) && Holds(m_middle))
                text = L"Top Two Pair";
            else if (Holds(m_top) && Holds(m_bottom))
                text = L"Two Pair (Top + Bottom)";
            else if (Holds(m_middle) && Holds(m_bottom))
                text = L"Bottom Two Pair";
        }
        if (m_pairedBoard) {
            if (Holds(m_y))
                text = L"Two Pair (Pair with paired Board)";
            const bool noHandTrips = *std::max_element(std::begin(m_holeCount), std::end(m_holeCount)) < 3;
            if (noHandTrips) {
                const int high = std::min(m_x, m_y), low = std::max(m_x, m_y);
                const bool over = AnyPocketPair([&](int r) { return r < high; });
                const bool second = AnyPocketPair([&](int r) { return r > high && r < low; });
                const bool third = AnyPocketPair([&](int r) { return r > low; });
                if (over)
                    text = L"Two Pair (Over Pocket Pair with paired Board)";
                if (second && !over)
                    text = L"Two Pair (Second Pocket Pair with paired Board)";
                if (third && !over && !second)
                    text = L"Two Pair (Third Pocket Pair or worse with paired Board)";
            }
        }
        return text;
    }

    const wchar_t* OnePair() const
    {
        const wchar_t* text = nullptr;
        const bool over = AnyPocketPair([&](int r) { return r < m_top; });
        const bool second = AnyPocketPair([&](int r) { return r > m_top && r < m_middle; });
        const bool low = AnyPocketPair([&](int r) { return r > m_middle && !OnFlop(r); });
        if (over)
            text = L"Over Pocket Pair";
        if (Holds(m_top))
            text = L"Top Pair";
        if (second && !over)
            text = L"Second Pocket Pair";
        if (Holds(m_middle))
            text = L"Middle Pair (Second or worse)";
        if (low && !Holds(m_top) && !over && !second)
            text = L"Low Pocket Pair (or worse)";
        if (Holds(m_bottom))
            text = L"Low Pair (or worse)";
        return text;
    }

    const HandOnFlop& m_h;
    int m_holeCount[13] = {};
    Combination m_combos[6];
    int m_top = 0, m_middle = 0, m_bottom = 0;
    bool m_tripsBoard = false, m_pairedBoard = false;
    int m_x = -1, m_y = -1;  // paired board: the pair's rank and the other one
};

}  // namespace

std::wstring DescribeFlopHand(std::wstring_view handText, std::wstring_view flopText)
{
    HandOnFlop h;
    if (!ReadHandOnFlop(handText, flopText, h))
        return {};
    const wchar_t* text = Classifier(h).Describe();
    return text ? text : L"";
}
