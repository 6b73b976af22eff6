// "Handrange Explorer" (template 214): selects a range text in the application's hand base and
// lists its classes or its hands as one page, with the description of each range item and the
// counts. Display options, the item limit, the sort order and the window rectangle persist in
// the settings section "HandRangeExplorer". The opener sets m_rangeText and calls DoModal;
// nothing comes back, but the shared hand base keeps this range selected afterwards.
#pragma once

#include <string>

#include "controls/dropdown_boxes.h"
#include "controls/ownerdrawn_labels.h"
#include "controls/progress_dialog.h"
#include "core/range_settings.h"
#include "framework/afxwin.h"
#include "framework/eventsink.h"
#include "framework/webbrowser.h"

// The progress of the explorer's long listings: the "Creating items ..." dialog over the
// parent, with Stop; the owner is disabled while it shows.
class ExplorerListingProgress : public ListingProgress {
 public:
  explicit ExplorerListingProgress(CWnd* parent);
  ~ExplorerListingProgress() override;
  void Begin(int limit) override;
  bool Update(int position, const std::wstring& text) override;
  void End() override;

  CProgressDialog* Window() const { return m_dialog; }
  int TimesShown() const { return m_shown; }

 private:
  CWnd* m_parent;
  CProgressDialog* m_dialog = nullptr;
  std::wstring m_lastText;
  int m_shown = 0;
};

class CHandrangeExplorerDialog : public CDialog {
 public:
  static constexpr int kMinWidth = 560, kMinHeight = 350;
  static constexpr int kModeClasses = 0, kModeHands = 1;

  explicit CHandrangeExplorerDialog(CWnd* pParent = nullptr);
  ~CHandrangeExplorerDialog() override;

  CString m_rangeText;
  CWebBrowser2 m_browser;
  CSpezialComboBox m_limitBox;
  COwnerdrawedStatic m_descriptionLabel;
  COwnerdrawedStatic m_summaryLabel;
  int m_documentLoaded = 0;
  int m_displayMode = kModeClasses;
  int m_itemLimit = 100;  // -1: all
  int m_selectedClassCount = 0;
  int m_selectedHandCount = 0;
  CSpezialComboBox m_sortBox;
  int m_sortIndex = 0;

  // The range text could be read; without that the page and the description show the reason.
  bool m_textValid = true;
  // How often a listing showed its progress dialog.
  int m_progressShown = 0;
  // The page last written into the browser.
  CString m_pageHtml;
  // Longest wait for the placeholder page before the first page is written anyway.
  DWORD m_documentTimeoutMs = 5000;

  // The smallest window rectangle a drag may leave: the moving edges are corrected.
  static void KeepMinimumSize(UINT side, RECT* rect);
  // The item limit of a selection of the limit box (100, 200, 500, 1000, else -1 for all).
  static int LimitOfSelection(int selection);
  CString InvalidTextMessage() const;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  void LayoutControls(bool record);
  void RebuildPage();
  void EnableOptions();

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
  afx_msg void OnDestroy();
  afx_msg void OnDisplayModeChanged();
  afx_msg void OnDisplayOptionChanged();
  afx_msg void OnItemLimitChanged();
  afx_msg void OnSortOrderChanged();
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  void OnDocumentComplete(LPDISPATCH pDisp, VARIANT* url);
  DECLARE_MESSAGE_MAP()
  DECLARE_EVENTSINK_MAP()

 private:
  bool WaitForDocument();
  void ReadSettings();
  void PlaceWindow();

  bool m_layoutRecorded = false;
  // Close: size and distances to the client's right and bottom edges.
  CSize m_closeSize;
  int m_closeRight = 0, m_closeBottom = 0;
  // Groups and labels: left, top, height, distance to the right edge.
  struct Anchored {
    UINT id;
    int left, top, height, right;
  };
  Anchored m_stretched[4] = {};
  // The browser: left, distance below the options group, distances to the right and bottom.
  int m_browserLeft = 0, m_browserGap = 0, m_browserRight = 0, m_browserBottom = 0;
};
