#include "framework/clipboard.h"

#include <cstring>

CClipboard::CClipboard(HWND hWndOwner, DWORD dwTimeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (::OpenClipboard(hWndOwner)) {
      m_bOpen = TRUE;
      return;
    }
    if (::GetTickCount() - start >= dwTimeoutMs) return;
    ::Sleep(10);
  }
}

CClipboard::~CClipboard() {
  if (m_bOpen) ::CloseClipboard();
}

BOOL CClipboard::Empty() { return m_bOpen && ::EmptyClipboard(); }

BOOL CClipboard::SetData(UINT nFormat, const void* pData, SIZE_T nBytes) {
  if (!m_bOpen || (pData == nullptr && nBytes != 0)) return FALSE;
  HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, nBytes ? nBytes : 1);
  if (hData == nullptr) return FALSE;
  void* p = ::GlobalLock(hData);
  if (p == nullptr) {
    ::GlobalFree(hData);
    return FALSE;
  }
  if (nBytes) std::memcpy(p, pData, nBytes);
  ::GlobalUnlock(hData);
  // On success the clipboard owns the memory.
  if (::SetClipboardData(nFormat, hData) == nullptr) {
    ::GlobalFree(hData);
    return FALSE;
  }
  return TRUE;
}

BOOL CClipboard::GetData(UINT nFormat, std::vector<BYTE>& data) const {
  data.clear();
  if (!m_bOpen) return FALSE;
  HANDLE hData = ::GetClipboardData(nFormat);
  if (hData == nullptr) return FALSE;
  SIZE_T size = ::GlobalSize(hData);
  const void* p = ::GlobalLock(hData);
  if (p == nullptr) return FALSE;
  data.assign(static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + size);
  ::GlobalUnlock(hData);
  return TRUE;
}

BOOL CClipboard::SetText(LPCTSTR lpszText) {
  if (lpszText == nullptr) lpszText = L"";
  return SetData(CF_UNICODETEXT, lpszText, (std::wcslen(lpszText) + 1) * sizeof(wchar_t));
}

BOOL CClipboard::GetText(CString& rText) const {
  rText.Empty();
  std::vector<BYTE> data;
  if (!GetData(CF_UNICODETEXT, data)) return FALSE;
  // The memory block may be larger than the text: stop at the first zero.
  std::size_t chars = data.size() / sizeof(wchar_t);
  const auto* text = reinterpret_cast<const wchar_t*>(data.data());
  std::size_t n = 0;
  while (n < chars && text[n] != 0) ++n;
  rText = CString(text, static_cast<int>(n));
  return TRUE;
}

BOOL CClipboard::CopyText(LPCTSTR lpszText, HWND hWndOwner) {
  CClipboard clipboard(hWndOwner);
  return clipboard.Empty() && clipboard.SetText(lpszText);
}

CString CClipboard::PasteText(HWND hWndOwner) {
  CClipboard clipboard(hWndOwner);
  CString text;
  clipboard.GetText(text);
  return text;
}
