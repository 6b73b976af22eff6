// CClipboard: the system clipboard, open for the lifetime of the object.
// Another program may hold the clipboard for a moment: opening retries for up
// to dwTimeoutMs before giving up (IsOpen then reports FALSE and every
// operation fails).
#pragma once

#include <vector>

#include "framework/cstring.h"

class CClipboard {
 public:
  explicit CClipboard(HWND hWndOwner = nullptr, DWORD dwTimeoutMs = 500);
  ~CClipboard();
  CClipboard(const CClipboard&) = delete;
  CClipboard& operator=(const CClipboard&) = delete;

  BOOL IsOpen() const { return m_bOpen; }
  // Empties the clipboard and makes this program's window its owner.
  BOOL Empty();
  // Puts data of a format on the clipboard (after Empty, to replace what is
  // there); the bytes are copied.
  BOOL SetData(UINT nFormat, const void* pData, SIZE_T nBytes);
  BOOL GetData(UINT nFormat, std::vector<BYTE>& data) const;
  // Unicode text (CF_UNICODETEXT), with its terminating zero.
  BOOL SetText(LPCTSTR lpszText);
  BOOL GetText(CString& rText) const;

  static BOOL IsFormatAvailable(UINT nFormat) { return ::IsClipboardFormatAvailable(nFormat); }
  // Replaces the clipboard's contents by a text in one step.
  static BOOL CopyText(LPCTSTR lpszText, HWND hWndOwner = nullptr);
  // The clipboard's text; empty when there is none.
  static CString PasteText(HWND hWndOwner = nullptr);

 private:
  BOOL m_bOpen = FALSE;
};
