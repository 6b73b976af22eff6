// Item geometry on hand-built lines and trees: justification, vertical alignment of images,
// moving and bounding items, rotation, marker rectangles and baselines.
#include "tests/toolkit/richcontent/rich_test_support.h"
#include "toolkit/richcontent/rich_geometry.h"

#include <gtest/gtest.h>

#include <vector>

using richtest::DocumentBuilder;

namespace {

// One line of runs laid out left to right from x = 0, each 16 high: "w:<width>" a word,
// "s:<width>" a white-space run, "i:<height>:<align>" an image 10 wide.
struct LineBuilder : DocumentBuilder {
    CExtRichContentItem* p = Element(root, u"p");
    RichItemList line;
    std::vector<CExtRichContentItem*> items;
    int x = 0;

    LineBuilder() { p->GetStyle().m_nDisplay = RichCode::DisplayBlock; }

    CExtRichContentItem* Word(int width) { return Add(Text(p, u"w"), width, 0, 16); }
    CExtRichContentItem* Space(int width) { return Add(DocumentBuilder::Space(p), width, 0, 16); }
    // An image standing on the text's bottom edge (16).
    CExtRichContentItem* Image(int height, int align) {
        CExtRichContentItem* img = Element(p, u"img");
        img->GetStyle().m_nVerticalAlign = align;
        return Add(img, 10, 16 - height, 16);
    }
    CExtRichContentItem* Add(CExtRichContentItem* item, int width, int top, int bottom) {
        item->m_rcItem = RichRect{x, top, x + width, bottom};
        x += width;
        line.AddTail(item);
        items.push_back(item);
        return item;
    }
    int Left(int i) const { return items[i]->m_rcItem.left; }
};

TEST(RichJustify, SpreadsTheFreeWidthOverTheGapsWithTheRemainderFirst) {
    LineBuilder b;
    b.Word(20);
    b.Space(8);
    b.Word(20);
    b.Space(8);
    b.Word(37);  // used 93 of 100: 7 free, two gaps: 4 then 3
    CExtRichStyleDescription style;
    b.p->JustifyLine(RichRect{0, 0, 100, 16}, b.x, b.line.GetHeadPosition(), nullptr, b.line, false, style);
    EXPECT_EQ(b.Left(0), 0);
    EXPECT_EQ(b.Left(2), 28 + 4);
    EXPECT_EQ(b.Left(4), 56 + 7);
    EXPECT_EQ(b.items[4]->m_rcItem.right, 100);
    // The white space between two words reaches the next word's new left edge.
    EXPECT_EQ(b.items[1]->m_rcItem.right, 32);
    EXPECT_EQ(b.items[3]->m_rcItem.right, 63);
    EXPECT_EQ(b.items[0]->m_nLayoutFlags & 1, 1);  // word starts are marked
    EXPECT_EQ(b.items[1]->m_nLayoutFlags & 1, 0);
}

TEST(RichJustify, LeavesLinesWithOneWordOrNoRoomAlone) {
    {
        LineBuilder b;
        b.Word(20);
        b.Word(20);  // no white space between: one word
        CExtRichStyleDescription style;
        b.p->JustifyLine(RichRect{0, 0, 100, 16}, b.x, b.line.GetHeadPosition(), nullptr, b.line, false, style);
        EXPECT_EQ(b.Left(1), 20);
    }
    {
        // A first line's text indent eats the free width: nothing left to spread.
        LineBuilder b;
        b.Word(20);
        b.Space(8);
        b.Word(20);
        CExtRichStyleDescription style;
        style.m_nTextIndent = 60;
        b.p->JustifyLine(RichRect{0, 0, 100, 16}, b.x, b.line.GetHeadPosition(), nullptr, b.line, true, style);
        EXPECT_EQ(b.Left(2), 28);
        // Not the first line: the indent does not count.
        b.p->JustifyLine(RichRect{0, 0, 100, 16}, b.x, b.line.GetHeadPosition(), nullptr, b.line, false, style);
        EXPECT_EQ(b.Left(2), 28 + 52);
    }
}

TEST(RichJustify, StopsAtTheEndOfTheLine) {
    LineBuilder b;
    b.Word(20);
    b.Space(8);
    b.Word(20);
    CExtRichContentItem* nextLine = b.Word(10);  // the first node of the next line
    nextLine->m_rcItem = RichRect{0, 16, 10, 32};
    const RichPosition end = b.line.GetTailPosition();
    CExtRichStyleDescription style;
    b.p->JustifyLine(RichRect{0, 0, 100, 16}, 48, b.line.GetHeadPosition(), end, b.line, false, style);
    EXPECT_EQ(b.Left(2), 80);
    EXPECT_EQ(nextLine->m_rcItem.left, 0);
}

TEST(RichAlignLine, MiddleImageRaisesTheLineAndCentresTheText) {
    LineBuilder b;
    CExtRichContentItem* word = b.Word(20);
    b.Space(8);
    CExtRichContentItem* img = b.Image(40, RichCode::VAlignMiddle);
    EXPECT_EQ(b.p->AlignLineVertically(b.line.GetHeadPosition(), nullptr, b.line, 16), 40);
    EXPECT_EQ(img->m_rcItem, (RichRect{28, 0, 38, 40}));
    EXPECT_EQ(word->m_rcItem.top, 12);  // (40 - 16) / 2
}

TEST(RichAlignLine, ImagesOnTheBaselineOrBottomChangeNothing) {
    LineBuilder b;
    CExtRichContentItem* word = b.Word(20);
    CExtRichContentItem* img1 = b.Image(40, RichCode::VAlignBottom);
    b.Image(30, RichCode::VAlignTextBottom);
    b.Image(20, RichCode::VAlignBaseline);
    EXPECT_EQ(b.p->AlignLineVertically(b.line.GetHeadPosition(), nullptr, b.line, 16), 0);
    EXPECT_EQ(word->m_rcItem.top, 0);
    EXPECT_EQ(img1->m_rcItem.top, -24);
    // Nothing to align on an empty range or a line without height.
    EXPECT_EQ(b.p->AlignLineVertically(nullptr, nullptr, b.line, 16), 0);
    EXPECT_EQ(b.p->AlignLineVertically(b.line.GetHeadPosition(), nullptr, b.line, 0), 0);
}

TEST(RichOffsetItem, PositionedItemsMoveOnlyWhenForced) {
    DocumentBuilder d;
    CExtRichContentItem* box = d.Element(d.root, u"div");
    box->GetStyle().m_nPosition = RichCode::PositionAbsolute;
    CExtRichContentItem* relative = d.Element(box, u"span");
    relative->GetStyle().m_nPosition = RichCode::PositionRelative;
    CExtRichContentItem* fixed = d.Element(box, u"span");
    fixed->GetStyle().m_nPosition = RichCode::PositionFixed;
    CExtRichContentItem* text = d.Text(relative, u"t");
    for (CExtRichContentItem* i : {box, relative, fixed, text}) i->m_rcItem = RichRect{0, 0, 10, 10};

    box->OffsetItem(RichPoint{5, 7}, true, true, false);
    EXPECT_EQ(box->m_rcItem.left, 0);
    box->OffsetItem(RichPoint{5, 7}, true, true, true);
    EXPECT_EQ(box->m_rcItem, (RichRect{5, 7, 15, 17}));
    EXPECT_EQ(relative->m_rcItem, (RichRect{5, 7, 15, 17}));
    EXPECT_EQ(text->m_rcItem, (RichRect{5, 7, 15, 17}));
    EXPECT_EQ(fixed->m_rcItem, (RichRect{0, 0, 10, 10}));
    // Runs inside a positioned box follow their line (they have no position of their own).
    text->OffsetItem(RichPoint{1, 0}, true, true, false);
    EXPECT_EQ(text->m_rcItem.left, 6);
    // Children only.
    box->OffsetItem(RichPoint{-5, 0}, false, true, true);
    EXPECT_EQ(box->m_rcItem.left, 5);
    EXPECT_EQ(relative->m_rcItem.left, 0);
}

TEST(RichBounds, BoundChildrenCountsOnlyDisplayedVisibleChildren) {
    DocumentBuilder d;
    CExtRichContentItem* box = d.Element(d.root, u"div");
    CExtRichContentItem* hidden = d.Element(box, u"p");
    hidden->GetStyle().m_nVisibility = RichCode::VisibilityHidden;
    CExtRichContentItem* none = d.Element(box, u"p");
    none->GetStyle().m_nDisplay = RichCode::DisplayNone;
    hidden->m_rcItem = RichRect{0, 0, 50, 50};
    none->m_rcItem = RichRect{0, 0, 60, 60};
    box->m_rcItem = RichRect{1, 2, 3, 4};
    box->BoundChildren(true);
    EXPECT_EQ(box->m_rcItem, RichRect{});

    CExtRichContentItem* shown = d.Element(box, u"p");
    CExtRichContentItem* a = d.Text(shown, u"a");
    CExtRichContentItem* b = d.Text(shown, u"b");
    a->m_rcItem = RichRect{10, 10, 20, 26};
    b->m_rcItem = RichRect{30, 40, 35, 56};
    CExtRichContentItem* blank = d.Text(shown, u"c");  // empty rectangle: no part of the union
    (void)blank;
    box->BoundChildren(false);  // children bounded first
    EXPECT_EQ(shown->m_rcItem, (RichRect{10, 10, 35, 56}));
    EXPECT_EQ(box->m_rcItem, (RichRect{10, 10, 35, 56}));
    EXPECT_EQ(a->m_rcItem, (RichRect{10, 10, 20, 26}));  // leaves keep their own rectangles
}

TEST(RichBounds, InlineElementsAndTableParts) {
    DocumentBuilder d;
    CExtRichContentItem* p = d.Element(d.root, u"p");
    p->GetStyle().m_nDisplay = RichCode::DisplayBlock;
    CExtRichContentItem* span = d.Element(p, u"span");  // inline by default
    CExtRichContentItem* a = d.Text(span, u"a");
    CExtRichContentItem* space = d.Space(span);
    CExtRichContentItem* b = d.Text(span, u"b");
    a->m_rcItem = RichRect{0, 0, 10, 16};
    b->m_rcItem = RichRect{50, 16, 60, 32};
    span->m_rcItem = RichRect{100, 100, 200, 200};
    span->BoundInlineElement();
    EXPECT_EQ(span->m_rcItem, (RichRect{0, 0, 60, 32}));
    (void)space;
    span->ClearInlineBounds();
    EXPECT_EQ(span->m_rcItem, (RichRect{0, 0, 60, 32}));  // no inline-level element children
    CExtRichContentItem* inner = d.Element(span, u"b");
    inner->m_rcItem = RichRect{1, 1, 2, 2};
    span->ClearInlineBounds();
    EXPECT_EQ(span->m_rcItem, RichRect{});

    CExtRichContentItem* row = d.Element(d.root, u"tr");
    row->GetStyle().m_nDisplay = RichCode::DisplayTableRow;
    row->m_rcItem = RichRect{0, 0, 1, 1};
    CExtRichContentItem* other = d.Element(row, u"div");
    other->GetStyle().m_nDisplay = RichCode::DisplayBlock;
    other->m_rcItem = RichRect{0, 0, 500, 500};
    row->UnionTableParts();
    EXPECT_EQ(row->m_rcItem, (RichRect{0, 0, 1, 1}));  // no table parts: unchanged
    CExtRichContentItem* cell1 = d.Element(row, u"td");
    CExtRichContentItem* cell2 = d.Element(row, u"td");
    for (CExtRichContentItem* c : {cell1, cell2}) c->GetStyle().m_nDisplay = RichCode::DisplayTableCell;
    cell1->m_rcItem = RichRect{10, 10, 20, 30};
    cell2->m_rcItem = RichRect{20, 10, 45, 40};
    row->UnionTableParts();
    EXPECT_EQ(row->m_rcItem, (RichRect{10, 10, 45, 40}));
}

TEST(RichRotate, TurnsRectanglesWithinTheLayoutRectangle) {
    struct Case {
        int angle;
        RichRect expected;
    } cases[] = {
        {0, {0, 0, 10, 5}},
        {90, {95, 0, 100, 10}},
        {180, {90, 45, 100, 50}},
        {270, {0, 40, 5, 50}},
        {45, {0, 0, 10, 5}},
    };
    for (const Case& c : cases) {
        DocumentBuilder d;
        d.doc.m_rcLayout = RichRect{0, 0, 100, 50};
        CExtRichContentItem* e = d.Element(d.root, u"p");
        CExtRichContentItem* t = d.Text(e, u"t");
        e->m_rcItem = t->m_rcItem = RichRect{0, 0, 10, 5};
        e->RotateRect(c.angle);
        EXPECT_EQ(e->m_rcItem, c.expected) << c.angle;
        EXPECT_EQ(t->m_rcItem, c.expected) << c.angle;  // children turn too
    }
}

TEST(RichMarker, RectanglesPerAngleAndPosition) {
    DocumentBuilder d;
    const RichRect content{100, 100, 200, 200}, strip{50, 100, 100, 200};
    const RichSize size{8, 8};
    struct Case {
        int angle, position;
        RichRect expected;
    } cases[] = {
        {0, 0, {100, 104, 108, 112}},  // against the content: left edge, ascent 14 less shift 2
        {0, 1, {82, 104, 90, 112}},    // against the strip: right edge less shift 10
        {90, 0, {188, 100, 196, 108}},
        {90, 1, {80, 182, 88, 190}},
        {180, 0, {192, 184, 200, 192}},
        {180, 1, {60, 188, 68, 196}},
        {270, 0, {104, 192, 112, 200}},
        {270, 1, {54, 110, 62, 118}},
        {30, 1, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(d.root->CalcMarkerRect(c.angle, c.position, content, strip, size, 14, 2, 10), c.expected)
            << c.angle << "/" << c.position;
    EXPECT_EQ(CExtRichContentItem::GetMarkerSizeRound(), (RichSize{8, 8}));
    EXPECT_EQ(CExtRichContentItem::GetMarkerSizeSquare(), (RichSize{5, 5}));
}

TEST(RichBaseline, SubAndSuperscriptShiftAndNoWrapAscent) {
    DocumentBuilder d;
    CExtRichContentItem* p = d.Element(d.root, u"p");
    p->GetStyle().m_nDisplay = RichCode::DisplayBlock;
    CExtRichContentItem* sup = d.Element(p, u"sup");
    sup->GetStyle().m_nVerticalAlign = RichCode::VAlignSuper;
    sup->m_nContentHeight = 30;  // a third: 9.9, truncated
    sup->m_nLineGap = 2;
    EXPECT_EQ(sup->GetBaselineShift(), -2 - 9);
    CExtRichContentItem* sub = d.Element(p, u"sub");
    sub->GetStyle().m_nVerticalAlign = RichCode::VAlignSub;
    sub->m_nContentHeight = 30;
    EXPECT_EQ(sub->GetBaselineShift(), 9);
    EXPECT_EQ(d.root->GetBaselineShift(), 0);

    CExtRichContentItem* nowrap = d.Element(p, u"span");
    nowrap->GetStyle().m_nWhiteSpace = RichCode::WhiteSpaceNoWrap;
    CExtRichContentItem* a = d.Text(nowrap, u"a");
    CExtRichContentItem* b = d.Text(nowrap, u"b");
    a->m_nAscent = 11;
    b->m_nAscent = 13;
    a->m_nLineGap = -1;
    b->m_nLineGap = -4;
    EXPECT_EQ(nowrap->GetAscent(), 13);
    EXPECT_EQ(nowrap->GetLineGap(), -1);
    b->m_nAscent = 20;
    EXPECT_EQ(nowrap->GetAscent(), 13);  // kept once known
    EXPECT_EQ(p->GetAscent(), 0);        // not a no-wrap inline
}

}  // namespace
