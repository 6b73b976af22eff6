// The measuring pass: white space of runs normalised (and split at preserved line feeds), run
// extents in their fonts, images, inline blocks and tables, and every element's content and
// minimum content sizes with its insets. A run's processed text is its second text (m_strText);
// its name keeps the text as read.
#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_layout_support.h"
#include "toolkit/richcontent/rich_measure_cache.h"
#include "toolkit/richcontent/rich_table_pass.h"

#include <algorithm>

RichInsets RichBoxInsets(const CExtRichStyleDescription& s, bool withMargins) {
    RichInsets in;
    in.left = RichSide(s.m_rcCellPadding.left) + RichSide(s.m_rcBorderWidth.left) + RichSide(s.m_rcPadding.left);
    in.top = RichSide(s.m_rcCellPadding.top) + RichSide(s.m_rcBorderWidth.top) + RichSide(s.m_rcPadding.top);
    in.right = RichSide(s.m_rcCellPadding.right) + RichSide(s.m_rcBorderWidth.right) + RichSide(s.m_rcPadding.right);
    in.bottom =
        RichSide(s.m_rcCellPadding.bottom) + RichSide(s.m_rcBorderWidth.bottom) + RichSide(s.m_rcPadding.bottom);
    if (withMargins) {
        in.left += RichSide(s.m_rcMargin.left);
        in.top += RichSide(s.m_rcMargin.top);
        in.right += RichSide(s.m_rcMargin.right);
        in.bottom += RichSide(s.m_rcMargin.bottom);
    }
    return in;
}

bool RichIsOutOfFlow(CExtRichContentItem* item) {
    const int position = item->GetEffectivePosition();
    return position == RichCode::PositionAbsolute || position == RichCode::PositionFixed;
}

namespace {

bool Collapses(int whiteSpace) {
    return whiteSpace == RichCode::WhiteSpaceNormal || whiteSpace == RichCode::WhiteSpaceNoWrap ||
           whiteSpace == RichCode::WhiteSpacePreLine;
}

bool IsFloating(CExtRichContentItem* item) {
    if (item->m_nKind != kRichItemElement) return false;
    const int f = item->ReadStyle().m_nFloat;
    return f == RichCode::FloatLeft || f == RichCode::FloatRight;
}

void ReplaceAll(RichString& text, char16_t what, const RichString& with) {
    RichString out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c == what)
            out += with;
        else
            out += c;
    }
    text.swap(out);
}

// Inserts `item` right after `after` among the parent's children.
void InsertSiblingAfter(CExtRichContentItem* after, CExtRichContentItem* item) {
    CExtRichContentItem* parent = after->m_pParent;
    item->m_pParent = parent;
    item->m_pPrev = after;
    item->m_pNext = after->m_pNext;
    if (after->m_pNext) after->m_pNext->m_pPrev = item;
    after->m_pNext = item;
    if (parent) parent->m_listChildren.InsertAfter(parent->m_listChildren.Find(after), item);
    if (CExtRichContentLayout* doc = after->GetLayout()) doc->m_listItems.AddTail(item);
}

}  // namespace

// White space of a run, once: collapsed in the collapsing modes, tabs widened in the preserving
// ones, and a preserved text split at its line feeds into runs and "br" elements.
static void ProcessWhiteSpace(CExtRichContentItem* run, RichDcHandle dc) {
    const CExtRichStyleDescription& style = run->ReadStyle();
    const int mode = style.m_nWhiteSpace;
    RichString text = run->m_strText;
    if (Collapses(mode)) {
        text.erase(std::remove(text.begin(), text.end(), u'\r'), text.end());
        std::replace(text.begin(), text.end(), u'\t', u' ');
        if (mode != RichCode::WhiteSpacePreLine) std::replace(text.begin(), text.end(), u'\n', u' ');
        for (std::size_t at; (at = text.find(u"  ")) != RichString::npos;) text.erase(at, 1);
    } else if (mode == RichCode::WhiteSpacePre || mode == RichCode::WhiteSpacePreWrap) {
        ReplaceAll(text, u'\t', run->GetLayout() ? run->GetLayout()->m_strTabText : RichString(u"    "));
    }
    const bool split = mode == RichCode::WhiteSpacePre || mode == RichCode::WhiteSpacePreLine ||
                       mode == RichCode::WhiteSpacePreWrap;
    const std::size_t feed = split ? text.find(u'\n') : RichString::npos;
    if (feed == RichString::npos) {
        run->m_strText = text;
        return;
    }
    run->m_strText = text.substr(0, feed);
    if (feed == 0) run->m_nKind = kRichItemText;
    CExtRichContentLayout* doc = run->GetLayout();
    CExtRichContentItem* last = run;
    std::size_t at = feed;
    while (at < text.size()) {
        CExtRichContentItem* item = nullptr;
        if (text[at] == u'\n') {
            item = new (doc) CExtRichContentItem(doc, kRichItemElement);
            item->m_strName = item->m_strText = u"br";
            item->m_nPassFlags |= kRichMeasuredBreak;
            ++at;
        } else {
            const std::size_t end = std::min(text.find(u'\n', at), text.size());
            item = new (doc) CExtRichContentItem(doc, kRichItemWhiteSpace);
            item->m_strName = item->m_strText = text.substr(at, end - at);
            item->m_nPassFlags |= kRichWhiteSpaceDone;
            at = end;
        }
        item->m_pPrev = item->m_pNext = nullptr;
        InsertSiblingAfter(last, item);
        if (item->m_nKind == kRichItemElement) item->RefreshStyle(dc, style, true, false);
        last = item;
    }
}

static void MeasureRun(CExtRichContentItem* run, RichDcHandle dc) {
    CExtRichContentLayout* doc = run->GetLayout();
    if (run->m_strText.empty() || !doc) return;
    const CExtRichStyleDescription& style = run->ReadStyle();
    static const RichString kSpace = u" ";
    const bool collapsed = run->m_nKind == kRichItemWhiteSpace && Collapses(style.m_nWhiteSpace);
    const RichString& text = collapsed ? kSpace : run->m_strText;
    const RichLogFont font = style.m_font.LogFontFor(doc->m_nAngle, false);
    CExtRichMeasureCache::MeasureMap& known = doc->GetMeasureCache().ForFont(dc, font);
    auto found = known.find(text);
    if (found == known.end()) {
        RichFontScope scope(dc, style, doc->m_nAngle, false);
        CExtRichMeasureCache::CMeasure measure;
        measure.metrics = scope.Metrics();
        measure.width = doc->MeasureText(dc, text.c_str(), static_cast<int>(text.size())).cx;
        found = known.emplace(text, measure).first;
    }
    const CExtRichMeasureCache::CMeasure& measure = found->second;
    run->m_nContentHeight = measure.metrics.height;
    run->m_nAscent = measure.metrics.ascent;
    run->m_nLineGap = measure.metrics.externalLeading;
    int width = 0;
    if (collapsed) {
        width = style.m_nWordSpacing != kRichUnsetPixels ? style.m_nWordSpacing : measure.width;
    } else {
        const int length = static_cast<int>(run->m_strText.size());
        width = measure.width;
        if (run->m_nKind == kRichItemText && style.m_nLetterSpacing != kRichUnsetPixels) {
            const bool spaceNext = run->m_pNext && run->m_pNext->m_nKind == kRichItemWhiteSpace;
            width += style.m_nLetterSpacing * (length - (spaceNext ? 1 : 0));
        }
    }
    run->m_nContentWidth = run->m_nMinContentWidth = width;
    run->m_nMinContentHeight = run->m_nContentHeight;
}

void CExtRichContentItem::MeasureContent(RichDcHandle dc, const RichRect& available) {
    // Each pass of the whole document measures afresh (the device context may have changed).
    if (IsRoot() && m_pLayout) m_pLayout->GetMeasureCache().Clear();
    if (m_nKind > kRichItemElement || !IsDisplayed(false)) return;
    // A run whose white space was processed keeps what that left, even nothing (a line feed
    // made into a break): filled again from the text as read, it showed at the next layout.
    if (m_strText.empty() && !(m_nPassFlags & kRichWhiteSpaceDone)) m_strText = m_strName;
    m_nContentWidth = m_nContentHeight = m_nMinContentWidth = m_nMinContentHeight = 0;

    int largestFloat = 0;
    for (RichPosition pos = m_listChildren.GetHeadPosition(); pos;) {
        const RichPosition here = pos;
        CExtRichContentItem* child = m_listChildren.GetAt(here);
        child->MeasureContent(dc, available);
        pos = here;
        m_listChildren.GetNext(pos);  // after the siblings the child may have inserted
        if (child->m_nKind > kRichItemElement || !child->IsDisplayed(false)) continue;
        if (IsFloating(child)) {
            largestFloat = std::max(largestFloat, child->m_nContentWidth);
            continue;
        }
        if (child->GetEffectiveDisplay() == RichCode::DisplayUiDock) continue;
        const bool inlineLevel = child->IsInlineLevel();
        m_nMinContentWidth = std::max(m_nMinContentWidth, inlineLevel ? child->m_nMinContentWidth : child->m_nContentWidth);
        m_nMinContentHeight =
            std::max(m_nMinContentHeight, inlineLevel ? child->m_nMinContentHeight : child->m_nContentHeight);
    }

    if (m_nKind == kRichItemText || m_nKind == kRichItemWhiteSpace) {
        if (m_nKind == kRichItemWhiteSpace && !(m_nPassFlags & kRichWhiteSpaceDone)) {
            m_nPassFlags |= kRichWhiteSpaceDone;
            ProcessWhiteSpace(this, dc);
        }
        m_nAscent = m_nLineGap = 0;
        MeasureRun(this, dc);
        if (const int hint = GetMinWidthHint(); hint >= 0) {
            m_nContentWidth = std::max(m_nContentWidth, hint);
            m_nMinContentWidth = std::max(m_nMinContentWidth, hint);
        }
        if (m_nMinHeightHint >= 0) {
            m_nContentHeight = std::max(m_nContentHeight, m_nMinHeightHint);
            m_nMinContentHeight = std::max(m_nMinContentHeight, m_nMinHeightHint);
        }
        return;
    }

    const int display = GetEffectiveDisplay();
    // A container's words may run on across the tags of its inline elements; the widest single
    // run alone would let a table column shrink below them.
    if (IsElementOrRoot() && !IsInlineLevel() && display != RichCode::DisplayTable &&
        display != RichCode::DisplayInlineTable)
        m_nMinContentWidth = std::max(m_nMinContentWidth, RichWidestWordGroup(this));

    const CExtRichStyleDescription& style = ReadStyle();
    const bool outOfFlow = RichIsOutOfFlow(this);
    const RichInsets insets = RichBoxInsets(style, !outOfFlow);
    const bool image = RichIsTag(this, "img");
    if (image) {
        MeasureImage();
    } else if (display == RichCode::DisplayTable || display == RichCode::DisplayInlineTable) {
        RichMeasureTable(this, dc);
    } else if (display == RichCode::DisplayInlineBlock) {
        int width = 0, height = 0;
        for (CExtRichContentItem* child : m_listChildren) {
            if (child->m_nKind > kRichItemElement || !child->IsDisplayed(false) || IsFloating(child)) continue;
            if (child->m_nKind == kRichItemElement) {
                const int d = child->GetEffectiveDisplay();
                if (RichIsOutOfFlow(child) || d == RichCode::DisplayUiDock) continue;
                if (!child->IsBlockLevel() && d != RichCode::DisplayInlineBlock && d != RichCode::DisplayInlineTable)
                    continue;
            }
            width += child->m_nContentWidth;
            height = std::max(height, child->m_nContentHeight);
        }
        if (available.right < kRichUnboundedLimit)
            width = std::min(width, std::max(0, available.Width() - insets.Horizontal()));
        m_nContentWidth = width;
        m_nContentHeight = height;
    }

    // A break's own height (the drawing path gives line breaks their font height).
    if (m_nMinHeightHint >= 0) {
        m_nContentHeight = std::max(m_nContentHeight, m_nMinHeightHint);
        m_nMinContentHeight = std::max(m_nMinContentHeight, m_nMinHeightHint);
    }

    if (style.m_nWidth >= 0) {
        m_nContentWidth = style.m_nWidth;
        if (image) m_nMinContentWidth = style.m_nWidth;
    }
    if (style.m_nHeight >= 0) {
        if (display == RichCode::DisplayTable || display == RichCode::DisplayInlineTable) {
            m_nContentHeight = std::max(m_nContentHeight, style.m_nHeight);
            m_nMinContentHeight = std::max(m_nMinContentHeight, style.m_nHeight);
        } else {
            m_nContentHeight = m_nMinContentHeight = style.m_nHeight;
            if (image) m_nAscent = style.m_nHeight;
        }
    }
    m_nContentWidth = std::max(m_nContentWidth, largestFloat);
    m_nContentWidth += insets.Horizontal();
    m_nContentHeight += insets.Vertical();
    if (m_pLayout && m_pLayout->m_nAngle == 0) {
        if (style.m_nScrollBarH == 2) m_nContentHeight += GetScrollBarHeight();
        if (style.m_nScrollBarV == 2) m_nContentWidth += GetScrollBarWidth();
    }
    if (m_nKind == kRichItemElement) {
        if (style.m_nMaxHeight >= 0) m_nContentHeight = std::min(m_nContentHeight, style.m_nMaxHeight);
        if (style.m_nMaxWidth >= 0) m_nContentWidth = std::min(m_nContentWidth, style.m_nMaxWidth);
        if (style.m_nMinHeight >= 0) m_nContentHeight = std::max(m_nContentHeight, style.m_nMinHeight);
        if (style.m_nMinWidth >= 0) m_nContentWidth = std::max(m_nContentWidth, style.m_nMinWidth);
        if (style.m_nMarkerMinWidth != 0) m_nContentWidth = std::max(m_nContentWidth, style.m_nMarkerMinWidth);
    }
    if (style.m_nWidth >= 0) {
        m_nMinContentWidth = std::max(m_nMinContentWidth, style.m_nWidth);
        m_nContentWidth = std::max(m_nContentWidth, style.m_nWidth);
    }
    if (style.m_nHeight >= 0) {
        m_nMinContentHeight = std::max(m_nMinContentHeight, style.m_nHeight);
        m_nContentHeight = std::max(m_nContentHeight, style.m_nHeight);
    }
}
