#include "framework/ctrl_lists.h"

#include <vector>

IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)

namespace {

// The four owner-draw messages go to the control's own map entry first, else
// to its virtual operation.
template <typename Ctrl>
BOOL ReflectOwnerDraw(Ctrl* ctrl, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (ctrl->ReflectChildNotify(message, wParam, lParam, pResult)) return TRUE;
  if (lParam == 0) return FALSE;
  LRESULT result = TRUE;
  switch (message) {
    case WM_DRAWITEM: ctrl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
    case WM_MEASUREITEM: ctrl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
    case WM_COMPAREITEM: result = ctrl->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)); break;
    case WM_DELETEITEM: ctrl->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); break;
    default: return FALSE;
  }
  if (pResult) *pResult = result;
  return TRUE;
}

}  // namespace

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(L"LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CListBox::GetText(int nIndex, CString& rString) const {
  int n = GetTextLen(nIndex);
  if (n == LB_ERR) {
    rString.Empty();
    return FALSE;
  }
  std::vector<wchar_t> text(static_cast<std::size_t>(n) + 1, 0);
  int got = GetText(nIndex, text.data());
  rString = CString(text.data(), got < 0 ? 0 : got);
  return got >= 0;
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
// Without a comparison of its own the list keeps insertion order.
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectOwnerDraw(this, message, wParam, lParam, pResult);
}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(L"COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
  int n = GetLBTextLen(nIndex);
  if (n == CB_ERR) {
    rString.Empty();
    return;
  }
  std::vector<wchar_t> text(static_cast<std::size_t>(n) + 1, 0);
  int got = GetLBText(nIndex, text.data());
  rString = CString(text.data(), got < 0 ? 0 : got);
}

BOOL CComboBox::GetComboBoxInfo(PCOMBOBOXINFO pcbi) const {
  if (pcbi == nullptr) return FALSE;
  pcbi->cbSize = sizeof(COMBOBOXINFO);
  return ::GetComboBoxInfo(m_hWnd, pcbi);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectOwnerDraw(this, message, wParam, lParam, pResult);
}
