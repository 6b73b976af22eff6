// Window-procedure hook chains on real windows: order of the sinks, answering and changing
// messages, the saved procedure coming back, destruction of the window, and sinks that leave
// the chain (or are destroyed) while it is offering a message.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/foundation/hook_chains.h"

namespace {

constexpr UINT kProbe = WM_APP + 1;

// The window's own procedure records what reaches it.
std::vector<std::string>* g_log = nullptr;
std::vector<WPARAM> g_ownParams;

LRESULT CALLBACK OwnProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe) {
    if (g_log) g_log->push_back("window");
    g_ownParams.push_back(wParam);
    return 42;
  }
  if (message == WM_NCDESTROY && g_log) g_log->push_back("window:ncdestroy");
  return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND MakeWindow() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &OwnProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HookChainTestWindow";
    ::RegisterClassW(&wc);
    registered = true;
  }
  return ::CreateWindowExW(0, L"HookChainTestWindow", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                           ::GetModuleHandleW(nullptr), nullptr);
}

// A sink that logs and runs an optional action on the probe message.
class LogSink : public CExtHookSink {
 public:
  LogSink(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
  bool FilterMessage(LRESULT& result, HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam) override {
    if (message != kProbe) return CExtHookSink::FilterMessage(result, hWnd, message, wParam, lParam);
    log_.push_back(name_);
    if (onFilter) return onFilter(result, wParam);
    return false;
  }
  void OnMessageProcessed(LRESULT& result, HWND, UINT message, WPARAM, LPARAM) override {
    if (message != kProbe) return;
    log_.push_back(name_ + ":after");
    seenResult = result;
  }
  void OnWindowDestroyed(HWND) override { log_.push_back(name_ + ":destroyed"); }
  void OnAttached(HWND) override { log_.push_back(name_ + ":attached"); }
  void OnDetached(HWND) override { log_.push_back(name_ + ":detached"); }
  bool IsAutoDelete() const override { return autoDelete; }

  std::function<bool(LRESULT&, WPARAM&)> onFilter;
  LRESULT seenResult = 0;
  bool autoDelete = false;
  std::string name_;
  std::vector<std::string>& log_;
};

class HookChainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_log = &log;
    g_ownParams.clear();
    hWnd = MakeWindow();
    ASSERT_NE(nullptr, hWnd);
  }
  void TearDown() override {
    if (::IsWindow(hWnd)) ::DestroyWindow(hWnd);
    g_log = nullptr;
    EXPECT_EQ(0, CExtHookSink::ChainCount());
  }
  LRESULT Probe(WPARAM wParam = 0) { return ::SendMessageW(hWnd, kProbe, wParam, 0); }
  WNDPROC CurrentProc() const { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)); }

  std::vector<std::string> log;
  HWND hWnd = nullptr;
};

using Log = std::vector<std::string>;

TEST_F(HookChainTest, SinksSeeMessagesInAttachOrderAndHeadFirst) {
  LogSink a("a", log), b("b", log), c("c", log);
  EXPECT_TRUE(a.SetWindowAttachment(hWnd));
  EXPECT_TRUE(b.SetWindowAttachment(hWnd));
  EXPECT_TRUE(c.SetWindowAttachment(hWnd, false, true));
  EXPECT_TRUE(a.SetWindowAttachment(hWnd));  // once only
  log.clear();
  EXPECT_EQ(42, Probe());
  EXPECT_EQ((Log{"c", "a", "b", "window", "c:after", "a:after", "b:after"}), log);
  EXPECT_EQ(42, a.seenResult);
  EXPECT_TRUE(b.IsAttachedTo(hWnd));
  EXPECT_EQ(3u, CExtHookSink::GetChainSinks(hWnd).size());
}

TEST_F(HookChainTest, AnsweringSinkHidesTheMessageAndChangedParametersReachTheWindow) {
  LogSink a("a", log), b("b", log), c("c", log);
  a.SetWindowAttachment(hWnd);
  b.SetWindowAttachment(hWnd);
  c.SetWindowAttachment(hWnd);
  b.onFilter = [](LRESULT& result, WPARAM& wParam) {
    if (wParam == 1) {
      result = 7;
      return true;
    }
    wParam = 99;
    return false;
  };
  log.clear();
  EXPECT_EQ(7, Probe(1));
  EXPECT_EQ((Log{"a", "b"}), log);  // neither c, nor the window, nor after-notices
  log.clear();
  EXPECT_EQ(42, Probe(2));
  ASSERT_EQ(1u, g_ownParams.size());
  EXPECT_EQ(99u, g_ownParams[0]);
}

TEST_F(HookChainTest, DispatchByMessageRoutesPaintToItsOperation) {
  struct PaintSink : CExtHookSink {
    PaintSink() : CExtHookSink(true) {}
    bool OnPaintMessage(LRESULT& result, HWND hWnd, WPARAM) override {
      ++paints;
      PAINTSTRUCT ps;
      ::BeginPaint(hWnd, &ps);
      ::EndPaint(hWnd, &ps);
      result = 0;
      return true;
    }
    bool OnCommandMessage(LRESULT& result, HWND, WORD code, WORD id, LPARAM) override {
      commands.push_back(MAKELONG(id, code));
      result = 5;
      return true;
    }
    int paints = 0;
    std::vector<LONG> commands;
  } sink;
  LogSink watcher("w", log);
  sink.SetWindowAttachment(hWnd);
  watcher.SetWindowAttachment(hWnd);
  ::SendMessageW(hWnd, WM_PAINT, 0, 0);
  EXPECT_EQ(1, sink.paints);
  EXPECT_EQ(5, ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(300, 2), 0));
  EXPECT_EQ(std::vector<LONG>{MAKELONG(300, 2)}, sink.commands);
  // Without the flag the base answers nothing.
  struct Plain : CExtHookSink {
  } plain;
  LRESULT r = 0;
  WPARAM w = 0;
  LPARAM l = 0;
  EXPECT_FALSE(plain.FilterMessage(r, hWnd, WM_PAINT, w, l));
}

TEST_F(HookChainTest, LastSinkLeavingPutsTheSavedProcedureBack) {
  const WNDPROC own = CurrentProc();
  LogSink a("a", log), b("b", log);
  a.SetWindowAttachment(hWnd);
  b.SetWindowAttachment(hWnd);
  EXPECT_NE(own, CurrentProc());
  EXPECT_TRUE(a.SetWindowAttachment(hWnd, true));
  EXPECT_NE(own, CurrentProc());
  EXPECT_TRUE(b.SetWindowAttachment(hWnd, true));
  EXPECT_EQ(own, CurrentProc());
  EXPECT_FALSE(CExtHookSink::HasChain(hWnd));
  EXPECT_TRUE(a.SetWindowAttachment(hWnd, true));  // nothing to detach: still true
  EXPECT_FALSE(a.SetWindowAttachment(nullptr));
  EXPECT_FALSE(a.SetWindowAttachment(reinterpret_cast<HWND>(0x7FFF0000)));
  EXPECT_EQ((Log{"a:attached", "b:attached", "a:detached", "b:detached"}), log);
}

TEST_F(HookChainTest, CallOriginalReachesTheSavedProcedureDuringProcessing) {
  LogSink a("a", log);
  a.SetWindowAttachment(hWnd);
  a.onFilter = [&](LRESULT& result, WPARAM& wParam) {
    if (wParam != 3) return false;
    result = a.CallOriginalWithParams(8, 0) + a.CallOriginalUnchanged();
    return true;
  };
  EXPECT_EQ(84, Probe(3));
  EXPECT_EQ((std::vector<WPARAM>{8, 3}), g_ownParams);
  EXPECT_EQ(0, a.CallOriginalUnchanged());  // outside processing: nothing to call
}

TEST_F(HookChainTest, WindowDestructionEndsTheChain) {
  LogSink a("a", log), b("b", log);
  a.SetWindowAttachment(hWnd);
  b.SetWindowAttachment(hWnd);
  log.clear();
  ::DestroyWindow(hWnd);
  EXPECT_EQ((Log{"a:destroyed", "b:destroyed", "window:ncdestroy"}), log);
  EXPECT_FALSE(CExtHookSink::HasChain(hWnd));
  EXPECT_FALSE(a.IsAttachedTo(hWnd));
  EXPECT_TRUE(a.SetWindowAttachment(hWnd, true));  // the window is gone: still fine
}

TEST_F(HookChainTest, SinkEndingDestroyNoticesKeepsThemFromLaterSinksAndTheWindow) {
  struct Ender : LogSink {
    using LogSink::LogSink;
  };
  LogSink a("a", log);
  Ender e("e", log);
  LogSink c("c", log);
  e.ModifySinkFlags(0, CExtHookSink::kEndsDestroyNotices);
  a.SetWindowAttachment(hWnd);
  e.SetWindowAttachment(hWnd);
  c.SetWindowAttachment(hWnd);
  log.clear();
  ::DestroyWindow(hWnd);
  EXPECT_EQ((Log{"a:destroyed"}), log);
  EXPECT_FALSE(CExtHookSink::HasChain(hWnd));
}

TEST_F(HookChainTest, AutoDeleteSinksGoWithTheirChain) {
  int deleted = 0;
  struct Owned : LogSink {
    Owned(std::vector<std::string>& log, int& d) : LogSink("o", log), deleted(d) { autoDelete = true; }
    ~Owned() override { ++deleted; }
    int& deleted;
  };
  (new Owned(log, deleted))->SetWindowAttachment(hWnd);
  auto* detached = new Owned(log, deleted);
  detached->SetWindowAttachment(hWnd);
  detached->SetWindowAttachment(hWnd, true);  // leaving deletes it
  EXPECT_EQ(1, deleted);
  ::DestroyWindow(hWnd);
  EXPECT_EQ(2, deleted);
}

// ---- Sinks leaving the chain while it offers a message ----

TEST_F(HookChainTest, SinkRemovingItselfAndAnotherDuringDispatch) {
  LogSink a("a", log), b("b", log), c("c", log), d("d", log);
  for (LogSink* s : {&a, &b, &c, &d}) s->SetWindowAttachment(hWnd);
  b.onFilter = [&](LRESULT&, WPARAM&) {
    b.SetWindowAttachment(hWnd, true);  // itself
    c.SetWindowAttachment(hWnd, true);  // the next one
    return false;
  };
  log.clear();
  EXPECT_EQ(42, Probe());
  // The remaining sinks still get the message, each once; the removed ones nothing more.
  EXPECT_EQ((Log{"a", "b", "b:detached", "c:detached", "d", "window", "a:after", "d:after"}), log);
  log.clear();
  Probe();
  EXPECT_EQ((Log{"a", "d", "window", "a:after", "d:after"}), log);
}

TEST_F(HookChainTest, SinkDestroyedDuringDispatchIsNotCalledAgain) {
  LogSink a("a", log);
  auto* b = new LogSink("b", log);
  LogSink c("c", log);
  a.SetWindowAttachment(hWnd);
  b->SetWindowAttachment(hWnd);
  c.SetWindowAttachment(hWnd);
  a.onFilter = [&](LRESULT&, WPARAM&) {
    delete b;  // leaves without being detached
    b = nullptr;
    return false;
  };
  log.clear();
  EXPECT_EQ(42, Probe());
  EXPECT_EQ((Log{"a", "c", "window", "a:after", "c:after"}), log);
}

TEST_F(HookChainTest, EveryoneLeavingDuringDispatchLetsTheWindowAnswer) {
  const WNDPROC own = CurrentProc();
  LogSink a("a", log), b("b", log);
  a.SetWindowAttachment(hWnd);
  b.SetWindowAttachment(hWnd);
  a.onFilter = [&](LRESULT&, WPARAM&) {
    a.SetWindowAttachment(hWnd, true);
    b.SetWindowAttachment(hWnd, true);  // the chain ends inside its own offer
    return false;
  };
  log.clear();
  EXPECT_EQ(42, Probe());
  EXPECT_EQ((Log{"a", "a:detached", "b:detached", "window"}), log);
  EXPECT_EQ(own, CurrentProc());
  EXPECT_FALSE(CExtHookSink::HasChain(hWnd));
}

TEST_F(HookChainTest, SinkJoiningDuringDispatchWaitsForTheNextMessage) {
  LogSink a("a", log), b("b", log), late("late", log), head("head", log);
  a.SetWindowAttachment(hWnd);
  b.SetWindowAttachment(hWnd);
  a.onFilter = [&](LRESULT&, WPARAM& wParam) {
    if (wParam == 1) {
      late.SetWindowAttachment(hWnd);
      head.SetWindowAttachment(hWnd, false, true);
    }
    return false;
  };
  log.clear();
  Probe(1);
  EXPECT_EQ((Log{"a", "late:attached", "head:attached", "b", "window", "a:after", "b:after"}), log);
  log.clear();
  Probe(2);
  EXPECT_EQ((Log{"head", "a", "b", "late", "window", "head:after", "a:after", "b:after", "late:after"}), log);
}

TEST_F(HookChainTest, NestedMessageSentFromAHandler) {
  LogSink a("a", log), b("b", log);
  a.SetWindowAttachment(hWnd);
  b.SetWindowAttachment(hWnd);
  a.onFilter = [&](LRESULT&, WPARAM& wParam) {
    if (wParam == 1) {
      b.SetWindowAttachment(hWnd, true);  // while the outer offer stands at a
      EXPECT_EQ(42, ::SendMessageW(hWnd, kProbe, 2, 0));
      EXPECT_EQ(42, a.CallOriginalUnchanged());  // the outer message again: wParam 1
    }
    return false;
  };
  log.clear();
  Probe(1);
  EXPECT_EQ((Log{"a", "b:detached", "a", "window", "a:after", "window", "window", "a:after"}), log);
  EXPECT_EQ((std::vector<WPARAM>{2, 1, 1}), g_ownParams);
}

TEST_F(HookChainTest, WindowDestroyedByASinkWhileHooked) {
  LogSink a("a", log), b("b", log);
  a.SetWindowAttachment(hWnd);
  b.SetWindowAttachment(hWnd);
  a.onFilter = [&](LRESULT& result, WPARAM&) {
    ::DestroyWindow(hWnd);
    result = 1;
    return true;
  };
  log.clear();
  EXPECT_EQ(1, Probe());
  EXPECT_FALSE(::IsWindow(hWnd));
  EXPECT_EQ((Log{"a", "a:destroyed", "b:destroyed", "window:ncdestroy"}), log);
  EXPECT_FALSE(CExtHookSink::HasChain(hWnd));
}

TEST_F(HookChainTest, SinkDestroyedWhileAttachedLeavesTheChainRunning) {
  auto* a = new LogSink("a", log);
  LogSink b("b", log);
  a->SetWindowAttachment(hWnd);
  b.SetWindowAttachment(hWnd);
  delete a;
  log.clear();
  Probe();
  EXPECT_EQ((Log{"b", "window", "b:after"}), log);
  auto* last = new LogSink("last", log);
  b.SetWindowAttachment(hWnd, true);
  last->SetWindowAttachment(hWnd);
  delete last;  // the chain runs on with no sink
  log.clear();
  EXPECT_EQ(42, Probe());
  EXPECT_EQ((Log{"window"}), log);
}

WNDPROC g_below = nullptr;
LRESULT CALLBACK OnTopProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcW(g_below, hWnd, message, wParam, lParam);
}

TEST_F(HookChainTest, ChainUnderAnotherSubclassStaysAsAPassThrough) {
  LogSink a("a", log);
  a.SetWindowAttachment(hWnd);
  g_below = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OnTopProc)));
  a.SetWindowAttachment(hWnd, true);
  // Putting the saved procedure back would cut the later subclass off: the chain stays, empty.
  EXPECT_EQ(reinterpret_cast<WNDPROC>(&OnTopProc), CurrentProc());
  EXPECT_TRUE(CExtHookSink::GetChainSinks(hWnd).empty());
  log.clear();
  EXPECT_EQ(42, Probe());
  EXPECT_EQ((Log{"window"}), log);
  a.SetWindowAttachment(hWnd);  // joins the same chain again
  log.clear();
  Probe();
  EXPECT_EQ((Log{"a", "window", "a:after"}), log);
  a.SetWindowAttachment(hWnd, true);
  ::DestroyWindow(hWnd);  // the window's end removes the chain
}

TEST_F(HookChainTest, DetachFromAllWindowsAndCollect) {
  HWND second = MakeWindow();
  LogSink a("a", log);
  a.SetWindowAttachment(hWnd);
  a.SetWindowAttachment(second);
  std::vector<HWND> windows;
  a.CollectAttachedWindows(windows);
  EXPECT_EQ(2u, windows.size());
  a.DetachFromAllWindows();
  a.CollectAttachedWindows(windows);
  EXPECT_TRUE(windows.empty());
  EXPECT_FALSE(CExtHookSink::HasChain(second));
  ::DestroyWindow(second);
}

}  // namespace
