#include "controls/progress_dialog.h"

#include "controls/app_services.h"
#include "controls/near_white_brush.h"
#include "controls/progress_placement.h"

namespace {

// Disables the owner while the dialog lives; returns whether it did.
bool DisableOwner(HWND owner) {
  if (owner == nullptr || !::IsWindowEnabled(owner)) return false;
  ::EnableWindow(owner, FALSE);
  return true;
}

void EnableOwner(HWND owner, int& disabled) {
  if (disabled && ::IsWindow(owner)) ::EnableWindow(owner, TRUE);
  disabled = 0;
}

void SetCaption(CWnd* dialog, UINT titleId) {
  CString caption;
  caption.LoadString(titleId);  // a missing string leaves the caption empty
  dialog->SetWindowText(caption);
}

}  // namespace

// CProgressDialog

BEGIN_MESSAGE_MAP(CProgressDialog, CDialog)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CProgressDialog::CProgressDialog(UINT titleId) : m_titleId(titleId) {}

CProgressDialog::~CProgressDialog() {
  if (m_hWnd != nullptr) DestroyWindow();
  EnableOwner(m_ownerWindow, m_ownerDisabled);
}

BOOL CProgressDialog::Create(CWnd* parent) {
  CWnd* owner = CWnd::GetSafeOwner(parent);
  m_ownerWindow = owner ? owner->GetSafeHwnd() : nullptr;
  SetOwner(owner);
  m_ownerDisabled = DisableOwner(m_ownerWindow) ? 1 : 0;
  if (CDialog::Create(IDD_PROGRESS, parent)) return TRUE;
  EnableOwner(m_ownerWindow, m_ownerDisabled);
  return FALSE;
}

BOOL CProgressDialog::DestroyWindow() {
  // The owner first, so that activation goes back to it.
  EnableOwner(m_ownerWindow, m_ownerDisabled);
  return CDialog::DestroyWindow();
}

void CProgressDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PROGRESS_BAR, m_progress);
}

BOOL CProgressDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_progress.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(m_rangeLower, m_rangeUpper));
  m_progress.SendMessage(PBM_SETSTEP, static_cast<WPARAM>(m_step));
  m_progress.SendMessage(PBM_SETPOS, static_cast<WPARAM>(m_rangeLower));
  SetCaption(this, m_titleId);
  if (m_position.x >= 0 && m_position.y >= 0) {
    CRect window;
    GetWindowRect(&window);
    m_position = ClampToWorkArea(m_position, window.Size(), PrimaryWorkArea());
    SetWindowPos(GetParent(), m_position.x, m_position.y, 0, 0, SWP_NOSIZE);
  }
  return TRUE;
}

void CProgressDialog::OnOK() {}

void CProgressDialog::OnCancel() { m_stopRequested = 1; }

HBRUSH CProgressDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  if (AppServices* app = GetAppServices(); app && app->m_useBVTheme) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(app->m_dialogBrush.GetSafeHandle());
  }
  return brush;
}

// CProgressDialogGIF

BEGIN_MESSAGE_MAP(CProgressDialogGIF, CDialog)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CProgressDialogGIF::CProgressDialogGIF() {
  m_stopButton.m_themeHelper = nullptr;
  m_stopButton.m_drawBorder = 0;
}

CProgressDialogGIF::~CProgressDialogGIF() {
  // The window first: its destruction stops the animation thread.
  if (m_hWnd != nullptr) DestroyWindow();
  EnableOwner(m_ownerWindow, m_ownerDisabled);
}

BOOL CProgressDialogGIF::Create() {
  CWnd* owner = CWnd::GetSafeOwner(nullptr);
  m_ownerWindow = owner ? owner->GetSafeHwnd() : nullptr;
  SetOwner(owner);
  m_ownerDisabled = DisableOwner(m_ownerWindow) ? 1 : 0;
  if (!CDialog::Create(IDD_PROGRESS_GIF)) {
    EnableOwner(m_ownerWindow, m_ownerDisabled);
    return FALSE;
  }
  if (m_animation.LoadAnimationResource()) m_animation.Display();
  return TRUE;
}

BOOL CProgressDialogGIF::DestroyWindow() {
  EnableOwner(m_ownerWindow, m_ownerDisabled);
  return CDialog::DestroyWindow();
}

void CProgressDialogGIF::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PROGRESS_ANIMATION, m_animation);
  DDX_Control(pDX, IDCANCEL, m_stopButton);
}

BOOL CProgressDialogGIF::OnInitDialog() {
  CDialog::OnInitDialog();
  SetCaption(this, m_titleId);

  CThemeHelperST* theme = AppThemeHelper();
  m_stopButton.m_themeHelper = theme;
  if (theme == nullptr || !theme->IsAppThemed()) m_stopButton.m_drawBorder = 1;
  const LPCWSTR stopImage = MAKEINTRESOURCEW(IDB_PROGRESS_STOP);
  HBITMAP image = static_cast<HBITMAP>(::LoadImageW(AfxFindResourceHandle(stopImage, RT_BITMAP), stopImage,
                                                    IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  m_stopButton.SetStateBitmaps(image, nullptr);

  CRect window;
  GetWindowRect(&window);
  if (m_position.x >= 0 && m_position.y >= 0) {
    const CRect work = PrimaryWorkArea();
    m_position = ClampToWorkArea(m_position, window.Size(), work);
    // Centred on the clamped point, and never out over the left or top edge either.
    const int x = std::max<int>(m_position.x - window.Width() / 2, work.left);
    const int y = std::max<int>(m_position.y - window.Height() / 2, work.top);
    SetWindowPos(GetParent(), x, y, 0, 0, SWP_NOSIZE);
  } else {
    CenterWindow();
  }
  return TRUE;
}

void CProgressDialogGIF::OnOK() {}

void CProgressDialogGIF::OnCancel() { m_stopRequested = 1; }

HBRUSH CProgressDialogGIF::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  if (AppUsesBVTheme()) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(g_nearWhiteBrush.GetSafeHandle());
  }
  return brush;
}
