#include "framework/cmdtarget.h"

#include "framework/app.h"
#include "framework/fwinternal.h"
#include "framework/menu.h"
#include "framework/wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {

const AFX_MSGMAP* BaseOf(const AFX_MSGMAP* map) { return map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr; }

}  // namespace

const AFX_MSGMAP* CCmdTarget::GetThisEventSinkMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetEventSinkMap() const { return GetThisEventSinkMap(); }

BOOL CCmdTarget::OnEvent(UINT idCtrl, AFX_EVENT* pEvent, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (pEvent == nullptr) return FALSE;
  for (const AFX_MSGMAP* map = GetEventSinkMap(); map; map = BaseOf(map)) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
      if (static_cast<DISPID>(e->nCode) != pEvent->m_dispid || idCtrl < e->nID || idCtrl > e->nLastID) continue;
      if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = e;
        return TRUE;
      }
      AfxMsgCall call = {0, 0, 0, idCtrl, static_cast<int>(CN_EVENT), pEvent, 0};
      if (e->pfn(this, call)) return TRUE;
    }
  }
  return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (static_cast<UINT>(nCode) == CN_EVENT) return OnEvent(nID, static_cast<AFX_EVENT*>(pExtra), pHandlerInfo);
  UINT message;
  UINT code;
  const bool isUpdate = static_cast<UINT>(nCode) == CN_UPDATE_COMMAND_UI;
  if (isUpdate) {
    message = WM_COMMAND;
    code = CN_UPDATE_COMMAND_UI;
  } else {
    message = HIWORD(static_cast<UINT>(nCode));
    if (message == 0) message = WM_COMMAND;
    code = LOWORD(static_cast<UINT>(nCode));
  }
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = BaseOf(map)) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
      if (e->nMessage != message || e->pnRegisteredMessage) continue;
      const bool entryIsUpdate = e->nCode == CN_UPDATE_COMMAND_UI && message == WM_COMMAND;
      if (entryIsUpdate != isUpdate) continue;
      if (!isUpdate && LOWORD(e->nCode) != code) continue;
      if (nID < e->nID || nID > e->nLastID) continue;
      if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = e;
        return TRUE;
      }
      AfxMsgCall call = {message, 0, 0, nID, nCode, pExtra, 0};
      if (e->pfn(this, call)) return TRUE;
    }
  }
  return FALSE;
}

BOOL CCmdTarget::DispatchMapMessage(UINT lookupMessage, AfxMsgCall& call) {
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = BaseOf(map)) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
      if (e->pnRegisteredMessage) {
        if (*e->pnRegisteredMessage == 0 || *e->pnRegisteredMessage != call.message) continue;
      } else if (e->nMessage != lookupMessage || e->nCode != 0 || e->nID != 0) {
        continue;
      }
      if (e->pfn(this, call)) return TRUE;
    }
  }
  return FALSE;
}

void CCmdTarget::BeginWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(1);
  else ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
}

void CCmdTarget::EndWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(-1);
  else ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

void CCmdTarget::RestoreWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(0);
}

// CCmdUI

CCmdUI::CCmdUI() = default;

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu != nullptr) {
    if (m_pSubMenu == nullptr)
      m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther != nullptr && m_pOther->GetSafeHwnd() != nullptr) {
    // Do not leave the focus on a control that becomes disabled.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
      HWND parent = ::GetParent(m_pOther->m_hWnd);
      HWND next = parent ? ::GetNextDlgTabItem(parent, m_pOther->m_hWnd, FALSE) : nullptr;
      ::SetFocus(next && next != m_pOther->m_hWnd ? next : parent);
    }
    m_pOther->EnableWindow(bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu != nullptr) {
    if (m_pSubMenu == nullptr)
      m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther != nullptr && m_pOther->GetSafeHwnd() != nullptr) {
    if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
  }
}

void CCmdUI::SetRadio(BOOL bOn) {
  if (m_pMenu != nullptr && m_pSubMenu == nullptr) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    if (::GetMenuItemInfoW(m_pMenu->m_hMenu, m_nIndex, TRUE, &info)) {
      info.fType = bOn ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~MFT_RADIOCHECK);
      info.fState = bOn ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
      ::SetMenuItemInfoW(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
    }
    return;
  }
  SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText) {
  if (lpszText == nullptr) lpszText = L"";
  if (m_pMenu != nullptr) {
    if (m_pSubMenu != nullptr) return;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<LPWSTR>(lpszText);
    ::SetMenuItemInfoW(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
  } else if (m_pOther != nullptr && m_pOther->GetSafeHwnd() != nullptr) {
    CString current;
    m_pOther->GetWindowText(current);
    if (current != lpszText) m_pOther->SetWindowText(lpszText);
  }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (pTarget == nullptr || m_nID == 0) return TRUE;
  m_bEnableChanged = FALSE;
  BOOL handled = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
  if (!handled && bDisableIfNoHndler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info = {nullptr, nullptr};
    Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
  }
  return handled;
}
