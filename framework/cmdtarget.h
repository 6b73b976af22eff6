// CCmdTarget: the base of every class with a message map; routes commands.
// CCmdUI: one request for the state of a command (menu item or control).
#pragma once

#include "framework/msgmap.h"
#include "framework/runtime.h"

// OnCmdMsg code of a control's event; pExtra is the AFX_EVENT.
#define CN_EVENT ((UINT)(-5))

// One event of a control: its dispatch id and arguments (last argument first,
// as in DISPPARAMS).
struct AFX_EVENT {
  DISPID m_dispid;
  DISPPARAMS* m_pDispParams;
};

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  CCmdTarget() = default;
  ~CCmdTarget() override = default;

  // Offers a command (nCode CN_COMMAND or a control notification code), a
  // state request (CN_UPDATE_COMMAND_UI, pExtra the CCmdUI) or a notification
  // (MAKELONG(code, WM_NOTIFY), pExtra an AFX_NOTIFY) to this object's map.
  // With pHandlerInfo only tells whether a handler exists. Overrides route
  // to other targets first or afterwards.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

  // Runs the first map entry for a plain message (window or thread message,
  // or a reflected one looked up under lookupMessage). FALSE when none.
  BOOL DispatchMapMessage(UINT lookupMessage, AfxMsgCall& call);

  // An event of the control idCtrl (OnCmdMsg with CN_EVENT): runs the
  // handler of the event sink map (eventsink.h). FALSE when there is none.
  BOOL OnEvent(UINT idCtrl, AFX_EVENT* pEvent, AFX_CMDHANDLERINFO* pHandlerInfo);

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
  static const AFX_MSGMAP* GetThisEventSinkMap();
  virtual const AFX_MSGMAP* GetEventSinkMap() const;
};

class CCmdUI {
 public:
  CCmdUI();
  virtual ~CCmdUI() = default;

  UINT m_nID = 0;
  UINT m_nIndex = 0;         // menu item position
  CMenu* m_pMenu = nullptr;  // the menu of the item, or null
  CMenu* m_pSubMenu = nullptr;
  CMenu* m_pParentMenu = nullptr;
  CWnd* m_pOther = nullptr;  // the control, when not a menu item
  UINT m_nIndexMax = 0;
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;

  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
  virtual void SetRadio(BOOL bOn = TRUE);
  virtual void SetText(LPCTSTR lpszText);
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  // Asks pTarget for the state. Without an update handler the command is
  // disabled when bDisableIfNoHndler is set and no command handler exists.
  BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

namespace fw::detail {

template <typename F>
BOOL CallUpdate(AfxMsgCall& call, F&& handler) {
  auto* ui = static_cast<CCmdUI*>(call.pExtra);
  ui->m_bContinueRouting = FALSE;
  handler(ui);
  BOOL handled = !ui->m_bContinueRouting;
  ui->m_bContinueRouting = FALSE;
  return handled;
}

}  // namespace fw::detail
