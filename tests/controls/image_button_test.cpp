// The image buttons in a dialog: images with transparency, layout, every drawing state, the
// check-box toggle, dialog codes, double clicks, hover, focus, tooltips and themed drawing.
#include <gtest/gtest.h>

#include "canvas.h"
#include "controls/image_button.h"
#include "controls/xp_style_button.h"
#include "test_dialog.h"

namespace {

using ctltest::ColorText;
using ctltest::PixelOf;

constexpr UINT kPlainId = 1400;    // push button with caption
constexpr UINT kIconId = 1401;     // push button without caption
constexpr UINT kCheckId = 1402;    // auto check box
constexpr UINT kDefaultId = 1403;  // default push button
constexpr UINT kOwnerId = 1404;    // owner-drawn in the template: a toggle too
constexpr UINT kThemedId = 1405;   // themed
constexpr UINT kEditId = 1406;
constexpr int kW = 100, kH = 30;
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kGreen = RGB(0, 160, 0);
const COLORREF kRed = RGB(200, 0, 0);

// 16 x 16: a magenta ring of 2 pixels around a green square with a red 4 x 4 centre.
HBITMAP MakeImage() {
  HDC screen = ::GetDC(nullptr);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
  HDC dc = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  auto fill = [&](int l, int t, int r, int b, COLORREF c) {
    RECT rc = {l, t, r, b};
    HBRUSH brush = ::CreateSolidBrush(c);
    ::FillRect(dc, &rc, brush);
    ::DeleteObject(brush);
  };
  fill(0, 0, 16, 16, kMagenta);
  fill(2, 2, 14, 14, kGreen);
  fill(6, 6, 10, 10, kRed);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return bitmap;
}

// Top-left corner of the 16 x 16 image in a capture: the first green pixel minus (2, 2).
CPoint FindImage(const gui::Image& shot) {
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x)
      if (PixelOf(shot, x, y) == kGreen) return CPoint(x - 2, y - 2);
  return CPoint(-100, -100);
}

class ImageButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    ctltest::DialogTemplate t(L"Image buttons", 300, 150);
    t.Add(L"BUTTON", L"&Evaluate", BS_PUSHBUTTON | WS_TABSTOP, 4, 4, 60, 16, kPlainId);
    t.Add(L"BUTTON", L"", BS_PUSHBUTTON | WS_TABSTOP, 70, 4, 60, 16, kIconId);
    t.Add(L"BUTTON", L"Streets", BS_AUTOCHECKBOX | WS_TABSTOP, 136, 4, 60, 16, kCheckId);
    t.Add(L"BUTTON", L"Default", BS_DEFPUSHBUTTON | WS_TABSTOP, 4, 30, 60, 16, kDefaultId);
    t.Add(L"BUTTON", L"Owner", BS_OWNERDRAW | WS_TABSTOP, 70, 30, 60, 16, kOwnerId);
    t.Add(L"BUTTON", L"Themed", BS_PUSHBUTTON | WS_TABSTOP, 136, 30, 60, 16, kThemedId);
    t.Add(L"EDIT", L"", WS_TABSTOP | WS_BORDER, 4, 60, 60, 14, kEditId);
    m_host.m_onInit = [this](ctltest::HostDialog& dlg) {
      struct {
        CButtonST* button;
        UINT id;
        int x, y;
      } all[] = {{&m_plain, kPlainId, 10, 10},     {&m_icon, kIconId, 120, 10}, {&m_check, kCheckId, 230, 10},
                 {&m_default, kDefaultId, 10, 50}, {&m_owner, kOwnerId, 120, 50}, {&m_themed, kThemedId, 230, 50}};
      for (auto& b : all) {
        b.button->SubclassDlgItem(b.id, &dlg);
        b.button->MoveWindow(b.x, b.y, kW, kH);
      }
      dlg.GetDlgItem(kEditId)->MoveWindow(10, 100, 100, 22);
    };
    ASSERT_TRUE(m_host.Open(t));
  }
  void TearDown() override {
    ctltest::HoverAway();
    m_host.DestroyWindow();
  }

  ctltest::HostDialog m_host;
  CButtonST m_plain, m_icon, m_check, m_default, m_owner;
  CXPStyleButtonST m_themed;
};

TEST_F(ImageButtons, TemplateTypesBecomeOwnerDrawnWithTheirRoles) {
  for (CButtonST* b : {&m_plain, &m_icon, &m_check, &m_default, &m_owner, static_cast<CButtonST*>(&m_themed)})
    EXPECT_EQ(b->GetStyle() & 0x1F, static_cast<DWORD>(BS_OWNERDRAW));
  EXPECT_EQ(m_plain.m_isCheckBox, 0);
  EXPECT_EQ(m_check.m_isCheckBox, 1);
  EXPECT_EQ(m_owner.m_isCheckBox, 1) << "the owner-draw type has the check-box bit";
  EXPECT_EQ(m_default.m_isDefault, 1);
  EXPECT_EQ(m_plain.m_isDefault, 0);
  EXPECT_EQ(m_plain.m_drawBorder, 1);
  EXPECT_EQ(m_themed.m_drawBorder, 0);
}

TEST_F(ImageButtons, DialogCodesFollowTheDefaultStyle) {
  EXPECT_TRUE(m_default.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
  EXPECT_TRUE(m_plain.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);
  m_default.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  EXPECT_EQ(m_default.m_isDefault, 0);
  EXPECT_TRUE(m_default.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);
  EXPECT_FALSE(m_default.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
  EXPECT_EQ(m_default.GetStyle() & 0x1F, static_cast<DWORD>(BS_OWNERDRAW)) << "stays owner-drawn";
  m_plain.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(m_plain.m_isDefault, 1);
  m_plain.SendMessage(BM_SETSTYLE, BS_AUTOCHECKBOX, TRUE);
  EXPECT_EQ(m_plain.m_isDefault, 1) << "other types leave the flag";
}

TEST_F(ImageButtons, ThemedDefaultStateFollowsTheStyle) {
  m_themed.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  m_themed.m_pressed = m_themed.m_mouseOver = m_themed.m_disabled = 0;
  EXPECT_EQ(m_themed.ThemeState(), 5);
  m_themed.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  EXPECT_EQ(m_themed.ThemeState(), 1);
  m_themed.m_mouseOver = 1;
  EXPECT_EQ(m_themed.ThemeState(), 2);
  m_themed.m_pressed = 1;
  EXPECT_EQ(m_themed.ThemeState(), 3);
  m_themed.m_disabled = 1;
  EXPECT_EQ(m_themed.ThemeState(), 4);
}

TEST_F(ImageButtons, ImagesKeepTheirShapeAndFailuresLeaveNone) {
  HBITMAP image = MakeImage();
  EXPECT_EQ(m_plain.SetStateBitmaps(image), 0u);
  EXPECT_EQ(m_plain.m_bitmaps[0].width, 16u);
  EXPECT_EQ(m_plain.m_bitmaps[0].height, 16u);
  EXPECT_EQ(m_plain.m_bitmaps[0].transparent, kMagenta);
  EXPECT_NE(m_plain.m_bitmaps[0].mask, nullptr);
  EXPECT_EQ(m_plain.m_bitmaps[1].bitmap, nullptr);
  // The transparent pixels of the source turned black.
  {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc.m_hDC, image);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(5, 5), kGreen);
    ::SelectObject(dc.m_hDC, old);
  }
  // A handle that is no bitmap: 1, and the button has no images.
  EXPECT_EQ(m_plain.SetStateBitmaps(reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x1234))), 1u);
  EXPECT_EQ(m_plain.m_bitmaps[0].bitmap, nullptr);
  EXPECT_EQ(m_plain.m_bitmaps[0].mask, nullptr);
  EXPECT_EQ(::GetObjectType(image), 0u) << "the replaced image was deleted";
  gui::Image shot = ctltest::Capture(m_plain.m_hWnd);
  EXPECT_EQ(FindImage(shot), CPoint(-100, -100));
}

TEST_F(ImageButtons, MagentaIsTransparentAndTheImageSitsLeftOfTheCaption) {
  ASSERT_EQ(m_plain.SetStateBitmaps(MakeImage()), 0u);
  gui::Image shot = ctltest::Capture(m_plain.m_hWnd);
  gui::SaveCapture(shot, L"controls_image_button_normal");
  const CPoint at = FindImage(shot);
  EXPECT_EQ(at, CPoint(3, (kH - 16) / 2)) << "3 pixels from the left, centred vertically";
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(ColorText(PixelOf(shot, at.x, at.y)), ColorText(face)) << "magenta corner shows the face";
  EXPECT_EQ(ColorText(PixelOf(shot, at.x + 1, at.y + 8)), ColorText(face));
  EXPECT_EQ(ColorText(PixelOf(shot, at.x + 8, at.y + 8)), ColorText(kRed));
  EXPECT_EQ(ColorText(PixelOf(shot, at.x + 3, at.y + 3)), ColorText(kGreen));
  EXPECT_EQ(ColorText(PixelOf(shot, 0, 0)), ColorText(face)) << "no frame while not hovered";
  // The caption is centred in the width right of the image.
  CRect ink(kW, kH, 0, 0);
  for (int y = 0; y < kH; ++y)
    for (int x = at.x + 17; x < kW; ++x)
      if (GetRValue(PixelOf(shot, x, y)) < 100) ink.UnionRect(ink, CRect(x, y, x + 1, y + 1));
  const int captionLeft = 16 + 3;  // the caption rectangle loses the image's width and 3 pixels
  EXPECT_NEAR((ink.left + ink.right) / 2, (captionLeft + kW) / 2, 4);
}

TEST_F(ImageButtons, ImageRightOfTheCaptionWhenAskedFor) {
  ASSERT_EQ(m_plain.SetStateBitmaps(MakeImage()), 0u);
  m_plain.m_imageAlign = CButtonST::kImageRight;
  gui::Image shot = ctltest::Capture(m_plain.m_hWnd);
  EXPECT_EQ(FindImage(shot), CPoint(kW - 3 - 16, (kH - 16) / 2));
  // The caption is centred in the width left of the image.
  CRect ink(kW, kH, 0, 0);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW - 19; ++x)
      if (GetRValue(PixelOf(shot, x, y)) < 100) ink.UnionRect(ink, CRect(x, y, x + 1, y + 1));
  EXPECT_NEAR((ink.left + ink.right) / 2, (kW - 19) / 2, 4);
}

TEST_F(ImageButtons, WithoutCaptionTheImageIsCentred) {
  ASSERT_EQ(m_icon.SetStateBitmaps(MakeImage()), 0u);
  gui::Image shot = ctltest::Capture(m_icon.m_hWnd);
  EXPECT_EQ(FindImage(shot), CPoint((kW - 16) / 2, (kH - 16) / 2));
}

TEST_F(ImageButtons, HotButtonIsRaisedAndLeavingClearsIt) {
  ASSERT_EQ(m_plain.SetStateBitmaps(MakeImage()), 0u);
  ctltest::HoverAt(m_plain.m_hWnd, 50, 15);
  EXPECT_EQ(m_plain.m_mouseOver, 1);
  gui::Image hot = ctltest::Capture(m_plain.m_hWnd);
  gui::SaveCapture(hot, L"controls_image_button_hot");
  EXPECT_EQ(ColorText(PixelOf(hot, 0, 0)), ColorText(::GetSysColor(COLOR_BTNHIGHLIGHT)));
  EXPECT_EQ(ColorText(PixelOf(hot, kW - 1, kH - 1)), ColorText(::GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(FindImage(hot), CPoint(3, (kH - 16) / 2)) << "no shift while only hovered";
  // Onto another window: the light goes out.
  ctltest::HoverAt(m_icon.m_hWnd, 50, 15);
  ::PostMessageW(m_plain.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(50, 15));
  ctltest::Pump(30);
  EXPECT_EQ(m_plain.m_mouseOver, 0);
  ctltest::HoverAt(m_plain.m_hWnd, 50, 15);
  EXPECT_EQ(m_plain.m_mouseOver, 1);
  m_plain.SendMessage(WM_MOUSELEAVE);
  EXPECT_EQ(m_plain.m_mouseOver, 0);
}

TEST_F(ImageButtons, DragThatEntersDoesNotLightTheButton) {
  // Press on the dialog's background, then move onto the button with the button held.
  ctltest::RealMouse(m_host.m_hWnd, 200, 140, MOUSEEVENTF_LEFTDOWN);
  ctltest::RealMouse(m_plain.m_hWnd, 40, 15, 0);
  ctltest::RealMouse(m_plain.m_hWnd, 50, 15, 0);
  EXPECT_EQ(m_plain.m_mouseOver, 0);
  ctltest::RealMouse(m_host.m_hWnd, 200, 140, MOUSEEVENTF_LEFTUP);
  // Without the button held the same move lights it.
  ctltest::RealMouse(m_plain.m_hWnd, 40, 15, 0);
  ctltest::RealMouse(m_plain.m_hWnd, 50, 15, 0);
  EXPECT_EQ(m_plain.m_mouseOver, 1);
}

TEST_F(ImageButtons, PressedButtonSinksAndShiftsByOnePixel) {
  ASSERT_EQ(m_plain.SetStateBitmaps(MakeImage()), 0u);
  gui::Image normal = ctltest::Capture(m_plain.m_hWnd);
  m_plain.SendMessage(BM_SETSTATE, TRUE);
  gui::Image pressed = ctltest::Capture(m_plain.m_hWnd);
  gui::SaveCapture(pressed, L"controls_image_button_pressed");
  m_plain.SendMessage(BM_SETSTATE, FALSE);
  EXPECT_EQ(ColorText(PixelOf(pressed, 0, 0)), ColorText(::GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(ColorText(PixelOf(pressed, kW - 1, kH - 1)), ColorText(::GetSysColor(COLOR_BTNHIGHLIGHT)));
  EXPECT_EQ(FindImage(pressed), FindImage(normal) + CPoint(1, 1));
  // The caption moves along.
  int same = 0, shifted = 0;
  for (int y = 2; y < kH - 2; ++y)
    for (int x = 30; x < kW - 2; ++x) {
      same += PixelOf(pressed, x, y) == PixelOf(normal, x, y);
      shifted += PixelOf(pressed, x + 1, y + 1) == PixelOf(normal, x, y);
    }
  EXPECT_GT(shifted, same);
}

TEST_F(ImageButtons, DisabledButtonGreysTheImageAndEmbossesTheCaption) {
  ASSERT_EQ(m_plain.SetStateBitmaps(MakeImage()), 0u);
  m_plain.EnableWindow(FALSE);
  gui::Image shot = ctltest::Capture(m_plain.m_hWnd);
  gui::SaveCapture(shot, L"controls_image_button_disabled");
  int colourful = 0, shadow = 0, highlight = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const COLORREF p = PixelOf(shot, x, y);
      colourful += p == kGreen || p == kRed;
      shadow += p == ::GetSysColor(COLOR_BTNSHADOW);
      highlight += p == ::GetSysColor(COLOR_BTNHIGHLIGHT);
    }
  EXPECT_EQ(colourful, 0) << "the image is drawn greyed";
  EXPECT_GT(shadow, 30);
  EXPECT_GT(highlight, 30);
  // The greyed image still has the image's shape: its ring stays the face colour.
  EXPECT_EQ(ColorText(PixelOf(shot, 3, (kH - 16) / 2)), ColorText(::GetSysColor(COLOR_BTNFACE)));
}

TEST_F(ImageButtons, CheckBoxTogglesOnEveryClickAndStaysDownWithoutShift) {
  ASSERT_EQ(m_check.SetStateBitmaps(MakeImage()), 0u);
  gui::Image up = ctltest::Capture(m_check.m_hWnd);
  gui::ClickAt(m_check.m_hWnd, 50, 15);
  ctltest::Pump(30);
  EXPECT_EQ(m_check.m_checked, 1);
  EXPECT_EQ(m_check.SendMessage(BM_GETCHECK), 1);
  EXPECT_EQ(m_host.Count(kCheckId, BN_CLICKED), 1) << "the parent hears the click";
  ctltest::HoverAway();
  m_check.SendMessage(WM_MOUSELEAVE);
  gui::Image down = ctltest::Capture(m_check.m_hWnd);
  gui::SaveCapture(down, L"controls_image_button_checked");
  EXPECT_EQ(ColorText(PixelOf(down, 0, 0)), ColorText(::GetSysColor(COLOR_BTNSHADOW))) << "drawn pressed";
  EXPECT_EQ(FindImage(down), FindImage(up)) << "a check box does not shift";
  gui::ClickAt(m_check.m_hWnd, 50, 15);
  ctltest::Pump(30);
  EXPECT_EQ(m_check.m_checked, 0);
  // The template's owner-draw type toggles as well.
  gui::ClickAt(m_owner.m_hWnd, 50, 15);
  ctltest::Pump(30);
  EXPECT_EQ(m_owner.m_checked, 1);
  // A push button does not.
  gui::ClickAt(m_plain.m_hWnd, 50, 15);
  ctltest::Pump(30);
  EXPECT_EQ(m_plain.m_checked, 0);
}

TEST_F(ImageButtons, SetCheckOnlyForCheckBoxes) {
  m_check.SendMessage(BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(m_check.m_checked, 1);
  m_check.SendMessage(BM_SETCHECK, BST_INDETERMINATE);
  EXPECT_EQ(m_check.m_checked, 1);
  m_check.SendMessage(BM_SETCHECK, BST_UNCHECKED);
  EXPECT_EQ(m_check.m_checked, 0);
  m_check.SendMessage(BM_SETCHECK, 7);
  EXPECT_EQ(m_check.m_checked, 0);
  m_plain.SendMessage(BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(m_plain.m_checked, 0);
  EXPECT_EQ(m_plain.SendMessage(BM_GETCHECK), 0);
}

TEST_F(ImageButtons, DoubleClickIsTwoClicks) {
  const LPARAM at = MAKELPARAM(50, 15);
  ::PostMessageW(m_plain.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(m_plain.m_hWnd, WM_LBUTTONUP, 0, at);
  ::PostMessageW(m_plain.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  ::PostMessageW(m_plain.m_hWnd, WM_LBUTTONUP, 0, at);
  ctltest::Pump(60);
  EXPECT_EQ(m_host.Count(kPlainId, BN_CLICKED), 2);
  EXPECT_EQ(m_host.Count(kPlainId, BN_DOUBLECLICKED), 0);
}

TEST_F(ImageButtons, DisablingTheFocusedButtonMovesTheFocusOn) {
  m_plain.SetFocus();
  ASSERT_EQ(::GetFocus(), m_plain.m_hWnd);
  m_plain.EnableWindow(FALSE);
  EXPECT_EQ(::GetFocus(), m_icon.m_hWnd) << "the next tab stop";
  // Disabling a button that has no focus leaves the user's focus where it is.
  CWnd* edit = m_host.GetDlgItem(kEditId);
  edit->SetFocus();
  m_check.EnableWindow(FALSE);
  EXPECT_EQ(::GetFocus(), edit->m_hWnd);
}

TEST_F(ImageButtons, FocusLossAndCancelModeClearTheHover) {
  ctltest::HoverAt(m_plain.m_hWnd, 50, 15);
  ASSERT_EQ(m_plain.m_mouseOver, 1);
  m_plain.SendMessage(WM_CANCELMODE);
  EXPECT_EQ(m_plain.m_mouseOver, 0);
  ctltest::HoverAt(m_icon.m_hWnd, 50, 15);
  ctltest::HoverAt(m_plain.m_hWnd, 50, 15);
  ASSERT_EQ(m_plain.m_mouseOver, 1);
  m_plain.SetFocus();
  m_icon.SetFocus();
  EXPECT_EQ(m_plain.m_mouseOver, 0);
}

TEST_F(ImageButtons, SystemColourChangeResetsTheColours) {
  for (COLORREF& c : m_plain.m_colors) c = RGB(1, 2, 3);
  m_plain.SendMessage(WM_SYSCOLORCHANGE);
  for (int i = 0; i < CButtonST::kColorCount; ++i)
    EXPECT_EQ(m_plain.m_colors[i], ::GetSysColor(i % 2 ? COLOR_BTNTEXT : COLOR_BTNFACE)) << i;
}

TEST_F(ImageButtons, ColoursOfTheStates) {
  m_plain.m_colors[CButtonST::kNormalBack] = RGB(250, 240, 200);
  m_plain.m_colors[CButtonST::kHotBack] = RGB(200, 230, 250);
  m_plain.m_colors[CButtonST::kFocusBack] = RGB(220, 250, 220);
  m_host.GetDlgItem(kEditId)->SetFocus();
  EXPECT_EQ(ColorText(PixelOf(ctltest::Capture(m_plain.m_hWnd), 5, 5)), ColorText(RGB(250, 240, 200)));
  m_plain.SetFocus();
  EXPECT_EQ(ColorText(PixelOf(ctltest::Capture(m_plain.m_hWnd), 5, 5)), ColorText(RGB(220, 250, 220)));
  ctltest::HoverAt(m_plain.m_hWnd, 50, 15);
  EXPECT_EQ(ColorText(PixelOf(ctltest::Capture(m_plain.m_hWnd), 5, 5)), ColorText(RGB(200, 230, 250)));
}

TEST_F(ImageButtons, TooltipHasOneToolWithTheLatestText) {
  m_plain.SetTooltip(nullptr);
  EXPECT_EQ(m_plain.m_tooltip.GetSafeHwnd() ? m_plain.m_tooltip.GetToolCount() : 0, 0) << "nothing for no text";
  m_plain.SetTooltip(L"Evaluate the equities");
  ASSERT_NE(m_plain.m_tooltip.GetSafeHwnd(), nullptr);
  EXPECT_EQ(m_plain.m_tooltip.GetToolCount(), 1);
  m_plain.SetTooltip(L"Another text");
  EXPECT_EQ(m_plain.m_tooltip.GetToolCount(), 1);
  TOOLINFOW info = {};
  info.cbSize = sizeof info;
  info.hwnd = m_plain.m_hWnd;
  info.uId = 1;
  wchar_t text[80] = L"";
  info.lpszText = text;
  m_plain.m_tooltip.SendMessage(TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(text, L"Another text");
  EXPECT_EQ(m_plain.m_tooltip.SendMessage(TTM_GETMAXTIPWIDTH), 400);
}

TEST_F(ImageButtons, SecondImageShowsWhenReleasedAndNotHovered) {
  HBITMAP second = MakeImage();
  {
    // The second image has black as its transparent colour: paint its ring black.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc.m_hDC, second);
    dc.FillSolidRect(0, 0, 16, 2, RGB(0, 0, 0));
    dc.FillSolidRect(2, 2, 12, 12, RGB(0, 0, 200));
    ::SelectObject(dc.m_hDC, old);
  }
  ASSERT_EQ(m_icon.SetStateBitmaps(MakeImage(), second), 0u);
  EXPECT_EQ(m_icon.m_bitmaps[1].transparent, RGB(0, 0, 0));
  gui::Image released = ctltest::Capture(m_icon.m_hWnd);
  EXPECT_EQ(FindImage(released), CPoint(-100, -100)) << "the second (blue) image, not the first";
  EXPECT_EQ(ColorText(PixelOf(released, (kW - 16) / 2, (kH - 16) / 2)), ColorText(::GetSysColor(COLOR_BTNFACE)))
      << "black is transparent in the second image";
  ctltest::HoverAt(m_icon.m_hWnd, 50, 15);
  gui::Image hot = ctltest::Capture(m_icon.m_hWnd);
  EXPECT_EQ(FindImage(hot), CPoint((kW - 16) / 2, (kH - 16) / 2)) << "the first image while hovered";
}

TEST_F(ImageButtons, ThemedButtonDrawsThroughTheVisualStyle) {
  CThemeHelperST helper;
  CThemeHelperST missing(L"no-such-visual-styles.dll");
  EXPECT_EQ(missing.m_hUxTheme, nullptr);
  EXPECT_FALSE(missing.IsAppThemed());
  EXPECT_EQ(missing.OpenThemeData(m_themed.m_hWnd, L"BUTTON"), nullptr);
  EXPECT_EQ(missing.CloseThemeData(nullptr), E_FAIL);
  EXPECT_EQ(missing.DrawThemeBackground(nullptr, nullptr, 1, 1, nullptr, nullptr), E_FAIL);

  // Classic when there is no theme helper or no library: exactly the plain button's drawing.
  m_themed.m_drawBorder = 1;
  m_themed.m_themeHelper = &missing;
  ctltest::HoverAt(m_themed.m_hWnd, 50, 15);
  gui::Image classic = ctltest::Capture(m_themed.m_hWnd);
  EXPECT_EQ(ColorText(PixelOf(classic, 0, 0)), ColorText(::GetSysColor(COLOR_BTNHIGHLIGHT))) << "raised frame";
  m_themed.m_themeHelper = nullptr;
  gui::Image none = ctltest::Capture(m_themed.m_hWnd);
  EXPECT_EQ(gui::CountDifferentPixels(classic, none, CRect(0, 0, kW, kH)), 0);

  if (!helper.IsAppThemed()) GTEST_SKIP() << "no visual style active";
  m_themed.m_themeHelper = &helper;
  gui::Image themedHot = ctltest::Capture(m_themed.m_hWnd);
  gui::SaveCapture(themedHot, L"controls_xp_button_hot");
  EXPECT_GT(gui::CountDifferentPixels(themedHot, classic, CRect(0, 0, kW, kH)), 50) << "the style's face";
  ctltest::HoverAway();
  m_themed.SendMessage(WM_MOUSELEAVE);
  gui::Image themedNormal = ctltest::Capture(m_themed.m_hWnd);
  gui::SaveCapture(themedNormal, L"controls_xp_button_normal");
  EXPECT_GT(gui::CountDifferentPixels(themedHot, themedNormal, CRect(0, 0, kW, kH)), 20) << "hot differs from normal";
  m_themed.EnableWindow(FALSE);
  gui::Image themedDisabled = ctltest::Capture(m_themed.m_hWnd);
  gui::SaveCapture(themedDisabled, L"controls_xp_button_disabled");
  EXPECT_GT(gui::CountDifferentPixels(themedDisabled, themedNormal, CRect(0, 0, kW, kH)), 20);
}

TEST_F(ImageButtons, ReviewCaptureOfEveryState) {
  // The program's own button pictures, as the dialogs load them.
  auto load = [](UINT id) {
    return static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                                             LR_DEFAULTCOLOR));
  };
  ASSERT_EQ(m_plain.SetStateBitmaps(load(2004)), 0u);
  ASSERT_EQ(m_icon.SetStateBitmaps(load(2007)), 0u);
  ASSERT_EQ(m_check.SetStateBitmaps(load(2019)), 0u);
  ASSERT_EQ(m_default.SetStateBitmaps(load(2008)), 0u);
  ASSERT_EQ(m_owner.SetStateBitmaps(load(2015)), 0u);
  CThemeHelperST helper;
  m_themed.m_themeHelper = &helper;
  m_themed.m_drawBorder = helper.IsAppThemed() ? 0 : 1;
  ASSERT_EQ(m_themed.SetStateBitmaps(load(2477)), 0u);
  m_check.SendMessage(BM_SETCHECK, BST_CHECKED);
  m_owner.EnableWindow(FALSE);
  m_default.SendMessage(BM_SETSTATE, TRUE);
  ctltest::HoverAt(m_plain.m_hWnd, 50, 15);
  gui::Image all = ctltest::Capture(m_host.m_hWnd);
  EXPECT_FALSE(gui::SaveCapture(all, L"controls_image_buttons").empty());
  m_default.SendMessage(BM_SETSTATE, FALSE);
}

}  // namespace
