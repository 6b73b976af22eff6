// Layout and drawing of texts with style codes, as the owner-drawn labels show them.
#include <gtest/gtest.h>

#include "canvas.h"
#include "controls/styled_text.h"

namespace {

using ctltest::Canvas;

const COLORREF kWhite = RGB(255, 255, 255);

class StyledTextTest : public ::testing::Test {
 protected:
  CFontContainer m_fonts;
  CFont* Base() { return m_fonts.GetFont(L"Tahoma", 14, 0, 0, 0); }

  std::vector<StyledTextRun> Draw(Canvas& c, const CString& text, StyledTextOptions options, CRect rect = CRect()) {
    if (rect.IsRectEmpty()) rect = CRect(0, 0, c.width(), c.height());
    return DrawStyledText(c.dc(), rect, text, Base(), options, &m_fonts);
  }

  static int CountPixels(Canvas& c, const CRect& box, bool (*match)(COLORREF)) {
    int n = 0;
    for (int y = std::max(0L, box.top); y < std::min<long>(c.height(), box.bottom); ++y)
      for (int x = std::max(0L, box.left); x < std::min<long>(c.width(), box.right); ++x) n += match(c.At(x, y));
    return n;
  }
  static CRect BoxOf(const StyledTextRun& r) { return CRect(r.x, r.y, r.x + r.width, r.y + r.height); }
};

bool IsDark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128; }

bool IsBlankRun(const StyledTextRun& r) { return CString(r.text).Trim().IsEmpty(); }

TEST_F(StyledTextTest, ClassRankFormatDrawsTheNumberInBold) {
  Canvas c(300, 24, kWhite);
  CString text;
  text.Format(L"\x1b" L"E%0d\x1b" L"F / 16432", 12);
  std::vector<StyledTextRun> runs = Draw(c, text, {});
  ASSERT_EQ(runs.size(), 5u);
  const wchar_t* expected[] = {L"12", L" ", L"/", L" ", L"16432"};
  for (size_t i = 0; i < runs.size(); ++i) {
    EXPECT_STREQ(runs[i].text, expected[i]);
    EXPECT_EQ(runs[i].bold, i == 0 ? 1 : 0) << i;
    if (i > 0) {
      EXPECT_EQ(runs[i].x, runs[i - 1].x + runs[i - 1].width) << "tokens follow each other";
    }
  }
  EXPECT_EQ(runs[0].x, 6) << "6 pixels from the left";

  // The bold "12" has more ink than the same number drawn plain.
  Canvas plain(300, 24, kWhite);
  std::vector<StyledTextRun> plainRuns = Draw(plain, L"12", {});
  ASSERT_EQ(plainRuns.size(), 1u);
  EXPECT_GT(runs[0].width, plainRuns[0].width);
  EXPECT_GT(CountPixels(c, BoxOf(runs[0]), IsDark), CountPixels(plain, BoxOf(plainRuns[0]), IsDark));
  c.Save(L"controls_styled_text_rank");
}

// The update dialog's sentence in the fonts that dialogs get: the ink of every word lies inside its
// run and reaches its end, the blank runs between words stay blank, and the bold version is
// drawn in the bold form of the base face.
TEST_F(StyledTextTest, RunsHoldTheirInkInDialogFonts) {
  struct Case {
    const wchar_t* face;
    int points;  // 0: the cache's Tahoma 14
  };
  const Case cases[] = {{L"MS Shell Dlg", 8}, {L"Tahoma", 8}, {L"MS Shell Dlg", 10}, {L"Tahoma", 0}};
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << CStringA(k.face).GetString() << " " << k.points);
    CFont own;
    CFont* base = Base();
    if (k.points) {
      CClientDC screen(nullptr);
      // The way the dialog manager makes a template's font.
      own.CreateFont(-::MulDiv(k.points, screen.GetDeviceCaps(LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                     DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, FF_DONTCARE, k.face);
      base = &own;
    }
    Canvas c(420, 24, kWhite);
    const CString text = L"You are currently running version \x1b" L"E1.0.0.0\x1b" L"F of the Brightfold Vantorn";
    std::vector<StyledTextRun> runs =
        DrawStyledText(c.dc(), CRect(0, 0, c.width(), c.height()), text, base, {}, &m_fonts);
    ASSERT_GE(runs.size(), 15u);

    std::vector<bool> ink(static_cast<size_t>(c.width()), false);
    for (int x = 0; x < c.width(); ++x)
      for (int y = 0; y < c.height(); ++y) ink[x] = ink[x] || IsDark(c.At(x, y));
    int boldRuns = 0;
    for (const StyledTextRun& r : runs) {
      ASSERT_LE(r.x + r.width, c.width());
      int first = -1, last = -1;
      for (int x = r.x; x < r.x + r.width; ++x)
        if (ink[x]) {
          if (first < 0) first = x;
          last = x;
        }
      if (IsBlankRun(r)) {
        EXPECT_EQ(first, -1) << "ink in the blank at " << r.x;
        continue;
      }
      boldRuns += r.bold;
      EXPECT_NE(first, -1) << CStringA(r.text).GetString();
      EXPECT_LE(r.x + r.width - 1 - last, 2) << CStringA(r.text).GetString() << " is drawn narrower than measured";
    }
    EXPECT_EQ(boldRuns, 1);
    int stray = -1;
    for (int x = 0; x < c.width() && stray < 0; ++x) {
      bool inWord = false;
      for (const StyledTextRun& r : runs) inWord = inWord || (x >= r.x && x < r.x + r.width && !IsBlankRun(r));
      if (ink[x] && !inWord) stray = x;
    }
    EXPECT_EQ(stray, -1) << "ink outside every word";

    // The bold run used the cache's bold form of the base font: same face and height.
    LOGFONTW lf;
    ::ZeroMemory(&lf, sizeof lf);
    base->GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    const INT_PTR count = m_fonts.GetCount();
    CFont* bold = m_fonts.FindOrCreate(lf);
    EXPECT_EQ(m_fonts.GetCount(), count) << "no bold form of the base font was drawn with";
    CDC* dc = c.dc();
    CFont* old = dc->SelectObject(base);
    TEXTMETRICW plainMetrics;
    dc->GetTextMetrics(&plainMetrics);
    wchar_t plainFace[LF_FACESIZE] = L"";
    dc->GetTextFace(LF_FACESIZE, plainFace);
    dc->SelectObject(bold);
    TEXTMETRICW boldMetrics;
    dc->GetTextMetrics(&boldMetrics);
    wchar_t boldFace[LF_FACESIZE] = L"";
    dc->GetTextFace(LF_FACESIZE, boldFace);
    dc->SelectObject(old);
    EXPECT_STREQ(boldFace, plainFace);
    EXPECT_GE(boldMetrics.tmWeight, FW_SEMIBOLD);
    EXPECT_EQ(boldMetrics.tmHeight, plainMetrics.tmHeight);
    if (k.points == 8 && std::wstring(k.face) == L"MS Shell Dlg") c.Save(L"controls_styled_text_dialog_font");
  }
}

TEST_F(StyledTextTest, ColourCodesColourTheirTokens) {
  Canvas c(300, 24, kWhite);
  std::vector<StyledTextRun> runs = Draw(c, L"\x1b" L"C2red \x1b" L"C8green \x1b" L"C0info", {});
  ASSERT_EQ(runs.size(), 5u);
  EXPECT_EQ(runs[0].color, RGB(238, 0, 0));
  EXPECT_EQ(runs[2].color, RGB(0, 128, 0));
  EXPECT_EQ(runs[4].color, ::GetSysColor(COLOR_INFOTEXT));
  auto isRed = [](COLORREF p) { return GetRValue(p) > 180 && GetGValue(p) < 80 && GetBValue(p) < 80; };
  auto isGreen = [](COLORREF p) { return GetGValue(p) > 90 && GetRValue(p) < 80 && GetBValue(p) < 80; };
  EXPECT_GT(CountPixels(c, BoxOf(runs[0]), isRed), 5);
  EXPECT_EQ(CountPixels(c, BoxOf(runs[0]), isGreen), 0);
  EXPECT_GT(CountPixels(c, BoxOf(runs[2]), isGreen), 5);
  EXPECT_EQ(CountPixels(c, BoxOf(runs[2]), isRed), 0);
  c.Save(L"controls_styled_text_colours");
}

TEST_F(StyledTextTest, DisabledTextIsGreyWhateverItsColour) {
  Canvas c(300, 24, kWhite);
  StyledTextOptions options;
  options.disabled = true;
  std::vector<StyledTextRun> runs = Draw(c, L"\x1b" L"C2red \x1b" L"Ebold", options);
  ASSERT_EQ(runs.size(), 3u);
  for (const StyledTextRun& r : runs) EXPECT_EQ(r.color, kStyledTextDisabledColor);
  int notGrey = 0;
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) {
      const COLORREF p = c.At(x, y);
      notGrey += !(GetRValue(p) == GetGValue(p) && GetGValue(p) == GetBValue(p) && GetRValue(p) >= 166);
    }
  EXPECT_EQ(notGrey, 0) << "only the grey and its blends with white";
  EXPECT_GT(CountPixels(c, BoxOf(runs[0]), [](COLORREF p) { return p == RGB(166, 166, 166); }), 5);
}

TEST_F(StyledTextTest, LineBreakTokenStartsANewLine) {
  Canvas c(300, 60, kWhite);
  StyledTextOptions options;
  options.centerVertically = false;
  std::vector<StyledTextRun> runs = Draw(c, L"first\r\nsecond", options);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].y, 4) << "4 pixels from the top";
  EXPECT_EQ(runs[1].x, 6);
  EXPECT_EQ(runs[1].y, runs[0].y + runs[0].height);
}

TEST_F(StyledTextTest, OtherLineBreakRunsAreText) {
  Canvas c(300, 60, kWhite);
  StyledTextOptions options;
  options.centerVertically = false;
  std::vector<StyledTextRun> lf = Draw(c, L"a\nb", options);
  ASSERT_EQ(lf.size(), 3u);
  EXPECT_EQ(lf[2].y, lf[0].y) << "a line feed alone does not break the line";
  std::vector<StyledTextRun> two = Draw(c, L"a\r\n\r\nb", options);
  ASSERT_EQ(two.size(), 3u);
  EXPECT_EQ(two[2].y, two[0].y);
}

TEST_F(StyledTextTest, WordsWrapAndTheBlankAtTheBreakDisappears) {
  Canvas c(90, 80, kWhite);
  StyledTextOptions options;
  options.centerVertically = false;
  std::vector<StyledTextRun> runs = Draw(c, L"alpha beta gamma delta", options);
  // Every drawn token lies inside the width, and there is more than one line.
  int lines = 1;
  for (size_t i = 0; i < runs.size(); ++i) {
    EXPECT_LE(runs[i].x + runs[i].width, 90 - 4 + 6) << runs[i].text.GetString();
    if (i > 0 && runs[i].y > runs[i - 1].y) {
      ++lines;
      EXPECT_EQ(runs[i].x, 6) << "a new line starts at the left";
      EXPECT_NE(runs[i].text, L" ") << "a blank that wraps is cut";
    }
  }
  EXPECT_GE(lines, 2);
  c.Save(L"controls_styled_text_wrap");
}

TEST_F(StyledTextTest, TokensReachingTheBottomAreNotDrawnButLayoutContinues) {
  Canvas c(120, 30, kWhite);
  StyledTextOptions options;
  options.centerVertically = false;
  std::vector<StyledTextRun> runs = Draw(c, L"one\r\ntwo\r\nthree", options);
  ASSERT_EQ(runs.size(), 1u) << "only the first line fits in 30 pixels";
  EXPECT_STREQ(runs[0].text, L"one");
  for (int y = 20; y < 30; ++y)
    for (int x = 0; x < 120; ++x) ASSERT_EQ(c.At(x, y), kWhite) << "nothing below the first line";
}

TEST_F(StyledTextTest, RightAlignedTextEndsAtTheMargin) {
  Canvas c(200, 24, kWhite);
  StyledTextOptions options;
  options.rightAligned = true;
  std::vector<StyledTextRun> runs = Draw(c, L" = \x1b" L"E51.25%\x1b" L"F", options);
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_EQ(runs.back().x + runs.back().width, 200 - 4);
  EXPECT_STREQ(runs.back().text, L"51.25%");
}

TEST_F(StyledTextTest, VerticalCentringAndFixedOffset) {
  Canvas c(200, 40, kWhite);
  std::vector<StyledTextRun> centred = Draw(c, L"x", {});
  ASSERT_EQ(centred.size(), 1u);
  EXPECT_EQ(centred[0].y, (40 - centred[0].height) / 2 - 1);
  StyledTextOptions top;
  top.centerVertically = false;
  std::vector<StyledTextRun> fixed = Draw(c, L"x", top);
  ASSERT_EQ(fixed.size(), 1u);
  EXPECT_EQ(fixed[0].y, 4);
}

TEST_F(StyledTextTest, SubscriptSitsFourPixelsLowerThanSuperscript) {
  Canvas c(200, 40, kWhite);
  StyledTextOptions top;
  top.centerVertically = false;
  std::vector<StyledTextRun> runs = Draw(c, L"N\x1bSup\x1bsdown\x1bTback", top);
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_EQ(runs[2].y, runs[1].y + 4);
  EXPECT_LT(runs[1].height, runs[0].height) << "small text";
  EXPECT_EQ(runs[3].height, runs[0].height) << "T returns to the base height";
  EXPECT_EQ(runs[3].y, runs[0].y);
}

TEST_F(StyledTextTest, NothingForEmptyText) {
  Canvas c(50, 20, kWhite);
  EXPECT_TRUE(Draw(c, L"", {}).empty());
  EXPECT_TRUE(Draw(c, L"\x1b" L"E", {}).empty());
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x) ASSERT_EQ(c.At(x, y), kWhite);
}

TEST_F(StyledTextTest, RepeatedPaintsCreateNoNewFonts) {
  Canvas c(300, 24, kWhite);
  Draw(c, L"\x1b" L"Ea\x1b" L"Fb\x1b" L"4c\x1bSd", {});
  const INT_PTR count = m_fonts.GetCount();
  for (int i = 0; i < 5; ++i) Draw(c, L"\x1b" L"Ea\x1b" L"Fb\x1b" L"4c\x1bSd", {});
  EXPECT_EQ(m_fonts.GetCount(), count);
}

}  // namespace
