// Helpers of the rich content tests: hand-built documents and readable texts.
#pragma once

#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_text.h"

#include <string>

namespace richtest {

inline std::string Utf8(const RichString& text) { return rich::ToUtf8(text); }

// A document with a root; Element/Text add items owned by the document.
class DocumentBuilder {
public:
    CExtRichContentLayout doc;
    CExtRichContentItem* root = doc.CreateItem(kRichItemRoot);

    CExtRichContentItem* Element(CExtRichContentItem* parent, const char16_t* name) {
        CExtRichContentItem* e = doc.CreateItem(kRichItemElement, parent);
        e->m_strName = name;
        return e;
    }
    CExtRichContentItem* Text(CExtRichContentItem* parent, const char16_t* text) {
        CExtRichContentItem* t = doc.CreateItem(kRichItemText, parent);
        t->m_strName = text;
        return t;
    }
    CExtRichContentItem* Space(CExtRichContentItem* parent) {
        CExtRichContentItem* t = doc.CreateItem(kRichItemWhiteSpace, parent);
        t->m_strName = u" ";
        return t;
    }
};

// Fuzz input as text: bytes to UTF-16, where pairs of high bytes make characters beyond
// Latin-1 (surrogates included).
inline RichString WidenFuzzBytes(const std::string& bytes) {
    RichString out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0xF0 && i + 1 < bytes.size())
            out.push_back(static_cast<char16_t>((c << 8) | static_cast<unsigned char>(bytes[++i])));
        else
            out.push_back(c);
    }
    return out;
}

}  // namespace richtest
