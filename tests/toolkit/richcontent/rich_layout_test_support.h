// Laid-out documents for the layout tests: HTML read with a small style sheet that gives the
// usual elements their block and table display (the engine's default sheet is empty), laid out
// with the portable stand-in font (8 pixels a character, 16 high, ascent 13).
#pragma once

#include "tests/toolkit/richcontent/rich_test_support.h"
#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_layout.h"

#include <string>
#include <vector>

namespace richtest {

inline constexpr char16_t kLayoutCss[] =
    u"<style>html, body, p, div, br, ul, ol, h1 { display: block }\n"
    u"li { display: list-item }\n"
    u"table { display: table } tr { display: table-row } td, th { display: table-cell }\n"
    u"thead { display: table-header-group } tbody { display: table-row-group }\n"
    u"</style>";

// Any non-null handle: the stand-in measures without a real device context.
inline RichDcHandle TestDc() {
    static int dc;
    return &dc;
}

struct LaidOutPage {
    CExtRichContentLayout doc;

    explicit LaidOutPage(const RichString& html, int width = 400, int angle = 0, int height = 1000) : doc(angle) {
        doc.ParseHtml((RichString(kLayoutCss) + html).c_str(), true);
        Layout(width, height);
    }
    void Layout(int width, int height = 1000) { doc.Layout(TestDc(), RichRect{0, 0, width, height}); }

    CExtRichContentItem* Id(const char16_t* id) const { return doc.FindById(id); }
    RichRect Box(const char16_t* id) const {
        CExtRichContentItem* item = Id(id);
        return item ? item->m_rcItem : RichRect{-1, -1, -1, -1};
    }
    static void Collect(const CExtRichContentItem* item, std::vector<RichRect>& out) {
        for (const CExtRichContentItem* child : item->m_listChildren) {
            if (child->m_nKind == kRichItemText && !child->m_strText.empty()) out.push_back(child->m_rcItem);
            Collect(child, out);
        }
    }
    // The rectangles of the words (text runs) below an item, in document order.
    std::vector<RichRect> Words(const char16_t* id) const {
        std::vector<RichRect> out;
        CExtRichContentItem* item = Id(id);
        if (!item) return out;
        Collect(item, out);
        return out;
    }
};

inline std::string RectText(const RichRect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

inline std::string RectsText(const std::vector<RichRect>& rects) {
    std::string out;
    for (const RichRect& r : rects) out += (out.empty() ? "" : " ") + RectText(r);
    return out;
}

}  // namespace richtest
