// The nested boxes of an element as hit testing and its scroll bars see them: inside the cell
// padding and margins (relative or static positioning), inside the borders, the strips of the
// shown scroll bars and the content area they leave.
#pragma once

#include "toolkit/richcontent/rich_types.h"

class CExtRichContentItem;

struct RichScrollBox {
    // `outer` is the item's rectangle in whatever coordinates the caller works in.
    RichScrollBox(CExtRichContentItem* item, const RichRect& outer);

    // Inside the borders, less the shown bars.
    RichRect Content() const;

    RichRect m_rcMarginInner;
    RichRect m_rcBorderInner;
    RichRect m_rcBarH, m_rcBarV, m_rcCorner;  // empty when not shown
    bool m_bShowH = false, m_bShowV = false;
    int m_nBarHeight = 0, m_nBarWidth = 0;
};
