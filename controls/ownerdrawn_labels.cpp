#include "controls/ownerdrawn_labels.h"

#include "controls/app_services.h"

BEGIN_MESSAGE_MAP(COwnerdrawedStatic, CButton)
  ON_WM_CREATE()
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// Tahoma 14 is the plain font until the parent gives one.
COwnerdrawedStatic::COwnerdrawedStatic() { m_font = AppFonts()->GetFont(L"Tahoma", 14, 0, 0, 0); }

COwnerdrawedStatic::~COwnerdrawedStatic() = default;

std::vector<StyledTextRun> COwnerdrawedStatic::Paint(CDC* pDC, const CRect& client, const CString& text,
                                                     bool disabled) {
  if (m_boxed) {
    CRect box = client;
    box.DeflateRect(1, 1);
    pDC->FillSolidRect(&box, ::GetSysColor(COLOR_WINDOW));
    pDC->Draw3dRect(&box, kLabelFrameColor, kLabelFrameColor);
  } else {
    pDC->FillSolidRect(&client, AppDialogBackground());
  }
  if (text.IsEmpty()) return {};
  StyledTextOptions options;
  options.rightAligned = m_rightAligned != 0;
  options.centerVertically = m_centerVertically != 0;
  options.disabled = disabled;
  return DrawStyledText(pDC, client, text, m_font, options, AppFonts());
}

void COwnerdrawedStatic::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct == nullptr) return;
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  CString text;
  GetWindowText(text);
  CRect client;
  GetClientRect(&client);
  // The parent's font, or Tahoma 14 when the parent has none (never a stale wrapper).
  HFONT parentFont = nullptr;
  if (CWnd* parent = GetParent()) parentFont = reinterpret_cast<HFONT>(parent->SendMessage(WM_GETFONT));
  m_font = parentFont ? CFont::FromHandle(parentFont) : AppFonts()->GetFont(L"Tahoma", 14, 0, 0, 0);
  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  Paint(pDC, client, text, (lpDrawItemStruct->itemState & ODS_DISABLED) != 0);
  pDC->SetBkMode(oldMode);
}

int COwnerdrawedStatic::OnCreate(LPCREATESTRUCT lpCreateStruct) { return CButton::OnCreate(lpCreateStruct); }

HBRUSH COwnerdrawedStatic::CtlColor(CDC*, UINT) { return nullptr; }

BOOL COwnerdrawedStatic::OnEraseBkgnd(CDC*) { return FALSE; }

void COwnerdrawedStatic::OnLButtonDown(UINT, CPoint) {}

BEGIN_MESSAGE_MAP(COwnerdrawedBoldText, CButton)
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void COwnerdrawedBoldText::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct == nullptr) return;
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  CRect rect;
  GetClientRect(&rect);
  pDC->FillSolidRect(&rect, AppDialogBackground());
  CString caption;
  GetWindowText(caption);
  if (caption.IsEmpty()) return;

  UINT format = DT_SINGLELINE | DT_VCENTER;
  if (m_centered) {
    format |= DT_CENTER;
  } else if (m_rightAlign) {
    format |= DT_RIGHT;
    rect.right -= 2;
  }
  pDC->SetTextColor((lpDrawItemStruct->itemState & ODS_DISABLED) ? kBoldTextDisabledColor : RGB(0, 0, 0));
  pDC->SetBkMode(TRANSPARENT);

  HFONT own = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  if (!own) own = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW lf;
  ::ZeroMemory(&lf, sizeof lf);
  ::GetObjectW(own, sizeof lf, &lf);
  lf.lfWeight = FW_BOLD;
  CFont bold;
  bold.CreateFontIndirect(&lf);
  CFont* oldFont = pDC->SelectObject(&bold);
  pDC->DrawText(caption, &rect, format);
  if (oldFont) pDC->SelectObject(oldFont);
}

BOOL COwnerdrawedBoldText::OnEraseBkgnd(CDC* pDC) { return CButton::OnEraseBkgnd(pDC); }

void COwnerdrawedBoldText::OnLButtonDown(UINT, CPoint) {}
