// CWebBrowser2: the web-browser control as programs host it. It keeps the
// page's HTML in its document and shows the page through the page engine
// installed with AfxSetPageRendererFactory (pagerenderer.h): drawn, scrolled,
// links followed. Without an engine it shows the page's text read-only
// (htmltext.h). Either view is child 1 and its window text is the page's text.
//
// Dialog templates name it with the class "{8856F961-340A-11D0-A96B-00C04FD705A2}"
// (registered by AfxEnableControlContainer) and bind it with DDX_Control.
// Navigate loads the page at once: res://<module path>/[<type>/]<name or id>
// (a resource of that module, type HTML unless given), file paths and
// file:// addresses, about:blank. NavigateComplete2 and DocumentComplete then
// reach the parent's event sink map from the message loop; a page that
// cannot be loaded shows a short notice and completes too.
//
// GetDocument gives the document as IDispatch; it also answers
// IPersistStreamInit, so programs write a page with InitNew and Load from a
// stream (UTF-16 or 8-bit bytes).
#pragma once

#include <exdispid.h>

#include <memory>
#include <string>

#include "framework/eventsink.h"
#include "framework/wnd.h"

#define AFX_WEBBROWSER_CLASS L"{8856F961-340A-11D0-A96B-00C04FD705A2}"

// Registers the window classes of the hosted controls (the web browser), so
// dialog templates can name them.
void AFXAPI AfxEnableControlContainer();

namespace fw::detail {
class WebDocument;
class CPageView;
}

class CWebBrowser2 : public CWnd {
  DECLARE_DYNCREATE(CWebBrowser2)
 public:
  CWebBrowser2();
  ~CWebBrowser2() override;

  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
              UINT nID, CCreateContext* pContext = nullptr) override;

  void Navigate(LPCTSTR URL, VARIANT* Flags = nullptr, VARIANT* TargetFrameName = nullptr, VARIANT* PostData = nullptr,
                VARIANT* Headers = nullptr);
  void Navigate2(VARIANT* URL, VARIANT* Flags = nullptr, VARIANT* TargetFrameName = nullptr,
                 VARIANT* PostData = nullptr, VARIANT* Headers = nullptr);
  void Refresh();
  void Stop();
  // The document (the caller releases it); null before the first navigation.
  LPDISPATCH GetDocument();
  CString GetLocationURL() const { return m_strURL; }
  BOOL GetBusy() const { return m_bBusy; }
  // READYSTATE_COMPLETE once the page is loaded, READYSTATE_LOADING before.
  long GetReadyState() const;

  // The page as HTML, and the text the control shows.
  CString GetDocumentHtml() const;
  CString GetDocumentText() const;
  // Replaces the page (what loading a stream into the document does).
  void WriteDocument(LPCTSTR lpszHtml);
  // The view that draws the page; null when the page shows as text.
  fw::detail::CPageView* GetPageView() const { return m_pageView.get(); }

 protected:
  void PreSubclassWindow() override;
  void PostNcDestroy() override;
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg LRESULT OnNavigationDone(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnEnsureView(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnFollowLink(WPARAM wParam, LPARAM lParam);

  void EnsureView();
  void ShowPage();
  void FireEvent(DISPID dispid, LPCTSTR url);
  void FollowLink(const std::wstring& address);

  CWnd m_view;  // read-only multi-line edit with the page's text (no page engine)
  std::unique_ptr<fw::detail::CPageView> m_pageView;  // the drawn page
  fw::detail::WebDocument* m_pDocument = nullptr;
  CString m_strURL;
  BOOL m_bBusy = FALSE;
  UINT m_nNavigation = 0;  // serial of the latest navigation
  CString m_strPendingLink;  // a followed link, loaded from the message loop

  DECLARE_MESSAGE_MAP()
};
