// The tree of predefined ranges: a tree control that draws chosen items in their own colour and
// fills itself from the predefined-ranges file. The main frame owns one (control id 2700),
// fills it once and lends it to the range dialog; every selection change is posted to the
// tree's notification window (by default its owner, or its parent when it has none) as
// kTreeSelectionChangedMsg, unless that window is the application's main window.
#pragma once

#include "framework/afxwin.h"

constexpr UINT kPredefinedTreeId = 2700;
constexpr UINT kTreeSelectionChangedMsg = WM_APP + 0x65;  // no parameters

// How one item is drawn: colour (-1: the window text colour) and font (empty face name: the
// control's own font).
struct ItemStyle {
  COLORREF colour = static_cast<COLORREF>(-1);
  LOGFONTW font = {};
};

// The item data of every item the tree inserts from the file.
struct PredefinedRangeData {
  CString range;
  int value = 0;
  int selectable = 0;  // has a range, or is named "none"
};

class CTreeCtrlEx : public CTreeCtrl {
  DECLARE_DYNAMIC(CTreeCtrlEx)
 public:
  CTreeCtrlEx();
  ~CTreeCtrlEx() override;

  void SetItemColor(HTREEITEM item, COLORREF colour);
  // FALSE when the item has no style of its own.
  BOOL GetItemStyle(HTREEITEM item, ItemStyle& style) const;
  // Deletes the PredefinedRangeData of start and of every item after it in pre-order.
  void FreeItemData(HTREEITEM start);
  // Reads "PreflopPredefined.ini" of the current folder (see ReadPredefinedRanges) and adds one
  // item per line; the first item is selected. A missing file leaves the tree empty.
  void FillPredefinedRanges(LPCTSTR restoreProfileName = nullptr);
  // The same from section text as the profile reading gives it (NUL-separated lines).
  void FillFromSection(const CString& section);

  // Where selection changes go; null: the owner window (the parent when there is none).
  HWND m_notifyWindow = nullptr;

  static PredefinedRangeData* RangeData(const CTreeCtrl& tree, HTREEITEM item) {
    return reinterpret_cast<PredefinedRangeData*>(tree.GetItemData(item));
  }

 protected:
  afx_msg void OnPaint();
  afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // The next item in pre-order: the first child, else the next sibling, else the next sibling
  // of the nearest ancestor that has one.
  HTREEITEM NextInPreOrder(HTREEITEM item) const;
  int CountAncestors(HTREEITEM item) const;

  CMap<HTREEITEM, HTREEITEM, ItemStyle, const ItemStyle&> m_itemStyles;
};
