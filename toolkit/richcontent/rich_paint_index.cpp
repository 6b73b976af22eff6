#include "toolkit/richcontent/rich_paint_index.h"

#include "toolkit/richcontent/rich_geometry.h"
#include "toolkit/richcontent/rich_style.h"

RichRect RichRunInk(const CExtRichContentItem* run) {
    const RichRect& r = run->m_rcItem;
    const int slack = r.Height() / 2 + 2;
    return RichRect{r.left - slack, r.top - 2, r.right + slack, r.bottom + 2};
}

bool RichIsRun(const CExtRichContentItem* item) {
    return item->m_nKind == kRichItemText || item->m_nKind == kRichItemWhiteSpace;
}

bool RichRunPaintsInPlace(const CExtRichContentItem* item) {
    return item->ReadStyle().m_nDelayedDraw == RichCode::DrawDefault;
}

bool RichElementPaintsInPlace(CExtRichContentItem* item) {
    const CExtRichStyleDescription& d = item->ReadStyle();
    if (d.m_nDelayedDraw != RichCode::DrawDefault ||
        (d.m_nPosition != RichCode::PositionStatic && d.m_nPosition != RichCode::PositionInherit))
        return false;
    if (item->GetScrollOffset() != RichPoint{} || !item->GetDocked().IsEmpty() ||
        !item->GetDockedFill().IsEmpty() || item->GetEffectiveDisplay() == RichCode::DisplayListItem)
        return false;
    if (d.m_nScrollBarH == 2 || d.m_nScrollBarV == 2 || d.m_nOverflow == RichCode::OverflowHidden ||
        d.m_nOverflow == RichCode::OverflowAuto)
        return false;
    return d.m_strBackgroundImage.empty() && d.m_rcBackgroundExtend.left <= 0 && d.m_rcBackgroundExtend.top <= 0 &&
           d.m_rcBackgroundExtend.right <= 0 && d.m_rcBackgroundExtend.bottom <= 0 && d.m_rcMargin.left >= 0 &&
           d.m_rcMargin.top >= 0 && d.m_rcMargin.right >= 0 && d.m_rcMargin.bottom >= 0;
}

namespace {

// Adds a child's ink to the chunk; false when the child may paint outside what is added (an
// element holding anything but runs, or one drawn beyond its box, or any other kind of item).
bool AddInk(CExtRichContentItem* child, RichRect& bound, bool& any) {
    if (RichIsRun(child)) {
        RichHoldRect(bound, any, RichRunInk(child));
        return RichRunPaintsInPlace(child);
    }
    if (!child->IsElement()) return false;
    RichHoldRect(bound, any, child->m_rcItem);
    for (const CExtRichContentItem* run : child->m_listChildren) {
        if (!RichIsRun(run)) return false;
        RichHoldRect(bound, any, RichRunInk(run));
    }
    return RichElementPaintsInPlace(child);
}

}  // namespace

CExtRichPaintIndex::Chunks CExtRichPaintIndex::For(CExtRichContentItem* parent) {
    const RichItemList& children = parent->m_listChildren;
    if (children.GetCount() < kMinChildren) return nullptr;
    if (auto known = m_chunks.find(parent); known != m_chunks.end()) return known->second;
    auto chunks = std::make_shared<std::vector<Chunk>>();
    chunks->reserve((children.GetCount() + kChunkSize - 1) / kChunkSize);
    for (RichPosition pos = children.GetHeadPosition(); pos;) {
        Chunk chunk;
        chunk.m_first = pos;
        chunk.m_plain = true;
        bool any = false;
        while (pos && chunk.m_count < kChunkSize) {
            CExtRichContentItem* child = children.GetNext(pos);
            // Once a child is not plain the chunk is painted child by child: its ink no longer matters.
            if (chunk.m_plain) chunk.m_plain = AddInk(child, chunk.m_ink, any);
            ++chunk.m_count;
        }
        chunks->push_back(chunk);
    }
    m_chunks[parent] = chunks;
    return chunks;
}
