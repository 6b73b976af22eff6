// The HTML reader: cuts a text into tag and text tokens, splits text into words, hands the text
// of style elements to the style sheet reader and builds the element tree with the implicit
// closings of HTML. It never gives up on bad markup: faults are counted and marked on the items,
// and every input, however malformed, ends in a tree.
#include "toolkit/richcontent/rich_doc_objects.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_text.h"

#include <initializer_list>
#include <utility>
#include <vector>

namespace {

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsQuote(char16_t c) { return c == u'"' || c == u'\''; }
bool IsBlank(char16_t c) { return rich::IsOneOf(c, rich::kBlanks); }

bool In(const RichString& name, std::initializer_list<const char16_t*> set) {
    for (const char16_t* s : set)
        if (name == s) return true;
    return false;
}

// Element-name sets of the tree builder.
bool IsParagraphLike(const RichString& n) { return In(n, {u"p", u"colgroup"}); }
bool IsSelfClosingSibling(const RichString& n) { return In(n, {u"dd", u"dt", u"li", u"option", u"td", u"th", u"tr"}); }
bool IsBlock(const RichString& n) {
    return In(n, {u"html",     u"body",     u"p",    u"div",   u"layer", u"nav",   u"marquee", u"address",
                  u"blockquote", u"center", u"h1",   u"h2",    u"h3",    u"h4",    u"h5",      u"h6",
                  u"table",    u"thead",    u"tbody", u"tfoot", u"col",  u"colgroup", u"tr",   u"td",
                  u"th",       u"caption",  u"ul",   u"menu",  u"dir",   u"ol",    u"dd",      u"dl",
                  u"dt",       u"pre",      u"xmp",  u"plaintext", u"listing", u"frameset", u"frame"});
}
bool IsTableSection(const RichString& n) { return In(n, {u"thead", u"tbody", u"tfoot"}); }
bool IsCell(const RichString& n) { return In(n, {u"th", u"td"}); }
bool IsDefinition(const RichString& n) { return In(n, {u"dd", u"dt"}); }
bool ClosesParagraph(const RichString& n) { return IsSelfClosingSibling(n) || IsParagraphLike(n) || IsBlock(n); }

int HeadElementKind(const RichString& n) {
    if (n == u"title") return kRichItemTitle;
    if (n == u"style") return kRichItemStyle;
    if (n == u"script") return kRichItemScript;
    if (n == u"meta") return kRichItemMeta;
    if (n == u"link") return kRichItemLink;
    return kRichItemElement;
}

// The value of an attribute of a link element as the link tests compare it.
RichString LinkValue(const CExtRichContentItem* link, const char16_t* name) {
    const CExtRichContentItem* attribute = link->FindAttribute(name);
    return attribute ? rich::Lower(rich::Trim(attribute->m_strValue, u" \t\r\n'\"")) : RichString();
}

// The style sheet a link element names, empty when it names none.
RichString LinkedStyleSheet(const CExtRichContentItem* link) {
    if (LinkValue(link, u"type") != u"text/css" || LinkValue(link, u"rel") != u"stylesheet") return RichString();
    return LinkValue(link, u"href");
}

// The tag name of a tag token: the text up to the first blank, lower-cased. Attribute values keep
// their case (a link target, a class name, an image source).
void LowerTagName(RichString& tag) {
    for (char16_t& c : tag) {
        if (IsBlank(c)) break;
        c = rich::ToLower(c);
    }
}

// The element tree, built while the text is read: each batch of items the reader appends is
// placed at once, so that the closing tags the tree has used up can go right away (a long page
// has as many of them as elements) and their memory serves the next items.
class CHtmlTreeBuilder {
public:
    explicit CHtmlTreeBuilder(CExtRichContentLayout& doc) : m_doc(doc) {}
    // Places the items appended to the document's list since the last call.
    void Place();
    // Marks what is left open and the links to undefined style sheets; the faults counted.
    int Finish();

private:
    const RichString& CurrentName() const { return m_current->m_strName; }
    void CloseCurrent() {
        if (m_current == m_root) return;
        if (!m_stack.empty()) m_stack.pop_back();
        m_current = m_current->m_pParent ? m_current->m_pParent : m_root;
    }
    bool IsOpen(const RichString& name) const {
        for (CExtRichContentItem* e = m_current; e && e != m_root; e = e->m_pParent)
            if (e->m_strName == name) return true;
        return false;
    }
    // False for a closing tag that matched no open element.
    bool PlaceClosing(CExtRichContentItem* tag);
    void PlaceOpening(CExtRichContentItem* element);

    CExtRichContentLayout& m_doc;
    CExtRichContentItem* m_root = nullptr;
    CExtRichContentItem* m_current = nullptr;
    RichPosition m_placed = nullptr;  // the last item placed (or kept without a place)
    std::vector<CExtRichContentItem*> m_stack;
    int m_faults = 0;
};

class CHtmlTokenizer {
public:
    CHtmlTokenizer(CExtRichContentLayout& doc, CHtmlTreeBuilder& builder, const char16_t* text)
        : m_doc(doc), m_builder(builder), m_text(text) {
        while (m_text[m_length]) ++m_length;
    }

    // Reads the whole text into the item list; `faults` counts the rejected tags.
    void Run(int& faults);

private:
    char16_t At(std::size_t i) const { return i < m_length ? m_text[i] : u'\0'; }
    bool Starts(std::size_t i, const char16_t* s) const {
        for (; *s; ++s, ++i)
            if (At(i) != *s) return false;
        return true;
    }
    std::size_t Find(std::size_t from, const char16_t* s) const {
        for (std::size_t i = from; i < m_length; ++i)
            if (Starts(i, s)) return i;
        return RichString::npos;
    }
    // Whether the last item read is an opening style element, as read (the tree builder gives
    // head elements their own kinds, and drops used closing tags, right after).
    bool LastIsOpeningStyle() const { return m_lastOpensStyle; }
    // Inside a tag "/*" opens a comment only when it closes before the tag does, so that a "/*"
    // in an address cannot swallow the rest of the page.
    bool TagCommentEnd(std::size_t i, std::size_t& end);
    // A quote right after "=" opens an attribute value in which ">" does not end the tag, when
    // the value closes before the next "<": a stray quote cannot swallow the page, and a quote
    // in text ("<i>"No"</i>") is never taken for a value.
    bool OpensQuotedValue(std::size_t i) const;
    void EndToken(bool selfClosing, int& faults);
    void EndTag(bool selfClosing, int& faults);
    void EndText();

    CExtRichContentLayout& m_doc;
    CHtmlTreeBuilder& m_builder;
    const char16_t* m_text;
    std::size_t m_length = 0;
    RichString m_buffer;
    CExtRichContentItem m_textToken{&m_doc, kRichItemText};
    bool m_inTag = false, m_inPre = false, m_inStyle = false;
    bool m_lastOpensStyle = false;
    char16_t m_valueQuote = 0;  // the quote of the open attribute value, 0 outside one
    // Cached searches of the tag comments (both only move forward, so reading stays linear).
    std::size_t m_nextGreater = 0, m_nextCommentEnd = 0;
    bool m_greaterKnown = false, m_commentEndKnown = false;
};

bool CHtmlTokenizer::TagCommentEnd(std::size_t i, std::size_t& end) {
    if (!m_greaterKnown || (m_nextGreater != RichString::npos && m_nextGreater < i)) {
        m_nextGreater = Find(i, u">");
        m_greaterKnown = true;
    }
    if (!m_commentEndKnown || (m_nextCommentEnd != RichString::npos && m_nextCommentEnd < i + 2)) {
        m_nextCommentEnd = Find(i + 2, u"*/");
        m_commentEndKnown = true;
    }
    if (m_nextCommentEnd == RichString::npos || (m_nextGreater != RichString::npos && m_nextGreater < m_nextCommentEnd))
        return false;
    end = m_nextCommentEnd + 2;
    return true;
}

bool CHtmlTokenizer::OpensQuotedValue(std::size_t i) const {
    std::size_t last = m_buffer.size();
    while (last > 0 && IsBlank(m_buffer[last - 1])) --last;
    if (last == 0 || m_buffer[last - 1] != u'=') return false;
    const char16_t quote = m_text[i];
    for (std::size_t j = i + 1; j < m_length; ++j) {
        if (m_text[j] == u'<') return false;
        if (m_text[j] == quote && m_text[j - 1] != u'\\') return true;
    }
    return false;
}

void CHtmlTokenizer::Run(int& faults) {
    std::size_t i = 0;
    while (i < m_length) {
        if (!m_inTag && Starts(i, u"<!--")) {
            if (LastIsOpeningStyle()) {
                // The style sheet reader skips the closing "-->" itself.
                i += 4;
                continue;
            }
            const std::size_t end = Find(i + 4, u"-->");
            if (end == RichString::npos) break;  // an unclosed comment ends the text
            i = end + 3;
            continue;
        }
        if (m_inTag && Starts(i, u"/*")) {
            std::size_t end = 0;
            if (TagCommentEnd(i, end)) {
                i = end;
                continue;
            }
        }
        const char16_t c = m_text[i];
        if (!m_inTag) {
            const char16_t next = At(i + 1);
            if (c == u'<' && (IsAsciiLetter(next) || next == u'/' || next == u'!')) {
                EndToken(false, faults);
                ++i;
                continue;
            }
            m_buffer.push_back(c);
            ++i;
            continue;
        }
        if (m_valueQuote) {
            if (c == m_valueQuote && !(i > 0 && m_text[i - 1] == u'\\')) m_valueQuote = 0;
            m_buffer.push_back(c);
            ++i;
            continue;
        }
        if (IsQuote(c) && OpensQuotedValue(i)) {
            m_valueQuote = c;
            m_buffer.push_back(c);
            ++i;
            continue;
        }
        if (c == u'>') {
            EndToken(false, faults);
            ++i;
            continue;
        }
        if (c == u'/' && At(i + 1) == u'>') {
            EndToken(true, faults);
            i += 2;
            continue;
        }
        m_buffer.push_back(c);
        ++i;
    }
    if (m_inTag) return;  // an unfinished tag is dropped
    EndText();
    m_builder.Place();
}

void CHtmlTokenizer::EndToken(bool selfClosing, int& faults) {
    m_valueQuote = 0;
    const CExtRichContentItem* tail = m_doc.m_listItems.GetTail();
    if (m_inTag)
        EndTag(selfClosing, faults);
    else
        EndText();
    if (const CExtRichContentItem* last = m_doc.m_listItems.GetTail(); last != tail) {
        m_lastOpensStyle = last->m_nKind == kRichItemElement && !(last->m_nTagFlags & (kRichTagEnd | kRichTagEmpty)) &&
                           rich::EqualsAscii(last->m_strName, "style");
        m_builder.Place();
    }
    m_buffer.clear();
    m_inTag = !m_inTag;
}

void CHtmlTokenizer::EndTag(bool selfClosing, int& faults) {
    RichString tag = rich::Trim(m_buffer);
    const bool closing = !tag.empty() && tag[0] == u'/';
    if (closing) {
        tag.erase(0, 1);
        // A closing tag is its name alone.
        std::size_t end = 0;
        while (end < tag.size() && !IsBlank(tag[end])) ++end;
        tag.resize(end);
    }
    LowerTagName(tag);
    if (tag.empty()) return;
    auto* item = new (&m_doc) CExtRichContentItem(&m_doc, kRichItemElement);
    item->m_strName = std::move(tag);
    if (closing) item->m_nTagFlags |= kRichTagEnd;
    if (selfClosing) item->m_nTagFlags |= kRichTagEmpty;
    if (!item->ParseTagText()) {
        // An "=" without a name: the element stays, marked, with the attributes read so far.
        item->m_nParseState = kRichParseTagRejected;
        ++faults;
    }
    if (closing && item->IsVoidElement()) {
        delete item;
        return;
    }
    if (item->IsVoidElement()) item->m_nTagFlags |= kRichTagEmpty;
    // A self-closed pre or style element holds nothing, so it switches no mode.
    const bool opens = !closing && !(item->m_nTagFlags & kRichTagEmpty);
    if (item->m_strName == u"pre" && (opens || closing)) m_inPre = opens;
    if (item->m_strName == u"style" && (opens || closing)) m_inStyle = opens;
    m_doc.m_listItems.AddTail(item);
}

void CHtmlTokenizer::EndText() {
    bool counts = false;
    for (char16_t c : m_buffer)
        if (c != u'\t' && c != u'\r' && c != u'\n') {
            counts = true;
            break;
        }
    if (!counts) return;
    if (m_inStyle) {
        auto* item = new (&m_doc) CExtRichContentItem(&m_doc, kRichItemText);
        item->m_strName = m_buffer;
        m_doc.ParseStyleSheet(m_buffer);
        m_doc.m_listItems.AddTail(item);
        return;
    }
    // The token's own item only splits it into words: one serves every token.
    m_textToken.m_strName = m_buffer;
    m_textToken.SplitTextIntoWords(m_inPre);
}

void CHtmlTreeBuilder::Place() {
    RichItemList& items = m_doc.m_listItems;
    if (items.IsEmpty()) return;
    if (!m_root) {
        m_root = new (&m_doc) CExtRichContentItem(&m_doc, kRichItemRoot);
        items.AddHead(m_root);
        m_current = m_root;
        m_placed = items.GetHeadPosition();
    }
    RichPosition pos = m_placed;
    items.GetNext(pos);
    while (pos) {
        const RichPosition at = pos;
        CExtRichContentItem* item = items.GetNext(pos);
        if (item->m_nKind == kRichItemText || item->m_nKind == kRichItemWhiteSpace) {
            m_current->AppendChild(item);
        } else if (item->m_nKind == kRichItemElement) {
            const int kind = HeadElementKind(item->m_strName);
            if (kind != kRichItemElement) {
                item->m_nKind = kind;
                m_doc.m_listHeadElements.AddTail(item);
            }
            if (!(item->m_nTagFlags & kRichTagEnd)) {
                PlaceOpening(item);
            } else if (PlaceClosing(item) && kind == kRichItemElement && item->m_nParseState == kRichParseOk) {
                // A closing tag the tree has used holds nothing more.
                items.RemoveAt(at);
                delete item;
                continue;
            }
        }
        m_placed = at;
    }
}

int CHtmlTreeBuilder::Finish() {
    if (!m_root) return 0;
    if (!m_stack.empty()) {
        for (CExtRichContentItem* open : m_stack) {
            open->m_nParseState = kRichParseLeftOpen;
            ++m_faults;
        }
        m_current->m_nParseState = kRichParseLeftOpen;
        ++m_faults;
    }
    for (CExtRichContentItem* link : m_doc.m_listHeadElements) {
        if (link->m_nKind != kRichItemLink || (link->m_nTagFlags & kRichTagEnd)) continue;
        const RichString href = LinkedStyleSheet(link);
        if (!href.empty() && !m_doc.IsStyleSheetDefined(href)) {
            link->m_nParseState = kRichParseLinkUndefined;
            ++m_faults;
        }
    }
    return m_faults;
}

bool CHtmlTreeBuilder::PlaceClosing(CExtRichContentItem* tag) {
    const RichString& n = tag->m_strName;
    const RichString c = CurrentName();
    if (n == c) {
        CloseCurrent();
        return true;
    }
    if ((In(n, {u"ol", u"ul"}) && c == u"li") || (n == u"select" && c == u"option") || (n == u"tr" && IsCell(c)) ||
        (n == u"table" && IsTableSection(c)) || (n == u"dl" && IsDefinition(c))) {
        CloseCurrent();
        CloseCurrent();
        return true;
    }
    // Only when the named element is open: a stray section end must not close the whole page.
    if ((n == u"table" || IsTableSection(n)) && (IsCell(c) || c == u"tr") && IsOpen(n)) {
        while (m_current != m_root) {
            const bool named = m_current->m_strName == n;
            CloseCurrent();
            if (named) break;
        }
        return true;
    }
    if (IsParagraphLike(c) && ClosesParagraph(n)) {
        CloseCurrent();
        if (IsSelfClosingSibling(CurrentName())) CloseCurrent();
        return true;
    }
    tag->m_nParseState = kRichParseUnmatchedClose;
    ++m_faults;
    return false;
}

void CHtmlTreeBuilder::PlaceOpening(CExtRichContentItem* element) {
    const RichString& n = element->m_strName;
    const RichString c = CurrentName();
    if ((n == c && IsSelfClosingSibling(c)) || (IsDefinition(n) && IsDefinition(c)) || (IsCell(n) && IsCell(c)) ||
        (IsTableSection(n) && IsTableSection(c)) || (n == u"body" && c == u"head") || (n == u"head" && c == u"body")) {
        CloseCurrent();
    } else if (n == u"tr" && IsCell(c)) {
        CloseCurrent();
        CloseCurrent();
    } else if (IsTableSection(n) && c == u"tr") {
        CloseCurrent();
        if (IsTableSection(CurrentName())) CloseCurrent();
    } else if (IsTableSection(n) && IsCell(c)) {
        while (m_current != m_root) {
            CloseCurrent();
            if (CurrentName() != u"tr" && !IsTableSection(CurrentName())) break;
        }
    } else if (IsParagraphLike(c) && ClosesParagraph(n)) {
        CloseCurrent();
        if (IsSelfClosingSibling(CurrentName())) CloseCurrent();
    }
    m_current->AppendChild(element);
    if (n == u"img") element->m_nTagFlags |= kRichTagEmpty;
    if (element->m_nTagFlags & kRichTagEmpty) return;
    const std::size_t depth = m_stack.size() + (m_current != m_root ? 1 : 0);
    if (depth >= static_cast<std::size_t>(kRichHtmlMaxDepth)) return;
    if (m_current != m_root) m_stack.push_back(m_current);
    m_current = element;
}

}  // namespace

bool CExtRichContentLayout::ParseHtml(const char16_t* text, bool clear) {
    Clear(clear);
    m_nDocKind = kRichTextHtml;
    if (!text || !*text) return true;
    int faults = 0;
    CHtmlTreeBuilder builder(*this);
    CHtmlTokenizer(*this, builder, text).Run(faults);
    faults += builder.Finish();
    return faults == 0;
}

bool CExtRichContentLayout::IsStyleSheetDefined(const RichString& name) {
    CExtRichDocObjectBase* object = FindObject(name);
    return object && object->IsLayoutKeeper() &&
           static_cast<CExtRichDocObjectLayoutKeeper*>(object)->GetLayout().m_nDocKind == kRichTextCss;
}

int CExtRichContentLayout::ResolveLinkedStyleSheets(bool global, bool local) {
    if (!global && !local) return 0;
    int missing = 0;
    for (CExtRichContentItem* link : m_listHeadElements) {
        if (link->m_nKind != kRichItemLink || (link->m_nTagFlags & kRichTagEnd)) continue;
        const RichString href = LinkedStyleSheet(link);
        if (href.empty() || AttachStyleSheet(href, global, local)) continue;
        link->m_nParseState = kRichParseLinkUndefined;
        ++missing;
    }
    return missing;
}

// ---- words ----

namespace {

// Longest character-reference name read before the "&" is taken as plain text.
constexpr std::size_t kMaxEntityName = 32;

bool IsEntityNameChar(char16_t c) {
    return IsAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'#';
}

}  // namespace

bool CExtRichContentItem::SplitTextIntoWords(bool lineBreaks) {
    if (m_nKind != kRichItemText || m_strName.empty() || !m_pLayout) return true;
    CExtRichContentLayout& doc = *m_pLayout;
    RichString token, entity;
    bool inEntity = false, inRun = false;
    auto emit = [&](int kind) {
        if (token.empty()) return;
        auto* item = new (&doc) CExtRichContentItem(&doc, kind);
        item->m_strName = token;
        doc.m_listItems.AddTail(item);
        token.clear();
    };
    for (char16_t c : m_strName) {
        if (c == u'\r') continue;
        if (inEntity) {
            if (c == u';') {
                inEntity = false;
                if (const char16_t code = doc.DecodeEntity(entity))
                    token.push_back(code);
                else
                    token += u"&" + entity + u";";
                continue;
            }
            if (IsEntityNameChar(c) && entity.size() < kMaxEntityName) {
                entity.push_back(c);
                continue;
            }
            // Not a reference after all ("AT&T", "a & b"): the text stays as written.
            inEntity = false;
            token += u"&" + entity;
        }
        if (c == u' ' || c == u'\t' || c == u'\n') {
            if (!inRun) {
                emit(kRichItemText);
                if (lineBreaks && c == u'\n') {
                    auto* br = new (&doc) CExtRichContentItem(&doc, kRichItemElement);
                    br->m_strName = u"br";
                    br->m_nTagFlags |= kRichTagEmpty;
                    doc.m_listItems.AddTail(br);
                }
                inRun = true;
            }
            token.push_back(c);
            continue;
        }
        if (inRun) {
            emit(kRichItemWhiteSpace);
            inRun = false;
        }
        if (c == u'&') {
            inEntity = true;
            entity.clear();
            continue;
        }
        token.push_back(c);
    }
    if (inEntity) token += u"&" + entity;
    emit(inRun ? kRichItemWhiteSpace : kRichItemText);
    m_strName.clear();
    return true;
}
