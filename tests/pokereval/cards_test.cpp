// Card masks, deck indices and card texts.
#include <gtest/gtest.h>

#include "pokereval/pokereval.h"

using namespace pokereval;

TEST(PokerevalCards, DeckIndexToMaskFollowsTheStandardLayout) {
  EXPECT_EQ(cardMask(0), CardMask{1} << 48);   // deuce of hearts
  EXPECT_EQ(cardMask(12), CardMask{1} << 60);  // ace of hearts
  EXPECT_EQ(cardMask(13), CardMask{1} << 32);  // deuce of diamonds
  EXPECT_EQ(cardMask(26), CardMask{1} << 16);  // deuce of clubs
  EXPECT_EQ(cardMask(39), CardMask{1} << 0);   // deuce of spades
  EXPECT_EQ(cardMask(51), CardMask{1} << 12);  // ace of spades
  CardMask all = 0;
  for (int i = 0; i < 52; ++i) {
    const CardMask m = cardMask(i);
    EXPECT_EQ(numCards(m), 1);
    EXPECT_EQ(all & m, 0u);
    all |= m;
    EXPECT_EQ(cardIndex(m), i);
  }
  EXPECT_EQ(all, 0x1FFF1FFF1FFF1FFFull);
}

TEST(PokerevalCards, InvalidIndicesAndMasks) {
  EXPECT_EQ(cardMask(-1), 0u);
  EXPECT_EQ(cardMask(52), 0u);
  EXPECT_EQ(cardIndex(0), -1);
  EXPECT_EQ(cardIndex(cardMask(3) | cardMask(40)), -1);
  EXPECT_EQ(cardIndex(CardMask{1} << 13), -1);  // padding bit, not a card
  EXPECT_EQ(cardIndex(CardMask{1} << 63), -1);
}

TEST(PokerevalCards, CardTexts) {
  int idx = -7;
  EXPECT_EQ(cardFromString("Ah", &idx), 2);
  EXPECT_EQ(idx, 12);
  for (const char* t : {"ah", "AH", "aH"}) {
    idx = -7;
    EXPECT_EQ(cardFromString(t, &idx), 2) << t;
    EXPECT_EQ(idx, 12) << t;
  }
  EXPECT_EQ(cardFromString("2s", &idx), 2);
  EXPECT_EQ(idx, 39);
  EXPECT_EQ(cardFromString("Tc", &idx), 2);
  EXPECT_EQ(idx, 8 + 26);
  EXPECT_EQ(cardFromString("td", &idx), 2);
  EXPECT_EQ(idx, 8 + 13);
  EXPECT_EQ(cardFromString("Kdxyz", &idx), 2);  // only two characters are read
  EXPECT_EQ(idx, 11 + 13);
  EXPECT_EQ(cardFromString("Qs", nullptr), 2);

  for (const char* bad : {"", "A", "1h", "Ax", "hA", " Ah", "10h", "A h"}) {
    idx = -7;
    EXPECT_EQ(cardFromString(bad, &idx), 0) << bad;
    EXPECT_EQ(idx, -7) << bad;
  }
  EXPECT_EQ(cardFromString(nullptr, &idx), 0);
  EXPECT_EQ(idx, -7);

  EXPECT_EQ(cardToString(12), "Ah");
  EXPECT_EQ(cardToString(39), "2s");
  EXPECT_EQ(cardToString(8 + 13), "Td");
  EXPECT_EQ(cardToString(-1), "??");
  EXPECT_EQ(cardToString(52), "??");
  for (int i = 0; i < 52; ++i) {
    const std::string s = cardToString(i);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(cardFromString(s.c_str(), &idx), 2);
    EXPECT_EQ(idx, i);
  }
}

TEST(PokerevalCards, NumCards) {
  EXPECT_EQ(numCards(0), 0);
  EXPECT_EQ(numCards(0x1FFF1FFF1FFF1FFFull), 52);
  EXPECT_EQ(numCards(~CardMask{0}), 64);
  EXPECT_EQ(numCards(cardMask(0) | cardMask(51) | cardMask(25)), 3);
}

TEST(PokerevalCards, HandTypeAndFields) {
  EXPECT_EQ(handType(0x080C0000), kStraightFlush);
  EXPECT_EQ(handType(0x0001), kNoPair);
  EXPECT_EQ(handRankField(0x020CBA00, 0), 12);
  EXPECT_EQ(handRankField(0x020CBA00, 1), 11);
  EXPECT_EQ(handRankField(0x020CBA00, 2), 10);
  EXPECT_EQ(handRankField(0x020CBA00, 3), 0);
}
