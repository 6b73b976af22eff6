// The one process-wide paint-manager holder (g_PaintManagerHolder), the bridge by which
// painting windows register with it, and the sink protocol by which two global holders push
// their state to each other. Included by paint_manager.h.
#pragma once

#include <objidl.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "toolkit/paint/os_facts.h"
#include "toolkit/paint/ux_theme.h"

// State synchronisation between global holders (this one and the resource-manager holder).
class CExtPmSynchronizeSink {
 public:
  CExtPmSynchronizeSink();
  virtual ~CExtPmSynchronizeSink();

  virtual DWORD OwnerThreadId() const { return m_ownerThreadId; }
  virtual bool IsLoadingState() const { return m_loadingState; }
  virtual bool IsSameSink(CExtPmSynchronizeSink* other) const { return other == this; }
  virtual bool SetSyncedSink(CExtPmSynchronizeSink* sink, bool add = true, bool pushNow = true) = 0;
  // The state in a stream positioned at its start (the caller releases it), null on failure.
  // A null memory block makes the stream own a block of its own.
  virtual IStream* SaveStateToStream(HGLOBAL memory = nullptr) = 0;
  virtual void LoadStateFromStream(IStream* stream) = 0;
  // Saves the state once and has every synchronised sink load it.
  virtual void BroadcastState(HGLOBAL memory = nullptr);

  INT_PTR SyncedSinkCount() const { return static_cast<INT_PTR>(m_syncedSinks.size()); }

 protected:
  // The add/remove rule both holders share.
  bool DoSetSyncedSink(CExtPmSynchronizeSink* sink, bool add, bool pushNow);
  int FindSyncedSink(CExtPmSynchronizeSink* sink) const;
  // The stream both holders save to: the state's class record, then what `serialize` writes;
  // positioned at its start, null on failure.
  static IStream* WriteStateStream(HGLOBAL memory, CRuntimeClass* stateClass,
                                   const std::function<void(CArchive&)>& serialize);
  // The rest of a stream from its current position.
  static std::vector<BYTE> ReadRestOfStream(IStream* stream);

  bool m_loadingState = false;
  DWORD m_ownerThreadId = 0;
  std::vector<CExtPmSynchronizeSink*> m_syncedSinks;  // not owned
};

// The part of a painting window that registers it with the holder and hears about a new
// paint manager and about system changes.
class CExtPmBridge {
 public:
  virtual ~CExtPmBridge() = default;
  virtual void RegisterBridge(bool atTail = true) = 0;   // calls the holder's AttachBridge(this, atTail)
  virtual void UnregisterBridge() = 0;                   // calls the holder's DetachBridge(this)
  virtual HWND BridgedWindow() = 0;                      // null: nothing to redraw
  virtual CExtPaintManager* BridgedManager() = 0;        // usually the holder's CurrentManager
  // Redraws the bridged window, frame included, when the new manager is its manager.
  virtual void HandleManagerReplaced(CExtPaintManager* newManager);
  virtual void HandleSysColorChange(CExtPaintManager* /*manager*/, CWnd* /*notifier*/) {}
  virtual void HandleSettingChange(CExtPaintManager* /*manager*/, CWnd* /*notifier*/, UINT /*flags*/,
                                   LPCTSTR /*section*/) {}
  virtual void HandleDisplayChange(CExtPaintManager* /*manager*/, CWnd* /*notifier*/, int /*bitsPerPixel*/,
                                   int /*cx*/, int /*cy*/) {}
  virtual void HandleThemeChange(CExtPaintManager* /*manager*/, CWnd* /*notifier*/, WPARAM /*wParam*/,
                                 LPARAM /*lParam*/) {}
};

// Set by the command-manager holder: told after every paint-manager replacement.
extern void (*g_pfnPaintManagerChangedRelay)();
// Set by the resource manager: the face name of the user-interface font it supplies, or null.
extern LPCWSTR (*g_pfnPaintManagerFontFace)();

class CExtPaintManager::CExtPaintManagerAutoPtr : public CExtPmSynchronizeSink {
 public:
  CExtPaintManagerAutoPtr();
  ~CExtPaintManagerAutoPtr() override;
  CExtPaintManagerAutoPtr(const CExtPaintManagerAutoPtr&) = delete;
  CExtPaintManagerAutoPtr& operator=(const CExtPaintManagerAutoPtr&) = delete;

  virtual bool SerializeManager(CArchive& ar, bool rethrow = false);

  CExtPaintManager* CurrentManager();
  CExtPaintManager* operator->() { return CurrentManager(); }
  bool EnsureManager();
  // Installs the manager (the holder owns it on success) or, when null, a new XP theme.
  // False while a replacement runs; the refused manager is then deleted.
  bool ReplaceManager(CExtPaintManager* manager);

  void AttachBridge(CExtPmBridge* bridge, bool atTail = true);
  void DetachBridge(CExtPmBridge* bridge);
  int BridgeCount() const { return static_cast<int>(m_bridges.size()); }

  bool IsDesignatedNotifier(CWnd* window);
  void DispatchSysColorChange(CWnd* window);
  void DispatchSettingChange(CWnd* window, UINT flags, LPCTSTR section);
  void DispatchDisplayChange(CWnd* window, int bitsPerPixel, int cx, int cy);
  void DispatchThemeChange(CWnd* window, WPARAM wParam, LPARAM lParam);
  UINT WheelScrollLines();
  void DetectXpColorScheme();

  bool SetSyncedSink(CExtPmSynchronizeSink* sink, bool add = true, bool pushNow = true) override;
  IStream* SaveStateToStream(HGLOBAL memory = nullptr) override;
  void LoadStateFromStream(IStream* stream) override;

  bool HasOs(extpaint::OsFlag flag) const { return (m_osFlags & flag) != 0; }

  // ---- Facts every theme reads ----
  CString m_strOsDescription;
  OSVERSIONINFOW m_osVersion{};
  std::uint16_t m_osFlags = 0;
  int m_dpiX = 96, m_dpiY = 96, m_dpiAverage = 96;
  // Bit 0 scale horizontal metrics by DPI, bit 1 vertical, bit 2 other (average DPI), bit 3
  // skinned non-client scroll bars allowed.
  BYTE m_featureSwitches = 0x0F;
  UINT m_nMsgPaintManagerChanged = 0;
  bool m_taskbarColorsValid = false;
  COLORREF m_taskbarColors[7] = {};
  CExtUxTheme m_UxTheme;
  CExtDWM m_DWM;
  int m_xpColorScheme = 0;  // 0 none, 1 blue, 2 olive, 3 silver, 4 royale
  bool m_forwardBroadcasts = true;
  // When not 0, the screen colour depth every theme sees in place of the real one.
  int m_screenBitsOverride = 0;
  bool m_layeredWindowsUsable = false;

  using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
  using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
  using AlphaDIBBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, const void*, const BITMAPINFO*, UINT, int, int, int,
                                        int, BLENDFUNCTION);
  using TransparentBltFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
  using TransparentDIBitsFn = BOOL(WINAPI*)(HDC, int, int, int, int, const void*, const BITMAPINFO*, UINT, int, int,
                                            int, int, UINT);
  using AnimateWindowFn = BOOL(WINAPI*)(HWND, DWORD, DWORD);
  using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
  using PrintWindowFn = BOOL(WINAPI*)(HWND, HDC, UINT);
  using SHAutoCompleteFn = HRESULT(WINAPI*)(HWND, DWORD);

  HMODULE m_hMsImg32 = nullptr;
  GradientFillFn m_pfnGradientFill = nullptr;
  AlphaBlendFn m_pfnAlphaBlend = nullptr;
  AlphaDIBBlendFn m_pfnAlphaDIBBlend = nullptr;
  TransparentBltFn m_pfnTransparentBlt = nullptr;
  TransparentDIBitsFn m_pfnTransparentDIBits = nullptr;
  HMODULE m_hUser32 = nullptr;
  AnimateWindowFn m_pfnAnimateWindow = nullptr;
  SetLayeredWindowAttributesFn m_pfnSetLayeredWindowAttributes = nullptr;
  UpdateLayeredWindowFn m_pfnUpdateLayeredWindow = nullptr;
  PrintWindowFn m_pfnPrintWindow = nullptr;
  HMODULE m_hShlwapi = nullptr;
  SHAutoCompleteFn m_pfnSHAutoComplete = nullptr;

 private:
  void UpdateLayeredWindowsUsable();
  bool IsFrameKindOf(CWnd* window, const char* className) const;

  CExtPaintManager* m_pManager = nullptr;
  std::vector<CExtPmBridge*> m_bridges;  // notification order; not owned
  bool m_wheelCacheValid = false;
  UINT m_wheelLines = 0;
  int m_replaceDepth = 0;
};

extern CExtPaintManager::CExtPaintManagerAutoPtr g_PaintManagerHolder;
