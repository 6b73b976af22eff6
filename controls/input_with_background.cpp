#include "controls/input_with_background.h"

#include <cwchar>
#include <string>

#include "core/range_item.h"

BEGIN_MESSAGE_MAP(CEditWithBorder, CEdit)
  ON_WM_NCPAINT()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

void CEditWithBorder::OnNcPaint() {
  if (!m_ownBorder) {
    CEdit::OnNcPaint();
    return;
  }
  CWindowDC dc(this);
  CRect client;
  GetClientRect(&client);
  CRect frame(0, 0, client.Width() + 4, client.Height() + 4);
  frame.DeflateRect(1, 1);
  const COLORREF color = IsWindowEnabled() ? kFrameColor : kDisabledFrameColor;
  dc.Draw3dRect(&frame, color, color);
}

HBRUSH CEditWithBorder::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = CEdit::OnCtlColor(pDC, pWnd, nCtlColor);
  pDC->SetBkMode(TRANSPARENT);
  return brush;
}

BEGIN_MESSAGE_MAP(CEditWithBackground, CEditWithBorder)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CEditWithBackground::~CEditWithBackground() { delete m_brush; }

namespace {

// The text of an undefined number.
// The text of an undefined number: the old run-time library's "-1.#IND" and the like, and
// the C99 "nan" and "inf" forms of this one.
bool IsUndefinedNumber(const CString& text) {
  if (text.Left(4) == L"-1.#") return true;
  CString lower(text);
  lower.MakeLower();
  lower.TrimLeft(L"+-");
  return lower.Left(3) == L"nan" || lower.Left(3) == L"inf";
}

}  // namespace

COLORREF CEditWithBackground::ColourFor(const CString& text, int seatCount) {
  const double fair = seatCount >= 2 && seatCount <= 10 ? 100.0 / seatCount : 50.0;
  if (IsUndefinedNumber(text) || text == L"-") return RGB(255, 0, 0);
  if (text.IsEmpty()) return RGB(255, 255, 255);
  const double value = wcstod(text.GetString(), nullptr);
  if (value == 0) return RGB(255, 0, 0);
  if (value <= fair) {
    const long g = static_cast<long>(value * 255 / fair);
    return RGB(255, g & 0xFF, 0);
  }
  const long r = static_cast<long>(255 - (value - fair) * 255 / (100 - fair));
  return RGB(r & 0xFF, 255, 0);
}

HBRUSH CEditWithBackground::CtlColor(CDC* pDC, UINT /*nCtlColor*/) {
  CString text;
  GetWindowText(text);
  COLORREF color = ColourFor(text, m_seatCount);
  if (IsUndefinedNumber(text)) SetWindowText(L"-");
  if (!IsWindowEnabled()) color = kDisabledColor;
  m_backColour = color;
  delete m_brush;
  m_brush = new CBrush(color);
  pDC->SetTextColor(m_textColour);
  pDC->SetBkColor(color);
  return static_cast<HBRUSH>(m_brush->GetSafeHandle());
}

BEGIN_MESSAGE_MAP(CInputWithBackground, CEditWithBorder)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

namespace {

CInputWithBackground::RangeCheck g_rangeCheck = nullptr;

// Every two-letter group from the front is a card.
bool AllCards(std::wstring_view text) {
  if (text.size() % 2 != 0) return false;
  for (size_t i = 0; i < text.size(); i += 2)
    if (!IsValidCardText(text.substr(i, 2))) return false;
  return true;
}

}  // namespace

CInputWithBackground::~CInputWithBackground() { delete m_brush; }

void CInputWithBackground::SetRangeCheck(RangeCheck check) { g_rangeCheck = check; }

bool CInputWithBackground::IsValidInput(int mode, std::wstring_view raw) {
  std::wstring text;
  for (wchar_t c : raw)
    if (c != L' ' && c != L'\t') text.push_back(c);
  if (mode < 1 || mode == 2) return !g_rangeCheck || g_rangeCheck(text);
  if (text.empty()) return true;
  switch (mode) {
    case kOneCard:
      return text.size() == 2 && AllCards(text);
    case kUpToThreeCards:
      return text.size() <= 6 && AllCards(text);
    case kHand:
      return text.size() == 8 && AllCards(text);
    default:
      return AllCards(text);
  }
}

HBRUSH CInputWithBackground::CtlColor(CDC* pDC, UINT /*nCtlColor*/) {
  CString text;
  GetWindowText(text);
  const bool valid = IsValidInput(m_mode, std::wstring_view(text.GetString(), text.GetLength()));
  const COLORREF color = valid ? kValidColor : kInvalidColor;
  delete m_brush;
  m_brush = new CBrush(color);
  pDC->SetBkColor(color);
  pDC->SetTextColor(m_inactive ? kInactiveTextColor : ::GetSysColor(COLOR_WINDOWTEXT));
  m_valid = valid ? 1 : 0;
  return static_cast<HBRUSH>(m_brush->GetSafeHandle());
}
