// The equity graph: how player 1's equity spreads over the next street, by one of three
// methods (Range vs. Range, Hand vs. Range, Hand vs. Hand), drawn as curves that can be
// compared in one chart and saved as an image. Modal; the opener fills the range texts and the
// board and reads nothing back.
#pragma once

#include "controls/equity_diagram.h"
#include "controls/xp_style_button.h"
#include "dialogs/equity_graph_image.h"
#include "dialogs/equity_graph_run.h"
#include "framework/afxwin.h"

class CProgressDialog;

class CEquityGraphDialog : public CDialog, private EquityGraphSink {
 public:
  static constexpr int kPlayers = 10;
  // The saved image's size: the chart's picture.
  static constexpr int kImageWidth = 602;
  static constexpr int kImageHeight = 479;

  explicit CEquityGraphDialog(CWnd* parent = nullptr);
  ~CEquityGraphDialog() override;

  // Default image name: "[text] vs. [text] ... Board=cards" without "*" and "/".
  CString BuildImageFileName() const;
  // Writes the chart to path in the format its ending names (".png", ".jpg", ".bmp", ".gif",
  // exactly so), tells the user when that fails and remembers the folder. False when nothing
  // was written.
  bool SaveGraphImage(const CString& path);

  COwnerdrawedDiagramm m_diagram;
  CXPStyleButtonST m_calculateButton;
  CXPStyleButtonST m_saveButton;
  CSliderCtrl m_qualitySlider;
  CString m_rangeTexts[kPlayers];  // player 1 first, no empty text before a filled one
  CString m_boardText;             // card texts without separators
  int m_hasCalculated = 0;
  int m_playerCount = 0;
  int m_boardCardCount = 0;
  int m_doneRangeVsRange = 0;
  int m_doneHandVsHand = 0;
  int m_doneHandVsRange = 0;
  // Outcomes of the last calculation left out because no valid deal was found for them.
  int m_failedOutcomes = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnCalculate();
  afx_msg void OnSaveScreenshot();
  afx_msg void OnMethodChanged();
  afx_msg void OnQualityChanging(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

  // The file the user picks for the image; empty when cancelled.
  virtual CString AskImagePath();

 private:
  // EquityGraphSink.
  void StartCurve(int curve, int planned) override;
  bool ReportProgress(int position, int percent) override;
  void Publish(int curve, const int histogram[kGraphLevels]) override;
  void SetTotal(int curve, int total) override;
  void UseSteps() override;

  void SetUpButtons();
  int SelectedMethod() const;  // GraphMethod, or -1 with no method selected
  void UpdateControlStates();
  void RedrawPlot();
  int* CurveOf(int curve);
  // The end of every calculation: the finished curves drawn thick, the controls back.
  void FinishCalculation();

  CProgressDialog* m_progress = nullptr;
};

// The chart's title: player 1's range " vs. " the others' in braces, and the board.
CString BuildEquityGraphTitle(const CString* rangeTexts, int count, const CString& boardText);
// The frame's rule for the equity graph command: two players at least, and a next street to
// come.
bool EquityGraphCommandEnabled(int activeSeats, int boardCards);
