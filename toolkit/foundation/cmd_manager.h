// The command manager: every command profile by name, and the windows bound to profiles, so
// that a bar, a menu or a control finds its commands through the window it lives in. One
// manager exists, owned by g_CommandManagerHolder (also reachable as g_CmdManager).
#pragma once

#include "framework/afxwin.h"
#include "toolkit/foundation/cmd_profile.h"

class CExtCmdManager {
 public:
  class CExtCmdManagerAutoPtr;

  CExtCmdManager();
  CExtCmdManager(const CExtCmdManager&) = delete;
  CExtCmdManager& operator=(const CExtCmdManager&) = delete;

  virtual ~CExtCmdManager();
  virtual void ClearProfileCommands(LPCTSTR profileName = nullptr);
  virtual void OnPaintManagerChangedAllProfiles();
  virtual void OnSysColorChangeAllProfiles(CExtPaintManager* manager);
  virtual void OnSettingChangeAllProfiles(CExtPaintManager* manager, UINT flags, LPCTSTR section);
  virtual void OnDisplayChangeAllProfiles(CExtPaintManager* manager, INT depth, INT cx, INT cy);
  virtual void OnThemeChangedAllProfiles(CExtPaintManager* manager, WPARAM wParam, LPARAM lParam);

  // Makes the profile when the name is new (adopting the given object, which the manager then
  // owns; a given object is not taken when the name exists) and binds the window to it when
  // one is given. A null or empty name is "default".
  bool EnsureProfile(LPCTSTR profileName, HWND window = nullptr, CExtCmdProfile* adopt = nullptr);
  bool BindWindow(LPCTSTR profileName, HWND window);
  bool UnbindWindow(HWND window, bool dropOrphanProfile = false, bool* profileDropped = nullptr);
  // The profile of the window, of the nearest bound parent, or of the dock site of a
  // control bar on the way; null when none is bound.
  LPCTSTR LookupWindowProfileName(HWND window) const;
  CExtCmdProfile* ProfileGetPtr(LPCTSTR profileName) const;

  bool PutCommandInProfile(LPCTSTR profileName, const CExtCmdItem& item, bool replace = false,
                           bool* added = nullptr);
  bool DropCommand(LPCTSTR profileName, UINT id, bool* removed = nullptr);
  void DropCommandsByFlags(LPCTSTR profileName, DWORD stateMask, DWORD extraMask = 0, bool allState = false,
                           bool allExtra = false);
  CExtCmdItem* NewCommand(LPCTSTR profileName, UINT id = 0);
  CExtCmdItem* FindCommand(LPCTSTR profileName, UINT id) const;
  // The profile keeps a copy; a blank icon removes the command's icon.
  bool SetCommandIcon(LPCTSTR profileName, UINT id, const CExtCmdIcon* icon);
  CExtCmdIcon* FindCommandIcon(LPCTSTR profileName, UINT id) const;
  bool ImportMenuHandle(LPCTSTR profileName, HMENU menu, bool replace = false, bool recurse = true,
                        bool loadTips = true);
  bool ImportMenuResource(LPCTSTR profileName, UINT menuId, bool replace = false, bool loadTips = true);
  bool ImportToolbarResource(LPCTSTR profileName, UINT toolbarId, UINT** ids = nullptr, INT* count = nullptr,
                             bool replace = false, bool loadTips = true,
                             COLORREF transparent = static_cast<COLORREF>(-1));
  bool MarkBasicCommands(LPCTSTR profileName, const UINT* ids, bool on = true);

  CMap<CString, LPCTSTR, CExtCmdProfile*, CExtCmdProfile*> m_mapProfiles{10};
  CMap<HWND, HWND, CExtCmdProfile*, CExtCmdProfile*> m_mapWindowProfiles{10};
};

class CExtCmdManager::CExtCmdManagerAutoPtr {
 public:
  CExtCmdManagerAutoPtr();
  ~CExtCmdManagerAutoPtr();
  CExtCmdManagerAutoPtr(const CExtCmdManagerAutoPtr&) = delete;
  CExtCmdManagerAutoPtr& operator=(const CExtCmdManagerAutoPtr&) = delete;

  CExtCmdManager* operator->() { return m_pManager; }
  CExtCmdManager* GetCmdManager() { return m_pManager; }

  // Theme and system changes reach every command icon once: the paint-manager change always,
  // the broadcasts only from the window that forwards them for its frame.
  void RelayPaintManagerChanged();
  void RelaySysColorChange(CExtPaintManager* manager, CWnd* window);
  void RelaySettingChange(CExtPaintManager* manager, CWnd* window, UINT flags, LPCTSTR section);
  void RelayDisplayChange(CExtPaintManager* manager, CWnd* window, INT depth, INT cx, INT cy);
  void RelayThemeChanged(CExtPaintManager* manager, CWnd* window, WPARAM wParam, LPARAM lParam);

 private:
  CExtCmdManager* m_pManager;
};

extern CExtCmdManager::CExtCmdManagerAutoPtr g_CommandManagerHolder;
inline CExtCmdManager::CExtCmdManagerAutoPtr& g_CmdManager = g_CommandManagerHolder;
