// What the custom controls use of the application object: two settings, the shared dialog
// brush, the theme helper and the font cache.
//
// The application object derives from AppServices and registers itself while it lives
// (RegisterAppServices(this) in its constructor, nullptr in its destructor); it reads the
// settings and creates the font cache at start-up. Without a registered application the
// controls behave as they do without an application object: no theme, the game Omaha Hi, the
// system button-face colour, and fonts from a cache of the controls' own.
#pragma once

#include "controls/font_container.h"
#include "controls/theme_helper.h"
#include "framework/afxwin.h"

struct AppServices {
  AppServices();
  virtual ~AppServices();
  AppServices(const AppServices&) = delete;
  AppServices& operator=(const AppServices&) = delete;

  int m_useBVTheme = 0;               // "Global", "UseBVTheme"; the application sets it at start-up
  int m_useHiLo = 0;                  // "Global", "UseHiLo": 0 Omaha Hi, 1 Omaha Hi/Lo
  CBrush m_dialogBrush;               // RGB(245, 245, 245), alive for the whole run
  CThemeHelperST m_themeHelper;       // loads the visual-styles library
  CFontContainer* m_fonts = nullptr;  // created at start-up, deleted at exit
};

// The registered application, or null.
AppServices* GetAppServices();
void RegisterAppServices(AppServices* services);

// The dialog colour of the themed application, RGB(245, 245, 245).
constexpr COLORREF kThemedDialogColor = RGB(245, 245, 245);

bool AppUsesBVTheme();
bool AppUsesHiLo();
// What a dialog's WM_CTLCOLOR answer becomes: with the theme, the control's text drawn
// transparently on the themed dialog brush; otherwise the standard brush as it stands.
HBRUSH ThemedDialogCtlBrush(CDC* dc, HBRUSH standard);
// The application's theme helper; null without an application.
CThemeHelperST* AppThemeHelper();
// The application's font cache; without one, a cache of the controls' own that lives until
// the process ends. Never null.
CFontContainer* AppFonts();
// RGB(245, 245, 245) with the theme setting on, else the system button-face colour.
COLORREF AppDialogBackground();
