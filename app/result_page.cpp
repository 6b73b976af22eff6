// The main dialog's result page and texts: the inputs of a run and the dialog's board and
// dead-card fields go to the writers of result_texts.h; the page goes into the result browser.
#include "app/app_utils.h"
#include "app/browser_document.h"
#include "app/main_dialog.h"
#include "app/omaha_app.h"
#include "app/result_texts.h"
#include "main_dialog_ids.h"

namespace {

CString EditText(const CWnd& edit) {
  CString text;
  if (edit.GetSafeHwnd()) edit.GetWindowText(text);
  return text;
}

}  // namespace

void COmahaVantornDlg::WriteResults(bool hiLo, const double (*results)[kSeats], const CString* seatTexts,
                                    const CString* positions, const int* handCounts) {
  if (results) {
    const COmahaVantornApp* app = GetOmahaApp();
    ResultInput input;
    input.hiLo = hiLo;
    input.allStreets = app && app->m_useThreeEquities;
    input.results = results;
    input.seatCount = m_seatCount;
    for (int k = 0; k < kSeats && k < m_seatCount; ++k) {
      if (seatTexts) input.seatTexts[k] = seatTexts[k];
      if (positions) input.positions[k] = positions[k];
      if (handCounts) input.handCounts[k] = handCounts[k];
    }
    input.board = ResultBoardText(EditText(m_boardEdits[kFlop]), IsChecked(IDC_FLOP_CHECK),
                                  EditText(m_boardEdits[kTurn]), IsChecked(IDC_TURN_CHECK),
                                  EditText(m_boardEdits[kRiver]), IsChecked(IDC_RIVER_CHECK));
    if (IsChecked(IDC_DEAD_CHECK)) input.dead = EditText(m_boardEdits[kDead]);
    if (app) {
      input.css = app->m_resultCss;
      input.homePageUrl = app->m_homePageUrl;
    }
    input.imageModule = GetResourceModulePath();
    input.labels = LoadResultLabels();
    ResultTexts texts = BuildResultTexts(input);
    m_resultHtml = texts.html;
    m_resultText = texts.text;
    m_resultBBCode = texts.bbCode;
  }
  if (m_browser.GetSafeHwnd()) WriteHtmlToBrowser(&m_browser, m_resultHtml);
}

void COmahaVantornDlg::WriteResultsHi(const double (*results)[kSeats], const CString* seatTexts,
                                      const CString* positions, const int* handCounts) {
  WriteResults(false, results, seatTexts, positions, handCounts);
}

void COmahaVantornDlg::WriteResultsHiLo(const double (*results)[kSeats], const CString* seatTexts,
                                        const CString* positions, const int* handCounts) {
  WriteResults(true, results, seatTexts, positions, handCounts);
}
