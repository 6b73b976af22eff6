// The progress dialogs as computations use them: created over a disabled owner, polled from a
// loop that pumps messages, stopped by the Stop button (real mouse input), Escape or keys, and
// deleted at the end; placement inside the work area; themed colours.
#include <gtest/gtest.h>


#include <vector>

#include "controls/app_services.h"
#include "controls/message_pump.h"
#include "controls/near_white_brush.h"
#include "controls/progress_dialog.h"
#include "controls/progress_placement.h"
#include "gui_harness.h"
#include "live_input.h"
#include "resources/resource.h"

namespace {

// The program's application object and main window: the dialogs' owner.
CWinApp g_app(L"progress test");

class MainWindow : public CWnd {
 public:
  BOOL CreateMain() {
    return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_WINDOW)),
                    L"Main window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 400, nullptr, nullptr);
  }
};

class ProgressDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
  }
  void SetUp() override {
    ASSERT_TRUE(main.CreateMain());
    g_app.m_pMainWnd = &main;
    live::BringToFront(main.m_hWnd);
  }
  void TearDown() override {
    g_app.m_pMainWnd = nullptr;
    if (main.m_hWnd) main.DestroyWindow();
    live::Pump(50);
  }
  MainWindow main;
};

CString Caption(HWND hwnd) {
  CString text;
  CWnd::FromHandle(hwnd)->GetWindowText(text);
  return text;
}

TEST_F(ProgressDialogTest, ListDialogDisablesItsOwnerAndStartsEmpty) {
  auto* dialog = new CProgressDialog(IDS_CREATING_ITEMS);
  ASSERT_TRUE(dialog->Create(&main));
  EXPECT_FALSE(main.IsWindowEnabled());
  EXPECT_EQ(dialog->m_ownerDisabled, 1);
  EXPECT_EQ(Caption(dialog->m_hWnd), CString(L"Creating items ..."));
  EXPECT_EQ(::GetWindow(dialog->m_hWnd, GW_OWNER), main.m_hWnd);
  PBRANGE range = {};
  dialog->m_progress.SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  EXPECT_EQ(range.iLow, 0);
  EXPECT_EQ(range.iHigh, 100);
  EXPECT_EQ(dialog->m_progress.GetPos(), 0);
  EXPECT_EQ(dialog->m_stopRequested, 0);
  dialog->CenterWindow();

  // What the list builders do in their loop.
  dialog->m_progress.SendMessage(PBM_SETRANGE32, 0, 200);
  dialog->m_progress.SendMessage(PBM_SETPOS, 150);
  CString status;
  status.Format(L"%0.0lf %% complete", 75.0);
  dialog->SetDlgItemText(IDC_PROGRESS_STATUS, status);
  PumpDialogMessages(dialog);
  gui::SaveCapture(gui::CaptureWindow(dialog->m_hWnd), L"progress_dialog_list");
  EXPECT_EQ(dialog->m_progress.GetPos(), 150);

  delete dialog;
  EXPECT_TRUE(main.IsWindowEnabled());
}

TEST_F(ProgressDialogTest, StopAndEscapeSetTheFlagEnterDoesNotClose) {
  auto* dialog = new CProgressDialog(IDS_CREATING_ITEMS);
  ASSERT_TRUE(dialog->Create(&main));
  HWND hwnd = dialog->m_hWnd;
  live::BringToFront(hwnd);

  // Two presses before the next poll count once.
  ::PostMessageW(::GetDlgItem(hwnd, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 1);
  ::SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hwnd, IDCANCEL)));
  PumpDialogMessages(dialog);
  EXPECT_EQ(dialog->m_stopRequested, 1);
  dialog->m_stopRequested = 0;

  ::SendMessageW(hwnd, WM_COMMAND, IDOK, 0);
  live::Key(VK_RETURN);
  PumpDialogMessages(dialog);
  EXPECT_TRUE(::IsWindowVisible(hwnd));
  delete dialog;
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_TRUE(main.IsWindowEnabled());
}

// A dialog whose window cannot be created.
class RefusedDialog : public CProgressDialog {
 public:
  RefusedDialog() : CProgressDialog(IDS_CREATING_ITEMS) {}

 protected:
  afx_msg BOOL OnNcCreate(LPCREATESTRUCT) { return FALSE; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RefusedDialog, CProgressDialog)
  ON_WM_NCCREATE()
END_MESSAGE_MAP()

TEST_F(ProgressDialogTest, AFailedCreateLeavesTheOwnerAsItWas) {
  RefusedDialog dialog;
  EXPECT_FALSE(dialog.Create(&main));
  EXPECT_TRUE(main.IsWindowEnabled());
  EXPECT_EQ(dialog.m_ownerDisabled, 0);

  // An owner that was already disabled stays disabled afterwards.
  main.EnableWindow(FALSE);
  {
    CProgressDialog other(IDS_CREATING_ITEMS);
    ASSERT_TRUE(other.Create(&main));
    EXPECT_EQ(other.m_ownerDisabled, 0);
  }
  EXPECT_FALSE(main.IsWindowEnabled());
  main.EnableWindow(TRUE);
}

TEST(ProgressPlacement, ClampKeepsTheWindowInsideTheWorkArea) {
  const CRect work(0, 0, 1280, 994);
  struct Case {
    CPoint point;
    CPoint want;
  } cases[] = {
      {{100, 100}, {100, 100}},
      {{1200, 100}, {1280 - 200, 100}},
      {{1080, 894}, {1080, 894}},  // exactly fits
      {{1081, 895}, {1080, 894}},
      {{5000, 5000}, {1080, 894}},
  };
  for (const Case& c : cases) {
    const CPoint got = ClampToWorkArea(c.point, CSize(200, 100), work);
    EXPECT_EQ(got, c.want) << c.point.x << "," << c.point.y;
  }
}

TEST_F(ProgressDialogTest, PositionsBeyondTheWorkAreaComeBackInside) {
  const CRect work = PrimaryWorkArea();
  {
    CProgressDialog dialog(IDS_CREATING_ITEMS);
    dialog.m_position = CPoint(work.right - 10, work.bottom - 10);
    ASSERT_TRUE(dialog.Create(&main));
    CRect r;
    dialog.GetWindowRect(&r);
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.bottom, work.bottom);
  }
  {
    auto* dialog = new CProgressDialogGIF;
    dialog->m_position = CPoint(300, 250);
    ASSERT_TRUE(dialog->Create());
    CRect r;
    dialog->GetWindowRect(&r);
    EXPECT_EQ(r.left, 300 - r.Width() / 2);
    EXPECT_EQ(r.top, 250 - r.Height() / 2);
    delete dialog;
  }
  {
    auto* dialog = new CProgressDialogGIF;
    dialog->m_position = CPoint(work.right + 50, work.bottom + 50);
    ASSERT_TRUE(dialog->Create());
    CRect r;
    dialog->GetWindowRect(&r);
    EXPECT_LE(r.right, work.right);
    EXPECT_LE(r.bottom, work.bottom);
    delete dialog;
  }
}

TEST_F(ProgressDialogTest, EvaluationLoopRunsUntilStopIsClicked) {
  auto* dialog = new CProgressDialogGIF;
  CRect mainRect;
  main.GetWindowRect(&mainRect);
  dialog->m_position = mainRect.CenterPoint();
  ASSERT_TRUE(dialog->Create());
  EXPECT_FALSE(main.IsWindowEnabled());
  EXPECT_EQ(Caption(dialog->m_hWnd), CString(L"Evaluating ..."));
  EXPECT_EQ(dialog->m_animation.GetFrameCount(), 12);
  CRect picture;
  dialog->m_animation.GetWindowRect(&picture);
  EXPECT_EQ(picture.Size(), CSize(32, 32));

  // The computation: work in slices, pump, poll. After a while a real mouse click on Stop is
  // queued; only the loop's own pumping delivers it.
  HWND stop = ::GetDlgItem(dialog->m_hWnd, IDCANCEL);
  CRect button;
  ::GetWindowRect(stop, &button);
  const DWORD start = ::GetTickCount();
  bool clicked = false;
  int slices = 0;
  std::vector<gui::Image> shots;
  volatile double sink = 0;
  for (;;) {
    for (int i = 0; i < 20000; ++i) sink = sink + i * 0.5;
    ++slices;
    PumpDialogMessages(dialog);
    const int stopped = dialog->m_stopRequested;
    dialog->m_stopRequested = 0;
    if (stopped) break;
    const DWORD elapsed = ::GetTickCount() - start;
    if (shots.size() < 3 && elapsed > 400 * (shots.size() + 1)) shots.push_back(gui::CaptureWindow(dialog->m_hWnd));
    if (!clicked && elapsed > 1500) {
      clicked = true;
      // Real input goes through the queue the loop pumps.
      POINT centre = {button.Width() / 2, button.Height() / 2};
      live::QueueClick(stop, centre);
    }
    ASSERT_LT(elapsed, 20000u) << "Stop never arrived";
  }
  EXPECT_TRUE(clicked);
  EXPECT_GT(slices, 10);
  ASSERT_EQ(shots.size(), 3u);
  gui::SaveCapture(shots[0], L"progress_dialog_gif_running");
  // The picture moves while the loop runs: the captures differ inside its rectangle.
  CRect inDialog = picture;
  CRect dialogRect;
  dialog->GetWindowRect(&dialogRect);
  inDialog.OffsetRect(-dialogRect.left, -dialogRect.top);
  EXPECT_GT(gui::CountDifferentPixels(shots[0], shots[2], inDialog) + gui::CountDifferentPixels(shots[0], shots[1], inDialog), 0);

  delete dialog;
  EXPECT_TRUE(main.IsWindowEnabled());
}

TEST_F(ProgressDialogTest, AQuitDuringTheComputationReachesTheLoopAfterwards) {
  auto* dialog = new CProgressDialogGIF;
  ASSERT_TRUE(dialog->Create());
  ::PostQuitMessage(3);
  for (int i = 0; i < 5; ++i) PumpDialogMessages(dialog);
  delete dialog;
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(ProgressDialogTest, ThemedColoursComeFromTheApplication) {
  AppServices services;
  RegisterAppServices(&services);
  auto* list = new CProgressDialog(IDS_CREATING_ITEMS);
  ASSERT_TRUE(list->Create(&main));
  auto* gif = new CProgressDialogGIF;
  ASSERT_TRUE(gif->Create());
  HDC dc = ::GetDC(list->m_hWnd);
  auto colour = [&](CDialog* d, int id) {
    ::SetBkMode(dc, OPAQUE);
    return reinterpret_cast<HBRUSH>(
        ::SendMessageW(d->m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(::GetDlgItem(d->m_hWnd, id))));
  };

  services.m_useBVTheme = 0;
  EXPECT_NE(colour(list, IDC_PROGRESS_STATUS), static_cast<HBRUSH>(services.m_dialogBrush.GetSafeHandle()));
  EXPECT_EQ(::GetBkMode(dc), OPAQUE);
  services.m_useBVTheme = 1;
  EXPECT_EQ(colour(list, IDC_PROGRESS_STATUS), static_cast<HBRUSH>(services.m_dialogBrush.GetSafeHandle()));
  EXPECT_EQ(::GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(colour(gif, IDC_PROGRESS_ANIMATION), static_cast<HBRUSH>(g_nearWhiteBrush.GetSafeHandle()));
  LOGBRUSH lb = {};
  ::GetObjectW(g_nearWhiteBrush.GetSafeHandle(), sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, RGB(254, 254, 254));
  ::ReleaseDC(list->m_hWnd, dc);

  // Without a theme the Stop button draws its own border.
  EXPECT_EQ(gif->m_stopButton.m_themeHelper, &services.m_themeHelper);
  EXPECT_EQ(gif->m_stopButton.m_drawBorder, services.m_themeHelper.IsAppThemed() ? 0 : 1);
  delete gif;
  delete list;
  RegisterAppServices(nullptr);
}

}  // namespace
