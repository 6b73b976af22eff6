// CSS text into rule holders: style-sheet rule sets, selectors, the attribute grammar of tags
// and rule holders, and the declarations of style attributes.
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_text.h"

#include <utility>

int (*g_pfnDetectRichTextKind)(const char16_t* text, int length) = DetectRichTextKind;

CExtRichContentLayout::CExtRichContentLayout(const char16_t* text, int kind, int angle) : m_nAngle(angle) {
    if (text) Parse(text, kind, 0, 0, true);
}

bool CExtRichContentLayout::Parse(const char16_t* text, int kind, unsigned dtFlags, unsigned extraFlags, bool clear) {
    if (kind == kRichTextDetect) {
        if (!g_pfnDetectRichTextKind) return false;
        int length = 0;
        if (text)
            while (text[length]) ++length;
        kind = g_pfnDetectRichTextKind(text, length);
    }
    switch (kind) {
    case kRichTextHtml: return ParseHtml(text, clear);
    case kRichTextCss: return ParseCss(text, clear);
    case kRichTextPlain: return ParsePlainText(text, dtFlags, extraFlags, clear);
    default: return false;
    }
}

bool CExtRichContentLayout::ParseCss(const char16_t* text, bool clear) {
    Clear(clear);
    m_nDocKind = kRichTextCss;
    if (text && *text) ParseStyleSheet(text);
    return true;
}

void CExtRichContentLayout::ParseStyleSheet(const RichString& source) {
    const RichString text = rich::Trim(source);
    if (text.empty()) return;
    RichString selector, declarations;
    bool inBlock = false;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        if (text.compare(i, 3, u"-->") == 0) {
            i += 3;
            continue;
        }
        if (text.compare(i, 2, u"/*") == 0) {
            const std::size_t end = text.find(u"*/", i + 2);
            if (end == RichString::npos) break;
            i = end + 2;
            continue;
        }
        const char16_t c = text[i++];
        if (c == u'{') {
            inBlock = true;
        } else if (c == u'}') {
            if (!selector.empty() && !declarations.empty()) {
                RichString escaped;
                for (char16_t d : declarations) {
                    if (d == u'"') escaped.push_back(u'\\');
                    escaped.push_back(d);
                }
                std::size_t start = 0;
                for (;;) {
                    const std::size_t comma = selector.find(u',', start);
                    const RichString part = rich::Lower(rich::Trim(
                        std::u16string_view(selector).substr(start, comma == RichString::npos ? RichString::npos
                                                                                              : comma - start)));
                    if (CExtRichContentItem* holder = ParseSelector(part)) {
                        holder->m_strName = part + u" style=\"" + escaped + u"\"";
                        holder->ParseTagText();
                    }
                    if (comma == RichString::npos) break;
                    start = comma + 1;
                }
            }
            selector.clear();
            declarations.clear();
            inBlock = false;
        } else {
            (inBlock ? declarations : selector).push_back(c);
        }
    }
}

CExtRichContentItem* CExtRichContentLayout::ParseSelector(const RichString& text) {
    const RichString selector = rich::Lower(rich::Trim(text, rich::kKeyTrim));
    if (selector.empty() || selector[0] == u':') return nullptr;
    const std::size_t colon = selector.find(u':');
    const RichString key = selector.substr(0, colon);
    CExtRichContentItem* base = FindRuleHolder(key);
    if (!base) {
        base = new (this) CExtRichContentItem(this, kRichItemStateHolder);
        base->m_strName = key;
        m_mapRuleHolders[rich::Lower(rich::Trim(key, rich::kKeyTrim))] = base;
    }
    if (colon == RichString::npos) return base;

    const RichString pseudo = selector.substr(colon);
    RichUiStateSet states;
    static const struct {
        const char16_t* name;
        int index;
    } kElements[] = {{u":after", RichUiState::After},
                     {u":before", RichUiState::Before},
                     {u":first-child", RichUiState::FirstChild},
                     {u":first-letter", RichUiState::FirstLetter},
                     {u":first-line", RichUiState::FirstLine}},
      kClasses[] = {{u":active", RichUiState::Active},     {u":focus", RichUiState::Focus},
                    {u":selection", RichUiState::Selected}, {u":selected", RichUiState::Selected},
                    {u":hover", RichUiState::Hover},       {u":pressed", RichUiState::Pressed},
                    {u":link", RichUiState::Link},         {u":visited", RichUiState::Visited},
                    {u":disabled", RichUiState::Disabled}};
    bool element = false;
    if (pseudo.find(u':', 1) == RichString::npos)
        for (const auto& e : kElements)
            if (pseudo == e.name) {
                states[e.index] = RichUiState::On;
                element = true;
            }
    if (!element) {
        for (std::size_t start = 0; start < pseudo.size();) {
            std::size_t next = pseudo.find(u':', start + 1);
            if (next == RichString::npos) next = pseudo.size();
            const RichString token = pseudo.substr(start, next - start);
            for (const auto& c : kClasses)
                if (token == c.name) states[c.index] = RichUiState::On;
            start = next;
        }
        if (states.IsEmpty()) return nullptr;
    }
    CExtRichContentItem* holder = new (this) CExtRichContentItem(this, kRichItemStateHolder);
    holder->m_strName = key;
    holder->m_states = states;
    base->Extras().m_listAux.AddTail(holder);
    m_listItems.AddTail(holder);
    return holder;
}

// ---- tag text ----

namespace {

bool IsBlank(char16_t c) { return rich::IsOneOf(c, rich::kBlanks); }
bool IsEscapable(char16_t c) { return c == u'"' || c == u'\'' || c == u'\\'; }

}  // namespace

bool CExtRichContentItem::ParseTagText() {
    const bool element = m_nKind == kRichItemElement && !(m_nTagFlags & kRichTagEnd) && !m_strName.empty();
    if (!element && m_nKind != kRichItemStateHolder) return true;
    std::size_t nameEnd = 0;
    while (nameEnd < m_strName.size() && !IsBlank(m_strName[nameEnd])) ++nameEnd;
    std::size_t restStart = nameEnd;
    while (restStart < m_strName.size() && IsBlank(m_strName[restStart])) ++restStart;
    m_strValue = m_strName.substr(restStart);
    m_strName.resize(nameEnd);
    m_strName.shrink_to_fit();  // a short name keeps no buffer of the whole tag's size
    const RichString& text = m_strValue;

    RichString name, value;
    bool readingValue = false;
    auto endAttribute = [&] {
        RichString n = rich::Trim(name), v = rich::Trim(value);
        if (!n.empty() && !v.empty()) AddAttribute(rich::Lower(n), v);
        name.clear();
        value.clear();
        readingValue = false;
    };
    // Reads a quoted run from just after its opening quote; an escaped closing quote stays in it.
    // The other quote opens a nested run whose characters are taken as they are.
    auto quotedRun = [&](std::size_t& i, char16_t quote) {
        const char16_t other = quote == u'"' ? u'\'' : u'"';
        // The next outer quote, found once and again only when passed: keeps long runs linear.
        std::size_t outer = RichString::npos;
        bool outerKnown = false;
        while (i < text.size()) {
            char16_t d = text[i];
            if (d == u'\\' && i + 1 < text.size() && IsEscapable(text[i + 1])) {
                if (text[i + 1] == other) {  // an escaped nested quote still opens the nested run
                    d = other;
                    ++i;
                } else {
                    value.push_back(text[i + 1]);
                    i += 2;
                    continue;
                }
            }
            ++i;
            if (d == quote) return;
            if (d == other) {
                // A nested run ends at its own quote; one that would run past the end of the outer
                // run is a plain character ("it's").
                const std::size_t close = text.find(other, i);
                if (!outerKnown || (outer != RichString::npos && outer < i)) {
                    outer = text.find(quote, i);
                    outerKnown = true;
                }
                if (close != RichString::npos && (outer == RichString::npos || close < outer)) {
                    value.append(text, i, close - i);
                    i = close + 1;
                    continue;
                }
            }
            value.push_back(d);
        }
    };
    // A "/*" that never closes is plain text (an address such as "a/*b" keeps its characters);
    // once one fails to close, no later one can.
    bool commentsClosed = false;
    for (std::size_t i = 0; i < text.size();) {
        if (!commentsClosed && text.compare(i, 2, u"/*") == 0) {
            const std::size_t end = text.find(u"*/", i + 2);
            if (end != RichString::npos) {
                i = end + 2;
                continue;
            }
            commentsClosed = true;
        }
        char16_t c = text[i];
        bool escaped = false;
        if (c == u'\\' && i + 1 < text.size() && IsEscapable(text[i + 1])) {
            c = text[++i];
            escaped = true;
        }
        ++i;
        if (!readingValue) {
            if (c == u'=' && !escaped) {
                if (rich::Trim(name).empty()) {
                    m_nParseState = kRichParseNoName;
                    return false;
                }
                readingValue = true;
            } else {
                name.push_back(c);
            }
            continue;
        }
        if (IsBlank(c) && !value.empty()) {
            endAttribute();
        } else if (c == u'"' || c == u'\'') {
            quotedRun(i, c);
        } else {
            value.push_back(c);
        }
    }
    endAttribute();
    for (CExtRichContentItem* attribute : m_listAttributes) {
        if (attribute->m_strValue.find(u'"') != RichString::npos) {
            RichString escaped;
            for (char16_t d : attribute->m_strValue) {
                if (d == u'"') escaped.push_back(u'\\');
                escaped.push_back(d);
            }
            attribute->m_strValue = std::move(escaped);
        }
        attribute->ParseStyleAttribute();
    }
    m_strValue.clear();
    m_strValue.shrink_to_fit();
    return true;
}

// ---- declarations ----

bool CExtRichContentItem::ParseStyleAttribute() {
    if ((m_nKind != kRichItemAttribute && m_nKind != kRichItemStyleAttribute) || !rich::EqualsAscii(m_strName, "style"))
        return true;
    m_nKind = kRichItemStyleAttribute;
    const RichString text = m_strValue;
    RichString name, value;
    bool readingValue = false;
    auto emit = [&] {
        auto* declaration = new (m_pLayout) CExtRichContentItem(m_pLayout, kRichItemDeclaration, this);
        declaration->m_strName = rich::Lower(rich::Trim(name));
        declaration->m_strValue = rich::Trim(value);
        m_listAttributes.AddTail(declaration);
        if (declaration->m_strName == u"content")
            SplitContentValue(declaration->m_listAttributes, value);
        else
            SplitDeclarationValue(declaration->m_listAttributes, value);
        for (CExtRichContentItem* token : declaration->m_listAttributes) token->m_pParent = declaration;
        name.clear();
        value.clear();
        readingValue = false;
    };
    for (std::size_t i = 0; i < text.size();) {
        RichString& buffer = readingValue ? value : name;
        char16_t c = text[i];
        if (c == u'\\' && i + 1 < text.size() && IsEscapable(text[i + 1])) {
            buffer.push_back(text[i + 1]);
            i += 2;
            continue;
        }
        ++i;
        if (c == u'"') {
            while (i < text.size() && text[i] != u'"') {
                if (text[i] == u'\\' && i + 1 < text.size() && IsEscapable(text[i + 1])) ++i;
                buffer.push_back(text[i++]);
            }
            if (i < text.size()) ++i;
            continue;
        }
        if (!readingValue) {
            if (c == u':') {
                if (rich::Trim(name).empty()) {
                    m_nParseState = kRichParseNoName;
                    m_strValue.clear();
                    return false;
                }
                readingValue = true;
            } else {
                name.push_back(c);
            }
        } else if (c == u';') {
            emit();
        } else {
            value.push_back(c);
        }
    }
    if (!rich::Trim(name).empty()) emit();
    m_strValue.clear();
    return true;
}
