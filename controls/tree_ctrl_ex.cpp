#include "controls/tree_ctrl_ex.h"

#include "controls/predefined_ranges.h"

IMPLEMENT_DYNAMIC(CTreeCtrlEx, CTreeCtrl)

BEGIN_MESSAGE_MAP(CTreeCtrlEx, CTreeCtrl)
  ON_WM_PAINT()
  ON_NOTIFY_REFLECT(TVN_SELCHANGED, &CTreeCtrlEx::OnSelChanged)
  ON_WM_RBUTTONDOWN()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

}  // namespace

CTreeCtrlEx::CTreeCtrlEx() : m_itemStyles(10) { m_itemStyles.InitHashTable(17); }

CTreeCtrlEx::~CTreeCtrlEx() {
  if (m_hWnd != nullptr) DestroyWindow();
}

void CTreeCtrlEx::SetItemColor(HTREEITEM item, COLORREF colour) {
  ItemStyle style;
  m_itemStyles.Lookup(item, style);
  style.colour = colour;
  m_itemStyles.SetAt(item, style);
}

BOOL CTreeCtrlEx::GetItemStyle(HTREEITEM item, ItemStyle& style) const { return m_itemStyles.Lookup(item, style); }

HTREEITEM CTreeCtrlEx::NextInPreOrder(HTREEITEM item) const {
  if (HTREEITEM child = GetChildItem(item)) return child;
  for (HTREEITEM at = item; at != nullptr; at = GetParentItem(at))
    if (HTREEITEM sibling = GetNextSiblingItem(at)) return sibling;
  return nullptr;
}

int CTreeCtrlEx::CountAncestors(HTREEITEM item) const {
  int count = 0;
  for (HTREEITEM parent = GetParentItem(item); parent != nullptr; parent = GetParentItem(parent)) ++count;
  return count;
}

void CTreeCtrlEx::FreeItemData(HTREEITEM start) {
  for (HTREEITEM item = start; item != nullptr; item = NextInPreOrder(item)) {
    if (PredefinedRangeData* data = RangeData(*this, item)) {
      delete data;
      SetItemData(item, 0);  // freed once, whoever asks again
    }
  }
}

void CTreeCtrlEx::FillPredefinedRanges(LPCTSTR restoreProfileName) {
  CString section;
  ReadPredefinedRanges(section, restoreProfileName);
  FillFromSection(section);
}

void CTreeCtrlEx::FillFromSection(const CString& section) {
  HTREEITEM last = nullptr;
  HTREEITEM first = nullptr;
  for (const CString& line : SplitProfileSection(section)) {
    PredefinedRangeLine parsed;
    if (!ParsePredefinedRangeLine(line, parsed)) continue;

    HTREEITEM parent = TVI_ROOT;
    if (last != nullptr) {
      const int depth = CountAncestors(last);
      if (parsed.depth > depth) {
        parent = last;  // one level deeper, however many dots
      } else {
        HTREEITEM up = GetParentItem(last);
        for (int i = parsed.depth; i < depth && up != nullptr; ++i) up = GetParentItem(up);
        parent = up != nullptr ? up : TVI_ROOT;
      }
    }

    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<LPWSTR>(parsed.name.GetString());
    insert.item.iImage = 0;
    insert.item.iSelectedImage = 0;
    HTREEITEM item = InsertItem(&insert);
    if (item == nullptr) continue;
    auto* data = new PredefinedRangeData;
    data->range = parsed.range;
    data->selectable = parsed.selectable ? 1 : 0;
    SetItemData(item, reinterpret_cast<DWORD_PTR>(data));
    SetItemState(item, parsed.hasBrace ? TVIS_BOLD : 0, TVIS_BOLD);
    SetItemColor(item, parsed.colourFlag >= 1 ? kRed : kBlack);
    const int image = parsed.imageLetter >= 0 ? parsed.imageLetter + 2 : 0;
    SetItemImage(item, image, image);
    if (first == nullptr) first = item;
    last = item;
  }

  // Leaves are ranges: picture 1 for every item without children after the first root item.
  if (HTREEITEM root = GetRootItem()) {
    for (HTREEITEM item = NextInPreOrder(root); item != nullptr; item = NextInPreOrder(item))
      if (GetChildItem(item) == nullptr) SetItemImage(item, 1, 1);
  }
  if (first != nullptr) Select(first, TVGN_CARET);
}

void CTreeCtrlEx::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  if (pNMHDR == nullptr || pNMHDR->idFrom != kPredefinedTreeId) return;
  HWND target = m_notifyWindow;
  if (target == nullptr || !::IsWindow(target)) {
    CWnd* owner = GetOwner();
    target = owner ? owner->GetSafeHwnd() : nullptr;
  }
  // The application's main window holds the tree while no dialog borrows it.
  CWinApp* app = AfxGetApp();
  CWnd* main = app ? app->m_pMainWnd : nullptr;
  if (target == nullptr || (main != nullptr && target == main->GetSafeHwnd())) return;
  ::PostMessageW(target, kTreeSelectionChangedMsg, 0, 0);
}

void CTreeCtrlEx::OnRButtonDown(UINT, CPoint) {
  // Swallowed: no selection change and no context menu.
}

void CTreeCtrlEx::OnDestroy() {
  // Whatever the owner did not free yet.
  FreeItemData(GetRootItem());
  m_itemStyles.RemoveAll();
  CTreeCtrl::OnDestroy();
}

void CTreeCtrlEx::OnPaint() {
  CPaintDC dc(this);
  CRect clip;
  dc.GetClipBox(&clip);
  CRect client;
  GetClientRect(&client);

  CDC memory;
  CBitmap bitmap;
  if (!memory.CreateCompatibleDC(&dc) ||
      !bitmap.CreateCompatibleBitmap(&dc, std::max<int>(client.Width(), 1), std::max<int>(client.Height(), 1))) {
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    return;
  }
  CBitmap* oldBitmap = memory.SelectObject(&bitmap);
  memory.IntersectClipRect(&clip);
  // The control paints itself into the memory surface.
  DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(memory.m_hDC), 0);

  // Then the items with a style of their own get their text again in their colour.
  const HFONT controlFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  const bool focused = ::GetFocus() == m_hWnd;
  const UINT visible = GetVisibleCount() + 1;
  HTREEITEM item = GetFirstVisibleItem();
  for (UINT i = 0; i < visible && item != nullptr; ++i, item = GetNextVisibleItem(item)) {
    const UINT state = GetItemState(item, TVIS_SELECTED | TVIS_DROPHILITED | TVIS_BOLD);
    if ((state & (TVIS_SELECTED | TVIS_DROPHILITED)) && focused) continue;
    ItemStyle style;
    if (!m_itemStyles.Lookup(item, style)) continue;
    LOGFONTW lf = style.font;
    if (lf.lfFaceName[0] == L'\0') {
      HFONT source = controlFont ? controlFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
      ::GetObjectW(source, sizeof(lf), &lf);
    }
    if (state & TVIS_BOLD) lf.lfWeight = FW_BOLD;
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* oldFont = memory.SelectObject(&font);
    memory.SetTextColor(style.colour == static_cast<COLORREF>(-1) ? ::GetSysColor(COLOR_WINDOWTEXT) : style.colour);
    memory.SetBkColor(::GetSysColor(COLOR_WINDOW));
    CRect text;
    if (GetItemRect(item, &text, TRUE)) {
      const CString name = GetItemText(item);
      memory.TextOut(text.left + 2, text.top + 1, name);
    }
    memory.SelectObject(oldFont);
  }

  dc.BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), &memory, clip.left, clip.top, SRCCOPY);
  memory.SelectObject(oldBitmap);
}
