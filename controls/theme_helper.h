// Binds the visual-styles library at run time. Each wrapper looks its function up on every
// call and answers neutrally when the library or the function is missing.
#pragma once

#include "framework/afxwin.h"

#include <uxtheme.h>

class CThemeHelperST {
 public:
  // Loads "UxTheme.dll".
  CThemeHelperST();
  // Loads the named library instead; a name that does not load gives the classic answers.
  explicit CThemeHelperST(LPCWSTR libraryName);
  virtual ~CThemeHelperST();
  CThemeHelperST(const CThemeHelperST&) = delete;
  CThemeHelperST& operator=(const CThemeHelperST&) = delete;

  BOOL IsAppThemed();                                   // FALSE when missing
  HTHEME OpenThemeData(HWND hwnd, LPCWSTR classList);   // null when missing
  HRESULT CloseThemeData(HTHEME theme);                 // E_FAIL when missing
  HRESULT DrawThemeBackground(HTHEME theme, HDC hdc, int partId, int stateId, const RECT* rect,
                              const RECT* clipRect);    // E_FAIL when missing
  // The parent's background first (when that function exists and hwnd is not null), then part
  // 1 of the theme in the state over the rectangle.
  HRESULT DrawBackground(HWND hwnd, HTHEME theme, HDC hdc, int stateId, const RECT* rect);

  HMODULE m_hUxTheme = nullptr;

 private:
  FARPROC Find(const char* name) const;
};
