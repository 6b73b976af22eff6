// The owner-drawn labels in a dialog: backgrounds, boxes, styled text in the parent's font,
// disabled grey, swallowed clicks; the bold caption's alignments.
#include <gtest/gtest.h>

#include "canvas.h"
#include "controls/app_services.h"
#include "controls/ownerdrawn_labels.h"
#include "test_dialog.h"

namespace {

using ctltest::ColorText;
using ctltest::PixelOf;

constexpr UINT kStaticId = 1300;
constexpr UINT kBoxedId = 1301;
constexpr UINT kBoldId = 1302;
constexpr UINT kEditId = 1303;
constexpr int kLabelWidth = 180;
constexpr int kLabelHeight = 24;

// Sets the button-face colour for the lifetime of the object, so that it differs from the
// themed dialog colour.
class ButtonFaceColour {
 public:
  explicit ButtonFaceColour(COLORREF c) : m_old(::GetSysColor(COLOR_BTNFACE)) { Set(c); }
  ~ButtonFaceColour() { Set(m_old); }

 private:
  static void Set(COLORREF c) {
    const int element = COLOR_BTNFACE;
    ::SetSysColors(1, &element, &c);
  }
  COLORREF m_old;
};

class LabelDialog : public ::testing::Test {
 protected:
  void Open() {
    ctltest::DialogTemplate t(L"Labels", 260, 120);
    t.Add(L"BUTTON", L"", BS_OWNERDRAW, 4, 4, 100, 12, kStaticId);
    t.Add(L"BUTTON", L"", BS_OWNERDRAW, 4, 20, 100, 12, kBoxedId);
    t.Add(L"BUTTON", L"Bold caption", BS_OWNERDRAW, 4, 36, 100, 12, kBoldId);
    t.Add(L"EDIT", L"", WS_TABSTOP | WS_BORDER, 4, 60, 100, 12, kEditId);
    m_host.m_onInit = [this](ctltest::HostDialog& dlg) {
      m_static.SubclassDlgItem(kStaticId, &dlg);
      m_boxed.SubclassDlgItem(kBoxedId, &dlg);
      m_bold.SubclassDlgItem(kBoldId, &dlg);
      m_static.MoveWindow(10, 10, kLabelWidth, kLabelHeight);
      m_boxed.MoveWindow(10, 40, kLabelWidth, kLabelHeight);
      m_bold.MoveWindow(10, 70, kLabelWidth, kLabelHeight);
      m_boxed.m_boxed = 1;
    };
    ASSERT_TRUE(m_host.Open(t));
  }
  void TearDown() override {
    if (m_host.GetSafeHwnd()) m_host.DestroyWindow();
  }

  // The label as its own drawing puts it on a canvas, in the dialog's font.
  void Expected(ctltest::Canvas& c, COwnerdrawedStatic& label, bool disabled) {
    CString text;
    label.GetWindowText(text);
    label.m_font = m_host.GetFont();
    c.dc()->SetBkMode(TRANSPARENT);
    label.Paint(c.dc(), CRect(0, 0, kLabelWidth, kLabelHeight), text, disabled);
  }
  static int Differences(const gui::Image& shot, ctltest::Canvas& c) {
    int n = 0;
    for (int y = 0; y < c.height(); ++y)
      for (int x = 0; x < c.width(); ++x) n += PixelOf(shot, x, y) != c.At(x, y);
    return n;
  }

  ctltest::HostDialog m_host;
  COwnerdrawedStatic m_static;
  COwnerdrawedStatic m_boxed;
  COwnerdrawedBoldText m_bold;
};

TEST_F(LabelDialog, ConstructionState) {
  COwnerdrawedStatic label;
  EXPECT_EQ(label.m_boxed, 0);
  EXPECT_EQ(label.m_rightAligned, 0);
  EXPECT_EQ(label.m_centerVertically, 1);
  ASSERT_NE(label.m_font, nullptr);
  LOGFONTW lf;
  label.m_font->GetLogFont(&lf);
  EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
  EXPECT_EQ(lf.lfHeight, 14);
  EXPECT_EQ(AppFonts()->GetFont(L"Tahoma", 14, 0, 0, 0), label.m_font) << "the cache's entry";
}

TEST_F(LabelDialog, StyledTextInTheParentsFont) {
  Open();
  CString text;
  text.Format(L"Class \x1b" L"E%0d\x1b" L"F / 16432 \x1b" L"C2red", 12);
  m_static.SetWindowText(text);
  m_boxed.SetWindowText(L"\x1b" L"E55.20%\x1b" L"F");
  m_boxed.m_rightAligned = 1;
  gui::Image shot = ctltest::Capture(m_static.m_hWnd);
  gui::SaveCapture(ctltest::Capture(m_host.m_hWnd), L"controls_labels");
  ctltest::Canvas expected(kLabelWidth, kLabelHeight, RGB(9, 9, 9));
  Expected(expected, m_static, false);
  EXPECT_EQ(Differences(shot, expected), 0);
  EXPECT_EQ(m_static.m_font->GetSafeHandle(), m_host.GetFont()->GetSafeHandle()) << "the parent's font";

  gui::Image boxed = ctltest::Capture(m_boxed.m_hWnd);
  ctltest::Canvas boxedExpected(kLabelWidth, kLabelHeight, RGB(9, 9, 9));
  Expected(boxedExpected, m_boxed, false);
  // The outer ring is the dialog's, not the label's: compare inside it.
  int n = 0;
  for (int y = 1; y < kLabelHeight - 1; ++y)
    for (int x = 1; x < kLabelWidth - 1; ++x) n += PixelOf(boxed, x, y) != boxedExpected.At(x, y);
  EXPECT_EQ(n, 0);
}

TEST_F(LabelDialog, BoxedLabelIsAWhiteBoxInAFrame) {
  Open();
  m_boxed.SetWindowText(L"");
  gui::Image before = ctltest::Capture(m_host.m_hWnd);
  gui::Image shot = ctltest::Capture(m_boxed.m_hWnd);
  EXPECT_EQ(ColorText(PixelOf(shot, 1, 1)), ColorText(kLabelFrameColor));
  EXPECT_EQ(ColorText(PixelOf(shot, kLabelWidth - 2, kLabelHeight - 2)), ColorText(kLabelFrameColor));
  EXPECT_EQ(ColorText(PixelOf(shot, 2, 2)), ColorText(::GetSysColor(COLOR_WINDOW)));
  EXPECT_EQ(ColorText(PixelOf(shot, kLabelWidth / 2, kLabelHeight / 2)), ColorText(::GetSysColor(COLOR_WINDOW)));
  // The outermost ring is left as it was (the button's own face under the label).
  (void)before;
  const COLORREF ring = PixelOf(shot, 0, 0);
  EXPECT_NE(ring, kLabelFrameColor);
  EXPECT_EQ(PixelOf(shot, kLabelWidth - 1, kLabelHeight / 2), ring);
}

TEST_F(LabelDialog, BackgroundFollowsTheThemeSetting) {
  ButtonFaceColour face(RGB(212, 208, 200));
  Open();
  m_static.SetWindowText(L"x");
  gui::Image plain = ctltest::Capture(m_static.m_hWnd);
  EXPECT_EQ(ColorText(PixelOf(plain, 150, 3)), ColorText(RGB(212, 208, 200)));

  AppServices services;
  services.m_useBVTheme = 1;
  RegisterAppServices(&services);
  gui::Image themed = ctltest::Capture(m_static.m_hWnd);
  gui::Image themedBold = ctltest::Capture(m_bold.m_hWnd);
  RegisterAppServices(nullptr);
  EXPECT_EQ(ColorText(PixelOf(themed, 150, 3)), ColorText(kThemedDialogColor));
  EXPECT_EQ(ColorText(PixelOf(themedBold, 1, 1)), ColorText(kThemedDialogColor));
}

TEST_F(LabelDialog, DisabledLabelIsGrey) {
  Open();
  m_static.SetWindowText(L"\x1b" L"C2red \x1b" L"C4blue \x1b" L"Ebold");
  m_static.EnableWindow(FALSE);
  gui::Image shot = ctltest::Capture(m_static.m_hWnd);
  int grey = 0, coloured = 0;
  for (int y = 0; y < kLabelHeight; ++y)
    for (int x = 0; x < kLabelWidth; ++x) {
      const COLORREF p = PixelOf(shot, x, y);
      grey += p == kStyledTextDisabledColor;
      coloured += !(GetRValue(p) == GetGValue(p) && GetGValue(p) == GetBValue(p));
    }
  EXPECT_GT(grey, 20);
  EXPECT_EQ(coloured, 0);
}

TEST_F(LabelDialog, ClicksAreSwallowed) {
  Open();
  CWnd* edit = m_host.GetDlgItem(kEditId);
  edit->SetFocus();
  m_host.m_notifications.clear();
  for (CWnd* label : {static_cast<CWnd*>(&m_static), static_cast<CWnd*>(&m_bold)}) {
    gui::ClickAt(label->m_hWnd, 20, 10);
    ::PostMessageW(label->m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
    ctltest::Pump(30);
    EXPECT_EQ(::GetFocus(), edit->m_hWnd) << "the label never takes the focus";
  }
  EXPECT_EQ(m_host.Count(kStaticId, BN_CLICKED), 0);
  EXPECT_EQ(m_host.Count(kBoldId, BN_CLICKED), 0);
}

// Extent of the dark pixels of a capture.
CRect Ink(const gui::Image& shot, bool (*isInk)(COLORREF)) {
  CRect r(shot.width, shot.height, -1, -1);
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x)
      if (isInk(PixelOf(shot, x, y))) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
  return r;
}

bool IsBlack(COLORREF p) { return GetRValue(p) + GetGValue(p) + GetBValue(p) < 200; }

TEST_F(LabelDialog, BoldCaptionAlignments) {
  Open();
  gui::Image left = ctltest::Capture(m_bold.m_hWnd);
  m_bold.m_centered = 1;
  gui::Image centred = ctltest::Capture(m_bold.m_hWnd);
  m_bold.m_centered = 0;
  m_bold.m_rightAlign = 1;
  gui::Image right = ctltest::Capture(m_bold.m_hWnd);
  gui::SaveCapture(right, L"controls_bold_text_right");
  const CRect l = Ink(left, IsBlack), c = Ink(centred, IsBlack), r = Ink(right, IsBlack);
  ASSERT_GT(l.Width(), 20);
  EXPECT_LE(l.left, 2);
  // Ink stops a few pixels short of the text box (side bearings and the last advance).
  EXPECT_NEAR((c.left + c.right) / 2, kLabelWidth / 2, 4);
  EXPECT_GE(r.right, kLabelWidth - 7);
  EXPECT_LE(r.right, kLabelWidth - 2) << "2 pixels from the right edge";
  EXPECT_EQ(l.Width(), r.Width());
  EXPECT_NEAR((l.top + l.bottom) / 2, kLabelHeight / 2, 2) << "vertically centred";

  // In bold: wider than the caption in the plain dialog font.
  ctltest::Canvas plain(kLabelWidth, kLabelHeight, RGB(255, 255, 255));
  CFont* oldFont = plain.dc()->SelectObject(m_host.GetFont());
  const int plainWidth = plain.dc()->GetTextExtent(CString(L"Bold caption")).cx;
  plain.dc()->SelectObject(oldFont);
  EXPECT_GT(l.Width(), plainWidth - 1);
}

TEST_F(LabelDialog, DisabledBoldCaptionColour) {
  Open();
  m_bold.EnableWindow(FALSE);
  gui::Image shot = ctltest::Capture(m_bold.m_hWnd);
  int n = 0;
  for (int y = 0; y < kLabelHeight; ++y)
    for (int x = 0; x < kLabelWidth; ++x) {
      n += PixelOf(shot, x, y) == kBoldTextDisabledColor;
      ASSERT_FALSE(IsBlack(PixelOf(shot, x, y)));
    }
  EXPECT_GT(n, 20);
}

}  // namespace
