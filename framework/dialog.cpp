#include "framework/dialog.h"

#include "framework/app.h"
#include "framework/frame.h"
#include "framework/fwinternal.h"
#include "framework/fwres.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
  ON_MESSAGE(WM_SETFONT, &CDialog::HandleSetFont)
  ON_COMMAND(IDOK, &CDialog::OnOKCommand)
  ON_COMMAND(IDCANCEL, &CDialog::OnCancelCommand)
END_MESSAGE_MAP()

namespace fw::detail {

BOOL PreTranslateDialogInput(CWnd* pDlg, MSG* pMsg) {
  HWND hDlg = pDlg ? pDlg->GetSafeHwnd() : nullptr;
  if (hDlg == nullptr || pMsg == nullptr) return FALSE;
  if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
  if (pMsg->hwnd != hDlg && !::IsChild(hDlg, pMsg->hwnd)) return FALSE;
  if (pDlg->GetStyle() & WS_CHILD) {
    for (CFrameWnd* frame = pDlg->GetParentFrame(); frame != nullptr; frame = frame->GetParentFrame()) {
      if (frame->PreTranslateMessage(pMsg)) return TRUE;
      if (!::IsWindow(hDlg)) return TRUE;  // the frame's command closed the dialog
    }
  }
  return ::IsDialogMessageW(hDlg, pMsg);
}

INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

HWND CreateBoundDialog(CWnd* pWnd, HINSTANCE hInst, LPCDLGTEMPLATE lpTemplate, HWND hWndParent) {
  if (pWnd == nullptr || lpTemplate == nullptr || pWnd->m_hWnd != nullptr) return nullptr;
  HWND hWnd = nullptr;
  bool missed;
  {
    // The system creates the dialog window first, then its controls: the
    // first window the thread creates is the dialog.
    WindowCreationHook hook(pWnd, hWndParent, nullptr, nullptr, true);
    if (!hook.Installed()) return nullptr;
    hWnd = ::CreateDialogIndirectParamW(hInst, lpTemplate, hWndParent, &DialogProc, 0);
    missed = !hook.Bound();
  }
  if (hWnd == nullptr) return nullptr;
  if (missed && !pWnd->SubclassWindow(hWnd)) {
    ::DestroyWindow(hWnd);
    return nullptr;
  }
  return hWnd;
}

}  // namespace fw::detail

namespace {

DWORD TemplateStyle(LPCDLGTEMPLATE lpTemplate) {
  const WORD* words = reinterpret_cast<const WORD*>(lpTemplate);
  // The extended form starts with version 1 and the signature 0xFFFF; its
  // style follows the help id and the extended style.
  if (words[0] == 1 && words[1] == 0xFFFF) return *reinterpret_cast<const DWORD*>(words + 6);
  return lpTemplate->style;
}

// Pumps one message for a modal loop running without a framework thread.
BOOL PumpWithoutThread(MSG& msg) {
  BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) return FALSE;
  if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return TRUE;
}

}  // namespace

CDialog::CDialog() = default;

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : m_pParentWnd(pParentWnd) {
  if (IS_INTRESOURCE(lpszTemplateName)) {
    m_lpszTemplateName = lpszTemplateName;
  } else {
    m_strTemplateName = lpszTemplateName;
    m_lpszTemplateName = m_strTemplateName;
  }
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

LPCDLGTEMPLATE CDialog::LoadTemplate(HINSTANCE* phInst) const {
  *phInst = AfxGetResourceHandle();
  if (m_lpDialogTemplate != nullptr) return m_lpDialogTemplate;
  if (m_hDialogTemplate != nullptr) return static_cast<LPCDLGTEMPLATE>(::LockResource(m_hDialogTemplate));
  if (m_lpszTemplateName == nullptr) return nullptr;
  HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
  HRSRC hResource = ::FindResourceW(hInst, m_lpszTemplateName, RT_DIALOG);
  if (hResource == nullptr) {
    TRACE(L"CDialog: dialog template not found\n");
    return nullptr;
  }
  HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
  if (hTemplate == nullptr) return nullptr;
  *phInst = hInst;
  return static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate));
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
  if (IS_INTRESOURCE(lpszTemplateName)) {
    m_lpszTemplateName = lpszTemplateName;
  } else {
    m_strTemplateName = lpszTemplateName;
    m_lpszTemplateName = m_strTemplateName;
  }
  if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
    m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
  HINSTANCE hInst = nullptr;
  LPCDLGTEMPLATE lpTemplate = LoadTemplate(&hInst);
  if (lpTemplate == nullptr) return FALSE;
  return CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd); }

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit) {
  if (lpDialogTemplate == nullptr) return FALSE;
  m_lpDialogInit = lpDialogInit;
  return CreateDlgIndirect(lpDialogTemplate, pParentWnd, AfxGetResourceHandle());
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd) {
  if (hDialogTemplate == nullptr) return FALSE;
  auto lpTemplate = static_cast<LPCDLGTEMPLATE>(::LockResource(hDialogTemplate));
  return CreateIndirect(lpTemplate, pParentWnd);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit) {
  if (lpDialogTemplate == nullptr) return FALSE;
  m_lpDialogInit = lpDialogInit;
  m_lpDialogTemplate = lpDialogTemplate;
  m_pParentWnd = pParentWnd;
  return TRUE;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst) {
  if (m_hWnd != nullptr) return FALSE;
  HWND hWndParent = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
  if (hWndParent == nullptr && !(TemplateStyle(lpDialogTemplate) & WS_CHILD)) {
    CWnd* main = AfxGetMainWnd();
    if (main != nullptr && main != this) hWndParent = main->GetSafeHwnd();
  }
  if (m_pParentWnd == nullptr) m_pParentWnd = pParentWnd;
  return CreateDialogWindow(lpDialogTemplate, hWndParent, hInst) != nullptr;
}

HWND CDialog::CreateDialogWindow(LPCDLGTEMPLATE lpDialogTemplate, HWND hWndParent, HINSTANCE hInst) {
  return fw::detail::CreateBoundDialog(this, hInst, lpDialogTemplate, hWndParent);
}

HWND CDialog::PreModal() {
  // No tip may stay over the dialog.
  CWnd::CancelToolTips();
  // The owner: the top-level window of the given parent (the main window
  // when none), or its last active pop-up. The desktop means no owner.
  HWND hWndGiven = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
  if (hWndGiven == ::GetDesktopWindow()) return nullptr;
  return CWnd::GetSafeOwner_(hWndGiven, &m_hWndTop);
}

void CDialog::PostModal() { m_hWndTop = nullptr; }

BOOL CDialog::ContinueModal() { return (m_nDlgFlags & kContinueModal) != 0; }

INT_PTR CDialog::DoModal() {
  if (m_hWnd != nullptr) return -1;
  HINSTANCE hInst = nullptr;
  LPCDLGTEMPLATE lpTemplate = LoadTemplate(&hInst);
  if (lpTemplate == nullptr) return -1;

  // The owner: the top-level window of the given parent (the main window
  // when none), or its last active pop-up. The desktop means no owner.
  HWND hWndParent = PreModal();
  BOOL enableParent = FALSE;
  if (hWndParent != nullptr && ::IsWindowEnabled(hWndParent)) {
    ::EnableWindow(hWndParent, FALSE);
    enableParent = TRUE;
  }

  m_nModalResult = -1;
  m_nDlgFlags = kContinueModal;
  struct Restore {
    CDialog* dlg;
    HWND parent;
    BOOL enable;
    ~Restore() {
      dlg->m_nDlgFlags = 0;
      // Give the activation back to the owner before the dialog goes, so it
      // does not fall to another program's window.
      HWND active = ::GetActiveWindow();
      if (enable) ::EnableWindow(parent, TRUE);
      if (parent != nullptr && (active == dlg->m_hWnd || active == nullptr)) ::SetActiveWindow(parent);
      if (dlg->m_hWnd != nullptr) {
        dlg->SetWindowPos(nullptr, 0, 0, 0, 0,
                          SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        dlg->DestroyWindow();
      }
      dlg->PostModal();
    }
  } restore{this, hWndParent, enableParent};

  if (CreateDialogWindow(lpTemplate, hWndParent, hInst) == nullptr) return -1;
  if (ContinueModal()) {
    if (!IsWindowVisible()) ShowWindow(SW_SHOWNORMAL);
    RunModalLoop();
  }
  return m_nModalResult;
}

int CDialog::RunModalLoop(DWORD) {
  m_nDlgFlags |= kModalLoop;
  HWND hWnd = m_hWnd;
  HWND hWndOwner = ::GetWindow(hWnd, GW_OWNER);
  CWinThread* thread = AfxGetThread();
  BOOL idle = TRUE;
  LONG idleCount = 0;
  MSG local = {};
  while (ContinueModal()) {
    MSG peek;
    while (idle && ContinueModal() && !::PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
      // Tell the owner and the dialog's windows that the loop waits.
      if (idleCount == 0 && hWndOwner != nullptr) ::SendMessageW(hWndOwner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(hWnd));
      if (!::SendMessageW(hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++)) idle = FALSE;
    }
    if (!ContinueModal()) break;
    BOOL pumped;
    const MSG* current;
    if (thread != nullptr) {
      pumped = thread->PumpMessage();
      current = &thread->m_msgCur;
    } else {
      pumped = PumpWithoutThread(local);
      current = &local;
    }
    if (!pumped) {
      // The application is ending: close the dialog and let the outer loop
      // see the quit message too.
      ::PostQuitMessage(static_cast<int>(current->wParam));
      m_nModalResult = -1;
      break;
    }
    if (!::IsWindow(hWnd)) break;
    if (thread == nullptr || thread->IsIdleMessage(const_cast<MSG*>(current))) {
      idle = TRUE;
      idleCount = 0;
    }
  }
  m_nDlgFlags &= ~(kContinueModal | kModalLoop);
  return m_nModalResult;
}

void CDialog::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  if (m_nDlgFlags & kContinueModal) {
    m_nDlgFlags &= ~kContinueModal;
    // Wake the loop should it wait for a message.
    if (m_hWnd != nullptr) PostMessage(WM_NULL);
  }
}

void CDialog::EndDialog(int nResult) {
  if (m_nDlgFlags & (kModalLoop | kContinueModal)) {
    EndModalLoop(nResult);
    return;
  }
  // Modeless: the system hides it.
  if (m_hWnd != nullptr) ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
  Default();
  return OnInitDialog();
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM) {
  OnSetFont(CFont::FromHandle(reinterpret_cast<HFONT>(wParam)));
  return Default();
}

BOOL CDialog::OnInitDialog() {
  BOOL initialised = TRUE;
  if (m_lpDialogInit != nullptr) initialised = ExecuteDlgInit(m_lpDialogInit);
  else if (m_lpszTemplateName != nullptr) initialised = ExecuteDlgInit(m_lpszTemplateName);
  if (!initialised) {
    EndDialog(-1);
    return FALSE;
  }
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnSetFont(CFont*) {}

void CDialog::OnOKCommand() { OnOK(); }

void CDialog::OnCancelCommand() { OnCancel(); }

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg) { return fw::detail::PreTranslateDialogInput(this, pMsg); }

void CDialog::NextDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 0, 0); }

void CDialog::PrevDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 1, 0); }

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (pWndCtrl != nullptr && pWndCtrl->GetSafeHwnd() != nullptr)
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1);
}
