// Arbitrary text through the item parser, the converter, the evaluator and the
// selection. Run under the sanitizers (OV_SANITIZE) it finds reads and writes
// out of bounds; everywhere it checks that the syntax check and the evaluation
// agree. OV_FUZZ_SEED and OV_FUZZ_ROUNDS make longer runs.
#include "core/cardtext.h"
#include "core/range_expr.h"
#include "range_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

unsigned long EnvNumber(const char* name, unsigned long fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtoul(value, nullptr, 10) : fallback;
}

class TextMaker {
public:
    explicit TextMaker(unsigned long seed) : m_random(static_cast<std::mt19937::result_type>(seed)) {}

    // Mostly pieces of the grammar, now and then any character at all.
    std::wstring Make(int maxPieces) {
        static const wchar_t* const kPieces[] = {
            L"AA", L"**", L"*", L"[", L"]", L"AK", L"Q+", L"K-9", L"K-", L"s", L"d", L"h", L"c",
            L"/", L"np", L"ds", L"rb", L"r0", L"r01", L"h10+", L"s5-", L"sf2", L"sa", L"%", L":",
            L"3", L"-", L"10", L"0", L".", L",", L"|", L"&", L"!", L"(", L")", L" ", L"\t",
            L"random", L"$", L"?", L"B", L"Z", L"W", L"AsKs", L"[AK]", L"5%", L"//", L"2+", L"9",
        };
        std::wstring text;
        const int pieces = static_cast<int>(m_random() % static_cast<unsigned>(maxPieces + 1));
        for (int i = 0; i < pieces; ++i) {
            const unsigned kind = m_random() % 20;
            if (kind == 0) {
                text += static_cast<wchar_t>(m_random() % 256);  // any byte, zero included
            } else if (kind == 1) {
                text += static_cast<wchar_t>(0x100 + m_random() % 0xD700);  // beyond 8 bits
            } else {
                text += kPieces[m_random() % (sizeof kPieces / sizeof kPieces[0])];
            }
        }
        return text;
    }

private:
    std::mt19937 m_random;
};

void CheckItem(const std::wstring& text) {
    COmahaHand item(text);
    const std::wstring shown = item.FormatDescription();
    ASSERT_LE(item.m_filterCount, kMaxItemFilters);
    if (!item.m_valid) {
        ASSERT_TRUE(shown.empty());
        return;
    }
    if (!item.m_isPercentile && item.m_cardCount == kItemCardCount) {
        for (int p = 0; p < kItemCardCount; ++p) {
            int allowed = 0;
            for (int r = 0; r < kRankCount; ++r) allowed += item.m_rankSets[p][r];
            ASSERT_GT(allowed, 0);
        }
    }
}

// The converter's verdict must hold in the evaluation, and the evaluator is only
// ever handed items the converter accepted.
bool CheckExpression(const std::string& text) {
    bool strayItem = false;
    RangeItemSelector select = [&](std::string_view item, CBitArray& out) {
        if (item != "0" && !COmahaHand(std::wstring(item.begin(), item.end())).m_valid) strayItem = true;
        out.Clear();
        out.SetBit(static_cast<int>(item.size()));
    };
    const int syntax = CheckRangeSyntax(text);
    CBitArray out;
    out.SetBit(999);
    const int evaluated = EvaluateRangeExpression(text, out, select);
    EXPECT_EQ(evaluated, syntax);
    EXPECT_FALSE(strayItem);
    if (syntax != 0) {
        EXPECT_EQ(out.Count(), 1);
    }
    return syntax == 0;
}

TEST(RangeFuzz, RandomTextThroughParserAndEvaluator) {
    const unsigned long seed = EnvNumber("OV_FUZZ_SEED", 20261210);
    const unsigned long rounds = EnvNumber("OV_FUZZ_ROUNDS", 40000);
    TextMaker maker(seed);
    unsigned long wellFormed = 0;
    for (unsigned long round = 0; round < rounds; ++round) {
        const std::wstring text = maker.Make(round % 4 == 0 ? 60 : 12);
        SCOPED_TRACE(testing::Message() << "seed " << seed << " round " << round);
        ASSERT_NO_FATAL_FAILURE(CheckItem(text));
        wellFormed += CheckExpression(ToNarrowString(text));
        if (HasFailure()) return;
    }
    // The texts reach the evaluator, not only the converter's first error.
    EXPECT_GT(wellFormed, rounds / 20);
}

TEST(RangeFuzz, RandomTextSelectedOnTheBase) {
    COmahaBase& base = range_fixture::Base();
    base.m_rangeSettings = RangeSettings();
    const unsigned long seed = EnvNumber("OV_FUZZ_SEED", 20261210) + 1;
    const unsigned long rounds = EnvNumber("OV_FUZZ_ROUNDS", 40000) / 200;
    TextMaker maker(seed);
    unsigned long wellFormed = 0;
    for (unsigned long round = 0; round < rounds; ++round) {
        const std::wstring text = maker.Make(8);
        SCOPED_TRACE(testing::Message() << "seed " << seed << " round " << round);
        base.SelectRange(text);
        const int hands = base.CountSelectedHands();
        ASSERT_GE(hands, 0);
        ASSERT_LE(hands, kHandCount);
        if (!base.IsValidRangeText(text)) {
            ASSERT_EQ(hands, 0);
        } else {
            ++wellFormed;
        }
        int flagged = 0;
        for (int k = 0; k < kClassCount; ++k) flagged += base.m_classFlags.m_flags[k] != 0;
        ASSERT_EQ(base.CountSelectedClasses(), flagged);
        ASSERT_LE(flagged, hands);
    }
    EXPECT_GT(wellFormed, rounds / 20);
    std::printf("%lu of %lu texts well formed\n", wellFormed, rounds);
}

TEST(RangeFuzz, HugeTextsStayLinear) {
    // A megabyte of operators and items, and parentheses nested a hundred thousand deep.
    std::string many;
    while (many.size() < (1u << 20)) many += "AA**,[AK]Q+*/ds&";
    many += "KK**";
    EXPECT_EQ(CheckRangeSyntax(many), 0);

    std::string deep(100000, '(');
    deep += "AA**";
    deep += std::string(100000, ')');
    EXPECT_EQ(CheckRangeSyntax(deep), 0);
    EXPECT_EQ(CheckRangeSyntax(deep + ")"), kRangeUnbalanced);

    std::string filters = "AA**";
    for (int i = 0; i < 100000; ++i) filters += "/np";
    EXPECT_NE(CheckRangeSyntax(filters), 0);
    EXPECT_EQ(COmahaHand(std::wstring(filters.begin(), filters.end())).m_valid, 0);

    std::wstring long_item(200000, L'A');
    EXPECT_EQ(COmahaHand(long_item).m_valid, 0);
    EXPECT_EQ(COmahaHand(long_item + L"%").m_isPercentile, 1);
}

}  // namespace
