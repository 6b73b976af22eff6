// The Evaluate run: the taking-part seats' ranges go into the engine's rows, the engine of the
// current game runs on this thread with the animated progress dialog over the disabled frame,
// and its progress calls keep the windows alive and show interim equities.
#include "app/evaluate_run.h"

#include <cmath>
#include <cstdio>

#include "app/app_shell.h"
#include "app/app_utils.h"
#include "app/main_dialog.h"
#include "app/omaha_app.h"
#include "app/result_texts.h"
#include "controls/message_pump.h"
#include "controls/progress_dialog.h"
#include "core/range_rows.h"
#include "main_dialog_ids.h"
#include "string_table.h"

namespace {

// The dialog whose run is on, and whether the program asked to close meanwhile.
COmahaVantornDlg* g_runningDialog = nullptr;
bool g_closeRequested = false;

}  // namespace

bool SeatShownInLayout(int seat, bool shortHanded) { return seat >= 4 || !shortHanded; }

EvaluateSeats SelectEvaluateSeats(const CString texts[kMaxSeats], const bool ticked[kMaxSeats], bool shortHanded) {
  EvaluateSeats seats;
  for (int i = 0; i < kMaxSeats; ++i)
    if (!texts[i].IsEmpty() && ticked[i] && SeatShownInLayout(i, shortHanded)) seats.index[seats.count++] = i;
  return seats;
}

CString BuildEngineBoardText(const CString& flop, bool flopTicked, const CString& turn, bool turnTicked,
                             const CString& river, bool riverTicked, const CString& dead, bool deadTicked) {
  CString board;
  if (flopTicked) board += flop;
  if (turnTicked) board += turn;
  if (riverTicked) board += river;
  if (deadTicked && !dead.IsEmpty()) board += L"|" + dead;
  return board;
}

CString FormatEquityField(double value) {
  CString text;
  if (std::isfinite(value)) text.Format(L"%0.2lf%%", value);
  return text;
}

bool EvaluationTimeIsUp(ULONGLONG startTick, ULONGLONG nowTick, int limitMs) {
  if (limitMs < 0) return true;
  return nowTick - startTick > static_cast<ULONGLONG>(limitMs);
}

void ReportEngineRun(const EquityRunStats& stats) {
  wchar_t path[MAX_PATH] = L"";
  const DWORD n = ::GetEnvironmentVariableW(L"OMAHAVANTORN_ENGINE_REPORT", path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  FILE* file = _wfopen(path, L"a");
  if (!file) return;
  std::fprintf(file, "workers %d attempts %llu deals %llu\n", stats.workers,
               static_cast<unsigned long long>(stats.attempts), static_cast<unsigned long long>(stats.valid));
  std::fclose(file);
}

bool EvaluationInProgress() { return g_runningDialog != nullptr; }

void RequestCloseAfterEvaluation() {
  if (g_runningDialog) g_closeRequested = true;
}

bool COmahaVantornDlg::SeatTakesPart(int seat) const {
  if (seat < 0 || seat >= kSeats || !m_rangeEdits[seat].GetSafeHwnd()) return false;
  const COmahaVantornApp* app = GetOmahaApp();
  return m_rangeEdits[seat].GetWindowTextLength() > 0 && IsChecked(IDC_SEAT_CHECK + seat) &&
         SeatShownInLayout(seat, app && app->m_onlyShorthanded);
}

void COmahaVantornDlg::OnEvaluate() {
  COmahaVantornApp* app = GetOmahaApp();
  // The frame is disabled during a run; a click that still arrives must not start a second one.
  if (!app || g_runningDialog || m_progressDialog) return;

  CString seatTexts[kSeats], positions[kSeats];
  bool ticked[kSeats] = {};
  for (int i = 0; i < kSeats; ++i) {
    m_rangeEdits[i].GetWindowText(seatTexts[i]);
    ticked[i] = IsChecked(IDC_SEAT_CHECK + i);
  }
  RecordRecentInput();
  const EvaluateSeats seats = SelectEvaluateSeats(seatTexts, ticked, app->m_onlyShorthanded != 0);
  m_seatCount = seats.count;
  for (int k = 0; k < kSeats; ++k) {
    m_seatIndex[k] = k < seats.count ? seats.index[k] : 0;
    seatTexts[k] = k < seats.count ? seatTexts[seats.index[k]] : CString();
    positions[k] = k < seats.count ? GetSeatPositionName(seats.index[k]) : CString();
  }
  ClearStreetFields();

  int handCounts[kSeats] = {};
  {
    CWaitCursor wait;
    for (int k = 0; k < m_seatCount; ++k) {
      app->m_handBase.SelectRange(std::wstring_view(seatTexts[k].GetString(), seatTexts[k].GetLength()));
      app->m_handBase.ExpandSelection(g_playerRangeMasks[k], &handCounts[k]);
    }
  }
  for (auto& column : m_streetFields)
    for (auto& field : column) field.m_seatCount = std::max(m_seatCount, 1);

  CString texts[kStreets];
  for (int s = 0; s < kStreets; ++s) m_boardEdits[s].GetWindowText(texts[s]);
  const CString board =
      BuildEngineBoardText(texts[kFlop], IsChecked(IDC_FLOP_CHECK), texts[kTurn], IsChecked(IDC_TURN_CHECK),
                           texts[kRiver], IsChecked(IDC_RIVER_CHECK), texts[kDead], IsChecked(IDC_DEAD_CHECK));

  CRect evaluate;
  m_evaluateButton.GetWindowRect(&evaluate);
  m_progressDialog = new CProgressDialogGIF;
  m_progressDialog->m_position = CPoint((evaluate.left + evaluate.right) / 2, (evaluate.top + evaluate.bottom) / 2);
  // Without its window the run still goes ahead and ends at the time limit; the frame is
  // disabled by hand then, so nothing can change the inputs meanwhile.
  CWnd* mainWindow = AfxGetMainWnd();
  const bool created = m_progressDialog->Create() != FALSE;
  const bool disabledByHand = !created && mainWindow && mainWindow->GetSafeHwnd() && !mainWindow->EnableWindow(FALSE);

  g_runningDialog = this;
  g_closeRequested = false;
  const bool hiLo = app->m_useHiLo != 0;
  double hiResults[kEquityHiArrays][kMaxSeats] = {};
  double hiLoResults[kEquityHiLoArrays][kMaxSeats] = {};
  double (*results)[kMaxSeats] = hiLo ? hiLoResults : hiResults;
  const std::wstring_view boardView(board.GetString(), board.GetLength());
  const int code = hiLo ? CalculateEquityHiLo(handCounts, m_seatCount, boardView, hiLoResults,
                                              app->m_useThreeEquities, m_evaluateToStreet, &ShowEquityProgress, this)
                        : CalculateEquityHi(handCounts, m_seatCount, boardView, hiResults, app->m_useThreeEquities,
                                            m_evaluateToStreet, &ShowEquityProgress, this);
  ReportEngineRun(LastEquityRunStats());

  // The progress window goes before any message, so the message box is not left behind it.
  m_progressDialog->DestroyWindow();
  delete m_progressDialog;
  m_progressDialog = nullptr;
  if (disabledByHand) mainWindow->EnableWindow(TRUE);

  const int arrays = hiLo ? kEquityHiLoArrays : kEquityHiArrays;
  if (code < 0 || !ResultsAreFinite(results, app->m_useThreeEquities ? arrays : arrays / 4, m_seatCount)) {
    CString message;
    message.LoadString(IDS_NO_RESULTS);
    ShowMessageBoxText(this, message, MB_OK);
  } else if (hiLo) {
    WriteResultsHiLo(results, seatTexts, positions, handCounts);
  } else {
    WriteResultsHi(results, seatTexts, positions, handCounts);
  }
  UpdateControlStates();

  g_runningDialog = nullptr;
  if (g_closeRequested) {
    g_closeRequested = false;
    if (mainWindow && mainWindow->GetSafeHwnd()) mainWindow->PostMessage(WM_CLOSE);
  }
}

int COmahaVantornDlg::ShowEquityProgress(void* user, int isStart, double* values1, int show1, double* values2,
                                         int show2, double* values3, int show3, double* values4, int show4) {
  auto* dialog = static_cast<COmahaVantornDlg*>(user);
  if (!dialog || !dialog->m_progressDialog) return 1;
  if (isStart) {
    dialog->m_startTick = ::GetTickCount64();
    return 1;
  }
  const COmahaVantornApp* app = GetOmahaApp();
  if (EvaluationTimeIsUp(dialog->m_startTick, ::GetTickCount64(), app ? app->m_evaluationTime : 0)) return 0;

  PumpDialogMessages(dialog->m_progressDialog);
  // The program is closing: the run ends now and the close follows it.
  MSG quit;
  if (g_closeRequested || ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) return 0;
  const int stop = dialog->m_progressDialog->m_stopRequested;
  dialog->m_progressDialog->m_stopRequested = 0;
  if (stop) return 0;

  const bool allStreets = app && app->m_useThreeEquities;
  double* values[4] = {values1, values2, values3, values4};
  const int shown[4] = {show1, show2, show3, show4};
  for (int k = 0; k < dialog->m_seatCount; ++k) {
    const int seat = dialog->m_seatIndex[k];
    for (int j = 0; j < 4; ++j) {
      if (!shown[j]) continue;
      CString text;
      if (values[j] && (allStreets || j == 0)) text = FormatEquityField(values[j][k]);
      CEditWithBackground& field = dialog->m_streetFields[j][seat];
      if (!field.GetSafeHwnd()) continue;
      field.SetWindowText(text);
      field.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
  }
  return 1;
}
