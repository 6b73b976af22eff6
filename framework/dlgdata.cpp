#include "framework/dlgdata.h"

#include <cerrno>
#include <climits>
#include <cwchar>
#include <cwctype>
#include <vector>

#include "framework/app.h"
#include "framework/fwinternal.h"

namespace fw::detail {

namespace {

const wchar_t* SkipBlanks(const wchar_t* p) {
  while (*p && std::iswspace(*p)) ++p;
  return p;
}

// Digits of an unsigned number; FALSE without digits or on overflow.
BOOL ReadDigits(const wchar_t*& p, ULONGLONG limit, ULONGLONG& value) {
  if (*p < L'0' || *p > L'9') return FALSE;
  value = 0;
  for (; *p >= L'0' && *p <= L'9'; ++p) {
    ULONGLONG digit = static_cast<ULONGLONG>(*p - L'0');
    if (digit > limit || value > (limit - digit) / 10) return FALSE;
    value = value * 10 + digit;
  }
  return TRUE;
}

}  // namespace

BOOL ParseSigned(LPCTSTR text, LONGLONG minValue, LONGLONG maxValue, LONGLONG& value) {
  if (text == nullptr) return FALSE;
  const wchar_t* p = SkipBlanks(text);
  bool negative = false;
  if (*p == L'-' || *p == L'+') negative = *p++ == L'-';
  ULONGLONG magnitude = 0;
  ULONGLONG limit = negative ? static_cast<ULONGLONG>(-(minValue + 1)) + 1 : static_cast<ULONGLONG>(maxValue);
  if (!ReadDigits(p, limit, magnitude)) return FALSE;
  if (*SkipBlanks(p) != 0) return FALSE;
  if (negative) value = magnitude == 0 ? 0 : -static_cast<LONGLONG>(magnitude - 1) - 1;
  else value = static_cast<LONGLONG>(magnitude);
  return value >= minValue && value <= maxValue;
}

BOOL ParseUnsigned(LPCTSTR text, ULONGLONG maxValue, ULONGLONG& value) {
  if (text == nullptr) return FALSE;
  const wchar_t* p = SkipBlanks(text);
  if (*p == L'+') ++p;
  if (!ReadDigits(p, maxValue, value)) return FALSE;
  return *SkipBlanks(p) == 0;
}

BOOL ParseReal(LPCTSTR text, double& value) {
  if (text == nullptr) return FALSE;
  const wchar_t* p = SkipBlanks(text);
  if (*p == 0) return FALSE;
  wchar_t* end = nullptr;
  errno = 0;
  double v = std::wcstod(p, &end);
  if (end == p || errno == ERANGE || *SkipBlanks(end) != 0) return FALSE;
  value = v;
  return TRUE;
}

}  // namespace fw::detail

namespace {

using fw::detail::GetThreadState;

CString Message(UINT nID, LPCTSTR fallback) {
  CString text;
  if (!text.LoadString(nID) || text.IsEmpty()) text = fallback;
  return text;
}

[[noreturn]] void FailWith(CDataExchange* pDX, UINT nID, LPCTSTR fallback, LPCTSTR first = nullptr,
                           LPCTSTR second = nullptr) {
  CString text = Message(nID, fallback);
  if (first) text.Replace(L"%1", first);
  if (second) text.Replace(L"%2", second);
  AfxMessageBox(text, MB_ICONEXCLAMATION);
  pDX->Fail();
}

CString ControlText(HWND hWnd) {
  int n = ::GetWindowTextLengthW(hWnd);
  std::vector<wchar_t> text(static_cast<std::size_t>(n) + 2, 0);
  n = ::GetWindowTextW(hWnd, text.data(), n + 1);
  return CString(text.data(), n);
}

// Writes the text only when it differs: no flicker, no needless notification.
void SetControlText(HWND hWnd, LPCTSTR text) {
  if (ControlText(hWnd) != text) ::SetWindowTextW(hWnd, text);
}

template <typename T>
void ExchangeSigned(CDataExchange* pDX, int nIDC, T& value, LONGLONG minValue, LONGLONG maxValue) {
  HWND hWnd = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    LONGLONG parsed = 0;
    if (!fw::detail::ParseSigned(ControlText(hWnd), minValue, maxValue, parsed))
      FailWith(pDX, fw::detail::kIdsParseInt, L"Please enter a whole number.");
    value = static_cast<T>(parsed);
  } else {
    CString text;
    text.Format(L"%I64d", static_cast<LONGLONG>(value));
    SetControlText(hWnd, text);
  }
}

template <typename T>
void ExchangeUnsigned(CDataExchange* pDX, int nIDC, T& value, ULONGLONG maxValue) {
  HWND hWnd = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    ULONGLONG parsed = 0;
    if (!fw::detail::ParseUnsigned(ControlText(hWnd), maxValue, parsed))
      FailWith(pDX, fw::detail::kIdsParseUInt, L"Please enter a whole number, 0 or more.");
    value = static_cast<T>(parsed);
  } else {
    CString text;
    text.Format(L"%I64u", static_cast<ULONGLONG>(value));
    SetControlText(hWnd, text);
  }
}

template <typename T>
void ExchangeReal(CDataExchange* pDX, int nIDC, T& value, int digits) {
  HWND hWnd = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    double parsed = 0;
    if (!fw::detail::ParseReal(ControlText(hWnd), parsed)) FailWith(pDX, fw::detail::kIdsParseReal, L"Please enter a number.");
    value = static_cast<T>(parsed);
  } else {
    CString text;
    text.Format(L"%.*g", digits, static_cast<double>(value));
    SetControlText(hWnd, text);
  }
}

template <typename T, typename Fmt>
void CheckRange(CDataExchange* pDX, T value, T minVal, T maxVal, Fmt format) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  FailWith(pDX, fw::detail::kIdsRange, L"Please enter a value from %1 to %2.", format(minVal), format(maxVal));
}

CString FormatSigned(LONGLONG v) {
  CString s;
  s.Format(L"%I64d", v);
  return s;
}

CString FormatUnsigned(ULONGLONG v) {
  CString s;
  s.Format(L"%I64u", v);
  return s;
}

CString FormatReal(double v) {
  CString s;
  s.Format(L"%g", v);
  return s;
}

}  // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND hWnd = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC) : nullptr;
  if (hWnd == nullptr) {
    TRACE(L"Data exchange: no control with id %d\n", nIDC);
    AfxThrowNotSupportedException();
  }
  m_idLastControl = static_cast<UINT>(nIDC);
  m_bEditLastControl = FALSE;
  return hWnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND hWnd = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return hWnd;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_pDlgWnd != nullptr && m_idLastControl != 0) {
    HWND hWnd = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), static_cast<int>(m_idLastControl));
    if (hWnd != nullptr) {
      ::SetFocus(hWnd);
      if (m_bEditLastControl) ::SendMessageW(hWnd, EM_SETSEL, 0, -1);
    }
  }
  AfxThrowUserException();
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  if (m_hWnd == nullptr) return FALSE;
  CDataExchange dx(this, bSaveAndValidate);
  auto& ts = GetThreadState();
  HWND oldLockout = ts.hLockoutNotifyWindow;
  ts.hLockoutNotifyWindow = m_hWnd;
  struct Unlock {
    HWND old;
    ~Unlock() { GetThreadState().hLockoutNotifyWindow = old; }
  } unlock{oldLockout};
  try {
    DoDataExchange(&dx);
  } catch (CUserException* e) {
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd != nullptr) return;
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (!rControl.SubclassWindow(hWnd)) {
    TRACE(L"Data exchange: control %d is bound to another object\n", nIDC);
    AfxThrowNotSupportedException();
  }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWnd = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = ControlText(hWnd);
  else SetControlText(hWnd, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ExchangeSigned(pDX, nIDC, value, INT_MIN, INT_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value) { ExchangeSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value) { ExchangeSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LONGLONG& value) {
  ExchangeSigned(pDX, nIDC, value, LLONG_MIN, LLONG_MAX);
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { ExchangeUnsigned(pDX, nIDC, value, UINT_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) { ExchangeUnsigned(pDX, nIDC, value, ULONG_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { ExchangeUnsigned(pDX, nIDC, value, UCHAR_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, ULONGLONG& value) { ExchangeUnsigned(pDX, nIDC, value, ULLONG_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value) { ExchangeReal(pDX, nIDC, value, 15); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value) { ExchangeReal(pDX, nIDC, value, 6); }

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = static_cast<int>(::SendMessageW(hWnd, BM_GETCHECK, 0, 0));
  else ::SendMessageW(hWnd, BM_SETCHECK, static_cast<WPARAM>(value < 0 || value > 2 ? 0 : value), 0);
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND first = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = -1;
  int index = 0;
  for (HWND hWnd = first; hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
    if (hWnd != first && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_GROUP)) break;
    if (!(::SendMessageW(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
    if (pDX->m_bSaveAndValidate) {
      if (::SendMessageW(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
    } else {
      ::SendMessageW(hWnd, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    ++index;
  }
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) index = static_cast<int>(::SendMessageW(hWnd, LB_GETCURSEL, 0, 0));
  else ::SendMessageW(hWnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

namespace {

CString ListText(HWND hWnd, UINT getLen, UINT getText, int index) {
  LRESULT n = ::SendMessageW(hWnd, getLen, static_cast<WPARAM>(index), 0);
  if (n < 0) return CString();
  std::vector<wchar_t> text(static_cast<std::size_t>(n) + 1, 0);
  LRESULT got = ::SendMessageW(hWnd, getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  return got < 0 ? CString() : CString(text.data(), static_cast<int>(got));
}

}  // namespace

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    int index = static_cast<int>(::SendMessageW(hWnd, LB_GETCURSEL, 0, 0));
    value = index < 0 ? CString() : ListText(hWnd, LB_GETTEXTLEN, LB_GETTEXT, index);
  } else if (::SendMessageW(hWnd, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString())) ==
             LB_ERR) {
    ::SendMessageW(hWnd, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  }
}

void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    DDX_LBString(pDX, nIDC, value);
    return;
  }
  LRESULT index = ::SendMessageW(hWnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
  ::SendMessageW(hWnd, LB_SETCURSEL, static_cast<WPARAM>(index == LB_ERR ? -1 : index), 0);
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) index = static_cast<int>(::SendMessageW(hWnd, CB_GETCURSEL, 0, 0));
  else ::SendMessageW(hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

namespace {

bool ComboHasEdit(HWND hWnd) { return (::GetWindowLongPtrW(hWnd, GWL_STYLE) & 0x3) != CBS_DROPDOWNLIST; }

void SaveComboText(HWND hWnd, CString& value) {
  if (ComboHasEdit(hWnd)) {
    value = ControlText(hWnd);
    return;
  }
  int index = static_cast<int>(::SendMessageW(hWnd, CB_GETCURSEL, 0, 0));
  value = index < 0 ? CString() : ListText(hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

void LoadComboText(HWND hWnd, const CString& value, LRESULT index) {
  if (index != CB_ERR) {
    ::SendMessageW(hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // The edit shows the whole text, not the entry it starts.
    if (ComboHasEdit(hWnd)) SetControlText(hWnd, value);
  } else if (ComboHasEdit(hWnd)) {
    SetControlText(hWnd, value);
  } else {
    ::SendMessageW(hWnd, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  }
}

}  // namespace

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    SaveComboText(hWnd, value);
    return;
  }
  LoadComboText(hWnd, value,
                ::SendMessageW(hWnd, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString())));
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    SaveComboText(hWnd, value);
    return;
  }
  LoadComboText(hWnd, value,
                ::SendMessageW(hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString())));
}

void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = static_cast<int>(::SendMessageW(hWnd, TBM_GETPOS, 0, 0));
  else ::SendMessageW(hWnd, TBM_SETPOS, TRUE, value);
}

void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = ::GetScrollPos(hWnd, SB_CTL);
  else ::SetScrollPos(hWnd, SB_CTL, value, TRUE);
}

void AFXAPI DDX_Spin(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = static_cast<int>(::SendMessageW(hWnd, UDM_GETPOS32, 0, 0));
  else ::SendMessageW(hWnd, UDM_SETPOS32, 0, value);
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
  if (pDX->m_bSaveAndValidate) {
    if (value.GetLength() > nChars)
      FailWith(pDX, fw::detail::kIdsMaxChars, L"Please enter at most %1 characters.", FormatSigned(nChars));
    return;
  }
  // Loading: the edit itself keeps the user within the limit.
  if (pDX->m_idLastControl != 0 && pDX->m_bEditLastControl) {
    HWND hWnd = ::GetDlgItem(pDX->m_pDlgWnd->GetSafeHwnd(), static_cast<int>(pDX->m_idLastControl));
    if (hWnd != nullptr) ::SendMessageW(hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
  }
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  CheckRange<LONGLONG>(pDX, value, minVal, maxVal, FormatSigned);
}
void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
  CheckRange<LONGLONG>(pDX, value, minVal, maxVal, FormatSigned);
}
void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal) {
  CheckRange<LONGLONG>(pDX, value, minVal, maxVal, FormatSigned);
}
void AFXAPI DDV_MinMaxLongLong(CDataExchange* pDX, LONGLONG value, LONGLONG minVal, LONGLONG maxVal) {
  CheckRange<LONGLONG>(pDX, value, minVal, maxVal, FormatSigned);
}
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  CheckRange<ULONGLONG>(pDX, value, minVal, maxVal, FormatUnsigned);
}
void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
  CheckRange<ULONGLONG>(pDX, value, minVal, maxVal, FormatUnsigned);
}
void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) {
  CheckRange<ULONGLONG>(pDX, value, minVal, maxVal, FormatUnsigned);
}
void AFXAPI DDV_MinMaxSlider(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
  CheckRange<ULONGLONG>(pDX, value, minVal, maxVal, FormatUnsigned);
}
void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal) {
  CheckRange<double>(pDX, value, minVal, maxVal, FormatReal);
}
void AFXAPI DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal) {
  CheckRange<double>(pDX, value, minVal, maxVal, FormatReal);
}
