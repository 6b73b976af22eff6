#include "framework/recentfiles.h"

#include "framework/app.h"
#include "framework/cmdtarget.h"
#include "framework/menu.h"

namespace {

CString FullPath(LPCTSTR path) {
  wchar_t full[MAX_PATH * 4] = {};
  DWORD n = ::GetFullPathNameW(path, MAX_PATH * 4, full, nullptr);
  return (n > 0 && n < MAX_PATH * 4) ? CString(full) : CString(path);
}

int LastSeparator(const CString& path) {
  int slash = path.ReverseFind(L'\\');
  int forward = path.ReverseFind(L'/');
  return slash > forward ? slash : forward;
}

}  // namespace

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nSize(nSize < 0 ? 0 : nSize),
      m_nMaxDisplayLength(nMaxDispLen),
      m_arrNames(static_cast<std::size_t>(m_nSize)) {}

CRecentFileList::~CRecentFileList() = default;

CString& CRecentFileList::operator[](int nIndex) {
  if (nIndex < 0 || nIndex >= m_nSize) AfxThrowInvalidArgException();
  return m_arrNames[static_cast<std::size_t>(nIndex)];
}

const CString& CRecentFileList::operator[](int nIndex) const {
  if (nIndex < 0 || nIndex >= m_nSize) AfxThrowInvalidArgException();
  return m_arrNames[static_cast<std::size_t>(nIndex)];
}

void CRecentFileList::Add(LPCTSTR lpszPathName) {
  if (lpszPathName == nullptr || *lpszPathName == 0 || m_nSize == 0) return;
  CString path = FullPath(lpszPathName);
  int found = m_nSize - 1;
  for (int i = 0; i < m_nSize; ++i) {
    if (m_arrNames[static_cast<std::size_t>(i)].CompareNoCase(path) == 0) {
      found = i;
      break;
    }
  }
  for (int i = found; i > 0; --i) m_arrNames[static_cast<std::size_t>(i)] = m_arrNames[static_cast<std::size_t>(i - 1)];
  m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex) {
  if (nIndex < 0 || nIndex >= m_nSize) AfxThrowInvalidArgException();
  for (int i = nIndex; i < m_nSize - 1; ++i) m_arrNames[static_cast<std::size_t>(i)] = m_arrNames[static_cast<std::size_t>(i + 1)];
  m_arrNames[static_cast<std::size_t>(m_nSize - 1)].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const {
  strName.Empty();
  if (nIndex < 0 || nIndex >= m_nSize) return FALSE;
  const CString& path = m_arrNames[static_cast<std::size_t>(nIndex)];
  if (path.IsEmpty()) return FALSE;
  int sep = LastSeparator(path);
  CString name = path.Mid(sep + 1);
  CString folder = sep >= 0 ? path.Left(sep) : CString();
  if (lpszCurDir != nullptr && nCurDir > 0) {
    CString current(lpszCurDir, nCurDir);
    current.TrimRight(L"\\/");
    if (folder.CompareNoCase(current) == 0) {
      strName = name;
      return TRUE;
    }
  }
  if (m_nMaxDisplayLength <= 0 || path.GetLength() <= m_nMaxDisplayLength) {
    strName = path;
    return TRUE;
  }
  if (name.GetLength() >= m_nMaxDisplayLength || folder.IsEmpty()) {
    strName = bAtLeastName ? name : name.Left(m_nMaxDisplayLength);
    return TRUE;
  }
  // Keep the root ("C:" or "\\server") and as many trailing folders as fit.
  int rootEnd = folder.Find(L'\\', folder.Left(2) == L"\\\\" ? 2 : 0);
  CString root = rootEnd < 0 ? folder : folder.Left(rootEnd);
  CString tail = L"\\" + name;
  CString rest = rootEnd < 0 ? CString() : folder.Mid(rootEnd);
  while (!rest.IsEmpty()) {
    int cut = rest.ReverseFind(L'\\');
    CString candidate = rest.Mid(cut) + tail;
    if (root.GetLength() + 4 + candidate.GetLength() > m_nMaxDisplayLength) break;
    tail = candidate;
    rest = cut <= 0 ? CString() : rest.Left(cut);
  }
  strName = rest.IsEmpty() ? root + tail : root + L"\\..." + tail;
  if (strName.GetLength() > m_nMaxDisplayLength && !bAtLeastName) strName = strName.Right(m_nMaxDisplayLength);
  return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
  if (pCmdUI == nullptr) return;
  CMenu* pMenu = pCmdUI->m_pMenu;
  if (m_strOriginal.IsEmpty() && pMenu != nullptr) pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
  if (m_nSize == 0 || m_arrNames[0].IsEmpty()) {
    if (!m_strOriginal.IsEmpty()) pCmdUI->SetText(m_strOriginal);
    pCmdUI->Enable(FALSE);
    return;
  }
  if (pMenu == nullptr) return;
  // Take out the old entries, then insert the current ones where they were.
  for (int i = 0; i < m_nSize; ++i) pMenu->DeleteMenu(m_nStart + static_cast<UINT>(i), MF_BYCOMMAND);
  wchar_t current[MAX_PATH * 2] = {};
  int currentLength = static_cast<int>(::GetCurrentDirectoryW(MAX_PATH * 2, current));
  UINT position = pCmdUI->m_nIndex;
  UINT id = m_nStart;
  for (int i = 0; i < m_nSize; ++i) {
    CString name;
    if (!GetDisplayName(name, i, current, currentLength)) break;
    // Ampersands in file names would turn into mnemonics.
    name.Replace(L"&", L"&&");
    CString text;
    if (i < 9) text.Format(L"&%d %s", i + 1, name.GetString());
    else text.Format(L"%d&%d %s", (i + 1) / 10, (i + 1) % 10, name.GetString());
    pMenu->InsertMenu(position++, MF_STRING | MF_BYPOSITION, id++, text);
  }
  pCmdUI->m_nIndex = position - 1;  // the last item inserted
  pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
  pCmdUI->m_bEnableChanged = TRUE;
}

CString CRecentFileList::EntryName(int nIndex) const {
  CString entry;
  entry.Format(m_strEntryFormat.GetString(), nIndex + 1);
  return entry;
}

void CRecentFileList::ReadList() {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return;
  int filled = 0;
  for (int i = 0; i < m_nSize; ++i) m_arrNames[static_cast<std::size_t>(i)].Empty();
  for (int i = 0; i < m_nSize; ++i) {
    CString path = app->GetProfileString(m_strSectionName, EntryName(i), L"");
    path.Trim();
    if (!path.IsEmpty()) m_arrNames[static_cast<std::size_t>(filled++)] = path;
  }
}

void CRecentFileList::WriteList() {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return;
  // The section holds exactly the current entries.
  app->WriteProfileString(m_strSectionName, nullptr, nullptr);
  for (int i = 0; i < m_nSize; ++i) {
    const CString& path = m_arrNames[static_cast<std::size_t>(i)];
    if (!path.IsEmpty()) app->WriteProfileString(m_strSectionName, EntryName(i), path);
  }
}
