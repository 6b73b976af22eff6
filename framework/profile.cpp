// The application's profile: an ini file, or the registry after SetRegistryKey.
#include <cstdlib>
#include <cwchar>
#include <vector>

#include "framework/app.h"

namespace {

bool HexValue(wchar_t c, BYTE& v) {
  if (c >= L'0' && c <= L'9') v = static_cast<BYTE>(c - L'0');
  else if (c >= L'A' && c <= L'F') v = static_cast<BYTE>(c - L'A' + 10);
  else if (c >= L'a' && c <= L'f') v = static_cast<BYTE>(c - L'a' + 10);
  else return false;
  return true;
}

HKEY CreateKey(HKEY parent, LPCWSTR name) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (::RegCreateKeyExW(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
                        &disposition) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

}  // namespace

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
  if (lpszRegistryKey == nullptr) return;
  std::free(const_cast<LPTSTR>(m_pszRegistryKey));
  m_pszRegistryKey = _wcsdup(lpszRegistryKey);
  // The registry profile is named after the application.
  std::free(const_cast<LPTSTR>(m_pszProfileName));
  m_pszProfileName = _wcsdup(m_pszAppName ? m_pszAppName : L"");
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
  CString key;
  key.LoadString(nIDRegistryKey);
  SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey() {
  if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr) return nullptr;
  HKEY software = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ | KEY_WRITE, &software) != ERROR_SUCCESS)
    return nullptr;
  HKEY company = CreateKey(software, m_pszRegistryKey);
  ::RegCloseKey(software);
  if (company == nullptr) return nullptr;
  HKEY app = CreateKey(company, m_pszProfileName);
  ::RegCloseKey(company);
  return app;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection) {
  if (lpszSection == nullptr) return nullptr;
  HKEY app = GetAppRegistryKey();
  if (app == nullptr) return nullptr;
  HKEY section = CreateKey(app, lpszSection);
  ::RegCloseKey(app);
  return section;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
  if (lpszSection == nullptr || lpszEntry == nullptr) return static_cast<UINT>(nDefault);
  if (m_pszRegistryKey != nullptr) {
    HKEY key = GetSectionKey(lpszSection);
    if (key == nullptr) return static_cast<UINT>(nDefault);
    DWORD value = 0, type = 0, size = sizeof value;
    LONG r = ::RegQueryValueExW(key, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    ::RegCloseKey(key);
    if (r != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return static_cast<UINT>(nDefault);
    return value;
  }
  if (m_pszProfileName == nullptr) return static_cast<UINT>(nDefault);
  return ::GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
  if (lpszSection == nullptr || lpszEntry == nullptr) return FALSE;
  if (m_pszRegistryKey != nullptr) {
    HKEY key = GetSectionKey(lpszSection);
    if (key == nullptr) return FALSE;
    DWORD value = static_cast<DWORD>(nValue);
    LONG r = ::RegSetValueExW(key, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(key);
    return r == ERROR_SUCCESS;
  }
  if (m_pszProfileName == nullptr) return FALSE;
  wchar_t text[16];
  std::swprintf(text, 16, L"%d", nValue);
  return ::WritePrivateProfileStringW(lpszSection, lpszEntry, text, m_pszProfileName);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
  CString fallback(lpszDefault);
  if (lpszSection == nullptr || lpszEntry == nullptr) return fallback;
  if (m_pszRegistryKey != nullptr) {
    HKEY key = GetSectionKey(lpszSection);
    if (key == nullptr) return fallback;
    DWORD type = 0, size = 0;
    LONG r = ::RegQueryValueExW(key, lpszEntry, nullptr, &type, nullptr, &size);
    CString value = fallback;
    if (r == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
      std::vector<wchar_t> text(size / sizeof(wchar_t) + 2, 0);
      DWORD bytes = static_cast<DWORD>((text.size() - 1) * sizeof(wchar_t));
      if (::RegQueryValueExW(key, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(text.data()), &bytes) ==
          ERROR_SUCCESS)
        value = text.data();
    }
    ::RegCloseKey(key);
    return value;
  }
  if (m_pszProfileName == nullptr) return fallback;
  // Grow the buffer until the value fits (a full buffer may mean truncation).
  for (DWORD size = 256;; size *= 2) {
    std::vector<wchar_t> text(size, 0);
    DWORD n = ::GetPrivateProfileStringW(lpszSection, lpszEntry, lpszDefault ? lpszDefault : L"", text.data(), size,
                                         m_pszProfileName);
    if (n + 1 < size || size >= (1u << 24)) return CString(text.data(), static_cast<int>(n));
  }
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
  if (lpszSection == nullptr) return FALSE;
  if (m_pszRegistryKey != nullptr) {
    if (lpszEntry == nullptr) {
      HKEY app = GetAppRegistryKey();
      if (app == nullptr) return FALSE;
      LONG r = ::RegDeleteKeyW(app, lpszSection);
      ::RegCloseKey(app);
      return r == ERROR_SUCCESS;
    }
    HKEY key = GetSectionKey(lpszSection);
    if (key == nullptr) return FALSE;
    LONG r;
    if (lpszValue == nullptr) {
      r = ::RegDeleteValueW(key, lpszEntry);
    } else {
      r = ::RegSetValueExW(key, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                           static_cast<DWORD>((std::wcslen(lpszValue) + 1) * sizeof(wchar_t)));
    }
    ::RegCloseKey(key);
    return r == ERROR_SUCCESS;
  }
  if (m_pszProfileName == nullptr) return FALSE;
  return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
  if (ppData == nullptr || pBytes == nullptr) return FALSE;
  *ppData = nullptr;
  *pBytes = 0;
  if (lpszSection == nullptr || lpszEntry == nullptr) return FALSE;
  if (m_pszRegistryKey != nullptr) {
    HKEY key = GetSectionKey(lpszSection);
    if (key == nullptr) return FALSE;
    DWORD type = 0, size = 0;
    BOOL ok = FALSE;
    if (::RegQueryValueExW(key, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_BINARY) {
      auto* data = new BYTE[size ? size : 1];
      if (::RegQueryValueExW(key, lpszEntry, nullptr, &type, data, &size) == ERROR_SUCCESS) {
        *ppData = data;
        *pBytes = size;
        ok = TRUE;
      } else {
        delete[] data;
      }
    }
    ::RegCloseKey(key);
    return ok;
  }
  CString text = GetProfileString(lpszSection, lpszEntry, nullptr);
  if (text.IsEmpty() || text.GetLength() % 2 != 0) return FALSE;
  UINT n = static_cast<UINT>(text.GetLength() / 2);
  auto* data = new BYTE[n];
  for (UINT i = 0; i < n; ++i) {
    BYTE hi, lo;
    if (!HexValue(text[2 * i], hi) || !HexValue(text[2 * i + 1], lo)) {
      delete[] data;
      return FALSE;
    }
    data[i] = static_cast<BYTE>(hi << 4 | lo);
  }
  *ppData = data;
  *pBytes = n;
  return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes) {
  if (lpszSection == nullptr || lpszEntry == nullptr || (pData == nullptr && nBytes != 0)) return FALSE;
  if (m_pszRegistryKey != nullptr) {
    HKEY key = GetSectionKey(lpszSection);
    if (key == nullptr) return FALSE;
    LONG r = ::RegSetValueExW(key, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(key);
    return r == ERROR_SUCCESS;
  }
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  CString text;
  for (UINT i = 0; i < nBytes; ++i) {
    text += kDigits[pData[i] >> 4];
    text += kDigits[pData[i] & 0xF];
  }
  return WriteProfileString(lpszSection, lpszEntry, text);
}
