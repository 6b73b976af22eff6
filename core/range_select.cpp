// Selecting the hands of a range text, and the counts and summary of the selection.
#include "core/cardtext.h"
#include "core/handbase.h"
#include "core/range_expr.h"
#include "core/range_match.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

std::wstring WidenAscii(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (char c : text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

// The range text as the expression language reads it: blanks removed, 8-bit.
// Validity and selection both use it, so a text shown as valid selects what it says.
std::string ExpressionText(std::wstring_view text) {
    std::wstring compact;
    compact.reserve(text.size());
    for (wchar_t c : text) {
        if (c != L' ') compact.push_back(c);
    }
    return ToNarrowString(compact);
}

std::wstring Percent(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%0.2f%%", value);
    return WidenAscii(buffer);
}

const std::wstring kEsc = L"\x1b";

}  // namespace

void COmahaBase::SelectRange(std::wstring_view text) {
    m_selection.Clear();
    if (text == L"****" || text == m_rangeSettings.randomWord) {
        std::vector<std::uint8_t> all((kHandCount + 7) / 8, 0xFF);
        all.back() = static_cast<std::uint8_t>((1u << (kHandCount % 8)) - 1);
        m_selection.Assign(static_cast<int>(all.size()), all.data());
    } else {
        auto select = [this](std::string_view item, CBitArray& out) {
            if (item == "0") {  // the converter's stand-in for a missing left operand
                out.Clear();
                return;
            }
            SelectRangeItem(out, *this, WidenAscii(item));
        };
        CBitArray result;
        EvaluateRangeExpression(ExpressionText(text), result, select, m_rangeSettings.randomWord);
        m_selection = result;
    }

    std::fill(std::begin(m_classFlags.m_flags), std::end(m_classFlags.m_flags), 0);
    if (!m_hands) return;
    const std::uint8_t* bytes = m_selection.Data();
    const int length = m_selection.Length();
    for (int b = 0; b < length; ++b) {
        if (!bytes[b]) continue;
        for (int bit = 0; bit < 8; ++bit) {
            const int i = b * 8 + bit;
            if (i >= kHandCount || !((bytes[b] >> bit) & 1)) continue;
            const int classIndex = m_hands[i].classIndex;
            if (classIndex >= 0 && classIndex < kClassCount) m_classFlags.m_flags[classIndex] = 1;
        }
    }
}

void COmahaBase::ExpandSelection(CardMask* masks, int* count) const {
    *count = 0;
    if (!m_hands) return;
    const std::uint8_t* bytes = m_selection.Data();
    const int length = m_selection.Length();
    for (int b = 0; b < length; ++b) {
        if (!bytes[b]) continue;
        for (int bit = 0; bit < 8; ++bit) {
            const int i = b * 8 + bit;
            if (i < kHandCount && ((bytes[b] >> bit) & 1)) masks[(*count)++] = HandRecordToMask(m_hands[i]);
        }
    }
}

int COmahaBase::CountSelectedClasses() const {
    int count = 0;
    for (std::int32_t flag : m_classFlags.m_flags) count += flag != 0;
    return count;
}

int COmahaBase::CountSelectedHands() const { return m_selection.Count(); }

std::wstring COmahaBase::FormatSelectionSummary(int classCount, int handCount, std::wstring_view distinctText,
                                                std::wstring_view combosText) const {
    std::wstring text;
    if (classCount >= 0) {
        text += kEsc + L"C6";
        text += kEsc + L"E" + std::to_wstring(classCount) + kEsc + L"F / 16432 " + std::wstring(distinctText);
        text += L" = " + kEsc + L"E" + Percent(classCount * 100.0 / kClassCount) + kEsc + L"F";
        text += kEsc + L"C0";
    }
    if (handCount >= 0) {
        if (!text.empty()) text += L",   ";
        text += kEsc + L"E" + std::to_wstring(handCount) + kEsc + L"F / 270725 " + std::wstring(combosText);
        text += L" = " + kEsc + L"E" + Percent(handCount * 100.0 / kHandCount) + kEsc + L"F";
    }
    return text;
}

int COmahaBase::IsValidRangeText(std::wstring_view text) const {
    if (text == m_rangeSettings.randomWord) return 1;
    return CheckRangeSyntax(ExpressionText(text), m_rangeSettings.randomWord) == 0 ? 1 : 0;
}
