#include "framework/ctrl_basic.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

namespace fw::detail {

// Owner-draw reflection: the class's own map entry first, else the virtual.
template <typename Ctrl>
BOOL ReflectDrawItem(Ctrl* ctrl, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (ctrl->ReflectChildNotify(message, wParam, lParam, pResult)) return TRUE;
  if (message != WM_DRAWITEM || lParam == 0) return FALSE;
  ctrl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (pResult) *pResult = TRUE;
  return TRUE;
}

}  // namespace fw::detail

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(L"STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return fw::detail::ReflectDrawItem(this, message, wParam, lParam, pResult);
}

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(L"BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return fw::detail::ReflectDrawItem(this, message, wParam, lParam, pResult);
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(L"EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const {
  if (lpszBuffer == nullptr || nMaxLength <= 0) return 0;
  // EM_GETLINE takes the buffer size in the buffer's first word.
  *reinterpret_cast<WORD*>(lpszBuffer) = static_cast<WORD>(std::min(nMaxLength, 0xFFFF));
  return static_cast<int>(SendMessage(EM_GETLINE, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}

CString CEdit::GetLine(int nIndex) const {
  int start = LineIndex(nIndex);
  if (start < 0) return CString();
  int length = LineLength(start);
  std::vector<wchar_t> text(static_cast<std::size_t>(std::max(length, 1)) + 1, 0);
  int n = GetLine(nIndex, text.data(), static_cast<int>(text.size()));
  return CString(text.data(), std::min(n, length));
}

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(L"SCROLLBAR", nullptr, dwStyle, rect, pParentWnd, nID);
}
