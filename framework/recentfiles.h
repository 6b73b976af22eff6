// CRecentFileList: the most recently used files, newest first, kept in the
// application's profile (section lpszSection, entries "File1", "File2", ...
// by lpszEntryFormat) and shown in a menu in place of the item nStart.
#pragma once

#include <vector>

#include "framework/cstring.h"

class CCmdUI;

class CRecentFileList {
 public:
  CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize, int nMaxDispLen = 30);
  virtual ~CRecentFileList();
  CRecentFileList(const CRecentFileList&) = delete;
  CRecentFileList& operator=(const CRecentFileList&) = delete;

  int GetSize() const { return m_nSize; }
  // Entry nIndex (0 newest); empty when unused. An index outside the list
  // raises CInvalidArgException.
  CString& operator[](int nIndex);
  const CString& operator[](int nIndex) const;

  // Puts the file first (by its full path; an entry for the same file,
  // compared without regard to case, moves up), dropping the oldest.
  virtual void Add(LPCTSTR lpszPathName);
  virtual void Remove(int nIndex);
  // The text shown for entry nIndex: the file name alone when the file lies
  // in lpszCurDir, else the path shortened to m_nMaxDisplayLength characters
  // by leaving out folders ("C:\...\name.ext"), but never shorter than the
  // file name when bAtLeastName. FALSE for an empty entry.
  virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                              BOOL bAtLeastName = TRUE) const;
  // Replaces the menu item of pCmdUI (the first recent-file item) by one item
  // per entry, "&1 name", "&2 name", ..., with ids nStart, nStart + 1, ...;
  // without entries the item keeps its original text and is disabled.
  virtual void UpdateMenu(CCmdUI* pCmdUI);
  virtual void ReadList();
  virtual void WriteList();

  UINT m_nStart;
  CString m_strSectionName;
  CString m_strEntryFormat;
  int m_nSize;
  int m_nMaxDisplayLength;
  CString m_strOriginal;  // the menu item's text before the list replaced it

 protected:
  std::vector<CString> m_arrNames;
  CString EntryName(int nIndex) const;
};
