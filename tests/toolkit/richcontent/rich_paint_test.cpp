// Painting laid-out documents into a 32-bit surface under GDI: backgrounds, borders, run text
// inside its laid-out rectangle and images, probed pixel by pixel and captured.
#include <gtest/gtest.h>

#include <string>

#include "tahoma_canvas.h"
#include "toolkit/richcontent/rich_doc_objects.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_paint_index.h"

namespace {

using richtest::kWhite;

class PaintCanvas : public richtest::TahomaCanvas {
 public:
  PaintCanvas(int width, int height) : richtest::TahomaCanvas(width, height, FW_NORMAL, false) {}
  // Pixels in the rectangle that are not the background.
  int Ink(const RichRect& r, COLORREF background = kWhite) const {
    int n = 0;
    for (int y = std::max(0, r.top); y < std::min(height(), r.bottom); ++y)
      for (int x = std::max(0, r.left); x < std::min(width(), r.right); ++x) n += At(x, y) != background;
    return n;
  }
};

struct Page {
  CExtRichContentLayout doc;
  void Paint(PaintCanvas& canvas, const char16_t* html, int width) {
    doc.ParseHtml(html, false);  // keeps the images a test put in the local container
    doc.Layout(canvas.Hdc(), RichRect{0, 0, width, canvas.height()});
    doc.Paint(canvas.Hdc(), RichRect{0, 0, canvas.width(), canvas.height()});
  }
  const RichRect& Box(const char16_t* id) { return doc.FindById(id)->m_rcItem; }
};

// Background inside the borders, each border in its colour, and nothing outside the box.
TEST(RichPaint, BackgroundAndSolidBorders) {
  PaintCanvas canvas(200, 100);
  Page page;
  page.Paint(canvas,
             u"<div id=b style='display:block;width:80px;height:40px;margin:5px;background-color:#ff0000;"
             u"border-style:solid;border-width:3px;border-color:#0000ff'></div>",
             200);
  canvas.Save(L"rich_paint_box");
  const RichRect b = page.Box(u"b");
  // The border box starts inside the margin.
  const int l = b.left + 5, t = b.top + 5, r = b.right - 5, bo = b.bottom - 5;
  ASSERT_GT(r - l, 10);
  EXPECT_EQ(canvas.At(l + 1, (t + bo) / 2), RGB(0, 0, 255)) << ctltest::ColorText(canvas.At(l + 1, (t + bo) / 2));
  EXPECT_EQ(canvas.At((l + r) / 2, t + 1), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(r - 1, (t + bo) / 2), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At((l + r) / 2, bo - 1), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At((l + r) / 2, (t + bo) / 2), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(l + 3, t + 3), RGB(255, 0, 0));
  // The margin stays untouched.
  EXPECT_EQ(canvas.At(l - 1, t - 1), kWhite);
  EXPECT_EQ(canvas.At(r, bo), kWhite);
}

// Double, dotted and inset edges: the pattern each style describes.
TEST(RichPaint, BorderStyles) {
  PaintCanvas canvas(200, 120);
  Page page;
  page.Paint(canvas,
             u"<div id=d style='display:block;width:60px;height:20px;border:3px double #000000'></div>"
             u"<div id=t style='display:block;width:60px;height:20px;border-top:2px dotted #000000'></div>"
             u"<div id=i style='display:block;width:60px;height:20px;border:4px inset #808080'></div>",
             200);
  canvas.Save(L"rich_paint_border_styles");
  const RichRect d = page.Box(u"d");
  const int midY = (d.top + d.bottom) / 2;
  // Double, 3 pixels: line, gap, line.
  EXPECT_EQ(canvas.At(d.left, midY), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(d.left + 1, midY), kWhite);
  EXPECT_EQ(canvas.At(d.left + 2, midY), RGB(0, 0, 0));
  // Dotted, 2 pixels: 2 on, 2 off from the left end.
  const RichRect t = page.Box(u"t");
  EXPECT_EQ(canvas.At(t.left, t.top), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(t.left + 1, t.top + 1), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(t.left + 2, t.top), kWhite);
  EXPECT_EQ(canvas.At(t.left + 3, t.top), kWhite);
  EXPECT_EQ(canvas.At(t.left + 4, t.top), RGB(0, 0, 0));
  // Inset: the left edge darker than the right one.
  const RichRect i = page.Box(u"i");
  const COLORREF left = canvas.At(i.left + 1, (i.top + i.bottom) / 2);
  const COLORREF right = canvas.At(i.right - 2, (i.top + i.bottom) / 2);
  EXPECT_LT(GetRValue(left), GetRValue(right)) << ctltest::ColorText(left) << " " << ctltest::ColorText(right);
}

// Run text is drawn inside the run's laid-out rectangle in the style's colour.
TEST(RichPaint, TextInkInsideTheRunRectangles) {
  PaintCanvas canvas(200, 60);
  Page page;
  page.Paint(canvas, u"<p id=p style='display:block;color:#008000'>Hello <b>bold</b> world</p>", 200);
  canvas.Save(L"rich_paint_text");
  CExtRichContentItem* p = page.doc.FindById(u"p");
  RichRect all{1000, 1000, -1000, -1000};
  int words = 0;
  for (CExtRichContentItem* item = p->GetNextItem(); item && item != p->m_pNext; item = item->GetNextItem()) {
    if (item->m_nKind != kRichItemText) continue;
    ++words;
    EXPECT_GT(canvas.Ink(item->m_rcItem), 5) << "no ink in a run";
    all.left = std::min(all.left, item->m_rcItem.left);
    all.top = std::min(all.top, item->m_rcItem.top);
    all.right = std::max(all.right, item->m_rcItem.right);
    all.bottom = std::max(all.bottom, item->m_rcItem.bottom);
  }
  EXPECT_EQ(words, 3);
  EXPECT_EQ(canvas.Ink(RichRect{0, 0, 200, 60}), canvas.Ink(all)) << "ink outside the runs";
  bool green = false;
  for (int y = all.top; y < all.bottom && !green; ++y)
    for (int x = all.left; x < all.right && !green; ++x) green = canvas.At(x, y) == RGB(0, 128, 0);
  EXPECT_TRUE(green);
}

// An image element shows its picture over its box; a background colour fills a list marker's box.
TEST(RichPaint, ImageElementAndListMarker) {
  PaintCanvas canvas(200, 100);
  Page page;
  auto* image = new CExtRichDocObjectImage(u"dot.bmp");
  image->GetBitmap().Create(10, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) image->GetBitmap().SetPixel(x, y, x < 5 ? 0xFFFF0000u : 0xFF0000FFu);
  page.doc.GetLocalContainer()->Add(image, false);
  page.Paint(canvas,
             u"<img id=i src='dot.bmp'><ul style='display:block;margin-left:30px'>"
             u"<li id=l style='display:list-item;list-style-type:square'>item</li></ul>",
             200);
  canvas.Save(L"rich_paint_image");
  const RichRect i = page.Box(u"i");
  ASSERT_EQ(i.Width(), 10);
  EXPECT_EQ(canvas.At(i.left + 2, i.top + 5), RGB(255, 0, 0)) << ctltest::ColorText(canvas.At(i.left + 2, i.top + 5));
  EXPECT_EQ(canvas.At(i.left + 7, i.top + 5), RGB(0, 0, 255));
  // The square marker lies left of the item's content.
  const RichRect l = page.Box(u"l");
  EXPECT_GT(canvas.Ink(RichRect{0, l.top, l.left, l.bottom}), 10);
}


// A background image without a position is stretched over the whole box; tiles with a
// percentage position start that share of the box (not of the free space) in.
TEST(RichPaint, BackgroundImages) {
  PaintCanvas canvas(200, 120);
  Page page;
  auto* image = new CExtRichDocObjectImage(u"bg.bmp");
  image->GetBitmap().Create(20, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) image->GetBitmap().SetPixel(x, y, 0xFFFF0000u);
  page.doc.GetLocalContainer()->Add(image, false);
  page.Paint(canvas,
             u"<div id=s style='display:block;width:100px;height:40px;background-image:url(bg.bmp)'></div>"
             u"<div id=p style='display:block;width:100px;height:40px;background-image:url(bg.bmp);"
             u"background-repeat:repeat;background-position:50% 50%'></div>",
             200);
  canvas.Save(L"rich_paint_background_images");
  const RichRect s = page.Box(u"s");
  ASSERT_EQ(s.Width(), 100);
  EXPECT_EQ(canvas.At(s.left + 1, s.top + 1), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(s.right - 1, s.bottom - 1), RGB(255, 0, 0));
  const RichRect p = page.Box(u"p");
  EXPECT_EQ(canvas.At(p.left + 49, p.top + 25), kWhite);
  EXPECT_EQ(canvas.At(p.left + 50, p.top + 20), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(p.left + 99, p.top + 39), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(p.left + 60, p.top + 19), kWhite);
}

}  // namespace

// An element's frame is drawn once around its box: the words inside, which share its
// description, get none of their own.
TEST(RichPaint, WordsInsideAFramedBoxHaveNoFrames) {
  PaintCanvas canvas(200, 60);
  Page page;
  page.Paint(canvas,
             u"<div id=b style='display:block;width:150px;padding:8px;border:1px solid #0000ff'>aa bb cc</div>",
             200);
  const RichRect b = page.Box(u"b");
  int blue = 0;
  for (int y = b.top + 1; y < b.bottom - 1; ++y)
    for (int x = b.left + 1; x < b.right - 1; ++x) blue += canvas.At(x, y) == RGB(0, 0, 255);
  EXPECT_EQ(blue, 0);
  EXPECT_EQ(canvas.At(b.left, (b.top + b.bottom) / 2), RGB(0, 0, 255));
}

// Painting part of a long listing (the page view's clip while it scrolls) leaves every pixel of
// that part as painting the whole page does: items outside the clip are passed over, but not a
// moved one whose ink reaches into it, nor overhanging glyphs of a line just outside. The listing
// is long enough to be passed over in chunks; what the painter keeps of the chunks from one paint
// to the next must follow a new layout at another width and a page moved after its layout.
TEST(RichPaint, ClippedPaintMatchesTheWholePage) {
  std::u16string html = u"<div style='display:block'>";
  const char16_t* const colours[] = {u"#0000EE", u"#EE0000", u"#000000", u"#00EE00"};
  for (int i = 0; i < 160; ++i) {
    if (i == 120) html += u"<span style='position:relative;top:-48px;background-color:#FFFF00'>Moved up</span>, ";
    html += u"<font color=";
    html += colours[i % 4];
    html += u">A";
    html += u"hdsc"[i % 4];
    html += u"</font><font color=#EE0000>7h</font>, ";
  }
  html += u"</div>";
  constexpr int kWidth = 220, kHeight = 420;
  Page page;
  page.doc.ParseHtml(html.c_str(), false);

  struct Case {
    RECT band;   // on the canvas
    int scroll;  // page pixels above the canvas's top
  };
  const Case cases[] = {
      {{0, 100, kWidth, 140}, 0},   {{0, 0, kWidth, 7}, 0},     {{30, 181, 90, 203}, 0},
      {{0, 0, kWidth, 60}, 150},    {{0, 95, kWidth, 96}, 100}, {{0, 200, kWidth, 260}, 20},
  };
  auto compare = [&](const char* stage, const wchar_t* capture) {
    PaintCanvas whole(kWidth, kHeight);
    page.doc.Paint(whole.Hdc(), RichRect{0, 0, kWidth, kHeight});
    whole.Save(capture);
    ASSERT_GT(whole.Ink(RichRect{0, 150, kWidth, 250}), 100) << stage;
    ASSERT_FALSE(page.doc.GetPaintIndex().IsEmpty()) << stage << ": the listing was painted child by child";
    for (const Case& c : cases) {
      PaintCanvas part(kWidth, kHeight);
      HDC dc = part.Hdc();
      const int saved = ::SaveDC(dc);
      ::IntersectClipRect(dc, c.band.left, c.band.top, c.band.right, c.band.bottom);
      ::OffsetViewportOrgEx(dc, 0, -c.scroll, nullptr);
      page.doc.Paint(dc, RichRect{c.band.left, c.band.top + c.scroll, c.band.right, c.band.bottom + c.scroll});
      ::RestoreDC(dc, saved);
      int differ = 0;
      for (int y = c.band.top; y < c.band.bottom; ++y)
        for (int x = c.band.left; x < c.band.right; ++x)
          if (y + c.scroll < kHeight) differ += part.At(x, y) != whole.At(x, y + c.scroll);
      EXPECT_EQ(differ, 0) << stage << ": band " << c.band.left << "," << c.band.top << " scrolled " << c.scroll;
    }
  };

  PaintCanvas canvas(kWidth, kHeight);
  page.doc.Layout(canvas.Hdc(), RichRect{0, 0, kWidth, kHeight});
  ASSERT_GT(page.doc.GetRoot()->m_rcItem.Height(), 200);
  compare("laid out", L"rich_paint_clip_whole");
  // Other line breaks: every chunk's ink moves.
  page.doc.Layout(canvas.Hdc(), RichRect{0, 0, kWidth - 70, kHeight});
  compare("narrower", L"rich_paint_clip_narrower");
  // The page moved down after its layout, as the drawing entry moves an aligned text.
  page.doc.GetRoot()->OffsetItem(RichPoint{0, 37}, true, true, true);
  compare("moved", L"rich_paint_clip_moved");
}

namespace {

DWORD GdiObjects() { return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS); }

}  // namespace

// Runs of a few styles, mixed word by word, share one font per style: each run's ink stays inside
// its own rectangle (a run drawn in its neighbour's font would overflow it), painting again makes
// no new GDI object, and the device context has its own font back afterwards.
TEST(RichPaint, RunsShareAFontPerStyleAndTheCallersFontComesBack) {
  std::u16string html = u"<p style='display:block'>";
  for (int i = 0; i < 12; ++i)
    html += u"<b>WWWW</b> iiii <font size=5>MMM</font> <font face=Arial>wwww</font> ";
  html += u"</p>";
  PaintCanvas canvas(260, 400);
  Page page;
  page.Paint(canvas, html.c_str(), 260);
  canvas.Save(L"rich_paint_shared_fonts");
  int runs = 0, inkInRuns = 0;
  for (CExtRichContentItem* item = page.doc.GetRoot(); item; item = item->GetNextItem()) {
    if (item->m_nKind != kRichItemText) continue;
    ++runs;
    EXPECT_GT(canvas.Ink(item->m_rcItem), 5) << "no ink in a run";
    inkInRuns += canvas.Ink(item->m_rcItem);
  }
  EXPECT_EQ(runs, 48);
  EXPECT_EQ(canvas.Ink(RichRect{0, 0, 260, 400}), inkInRuns) << "ink outside the runs";

  HDC dc = canvas.Hdc();
  HFONT own = ::CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  HGDIOBJ before = ::SelectObject(dc, own);
  const DWORD objects = GdiObjects();
  for (int i = 0; i < 3; ++i) page.doc.Paint(dc, RichRect{0, 0, 260, 400});
  EXPECT_EQ(GdiObjects(), objects);
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), own);
  ::SelectObject(dc, before);
  ::DeleteObject(own);
}
