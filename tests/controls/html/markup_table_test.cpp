// Tables over the fixed-pitch surface: characters 6 pixels wide, lines 13 high, cells padded by
// 2 on every side unless the table says otherwise. The expected sizes are worked out by hand
// from the layout rules: a cell needs its content plus twice (frame + padding); a table needs
// its columns plus (n + 1) spacings plus a pixel between neighbours plus its frame.
#include <gtest/gtest.h>

#include <vector>

#include "controls/html/markup_renderer.h"
#include "fake_surface.h"

namespace {

using namespace html;
using htmltest::FakeSurface;

class Tables : public ::testing::Test {
 protected:
  Tables() : renderer([](int) { return Colour{0}; }) {}

  Size Measure(const std::wstring& text) { return renderer.Measure(surface, text); }
  void Paint(int width, int height) { renderer.Paint(surface, Rect{0, 0, width, height}); }

  MarkupRenderer renderer;
  FakeSurface surface;
};

TEST_F(Tables, ColumnWidthsRowHeightsAndSizes) {
  const struct {
    const wchar_t* text;
    std::vector<int> columns;
    std::vector<int> rows;
    int cx, cy;  // measured size, one pixel more each way
  } kCases[] = {
      // 2 + 12 + 2 and 2 + 24 + 2 wide, 2 + 13 + 2 high.
      {L"<table><tr><td>ab</td><td>abcd</td></tr></table>", {16, 28}, {17}, 46, 18},
      // A two-column cell 7 pixels short: the columns grow by 3 and 4.
      {L"<table><tr><td>a</td><td>b</td></tr><tr><td colspan=2 width=23>c</td></tr></table>", {13, 14}, {17, 17}, 29,
       36},
      // A two-row cell 7 pixels short: the rows grow by 4 and 3; the second row's cell lands in
      // the second column.
      {L"<table><tr><td rowspan=2 height=37>x</td><td>a</td></tr><tr><td>b</td></tr></table>", {10, 10}, {21, 20}, 22,
       43},
      // A 3-pixel table frame; the cells inherit a frame of 1.
      {L"<table border=3><tr><td>a</td></tr></table>", {12}, {19}, 19, 26},
      // A double frame takes 3 pixels a side and forces the width to 1.
      {L"<table borderstyle=double><tr><td>a</td></tr></table>", {12}, {19}, 19, 26},
      // Spacing 2 around and between cells, no padding.
      {L"<table cellspacing=2 cellpadding=0><tr><td>ab</td><td>c</td></tr></table>", {12, 6}, {13}, 26, 18},
      // A nested table is the content of its cell: 16 × 17 plus the padding.
      {L"<table><tr><td><table><tr><td>ab</td></tr></table></td><td>c</td></tr></table>", {20, 10}, {21}, 32, 22},
      // The second row has more cells than the grid holds beside the covered slot: "dd" is dropped.
      {L"<table><tr><td rowspan=2>a</td><td>b</td></tr><tr><td>c</td><td>dd</td></tr></table>", {10, 10}, {17, 17}, 22,
       36},
      // Spans past the last row are clipped; five columns share the cell's 10 pixels.
      {L"<table><tr><td colspan=5 rowspan=9>a</td></tr></table>", {2, 2, 2, 2, 2}, {17}, 15, 18},
      // Text after the table flows below it.
      {L"<table><tr><td>a</td></tr></table>xyz", {10}, {17}, 19, 31},
      // A table without rows takes no room.
      {L"<table border=0></table>", {}, {}, 0, 0},
  };
  for (const auto& k : kCases) {
    const Size s = Measure(k.text);
    EXPECT_EQ(s.cx, k.cx) << k.text;
    EXPECT_EQ(s.cy, k.cy) << k.text;
    if (k.columns.empty()) continue;
    ASSERT_FALSE(renderer.Tables().empty()) << k.text;
    EXPECT_EQ(renderer.Tables()[0].columnWidths, k.columns) << k.text;
    EXPECT_EQ(renderer.Tables()[0].rowHeights, k.rows) << k.text;
    // Drawing into the measured size stretches nothing further than the spare pixel.
    Paint(s.cx, s.cy);
    EXPECT_EQ(surface.Text().find(L"dd"), std::wstring::npos) << k.text;
  }
}

TEST_F(Tables, CoveredSlotsAndClippedSpans) {
  Measure(L"<table><tr><td rowspan=2>a</td><td>b</td></tr><tr><td colspan=2>c</td></tr></table>");
  const TableLayout& t = renderer.Tables().at(0);
  ASSERT_EQ(t.cells.size(), 2u);
  EXPECT_EQ(t.cells[0][0].rowSpan, 2);
  EXPECT_EQ(t.cells[1][0].colSpan, -1);  // covered from above
  EXPECT_EQ(t.cells[1][1].colSpan, 1);   // clipped at the grid's edge
  // A block span covers its whole rectangle, so the next row's cell goes beside it.
  Measure(L"<table><tr><td colspan=2 rowspan=2>a</td><td>b</td></tr><tr><td>c</td></tr></table>");
  const TableLayout& u = renderer.Tables().at(0);
  EXPECT_EQ(u.cells[1][1].colSpan, -1);
  EXPECT_EQ(u.cells[1][2].colSpan, 1);
}

TEST_F(Tables, SpareWidthGoesToColumnsWithoutWidth) {
  // Three columns of 10: 32 wide. Ten spare pixels give 3, 3 and 4.
  Measure(L"<table><tr><td>a</td><td>b</td><td>c</td></tr></table>");
  Paint(42, 20);
  EXPECT_EQ(renderer.Tables()[0].columnWidths, (std::vector<int>{13, 13, 14}));
  ASSERT_EQ(surface.texts.size(), 3u);
  EXPECT_EQ(surface.texts[1].x, 13 + 1 + 2);
  EXPECT_EQ(surface.texts[2].x, 13 + 1 + 13 + 1 + 2);
  // A later drawing pass finds nothing more to share.
  Paint(42, 20);
  EXPECT_EQ(renderer.Tables()[0].columnWidths, (std::vector<int>{13, 13, 14}));
}

TEST_F(Tables, FixedColumnsAreNotStretchedAndTheTableIsAligned) {
  // 24 + 34 + 1 = 59 wide in 100: centred at 20; the text is centred in its cell too.
  Measure(L"<table align=center><tr><td width=20>a</td><td width=30>b</td></tr></table>");
  Paint(100, 20);
  EXPECT_EQ(renderer.Tables()[0].columnWidths, (std::vector<int>{24, 34}));
  ASSERT_EQ(surface.texts.size(), 2u);
  EXPECT_EQ(surface.texts[0].x, 22 + (20 - 6) / 2);
  EXPECT_EQ(surface.texts[1].x, 20 + 24 + 1 + 2 + (30 - 6) / 2);
  Measure(L"<table align=right><tr><td width=20>a</td></tr></table>");
  Paint(100, 20);
  EXPECT_EQ(surface.texts.at(0).x, 100 - 24 + 2 + (20 - 6));
}

TEST_F(Tables, FramesAndBackgrounds) {
  Measure(L"<table border=3 bgcolor=red><tr><td>a</td></tr></table>");
  Paint(19, 26);
  ASSERT_EQ(surface.frames.size(), 2u);
  EXPECT_EQ(surface.frames[0].width, 3);
  EXPECT_EQ(surface.frames[0].rect.right - surface.frames[0].rect.left, 19);  // 18 and the spare pixel
  EXPECT_EQ(surface.frames[1].width, 1);  // the cell's frame
  EXPECT_EQ(surface.frames[1].rect.left, 3);
  EXPECT_EQ(surface.backgrounds.size(), 2u);  // the table's colour is painted again by its cell
  Measure(L"<table borderstyle=double><tr><td>a</td></tr></table>");
  Paint(19, 26);
  ASSERT_FALSE(surface.frames.empty());
  EXPECT_EQ(surface.frames[0].style, 6);
  EXPECT_EQ(surface.frames[0].width, 1);
  EXPECT_EQ(surface.frames[1].rect.left, 3);
}

TEST_F(Tables, TagsLeftOpenInACellEndWithIt) {
  Measure(L"<table><tr><td><b><i>x</td></tr></table>after");
  Paint(100, 100);
  ASSERT_EQ(surface.texts.size(), 2u);
  EXPECT_EQ(surface.texts[0].style.weight, 800);
  EXPECT_EQ(surface.texts[1].style.weight, 400);
  EXPECT_EQ(surface.texts[1].style.italic, 0);
}

TEST_F(Tables, MessageBoxLayoutOfAnIconBesideText) {
  surface.bitmaps[1] = {32, 32};
  const Size s = Measure(L"<table><tr><td><icon idres=1></td><td><font face=Tahoma>Sure?</font></td></tr></table>");
  EXPECT_EQ(renderer.Tables()[0].columnWidths, (std::vector<int>{36, 34}));
  EXPECT_EQ(s.cx, 36 + 34 + 1 + 1);
  Paint(s.cx, s.cy);
  ASSERT_EQ(surface.images.size(), 1u);
  EXPECT_EQ(surface.images[0].draw.x, 2);
  EXPECT_EQ(surface.Text(), L"Sure?");
}

TEST_F(Tables, DeepNestingIsCutAndDrawsTheRestAsText) {
  std::wstring text;
  for (int i = 0; i < 200; ++i) text += L"<table><tr><td>";
  text += L"core";
  for (int i = 0; i < 200; ++i) text += L"</td></tr></table>";
  const Size s = Measure(text);
  EXPECT_GT(s.cx, 0);
  EXPECT_EQ(renderer.Tables().size(), static_cast<std::size_t>(MarkupRenderer::kMaxTableDepth + 1));
  Paint(s.cx, s.cy);
  EXPECT_EQ(surface.Text(), L"core");
}

TEST_F(Tables, HostileSpansStayWithinTheSlotBudget) {
  std::wstring text;
  for (int i = 0; i < 300; ++i) text += L"<table><tr><td colspan=2147483647>x</td></tr><tr></tr><tr></tr></table>";
  Measure(text);
  long long slots = 0;
  for (const TableLayout& t : renderer.Tables()) slots += static_cast<long long>(t.columnWidths.size()) * t.rowHeights.size();
  EXPECT_LE(slots, MarkupRenderer::kMaxTableSlots);
  Paint(200, 200);
}

}  // namespace
