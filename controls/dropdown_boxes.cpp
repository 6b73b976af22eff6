#include "controls/dropdown_boxes.h"

#include "controls/app_services.h"

IMPLEMENT_DYNAMIC(COwnerdrawedDropDownBox, CComboBox)

COwnerdrawedDropDownBox::~COwnerdrawedDropDownBox() = default;

void COwnerdrawedDropDownBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct == nullptr || lpDrawItemStruct->itemID == static_cast<UINT>(-1)) return;
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  const CRect item = lpDrawItemStruct->rcItem;
  const bool inEdit = (lpDrawItemStruct->itemState & ODS_COMBOBOXEDIT) != 0;
  const bool highlighted = (lpDrawItemStruct->itemState & ODS_SELECTED) && !inEdit;
  pDC->FillSolidRect(&item, ::GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));

  const DWORD_PTR image = GetItemData(static_cast<int>(lpDrawItemStruct->itemID));
  if (image == kNoImage || m_images == nullptr || m_imageMask == nullptr) return;
  const int x = item.left + (inEdit ? 2 : 4);
  const int y = item.top + 1;

  CDC maskDC, stripDC;
  maskDC.CreateCompatibleDC(nullptr);
  stripDC.CreateCompatibleDC(pDC);
  CBitmap* oldMask = maskDC.SelectObject(m_imageMask);
  CBitmap* oldStrip = stripDC.SelectObject(m_images);
  pDC->BitBlt(x, y, kImageWidth, kImageHeight, &maskDC, 0, 0, SRCAND);
  pDC->BitBlt(x, y, kImageWidth, kImageHeight, &stripDC, kImageWidth * static_cast<int>(image), 0, SRCPAINT);
  if (oldMask) maskDC.SelectObject(oldMask);
  if (oldStrip) stripDC.SelectObject(oldStrip);
}

IMPLEMENT_DYNAMIC(CSpezialComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CSpezialComboBox, CComboBox)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CSpezialComboBox::CSpezialComboBox() { m_edit.m_ownBorder = 0; }

// The members go in reverse order: the list part first, then the edit part with its brush.
CSpezialComboBox::~CSpezialComboBox() = default;

HBRUSH CSpezialComboBox::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_EDIT && pWnd && !m_edit.GetSafeHwnd()) {
    m_edit.SubclassWindow(pWnd->m_hWnd);
    m_edit.EnableWindow(FALSE);
    m_edit.EnableWindow(TRUE);
    m_edit.SetMargins(2, 2);
    m_edit.LimitText(kTextLimit);
  }
  if (nCtlColor == CTLCOLOR_LISTBOX && pWnd) {
    if (!m_list.GetSafeHwnd()) m_list.SubclassWindow(pWnd->m_hWnd);
    CRect combo, list;
    GetWindowRect(&combo);
    m_list.GetWindowRect(&list);
    const int left = combo.left + kListOffset - m_listOffset;
    if (list.left != left) m_list.SetWindowPos(nullptr, left, list.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  HBRUSH brush = CComboBox::OnCtlColor(pDC, pWnd, nCtlColor);
  if (AppUsesBVTheme()) brush = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  return brush;
}
