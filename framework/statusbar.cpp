#include "framework/statusbar.h"

#include <algorithm>

#include "framework/frame.h"
#include "framework/prompts.h"

IMPLEMENT_DYNAMIC(CStatusBarCtrl, CWnd)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {

void LoadBarClasses() {
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
}

// Asks for the state of one status pane: enabled shows its text, checked
// pops it out.
class CStatusCmdUI : public CCmdUI {
 public:
  CStatusBar* m_pBar = nullptr;
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    const UINT style = m_pBar->GetPaneStyle(static_cast<int>(m_nIndex));
    m_pBar->SetPaneStyle(static_cast<int>(m_nIndex), bOn ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED));
  }
  void SetCheck(int nCheck) override {
    const UINT style = m_pBar->GetPaneStyle(static_cast<int>(m_nIndex));
    m_pBar->SetPaneStyle(static_cast<int>(m_nIndex), nCheck ? (style | SBPS_POPOUT) : (style & ~SBPS_POPOUT));
  }
  void SetText(LPCTSTR lpszText) override { m_pBar->SetPaneText(static_cast<int>(m_nIndex), lpszText); }
};

}  // namespace

BOOL CStatusBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  LoadBarClasses();
  return CWnd::Create(STATUSCLASSNAMEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

CString CStatusBarCtrl::GetText(int nPane, int* pType) const {
  const LRESULT info = SendMessage(SB_GETTEXTLENGTHW, nPane);
  const int length = LOWORD(info);
  if (pType != nullptr) *pType = HIWORD(info);
  CString text;
  if (length > 0) {
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    SendMessage(SB_GETTEXTW, nPane, reinterpret_cast<LPARAM>(buffer.data()));
    text = buffer.data();
  }
  return text;
}

int CStatusBarCtrl::GetTextLength(int nPane, int* pType) const {
  const LRESULT info = SendMessage(SB_GETTEXTLENGTHW, nPane);
  if (pType != nullptr) *pType = HIWORD(info);
  return LOWORD(info);
}

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_MESSAGE(WM_SETTEXT, &CStatusBar::OnSetText)
  ON_MESSAGE(WM_GETTEXT, &CStatusBar::OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, &CStatusBar::OnGetTextLength)
  ON_MESSAGE(SB_SETMINHEIGHT, &CStatusBar::OnSetMinHeight)
END_MESSAGE_MAP()

CStatusBar::CStatusBar() { m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0; }

CStatusBar::~CStatusBar() { m_ctrl.m_hWnd = nullptr; }

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
  LoadBarClasses();
  m_dwStyle = dwStyle & CBRS_ALL;
  DWORD style = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | WS_CHILD | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER |
                CCS_NORESIZE;
  if (pParentWnd != nullptr && (pParentWnd->GetStyle() & WS_THICKFRAME)) style |= SBARS_SIZEGRIP;
  return CWnd::Create(STATUSCLASSNAMEW, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID);
}

CStatusBarCtrl& CStatusBar::GetStatusBarCtrl() const {
  m_ctrl.m_hWnd = m_hWnd;
  return m_ctrl;
}

int CStatusBar::TextWidth(const CString& s) const {
  if (m_hWnd == nullptr || s.IsEmpty()) return 0;
  HDC dc = ::GetDC(m_hWnd);
  auto font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
  HGDIOBJ old = font != nullptr ? ::SelectObject(dc, font) : nullptr;
  SIZE size = {0, 0};
  ::GetTextExtentPoint32W(dc, s, s.GetLength(), &size);
  if (old != nullptr) ::SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);
  return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  m_panes.clear();
  BOOL allFound = TRUE;
  for (int i = 0; i < nIDCount && lpIDArray != nullptr; ++i) {
    Pane pane;
    pane.nID = lpIDArray[i];
    if (pane.nID == ID_SEPARATOR) {
      // The message pane takes what the others leave.
      if (i == 0) pane.nStyle = SBPS_NOBORDERS | SBPS_STRETCH;
    } else {
      CString full;
      if (!AfxLoadPromptString(pane.nID, full)) allFound = FALSE;
      pane.strText = AfxPromptPart(full, 0);
      pane.cxText = TextWidth(pane.strText);
    }
    m_panes.push_back(pane);
  }
  m_nCount = static_cast<int>(m_panes.size());
  UpdateAllPanes(TRUE, TRUE);
  return allFound;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
  for (size_t i = 0; i < m_panes.size(); ++i)
    if (m_panes[i].nID == nIDFind) return static_cast<int>(i);
  return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const { return IsValidIndex(nIndex) ? m_panes[nIndex].nID : 0; }

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  if (lpRect == nullptr) return;
  ::SetRectEmpty(lpRect);
  if (IsValidIndex(nIndex) && m_hWnd != nullptr) ::SendMessageW(m_hWnd, SB_GETRECT, nIndex, reinterpret_cast<LPARAM>(lpRect));
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const {
  rString = IsValidIndex(nIndex) ? m_panes[nIndex].strText : CString();
}

CString CStatusBar::GetPaneText(int nIndex) const {
  CString s;
  GetPaneText(nIndex, s);
  return s;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
  if (!IsValidIndex(nIndex)) return FALSE;
  CString text = lpszNewText != nullptr ? lpszNewText : L"";
  Pane& pane = m_panes[nIndex];
  if (pane.strText == text) return TRUE;
  pane.strText = text;
  if (bUpdate && m_hWnd != nullptr) UpdateAllPanes(FALSE, TRUE);
  return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
  if (!IsValidIndex(nIndex)) {
    nID = nStyle = 0;
    cxWidth = 0;
    return;
  }
  nID = m_panes[nIndex].nID;
  nStyle = m_panes[nIndex].nStyle;
  cxWidth = m_panes[nIndex].cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
  if (!IsValidIndex(nIndex)) return;
  Pane& pane = m_panes[nIndex];
  const bool reshape = pane.nStyle != nStyle || pane.cxText != cxWidth;
  pane.nID = nID;
  pane.nStyle = nStyle;
  pane.cxText = std::max(0, cxWidth);
  if (m_hWnd != nullptr) UpdateAllPanes(reshape, TRUE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const { return IsValidIndex(nIndex) ? m_panes[nIndex].nStyle : 0; }

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
  if (!IsValidIndex(nIndex) || m_panes[nIndex].nStyle == nStyle) return;
  const bool reshape = (m_panes[nIndex].nStyle ^ nStyle) & SBPS_STRETCH;
  m_panes[nIndex].nStyle = nStyle;
  if (m_hWnd != nullptr) UpdateAllPanes(reshape, TRUE);
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText) {
  if (m_hWnd == nullptr) return;
  const int count = static_cast<int>(m_panes.size());
  if (bUpdateRects) {
    CRect client;
    GetClientRect(&client);
    int borders[3] = {0, 0, 0};
    ::SendMessageW(m_hWnd, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    const int edge = ::GetSystemMetrics(SM_CXEDGE);
    int available = client.Width() - borders[0];
    if (::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & SBARS_SIZEGRIP) available -= ::GetSystemMetrics(SM_CXVSCROLL);
    int stretch = -1, fixed = 0;
    for (int i = 0; i < count; ++i) {
      if (stretch < 0 && (m_panes[i].nStyle & SBPS_STRETCH)) stretch = i;
      else fixed += m_panes[i].cxText + 3 * edge;
      if (i > 0) fixed += borders[2];
    }
    std::vector<int> edges(static_cast<size_t>(std::max(count, 1)));
    int x = borders[0];
    for (int i = 0; i < count; ++i) {
      int width = m_panes[i].cxText + 3 * edge;
      if (i == stretch) width = std::max(width, available - fixed);
      x += width;
      edges[static_cast<size_t>(i)] = x;
      x += borders[2];
    }
    ::SendMessageW(m_hWnd, SB_SETPARTS, count, reinterpret_cast<LPARAM>(edges.data()));
  }
  if (bUpdateText) {
    for (int i = 0; i < count; ++i) {
      const Pane& pane = m_panes[i];
      const UINT type = pane.nStyle & (SBPS_NOBORDERS | SBPS_POPOUT | SBPS_OWNERDRAW);
      // A disabled pane shows no text.
      LPCWSTR text = (pane.nStyle & SBPS_DISABLED) ? L"" : static_cast<LPCWSTR>(pane.strText);
      ::SendMessageW(m_hWnd, SB_SETTEXTW, static_cast<WPARAM>(i) | type, reinterpret_cast<LPARAM>(text));
    }
  }
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
  int height = 0;
  if (m_hWnd != nullptr) {
    HDC dc = ::GetDC(m_hWnd);
    auto font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    HGDIOBJ old = font != nullptr ? ::SelectObject(dc, font) : nullptr;
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(dc, &tm);
    if (old != nullptr) ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    int borders[3] = {0, 0, 0};
    ::SendMessageW(m_hWnd, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    height = tm.tmHeight + 2 * borders[1] + 3 * ::GetSystemMetrics(SM_CYEDGE);
  }
  size.cy = std::max(height, m_nMinHeight);
  return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
  CStatusCmdUI state;
  state.m_pBar = this;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(m_panes.size());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = m_panes[state.m_nIndex].nID;
    if (state.m_nID == ID_SEPARATOR) continue;
    // Panes without a handler stay as they are.
    state.DoUpdate(pTarget, FALSE);
  }
}

void CStatusBar::DoPaint(CDC* pDC) {
  UpdateAllPanes(FALSE, TRUE);
  if (pDC != nullptr) DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(pDC->m_hDC), 0);
}

void CStatusBar::OnPaint() {
  UpdateAllPanes(FALSE, TRUE);
  Default();
}

void CStatusBar::OnSize(UINT nType, int cx, int cy) {
  CControlBar::OnSize(nType, cx, cy);
  UpdateAllPanes(TRUE, FALSE);
  Invalidate();
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  const int index = CommandToIndex(ID_SEPARATOR);
  if (index < 0) return FALSE;
  return SetPaneText(index, reinterpret_cast<LPCTSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  const int index = CommandToIndex(ID_SEPARATOR);
  if (index < 0 || wParam == 0 || lParam == 0) return 0;
  const CString& text = m_panes[index].strText;
  ::lstrcpynW(reinterpret_cast<LPWSTR>(lParam), text, static_cast<int>(wParam));
  return std::min(static_cast<LRESULT>(text.GetLength()), static_cast<LRESULT>(wParam) - 1);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) {
  const int index = CommandToIndex(ID_SEPARATOR);
  return index < 0 ? 0 : m_panes[index].strText.GetLength();
}

LRESULT CStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM) {
  m_nMinHeight = static_cast<int>(wParam);
  return Default();
}
