#include "core/range_expr.h"

#include <new>
#include <vector>

const RangeOperatorRow g_rangeOperatorTable[5] = {
    {",|&!", -1},
    {"|", 15},
    {",", 15},
    {"&", 14},
    {"!", 13},
};

namespace {

constexpr int kOpenParen = 0;  // on the operator stack; rows 1..4 are operators

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsOperatorChar(char c) {
    for (const char* p = g_rangeOperatorTable[0].text; *p; ++p) {
        if (*p == c) return true;
    }
    return false;
}

bool IsItemChar(char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    switch (c) {
        case '.': case '+': case '-': case '[': case ']':
        case '*': case '%': case ':': case '/':
            return true;
        default:
            return false;
    }
}

std::wstring Widen(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (char c : text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

// Builds the postfix text and follows the operand count the evaluation will have.
class PostfixWriter {
public:
    explicit PostfixWriter(std::string& out) : m_out(out) { m_out.clear(); }

    int AppendOperand(std::string_view text) {
        m_out += ' ';
        m_out += text;
        if (++m_depth > kRangeOperandLimit) return kRangeTooDeep;
        return kRangeOk;
    }
    int AppendOperator(int row) {
        m_out += ' ';
        m_out += g_rangeOperatorTable[row].text;
        if (m_depth < 2) return kRangeUnbalanced;
        --m_depth;
        return kRangeOk;
    }
    bool Empty() const { return m_out.empty(); }
    int Depth() const { return m_depth; }

private:
    std::string& m_out;
    int m_depth = 0;
};

enum class LastToken { None, Item, Operator };

}  // namespace

int MatchRangeOperator(std::string_view text) {
    size_t run = 0;
    while (run < text.size() && IsOperatorChar(text[run])) ++run;
    if (run != 1) return -1;
    for (int row = 1; row < 5; ++row) {
        if (text[0] == g_rangeOperatorTable[row].text[0]) return row;
    }
    return -1;
}

int CountItemChars(std::string_view text) {
    size_t run = 0;
    while (run < text.size() && IsItemChar(text[run])) ++run;
    return static_cast<int>(run);
}

bool RangeOperandStack::Push(const CBitArray& set) {
    if (m_count >= kRangeOperandLimit) return false;
    m_sets[m_count++] = set;
    return true;
}

bool RangeOperandStack::Pop(CBitArray& set) {
    if (m_count == 0) return false;
    set = std::move(m_sets[--m_count]);
    m_sets[m_count] = CBitArray();
    return true;
}

int ConvertRangeToPostfix(std::string_view text, std::string& postfix, std::wstring_view randomWord) {
    PostfixWriter out(postfix);
    std::vector<int> stack;
    LastToken last = LastToken::None;
    size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (IsBlank(c)) {
            ++pos;
            continue;
        }
        if (c == '(') {
            stack.push_back(kOpenParen);
            ++pos;
            continue;
        }
        if (c == ')') {
            while (true) {
                if (stack.empty()) return kRangeUnbalanced;
                int top = stack.back();
                stack.pop_back();
                if (top == kOpenParen) break;
                if (int code = out.AppendOperator(top)) return code;
            }
            ++pos;
            continue;
        }
        if (int row = MatchRangeOperator(text.substr(pos)); row > 0) {
            // An operator without a left operand takes the empty set.
            if (last != LastToken::Item) {
                if (int code = out.AppendOperand("0")) return code;
            }
            last = LastToken::Operator;
            while (!stack.empty() && stack.back() != kOpenParen &&
                   g_rangeOperatorTable[row].precedence <= g_rangeOperatorTable[stack.back()].precedence) {
                if (int code = out.AppendOperator(stack.back())) return code;
                stack.pop_back();
            }
            stack.push_back(row);
            ++pos;
            continue;
        }
        const int length = CountItemChars(text.substr(pos));
        if (length == 0) return kRangeBadCharacter;
        const std::string_view item = text.substr(pos, static_cast<size_t>(length));
        if (!COmahaHand(Widen(item), randomWord).m_valid) return static_cast<int>(pos) + 1;
        if (int code = out.AppendOperand(item)) return code;
        last = LastToken::Item;
        pos += static_cast<size_t>(length);
    }
    while (!stack.empty()) {
        int top = stack.back();
        stack.pop_back();
        if (top == kOpenParen) return kRangeUnbalanced;
        if (int code = out.AppendOperator(top)) return code;
    }
    // Operands side by side, as in "(AA**)(KK**)", would leave all but one unused.
    if (out.Depth() > 1) return kRangeStrayOperand;
    return kRangeOk;
}

int EvaluatePostfixRange(std::string_view postfix, CBitArray& out, const RangeItemSelector& select) {
    RangeOperandStack stack;
    CBitArray working;
    size_t pos = 0;
    while (pos < postfix.size()) {
        if (IsBlank(postfix[pos])) {
            ++pos;
            continue;
        }
        const std::string_view rest = postfix.substr(pos);
        if (int row = MatchRangeOperator(rest); row > 0) {
            CBitArray right;
            CBitArray left;
            if (stack.Count() < 2) return kRangeUnbalanced;
            stack.Pop(right);
            stack.Pop(left);
            if (row == 3) {
                CBitArray::Intersection(working, left, right);
            } else if (row == 4) {
                CBitArray::Difference(working, left, right);
            } else {
                CBitArray::Union(working, left, right);
            }
            stack.Push(working);
            ++pos;
            continue;
        }
        const int length = CountItemChars(rest);
        if (length == 0) return kRangeBadCharacter;
        working.Clear();
        select(rest.substr(0, static_cast<size_t>(length)), working);
        if (!stack.Push(working)) return kRangeTooDeep;
        pos += static_cast<size_t>(length);
    }
    if (stack.Count() == 0) return kRangeOk;
    out = stack.Top();
    return stack.Count() > 1 ? kRangeStrayOperand : kRangeOk;
}

int EvaluateRangeExpression(std::string_view text, CBitArray& out, const RangeItemSelector& select,
                            std::wstring_view randomWord) {
    std::string postfix;
    try {
        if (int code = ConvertRangeToPostfix(text, postfix, randomWord)) return code;
    } catch (const std::bad_alloc&) {
        return kRangeStrayOperand;
    }
    if (postfix.empty()) return kRangeOk;
    try {
        CBitArray result;
        int code = EvaluatePostfixRange(postfix, result, select);
        if (code == kRangeOk) out = result;
        return code;
    } catch (const std::bad_alloc&) {
        return kRangeStrayOperand;
    }
}

int CheckRangeSyntax(std::string_view text, std::wstring_view randomWord) {
    std::string postfix;
    try {
        return ConvertRangeToPostfix(text, postfix, randomWord);
    } catch (const std::bad_alloc&) {
        return kRangeStrayOperand;
    }
}
