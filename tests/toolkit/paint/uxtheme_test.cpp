// The visual-styles and composition wrappers: bound, missing library and missing function.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "toolkit/paint/ux_theme.h"

namespace {

HMODULE NoModule(LPCWSTR) { return nullptr; }
FARPROC NoProc(HMODULE, LPCSTR) { return nullptr; }
BOOL NoFree(HMODULE) { return TRUE; }

// The system's functions, with OpenThemeData and CloseThemeData counted and "IsAppThemed"
// missing.
int g_opens = 0, g_closes = 0;
std::wstring g_lastClassList;
using OpenFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
using CloseFn = HRESULT(WINAPI*)(HTHEME);
OpenFn g_realOpen = nullptr;
CloseFn g_realClose = nullptr;

HTHEME WINAPI CountingOpen(HWND hWnd, LPCWSTR classList) {
  ++g_opens;
  g_lastClassList = classList ? classList : L"";
  return g_realOpen(hWnd, classList);
}
HRESULT WINAPI CountingClose(HTHEME theme) {
  ++g_closes;
  return g_realClose(theme);
}
FARPROC CountingProc(HMODULE module, LPCSTR name) {
  FARPROC real = ::GetProcAddress(module, name);
  if (std::strcmp(name, "OpenThemeData") == 0) {
    g_realOpen = reinterpret_cast<OpenFn>(reinterpret_cast<void (*)()>(real));
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&CountingOpen));
  }
  if (std::strcmp(name, "CloseThemeData") == 0) {
    g_realClose = reinterpret_cast<CloseFn>(reinterpret_cast<void (*)()>(real));
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&CountingClose));
  }
  if (std::strcmp(name, "IsAppThemed") == 0) return nullptr;
  return real;
}
HMODULE RealGetModule(LPCWSTR name) { return ::GetModuleHandleW(name); }
HMODULE RealLoad(LPCWSTR name) { return ::LoadLibraryW(name); }
BOOL RealFree(HMODULE m) { return ::FreeLibrary(m); }

const CExtModuleLoader kMissing{&NoModule, &NoModule, &NoProc, &NoFree};
const CExtModuleLoader kCounting{&RealGetModule, &RealLoad, &CountingProc, &RealFree};

TEST(UxThemeWrapper, MissingLibraryMakesEveryCallANoOp) {
  CExtUxTheme ux(kMissing);
  EXPECT_FALSE(ux.IsModuleLoaded());
  EXPECT_EQ(ux.GetCommonControlsVersion(), 0u);
  for (const char* name : CExtUxTheme::kFunctionNames) EXPECT_EQ(ux.BoundFunction(name), nullptr) << name;
  HWND desktop = ::GetDesktopWindow();
  EXPECT_EQ(ux.OpenThemeData(desktop, L"BUTTON"), nullptr);
  EXPECT_EQ(ux.OpenThemeDataEx(desktop, L"BUTTON", 0), nullptr);
  EXPECT_FALSE(ux.IsThemeOpen());
  HDC dc = ::GetDC(nullptr);
  RECT rc{0, 0, 10, 10};
  SIZE size{};
  COLORREF color = 0;
  int metric = 0;
  wchar_t file[MAX_PATH] = {}, colorName[MAX_PATH] = {};
  EXPECT_EQ(ux.DrawThemeBackground(nullptr, dc, 1, 1, &rc, nullptr), 1);
  EXPECT_EQ(ux.DrawThemeText(dc, 1, 1, L"x", 1, 0, 0, &rc), 1);
  EXPECT_EQ(ux.DrawThemeTextEx(dc, 1, 1, CString(L"x"), 1, 0, &rc, nullptr), 1);
  EXPECT_EQ(ux.GetThemeTextExtent(dc, 1, 1, CString(L"x"), 1, 0, &rc, &rc), 1);
  EXPECT_EQ(ux.GetThemePartSize(dc, 1, 1, &rc, TS_TRUE, &size), 1);
  EXPECT_EQ(ux.GetThemeColor(1, 1, 3804, &color), 1);
  EXPECT_EQ(ux.GetThemeMetric(dc, 1, 1, 1, &metric), 1);
  EXPECT_EQ(ux.GetCurrentThemeName(file, MAX_PATH, colorName, MAX_PATH, nullptr, 0), 1);
  EXPECT_FALSE(ux.IsThemeActive());
  EXPECT_EQ(ux.GetThemeAppProperties(), 0u);
  EXPECT_FALSE(ux.IsAppThemed());
  EXPECT_FALSE(ux.IsControlsThemed(false));
  EXPECT_EQ(ux.CloseThemeData(false), 0);
  ::ReleaseDC(nullptr, dc);
}

TEST(UxThemeWrapper, MissingFunctionOnlyThatCallFallsBack) {
  CExtUxTheme ux(kCounting);
  ASSERT_TRUE(ux.IsModuleLoaded());
  EXPECT_EQ(ux.BoundFunction("IsAppThemed"), nullptr);
  EXPECT_FALSE(ux.IsAppThemed());
  EXPECT_NE(ux.BoundFunction("DrawThemeBackground"), nullptr);
  EXPECT_NE(ux.BoundFunction("DrawThemeBackgroundEx"), nullptr);
}

class UxThemeCache : public ::testing::Test {
 protected:
  void SetUp() override {
    g_opens = g_closes = 0;
    button = ::CreateWindowExW(0, L"BUTTON", L"b", WS_POPUP, 0, 0, 40, 20, nullptr, nullptr, nullptr, nullptr);
    edit = ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 40, 20, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    if (::IsWindow(button)) ::DestroyWindow(button);
    if (::IsWindow(edit)) ::DestroyWindow(edit);
  }
  HWND button = nullptr, edit = nullptr;
};

TEST_F(UxThemeCache, SameWindowAndClassReuseTheHandle) {
  CExtUxTheme ux(kCounting);
  HTHEME first = ux.OpenThemeData(button, L"BUTTON");
  ASSERT_NE(first, nullptr);  // Wine's visual style is active
  EXPECT_EQ(ux.OpenThemeData(button, L"button"), first);
  EXPECT_EQ(g_opens, 1);
  // Another class closes the cached handle first.
  HTHEME toolbar = ux.OpenThemeData(button, L"TOOLBAR");
  EXPECT_NE(toolbar, nullptr);
  EXPECT_EQ(g_opens, 2);
  EXPECT_EQ(g_closes, 1);
  // A request that is merely the beginning of the cached class list is another request.
  ASSERT_NE(ux.OpenThemeData(button, L"TOOLBAR;BUTTON"), nullptr);
  ASSERT_NE(ux.OpenThemeData(button, L"TOOLBAR"), nullptr);
  EXPECT_EQ(g_opens, 4);
  // Keep leaves the handle open; closing forgets it.
  EXPECT_EQ(ux.CloseThemeData(true), 0);
  EXPECT_TRUE(ux.IsThemeOpen());
  ux.CloseThemeData(false);
  EXPECT_FALSE(ux.IsThemeOpen());
  EXPECT_EQ(g_closes, 4);
}

TEST_F(UxThemeCache, EmptyClassListMeansTheWindowClass) {
  CExtUxTheme ux(kCounting);
  ASSERT_NE(ux.OpenThemeData(edit, L""), nullptr);
  EXPECT_EQ(::lstrcmpiW(g_lastClassList.c_str(), L"Edit"), 0);
  ux.CloseThemeData(false);
}

TEST_F(UxThemeCache, DestroyedWindowOpensAfreshWithoutLeakingTheHandle) {
  CExtUxTheme ux(kCounting);
  ASSERT_NE(ux.OpenThemeData(button, L"BUTTON"), nullptr);
  ::DestroyWindow(button);
  // The cached window is gone: the next open opens afresh, and the old handle is closed.
  ASSERT_NE(ux.OpenThemeData(button, L"BUTTON"), nullptr);
  EXPECT_EQ(g_opens, 2);
  EXPECT_EQ(g_closes, 1);
}

TEST(UxThemeWrapper, SystemBindingOnThisSystem) {
  CExtUxTheme ux;
  EXPECT_TRUE(ux.IsModuleLoaded());
  for (const char* name : {"OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText",
                           "GetThemeColor", "IsAppThemed", "IsThemeActive", "GetCurrentThemeName"})
    EXPECT_NE(ux.BoundFunction(name), nullptr) << name;
  // Wine reports common controls 5.81.
  EXPECT_EQ(HIWORD(ux.GetCommonControlsVersion()), 5);
  EXPECT_FALSE(ux.IsControlsThemed(true));
}

TEST(DwmWrapper, MissingLibraryAndThisSystem) {
  CExtDWM missing(kMissing);
  EXPECT_FALSE(missing.IsModuleLoaded());
  BOOL enabled = TRUE;
  EXPECT_EQ(missing.DwmIsCompositionEnabled(&enabled), 1);
  EXPECT_FALSE(missing.IsCompositionEnabled());
  for (const char* name : CExtDWM::kFunctionNames) EXPECT_EQ(missing.BoundFunction(name), nullptr) << name;

  CExtDWM dwm;
  EXPECT_TRUE(dwm.IsModuleLoaded());
  EXPECT_NE(dwm.BoundFunction("DwmIsCompositionEnabled"), nullptr);
  EXPECT_FALSE(dwm.IsCompositionEnabled());  // Wine has no composition
}

}  // namespace
