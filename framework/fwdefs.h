// Common definitions of the framework: Windows headers, calling-convention and
// diagnostic macros, forward declarations.
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <tchar.h>

// The framework's classes have members named like some function-style macros
// of the Windows headers (SubclassWindow, GetNextWindow); those macros are
// replaced by functions. Do not include <windowsx.h> after the framework.
#ifdef GetNextWindow
#undef GetNextWindow
inline HWND GetNextWindow(HWND hWnd, UINT wCmd) { return ::GetWindow(hWnd, wCmd); }
#endif
#ifdef SubclassWindow
#undef SubclassWindow
#endif
#ifndef GET_X_LPARAM
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#endif
#ifndef GET_Y_LPARAM
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
#endif

#include <cstddef>
#include <cstdint>

#ifndef AFXAPI
#define AFXAPI
#endif
#ifndef AFX_CDECL
#define AFX_CDECL
#endif
#ifndef AFX_INLINE
#define AFX_INLINE inline
#endif
// Marks message handlers in class declarations; has no effect on code.
#ifndef afx_msg
#define afx_msg
#endif
#ifndef DEBUG_NEW
#define DEBUG_NEW new
#endif

// Opaque iteration position of the collections.
struct __POSITION {};
typedef __POSITION* POSITION;

#ifndef BEFORE_START_POSITION
#define BEFORE_START_POSITION ((POSITION)-1L)
#endif

void AFXAPI AfxAssertFailedLine(const char* lpszFileName, int nLine, const char* lpszExpr);
void AFX_CDECL AfxTrace(const wchar_t* lpszFormat, ...);

// Diagnostics: checked in builds without NDEBUG, where a failure is written to
// the debugger output and stderr (never a blocking box: tests run unattended).
#ifdef NDEBUG
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define TRACE(...) ((void)0)
#else
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailedLine(__FILE__, __LINE__, #f))
#define VERIFY(f) ASSERT(f)
#define TRACE(...) AfxTrace(__VA_ARGS__)
#endif
#define TRACE0(s) TRACE(L"%s", s)
#define TRACE1(s, a) TRACE(s, a)
#define TRACE2(s, a, b) TRACE(s, a, b)
#define TRACE3(s, a, b, c) TRACE(s, a, b, c)
#define ASSERT_VALID(p) ASSERT((p) != nullptr)
#define ASSERT_POINTER(p, type) ASSERT((p) != nullptr)
#define ASSERT_NULL_OR_POINTER(p, type) ((void)0)
#define UNUSED(x) ((void)(x))
#define UNUSED_ALWAYS(x) ((void)(x))

class CObject;
class CArchive;
class CException;
template <typename TChar> class CStringT;
typedef CStringT<wchar_t> CString;
typedef CStringT<wchar_t> CStringW;
typedef CStringT<char> CStringA;
class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
class CMenu;
class CWinThread;
class CWinApp;
class CScrollBar;
struct CRuntimeClass;
struct CCreateContext;

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowUserException();
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, const wchar_t* lpszFileName = nullptr);
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, const wchar_t* lpszArchiveName = nullptr);

namespace fw {
// True when p is null. The "safe" accessors (GetSafeHwnd and the like) may be
// called through a null pointer; the empty asm keeps the compiler from
// assuming that `this` is never null and dropping the check.
inline bool IsNull(const void* p) {
  __asm__("" : "+r"(p));
  return p == nullptr;
}
}  // namespace fw
