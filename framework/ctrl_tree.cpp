#include "framework/ctrl_tree.h"

#include <vector>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(WC_TREEVIEWW, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CTreeCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::CreateEx(dwExStyle, WC_TREEVIEWW, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  TVINSERTSTRUCTW tvis = {};
  tvis.hParent = hParent;
  tvis.hInsertAfter = hInsertAfter;
  tvis.item.mask = nMask;
  tvis.item.pszText = const_cast<LPWSTR>(lpszItem);
  tvis.item.iImage = nImage;
  tvis.item.iSelectedImage = nSelectedImage;
  tvis.item.state = nState;
  tvis.item.stateMask = nStateMask;
  tvis.item.lParam = lParam;
  return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
  return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent,
                    hInsertAfter);
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  TVHITTESTINFO info = {};
  info.pt = pt;
  HTREEITEM hItem = HitTest(&info);
  if (pFlags) *pFlags = info.flags;
  return hItem;
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const {
  TVITEMW item = {};
  item.hItem = hItem;
  item.mask = TVIF_CHILDREN;
  if (!GetItem(&item)) return FALSE;
  return item.cChildren != 0;
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  HIMAGELIST old = reinterpret_cast<HIMAGELIST>(SendMessage(
      TVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType),
      reinterpret_cast<LPARAM>(pImageList ? pImageList->GetSafeHandle() : nullptr)));
  return CImageList::FromHandle(old);
}

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                        UINT nStateMask, LPARAM lParam) {
  TVITEMW item = {};
  item.hItem = hItem;
  item.mask = nMask;
  item.pszText = const_cast<LPWSTR>(lpszItem);
  item.iImage = nImage;
  item.iSelectedImage = nSelectedImage;
  item.state = nState;
  item.stateMask = nStateMask;
  item.lParam = lParam;
  return SetItem(&item);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
  // The control does not say how long the text is: grow the buffer until
  // the text fits with room to spare.
  for (int size = 256; size <= (1 << 20); size *= 4) {
    std::vector<wchar_t> text(static_cast<std::size_t>(size), 0);
    TVITEMW item = {};
    item.hItem = hItem;
    item.mask = TVIF_TEXT;
    item.pszText = text.data();
    item.cchTextMax = size;
    if (!GetItem(&item)) return CString();
    const wchar_t* result = item.pszText ? item.pszText : L"";
    int length = static_cast<int>(wcsnlen(result, static_cast<std::size_t>(size)));
    if (length < size - 1 || result != text.data()) return CString(result, length);
  }
  return CString();
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const {
  TVITEMW item = {};
  item.hItem = hItem;
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  if (!GetItem(&item)) return FALSE;
  nImage = item.iImage;
  nSelectedImage = item.iSelectedImage;
  return TRUE;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
  TVITEMW item = {};
  item.hItem = hItem;
  item.mask = TVIF_PARAM;
  if (!GetItem(&item)) return 0;
  return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const {
  if (lpRect == nullptr) return FALSE;
  // The message takes the item in the rectangle it fills.
  *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
  return static_cast<BOOL>(SendMessage(TVM_GETITEMRECT, bTextOnly, reinterpret_cast<LPARAM>(lpRect)));
}

CEdit* CTreeCtrl::GetEditControl() const {
  return reinterpret_cast<CEdit*>(CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(TVM_GETEDITCONTROL))));
}
