// The input fields' validation rules and the result fields' colour scale.
#include <gtest/gtest.h>

#include "controls/input_with_background.h"

namespace {

struct InputCase {
  int mode;
  const wchar_t* text;
  bool valid;
};

TEST(InputValidation, EachModeJudgesItsText) {
  const InputCase cases[] = {
      {1, L"", true},          {1, L"Ah", true},         {1, L"AhK", false},       {1, L"Xh", false},
      {1, L" A h ", true},     {3, L"AhKd", true},       {3, L"AhKd7c", true},     {3, L"AhKd7c2s", false},
      {3, L"AhK", false},      {4, L"AhKdQcJs", true},   {4, L"AhKdQc", false},    {4, L"", true},
      {43, L"", true},         {43, L"2c3c4c5c6c7c", true}, {43, L"2c3", false}, {43, L"2c3x", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CInputWithBackground::IsValidInput(c.mode, c.text), c.valid) << c.mode << " '" << testing::PrintToString(std::wstring(c.text)) << "'";
}

TEST(InputValidation, RangeModesAskTheInstalledCheckWithoutBlanks) {
  static std::wstring seen;
  CInputWithBackground::SetRangeCheck([](std::wstring_view text) {
    seen = text;
    return text == L"AA";
  });
  EXPECT_TRUE(CInputWithBackground::IsValidInput(0, L" A A "));
  EXPECT_EQ(seen, L"AA");
  EXPECT_FALSE(CInputWithBackground::IsValidInput(2, L"AA("));
  EXPECT_FALSE(CInputWithBackground::IsValidInput(-3, L"KK"));
  CInputWithBackground::SetRangeCheck(nullptr);
  EXPECT_TRUE(CInputWithBackground::IsValidInput(0, L"anything"));
}

struct ColourCase {
  const wchar_t* text;
  int seats;
  COLORREF colour;
};

TEST(ResultColour, FollowsTheScaleAroundTheFairShare) {
  const ColourCase cases[] = {
      {L"50.00%", 2, RGB(255, 255, 0)}, {L"100.00%", 2, RGB(0, 255, 0)}, {L"25.00%", 2, RGB(255, 127, 0)},
      {L"0.00%", 2, RGB(255, 0, 0)},    {L"", 2, RGB(255, 255, 255)},     {L"-1.#IND", 2, RGB(255, 0, 0)},
      {L"-", 2, RGB(255, 0, 0)},        {L"50%", 11, RGB(255, 255, 0)},   {L"50%", 1, RGB(255, 255, 0)},
      {L"10%", 10, RGB(255, 255, 0)},   {L"nan%", 2, RGB(255, 0, 0)},     {L"-nan", 3, RGB(255, 0, 0)},
      {L"inf", 2, RGB(255, 0, 0)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CEditWithBackground::ColourFor(c.text, c.seats), c.colour) << testing::PrintToString(std::wstring(c.text)) << " " << c.seats;
}

}  // namespace
