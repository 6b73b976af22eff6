#pragma once
// Cards in two numberings, card masks, and reading card texts.
//
// Deck index 0..51 (masks, random draws): deck rank (deuce 0 .. ace 12) + 13 * deck
// suit (hearts 0, diamonds 1, clubs 2, spades 3), as the evaluator's deck.
// Application card (records and every text the program writes): rank index
// 0..12 = A, K, Q, J, T, 9 .. 2 and suit index 0..3 = d, h, s, c.

#include "core/records.h"
#include "pokereval/pokereval.h"

#include <string>
#include <string_view>

using CardMask = pokereval::CardMask;

inline constexpr char kRankLetters[] = "AKQJT98765432";  // by rank index
inline constexpr char kSuitLetters[] = "dhsc";           // by suit index

// -1 (or 0 for a mask) when rank or suit index is out of range.
int DeckIndexOfCard(int rankIndex, int suitIndex);
CardMask CardMaskOf(int rankIndex, int suitIndex);
// False, and nothing written, for an index outside 0..51.
bool CardOfDeckIndex(int deckIndex, int* rankIndex, int* suitIndex);

// Reads the two characters at the start of the text as a card: rank letter of
// "23456789TJQKA" and suit letter of "hdcs", either case. Deck index, or -1 when
// the text is shorter or the characters name no card (characters outside ASCII
// included).
int ReadCardText(std::wstring_view text);

// Board text before the first "|", dead-card text after it.
void SplitBoardAndDeadText(std::wstring_view text, std::wstring& board, std::wstring& dead);
// The cards at positions 0, 2, 4 and 6; what is no card adds nothing.
CardMask ParseHandMask(std::wstring_view handText);
// Card texts with optional blanks and commas; pairs starting with "?" are skipped.
// Returns the number of pairs read that do not start with "?".
int ParseCardList(std::wstring_view text, CardMask* mask);
// Card texts written without separators.
CardMask ParseCardString(std::wstring_view text);
// Cards outside the numbering's range add nothing.
CardMask HandRecordToMask(const HandRecord& record);

// Single characters and two-letter texts in the application numbering.
int RankCharToIndex(wchar_t c);            // A K Q J T either case, 2..9; else -1
int SuitCharToIndex(wchar_t c);            // d h s c either case; else -1
int IsValidTwoCardText(std::wstring_view text);  // four characters: rank suit rank suit
// Exactly two characters; an unknown rank (upper case only) or suit leaves that output as it was.
void ParseCardText(std::wstring_view text, int* rankIndex, int* suitIndex);
// One character: A K Q J T, 9..2 give 0..12, "*" 13; else -1.
int RankPatternCharToIndex(std::wstring_view text);
