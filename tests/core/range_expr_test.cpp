// The expression language over a stand-in item selector, so that operator
// precedence, grouping and error codes are seen on small, distinct sets.
#include "core/range_expr.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

using Bits = std::set<int>;

CBitArray MakeSet(const Bits& bits) {
    CBitArray set;
    for (int bit : bits) set.SetBit(bit);
    return set;
}

Bits BitsOf(const CBitArray& set) {
    Bits bits;
    for (int i = 0; i < set.Length() * 8; ++i) {
        if (set.TestBit(i)) bits.insert(i);
    }
    return bits;
}

// Sets chosen so that every wrong grouping gives a different answer.
const std::map<std::string, Bits> kItems = {
    {"AA**", {1, 2, 3}},
    {"KK**", {3, 4, 5}},
    {"A***", {1, 4, 6, 7}},
    {"****", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
};

struct FakeSelector {
    std::vector<std::string> asked;
    RangeItemSelector Get() {
        return [this](std::string_view item, CBitArray& out) {
            asked.emplace_back(item);
            auto it = kItems.find(std::string(item));
            out = it == kItems.end() ? CBitArray() : MakeSet(it->second);
        };
    }
};

struct Evaluated {
    int code;
    Bits bits;
};

Evaluated Evaluate(const std::string& text, const Bits& before = {100}) {
    FakeSelector selector;
    CBitArray out = MakeSet(before);
    int code = EvaluateRangeExpression(text, out, selector.Get());
    return {code, BitsOf(out)};
}

TEST(RangeExpression, PrecedenceAndGrouping) {
    struct Case {
        const char* text;
        Bits bits;
    };
    const Case cases[] = {
        {"AA**", {1, 2, 3}},
        {"AA**,KK**&A***", {1, 4}},              // (AA ∪ KK) ∩ A
        {"A***&KK**,AA**", {1, 4}},              // A ∩ (KK ∪ AA)
        {"****!AA**,KK**", {0, 6, 7, 8, 9}},     // **** \ (AA ∪ KK)
        {"****!AA**!KK**", {0, 6, 7, 8, 9}},     // (**** \ AA) \ KK
        {"****!(AA**!KK**)", {0, 3, 4, 5, 6, 7, 8, 9}},
        {"(A***&KK**),AA**", {1, 2, 3, 4}},
        {"AA**|KK**", {1, 2, 3, 4, 5}},
        {"AA**,KK**", {1, 2, 3, 4, 5}},
        {"AA**&KK**|A***", {1, 3}},              // AA ∩ (KK ∪ A)
        {"AA**!KK**&A***", {1, 2, 3}},           // AA \ (KK ∩ A)
        {"AA**, ,KK**", {1, 2, 3, 4, 5}},
        {"!AA**", {}},
        {",AA**", {1, 2, 3}},
        {"&AA**", {}},
        {"AA**(!KK**)", {1, 2}},
        {" ( AA** , KK** ) & A*** ", {1, 4}},
        {"\tAA**\n|\rKK**", {1, 2, 3, 4, 5}},
        {"((((AA**))))", {1, 2, 3}},
    };
    for (const Case& c : cases) {
        Evaluated result = Evaluate(c.text);
        EXPECT_EQ(result.code, 0) << c.text;
        EXPECT_EQ(result.bits, c.bits) << c.text;
        EXPECT_EQ(CheckRangeSyntax(c.text), 0) << c.text;
    }
}

TEST(RangeExpression, ErrorsLeaveTheOutputAlone) {
    struct Case {
        const char* text;
        int code;
    };
    const Case cases[] = {
        {"(AA**", 1},       {"AA**)", 1},        {")(", 1},            {"AA**#", 3},
        {"AA**,,KK**", 3},  {"AA**||KK**", 3},   {"AA**,!KK**", 3},    {"AA**$ds", 3},
        {"AAKKQ", 1},       {"KK**,AAKKQ", 6},   {"AA**,K K**", 4},    {"AA** KK**", 4},
        {"(AA**)(KK**)", 4}, {"AA**(KK**)", 4},  {"AA**,", 1},         {"AA**&", 1},
        {"(AA**,)", 1},     {"!", 1},            {"AA**\xC4", 3},      {"?", 3},
        {"AA**\x1A", 3},
    };
    for (const Case& c : cases) {
        Evaluated result = Evaluate(c.text);
        EXPECT_EQ(result.code, c.code) << c.text;
        EXPECT_EQ(result.bits, Bits{100}) << c.text;
        EXPECT_EQ(CheckRangeSyntax(c.text), c.code) << c.text;
    }
    // An embedded zero byte is no item character.
    Evaluated zero = Evaluate(std::string("AA**\0", 5));
    EXPECT_EQ(zero.code, 3);
    EXPECT_EQ(zero.bits, Bits{100});
}

TEST(RangeExpression, EmptyExpressionKeepsTheOutput) {
    for (const char* text : {"", "()", "  ", "( ( ) )"}) {
        Evaluated result = Evaluate(text, {7, 8});
        EXPECT_EQ(result.code, 0) << text;
        EXPECT_EQ(result.bits, (Bits{7, 8})) << text;
    }
}

TEST(RangeExpression, PostfixForm) {
    struct Case {
        const char* text;
        const char* postfix;
    };
    const Case cases[] = {
        {"AA**,KK**", " AA** KK** ,"},
        {"AA**, ,KK**", " AA** 0 , KK** ,"},
        {"!AA**", " 0 AA** !"},
        {"AA**(!KK**)", " AA** KK** !"},
        {"AA**,KK**&A***", " AA** KK** , A*** &"},
        {"A***&KK**,AA**", " A*** KK** AA** , &"},
        {"****!AA**!KK**", " **** AA** ! KK** !"},
        {"10%:3/np,[AK]**", " 10%:3/np [AK]** ,"},
        {"()", ""},
    };
    for (const Case& c : cases) {
        std::string postfix = "junk";
        EXPECT_EQ(ConvertRangeToPostfix(c.text, postfix), 0) << c.text;
        EXPECT_EQ(postfix, c.postfix) << c.text;
    }
}

TEST(RangeExpression, FillerOperandIsTheEmptySet) {
    FakeSelector selector;
    CBitArray out;
    EXPECT_EQ(EvaluateRangeExpression("!AA**", out, selector.Get()), 0);
    EXPECT_EQ(selector.asked, (std::vector<std::string>{"0", "AA**"}));
    EXPECT_EQ(out.Count(), 0);
}

TEST(RangeExpression, OperandLimitIsEnforced) {
    auto nested = [](int items) {
        std::string text;
        for (int i = 0; i < items; ++i) text += i + 1 < items ? "AA**,(" : "AA**";
        text += std::string(static_cast<size_t>(items - 1), ')');
        return text;
    };
    Evaluated ten = Evaluate(nested(kRangeOperandLimit));
    EXPECT_EQ(ten.code, 0);
    EXPECT_EQ(ten.bits, (Bits{1, 2, 3}));
    Evaluated eleven = Evaluate(nested(kRangeOperandLimit + 1));
    EXPECT_EQ(eleven.code, kRangeTooDeep);
    EXPECT_EQ(eleven.bits, Bits{100});

    // Fillers count too: every "!(" adds one operand that waits.
    std::string fillers;
    for (int i = 0; i < 12; ++i) fillers += "!(";
    fillers += "AA**" + std::string(12, ')');
    EXPECT_EQ(CheckRangeSyntax(fillers), kRangeTooDeep);

    // A long flat list needs only two operands at a time.
    std::string flat = "AA**";
    for (int i = 0; i < 500; ++i) flat += ",KK**&A***!AA**";
    EXPECT_EQ(CheckRangeSyntax(flat), 0);

    // The evaluator defends itself against a postfix text it did not get from the converter.
    FakeSelector selector;
    CBitArray out = MakeSet({100});
    std::string deep;
    for (int i = 0; i < 11; ++i) deep += " AA**";
    EXPECT_EQ(EvaluatePostfixRange(deep, out, selector.Get()), kRangeTooDeep);
    EXPECT_EQ(EvaluatePostfixRange(" AA** ,", out, selector.Get()), kRangeUnbalanced);
    EXPECT_EQ(EvaluatePostfixRange(" #", out, selector.Get()), kRangeBadCharacter);
    EXPECT_EQ(BitsOf(out), Bits{100});
    EXPECT_EQ(EvaluatePostfixRange(" AA** KK**", out, selector.Get()), kRangeStrayOperand);
    EXPECT_EQ(BitsOf(out), (Bits{3, 4, 5}));
}

TEST(RangeExpression, OperatorAndItemScanners) {
    struct OperatorCase {
        const char* text;
        int row;
    };
    const OperatorCase operators[] = {
        {"|", 1}, {",", 2}, {"&", 3}, {"!", 4}, {",AA", 2}, {"! AA", 4},
        {"||", -1}, {",!", -1}, {"&&", -1}, {"", -1}, {"AA", -1}, {" ,", -1},
    };
    for (const OperatorCase& c : operators) EXPECT_EQ(MatchRangeOperator(c.text), c.row) << c.text;

    EXPECT_EQ(CountItemChars("AA**,KK"), 4);
    EXPECT_EQ(CountItemChars("[AK]Q+*/ds:3%.5-x)"), 17);
    EXPECT_EQ(CountItemChars("$"), 0);
    EXPECT_EQ(CountItemChars("?"), 0);
    EXPECT_EQ(CountItemChars(" A"), 0);
    EXPECT_EQ(CountItemChars(""), 0);
}

TEST(RangeExpression, OperandStackHoldsTen) {
    RangeOperandStack stack;
    CBitArray set = MakeSet({1});
    for (int i = 0; i < kRangeOperandLimit; ++i) EXPECT_TRUE(stack.Push(set));
    EXPECT_FALSE(stack.Push(set));
    EXPECT_EQ(stack.Count(), kRangeOperandLimit);
    CBitArray top;
    EXPECT_TRUE(stack.Pop(top));
    EXPECT_EQ(BitsOf(top), Bits{1});
    EXPECT_EQ(stack.Count(), kRangeOperandLimit - 1);
}

TEST(RangeExpression, TranslatedRandomWord) {
    EXPECT_EQ(CheckRangeSyntax("zufall/np,AA**", L"zufall"), 0);
    EXPECT_NE(CheckRangeSyntax("zufall/np,AA**"), 0);
    EXPECT_EQ(CheckRangeSyntax("random/np,AA**"), 0);
}

}  // namespace
