#include "framework/archive.h"

#include <cstring>

namespace {

constexpr DWORD kNullTag = 0;
constexpr DWORD kNewClassTag = 0xFFFFFFFF;
constexpr DWORD kClassTagFlag = 0x80000000;
constexpr DWORD kMaxIndex = 0x7FFFFFFE;
constexpr BYTE kNarrowString = 1;
constexpr BYTE kWideString = 2;
constexpr UINT kMaxClassName = 256;
// Strings are read in pieces, so a corrupt count fails at the end of the data
// instead of allocating its full size up front.
constexpr std::size_t kStringChunk = 1 << 16;

}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*) : m_pFile(pFile), m_nMode(nMode) {
  if (pFile == nullptr) AfxThrowInvalidArgException();
  if (nBufSize < 128) nBufSize = 128;
  m_buffer.reserve(static_cast<std::size_t>(nBufSize));
  if (IsLoading()) m_buffer.resize(static_cast<std::size_t>(nBufSize));
}

CArchive::~CArchive() {
  if (m_closed) return;
  if ((m_nMode & bNoFlushOnDelete) != 0) {
    Abort();
    return;
  }
  try {
    Close();
  } catch (CException* e) {
    // A destructor cannot raise: the error is lost, as with Abort.
    e->Delete();
  }
}

void CArchive::Fail(int cause) const {
  AfxThrowArchiveException(cause, m_pFile ? m_pFile->GetFilePath().GetString() : nullptr);
}

UINT CArchive::GetObjectSchema() {
  UINT schema = m_nObjectSchema;
  m_nObjectSchema = static_cast<UINT>(-1);
  return schema;
}

void CArchive::FillBuffer() {
  m_readPos = 0;
  m_readEnd = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  if (!IsLoading()) Fail(CArchiveException::writeOnly);
  if (m_closed) Fail(CArchiveException::genericException);
  if (nMax == 0) return 0;
  if (lpBuf == nullptr) AfxThrowInvalidArgException();
  BYTE* out = static_cast<BYTE*>(lpBuf);
  UINT done = 0;
  while (done < nMax) {
    if (m_readPos >= m_readEnd) {
      // Large reads go straight to the file.
      if (nMax - done >= m_buffer.size()) {
        UINT n = m_pFile->Read(out + done, nMax - done);
        done += n;
        break;
      }
      FillBuffer();
      if (m_readEnd == 0) break;
    }
    std::size_t n = std::min<std::size_t>(m_readEnd - m_readPos, nMax - done);
    std::memcpy(out + done, m_buffer.data() + m_readPos, n);
    m_readPos += n;
    done += static_cast<UINT>(n);
  }
  return done;
}

void CArchive::ReadExact(void* p, UINT n) {
  if (Read(p, n) != n) Fail(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  if (!IsStoring()) Fail(CArchiveException::readOnly);
  if (m_closed) Fail(CArchiveException::genericException);
  if (nMax == 0) return;
  if (lpBuf == nullptr) AfxThrowInvalidArgException();
  const BYTE* in = static_cast<const BYTE*>(lpBuf);
  if (m_buffer.size() + nMax > m_buffer.capacity()) {
    Flush();
    if (nMax >= m_buffer.capacity()) {
      m_pFile->Write(in, nMax);
      return;
    }
  }
  m_buffer.insert(m_buffer.end(), in, in + nMax);
}

void CArchive::Flush() {
  if (m_closed) return;
  if (IsStoring()) {
    if (!m_buffer.empty()) {
      std::vector<BYTE> pending;
      pending.reserve(m_buffer.capacity());
      pending.swap(m_buffer);
      m_pFile->Write(pending.data(), static_cast<UINT>(pending.size()));
    }
  } else if (m_readPos < m_readEnd) {
    // Give back what was read ahead, so the file is positioned right after
    // the data this archive consumed.
    LONGLONG unread = static_cast<LONGLONG>(m_readEnd - m_readPos);
    try {
      m_pFile->Seek(-unread, CFile::current);
    } catch (CException* e) {
      e->Delete();
    }
    m_readPos = m_readEnd = 0;
  }
}

void CArchive::Close() {
  if (m_closed) return;
  Flush();
  m_closed = true;  // the file stays open: it belongs to the caller
}

void CArchive::Abort() {
  m_buffer.clear();
  m_readPos = m_readEnd = 0;
  m_closed = true;
}

void CArchive::WriteCount(DWORD_PTR dwCount) {
  if (dwCount < 0xFFFF) {
    *this << static_cast<WORD>(dwCount);
    return;
  }
  *this << static_cast<WORD>(0xFFFF);
  if (dwCount < 0xFFFFFFFF) {
    *this << static_cast<DWORD>(dwCount);
    return;
  }
  *this << static_cast<DWORD>(0xFFFFFFFF) << static_cast<ULONGLONG>(dwCount);
}

DWORD_PTR CArchive::ReadCount() {
  WORD w;
  *this >> w;
  if (w != 0xFFFF) return w;
  DWORD d;
  *this >> d;
  if (d != 0xFFFFFFFF) return d;
  ULONGLONG q;
  *this >> q;
  return static_cast<DWORD_PTR>(q);
}

void CArchive::WriteStringValue(const wchar_t* p, std::size_t n) {
  *this << kWideString;
  WriteCount(n);
  for (std::size_t done = 0; done < n;) {
    std::size_t chunk = std::min(n - done, kStringChunk);
    Write(p + done, static_cast<UINT>(chunk * sizeof(wchar_t)));
    done += chunk;
  }
}

void CArchive::WriteStringValue(const char* p, std::size_t n) {
  *this << kNarrowString;
  WriteCount(n);
  for (std::size_t done = 0; done < n;) {
    std::size_t chunk = std::min(n - done, kStringChunk);
    Write(p + done, static_cast<UINT>(chunk));
    done += chunk;
  }
}

namespace {

template <typename C>
std::basic_string<C> ReadUnits(CArchive& ar, std::size_t n) {
  std::basic_string<C> s;
  for (std::size_t done = 0; done < n;) {
    std::size_t chunk = std::min(n - done, kStringChunk);
    s.resize(done + chunk);
    UINT bytes = static_cast<UINT>(chunk * sizeof(C));
    if (ar.Read(s.data() + done, bytes) != bytes) AfxThrowArchiveException(CArchiveException::endOfFile);
    done += chunk;
  }
  return s;
}

}  // namespace

void CArchive::ReadStringValue(CString& s) {
  BYTE kind;
  *this >> kind;
  std::size_t n = ReadCount();
  if (kind == kWideString) {
    s = CString(ReadUnits<wchar_t>(*this, n));
  } else if (kind == kNarrowString) {
    std::string a = ReadUnits<char>(*this, n);
    s = CString(fw::ToWide(a.c_str(), static_cast<int>(a.size())));
  } else {
    Fail(CArchiveException::badIndex);
  }
}

void CArchive::ReadStringValue(CStringA& s) {
  BYTE kind;
  *this >> kind;
  std::size_t n = ReadCount();
  if (kind == kNarrowString) {
    s = CStringA(ReadUnits<char>(*this, n));
  } else if (kind == kWideString) {
    std::wstring w = ReadUnits<wchar_t>(*this, n);
    s = CStringA(fw::ToNarrow(w.c_str(), static_cast<int>(w.size())));
  } else {
    Fail(CArchiveException::badIndex);
  }
}

void CArchive::WriteString(LPCTSTR lpsz) {
  if (lpsz == nullptr) return;
  Write(lpsz, static_cast<UINT>(std::wcslen(lpsz) * sizeof(wchar_t)));
}

BOOL CArchive::ReadString(CString& rString) {
  std::wstring line;
  bool any = false;
  wchar_t ch;
  while (Read(&ch, sizeof ch) == sizeof ch) {
    any = true;
    if (ch == L'\n') break;
    line.push_back(ch);
  }
  if (!line.empty() && line.back() == L'\r') line.pop_back();
  rString = CString(line);
  return any;
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax) {
  if (lpsz == nullptr || nMax == 0) return nullptr;
  UINT n = 0;
  bool any = false;
  wchar_t ch;
  while (n + 1 < nMax && Read(&ch, sizeof ch) == sizeof ch) {
    any = true;
    lpsz[n++] = ch;
    if (ch == L'\n') break;
  }
  lpsz[n] = 0;
  return any ? lpsz : nullptr;
}

void CArchive::MapObject(const CObject* pOb) {
  if (IsStoring()) {
    if (pOb && m_storeMap.find(pOb) == m_storeMap.end()) m_storeMap[pOb] = m_nextIndex++;
  } else {
    RegisterLoaded(const_cast<CObject*>(pOb), false);
  }
}

void CArchive::RegisterLoaded(void* p, bool isClass) {
  if (m_loadArray.size() >= kMaxIndex) Fail(CArchiveException::badIndex);
  m_loadArray.push_back(Loaded{p, isClass});
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
  if (pClassRef == nullptr) AfxThrowInvalidArgException();
  if (pClassRef->m_wSchema == 0xFFFF) AfxThrowNotSupportedException();
  auto it = m_storeMap.find(pClassRef);
  if (it != m_storeMap.end()) {
    *this << static_cast<DWORD>(kClassTagFlag | it->second);
    return;
  }
  if (m_nextIndex > kMaxIndex) Fail(CArchiveException::badIndex);
  m_storeMap[pClassRef] = m_nextIndex++;
  *this << kNewClassTag << static_cast<DWORD>(pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA);
  std::size_t len = std::strlen(pClassRef->m_lpszClassName);
  WriteCount(len);
  Write(pClassRef->m_lpszClassName, static_cast<UINT>(len));
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag) {
  DWORD tag;
  *this >> tag;
  if (pObTag) *pObTag = tag;
  CRuntimeClass* pClass = nullptr;
  UINT schema = 0;
  if (tag == kNewClassTag) {
    DWORD storedSchema;
    *this >> storedSchema;
    std::size_t len = ReadCount();
    if (len == 0 || len > kMaxClassName) Fail(CArchiveException::badClass);
    std::string name(len, '\0');
    ReadExact(name.data(), static_cast<UINT>(len));
    pClass = CRuntimeClass::FromName(name.c_str());
    if (pClass == nullptr || pClass->m_pfnCreateObject == nullptr) Fail(CArchiveException::badClass);
    UINT current = pClass->m_wSchema & ~VERSIONABLE_SCHEMA;
    if (storedSchema != current && (pClass->m_wSchema & VERSIONABLE_SCHEMA) == 0) Fail(CArchiveException::badSchema);
    schema = storedSchema;
    m_loadedSchemas[pClass] = schema;
    RegisterLoaded(pClass, true);
  } else if (tag & kClassTagFlag) {
    DWORD index = tag & ~kClassTagFlag;
    if (index == 0 || index > m_loadArray.size() || !m_loadArray[index - 1].isClass) Fail(CArchiveException::badIndex);
    pClass = static_cast<CRuntimeClass*>(m_loadArray[index - 1].p);
    schema = m_loadedSchemas[pClass];
  } else {
    // A null or object reference: no class follows.
    return nullptr;
  }
  if (pClassRefRequested && !pClass->IsDerivedFrom(pClassRefRequested)) Fail(CArchiveException::badClass);
  if (pSchema) *pSchema = schema;
  return pClass;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef) {
  if (IsStoring()) {
    WriteClass(pClassRef);
  } else {
    DWORD tag = 0;
    UINT schema = 0;
    if (ReadClass(pClassRef, &schema, &tag) == nullptr) Fail(CArchiveException::badClass);
    m_nObjectSchema = schema;
  }
}

void CArchive::WriteObject(const CObject* pOb) {
  if (pOb == nullptr) {
    *this << kNullTag;
    return;
  }
  auto it = m_storeMap.find(pOb);
  if (it != m_storeMap.end()) {
    *this << static_cast<DWORD>(it->second);
    return;
  }
  const CRuntimeClass* pClass = pOb->GetRuntimeClass();
  if (pClass->m_wSchema == 0xFFFF || pClass->m_pfnCreateObject == nullptr) AfxThrowNotSupportedException();
  WriteClass(pClass);
  if (m_nextIndex > kMaxIndex) Fail(CArchiveException::badIndex);
  m_storeMap[pOb] = m_nextIndex++;
  const_cast<CObject*>(pOb)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
  UINT schema = 0;
  DWORD tag = 0;
  CRuntimeClass* pClass = ReadClass(pClassRefRequested, &schema, &tag);
  if (pClass == nullptr) {
    if (tag == kNullTag) return nullptr;
    DWORD index = tag;
    if (index > m_loadArray.size() || m_loadArray[index - 1].isClass) Fail(CArchiveException::badIndex);
    CObject* pOb = static_cast<CObject*>(m_loadArray[index - 1].p);
    if (pClassRefRequested && pOb && !pOb->IsKindOf(pClassRefRequested)) Fail(CArchiveException::badClass);
    return pOb;
  }
  CObject* pOb = pClass->CreateObject();
  if (pOb == nullptr) AfxThrowMemoryException();
  std::size_t slot = m_loadArray.size();
  RegisterLoaded(pOb, false);
  UINT savedSchema = m_nObjectSchema;
  m_nObjectSchema = schema;
  try {
    pOb->Serialize(*this);
  } catch (...) {
    // The half-read object is dropped; references to it become null.
    m_loadArray[slot].p = nullptr;
    delete pOb;
    m_nObjectSchema = savedSchema;
    throw;
  }
  m_nObjectSchema = savedSchema;
  return pOb;
}

void CRuntimeClass::Store(CArchive& ar) const { ar.WriteClass(this); }

CRuntimeClass* AFXAPI CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum) { return ar.ReadClass(nullptr, pwSchemaNum); }
