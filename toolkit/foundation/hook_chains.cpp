#include "toolkit/foundation/hook_chains.h"

#include <algorithm>
#include <exception>
#include <map>

#include "framework/afxwin.h"
#include "framework/fwinternal.h"

// One running offer of a message to a chain's sinks: the position of the sink being called and
// the end of the range. Sinks that join or leave the chain move both, so the offer neither
// skips a sink that stays nor calls one twice.
struct OfferCursor {
  int pos = 0;
  int end = 0;
  OfferCursor* outer = nullptr;
};

struct CExtHookSink::HookChains_t {
  BYTE flags = 0;  // 0x1: the window's procedure never receives WM_NCDESTROY, no sink is told
  HookSinkArray_t sinks;
  HWND hWnd = nullptr;
  WNDPROC savedProc = nullptr;

  OfferCursor* offers = nullptr;  // running offers, innermost first
  int busy = 0;                   // window procedure calls running on this chain
  bool retired = false;           // out of the map; freed when the last call returns

  int IndexOf(const CExtHookSink* sink) const {
    for (std::size_t i = 0; i < sinks.size(); ++i)
      if (sinks[i] == sink) return static_cast<int>(i);
    return -1;
  }
  void Insert(int at, CExtHookSink* sink) {
    sinks.insert(sinks.begin() + at, sink);
    for (OfferCursor* c = offers; c != nullptr; c = c->outer) {
      if (at <= c->pos) ++c->pos;
      if (at < c->end) ++c->end;
    }
  }
  void RemoveAt(int at) {
    sinks.erase(sinks.begin() + at);
    for (OfferCursor* c = offers; c != nullptr; c = c->outer) {
      if (at < c->end) --c->end;
      if (at <= c->pos) --c->pos;
    }
  }
  void Clear() {
    sinks.clear();
    for (OfferCursor* c = offers; c != nullptr; c = c->outer) c->pos = c->end = 0;
  }
};

namespace {

using Chain = CExtHookSink::HookChains_t;

// g_HookChains: every hooked window's chain. Never destroyed: windows may still be hooked
// while the program's statics go away.
std::map<HWND, Chain*>& HookChains() {
  static auto* chains = new std::map<HWND, Chain*>;
  return *chains;
}

Chain* FindChain(HWND hWnd) {
  auto& chains = HookChains();
  auto it = chains.find(hWnd);
  return it == chains.end() ? nullptr : it->second;
}

// The message this thread's chain procedure is processing, for the CallOriginal operations.
struct CurrentMessage {
  MSG msg{};
  WNDPROC savedProc = nullptr;
};
thread_local CurrentMessage t_current;

LRESULT CALLBACK ChainWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

void FreeChainWhenIdle(Chain* chain) {
  if (chain->busy > 0) chain->retired = true;
  else delete chain;
}

// Ends a chain: deletes its auto-delete sinks, puts the saved procedure back and forgets the
// chain. When another procedure was installed over the chain's, the chain cannot step out of
// the window's way: it stays, empty, passing every message on, until the window ends.
void DestroyChain(Chain* chain, bool windowEnding) {
  CExtHookSink::HookSinkArray_t sinks = chain->sinks;
  chain->Clear();
  for (CExtHookSink* sink : sinks)
    if (sink->IsAutoDelete()) delete sink;
  const bool ours = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(chain->hWnd, GWLP_WNDPROC)) == &ChainWindowProc;
  if (!ours && !windowEnding && ::IsWindow(chain->hWnd)) return;
  if (ours) ::SetWindowLongPtrW(chain->hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->savedProc));
  auto& chains = HookChains();
  auto it = chains.find(chain->hWnd);
  if (it != chains.end() && it->second == chain) chains.erase(it);
  FreeChainWhenIdle(chain);
}

struct BusyGuard {
  explicit BusyGuard(Chain* c) : chain(c) { ++chain->busy; }
  ~BusyGuard() {
    if (--chain->busy == 0 && chain->retired) delete chain;
  }
  Chain* chain;
};

struct OfferGuard {
  OfferGuard(Chain* c, int end) : chain(c) {
    cursor.end = end;
    cursor.outer = chain->offers;
    chain->offers = &cursor;
  }
  ~OfferGuard() { chain->offers = cursor.outer; }
  Chain* chain;
  OfferCursor cursor;
};

LRESULT DispatchChainMessage(Chain* chain, UINT message, WPARAM& wParam, LPARAM& lParam) {
  BusyGuard busy(chain);
  const HWND hWnd = chain->hWnd;
  OfferGuard offer(chain, static_cast<int>(chain->sinks.size()));
  OfferCursor& c = offer.cursor;
  // The sinks offered the message get the after-notice; sinks that joined meanwhile do not.
  // Compared by address only: a sink that left may be gone.
  std::vector<const CExtHookSink*> offered;
  bool skip = (chain->flags & 0x1) != 0;
  for (c.pos = 0; c.pos < c.end; ++c.pos) {
    CExtHookSink* sink = chain->sinks[static_cast<std::size_t>(c.pos)];
    offered.push_back(sink);
    if (message != WM_NCDESTROY) {
      LRESULT result = 0;
      if (sink->FilterMessage(result, hWnd, message, wParam, lParam)) return result;
    } else if (!skip) {
      if (sink->GetSinkFlags() & CExtHookSink::kEndsDestroyNotices) skip = true;
      else sink->OnWindowDestroyed(hWnd);
    }
  }
  const WNDPROC savedProc = chain->savedProc;
  if (message == WM_NCDESTROY) {
    if (!chain->retired) DestroyChain(chain, true);
    if (skip) return 0;
  }
  LRESULT result = ::CallWindowProcW(savedProc, hWnd, message, wParam, lParam);
  if (chain->retired || !::IsWindow(hWnd) || FindChain(hWnd) != chain) return result;
  c.end = static_cast<int>(chain->sinks.size());
  for (c.pos = 0; c.pos < c.end; ++c.pos) {
    if (!::IsWindow(hWnd) || FindChain(hWnd) != chain) break;
    CExtHookSink* sink = chain->sinks[static_cast<std::size_t>(c.pos)];
    if (sink != nullptr && std::find(offered.begin(), offered.end(), sink) != offered.end())
      sink->OnMessageProcessed(result, hWnd, message, wParam, lParam);
  }
  return result;
}

LRESULT CALLBACK ChainWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const CurrentMessage saved = t_current;
  t_current.msg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
  LRESULT result = 0;
  try {
    if (Chain* chain = FindChain(hWnd)) {
      t_current.savedProc = chain->savedProc;
      result = DispatchChainMessage(chain, message, wParam, lParam);
    }
  } catch (CException* e) {
    fw::detail::ReportBoundaryException(e, &t_current.msg);
    e->Delete();
  } catch (const std::exception& e) {
    fw::detail::ReportBoundaryException(e.what(), &t_current.msg);
  } catch (...) {
    fw::detail::ReportBoundaryException("unknown exception", &t_current.msg);
  }
  if (message == WM_NCDESTROY || !::IsWindow(hWnd)) {
    if (Chain* chain = FindChain(hWnd)) DestroyChain(chain, true);
  }
  t_current = saved;
  return result;
}

}  // namespace

CExtHookSink::CExtHookSink(bool dispatchByMessage) : m_flags(dispatchByMessage ? kDispatchByMessage : 0) {}

CExtHookSink::~CExtHookSink() {
  if (m_pAlive != nullptr) *m_pAlive = false;
  for (auto& [hWnd, chain] : HookChains()) {
    const int at = chain->IndexOf(this);
    if (at >= 0) chain->RemoveAt(at);
  }
}

LRESULT CExtHookSink::CallOriginalWithParams(WPARAM wParam, LPARAM lParam) {
  return CallOriginalWithMessage(t_current.msg.message, wParam, lParam);
}

LRESULT CExtHookSink::CallOriginalWithMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (t_current.savedProc == nullptr || t_current.msg.hwnd == nullptr) return 0;
  return ::CallWindowProcW(t_current.savedProc, t_current.msg.hwnd, message, wParam, lParam);
}

LRESULT CExtHookSink::CallOriginalUnchanged() {
  return CallOriginalWithMessage(t_current.msg.message, t_current.msg.wParam, t_current.msg.lParam);
}

bool CExtHookSink::FilterMessage(LRESULT& result, HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam) {
  if (!(m_flags & kDispatchByMessage)) return false;
  switch (message) {
    case WM_PAINT: return OnPaintMessage(result, hWnd, wParam);
    case WM_ERASEBKGND: return OnEraseBackgroundMessage(result, hWnd, wParam);
    case WM_NOTIFY: return OnNotifyMessage(result, hWnd, wParam, lParam);
    case WM_NCPAINT: return OnNcPaintMessage(result, hWnd, wParam);
    case WM_COMMAND: return OnCommandMessage(result, hWnd, HIWORD(wParam), LOWORD(wParam), lParam);
    case WM_PRINT:
    case WM_PRINTCLIENT: return OnPrintMessage(result, hWnd, wParam);
    default: return false;
  }
}

bool CExtHookSink::SetWindowAttachment(HWND hWnd, bool detach, bool atHead) {
  if (!detach) {
    if (hWnd == nullptr || !::IsWindow(hWnd)) return false;
    Chain* chain = FindChain(hWnd);
    if (chain == nullptr) {
      chain = new Chain;
      chain->hWnd = hWnd;
      chain->savedProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
      if (chain->savedProc == nullptr) {
        delete chain;
        return false;
      }
      // A window of another process cannot be subclassed: the attachment fails.
      ::SetLastError(0);
      if (::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainWindowProc)) == 0 &&
          ::GetLastError() != 0) {
        delete chain;
        return false;
      }
      HookChains()[hWnd] = chain;
    }
    if (chain->IndexOf(this) >= 0) return true;
    chain->Insert(atHead ? 0 : static_cast<int>(chain->sinks.size()), this);
    OnAttached(hWnd);
    return true;
  }
  Chain* chain = FindChain(hWnd);
  if (chain == nullptr || chain->IndexOf(this) < 0) return true;
  OnDetached(hWnd);
  const int at = chain->IndexOf(this);  // OnDetached may have changed the chain
  if (at >= 0) chain->RemoveAt(at);
  if (chain->sinks.empty() && FindChain(hWnd) == chain) DestroyChain(chain, false);
  if (at >= 0 && IsAutoDelete()) delete this;
  return true;
}

void CExtHookSink::DetachFromAllWindows() {
  std::vector<HWND> windows;
  CollectAttachedWindows(windows);
  bool alive = true;
  m_pAlive = &alive;
  for (HWND hWnd : windows) {
    SetWindowAttachment(hWnd, true);
    if (!alive) return;  // an auto-delete sink went with its first chain
  }
  m_pAlive = nullptr;
}

bool CExtHookSink::IsAttachedTo(HWND hWnd) const {
  const Chain* chain = FindChain(hWnd);
  return chain != nullptr && chain->IndexOf(this) >= 0;
}

void CExtHookSink::CollectAttachedWindows(std::vector<HWND>& windows) const {
  windows.clear();
  for (const auto& [hWnd, chain] : HookChains())
    if (chain->IndexOf(this) >= 0) windows.push_back(hWnd);
}

CExtHookSink::HookSinkArray_t CExtHookSink::GetChainSinks(HWND hWnd) {
  const Chain* chain = FindChain(hWnd);
  return chain != nullptr ? chain->sinks : HookSinkArray_t{};
}

bool CExtHookSink::HasChain(HWND hWnd) { return FindChain(hWnd) != nullptr; }

INT_PTR CExtHookSink::ChainCount() { return static_cast<INT_PTR>(HookChains().size()); }
