// The splash screen as the program shows it: shaped by its bitmap, centred, closed by its
// timeout, a click or a key; the about splash with the version of the program file.
#include <gtest/gtest.h>

#include <vector>

#include "controls/module_version.h"
#include "controls/splash_screen_ex.h"
#include "gui_harness.h"
#include "live_input.h"
#include "resources/resource.h"

namespace {

// A window that has the focus while the splash is up and records the keys it gets.
class KeyRecorder : public CWnd {
 public:
  BOOL CreateRecorder() {
    return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_WINDOW)),
                    L"Behind the splash", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 700, 500, nullptr, nullptr);
  }
  int keys = 0;

 protected:
  afx_msg void OnKeyDown(UINT, UINT, UINT) { ++keys; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(KeyRecorder, CWnd)
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

bool IsUp(const CSplashScreenEx& splash) { return splash.m_hWnd != nullptr && ::IsWindowVisible(splash.m_hWnd); }

// A bitmap from rows of text: 'M' magenta, anything else grey.
HBITMAP MakeBitmap(const std::vector<const char*>& rows) {
  const int h = static_cast<int>(rows.size());
  const int w = static_cast<int>(std::strlen(rows[0]));
  HDC screen = ::GetDC(nullptr);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
  HDC dc = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ::SetPixelV(dc, x, y, rows[y][x] == 'M' ? kSplashKeyColour : RGB(90, 90, 90));
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  return bitmap;
}

TEST(SplashShape, RegionHoldsEveryPixelThatIsNotMagenta) {
  const std::vector<const char*> rows = {
      "MMMMMM",  // a row of key colour only contributes nothing
      "M.MM.M",
      "M....M",
      "......",
      "MMMMM.",
  };
  HBITMAP bitmap = MakeBitmap(rows);
  HRGN region = CSplashScreenEx::BuildShapeRegion(bitmap);
  ASSERT_NE(region, nullptr);
  for (int y = 0; y < static_cast<int>(rows.size()); ++y)
    for (int x = 0; x < 6; ++x) {
      SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
      EXPECT_EQ(::PtInRegion(region, x, y) != FALSE, rows[y][x] != 'M');
    }
  RECT box = {};
  ::GetRgnBox(region, &box);
  EXPECT_EQ(box.top, 1);
  ::DeleteObject(region);
  ::DeleteObject(bitmap);

  EXPECT_EQ(CSplashScreenEx::BuildShapeRegion(nullptr), nullptr);
}

TEST(SplashScreen, StartupSplashIsCentredShapedAndClosesAfterItsTimeout) {
  CSplashScreenEx splash;
  ASSERT_TRUE(splash.Create(CWnd::GetDesktopWindow(), 400,
                            kSplashCloseOnInput | kSplashCenterParent | kSplashDropShadow));
  EXPECT_EQ(CWnd::GetCapture(), &splash);
  ASSERT_TRUE(splash.SetBitmap(IDB_SPLASH_START));
  splash.Show();
  live::Pump(100);
  ASSERT_TRUE(IsUp(splash));

  CRect desktop, window;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  splash.GetWindowRect(&window);
  EXPECT_EQ(window.Size(), CSize(420, 252));
  EXPECT_EQ(window.left, desktop.left + (desktop.Width() - 420) / 2);
  EXPECT_EQ(window.top, desktop.top + (desktop.Height() - 252) / 2);
  EXPECT_TRUE(splash.GetExStyle() & WS_EX_TOPMOST);

  // The corners are magenta in the bitmap, so they are cut out of the window.
  CRgn region;
  region.CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(splash.GetWindowRgn(region), ERROR);
  EXPECT_FALSE(region.PtInRegion(0, 0));
  EXPECT_TRUE(region.PtInRegion(210, 126));
  gui::SaveCapture(gui::CaptureWindow(splash.m_hWnd), L"splash_startup");

  EXPECT_TRUE(live::PumpUntil([&] { return splash.m_hWnd == nullptr; }, 3000));
}

TEST(SplashScreen, AKeyPressClosesItAndIsNotDeliveredFurther) {
  KeyRecorder behind;
  ASSERT_TRUE(behind.CreateRecorder());
  live::BringToFront(behind.m_hWnd);
  behind.SetFocus();

  CSplashScreenEx splash;
  ASSERT_TRUE(splash.Create(&behind, 0, kSplashCloseOnInput | kSplashCenterParent));
  ASSERT_TRUE(splash.SetBitmap(IDB_SPLASH_START));
  splash.Show();
  live::Pump(200);
  ASSERT_TRUE(IsUp(splash));  // no timeout: it stays

  ::PostMessageW(::GetFocus(), WM_KEYDOWN, 'A', 1);
  live::Pump(100);
  EXPECT_EQ(splash.m_hWnd, nullptr);
  EXPECT_EQ(behind.keys, 0);

  // Once it is gone, keys reach the window again.
  ::PostMessageW(behind.m_hWnd, WM_KEYDOWN, 'A', 1);
  live::Pump(100);
  EXPECT_EQ(behind.keys, 1);
  behind.DestroyWindow();
}

TEST(SplashScreen, AClickAnywhereClosesItThroughTheCapture) {
  CSplashScreenEx splash;
  ASSERT_TRUE(splash.Create(nullptr, 0, kSplashCloseOnInput | kSplashCenterScreen));
  ASSERT_TRUE(splash.SetBitmap(IDB_SPLASH_START));
  splash.Show();
  live::Pump(100);
  ASSERT_TRUE(IsUp(splash));
  // Far outside the splash: the capture still brings the click to it.
  live::Click(::GetDesktopWindow(), POINT{5, 5});
  EXPECT_TRUE(live::PumpUntil([&] { return splash.m_hWnd == nullptr; }, 1000));
}

TEST(SplashScreen, WithoutCloseOnInputOnlyHideEndsIt) {
  CSplashScreenEx splash;
  ASSERT_TRUE(splash.Create(nullptr, 0, kSplashCenterScreen));
  ASSERT_TRUE(splash.SetBitmap(IDB_SPLASH_START));
  splash.Show();
  ::PostMessageW(splash.m_hWnd, WM_KEYDOWN, VK_SPACE, 1);
  ::PostMessageW(splash.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
  live::Pump(200);
  EXPECT_TRUE(IsUp(splash));
  splash.Hide();
  EXPECT_EQ(splash.m_hWnd, nullptr);
  splash.Hide();  // nothing left to hide
}

TEST(SplashScreen, AboutSplashShowsTheProgramVersion) {
  KeyRecorder frame;
  ASSERT_TRUE(frame.CreateRecorder());

  wchar_t exe[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  CModuleVersion version(exe);
  CString text;
  ASSERT_TRUE(text.LoadString(IDS_VERSION_PREFIX));
  EXPECT_EQ(text, CString(L"Version: "));
  text += version.Format();
  CString expected;
  expected.Format(L"Version: %d.%d.%d.%d", OV_VERSION_MAJOR, OV_VERSION_MINOR, OV_VERSION_PATCH, OV_VERSION_BUILD);
  EXPECT_EQ(text, expected);

  auto* splash = new CSplashScreenEx;
  splash->m_autoDelete = TRUE;  // the frame keeps no pointer to it
  ASSERT_TRUE(splash->Create(&frame, 0,
                             kSplashFadeIn | kSplashFadeOut | kSplashDropShadow | kSplashCenterParent |
                                 kSplashCloseOnInput));
  ASSERT_TRUE(splash->SetBitmap(IDB_SPLASH_ABOUT));
  splash->m_font.DeleteObject();
  ASSERT_TRUE(splash->m_font.CreatePointFont(80, L"Tahoma"));
  LOGFONTW lf = {};
  splash->m_font.GetLogFont(&lf);
  lf.lfWeight = FW_BOLD;
  splash->m_font.DeleteObject();
  splash->m_font.CreateFontIndirect(&lf);
  splash->m_textColor = RGB(0x40, 0x40, 0x40);
  splash->m_textRect.SetRect(6, 280, 400, 300);
  splash->m_textFormat = 0;
  splash->m_text = text;
  splash->Show();
  splash->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  live::Pump(100);
  HWND hwnd = splash->m_hWnd;
  ASSERT_TRUE(::IsWindowVisible(hwnd));

  CRect window, parent;
  ::GetWindowRect(hwnd, &window);
  frame.GetWindowRect(&parent);
  EXPECT_EQ(window.CenterPoint().x / 2, parent.CenterPoint().x / 2);

  const gui::Image image = gui::CaptureWindow(hwnd);
  gui::SaveCapture(image, L"splash_about_version");
  // The version line is drawn in dark grey at the left of its rectangle.
  int dark = 0;
  for (int y = 280; y < 300; ++y)
    for (int x = 6; x < 200; ++x)
      if ((image.At(x, y) & 0xFFFFFF) == 0x404040) ++dark;
  EXPECT_GT(dark, 40);

  live::Key(VK_ESCAPE);
  EXPECT_TRUE(live::PumpUntil([&] { return !::IsWindow(hwnd); }, 1000));
  frame.DestroyWindow();
}

TEST(SplashScreen, ASecondSplashOfTheRunFindsItsClassRegistered) {
  for (DWORD style : {DWORD{kSplashDropShadow}, DWORD{0}, DWORD{kSplashDropShadow}, DWORD{0}}) {
    SCOPED_TRACE(testing::Message() << "style " << style);
    CSplashScreenEx splash;
    ASSERT_TRUE(splash.Create(nullptr, 0, style));
    ASSERT_TRUE(splash.SetBitmap(IDB_SPLASH_ABOUT));
    splash.Hide();
  }
  CSplashScreenEx missing;
  ASSERT_TRUE(missing.Create(nullptr, 0, 0));
  EXPECT_FALSE(missing.SetBitmap(1));
  missing.Hide();
}

}  // namespace

namespace {

int g_splashesDeleted = 0;

class CountedSplash : public CSplashScreenEx {
 public:
  explicit CountedSplash(bool refuse) : m_refuse(refuse) {}
  ~CountedSplash() override { ++g_splashesDeleted; }

 protected:
  afx_msg BOOL OnNcCreate(LPCREATESTRUCT cs) { return m_refuse ? FALSE : CSplashScreenEx::OnNcCreate(cs); }
  DECLARE_MESSAGE_MAP()

 private:
  bool m_refuse;
};

BEGIN_MESSAGE_MAP(CountedSplash, CSplashScreenEx)
  ON_WM_NCCREATE()
END_MESSAGE_MAP()

TEST(SplashScreen, AnAutoDeletingSplashGoesWithItsWindowButNotWithAFailedCreate) {
  g_splashesDeleted = 0;
  auto* refused = new CountedSplash(true);
  refused->m_autoDelete = TRUE;
  EXPECT_FALSE(refused->Create(nullptr, 0, kSplashCloseOnInput));
  EXPECT_EQ(g_splashesDeleted, 0);  // still the caller's
  delete refused;
  EXPECT_EQ(g_splashesDeleted, 1);

  auto* shown = new CountedSplash(false);
  shown->m_autoDelete = TRUE;
  ASSERT_TRUE(shown->Create(nullptr, 0, kSplashCloseOnInput));
  ASSERT_TRUE(shown->SetBitmap(IDB_SPLASH_ABOUT));
  shown->Show();
  shown->Hide();
  EXPECT_EQ(g_splashesDeleted, 2);
}

}  // namespace
