#include "toolkit/paint/ux_theme.h"

#include <shlwapi.h>

#include <cstring>

namespace {

HMODULE SysGetModuleHandle(LPCWSTR name) { return ::GetModuleHandleW(name); }
HMODULE SysLoadLibrary(LPCWSTR name) { return ::LoadLibraryW(name); }
FARPROC SysGetProcAddress(HMODULE module, LPCSTR name) { return ::GetProcAddress(module, name); }
BOOL SysFreeLibrary(HMODULE module) { return ::FreeLibrary(module); }

// Index of each function in the binding order of the name table.
enum UxFn {
  fnOpenThemeData = 0, fnOpenThemeDataEx = 1, fnCloseThemeData = 2, fnDrawThemeBackground = 3,
  fnDrawThemeText = 4, fnDrawThemeTextEx = 5, fnGetThemePartSize = 8, fnGetThemeTextExtent = 9,
  fnGetThemeColor = 17, fnGetThemeMetric = 18, fnIsThemeActive = 38, fnIsAppThemed = 39,
  fnGetThemeAppProperties = 43, fnGetCurrentThemeName = 45,
};

HMODULE BindModule(const CExtModuleLoader& loader, LPCWSTR name, bool* loadedByUs) {
  *loadedByUs = false;
  HMODULE module = loader.getModuleHandle ? loader.getModuleHandle(name) : nullptr;
  if (module == nullptr && loader.loadLibrary) {
    module = loader.loadLibrary(name);
    *loadedByUs = module != nullptr;
  }
  return module;
}

}  // namespace

const CExtModuleLoader& CExtModuleLoader::System() {
  static const CExtModuleLoader loader{&SysGetModuleHandle, &SysLoadLibrary, &SysGetProcAddress, &SysFreeLibrary};
  return loader;
}

const char* const CExtUxTheme::kFunctionNames[CExtUxTheme::kFunctionCount] = {
    "OpenThemeData", "OpenThemeDataEx", "CloseThemeData", "DrawThemeBackground", "DrawThemeText",
    "DrawThemeTextEx", "GetThemeBackgroundContentRect", "GetThemeBackgroundExtent", "GetThemePartSize",
    "GetThemeTextExtent", "GetThemeTextMetrics", "GetThemeBackgroundRegion", "HitTestThemeBackground",
    "DrawThemeEdge", "DrawThemeIcon", "IsThemePartDefined", "IsThemeBackgroundPartiallyTransparent",
    "GetThemeColor", "GetThemeMetric", "GetThemeString", "GetThemeBool", "GetThemeInt", "GetThemeEnumValue",
    "GetThemePosition", "GetThemeFont", "GetThemeRect", "GetThemeMargins", "GetThemeIntList",
    "GetThemePropertyOrigin", "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor", "GetThemeSysColorBrush",
    "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString", "GetThemeSysInt",
    "IsThemeActive", "IsAppThemed", "GetWindowTheme", "EnableThemeDialogTexture", "IsThemeDialogTextureEnabled",
    "GetThemeAppProperties", "SetThemeAppProperties", "GetCurrentThemeName", "GetThemeDocumentationProperty",
    "DrawThemeParentBackground", "EnableTheming", "DrawThemeBackgroundEx"};

CExtUxTheme::CExtUxTheme(const CExtModuleLoader& loader) : m_loader(loader) {
  // The common-controls version decides whether controls can be themed at all.
  if (m_loader.loadLibrary) {
    if (HMODULE comctl = m_loader.loadLibrary(L"COMCTL32.DLL")) {
      using DllGetVersionFn = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
      FARPROC proc = m_loader.getProcAddress ? m_loader.getProcAddress(comctl, "DllGetVersion") : nullptr;
      if (proc) {
        DLLVERSIONINFO info{};
        info.cbSize = sizeof info;
        if (SUCCEEDED(reinterpret_cast<DllGetVersionFn>(reinterpret_cast<void (*)()>(proc))(&info)))
          m_comctlVersion = MAKELONG(info.dwMinorVersion, info.dwMajorVersion);
      }
      if (m_loader.freeLibrary) m_loader.freeLibrary(comctl);
    }
  }
  m_hModule = BindModule(m_loader, L"UxTheme.dll", &m_loadedByUs);
  if (m_hModule == nullptr || m_loader.getProcAddress == nullptr) return;
  for (int i = 0; i < kFunctionCount; ++i) m_functions[i] = m_loader.getProcAddress(m_hModule, kFunctionNames[i]);
}

CExtUxTheme::~CExtUxTheme() {
  CloseThemeData(false);
  if (m_loadedByUs && m_hModule && m_loader.freeLibrary) m_loader.freeLibrary(m_hModule);
}

FARPROC CExtUxTheme::BoundFunction(const char* name) const {
  for (int i = 0; i < kFunctionCount; ++i)
    if (std::strcmp(kFunctionNames[i], name) == 0) return m_functions[i];
  return nullptr;
}

HTHEME CExtUxTheme::OpenThemeData(HWND hWnd, LPCWSTR classList) { return OpenThemeDataEx(hWnd, classList, ~0u); }

HTHEME CExtUxTheme::OpenThemeDataEx(HWND hWnd, LPCWSTR classList, DWORD flags) {
  const bool plain = flags == ~0u;  // OpenThemeData has no flags argument
  if (m_functions[plain ? fnOpenThemeData : fnOpenThemeDataEx] == nullptr) return nullptr;
  wchar_t list[MAX_PATH] = {};
  if (classList) ::lstrcpynW(list, classList, MAX_PATH);
  if (list[0] == 0 && hWnd) ::GetClassNameW(hWnd, list, MAX_PATH);
  // The cached handle serves the same window and the same classes; a mere prefix of the
  // cached list is not the same request.
  if (m_hTheme && hWnd == m_hCachedWnd && ::IsWindow(hWnd) && ::lstrcmpiW(m_cachedClassList, list) == 0)
    return m_hTheme;
  CloseThemeData(false);
  HTHEME theme;
  if (plain)
    theme = Fn_<HTHEME(WINAPI*)(HWND, LPCWSTR)>(fnOpenThemeData)(hWnd, list);
  else
    theme = Fn_<HTHEME(WINAPI*)(HWND, LPCWSTR, DWORD)>(fnOpenThemeDataEx)(hWnd, list, flags);
  m_hTheme = theme;
  m_cachedClassList[0] = 0;
  m_hCachedWnd = nullptr;
  if (theme) {
    ::lstrcpynW(m_cachedClassList, list, MAX_PATH);
    m_hCachedWnd = hWnd;
  }
  return theme;
}

HRESULT CExtUxTheme::CloseHandleGuarded() {
  if (m_hTheme == nullptr || m_functions[fnCloseThemeData] == nullptr) return S_FALSE;
  // A handle whose window died is closed all the same, so that it does not leak.
  return Fn_<HRESULT(WINAPI*)(HTHEME)>(fnCloseThemeData)(m_hTheme);
}

HRESULT CExtUxTheme::CloseThemeData(bool keep) {
  if (m_hTheme == nullptr || keep) return 0;
  const HRESULT hr = CloseHandleGuarded();
  m_hTheme = nullptr;
  m_cachedClassList[0] = 0;
  m_hCachedWnd = nullptr;
  return hr;
}

HRESULT CExtUxTheme::DrawThemeBackground(HWND, HDC hDC, int part, int state, const RECT* rect, const RECT* clip) {
  if (m_functions[fnDrawThemeBackground] == nullptr) return S_FALSE;
  RECT r = rect ? *rect : RECT{}, c = clip ? *clip : RECT{};
  return Fn_<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*)>(fnDrawThemeBackground)(
      m_hTheme, hDC, part, state, &r, &c);
}

HRESULT CExtUxTheme::DrawThemeText(HDC hDC, int part, int state, LPCWSTR text, int length, DWORD flags,
                                   DWORD flags2, const RECT* rect) {
  if (m_functions[fnDrawThemeText] == nullptr) return S_FALSE;
  return Fn_<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*)>(fnDrawThemeText)(
      m_hTheme, hDC, part, state, text, length, flags, flags2, rect);
}

HRESULT CExtUxTheme::DrawThemeTextEx(HDC hDC, int part, int state, const CString& text, int length, DWORD flags,
                                     LPRECT rect, const DTTOPTS* options) {
  if (m_functions[fnDrawThemeTextEx] == nullptr) return S_FALSE;
  return Fn_<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, LPRECT, const DTTOPTS*)>(
      fnDrawThemeTextEx)(m_hTheme, hDC, part, state, text.GetString(), length, flags, rect, options);
}

HRESULT CExtUxTheme::GetThemeTextExtent(HDC hDC, int part, int state, const CString& text, int length, DWORD flags,
                                        const RECT* bounding, LPRECT extent) {
  if (m_functions[fnGetThemeTextExtent] == nullptr) return S_FALSE;
  return Fn_<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, const RECT*, LPRECT)>(
      fnGetThemeTextExtent)(m_hTheme, hDC, part, state, text.GetString(), length, flags, bounding, extent);
}

HRESULT CExtUxTheme::GetThemePartSize(HDC hDC, int part, int state, LPCRECT rect, THEMESIZE kind, SIZE* size) {
  if (m_functions[fnGetThemePartSize] == nullptr) return S_FALSE;
  return Fn_<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCRECT, THEMESIZE, SIZE*)>(fnGetThemePartSize)(
      m_hTheme, hDC, part, state, rect, kind, size);
}

HRESULT CExtUxTheme::GetThemeColor(int part, int state, int property, COLORREF* color) {
  if (m_functions[fnGetThemeColor] == nullptr) return S_FALSE;
  return Fn_<HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*)>(fnGetThemeColor)(m_hTheme, part, state, property,
                                                                                   color);
}

HRESULT CExtUxTheme::GetThemeMetric(HDC hDC, int part, int state, int property, int* value) {
  if (m_functions[fnGetThemeMetric] == nullptr) return S_FALSE;
  return Fn_<HRESULT(WINAPI*)(HTHEME, HDC, int, int, int, int*)>(fnGetThemeMetric)(m_hTheme, hDC, part, state,
                                                                                    property, value);
}

HRESULT CExtUxTheme::GetCurrentThemeName(LPWSTR file, int fileSize, LPWSTR color, int colorSize, LPWSTR sizeName,
                                         int sizeNameSize) {
  if (m_functions[fnGetCurrentThemeName] == nullptr) return S_FALSE;
  return Fn_<HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int)>(fnGetCurrentThemeName)(
      file, fileSize, color, colorSize, sizeName, sizeNameSize);
}

BOOL CExtUxTheme::IsThemeActive() {
  if (m_functions[fnIsThemeActive] == nullptr) return FALSE;
  return Fn_<BOOL(WINAPI*)()>(fnIsThemeActive)();
}

DWORD CExtUxTheme::GetThemeAppProperties() {
  if (m_functions[fnGetThemeAppProperties] == nullptr) return 0;
  return Fn_<DWORD(WINAPI*)()>(fnGetThemeAppProperties)();
}

BOOL CExtUxTheme::IsAppThemed() {
  if (m_hModule == nullptr || m_functions[fnIsAppThemed] == nullptr) return FALSE;
  return Fn_<BOOL(WINAPI*)()>(fnIsAppThemed)();
}

bool CExtUxTheme::IsControlsThemed(bool requireComCtl6) {
  if (m_hModule == nullptr || !IsThemeActive()) return false;
  if ((GetThemeAppProperties() & STAP_ALLOW_CONTROLS) == 0) return false;
  return !requireComCtl6 || HIWORD(m_comctlVersion) > 5;
}

const char* const CExtDWM::kFunctionNames[CExtDWM::kFunctionCount] = {
    "DwmDefWindowProc", "DwmEnableBlurBehindWindow", "DwmEnableComposition", "DwmEnableMMCSS",
    "DwmExtendFrameIntoClientArea", "DwmGetColorizationColor", "DwmGetCompositionTimingInfo",
    "DwmGetWindowAttribute", "DwmIsCompositionEnabled", "DwmModifyPreviousDxFrameDuration",
    "DwmQueryThumbnailSourceSize", "DwmRegisterThumbnail", "DwmSetDxFrameDuration", "DwmSetPresentParameters",
    "DwmSetWindowAttribute", "DwmUnregisterThumbnail", "DwmUpdateThumbnailProperties"};

CExtDWM::CExtDWM(const CExtModuleLoader& loader) : m_loader(loader) {
  m_hModule = BindModule(m_loader, L"dwmapi.dll", &m_loadedByUs);
  if (m_hModule == nullptr || m_loader.getProcAddress == nullptr) return;
  for (int i = 0; i < kFunctionCount; ++i) m_functions[i] = m_loader.getProcAddress(m_hModule, kFunctionNames[i]);
}

CExtDWM::~CExtDWM() {
  if (m_loadedByUs && m_hModule && m_loader.freeLibrary) m_loader.freeLibrary(m_hModule);
}

FARPROC CExtDWM::BoundFunction(const char* name) const {
  for (int i = 0; i < kFunctionCount; ++i)
    if (std::strcmp(kFunctionNames[i], name) == 0) return m_functions[i];
  return nullptr;
}

HRESULT CExtDWM::DwmIsCompositionEnabled(BOOL* enabled) {
  FARPROC fn = m_functions[8];
  if (fn == nullptr) return S_FALSE;
  return reinterpret_cast<HRESULT(WINAPI*)(BOOL*)>(reinterpret_cast<void (*)()>(fn))(enabled);
}

bool CExtDWM::IsCompositionEnabled() {
  if (m_hModule == nullptr) return false;
  BOOL enabled = FALSE;
  if (FAILED(DwmIsCompositionEnabled(&enabled))) return false;
  return enabled != FALSE;
}
