#include <algorithm>

#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/paint_manager_xp.h"

void (*g_pfnPaintManagerChangedRelay)() = nullptr;

// Constructed before the other global holders, which may synchronise with it.
CExtPaintManager::CExtPaintManagerAutoPtr g_PaintManagerHolder;

namespace {

bool IsKindByName(CObject* object, const char* className) {
  if (object == nullptr) return false;
  const CRuntimeClass* rc = CRuntimeClass::FromName(className);
  return rc != nullptr && object->IsKindOf(rc);
}

template <typename Fn>
Fn Bind(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name))) : nullptr;
}

}  // namespace

void CExtPmBridge::HandleManagerReplaced(CExtPaintManager* newManager) {
  if (newManager != BridgedManager()) return;
  HWND hWnd = BridgedWindow();
  if (hWnd == nullptr || !::IsWindow(hWnd)) return;
  ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
  ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

CExtPaintManager::CExtPaintManagerAutoPtr::CExtPaintManagerAutoPtr() {
  // The framework's handle maps must outlive the holder, which deletes the manager and its GDI
  // objects at exit: using them once now has them built (and so destroyed) before this object.
  {
    CBrush probe;
    probe.CreateSolidBrush(0);
  }
  m_strOsDescription = L"Unknown";
  m_nMsgPaintManagerChanged =
      ::RegisterWindowMessageW(L"CExtPaintManager::CExtPaintManagerAutoPtr::m_nMsgPaintManagerChanged");

  m_osVersion.dwOSVersionInfoSize = sizeof m_osVersion;
  if (!::GetVersionExW(&m_osVersion)) {
    m_osVersion = OSVERSIONINFOW{};
    m_osVersion.dwOSVersionInfoSize = sizeof m_osVersion;
  }
  extpaint::OsVersion v;
  v.platform = m_osVersion.dwPlatformId;
  v.major = m_osVersion.dwMajorVersion;
  v.minor = m_osVersion.dwMinorVersion;
  v.build = m_osVersion.dwBuildNumber;
  v.servicePack = m_osVersion.szCSDVersion;
  m_osFlags = extpaint::OsFlagsFor(v);
  if (!HasOs(extpaint::OsNT5OrLater)) m_featureSwitches &= ~0x08;
  m_strOsDescription = extpaint::OsDescriptionFor(v).c_str();

  DetectXpColorScheme();

  if (HasOs(extpaint::OsNT5OrLater)) {
    m_hMsImg32 = ::LoadLibraryW(L"msimg32.dll");
    m_pfnGradientFill = Bind<GradientFillFn>(m_hMsImg32, "GradientFill");
    m_pfnAlphaBlend = Bind<AlphaBlendFn>(m_hMsImg32, "AlphaBlend");
    m_pfnAlphaDIBBlend = Bind<AlphaDIBBlendFn>(m_hMsImg32, "AlphaDIBBlend");
    m_pfnTransparentBlt = Bind<TransparentBltFn>(m_hMsImg32, "TransparentBlt");
    m_pfnTransparentDIBits = Bind<TransparentDIBitsFn>(m_hMsImg32, "TransparentDIBits");
  }
  m_hUser32 = ::LoadLibraryW(L"user32.dll");
  m_pfnAnimateWindow = Bind<AnimateWindowFn>(m_hUser32, "AnimateWindow");
  m_pfnSetLayeredWindowAttributes = Bind<SetLayeredWindowAttributesFn>(m_hUser32, "SetLayeredWindowAttributes");
  m_pfnUpdateLayeredWindow = Bind<UpdateLayeredWindowFn>(m_hUser32, "UpdateLayeredWindow");
  m_pfnPrintWindow = Bind<PrintWindowFn>(m_hUser32, "PrintWindow");
  // The process becomes DPI-aware before any window exists.
  if (auto setAware = Bind<BOOL(WINAPI*)()>(m_hUser32, "SetProcessDPIAware")) setAware();
  m_hShlwapi = ::LoadLibraryW(L"SHLWAPI.DLL");
  m_pfnSHAutoComplete = Bind<SHAutoCompleteFn>(m_hShlwapi, "SHAutoComplete");

  if (HDC screen = ::GetWindowDC(nullptr)) {
    m_dpiX = ::GetDeviceCaps(screen, LOGPIXELSX);
    m_dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
    m_dpiAverage = (m_dpiX + m_dpiY) / 2;
    ::ReleaseDC(nullptr, screen);
  }
  UpdateLayeredWindowsUsable();
}

CExtPaintManager::CExtPaintManagerAutoPtr::~CExtPaintManagerAutoPtr() {
  m_bridges.clear();
  if (m_hMsImg32) ::FreeLibrary(m_hMsImg32);
  if (m_hUser32) ::FreeLibrary(m_hUser32);
  if (m_hShlwapi) ::FreeLibrary(m_hShlwapi);
  m_hMsImg32 = m_hUser32 = m_hShlwapi = nullptr;
  m_pfnGradientFill = nullptr;
  m_pfnAlphaBlend = nullptr;
  m_pfnUpdateLayeredWindow = nullptr;
  delete m_pManager;
  m_pManager = nullptr;
}

void CExtPaintManager::CExtPaintManagerAutoPtr::UpdateLayeredWindowsUsable() {
  if (HasOs(extpaint::OsNT5OrLater) && CExtPaintManager::ScreenBitsPerPixel() > 14 && m_pfnUpdateLayeredWindow != nullptr)
    m_layeredWindowsUsable = true;
}

CExtPaintManager* CExtPaintManager::CExtPaintManagerAutoPtr::CurrentManager() {
  EnsureManager();
  return m_pManager;
}

bool CExtPaintManager::CExtPaintManagerAutoPtr::EnsureManager() {
  return m_pManager != nullptr || ReplaceManager(nullptr);
}

bool CExtPaintManager::CExtPaintManagerAutoPtr::ReplaceManager(CExtPaintManager* manager) {
  if (m_replaceDepth != 0) {
    // Refused while a replacement runs: the caller handed the manager over, so it goes here.
    if (manager != nullptr && manager != m_pManager) delete manager;
    return false;
  }
  if (m_pManager != nullptr) {
    if (m_pManager == manager) return true;
    delete m_pManager;
    m_pManager = nullptr;
  }
  if (manager == nullptr) {
    try {
      manager = new CExtPaintManagerXP;
    } catch (CException* e) {
      e->Delete();
      manager = nullptr;
    } catch (...) {
      manager = nullptr;
    }
    if (manager == nullptr) return false;
  }
  m_pManager = manager;
  ++m_replaceDepth;
  manager->RebuildFontsAndSysColors();
  manager->BuildColorIdMap();
  manager->BuildHelperBrushes();
  if (g_pfnPaintManagerChangedRelay) g_pfnPaintManagerChangedRelay();
  const std::vector<CExtPmBridge*> bridges = m_bridges;
  for (CExtPmBridge* bridge : bridges)
    // A bridge may detach itself or another bridge while it is told.
    if (std::find(m_bridges.begin(), m_bridges.end(), bridge) != m_bridges.end())
      bridge->HandleManagerReplaced(manager);
  BroadcastState(nullptr);
  --m_replaceDepth;
  return true;
}

void CExtPaintManager::CExtPaintManagerAutoPtr::AttachBridge(CExtPmBridge* bridge, bool atTail) {
  if (bridge == nullptr) return;
  if (atTail) m_bridges.push_back(bridge);
  else m_bridges.insert(m_bridges.begin(), bridge);
}

void CExtPaintManager::CExtPaintManagerAutoPtr::DetachBridge(CExtPmBridge* bridge) {
  auto it = std::find(m_bridges.begin(), m_bridges.end(), bridge);
  if (it != m_bridges.end()) m_bridges.erase(it);
}

bool CExtPaintManager::CExtPaintManagerAutoPtr::IsFrameKindOf(CWnd* window, const char* className) const {
  return IsKindByName(window, className);
}

bool CExtPaintManager::CExtPaintManagerAutoPtr::IsDesignatedNotifier(CWnd* window) {
  if (!m_forwardBroadcasts) return false;
  if (window == nullptr || window->GetSafeHwnd() == nullptr) return true;
  if (IsKindByName(window, "CExtStatusControlBar")) return true;
  CWnd* frame = window->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? window : window->GetParentFrame();
  if (frame == nullptr) return true;
  if (IsFrameKindOf(frame, "CExtMiniDockFrameWnd")) {
    frame = frame->GetParentFrame();
    if (frame == nullptr) return true;
  }
  if (IsFrameKindOf(frame, "CMiniFrameWnd")) return true;
  auto bar = [frame](int id) { return CWnd::FromHandlePermanent(::GetDlgItem(frame->GetSafeHwnd(), id)); };
  CWnd* status = bar(0xE801);
  if (IsKindByName(status, "CExtStatusControlBar")) return status == window;
  for (int id : {0xE81B, 0xE81E, 0xE81C, 0xE81D}) {
    CWnd* dock = bar(id);
    if (IsKindByName(dock, "CExtDockOuterBar")) return dock == window;
  }
  return true;
}

void CExtPaintManager::CExtPaintManagerAutoPtr::DispatchSysColorChange(CWnd* window) {
  if (!IsDesignatedNotifier(window)) return;
  if (CExtPaintManager* pm = CurrentManager()) pm->ReloadOnSysColorChange();
  const std::vector<CExtPmBridge*> bridges = m_bridges;
  for (CExtPmBridge* b : bridges)
    if (std::find(m_bridges.begin(), m_bridges.end(), b) != m_bridges.end())
      b->HandleSysColorChange(CurrentManager(), window);
}

void CExtPaintManager::CExtPaintManagerAutoPtr::DispatchSettingChange(CWnd* window, UINT flags, LPCTSTR section) {
  if (!IsDesignatedNotifier(window)) return;
  UpdateLayeredWindowsUsable();
  m_wheelCacheValid = false;
  if (CExtPaintManager* pm = CurrentManager()) pm->ReloadOnSettingChange(flags, section);
  const std::vector<CExtPmBridge*> bridges = m_bridges;
  for (CExtPmBridge* b : bridges)
    if (std::find(m_bridges.begin(), m_bridges.end(), b) != m_bridges.end())
      b->HandleSettingChange(CurrentManager(), window, flags, section);
}

void CExtPaintManager::CExtPaintManagerAutoPtr::DispatchDisplayChange(CWnd* window, int bitsPerPixel, int cx, int cy) {
  if (!IsDesignatedNotifier(window)) return;
  UpdateLayeredWindowsUsable();
  m_wheelCacheValid = false;
  if (CExtPaintManager* pm = CurrentManager()) pm->ReloadOnDisplayChange(bitsPerPixel, cx, cy);
  const std::vector<CExtPmBridge*> bridges = m_bridges;
  for (CExtPmBridge* b : bridges)
    if (std::find(m_bridges.begin(), m_bridges.end(), b) != m_bridges.end())
      b->HandleDisplayChange(CurrentManager(), window, bitsPerPixel, cx, cy);
}

void CExtPaintManager::CExtPaintManagerAutoPtr::DispatchThemeChange(CWnd* window, WPARAM wParam, LPARAM lParam) {
  if (!IsDesignatedNotifier(window)) return;
  m_wheelCacheValid = false;
  if (CExtPaintManager* pm = CurrentManager()) pm->ReloadOnThemeChange(wParam, lParam);
  const std::vector<CExtPmBridge*> bridges = m_bridges;
  for (CExtPmBridge* b : bridges)
    if (std::find(m_bridges.begin(), m_bridges.end(), b) != m_bridges.end())
      b->HandleThemeChange(CurrentManager(), window, wParam, lParam);
}

UINT CExtPaintManager::CExtPaintManagerAutoPtr::WheelScrollLines() {
  if (m_wheelCacheValid) return m_wheelLines;
  m_wheelCacheValid = true;
  UINT setting = 0;
  const bool read = !HasOs(extpaint::OsIsWin95) &&
                    ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &setting, 0) != FALSE;
  m_wheelLines = extpaint::WheelLinesFor(HasOs(extpaint::OsIsWin95), read, setting);
  return m_wheelLines;
}

void CExtPaintManager::CExtPaintManagerAutoPtr::DetectXpColorScheme() {
  m_taskbarColorsValid = false;
  m_xpColorScheme = 0;
  if (!m_UxTheme.IsAppThemed()) return;
  wchar_t file[MAX_PATH] = {}, color[MAX_PATH] = {};
  if (m_UxTheme.GetCurrentThemeName(file, MAX_PATH, color, MAX_PATH, nullptr, 0) == S_OK)
    m_xpColorScheme = extpaint::XpColorSchemeFor(file, color);
  if (m_UxTheme.OpenThemeData(::GetDesktopWindow(), L"TASKBAND") != nullptr) {
    static const int kProps[7] = {3804, 3805, 3806, 3807, 3808, 3821, 3823};
    bool all = true;
    for (int i = 0; i < 7 && all; ++i) all = m_UxTheme.GetThemeColor(2, 0, kProps[i], &m_taskbarColors[i]) == S_OK;
    m_taskbarColorsValid = all;
    m_UxTheme.CloseThemeData(false);
  }
}
