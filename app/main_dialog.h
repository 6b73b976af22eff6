// The main dialog: the child of the form view that holds the seats, the board and dead cards,
// the commands and the result area (template 206). main_dialog.cpp holds creation, the control
// states and colours; seat_commands.cpp the seat handlers and the keyboard filter;
// board_commands.cpp the board and dead-card inputs, their guards and clearing;
// layout_commands.cpp the seat layout, the street columns and the banner; evaluate_run.cpp the
// Evaluate run and its progress display; result_page.cpp the result page and texts.
#pragma once

#include <string>
#include <vector>

#include "controls/card_buttons.h"
#include "controls/dropdown_boxes.h"
#include "controls/html/html_tooltip.h"
#include "controls/input_with_background.h"
#include "controls/ownerdrawn_labels.h"
#include "controls/xp_style_button.h"
#include "framework/afxwin.h"
#include "framework/webbrowser.h"

struct Scenario;
class CCardSelectDialog;
class CProgressDialogGIF;

// Sent to the main window whenever the dialog's layout changes: the frame fits its size.
constexpr UINT WM_FIT_TO_DIALOG = WM_APP + 102;

class COmahaVantornDlg : public CDialog {
 public:
  static constexpr int kSeats = 10;
  // Boards and dead cards, in the order flop, turn, river, dead.
  enum Street { kFlop = 0, kTurn, kRiver, kDead, kStreets };

  COmahaVantornDlg();
  ~COmahaVantornDlg() override;

  // Creates the dialog from its template as a child of parent (the form view).
  BOOL Create(CWnd* parent);
  using CDialog::Create;

  // Switches to the seat layout COmahaVantornApp::m_onlyShorthanded asks for (the dialog shows
  // the other one) and has the frame fit itself.
  void ArrangeSeats();
  // One equity column or one per street, by COmahaVantornApp::m_useThreeEquities.
  void LayoutStreetColumns();
  void UpdateControlStates();
  void ShowBanner();
  // Shows or hides the result area by m_resultsVisible and has the frame fit itself.
  void RefreshResultView();
  void ClearStreetFields();
  void ClearAll();
  // Seats whose check box is set and whose range is not empty; board cards entered.
  int CountActiveSeats() const;
  int CountBoardCards() const;
  // The ticked streets' texts joined as typed.
  CString GetBoardText() const;
  void GetGraphInputs(CString ranges[kSeats], CString& board) const;

  // Cards of the other inputs as (rank, suit) pairs: the streets asked for (flop, turn, river,
  // dead; by their check boxes unless ignoreChecks), and every seat's exact hand but excluded's.
  int CollectCardsInUse(bool flop, bool turn, bool river, bool dead, bool ignoreChecks, int excludedSeat,
                        std::vector<int>& ranks, std::vector<int>& suits) const;

  // Input histories of the seats (recent_input.cpp). RecordRecentInput offers every seat's
  // range text to its history; the Evaluate run calls it when it starts.
  void LoadRecentInput();
  void SaveRecentInput();
  void AddRecentInput(int seat, const CString& text);
  void RecordRecentInput();

  // Scenario files (scenario_commands.cpp): the File menu's Save and Load, and a file from the
  // recent-file list (LoadScenarioFile without clearing). A file that is no scenario changes
  // nothing and is explained in a message; false then.
  void SaveScenarioFile();
  void OnLoadScenario();
  bool LoadScenarioFile(LPCTSTR path, bool clearFirst = false);
  CString MakeScenarioFileName() const;
  Scenario CollectScenario() const;
  void ApplyScenario(const Scenario& scenario);
  // A seat takes part in Evaluate: range text not empty, box ticked, seat shown by the layout.
  bool SeatTakesPart(int seat) const;
  // The engines' progress callback during Evaluate (evaluate_run.cpp); user is the dialog.
  static int ShowEquityProgress(void* user, int isStart, double* values1, int show1, double* values2, int show2,
                                double* values3, int show3, double* values4, int show4);
  // The result page and texts of a run (result_page.cpp): the engine's arrays in run order
  // with the taking-part seats' texts, position names and hand counts. Without results the
  // stored page is shown again.
  void WriteResultsHi(const double (*results)[kSeats] = nullptr, const CString* seatTexts = nullptr,
                      const CString* positions = nullptr, const int* handCounts = nullptr);
  void WriteResultsHiLo(const double (*results)[kSeats], const CString* seatTexts, const CString* positions,
                        const int* handCounts);

  int m_resultsVisible = 0;
  // Outer frame size that shows the dialog without or with the result area.
  int m_heightWithoutResults = 0;
  int m_heightWithResults = 0;
  int m_widthWithResults = 0;
  int m_evaluateToStreet = 0;
  int m_popupSeat = -1;    // seat whose popup menu was opened last
  int m_popupMenuId = -1;  // its menu resource
  CString m_resultHtml;
  CString m_resultText;
  CString m_resultBBCode;
  // The Evaluate run: dialog seat of each engine seat, their number, the start of the run and
  // its progress dialog (null outside a run).
  int m_seatIndex[kSeats] = {};
  int m_seatCount = 0;
  ULONGLONG m_startTick = 0;
  CProgressDialogGIF* m_progressDialog = nullptr;

  // Controls (public so the frame and the tests can read them back).
  COwnerdrawedStatic m_handCounts[kSeats];
  CXPStyleButtonST m_explorerButtons[kSeats];
  COwnerdrawedBoldText m_seatLabels[kSeats];
  COwnerdrawedBoldText m_headers[6];
  COwnerdrawedBoldText m_boardLabels[kStreets];
  CXPStyleButtonST m_copyText, m_copyBBCode;
  CXPStyleButtonST m_seatMenuButtons[kSeats];
  CXPStyleButtonST m_seatRandomButtons[kSeats];
  CXPStyleButtonST m_clearAllButton;
  CXPStyleButtonST m_seatClearButtons[kSeats];
  CXPStyleButtonST m_evaluateButton;
  CXPStyleButtonST m_selectButtons[kStreets];
  CXPStyleButtonST m_clearButtons[kStreets];
  CXPStyleButtonST m_allStreetsButton;
  CInputWithBackground m_rangeEdits[kSeats];
  CInputWithBackground m_boardEdits[kStreets];
  CWebBrowser2 m_browser;
  CEditWithBackground m_streetFields[4][kSeats];  // preflop, flop, turn, river
  COwnerDrawCardButton m_cardButtons[kStreets];
  CSpezialComboBox m_historyCombos[kSeats];
  CStatic m_banner;
  // The HTML tooltip of the banner; texts are given when it asks (OnBannerTooltip).
  CPPToolTip m_tooltip;
  CBitmap m_hiBanner;
  CBitmap m_hiLoBanner;
  HICON m_icon = nullptr;

  // Control ids of the groups, indexed by street.
  static const UINT kEditIds[kStreets];
  static const UINT kCheckIds[kStreets];
  static const UINT kCardIds[kStreets];
  static const UINT kStreetFieldIds[4];

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // A child dialog stays open on Enter and Escape.
  void OnOK() override;
  void OnCancel() override;

  afx_msg void OnPaint();
  afx_msg HCURSOR OnQueryDragIcon();
  afx_msg void OnDestroy();
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg BOOL OnHelpInfo(HELPINFO* info);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnBannerTooltip(NMHDR* pNMHDR, LRESULT* pResult);

  // Seats (i = id - first id of the group).
  afx_msg void OnRandomSeat(UINT id);
  afx_msg void OnClearSeat(UINT id);
  afx_msg void OnSeatMenu(UINT id);
  afx_msg void OnSeatCheck(UINT id);
  afx_msg void OnSeatRangeChanged(UINT id);
  afx_msg void OnSeatExplorer(UINT id);
  afx_msg void OnHistorySelected(UINT id);
  afx_msg void OnSeatCommand(UINT id);
  afx_msg void OnToggleAllStreets();

  // Board and dead cards.
  afx_msg void OnSelectFlopCards();
  afx_msg void OnSelectTurnCard();
  afx_msg void OnSelectRiverCard();
  afx_msg void OnSelectDeadCards();
  afx_msg void OnFlopChanged();
  afx_msg void OnTurnChanged();
  afx_msg void OnRiverChanged();
  afx_msg void OnDeadChanged();
  afx_msg void OnFlopUpdate();
  afx_msg void OnTurnUpdate();
  afx_msg void OnRiverUpdate();
  afx_msg void OnDeadUpdate();
  afx_msg void OnFlopCheck();
  afx_msg void OnTurnCheck();
  afx_msg void OnRiverCheck();
  afx_msg void OnDeadCheck();
  afx_msg void OnClearFlop();
  afx_msg void OnClearTurn();
  afx_msg void OnClearRiver();
  afx_msg void OnClearDead();
  afx_msg void OnClearAll();
  afx_msg void OnEvaluate();
  afx_msg void OnEvaluateToStreet();
  afx_msg void OnCopyText();
  afx_msg void OnCopyBBCode();
  DECLARE_MESSAGE_MAP()

 private:
  void WriteResults(bool hiLo, const double (*results)[kSeats], const CString* seatTexts, const CString* positions,
                    const int* handCounts);
  void ComputeFrameSizes();
  void SetUpButtons();
  void SetUpTooltip();
  void PlaceHistoryCombos();
  void StreetChanged(int street);
  void ClearStreet(int street);
  void GuardStreetText(int street);
  void PickStreetCards(int street);
  void PickSeatCards(int seat);
  static void FillCardsInUse(CCardSelectDialog& dialog, const std::vector<int>& ranks, const std::vector<int>& suits);
  bool IsChecked(UINT id) const;
  void SetChecked(UINT id, bool on);
  void SetStreetDimmed(int street, bool dimmed);
  bool StreetHasCard(int street) const;
  int FirstVisibleSeat() const;
  bool m_guarding = false;
};
