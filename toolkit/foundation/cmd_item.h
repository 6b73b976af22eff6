// A command item: what the user interface knows of one command id (its texts for menus, tool
// bars, tooltips, the status bar and the shortcut column, its icon, check and enable state,
// per-command flags and usage count). Items live in a command profile (cmd_profile.h), which
// owns them; a free-standing item (no profile) is a template the profile copies.
#pragma once

#include "framework/afxwin.h"

class CExtCmdProfile;
class CExtCmdIcon;
class CExtPaintManager;

// The framework's system-menu commands and MDI window-list ids: delivered and enabled apart.
bool IsReservedCommandId(UINT id);

class CExtCmdItem {
 public:
  // State bits of m_dwState.
  enum : DWORD {
    kDisabled = 0x1,
    kChecked = 0x2,
    kRadio = 0x4,
    kIndeterminate = 0x8,
    kBasic = 0x10,
    kForcedRarelyUsed = 0x20,
    kMenuBarPlaceholder = 0x40,
  };

  explicit CExtCmdItem(UINT id = 0);
  CExtCmdItem(const CExtCmdItem& other);
  CExtCmdItem& operator=(const CExtCmdItem& other) {
    AssignFrom(other);
    return *this;
  }

  virtual void AssignFrom(const CExtCmdItem& other);
  // Takes the other's icon index when it has one and each of its texts that is not empty.
  virtual void MergeFrom(const CExtCmdItem& other);
  // Halves the profile's total and every count of the profile once the total nears overflow.
  virtual void NormalizeUsage();
  virtual ~CExtCmdItem();
  virtual void ClearTipTexts();
  // The status tip and tooltip from the string resource of the command id ("status\ntip").
  virtual bool LoadTipTexts();
  // Takes the other's icon index and menu, tooltip, status and shortcut texts where this
  // item has none; the tool-bar text stays.
  virtual void FillEmptyFrom(const CExtCmdItem& other);

  virtual void SetBasic(bool on);
  virtual bool IsBasic() const;
  virtual bool IsRarelyUsed() const;
  virtual void SetForcedRarelyUsed(bool on);
  virtual bool IsForcedRarelyUsed() const;
  virtual void Enable(bool on);
  virtual bool IsEnabled() const;
  virtual void SetCheck(bool on);
  virtual bool IsChecked() const;
  virtual void SetRadio(bool on);
  virtual bool IsRadio() const;
  virtual void SetIndeterminate(bool on);
  virtual bool IsIndeterminate() const;
  virtual void SetMenuBarPlaceholder(bool on);
  virtual bool IsMenuBarPlaceholder() const;

  // General flags: stored for their users; each setter returns the new state word.
#define EXT_CMD_GENERAL_FLAG(hex)                                                \
  virtual DWORD SetFlag##hex(bool on) { return PutStateBit(0x##hex##u, on); } \
  virtual bool IsFlag##hex() const { return (m_dwState & 0x##hex##u) != 0; }
  EXT_CMD_GENERAL_FLAG(80)
  EXT_CMD_GENERAL_FLAG(100)
  EXT_CMD_GENERAL_FLAG(200)
  EXT_CMD_GENERAL_FLAG(4000)
  EXT_CMD_GENERAL_FLAG(20000000)
  EXT_CMD_GENERAL_FLAG(40000000)
  EXT_CMD_GENERAL_FLAG(80000000)
  EXT_CMD_GENERAL_FLAG(8000)
  EXT_CMD_GENERAL_FLAG(10000)
  EXT_CMD_GENERAL_FLAG(20000)
  EXT_CMD_GENERAL_FLAG(40000)
  EXT_CMD_GENERAL_FLAG(80000)
  EXT_CMD_GENERAL_FLAG(100000)
  EXT_CMD_GENERAL_FLAG(200000)
#undef EXT_CMD_GENERAL_FLAG
  virtual void SetExtraFlag1(bool on);
  virtual bool IsExtraFlag1() const;

  // Asks the target's update handlers for the state (system-menu and window-list ids are
  // simply enabled); true when a handler answered.
  virtual bool UpdateFromCmdUI(CCmdTarget* target, UINT index);
  // Delivers the command to the window's owner, or its parent when it has none.
  virtual bool DeliverToOwner(CWnd* window, bool send = true);
  virtual bool DeliverToWindow(CWnd* window, bool send = true);
  // Counts a use, then sends or posts WM_COMMAND (WM_SYSCOMMAND for system-menu ids).
  virtual bool DeliverCommand(HWND target, bool send = true);

  virtual UINT GetUsageCount() const;
  virtual UINT GetUsagePercent() const;
  virtual void IncrementUsage();
  virtual void ResetUsage();
  virtual UINT GetProfileTotalUsage() const;
  virtual UINT GetRarelyUsedPercent() const;
  virtual void SetRarelyUsedPercent(UINT percent);

  // Passed on to the command's icon, when it has one.
  virtual void OnPaintManagerChanged();
  virtual void OnSysColorChange(CExtPaintManager* manager);
  virtual void OnSettingChange(CExtPaintManager* manager, UINT flags, LPCTSTR section);
  virtual void OnDisplayChange(CExtPaintManager* manager, INT depth, INT cx, INT cy);
  virtual void OnThemeChanged(CExtPaintManager* manager, WPARAM wParam, LPARAM lParam);

  virtual CString& QueryDisplayText(CString& text) const;
  // The menu text, else the tooltip text, else the tool-bar text.
  virtual CString GetDisplayText() const;
  virtual CString GetStatusTipText() const;
  // Counted uses of an ordinary command are worth keeping; placeholders and system
  // commands are not.
  virtual bool IsUsageArchivable() const;

  CExtCmdProfile* m_pProfile = nullptr;
  UINT m_nCommandId = 0;
  INT m_nIconIndex = -1;
  DWORD m_dwState = 0;
  DWORD m_dwExtraState = 0;
  CString m_strMenuText;
  CString m_strToolBarText;
  CString m_strToolTipText;
  CString m_strStatusTipText;
  CString m_strAcceleratorText;
  DWORD m_dwTag = 0;
  UINT m_nUsageCount = 0;

 protected:
  DWORD PutStateBit(DWORD bit, bool on) {
    m_dwState = (m_dwState & ~bit) | (on ? bit : 0);
    return m_dwState;
  }
  // The profile's icon of this command, or null.
  CExtCmdIcon* FindIcon() const;
};

// The framework's command-update object writing into a command item.
class CExtCmdItemUI : public CCmdUI {
 public:
  CExtCmdItemUI(CExtCmdItem* item, UINT indexMax = 0);

  void Enable(BOOL bOn = TRUE) override;
  void SetCheck(int nCheck = 1) override;
  void SetRadio(BOOL bOn = TRUE) override;
  void SetText(LPCTSTR lpszText) override;

  CExtCmdItem* m_pCmd;
};
