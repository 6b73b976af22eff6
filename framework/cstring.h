// CString (UTF-16) and CStringA (8-bit), one template over the character type.
// Positions and lengths are ints counted in characters; out-of-range
// arguments of the extraction members are clamped, out-of-range element
// access throws CInvalidArgException.
#pragma once

#include <concepts>
#include <cstdarg>
#include <string>
#include <type_traits>

#include "framework/fwdefs.h"
#include "framework/strformat.h"

namespace fw {
template <typename C>
struct OtherChar;
template <>
struct OtherChar<wchar_t> {
  using type = char;
};
template <>
struct OtherChar<char> {
  using type = wchar_t;
};

// Conversions between the ANSI code page and UTF-16.
std::wstring ToWide(const char* s, int len = -1);
std::string ToNarrow(const wchar_t* s, int len = -1);
}  // namespace fw

template <typename TChar>
class CStringT {
 public:
  using XCHAR = TChar;
  using YCHAR = typename fw::OtherChar<TChar>::type;
  using PXSTR = TChar*;
  using PCXSTR = const TChar*;
  using PCYSTR = const YCHAR*;
  using StringType = std::basic_string<TChar>;

  CStringT() = default;
  CStringT(const CStringT&) = default;
  CStringT(CStringT&&) noexcept = default;
  // A pointer made with MAKEINTRESOURCE loads that string resource.
  CStringT(PCXSTR psz) { AssignPointer(psz); }
  CStringT(PCXSTR pch, int nLength) { SetString(pch, nLength); }
  CStringT(PCYSTR psz) { AssignOther(psz, -1); }
  CStringT(PCYSTR pch, int nLength) { AssignOther(pch, nLength); }
  CStringT(const CStringT<YCHAR>& other) { AssignOther(other.GetString(), other.GetLength()); }
  explicit CStringT(TChar ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}
  CStringT(const StringType& s) : m_str(s) {}

  CStringT& operator=(const CStringT&) = default;
  CStringT& operator=(CStringT&&) noexcept = default;
  CStringT& operator=(PCXSTR psz) {
    AssignPointer(psz);
    return *this;
  }
  CStringT& operator=(PCYSTR psz) {
    AssignOther(psz, -1);
    return *this;
  }
  CStringT& operator=(const CStringT<YCHAR>& other) {
    AssignOther(other.GetString(), other.GetLength());
    return *this;
  }
  CStringT& operator=(TChar ch) {
    m_str.assign(1, ch);
    return *this;
  }

  // Access.
  operator PCXSTR() const { return m_str.c_str(); }
  PCXSTR GetString() const { return m_str.c_str(); }
  int GetLength() const { return static_cast<int>(m_str.size()); }
  BOOL IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  TChar GetAt(int iChar) const;
  void SetAt(int iChar, TChar ch);
  template <std::integral I>
  TChar operator[](I iChar) const {
    return GetAt(static_cast<int>(iChar));
  }
  const StringType& str() const { return m_str; }

  // Assignment and concatenation.
  void SetString(PCXSTR psz);
  void SetString(PCXSTR pch, int nLength);
  void Append(PCXSTR psz) {
    if (psz) m_str.append(psz);
  }
  void Append(PCXSTR pch, int nLength);
  void Append(const CStringT& s) { m_str.append(s.m_str); }
  void AppendChar(TChar ch) { m_str.push_back(ch); }
  CStringT& operator+=(const CStringT& s) {
    m_str += s.m_str;
    return *this;
  }
  CStringT& operator+=(PCXSTR psz) {
    Append(psz);
    return *this;
  }
  CStringT& operator+=(PCYSTR psz) {
    m_str += CStringT(psz).m_str;
    return *this;
  }
  CStringT& operator+=(TChar ch) {
    m_str.push_back(ch);
    return *this;
  }

  // Comparison: Compare is ordinal, the NoCase forms fold case, Collate uses
  // the locale's ordering.
  int Compare(PCXSTR psz) const;
  int CompareNoCase(PCXSTR psz) const;
  int Collate(PCXSTR psz) const;
  int CollateNoCase(PCXSTR psz) const;

  // Extraction.
  CStringT Mid(int iFirst) const { return Mid(iFirst, GetLength()); }
  CStringT Mid(int iFirst, int nCount) const;
  CStringT Left(int nCount) const;
  CStringT Right(int nCount) const;
  CStringT SpanIncluding(PCXSTR pszCharSet) const;
  CStringT SpanExcluding(PCXSTR pszCharSet) const;
  // The next token after iStart delimited by any of pszTokens; iStart moves
  // past it, or becomes -1 (with an empty result) when no token remains.
  CStringT Tokenize(PCXSTR pszTokens, int& iStart) const;

  // Searching: results are positions or -1.
  int Find(TChar ch, int iStart = 0) const;
  int Find(PCXSTR pszSub, int iStart = 0) const;
  int ReverseFind(TChar ch) const;
  int FindOneOf(PCXSTR pszCharSet) const;

  // Modification.
  CStringT& MakeUpper();
  CStringT& MakeLower();
  CStringT& MakeReverse();
  int Replace(TChar chOld, TChar chNew);
  int Replace(PCXSTR pszOld, PCXSTR pszNew);
  int Remove(TChar ch);
  int Insert(int iIndex, TChar ch);
  int Insert(int iIndex, PCXSTR psz);
  int Delete(int iIndex, int nCount = 1);
  void Truncate(int nNewLength);
  CStringT& Trim();
  CStringT& Trim(TChar chTarget);
  CStringT& Trim(PCXSTR pszTargets);
  CStringT& TrimLeft();
  CStringT& TrimLeft(TChar chTarget);
  CStringT& TrimLeft(PCXSTR pszTargets);
  CStringT& TrimRight();
  CStringT& TrimRight(TChar chTarget);
  CStringT& TrimRight(PCXSTR pszTargets);

  // Buffer access: GetBuffer returns a writable buffer of at least
  // nMinBufferLength characters plus a terminator; ReleaseBuffer sets the
  // length (to the first terminator when -1).
  PXSTR GetBuffer();
  PXSTR GetBuffer(int nMinBufferLength);
  PXSTR GetBufferSetLength(int nLength);
  void ReleaseBuffer(int nNewLength = -1);
  void ReleaseBufferSetLength(int nNewLength) { ReleaseBuffer(nNewLength); }
  void Preallocate(int nLength) {
    if (nLength > 0) m_str.reserve(nLength);
  }
  void FreeExtra() { m_str.shrink_to_fit(); }
  PXSTR LockBuffer() { return GetBuffer(); }
  void UnlockBuffer() {}

  // Resources.
  BOOL LoadString(UINT nID);
  BOOL LoadString(HINSTANCE hInstance, UINT nID);

  // Formatting (see strformat.h). The variadic forms accept the string
  // classes themselves as %s arguments.
  template <typename... Args>
  void Format(PCXSTR pszFormat, const Args&... args) {
    const fw::FmtArg a[sizeof...(Args) + 1] = {fw::MakeFmtArg(args)..., fw::FmtArg()};
    FormatArray(false, pszFormat, a, sizeof...(Args));
  }
  template <typename... Args>
  void Format(UINT nFormatID, const Args&... args) {
    CStringT fmt;
    fmt.LoadString(nFormatID);
    Format(fmt.GetString(), args...);
  }
  template <typename... Args>
  void AppendFormat(PCXSTR pszFormat, const Args&... args) {
    const fw::FmtArg a[sizeof...(Args) + 1] = {fw::MakeFmtArg(args)..., fw::FmtArg()};
    FormatArray(true, pszFormat, a, sizeof...(Args));
  }
  template <typename... Args>
  void AppendFormat(UINT nFormatID, const Args&... args) {
    CStringT fmt;
    fmt.LoadString(nFormatID);
    AppendFormat(fmt.GetString(), args...);
  }
  void FormatV(PCXSTR pszFormat, va_list args);
  void AppendFormatV(PCXSTR pszFormat, va_list args);
  // Message-style formatting: %1 ... %99 insert the arguments (strings by
  // default, %1!d! and similar for other types).
  template <typename... Args>
  void FormatMessage(PCXSTR pszFormat, const Args&... args) {
    const fw::FmtArg a[sizeof...(Args) + 1] = {fw::MakeFmtArg(args)..., fw::FmtArg()};
    FormatMessageArray(pszFormat, a, sizeof...(Args));
  }
  template <typename... Args>
  void FormatMessage(UINT nFormatID, const Args&... args) {
    CStringT fmt;
    fmt.LoadString(nFormatID);
    FormatMessage(fmt.GetString(), args...);
  }

  BSTR AllocSysString() const;
  BSTR SetSysString(BSTR* pbstr) const;

  void FormatArray(bool append, PCXSTR pszFormat, const fw::FmtArg* args, std::size_t count);
  void FormatMessageArray(PCXSTR pszFormat, const fw::FmtArg* args, std::size_t count);

 private:
  void AssignPointer(PCXSTR psz);
  void AssignOther(PCYSTR psz, int nLength);

  StringType m_str;
};

extern template class CStringT<wchar_t>;
extern template class CStringT<char>;

// Concatenation.
template <typename C>
CStringT<C> operator+(const CStringT<C>& a, const CStringT<C>& b) {
  CStringT<C> r(a);
  r += b;
  return r;
}
template <typename C>
CStringT<C> operator+(const CStringT<C>& a, const C* b) {
  CStringT<C> r(a);
  r += b;
  return r;
}
template <typename C>
CStringT<C> operator+(const C* a, const CStringT<C>& b) {
  CStringT<C> r(a);
  r += b;
  return r;
}
template <typename C>
CStringT<C> operator+(const CStringT<C>& a, C b) {
  CStringT<C> r(a);
  r += b;
  return r;
}
template <typename C>
CStringT<C> operator+(C a, const CStringT<C>& b) {
  CStringT<C> r(a);
  r += b;
  return r;
}

// Ordinal comparison.
template <typename C>
bool operator==(const CStringT<C>& a, const CStringT<C>& b) {
  return a.str() == b.str();
}
template <typename C>
bool operator==(const CStringT<C>& a, const C* b) {
  return a.Compare(b) == 0;
}
template <typename C>
bool operator==(const C* a, const CStringT<C>& b) {
  return b.Compare(a) == 0;
}
template <typename C>
bool operator==(const CStringT<C>& a, C b) {
  return a.GetLength() == 1 && a.GetAt(0) == b;
}
template <typename C>
bool operator!=(const CStringT<C>& a, const CStringT<C>& b) {
  return !(a == b);
}
template <typename C>
bool operator!=(const CStringT<C>& a, const C* b) {
  return !(a == b);
}
template <typename C>
bool operator!=(const C* a, const CStringT<C>& b) {
  return !(a == b);
}
template <typename C>
bool operator!=(const CStringT<C>& a, C b) {
  return !(a == b);
}
template <typename C>
bool operator<(const CStringT<C>& a, const CStringT<C>& b) {
  return a.Compare(b) < 0;
}
template <typename C>
bool operator<(const CStringT<C>& a, const C* b) {
  return a.Compare(b) < 0;
}
template <typename C>
bool operator<(const C* a, const CStringT<C>& b) {
  return b.Compare(a) > 0;
}
template <typename C>
bool operator>(const CStringT<C>& a, const CStringT<C>& b) {
  return a.Compare(b) > 0;
}
template <typename C>
bool operator>(const CStringT<C>& a, const C* b) {
  return a.Compare(b) > 0;
}
template <typename C>
bool operator>(const C* a, const CStringT<C>& b) {
  return b.Compare(a) < 0;
}
template <typename C>
bool operator<=(const CStringT<C>& a, const CStringT<C>& b) {
  return a.Compare(b) <= 0;
}
template <typename C>
bool operator<=(const CStringT<C>& a, const C* b) {
  return a.Compare(b) <= 0;
}
template <typename C>
bool operator>=(const CStringT<C>& a, const CStringT<C>& b) {
  return a.Compare(b) >= 0;
}
template <typename C>
bool operator>=(const CStringT<C>& a, const C* b) {
  return a.Compare(b) >= 0;
}

// Replaces "%1" in the string resource nIDS by lpsz1 (and "%2" by lpsz2).
void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString);
// Copies the iSubString-th field of lpszFullString, fields separated by chSep.
BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep = L'\n');
// Loads a string resource from the resource module (then the program).
int AFXAPI AfxLoadString(UINT nIDResource, LPTSTR lpszBuf, UINT nMaxBuf);
