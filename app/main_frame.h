// The program's single-document frame: it carries every menu command, keeps its position in
// the settings, sizes itself to the main dialog and owns the hidden tree of predefined ranges
// and the modeless syntax page.
#pragma once

#include "app/frame_bars.h"
#include "controls/tree_ctrl_ex.h"
#include "framework/afxwin.h"

class CHTMLDialog;

class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  CMainFrame();
  ~CMainFrame() override;

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL DestroyWindow() override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void ActivateFrame(int nCmdShow = -1) override;
  // The caption is the program's own (string 100 in the current game), never the document's.
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;

  // Caption and banner of the current game.
  void UpdateTitle();

  // The hidden tree of predefined ranges that the range dialog borrows.
  CTreeCtrlEx* m_predefinedTree = nullptr;
  CHTMLDialog* m_syntaxDialog = nullptr;  // the open syntax page, or null
  CFrameBars m_bars;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  // While an evaluation runs the close waits for it: the run stops, then the frame closes.
  afx_msg void OnClose();
  afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
  afx_msg LRESULT OnFitToDialog(WPARAM, LPARAM);
  afx_msg LRESULT OnSyntaxDialogClosed(WPARAM, LPARAM);

  // Commands (main_frame_commands.cpp).
  afx_msg void OnShortHanded();
  afx_msg void OnDeadCards();
  afx_msg void OnResults();
  afx_msg void OnSupportForum();
  afx_msg void OnSettings();
  afx_msg void OnLoadScenario();
  afx_msg void OnSaveScenario();
  afx_msg void OnAbout();
  // Shows "Syntax.html" of the current folder in the modeless page viewer, or activates the
  // open one.
  afx_msg void OnSyntax();
  afx_msg void OnHelpContents();
  afx_msg void OnToolBarOnly();
  afx_msg void OnUpdateShortHanded(CCmdUI* pCmdUI);
  afx_msg void OnUpdateDeadCards(CCmdUI* pCmdUI);
  afx_msg void OnUpdateResults(CCmdUI* pCmdUI);
  // The hand analysis dialogs, modal.
  afx_msg void OnHandVsHand();
  afx_msg void OnFlopOutsCounter();
  // The equity graph of the main dialog's players and board (equity_graph_command.cpp).
  afx_msg void OnEquityGraph();
  afx_msg void OnUpdateEquityGraph(CCmdUI* pCmdUI);

  // Developer commands without a menu entry (developer_commands.cpp, random_hands_experiment.cpp).
  afx_msg void OnRandomHandsExperiment();
  afx_msg void OnWriteTableFiles();
  afx_msg void OnImportHiLoRankings();
  afx_msg void OnDumpTables();

  DECLARE_MESSAGE_MAP()

 private:
  BOOL CreatePredefinedTree();
  void RestorePosition();
};

// In Omaha Hi/Lo every "Omaha" (string 402) in the text becomes "Omaha Hi/Lo" (string 403).
void ApplyGameVariantToTitle(CString& text);
void ApplyGameVariantToTitle(CString& text, bool useHiLo);

// The frame's start position: a negative top becomes 0; a corner left or above the desktop, or
// at or beyond its right or bottom edge, moves to the desktop's left or top edge.
void ClampFramePosition(const RECT& desktop, int* left, int* top);

// Message posted by the syntax page when it is destroyed.
constexpr UINT WM_SYNTAX_DIALOG_CLOSED = WM_APP + 104;
