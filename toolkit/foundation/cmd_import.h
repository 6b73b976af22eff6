// The working record of a tool-bar import: the tool-bar resource's button ids and size, and
// its bitmap strip (one button image after another, left to right) in 32-bit form.
#pragma once

#include <vector>

#include "framework/afxwin.h"
#include "toolkit/foundation/ext_bitmap.h"

class CExtCmdIcon;

class ToolbarResourceData {
 public:
  // Loads the strip from its module and resource handle and, only when that works, reads
  // the tool-bar resource; otherwise the record stays empty.
  ToolbarResourceData(HINSTANCE toolbarModule, UINT toolbarId, HINSTANCE bitmapModule, HRSRC bitmapResource,
                      COLORREF transparent = static_cast<COLORREF>(-1));

  bool IsEmpty() const { return m_ids.empty(); }
  // Number of entries that are not separators (0 when empty).
  int GetImageCount() const { return IsEmpty() ? 0 : static_cast<int>(m_buttonIds.size()); }
  // Cuts image i into the icon (transparent colour made fully transparent); the button's id,
  // or 0 when the icon came out blank or the index is out of range.
  UINT ExtractButtonIcon(int index, CExtCmdIcon& icon) const;
  // Every entry id, separators as 0, in a new array the caller frees with delete[].
  UINT* CopyButtonIds(INT* count) const;

  WORD m_version = 0;
  int m_cxImage = 0;
  int m_cyImage = 0;
  std::vector<UINT> m_ids;        // all entries
  std::vector<UINT> m_buttonIds;  // the entries that have an image
  COLORREF m_transparent;
  CExtBitmap m_strip;
};
