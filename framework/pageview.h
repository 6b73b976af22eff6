// The web-browser control's rendering view: a child window that shows a page
// through a page engine (pagerenderer.h), laid out at the window's width,
// painted through an off-screen bitmap so scrolling and resizing do not
// flicker, and scrolled by its bars, the wheel and the keys. Text is selected
// by dragging (past an edge scrolls), a double-click (a word), Shift+click
// (extends) and Ctrl+A, and copied with Ctrl+C (the whole page's text when
// nothing is selected). Its window text is the page's text, so what reads the
// text view reads this one the same way (WM_GETTEXT, answered by the view as an
// edit control answers it).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/pagerenderer.h"
#include "framework/wnd.h"

namespace fw::detail {

class CPageView : public CWnd {
 public:
  // `onLink` gets the address of a followed link that is not a place in
  // the page itself.
  CPageView(std::unique_ptr<IPageRenderer> renderer, std::function<void(const std::wstring&)> onLink);
  ~CPageView() override;

  BOOL CreateView(CWnd* pParent, const RECT& rect, UINT nID);
  // Shows a page; `text` makes what the window text reads. It is made when first read (the
  // window text, a copy of the whole page), not with every page: a long page's text takes a while.
  void SetPage(const std::wstring& html, const std::wstring& url, std::function<std::wstring()> text);
  // The page's text (the window text).
  const std::wstring& PageText() const;
  // Scrolls so the anchor's top shows first; false when the page lacks it.
  BOOL ScrollToAnchor(const std::wstring& name);
  CSize GetDocumentSize() const { return m_docSize; }
  IPageRenderer* GetRenderer() const { return m_renderer.get(); }
  CPoint GetScrollOrigin() const { return m_origin; }
  void ScrollTo(CPoint origin);
  int LineStep() const;
  // The selection as text positions of the engine (anchor, then the moving
  // end); equal when nothing is selected, -1 before any.
  long GetSelectionAnchor() const { return m_anchor; }
  long GetSelectionEnd() const { return m_caret; }
  void SetSelection(long anchor, long end);
  // What Ctrl+C copies: the selected text, or the page's text without a selection.
  std::wstring CopiedText() const;

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);

  void Relayout();
  void UpdateBars();
  void Scroll(int bar, UINT code, int trackPos);
  long PositionAt(CPoint client) const;
  void DragTo(CPoint client);
  void EndDrag();

  std::unique_ptr<IPageRenderer> m_renderer;
  std::function<void(const std::wstring&)> m_onLink;
  std::function<std::wstring()> m_makeText;
  mutable std::wstring m_text;
  mutable bool m_textMade = true;
  CSize m_docSize{0, 0};
  CPoint m_origin{0, 0};
  int m_layoutWidth = -1;
  bool m_longPage = false;  // the wait cursor while it is laid out
  int m_wheelRest = 0;  // wheel movement below one step
  std::wstring m_pressedLink;
  long m_anchor = -1, m_caret = -1;
  bool m_dragging = false;
  CPoint m_dragPoint;  // the pointer's last place while dragging (client)

  DECLARE_MESSAGE_MAP()
};

}  // namespace fw::detail
