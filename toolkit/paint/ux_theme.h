// Wrappers of the visual-styles library (UxTheme.dll) and the desktop-composition library
// (dwmapi.dll): every function is bound by name at run time, and every call is a safe no-op
// with a neutral answer when the library or the function is missing.
#pragma once

#include "framework/afxwin.h"

#include <uxtheme.h>

// How the wrappers find libraries and functions. The default goes to the system; tests pass
// their own to take the missing-library and missing-function paths.
struct CExtModuleLoader {
  HMODULE (*getModuleHandle)(LPCWSTR name) = nullptr;
  HMODULE (*loadLibrary)(LPCWSTR name) = nullptr;
  FARPROC (*getProcAddress)(HMODULE module, LPCSTR name) = nullptr;
  BOOL (*freeLibrary)(HMODULE module) = nullptr;

  static const CExtModuleLoader& System();
};

class CExtUxTheme {
 public:
  explicit CExtUxTheme(const CExtModuleLoader& loader = CExtModuleLoader::System());
  virtual ~CExtUxTheme();
  CExtUxTheme(const CExtUxTheme&) = delete;
  CExtUxTheme& operator=(const CExtUxTheme&) = delete;

  bool IsModuleLoaded() const { return m_hModule != nullptr; }
  // High word major, low word minor version of COMCTL32.DLL; 0 when unknown.
  DWORD GetCommonControlsVersion() const { return m_comctlVersion; }

  HTHEME OpenThemeData(HWND hWnd, LPCWSTR classList);
  HTHEME OpenThemeDataEx(HWND hWnd, LPCWSTR classList, DWORD flags);
  HRESULT CloseThemeData(bool keep = false);
  bool IsThemeOpen() const { return m_hTheme != nullptr; }
  HTHEME GetThemeHandle() const { return m_hTheme; }

  HRESULT DrawThemeBackground(HWND hWndOwner, HDC hDC, int part, int state, const RECT* rect, const RECT* clip);
  HRESULT DrawThemeText(HDC hDC, int part, int state, LPCWSTR text, int length, DWORD flags, DWORD flags2,
                        const RECT* rect);
  HRESULT DrawThemeTextEx(HDC hDC, int part, int state, const CString& text, int length, DWORD flags, LPRECT rect,
                          const DTTOPTS* options);
  HRESULT GetThemeTextExtent(HDC hDC, int part, int state, const CString& text, int length, DWORD flags,
                             const RECT* bounding, LPRECT extent);
  HRESULT GetThemePartSize(HDC hDC, int part, int state, LPCRECT rect, THEMESIZE kind, SIZE* size);
  HRESULT GetThemeColor(int part, int state, int property, COLORREF* color);
  HRESULT GetThemeMetric(HDC hDC, int part, int state, int property, int* value);
  HRESULT GetCurrentThemeName(LPWSTR file, int fileSize, LPWSTR color, int colorSize, LPWSTR sizeName,
                              int sizeNameSize);
  BOOL IsThemeActive();
  DWORD GetThemeAppProperties();
  BOOL IsAppThemed();
  bool IsControlsThemed(bool requireComCtl6 = false);

  // The bound entry of a function by its name, null when missing (for callers and tests).
  FARPROC BoundFunction(const char* name) const;
  static constexpr int kFunctionCount = 50;
  static const char* const kFunctionNames[kFunctionCount];

 private:
  HRESULT CloseHandleGuarded();
  template <typename Fn>
  Fn Fn_(int index) const { return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(m_functions[index])); }

  CExtModuleLoader m_loader;
  HTHEME m_hTheme = nullptr;
  HMODULE m_hModule = nullptr;
  bool m_loadedByUs = false;
  DWORD m_comctlVersion = 0;
  wchar_t m_cachedClassList[MAX_PATH] = {};
  HWND m_hCachedWnd = nullptr;
  FARPROC m_functions[kFunctionCount] = {};
};

class CExtDWM {
 public:
  explicit CExtDWM(const CExtModuleLoader& loader = CExtModuleLoader::System());
  virtual ~CExtDWM();
  CExtDWM(const CExtDWM&) = delete;
  CExtDWM& operator=(const CExtDWM&) = delete;

  bool IsModuleLoaded() const { return m_hModule != nullptr; }
  HRESULT DwmIsCompositionEnabled(BOOL* enabled);
  bool IsCompositionEnabled();

  FARPROC BoundFunction(const char* name) const;
  static constexpr int kFunctionCount = 17;
  static const char* const kFunctionNames[kFunctionCount];

 private:
  CExtModuleLoader m_loader;
  HMODULE m_hModule = nullptr;
  bool m_loadedByUs = false;
  FARPROC m_functions[kFunctionCount] = {};
};
