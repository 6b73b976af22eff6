// Owner-drawn labels of the dialogs. Both are owner-drawn buttons that never act as buttons:
// a click is swallowed, so they never get pressed, focused or clicked.
#pragma once

#include "controls/styled_text.h"
#include "framework/afxwin.h"

// A label whose text carries style codes (bold, colours, line breaks; see escape_tokenizer.h),
// drawn in the parent's font.
class COwnerdrawedStatic : public CButton {
 public:
  COwnerdrawedStatic();
  ~COwnerdrawedStatic() override;

  int m_boxed = 0;             // a white box in a thin frame
  int m_rightAligned = 0;      // the text ends at the right margin
  int m_centerVertically = 1;  // 0 starts the text 4 pixels from the top
  CFont* m_font = nullptr;     // the plain font, the parent's at every drawing

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  // Background and text into a client rectangle; DrawItem's work.
  std::vector<StyledTextRun> Paint(CDC* pDC, const CRect& client, const CString& text, bool disabled);

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};

// The frame colour of boxed labels.
constexpr COLORREF kLabelFrameColor = RGB(127, 157, 185);

// A caption in bold on the dialog colour, on one vertically centred line.
class COwnerdrawedBoldText : public CButton {
 public:
  int m_centered = 0;
  int m_rightAlign = 0;  // ends 2 pixels from the right edge

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};

constexpr COLORREF kBoldTextDisabledColor = RGB(172, 168, 153);
