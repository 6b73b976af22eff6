// CMenu: a menu handle wrapper. The destructor destroys a menu still
// attached; detach a menu that a window or another menu owns.
#pragma once

#include "framework/cstring.h"
#include "framework/runtime.h"

class CBitmap;

class CMenu : public CObject {
  DECLARE_DYNCREATE(CMenu)
 public:
  CMenu() = default;
  ~CMenu() override;

  HMENU m_hMenu = nullptr;
  operator HMENU() const { return m_hMenu; }
  HMENU GetSafeHmenu() const { return fw::IsNull(this) ? nullptr : m_hMenu; }
  bool operator==(const CMenu& menu) const { return m_hMenu == menu.m_hMenu; }
  bool operator!=(const CMenu& menu) const { return m_hMenu != menu.m_hMenu; }

  static CMenu* AFXAPI FromHandle(HMENU hMenu);
  static void AFXAPI DeleteTempMap();
  BOOL Attach(HMENU hMenu);
  HMENU Detach();

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  // From the resource module (then the program).
  BOOL LoadMenu(LPCTSTR lpszResourceName);
  BOOL LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCE(nIDResource)); }
  BOOL LoadMenuIndirect(const void* lpMenuTemplate);
  BOOL DestroyMenu();

  BOOL DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr) {
    return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
  }
  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
  BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr) {
    return ::InsertMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
  }
  BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr) {
    return ::ModifyMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
  }
  BOOL RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
  BOOL InsertMenuItem(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE) {
    return ::InsertMenuItemW(m_hMenu, uItem, fByPos, lpMenuItemInfo);
  }
  UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
  UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
  BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags) {
    return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
  }
  BOOL SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked, const CBitmap* pBmpChecked);
  BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE) { return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos); }
  UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE) { return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags); }
  UINT GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
  UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
  UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
  int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const {
    return ::GetMenuStringW(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
  }
  int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
  BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE) {
    return ::GetMenuItemInfoW(m_hMenu, uItem, fByPos, lpMenuItemInfo);
  }
  BOOL SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE) {
    return ::SetMenuItemInfoW(m_hMenu, uItem, fByPos, lpMenuItemInfo);
  }
  CMenu* GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
  BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
  BOOL TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm);
  BOOL GetMenuInfo(LPMENUINFO lpcmi) const { return ::GetMenuInfo(m_hMenu, lpcmi); }
  BOOL SetMenuInfo(LPCMENUINFO lpcmi) { return ::SetMenuInfo(m_hMenu, lpcmi); }

  // Owner-drawn items.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

 private:
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;
};
