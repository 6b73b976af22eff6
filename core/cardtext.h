#pragma once
// Card texts the program shows: plain letters, coloured HTML letters, card pictures.

#include "core/records.h"

#include <string>
#include <string_view>

// Rank letter and suit letter (plain), or the rank letter coloured by suit; "??" for a bad suit.
std::wstring FormatRankSuit(int rankIndex, int suitIndex, int plain);
// A class representative: card by card, or in the suit-pattern form "[AQ][KJ]".
std::wstring FormatHandClassText(const CardPair cards[4], int plain, int pattern);
// One picture tag per card text; modulePath is the module that holds the pictures.
std::wstring FormatCardImages(std::wstring_view text, std::wstring_view modulePath);
// The hand's four cards as pictures or as four-colour HTML letters.
std::wstring FormatHandRecordText(const HandRecord& record, int images, std::wstring_view modulePath);

// Plain "Ad" (with "?" for a bad rank or suit), or four-colour HTML "<font color=#0000EE>Ad</font>".
std::wstring FormatCard(int rankIndex, int suitIndex, int html);
std::wstring FormatRank(int rankIndex);
// Rich-text picture tag of a card for the owner-drawn labels.
std::wstring FormatCardBitmapTag(int suitIndex, int rankIndex);
// A row of card pictures (the board of a result page), with wider gaps before turn and river.
std::wstring FormatHandAsCardImages(std::wstring_view text, int gaps, std::wstring_view modulePath);

// 8-bit text: each character's low byte; a character above 0xFF, which has no such
// byte, becomes 0x1A (substitute) so that it can never pass for another character.
std::string ToNarrowString(std::wstring_view text);
