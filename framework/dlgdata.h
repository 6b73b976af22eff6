// Dialog data exchange: DoDataExchange moves values between a window's
// members and its controls with the DDX_ functions and checks them with the
// DDV_ functions. CWnd::UpdateData runs it; towards the members
// (m_bSaveAndValidate) a value that cannot be read or fails its check shows a
// message, puts the focus on the control and ends the exchange (UpdateData
// returns FALSE). While the exchange runs, the window ignores its controls'
// notifications (EN_CHANGE and the like), so change handlers see only the
// user's edits.
#pragma once

#include "framework/wnd.h"

class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

  BOOL m_bSaveAndValidate;  // TRUE: controls to members
  CWnd* m_pDlgWnd;

  // The control nIDC of the window; raises CNotSupportedException when there
  // is none (a wrong id is a program error).
  HWND PrepareCtrl(int nIDC);
  // The same for an edit control: a failure selects its text.
  HWND PrepareEditCtrl(int nIDC);
  // Ends the exchange: the last prepared control gets the focus (an edit has
  // its text selected) and CUserException is raised.
  [[noreturn]] void Fail();

  UINT m_idLastControl = 0;
  BOOL m_bEditLastControl = FALSE;
};

// Binds the control nIDC to rControl (once; later calls do nothing).
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Text of a control: strings as they are; numbers in decimal ("%d",
// "%u", "%.15g" ...) with white space around them allowed on reading.
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LONGLONG& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, ULONGLONG& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value);

// Buttons: check state (0, 1, 2) and the index of the checked radio button of
// the group starting at nIDC (-1: none).
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

// Lists: the selected index (-1: none) or text. Loading a text selects the
// first entry starting with it (the Exact forms: equal to it); a combo box
// with an edit shows the text even when no entry matches.
void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);

// Positions of a slider, a scroll bar and a spin button.
void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Spin(CDataExchange* pDX, int nIDC, int& value);

// Checks, applied when saving. DDV_MaxChars also limits the edit when loading.
void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void AFXAPI DDV_MinMaxLongLong(CDataExchange* pDX, LONGLONG value, LONGLONG minVal, LONGLONG maxVal);
void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
void AFXAPI DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal);
void AFXAPI DDV_MinMaxSlider(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);

namespace fw::detail {

// The messages the exchange shows; the program's string table may replace
// them (ids below), "%1" and "%2" standing for the limits.
inline constexpr UINT kIdsParseInt = 0xF500;
inline constexpr UINT kIdsParseUInt = 0xF501;
inline constexpr UINT kIdsParseReal = 0xF502;
inline constexpr UINT kIdsRange = 0xF503;
inline constexpr UINT kIdsMaxChars = 0xF504;

// Number parsing as the exchange does it: optional blanks, sign (unsigned:
// none), digits, optional blanks; FALSE for anything else or an overflow.
BOOL ParseSigned(LPCTSTR text, LONGLONG minValue, LONGLONG maxValue, LONGLONG& value);
BOOL ParseUnsigned(LPCTSTR text, ULONGLONG maxValue, ULONGLONG& value);
BOOL ParseReal(LPCTSTR text, double& value);

}  // namespace fw::detail
