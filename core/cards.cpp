#include "core/cards.h"

namespace {

// Deck suit of each application suit index d, h, s, c.
constexpr int kDeckSuitOfSuitIndex[4] = {1, 0, 3, 2};
// Application suit index of each deck suit h, d, c, s.
constexpr int kSuitIndexOfDeckSuit[4] = {1, 0, 3, 2};

bool InRange(int value, int count)
{
    return value >= 0 && value < count;
}

}  // namespace

int DeckIndexOfCard(int rankIndex, int suitIndex)
{
    if (!InRange(rankIndex, 13) || !InRange(suitIndex, 4))
        return -1;
    return (12 - rankIndex) + 13 * kDeckSuitOfSuitIndex[suitIndex];
}

CardMask CardMaskOf(int rankIndex, int suitIndex)
{
    const int index = DeckIndexOfCard(rankIndex, suitIndex);
    return index < 0 ? 0 : pokereval::cardMask(index);
}

bool CardOfDeckIndex(int deckIndex, int* rankIndex, int* suitIndex)
{
    if (!InRange(deckIndex, 52))
        return false;
    if (rankIndex)
        *rankIndex = 12 - deckIndex % 13;
    if (suitIndex)
        *suitIndex = kSuitIndexOfDeckSuit[deckIndex / 13];
    return true;
}

int ReadCardText(std::wstring_view text)
{
    if (text.size() < 2 || text[0] > 0x7F || text[1] > 0x7F)
        return -1;
    const char narrow[3] = {static_cast<char>(text[0]), static_cast<char>(text[1]), '\0'};
    int index = -1;
    if (pokereval::cardFromString(narrow, &index) != 2)
        return -1;
    return index;
}

namespace {

CardMask MaskOfCardText(std::wstring_view text)
{
    const int index = ReadCardText(text);
    return index < 0 ? 0 : pokereval::cardMask(index);
}

}  // namespace

void SplitBoardAndDeadText(std::wstring_view text, std::wstring& board, std::wstring& dead)
{
    const std::size_t bar = text.find(L'|');
    if (bar == std::wstring_view::npos) {
        board.assign(text);
        dead.clear();
        return;
    }
    board.assign(text.substr(0, bar));
    dead.assign(text.substr(bar + 1));
}

CardMask ParseHandMask(std::wstring_view handText)
{
    CardMask mask = 0;
    for (std::size_t at = 0; at < 8 && at < handText.size(); at += 2)
        mask |= MaskOfCardText(handText.substr(at));
    return mask;
}

int ParseCardList(std::wstring_view text, CardMask* mask)
{
    CardMask cards = 0;
    int count = 0;
    std::wstring compact;
    compact.reserve(text.size());
    for (wchar_t c : text) {
        if (c != L' ' && c != L',')
            compact.push_back(c);
    }
    for (std::size_t at = 0; at + 1 < compact.size(); at += 2) {
        if (compact[at] == L'?')
            continue;
        cards |= MaskOfCardText(std::wstring_view(compact).substr(at, 2));
        ++count;
    }
    if (mask)
        *mask = cards;
    return count;
}

CardMask ParseCardString(std::wstring_view text)
{
    CardMask mask = 0;
    for (std::size_t at = 0; at < text.size(); at += 2)
        mask |= MaskOfCardText(text.substr(at));
    return mask;
}

CardMask HandRecordToMask(const HandRecord& record)
{
    CardMask mask = 0;
    for (int i = 0; i < 4; ++i)
        mask |= CardMaskOf(record.ranks[i], record.suits[i]);
    return mask;
}

int RankCharToIndex(wchar_t c)
{
    switch (c) {
    case L'A': case L'a': return 0;
    case L'K': case L'k': return 1;
    case L'Q': case L'q': return 2;
    case L'J': case L'j': return 3;
    case L'T': case L't': return 4;
    default: break;
    }
    if (c >= L'2' && c <= L'9')
        return 12 - (c - L'2');
    return -1;
}

int SuitCharToIndex(wchar_t c)
{
    switch (c) {
    case L'D': case L'd': return 0;
    case L'H': case L'h': return 1;
    case L'S': case L's': return 2;
    case L'C': case L'c': return 3;
    default: return -1;
    }
}

int IsValidTwoCardText(std::wstring_view text)
{
    if (text.size() != 4)
        return 0;
    return RankCharToIndex(text[0]) >= 0 && SuitCharToIndex(text[1]) >= 0 &&
                   RankCharToIndex(text[2]) >= 0 && SuitCharToIndex(text[3]) >= 0
               ? 1
               : 0;
}

void ParseCardText(std::wstring_view text, int* rankIndex, int* suitIndex)
{
    if (text.size() != 2)
        return;
    const wchar_t r = text[0];
    int rank = -1;
    if (r >= L'2' && r <= L'9')
        rank = 12 - (r - L'2');
    else if (r == L'A') rank = 0;
    else if (r == L'K') rank = 1;
    else if (r == L'Q') rank = 2;
    else if (r == L'J') rank = 3;
    else if (r == L'T') rank = 4;
    if (rank >= 0 && rankIndex)
        *rankIndex = rank;
    const int suit = SuitCharToIndex(text[1]);
    if (suit >= 0 && suitIndex)
        *suitIndex = suit;
}

int RankPatternCharToIndex(std::wstring_view text)
{
    if (text.size() != 1)
        return -1;
    const wchar_t c = text[0];
    if (c == L'*')
        return 13;
    if (c >= L'2' && c <= L'9')
        return 12 - (c - L'2');
    switch (c) {
    case L'A': return 0;
    case L'K': return 1;
    case L'Q': return 2;
    case L'J': return 3;
    case L'T': return 4;
    default: return -1;
    }
}
