#include "core/classify_cards.h"

#include "core/cards.h"

#include <string>

namespace flop_detail {

namespace {

std::wstring_view Trimmed(std::wstring_view text)
{
    constexpr std::wstring_view kSpace = L" \t\r\n\v\f";
    const auto first = text.find_first_not_of(kSpace);
    if (first == std::wstring_view::npos)
        return {};
    const auto last = text.find_last_not_of(kSpace);
    return text.substr(first, last - first + 1);
}

bool ReadCards(std::wstring_view text, Card* cards, int count)
{
    text = Trimmed(text);
    if (text.size() != static_cast<std::size_t>(2 * count))
        return false;
    for (int i = 0; i < count; ++i) {
        int rank = -1, suit = -1;
        ParseCardText(text.substr(2 * i, 2), &rank, &suit);
        if (rank < 0 || rank > 12 || suit < 0 || suit > 3)
            return false;
        cards[i] = {rank, suit};
    }
    return true;
}

// Five consecutive heights ending at `top`; the wheel (top 3) takes the ace.
unsigned StraightWindow(int top)
{
    if (top == 3)
        return 0x100Fu;  // ace, deuce, trey, four, five
    return 0x1Fu << (top - 4);
}

int Height(int rankIndex)
{
    return 12 - rankIndex;
}

}  // namespace

bool ReadHandOnFlop(std::wstring_view handText, std::wstring_view flopText, HandOnFlop& out)
{
    return ReadCards(handText, out.hole, 4) && ReadCards(flopText, out.flop, 3);
}

int StraightTop(const int ranks[5])
{
    unsigned heights = 0;
    for (int i = 0; i < 5; ++i)
        heights |= 1u << Height(ranks[i]);
    for (int top = 12; top >= 3; --top) {
        if (heights == StraightWindow(top))
            return top;
    }
    return -1;
}

int BestPossibleStraight(int r0, int r1, int r2)
{
    const unsigned board = (1u << Height(r0)) | (1u << Height(r1)) | (1u << Height(r2));
    // A paired board leaves fewer than five ranks for any two more cards.
    if (board != ((1u << Height(r0)) ^ (1u << Height(r1)) ^ (1u << Height(r2))))
        return -1;
    for (int top = 12; top >= 3; --top) {
        if ((board & StraightWindow(top)) == board)
            return top;
    }
    return -1;
}

int HandStraightTop(const Card hole[4], const Card board[3])
{
    int best = -1;
    for (const auto& pair : kHolePairs) {
        const int ranks[5] = {hole[pair[0]].rank, hole[pair[1]].rank, board[0].rank, board[1].rank,
                              board[2].rank};
        const int top = StraightTop(ranks);
        best = top > best ? top : best;
    }
    return best;
}

FlushKind HandFlush(const Card hole[4], const Card board[3])
{
    const int suit = board[0].suit;
    if (board[1].suit != suit || board[2].suit != suit)
        return FlushKind::None;
    int nutRank = 0;
    while (nutRank == board[0].rank || nutRank == board[1].rank || nutRank == board[2].rank)
        ++nutRank;
    FlushKind kind = FlushKind::None;
    for (const auto& pair : kHolePairs) {
        const Card& a = hole[pair[0]];
        const Card& b = hole[pair[1]];
        if (a.suit != suit || b.suit != suit)
            continue;
        const int ranks[5] = {a.rank, b.rank, board[0].rank, board[1].rank, board[2].rank};
        if (StraightTop(ranks) >= 0)
            continue;
        if (a.rank == nutRank || b.rank == nutRank)
            return FlushKind::Nut;
        kind = FlushKind::NoNut;
    }
    return kind;
}

}  // namespace flop_detail
