// Control bars in a frame: a tool-bar-like bar and a status bar. The bar
// docks at each edge, floats into a floating frame and docks back (through
// the API and with a real mouse drag); the view gets what the bars leave;
// command states reach the bar's buttons at idle time; the status bar follows
// menu tracking and the mouse; tool tips show the tip part of the prompts;
// hidden bars give their space back.
#include <gtest/gtest.h>

#include <string>

#include "framework/afxwin.h"
#include "gui_harness.h"
#include "ui_resources.h"
#include "ui_test_util.h"

namespace {

class CBarsTestApp : public CWinApp {
 public:
  CBarsTestApp() : CWinApp(L"Bars Test") {}
};
CBarsTestApp theApp;

constexpr int kButtonWidth = 40;
constexpr int kButtonHeight = 22;
constexpr int kGap = 2;
constexpr UINT kSecondBarId = 0xE810;
const UINT kButtonIds[] = {ID_BAR_RUN, ID_BAR_STOP, ID_BAR_OPTION};
const wchar_t* const kButtonLabels[] = {L"Run", L"Stop", L"Dead"};

// A tool-bar-like bar: push buttons in a row, or in a column when docked at
// the left or right.
class CButtonBar : public CControlBar {
 public:
  int m_nButtons = 3;
  CButton m_buttons[3];

  BOOL CreateBar(CWnd* parent, UINT id, LPCTSTR title) {
    m_dwStyle = CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_FIXED;
    if (!CWnd::Create(nullptr, title, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), parent, id)) return FALSE;
    auto* font = CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    for (int i = 0; i < 3; ++i) {
      const DWORD style = WS_CHILD | WS_VISIBLE | (i == 2 ? (BS_AUTOCHECKBOX | BS_PUSHLIKE) : BS_PUSHBUTTON);
      if (!m_buttons[i].Create(kButtonLabels[i], style, CRect(0, 0, kButtonWidth, kButtonHeight), this, kButtonIds[i]))
        return FALSE;
      m_buttons[i].SetFont(font);
    }
    return TRUE;
  }

  void SetButtonCount(int n) {
    m_nButtons = n;
    for (int i = 0; i < 3; ++i) m_buttons[i].ShowWindow(i < n ? SW_SHOW : SW_HIDE);
  }

  bool Horizontal() const { return (m_dwStyle & CBRS_ORIENT_VERT) == 0; }

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override {
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);  // negative: the margins
    const int step = bHorz ? kButtonWidth : kButtonHeight;
    const int along = m_nButtons * step + (m_nButtons - 1) * kGap;
    CSize size = bHorz ? CSize(along - inside.Width(), kButtonHeight - inside.Height())
                       : CSize(kButtonWidth - inside.Width(), along - inside.Height());
    (void)bStretch;
    return size;
  }

 protected:
  afx_msg void OnSize(UINT nType, int cx, int cy) {
    CControlBar::OnSize(nType, cx, cy);
    CRect inside;
    GetClientRect(&inside);
    CalcInsideRect(inside, Horizontal());
    for (int i = 0; i < 3; ++i) {
      if (Horizontal())
        m_buttons[i].MoveWindow(inside.left + i * (kButtonWidth + kGap), inside.top, kButtonWidth, kButtonHeight);
      else
        m_buttons[i].MoveWindow(inside.left, inside.top + i * (kButtonHeight + kGap), kButtonWidth, kButtonHeight);
    }
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CButtonBar, CControlBar)
  ON_WM_SIZE()
END_MESSAGE_MAP()

class CBarsFrame : public CFrameWnd {
 public:
  CButtonBar m_bar;
  CButtonBar m_bar2;  // made by tests that need a second bar
  CStatusBar m_status;
  CWnd m_view;
  bool m_running = false;
  bool m_option = false;
  int m_runs = 0;

  CRect InClient(CWnd& wnd) {
    CRect r;
    wnd.GetWindowRect(&r);
    ScreenToClient(&r);
    return r;
  }
  CRect Client() {
    CRect r;
    GetClientRect(&r);
    return r;
  }
  CDockBar* DockBar(UINT id) { return static_cast<CDockBar*>(GetControlBar(id)); }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    if (!m_view.Create(AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)), nullptr,
                       WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST))
      return -1;
    if (!m_bar.CreateBar(this, AFX_IDW_TOOLBAR, L"Tools")) return -1;
    if (!m_status.Create(this)) return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
    m_status.SetIndicators(indicators, 3);
    m_bar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_bar);
    return 0;
  }
  afx_msg void OnRun() { ++m_runs; }
  afx_msg void OnOption() {}
  afx_msg void OnUpdateStop(CCmdUI* ui) { ui->Enable(m_running); }
  afx_msg void OnUpdateOption(CCmdUI* ui) { ui->SetCheck(m_option ? 1 : 0); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarsFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND(ID_BAR_RUN, &CBarsFrame::OnRun)
  ON_COMMAND(ID_BAR_STOP, &CBarsFrame::OnRun)
  ON_COMMAND(ID_BAR_OPTION, &CBarsFrame::OnOption)
  ON_UPDATE_COMMAND_UI(ID_BAR_STOP, &CBarsFrame::OnUpdateStop)
  ON_UPDATE_COMMAND_UI(ID_BAR_OPTION, &CBarsFrame::OnUpdateOption)
END_MESSAGE_MAP()

void Save(HWND hwnd, const wchar_t* name) { gui::SaveCapture(gui::CaptureWindow(hwnd), name); }

class BarsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new CBarsFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Bars", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(80, 60, 580, 420)));
    hFrame = frame->m_hWnd;
    theApp.m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    Settle();
  }
  void TearDown() override {
    theApp.m_pMainWnd = nullptr;
    if (::IsWindow(hFrame)) ::DestroyWindow(hFrame);
    fwtest::Pump(50);
  }
  // Idle time (delayed layouts, command states), then paint.
  void Settle() {
    theApp.OnIdle(0);
    frame->RecalcLayout();
    fwtest::Pump(60);
  }
  CFrameWnd* MiniFrame() { return frame->m_bar.IsFloating() ? frame->m_bar.GetParentFrame() : nullptr; }

  CBarsFrame* frame = nullptr;
  HWND hFrame = nullptr;
};

TEST_F(BarsTest, BarDocksAtEachEdgeAndTheViewGetsTheRest) {
  struct Case {
    UINT dockBar;
    const wchar_t* capture;
  };
  const Case cases[] = {
      {AFX_IDW_DOCKBAR_LEFT, L"bars_docked_left"},
      {AFX_IDW_DOCKBAR_RIGHT, nullptr},
      {AFX_IDW_DOCKBAR_BOTTOM, nullptr},
      {AFX_IDW_DOCKBAR_TOP, L"bars_docked_top"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dockBar);
    frame->DockControlBar(&frame->m_bar, c.dockBar);
    Settle();
    ASSERT_NE(frame->m_bar.m_pDockBar, nullptr);
    EXPECT_EQ(static_cast<UINT>(frame->m_bar.m_pDockBar->GetDlgCtrlID()), c.dockBar);
    for (UINT id = AFX_IDW_DOCKBAR_TOP; id <= AFX_IDW_DOCKBAR_BOTTOM; ++id) {
      // In one dock bar only, and no remembered place left behind.
      EXPECT_EQ(frame->DockBar(id)->FindBar(&frame->m_bar) > 0, id == c.dockBar) << id;
      EXPECT_EQ(frame->DockBar(id)->FindBar(reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(AFX_IDW_TOOLBAR))), -1);
    }
    const CRect client = frame->Client();
    const CRect bar = frame->InClient(frame->m_bar);
    const CRect status = frame->InClient(frame->m_status);
    const CRect view = frame->InClient(frame->m_view);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(status.Width(), client.Width());
    EXPECT_GT(status.Height(), 10);
    switch (c.dockBar) {
      case AFX_IDW_DOCKBAR_TOP:
        EXPECT_GT(bar.Width(), bar.Height());
        EXPECT_EQ(bar.top, 0);
        EXPECT_EQ(view, CRect(0, bar.bottom, client.right, status.top));
        break;
      case AFX_IDW_DOCKBAR_BOTTOM:
        EXPECT_GT(bar.Width(), bar.Height());
        EXPECT_EQ(bar.bottom, status.top);
        EXPECT_EQ(view, CRect(0, 0, client.right, bar.top));
        break;
      case AFX_IDW_DOCKBAR_LEFT:
        EXPECT_GT(bar.Height(), bar.Width());
        EXPECT_EQ(bar.left, 0);
        EXPECT_EQ(view, CRect(bar.right, 0, client.right, status.top));
        break;
      case AFX_IDW_DOCKBAR_RIGHT:
        EXPECT_GT(bar.Height(), bar.Width());
        EXPECT_EQ(bar.right, client.right);
        EXPECT_EQ(view, CRect(0, 0, bar.left, status.top));
        break;
    }
    if (c.capture != nullptr) Save(hFrame, c.capture);
  }
}

TEST_F(BarsTest, FloatsIntoAFloatingFrameAndDocksBack) {
  const int barHeight = frame->InClient(frame->m_bar).Height();
  CRect frameRect;
  frame->GetWindowRect(&frameRect);
  const CPoint at(frameRect.left + 140, frameRect.top + 150);
  frame->FloatControlBar(&frame->m_bar, at);
  Settle();

  ASSERT_TRUE(frame->m_bar.IsFloating());
  CFrameWnd* mini = MiniFrame();
  ASSERT_NE(mini, nullptr);
  HWND hMini = mini->m_hWnd;
  EXPECT_TRUE(mini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
  EXPECT_TRUE(mini->IsWindowVisible());
  EXPECT_EQ(::GetWindow(hMini, GW_OWNER), hFrame);
  EXPECT_EQ(gui::WindowText(hMini), L"Tools");
  CRect miniRect;
  mini->GetWindowRect(&miniRect);
  EXPECT_EQ(miniRect.TopLeft(), at);
  // The floating frame fits the bar exactly.
  CRect miniClient, barWindow;
  mini->GetClientRect(&miniClient);
  frame->m_bar.GetWindowRect(&barWindow);
  EXPECT_EQ(miniClient.Size(), barWindow.Size());
  // The top keeps the bar's place; the view takes the space back.
  CDockBar* top = frame->DockBar(AFX_IDW_DOCKBAR_TOP);
  EXPECT_EQ(top->GetDockedCount(), 0);
  EXPECT_GT(top->FindBar(reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(AFX_IDW_TOOLBAR))), 0);
  EXPECT_EQ(frame->InClient(frame->m_view).top, 0);
  Save(hFrame, L"bars_floating_frame_view");
  Save(hMini, L"bars_floating");

  frame->m_bar.m_pDockContext->ToggleDocking();
  Settle();
  EXPECT_FALSE(frame->m_bar.IsFloating());
  EXPECT_EQ(frame->m_bar.m_pDockBar, top);
  EXPECT_EQ(top->FindBar(reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(AFX_IDW_TOOLBAR))), -1);
  EXPECT_FALSE(::IsWindow(hMini));
  EXPECT_EQ(frame->InClient(frame->m_view).top, barHeight);

  // Toggling again floats it where it floated last; a double click on the
  // floating frame's caption docks it.
  frame->m_bar.m_pDockContext->ToggleDocking();
  Settle();
  mini = MiniFrame();
  ASSERT_NE(mini, nullptr);
  mini->GetWindowRect(&miniRect);
  EXPECT_EQ(miniRect.TopLeft(), at);
  hMini = mini->m_hWnd;
  ::SendMessageW(hMini, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(miniRect.left + 10, miniRect.top + 5));
  Settle();
  EXPECT_FALSE(frame->m_bar.IsFloating());
  EXPECT_FALSE(::IsWindow(hMini));
  EXPECT_EQ(frame->InClient(frame->m_view).top, barHeight);
}

TEST_F(BarsTest, MouseDragFloatsTheBarAndDocksItAtAnotherEdge) {
  gui::Pause(100);
  // From the gripper to the middle of the view.
  CRect bar;
  frame->m_bar.GetWindowRect(&bar);
  const CPoint grip(bar.left + 4, bar.top + bar.Height() / 2);
  CRect view;
  frame->m_view.GetWindowRect(&view);
  const CPoint middle = view.CenterPoint();
  HANDLE drag = gui::StartMouseDrag(grip, middle);
  ASSERT_NE(drag, nullptr);
  fwtest::PumpUntil([&] { return ::WaitForSingleObject(drag, 0) == WAIT_OBJECT_0; }, 20000);
  ::CloseHandle(drag);
  Settle();
  ASSERT_TRUE(frame->m_bar.IsFloating());
  CFrameWnd* mini = MiniFrame();
  ASSERT_NE(mini, nullptr);
  CRect miniRect;
  mini->GetWindowRect(&miniRect);
  EXPECT_TRUE(miniRect.PtInRect(middle)) << miniRect.left << "," << miniRect.top;
  EXPECT_EQ(frame->InClient(frame->m_view).top, 0);
  Save(hFrame, L"bars_dragged_out");

  // By the floating frame's caption onto the frame's left edge.
  HWND hMini = mini->m_hWnd;
  const CPoint caption(miniRect.left + 12, miniRect.top + ::GetSystemMetrics(SM_CYFIXEDFRAME) +
                                               ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
  CRect client = frame->Client();
  frame->ClientToScreen(&client);
  const CPoint leftEdge(client.left + 3, client.top + client.Height() / 2);
  drag = gui::StartMouseDrag(caption, leftEdge);
  ASSERT_NE(drag, nullptr);
  fwtest::PumpUntil([&] { return ::WaitForSingleObject(drag, 0) == WAIT_OBJECT_0; }, 20000);
  ::CloseHandle(drag);
  Settle();
  EXPECT_FALSE(frame->m_bar.IsFloating());
  EXPECT_FALSE(::IsWindow(hMini));
  ASSERT_NE(frame->m_bar.m_pDockBar, nullptr);
  EXPECT_EQ(frame->m_bar.m_pDockBar->GetDlgCtrlID(), AFX_IDW_DOCKBAR_LEFT);
  const CRect docked = frame->InClient(frame->m_bar);
  EXPECT_GT(docked.Height(), docked.Width());
  EXPECT_EQ(frame->InClient(frame->m_view).left, docked.right);
  Save(hFrame, L"bars_dragged_left");
}

TEST_F(BarsTest, CommandStatesReachTheButtonsAtIdle) {
  struct State {
    bool running;
    bool option;
  };
  for (int floating = 0; floating < 2; ++floating) {
    SCOPED_TRACE(floating ? "floating" : "docked");
    if (floating) {
      CRect r;
      frame->GetWindowRect(&r);
      frame->FloatControlBar(&frame->m_bar, CPoint(r.left + 60, r.top + 120));
      Settle();
      ASSERT_TRUE(frame->m_bar.IsFloating());
    }
    for (const State s : {State{false, true}, State{true, false}}) {
      frame->m_running = s.running;
      frame->m_option = s.option;
      theApp.OnIdle(0);
      EXPECT_TRUE(frame->m_bar.m_buttons[0].IsWindowEnabled());  // handled, no update handler
      EXPECT_EQ(frame->m_bar.m_buttons[1].IsWindowEnabled() != FALSE, s.running);
      EXPECT_EQ(frame->m_bar.m_buttons[2].SendMessage(BM_GETCHECK) == BST_CHECKED, s.option);
    }
    // A button's command reaches the frame that owns the bar.
    const int runs = frame->m_runs;
    frame->m_bar.m_buttons[0].SendMessage(BM_CLICK);
    fwtest::Pump(30);
    EXPECT_EQ(frame->m_runs, runs + 1);
  }
}

TEST_F(BarsTest, StatusTextFollowsMenuTracking) {
  HMENU menu = ::CreatePopupMenu();
  HMENU sub = ::CreatePopupMenu();
  ::AppendMenuW(menu, MF_STRING, ID_BAR_RUN, L"Run");
  ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"More");
  struct Case {
    UINT item;
    UINT flags;
    HMENU menu;
    const wchar_t* text;
  };
  const Case cases[] = {
      {ID_BAR_RUN, MF_STRING | MF_HILITE, menu, L"Run the calculation"},
      {ID_BAR_NOTIP, MF_STRING | MF_HILITE, menu, L"A prompt without a tip"},
      {1, MF_POPUP | MF_HILITE, menu, L""},
      {ID_FILE_OPEN, MF_STRING | MF_HILITE, menu, L"Open an existing document"},  // the framework's own
      {SC_CLOSE, MF_STRING | MF_HILITE | MF_SYSMENU, ::GetSystemMenu(hFrame, FALSE), L"Close the window"},
      {40999, MF_STRING | MF_HILITE, menu, L""},
      {0, 0xFFFF, nullptr, L"Ready"},  // the menu closed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(c.item, c.flags), reinterpret_cast<LPARAM>(c.menu));
    EXPECT_EQ(std::wstring(frame->m_status.GetPaneText(0).GetString()), c.text);
    EXPECT_EQ(gui::WindowText(frame->m_status.m_hWnd), c.text);
  }
  ::DestroyMenu(menu);
}

TEST_F(BarsTest, StatusTextAndToolTipFollowTheMouseOverTheBar) {
  // Fly-by: the prompt of the button under the mouse, "Ready" once it left.
  CRect stop;
  frame->m_bar.m_buttons[1].GetWindowRect(&stop);
  ::SetCursorPos(stop.CenterPoint().x, stop.CenterPoint().y);
  const LPARAM inButton = MAKELPARAM(stop.Width() / 2, stop.Height() / 2);
  EXPECT_TRUE(fwtest::PumpUntil(
      [&] {
        frame->m_bar.m_buttons[1].PostMessage(WM_MOUSEMOVE, 0, inButton);
        fwtest::Pump(20);
        return frame->m_status.GetPaneText(0) == L"Stop the calculation";
      },
      5000));
  // The tip shows the part after the line feed once the mouse rests (every
  // move starts the control's wait again): over a disabled button (the tool
  // is its rectangle in the bar) and over an enabled one (the button itself).
  struct TipCase {
    int button;
    const wchar_t* tip;
    const wchar_t* capture;
  };
  for (const TipCase& c : {TipCase{1, L"Stop", L"bars_tooltip"}, TipCase{0, L"Run", nullptr}}) {
    SCOPED_TRACE(c.button);
    CButton& button = frame->m_bar.m_buttons[c.button];
    CRect r;
    button.GetWindowRect(&r);
    ::SetCursorPos(r.CenterPoint().x, r.CenterPoint().y);
    button.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(r.Width() / 2, r.Height() / 2));
    HWND tip = nullptr;
    EXPECT_TRUE(fwtest::PumpUntil(
        [&] {
          tip = nullptr;
          ::EnumThreadWindows(
              ::GetCurrentThreadId(),
              [](HWND h, LPARAM p) -> BOOL {
                if (gui::ClassName(h) == TOOLTIPS_CLASSW && ::IsWindowVisible(h)) *reinterpret_cast<HWND*>(p) = h;
                return TRUE;
              },
              reinterpret_cast<LPARAM>(&tip));
          return tip != nullptr && gui::WindowText(tip) == c.tip;
        },
        8000));
    if (tip != nullptr && c.capture != nullptr) {
      fwtest::Pump(100);
      Save(tip, c.capture);
    }
  }

  CRect view;
  frame->m_view.GetWindowRect(&view);
  ::SetCursorPos(view.CenterPoint().x, view.CenterPoint().y);
  frame->m_view.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(view.Width() / 2, view.Height() / 2));
  EXPECT_TRUE(fwtest::PumpUntil([&] { return frame->m_status.GetPaneText(0) == L"Ready"; }, 5000));
}

TEST_F(BarsTest, ToolTipTextIsTheTipPartOfThePrompt) {
  struct Case {
    UINT_PTR id;
    UINT flags;
    const wchar_t* tip;
  };
  const Case cases[] = {
      {ID_BAR_RUN, 0, L"Run"},
      {reinterpret_cast<UINT_PTR>(frame->m_bar.m_buttons[2].m_hWnd), TTF_IDISHWND, L"Dead cards"},
      {ID_BAR_NOTIP, 0, L""},
      {ID_FILE_SAVE, 0, L"Save"},
      {40999, 0, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    for (CWnd* target : {static_cast<CWnd*>(frame), static_cast<CWnd*>(&frame->m_bar)}) {
      NMTTDISPINFOW info = {};
      info.hdr.code = TTN_GETDISPINFOW;
      info.hdr.idFrom = c.id;
      info.uFlags = c.flags;
      wcscpy(info.szText, L"stale");
      target->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
      ASSERT_NE(info.lpszText, nullptr);
      EXPECT_EQ(std::wstring(info.lpszText), c.tip);
    }
  }
}

TEST_F(BarsTest, HiddenBarsGiveTheirSpaceBack) {
  const CRect client = frame->Client();
  const int barHeight = frame->InClient(frame->m_bar).Height();
  const int statusHeight = frame->InClient(frame->m_status).Height();
  EXPECT_EQ(frame->InClient(frame->m_view), CRect(0, barHeight, client.right, client.bottom - statusHeight));

  frame->ShowControlBar(&frame->m_bar, FALSE, FALSE);
  frame->ShowControlBar(&frame->m_status, FALSE, FALSE);
  EXPECT_FALSE(frame->m_bar.IsWindowVisible());
  EXPECT_EQ(frame->InClient(frame->m_view), client);

  // A delayed show waits for idle time.
  frame->ShowControlBar(&frame->m_bar, TRUE, TRUE);
  EXPECT_FALSE(frame->m_bar.IsWindowVisible());
  EXPECT_TRUE(frame->m_bar.IsVisible());
  theApp.OnIdle(0);
  EXPECT_TRUE(frame->m_bar.IsWindowVisible());
  EXPECT_EQ(frame->InClient(frame->m_view).top, barHeight);

  // The view command shows the status bar again and its state says so.
  struct CheckProbe : CCmdUI {
    int check = -1;
    void SetCheck(int n) override { check = n; }
  };
  CheckProbe probe;
  probe.m_nID = ID_VIEW_STATUS_BAR;
  probe.DoUpdate(frame, FALSE);
  EXPECT_EQ(probe.check, 0);
  frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
  EXPECT_TRUE(frame->m_status.IsWindowVisible());
  EXPECT_EQ(frame->InClient(frame->m_view).bottom, client.bottom - statusHeight);
  probe.DoUpdate(frame, FALSE);
  EXPECT_EQ(probe.check, 1);

  // A floating bar hides with its floating frame; closing the frame hides
  // the bar, which comes back with the frame.
  CRect r;
  frame->GetWindowRect(&r);
  frame->FloatControlBar(&frame->m_bar, CPoint(r.left + 100, r.top + 100));
  Settle();
  CFrameWnd* mini = MiniFrame();
  ASSERT_NE(mini, nullptr);
  frame->ShowControlBar(&frame->m_bar, FALSE, FALSE);
  EXPECT_FALSE(mini->IsWindowVisible());
  EXPECT_TRUE(mini->IsWindow());
  frame->ShowControlBar(&frame->m_bar, TRUE, FALSE);
  EXPECT_TRUE(mini->IsWindowVisible());
  mini->SendMessage(WM_CLOSE);
  EXPECT_FALSE(frame->m_bar.IsWindowVisible());
  EXPECT_FALSE(mini->IsWindowVisible());
  frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
  EXPECT_TRUE(frame->m_bar.IsWindowVisible());
  EXPECT_TRUE(mini->IsWindowVisible());
}

TEST_F(BarsTest, FloatingFramesFollowTheirFrame) {
  CRect r;
  frame->GetWindowRect(&r);
  frame->FloatControlBar(&frame->m_bar, CPoint(r.left + 100, r.top + 100));
  Settle();
  CFrameWnd* mini = MiniFrame();
  ASSERT_NE(mini, nullptr);

  frame->ShowWindow(SW_MINIMIZE);
  EXPECT_FALSE(mini->IsWindowVisible());
  frame->ShowWindow(SW_RESTORE);
  EXPECT_TRUE(mini->IsWindowVisible());

  frame->EnableWindow(FALSE);
  EXPECT_FALSE(mini->IsWindowEnabled());
  frame->EnableWindow(TRUE);
  EXPECT_TRUE(mini->IsWindowEnabled());

  // Modal state nests: the floating frame comes back with the outermost end.
  frame->BeginModalState();
  frame->BeginModalState();
  EXPECT_TRUE(frame->InModalState());
  EXPECT_FALSE(mini->IsWindowEnabled());
  frame->EndModalState();
  EXPECT_FALSE(mini->IsWindowEnabled());
  frame->EndModalState();
  EXPECT_FALSE(frame->InModalState());
  EXPECT_TRUE(mini->IsWindowEnabled());
  frame->EndModalState();  // one too many: nothing happens
  EXPECT_FALSE(frame->InModalState());
}

TEST_F(BarsTest, StatusBarPanes) {
  CStatusBar& status = frame->m_status;
  EXPECT_EQ(status.CommandToIndex(ID_SEPARATOR), 0);
  EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_NUM), 2);
  EXPECT_EQ(status.CommandToIndex(40999), -1);
  EXPECT_EQ(status.GetItemID(2), static_cast<UINT>(ID_INDICATOR_NUM));
  for (int bad : {-1, 3, status.CommandToIndex(40999)}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(status.GetItemID(bad), 0u);
    EXPECT_FALSE(status.SetPaneText(bad, L"x"));
    EXPECT_TRUE(status.GetPaneText(bad).IsEmpty());
    CRect r(1, 2, 3, 4);
    status.GetItemRect(bad, &r);
    EXPECT_TRUE(r.IsRectEmpty());
  }
  EXPECT_EQ(status.GetPaneText(1), L"CAP");
  EXPECT_EQ(status.GetPaneText(2), L"NUM");
  CRect client, panes[3];
  status.GetClientRect(&client);
  for (int i = 0; i < 3; ++i) status.GetItemRect(i, &panes[i]);
  EXPECT_LE(panes[0].right, panes[1].left);
  EXPECT_LE(panes[1].right, panes[2].left);
  EXPECT_LE(panes[2].right, client.right);
  EXPECT_GT(panes[0].Width(), panes[1].Width());  // the message pane stretches
  EXPECT_TRUE(status.SetPaneText(0, L"Working"));
  EXPECT_EQ(gui::WindowText(status.m_hWnd), L"Working");
}

TEST_F(BarsTest, DockBarKeepsRowsAndWrapsWhatNoLongerFits) {
  ASSERT_TRUE(frame->m_bar2.CreateBar(frame, kSecondBarId, L"More tools"));
  frame->m_bar2.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&frame->m_bar2, AFX_IDW_DOCKBAR_TOP);
  Settle();
  CDockBar* top = frame->DockBar(AFX_IDW_DOCKBAR_TOP);
  const int barHeight = frame->InClient(frame->m_bar).Height();
  auto rows = [&] {
    std::wstring s;
    for (int i = 0; i < top->m_arrBars.GetSize(); ++i) {
      void* e = top->m_arrBars[i];
      s += e == nullptr ? L'|' : e == &frame->m_bar ? L'A' : e == &frame->m_bar2 ? L'B' : L'?';
    }
    return s;
  };
  EXPECT_EQ(rows(), L"|A|B|");
  EXPECT_EQ(frame->InClient(*top).Height(), 2 * barHeight);

  // Docked right of the first bar: one row, and the emptied row goes.
  CRect first;
  frame->m_bar.GetWindowRect(&first);
  CRect beside(first.right + 10, first.top, first.right + 10 + first.Width(), first.bottom);
  frame->DockControlBar(&frame->m_bar2, AFX_IDW_DOCKBAR_TOP, &beside);
  Settle();
  EXPECT_EQ(rows(), L"|AB|");
  EXPECT_EQ(frame->InClient(*top).Height(), barHeight);
  // The gap the user made stays.
  EXPECT_EQ(frame->InClient(frame->m_bar2).left, frame->InClient(frame->m_bar).right + 10);
  Save(hFrame, L"bars_one_row");

  // Too narrow for both: the second one starts a new row.
  CRect window;
  frame->GetWindowRect(&window);
  frame->SetWindowPos(nullptr, 0, 0, window.Width() - frame->Client().Width() + first.Width() + 40, window.Height(),
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Settle();
  EXPECT_EQ(rows(), L"|A|B|");
  EXPECT_EQ(frame->InClient(*top).Height(), 2 * barHeight);
  EXPECT_EQ(frame->InClient(frame->m_view).top, 2 * barHeight);
}

TEST_F(BarsTest, RecalcLayoutNotifyLaysOutFloatingFramesToo) {
  CRect r;
  frame->GetWindowRect(&r);
  frame->FloatControlBar(&frame->m_bar, CPoint(r.left + 100, r.top + 100));
  Settle();
  CFrameWnd* mini = MiniFrame();
  ASSERT_NE(mini, nullptr);
  CRect before;
  mini->GetWindowRect(&before);

  frame->m_bar.SetButtonCount(2);
  frame->RecalcLayout(FALSE);
  CRect after;
  mini->GetWindowRect(&after);
  EXPECT_EQ(after, before);
  frame->RecalcLayout(TRUE);
  mini->GetWindowRect(&after);
  EXPECT_EQ(after.Width(), before.Width() - kButtonWidth - kGap);

  // A delayed layout with notification happens at idle time.
  frame->m_bar.SetButtonCount(3);
  frame->DelayRecalcLayout(TRUE);
  EXPECT_NE(frame->m_nIdleFlags & CFrameWnd::idleLayout, 0u);
  theApp.OnIdle(0);
  EXPECT_EQ(frame->m_nIdleFlags, 0u);
  mini->GetWindowRect(&after);
  EXPECT_EQ(after.Width(), before.Width());
}

TEST_F(BarsTest, RepositionBarsQueriesMoveNothing) {
  const CRect bar = frame->InClient(frame->m_bar);
  const CRect status = frame->InClient(frame->m_status);
  const CRect view = frame->InClient(frame->m_view);

  // A query with margins: the rectangle left over, nothing moved.
  CRect small(0, 0, 300, 200);
  CRect margins(5, 6, 7, 8);
  CRect result = margins;
  frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery | CWnd::reposExtra, &result, &small);
  EXPECT_EQ(result, CRect(0, bar.Height(), 300, 200 - status.Height()));
  EXPECT_EQ(frame->InClient(frame->m_bar), bar);
  EXPECT_EQ(frame->InClient(frame->m_status), status);
  EXPECT_EQ(frame->InClient(frame->m_view), view);

  // Unstretched, a query gives the bars' total size.
  CRect total;
  frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &total, nullptr, FALSE);
  EXPECT_EQ(total, CRect(0, 0, bar.Width(), bar.Height() + status.Height()));

  // WM_SIZEPARENT without deferred moves: the bar takes its strip, stays put.
  AFX_SIZEPARENTPARAMS layout = {};
  layout.rect = CRect(0, 0, 300, 200);
  layout.bStretch = TRUE;
  frame->m_status.SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  EXPECT_EQ(CRect(layout.rect), CRect(0, 0, 300, 200 - status.Height()));
  EXPECT_EQ(layout.sizeTotal.cy, status.Height());
  EXPECT_EQ(frame->InClient(frame->m_status), status);

  // AfxRepositionWindow moves at once without deferred moves, at the end of
  // the batch with them.
  const CRect target(10, 40, 110, 90);
  AfxRepositionWindow(nullptr, frame->m_view.m_hWnd, &target);
  EXPECT_EQ(frame->InClient(frame->m_view), target);
  AFX_SIZEPARENTPARAMS batch = {};
  batch.hDWP = ::BeginDeferWindowPos(1);
  const CRect second(20, 50, 120, 100);
  AfxRepositionWindow(&batch, frame->m_view.m_hWnd, &second);
  EXPECT_EQ(frame->InClient(frame->m_view), target);
  ::EndDeferWindowPos(batch.hDWP);
  EXPECT_EQ(frame->InClient(frame->m_view), second);
}

}  // namespace
