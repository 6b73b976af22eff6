// CFileDialog: the system's open and save file dialogs. The filter is given
// as "Name|pattern|Name|pattern||". DoModal returns IDOK when the user chose
// a file, IDCANCEL otherwise. An initial file name the dialog refuses (a
// character files cannot have) is dropped rather than failing the dialog.
#pragma once

#include <vector>

#include "framework/dialog.h"

class CFileDialog : public CDialog {
  DECLARE_DYNAMIC(CFileDialog)
 public:
  explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                       CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);
  ~CFileDialog() override;

  INT_PTR DoModal() override;

  // The chosen file: full path, name with extension, extension, name
  // without extension.
  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
  // Every file chosen with OFN_ALLOWMULTISELECT.
  POSITION GetStartPosition() const;
  CString GetNextPathName(POSITION& pos) const;

  OPENFILENAMEW m_ofn;

 protected:
  BOOL m_bOpenFileDialog;
  CString m_strDefExt;
  std::vector<wchar_t> m_filter;
  std::vector<wchar_t> m_fileBuffer;
  std::vector<wchar_t> m_titleBuffer;
};
