// Window-procedure hook chains: toolkit objects (sinks) watch and change what a window receives
// without the window knowing. All sinks of one window form its chain; the chain replaces the
// window's procedure once, offers each message to its sinks in order, lets one of them answer
// instead of the window, calls the window's own procedure otherwise and then tells every sink
// what came out.
//
// Sinks may join or leave a chain (and be destroyed) while the chain is offering a message:
// the offer goes on with the sinks that remain, each sink still attached is offered the message
// at most once, and the chain itself stays alive until the offer is over.
#pragma once

#include <windows.h>

#include <vector>

class CExtHookSink {
 public:
  struct HookChains_t;
  using HookSinkArray_t = std::vector<CExtHookSink*>;

  enum : BYTE {
    // The default FilterMessage routes six messages to their own operations.
    kDispatchByMessage = 0x1,
    // At WM_NCDESTROY this sink ends the destruction notices: it and the sinks after it are
    // not told, and the window's own procedure does not receive WM_NCDESTROY.
    kEndsDestroyNotices = 0x2,
  };

  explicit CExtHookSink(bool dispatchByMessage = false);
  // Leaves every chain; the chains and their window procedures stay.
  virtual ~CExtHookSink();
  CExtHookSink(const CExtHookSink&) = delete;
  CExtHookSink& operator=(const CExtHookSink&) = delete;

  // A chain deletes the sinks that answer true when they leave it or when it ends.
  virtual bool IsAutoDelete() const { return false; }

  // The saved procedure of the window whose message is being processed on this thread: with
  // the current message and other parameters, with another message, or unchanged. Only for
  // use while the chain processes that message; 0 otherwise.
  virtual LRESULT CallOriginalWithParams(WPARAM wParam, LPARAM lParam);
  virtual LRESULT CallOriginalWithMessage(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT CallOriginalUnchanged();

  // True: the sink answered the message with result (the window does not see it).
  virtual bool FilterMessage(LRESULT& result, HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam);
  // After the saved procedure ran.
  virtual void OnMessageProcessed(LRESULT& /*result*/, HWND /*hWnd*/, UINT /*message*/, WPARAM /*wParam*/,
                                  LPARAM /*lParam*/) {}
  virtual bool OnCommandMessage(LRESULT& /*result*/, HWND /*hWnd*/, WORD /*code*/, WORD /*id*/, LPARAM /*control*/) {
    return false;
  }
  virtual bool OnNotifyMessage(LRESULT& /*result*/, HWND /*hWnd*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return false;
  }
  virtual bool OnPaintMessage(LRESULT& /*result*/, HWND /*hWnd*/, WPARAM /*wParam*/) { return false; }
  virtual bool OnEraseBackgroundMessage(LRESULT& /*result*/, HWND /*hWnd*/, WPARAM /*wParam*/) { return false; }
  virtual bool OnPrintMessage(LRESULT& /*result*/, HWND /*hWnd*/, WPARAM /*wParam*/) { return false; }
  virtual bool OnNcPaintMessage(LRESULT& /*result*/, HWND /*hWnd*/, WPARAM /*wParam*/) { return false; }
  // Told at WM_NCDESTROY of a hooked window.
  virtual void OnWindowDestroyed(HWND /*hWnd*/) {}
  virtual void OnAttached(HWND /*hWnd*/) {}
  virtual void OnDetached(HWND /*hWnd*/) {}

  // Attaches to (detach false) or detaches from the window. Attaching fails for a window that
  // does not exist; detaching succeeds also when there was nothing to detach.
  virtual bool SetWindowAttachment(HWND hWnd, bool detach = false, bool atHead = false);
  virtual void DetachFromAllWindows();

  bool IsAttachedTo(HWND hWnd) const;
  // Every window whose chain holds the sink.
  void CollectAttachedWindows(std::vector<HWND>& windows) const;

  BYTE GetSinkFlags() const { return m_flags; }
  void ModifySinkFlags(BYTE remove, BYTE add) { m_flags = static_cast<BYTE>((m_flags & ~remove) | add); }

  // The window's chain in dispatch order (empty when the window has none).
  static HookSinkArray_t GetChainSinks(HWND hWnd);
  static bool HasChain(HWND hWnd);
  static INT_PTR ChainCount();

 private:
  BYTE m_flags = 0;
  bool* m_pAlive = nullptr;  // cleared by the destructor while DetachFromAllWindows runs
};
