// The HTML page viewer in the test's own process: the page as text or bytes, the browser
// filling the client area as the window resizes, the modeless rectangle kept in the settings,
// the message to the main window when it goes, the modal placement and the bounded wait for
// the browser's document.
#include <gtest/gtest.h>

#include <string>

#include "app/main_frame.h"
#include "dialogs/html_dialog.h"
#include "gui_harness.h"
#include "temp_folder.h"

namespace {

CWinApp g_testApp(L"HtmlDialogTest");

std::wstring BrowserText(CHTMLDialog& dialog) {
  CString text = dialog.m_browser.GetDocumentText();
  return std::wstring(text.GetString());
}

// Receives the viewer's closing message as the main window would.
class MainWindow : public CWnd {
 public:
  int m_closedMessages = 0;
  bool Open() {
    if (!CreateEx(0, AfxRegisterWndClass(0), L"main", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0)) return false;
    AfxGetApp()->m_pMainWnd = this;
    return true;
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SYNTAX_DIALOG_CLOSED) ++m_closedMessages;
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class HtmlDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AfxEnableControlContainer();
    ini_ = folder_.Path() + L"\\viewer.ini";
    savedProfile_ = g_testApp.m_pszProfileName;
    g_testApp.m_pszProfileName = ini_.c_str();
    ASSERT_TRUE(main_.Open());
  }
  void TearDown() override {
    g_testApp.m_pszProfileName = savedProfile_;
    g_testApp.m_pMainWnd = nullptr;
    if (main_.GetSafeHwnd()) main_.DestroyWindow();
  }
  int Stored(const wchar_t* key) { return static_cast<int>(::GetPrivateProfileIntW(L"HTMLDialog", key, -999, ini_.c_str())); }
  // A modeless viewer as the frame opens it.
  CHTMLDialog* OpenModeless(const CString& page) {
    auto* viewer = new CHTMLDialog(&main_);
    viewer->m_pageText = page;
    viewer->m_modeless = 1;
    if (!viewer->Create(viewer->m_templateId, CWnd::GetDesktopWindow())) {
      delete viewer;
      return nullptr;
    }
    viewer->ShowWindow(SW_SHOW);
    gui::Pump(100);
    return viewer;
  }

  apptest::TempFolder folder_{L"ovhtmldlg"};
  std::wstring ini_;
  LPCTSTR savedProfile_ = nullptr;
  MainWindow main_;
};

TEST_F(HtmlDialogTest, ModelessViewerShowsThePageResizesAndKeepsItsRectangle) {
  CHTMLDialog* viewer = OpenModeless(L"<html><body><h1>Range syntax</h1><p>AA, KK</p></body></html>");
  ASSERT_NE(viewer, nullptr);
  const HWND hwnd = viewer->GetSafeHwnd();
  EXPECT_EQ(BrowserText(*viewer), L"Range syntax\r\nAA, KK");
  EXPECT_EQ(gui::WindowText(hwnd), L"Brightfold Vantorn - Omaha - Syntax Documentation and Samples");
  // First opening without settings: 470 x 350 at the top-left corner.
  RECT window;
  ::GetWindowRect(hwnd, &window);
  EXPECT_EQ(window.left, 0);
  EXPECT_EQ(window.top, 0);
  EXPECT_EQ(window.right - window.left, 470);
  EXPECT_EQ(window.bottom - window.top, 350);

  // The browser covers the client area at every size.
  for (SIZE size : {SIZE{600, 480}, SIZE{300, 200}}) {
    ::SetWindowPos(hwnd, nullptr, 40, 30, size.cx, size.cy, SWP_NOZORDER);
    gui::Pump(50);
    RECT client, browser;
    ::GetClientRect(hwnd, &client);
    ::GetWindowRect(viewer->m_browser.GetSafeHwnd(), &browser);
    ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&browser), 2);
    EXPECT_EQ(browser.left, 0);
    EXPECT_EQ(browser.top, 0);
    EXPECT_EQ(browser.right, client.right) << size.cx;
    EXPECT_EQ(browser.bottom, client.bottom) << size.cy;
  }
  gui::SaveCapture(gui::CaptureWindow(hwnd), L"html_viewer_modeless");

  // Escape (Cancel) destroys it; the rectangle is stored and the main window told.
  ::SendMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(::IsWindow(hwnd));
  gui::Pump(100);
  EXPECT_EQ(main_.m_closedMessages, 1);
  EXPECT_EQ(Stored(L"Left"), 40);
  EXPECT_EQ(Stored(L"Top"), 30);
  EXPECT_EQ(Stored(L"Width"), 300);
  EXPECT_EQ(Stored(L"Height"), 200);

  // The next opening restores it; stored nonsense falls back to the defaults.
  viewer = OpenModeless(L"");
  ASSERT_NE(viewer, nullptr);
  ::GetWindowRect(viewer->GetSafeHwnd(), &window);
  EXPECT_EQ(window.left, 40);
  EXPECT_EQ(window.right - window.left, 300);
  EXPECT_EQ(BrowserText(*viewer), L"") << "an empty page";
  viewer->DestroyWindow();
  ::WritePrivateProfileStringW(L"HTMLDialog", L"Left", L"-50", ini_.c_str());
  ::WritePrivateProfileStringW(L"HTMLDialog", L"Width", L"0", ini_.c_str());
  ::WritePrivateProfileStringW(L"HTMLDialog", L"Height", L"-3", ini_.c_str());
  viewer = OpenModeless(L"x");
  ASSERT_NE(viewer, nullptr);
  ::GetWindowRect(viewer->GetSafeHwnd(), &window);
  EXPECT_EQ(window.left, 0);
  EXPECT_EQ(window.top, 30);
  EXPECT_EQ(window.right - window.left, 470);
  EXPECT_EQ(window.bottom - window.top, 350);
  viewer->DestroyWindow();
}

TEST_F(HtmlDialogTest, BytesAreWrittenAsTheyStand) {
  // An 8-bit page as a file holds it: the degree sign is byte 0xB0.
  static const BYTE bytes[] = "<p>Temperature: 20\xB0</p>";
  auto* viewer = new CHTMLDialog(&main_);
  viewer->m_pageBytes = bytes;
  viewer->m_pageByteCount = sizeof bytes - 1;
  viewer->m_pageText = L"ignored when there are bytes";
  viewer->m_modeless = 1;
  ASSERT_TRUE(viewer->Create(viewer->m_templateId, CWnd::GetDesktopWindow()));
  EXPECT_EQ(BrowserText(*viewer), L"Temperature: 20\x00B0");
  viewer->DestroyWindow();
}

// A viewer whose browser never reports its document.
class SilentViewer : public CHTMLDialog {
 public:
  using CHTMLDialog::WaitForDocument;
};

TEST_F(HtmlDialogTest, TheWaitForTheDocumentEnds) {
  SilentViewer viewer;
  viewer.m_modeless = 0;
  ASSERT_TRUE(viewer.Create(viewer.m_templateId, &main_));
  viewer.m_documentTimeoutMs = 300;
  const ULONGLONG start = ::GetTickCount64();
  EXPECT_FALSE(viewer.WaitForDocument());  // nothing was navigated
  EXPECT_LT(::GetTickCount64() - start, 5000u);
  viewer.DestroyWindow();
}

TEST(HtmlDialogPlacement, AModalReportStaysInTheWorkAreaButOnePixelPastItsEdge) {
  const RECT work = {0, 0, 1000, 700};
  const struct {
    int x, y;
    bool above;
    POINT expected;
  } cases[] = {
      {100, 100, false, {100, 100}},
      {950, 650, false, {801, 501}},  // bottom-right corner: moved left and up
      {100, 300, true, {100, 100}},
      {100, 150, true, {100, 0}},
  };
  for (const auto& c : cases) {
    const POINT at = CHTMLDialog::PlaceAtAnchor(work, 200, 200, c.x, c.y, c.above);
    EXPECT_EQ(at.x, c.expected.x) << c.x << "," << c.y;
    EXPECT_EQ(at.y, c.expected.y) << c.x << "," << c.y;
  }
}

// What a modal report shows, read from inside its modal loop; then it is cancelled.
struct ModalView {
  CHTMLDialog* dialog = nullptr;
  std::wstring caption, text;
  RECT window = {};
  bool seen = false;
};
ModalView g_modal;

TEST_F(HtmlDialogTest, AModalReportShowsItsOwnCaptionAtItsAnchor) {
  CHTMLDialog report(&main_);
  report.m_pageText = L"<b>Straight draws</b>";
  report.m_title = L"Straight draw probabilities";
  report.m_anchorX = 120;
  report.m_anchorY = 90;
  g_modal = ModalView();
  g_modal.dialog = &report;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    const HWND hwnd = g_modal.dialog ? g_modal.dialog->GetSafeHwnd() : nullptr;
    if (g_modal.seen || !hwnd || !::IsWindowVisible(hwnd)) return;
    g_modal.seen = true;
    g_modal.caption = gui::WindowText(hwnd);
    g_modal.text = BrowserText(*g_modal.dialog);
    ::GetWindowRect(hwnd, &g_modal.window);
    ::PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(report.DoModal(), IDCANCEL);
  ::KillTimer(nullptr, timer);
  EXPECT_TRUE(g_modal.seen);
  EXPECT_EQ(g_modal.caption, L"Straight draw probabilities");
  EXPECT_EQ(g_modal.text, L"Straight draws");
  EXPECT_EQ(g_modal.window.left, 120);
  EXPECT_EQ(g_modal.window.top, 90);
  EXPECT_EQ(Stored(L"Width"), -999) << "a modal report keeps no rectangle";
}

}  // namespace
