// The TOOLBAR resource (RT_TOOLBAR): the button size and, per button, its
// command id (0 for a separator). The buttons' pictures are the bitmap
// resource of the same id, one button wide each, left to right.
#pragma once

#include <vector>

#include "framework/fwdefs.h"

#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

class CToolBarResource {
 public:
  // Reads the resource from hInst (the framework's resource modules when
  // null). FALSE, and an empty object, when it is missing or malformed.
  BOOL Load(LPCTSTR lpszResourceName, HINSTANCE hInst = nullptr);
  BOOL Load(UINT nIDResource, HINSTANCE hInst = nullptr) { return Load(MAKEINTRESOURCE(nIDResource), hInst); }
  // Reads the resource's bytes: version 1, width, height, count, then the
  // ids (16-bit each). FALSE for another version or too few bytes.
  BOOL Parse(const void* lpData, DWORD cbData);

  int m_cxButton = 0;
  int m_cyButton = 0;
  std::vector<UINT> m_ids;
};
