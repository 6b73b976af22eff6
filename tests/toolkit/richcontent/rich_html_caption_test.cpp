// HTML captions through the text-drawing entry: bold, colour, an image and a table laid out with
// the default style sheet, placed by the DT_* flags, captured and probed.
#include <gtest/gtest.h>

#include <string>

#include "tahoma_canvas.h"
#include "toolkit/richcontent/rich_doc_objects.h"
#include "toolkit/richcontent/rich_draw_text.h"
#include "toolkit/richcontent/rich_layout.h"

namespace {

using richtest::kWhite;

class CaptionCanvas : public richtest::TahomaCanvas {
 public:
  using TahomaCanvas::TahomaCanvas;
  int Count(const RECT& r, COLORREF colour) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
    return n;
  }
  int Ink(const RECT& r) const { return (r.right - r.left) * (r.bottom - r.top) - Count(r, kWhite); }
  int Width(const wchar_t* text) {
    SIZE s{};
    ::GetTextExtentPoint32W(Hdc(), text, static_cast<int>(wcslen(text)), &s);
    return s.cx;
  }
};

void AddSwatch() {
  if (RichGlobalContainer().Find(u"swatch.bmp")) return;
  auto* image = new CExtRichDocObjectImage(u"swatch.bmp");
  image->GetBitmap().Create(12, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) image->GetBitmap().SetPixel(x, y, 0xFF00C000u);
  RichGlobalContainer().Add(image, true);
}

TEST(HtmlCaption, BoldColourImageAndTable) {
  AddSwatch();
  CaptionCanvas canvas(260, 150);
  const int line = 16;
  // Bold: as wide as the bold font measures it.
  RECT bold{10, 5, 250, 5 + line};
  RECT calc = bold;
  DrawRichTextAuto(canvas.Hdc(), L"<html><b>Bold</b> plain</html>", -1, &calc, DT_CALCRECT);
  CaptionCanvas boldFont(8, 8, FW_BOLD);
  // (This system's bold face may render like the normal one, but it measures wider.)
  EXPECT_NEAR(calc.right - calc.left, boldFont.Width(L"Bold") + canvas.Width(L" plain"), 1);
  EXPECT_GT(DrawRichTextAuto(canvas.Hdc(), L"<html><b>Bold</b> plain</html>", -1, &bold, 0), 0);

  // Colour.
  RECT red{10, 30, 250, 30 + line};
  DrawRichTextAuto(canvas.Hdc(), L"<html>black <span style='color:#ff0000'>red</span></html>", -1, &red, 0);
  EXPECT_GT(canvas.Count(red, RGB(255, 0, 0)), 10);
  EXPECT_GT(canvas.Count(red, RGB(0, 0, 0)), 10);

  // An image between words, in the document objects every caption shares.
  RECT image{10, 52, 250, 72};
  DrawRichTextAuto(canvas.Hdc(), L"<html>icon <img src='swatch.bmp'> after</html>", -1, &image, 0);
  EXPECT_EQ(canvas.Count(image, RGB(0, 192, 0)), 144);

  // A two-by-two table: two rows of cells, the second column right of the first.
  RECT table{10, 80, 250, 145};
  RECT tableCalc = table;
  const wchar_t* html = L"<html><table><tr><td>A1</td><td>B1</td></tr><tr><td>A2</td><td>B2</td></tr></table></html>";
  const int h = DrawRichTextAuto(canvas.Hdc(), html, -1, &tableCalc, DT_CALCRECT);
  EXPECT_GE(h, 2 * 13);
  DrawRichTextAuto(canvas.Hdc(), html, -1, &table, 0);
  const int a1 = canvas.Width(L"A1");
  EXPECT_GT(canvas.Ink(RECT{10, 80, 10 + a1 + 1, 80 + h / 2}), 5);
  EXPECT_GT(canvas.Ink(RECT{10, 80 + h / 2, 10 + a1 + 1, 80 + h}), 5);
  EXPECT_GT(canvas.Ink(RECT{10 + a1 + 1, 80, 250, 80 + h}), 10);
  canvas.Save(L"rich_html_captions");
}

// Horizontal alignment always applies to HTML captions; vertical alignment needs DT_SINGLELINE.
// An ellipsis flag draws the caption clipped, without "...".
TEST(HtmlCaption, AlignmentAndNoEllipsis) {
  const wchar_t* html = L"<html>Centred</html>";
  CaptionCanvas centred(200, 60), single(200, 60), ellipsis(200, 60), clipped(200, 60);
  const int w = centred.Width(L"Centred");
  RECT r{0, 0, 200, 60};
  DrawRichTextAuto(centred.Hdc(), html, -1, &r, DT_CENTER | DT_VCENTER);
  EXPECT_EQ(centred.Ink(RECT{0, 0, (200 - w) / 2 - 2, 60}), 0);
  EXPECT_GT(centred.Ink(RECT{(200 - w) / 2, 0, (200 + w) / 2, 20}), 10);  // still at the top
  r = RECT{0, 0, 200, 60};
  DrawRichTextAuto(single.Hdc(), html, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EXPECT_EQ(single.Ink(RECT{0, 0, 200, 20}), 0);
  EXPECT_GT(single.Ink(RECT{0, 20, 200, 40}), 10);
  RECT narrow{0, 0, 30, 20};
  DrawRichTextAuto(ellipsis.Hdc(), L"<html>A long caption</html>", -1, &narrow, DT_END_ELLIPSIS);
  narrow = RECT{0, 0, 30, 20};
  DrawRichTextAuto(clipped.Hdc(), L"<html>A long caption</html>", -1, &narrow, 0);
  EXPECT_EQ(ellipsis.Ink(RECT{0, 0, 200, 60}), clipped.Ink(RECT{0, 0, 200, 60}));
  EXPECT_EQ(ellipsis.Ink(RECT{30, 0, 200, 60}), 0);
}

}  // namespace

// Block line breaks: a break after text ends its line and adds no height of its own, with and
// without word breaks; consecutive breaks keep the text after them below the text before them,
// in whole lines. (Each break here is made a block by its own style.)
TEST(HtmlCaption, LineBreakHeights) {
  TEXTMETRICW tm{};
  {
    CaptionCanvas probe(8, 8);
    ::GetTextMetricsW(probe.Hdc(), &tm);
  }
  const int line = tm.tmHeight;
  struct BreakCase {
    const wchar_t* html;
    int minLines, maxLines;
  };
#define BR L"<br style='display:block'>"
  const BreakCase cases[] = {
      {L"<html>one" BR L"two</html>", 2, 2},
      {L"<html>one " BR L"two</html>", 2, 2},
      {L"<html>one" BR BR L"three</html>", 2, 3},
      {L"<html>one" BR BR BR L"four" BR L"five</html>", 3, 5},
  };
#undef BR
  for (const BreakCase& c : cases) {
    for (UINT flags : {0u, static_cast<UINT>(DT_WORDBREAK)}) {
      const std::string name = testing::PrintToString(std::wstring(c.html)) + " flags " + std::to_string(flags);
      CaptionCanvas canvas(200, 100);
      RECT r{10, 10, 190, 95};
      const int h = DrawRichTextAuto(canvas.Hdc(), c.html, -1, &r, flags | DT_CALCRECT);
      EXPECT_EQ(h % line, 0) << name << " height " << h;
      EXPECT_GE(h, c.minLines * line) << name;
      EXPECT_LE(h, c.maxLines * line) << name;
      EXPECT_EQ(r.bottom - r.top, h) << name;
      RECT draw{10, 10, 190, 95};
      EXPECT_EQ(DrawRichTextAuto(canvas.Hdc(), c.html, -1, &draw, flags), h) << name;
      // Ink in the first line and in the last, nothing below it.
      EXPECT_GT(canvas.Ink(RECT{10, 10, 190, 10 + line}), 5) << name;
      EXPECT_GT(canvas.Ink(RECT{10, 10 + h - line, 190, 10 + h}), 5) << name;
      EXPECT_EQ(canvas.Ink(RECT{0, 10 + h + 1, 200, 100}), 0) << name;
    }
  }
}

// Plain HTML line breaks ("br" is a block in the default style sheet) in whole lines of the
// caption's font: a break after text only ends its line, each further break adds an empty
// line, and a break that starts or ends the caption keeps a line of its own. Where the plain
// text with line feeds means the same, the system's DrawText measures the same height.
// Measuring (DT_CALCRECT), the returned height and the drawn ink agree.
TEST(HtmlCaption, LineBreaksInWholeLines) {
  struct BreakCase {
    const wchar_t* html;
    const wchar_t* plain;  // the same lines as plain text, or null
    int lines;
    int lastInkLine;  // the line (from 0) that holds the last word's ink
  };
  const BreakCase cases[] = {
      {L"<html>one<br>two</html>", L"one\ntwo", 2, 1},
      {L"<html>one<br><br>three</html>", L"one\n\nthree", 3, 2},
      {L"<html>one<br><br><br>four<br>five</html>", L"one\n\n\nfour\nfive", 5, 4},
      {L"<html><br>two</html>", L"\ntwo", 2, 1},
      {L"<html>one<br></html>", nullptr, 2, 0},
      // A cell's breaks are not measured by the caption path; they follow the page rules.
      {L"<html><table><tr><td>one<br><br>three</td></tr></table></html>", nullptr, 3, 2},
  };
  CaptionCanvas probe(8, 8);
  TEXTMETRICW tm{};
  ::GetTextMetricsW(probe.Hdc(), &tm);
  const int line = tm.tmHeight;
  for (const BreakCase& c : cases) {
    for (UINT flags : {0u, static_cast<UINT>(DT_WORDBREAK)}) {
      SCOPED_TRACE(testing::PrintToString(std::wstring(c.html)) + " flags " + std::to_string(flags));
      CaptionCanvas canvas(200, 120);
      RECT calc{10, 10, 190, 115};
      const int h = DrawRichTextAuto(canvas.Hdc(), c.html, -1, &calc, flags | DT_CALCRECT);
      // A table adds its cell spacing around the lines.
      EXPECT_GE(h, c.lines * line);
      EXPECT_LT(h, c.lines * line + line / 2);
      EXPECT_EQ(calc.bottom - calc.top, h);
      if (c.plain) {
        RECT plain{10, 10, 190, 115};
        ::DrawTextW(canvas.Hdc(), c.plain, -1, &plain, flags | DT_CALCRECT);
        EXPECT_EQ(plain.bottom - plain.top, h);
      }
      RECT draw{10, 10, 190, 115};
      EXPECT_EQ(DrawRichTextAuto(canvas.Hdc(), c.html, -1, &draw, flags), h);
      const int top = 10 + (h - c.lines * line) / 2;
      EXPECT_GT(canvas.Ink(RECT{10, top + c.lastInkLine * line, 190, top + (c.lastInkLine + 1) * line}), 5);
      EXPECT_EQ(canvas.Ink(RECT{0, top + (c.lastInkLine + 1) * line + 1, 200, 120}), 0);
    }
  }
}
