#pragma once
// Range expressions: items combined with "," and "|" (union), "&" (intersection)
// and "!" (difference), grouped by parentheses. A converter checks the text and
// writes it in postfix order; an evaluator turns the postfix text into a hand set.
//
// Texts are 8-bit; items hold only ASCII characters.

#include "core/bitarray.h"
#include "core/range_item.h"

#include <functional>
#include <string>
#include <string_view>

// Result codes. A failed item reports its 1-based position instead, which may
// coincide with these values; callers only tell 0 from the rest.
enum RangeExprCode : int {
    kRangeOk = 0,
    kRangeUnbalanced = 1,     // conversion: ")" without "(" or "(" without ")";
                              // evaluation: an operator without two operands
    kRangeBadCharacter = 3,   // no blank, parenthesis, operator or item character,
                              // or a run of operator characters that is no operator
    kRangeStrayOperand = 4,   // operands without an operator between them
    kRangeTooDeep = 5,        // needs more operands at once than the stack holds
};

// The evaluator holds at most this many operands at once.
constexpr int kRangeOperandLimit = 10;

struct RangeOperatorRow {
    const char* text;
    int precedence;  // higher binds tighter
};
// Row 0 is the set of operator characters; rows 1-4 are "|", ",", "&", "!".
extern const RangeOperatorRow g_rangeOperatorTable[5];

// The operator row (1..4) of the leading run of operator characters, or -1.
int MatchRangeOperator(std::string_view text);
// Length of the leading run of item characters.
int CountItemChars(std::string_view text);

// Every operand of the evaluation in one fixed stack; Push refuses an eleventh.
class RangeOperandStack {
public:
    bool Push(const CBitArray& set);
    bool Pop(CBitArray& set);
    int Count() const { return m_count; }
    const CBitArray& Top() const { return m_sets[m_count - 1]; }

private:
    CBitArray m_sets[kRangeOperandLimit];
    int m_count = 0;
};

// Gives the hand set of one item text (the filler "0" included, which is no item).
using RangeItemSelector = std::function<void(std::string_view item, CBitArray& out)>;

// Checks the text and writes the postfix form (each token preceded by a blank).
// Besides well-formed parentheses, operators and items it checks that the
// expression evaluates to exactly one operand within the operand limit, so that
// a text that passes here also evaluates.
int ConvertRangeToPostfix(std::string_view text, std::string& postfix,
                          std::wstring_view randomWord = kDefaultRandomWord);
int EvaluatePostfixRange(std::string_view postfix, CBitArray& out, const RangeItemSelector& select);
// Converts and evaluates. The output is written only on success (0), and left
// as it was for an empty expression (nothing but blanks and parentheses).
int EvaluateRangeExpression(std::string_view text, CBitArray& out, const RangeItemSelector& select,
                            std::wstring_view randomWord = kDefaultRandomWord);
// The converter's code alone.
int CheckRangeSyntax(std::string_view text, std::wstring_view randomWord = kDefaultRandomWord);
