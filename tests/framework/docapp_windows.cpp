#include "docapp_windows.h"

namespace docapp {

IMPLEMENT_DYNCREATE(CSheetDoc, CDocument)
IMPLEMENT_DYNCREATE(CSheetView, CFormView)
IMPLEMENT_DYNCREATE(CSheetFrame, CFrameWnd)

int CModelessDialog::s_alive = 0;

constexpr UINT WM_NEXT_STEP = WM_APP + 0x3E0;

BOOL CSheetDoc::OnOpenDocument(LPCTSTR lpszPathName) {
  if (!CDocument::OnOpenDocument(lpszPathName)) return FALSE;
  ++m_opened;
  return TRUE;
}

void COwnerDrawButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  ++m_draws;
  CDC* dc = CDC::FromHandle(dis->hDC);
  dc->FillSolidRect(&dis->rcItem, RGB(40, 110, 200));
  dc->SetTextColor(RGB(255, 255, 255));
  dc->SetBkMode(TRANSPARENT);
  dc->DrawText(L"Drawn", const_cast<RECT*>(&dis->rcItem), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// The controls dialog.

BEGIN_MESSAGE_MAP(CControlsDialog, CDialog)
  ON_BN_CLICKED(IDC_PUSH, &CControlsDialog::OnApply)
END_MESSAGE_MAP()

BOOL CControlsDialog::OnInitDialog() {
  // Bind the controls first, fill them, then move the members in.
  UpdateData(FALSE);
  for (const wchar_t* s : {L"Omaha Hi", L"Omaha Hi/Lo"}) m_gameCombo.AddString(s);
  for (const wchar_t* s : {L"Preflop", L"Flop", L"Turn", L"River"}) m_streetList.AddString(s);
  HTREEITEM root = m_tree.InsertItem(L"Ranges");
  m_tree.InsertItem(L"AA**", root);
  m_tree.InsertItem(L"KK**", root);
  m_tree.Expand(root, TVE_EXPAND);
  m_spin.SetRange32(0, 99);
  m_slider.SetRange(0, 100, TRUE);
  m_progress.SetRange32(0, 100);
  m_progress.SetPos(40);
  m_scroll.SetScrollRange(0, 10, FALSE);
  m_scroll.SetScrollPos(5);
  m_tips.Create(this);
  m_tips.AddTool(&m_apply, L"Apply the values");
  m_tips.Activate(TRUE);
  CDialog::OnInitDialog();
  return TRUE;
}

void CControlsDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_LABEL, m_label);
  DDX_Control(pDX, IDC_TEXT, m_nameEdit);
  DDX_Control(pDX, IDC_SPIN, m_spin);
  DDX_Control(pDX, IDC_CHECK, m_enabledBox);
  DDX_Control(pDX, IDC_LIST_COMBO, m_gameCombo);
  DDX_Control(pDX, IDC_LIST, m_streetList);
  DDX_Control(pDX, IDC_TREE, m_tree);
  DDX_Control(pDX, IDC_SLIDER, m_slider);
  DDX_Control(pDX, IDC_PROGRESS, m_progress);
  DDX_Control(pDX, IDC_SCROLL, m_scroll);
  DDX_Control(pDX, IDC_PUSH, m_apply);
  DDX_Control(pDX, IDC_OWNERDRAW, m_ownerDraw);
  // Values exist once the lists are filled (OnInitDialog).
  if (m_gameCombo.GetCount() == 0) return;
  DDX_Text(pDX, IDC_TEXT, m_name);
  DDX_Text(pDX, IDC_NUMBER, m_number);
  DDV_MinMaxInt(pDX, m_number, 0, 99);
  DDX_Check(pDX, IDC_CHECK, m_enabled);
  DDX_Radio(pDX, IDC_RADIO1, m_game);
  DDX_CBIndex(pDX, IDC_LIST_COMBO, m_gameIndex);
  DDX_LBIndex(pDX, IDC_LIST, m_street);
  DDX_Slider(pDX, IDC_SLIDER, m_level);
}

BOOL CControlsDialog::PreTranslateMessage(MSG* pMsg) {
  m_tips.RelayEvent(pMsg);
  return CDialog::PreTranslateMessage(pMsg);
}

void CControlsDialog::OnApply() {
  if (UpdateData(TRUE)) ++m_applied;
}

// The view.

BEGIN_MESSAGE_MAP(CSheetView, CFormView)
  ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CSheetView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  if (!CFormView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext)) return FALSE;
  m_dialog.Create(IDD_CONTROLS, this);
  return TRUE;
}

void CSheetView::OnSize(UINT nType, int cx, int cy) {
  if (m_dialog.m_hWnd != nullptr) m_dialog.MoveWindow(0, 0, cx, cy, TRUE);
  CFormView::OnSize(nType, cx, cy);
}

// The scripted dialog.

BOOL CStepDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  PostMessage(WM_NEXT_STEP);
  return TRUE;
}

void CStepDialog::DoDataExchange(CDataExchange* pDX) {
  if (::GetDlgItem(m_hWnd, IDC_TEXT) != nullptr) DDX_Text(pDX, IDC_TEXT, m_text);
}

LRESULT CStepDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NEXT_STEP) {
    if (m_next < m_steps.size()) {
      Step step = m_steps[m_next++];
      step(*this);
      if (m_hWnd != nullptr) PostMessage(WM_NEXT_STEP);
    }
    return 0;
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

// The frame.

BEGIN_MESSAGE_MAP(CSheetFrame, CFrameWnd)
  ON_COMMAND(ID_TOOLS_MODAL, &CSheetFrame::OnModal)
  ON_COMMAND(ID_TOOLS_MODELESS, &CSheetFrame::OnModeless)
  ON_COMMAND(ID_TOOLS_COUNT, &CSheetFrame::OnCount)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_COUNT, &CSheetFrame::OnUpdateCount)
END_MESSAGE_MAP()

void CSheetFrame::OnModal() {
  CStepDialog dialog(IDD_MODAL, this);
  dialog.m_text = L"start";
  dialog.m_steps = m_modalSteps;
  m_modalResult = dialog.DoModal();
  m_modalText = dialog.m_text;
}

void CSheetFrame::OnModeless() {
  if (m_modeless != nullptr && CModelessDialog::s_alive > 0) return;
  m_modeless = new CModelessDialog;
  if (!m_modeless->Create(IDD_MODELESS, this)) {
    m_modeless = nullptr;
    return;
  }
  m_modeless->ShowWindow(SW_SHOWNOACTIVATE);
}

void CSheetFrame::OnCount() { ++m_count; }

void CSheetFrame::OnUpdateCount(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_count > 0); }

}  // namespace docapp
