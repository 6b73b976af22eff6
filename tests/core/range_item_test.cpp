#include "core/range_item.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>

namespace {

// The rank letters a position allows, ace first, as one text.
std::wstring Ranks(const COmahaHand& hand, int position) {
    static const wchar_t kLetters[] = L"AKQJT98765432";
    std::wstring out;
    for (int r = 0; r < kRankCount; ++r) {
        if (hand.m_rankSets[position][r]) out += kLetters[r];
    }
    return out;
}

const std::wstring kAll = L"AKQJT98765432";

std::wstring Bold(const std::wstring& card) { return L"\x1b" L"E" + card + L"\x1b" L"F"; }

TEST(RangeItemParse, ValidityOfHandPatterns) {
    struct Case {
        const wchar_t* text;
        int valid;
    };
    const Case cases[] = {
        {L"AA", 1}, {L"AA**", 1}, {L"AAKK", 1}, {L"****", 1}, {L"random", 1},
        {L"/np", 1}, {L":5", 1}, {L"[AK]QJ", 1}, {L"[AK][QJ]", 1}, {L"[AKQJ]", 1},
        {L"K-9s", 1}, {L"Q+h*", 1}, {L"BMZL", 1}, {L"NWFR", 1}, {L"Y*?*", 1},
        {L"K-", 1}, {L"AK-", 1}, {L"s", 1}, {L"   ", 1}, {L" AA** ", 1},
        {L"AAKKQ", 0}, {L"AKQ J", 0}, {L"A K", 0}, {L"[A[K]]", 0}, {L"]AKQJ", 0},
        {L"[AK", 0}, {L"[]AKQJ", 0}, {L"[AK][QJ]**", 0}, {L"K-x", 0}, {L"aa", 0},
        {L"10**", 0}, {L"AA**(", 0}, {L"AhKhQhJhTh", 0}, {L"AD**", 0}, {L"B+**", 0},
        {L"AsKs]", 0}, {L"[AK]]", 0},
    };
    for (const Case& c : cases) {
        COmahaHand hand(c.text);
        EXPECT_EQ(hand.m_valid, c.valid) << std::wstring(c.text).c_str();
        if (c.valid) {
            EXPECT_EQ(hand.m_cardCount, 4) << std::wstring(c.text).c_str();
        }
    }
}

TEST(RangeItemParse, CompletionToFourCards) {
    struct Case {
        const wchar_t* text;
        const wchar_t* completed;
    };
    const Case cases[] = {
        {L"AA", L"AA**"},     {L"AsKs", L"AsKs**"}, {L"s", L"*s***"},   {L"", L"****"},
        {L"[AK]", L"[AK]**"}, {L"K-", L"****"},     {L"AK-", L"A***"},  {L"AKQJT", L"AKQJT"},
        {L"A K", L"A K"},     {L"Q+9-7", L"Q+9-7**"}, {L"[A]K", L"[A]K**"},
    };
    for (const Case& c : cases) {
        std::wstring text = c.text;
        COmahaHand::PadHandText(text);
        EXPECT_EQ(text, c.completed) << std::wstring(c.text).c_str();
    }
    EXPECT_EQ(COmahaHand(L"AA").m_text, L"AA**");
    EXPECT_EQ(COmahaHand(L"/np").m_text, L"****");
}

TEST(RangeItemParse, RankTokensAndSets) {
    struct Case {
        const wchar_t* token;
        const wchar_t* ranks;
    };
    const Case cases[] = {
        {L"A", L"A"},         {L"Q+", L"AKQ"},      {L"A+", L"A"},         {L"2+", L"AKQJT98765432"},
        {L"K-9", L"KQJT9"},   {L"9-K", L"KQJT9"},   {L"B", L"AKQJ"},       {L"R", L"AKQJT"},
        {L"N", L"KQJT9"},     {L"F", L"KQJ"},       {L"M", L"T987"},       {L"Z", L"65432"},
        {L"Y", L"5432"},      {L"L", L"A8765432"},  {L"W", L"A5432"},      {L"*", L"AKQJT98765432"},
        {L"?", L"AKQJT98765432"}, {L"x", L""},      {L"", L""},
    };
    for (const Case& c : cases) {
        int flags[kRankCount];
        COmahaHand::RankTokenToSet(c.token, flags);
        std::wstring got;
        for (int r = 0; r < kRankCount; ++r) {
            if (flags[r]) got += L"AKQJT98765432"[r];
        }
        EXPECT_EQ(got, c.ranks) << std::wstring(c.token).c_str();
    }

    // A failed range form still moves past the letter and the "-".
    size_t pos = 0;
    std::wstring token;
    EXPECT_EQ(COmahaHand::ReadRankToken(L"K-x", pos, token), 0);
    EXPECT_EQ(pos, 2u);
    pos = 0;
    EXPECT_EQ(COmahaHand::ReadRankToken(L"k", pos, token), 0);
    EXPECT_EQ(pos, 0u);
    pos = 1;
    EXPECT_EQ(COmahaHand::ReadSuitToken(L"AS", pos, token), 0);
    EXPECT_EQ(COmahaHand::ReadSuitToken(L"As", pos, token), 1);
    EXPECT_EQ(token, L"s");
}

TEST(RangeItemParse, PositionsSuitsAndGroups) {
    COmahaHand hand(L"[AK]Q+dK-9");
    ASSERT_EQ(hand.m_valid, 1);
    EXPECT_EQ(Ranks(hand, 0), L"A");
    EXPECT_EQ(Ranks(hand, 1), L"K");
    EXPECT_EQ(Ranks(hand, 2), L"AKQ");
    EXPECT_EQ(Ranks(hand, 3), L"KQJT9");
    EXPECT_EQ(hand.m_suitTexts[2], L"d");
    EXPECT_EQ(hand.m_suitTexts[3], L"");
    EXPECT_EQ(hand.m_rankTexts[3], L"K-9");
    const int groups[] = {1, 1, 0, 0};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(hand.m_groups[i], groups[i]) << i;

    COmahaHand two(L"[Ah*][Kd*]");
    ASSERT_EQ(two.m_valid, 1);
    const int twoGroups[] = {1, 1, 2, 2};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(two.m_groups[i], twoGroups[i]) << i;

    for (const wchar_t* all : {L"****", L"random", L"random/ds"}) {
        COmahaHand any(all);
        ASSERT_EQ(any.m_valid, 1) << all;
        EXPECT_EQ(any.m_isPercentile, 0);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(Ranks(any, i), kAll) << all;
    }
    EXPECT_EQ(COmahaHand(L"random/ds").GetFilter(0), L"ds");

    // A translated random word replaces "random".
    EXPECT_EQ(COmahaHand(L"zufall/np", L"zufall").m_valid, 1);
    EXPECT_EQ(COmahaHand(L"random", L"zufall").m_valid, 0);
}

TEST(RangeItemParse, Filters) {
    struct Case {
        const wchar_t* text;
        int valid;
        int filterCount;
    };
    const Case cases[] = {
        {L"AA**/np", 1, 1},   {L"AA**/np/ds", 1, 2}, {L"AA**//np", 1, 2},   {L"AA**/np/", 1, 1},
        {L"AA**/", 1, 0},     {L"AA**$ds", 1, 1},    {L"AA**/r", 0, 0},     {L"AA**/r1234", 0, 0},
        {L"AA**/r5", 1, 1},   {L"AA**/r000", 1, 1},  {L"AA**/rb", 1, 1},    {L"AA**/h+", 0, 0},
        {L"AA**/hx", 0, 0},   {L"AA**/sf", 0, 0},    {L"AA**/s", 0, 0},     {L"AA**/h-5", 0, 0},
        {L"AA**/h5.5", 0, 0}, {L"AA**/xx", 0, 0},    {L"AA**/NP", 0, 0},    {L"AAKKQ/np", 0, 0},
        {L"10%/np", 1, 1},    {L"10%/zz", 0, 0},     {L"AA**/np/zz/ds", 0, 1},
    };
    for (const Case& c : cases) {
        COmahaHand hand(c.text);
        EXPECT_EQ(hand.m_valid, c.valid) << std::wstring(c.text).c_str();
        EXPECT_EQ(hand.m_filterCount, c.filterCount) << std::wstring(c.text).c_str();
    }

    COmahaHand ranges(L"AA**/h10+/s5-/sf2-4/sa/sna");
    ASSERT_EQ(ranges.m_valid, 1);
    EXPECT_EQ(ranges.m_pointsRange[0], 10);
    EXPECT_EQ(ranges.m_pointsRange[1], 27);
    EXPECT_EQ(ranges.m_straightShapeRange[0], 5);
    EXPECT_EQ(ranges.m_straightShapeRange[1], 0);
    EXPECT_EQ(ranges.m_straightFlushShapeRange[0], 2);
    EXPECT_EQ(ranges.m_straightFlushShapeRange[1], 4);

    COmahaHand later(L"****/h3/h7-9");
    EXPECT_EQ(later.m_pointsRange[0], 7);
    EXPECT_EQ(later.m_pointsRange[1], 9);
    EXPECT_EQ(COmahaHand(L"****").m_pointsRange[0], -1);
}

TEST(RangeItemParse, FilterLimitIsEnforced) {
    std::wstring text = L"AA**";
    for (int i = 0; i < kMaxItemFilters; ++i) text += L"/np";
    COmahaHand full(text);
    EXPECT_EQ(full.m_valid, 1);
    EXPECT_EQ(full.m_filterCount, kMaxItemFilters);
    EXPECT_EQ(full.GetFilter(kMaxItemFilters - 1), L"np");

    COmahaHand over(text + L"/np");
    EXPECT_EQ(over.m_valid, 0);
    EXPECT_EQ(over.m_filterCount, kMaxItemFilters);
    EXPECT_EQ(over.FormatDescription(), L"");
    EXPECT_EQ(over.GetFilter(kMaxItemFilters), L"");
    EXPECT_EQ(over.GetFilter(-1), L"");
}

TEST(RangeItemParse, NumberRanges) {
    struct Case {
        const wchar_t* text;
        int ok, low, high;
    };
    const Case cases[] = {
        {L"5", 1, 5, 5},       {L"12+", 1, 12, 27},  {L"3-8", 1, 3, 8},  {L"5-", 1, 5, 0},
        {L"8-3", 1, 8, 3},     {L"007", 1, 7, 7},    {L"", 0, 0, 0},     {L"+", 0, 0, 0},
        {L"-5", 0, 0, 0},      {L"5.5", 0, 0, 0},    {L"5-6-7", 0, 0, 0}, {L"5++", 0, 0, 0},
        {L"x", 0, 0, 0},       {L" 5", 0, 0, 0},     {L"5-x", 0, 0, 0},
        {L"99999999999999999999", 1, 2147483647, 2147483647},
    };
    for (const Case& c : cases) {
        int low = -9, high = -9;
        EXPECT_EQ(ParseNumberRange(c.text, &low, &high), c.ok) << std::wstring(c.text).c_str();
        if (c.ok) {
            EXPECT_EQ(low, c.low) << std::wstring(c.text).c_str();
            EXPECT_EQ(high, c.high) << std::wstring(c.text).c_str();
        }
    }
}

TEST(RangeItemParse, PercentileItems) {
    struct Case {
        const wchar_t* text;
        double low, high;
        int order;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"10%", 0, 10, 0, L"10.0%"},
        {L"5-10%", 5, 10, 0, L"5.0-10.0%"},
        {L"-10%", 0, -10, 0, L""},
        {L"%", 0, 0, 0, L""},
        {L"10%:3/np", 0, 10, 3, L"10.0%:3/np"},
        {L"2.5-7.25%:9", 2.5, 7.25, 9, L"2.5-7.2%:9"},
        {L"10%:0", 0, 10, 0, L"10.0%"},
        {L"10%: -2", 0, 10, -2, L"10.0%"},
        {L"10%:x", 0, 10, 0, L"10.0%"},
        {L"10%:99999999999", 0, 10, 2147483647, L"10.0%:2147483647"},
        {L"abc%", 0, 0, 0, L""},
        {L"10-%", 10, 0, 0, L""},
        {L"1e2%", 0, 100, 0, L"100.0%"},
        {L"1e999%", 0, HUGE_VAL, 0, nullptr},
        {L"nan%", 0, 0, 0, L""},
        {L"0x10%", 0, 0, 0, L""},
        {L"150%:10", 0, 150, 10, L"150.0%:10"},
    };
    for (const Case& c : cases) {
        COmahaHand hand(c.text);
        const std::wstring wide = c.text;
        const std::string label(wide.begin(), wide.end());
        EXPECT_EQ(hand.m_valid, 1) << label;
        EXPECT_EQ(hand.m_isPercentile, 1) << label;
        EXPECT_DOUBLE_EQ(hand.m_percentLow, c.low) << label;
        EXPECT_DOUBLE_EQ(hand.m_percentHigh, c.high) << label;
        EXPECT_EQ(hand.m_order, c.order) << label;
        if (c.shown) {
            EXPECT_EQ(hand.FormatDescription(), c.shown) << label;
        }
    }
    EXPECT_EQ(COmahaHand(L"10%").m_text, L"10");
    // The order belongs before the filters.
    EXPECT_EQ(COmahaHand(L"10%/np:3").m_valid, 0);
}

TEST(RangeItemDescription, HandPatterns) {
    EXPECT_EQ(COmahaHand(L"AA").FormatDescription(), Bold(L"A") + Bold(L"A") + Bold(L"*") + Bold(L"*"));
    EXPECT_EQ(COmahaHand(L"[AsK]Q+J/ds/r0").FormatDescription(),
              L"[" + Bold(L"As") + Bold(L"K") + L"]" + Bold(L"Q+") + Bold(L"J") + L"/ds/r0");
    EXPECT_EQ(COmahaHand(L"[AK][QJ]").FormatDescription(),
              L"[" + Bold(L"A") + Bold(L"K") + L"][" + Bold(L"Q") + Bold(L"J") + L"]");
    EXPECT_EQ(COmahaHand(L"A[K]Q[J]").FormatDescription(),
              Bold(L"A") + L"[" + Bold(L"K") + L"]" + Bold(L"Q") + L"[" + Bold(L"J") + L"]");
    EXPECT_EQ(COmahaHand(L"random/np").FormatDescription(),
              Bold(L"*") + Bold(L"*") + Bold(L"*") + Bold(L"*") + L"/np");
    EXPECT_EQ(COmahaHand(L"AA**//np").FormatDescription(),
              Bold(L"A") + Bold(L"A") + Bold(L"*") + Bold(L"*") + L"//np");
    EXPECT_EQ(COmahaHand(L"").FormatDescription(), Bold(L"") + Bold(L"") + Bold(L"") + Bold(L""));
    EXPECT_EQ(COmahaHand(L"AAKKQ").FormatDescription(), L"");
}

TEST(RangeItemParse, EmptyTextSelectsNothingButIsValid) {
    COmahaHand empty(L"");
    EXPECT_EQ(empty.m_valid, 1);
    EXPECT_EQ(empty.m_cardCount, 0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Ranks(empty, i), L"");

    // Parsing again starts from scratch.
    COmahaHand reused(L"AA**/np/ds/h3");
    reused.Parse(L"KK");
    EXPECT_EQ(reused.m_filterCount, 0);
    EXPECT_EQ(reused.GetFilter(0), L"");
    EXPECT_EQ(reused.m_pointsRange[0], -1);
    EXPECT_EQ(Ranks(reused, 0), L"K");
}

TEST(CardTexts, Validity) {
    struct Case {
        const wchar_t* text;
        int card, hand;
    };
    const Case cases[] = {
        {L"", 1, 0},          {L"Ah", 1, 0},        {L"Tc", 1, 0},          {L"ah", 0, 0},
        {L"AH", 0, 0},        {L"1h", 0, 0},        {L"Ahh", 0, 0},         {L"A", 0, 0},
        {L"AsKsQsJs", 0, 1},  {L"AsAsAsAs", 0, 1},  {L"AsKsXxJs", 0, 0},    {L"AsKsQsJ", 0, 0},
        {L"AsKsQsJsT", 0, 0}, {L"2c3d4h5s", 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidCardText(c.text), c.card) << std::wstring(c.text).c_str();
        EXPECT_EQ(IsValidHandText(c.text), c.hand) << std::wstring(c.text).c_str();
    }
}

}  // namespace
