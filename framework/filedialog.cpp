#include "framework/filedialog.h"

#include <commdlg.h>

#include "framework/fwstate.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace {

constexpr std::size_t kFileBufferChars = 65536;

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD, BOOL)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt),
      m_fileBuffer(kFileBufferChars, 0), m_titleBuffer(MAX_PATH, 0) {
  m_pParentWnd = pParentWnd;
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
  m_ofn.lpstrFile = m_fileBuffer.data();
  m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
  m_ofn.lpstrFileTitle = m_titleBuffer.data();
  m_ofn.nMaxFileTitle = static_cast<DWORD>(m_titleBuffer.size());
  m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : m_strDefExt.GetString();
  if (lpszFileName != nullptr) wcsncpy(m_fileBuffer.data(), lpszFileName, m_fileBuffer.size() - 1);
  if (lpszFilter != nullptr) {
    // "|" separates the fields; the system wants NULs and a double NUL at the end.
    for (const wchar_t* p = lpszFilter; *p; ++p) m_filter.push_back(*p == L'|' ? L'\0' : *p);
    m_filter.push_back(L'\0');
    m_filter.push_back(L'\0');
    m_ofn.lpstrFilter = m_filter.data();
  }
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal() {
  m_ofn.hwndOwner = CWnd::GetSafeOwner_(m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr, nullptr);
  m_ofn.hInstance = AfxGetResourceHandle();
  for (int attempt = 0; attempt < 2; ++attempt) {
    BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    if (ok) return IDOK;
    DWORD error = ::CommDlgExtendedError();
    if (error != FNERR_INVALIDFILENAME || m_fileBuffer[0] == 0) break;
    // The initial name was refused before the dialog appeared: ask without it.
    m_fileBuffer[0] = 0;
  }
  return IDCANCEL;
}

CString CFileDialog::GetPathName() const {
  const wchar_t* buffer = m_fileBuffer.data();
  if (m_ofn.Flags & OFN_ALLOWMULTISELECT) {
    // Several files: the folder, then the names, each ended by a NUL.
    const wchar_t* second = buffer + std::wcslen(buffer) + 1;
    if (*second != 0) {
      POSITION pos = GetStartPosition();
      return GetNextPathName(pos);
    }
  }
  return CString(buffer);
}

CString CFileDialog::GetFileName() const {
  CString path = GetPathName();
  int sep = path.ReverseFind(L'\\');
  return path.Mid(sep + 1);
}

CString CFileDialog::GetFileExt() const {
  CString name = GetFileName();
  int dot = name.ReverseFind(L'.');
  return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind(L'.');
  return dot < 0 ? name : name.Left(dot);
}

POSITION CFileDialog::GetStartPosition() const {
  return m_fileBuffer[0] == 0 ? nullptr : reinterpret_cast<POSITION>(const_cast<wchar_t*>(m_fileBuffer.data()));
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  const wchar_t* base = m_fileBuffer.data();
  auto* current = reinterpret_cast<const wchar_t*>(pos);
  if (current == nullptr) return CString();
  if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT)) {
    pos = nullptr;
    return CString(base);
  }
  const wchar_t* second = base + std::wcslen(base) + 1;
  if (*second == 0) {  // a single file: the buffer holds its full path
    pos = nullptr;
    return CString(base);
  }
  if (current == base) current = second;
  CString folder(base);
  if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != L'\\') folder += L'\\';
  CString path = folder + current;
  const wchar_t* next = current + std::wcslen(current) + 1;
  pos = *next == 0 ? nullptr : reinterpret_cast<POSITION>(const_cast<wchar_t*>(next));
  return path;
}
