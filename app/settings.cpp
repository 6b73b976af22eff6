#include "app/settings.h"

#include "app/app_utils.h"

void ProfileNameSwap::Restore(CWinApp* app) {
  if (m_restored) return;
  m_restored = true;
  if (app && app->m_pszProfileName == m_iniPath.GetString()) app->m_pszProfileName = m_previousName;
}

ProfileNameSwap* RedirectProfileToAppData() {
  auto* swap = new ProfileNameSwap;
  CWinApp* app = AfxGetApp();
  swap->m_previousName = app ? app->m_pszProfileName : nullptr;
  CString folder = GetAppDataFolder();
  if (!folder.IsEmpty()) swap->m_iniPath = folder + L"\\" + kSettingsFileName;
  if (app) app->m_pszProfileName = swap->m_iniPath.GetString();
  return swap;
}

CString ReadProfileString(LPCTSTR section, LPCTSTR key) {
  CWinApp* app = AfxGetApp();
  return app ? app->GetProfileString(section, key, nullptr) : CString();
}
