// A command profile: a named set of command items with their icons and usage statistics.
// The profile owns its items and icons; an item's icon index points into m_arrIcons.
#pragma once

#include "framework/afxwin.h"
#include "toolkit/foundation/cmd_item.h"

class CExtCmdProfile {
 public:
  explicit CExtCmdProfile(LPCTSTR name = nullptr);
  CExtCmdProfile(const CExtCmdProfile&) = delete;
  CExtCmdProfile& operator=(const CExtCmdProfile&) = delete;

  virtual ~CExtCmdProfile();
  // Stores a copy of the template, or updates the existing command from it (all its
  // non-empty texts with replace, only the texts it lacks without).
  virtual bool PutCommand(const CExtCmdItem& item, bool replace = false, bool* added = nullptr);
  virtual bool DropCommand(UINT id, bool* removed = nullptr);
  virtual void ClearCommands();
  virtual void DropCommandsByFlags(DWORD stateMask, DWORD extraMask = 0, bool allState = false,
                                   bool allExtra = false);
  // A blank command with the id, or with the first free id from 0xFFFE downwards for 0.
  virtual CExtCmdItem* NewCommand(UINT id = 0);
  virtual CExtCmdItem* FindCommand(UINT id) const;
  virtual bool SetCommandIcon(UINT id, CExtCmdIcon* icon, bool takeOwnership = false);
  virtual CExtCmdIcon* FindCommandIcon(UINT id) const;
  virtual bool HasCommand(UINT id) const { return FindCommand(id) != nullptr; }

  // Import from menus and tool bars (cmd_import.cpp).
  virtual bool ImportMenuResource(UINT menuId, bool replace = false, bool loadTips = true);
  virtual bool ImportMenuHandle(HMENU menu, bool replace = false, bool recurse = true, bool loadTips = true);
  virtual bool ImportToolbarResource(UINT toolbarId, UINT** ids = nullptr, INT* count = nullptr,
                                     bool replace = false, bool loadTips = true,
                                     COLORREF transparent = static_cast<COLORREF>(-1));
  // The buttons of a live common-controls tool bar, with icons from its image list.
  virtual bool ImportToolbarWindow(CWnd* toolBar, bool replace = false, bool loadTips = true);

  // Marks (or unmarks) the listed commands as basic; ids is ended by 0.
  virtual bool MarkBasicCommands(const UINT* ids, bool on = true);
  // The usage archive: five zeros, the total, (id, count) pairs of the archivable
  // commands and a closing 0, all 32-bit.
  virtual bool SerializeUsage(CArchive& ar, bool rethrow = false);
  // Stores the usage archive in the registry, or loads it from there (registry_archive.h).
  virtual bool ArchiveToRegistry(LPCTSTR part1, LPCTSTR part2, bool save, HKEY root = HKEY_CURRENT_USER,
                                 bool throwOnFailure = false);

  virtual void OnPaintManagerChangedAll();
  virtual void OnSysColorChangeAll(CExtPaintManager* manager);
  virtual void OnSettingChangeAll(CExtPaintManager* manager, UINT flags, LPCTSTR section);
  virtual void OnDisplayChangeAll(CExtPaintManager* manager, INT depth, INT cx, INT cy);
  virtual void OnThemeChangedAll(CExtPaintManager* manager, WPARAM wParam, LPARAM lParam);
  virtual void ResetAllUsage();
  virtual void AssignProfile(const CExtCmdProfile& other);
  virtual CExtCmdItem* CloneCommand(const CExtCmdItem& item) const { return new CExtCmdItem(item); }

  CString m_strName;
  UINT m_nRarelyUsedPercent = 10;
  UINT m_nTotalUsage = 0;
  CMap<UINT, UINT, CExtCmdItem*, CExtCmdItem*> m_mapCommands{10};
  CArray<CExtCmdIcon*, CExtCmdIcon*> m_arrIcons;
  DWORD m_dwReserved = 0;

 protected:
  // Deletes the icon at the index and moves every later index down by one.
  void RemoveIconAt(INT index);
  void DeleteAllIcons();
  void DeleteAllItems();
};
