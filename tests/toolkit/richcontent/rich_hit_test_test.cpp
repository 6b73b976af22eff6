// Hit testing of nested items, box zones and scroll-bar parts, scrolled and clipped content, the
// wheel and scrolling into view. Native builds measure scroll bars as 17 pixels (the stand-in
// platform) with a minimum thumb of 9.
#include "tests/toolkit/richcontent/rich_test_support.h"
#include "toolkit/richcontent/rich_hit_test.h"
#include "toolkit/richcontent/rich_platform.h"

#include <gtest/gtest.h>

#include <vector>

using richtest::DocumentBuilder;

namespace {

CExtRichContentItem* Box(DocumentBuilder& d, CExtRichContentItem* parent, RichRect rect) {
    CExtRichContentItem* e = d.Element(parent, u"div");
    e->GetStyle().m_nDisplay = RichCode::DisplayBlock;
    e->GetStyle().m_uiCaps[RichUiState::Hover] = RichUiState::On;
    e->m_rcItem = rect;
    return e;
}

RichHitTestRecord Hit(DocumentBuilder& d, int x, int y, CExtRichContentItem* target = nullptr) {
    RichHitTestRecord record;
    record.m_pt = RichPoint{x, y};
    d.root->HitTest(record, target);
    return record;
}

// A box with margin 5, border 2 and padding 3 around a paragraph holding one word.
struct ZonedTree : DocumentBuilder {
    CExtRichContentItem* div = Box(*this, root, RichRect{0, 0, 200, 150});
    CExtRichContentItem* p = Box(*this, div, RichRect{10, 10, 190, 60});
    CExtRichContentItem* word = Text(p, u"word");

    ZonedTree() {
        CExtRichStyleDescription& s = div->GetStyle();
        s.m_rcMargin.SetAll(5);
        s.m_rcBorderWidth.SetAll(2);
        s.m_rcPadding.SetAll(3);
        word->m_rcItem = RichRect{10, 10, 50, 26};
    }
};

TEST(RichHitTest, PathRunsFromTheOutermostToTheInnermostItem) {
    ZonedTree t;
    const RichHitTestRecord r = Hit(t, 20, 15);
    ASSERT_EQ(r.m_path.size(), 3u);
    EXPECT_EQ(r.m_path[0].m_pItem, t.div);
    EXPECT_EQ(r.m_path[1].m_pItem, t.p);
    EXPECT_EQ(r.m_path[2].m_pItem, t.word);
    for (const RichHitInfo& info : r.m_path) EXPECT_EQ(info.m_nHitCode, kRichHitContent);
    EXPECT_EQ(r.m_path[1].m_rcItem, (RichRect{10, 10, 190, 60}));

    // Below the paragraph, inside the box: the box alone.
    const RichHitTestRecord below = Hit(t, 50, 100);
    ASSERT_EQ(below.m_path.size(), 1u);
    EXPECT_EQ(below.m_path[0].m_pItem, t.div);
    // Outside everything.
    EXPECT_TRUE(Hit(t, 300, 300).m_path.empty());
}

TEST(RichHitTest, BoxZonesOfMarginBorderAndPadding) {
    struct Case {
        int x, y;
        std::uint32_t code;
        const char* zone;
    } cases[] = {
        {2, 50, kRichHitContent, "margin left: strip kept, no code, border ring next"},
        {50, 2, kRichHitContent | kRichHitMarginTop, "margin top"},
        {50, 147, kRichHitContent | kRichHitMarginBottom, "margin bottom"},
        {197, 50, kRichHitContent | kRichHitMarginRight, "margin right"},
        {6, 50, kRichHitContent, "border left"},
        {50, 6, kRichHitContent | kRichHitBorderTop, "border top"},
        {50, 143, kRichHitContent | kRichHitBorderBottom, "border bottom"},
        {194, 50, kRichHitContent | kRichHitBorderRight, "border right"},
        {50, 8, kRichHitContent | kRichHitPaddingTop, "padding top"},
        {50, 141, kRichHitContent | kRichHitPaddingBottom, "padding bottom"},
        {191, 100, kRichHitContent | kRichHitPaddingRight, "padding right"},
    };
    for (const Case& c : cases) {
        ZonedTree t;
        const RichHitTestRecord r = Hit(t, c.x, c.y);
        ASSERT_EQ(r.m_path.size(), 1u) << c.zone;
        EXPECT_EQ(r.m_path[0].m_pItem, t.div) << c.zone;
        EXPECT_EQ(r.m_path[0].m_nHitCode, c.code) << c.zone;
    }
    ZonedTree t;
    const RichHitInfo left = Hit(t, 2, 50).m_path[0];
    EXPECT_EQ(left.m_rcLeft, (RichRect{0, 5, 5, 145}));
    EXPECT_EQ(left.m_rcTop, RichRect{});
    EXPECT_EQ(Hit(t, 50, 2).m_path[0].m_rcTop, (RichRect{0, 0, 200, 5}));
}

TEST(RichHitTest, PositionedItemsAreHitOnlyAsTheTarget) {
    DocumentBuilder d;
    CExtRichContentItem* box = Box(d, d.root, RichRect{0, 0, 100, 100});
    CExtRichContentItem* pinned = Box(d, box, RichRect{10, 10, 50, 50});
    pinned->GetStyle().m_nPosition = RichCode::PositionAbsolute;
    EXPECT_EQ(Hit(d, 20, 20).m_path.size(), 1u);
    RichHitTestRecord r;
    r.m_pt = RichPoint{20, 20};
    EXPECT_TRUE(pinned->HitTest(r, pinned));
    // Items that cannot be hovered are never hit.
    box->GetStyle().m_uiCaps[RichUiState::Hover] = RichUiState::Off;
    EXPECT_TRUE(Hit(d, 20, 20).m_path.empty());
}

// A scrolling box 200 by 150 with both bars: ranges 50 across and 80 down.
struct ScrollTree : DocumentBuilder {
    CExtRichContentItem* div = Box(*this, root, RichRect{0, 0, 200, 150});

    ScrollTree() {
        div->GetStyle().m_nOverflow = RichCode::OverflowScroll;
        div->ScrollRange() = RichSize{50, 80};
    }
};

TEST(RichHitTest, EveryPartOfBothScrollBars) {
    // Horizontal bar (0, 133, 183, 150): arrows 17 wide, thumb 117 of a 149 track.
    // Vertical bar (183, 0, 200, 133): thumb 62 of a 99 track; corner (183, 133, 200, 150).
    struct Case {
        int scrollX, x, y;
        std::uint32_t code;
    } cases[] = {
        {0, 5, 140, kRichHitHArrowBefore},  {0, 175, 140, kRichHitHArrowAfter},
        {0, 50, 140, kRichHitHThumb},       {0, 150, 140, kRichHitHPageAfter},
        {50, 30, 140, kRichHitHPageBefore}, {50, 60, 140, kRichHitHThumb},
        {0, 190, 5, kRichHitVArrowBefore},  {0, 190, 125, kRichHitVArrowAfter},
        {0, 190, 40, kRichHitVThumb},       {0, 190, 100, kRichHitVPageAfter},
        {0, 190, 140, kRichHitScrollCorner}, {0, 50, 50, kRichHitContent},
    };
    for (const Case& c : cases) {
        ScrollTree t;
        t.div->ScrollOffset().x = c.scrollX;
        const RichHitTestRecord r = Hit(t, c.x, c.y);
        ASSERT_EQ(r.m_path.size(), 1u) << c.x << "," << c.y;
        EXPECT_EQ(r.m_path[0].m_nHitCode, c.code) << c.x << "," << c.y << " scrolled " << c.scrollX;
    }
    // A bar without range: no thumb, the bar itself answers.
    ScrollTree t;
    t.div->GetStyle().m_nOverflow = RichCode::OverflowVisible;
    t.div->GetStyle().m_nScrollBarH = 2;
    t.div->ScrollRange() = RichSize{0, 0};
    EXPECT_EQ(Hit(t, 50, 140).m_path[0].m_nHitCode, static_cast<std::uint32_t>(kRichHitHBar));
}

TEST(RichHitTest, ScrolledContentIsHitWhereItShows) {
    ScrollTree t;
    t.div->ScrollRange() = RichSize{0, 200};
    CExtRichContentItem* rows[3];
    for (int i = 0; i < 3; ++i) rows[i] = Box(t, t.div, RichRect{0, 100 * i, 150, 100 * (i + 1)});
    EXPECT_EQ(Hit(t, 50, 20).m_path.back().m_pItem, rows[0]);
    t.div->ScrollOffset().y = 100;
    const RichHitTestRecord r = Hit(t, 50, 20);
    ASSERT_EQ(r.m_path.size(), 2u);
    EXPECT_EQ(r.m_path[1].m_pItem, rows[1]);
    EXPECT_EQ(r.m_path[1].m_rcItem, (RichRect{0, 0, 150, 100}));  // its screen rectangle
    // The bar keeps its place whatever the offset.
    EXPECT_EQ(Hit(t, 190, 5).m_path.back().m_nHitCode, static_cast<std::uint32_t>(kRichHitVArrowBefore));
}

TEST(RichHitTest, ClippedContentOutsideTheBoxIsNotHit) {
    struct Case {
        int overflow, scrollY;
        bool hit;
    } cases[] = {
        {RichCode::OverflowHidden, -200, false},  // wholly below the box
        {RichCode::OverflowHidden, 200, false},   // wholly above
        {RichCode::OverflowHidden, -40, true},    // overlapping the bottom edge
        {RichCode::OverflowAuto, -200, false},
        {RichCode::OverflowVisible, -200, true},
    };
    for (const Case& c : cases) {
        DocumentBuilder d;
        CExtRichContentItem* box = Box(d, d.root, RichRect{0, 0, 100, 100});
        box->GetStyle().m_nOverflow = c.overflow;
        box->ScrollOffset().y = c.scrollY;
        CExtRichContentItem* inner = Box(d, box, RichRect{0, 50, 100, 70});
        const RichHitTestRecord r = Hit(d, 10, 60);
        EXPECT_EQ(!r.m_path.empty() && r.m_path.back().m_pItem == inner, c.hit) << c.overflow << "/" << c.scrollY;
    }
}

TEST(RichHitTest, RotatedDocumentsHaveNoScrollBars) {
    ScrollTree t;
    t.doc.m_nAngle = 90;
    EXPECT_EQ(t.div->GetScrollBarModeH(), 1);
    EXPECT_EQ(t.div->GetScrollBarModeV(), 1);
    EXPECT_EQ(t.div->GetScrollBarHeight(), 0);
    EXPECT_EQ(t.div->GetScrollBarWidth(), 0);
    RichScrollBarData data;
    t.div->LayoutScrollBar(true, RichRect{0, 133, 183, 150}, data, true);
    EXPECT_EQ(data.m_rcBar, RichRect{});
    EXPECT_EQ(Hit(t, 190, 140).m_path[0].m_nHitCode, static_cast<std::uint32_t>(kRichHitContent));
}

// Counts invalidations; everything else as the stand-in.
class RecordingPlatform : public CExtRichPlatform {
public:
    CExtRichPlatform& base = RichDefaultPlatform();
    mutable int invalidated = 0;
    int DpiX() const override { return base.DpiX(); }
    int DpiY() const override { return base.DpiY(); }
    RichColor SysColor(int index) const override { return base.SysColor(index); }
    int ScrollBarHeight() const override { return base.ScrollBarHeight(); }
    int ScrollBarWidth() const override { return base.ScrollBarWidth(); }
    RichSize MeasureText(RichDcHandle dc, const char16_t* text, int length) const override {
        return base.MeasureText(dc, text, length);
    }
    RichLogFont DcFont(RichDcHandle dc) const override { return base.DcFont(dc); }
    RichString NormalFontFace() const override { return base.NormalFontFace(); }
    void InvalidateWindow(RichWindowHandle) const override { ++invalidated; }
};

struct PlatformScope {
    RecordingPlatform platform;
    CExtRichPlatform* previous = RichSetPlatform(&platform);
    ~PlatformScope() { RichSetPlatform(previous); }
};

class HandlingListener : public CExtRichContentEvents {
public:
    bool OnMouseWheel(CExtRichContentItem*, RichEventArg, RichEventArg, RichEventArg, RichEventArg, RichEventArg,
                      RichEventArg) override {
        return true;
    }
};

bool Wheel(CExtRichContentItem* item, int delta) {
    const RichEventArg host = 0x1234;
    return item->OnMouseWheel(0, static_cast<RichEventArg>(delta & 0xFFFF), 10, 10, 0, host);
}

TEST(RichScrollBars, WheelScrollsWithinTheRangeAndInvalidatesOnChange) {
    PlatformScope scope;
    ScrollTree t;
    // Vertical wins when both bars scroll. Down by one notch: 0 + 120 + 1, cut to the last
    // position (maximum 213 - page 133 + 1).
    EXPECT_TRUE(Wheel(t.div, -120));
    EXPECT_EQ(t.div->GetScrollOffset(), (RichPoint{0, 81}));
    EXPECT_EQ(scope.platform.invalidated, 1);
    EXPECT_FALSE(Wheel(t.div, -120));  // already at the end
    EXPECT_EQ(scope.platform.invalidated, 1);
    EXPECT_TRUE(Wheel(t.div, 120));
    EXPECT_EQ(t.div->GetScrollOffset(), (RichPoint{0, 0}));

    // Only a horizontal bar with a range: the wheel scrolls across.
    t.div->GetStyle().m_nOverflow = RichCode::OverflowVisible;
    t.div->GetStyle().m_nScrollBarH = 2;
    EXPECT_EQ(t.div->GetScrollBarModeV(), 1);
    EXPECT_TRUE(Wheel(t.div, -1));
    EXPECT_EQ(t.div->GetScrollOffset(), (RichPoint{2, 0}));

    // A listener that handles the wheel keeps the item from scrolling.
    HandlingListener listener;
    t.doc.AddListener(&listener);
    EXPECT_TRUE(Wheel(t.div, -1));
    EXPECT_EQ(t.div->GetScrollOffset(), (RichPoint{2, 0}));
    t.doc.RemoveListener(&listener);

    // Nothing to scroll.
    t.div->GetStyle().m_nScrollBarH = 0;
    EXPECT_FALSE(Wheel(t.div, -120));
    // The same offset again does not invalidate.
    const int before = scope.platform.invalidated;
    t.div->SetScrollPos(2, 0, reinterpret_cast<RichWindowHandle>(0x1234));
    EXPECT_EQ(scope.platform.invalidated, before);
}

TEST(RichScrollBars, LayoutWithClampKeepsTheOffsetInRange) {
    ScrollTree t;
    RichScrollBarData data;
    t.div->ScrollOffset() = RichPoint{0, 500};
    t.div->LayoutScrollBar(false, RichRect{183, 0, 200, 133}, data, true);
    EXPECT_TRUE(data.m_bEnabled);
    EXPECT_EQ(data.m_scrollInfo.m_nMax, 213);
    EXPECT_EQ(data.m_scrollInfo.m_nPage, 133u);
    EXPECT_EQ(data.m_scrollInfo.m_nPos, 81);
    EXPECT_EQ(t.div->GetScrollOffset().y, 81);
    t.div->ScrollOffset().y = -7;
    t.div->LayoutScrollBar(false, RichRect{183, 0, 200, 133}, data, true);
    EXPECT_EQ(t.div->GetScrollOffset().y, 0);

    // Without range the bar is disabled, grows its maximum by one and leaves the offset alone.
    t.div->ScrollRange().cy = 0;
    t.div->ScrollOffset().y = 9;
    RichScrollBarData off;
    t.div->LayoutScrollBar(false, RichRect{183, 0, 200, 133}, off, true);
    EXPECT_FALSE(off.m_bEnabled);
    EXPECT_EQ(off.m_scrollInfo.m_nMax, 134);
    EXPECT_EQ(off.m_rcThumb, RichRect{});
    EXPECT_EQ(t.div->GetScrollOffset().y, 9);
}

TEST(RichScrollBars, ScrollIntoViewMovesTheOffsetJustEnough) {
    DocumentBuilder d;
    CExtRichContentItem* list = Box(d, d.root, RichRect{0, 0, 200, 100});
    list->GetStyle().m_nOverflow = RichCode::OverflowScroll;
    list->ScrollRange() = RichSize{0, 300};
    CExtRichContentItem* low = Box(d, list, RichRect{0, 150, 100, 170});
    CExtRichContentItem* high = Box(d, list, RichRect{0, 20, 100, 40});
    low->ScrollParentsToShow(false, true, false, false, false);
    EXPECT_EQ(list->GetScrollOffset(), (RichPoint{0, 70}));  // its bottom meets the view's bottom
    high->ScrollParentsToShow(false, true, false, false, false);
    EXPECT_EQ(list->GetScrollOffset(), (RichPoint{0, 20}));  // its top meets the view's top
    // Aligning at the end first: a rectangle taller than the view shows its top.
    low->m_rcItem = RichRect{0, 150, 100, 400};
    low->ScrollParentsToShow(false, true, false, true, false);
    EXPECT_EQ(list->GetScrollOffset(), (RichPoint{0, 150}));
    // Nothing asked: nothing moves.
    high->ScrollParentsToShow(false, false, false, false, false);
    EXPECT_EQ(list->GetScrollOffset(), (RichPoint{0, 150}));
}

TEST(RichScrollBars, FocusCanScrollTheItemIntoView) {
    DocumentBuilder d;
    CExtRichContentItem* list = Box(d, d.root, RichRect{0, 0, 200, 100});
    list->GetStyle().m_nOverflow = RichCode::OverflowScroll;
    list->ScrollRange() = RichSize{0, 300};
    CExtRichContentItem* item = Box(d, list, RichRect{0, 250, 100, 270});
    item->OnFocusEnter(nullptr, 0);
    EXPECT_EQ(list->GetScrollOffset().y, 0);  // not asked for
    item->GetStyle().m_nFocusEnsureVisibility = 2;
    item->OnFocusEnter(nullptr, 0);
    EXPECT_EQ(list->GetScrollOffset().y, 170);  // aligned at the bottom
}

// Records what the engine hands the painter.
class RecordingPainter : public CExtRichScrollBarPainter {
public:
    std::vector<RichScrollBarData> bars;
    std::vector<RichRect> corners;
    bool MeasureScrollBar(bool, int& button, int& minThumb) override {
        button = 10;
        minThumb = 20;
        return true;
    }
    void DrawScrollBar(RichDcHandle, const RichScrollBarData& data) override { bars.push_back(data); }
    void FillCorner(RichDcHandle, const RichRect& rect) override { corners.push_back(rect); }
};

TEST(RichScrollBars, PaintingHandsBothBarsAndTheCornerToThePainter) {
    RecordingPainter painter;
    CExtRichScrollBarPainter* previous = RichSetScrollBarPainter(&painter);
    ScrollTree t;
    t.div->SetScrollBarHotPart(kRichHitVThumb);
    t.div->SetScrollBarFlags(0x01);
    int dc = 0;
    t.div->PaintScrollBars(&dc, RichRect{0, 0, 200, 150}, 0, nullptr);
    ASSERT_EQ(painter.bars.size(), 2u);
    EXPECT_TRUE(painter.bars[0].m_bHorzBar);
    EXPECT_EQ(painter.bars[0].m_rcBar, (RichRect{0, 133, 183, 150}));
    EXPECT_EQ(painter.bars[0].m_rcButtonUp, (RichRect{0, 133, 10, 150}));  // the painter's arrow size
    EXPECT_EQ(painter.bars[1].m_rcBar, (RichRect{183, 0, 200, 133}));
    EXPECT_EQ(painter.bars[1].m_nHotPart, RichScrollBarData::PartThumb);
    EXPECT_TRUE(painter.bars[1].m_bPressed);
    ASSERT_EQ(painter.corners.size(), 1u);
    EXPECT_EQ(painter.corners[0], (RichRect{183, 133, 200, 150}));
    // A pressed part that was left is not drawn pressed; rotated documents paint nothing.
    t.div->SetScrollBarFlags(0x05);
    painter.bars.clear();
    t.div->PaintScrollBars(&dc, RichRect{}, 0, nullptr);
    EXPECT_FALSE(painter.bars[1].m_bPressed);
    t.doc.m_nAngle = 180;
    painter.bars.clear();
    t.div->PaintScrollBars(&dc, RichRect{}, 0, nullptr);
    EXPECT_TRUE(painter.bars.empty());
    RichSetScrollBarPainter(previous);
}

}  // namespace
