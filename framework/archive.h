// CArchive: typed binary storage of values, strings and objects on a CFile.
//
// Layout (little-endian, fixed sizes): BYTE/char/bool 1, WORD/short/wchar_t 2,
// LONG/DWORD/int/unsigned/float 4, LONGLONG/ULONGLONG/double 8. Counts are a
// WORD, or 0xFFFF and a DWORD, or additionally 0xFFFFFFFF and a QWORD.
// A string is a kind byte (1: 8-bit, 2: UTF-16), a count and the characters;
// either kind loads into either string class. Objects are a DWORD tag: 0 for
// null, an index for an object stored before, 0x80000000 | index for a new
// object of a class stored before, or 0xFFFFFFFF for a new object of a new
// class followed by the class's schema (DWORD) and name (count and bytes).
// Objects and classes share one index sequence starting at 1.
// Malformed data raises CArchiveException; it never reads out of bounds.
#pragma once

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <unordered_map>
#include <vector>

#include "framework/cstring.h"
#include "framework/exceptions.h"
#include "framework/file.h"
#include "framework/runtime.h"

class CDocument;

class CArchive {
 public:
  enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  BOOL IsByteSwapping() const { return FALSE; }
  BOOL IsBufferEmpty() const { return m_readPos >= m_readEnd; }
  CFile* GetFile() const { return m_pFile; }
  // Schema of the object being loaded; -1 once read, so a class reads it once.
  UINT GetObjectSchema();
  void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

  // Raw bytes. Read returns fewer bytes than asked at the end of the data.
  UINT Read(void* lpBuf, UINT nMax);
  void Write(const void* lpBuf, UINT nMax);
  void Flush();
  void Close();
  void Abort();

  // Text lines of UTF-16 characters; ReadString drops the line end and
  // returns FALSE at the end of the data.
  void WriteString(LPCTSTR lpsz);
  BOOL ReadString(CString& rString);
  LPTSTR ReadString(LPTSTR lpsz, UINT nMax);

  // Objects.
  CObject* ReadObject(const CRuntimeClass* pClass);
  void WriteObject(const CObject* pOb);
  CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                           DWORD* pObTag = nullptr);
  void WriteClass(const CRuntimeClass* pClassRef);
  void SerializeClass(const CRuntimeClass* pClassRef);
  // Registers an object that is not stored but may be referenced.
  void MapObject(const CObject* pOb);
  void SetStoreParams(UINT = 2053, UINT = 128) {}
  void SetLoadParams(UINT = 1024) {}

  DWORD_PTR ReadCount();
  void WriteCount(DWORD_PTR dwCount);

  // Strings.
  void WriteStringValue(const wchar_t* p, std::size_t n);
  void WriteStringValue(const char* p, std::size_t n);
  void ReadStringValue(CString& s);
  void ReadStringValue(CStringA& s);

  // Values.
  CArchive& operator<<(BYTE v) { return Put(v); }
  CArchive& operator<<(WORD v) { return Put(v); }
  CArchive& operator<<(LONG v) { return Put(v); }
  CArchive& operator<<(DWORD v) { return Put(v); }
  CArchive& operator<<(float v) { return Put(v); }
  CArchive& operator<<(double v) { return Put(v); }
  CArchive& operator<<(LONGLONG v) { return Put(v); }
  CArchive& operator<<(ULONGLONG v) { return Put(v); }
  CArchive& operator<<(int v) { return Put(static_cast<LONG>(v)); }
  CArchive& operator<<(unsigned v) { return Put(static_cast<DWORD>(v)); }
  CArchive& operator<<(short v) { return Put(v); }
  CArchive& operator<<(char v) { return Put(v); }
  CArchive& operator<<(signed char v) { return Put(v); }
  CArchive& operator<<(wchar_t v) { return Put(static_cast<WORD>(v)); }
  CArchive& operator<<(bool v) { return Put(static_cast<BYTE>(v ? 1 : 0)); }
  CArchive& operator<<(const CString& s) {
    WriteStringValue(s.GetString(), static_cast<std::size_t>(s.GetLength()));
    return *this;
  }
  CArchive& operator<<(const CStringA& s) {
    WriteStringValue(s.GetString(), static_cast<std::size_t>(s.GetLength()));
    return *this;
  }
  CArchive& operator<<(const wchar_t* s) {
    WriteStringValue(s ? s : L"", s ? std::wcslen(s) : 0);
    return *this;
  }
  CArchive& operator<<(const char* s) {
    WriteStringValue(s ? s : "", s ? std::strlen(s) : 0);
    return *this;
  }
  CArchive& operator<<(const POINT& v) { return *this << v.x << v.y; }
  CArchive& operator<<(const SIZE& v) { return *this << v.cx << v.cy; }
  CArchive& operator<<(const RECT& v) { return *this << v.left << v.top << v.right << v.bottom; }
  CArchive& operator<<(const CObject* pOb) {
    WriteObject(pOb);
    return *this;
  }

  CArchive& operator>>(BYTE& v) { return Get(v); }
  CArchive& operator>>(WORD& v) { return Get(v); }
  CArchive& operator>>(LONG& v) { return Get(v); }
  CArchive& operator>>(DWORD& v) { return Get(v); }
  CArchive& operator>>(float& v) { return Get(v); }
  CArchive& operator>>(double& v) { return Get(v); }
  CArchive& operator>>(LONGLONG& v) { return Get(v); }
  CArchive& operator>>(ULONGLONG& v) { return Get(v); }
  CArchive& operator>>(int& v) {
    LONG l;
    Get(l);
    v = l;
    return *this;
  }
  CArchive& operator>>(unsigned& v) {
    DWORD d;
    Get(d);
    v = d;
    return *this;
  }
  CArchive& operator>>(short& v) { return Get(v); }
  CArchive& operator>>(char& v) { return Get(v); }
  CArchive& operator>>(signed char& v) { return Get(v); }
  CArchive& operator>>(wchar_t& v) {
    WORD w;
    Get(w);
    v = static_cast<wchar_t>(w);
    return *this;
  }
  CArchive& operator>>(bool& v) {
    BYTE b;
    Get(b);
    v = b != 0;
    return *this;
  }
  CArchive& operator>>(CString& s) {
    ReadStringValue(s);
    return *this;
  }
  CArchive& operator>>(CStringA& s) {
    ReadStringValue(s);
    return *this;
  }
  CArchive& operator>>(POINT& v) { return *this >> v.x >> v.y; }
  CArchive& operator>>(SIZE& v) { return *this >> v.cx >> v.cy; }
  CArchive& operator>>(RECT& v) { return *this >> v.left >> v.top >> v.right >> v.bottom; }
  CArchive& operator>>(CObject*& pOb) {
    pOb = ReadObject(nullptr);
    return *this;
  }
  CArchive& operator>>(const CObject*& pOb) {
    pOb = ReadObject(nullptr);
    return *this;
  }

  CDocument* m_pDocument = nullptr;

 private:
  template <typename T>
  CArchive& Put(T v) {
    Write(&v, sizeof v);
    return *this;
  }
  template <typename T>
  CArchive& Get(T& v) {
    ReadExact(&v, sizeof v);
    return *this;
  }
  void ReadExact(void* p, UINT n);
  void Fail(int cause) const;
  void FillBuffer();
  void RegisterLoaded(void* p, bool isClass);

  CFile* m_pFile;
  UINT m_nMode;
  std::vector<BYTE> m_buffer;
  std::size_t m_readPos = 0;  // loading: next unread byte of m_buffer
  std::size_t m_readEnd = 0;  // loading: end of valid bytes
  bool m_closed = false;
  UINT m_nObjectSchema = static_cast<UINT>(-1);
  // Storing: objects and classes already written, by index.
  std::unordered_map<const void*, DWORD> m_storeMap;
  // Loading: index -> object or class.
  struct Loaded {
    void* p;
    bool isClass;
  };
  std::vector<Loaded> m_loadArray;
  std::unordered_map<const CRuntimeClass*, UINT> m_loadedSchemas;
  DWORD m_nextIndex = 1;
};

// Default element (de)serialisation for the collections: the archive's own
// operators where the type has them, else the bytes of trivially copyable types.
template <typename TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount) {
  if constexpr (requires(CArchive& a, TYPE& t) {
                  a << t;
                  a >> t;
                }) {
    if (ar.IsStoring()) {
      for (INT_PTR i = 0; i < nCount; ++i) ar << pElements[i];
    } else {
      for (INT_PTR i = 0; i < nCount; ++i) ar >> pElements[i];
    }
  } else {
    static_assert(std::is_trivially_copyable_v<TYPE>, "provide SerializeElements for this element type");
    const std::size_t bytes = sizeof(TYPE) * static_cast<std::size_t>(nCount);
    BYTE* p = reinterpret_cast<BYTE*>(pElements);
    for (std::size_t done = 0; done < bytes;) {
      UINT chunk = static_cast<UINT>(std::min<std::size_t>(bytes - done, 1u << 30));
      if (ar.IsStoring()) {
        ar.Write(p + done, chunk);
      } else if (ar.Read(p + done, chunk) != chunk) {
        AfxThrowArchiveException(CArchiveException::endOfFile);
      }
      done += chunk;
    }
  }
}
