// Point hit testing of a rich-content document and the element scroll bars: the hit record and
// path, the hit codes of box zones and scroll-bar parts, the portable scroll-bar record the item
// lays out, and the painter the bars are drawn through (the paint manager on Windows).
#pragma once

#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_types.h"

#include <cstdint>
#include <vector>

// Hit codes. Ring codes are ORed onto kRichHitContent; a scroll-bar part replaces it.
enum : std::uint32_t {
    kRichHitContent = 0x8000,
    kRichHitMarginRight = 0x1000,
    kRichHitMarginTop = 0x2000,
    kRichHitMarginBottom = 0x3000,
    kRichHitBorderRight = 0x400,
    kRichHitBorderTop = 0x800,
    kRichHitBorderBottom = 0xC00,
    kRichHitPaddingRight = 0x100,
    kRichHitPaddingTop = 0x200,
    kRichHitPaddingBottom = 0x300,
    kRichHitScrollCorner = 0x4000,
    // Horizontal bar parts; the vertical bar's are the same values shifted right by 4.
    kRichHitHArrowBefore = 0x10,
    kRichHitHArrowAfter = 0x20,
    kRichHitHPageBefore = 0x30,
    kRichHitHPageAfter = 0x40,
    kRichHitHThumb = 0x50,
    kRichHitHBar = 0x10000,
    kRichHitVArrowBefore = 0x1,
    kRichHitVArrowAfter = 0x2,
    kRichHitVPageBefore = 0x3,
    kRichHitVPageAfter = 0x4,
    kRichHitVThumb = 0x5,
    kRichHitVBar = 0x20000,
};

// One entry of a hit path: the item, its hit code, the zone strip that was hit (top, bottom,
// left, right strip; the others stay empty) and the item's screen rectangle.
struct RichHitInfo {
    CExtRichContentItem* m_pItem = nullptr;
    std::uint32_t m_nHitCode = 0;
    RichRect m_rcTop, m_rcBottom, m_rcLeft, m_rcRight;
    RichRect m_rcItem;
};

// A point in document coordinates and the hit path, outermost hit first, innermost last.
struct RichHitTestRecord {
    RichPoint m_pt;
    std::vector<RichHitInfo> m_path;
};

// SCROLLINFO-like values of a bar.
struct RichScrollInfo {
    unsigned m_nMask = 0;
    int m_nMin = 0, m_nMax = 0;
    unsigned m_nPage = 0;
    int m_nPos = 0, m_nTrackPos = 0;
};

// The laid-out scroll bar of an element: the same parts as the paint manager's bar record.
struct RichScrollBarData {
    enum Part : int { PartNone = -1, PartLineUp = 1, PartLineDown = 2, PartThumb = 3, PartPageUp = 4,
                      PartPageDown = 5 };

    bool m_bHorzBar = false;
    bool m_bEnabled = false;
    bool m_bPressed = false;
    int m_nHotPart = PartNone;  // a Part
    RichRect m_rcBar;
    RichScrollInfo m_scrollInfo;
    RichRect m_rcPageUp, m_rcPageDown, m_rcButtonUp, m_rcButtonDown, m_rcThumb, m_rcTrack;

    // The part under the point: arrows, then thumb (enabled bars), then page areas; PartNone.
    int HitTest(RichPoint pt) const;
    int HitTestAndRemember(RichPoint pt) { return m_nHotPart = HitTest(pt); }
};

// The item's hot-part code (a hit code) as a bar part.
int RichScrollBarPartFromHitCode(int hitCode);

// What the engine asks of whoever draws its scroll bars. The default painter draws nothing and
// measures nothing (the system metrics apply).
class CExtRichScrollBarPainter {
public:
    virtual ~CExtRichScrollBarPainter() = default;
    // Arrow-button length and minimum thumb length of a skinned bar; false when not skinned.
    virtual bool MeasureScrollBar(bool horizontal, int& buttonLength, int& minThumb);
    virtual void DrawScrollBar(RichDcHandle dc, const RichScrollBarData& data);
    // The corner between two bars.
    virtual void FillCorner(RichDcHandle dc, const RichRect& rect);
};

CExtRichScrollBarPainter& RichScrollBarPainter();
// Installs a painter (not owned); null goes back to the default. Returns the previous one.
CExtRichScrollBarPainter* RichSetScrollBarPainter(CExtRichScrollBarPainter* painter);

// Windows: installs the painter that draws through the current paint manager.
#ifdef _WIN32
void RichUsePaintManagerScrollBars();
#endif
