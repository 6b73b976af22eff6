#include "controls/theme_helper.h"

CThemeHelperST::CThemeHelperST() : CThemeHelperST(L"UxTheme.dll") {}

CThemeHelperST::CThemeHelperST(LPCWSTR libraryName) { m_hUxTheme = ::LoadLibraryW(libraryName); }

CThemeHelperST::~CThemeHelperST() {
  if (m_hUxTheme) ::FreeLibrary(m_hUxTheme);
}

FARPROC CThemeHelperST::Find(const char* name) const {
  return m_hUxTheme ? ::GetProcAddress(m_hUxTheme, name) : nullptr;
}

// The entry points are looked up by name; their types are the library's. The cast goes through
// the generic function type, which any function pointer converts to and from.
template <class F>
static F As(FARPROC p) {
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(p));
}

BOOL CThemeHelperST::IsAppThemed() {
  using Fn = BOOL(WINAPI*)();
  FARPROC p = Find("IsAppThemed");
  return p ? As<Fn>(p)() : FALSE;
}

HTHEME CThemeHelperST::OpenThemeData(HWND hwnd, LPCWSTR classList) {
  using Fn = HTHEME(WINAPI*)(HWND, LPCWSTR);
  FARPROC p = Find("OpenThemeData");
  return p ? As<Fn>(p)(hwnd, classList) : nullptr;
}

HRESULT CThemeHelperST::CloseThemeData(HTHEME theme) {
  using Fn = HRESULT(WINAPI*)(HTHEME);
  FARPROC p = Find("CloseThemeData");
  return p ? As<Fn>(p)(theme) : E_FAIL;
}

HRESULT CThemeHelperST::DrawThemeBackground(HTHEME theme, HDC hdc, int partId, int stateId, const RECT* rect,
                                            const RECT* clipRect) {
  using Fn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
  FARPROC p = Find("DrawThemeBackground");
  return p ? As<Fn>(p)(theme, hdc, partId, stateId, rect, clipRect) : E_FAIL;
}

HRESULT CThemeHelperST::DrawBackground(HWND hwnd, HTHEME theme, HDC hdc, int stateId, const RECT* rect) {
  using ParentFn = HRESULT(WINAPI*)(HWND, HDC, const RECT*);
  FARPROC parent = Find("DrawThemeParentBackground");
  if (parent && hwnd) As<ParentFn>(parent)(hwnd, hdc, rect);
  return DrawThemeBackground(theme, hdc, 1, stateId, rect, nullptr);
}
