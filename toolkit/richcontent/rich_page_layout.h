// A page of the web-browser control: an HTML document laid out with the defaults a browser
// gives pages on top of the engine's own default style sheet (bold headings in their sizes,
// spaced paragraphs whose margins overlap, blue underlined links, indented lists, tables with
// two pixels between their cells and one inside them).
#pragma once

#include "toolkit/richcontent/rich_layout.h"

class CExtRichPageLayout : public CExtRichContentLayout {
public:
    CExtRichPageLayout();
    void AttachDefaultStyleSheet() override;
};

inline constexpr char16_t kRichPageCssName[] = u"$-page-css-$";
