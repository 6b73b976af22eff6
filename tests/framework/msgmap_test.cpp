// Windows and message maps: dispatch, commands, reflection, command state,
// subclassing and the handle maps.
#include <gtest/gtest.h>

#include <cwctype>
#include <vector>

#include "framework/afxwin.h"
#include "test_util.h"

namespace {

constexpr UINT WM_TEST_PING = WM_APP + 1;
constexpr UINT ID_BUTTON = 1001;
constexpr UINT ID_RANGE_FIRST = 1010;
constexpr UINT ID_RANGE_LAST = 1019;
constexpr UINT ID_MENU_CMD = 32800;
constexpr UINT ID_DISABLED_CMD = 32801;
constexpr int NM_TEST = 7000;
UINT g_registeredPing = ::RegisterWindowMessageW(L"FrameworkTest.Ping");

// A top-level window that records what reaches its handlers.
class CRecordingWnd : public CWnd {
 public:
  std::vector<CString> log;
  int sizeCx = -1;
  int createCount = 0;
  BOOL createFails = FALSE;

  BOOL CreateTop() {
    return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), L"Recording", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                    nullptr);
  }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    ++createCount;
    log.push_back(L"create");
    if (createFails) return -1;
    return CWnd::OnCreate(cs);
  }
  afx_msg void OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    sizeCx = cx;
  }
  afx_msg LRESULT OnPing(WPARAM w, LPARAM l) {
    log.push_back(L"ping");
    return static_cast<LRESULT>(w + l);
  }
  afx_msg LRESULT OnRegisteredPing(WPARAM, LPARAM) { return 77; }
  afx_msg void OnButton() { log.push_back(L"button"); }
  afx_msg void OnRange(UINT id) {
    CString s;
    s.Format(L"range %u", id);
    log.push_back(s);
  }
  afx_msg void OnMenuCommand() { log.push_back(L"menu"); }
  afx_msg void OnDisabledCommand() { log.push_back(L"disabled ran"); }
  afx_msg void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
  afx_msg void OnTestNotify(NMHDR* hdr, LRESULT* result) {
    log.push_back(L"parent notify");
    *result = static_cast<LRESULT>(hdr->idFrom) + 1;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_MESSAGE(WM_TEST_PING, &CRecordingWnd::OnPing)
  ON_REGISTERED_MESSAGE(g_registeredPing, &CRecordingWnd::OnRegisteredPing)
  ON_BN_CLICKED(ID_BUTTON, &CRecordingWnd::OnButton)
  ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, &CRecordingWnd::OnRange)
  ON_COMMAND(ID_MENU_CMD, &CRecordingWnd::OnMenuCommand)
  ON_COMMAND(ID_DISABLED_CMD, &CRecordingWnd::OnDisabledCommand)
  ON_UPDATE_COMMAND_UI(ID_DISABLED_CMD, &CRecordingWnd::OnUpdateDisabled)
  ON_NOTIFY(NM_TEST, ID_BUTTON, &CRecordingWnd::OnTestNotify)
END_MESSAGE_MAP()

// A derived map: its own entries come first, the base's still apply, and an
// _EX handler can pass a command on.
class CDerivedWnd : public CRecordingWnd {
 public:
  BOOL passOn = TRUE;

 protected:
  afx_msg LRESULT OnPing(WPARAM, LPARAM) {
    log.push_back(L"derived ping");
    return -1;
  }
  afx_msg BOOL OnMenuCommandEx(UINT id) {
    CString s;
    s.Format(L"ex %u", id);
    log.push_back(s);
    return !passOn;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CRecordingWnd)
  ON_MESSAGE(WM_TEST_PING, &CDerivedWnd::OnPing)
  ON_COMMAND_EX(ID_MENU_CMD, &CDerivedWnd::OnMenuCommandEx)
END_MESSAGE_MAP()

TEST(MessageMap, DispatchesWindowMessagesAndInheritsEntries) {
  CRecordingWnd wnd;
  ASSERT_TRUE(wnd.CreateTop());
  EXPECT_EQ(wnd.createCount, 1);
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
  EXPECT_EQ(wnd.SendMessage(WM_TEST_PING, 2, 3), 5);
  EXPECT_EQ(wnd.SendMessage(g_registeredPing), 77);
  wnd.MoveWindow(0, 0, 250, 150);
  CRect client;
  wnd.GetClientRect(&client);
  EXPECT_EQ(wnd.sizeCx, client.Width());

  CDerivedWnd derived;
  ASSERT_TRUE(derived.CreateTop());
  EXPECT_EQ(derived.createCount, 1);  // from the base map
  EXPECT_EQ(derived.SendMessage(WM_TEST_PING, 2, 3), -1);
  EXPECT_EQ(derived.log.back(), L"derived ping");
  // The _EX handler returns FALSE: the base class's handler runs too.
  derived.SendMessage(WM_COMMAND, MAKEWPARAM(ID_MENU_CMD, 0), 0);
  ASSERT_GE(derived.log.size(), 2u);
  EXPECT_EQ(derived.log[derived.log.size() - 2], L"ex 32800");
  EXPECT_EQ(derived.log.back(), L"menu");
  derived.passOn = FALSE;
  derived.log.clear();
  derived.SendMessage(WM_COMMAND, MAKEWPARAM(ID_MENU_CMD, 0), 0);
  EXPECT_EQ(derived.log, (std::vector<CString>{L"ex 32800"}));
  wnd.DestroyWindow();
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
}

TEST(MessageMap, CommandsFromControlsMenusAndRanges) {
  CRecordingWnd wnd;
  ASSERT_TRUE(wnd.CreateTop());
  CWnd button;
  ASSERT_TRUE(button.Create(L"BUTTON", L"Go", WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 80, 30), &wnd, ID_BUTTON));
  button.SendMessage(BM_CLICK);
  CWnd ranged;
  ASSERT_TRUE(ranged.Create(L"BUTTON", L"R", WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 40, 80, 60), &wnd, 1013));
  ranged.SendMessage(BM_CLICK);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_MENU_CMD, 0), 0);
  // A menu command its state handler disables does not run.
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_DISABLED_CMD, 0), 0);
  EXPECT_EQ(wnd.log, (std::vector<CString>{L"create", L"button", L"range 1013", L"menu"}));
  // Command ids without a handler are not handled.
  EXPECT_FALSE(wnd.OnCmdMsg(4242, CN_COMMAND, nullptr, nullptr));
  AFX_CMDHANDLERINFO info = {};
  EXPECT_TRUE(wnd.OnCmdMsg(ID_MENU_CMD, CN_COMMAND, nullptr, &info));
  EXPECT_EQ(info.pTarget, &wnd);
  EXPECT_EQ(wnd.log.size(), 4u);  // asking does not run it
}

// A control that handles its own notifications before the parent does.
class CReflectingButton : public CWnd {
 public:
  BOOL passClickToParent = TRUE;
  int clicks = 0;
  int notifies = 0;
  HBRUSH brush = nullptr;
  int drawn = 0;

 protected:
  afx_msg BOOL OnClicked() {
    ++clicks;
    return !passClickToParent;
  }
  afx_msg void OnNotifyReflect(NMHDR*, LRESULT* result) {
    ++notifies;
    *result = 99;
  }
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) {
    EXPECT_NE(pDC, nullptr);
    EXPECT_EQ(nCtlColor, static_cast<UINT>(CTLCOLOR_BTN));
    return brush;
  }
  afx_msg void DrawItem(LPDRAWITEMSTRUCT dis) {
    ++drawn;
    ::FillRect(dis->hDC, &dis->rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CWnd)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, &CReflectingButton::OnClicked)
  ON_NOTIFY_REFLECT(NM_TEST, &CReflectingButton::OnNotifyReflect)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

// A parent whose colour handler takes the framework's brush first, as the
// program's dialogs do.
class CColourParent : public CRecordingWnd {
 public:
  HBRUSH own = reinterpret_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));

 protected:
  // Controls that colour themselves keep the base brush, the rest get ours.
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    HBRUSH base = CRecordingWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    if (pWnd != nullptr && pWnd->GetDlgCtrlID() == static_cast<int>(ID_BUTTON)) return base;
    return own;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourParent, CRecordingWnd)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST(Reflection, ControlsHandleTheirOwnNotificationsFirst) {
  CColourParent parent;
  ASSERT_TRUE(parent.CreateTop());
  CReflectingButton button;
  ASSERT_TRUE(button.Create(L"BUTTON", L"Go", WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 80, 30), &parent, ID_BUTTON));

  // _EX returning FALSE: both the button and the parent see the click.
  button.SendMessage(BM_CLICK);
  EXPECT_EQ(button.clicks, 1);
  EXPECT_EQ(parent.log.back(), L"button");
  // TRUE: the parent does not.
  button.passClickToParent = FALSE;
  parent.log.clear();
  button.SendMessage(BM_CLICK);
  EXPECT_EQ(button.clicks, 2);
  EXPECT_TRUE(parent.log.empty());

  // A reflected notification does not reach the parent; its result comes back.
  NMHDR hdr = {button.m_hWnd, ID_BUTTON, static_cast<UINT>(NM_TEST)};
  EXPECT_EQ(parent.SendMessage(WM_NOTIFY, ID_BUTTON, reinterpret_cast<LPARAM>(&hdr)), 99);
  EXPECT_EQ(button.notifies, 1);
  EXPECT_TRUE(parent.log.empty());
  // From a window that is not an object the parent's handler runs.
  CWnd* temp = CWnd::FromHandle(::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, parent.m_hWnd, nullptr,
                                                  nullptr, nullptr));
  NMHDR other = {temp->m_hWnd, ID_BUTTON, static_cast<UINT>(NM_TEST)};
  EXPECT_EQ(parent.SendMessage(WM_NOTIFY, ID_BUTTON, reinterpret_cast<LPARAM>(&other)), ID_BUTTON + 1);
  EXPECT_EQ(parent.log.back(), L"parent notify");

  // Colours: the control's brush comes back through the parent's base
  // handler; a control answering with no brush gets the default colours.
  CClientDC dc(&button);
  auto ctlColor = [&](CWnd& control) {
    return parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(control.m_hWnd));
  };
  button.brush = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(ctlColor(button), reinterpret_cast<LRESULT>(button.brush));
  button.brush = nullptr;
  LRESULT standard = ::DefWindowProcW(parent.m_hWnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.m_hDC),
                                      reinterpret_cast<LPARAM>(button.m_hWnd));
  EXPECT_EQ(ctlColor(button), standard);
  EXPECT_EQ(ctlColor(*temp), reinterpret_cast<LRESULT>(parent.own));
  temp->DestroyWindow();
}

TEST(Reflection, OwnerDrawnControlsDrawThemselves) {
  CRecordingWnd parent;
  ASSERT_TRUE(parent.CreateTop());
  parent.ShowWindow(SW_SHOWNA);
  CReflectingButton button;
  ASSERT_TRUE(
      button.Create(L"BUTTON", L"", WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 60, 40), &parent, ID_BUTTON));
  button.RedrawWindow();
  EXPECT_GE(button.drawn, 1);
  CClientDC dc(&button);
  EXPECT_EQ(dc.GetPixel(20, 20), RGB(0, 0, 0));
}

// Command state of a dialog's controls, asked of a command target.
class CStateTarget : public CCmdTarget {
 public:
  int asked = 0;

 protected:
  afx_msg void OnUpdateFirst(CCmdUI* ui) {
    ++asked;
    ui->Enable(FALSE);
    ui->SetText(L"Renamed");
  }
  afx_msg void OnUpdateRange(CCmdUI* ui) {
    ++asked;
    ui->SetCheck(ui->m_nID == ID_RANGE_FIRST + 1 ? 1 : 0);
  }
  afx_msg void OnUpdatePassOn(CCmdUI* ui) {
    ++asked;
    ui->ContinueRouting();
  }
  afx_msg void OnHandled() {}
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStateTarget, CCmdTarget)
  ON_UPDATE_COMMAND_UI(ID_BUTTON, &CStateTarget::OnUpdateFirst)
  ON_UPDATE_COMMAND_UI_RANGE(ID_RANGE_FIRST, ID_RANGE_FIRST + 1, &CStateTarget::OnUpdateRange)
  ON_UPDATE_COMMAND_UI(ID_MENU_CMD, &CStateTarget::OnUpdatePassOn)
  ON_COMMAND(ID_MENU_CMD, &CStateTarget::OnHandled)
END_MESSAGE_MAP()

TEST(CommandUpdate, UpdatesControlsAndMenuItems) {
  CRecordingWnd parent;
  ASSERT_TRUE(parent.CreateTop());
  CWnd first, checkA, checkB, noHandler, noHandlerCheck;
  ASSERT_TRUE(first.Create(L"BUTTON", L"First", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, ID_BUTTON));
  ASSERT_TRUE(checkA.Create(L"BUTTON", L"A", WS_VISIBLE | BS_CHECKBOX, CRect(0, 20, 50, 40), &parent, ID_RANGE_FIRST));
  ASSERT_TRUE(checkB.Create(L"BUTTON", L"B", WS_VISIBLE | BS_CHECKBOX, CRect(0, 40, 50, 60), &parent, ID_RANGE_FIRST + 1));
  ASSERT_TRUE(noHandler.Create(L"BUTTON", L"N", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 60, 50, 80), &parent, 1100));
  ASSERT_TRUE(noHandlerCheck.Create(L"BUTTON", L"C", WS_VISIBLE | BS_CHECKBOX, CRect(0, 80, 50, 100), &parent, 1101));
  CStateTarget target;
  parent.UpdateDialogControls(&target, TRUE);
  EXPECT_FALSE(first.IsWindowEnabled());
  CString text;
  first.GetWindowText(text);
  EXPECT_EQ(text, L"Renamed");
  EXPECT_EQ(checkA.SendMessage(BM_GETCHECK), BST_UNCHECKED);
  EXPECT_EQ(checkB.SendMessage(BM_GETCHECK), BST_CHECKED);
  // Without any handler a push button is disabled, other controls are not.
  EXPECT_FALSE(noHandler.IsWindowEnabled());
  EXPECT_TRUE(noHandlerCheck.IsWindowEnabled());
  EXPECT_EQ(target.asked, 3);

  // Menu items.
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, ID_BUTTON, L"First");
  menu.AppendMenu(MF_STRING, ID_RANGE_FIRST + 1, L"Second");
  menu.AppendMenu(MF_STRING, 4000, L"Unhandled");
  for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndex = i;
    state.m_nIndexMax = menu.GetMenuItemCount();
    state.m_nID = menu.GetMenuItemID(static_cast<int>(i));
    state.DoUpdate(&target, TRUE);
  }
  EXPECT_TRUE(menu.GetMenuState(ID_BUTTON, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(menu.GetMenuState(ID_RANGE_FIRST + 1, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(menu.GetMenuState(4000, MF_BYCOMMAND) & MF_GRAYED);
  CString label;
  menu.GetMenuString(0, label, MF_BYPOSITION);
  EXPECT_EQ(label, L"Renamed");

  // A handler that continues routing counts as none; the command handler
  // then keeps the item enabled.
  CCmdUI passOn;
  passOn.m_pMenu = &menu;
  passOn.m_nIndex = 2;
  passOn.m_nID = ID_MENU_CMD;
  EXPECT_FALSE(passOn.DoUpdate(&target, TRUE));
  EXPECT_FALSE(menu.GetMenuState(4000, MF_BYCOMMAND) & MF_GRAYED);
}

// A subclassing object over an existing edit control.
class CUpperEdit : public CWnd {
 public:
  int chars = 0;
  int preSubclassed = 0;

 protected:
  void PreSubclassWindow() override { ++preSubclassed; }
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    ++chars;
    // Change the message, then let the edit's own procedure handle it.
    DefWindowProc(WM_CHAR, ::towupper(static_cast<wint_t>(nChar)), MAKELPARAM(nRepCnt, nFlags));
  }
  afx_msg void OnSizing(UINT side, LPRECT rect) { CWnd::OnSizing(side, rect); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpperEdit, CWnd)
  ON_WM_CHAR()
  ON_WM_SIZING()
END_MESSAGE_MAP()

LRESULT CALLBACK AnswerSizing(HWND hWnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_SIZING) return 42;
  return ::DefWindowProcW(hWnd, msg, w, l);
}

TEST(Subclassing, HooksAndUnhooksAnExistingWindow) {
  CRecordingWnd parent;
  ASSERT_TRUE(parent.CreateTop());
  HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.m_hWnd,
                                reinterpret_cast<HMENU>(1200), nullptr, nullptr);
  ASSERT_NE(edit, nullptr);
  auto original = ::GetWindowLongPtrW(edit, GWLP_WNDPROC);
  CUpperEdit upper;
  ASSERT_TRUE(upper.SubclassDlgItem(1200, &parent));
  EXPECT_EQ(upper.preSubclassed, 1);
  EXPECT_EQ(upper.m_hWnd, edit);
  EXPECT_EQ(CWnd::FromHandlePermanent(edit), &upper);
  ::SendMessageW(edit, WM_CHAR, L'a', 1);
  ::SendMessageW(edit, WM_CHAR, L'h', 1);
  CString text;
  upper.GetWindowText(text);
  EXPECT_EQ(text, L"AH");
  EXPECT_EQ(upper.chars, 2);
  // A second object cannot take the same window.
  CWnd other;
  EXPECT_FALSE(other.SubclassWindow(edit));

  EXPECT_EQ(upper.UnsubclassWindow(), edit);
  EXPECT_EQ(::GetWindowLongPtrW(edit, GWLP_WNDPROC), original);
  EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
  ::SendMessageW(edit, WM_CHAR, L'x', 1);
  CWnd::FromHandle(edit)->GetWindowText(text);
  EXPECT_EQ(text, L"AHx");
  EXPECT_EQ(upper.chars, 2);

  // Subclassed again, the default processing of a handler without a result
  // gives the original procedure's answer.
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &AnswerSizing;
  wc.hInstance = AfxGetInstanceHandle();
  wc.lpszClassName = L"FwTestAnswerSizing";
  AfxRegisterClass(&wc);
  HWND answering = ::CreateWindowExW(0, L"FwTestAnswerSizing", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     nullptr, nullptr);
  CUpperEdit sizing;
  ASSERT_TRUE(sizing.SubclassWindow(answering));
  RECT r = {0, 0, 10, 10};
  EXPECT_EQ(::SendMessageW(answering, WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&r)), 42);
  // Destroying the window detaches the object.
  ::DestroyWindow(answering);
  EXPECT_EQ(sizing.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(answering), nullptr);
}

class CSelfDeletingWnd : public CWnd {
 public:
  explicit CSelfDeletingWnd(bool* deleted) : m_deleted(deleted) {}
  ~CSelfDeletingWnd() override { *m_deleted = true; }

 protected:
  void PostNcDestroy() override { delete this; }
  bool* m_deleted;
};

TEST(Lifecycle, HeapWindowsDeleteThemselvesAndFailedCreationsCleanUp) {
  bool deleted = false;
  auto* wnd = new CSelfDeletingWnd(&deleted);
  ASSERT_TRUE(wnd->CreateEx(0, nullptr, L"heap", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  HWND h = wnd->m_hWnd;
  ::DestroyWindow(h);
  EXPECT_TRUE(deleted);
  EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);

  // Creation refused by OnCreate: no window, the object is detached.
  CRecordingWnd refusing;
  refusing.createFails = TRUE;
  EXPECT_FALSE(refusing.CreateTop());
  EXPECT_EQ(refusing.m_hWnd, nullptr);
  EXPECT_EQ(refusing.createCount, 1);

  // An unknown class: PostNcDestroy still runs so heap objects are freed.
  deleted = false;
  auto* orphan = new CSelfDeletingWnd(&deleted);
  EXPECT_FALSE(orphan->CreateEx(0, L"NoSuchWindowClass", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
  EXPECT_TRUE(deleted);

  // An object destroyed first destroys its window.
  HWND owned;
  {
    CRecordingWnd scoped;
    ASSERT_TRUE(scoped.CreateTop());
    owned = scoped.m_hWnd;
  }
  EXPECT_FALSE(::IsWindow(owned));
}

TEST(HandleMaps, TemporaryWrappersLiveUntilTheMapIsCleared) {
  HWND raw = ::CreateWindowExW(0, L"STATIC", L"raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  CWnd* temp = CWnd::FromHandle(raw);
  ASSERT_NE(temp, nullptr);
  EXPECT_EQ(temp->m_hWnd, raw);
  EXPECT_EQ(CWnd::FromHandle(raw), temp);
  EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
  EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
  CWnd::DeleteTempMap();
  EXPECT_TRUE(::IsWindow(raw));  // clearing never destroys the window
  CWnd permanent;
  ASSERT_TRUE(permanent.Attach(raw));
  EXPECT_EQ(CWnd::FromHandle(raw), &permanent);
  EXPECT_EQ(permanent.Detach(), raw);
  ::DestroyWindow(raw);
  CWnd* nothing = nullptr;
  EXPECT_EQ(nothing->GetSafeHwnd(), nullptr);
}

// PreTranslateMessage: offered from the target window up to the stop window.
class CFilteringWnd : public CRecordingWnd {
 public:
  BOOL swallow = FALSE;
  int seen = 0;
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_KEYDOWN) ++seen;
    return swallow && pMsg->message == WM_KEYDOWN;
  }
};

TEST(PreTranslate, WalksFromTheTargetUpToTheStopWindow) {
  CFilteringWnd parent;
  ASSERT_TRUE(parent.CreateTop());
  CFilteringWnd child;
  ASSERT_TRUE(child.CreateEx(0, nullptr, L"child", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent.m_hWnd, nullptr));
  MSG msg = {child.m_hWnd, WM_KEYDOWN, VK_F10, 0, 0, {0, 0}};
  EXPECT_FALSE(CWnd::WalkPreTranslateTree(parent.m_hWnd, &msg));
  EXPECT_EQ(child.seen, 1);
  EXPECT_EQ(parent.seen, 1);
  child.swallow = TRUE;
  EXPECT_TRUE(CWnd::WalkPreTranslateTree(parent.m_hWnd, &msg));
  EXPECT_EQ(parent.seen, 1);  // the child took it
  // The walk stops at the stop window.
  child.swallow = FALSE;
  EXPECT_FALSE(CWnd::WalkPreTranslateTree(child.m_hWnd, &msg));
  EXPECT_EQ(parent.seen, 1);

  // A thread's pump offers posted messages to the chain before dispatching.
  CWinThread thread;
  parent.swallow = TRUE;
  ::PostMessageW(child.m_hWnd, WM_KEYDOWN, VK_F10, 0);
  EXPECT_TRUE(thread.PumpMessage());
  EXPECT_EQ(parent.seen, 2);
}

TEST(Windows, GeometryOwnersAndDescendants) {
  CRecordingWnd top;
  ASSERT_TRUE(top.CreateTop());
  CWnd child;
  ASSERT_TRUE(child.Create(L"STATIC", L"x", WS_VISIBLE, CRect(10, 20, 30, 40), &top, 1500));
  CWnd grandChild;
  ASSERT_TRUE(grandChild.Create(L"STATIC", L"y", WS_VISIBLE, CRect(1, 1, 5, 5), &child, 1501));
  EXPECT_EQ(top.GetDescendantWindow(1501), &grandChild);
  EXPECT_EQ(grandChild.GetTopLevelParent(), &top);
  EXPECT_EQ(grandChild.GetParent(), &child);
  EXPECT_EQ(child.GetDlgCtrlID(), 1500);
  EXPECT_EQ(top.GetDlgItem(1500), &child);
  CRect r;
  child.GetWindowRect(&r);
  top.ScreenToClient(&r);
  EXPECT_EQ(r, CRect(10, 20, 30, 40));
  EXPECT_EQ(CWnd::GetSafeOwner(&grandChild), &top);  // a child cannot own a pop-up
  top.SetDlgItemText(1500, L"renamed");
  CString text;
  top.GetDlgItemText(1500, text);
  EXPECT_EQ(text, L"renamed");
  EXPECT_TRUE(top.ModifyStyle(0, WS_CLIPCHILDREN));
  EXPECT_TRUE(top.GetStyle() & WS_CLIPCHILDREN);
  EXPECT_FALSE(top.ModifyStyle(0, WS_CLIPCHILDREN));
  child.CenterWindow();
  child.GetWindowRect(&r);
  top.ScreenToClient(&r);
  CRect client;
  top.GetClientRect(&client);
  EXPECT_NEAR(r.CenterPoint().x, client.CenterPoint().x, 1);
}

}  // namespace
