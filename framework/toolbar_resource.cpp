#include "framework/toolbar_resource.h"

#include "framework/fwstate.h"

BOOL CToolBarResource::Parse(const void* lpData, DWORD cbData) {
  m_cxButton = m_cyButton = 0;
  m_ids.clear();
  const auto* words = static_cast<const WORD*>(lpData);
  const DWORD available = cbData / sizeof(WORD);
  if (words == nullptr || available < 4 || words[0] != 1) return FALSE;
  const DWORD count = words[3];
  if (available - 4 < count) return FALSE;
  m_cxButton = words[1];
  m_cyButton = words[2];
  m_ids.assign(words + 4, words + 4 + count);
  return TRUE;
}

BOOL CToolBarResource::Load(LPCTSTR lpszResourceName, HINSTANCE hInst) {
  m_cxButton = m_cyButton = 0;
  m_ids.clear();
  if (hInst == nullptr) hInst = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
  HRSRC info = ::FindResourceW(hInst, lpszResourceName, RT_TOOLBAR);
  if (info == nullptr) return FALSE;
  HGLOBAL handle = ::LoadResource(hInst, info);
  const void* data = handle != nullptr ? ::LockResource(handle) : nullptr;
  if (data == nullptr) return FALSE;
  return Parse(data, ::SizeofResource(hInst, info));
}
