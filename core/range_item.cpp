#include "core/range_item.h"

#include "core/range_filter.h"
#include "core/range_text.h"

#include <cstdio>

namespace {

constexpr std::wstring_view kRankLettersByIndex = L"AKQJT98765432";
constexpr std::wstring_view kRankClassLetters = L"BMZLNWFRY*?";
constexpr std::wstring_view kSuitLetterSet = L"dhsc";

int RankLetterIndex(wchar_t c) {
    size_t at = kRankLettersByIndex.find(c);
    return at == std::wstring_view::npos ? -1 : static_cast<int>(at);
}

// Rank sets of the rank-class letters, as the letters of the ranks they allow.
std::wstring_view RankClassMembers(wchar_t letter) {
    switch (letter) {
        case L'B': return L"AKQJ";
        case L'R': return L"AKQJT";
        case L'N': return L"KQJT9";
        case L'F': return L"KQJ";
        case L'M': return L"T987";
        case L'Z': return L"65432";
        case L'Y': return L"5432";
        case L'L': return L"A8765432";
        case L'W': return L"A5432";
        case L'*':
        case L'?': return kRankLettersByIndex;  // "?" is read as any rank
        default: return {};
    }
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring FormatPercent(const char* format, double a, double b = 0.0) {
    int size = std::snprintf(nullptr, 0, format, a, b);
    if (size <= 0) return {};
    std::string out(static_cast<size_t>(size) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, a, b);
    out.resize(static_cast<size_t>(size));
    return Widen(out);
}

}  // namespace

COmahaHand::COmahaHand(std::wstring_view text, std::wstring_view randomWord)
    : m_randomWord(randomWord) {
    Reset();
    Parse(text);
}

void COmahaHand::Reset() {
    m_text.clear();
    m_cardCount = 0;
    for (int i = 0; i < kItemCardCount; ++i) {
        m_rankTexts[i].clear();
        m_suitTexts[i].clear();
        m_groups[i] = 0;
        for (int& flag : m_rankSets[i]) flag = 0;
    }
    for (int i = 0; i < m_filterCount && i < kMaxItemFilters; ++i) m_filters[i].clear();
    m_filterCount = 0;
    m_valid = 1;
    m_isPercentile = 0;
    m_percentLow = 0.0;
    m_percentHigh = 0.0;
    m_order = 0;
    m_pointsRange[0] = m_pointsRange[1] = -1;
    m_straightShapeRange[0] = m_straightShapeRange[1] = -1;
    m_straightFlushShapeRange[0] = m_straightFlushShapeRange[1] = -1;
}

void COmahaHand::Parse(std::wstring_view input) {
    Reset();
    if (input.empty()) return;
    std::wstring text(TrimBlanks(input));
    if (text == m_randomWord) text = L"****";
    for (wchar_t& c : text) {
        if (c == L'$') c = L'/';
    }

    std::wstring filterPart;
    bool hasFilters = false;
    if (size_t slash = text.find(L'/'); slash != std::wstring::npos) {
        filterPart = text.substr(slash + 1);
        hasFilters = true;
        text.resize(slash);
    }
    std::wstring orderPart;
    if (size_t colon = text.find(L':'); colon != std::wstring::npos) {
        orderPart = text.substr(colon + 1);
        text.resize(colon);
    }
    m_text = text;

    if (!m_randomWord.empty() && text == m_randomWord) {
        // "random/np": every position takes any card.
        for (int i = 0; i < kItemCardCount; ++i) {
            m_rankTexts[i] = L"*";
            RankTokenToSet(L"*", m_rankSets[i]);
        }
        m_cardCount = kItemCardCount;
    } else if (!text.empty() && text.back() == L'%') {
        text.pop_back();
        m_text = text;
        size_t dash = text.find(L'-');
        if (dash != std::wstring::npos && dash > 0) {
            m_percentLow = ReadLeadingDecimal(TrimBlanks(std::wstring_view(text).substr(0, dash)));
            m_percentHigh = ReadLeadingDecimal(TrimBlanks(std::wstring_view(text).substr(dash + 1)));
        } else {
            m_percentLow = 0.0;
            m_percentHigh = ReadLeadingDecimal(text);
        }
        m_isPercentile = 1;
        m_order = ReadLeadingInt(orderPart);
    } else {
        ParseHandPattern(std::move(text));
        if (!m_valid) return;
    }
    if (hasFilters) ParseFilters(filterPart);
}

void COmahaHand::ParseHandPattern(std::wstring text) {
    PadHandText(text);
    m_text = text;
    const size_t length = text.size();
    size_t pos = 0;
    int groupCounter = 0;
    bool open = false;
    while (pos < length && m_cardCount < kItemCardCount) {
        if (text[pos] == L'[') {
            if (open) {
                m_valid = 0;
                return;
            }
            ++pos;
            ++groupCounter;
            open = true;
        }
        std::wstring rank;
        if (!ReadRankToken(text, pos, rank)) break;
        if (open) m_groups[m_cardCount] = groupCounter;
        std::wstring suit;
        ReadSuitToken(text, pos, suit);
        m_rankTexts[m_cardCount] = rank;
        m_suitTexts[m_cardCount] = suit;
        ++m_cardCount;
        if (pos < length && text[pos] == L']') {
            if (!open) break;
            ++pos;
            open = false;
        }
    }
    if (open || pos != length || m_cardCount != kItemCardCount) {
        m_valid = 0;
        return;
    }
    for (int i = 0; i < kItemCardCount; ++i) RankTokenToSet(m_rankTexts[i], m_rankSets[i]);
}

void COmahaHand::ParseFilters(std::wstring_view filterPart) {
    size_t start = 0;
    while (true) {
        size_t slash = filterPart.find(L'/', start);
        bool last = slash == std::wstring_view::npos;
        std::wstring_view piece = filterPart.substr(start, last ? std::wstring_view::npos : slash - start);
        if (last && piece.empty()) return;  // a text ending in "/"
        if (!ParseFilter(piece) || m_filterCount >= kMaxItemFilters) {
            m_valid = 0;
            return;
        }
        m_filters[m_filterCount++] = std::wstring(piece);
        if (last) return;
        start = slash + 1;
    }
}

int COmahaHand::ReadRankToken(std::wstring_view text, size_t& pos, std::wstring& token) {
    token.clear();
    if (pos >= text.size()) return 0;
    wchar_t c = text[pos];
    if (RankLetterIndex(c) >= 0) {
        size_t at = pos + 1;
        if (at < text.size() && text[at] == L'+') {
            token = text.substr(pos, 2);
            pos = at + 1;
            return 1;
        }
        if (at < text.size() && text[at] == L'-') {
            // Past the letter and the "-" even when no second letter follows.
            pos = at + 1;
            if (pos < text.size() && RankLetterIndex(text[pos]) >= 0) {
                token = text.substr(pos - 2, 3);
                ++pos;
                return 1;
            }
            return 0;
        }
        token = text.substr(pos, 1);
        pos = at;
        return 1;
    }
    if (kRankClassLetters.find(c) != std::wstring_view::npos) {
        token = text.substr(pos, 1);
        ++pos;
        return 1;
    }
    return 0;
}

int COmahaHand::ReadSuitToken(std::wstring_view text, size_t& pos, std::wstring& token) {
    token.clear();
    if (pos >= text.size() || kSuitLetterSet.find(text[pos]) == std::wstring_view::npos) return 0;
    token = text.substr(pos, 1);
    ++pos;
    return 1;
}

void COmahaHand::RankTokenToSet(std::wstring_view token, int flags[kRankCount]) {
    for (int i = 0; i < kRankCount; ++i) flags[i] = 0;
    if (token.empty()) return;
    int first = RankLetterIndex(token[0]);
    if (first < 0) {
        if (token.size() == 1) {
            for (wchar_t letter : RankClassMembers(token[0])) flags[RankLetterIndex(letter)] = 1;
        }
        return;
    }
    int low = first;
    int high = first;
    if (token.size() == 2 && token[1] == L'+') {
        low = 0;  // the letter and every higher rank
    } else if (token.size() == 3 && token[1] == L'-') {
        int second = RankLetterIndex(token[2]);
        if (second < 0) return;
        low = first < second ? first : second;
        high = first < second ? second : first;
    } else if (token.size() != 1) {
        return;
    }
    for (int i = low; i <= high; ++i) flags[i] = 1;
}

void COmahaHand::PadHandText(std::wstring& text) {
    std::wstring copy;
    bool hasBrackets = false;
    for (wchar_t c : text) {
        if (c == L'[' || c == L']') {
            hasBrackets = true;
        } else {
            copy.push_back(c);
        }
    }
    const size_t length = copy.size();
    std::wstring cards;
    size_t pos = 0;
    int read = 0;
    if (length >= 1) {
        while (read < kItemCardCount) {
            std::wstring token;
            if (ReadRankToken(copy, pos, token)) {
                cards += token;
            } else {
                cards += L'*';
            }
            std::wstring suit;
            if (ReadSuitToken(copy, pos, suit)) cards += suit;
            ++read;
            if (pos >= length) break;
        }
    }
    if (pos != length) return;
    std::wstring missing(static_cast<size_t>(kItemCardCount - read), L'*');
    text = hasBrackets ? text + missing : cards + missing;
}

int COmahaHand::ParseFilter(std::wstring_view filter) {
    if (!filter.empty() && filter[0] == L'/') filter.remove_prefix(1);
    if (filter.empty()) return 1;
    if (FindFilterKeyword(filter)) return 1;
    if (filter[0] == L'r') {
        if (filter.size() < 2 || filter.size() > 4) return 0;
        for (size_t i = 1; i < filter.size(); ++i) {
            if (filter[i] < L'0' || filter[i] > L'9') return 0;
        }
        return 1;
    }
    int* range = nullptr;
    std::wstring_view numbers;
    if (filter.size() > 2 && filter.substr(0, 2) == L"sf") {
        range = m_straightFlushShapeRange;
        numbers = filter.substr(2);
    } else if (filter[0] == L's') {
        range = m_straightShapeRange;
        numbers = filter.substr(1);
    } else if (filter[0] == L'h') {
        range = m_pointsRange;
        numbers = filter.substr(1);
    } else {
        return 0;
    }
    int low = 0;
    int high = 0;
    if (!ParseNumberRange(numbers, &low, &high)) return 0;
    range[0] = low;
    range[1] = high;
    return 1;
}

std::wstring COmahaHand::GetFilter(int index) const {
    if (index < 0 || index >= kMaxItemFilters) return {};
    return m_filters[index];
}

std::wstring COmahaHand::FormatDescription() const {
    if (!m_valid) return {};
    std::wstring out;
    if (!m_isPercentile) {
        const std::wstring boldOn = L"\x1b" L"E";
        const std::wstring boldOff = L"\x1b" L"F";
        for (int i = 0; i < kItemCardCount; ++i) {
            if (i == 0) {
                if (m_groups[0] != 0) out += L'[';
            } else if (m_groups[i] != m_groups[i - 1]) {
                if (m_groups[i - 1] != 0) out += L']';
                if (m_groups[i] != 0) out += L'[';
            }
            out += boldOn + m_rankTexts[i] + m_suitTexts[i] + boldOff;
        }
        if (m_groups[kItemCardCount - 1] != 0) out += L']';
    } else if (m_percentHigh > 0.0) {
        out = m_percentLow != 0.0 ? FormatPercent("%0.1f-%0.1f%%", m_percentLow, m_percentHigh)
                                  : FormatPercent("%0.1f%%", m_percentHigh);
        if (m_order >= 1) out += L':' + std::to_wstring(m_order);
    }
    for (int i = 0; i < m_filterCount && i < kMaxItemFilters; ++i) out += L'/' + m_filters[i];
    return out;
}

int ParseNumberRange(std::wstring_view text, int* low, int* high) {
    auto allDigits = [](std::wstring_view digits) {
        if (digits.empty()) return false;
        for (wchar_t c : digits) {
            if (c < L'0' || c > L'9') return false;
        }
        return true;
    };
    if (text.empty()) return 0;
    if (text.back() == L'+') {
        std::wstring_view n = text.substr(0, text.size() - 1);
        if (!allDigits(n)) return 0;
        *low = ReadLeadingInt(n);
        *high = kNumberRangeOpenHigh;
        return 1;
    }
    size_t dash = text.find(L'-');
    if (dash != std::wstring_view::npos && dash > 0) {
        std::wstring_view n = text.substr(0, dash);
        std::wstring_view m = text.substr(dash + 1);
        if (!allDigits(n) || (!m.empty() && !allDigits(m))) return 0;
        *low = ReadLeadingInt(n);
        *high = m.empty() ? 0 : ReadLeadingInt(m);
        return 1;
    }
    if (!allDigits(text)) return 0;
    *low = *high = ReadLeadingInt(text);
    return 1;
}

int IsValidCardText(std::wstring_view text) {
    if (text.empty()) return 1;
    if (text.size() != 2) return 0;
    return std::wstring_view(L"23456789TJQKA").find(text[0]) != std::wstring_view::npos &&
           std::wstring_view(L"cdhs").find(text[1]) != std::wstring_view::npos;
}

int IsValidHandText(std::wstring_view text) {
    if (text.size() != 8) return 0;
    for (size_t i = 0; i < 8; i += 2) {
        if (!IsValidCardText(text.substr(i, 2))) return 0;
    }
    return 1;
}
