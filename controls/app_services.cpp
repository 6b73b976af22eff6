#include "controls/app_services.h"

namespace {

AppServices* g_services = nullptr;

}  // namespace

AppServices::AppServices() { m_dialogBrush.CreateSolidBrush(kThemedDialogColor); }

AppServices::~AppServices() {
  if (g_services == this) g_services = nullptr;
}

AppServices* GetAppServices() { return g_services; }

void RegisterAppServices(AppServices* services) { g_services = services; }

bool AppUsesBVTheme() { return g_services && g_services->m_useBVTheme != 0; }

HBRUSH ThemedDialogCtlBrush(CDC* dc, HBRUSH standard) {
  if (!AppUsesBVTheme() || dc == nullptr) return standard;
  dc->SetBkMode(TRANSPARENT);
  return static_cast<HBRUSH>(g_services->m_dialogBrush.GetSafeHandle());
}

bool AppUsesHiLo() { return g_services && g_services->m_useHiLo != 0; }

CThemeHelperST* AppThemeHelper() { return g_services ? &g_services->m_themeHelper : nullptr; }

CFontContainer* AppFonts() {
  if (g_services && g_services->m_fonts) return g_services->m_fonts;
  // Deliberately never destroyed: labels may still paint while static objects go away.
  static CFontContainer* own = new CFontContainer;
  return own;
}

COLORREF AppDialogBackground() {
  return AppUsesBVTheme() ? kThemedDialogColor : ::GetSysColor(COLOR_BTNFACE);
}
