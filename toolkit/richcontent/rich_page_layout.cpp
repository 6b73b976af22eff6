#include "toolkit/richcontent/rich_page_layout.h"

#include "toolkit/richcontent/rich_doc_objects.h"

namespace {

// Margins do not collapse in this engine, so blocks get only the top margin a browser shows
// between two of them: paragraphs after paragraphs, tables and headings keep a browser's gaps.
constexpr char16_t kRichPageCss[] =
    u"h1, h2, h3, h4, h5, h6 { font-weight: bold; margin-top: 0.67em }\n"
    u"h1 { font-size: 2em } h2 { font-size: 1.5em } h3 { font-size: 1.17em }\n"
    u"h5 { font-size: 0.83em } h6 { font-size: 0.67em }\n"
    u"p, ul, ol, dl, blockquote, pre { margin-top: 1em }\n"
    u"ul, ol { padding-left: 40px }\n"
    u"blockquote { margin-left: 40px; margin-right: 40px }\n"
    u"a { color: #0000EE; text-decoration: underline }\n"
    u"th { text-align: center }\n"
    u"table { border-spacing: 2px }\n"
    u"pre, code, tt, kbd, samp { font-family: Courier New }\n";

}  // namespace

CExtRichPageLayout::CExtRichPageLayout() { m_bPageDocument = true; }

void CExtRichPageLayout::AttachDefaultStyleSheet() {
    CExtRichContentLayout::AttachDefaultStyleSheet();
    CExtRichDocObjectContainer* global = GetGlobalContainer();
    if (!global->Find(kRichPageCssName)) {
        auto* keeper = new CExtRichDocObjectLayoutKeeper(kRichPageCssName);
        keeper->Parse(kRichPageCss, kRichTextCss);
        global->Add(keeper, true);
    }
    AttachStyleSheet(kRichPageCssName, true, false);
}
