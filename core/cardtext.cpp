#include "core/cardtext.h"

#include "core/cards.h"

#include <algorithm>
#include <cwctype>

namespace {

wchar_t RankLetter(int rankIndex)
{
    return rankIndex >= 0 && rankIndex < 13 ? static_cast<wchar_t>(kRankLetters[rankIndex]) : L'?';
}

bool ValidSuit(int suitIndex)
{
    return suitIndex >= 0 && suitIndex < 4;
}

// Blanks removed everywhere, then white space at the end.
std::wstring CompactCardText(std::wstring_view text)
{
    std::wstring compact;
    compact.reserve(text.size());
    for (wchar_t c : text) {
        if (c != L' ')
            compact.push_back(c);
    }
    while (!compact.empty() && std::iswspace(static_cast<std::wint_t>(compact.back())))
        compact.pop_back();
    return compact;
}

wchar_t AsciiUpper(wchar_t c)
{
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

}  // namespace

std::wstring FormatRankSuit(int rankIndex, int suitIndex, int plain)
{
    if (!ValidSuit(suitIndex))
        return L"??";
    const wchar_t rank = RankLetter(rankIndex);
    if (plain)
        return std::wstring{rank, static_cast<wchar_t>(kSuitLetters[suitIndex])};
    // The class listings' own colours: d black, h red, s green, c blue.
    static const wchar_t* const kColour[4] = {L"#000000", L"#EE0000", L"#00EE00", L"#0000EE"};
    return std::wstring(L"<font color=") + kColour[suitIndex] + L">" + rank + L"</font>";
}

std::wstring FormatHandClassText(const CardPair cards[4], int plain, int pattern)
{
    std::wstring text;
    if (!pattern) {
        for (int i = 0; i < 4; ++i)
            text += FormatRankSuit(cards[i].rank, cards[i].suit, plain);
        return text;
    }
    CardPair sorted[4] = {cards[0], cards[1], cards[2], cards[3]};
    std::stable_sort(sorted, sorted + 4, [](const CardPair& a, const CardPair& b) {
        return a.suit != b.suit ? a.suit < b.suit : a.rank < b.rank;
    });
    for (int i = 0; i < 4;) {
        int end = i + 1;
        while (end < 4 && sorted[end].suit == sorted[i].suit)
            ++end;
        const bool group = end - i >= 2;
        if (group)
            text += L'[';
        for (int j = i; j < end; ++j)
            text += RankLetter(sorted[j].rank);
        if (group)
            text += L']';
        i = end;
    }
    return text;
}

std::wstring FormatCardImages(std::wstring_view text, std::wstring_view modulePath)
{
    const std::wstring compact = CompactCardText(text);
    std::wstring html;
    for (std::size_t at = 0; at + 1 < compact.size(); at += 2) {
        std::wstring name = L"bitmap_card_" + compact.substr(at, 2) + L".png";
        std::transform(name.begin(), name.end(), name.begin(), AsciiUpper);
        html += L"<img src=\"res://";
        html += modulePath;
        html += L"/" + name + L"\">";
    }
    return html;
}

std::wstring FormatHandRecordText(const HandRecord& record, int images, std::wstring_view modulePath)
{
    std::wstring text;
    for (int i = 0; i < 4; ++i) {
        if (images)
            text += FormatCardImages(FormatCard(record.ranks[i], record.suits[i], 0), modulePath);
        else
            text += FormatCard(record.ranks[i], record.suits[i], 1);
    }
    return text;
}

std::wstring FormatCard(int rankIndex, int suitIndex, int html)
{
    const wchar_t rank = RankLetter(rankIndex);
    if (!html) {
        const wchar_t suit = ValidSuit(suitIndex) ? static_cast<wchar_t>(kSuitLetters[suitIndex]) : L'?';
        return std::wstring{rank, suit};
    }
    if (!ValidSuit(suitIndex))
        return L"??";
    // Four-colour deck: d blue, h red, s black, c green.
    static const wchar_t* const kColour[4] = {L"#0000EE", L"#EE0000", L"#000000", L"#00EE00"};
    return std::wstring(L"<font color=") + kColour[suitIndex] + L">" + rank +
           static_cast<wchar_t>(kSuitLetters[suitIndex]) + L"</font>";
}

std::wstring FormatRank(int rankIndex)
{
    return std::wstring(1, RankLetter(rankIndex));
}

std::wstring FormatCardBitmapTag(int suitIndex, int rankIndex)
{
    int id = 3352;
    if (rankIndex >= 0 && rankIndex <= 12 && ValidSuit(suitIndex))
        id = 3300 + suitIndex * 13 + rankIndex;
    else if (rankIndex == -2)
        id = 3353;
    return L"<bmp idres=" + std::to_wstring(id) + L" mask>";
}

std::wstring FormatHandAsCardImages(std::wstring_view text, int gaps, std::wstring_view modulePath)
{
    const std::wstring compact = CompactCardText(text);
    std::wstring html;
    int n = 0;
    for (std::size_t at = 0; at + 1 < compact.size(); at += 2) {
        ++n;
        html += L"<img src=\"res://";
        html += modulePath;
        html += L"/bitmap_card_" + compact.substr(at, 2) + L".png\">&nbsp;";
        if (gaps && (n == 3 || n == 4))
            html += L"&nbsp;&nbsp;";
    }
    html += L"<br>\n";
    return html;
}

std::string ToNarrowString(std::wstring_view text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        narrow.push_back(code > 0xFF ? '\x1A' : static_cast<char>(code & 0xFF));
    }
    return narrow;
}
