#include "core/outs_turn.h"

#include "core/cardtext.h"
#include "core/classify_cards.h"

using namespace flop_detail;

namespace {

// The four ways to take three of the four board cards.
constexpr int kTriples[4][3] = {{0, 1, 2}, {0, 1, 3}, {0, 2, 3}, {1, 2, 3}};

struct Board4 {
    Card cards[4];
    void Triple(int t, Card out[3]) const
    {
        for (int i = 0; i < 3; ++i)
            out[i] = cards[kTriples[t][i]];
    }
};

bool IsGiven(const HandOnFlop& h, int rank, int suit)
{
    for (const Card& c : h.hole) {
        if (c.rank == rank && c.suit == suit)
            return true;
    }
    for (const Card& c : h.flop) {
        if (c.rank == rank && c.suit == suit)
            return true;
    }
    return false;
}

// Calls visit(card, board) for every card not among the seven given ones,
// ace to deuce, suits d, h, s, c, with the board of the flop and that card.
template <class Visit>
void ForEachTurnCard(const HandOnFlop& h, Visit visit)
{
    for (int rank = 0; rank < 13; ++rank) {
        for (int suit = 0; suit < 4; ++suit) {
            if (IsGiven(h, rank, suit))
                continue;
            const Board4 board{{h.flop[0], h.flop[1], h.flop[2], {rank, suit}}};
            visit(Card{rank, suit}, board);
        }
    }
}

// The first pair of ranks (C above D, from the aces down) that makes, with
// some three of the board's ranks, the best straight those three allow; false
// when there is none.
bool NutStraightRanks(const Board4& board, int* c, int* d)
{
    int best[4];
    for (int t = 0; t < 4; ++t) {
        Card triple[3];
        board.Triple(t, triple);
        best[t] = BestPossibleStraight(triple[0].rank, triple[1].rank, triple[2].rank);
    }
    for (int hi = 0; hi < 13; ++hi) {
        for (int lo = hi + 1; lo < 13; ++lo) {
            for (int t = 0; t < 4; ++t) {
                if (best[t] < 0)
                    continue;
                Card triple[3];
                board.Triple(t, triple);
                const int ranks[5] = {hi, lo, triple[0].rank, triple[1].rank, triple[2].rank};
                if (StraightTop(ranks) == best[t]) {
                    *c = hi;
                    *d = lo;
                    return true;
                }
            }
        }
    }
    return false;
}

bool HoldsRanks(const Card hole[4], int c, int d)
{
    bool hasC = false, hasD = false;
    for (int i = 0; i < 4; ++i) {
        hasC = hasC || hole[i].rank == c;
        hasD = hasD || hole[i].rank == d;
    }
    return hasC && hasD;  // c != d, so two different hole cards
}

int HoleCardsOfSuit(const Card hole[4], int suit)
{
    int n = 0;
    for (int i = 0; i < 4; ++i)
        n += hole[i].suit == suit;
    return n;
}

}  // namespace

int ListStraightOuts(std::wstring_view handText, std::wstring_view flopText, std::wstring& allOuts,
                     std::wstring& nutOuts)
{
    allOuts.clear();
    nutOuts.clear();
    HandOnFlop h;
    if (!ReadHandOnFlop(handText, flopText, h))
        return kStraightOutsInvalid;
    const int top = HandStraightTop(h.hole, h.flop);
    if (top >= 0) {
        const int nut = BestPossibleStraight(h.flop[0].rank, h.flop[1].rank, h.flop[2].rank);
        return top == nut ? kHoldsNutStraight : kHoldsStraight;
    }
    ForEachTurnCard(h, [&](const Card& card, const Board4& board) {
        const std::wstring text = FormatCard(card.rank, card.suit, 0);
        for (int t = 0; t < 4; ++t) {
            Card triple[3];
            board.Triple(t, triple);
            if (HandStraightTop(h.hole, triple) >= 0) {
                allOuts += text;
                break;
            }
        }
        int c = 0, d = 0;
        if (NutStraightRanks(board, &c, &d) && HoldsRanks(h.hole, c, d))
            nutOuts += text;
    });
    return kStraightOutsListed;
}

int ListFlushOuts(std::wstring_view handText, std::wstring_view flopText, std::wstring& allOuts,
                  std::wstring& nutOuts)
{
    allOuts.clear();
    nutOuts.clear();
    HandOnFlop h;
    if (!ReadHandOnFlop(handText, flopText, h))
        return 0;
    const int flopSuit = h.flop[0].suit;
    if (h.flop[1].suit == flopSuit && h.flop[2].suit == flopSuit && HoleCardsOfSuit(h.hole, flopSuit) >= 2)
        return 0;
    ForEachTurnCard(h, [&](const Card& card, const Board4& board) {
        const std::wstring text = FormatCard(card.rank, card.suit, 0);
        bool flush = false, nut = false;
        for (int t = 0; t < 4; ++t) {
            Card triple[3];
            board.Triple(t, triple);
            const int suit = triple[0].suit;
            if (triple[1].suit != suit || triple[2].suit != suit)
                continue;
            flush = flush || HoleCardsOfSuit(h.hole, suit) >= 2;
            nut = nut || HandFlush(h.hole, triple) == FlushKind::Nut;
        }
        if (flush)
            allOuts += text;
        if (nut)
            nutOuts += text;
    });
    return 1;
}
