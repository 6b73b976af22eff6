// CDialog: a window made from a dialog template, modal (DoModal) or modeless
// (Create).
//
// DoModal runs its own message loop through the thread's PumpMessage, so the
// dialog's and its controls' PreTranslateMessage see every message; the owner
// is disabled while the dialog runs. OK (IDOK) and Cancel (IDCANCEL, also the
// Escape key and the close box) call the virtual OnOK and OnCancel: OnOK reads
// the controls into the members (UpdateData) and ends the dialog with IDOK
// when every value passed its check. A WM_QUIT arriving during a modal loop
// ends the dialog with -1 and is posted again for the outer loop.
#pragma once

#include "framework/wnd.h"

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
 public:
  CDialog();
  explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Modeless creation. Without a parent a pop-up template is owned by the
  // main window.
  virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr, void* lpDialogInit = nullptr);
  virtual BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = nullptr);
  using CWnd::Create;

  // Modal use: the dialog's result (the value given to EndDialog), or -1 when
  // the dialog could not be created.
  virtual INT_PTR DoModal();
  BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr, void* lpDialogInit = nullptr);
  // Ends a modal dialog with nResult; hides a modeless one (it stays until
  // destroyed).
  void EndDialog(int nResult);

  // Runs the dialog-init data (m_lpDialogInit, else the RT_DLGINIT
  // resource of the template's name), then UpdateData(FALSE).
  virtual BOOL OnInitDialog();
  virtual void OnSetFont(CFont* pFont);

  // DoModal's steps around the loop: PreModal chooses (and returns) the
  // owner, disabling nothing yet; PostModal runs after the window is gone.
  virtual HWND PreModal();
  virtual void PostModal();
  // TRUE while the modal loop is to go on (EndDialog clears it).
  virtual BOOL ContinueModal();

  // The dialog-init data given to CreateIndirect or InitModalIndirect.
  void* m_lpDialogInit = nullptr;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // Focus and default button.
  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void GotoDlgCtrl(CWnd* pWndCtrl);
  void SetDefID(UINT nID) { SendMessage(DM_SETDEFID, nID); }
  DWORD GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID)); }
  // Dialog units to pixels for this dialog's font.
  void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
  void SetHelpID(UINT nIDR) { m_nIDHelp = nIDR; }

  LPCTSTR m_lpszTemplateName = nullptr;  // a string (kept in m_strTemplateName) or MAKEINTRESOURCE
  UINT m_nIDHelp = 0;
  CWnd* m_pParentWnd = nullptr;
  HWND m_hWndTop = nullptr;  // the top-level window disabled by DoModal

 protected:
  virtual void OnOK();
  virtual void OnCancel();

  // Creates the window from a template in the given module, bound to this
  // object before its first message.
  virtual BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
  // Makes the window for every creation (modal and modeless): the hook a
  // derived dialog overrides to change the template or the creation.
  // Returns the window, bound to this object, or null.
  virtual HWND CreateDialogWindow(LPCDLGTEMPLATE lpDialogTemplate, HWND hWndParent, HINSTANCE hInst);
  // Runs messages until EndDialog; returns the result.
  int RunModalLoop(DWORD dwFlags = 0);
  void EndModalLoop(int nResult);

  afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT HandleSetFont(WPARAM wParam, LPARAM lParam);
  afx_msg void OnOKCommand();
  afx_msg void OnCancelCommand();

  // A template given to CreateIndirect/InitModalIndirect.
  LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
  HGLOBAL m_hDialogTemplate = nullptr;
  CString m_strTemplateName;
  int m_nModalResult = -1;
  UINT m_nDlgFlags = 0;
  static constexpr UINT kModalLoop = 0x1;
  static constexpr UINT kContinueModal = 0x2;  // set it to keep a modal loop going

  DECLARE_MESSAGE_MAP()

 private:
  LPCDLGTEMPLATE LoadTemplate(HINSTANCE* phInst) const;
};

namespace fw::detail {

// Offers a keyboard message meant for hDlg or one of its controls to the
// system's dialog handling (Tab, arrows, Enter, Escape, mnemonics); TRUE when
// it was handled there. A child dialog (inside a view or a frame) first lets
// the frames above it see the message: the dialog handling would swallow
// their accelerators and menu keys.
BOOL PreTranslateDialogInput(CWnd* pDlg, MSG* pMsg);

// The dialog procedure of framework dialogs: leaves every message to the
// default dialog processing (the object's map has run before it).
INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Creates a dialog window from a template, bound to pWnd before its first
// message. Null on failure (the object is then not bound).
HWND CreateBoundDialog(CWnd* pWnd, HINSTANCE hInst, LPCDLGTEMPLATE lpTemplate, HWND hWndParent);

}  // namespace fw::detail
