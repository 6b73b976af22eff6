#include "toolkit/foundation/cmd_manager.h"

#include "toolkit/foundation/cmd_icon.h"
#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/pm_holder.h"

namespace {

const wchar_t kDefaultProfile[] = L"default";

LPCTSTR NameOrDefault(LPCTSTR name) { return name != nullptr ? name : kDefaultProfile; }

}  // namespace

CExtCmdManager::CExtCmdManager() { EnsureProfile(kDefaultProfile); }

CExtCmdManager::~CExtCmdManager() {
  for (auto* pair = m_mapProfiles.PGetFirstAssoc(); pair != nullptr; pair = m_mapProfiles.PGetNextAssoc(pair))
    delete pair->value;
  m_mapProfiles.RemoveAll();
  m_mapWindowProfiles.RemoveAll();
}

CExtCmdProfile* CExtCmdManager::ProfileGetPtr(LPCTSTR profileName) const {
  CExtCmdProfile* profile = nullptr;
  return m_mapProfiles.Lookup(NameOrDefault(profileName), profile) ? profile : nullptr;
}

void CExtCmdManager::ClearProfileCommands(LPCTSTR profileName) {
  if (CExtCmdProfile* profile = ProfileGetPtr(profileName)) profile->ClearCommands();
}

void CExtCmdManager::OnPaintManagerChangedAllProfiles() {
  for (auto* pair = m_mapProfiles.PGetFirstAssoc(); pair != nullptr; pair = m_mapProfiles.PGetNextAssoc(pair))
    pair->value->OnPaintManagerChangedAll();
}

void CExtCmdManager::OnSysColorChangeAllProfiles(CExtPaintManager* manager) {
  for (auto* pair = m_mapProfiles.PGetFirstAssoc(); pair != nullptr; pair = m_mapProfiles.PGetNextAssoc(pair))
    pair->value->OnSysColorChangeAll(manager);
}

void CExtCmdManager::OnSettingChangeAllProfiles(CExtPaintManager* manager, UINT flags, LPCTSTR section) {
  for (auto* pair = m_mapProfiles.PGetFirstAssoc(); pair != nullptr; pair = m_mapProfiles.PGetNextAssoc(pair))
    pair->value->OnSettingChangeAll(manager, flags, section);
}

void CExtCmdManager::OnDisplayChangeAllProfiles(CExtPaintManager* manager, INT depth, INT cx, INT cy) {
  for (auto* pair = m_mapProfiles.PGetFirstAssoc(); pair != nullptr; pair = m_mapProfiles.PGetNextAssoc(pair))
    pair->value->OnDisplayChangeAll(manager, depth, cx, cy);
}

void CExtCmdManager::OnThemeChangedAllProfiles(CExtPaintManager* manager, WPARAM wParam, LPARAM lParam) {
  for (auto* pair = m_mapProfiles.PGetFirstAssoc(); pair != nullptr; pair = m_mapProfiles.PGetNextAssoc(pair))
    pair->value->OnThemeChangedAll(manager, wParam, lParam);
}

bool CExtCmdManager::EnsureProfile(LPCTSTR profileName, HWND window, CExtCmdProfile* adopt) {
  if (profileName == nullptr || *profileName == L'\0') profileName = kDefaultProfile;
  CExtCmdProfile* existing = nullptr;
  if (!m_mapProfiles.Lookup(profileName, existing)) {
    CExtCmdProfile* profile = adopt != nullptr ? adopt : new CExtCmdProfile(profileName);
    profile->m_strName = profileName;  // the name it is found by is the name it reports
    m_mapProfiles.SetAt(profileName, profile);
  }
  return window != nullptr ? BindWindow(profileName, window) : true;
}

bool CExtCmdManager::BindWindow(LPCTSTR profileName, HWND window) {
  if (window == nullptr) return false;
  CExtCmdProfile* profile = ProfileGetPtr(profileName);
  if (profile == nullptr) return false;
  CExtCmdProfile* bound = nullptr;
  if (!m_mapWindowProfiles.Lookup(window, bound)) m_mapWindowProfiles.SetAt(window, profile);
  return true;
}

bool CExtCmdManager::UnbindWindow(HWND window, bool dropOrphanProfile, bool* profileDropped) {
  if (profileDropped != nullptr) *profileDropped = false;
  if (window == nullptr) return false;
  CExtCmdProfile* profile = nullptr;
  if (!m_mapWindowProfiles.Lookup(window, profile)) return false;
  m_mapWindowProfiles.RemoveKey(window);
  if (!dropOrphanProfile) return true;
  for (auto* pair = m_mapWindowProfiles.PGetFirstAssoc(); pair != nullptr;
       pair = m_mapWindowProfiles.PGetNextAssoc(pair)) {
    if (pair->value == profile) return true;  // another window still uses it
  }
  for (auto* pair = m_mapProfiles.PGetFirstAssoc(); pair != nullptr; pair = m_mapProfiles.PGetNextAssoc(pair)) {
    if (pair->value == profile) {
      const CString key = pair->key;
      m_mapProfiles.RemoveKey(key);
      break;
    }
  }
  delete profile;
  if (profileDropped != nullptr) *profileDropped = true;
  return true;
}

LPCTSTR CExtCmdManager::LookupWindowProfileName(HWND window) const {
  while (window != nullptr) {
    CExtCmdProfile* profile = nullptr;
    if (m_mapWindowProfiles.Lookup(window, profile)) return profile->m_strName.GetString();
    HWND parent = ::GetParent(window);
    if (parent == nullptr) return nullptr;
    // A control inside a bar belongs to the bar's frame, also while the bar floats in its own
    // small frame.
    if (auto* bar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(parent))) {
      if (!bar->IsDockBar() && bar->m_pDockSite != nullptr && bar->m_pDockSite->GetSafeHwnd() != nullptr)
        parent = bar->m_pDockSite->GetSafeHwnd();
    }
    window = parent;
  }
  return nullptr;
}

bool CExtCmdManager::PutCommandInProfile(LPCTSTR profileName, const CExtCmdItem& item, bool replace, bool* added) {
  if (added != nullptr) *added = false;
  CExtCmdProfile* profile = ProfileGetPtr(profileName);
  return profile != nullptr && profile->PutCommand(item, replace, added);
}

bool CExtCmdManager::DropCommand(LPCTSTR profileName, UINT id, bool* removed) {
  if (removed != nullptr) *removed = false;
  CExtCmdProfile* profile = ProfileGetPtr(profileName);
  return profile != nullptr && profile->DropCommand(id, removed);
}

void CExtCmdManager::DropCommandsByFlags(LPCTSTR profileName, DWORD stateMask, DWORD extraMask, bool allState,
                                         bool allExtra) {
  if (CExtCmdProfile* profile = ProfileGetPtr(profileName))
    profile->DropCommandsByFlags(stateMask, extraMask, allState, allExtra);
}

CExtCmdItem* CExtCmdManager::NewCommand(LPCTSTR profileName, UINT id) {
  CExtCmdProfile* profile = ProfileGetPtr(profileName);
  return profile != nullptr ? profile->NewCommand(id) : nullptr;
}

CExtCmdItem* CExtCmdManager::FindCommand(LPCTSTR profileName, UINT id) const {
  CExtCmdProfile* profile = ProfileGetPtr(profileName);
  return profile != nullptr ? profile->FindCommand(id) : nullptr;
}

bool CExtCmdManager::SetCommandIcon(LPCTSTR profileName, UINT id, const CExtCmdIcon* icon) {
  CExtCmdProfile* profile = ProfileGetPtr(profileName);
  if (profile == nullptr) return false;
  if (icon != nullptr && icon->IsBlank()) icon = nullptr;
  return profile->SetCommandIcon(id, const_cast<CExtCmdIcon*>(icon), false);
}

CExtCmdIcon* CExtCmdManager::FindCommandIcon(LPCTSTR profileName, UINT id) const {
  CExtCmdProfile* profile = ProfileGetPtr(profileName);
  return profile != nullptr ? profile->FindCommandIcon(id) : nullptr;
}

bool CExtCmdManager::ImportMenuHandle(LPCTSTR profileName, HMENU menu, bool replace, bool recurse, bool loadTips) {
  CExtCmdProfile* profile = ProfileGetPtr(profileName);
  return profile != nullptr && profile->ImportMenuHandle(menu, replace, recurse, loadTips);
}

bool CExtCmdManager::ImportMenuResource(LPCTSTR profileName, UINT menuId, bool replace, bool loadTips) {
  CExtCmdProfile* profile = ProfileGetPtr(profileName);
  return profile != nullptr && profile->ImportMenuResource(menuId, replace, loadTips);
}

bool CExtCmdManager::ImportToolbarResource(LPCTSTR profileName, UINT toolbarId, UINT** ids, INT* count,
                                           bool replace, bool loadTips, COLORREF transparent) {
  CExtCmdProfile* profile = ProfileGetPtr(profileName);
  return profile != nullptr && profile->ImportToolbarResource(toolbarId, ids, count, replace, loadTips, transparent);
}

bool CExtCmdManager::MarkBasicCommands(LPCTSTR profileName, const UINT* ids, bool on) {
  CExtCmdProfile* profile = ProfileGetPtr(profileName);
  return profile != nullptr && profile->MarkBasicCommands(ids, on);
}

namespace {
void RelayPaintManagerChangedToCommands() { g_CommandManagerHolder.RelayPaintManagerChanged(); }
}  // namespace

CExtCmdManager::CExtCmdManagerAutoPtr::CExtCmdManagerAutoPtr() : m_pManager(new CExtCmdManager) {
  g_pfnPaintManagerChangedRelay = &RelayPaintManagerChangedToCommands;
}

CExtCmdManager::CExtCmdManagerAutoPtr::~CExtCmdManagerAutoPtr() {
  if (g_pfnPaintManagerChangedRelay == &RelayPaintManagerChangedToCommands) g_pfnPaintManagerChangedRelay = nullptr;
  delete m_pManager;
  m_pManager = nullptr;
}

void CExtCmdManager::CExtCmdManagerAutoPtr::RelayPaintManagerChanged() {
  if (m_pManager != nullptr) m_pManager->OnPaintManagerChangedAllProfiles();
}

void CExtCmdManager::CExtCmdManagerAutoPtr::RelaySysColorChange(CExtPaintManager* manager, CWnd* window) {
  if (m_pManager != nullptr && g_PaintManagerHolder.IsDesignatedNotifier(window))
    m_pManager->OnSysColorChangeAllProfiles(manager);
}

void CExtCmdManager::CExtCmdManagerAutoPtr::RelaySettingChange(CExtPaintManager* manager, CWnd* window, UINT flags,
                                                              LPCTSTR section) {
  if (m_pManager != nullptr && g_PaintManagerHolder.IsDesignatedNotifier(window))
    m_pManager->OnSettingChangeAllProfiles(manager, flags, section);
}

void CExtCmdManager::CExtCmdManagerAutoPtr::RelayDisplayChange(CExtPaintManager* manager, CWnd* window, INT depth,
                                                              INT cx, INT cy) {
  if (m_pManager != nullptr && g_PaintManagerHolder.IsDesignatedNotifier(window))
    m_pManager->OnDisplayChangeAllProfiles(manager, depth, cx, cy);
}

void CExtCmdManager::CExtCmdManagerAutoPtr::RelayThemeChanged(CExtPaintManager* manager, CWnd* window, WPARAM wParam,
                                                             LPARAM lParam) {
  if (m_pManager != nullptr && g_PaintManagerHolder.IsDesignatedNotifier(window))
    m_pManager->OnThemeChangedAllProfiles(manager, wParam, lParam);
}

CExtCmdManager::CExtCmdManagerAutoPtr g_CommandManagerHolder;
