// The HTML page viewer (template 203): a resizable window whose whole client area is a
// web-browser control showing one page handed over as text or as bytes.
//
// Modal use: the opener sets m_pageText, the anchor and m_title and calls DoModal. Modeless use
// (the syntax page): the opener allocates the viewer, sets the page and m_modeless = 1 and
// creates it from m_templateId with the desktop as parent; the viewer remembers its rectangle
// in the settings section "HTMLDialog", posts WM_SYNTAX_DIALOG_CLOSED (main_frame.h) to the main
// window when it is destroyed and deletes itself.
#pragma once

#include "framework/afxwin.h"
#include "framework/eventsink.h"
#include "framework/webbrowser.h"

class CHTMLDialog : public CDialog {
 public:
  explicit CHTMLDialog(CWnd* pParent = nullptr);
  ~CHTMLDialog() override;

  CWebBrowser2 m_browser;
  CString m_pageText;
  int m_anchorX = -1;  // screen point of the modal placement; -1: no anchor
  int m_anchorY = -1;
  int m_placeAbove = 0;  // 1: the bottom edge goes to the anchor, 0: the top edge
  CString m_title;       // caption instead of the template's when not empty
  const BYTE* m_pageBytes = nullptr;  // the page as bytes, not owned; needed until the window exists
  int m_pageByteCount = 0;
  CWnd* m_parent = nullptr;
  UINT m_templateId;
  int m_documentLoaded = 0;
  int m_modeless = 0;

  // Longest wait for the placeholder page before the page is written anyway.
  DWORD m_documentTimeoutMs = 10000;

  // Where a modal viewer of the given size goes for an anchor within the work area (it may end
  // one pixel past the area's edge).
  static POINT PlaceAtAnchor(const RECT& workArea, int width, int height, int anchorX, int anchorY, bool above);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnCancel() override;
  void PostNcDestroy() override;

  // Records the browser's margins to the client edges (record) or applies them.
  void LayoutBrowser(bool record);
  // Dispatches the thread's messages until the browser reports its document complete, the
  // window goes, the program quits or the time-out passes; true when the document came.
  bool WaitForDocument();

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnDestroy();
  void OnDocumentComplete(LPDISPATCH pDisp, VARIANT* url);
  DECLARE_MESSAGE_MAP()
  DECLARE_EVENTSINK_MAP()

 private:
  void PlaceWindow();
  bool m_initialised = false;  // the window got as far as its initialisation
  int m_marginLeft = 0, m_marginTop = 0, m_marginRight = 0, m_marginBottom = 0;
};
