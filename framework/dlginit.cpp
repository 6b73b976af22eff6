// Dialog-init data: strings that a dialog template's list and combo boxes
// are filled with when the dialog starts.
#include <string>

#include "framework/fwres.h"
#include "framework/fwstate.h"
#include "framework/wnd.h"

namespace {

const LPCWSTR kDlgInitType = MAKEINTRESOURCEW(240);

// The legacy message numbers some tools write for the two add-string messages.
constexpr WORD kLegacyListAdd = 0x0401;
constexpr WORD kLegacyComboAdd = 0x0403;
// An extended combo box's item: inserted as the last item.
constexpr WORD kComboExInsert = 0x040B;
constexpr WORD kComboExInsertOld = 0x1234;

std::wstring Widen(const char* text, DWORD length) {
  // The string may or may not carry its terminating zero.
  while (length > 0 && text[length - 1] == 0) --length;
  if (length == 0) return std::wstring();
  const int n = ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), wide.data(), n);
  return wide;
}

}  // namespace

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName) {
  if (lpszResourceName == nullptr) return TRUE;
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, kDlgInitType);
  HRSRC info = ::FindResourceW(hInst, lpszResourceName, kDlgInitType);
  if (info == nullptr) return TRUE;
  HGLOBAL handle = ::LoadResource(hInst, info);
  const void* data = handle != nullptr ? ::LockResource(handle) : nullptr;
  if (data == nullptr) return FALSE;
  return ExecuteDlgInit(data, ::SizeofResource(hInst, info));
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource) { return ExecuteDlgInit(lpResource, 0xFFFFFFFFu); }

BOOL CWnd::ExecuteDlgInit(LPCVOID lpResource, DWORD cbResource) {
  if (lpResource == nullptr) return TRUE;
  const auto* p = static_cast<const BYTE*>(lpResource);
  const auto remaining = [&](const BYTE* at) { return cbResource - static_cast<DWORD>(at - p); };
  const BYTE* at = p;
  for (;;) {
    if (remaining(at) < sizeof(WORD)) return FALSE;
    WORD id;
    ::CopyMemory(&id, at, sizeof(id));
    if (id == 0) break;
    if (remaining(at) < 2 * sizeof(WORD) + sizeof(DWORD)) return FALSE;
    WORD message;
    DWORD length;
    ::CopyMemory(&message, at + 2, sizeof(message));
    ::CopyMemory(&length, at + 4, sizeof(length));
    at += 8;
    if (remaining(at) < length) return FALSE;
    const std::wstring text = Widen(reinterpret_cast<const char*>(at), length);
    at += length;
    HWND control = ::GetDlgItem(m_hWnd, id);
    if (control == nullptr) continue;  // a control the template no longer has
    LRESULT result = 0;
    switch (message) {
      case LB_ADDSTRING:
      case kLegacyListAdd:
        result = ::SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        break;
      case CB_ADDSTRING:
      case kLegacyComboAdd:
        result = ::SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        break;
      case kComboExInsert:
      case kComboExInsertOld: {
        COMBOBOXEXITEMW item = {};
        item.mask = CBEIF_TEXT;
        item.iItem = -1;
        item.pszText = const_cast<LPWSTR>(text.c_str());
        result = ::SendMessageW(control, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        break;
      }
      default:
        continue;  // not a message this data may send
    }
    if (result == -1) return FALSE;
  }
  SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}
