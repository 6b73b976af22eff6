#include "framework/sharedfile.h"

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags | GMEM_MOVEABLE), m_nSharedGrowBytes(nGrowBytes) {}

CSharedFile::~CSharedFile() {
  // Here, not in the base: the base's clean-up would free with its own Free.
  Close();
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes) {
  HGLOBAL block = ::GlobalAlloc(m_nAllocFlags, nBytes);
  if (block == nullptr) return nullptr;
  m_hGlobalMemory = block;
  return static_cast<BYTE*>(::GlobalLock(block));
}

BYTE* CSharedFile::Realloc(BYTE*, SIZE_T nBytes) {
  if (m_hGlobalMemory == nullptr) return Alloc(nBytes);
  ::GlobalUnlock(m_hGlobalMemory);
  HGLOBAL block = ::GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags);
  if (block == nullptr) {
    // The old block stays the file's.
    ::GlobalLock(m_hGlobalMemory);
    return nullptr;
  }
  m_hGlobalMemory = block;
  return static_cast<BYTE*>(::GlobalLock(block));
}

void CSharedFile::Free(BYTE*) {
  if (m_hGlobalMemory == nullptr) return;
  ::GlobalUnlock(m_hGlobalMemory);
  ::GlobalFree(m_hGlobalMemory);
  m_hGlobalMemory = nullptr;
}

HGLOBAL CSharedFile::Detach() {
  HGLOBAL block = m_hGlobalMemory;
  if (block != nullptr) ::GlobalUnlock(block);
  m_hGlobalMemory = nullptr;
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  m_bAutoDelete = TRUE;
  return block;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow) {
  Close();
  if (hGlobalMemory == nullptr) return;
  m_hGlobalMemory = hGlobalMemory;
  m_lpBuffer = static_cast<BYTE*>(::GlobalLock(hGlobalMemory));
  if (m_lpBuffer == nullptr) {
    // An empty (or discarded) block holds nothing to keep.
    ::GlobalFree(hGlobalMemory);
    m_hGlobalMemory = nullptr;
    return;
  }
  m_nBufferSize = m_nFileSize = ::GlobalSize(hGlobalMemory);
  m_nPosition = 0;
  m_bAutoDelete = TRUE;
  m_nGrowBytes = bAllowGrow ? (m_nSharedGrowBytes != 0 ? m_nSharedGrowBytes : 4096) : 0;
}
