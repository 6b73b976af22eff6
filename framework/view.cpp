#include "framework/view.h"

#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/frame.h"
#include "framework/fwres.h"

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CFormView, CView)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_MOUSEACTIVATE()
  ON_MESSAGE(WM_INITIALUPDATE, &CView::OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::CView() = default;

CView::~CView() {
  if (m_pDocument != nullptr) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  // A view's border is drawn as a sunken edge.
  if (cs.style & WS_BORDER) {
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~WS_BORDER;
  }
  return TRUE;
}

void CView::PostNcDestroy() { delete this; }

int CView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  auto* context = lpCreateStruct ? static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams) : nullptr;
  if (context != nullptr && context->m_pCurrentDoc != nullptr) context->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  if (CFrameWnd* frame = GetParentFrame()) {
    if (frame->GetActiveView() == this) frame->SetActiveView(nullptr, FALSE);
  }
  CWnd::OnDestroy();
}

void CView::OnPrepareDC(CDC*, void*) {}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  int result = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
  if (CFrameWnd* frame = GetParentFrame()) {
    if (frame->GetActiveView() != this) frame->SetActiveView(this);
  }
  return result;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*) {
  if (bActivate && pActivateView == this) {
    CFrameWnd* frame = GetParentFrame();
    if (frame != nullptr && ::GetActiveWindow() == frame->GetSafeHwnd() && !::IsChild(m_hWnd, ::GetFocus())) SetFocus();
  }
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// Form view.

BEGIN_MESSAGE_MAP(CFormView, CView)
  ON_WM_CREATE()
  ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CFormView::CFormView(LPCTSTR lpszTemplateName) {
  if (IS_INTRESOURCE(lpszTemplateName)) {
    m_lpszTemplateName = lpszTemplateName;
  } else {
    m_strTemplateName = lpszTemplateName;
    m_lpszTemplateName = m_strTemplateName;
  }
}

CFormView::CFormView(UINT nIDTemplate) : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)) {}

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext* pContext) {
  if (m_hWnd != nullptr || pParentWnd == nullptr) return FALSE;
  // The view's styles as PreCreateWindow shapes them; the template gives the rest.
  CREATESTRUCT cs = {};
  cs.style = static_cast<LONG>(dwStyle | WS_CHILD);
  cs.hwndParent = pParentWnd->GetSafeHwnd();
  cs.x = rect.left;
  cs.y = rect.top;
  cs.cx = rect.right - rect.left;
  cs.cy = rect.bottom - rect.top;
  cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID));
  cs.lpCreateParams = pContext;
  if (!PreCreateWindow(cs)) return FALSE;

  HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
  HRSRC hResource = ::FindResourceW(hInst, m_lpszTemplateName, RT_DIALOG);
  HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
  auto lpTemplate = static_cast<LPCDLGTEMPLATE>(hTemplate ? ::LockResource(hTemplate) : nullptr);
  if (lpTemplate == nullptr) {
    TRACE(L"CFormView: dialog template not found\n");
    return FALSE;
  }
  m_pCreateContext = pContext;
  HWND hWnd = fw::detail::CreateBoundDialog(this, hInst, lpTemplate, cs.hwndParent);
  m_pCreateContext = nullptr;
  if (hWnd == nullptr) return FALSE;

  SetDlgCtrlID(static_cast<int>(nID));
  ModifyStyle(WS_BORDER | WS_CAPTION, static_cast<DWORD>(cs.style) & (WS_BORDER | WS_CAPTION));
  ModifyStyleEx(WS_EX_CLIENTEDGE, cs.dwExStyle & WS_EX_CLIENTEDGE);
  SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (dwStyle & WS_VISIBLE) ShowWindow(SW_SHOWNORMAL);
  return TRUE;
}

int CFormView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  // A dialog window gets no creation parameters of ours: hand over the
  // context kept by Create.
  CREATESTRUCT cs = *lpCreateStruct;
  cs.lpCreateParams = m_pCreateContext;
  return CView::OnCreate(&cs);
}

void CFormView::OnDraw(CDC*) {}

void CFormView::OnInitialUpdate() {
  UpdateData(FALSE);
  CView::OnInitialUpdate();
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg) {
  if (CView::PreTranslateMessage(pMsg)) return TRUE;
  return fw::detail::PreTranslateDialogInput(this, pMsg);
}

void CFormView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
  if (!bActivate) {
    HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(m_hWnd, focus)) m_hWndFocus = focus;
  }
  CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CFormView::OnSetFocus(CWnd* pOldWnd) {
  // Give the focus to a control: the one that had it, else the first one.
  if (m_hWndFocus != nullptr && ::IsWindow(m_hWndFocus) && ::IsChild(m_hWnd, m_hWndFocus)) {
    ::SetFocus(m_hWndFocus);
    return;
  }
  HWND first = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE);
  if (first != nullptr && first != m_hWnd) {
    ::SetFocus(first);
    return;
  }
  CView::OnSetFocus(pOldWnd);
}
