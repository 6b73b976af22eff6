// The text-drawing entry against the system's DrawText: for plain captions and a table of DT_*
// flag sets the measured rectangles agree and the ink lands in the same place; the kind
// detector, the angle normaliser and the caller's buffer under DT_MODIFYSTRING.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tahoma_canvas.h"
#include "toolkit/richcontent/rich_draw_text.h"
#include "toolkit/richcontent/rich_layout.h"

namespace {

using richtest::kWhite;

class FontCanvas : public richtest::TahomaCanvas {
 public:
  using TahomaCanvas::TahomaCanvas;
  // The bounding box of every pixel that is not white; empty when nothing was drawn.
  RECT InkBox() const {
    RECT box{width(), height(), 0, 0};
    for (int y = 0; y < height(); ++y)
      for (int x = 0; x < width(); ++x)
        if (At(x, y) != kWhite) {
          box.left = std::min<LONG>(box.left, x);
          box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1);
          box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    if (box.left >= box.right) box = RECT{0, 0, 0, 0};
    return box;
  }
};

std::string RectText(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

bool Near(const RECT& a, const RECT& b, int tolerance) {
  return std::abs(a.left - b.left) <= tolerance && std::abs(a.top - b.top) <= tolerance &&
         std::abs(a.right - b.right) <= tolerance && std::abs(a.bottom - b.bottom) <= tolerance;
}

struct Case {
  const wchar_t* text;
  UINT flags;
  int width;  // of the rectangle at (10, 10), 40 high
};

// Plain captions as the toolkit draws them: alignment, single and multi line, prefixes, calc-rect.
const Case kCases[] = {
    {L"File", DT_SINGLELINE | DT_VCENTER, 150},
    {L"&Open file", DT_SINGLELINE | DT_VCENTER, 150},
    {L"Save &As...", DT_SINGLELINE | DT_CENTER | DT_VCENTER, 150},
    {L"A&&B and &C", DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, 150},
    {L"&Hidden prefix", DT_SINGLELINE | DT_HIDEPREFIX, 150},
    {L"No & prefix", DT_SINGLELINE | DT_NOPREFIX, 150},
    {L"two words here and more words", DT_WORDBREAK, 110},
    {L"line one\nline two", 0, 150},
    {L"empty\n\nline between", 0, 150},
    {L"centred lines\nof text", DT_CENTER, 150},
};

TEST(DrawRichText, CalcRectAgreesWithDrawText) {
  FontCanvas canvas(8, 8);
  for (const Case& c : kCases) {
    RECT expected{10, 10, 10 + c.width, 50};
    RECT actual = expected;
    // Measuring keeps the text at the rectangle's top: vertical placement is for drawing only
    // (the system's DrawText here moves the bottom down by the centring offset).
    const UINT flags = (c.flags & ~(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT;
    const int hExpected = ::DrawTextW(canvas.Hdc(), c.text, -1, &expected, flags);
    const int hActual = DrawRichTextAuto(canvas.Hdc(), c.text, -1, &actual, flags);
    // Widths are sums of whole-pixel word extents here, fractional line extents in the system.
    const int words = static_cast<int>(std::count(c.text, c.text + wcslen(c.text), L' ')) + 1;
    EXPECT_TRUE(Near(RECT{expected.left, expected.top, 0, expected.bottom}, RECT{actual.left, actual.top, 0, actual.bottom}, 2) &&
                std::abs(expected.right - actual.right) <= 2 + words)
        << testing::PrintToString(std::wstring(c.text)) << " flags " << c.flags << ": " << RectText(expected)
        << " vs " << RectText(actual);
    EXPECT_NEAR(hExpected, hActual, 2) << testing::PrintToString(std::wstring(c.text));
    // With vertical centring the height counts from the rectangle's top, and the measured box
    // still starts there.
    if (c.flags & (DT_VCENTER | DT_BOTTOM)) {
      RECT r{10, 10, 10 + c.width, 50};
      EXPECT_EQ(DrawRichTextAuto(canvas.Hdc(), c.text, -1, &r, c.flags | DT_CALCRECT), hExpected);
      EXPECT_EQ(r.top, 10);
    }
  }
}

TEST(DrawRichText, InkLandsWhereDrawTextPutsIt) {
  int n = 0;
  for (const Case& c : kCases) {
    FontCanvas system(180, 60), rich(180, 60);
    RECT r1{10, 10, 10 + c.width, 50}, r2 = r1;
    ::DrawTextW(system.Hdc(), c.text, -1, &r1, c.flags);
    DrawRichTextAuto(rich.Hdc(), c.text, -1, &r2, c.flags);
    const RECT a = system.InkBox(), b = rich.InkBox();
    // The system draws a line in one call with fractional advances; the engine draws each word at
    // its measured whole-pixel place, so a line may grow by a pixel at each word boundary.
    const int words = static_cast<int>(std::count(c.text, c.text + wcslen(c.text), L' ')) + 1;
    EXPECT_NEAR(a.left, b.left, 2) << testing::PrintToString(std::wstring(c.text));
    EXPECT_NEAR(a.top, b.top, 2) << testing::PrintToString(std::wstring(c.text));
    EXPECT_NEAR(a.bottom, b.bottom, 2) << testing::PrintToString(std::wstring(c.text));
    EXPECT_NEAR(a.right, b.right, 2 + words) << testing::PrintToString(std::wstring(c.text)) << " flags " << c.flags
                                             << ": " << RectText(a) << " vs " << RectText(b);
    ++n;
    rich.Save(L"rich_draw_text_" + std::to_wstring(n));
    system.Save(L"rich_draw_text_system_" + std::to_wstring(n));
  }
}

// Ellipses: the shortened text ends in "..." inside the rectangle, as DrawText's does.
TEST(DrawRichText, EllipsesStayInsideTheRectangle) {
  const Case cases[] = {
      {L"A rather long caption for a small button", DT_SINGLELINE | DT_END_ELLIPSIS, 90},
      {L"A rather long caption for a small button", DT_SINGLELINE | DT_WORD_ELLIPSIS, 90},
      {L"C:\\Program Files\\Folder\\Sub\\document.txt", DT_SINGLELINE | DT_PATH_ELLIPSIS, 140},
  };
  int n = 0;
  for (const Case& c : cases) {
    FontCanvas system(180, 60), rich(180, 60);
    RECT r1{10, 10, 10 + c.width, 50}, r2 = r1;
    ::DrawTextW(system.Hdc(), c.text, -1, &r1, c.flags);
    DrawRichTextAuto(rich.Hdc(), c.text, -1, &r2, c.flags);
    const RECT a = system.InkBox(), b = rich.InkBox();
    EXPECT_GE(b.left, 10);
    EXPECT_LE(b.right, 10 + c.width);
    EXPECT_NEAR(a.left, b.left, 2) << testing::PrintToString(std::wstring(c.text));
    // The system and the engine may cut one character apart.
    EXPECT_NEAR(a.right, b.right, 12) << testing::PrintToString(std::wstring(c.text)) << RectText(a) << RectText(b);
    EXPECT_GT(b.right - b.left, c.width / 2);
    rich.Save(L"rich_draw_text_ellipsis_" + std::to_wstring(++n));
  }
}

// DT_MODIFYSTRING writes the shortened text into the caller's buffer, never past its length.
TEST(DrawRichText, ModifyStringKeepsToTheCallersBuffer) {
  FontCanvas canvas(180, 60);
  wchar_t buffer[64];
  const std::wstring text = L"A rather long caption for a small button";
  std::fill(std::begin(buffer), std::end(buffer), L'#');
  std::copy(text.begin(), text.end(), buffer);
  const int length = static_cast<int>(text.size());
  RECT r{10, 10, 80, 50};
  DrawRichTextPlain(0, canvas.Hdc(), buffer, length, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  const std::wstring written(buffer);
  EXPECT_LT(written.size(), text.size());
  EXPECT_EQ(written.substr(written.size() - 3), L"...");
  for (int i = length; i < 64; ++i) EXPECT_EQ(buffer[i], L'#') << i;
  // With word breaks the lines that fit stay as they are; nothing is written past the buffer.
  std::fill(std::begin(buffer), std::end(buffer), L'#');
  std::copy(text.begin(), text.end(), buffer);
  RECT lines{10, 10, 90, 10 + 3 * 16};
  DrawRichTextPlain(0, canvas.Hdc(), buffer, length, &lines, DT_WORDBREAK | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  EXPECT_EQ(std::wstring(buffer, length), text);
  for (int i = length; i < 64; ++i) EXPECT_EQ(buffer[i], L'#') << i;
  // A buffer too short for the rewrite: only its own characters change.
  std::fill(std::begin(buffer), std::end(buffer), L'#');
  std::copy(L"C:\\a\\b\\longfilename.txt", L"C:\\a\\b\\longfilename.txt" + 23, buffer);
  RECT narrow{10, 10, 30, 50};
  DrawRichTextPlain(0, canvas.Hdc(), buffer, 23, &narrow, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
  for (int i = 23; i < 64; ++i) EXPECT_EQ(buffer[i], L'#') << i;
}

// An empty rectangle is opened up for measuring; drawing into it stays within the device
// context's own surface.
TEST(DrawRichText, EmptyRectangle) {
  FontCanvas canvas(180, 60);
  RECT r{10, 10, 10, 10};
  SIZE size{};
  ::GetTextExtentPoint32W(canvas.Hdc(), L"File", 4, &size);
  const int h = DrawRichTextAuto(canvas.Hdc(), L"File", -1, &r, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(r.left, 10);
  EXPECT_NEAR(r.right - r.left, size.cx, 1);
  EXPECT_EQ(h, size.cy);
  RECT empty{10, 10, 10, 10};
  EXPECT_EQ(DrawRichTextAuto(canvas.Hdc(), L"File", -1, &empty, DT_SINGLELINE), size.cy);
  EXPECT_GT(canvas.InkBox().right, 10);
  // A text that ends in a line feed gets an empty last line (the system's DrawText drops it).
  RECT feed{10, 10, 150, 50};
  EXPECT_EQ(DrawRichTextAuto(canvas.Hdc(), L"end\n", -1, &feed, DT_CALCRECT), 2 * size.cy);
  // A zero length lays out nothing and collapses the rectangle.
  RECT zero{10, 10, 50, 50};
  EXPECT_EQ(DrawRichTextPlain(0, canvas.Hdc(), L"File", 0, &zero, DT_CALCRECT), 0);
  EXPECT_EQ(RectText(zero), "(10,10,10,10)");
}

TEST(DrawRichText, KindDetectionAndAngles) {
  EXPECT_EQ(DetectRichTextKind(u"File", -1), kRichTextPlain);
  EXPECT_EQ(DetectRichTextKind(u"<htm", -1), kRichTextPlain);
  EXPECT_EQ(DetectRichTextKind(u"<html", -1), kRichTextHtml);
  EXPECT_EQ(DetectRichTextKind(u"   <HTML><b>x</b>", -1), kRichTextHtml);
  EXPECT_EQ(DetectRichTextKind(u"<h-t-m-l>", -1), kRichTextHtml);
  EXPECT_EQ(DetectRichTextKind(u"<!DOCTYPE html>", -1), kRichTextPlain);
  const int angles[][2] = {{359, 0}, {-1, 0}, {-45, 0}, {405, 90}, {-90, 270}, {44, 0}, {45, 90},
                           {134, 90}, {135, 180}, {314, 270}, {315, 0}};
  for (const auto& a : angles) EXPECT_EQ(NormalizeTextAngle(a[0]), a[1]) << a[0];
  FontCanvas canvas(40, 40);
  RECT r{0, 0, 40, 40};
  EXPECT_EQ(DrawRichText(kRichTextCss, 0, canvas.Hdc(), L"p { color: red }", -1, &r, 0), 0);
  EXPECT_EQ(DrawRichTextSz(kRichTextPlain, 0, canvas.Hdc(), nullptr, &r, 0), 0);
  EXPECT_EQ(canvas.InkBox().right, 0);
}


// DT_PREFIXONLY draws only the mnemonic's one-pixel underline; rotated captions run along the
// other axis; a disabled caption at 270 degrees shows its highlight and shadow copies.
TEST(DrawRichText, PrefixOnlyRotationAndDisabledText) {
  FontCanvas prefix(120, 40);
  RECT r{10, 10, 110, 30};
  DrawRichTextAuto(prefix.Hdc(), L"&File", -1, &r, DT_SINGLELINE | DT_PREFIXONLY);
  const RECT underline = prefix.InkBox();
  EXPECT_EQ(underline.bottom - underline.top, 1) << RectText(underline);
  EXPECT_EQ(underline.left, 10);
  EXPECT_LE(underline.right - underline.left, 10);

  FontCanvas turned(60, 120);
  RECT tall{10, 10, 50, 110};
  DrawRichText(kRichTextPlain, 90, turned.Hdc(), L"Turned caption", -1, &tall, DT_SINGLELINE);
  const RECT ink = turned.InkBox();
  turned.Save(L"rich_draw_text_turned");
  EXPECT_GT(ink.bottom - ink.top, 3 * (ink.right - ink.left)) << RectText(ink);
  // At 90 degrees without a vertical flag the text hugs the rectangle's right edge.
  EXPECT_GT(ink.left, 30) << RectText(ink);

  FontCanvas disabled(60, 120);
  RICHTEXT_DRAWSTATE_DATA state;
  state.m_clrHighlight = RGB(255, 0, 0);
  state.m_clrShadow = RGB(0, 0, 255);
  state.m_nHighlightOffsetX = state.m_nHighlightOffsetY = 1;
  RECT box{10, 10, 50, 110};
  DrawRichText(kRichTextPlain, 270, disabled.Hdc(), L"Disabled", -1, &box, DT_SINGLELINE, 0, nullptr, nullptr, 0, 0,
               0, nullptr, &state);
  int red = 0, blue = 0;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 60; ++x) {
      red += disabled.At(x, y) == RGB(255, 0, 0);
      blue += disabled.At(x, y) == RGB(0, 0, 255);
    }
  EXPECT_GT(red, 5);
  EXPECT_GT(blue, 5);
}


// Ellipses on text that wraps: the lines and their breaks land where DrawText puts them, the
// empty line between two line feeds included.
TEST(DrawRichText, WordBreakEllipsesKeepTheLines) {
  const Case cases[] = {
      {L"line one\nline two", DT_WORDBREAK | DT_END_ELLIPSIS, 150},
      {L"empty\n\nline between", DT_WORDBREAK | DT_END_ELLIPSIS, 150},
      {L"first\n\n\nfourth", DT_WORDBREAK | DT_WORD_ELLIPSIS, 150},
      {L"a few words\nthat wrap", DT_WORDBREAK | DT_END_ELLIPSIS, 70},
  };
  int n = 0;
  for (const Case& c : cases) {
    FontCanvas system(180, 80), rich(180, 80);
    RECT r1{10, 10, 10 + c.width, 75}, r2 = r1;
    const int h1 = ::DrawTextW(system.Hdc(), c.text, -1, &r1, c.flags);
    const int h2 = DrawRichTextAuto(rich.Hdc(), c.text, -1, &r2, c.flags);
    const RECT a = system.InkBox(), b = rich.InkBox();
    const std::string name = testing::PrintToString(std::wstring(c.text));
    EXPECT_NEAR(h1, h2, 2) << name;
    EXPECT_NEAR(a.left, b.left, 2) << name;
    EXPECT_NEAR(a.top, b.top, 2) << name;
    EXPECT_NEAR(a.bottom, b.bottom, 2) << name << RectText(a) << RectText(b);
    EXPECT_NEAR(a.right, b.right, 4) << name << RectText(a) << RectText(b);
    rich.Save(L"rich_draw_text_wrapped_ellipsis_" + std::to_wstring(++n));
  }
}

// With word breaks the first character of a line stays when only fewer dots leave it room
// beside it; the rewritten text still ends in "...".
TEST(DrawRichText, FirstCharacterKeepsItsPlaceBesideTheDots) {
  FontCanvas canvas(120, 40);
  SIZE w{}, i{}, dots{}, dot{};
  ::GetTextExtentPoint32W(canvas.Hdc(), L"W", 1, &w);
  ::GetTextExtentPoint32W(canvas.Hdc(), L"i", 1, &i);
  ::GetTextExtentPoint32W(canvas.Hdc(), L"...", 3, &dots);
  ::GetTextExtentPoint32W(canvas.Hdc(), L".", 1, &dot);
  // "W" and "i" fit, the next "W" does not: the "i" makes way for the dots, and "W" fits
  // beside a single dot only.
  ASSERT_GT(w.cx + dots.cx, w.cx + i.cx + 1);
  ASSERT_LE(w.cx + dot.cx, w.cx + i.cx + 1);
  wchar_t buffer[16] = L"WiWW";
  RECT r{10, 10, 10 + w.cx + i.cx + 1, 26};
  const int h = DrawRichTextPlain(0, canvas.Hdc(), buffer, 4, &r, DT_WORDBREAK | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  EXPECT_EQ(std::wstring(buffer), L"W...");
  EXPECT_EQ(h, w.cy);
  const RECT ink = canvas.InkBox();
  EXPECT_EQ(ink.left, 10) << RectText(ink);
  EXPECT_LE(ink.right, r.right) << RectText(ink);
  EXPECT_GT(ink.right, 10 + w.cx) << RectText(ink);  // a dot shows beside the "W"
}

}  // namespace
