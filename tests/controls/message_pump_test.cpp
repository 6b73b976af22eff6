// The message pump of long computations: it empties the queue for every window of the thread,
// routes dialog keys through the dialog, and leaves a quit message for the real message loop.
#include <gtest/gtest.h>

#include <vector>

#include "controls/message_pump.h"

namespace {

class Counter : public CWnd {
 public:
  BOOL CreateCounter() {
    return CreateEx(0, AfxRegisterWndClass(0), L"counter", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
  }
  LRESULT OnPing(WPARAM w, LPARAM) {
    seen.push_back(static_cast<int>(w));
    return 0;
  }
  std::vector<int> seen;
  DECLARE_MESSAGE_MAP()
};

constexpr UINT kPing = WM_APP + 7;

BEGIN_MESSAGE_MAP(Counter, CWnd)
  ON_MESSAGE(kPing, &Counter::OnPing)
END_MESSAGE_MAP()

bool QuitPending(int* code) {
  MSG msg;
  if (!::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
  *code = static_cast<int>(msg.wParam);
  return true;
}

TEST(PumpDialogMessages, DispatchesEveryWaitingMessageOfTheThread) {
  Counter a, b;
  ASSERT_TRUE(a.CreateCounter());
  ASSERT_TRUE(b.CreateCounter());
  a.PostMessage(kPing, 1);
  b.PostMessage(kPing, 2);
  a.PostMessage(kPing, 3);
  EXPECT_EQ(PumpDialogMessages(nullptr), 0);
  EXPECT_EQ(a.seen, (std::vector<int>{1, 3}));
  EXPECT_EQ(b.seen, (std::vector<int>{2}));
  a.DestroyWindow();
  b.DestroyWindow();
}

TEST(PumpDialogMessages, AQuitMessageOutlivesThePump) {
  Counter a;
  ASSERT_TRUE(a.CreateCounter());
  ::PostQuitMessage(7);
  a.PostMessage(kPing, 1);
  PumpDialogMessages(&a);
  PumpDialogMessages(&a);  // the computation pumps again
  a.PostMessage(kPing, 2);
  PumpDialogMessages(&a);
  EXPECT_EQ(a.seen, (std::vector<int>{1, 2}));
  int code = 0;
  ASSERT_TRUE(QuitPending(&code));
  EXPECT_EQ(code, 7);
  a.DestroyWindow();
}

// A dialog made from an in-memory template with a Cancel button.
struct CancelDialog {
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
      auto* self = reinterpret_cast<CancelDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
      if (self) ++self->cancels;
      return TRUE;
    }
    return msg == WM_INITDIALOG;
  }
  HWND Create() {
    alignas(4) static WORD buffer[64];
    std::fill(std::begin(buffer), std::end(buffer), 0);
    auto* dlg = reinterpret_cast<DLGTEMPLATE*>(buffer);
    dlg->style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_VISIBLE;
    dlg->cdit = 1;
    dlg->cx = 100;
    dlg->cy = 40;
    WORD* p = reinterpret_cast<WORD*>(dlg + 1);
    *p++ = 0;  // menu
    *p++ = 0;  // class
    *p++ = 0;  // title
    p = reinterpret_cast<WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR{3});
    auto* item = reinterpret_cast<DLGITEMTEMPLATE*>(p);
    item->style = WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP;
    item->x = 10;
    item->y = 10;
    item->cx = 50;
    item->cy = 14;
    item->id = IDCANCEL;
    p = reinterpret_cast<WORD*>(item + 1);
    *p++ = 0xFFFF;
    *p++ = 0x0080;  // button
    *p++ = 0;       // text
    *p++ = 0;       // creation data
    hwnd = ::CreateDialogIndirectParamW(nullptr, dlg, nullptr, &Proc, 0);
    ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    return hwnd;
  }
  HWND hwnd = nullptr;
  int cancels = 0;
};

TEST(PumpDialogMessages, EscapeReachesTheDialogAsCancel) {
  CancelDialog dialog;
  ASSERT_NE(dialog.Create(), nullptr);
  HWND button = ::GetDlgItem(dialog.hwnd, IDCANCEL);
  ::SetFocus(button);
  ::PostMessageW(button, WM_KEYDOWN, VK_ESCAPE, 1);
  PumpDialogMessages(CWnd::FromHandle(dialog.hwnd));
  EXPECT_EQ(dialog.cancels, 1);

  // Without the dialog, the key is only dispatched to the button.
  ::PostMessageW(button, WM_KEYDOWN, VK_ESCAPE, 1);
  PumpDialogMessages(nullptr);
  EXPECT_EQ(dialog.cancels, 1);
  ::DestroyWindow(dialog.hwnd);
  // A destroyed dialog is no longer asked.
  Counter a;
  ASSERT_TRUE(a.CreateCounter());
  a.PostMessage(kPing, 5);
  PumpDialogMessages(CWnd::FromHandle(dialog.hwnd));
  EXPECT_EQ(a.seen, (std::vector<int>{5}));
  a.DestroyWindow();
}

}  // namespace
