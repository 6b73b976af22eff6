// The style pass: every element's computed style from its collected rule over its parent's,
// the generated ::before and ::after runs, the registration of positioned and docked children,
// list numbers and list markers; and the application of a declaration text to one item.
#include "toolkit/richcontent/rich_doc_objects.h"
#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_layout_support.h"
#include "toolkit/richcontent/rich_rule_pool.h"
#include "toolkit/richcontent/rich_text.h"

#include <algorithm>
#include <string>

namespace {

void AddOnce(RichItemList& list, CExtRichContentItem* item) {
    if (!list.Find(item)) list.AddTail(item);
}

// Takes a generated item out of the tree and the document and deletes it.
void DestroyGenerated(CExtRichContentItem* parent, CExtRichContentItem* item) {
    parent->m_listChildren.Remove(item);
    if (item->m_pPrev) item->m_pPrev->m_pNext = item->m_pNext;
    if (item->m_pNext) item->m_pNext->m_pPrev = item->m_pPrev;
    if (CExtRichContentLayout* doc = item->GetLayout()) doc->m_listItems.Remove(item);
    delete item;
}

// A run of generated text owned by the document, not yet linked into a tree.
CExtRichContentItem* NewGeneratedRun(CExtRichContentItem* owner, const RichString& text, std::uint8_t flag) {
    CExtRichContentLayout* doc = owner->GetLayout();
    auto* run = new (doc) CExtRichContentItem(doc, kRichItemText);
    run->m_pPrev = nullptr;
    run->m_pNext = nullptr;
    run->m_strName = text;
    run->m_strText = text;
    run->m_nPassFlags |= flag;
    if (doc) doc->m_listItems.AddTail(run);
    return run;
}

int NumberAttribute(CExtRichContentItem* item, int fallback) {
    CExtRichContentItem* value = item->FindAttribute(u"value");
    if (!value) return fallback;
    try {
        return std::stoi(std::string(value->m_strValue.begin(), value->m_strValue.end()));
    } catch (...) {
        return fallback;
    }
}

int ListStartValue(CExtRichContentItem* list) {
    CExtRichContentItem* start = list->FindAttribute(u"start");
    if (!start) return 1;
    try {
        return std::stoi(std::string(start->m_strValue.begin(), start->m_strValue.end()));
    } catch (...) {
        return 1;
    }
}

bool IsNumberedType(int type) {
    return type != RichCode::ListNone && type != RichCode::ListCircle && type != RichCode::ListDisc &&
           type != RichCode::ListSquare && type >= 0 && type < RichCode::ListTypeInherit;
}

// The width of a marker text "n.  " in the font of a description.
int MarkerTextWidth(CExtRichContentItem* item, RichDcHandle dc, const CExtRichStyleDescription& style, bool ownFont) {
    const RichString text = FormatListNumber(style.m_nListStyleType, item->GetListNumber(), true) + u".  ";
    CExtRichContentLayout* doc = item->GetLayout();
    if (!doc) return 0;
    if (!ownFont) return doc->MeasureText(dc, text.c_str(), static_cast<int>(text.size())).cx;
    RichFontScope scope(dc, style, doc->m_nAngle, false);
    return doc->MeasureText(dc, text.c_str(), static_cast<int>(text.size())).cx;
}

// An inside marker: an inline-block of the list item's style as wide as its bullet, image or
// number text, made the item's first child.
void PlaceInsideMarker(CExtRichContentItem* item, RichDcHandle dc) {
    CExtRichContentLayout* doc = item->GetLayout();
    CExtRichContentItem* first = item->m_listChildren.GetHead();
    if (first && (first->m_nPassFlags & kRichListMarker)) DestroyGenerated(item, first);
    const CExtRichStyleDescription& style = item->ReadStyle();
    if (style.m_nListStyleType == RichCode::ListNone && style.m_strListStyleImage.empty()) return;

    auto* marker = new (doc) CExtRichContentItem(doc, kRichItemElement);
    marker->m_pPrev = nullptr;
    marker->m_pNext = nullptr;
    marker->m_strName = u"$$ListMarker$$";
    marker->m_nPassFlags |= kRichListMarker;
    if (doc) doc->m_listItems.AddTail(marker);
    CExtRichContentItem* head = item->m_listChildren.GetHead();
    marker->m_pParent = item;
    marker->m_pNext = head;
    if (head) head->m_pPrev = marker;
    item->m_listChildren.AddHead(marker);

    CExtRichStyleDescription& own = marker->GetStyle();
    own = style;
    own.m_nDisplay = RichCode::DisplayInlineBlock;
    own.m_strContentBefore.clear();
    own.m_strContentAfter.clear();
    marker->m_bStyleValid = true;
    marker->m_bRuleCached = true;
    const int dpi = RichPlatform().DpiX();
    int width = 0;
    RichBitmap* image = doc && !style.m_strListStyleImage.empty() ? doc->FindImage(style.m_strListStyleImage) : nullptr;
    if (image) {
        width = image->GetPixelSize().cx + RichMulDiv(10, dpi, 96);
    } else if (style.m_nListStyleType == RichCode::ListCircle || style.m_nListStyleType == RichCode::ListDisc ||
               style.m_nListStyleType == RichCode::ListSquare) {
        const RichSize bullet = style.m_nListStyleType == RichCode::ListSquare
                                    ? CExtRichContentItem::GetMarkerSizeSquare()
                                    : CExtRichContentItem::GetMarkerSizeRound();
        width = RichMulDiv(bullet.cx, dpi, 96) + RichMulDiv(10, dpi, 96);
    } else {
        marker->SetListNumber(item->GetListNumber());
        width = MarkerTextWidth(marker, dc, own, true);
    }
    own.m_nWidth = width;
    own.m_nMarkerMinWidth = width;
    own.m_nHeight = 1;
}

bool IsZero(const RichRect& r) { return r.left <= 0 && r.top <= 0 && r.right <= 0 && r.bottom <= 0; }

// The attribute "border" gives a width only: without a border style of the table's own the
// frames are drawn as thin grey lines, as HTML tables show them.
constexpr RichColor kFrameGrey = 0x00A0A0A0;

bool IsTableElement(CExtRichContentItem* item) {
    return item->m_nKind == kRichItemElement && (item->ReadStyle().m_nDisplay == RichCode::DisplayTable ||
                                                 item->ReadStyle().m_nDisplay == RichCode::DisplayInlineTable);
}

// A page's cells are padded by their table's "cellpadding" (one pixel without it).
RichRect PageCellPadding(CExtRichContentLayout* doc, CExtRichContentItem* table, const CExtRichStyleDescription& t) {
    const CExtRichContentItem* attribute = table->FindAttribute(u"cellpadding");
    if (!attribute || attribute->m_strValue.empty()) return RichRect{1, 1, 1, 1};
    const int x = std::max(0, doc->ParseLength(attribute->m_strValue, true, t, 0));
    const int y = std::max(0, doc->ParseLength(attribute->m_strValue, false, t, 0));
    return RichRect{x, y, x, y};
}

// A table whose "border" attribute gives it a frame width draws that frame round itself too,
// unless its borders collapse into those of its cells. In a page a "cellspacing" attribute
// takes the place of the page's default spacing between the cells.
void FrameTable(CExtRichContentItem* table, CExtRichStyleDescription& style) {
    CExtRichContentLayout* doc = table->GetLayout();
    if (doc && doc->m_bPageDocument) {
        if (table->FindAttribute(u"cellspacing")) style.m_nBorderSpacingX = style.m_nBorderSpacingY = 0;
        // The cells take the padding; the table itself is not padded by it.
        style.m_rcCellPadding = RichRect{};
    }
    if (!table->FindAttribute(u"border")) return;
    // The style keeps its sides in the order left, right, top, bottom.
    RichRect& w = style.m_rcBorderWidth;
    if (style.m_nBorderCollapse == 0) {
        // Borders collapsed into the cells': in a page the table keeps its left and top lines,
        // the cells draw the others; elsewhere the cells draw all of them.
        if (!doc || !doc->m_bPageDocument) return;
        bool styled = false;
        for (int side = 0; side < 4; ++side) styled = styled || style.m_nBorderStyle[side] > RichCode::BorderInherit;
        if (styled) return;
        w.right = w.bottom = 0;
    }
    const int widths[4] = {w.left, w.right, w.top, w.bottom};
    for (int side = 0; side < 4; ++side) {
        const int width = widths[side];
        if (width <= 0 || style.m_nBorderStyle[side] > RichCode::BorderInherit) continue;
        style.m_nBorderStyle[side] = RichCode::BorderSolid;
        style.m_clrBorder[side] = kFrameGrey;
    }
}

// An HTML table pads every cell by its "cellpadding" and frames every cell with a 1-pixel border
// when its "border" is set; a cell's own padding or border keeps precedence. In a page the
// padding lies inside the cell's frame and is one pixel without the attribute, as browsers
// have it.
void TakeTableAttributes(CExtRichContentItem* cell, CExtRichStyleDescription& style) {
    CExtRichContentItem* table = cell->m_pParent;
    while (table && !IsTableElement(table)) table = table->m_pParent;
    if (!table) return;
    const CExtRichStyleDescription& t = table->ReadStyle();
    CExtRichContentLayout* doc = cell->GetLayout();
    if (IsZero(style.m_rcCellPadding) && IsZero(style.m_rcPadding)) {
        if (!doc || !doc->m_bPageDocument)
            style.m_rcCellPadding = t.m_rcCellPadding;
        else
            style.m_rcPadding = PageCellPadding(doc, table, t);
    }
    const CExtRichContentItem* border = table->FindAttribute(u"border");
    if (!border || IsZero(t.m_rcBorderWidth) || !IsZero(style.m_rcBorderWidth)) return;
    if (doc && doc->m_bPageDocument && t.m_nBorderCollapse == 0) {
        // Collapsed into single lines: each cell draws its right and bottom edges, the table
        // the left and top ones (sides in the order left, right, top, bottom).
        style.m_rcBorderWidth = RichRect{0, 0, 1, 1};
        for (int side = 0; side < 4; ++side) {
            style.m_nBorderStyle[side] = side == 1 || side == 3 ? RichCode::BorderSolid : RichCode::BorderNone;
            style.m_clrBorder[side] = kFrameGrey;
        }
        return;
    }
    style.m_rcBorderWidth = RichRect{1, 1, 1, 1};
    for (int side = 0; side < 4; ++side) {
        const bool styled = t.m_nBorderStyle[side] > RichCode::BorderInherit;
        style.m_nBorderStyle[side] = styled ? t.m_nBorderStyle[side] : RichCode::BorderSolid;
        style.m_clrBorder[side] = styled && t.m_clrBorder[side] != kRichColorNone ? t.m_clrBorder[side] : kFrameGrey;
    }
}

}  // namespace

void CExtRichContentItem::ComputeStyle(RichDcHandle dc, const CExtRichStyleDescription& parentStyle,
                                       const RichRect& layoutRect) {
    if (!IsElementOrRoot()) return;
    // Styles are shared between equal elements: what only this element changes goes into a copy.
    const bool cell = RefreshStyle(dc, parentStyle, false, false).m_nDisplay == RichCode::DisplayTableCell;
    const bool table = IsTableElement(this);
    // The page style sheet colours and underlines "a" for links; a named anchor is no link and
    // keeps the look of the text round it.
    const bool namedAnchor =
        m_pLayout && m_pLayout->m_bPageDocument && RichIsTag(this, "a") && !FindAttribute(u"href");
    if (cell || table || namedAnchor) {
        CExtRichStyleDescription style = ReadStyle();
        if (cell) TakeTableAttributes(this, style);
        if (table) FrameTable(this, style);
        if (namedAnchor) {
            style.m_clrText = parentStyle.m_clrText;
            style.m_font.m_lf.lfUnderline = parentStyle.m_font.m_lf.lfUnderline;
        }
        SetComputedStyle(style);
    }

    // Generated content belongs to this item only: its children must not inherit it.
    const RichString before = ReadStyle().m_strContentBefore, after = ReadStyle().m_strContentAfter;
    const bool generated = !before.empty() || !after.empty();
    if (generated) {
        CExtRichStyleDescription& own = GetStyle();
        own.m_strContentBefore.clear();
        own.m_strContentAfter.clear();
    }
    const CExtRichStyleDescription& style = ReadStyle();
    // The children compute from this style: a shared one stays alive while they do, even if
    // one of them makes this item's style its own.
    const CExtRichStyleDescription* held = m_bStyleShared ? CExtRichStylePool::Retain(m_pStyle) : nullptr;

    SetScrollRange(RichSize{});
    if (m_pLayout) {
        const int position = GetEffectivePosition();
        if (position == RichCode::PositionAbsolute || position == RichCode::PositionFixed)
            AddOnce(m_pLayout->m_listPass, this);
        else if (position == RichCode::PositionRelative)
            AddOnce(m_pLayout->m_listPaintMiddle, this);
    }
    if (m_pExtras) {
        m_pExtras->m_listDocked.RemoveAll();
        m_pExtras->m_listDockedFill.RemoveAll();
    }

    CExtRichContentItem* previous = nullptr;
    for (RichPosition pos = m_listChildren.GetHeadPosition(); pos;) {
        CExtRichContentItem* child = m_listChildren.GetNext(pos);
        child->m_bStyleValid = false;
        child->m_pParent = this;
        child->m_pPrev = previous;
        if (previous) previous->m_pNext = child;
        child->m_pNext = nullptr;
        previous = child;
        if (child->m_nKind != kRichItemElement) continue;

        CExtRichContentItem* head = child->m_listChildren.GetHead();
        if (head && (head->m_nPassFlags & kRichGeneratedBefore)) DestroyGenerated(child, head);
        CExtRichContentItem* tail = child->m_listChildren.GetTail();
        if (tail && (tail->m_nPassFlags & kRichGeneratedAfter)) DestroyGenerated(child, tail);

        child->ComputeStyle(dc, style, layoutRect);
        const CExtRichStyleDescription& childStyle = child->ReadStyle();
        if (childStyle.m_nDisplay == RichCode::DisplayUiDock) {
            const int dock = childStyle.m_nUiDock;
            if (dock == RichCode::DockNone || dock == RichCode::DockFill || dock == RichCode::DockPreFill)
                Extras().m_listDockedFill.AddTail(child);
            else
                Extras().m_listDocked.AddTail(child);
        }
        // ComputeStyle put the child's generated texts back after its own children.
        if (!childStyle.m_strContentBefore.empty()) {
            CExtRichContentItem* run =
                NewGeneratedRun(child, child->ResolveContentText(childStyle.m_strContentBefore), kRichGeneratedBefore);
            CExtRichContentItem* first = child->m_listChildren.GetHead();
            run->m_pParent = child;
            run->m_pNext = first;
            if (first) first->m_pPrev = run;
            child->m_listChildren.AddHead(run);
        }
        if (!childStyle.m_strContentAfter.empty()) {
            CExtRichContentItem* run =
                NewGeneratedRun(child, child->ResolveContentText(childStyle.m_strContentAfter), kRichGeneratedAfter);
            CExtRichContentItem* last = child->m_listChildren.GetTail();
            run->m_pParent = child;
            run->m_pPrev = last;
            if (last) last->m_pNext = run;
            child->m_listChildren.AddTail(run);
        }
    }

    // List numbers: the index of every child, a running number for list items.
    int index = 0;
    int number = ListStartValue(this);
    for (CExtRichContentItem* child : m_listChildren) {
        child->m_nListIndex = index++;
        if (child->m_nKind != kRichItemElement || child->GetEffectiveDisplay() != RichCode::DisplayListItem) continue;
        child->SetListNumber(NumberAttribute(child, number));
        number = child->GetListNumber() + 1;
        const CExtRichStyleDescription& childStyle = child->ReadStyle();
        if (childStyle.m_nListStylePosition == RichCode::ListInside) {
            PlaceInsideMarker(child, dc);
        } else if (IsNumberedType(childStyle.m_nListStyleType) && childStyle.m_strListStyleImage.empty()) {
            child->SetMarkerWidth(MarkerTextWidth(child, dc, childStyle, false));
        }
    }

    if (generated) {
        CExtRichStyleDescription& own = GetStyle();
        own.m_strContentBefore = before;
        own.m_strContentAfter = after;
    }
    CExtRichStylePool::Release(held);
}

void CExtRichContentItem::ApplyStyleText(const RichString& text) {
    if (!m_pLayout) return;
    CExtRichContentItem temp(m_pLayout, kRichItemElement);
    temp.m_pPrev = nullptr;
    temp.m_pNext = nullptr;
    temp.m_strName = u"$$TempClassName$$ style=\"" + text + u"\"";
    temp.ParseTagText();
    CExtRichStyleDescription base = ReadStyle();
    CExtRichStyleRule rule;
    temp.CollectRule(rule, base);
    if (rule.IsEmpty()) return;
    CExtRichStyleDescription computed;
    rule.ComputeDescription(base, computed);
    GetStyle() = computed;
    m_bRuleCached = true;
    m_bStyleValid = true;
}
