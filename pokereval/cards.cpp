// Card masks, deck indices and card texts.
#include <bit>

#include "pokereval/pokereval.h"

namespace pokereval {
namespace {

constexpr char kRankChars[] = "23456789TJQKA";
constexpr char kSuitChars[] = "hdcs";
// Deck suit (hearts 0, diamonds 1, clubs 2, spades 3) -> bit offset of its field in the mask.
constexpr int kSuitShift[4] = {48, 32, 16, 0};

int rankOfChar(char ch) {
  const char up = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
  for (int r = 0; r < 13; ++r) {
    if (kRankChars[r] == up) return r;
  }
  return -1;
}

int suitOfChar(char ch) {
  const char low = (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
  for (int s = 0; s < 4; ++s) {
    if (kSuitChars[s] == low) return s;
  }
  return -1;
}

}  // namespace

CardMask cardMask(int index) {
  if (index < 0 || index >= 52) return 0;
  return CardMask{1} << (kSuitShift[index / 13] + index % 13);
}

int cardIndex(CardMask single) {
  if (single == 0 || (single & (single - 1)) != 0) return -1;
  const int bit = std::countr_zero(single);
  const int rank = bit & 15;
  if (rank >= 13) return -1;
  const int suit = 3 - (bit >> 4);  // field 0 spades (3) ... field 3 hearts (0)
  return rank + 13 * suit;
}

int cardFromString(const char* text, int* index) {
  if (text == nullptr || text[0] == '\0') return 0;
  const int rank = rankOfChar(text[0]);
  if (rank < 0) return 0;
  const int suit = suitOfChar(text[1]);
  if (suit < 0) return 0;
  if (index != nullptr) *index = rank + 13 * suit;
  return 2;
}

std::string cardToString(int index) {
  if (index < 0 || index >= 52) return "??";
  return std::string{kRankChars[index % 13], kSuitChars[index / 13]};
}

int numCards(CardMask cards) {
  // Portable popcount (the baseline x86-64 target has no POPCNT instruction).
  cards = cards - ((cards >> 1) & 0x5555555555555555ull);
  cards = (cards & 0x3333333333333333ull) + ((cards >> 2) & 0x3333333333333333ull);
  cards = (cards + (cards >> 4)) & 0x0F0F0F0F0F0F0F0Full;
  return static_cast<int>((cards * 0x0101010101010101ull) >> 56);
}

}  // namespace pokereval
