#include "core/cards.h"

#include <gtest/gtest.h>

#include <set>

namespace {

CardMask Bit(int n)
{
    return CardMask{1} << n;
}

// Mask of a card text, through the deck numbering of the evaluator.
CardMask Card(const char* text)
{
    int index = -1;
    EXPECT_EQ(pokereval::cardFromString(text, &index), 2) << text;
    return pokereval::cardMask(index);
}

TEST(Cards, DeckIndexLayout)
{
    struct Case {
        int rankIndex, suitIndex, deckIndex, bit;
    };
    const Case cases[] = {
        {12, 1, 0, 48},   // deuce of hearts
        {0, 1, 12, 60},   // ace of hearts
        {12, 0, 13, 32},  // deuce of diamonds
        {12, 3, 26, 16},  // deuce of clubs
        {12, 2, 39, 0},   // deuce of spades
        {0, 2, 51, 12},   // ace of spades
        {0, 0, 25, 44},   // ace of diamonds
        {1, 1, 11, 59},   // king of hearts
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DeckIndexOfCard(c.rankIndex, c.suitIndex), c.deckIndex);
        EXPECT_EQ(CardMaskOf(c.rankIndex, c.suitIndex), Bit(c.bit));
        EXPECT_EQ(pokereval::cardMask(c.deckIndex), Bit(c.bit));
    }
}

TEST(Cards, BothNumberingsCoverTheDeckOnce)
{
    std::set<int> seen;
    CardMask all = 0;
    for (int rank = 0; rank < 13; ++rank) {
        for (int suit = 0; suit < 4; ++suit) {
            const int index = DeckIndexOfCard(rank, suit);
            seen.insert(index);
            all |= CardMaskOf(rank, suit);
            int r = -1, s = -1;
            ASSERT_TRUE(CardOfDeckIndex(index, &r, &s));
            EXPECT_EQ(r, rank);
            EXPECT_EQ(s, suit);
            // The card's own text names the same card in both numberings.
            const char text[3] = {kRankLetters[rank], kSuitLetters[suit], 0};
            EXPECT_EQ(CardMaskOf(rank, suit), Card(text)) << text;
        }
    }
    EXPECT_EQ(seen.size(), 52u);
    EXPECT_EQ(pokereval::numCards(all), 52);
}

TEST(Cards, OutOfRangeCardsGiveNoCard)
{
    for (auto [rank, suit] : {std::pair{-1, 0}, {13, 0}, {0, -1}, {0, 4}}) {
        EXPECT_EQ(DeckIndexOfCard(rank, suit), -1);
        EXPECT_EQ(CardMaskOf(rank, suit), 0u);
    }
    int r = 7, s = 7;
    EXPECT_FALSE(CardOfDeckIndex(52, &r, &s));
    EXPECT_FALSE(CardOfDeckIndex(-1, &r, &s));
    EXPECT_EQ(r, 7);
    EXPECT_EQ(s, 7);
}

TEST(Cards, ReadingCardTexts)
{
    struct Case {
        const wchar_t* text;
        const char* card;  // null: no card
    };
    const Case cases[] = {
        {L"Ah", "Ah"}, {L"ah", "Ah"}, {L"AH", "Ah"}, {L"tD", "Td"}, {L"2c", "2c"}, {L"9sXX", "9s"},
        {L"1h", nullptr}, {L"Ax", nullptr}, {L"A", nullptr}, {L"", nullptr}, {L"?h", nullptr},
        {L"\u0141h", nullptr},  // low byte 0x41 would read as "A"
        {L"A\u0168", nullptr},  // low byte 0x68 would read as "h"
    };
    for (const Case& c : cases) {
        const int index = ReadCardText(c.text);
        if (c.card)
            EXPECT_EQ(pokereval::cardMask(index), Card(c.card));
        else
            EXPECT_EQ(index, -1);
    }
}

TEST(Cards, SplitBoardAndDeadText)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* board;
        const wchar_t* dead;
    };
    const Case cases[] = {
        {L"AhKd7c|2s3s", L"AhKd7c", L"2s3s"},
        {L"|2s", L"", L"2s"},
        {L"AhKd7c", L"AhKd7c", L""},
        {L"", L"", L""},
        {L"Ah|2s|3s", L"Ah", L"2s|3s"},
    };
    for (const Case& c : cases) {
        std::wstring board = L"old", dead = L"old";
        SplitBoardAndDeadText(c.text, board, dead);
        EXPECT_EQ(board, c.board);
        EXPECT_EQ(dead, c.dead);
    }
}

TEST(Cards, ParseCardList)
{
    struct Case {
        const wchar_t* text;
        int count;
        CardMask mask;
    };
    const Case cases[] = {
        {L"Ah Kd, 7c", 3, Card("Ah") | Card("Kd") | Card("7c")},
        {L"AhK", 1, Card("Ah")},
        {L"??Kd", 1, Card("Kd")},
        {L"?xKd??", 1, Card("Kd")},
        {L"", 0, 0},
        {L"ah", 1, Card("Ah")},
        {L"AhAh", 2, Card("Ah")},
        {L"Zz9d", 2, Card("9d")},  // counted, though it adds no card
        {L" , ,", 0, 0},
    };
    for (const Case& c : cases) {
        CardMask mask = ~CardMask{0};
        EXPECT_EQ(ParseCardList(c.text, &mask), c.count);
        EXPECT_EQ(mask, c.mask);
    }
}

TEST(Cards, ParseHandMaskAndCardString)
{
    EXPECT_EQ(ParseHandMask(L"AdAdKsQh"), Card("Ad") | Card("Ks") | Card("Qh"));
    EXPECT_EQ(pokereval::numCards(ParseHandMask(L"AdAdKsQh")), 3);
    EXPECT_EQ(ParseHandMask(L"AdKdQdJdTd"), Card("Ad") | Card("Kd") | Card("Qd") | Card("Jd"));
    EXPECT_EQ(ParseHandMask(L"AdK"), Card("Ad"));
    EXPECT_EQ(ParseCardString(L"2c3c4c5c6c7c"),
              Card("2c") | Card("3c") | Card("4c") | Card("5c") | Card("6c") | Card("7c"));
    EXPECT_EQ(ParseCardString(L"Td"), Card("Td"));
    EXPECT_EQ(ParseCardString(L"Td9"), Card("Td"));
    EXPECT_EQ(ParseCardString(L""), 0u);
}

TEST(Cards, HandRecordToMask)
{
    const HandRecord record{{0, 0, 1, 1}, {0, 1, 0, 1}, 0};  // Ad Ah Kd Kh
    EXPECT_EQ(HandRecordToMask(record), Bit(44) | Bit(60) | Bit(43) | Bit(59));
    const HandRecord zero{};  // four aces of diamonds: one card
    EXPECT_EQ(HandRecordToMask(zero), Bit(44));
    const HandRecord bad{{13, -1, 0, 0}, {0, 0, 9, 2}, 0};
    EXPECT_EQ(HandRecordToMask(bad), Card("As"));
}

TEST(Cards, SingleCharacterConversions)
{
    struct Case {
        wchar_t c;
        int rank, suit;
    };
    const Case cases[] = {
        {L'A', 0, -1}, {L'a', 0, -1}, {L'k', 1, -1}, {L'T', 4, -1}, {L'9', 5, -1}, {L'2', 12, -1},
        {L'1', -1, -1}, {L'd', -1, 0}, {L'H', -1, 1}, {L's', -1, 2}, {L'C', -1, 3}, {L'x', -1, -1},
        {L'\u0141', -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RankCharToIndex(c.c), c.rank) << static_cast<int>(c.c);
        EXPECT_EQ(SuitCharToIndex(c.c), c.suit) << static_cast<int>(c.c);
    }
    EXPECT_EQ(IsValidTwoCardText(L"AdKh"), 1);
    EXPECT_EQ(IsValidTwoCardText(L"adkh"), 1);
    EXPECT_EQ(IsValidTwoCardText(L"AdK"), 0);
    EXPECT_EQ(IsValidTwoCardText(L"AdKhQ"), 0);
    EXPECT_EQ(IsValidTwoCardText(L"AdXh"), 0);
}

TEST(Cards, ParseCardTextAcceptsUpperCaseRanksOnly)
{
    struct Case {
        const wchar_t* text;
        int rank, suit;  // expected outputs, starting from 99
    };
    const Case cases[] = {
        {L"Ad", 0, 0}, {L"2c", 12, 3}, {L"TS", 4, 2}, {L"9h", 5, 1},
        {L"ad", 99, 0},   // lower-case rank: rank left as it was
        {L"Ax", 0, 99},   // unknown suit: suit left as it was
        {L"Adx", 99, 99}, // wrong length: nothing read
        {L"", 99, 99},
    };
    for (const Case& c : cases) {
        int rank = 99, suit = 99;
        ParseCardText(c.text, &rank, &suit);
        EXPECT_EQ(rank, c.rank) << c.text;
        EXPECT_EQ(suit, c.suit) << c.text;
    }
    EXPECT_EQ(RankPatternCharToIndex(L"A"), 0);
    EXPECT_EQ(RankPatternCharToIndex(L"9"), 5);
    EXPECT_EQ(RankPatternCharToIndex(L"2"), 12);
    EXPECT_EQ(RankPatternCharToIndex(L"*"), 13);
    EXPECT_EQ(RankPatternCharToIndex(L"a"), -1);
    EXPECT_EQ(RankPatternCharToIndex(L"AK"), -1);
    EXPECT_EQ(RankPatternCharToIndex(L""), -1);
}

}  // namespace
