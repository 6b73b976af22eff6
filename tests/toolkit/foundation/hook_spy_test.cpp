// Thread hooks: the six spy lists and their hooks, real get-message, call-window-procedure and
// message-filter hooks on this thread (and not on another), and the mouse and keyboard walks
// with the default handlers' message records, driven through the hook entry.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "toolkit/foundation/hook_spy.h"
#include "toolkit/paint/paint_manager.h"

namespace {

constexpr UINT kProbe = WM_APP + 7;

// A spy that records the records it is offered, in order, with optional answers.
class RecordingSpy : public CExtHookSpy {
 public:
  explicit RecordingSpy(std::string name = "spy", std::vector<std::string>* log = nullptr, DWORD mask = 0)
      : CExtHookSpy(mask), name_(std::move(name)), log_(log ? log : &ownLog) {}
  bool FilterMessageFirst(MSG& m) override { return Note("first", m, answerFirst); }
  bool FilterMessageSecond(MSG& m) override { return Note("second", m, false); }
  bool FilterMessageLast(MSG& m) override { return Note("last", m, false); }
  bool OnWheelMessage(MSG& m) override { return Note("wheel", m, false); }
  bool OnMouseMoveMessage(MSG& m) override { return Note("move", m, false); }
  bool OnMouseClickMessage(MSG& m) override { return Note("click", m, answerOwn); }
  bool OnKeyMessage(MSG& m) override { return Note("key", m, answerOwn); }
  bool OnGetMessage(MSG& m) override {
    if (m.message != kProbe) return false;
    m.wParam = changeTo;  // the queued message itself
    return Note("get", m, false);
  }
  bool OnCallWndProcMessage(MSG& m) override { return m.message == kProbe && Note("call", m, false); }
  bool OnCallWndProcRetMessage(MSG& m) override { return m.message == kProbe && Note("ret", m, false); }
  bool HandleSysMsgFilterEvent(bool& callNext, LRESULT& result, int code, WPARAM, LPARAM lParam) override {
    filterCodes.push_back(code);
    if (lParam && reinterpret_cast<MSG*>(lParam)->message == kProbe && swallowFilter) {
      callNext = false;
      result = 1;
      return true;
    }
    return false;
  }

  bool Note(const char* what, const MSG& m, bool answer) {
    log_->push_back(name_ + ":" + what);
    records.push_back(m);
    if (onNote) onNote();
    return answer;
  }

  std::string name_;
  std::vector<std::string>* log_;
  std::vector<std::string> ownLog;
  std::vector<MSG> records;
  std::vector<int> filterCodes;
  std::function<void()> onNote;
  bool answerFirst = false;
  bool answerOwn = false;
  bool swallowFilter = false;
  WPARAM changeTo = 0;
};

LRESULT CALLBACK ProbeProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe) return static_cast<LRESULT>(wParam) + 1000;
  return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND MakeWindow() {
  static ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &ProbeProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HookSpyTestWindow";
    return ::RegisterClassW(&wc);
  }();
  (void)atom;
  return ::CreateWindowExW(0, L"HookSpyTestWindow", L"", WS_POPUP, 100, 100, 200, 150, nullptr, nullptr,
                           ::GetModuleHandleW(nullptr), nullptr);
}

// Takes this thread's probe messages from the queue the way a message loop does.
std::vector<WPARAM> DrainProbes(HWND hWnd) {
  std::vector<WPARAM> seen;
  MSG msg;
  while (::PeekMessageW(&msg, hWnd, kProbe, kProbe, PM_REMOVE)) seen.push_back(msg.wParam);
  return seen;
}

class HookSpyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hWnd = MakeWindow();
    ASSERT_NE(nullptr, hWnd);
  }
  void TearDown() override {
    ::DestroyWindow(hWnd);
    for (int i = 0; i < CExtHookSpy::kHookListCount; ++i) {
      EXPECT_EQ(0, CExtHookSpy::SpyCount(static_cast<CExtHookSpy::HookList>(i))) << i;
      EXPECT_FALSE(CExtHookSpy::IsHookInstalled(static_cast<CExtHookSpy::HookList>(i))) << i;
    }
  }
  HWND hWnd = nullptr;
};

using Log = std::vector<std::string>;

TEST_F(HookSpyTest, ListsHoldEachSpyOnceAndHooksLiveWhileTheyHaveSpies) {
  RecordingSpy a, b;
  EXPECT_TRUE(a.StartSpying(CExtHookSpy::kMouseMove));
  EXPECT_TRUE(a.StartSpying(CExtHookSpy::kMouseMove));
  EXPECT_EQ(1, CExtHookSpy::SpyCount(CExtHookSpy::kMouseList));
  EXPECT_TRUE(CExtHookSpy::IsHookInstalled(CExtHookSpy::kMouseList));
  EXPECT_EQ(WH_MOUSE, CExtHookSpy::InstalledHookKind(CExtHookSpy::kMouseList));
  b.StartSpying(CExtHookSpy::kMouseClick | CExtHookSpy::kKeys);
  EXPECT_EQ(2, CExtHookSpy::SpyCount(CExtHookSpy::kMouseList));
  EXPECT_TRUE(CExtHookSpy::IsHookInstalled(CExtHookSpy::kKeyboardList));

  a.StopSpying(CExtHookSpy::kMouseMove);
  EXPECT_FALSE(CExtHookSpy::IsSpyRegistered(&a));
  EXPECT_TRUE(CExtHookSpy::IsHookInstalled(CExtHookSpy::kMouseList));  // b still uses it
  b.StopSpying(CExtHookSpy::kMouseClick);
  EXPECT_FALSE(CExtHookSpy::IsHookInstalled(CExtHookSpy::kMouseList));
  EXPECT_TRUE(CExtHookSpy::IsSpyRegistered(&b, CExtHookSpy::kKeys));
  EXPECT_FALSE(CExtHookSpy::IsSpyRegistered(&b, CExtHookSpy::kMouseMove));

  // Filter bits stay only with an event bit; mask 0 stops everything.
  b.StartSpying(CExtHookSpy::kFilterLast);
  EXPECT_EQ(CExtHookSpy::kKeys | CExtHookSpy::kFilterLast, b.GetSpyMask());
  b.StartSpying(0);
  EXPECT_EQ(0u, b.GetSpyMask());
  a.StartSpying(CExtHookSpy::kFilterFirst);
  EXPECT_EQ(0u, a.GetSpyMask());
}

TEST_F(HookSpyTest, ConstructorStartsAtTheHead) {
  Log log;
  RecordingSpy tail("tail", &log);
  tail.StartSpying(CExtHookSpy::kKeys);
  RecordingSpy head("head", &log, CExtHookSpy::kKeys);
  bool passOn = true;
  CExtHookSpy::RunHookEvent(CExtHookSpy::kKeyboardList, HC_ACTION, 'A', 0x001E0001, &passOn);
  EXPECT_EQ((Log{"head:key", "tail:key"}), log);
  EXPECT_TRUE(passOn);
}

TEST_F(HookSpyTest, GetMessageHookSeesAndChangesThisThreadsQueueOnly) {
  RecordingSpy spy;
  spy.changeTo = 77;
  ASSERT_TRUE(spy.StartSpying(CExtHookSpy::kGetMessage));
  ::PostMessageW(hWnd, kProbe, 5, 0);
  EXPECT_EQ(std::vector<WPARAM>{77}, DrainProbes(hWnd));  // the change reached the queue
  ASSERT_EQ(1u, spy.records.size());
  EXPECT_EQ(hWnd, spy.records[0].hwnd);
  // A look without removal is not offered.
  ::PostMessageW(hWnd, kProbe, 6, 0);
  MSG peek;
  ::PeekMessageW(&peek, hWnd, kProbe, kProbe, PM_NOREMOVE);
  EXPECT_EQ(1u, spy.records.size());
  DrainProbes(hWnd);
  EXPECT_EQ(2u, spy.records.size());

  // Another thread's queue is not this thread's hook's business.
  std::vector<WPARAM> otherSeen;
  std::thread other([&] {
    HWND own = MakeWindow();
    ::PostMessageW(own, kProbe, 9, 0);
    otherSeen = DrainProbes(own);
    ::SendMessageW(own, kProbe, 9, 0);
    ::DestroyWindow(own);
  });
  other.join();
  EXPECT_EQ(std::vector<WPARAM>{9}, otherSeen);
  EXPECT_EQ(2u, spy.records.size());
}

TEST_F(HookSpyTest, CallWindowProcedureHooksSeeSentMessagesBeforeAndAfter) {
  Log log;
  RecordingSpy spy("s", &log);
  ASSERT_TRUE(spy.StartSpying(CExtHookSpy::kCallWndProc | CExtHookSpy::kCallWndProcRet));
  EXPECT_EQ(1003, ::SendMessageW(hWnd, kProbe, 3, 4));
  EXPECT_EQ((Log{"s:call", "s:ret"}), log);
  ASSERT_EQ(2u, spy.records.size());
  EXPECT_EQ(3u, spy.records[1].wParam);
  EXPECT_EQ(4, spy.records[1].lParam);

  std::thread other([&] {
    HWND own = MakeWindow();
    ::SendMessageW(own, kProbe, 1, 0);
    ::DestroyWindow(own);
  });
  other.join();
  EXPECT_EQ(2u, log.size());
}

TEST_F(HookSpyTest, MessageFilterHookIsSetForTheThreadOrReportedMissing) {
  RecordingSpy spy;
  spy.swallowFilter = true;
  // A thread cannot have the system-wide filter kind: the thread's own filter hook stands in.
  ASSERT_TRUE(spy.StartSpying(CExtHookSpy::kSysMsgFilter));
  const int kind = CExtHookSpy::InstalledHookKind(CExtHookSpy::kSysMsgFilterList);
  EXPECT_TRUE(kind == WH_MSGFILTER || kind == WH_SYSMSGFILTER) << kind;
  MSG msg{hWnd, kProbe, 0, 0, 0, {0, 0}};
  EXPECT_TRUE(::CallMsgFilterW(&msg, MSGF_DIALOGBOX));  // swallowed by the spy
  ASSERT_FALSE(spy.filterCodes.empty());
  EXPECT_EQ(MSGF_DIALOGBOX, spy.filterCodes.back());
  msg.message = WM_NULL;
  EXPECT_FALSE(::CallMsgFilterW(&msg, MSGF_DIALOGBOX));
  spy.StopSpying();
  EXPECT_FALSE(CExtHookSpy::IsHookInstalled(CExtHookSpy::kSysMsgFilterList));
}

MOUSEHOOKSTRUCTEX MouseData(HWND hWnd, int x, int y, short wheel = 0) {
  MOUSEHOOKSTRUCTEX data{};
  data.pt = {x, y};
  data.hwnd = hWnd;
  data.mouseData = static_cast<DWORD>(static_cast<WORD>(wheel)) << 16;
  return data;
}

TEST_F(HookSpyTest, MouseEventsReachOnlyTheirSubscribersWithTheRightCoordinates) {
  Log log;
  RecordingSpy client("client", &log), nonClient("nc", &log);
  client.StartSpying(CExtHookSpy::kMouseClick);
  client.ModifySpyFlags(0, CExtHookSpy::kClientCoordinates);
  nonClient.StartSpying(CExtHookSpy::kNcMouseClick);
  nonClient.ModifySpyFlags(0, CExtHookSpy::kClientCoordinates);
  POINT origin{0, 0};
  ::ClientToScreen(hWnd, &origin);

  MOUSEHOOKSTRUCTEX data = MouseData(hWnd, origin.x + 10, origin.y + 20);
  bool passOn = true;
  CExtHookSpy::RunHookEvent(CExtHookSpy::kMouseList, HC_ACTION, WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(&data),
                            &passOn);
  CExtHookSpy::RunHookEvent(CExtHookSpy::kMouseList, HC_ACTION, WM_NCLBUTTONDOWN, reinterpret_cast<LPARAM>(&data),
                            &passOn);
  CExtHookSpy::RunHookEvent(CExtHookSpy::kMouseList, HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&data),
                            &passOn);
  CExtHookSpy::RunHookEvent(CExtHookSpy::kMouseList, HC_NOREMOVE, WM_LBUTTONUP, reinterpret_cast<LPARAM>(&data),
                            &passOn);
  EXPECT_EQ((Log{"client:click", "nc:click"}), log);
  EXPECT_TRUE(passOn);
  ASSERT_EQ(1u, client.records.size());
  EXPECT_EQ(UINT(WM_LBUTTONDOWN), client.records[0].message);
  EXPECT_EQ(MAKELPARAM(10, 20), client.records[0].lParam);  // client coordinates asked for
  ASSERT_EQ(1u, nonClient.records.size());
  EXPECT_EQ(UINT(WM_NCLBUTTONDOWN), nonClient.records[0].message);
  EXPECT_EQ(MAKELPARAM(origin.x + 10, origin.y + 20), nonClient.records[0].lParam);  // screen coordinates

  // A handled click swallows the input.
  client.answerOwn = true;
  EXPECT_EQ(1, CExtHookSpy::RunHookEvent(CExtHookSpy::kMouseList, HC_ACTION, WM_RBUTTONDOWN,
                                         reinterpret_cast<LPARAM>(&data), &passOn));
  EXPECT_FALSE(passOn);
}

TEST_F(HookSpyTest, WheelEventsBecomeLineRecordsAndZeroDeltaIsSwallowed) {
  RecordingSpy spy;
  spy.StartSpying(CExtHookSpy::kMouseWheel);
  auto& holder = g_PaintManagerHolder;
  const std::uint16_t savedFlags = holder.m_osFlags;
  holder.m_osFlags |= extpaint::OsNT5OrLater;
  bool passOn = true;
  MOUSEHOOKSTRUCTEX zero = MouseData(hWnd, 150, 160, 0);
  EXPECT_EQ(1, CExtHookSpy::RunHookEvent(CExtHookSpy::kMouseList, HC_ACTION, WM_MOUSEWHEEL,
                                         reinterpret_cast<LPARAM>(&zero), &passOn));
  EXPECT_FALSE(passOn);
  EXPECT_TRUE(spy.records.empty());

  MOUSEHOOKSTRUCTEX up = MouseData(hWnd, 150, 160, WHEEL_DELTA);
  CExtHookSpy::RunHookEvent(CExtHookSpy::kMouseList, HC_ACTION, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&up), &passOn);
  EXPECT_TRUE(passOn);
  ASSERT_EQ(1u, spy.records.size());
  int lines = static_cast<int>(holder.WheelScrollLines());
  if (lines > 2) --lines;
  EXPECT_EQ(UINT(WM_MOUSEWHEEL), spy.records[0].message);
  EXPECT_EQ(-lines, static_cast<short>(HIWORD(spy.records[0].wParam)));
  EXPECT_EQ(0, LOWORD(spy.records[0].wParam));
  EXPECT_EQ(MAKELPARAM(150, 160), spy.records[0].lParam);

  // Before Windows 2000 the wheel is left to the system.
  holder.m_osFlags &= static_cast<std::uint16_t>(~extpaint::OsNT5OrLater);
  passOn = true;
  CExtHookSpy::RunHookEvent(CExtHookSpy::kMouseList, HC_ACTION, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&zero),
                            &passOn);
  EXPECT_TRUE(passOn);
  holder.m_osFlags = savedFlags;
}

TEST_F(HookSpyTest, KeyUpTransitionBitMakesAKeyUpRecordAndFiltersRunInOrder) {
  Log log;
  RecordingSpy spy("k", &log);
  spy.StartSpying(CExtHookSpy::kKeys | CExtHookSpy::kFilterFirst | CExtHookSpy::kFilterSecond |
                  CExtHookSpy::kFilterLast);
  bool passOn = true;
  const LPARAM down = MAKELPARAM(1, 0x001E);
  const LPARAM up = MAKELPARAM(1, 0xC01E);
  CExtHookSpy::RunHookEvent(CExtHookSpy::kKeyboardList, HC_ACTION, 'A', down, &passOn);
  CExtHookSpy::RunHookEvent(CExtHookSpy::kKeyboardList, HC_ACTION, 'A', up, &passOn);
  EXPECT_EQ((Log{"k:first", "k:second", "k:key", "k:last", "k:first", "k:second", "k:key", "k:last"}), log);
  ASSERT_EQ(8u, spy.records.size());
  EXPECT_EQ(UINT(WM_KEYDOWN), spy.records[2].message);
  EXPECT_EQ(UINT(WM_KEYUP), spy.records[6].message);
  EXPECT_EQ(WPARAM('A'), spy.records[6].wParam);
  EXPECT_EQ(up, spy.records[6].lParam);
  // A true answer ends the offer; the key is swallowed.
  log.clear();
  spy.answerFirst = true;
  EXPECT_EQ(1, CExtHookSpy::RunHookEvent(CExtHookSpy::kKeyboardList, HC_ACTION, 'B', down, &passOn));
  EXPECT_FALSE(passOn);
  EXPECT_EQ((Log{"k:first"}), log);
}

TEST_F(HookSpyTest, SpiesStoppingOrDestroyedDuringAWalk) {
  Log log;
  RecordingSpy a("a", &log);
  auto* b = new RecordingSpy("b", &log);
  RecordingSpy c("c", &log);
  for (RecordingSpy* s : {&a, b, &c}) s->StartSpying(CExtHookSpy::kKeys | CExtHookSpy::kFilterLast);
  a.onNote = [&] {
    if (b != nullptr) {
      delete b;  // the spy after a goes
      b = nullptr;
    }
    a.StopSpying();  // and a itself, before its last filter
  };
  bool passOn = true;
  CExtHookSpy::RunHookEvent(CExtHookSpy::kKeyboardList, HC_ACTION, 'A', 1, &passOn);
  EXPECT_EQ((Log{"a:key", "c:key", "c:last"}), log);

  // A spy that destroys itself while it is offered an event.
  log.clear();
  auto* self = new RecordingSpy("self", &log);
  self->StartSpying(CExtHookSpy::kKeys | CExtHookSpy::kFilterLast, true);
  self->onNote = [&] { delete self; };
  CExtHookSpy::RunHookEvent(CExtHookSpy::kKeyboardList, HC_ACTION, 'A', 1, &passOn);
  EXPECT_EQ((Log{"self:key", "c:key", "c:last"}), log);

  // A spy that joins again on every call cannot keep the walk going for ever.
  log.clear();
  int calls = 0;
  c.onNote = [&] {
    ++calls;
    c.StopSpying();
    c.StartSpying(CExtHookSpy::kKeys);
  };
  CExtHookSpy::RunHookEvent(CExtHookSpy::kKeyboardList, HC_ACTION, 'A', 1, &passOn);
  EXPECT_GT(calls, 1);
  EXPECT_LT(calls, 100);
  c.StopSpying();
}

}  // namespace
