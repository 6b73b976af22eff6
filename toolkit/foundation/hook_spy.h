// Thread hooks: spies receive the events of the system's mouse, keyboard, get-message, message
// filter, call-window-procedure and call-window-procedure-return hooks. Spies subscribe to event
// kinds; each kind has one process-wide list of spies, whose hook is installed for the thread
// that adds the list's first spy and removed when the list empties.
#pragma once

#include <windows.h>

class CExtHookSpy {
 public:
  enum : DWORD {
    kMouseMove = 0x1,
    kNcMouseMove = 0x2,
    kMouseClick = 0x4,      // client button messages 0x201-0x209
    kNcMouseClick = 0x8,    // non-client button messages 0xA1-0xA9
    kMouseWheel = 0x10,
    kKeys = 0x20,
    kGetMessage = 0x40,
    kSysMsgFilter = 0x80,
    kCallWndProc = 0x100,
    kCallWndProcRet = 0x200,
    kEventBits = 0x3FF,
    kFilterFirst = 0x20000000,
    kFilterSecond = 0x40000000,
    kFilterLast = 0x80000000,
    kAll = 0xFFFFFFFF,
  };
  enum : BYTE { kClientCoordinates = 0x1 };

  // The six lists, in order.
  enum HookList { kMouseList, kKeyboardList, kGetMessageList, kSysMsgFilterList, kCallWndProcList,
                  kCallWndProcRetList, kHookListCount };

  // A non-zero mask starts spying at the head of the lists.
  explicit CExtHookSpy(DWORD mask = 0);
  // Stops spying on everything.
  virtual ~CExtHookSpy();
  CExtHookSpy(const CExtHookSpy&) = delete;
  CExtHookSpy& operator=(const CExtHookSpy&) = delete;

  // Raw events; true swallows the input.
  virtual bool HandleWheelEvent(WPARAM wParam, const MOUSEHOOKSTRUCTEX* data);
  virtual bool HandleMouseMoveEvent(HWND hWnd, WPARAM wParam, int x, int y);
  virtual bool HandleMouseClickEvent(HWND hWnd, UINT message, WPARAM wParam, int x, int y);
  virtual bool HandleKeyEvent(UINT virtualKey, WORD repeatCount, WORD keyFlags);
  // True when handled; callNext (true on entry) decides whether the next hook still runs.
  virtual bool HandleGetMessageEvent(bool& callNext, LRESULT& result, int code, WPARAM wParam, LPARAM lParam);
  virtual bool HandleSysMsgFilterEvent(bool& callNext, LRESULT& result, int code, WPARAM wParam, LPARAM lParam);
  virtual bool HandleCallWndProcEvent(bool& callNext, LRESULT& result, int code, WPARAM wParam, LPARAM lParam);
  virtual bool HandleCallWndProcRetEvent(bool& callNext, LRESULT& result, int code, WPARAM wParam, LPARAM lParam);

  // The events as message records; true when handled.
  virtual bool FilterMessageFirst(MSG& /*msg*/) { return false; }
  virtual bool FilterMessageSecond(MSG& /*msg*/) { return false; }
  virtual bool FilterMessageLast(MSG& /*msg*/) { return false; }
  virtual bool OnWheelMessage(MSG& /*msg*/) { return false; }
  virtual bool OnMouseMoveMessage(MSG& /*msg*/) { return false; }
  virtual bool OnMouseClickMessage(MSG& /*msg*/) { return false; }
  virtual bool OnKeyMessage(MSG& /*msg*/) { return false; }
  virtual bool OnGetMessage(MSG& /*msg*/) { return false; }
  virtual bool OnCallWndProcMessage(MSG& /*msg*/) { return false; }
  virtual bool OnCallWndProcRetMessage(MSG& /*msg*/) { return false; }

  // Mask 0 stops everything. False when a list the mask needs could not get its hook (the spy
  // then stays out of that list); the other lists keep the spy.
  bool StartSpying(DWORD mask, bool atHead = false);
  void StopSpying(DWORD mask = kAll);
  static bool IsSpyRegistered(const CExtHookSpy* spy, DWORD mask = kAll);

  DWORD GetSpyMask() const { return m_mask; }
  BYTE GetSpyFlags() const { return m_flags; }
  void ModifySpyFlags(BYTE remove, BYTE add) { m_flags = static_cast<BYTE>((m_flags & ~remove) | add); }

  // Whether a list's hook is installed, and the system hook kind behind it (the message filter
  // list falls back to the thread's WH_MSGFILTER where a thread cannot have WH_SYSMSGFILTER).
  static bool IsHookInstalled(HookList list);
  static int InstalledHookKind(HookList list);
  static INT_PTR SpyCount(HookList list);

  // The walks the hook procedures run, for one event. The result is the hook's answer when
  // *passOn comes back false, otherwise the next hook runs.
  static LRESULT RunHookEvent(HookList list, int code, WPARAM wParam, LPARAM lParam, bool* passOn);

 private:
  // Offers an event record in the order of the filter bits. After each false answer the offer
  // ends when the spy is no longer registered (it may be gone).
  bool OfferRecord(MSG& msg, bool (CExtHookSpy::*handler)(MSG&));

  DWORD m_mask = 0;
  BYTE m_flags = 0;
};
