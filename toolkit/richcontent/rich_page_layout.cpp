#include "toolkit/richcontent/rich_page_layout.h"

#include "toolkit/richcontent/rich_doc_objects.h"

namespace {

// Blocks keep a browser's margins; in a page two blocks that follow each other share the
// larger of their margins (the layout's lines see to that).
constexpr char16_t kRichPageCss[] =
    u"h1, h2, h3, h4, h5, h6 { font-weight: bold }\n"
    u"h1 { font-size: 2em; margin-top: 0.67em; margin-bottom: 0.67em }\n"
    u"h2 { font-size: 1.5em; margin-top: 0.83em; margin-bottom: 0.83em }\n"
    u"h3 { font-size: 1.17em; margin-top: 1em; margin-bottom: 1em }\n"
    u"h4 { margin-top: 1.33em; margin-bottom: 1.33em }\n"
    u"h5 { font-size: 0.83em; margin-top: 1.67em; margin-bottom: 1.67em }\n"
    u"h6 { font-size: 0.67em; margin-top: 2.33em; margin-bottom: 2.33em }\n"
    u"p, ul, ol, dl, blockquote, pre { margin-top: 1em; margin-bottom: 1em }\n"
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
