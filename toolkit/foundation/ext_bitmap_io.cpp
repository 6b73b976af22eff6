// BMP streams over framework archives, the loaders (archive, file, memory, resource) and the
// archive form of the bitmap.
#include <algorithm>
#include <memory>

#include "toolkit/foundation/ext_bitmap.h"
#include "toolkit/foundation/resource_manager.h"

namespace {

thread_local BmpError t_lastReadError = BmpError::None;

class ArchiveSource : public BmpSource {
 public:
  explicit ArchiveSource(CArchive& ar) : m_ar(ar) {}
  std::size_t Read(void* buffer, std::size_t count) override {
    // The archive reads in UINT portions.
    std::size_t done = 0;
    auto* p = static_cast<BYTE*>(buffer);
    while (done < count) {
      const UINT chunk = static_cast<UINT>(std::min<std::size_t>(count - done, 1u << 30));
      const UINT got = m_ar.Read(p + done, chunk);
      done += got;
      if (got < chunk) break;
    }
    return done;
  }

 private:
  CArchive& m_ar;
};

class ArchiveSink : public BmpSink {
 public:
  explicit ArchiveSink(CArchive& ar) : m_ar(ar) {}
  void Write(const void* data, std::size_t count) override {
    auto* p = static_cast<const BYTE*>(data);
    while (count > 0) {
      const UINT chunk = static_cast<UINT>(std::min<std::size_t>(count, 1u << 30));
      m_ar.Write(p, chunk);
      p += chunk;
      count -= chunk;
    }
  }

 private:
  CArchive& m_ar;
};

void DeleteException(CException* e) {
  if (e) e->Delete();
}

}  // namespace

void FreeDibBlock(DibBlock* block) { DibFree()(block); }

BmpError CExtBitmap::GetLastReadError() { return t_lastReadError; }

DibBlock* ReadBmpStream(CArchive& ar, bool throwOnFailure, bool noFileHeader) {
  t_lastReadError = BmpError::None;
  ArchiveSource source(ar);
  BmpReadOptions options;
  options.noFileHeader = noFileHeader;
  BmpReadResult result;
  try {
    result = ReadBmpStream(source, options);
  } catch (CException* e) {
    // The reader has released what it built.
    t_lastReadError = BmpError::Truncated;
    if (throwOnFailure) throw;
    DeleteException(e);
    return nullptr;
  }
  t_lastReadError = result.error;
  if (!result.block && throwOnFailure) {
    if (result.error == BmpError::NoMemory) AfxThrowMemoryException();
    AfxThrowArchiveException(result.error == BmpError::Truncated ? CArchiveException::endOfFile
                                                                  : CArchiveException::badSchema);
  }
  return result.block.release();
}

bool WriteBmpStream(const DibBlock* block, CArchive& ar, bool throwOnFailure, bool rle8) {
  if (!block) {
    if (throwOnFailure) AfxThrowUserException();
    return false;
  }
  ArchiveSink sink(ar);
  try {
    if (WriteBmpStream(*block, sink, rle8)) return true;
  } catch (CException* e) {
    if (throwOnFailure) throw;
    DeleteException(e);
    return false;
  }
  if (throwOnFailure) AfxThrowUserException();
  return false;
}

bool CExtBitmap::LoadFromArchive(CArchive& ar, bool promote, bool throwOnFailure, bool noFileHeader) {
  Empty();
  DibPtr block(ReadBmpStream(ar, throwOnFailure, noFileHeader));
  if (!block) return false;
  SetDib(std::move(block));
  OnContentLoaded();
  return promote ? PromoteTo32Bpp(throwOnFailure) : true;
}

bool CExtBitmap::LoadFromFile(CFile* file, bool promote, bool throwOnFailure, bool noFileHeader) {
  Empty();
  if (!file) return Fail(throwOnFailure);
  try {
    CArchive ar(file, CArchive::load, 4096);
    return LoadFromArchive(ar, promote, throwOnFailure, noFileHeader);
  } catch (CException* e) {
    Empty();
    if (throwOnFailure) throw;
    DeleteException(e);
    return false;
  }
}

bool CExtBitmap::LoadFromFile(LPCTSTR path, bool promote, bool throwOnFailure, bool noFileHeader) {
  Empty();
  CFile file;
  CFileException* error = new CFileException;
  if (!path || !file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, error)) {
    if (throwOnFailure) throw error;
    error->Delete();
    t_lastReadError = BmpError::None;
    return false;
  }
  error->Delete();
  return LoadFromFile(&file, promote, throwOnFailure, noFileHeader);
}

bool CExtBitmap::LoadFromMemory(const BYTE* data, UINT size, bool promote, bool throwOnFailure, bool noFileHeader) {
  Empty();
  if (!data) return Fail(throwOnFailure);
  // Not copied: the memory file reads the caller's buffer and never grows it.
  CMemFile file(const_cast<BYTE*>(data), size, 0);
  return LoadFromFile(&file, promote, throwOnFailure, noFileHeader);
}

HRSRC ExtBitmapFindResource(HINSTANCE* module, LPCTSTR name, LPCTSTR type) {
  if (*module) return ::FindResourceW(*module, name, type);
  HRSRC found = nullptr;
  HINSTANCE owner = g_ResourceManagerHolder->FindResourceModule(type, name, nullptr, &found);
  if (!owner || !found) return nullptr;
  *module = owner;
  return found;
}

bool CExtBitmap::LoadFromResource(LPCTSTR name, LPCTSTR type, HINSTANCE module, bool promote, bool throwOnFailure) {
  Empty();
  HRSRC resource = ExtBitmapFindResource(&module, name, type);
  if (!resource) return Fail(throwOnFailure);
  return LoadFromResourceHandle(module, resource, promote, throwOnFailure);
}

bool CExtBitmap::LoadFromResourceHandle(HINSTANCE module, HRSRC resource, bool promote, bool throwOnFailure) {
  Empty();
  if (!resource) return Fail(throwOnFailure);
  HGLOBAL handle = ::LoadResource(module, resource);
  const DWORD size = ::SizeofResource(module, resource);
  BYTE* data = handle ? static_cast<BYTE*>(::LockResource(handle)) : nullptr;
  if (!data || size == 0) return Fail(throwOnFailure);
  bool ok = false;
  try {
    // Bitmap resources hold a packed DIB: no file header.
    CMemFile file(data, size, 0);
    CArchive ar(&file, CArchive::load, 4096);
    ok = LoadFromArchive(ar, promote, throwOnFailure, true);
  } catch (CException* e) {
    Empty();
    ::FreeResource(handle);
    if (throwOnFailure) throw;
    DeleteException(e);
    return false;
  }
  ::FreeResource(handle);
  return ok;
}

bool CExtBitmap::SaveToFile(LPCTSTR path, bool rle8) const {
  if (!m_pDib || !path) return false;
  try {
    CFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    CArchive ar(&file, CArchive::store, 4096);
    const bool ok = ::WriteBmpStream(m_pDib, ar, true, rle8);
    ar.Close();
    file.Close();
    return ok;
  } catch (CException* e) {
    e->Delete();
    return false;
  }
}

void CExtBitmap::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    if (IsPremultiplied()) {
      Premultiply(false);
      MarkPremultiplied(false);
    }
    const DWORD blank = IsBlank() ? 1 : 0;
    ar << blank;
    if (!blank) ::WriteBmpStream(m_pDib, ar, true, true);
    return;
  }
  Empty();
  DWORD word = 0;
  ar >> word;
  if (word & 1) return;
  DibPtr block(ReadBmpStream(ar, true, false));
  SetDib(std::move(block));
  OnContentChanged();
}
