// Message maps: tables that bind window messages, commands and control
// notifications to member functions.
//
//   class CMyWnd : public CWnd {
//     ...
//     DECLARE_MESSAGE_MAP()
//   };
//   BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
//     ON_WM_PAINT()
//     ON_COMMAND(ID_FILE_OPEN, &CMyWnd::OnFileOpen)
//     ON_BN_CLICKED(IDC_GO, &CMyWnd::OnGo)
//     ON_NOTIFY_REFLECT(TVN_SELCHANGED, &CMyWnd::OnSelChanged)
//   END_MESSAGE_MAP()
//
// Handlers are named as pointers to members (&Class::Member). Each entry
// calls its handler through a small function that unpacks the message, so a
// handler with the wrong signature does not compile. Lookup walks the class's
// map, then its base class's, and so on; the first matching entry wins,
// except that the _EX forms go on to later entries when they return FALSE.
#pragma once

#include <type_traits>

#include "framework/fwdefs.h"

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
// Messages reflected to the control that sent them arrive as this base plus
// the original message.
#ifndef WM_REFLECT_BASE
#define WM_REFLECT_BASE 0xBC00
#endif
// Sent to windows when the thread is idle, so they update their commands'
// states (wParam: disable commands without a handler).
#ifndef WM_IDLEUPDATECMDUI
#define WM_IDLEUPDATECMDUI 0x0363
#endif

// Command-routing codes passed to OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// One dispatch: the message and, for commands, the routing arguments.
struct AfxMsgCall {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  UINT nID;
  int nCode;
  void* pExtra;
  LRESULT lResult;
};

// Calls the handler of an entry; FALSE from an _EX handler means "not handled".
typedef BOOL (*AFX_PMSGTHUNK)(CCmdTarget* pTarget, AfxMsgCall& call);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // message, WM_COMMAND, WM_NOTIFY or a reflected message
  UINT nCode;     // control or notification code
  UINT nID;       // first control or command id
  UINT nLastID;   // last id of a range
  const UINT* pnRegisteredMessage;  // registered message: the variable holding its number
  AFX_PMSGTHUNK pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled by OnCmdMsg when asked whether a handler exists.
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  const AFX_MSGMAP_ENTRY* pEntry;
};

// pExtra of a WM_NOTIFY command.
struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

namespace fw::detail {

LRESULT& DefaultResultSlot();

template <typename R>
LRESULT ToLResult(R value) {
  if constexpr (std::is_pointer_v<R>) return reinterpret_cast<LRESULT>(value);
  else return static_cast<LRESULT>(value);
}

template <typename R>
BOOL SetResult(AfxMsgCall& call, R value) {
  call.lResult = ToLResult(value);
  return TRUE;
}

// Runs a handler without a result; the message's result is whatever the
// handler's call of the default processing produced (0 without one).
template <typename F>
BOOL CallVoid(AfxMsgCall& call, F&& handler) {
  LRESULT& slot = DefaultResultSlot();
  LRESULT saved = slot;
  slot = 0;
  handler();
  call.lResult = slot;
  slot = saved;
  return TRUE;
}

inline UINT CtlColorType(UINT message) {
  return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ? message - WM_CTLCOLORMSGBOX : 0;
}

}  // namespace fw::detail

#define DECLARE_MESSAGE_MAP()                      \
 protected:                                        \
  static const AFX_MSGMAP* GetThisMessageMap();    \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                           \
    using ThisClass [[maybe_unused]] = theClass;                              \
    using TheBaseClass = baseClass;                                           \
    static const AFX_MSGMAP_ENTRY fw_entries[] = {

#define END_MESSAGE_MAP()                                                                   \
  {0, 0, 0, 0, nullptr, nullptr}};                                                          \
  static const AFX_MSGMAP fw_map = {&TheBaseClass::GetThisMessageMap, &fw_entries[0]};      \
  return &fw_map;                                                                           \
  }

// One entry whose handler body is the remaining arguments; the body sees the
// object as fw_p and the dispatch as fw_c, and yields the handled flag.
#define FW_MSG_ENTRY(msg, code, id, lastId, reg, ...)                              \
  {(UINT)(msg), (UINT)(code), (UINT)(id), (UINT)(lastId), reg,                     \
   [](CCmdTarget* fw_t, AfxMsgCall& fw_c) -> BOOL {                                \
     [[maybe_unused]] ThisClass* fw_p = static_cast<ThisClass*>(fw_t);             \
     (void)fw_c;                                                                   \
     return __VA_ARGS__;                                                           \
   }},

// Any message: LRESULT Handler(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
  FW_MSG_ENTRY(message, 0, 0, 0, nullptr, ::fw::detail::SetResult(fw_c, (fw_p->*(memberFxn))(fw_c.wParam, fw_c.lParam)))
// A message registered at run time; nMessageVariable holds its number.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                    \
  FW_MSG_ENTRY(0, 0, 0, 0, &(nMessageVariable),                               \
               ::fw::detail::SetResult(fw_c, (fw_p->*(memberFxn))(fw_c.wParam, fw_c.lParam)))
// Thread messages (CWinThread maps): void Handler(WPARAM, LPARAM).
#define ON_THREAD_MESSAGE(message, memberFxn) \
  FW_MSG_ENTRY(message, 0, 0, 0, nullptr, ((fw_p->*(memberFxn))(fw_c.wParam, fw_c.lParam), TRUE))
#define ON_REGISTERED_THREAD_MESSAGE(nMessageVariable, memberFxn) \
  FW_MSG_ENTRY(0, 0, 0, 0, &(nMessageVariable), ((fw_p->*(memberFxn))(fw_c.wParam, fw_c.lParam), TRUE))

// Commands (menus, accelerators, buttons): void Handler().
#define ON_COMMAND(id, memberFxn) FW_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, ((fw_p->*(memberFxn))(), TRUE))
// BOOL Handler(UINT nID); FALSE lets the command go on to other handlers.
#define ON_COMMAND_EX(id, memberFxn) \
  FW_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, (fw_p->*(memberFxn))(fw_c.nID))
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  FW_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, nullptr, ((fw_p->*(memberFxn))(fw_c.nID), TRUE))
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
  FW_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, nullptr, (fw_p->*(memberFxn))(fw_c.nID))
// Command state: void Handler(CCmdUI*). A handler that calls
// CCmdUI::ContinueRouting lets the request go on.
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
  FW_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, nullptr, ::fw::detail::CallUpdate(fw_c, [&](CCmdUI* ui) { (fw_p->*(memberFxn))(ui); }))
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
  FW_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, nullptr, ::fw::detail::CallUpdate(fw_c, [&](CCmdUI* ui) { (fw_p->*(memberFxn))(ui); }))

// Control notifications sent with WM_COMMAND: void Handler().
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
  FW_MSG_ENTRY(WM_COMMAND, wNotifyCode, id, id, nullptr, ((fw_p->*(memberFxn))(), TRUE))
// void Handler(UINT nID).
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
  FW_MSG_ENTRY(WM_COMMAND, wNotifyCode, id, idLast, nullptr, ((fw_p->*(memberFxn))(fw_c.nID), TRUE))
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn) ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_STN_ENABLE(id, memberFxn) ON_CONTROL(STN_ENABLE, id, memberFxn)
#define ON_STN_DISABLE(id, memberFxn) ON_CONTROL(STN_DISABLE, id, memberFxn)

// WM_NOTIFY: void Handler(NMHDR*, LRESULT*).
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                      \
  FW_MSG_ENTRY(WM_NOTIFY, wNotifyCode, id, id, nullptr,            \
               ::fw::detail::CallNotify(fw_c, [&](NMHDR* n, LRESULT* r) { (fw_p->*(memberFxn))(n, r); }))
// void Handler(UINT nID, NMHDR*, LRESULT*).
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)        \
  FW_MSG_ENTRY(WM_NOTIFY, wNotifyCode, id, idLast, nullptr,        \
               ::fw::detail::CallNotify(fw_c, [&](NMHDR* n, LRESULT* r) { (fw_p->*(memberFxn))(fw_c.nID, n, r); }))
// BOOL Handler(UINT nID, NMHDR*, LRESULT*); FALSE: not handled.
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                   \
  FW_MSG_ENTRY(WM_NOTIFY, wNotifyCode, id, id, nullptr,            \
               ::fw::detail::CallNotifyEx(fw_c, [&](NMHDR* n, LRESULT* r) { return (fw_p->*(memberFxn))(fw_c.nID, n, r); }))
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)     \
  FW_MSG_ENTRY(WM_NOTIFY, wNotifyCode, id, idLast, nullptr,        \
               ::fw::detail::CallNotifyEx(fw_c, [&](NMHDR* n, LRESULT* r) { return (fw_p->*(memberFxn))(fw_c.nID, n, r); }))

// Notifications reflected back to the control that sent them. The plain
// forms keep the parent from seeing the notification; with _EX a FALSE
// result passes it on to the parent as well.
// void Handler(NMHDR*, LRESULT*)
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                          \
  FW_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0, nullptr,    \
               ::fw::detail::CallNotify(fw_c, [&](NMHDR* n, LRESULT* r) { (fw_p->*(memberFxn))(n, r); }))
// BOOL Handler(NMHDR*, LRESULT*)
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                       \
  FW_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0, nullptr,    \
               ::fw::detail::CallNotifyEx(fw_c, [&](NMHDR* n, LRESULT* r) { return (fw_p->*(memberFxn))(n, r); }))
// void Handler()
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
  FW_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0, nullptr, ((fw_p->*(memberFxn))(), TRUE))
// BOOL Handler()
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
  FW_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0, nullptr, (fw_p->*(memberFxn))())

namespace fw::detail {

template <typename F>
BOOL CallUpdate(AfxMsgCall& call, F&& handler);

template <typename F>
BOOL CallNotify(AfxMsgCall& call, F&& handler) {
  auto* notify = static_cast<AFX_NOTIFY*>(call.pExtra);
  handler(notify->pNMHDR, notify->pResult);
  return TRUE;
}

template <typename F>
BOOL CallNotifyEx(AfxMsgCall& call, F&& handler) {
  auto* notify = static_cast<AFX_NOTIFY*>(call.pExtra);
  return handler(notify->pNMHDR, notify->pResult) ? TRUE : FALSE;
}

}  // namespace fw::detail

#include "framework/msgmap_wm.h"
