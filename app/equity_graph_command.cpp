// The frame's equity graph command: the main dialog's players and board go to the graph.
#include "app/child_form_view.h"
#include "app/main_dialog.h"
#include "app/main_frame.h"
#include "dialogs/equity_graph_dialog.h"

void CMainFrame::OnEquityGraph() {
  COmahaVantornDlg* main = GetMainDialog(this);
  if (!main) return;
  CEquityGraphDialog dialog(this);
  CString ranges[COmahaVantornDlg::kSeats], board;
  main->GetGraphInputs(ranges, board);
  for (int i = 0; i < COmahaVantornDlg::kSeats && i < CEquityGraphDialog::kPlayers; ++i)
    dialog.m_rangeTexts[i] = ranges[i];
  dialog.m_boardText = board;
  dialog.DoModal();
}

void CMainFrame::OnUpdateEquityGraph(CCmdUI* pCmdUI) {
  COmahaVantornDlg* main = GetMainDialog(this);
  pCmdUI->Enable(main && EquityGraphCommandEnabled(main->CountActiveSeats(), main->CountBoardCards()));
}
