#include "app/child_form_view.h"

#include "shell_dialogs.h"

IMPLEMENT_DYNCREATE(CChildFormView, CFormView)

BEGIN_MESSAGE_MAP(CChildFormView, CFormView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CChildFormView::CChildFormView() : CFormView(IDD_FORM_VIEW) {}

CChildFormView::~CChildFormView() = default;

BOOL CChildFormView::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CFormView::PreCreateWindow(cs)) return FALSE;
  cs.dwExStyle &= ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE);
  cs.style &= ~WS_BORDER;
  cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  return TRUE;
}

BOOL CChildFormView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                            CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  if (!CFormView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext)) return FALSE;
  m_dialog.Create(this);
  return TRUE;
}

int CChildFormView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  return CFormView::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void CChildFormView::OnSize(UINT nType, int cx, int cy) {
  if (m_dialog.GetSafeHwnd()) m_dialog.MoveWindow(0, 0, cx, cy, TRUE);
  CFormView::OnSize(nType, cx, cy);
}

BOOL CChildFormView::OnEraseBkgnd(CDC* pDC) { return CFormView::OnEraseBkgnd(pDC); }

COmahaVantornDlg* GetMainDialog(CFrameWnd* frame) {
  if (!frame) return nullptr;
  auto* view = DYNAMIC_DOWNCAST(CChildFormView, frame->GetActiveView());
  if (!view || !::IsWindow(view->GetSafeHwnd())) return nullptr;
  return &view->m_dialog;
}
