#pragma once
// Names what four Omaha hole cards make on a three-card flop: the made hand
// only, counted as exactly two hole cards with the three flop cards.

#include <string>
#include <string_view>

// Hand text of four two-letter cards and flop text of three, white space at
// both ends allowed. The category text, or empty for invalid input or a hand
// without a pair.
std::wstring DescribeFlopHand(std::wstring_view handText, std::wstring_view flopText);
