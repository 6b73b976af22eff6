// CSharedFile: a memory file whose data lives in a movable global memory
// block, the form the clipboard and drag-and-drop hand data over in.
#pragma once

#include "framework/file.h"

class CSharedFile : public CMemFile {
  DECLARE_DYNAMIC(CSharedFile)
 public:
  explicit CSharedFile(UINT nAllocFlags = GMEM_MOVEABLE, UINT nGrowBytes = 4096);
  ~CSharedFile() override;

  // Hands the block to the caller (it may be larger than the data; the
  // file's length tells how much is data) and leaves the file empty.
  HGLOBAL Detach();
  // Takes hGlobalMemory as the file's content (the whole block). The file
  // owns it from now on; with bAllowGrow writes past its end grow it.
  void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

 protected:
  BYTE* Alloc(SIZE_T nBytes) override;
  BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
  void Free(BYTE* lpMem) override;

  UINT m_nAllocFlags;
  UINT m_nSharedGrowBytes;
  HGLOBAL m_hGlobalMemory = nullptr;
};
