// CFrameWnd: status-bar texts and tool-tip texts from the prompt strings.
#include <cwchar>
#include <iterator>

#include "framework/frame.h"
#include "framework/prompts.h"

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
  CString full;
  AfxLoadPromptString(nID, full);
  rMessage = AfxPromptPart(full, 0);
}

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

void CFrameWnd::SetMessageText(LPCTSTR lpszText) { SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText)); }

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  const UINT last = m_nIDLastMessage;
  if (CWnd* bar = GetMessageBar()) {
    CString text;
    if (lParam != 0) text = reinterpret_cast<LPCTSTR>(lParam);
    else if (wParam != 0) GetMessageString(static_cast<UINT>(wParam), text);
    bar->SetWindowText(text);
  }
  m_nIDLastMessage = static_cast<UINT>(wParam);
  m_nIDTracking = static_cast<UINT>(wParam);
  return static_cast<LRESULT>(last);
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
  if (wParam == 0 && lParam == 0) wParam = m_bHelpMode ? AFX_IDS_HELPMODEMESSAGE : AFX_IDS_IDLEMESSAGE;
  return OnSetMessageString(wParam, lParam);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
  if (nFlags == 0xFFFF && hSysMenu == nullptr) {
    // The menu closed.
    m_nIDTracking = m_bHelpMode ? AFX_IDS_HELPMODEMESSAGE : AFX_IDS_IDLEMESSAGE;
  } else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP))) {
    m_nIDTracking = 0;
  } else if (nItemID >= 0xF000 && nItemID < 0xF1F0) {
    m_nIDTracking = AFX_IDS_SCFIRST + (nItemID - 0xF000) / 16;
  } else {
    m_nIDTracking = nItemID;
  }
  if (m_nIDTracking != m_nIDLastMessage || GetMessageBar() == nullptr) SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  if (pNMHDR == nullptr) return FALSE;
  UINT_PTR id = pNMHDR->idFrom;
  const bool wide = pNMHDR->code == TTN_GETDISPINFOW;
  const UINT flags = wide ? reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags
                          : reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->uFlags;
  if (flags & TTF_IDISHWND) id = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(id)));
  CString tip;
  if (id != 0) {
    CString full;
    AfxLoadPromptString(static_cast<UINT>(id), full);
    tip = AfxPromptPart(full, 1);
  }
  if (wide) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    ::lstrcpynW(info->szText, tip, static_cast<int>(std::size(info->szText)));
    info->lpszText = info->szText;
  } else {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    CStringA narrow(tip);
    ::lstrcpynA(info->szText, narrow, static_cast<int>(std::size(info->szText)));
    info->lpszText = info->szText;
  }
  if (pResult != nullptr) *pResult = 0;
  // The tip shows above floating frames too.
  ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
  return TRUE;
}

BOOL CFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (CWnd::OnNotify(wParam, lParam, pResult)) return TRUE;
  auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  if (pNMHDR != nullptr && (pNMHDR->code == TTN_GETDISPINFOW || pNMHDR->code == TTN_GETDISPINFOA))
    return OnToolTipText(0, pNMHDR, pResult);
  return FALSE;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI) {
  int vk = 0;
  switch (pCmdUI->m_nID) {
    case ID_INDICATOR_CAPS: vk = VK_CAPITAL; break;
    case ID_INDICATOR_NUM: vk = VK_NUMLOCK; break;
    case ID_INDICATOR_SCRL: vk = VK_SCROLL; break;
    case ID_INDICATOR_KANA: vk = VK_KANA; break;
    default: pCmdUI->ContinueRouting(); return;
  }
  pCmdUI->Enable((::GetKeyState(vk) & 1) != 0);
}
