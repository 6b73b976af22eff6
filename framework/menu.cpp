#include "framework/menu.h"

#include <vector>

#include "framework/fwinternal.h"
#include "framework/fwstate.h"
#include "framework/gdi.h"
#include "framework/wnd.h"

using fw::detail::HandleKind;

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

void ReleaseTemporaryMenu(CObject* object) {
  auto* menu = static_cast<CMenu*>(object);
  menu->m_hMenu = nullptr;
  delete menu;
}

}  // namespace

CMenu::~CMenu() { DestroyMenu(); }

CMenu* AFXAPI CMenu::FromHandle(HMENU hMenu) {
  if (hMenu == nullptr) return nullptr;
  if (CObject* p = fw::detail::PermanentLookup(HandleKind::Menu, hMenu)) return static_cast<CMenu*>(p);
  if (CObject* p = fw::detail::TemporaryLookup(HandleKind::Menu, hMenu)) return static_cast<CMenu*>(p);
  CMenu* menu = new CMenu;
  menu->m_hMenu = hMenu;
  fw::detail::TemporaryAdd(HandleKind::Menu, hMenu, menu, &ReleaseTemporaryMenu);
  return menu;
}

void AFXAPI CMenu::DeleteTempMap() { fw::detail::DeleteTemporaries(HandleKind::Menu); }

BOOL CMenu::Attach(HMENU hMenu) {
  if (hMenu == nullptr) return FALSE;
  if (m_hMenu != nullptr && m_hMenu != hMenu) DestroyMenu();
  m_hMenu = hMenu;
  fw::detail::PermanentAdd(HandleKind::Menu, hMenu, this);
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU h = m_hMenu;
  if (h != nullptr) fw::detail::PermanentRemove(HandleKind::Menu, h, this);
  m_hMenu = nullptr;
  return h;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }

BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) {
  HINSTANCE h = AfxFindResourceHandle(lpszResourceName, RT_MENU);
  return Attach(::LoadMenuW(h, lpszResourceName));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate) { return Attach(::LoadMenuIndirectW(lpMenuTemplate)); }

BOOL CMenu::DestroyMenu() {
  if (m_hMenu == nullptr) return FALSE;
  return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp) {
  return ::AppendMenuW(m_hMenu, nFlags | MF_BITMAP, nIDNewItem,
                       reinterpret_cast<LPCWSTR>(pBmp ? static_cast<HBITMAP>(*pBmp) : nullptr));
}

BOOL CMenu::SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked, const CBitmap* pBmpChecked) {
  return ::SetMenuItemBitmaps(m_hMenu, nPosition, nFlags, pBmpUnchecked ? static_cast<HBITMAP>(*pBmpUnchecked) : nullptr,
                              pBmpChecked ? static_cast<HBITMAP>(*pBmpChecked) : nullptr);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  int n = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
  if (n <= 0) {
    rString.Empty();
    return 0;
  }
  std::vector<wchar_t> text(static_cast<std::size_t>(n) + 1, 0);
  n = ::GetMenuStringW(m_hMenu, nIDItem, text.data(), n + 1, nFlags);
  rString = CString(text.data(), n);
  return n;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->GetSafeHwnd() : nullptr, lpRect);
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm) {
  return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, pWnd ? pWnd->GetSafeHwnd() : nullptr, lptpm);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
