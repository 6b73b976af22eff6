#include "app/main_frame.h"

#include "app/child_form_view.h"
#include "app/evaluate_run.h"
#include "app/main_dialog.h"
#include "app/omaha_app.h"
#include "app/settings.h"
#include "dialogs/html_dialog.h"
#include "menu.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_SETFOCUS()
  ON_WM_CLOSE()
  ON_WM_SIZING()
  ON_MESSAGE(WM_FIT_TO_DIALOG, &CMainFrame::OnFitToDialog)
  ON_MESSAGE(WM_SYNTAX_DIALOG_CLOSED, &CMainFrame::OnSyntaxDialogClosed)
  ON_COMMAND(ID_SHORT_HANDED, &CMainFrame::OnShortHanded)
  ON_COMMAND(ID_DEAD_CARDS, &CMainFrame::OnDeadCards)
  ON_COMMAND(ID_RESULTS, &CMainFrame::OnResults)
  ON_COMMAND(ID_SUPPORT_FORUM, &CMainFrame::OnSupportForum)
  ON_COMMAND(ID_SETTINGS, &CMainFrame::OnSettings)
  ON_COMMAND(ID_LOAD_SCENARIO, &CMainFrame::OnLoadScenario)
  ON_COMMAND(ID_SAVE_SCENARIO, &CMainFrame::OnSaveScenario)
  ON_COMMAND(ID_APP_ABOUT, &CMainFrame::OnAbout)
  ON_COMMAND(ID_SYNTAX, &CMainFrame::OnSyntax)
  ON_COMMAND(ID_HELP_CONTENTS, &CMainFrame::OnHelpContents)
  ON_COMMAND(ID_HELP, &CMainFrame::OnHelpContents)
  ON_COMMAND(ID_HELP_FINDER, &CFrameWnd::OnHelpFinder)
  ON_COMMAND(ID_CONTEXT_HELP, &CFrameWnd::OnContextHelp)
  ON_COMMAND(ID_RANDOM_HANDS_EXPERIMENT, &CMainFrame::OnRandomHandsExperiment)
  ON_COMMAND(ID_WRITE_TABLE_FILES, &CMainFrame::OnWriteTableFiles)
  ON_COMMAND(ID_IMPORT_HILO_RANKINGS, &CMainFrame::OnImportHiLoRankings)
  ON_COMMAND(ID_DUMP_TABLES, &CMainFrame::OnDumpTables)
  ON_COMMAND(ID_TOOLBAR_SPARE, &CMainFrame::OnToolBarOnly)
  ON_COMMAND(ID_TOOLBAR_SPARE_1, &CMainFrame::OnToolBarOnly)
  ON_COMMAND(ID_TOOLBAR_SPARE_2, &CMainFrame::OnToolBarOnly)
  ON_COMMAND(ID_TOOLBAR_SPARE_3, &CMainFrame::OnToolBarOnly)
  ON_UPDATE_COMMAND_UI(ID_SHORT_HANDED, &CMainFrame::OnUpdateShortHanded)
  ON_UPDATE_COMMAND_UI(ID_DEAD_CARDS, &CMainFrame::OnUpdateDeadCards)
  ON_UPDATE_COMMAND_UI(ID_RESULTS, &CMainFrame::OnUpdateResults)
  ON_COMMAND(ID_EQUITY_GRAPH, &CMainFrame::OnEquityGraph)
  ON_UPDATE_COMMAND_UI(ID_EQUITY_GRAPH, &CMainFrame::OnUpdateEquityGraph)
  ON_COMMAND(ID_HAND_VS_HAND, &CMainFrame::OnHandVsHand)
  ON_COMMAND(ID_FLOP_OUTS_COUNTER, &CMainFrame::OnFlopOutsCounter)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() { CFrameBars::InstallTheme(); }

CMainFrame::~CMainFrame() { delete m_predefinedTree; }

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
  cs.lpszClass = AfxRegisterWndClass(0);
  return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;

  if (HICON icon = AfxGetApp()->LoadIcon(IDI_APP_ICON)) {
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
  }
  COmahaVantornApp* app = GetOmahaApp();
  const CString profileName = app && app->m_profileSwap ? app->m_profileSwap->m_iniPath : CString();
  if (!m_bars.Create(this, profileName)) return -1;

  // The frame keeps the main dialog's size: the user can neither resize nor maximize it.
  ModifyStyle(WS_MAXIMIZEBOX | WS_THICKFRAME, 0, SWP_FRAMECHANGED);

  if (!CreatePredefinedTree()) return -1;
  RestorePosition();
  UpdateTitle();
  return 0;
}

BOOL CMainFrame::CreatePredefinedTree() {
  m_predefinedTree = new CTreeCtrlEx;
  const DWORD style = WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                      TVS_LINESATROOT | TVS_DISABLEDRAGDROP;
  if (!m_predefinedTree->Create(style, CRect(0, 0, 0, 0), this, kPredefinedTreeId)) return FALSE;
  m_predefinedTree->ShowWindow(SW_HIDE);
  // The reader points the profile at the ranges file for one call, then back at the settings.
  COmahaVantornApp* app = GetOmahaApp();
  m_predefinedTree->FillPredefinedRanges(app && app->m_profileSwap ? app->m_profileSwap->m_iniPath.GetString()
                                                                   : nullptr);
  return TRUE;
}

void ClampFramePosition(const RECT& desktop, int* left, int* top) {
  if (*top < 0) *top = 0;
  if (*left < desktop.left || *left >= desktop.right) *left = desktop.left;
  if (*top < desktop.top || *top >= desktop.bottom) *top = desktop.top;
}

void CMainFrame::RestorePosition() {
  CWinApp* app = AfxGetApp();
  int left = static_cast<int>(app->GetProfileInt(kSectionGlobal, kKeyLeft, 0));
  int top = static_cast<int>(app->GetProfileInt(kSectionGlobal, kKeyTop, 0));
  RECT desktop = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (COmahaVantornApp* omaha = GetOmahaApp(); omaha && !::IsRectEmpty(&omaha->m_desktopRect))
    desktop = omaha->m_desktopRect;
  ClampFramePosition(desktop, &left, &top);
  SetWindowPos(nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CMainFrame::DestroyWindow() {
  if (GetSafeHwnd()) {
    if (m_predefinedTree && ::IsWindow(m_predefinedTree->GetSafeHwnd()))
      m_predefinedTree->FreeItemData(m_predefinedTree->GetRootItem());
    CRect window;
    GetWindowRect(&window);
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt(kSectionGlobal, kKeyLeft, window.left);
    app->WriteProfileInt(kSectionGlobal, kKeyTop, window.top);
    m_bars.Unbind(this);
    // The syntax page goes with the program (and keeps its rectangle for the next opening).
    if (m_syntaxDialog && ::IsWindow(m_syntaxDialog->GetSafeHwnd())) m_syntaxDialog->DestroyWindow();
    m_syntaxDialog = nullptr;
  }
  return CFrameWnd::DestroyWindow();
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  CView* view = GetActiveView();
  if (view && ::IsWindow(view->GetSafeHwnd()) && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg) {
  if (m_bars.PreTranslateMessage(pMsg)) return TRUE;
  return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMainFrame::ActivateFrame(int nCmdShow) {
  // Open at the main dialog's size.
  SendMessage(WM_FIT_TO_DIALOG);
  CFrameWnd::ActivateFrame(nCmdShow);
}

void CMainFrame::OnClose() {
  // The run is on the call stack below the message pump that brought this close: destroying
  // the dialog now would pull the window out from under it.
  if (EvaluationInProgress()) {
    RequestCloseAfterEvaluation();
    return;
  }
  CFrameWnd::OnClose();
}

void CMainFrame::OnSetFocus(CWnd* pOldWnd) {
  CView* view = GetActiveView();
  if (view && ::IsWindow(view->GetSafeHwnd())) {
    view->SetFocus();
    return;
  }
  CFrameWnd::OnSetFocus(pOldWnd);
}

void CMainFrame::OnSizing(UINT fwSide, LPRECT pRect) {
  // The proposed rectangle stands; the dialog is laid out when the size arrives.
  CFrameWnd::OnSizing(fwSide, pRect);
}

LRESULT CMainFrame::OnFitToDialog(WPARAM, LPARAM) {
  COmahaVantornDlg* dialog = GetMainDialog(this);
  if (!dialog) return 0;
  const int height = dialog->m_resultsVisible ? dialog->m_heightWithResults : dialog->m_heightWithoutResults;
  if (dialog->m_widthWithResults > 0 && height > 0)
    SetWindowPos(nullptr, 0, 0, dialog->m_widthWithResults, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

LRESULT CMainFrame::OnSyntaxDialogClosed(WPARAM, LPARAM) {
  m_syntaxDialog = nullptr;
  return 0;
}

void ApplyGameVariantToTitle(CString& text, bool useHiLo) {
  if (!useHiLo) return;
  CString omaha, omahaHiLo;
  omaha.LoadString(IDS_GAME_OMAHA);
  omahaHiLo.LoadString(IDS_GAME_OMAHA_HILO);
  omaha.Trim();
  omahaHiLo.Trim();
  if (omaha.IsEmpty()) return;
  // An "Omaha Hi/Lo" already in the text stays as it is, so the call can be repeated.
  CString result;
  int at = 0;
  for (int found; (found = text.Find(omaha, at)) >= 0;) {
    result += text.Mid(at, found - at);
    if (!omahaHiLo.IsEmpty() && text.Mid(found, omahaHiLo.GetLength()) == omahaHiLo) {
      result += omahaHiLo;
      at = found + omahaHiLo.GetLength();
    } else {
      result += omahaHiLo;
      at = found + omaha.GetLength();
    }
  }
  result += text.Mid(at);
  text = result;
}

void ApplyGameVariantToTitle(CString& text) {
  COmahaVantornApp* app = GetOmahaApp();
  ApplyGameVariantToTitle(text, app && app->m_useHiLo);
}

void CMainFrame::UpdateTitle() {
  CString title;
  title.LoadString(IDS_APP_TITLE);
  ApplyGameVariantToTitle(title);
  if (GetSafeHwnd()) SetWindowText(title);
  if (COmahaVantornDlg* dialog = GetMainDialog(this)) dialog->ShowBanner();
}

void CMainFrame::OnUpdateFrameTitle(BOOL) {
  CString title;
  title.LoadString(IDS_APP_TITLE);
  ApplyGameVariantToTitle(title);
  CString current;
  GetWindowText(current);
  if (current != title) SetWindowText(title);
}
