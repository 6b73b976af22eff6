#include "controls/image_button.h"

#include <commctrl.h>

namespace {

constexpr UINT kTypeMask = 0x1F;
constexpr UINT_PTR kToolId = 1;

// A memory device context with one bitmap selected, restored on destruction.
class SelectedBitmap {
 public:
  SelectedBitmap(HDC compatibleWith, HBITMAP bitmap) {
    m_dc = ::CreateCompatibleDC(compatibleWith);
    m_old = m_dc ? ::SelectObject(m_dc, bitmap) : nullptr;
  }
  ~SelectedBitmap() {
    if (m_dc) {
      if (m_old) ::SelectObject(m_dc, m_old);
      ::DeleteDC(m_dc);
    }
  }
  SelectedBitmap(const SelectedBitmap&) = delete;
  SelectedBitmap& operator=(const SelectedBitmap&) = delete;
  HDC dc() const { return m_dc; }

 private:
  HDC m_dc = nullptr;
  HGDIOBJ m_old = nullptr;
};

}  // namespace

BEGIN_MESSAGE_MAP(CButtonST, CButton)
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_KILLFOCUS()
  ON_WM_CANCELMODE()
  ON_WM_ACTIVATE()
  ON_WM_ENABLE()
  ON_WM_GETDLGCODE()
  ON_MESSAGE(BM_SETSTYLE, &CButtonST::OnSetStyle)
  ON_MESSAGE(BM_SETCHECK, &CButtonST::OnSetCheck)
  ON_MESSAGE(BM_GETCHECK, &CButtonST::OnGetCheck)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_SYSCOLORCHANGE()
  ON_CONTROL_REFLECT_EX(BN_CLICKED, &CButtonST::OnClicked)
END_MESSAGE_MAP()

CButtonST::CButtonST() { ResetColors(); }

CButtonST::~CButtonST() {
  ReleaseImages(TRUE);
  if (m_tooltip.GetSafeHwnd()) m_tooltip.DestroyWindow();
}

void CButtonST::ResetColors() {
  for (int i = 0; i < kColorCount; i += 2) {
    m_colors[i] = ::GetSysColor(COLOR_BTNFACE);
    m_colors[i + 1] = ::GetSysColor(COLOR_BTNTEXT);
  }
}

// --- Images -------------------------------------------------------------------------------

void CButtonST::ReleaseImages(BOOL deleteHandles) {
  for (ImageSlot& slot : m_bitmaps) {
    if (deleteHandles) {
      if (slot.bitmap) ::DeleteObject(slot.bitmap);
      if (slot.mask) ::DeleteObject(slot.mask);
    }
    slot = ImageSlot();
  }
}

HBITMAP CButtonST::BuildTransparencyMask(HBITMAP bitmap, DWORD width, DWORD height, COLORREF transparent) {
  HBITMAP mask = ::CreateBitmap(static_cast<int>(width), static_cast<int>(height), 1, 1, nullptr);
  if (!mask) return nullptr;
  SelectedBitmap source(nullptr, bitmap);
  SelectedBitmap target(nullptr, mask);
  if (!source.dc() || !target.dc()) {
    ::DeleteObject(mask);
    return nullptr;
  }
  const int w = static_cast<int>(width), h = static_cast<int>(height);
  // Colour to monochrome: pixels of the background colour become 1, all others 0.
  const COLORREF oldBack = ::SetBkColor(source.dc(), transparent);
  ::BitBlt(target.dc(), 0, 0, w, h, source.dc(), 0, 0, SRCCOPY);
  // Monochrome to colour: 0 becomes the text colour (white), 1 the background (black); ANDed
  // into the source this blackens exactly the transparent pixels.
  const COLORREF oldText = ::SetTextColor(source.dc(), RGB(255, 255, 255));
  ::SetBkColor(source.dc(), RGB(0, 0, 0));
  ::BitBlt(source.dc(), 0, 0, w, h, target.dc(), 0, 0, SRCAND);
  ::SetTextColor(source.dc(), oldText);
  ::SetBkColor(source.dc(), oldBack);
  return mask;
}

DWORD CButtonST::SetStateBitmaps(HBITMAP first, HBITMAP second) {
  ReleaseImages(TRUE);
  const HBITMAP given[2] = {first, second};
  const COLORREF transparent[2] = {RGB(255, 0, 255), RGB(0, 0, 0)};
  for (int i = 0; i < 2; ++i) {
    if (!given[i]) continue;
    ImageSlot& slot = m_bitmaps[i];
    slot.bitmap = given[i];
    slot.transparent = transparent[i];
    BITMAP bm;
    if (::GetObjectW(given[i], sizeof bm, &bm) == 0) {
      ReleaseImages(TRUE);
      return 1;
    }
    slot.width = static_cast<DWORD>(bm.bmWidth);
    slot.height = static_cast<DWORD>(bm.bmHeight);
    slot.mask = BuildTransparencyMask(slot.bitmap, slot.width, slot.height, slot.transparent);
    if (!slot.mask) {
      ReleaseImages(TRUE);
      return 2;
    }
  }
  if (m_hWnd) Invalidate();
  return 0;
}

// --- Tooltip ------------------------------------------------------------------------------

void CButtonST::EnsureTooltip() {
  if (m_tooltip.GetSafeHwnd()) return;
  if (!m_hWnd) return;
  m_tooltip.Create(this, 0);
  m_tooltip.Activate(FALSE);
  m_tooltip.SendMessage(TTM_SETMAXTIPWIDTH, 0, 400);
}

void CButtonST::SetTooltip(LPCTSTR text) {
  if (text == nullptr) return;
  EnsureTooltip();
  if (!m_tooltip.GetSafeHwnd()) return;
  if (m_tooltip.GetToolCount() == 0) {
    CRect client;
    GetClientRect(&client);
    m_tooltip.AddTool(this, text, &client, kToolId);
  }
  m_tooltip.UpdateTipText(text, this, kToolId);
  m_tooltip.Activate(TRUE);
}

void CButtonST::SetTooltipFromResource(UINT stringId) {
  CString text;
  text.LoadString(stringId);
  if (!text.IsEmpty()) SetTooltip(text);
}

// --- Window life --------------------------------------------------------------------------

void CButtonST::PreSubclassWindow() {
  const UINT style = GetStyle() & 0xFFFF;
  m_isCheckBox = (style & BS_CHECKBOX) ? 1 : 0;
  m_isDefault = ((style & kTypeMask) == BS_DEFPUSHBUTTON) ? 1 : 0;
  ModifyStyle(kTypeMask, BS_OWNERDRAW, SWP_FRAMECHANGED);
  CButton::PreSubclassWindow();
}

BOOL CButtonST::PreTranslateMessage(MSG* pMsg) {
  EnsureTooltip();
  if (m_tooltip.GetSafeHwnd()) m_tooltip.RelayEvent(pMsg);
  // A double click acts as a second click.
  if (pMsg->message == WM_LBUTTONDBLCLK) pMsg->message = WM_LBUTTONDOWN;
  return CButton::PreTranslateMessage(pMsg);
}

// --- Hover, focus, state ------------------------------------------------------------------

void CButtonST::LeaveHover() {
  if (!m_mouseOver) return;
  m_mouseOver = 0;
  Invalidate();
}

void CButtonST::OnMouseMove(UINT nFlags, CPoint point) {
  CButton::OnMouseMove(nFlags, point);
  POINT cursor;
  ::GetCursorPos(&cursor);
  const HWND under = ::WindowFromPoint(cursor);
  // A drag that enters the button does not light it.
  if ((nFlags & MK_LBUTTON) && !m_mouseOver) return;
  if (under == m_hWnd) {
    if (m_mouseOver) return;
    m_mouseOver = 1;
    Invalidate();
    TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&tme);
  } else {
    LeaveHover();
  }
}

void CButtonST::OnMouseLeave() { LeaveHover(); }

void CButtonST::OnKillFocus(CWnd* pNewWnd) {
  CButton::OnKillFocus(pNewWnd);
  if (pNewWnd == nullptr && !IsWindowEnabled()) m_lostFocusToDisabling = true;
  LeaveHover();
}

void CButtonST::OnCancelMode() {
  CButton::OnCancelMode();
  LeaveHover();
}

void CButtonST::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CButton::OnActivate(nState, pWndOther, bMinimized);
  if (nState == WA_INACTIVE) LeaveHover();
}

void CButtonST::OnEnable(BOOL bEnable) {
  CButton::OnEnable(bEnable);
  if (bEnable) m_lostFocusToDisabling = false;
  if (!bEnable) {
    // A disabled button keeps no keyboard focus: it goes on to the next tab stop. Only the
    // button that had the focus passes it on; disabling other buttons leaves the user's focus
    // where it is.
    const bool hadFocus = m_lostFocusToDisabling || ::GetFocus() == m_hWnd;
    m_lostFocusToDisabling = false;
    if (hadFocus) {
      CWnd* parent = GetParent();
      if (parent) {
        CWnd* next = parent->GetNextDlgTabItem(this, FALSE);
        if (next && next->m_hWnd != m_hWnd) next->SetFocus();
        else parent->SetFocus();
      }
    }
    LeaveHover();
  }
}

UINT CButtonST::OnGetDlgCode() {
  UINT code = CButton::OnGetDlgCode();
  code |= m_isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
  return code;
}

LRESULT CButtonST::OnSetStyle(WPARAM wParam, LPARAM lParam) {
  const UINT type = static_cast<UINT>(wParam) & kTypeMask;
  if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) m_isDefault = (type == BS_DEFPUSHBUTTON) ? 1 : 0;
  return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(kTypeMask)) | BS_OWNERDRAW, lParam);
}

LRESULT CButtonST::OnSetCheck(WPARAM wParam, LPARAM) {
  if (m_isCheckBox) {
    m_checked = (wParam == BST_CHECKED || wParam == BST_INDETERMINATE) ? 1 : 0;
    Invalidate();
  }
  return 0;
}

LRESULT CButtonST::OnGetCheck(WPARAM, LPARAM) { return m_checked; }

HBRUSH CButtonST::CtlColor(CDC*, UINT) { return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)); }

void CButtonST::OnSysColorChange() {
  CButton::OnSysColorChange();
  ResetColors();
  Invalidate();
}

BOOL CButtonST::OnClicked() {
  SetFocus();
  if (m_isCheckBox) {
    m_checked = !m_checked;
    Invalidate();
  }
  return FALSE;  // the parent hears the click too
}

// --- Drawing ------------------------------------------------------------------------------

void CButtonST::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct == nullptr) return;
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  const UINT state = lpDrawItemStruct->itemState;
  m_pressed = (state & ODS_SELECTED) ? 1 : 0;
  if (m_isCheckBox && m_checked) m_pressed = 1;
  m_focused = (state & ODS_FOCUS) ? 1 : 0;
  m_disabled = (state & ODS_DISABLED) ? 1 : 0;

  CRect item = lpDrawItemStruct->rcItem;
  pDC->SetBkMode(TRANSPARENT);
  DrawButtonBackground(pDC, &item);
  DrawButtonBorder(pDC, &item);

  CString caption;
  GetWindowText(caption);
  CRect captionRect = item;
  if (m_bitmaps[0].bitmap) {
    pDC->SetBkColor(RGB(255, 255, 255));
    DrawButtonBitmap(pDC, !caption.IsEmpty(), &item, &captionRect, m_pressed, m_disabled);
  }
  if (!caption.IsEmpty()) DrawButtonText(pDC, caption, &item, &captionRect, m_pressed, m_disabled);
}

DWORD CButtonST::DrawButtonBackground(CDC* pDC, CRect* rect) {
  const COLORREF color = (m_mouseOver || m_pressed) ? m_colors[kHotBack]
                         : m_focused                ? m_colors[kFocusBack]
                                                    : m_colors[kNormalBack];
  CBrush brush(color);
  pDC->FillRect(rect, &brush);
  return 0;
}

DWORD CButtonST::DrawButtonBorder(CDC* pDC, CRect* rect) {
  if (!m_drawBorder) return 0;
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  if (m_pressed) pDC->Draw3dRect(rect, shadow, highlight);
  else if (m_mouseOver) pDC->Draw3dRect(rect, highlight, shadow);
  return 0;
}

CRect CButtonST::PlaceImage(DWORD w, DWORD h, BOOL hasCaption, const CRect& item, CRect& caption,
                            BOOL pressed) const {
  CRect image = item;
  const int width = static_cast<int>(w), height = static_cast<int>(h);
  if (hasCaption && m_imageAlign == kImageRight) {
    image.left = item.right - 3 - width;
    caption.right -= width + 3;
  } else if (hasCaption) {
    image.left += 3;
    caption.left += width + 3;
  } else {
    image.left += (item.Width() - width) / 2;
  }
  image.top += (item.Height() - height) / 2;
  if (pressed && !m_isCheckBox) image.OffsetRect(1, 1);
  return image;
}

DWORD CButtonST::DrawButtonBitmap(CDC* pDC, BOOL hasCaption, CRect* itemRect, CRect* captionRect, BOOL pressed,
                                  BOOL disabled) {
  const int index = (m_bitmaps[1].bitmap && !pressed && (m_isCheckBox || !m_mouseOver)) ? 1 : 0;
  const ImageSlot& slot = m_bitmaps[index];
  const CRect image = PlaceImage(slot.width, slot.height, hasCaption, *itemRect, *captionRect, pressed);
  const int w = static_cast<int>(slot.width), h = static_cast<int>(slot.height);

  SelectedBitmap bitmap(pDC->m_hDC, slot.bitmap);
  SelectedBitmap mask(nullptr, slot.mask);
  // Mask bits of 0 become the text colour, which must be black for the AND to cut the shape.
  const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
  if (!disabled) {
    ::BitBlt(pDC->m_hDC, image.left, image.top, w, h, mask.dc(), 0, 0, SRCAND);
    ::BitBlt(pDC->m_hDC, image.left, image.top, w, h, bitmap.dc(), 0, 0, SRCPAINT);
  } else {
    HBITMAP work = ::CreateCompatibleBitmap(pDC->m_hDC, w, h);
    if (work) {
      {
        SelectedBitmap composed(pDC->m_hDC, work);
        const RECT all = {0, 0, w, h};
        ::FillRect(composed.dc(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::SetBkColor(composed.dc(), RGB(255, 255, 255));
        ::SetTextColor(composed.dc(), RGB(0, 0, 0));
        ::BitBlt(composed.dc(), 0, 0, w, h, mask.dc(), 0, 0, SRCAND);
        ::BitBlt(composed.dc(), 0, 0, w, h, bitmap.dc(), 0, 0, SRCPAINT);
      }
      pDC->DrawState(CPoint(image.left, image.top), CSize(w, h), work, DST_BITMAP | DSS_DISABLED);
      ::DeleteObject(work);
    }
  }
  pDC->SetTextColor(oldText);
  return 0;
}

DWORD CButtonST::DrawButtonText(CDC* pDC, LPCTSTR caption, CRect* itemRect, CRect* captionRect, BOOL pressed,
                                BOOL disabled) {
  (void)itemRect;
  if (pressed && !m_isCheckBox) captionRect->OffsetRect(1, 1);
  CRect centred = *captionRect;
  pDC->DrawText(caption, -1, &centred, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
  centred.OffsetRect((captionRect->Width() - centred.Width()) / 2, (captionRect->Height() - centred.Height()) / 2);
  pDC->SetBkMode(TRANSPARENT);
  if (disabled) {
    CRect raised = centred;
    raised.OffsetRect(1, 1);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
    pDC->DrawText(caption, -1, &raised, DT_WORDBREAK | DT_CENTER);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
    pDC->DrawText(caption, -1, &centred, DT_WORDBREAK | DT_CENTER);
  } else {
    int text = kNormalText, back = kNormalBack;
    if (m_mouseOver || pressed) {
      text = kHotText;
      back = kHotBack;
    } else if (m_focused) {
      text = kFocusText;
      back = kFocusBack;
    }
    pDC->SetTextColor(m_colors[text]);
    pDC->SetBkColor(m_colors[back]);
    pDC->DrawText(caption, -1, &centred, DT_WORDBREAK | DT_CENTER);
  }
  return 0;
}
