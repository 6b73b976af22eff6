// Plain captions as documents: the reader that turns a caption into one paragraph of runs, the
// text-kind detector and the angle normaliser of the drawing entry.
#include "toolkit/richcontent/rich_layout.h"

#include <cwctype>
#include <string>

namespace {

// The DrawText flags the reader honours.
constexpr unsigned kDtCenter = 0x1, kDtRight = 0x2, kDtVCenter = 0x4, kDtBottom = 0x8, kDtWordBreak = 0x10,
                   kDtSingleLine = 0x20, kDtExpandTabs = 0x40, kDtNoPrefix = 0x800, kDtPathEllipsis = 0x4000,
                   kDtEndEllipsis = 0x8000, kDtWordEllipsis = 0x40000, kDtHidePrefix = 0x100000,
                   kDtPrefixOnly = 0x200000;
constexpr unsigned kAnyEllipsis = kDtPathEllipsis | kDtEndEllipsis | kDtWordEllipsis;

enum class Token { None, Word, Spaces, Tab, Feed };


}  // namespace

int (*g_pfnNormalizeTextAngle)(int angle) = NormalizeTextAngle;

int DetectRichTextKind(const char16_t* text, int length) {
    if (!text || !*text) return kRichTextPlain;
    if (length < 0) length = static_cast<int>(std::char_traits<char16_t>::length(text));
    if (length < 5) return kRichTextPlain;
    char16_t buffer[7] = {};
    int taken = 0;
    for (int i = 0; i < length && taken < 5; ++i) {
        const char16_t c = text[i];
        if (std::iswspace(static_cast<wint_t>(c))) continue;
        if (taken == 0) {
            if (c == u'<') buffer[taken++] = c;
            continue;
        }
        if (std::iswalpha(static_cast<wint_t>(c))) buffer[taken++] = static_cast<char16_t>(std::towlower(c));
    }
    return RichString(buffer) == u"<html" ? kRichTextHtml : kRichTextPlain;
}

int NormalizeTextAngle(int angle) {
    int a = angle % 360;
    if (a < 0) a += 360;
    const int r = a % 90;
    const int result = r < 45 ? a - r : a - r + 90;
    return result == 360 ? 0 : result;
}

bool CExtRichContentLayout::ParsePlainText(const char16_t* text, unsigned dt, unsigned extra, bool clear) {
    Clear(clear);
    m_nDocKind = kRichTextPlain;
    if (!text || !*text) return true;
    const bool single = (dt & kDtSingleLine) != 0;
    const bool prefixes = (dt & kDtNoPrefix) == 0;
    const bool hidePrefix = (dt & kDtHidePrefix) != 0;
    const bool split = (dt & kAnyEllipsis) != 0;
    const std::uint8_t prefixOnly = (dt & kDtPrefixOnly) ? kRichRunPrefixOnly : 0;

    CExtRichContentItem* root = CreateItem(kRichItemRoot);
    CExtRichContentItem* para = CreateItem(kRichItemElement, root);
    RichString css = u"display:block;white-space:";
    css += (dt & kDtWordBreak) && !single ? u"pre-wrap" : u"pre";
    if (dt & kDtRight) css += u";text-align:right";
    else if (dt & kDtCenter) css += u";text-align:center";
    (void)extra;
    para->m_strName = u"p style=\"" + css + u"\"";
    para->ParseTagText();

    CExtRichContentItem* lastMnemonic = nullptr;
    CExtRichContentItem* lastNonSpace = nullptr;  // the last emitted item that is not a space run
    auto mark = [&](CExtRichContentItem* item) {
        if (hidePrefix) return;
        if (lastMnemonic) lastMnemonic->m_nReaderFlags &= static_cast<std::uint8_t>(~kRichRunMnemonic);
        item->m_nReaderFlags |= kRichRunMnemonic;
        lastMnemonic = item;
    };
    auto run = [&](int kind, const RichString& t) {
        CExtRichContentItem* item = CreateItem(kind, para);
        item->m_strName = t;
        item->m_nMinHeightHint = m_nLineHeight;
        item->m_nReaderFlags |= prefixOnly;
        if (kind != kRichItemWhiteSpace) lastNonSpace = item;
        return item;
    };
    // Runs of two or more characters are cut into single characters when an ellipsis may cut.
    auto runs = [&](int kind, const RichString& t) {
        if (!split || t.size() < 2) return run(kind, t);
        CExtRichContentItem* first = nullptr;
        for (char16_t c : t) {
            CExtRichContentItem* item = run(kind, RichString(1, c));
            if (!first) first = item;
        }
        return first;
    };
    auto lineBreak = [&]() {
        // An empty line keeps its height: a caption document takes no declared heights and an
        // empty block has none, so the line gets an empty space run of the line's height.
        if (!lastNonSpace || lastNonSpace->GetTagName() == u"br") run(kRichItemWhiteSpace, RichString());
        CExtRichContentItem* br = CreateItem(kRichItemElement, para);
        br->m_strName = u"br style=\"display:block\"";
        br->ParseTagText();
        br->m_nMinHeightHint = 0;
        br->m_nReaderFlags |= prefixOnly;
        lastNonSpace = br;
        lastMnemonic = nullptr;
        return br;
    };

    RichString token;
    Token kind = Token::None;
    bool tokenMnemonic = false;  // the pending token follows a single "&"
    auto emit = [&]() {
        CExtRichContentItem* item = nullptr;
        switch (kind) {
        case Token::None: return;
        case Token::Word: item = runs(kRichItemText, token); break;
        case Token::Spaces: item = runs(kRichItemWhiteSpace, token); break;
        case Token::Tab: item = run((dt & kDtExpandTabs) ? kRichItemWhiteSpace : kRichItemText, u"\t"); break;
        case Token::Feed: item = single ? run(kRichItemText, u"\n") : lineBreak(); break;
        }
        if (tokenMnemonic && item) mark(item);
        token.clear();
        kind = Token::None;
        tokenMnemonic = false;
    };
    bool mnemonicNext = false;  // a single "&" was read
    for (const char16_t* p = text; *p; ++p) {
        char16_t c = *p;
        if (c == u'\r') continue;
        if (prefixes && c == u'&') {
            if (p[1] == u'&') {
                ++p;  // "&&" is one ampersand, an ordinary character
            } else {
                mnemonicNext = p[1] != 0;
                continue;
            }
        } else if (mnemonicNext && c != u' ' && c != u'\t' && c != u'\n') {
            mnemonicNext = false;
            emit();
            CExtRichContentItem* item = run(kRichItemText, RichString(1, c));
            item->m_strText = item->m_strName;
            mark(item);
            continue;
        }
        const Token now = c == u' ' ? Token::Spaces : c == u'\t' ? Token::Tab : c == u'\n' ? Token::Feed : Token::Word;
        if (now != kind || now == Token::Tab || now == Token::Feed) emit();
        if (mnemonicNext) {
            mnemonicNext = false;
            // "&" before a line feed: the mnemonic goes to the run after it.
            if (now == Token::Feed) mnemonicNext = true;
            else tokenMnemonic = true;
        }
        kind = now;
        token.push_back(c);
    }
    emit();
    if (!single && lastNonSpace && lastNonSpace->GetTagName() == u"br" && para->m_listChildren.GetTail() == lastNonSpace)
        run(kRichItemWhiteSpace, RichString());
    (void)kDtVCenter;
    (void)kDtBottom;
    return true;
}
