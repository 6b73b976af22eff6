#include "dialogs/equity_graph_dialog.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/app_shell.h"
#include "app/omaha_app.h"
#include "controls/app_services.h"
#include "controls/message_pump.h"
#include "controls/progress_dialog.h"
#include "core/platform_random.h"
#include "equity_graph_ids.h"
#include "resource.h"

namespace {

constexpr wchar_t kSectionEquityGraph[] = L"EquityGraph";
constexpr wchar_t kKeyGraphType[] = L"EquityGraphType";
constexpr wchar_t kKeyGraphQuality[] = L"EquityGraphQuality";
constexpr int kDefaultQuality = 2;

// The plot rectangle of the chart, grown by the width of its thick curves.
const CRect kPlotRect(38 - 3, 73 - 3, 588 + 3, 433 + 3);

CString LoadTrimmed(UINT id) {
  CString text;
  text.LoadString(id);
  text.Trim();
  return text;
}

COmahaBase* HandBase() {
  COmahaVantornApp* app = GetOmahaApp();
  return app ? &app->m_handBase : nullptr;
}

}  // namespace

bool EquityGraphCommandEnabled(int activeSeats, int boardCards) { return activeSeats >= 2 && boardCards < 5; }

CString BuildEquityGraphTitle(const CString* rangeTexts, int count, const CString& boardText) {
  if (count < 1) return CString();
  CString title = rangeTexts[0];
  title += L" " + LoadTrimmed(IDS_VS) + L" ";
  for (int i = 1; i < count; ++i) {
    if (i > 1) title += L", ";
    title += L"{" + rangeTexts[i] + L"}";
  }
  if (!boardText.IsEmpty()) title += L" " + LoadTrimmed(IDS_ON_BOARD) + L" " + boardText;
  return title;
}

BEGIN_MESSAGE_MAP(CEquityGraphDialog, CDialog)
  ON_BN_CLICKED(IDC_GRAPH_CALCULATE, &CEquityGraphDialog::OnCalculate)
  ON_BN_CLICKED(IDC_GRAPH_SAVE, &CEquityGraphDialog::OnSaveScreenshot)
  ON_BN_CLICKED(IDC_GRAPH_RANGE_VS_RANGE, &CEquityGraphDialog::OnMethodChanged)
  ON_BN_CLICKED(IDC_GRAPH_HAND_VS_HAND, &CEquityGraphDialog::OnMethodChanged)
  ON_BN_CLICKED(IDC_GRAPH_HAND_VS_RANGE, &CEquityGraphDialog::OnMethodChanged)
  ON_NOTIFY(TRBN_THUMBPOSCHANGING, IDC_GRAPH_QUALITY, &CEquityGraphDialog::OnQualityChanging)
  ON_WM_CTLCOLOR()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CEquityGraphDialog::CEquityGraphDialog(CWnd* parent) : CDialog(IDD_EQUITY_GRAPH, parent) {
  m_calculateButton.m_drawBorder = 0;
  m_saveButton.m_drawBorder = 0;
}

CEquityGraphDialog::~CEquityGraphDialog() { delete m_progress; }

void CEquityGraphDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_GRAPH_CALCULATE, m_calculateButton);
  DDX_Control(pDX, IDC_GRAPH_SAVE, m_saveButton);
  DDX_Control(pDX, IDC_GRAPH_QUALITY, m_qualitySlider);
}

void CEquityGraphDialog::SetUpButtons() {
  CThemeHelperST* theme = AppThemeHelper();
  const bool themed = theme && theme->IsAppThemed();
  auto setUp = [&](CXPStyleButtonST& button, UINT bitmap, UINT tip) {
    button.m_themeHelper = theme;
    if (!themed) button.m_drawBorder = 1;
    HBITMAP image = static_cast<HBITMAP>(
        ::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(bitmap), IMAGE_BITMAP, 0, 0, 0));
    if (!image)
      image = static_cast<HBITMAP>(::LoadImage(::GetModuleHandle(nullptr), MAKEINTRESOURCE(bitmap), IMAGE_BITMAP, 0, 0, 0));
    if (image) button.SetStateBitmaps(image);
    button.SetTooltipFromResource(tip);
  };
  setUp(m_calculateButton, IDB_BUTTON_CALCULATE, IDS_TIP_CALCULATE_GRAPH);
  setUp(m_saveButton, IDB_BUTTON_SCREENSHOT, IDS_TIP_SAVE_GRAPH);
}

BOOL CEquityGraphDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_diagram.SubclassDlgItem(IDC_GRAPH_DIAGRAM, this);
  SetUpButtons();

  CWinApp* app = AfxGetApp();
  const int method = static_cast<int>(app->GetProfileInt(kSectionEquityGraph, kKeyGraphType, kMethodRangeVsRange));
  const int selected = method == kMethodRangeVsRange   ? IDC_GRAPH_RANGE_VS_RANGE
                       : method == kMethodHandVsRange ? IDC_GRAPH_HAND_VS_RANGE
                                                      : IDC_GRAPH_HAND_VS_HAND;
  CheckRadioButton(IDC_GRAPH_RANGE_VS_RANGE, IDC_GRAPH_HAND_VS_RANGE, selected);

  m_playerCount = 0;
  for (const CString& text : m_rangeTexts)
    if (!text.IsEmpty()) ++m_playerCount;
  // The title names the players in order; the texts the opener gave stand at the front.
  CString players[kPlayers];
  int filled = 0;
  for (const CString& text : m_rangeTexts)
    if (!text.IsEmpty()) players[filled++] = text;
  if (!m_boardText.IsEmpty()) m_boardCardCount = m_boardText.GetLength() / 2;
  m_diagram.m_title = BuildEquityGraphTitle(players, filled, m_boardText);
  switch (m_boardCardCount) {
    case 0: m_diagram.m_street = 1; break;
    case 3: m_diagram.m_street = 2; break;
    case 4: m_diagram.m_street = 3; break;
    default: break;
  }

  const int quality = std::clamp(static_cast<int>(app->GetProfileInt(kSectionEquityGraph, kKeyGraphQuality, kDefaultQuality)),
                                 0, kGraphMaxQuality);
  m_qualitySlider.SetRange(0, kGraphMaxQuality, FALSE);
  m_qualitySlider.SetPos(quality);
  m_qualitySlider.SetTicFreq(1);
  UpdateControlStates();
  return TRUE;
}

int CEquityGraphDialog::SelectedMethod() const {
  if (IsDlgButtonChecked(IDC_GRAPH_RANGE_VS_RANGE)) return kMethodRangeVsRange;
  if (IsDlgButtonChecked(IDC_GRAPH_HAND_VS_RANGE)) return kMethodHandVsRange;
  if (IsDlgButtonChecked(IDC_GRAPH_HAND_VS_HAND)) return kMethodHandVsHand;
  return -1;
}

void CEquityGraphDialog::UpdateControlStates() {
  if (CWnd* save = GetDlgItem(IDC_GRAPH_SAVE)) save->EnableWindow(m_hasCalculated != 0);
  // Only the Range vs. Range method trades quality for speed.
  const BOOL quality = SelectedMethod() == kMethodRangeVsRange;
  for (int id : {IDC_GRAPH_QUALITY, IDC_GRAPH_QUALITY_BEST, IDC_GRAPH_QUALITY_FAST})
    if (CWnd* item = GetDlgItem(id)) item->EnableWindow(quality);
}

void CEquityGraphDialog::OnMethodChanged() { UpdateControlStates(); }

void CEquityGraphDialog::OnQualityChanging(NMHDR*, LRESULT* pResult) { *pResult = 0; }

HBRUSH CEquityGraphDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  return ThemedDialogCtlBrush(pDC, CDialog::OnCtlColor(pDC, pWnd, nCtlColor));
}

void CEquityGraphDialog::OnDestroy() {
  CWinApp* app = AfxGetApp();
  const int method = SelectedMethod();
  app->WriteProfileInt(kSectionEquityGraph, kKeyGraphType,
                       method == kMethodHandVsHand ? 2 : method == kMethodHandVsRange ? 1 : 0);
  if (m_qualitySlider.GetSafeHwnd()) app->WriteProfileInt(kSectionEquityGraph, kKeyGraphQuality, m_qualitySlider.GetPos());
  CDialog::OnDestroy();
}

int* CEquityGraphDialog::CurveOf(int curve) {
  switch (curve) {
    case kCurveHandVsHand: return m_diagram.m_handVsHand;
    case kCurveHandVsRange: return m_diagram.m_handVsRange;
    default: return m_diagram.m_rangeVsRange;
  }
}

void CEquityGraphDialog::RedrawPlot() {
  if (!m_diagram.GetSafeHwnd()) return;
  CRect plot = kPlotRect;
  m_diagram.InvalidateRect(&plot, TRUE);
  m_diagram.UpdateWindow();
}

void CEquityGraphDialog::StartCurve(int curve, int planned) {
  m_diagram.m_showRangeVsRange = curve == kCurveRangeVsRange;
  m_diagram.m_showHandVsHand = curve == kCurveHandVsHand;
  m_diagram.m_showHandVsRange = curve == kCurveHandVsRange;
  m_diagram.m_antialiased = 0;
  std::fill_n(CurveOf(curve), kGraphLevels, 0);
  m_diagram.m_totals[curve] = planned;
  if (m_progress && m_progress->m_progress.GetSafeHwnd())
    m_progress->m_progress.SendMessage(PBM_SETRANGE32, 0, planned);
}

bool CEquityGraphDialog::ReportProgress(int position, int percent) {
  if (!m_progress) return true;
  PumpDialogMessages(m_progress);
  if (m_progress->GetSafeHwnd()) {
    m_progress->m_progress.SendMessage(PBM_SETPOS, static_cast<WPARAM>(position));
    CString format, text;
    format.LoadString(IDS_PERCENT_COMPLETE);
    text.Format(format, static_cast<double>(percent));
    m_progress->SetDlgItemText(IDC_PROGRESS_STATUS, text);
  }
  PumpDialogMessages(m_progress);
  if (m_progress->m_stopRequested) {
    m_progress->m_stopRequested = 0;
    return false;
  }
  return true;
}

void CEquityGraphDialog::Publish(int curve, const int histogram[kGraphLevels]) {
  int* counts = CurveOf(curve);
  int sum = 0;
  for (int k = 0; k < kGraphLevels; ++k) counts[k] = sum += histogram[k];
  RedrawPlot();
}

void CEquityGraphDialog::SetTotal(int curve, int total) { m_diagram.m_totals[curve] = total; }

void CEquityGraphDialog::UseSteps() { m_diagram.m_smooth = 0; }

void CEquityGraphDialog::OnCalculate() {
  COmahaBase* base = HandBase();
  if (m_progress || !base) return;  // a click that arrives during a run starts nothing

  EquityGraphRun run(*base, *this);
  std::vector<std::wstring> texts;
  for (const CString& text : m_rangeTexts) texts.emplace_back(text.GetString());
  const bool prepared = run.Prepare(texts, m_boardText.GetString());

  m_progress = new CProgressDialog(IDS_SIMULATION_IN_PROGRESS);
  if (m_progress->Create(this))
    m_progress->CenterWindow();
  PlatformSrand(PlatformTickCount());
  m_hasCalculated = 1;
  const int quality = m_qualitySlider.GetPos();
  const int method = SelectedMethod();

  // Without players, with a player whose range holds no hand or without a method there is
  // nothing to simulate.
  GraphRunEnd end = GraphRunEnd::kNoResults;
  if (prepared && method >= 0) end = run.Run(static_cast<GraphMethod>(method), quality, AppUsesHiLo());
  if (end == GraphRunEnd::kDone) {
    if (method == kMethodRangeVsRange) m_doneRangeVsRange = 1;
    if (method == kMethodHandVsHand) m_doneHandVsHand = 1;
    if (method == kMethodHandVsRange) m_doneHandVsRange = 1;
  }
  m_failedOutcomes = run.FailedOutcomes();
  FinishCalculation();

  if (end == GraphRunEnd::kNoResults) {
    CString text;
    text.LoadString(IDS_NO_RESULTS);
    ShowMessageBoxText(this, text, MB_OK);
  } else if (m_failedOutcomes > 0) {
    // A board no deal fits is no equity of 0 %: it is left out, and the user learns of it.
    CString format;
    format.LoadString(IDS_GRAPH_OUTCOMES_LEFT_OUT);
    ShowMessageBox(this, format, MB_OK | MB_ICONINFORMATION, m_failedOutcomes);
  }
}

void CEquityGraphDialog::FinishCalculation() {
  m_diagram.m_showRangeVsRange = m_doneRangeVsRange;
  m_diagram.m_showHandVsHand = m_doneHandVsHand;
  m_diagram.m_showHandVsRange = m_doneHandVsRange;
  m_diagram.m_antialiased = 1;
  RedrawPlot();
  UpdateControlStates();
  if (m_progress) {
    if (m_progress->GetSafeHwnd()) m_progress->DestroyWindow();
    delete m_progress;
    m_progress = nullptr;
  }
}
