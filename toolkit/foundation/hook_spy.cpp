#include "toolkit/foundation/hook_spy.h"

#include <exception>
#include <iterator>
#include <list>
#include <set>

#include "framework/afxwin.h"
#include "framework/fwinternal.h"
#include "toolkit/paint/paint_manager.h"

namespace {

struct SpyHookList {
  std::list<CExtHookSpy*> spies;         // call order
  std::set<const CExtHookSpy*> members;  // which spies are in the list
  HHOOK hook = nullptr;
  int hookKind = 0;
  // Counts every change of the list: a walk that sees it move after a call starts again at the
  // head (its noted next spy may be gone). A count rather than a flag, so that a walk nested in
  // a handler cannot hide a change from the walk around it.
  unsigned generation = 0;
  DWORD listMask = 0;
};

// A walk that keeps restarting (a handler that re-subscribes on every call) ends after this
// many restarts rather than running for ever.
constexpr int kMaxRestarts = 64;

SpyHookList* Lists() {
  static auto* lists = [] {
    auto* l = new SpyHookList[CExtHookSpy::kHookListCount];
    const DWORD masks[] = {0x1F, 0x20, 0x40, 0x80, 0x100, 0x200};
    for (int i = 0; i < CExtHookSpy::kHookListCount; ++i) l[i].listMask = masks[i];
    return l;
  }();
  return lists;
}

template <CExtHookSpy::HookList kList>
LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) {
  bool passOn = true;
  LRESULT result = 0;
  try {
    result = CExtHookSpy::RunHookEvent(kList, code, wParam, lParam, &passOn);
  } catch (CException* e) {
    fw::detail::ReportBoundaryException(e, nullptr);
    e->Delete();
    passOn = true;
  } catch (const std::exception& e) {
    fw::detail::ReportBoundaryException(e.what(), nullptr);
    passOn = true;
  } catch (...) {
    fw::detail::ReportBoundaryException("unknown exception", nullptr);
    passOn = true;
  }
  return passOn ? ::CallNextHookEx(nullptr, code, wParam, lParam) : result;
}

// Installs the list's system hook for the current thread. A thread cannot have a message
// filter hook of the system kind (it is global only): the thread's own WH_MSGFILTER, which
// sees the dialog, menu and scroll loops of this thread, stands in for it.
bool InstallHook(CExtHookSpy::HookList list) {
  SpyHookList& l = Lists()[list];
  static const int kinds[] = {WH_MOUSE, WH_KEYBOARD, WH_GETMESSAGE, WH_SYSMSGFILTER, WH_CALLWNDPROC,
                              WH_CALLWNDPROCRET};
  static const HOOKPROC procs[] = {&HookProc<CExtHookSpy::kMouseList>,      &HookProc<CExtHookSpy::kKeyboardList>,
                                   &HookProc<CExtHookSpy::kGetMessageList>, &HookProc<CExtHookSpy::kSysMsgFilterList>,
                                   &HookProc<CExtHookSpy::kCallWndProcList>,
                                   &HookProc<CExtHookSpy::kCallWndProcRetList>};
  const DWORD thread = ::GetCurrentThreadId();
  l.hookKind = kinds[list];
  l.hook = ::SetWindowsHookExW(l.hookKind, procs[list], nullptr, thread);
  if (l.hook == nullptr && list == CExtHookSpy::kSysMsgFilterList) {
    l.hookKind = WH_MSGFILTER;
    l.hook = ::SetWindowsHookExW(l.hookKind, procs[list], nullptr, thread);
  }
  if (l.hook == nullptr) l.hookKind = 0;
  return l.hook != nullptr;
}

void RemoveHook(SpyHookList& l) {
  if (l.hook != nullptr) ::UnhookWindowsHookEx(l.hook);
  l.hook = nullptr;
  l.hookKind = 0;
}

// Offers an event to the spies of a list that have one of bits; call returns true to end the
// walk. True when a call ended it.
template <typename Call>
bool WalkList(SpyHookList& l, DWORD bits, Call call) {
  int restarts = 0;
  auto it = l.spies.begin();
  while (it != l.spies.end()) {
    CExtHookSpy* spy = *it;
    auto next = std::next(it);
    const unsigned generation = l.generation;
    if ((spy->GetSpyMask() & bits) != 0 && call(spy)) return true;
    if (l.generation != generation) {
      if (++restarts > kMaxRestarts) return false;
      it = l.spies.begin();
      continue;
    }
    it = next;
  }
  return false;
}

bool IsClientMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }

}  // namespace

CExtHookSpy::CExtHookSpy(DWORD mask) {
  if (mask != 0) StartSpying(mask, true);
}

CExtHookSpy::~CExtHookSpy() { StopSpying(kAll); }

bool CExtHookSpy::IsHookInstalled(HookList list) { return list >= 0 && list < kHookListCount && Lists()[list].hook; }

int CExtHookSpy::InstalledHookKind(HookList list) {
  return list >= 0 && list < kHookListCount ? Lists()[list].hookKind : 0;
}

INT_PTR CExtHookSpy::SpyCount(HookList list) {
  return list >= 0 && list < kHookListCount ? static_cast<INT_PTR>(Lists()[list].spies.size()) : 0;
}

bool CExtHookSpy::IsSpyRegistered(const CExtHookSpy* spy, DWORD mask) {
  if (spy == nullptr || mask == 0) return false;
  for (int i = 0; i < kHookListCount; ++i) {
    const SpyHookList& l = Lists()[i];
    if ((l.listMask & mask) != 0 && l.members.count(spy) != 0) return true;
  }
  return false;
}

bool CExtHookSpy::StartSpying(DWORD mask, bool atHead) {
  if (mask == 0) {
    StopSpying(kAll);
    return true;
  }
  bool allSet = true;
  for (int i = 0; i < kHookListCount; ++i) {
    SpyHookList& l = Lists()[i];
    const DWORD bits = l.listMask & mask;
    if (bits == 0) continue;
    if (l.members.count(this) == 0) {
      if (l.spies.empty() && l.hook == nullptr && !InstallHook(static_cast<HookList>(i))) {
        allSet = false;  // the spy cannot hear this kind: it stays out of the list
        continue;
      }
      if (atHead) l.spies.push_front(this);
      else l.spies.push_back(this);
      l.members.insert(this);
      ++l.generation;
    }
    m_mask |= bits;
  }
  if (m_mask & kEventBits) m_mask |= mask & (kFilterFirst | kFilterSecond | kFilterLast);
  return allSet;
}

void CExtHookSpy::StopSpying(DWORD mask) {
  for (int i = 0; i < kHookListCount; ++i) {
    SpyHookList& l = Lists()[i];
    const DWORD bits = l.listMask & mask & m_mask;
    if (bits == 0) continue;
    m_mask &= ~bits;
    if ((m_mask & l.listMask) != 0) continue;
    if (l.members.erase(this) != 0) {
      l.spies.remove(this);
      ++l.generation;
    }
    if (l.spies.empty()) RemoveHook(l);
  }
  if ((m_mask & kEventBits) == 0) m_mask &= ~(mask & (kFilterFirst | kFilterSecond | kFilterLast));
}

LRESULT CExtHookSpy::RunHookEvent(HookList list, int code, WPARAM wParam, LPARAM lParam, bool* passOn) {
  *passOn = true;
  if (list < 0 || list >= kHookListCount) return 0;
  SpyHookList& l = Lists()[list];
  switch (list) {
    case kMouseList: {
      if (code != HC_ACTION || lParam == 0) return 0;
      const auto* data = reinterpret_cast<const MOUSEHOOKSTRUCTEX*>(lParam);
      const UINT message = static_cast<UINT>(wParam);
      DWORD need = 0;
      if (message == WM_MOUSEMOVE) need = kMouseMove;
      else if (message == WM_NCMOUSEMOVE) need = kNcMouseMove;
      else if (message >= 0x201 && message <= 0x209) need = kMouseClick;
      else if (message >= 0xA1 && message <= 0xA9) need = kNcMouseClick;
      else if (message == WM_MOUSEWHEEL) need = kMouseWheel;
      else return 0;
      const bool swallowed = WalkList(l, need, [&](CExtHookSpy* spy) {
        POINT pt = data->pt;
        if ((spy->m_flags & kClientCoordinates) && IsClientMouseMessage(message) && data->hwnd != nullptr)
          ::ScreenToClient(data->hwnd, &pt);
        if (need == kMouseWheel) return spy->HandleWheelEvent(wParam, data);
        if (need == kMouseMove || need == kNcMouseMove) return spy->HandleMouseMoveEvent(data->hwnd, 0, pt.x, pt.y);
        return spy->HandleMouseClickEvent(data->hwnd, message, 0, pt.x, pt.y);
      });
      if (!swallowed) return 0;
      *passOn = false;
      return 1;
    }
    case kKeyboardList: {
      if (code != HC_ACTION) return 0;
      const bool swallowed = WalkList(l, kKeys, [&](CExtHookSpy* spy) {
        return spy->HandleKeyEvent(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      });
      if (!swallowed) return 0;
      *passOn = false;
      return 1;
    }
    default: {
      static const DWORD bits[] = {0, 0, kGetMessage, kSysMsgFilter, kCallWndProc, kCallWndProcRet};
      LRESULT answer = 0;
      bool callNext = true;
      WalkList(l, bits[list], [&](CExtHookSpy* spy) {
        callNext = true;
        answer = 0;
        bool handled = false;
        switch (list) {
          case kGetMessageList: handled = spy->HandleGetMessageEvent(callNext, answer, code, wParam, lParam); break;
          case kSysMsgFilterList: handled = spy->HandleSysMsgFilterEvent(callNext, answer, code, wParam, lParam); break;
          case kCallWndProcList:
            handled = spy->HandleCallWndProcEvent(callNext, answer, code, wParam ? 1 : 0, lParam);
            break;
          default: handled = spy->HandleCallWndProcRetEvent(callNext, answer, code, wParam ? 1 : 0, lParam); break;
        }
        if (!handled) callNext = true;
        return handled;
      });
      if (callNext) return 0;
      *passOn = false;
      return answer;
    }
  }
}

bool CExtHookSpy::OfferRecord(MSG& msg, bool (CExtHookSpy::*handler)(MSG&)) {
  // Handlers may stop spying or destroy the spy: the registration is checked (by address only)
  // before the spy's own fields are read again.
  const DWORD mask = m_mask;
  if (mask & kFilterFirst) {
    if (FilterMessageFirst(msg)) return true;
    if (!IsSpyRegistered(this)) return false;
  }
  if (mask & kFilterSecond) {
    if (FilterMessageSecond(msg)) return true;
    if (!IsSpyRegistered(this)) return false;
  }
  if ((this->*handler)(msg)) return true;
  if (!IsSpyRegistered(this)) return false;
  return (m_mask & kFilterLast) != 0 && FilterMessageLast(msg);
}

bool CExtHookSpy::HandleWheelEvent(WPARAM /*wParam*/, const MOUSEHOOKSTRUCTEX* data) {
  if (data == nullptr || !g_PaintManagerHolder.HasOs(extpaint::OsNT5OrLater)) return false;
  const short delta = static_cast<short>(HIWORD(data->mouseData));
  if (delta == 0) return true;
  int lines = static_cast<int>(g_PaintManagerHolder.WheelScrollLines());
  if (lines > 2) --lines;
  if (delta > 0) lines = -lines;
  MSG msg{data->hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(lines)),
          MAKELPARAM(static_cast<WORD>(data->pt.x), static_cast<WORD>(data->pt.y)), 0, {0, 0}};
  return OfferRecord(msg, &CExtHookSpy::OnWheelMessage);
}

bool CExtHookSpy::HandleMouseMoveEvent(HWND hWnd, WPARAM wParam, int /*x*/, int /*y*/) {
  if (hWnd == nullptr || !::IsWindow(hWnd)) return false;
  POINT pt{};
  if (!::GetCursorPos(&pt)) return false;
  ::ScreenToClient(hWnd, &pt);
  MSG msg{hWnd, WM_MOUSEMOVE, wParam, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)), 0, pt};
  return OfferRecord(msg, &CExtHookSpy::OnMouseMoveMessage);
}

bool CExtHookSpy::HandleMouseClickEvent(HWND hWnd, UINT message, WPARAM wParam, int x, int y) {
  POINT pt{x, y};
  if (hWnd != nullptr) ::ScreenToClient(hWnd, &pt);
  MSG msg{hWnd, message, wParam, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)), 0, pt};
  return OfferRecord(msg, &CExtHookSpy::OnMouseClickMessage);
}

bool CExtHookSpy::HandleKeyEvent(UINT virtualKey, WORD repeatCount, WORD keyFlags) {
  MSG msg{::GetFocus(), static_cast<UINT>((keyFlags & 0x8000) ? WM_KEYUP : WM_KEYDOWN), virtualKey,
          MAKELPARAM(repeatCount, keyFlags), 0, {0, 0}};
  return OfferRecord(msg, &CExtHookSpy::OnKeyMessage);
}

bool CExtHookSpy::HandleGetMessageEvent(bool& callNext, LRESULT& /*result*/, int code, WPARAM wParam, LPARAM lParam) {
  if (code != HC_ACTION || wParam != PM_REMOVE || lParam == 0) return false;
  MSG& msg = *reinterpret_cast<MSG*>(lParam);  // handlers change the queued message itself
  if (!OfferRecord(msg, &CExtHookSpy::OnGetMessage)) return false;
  callNext = false;
  return true;
}

bool CExtHookSpy::HandleSysMsgFilterEvent(bool& /*callNext*/, LRESULT& /*result*/, int /*code*/, WPARAM /*wParam*/,
                                          LPARAM /*lParam*/) {
  return false;
}

bool CExtHookSpy::HandleCallWndProcEvent(bool& /*callNext*/, LRESULT& /*result*/, int code, WPARAM /*wParam*/,
                                         LPARAM lParam) {
  if (code != HC_ACTION || lParam == 0) return false;
  const auto* data = reinterpret_cast<const CWPSTRUCT*>(lParam);
  MSG msg{data->hwnd, data->message, data->wParam, data->lParam, 0, {0, 0}};
  return OfferRecord(msg, &CExtHookSpy::OnCallWndProcMessage);
}

bool CExtHookSpy::HandleCallWndProcRetEvent(bool& /*callNext*/, LRESULT& /*result*/, int code, WPARAM /*wParam*/,
                                            LPARAM lParam) {
  if (code != HC_ACTION || lParam == 0) return false;
  const auto* data = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  MSG msg{data->hwnd, data->message, data->wParam, data->lParam, 0, {0, 0}};
  return OfferRecord(msg, &CExtHookSpy::OnCallWndProcRetMessage);
}
