// Two combo boxes: a drop-down list of small pictures, and the editable combo box of the
// range inputs.
#pragma once

#include "controls/input_with_background.h"
#include "framework/afxwin.h"

// An owner-drawn drop-down list whose entries are 16 x 21 pictures of a horizontal strip; the
// item data of an entry is its picture's index, 13 meaning none. The owner lends the strip and
// its mask and answers the measure-item request.
class COwnerdrawedDropDownBox : public CComboBox {
  DECLARE_DYNAMIC(COwnerdrawedDropDownBox)
 public:
  static constexpr int kImageWidth = 16;
  static constexpr int kImageHeight = 21;
  static constexpr DWORD_PTR kNoImage = 13;

  ~COwnerdrawedDropDownBox() override;

  CBitmap* m_images = nullptr;     // borrowed
  CBitmap* m_imageMask = nullptr;  // borrowed

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
};

// The editable combo box of the range inputs: its edit part is drawn by the application's
// input edit (without its own frame), its list drops down 2 pixels right of the combo's left
// edge (less the owner's list offset), and both are white with the theme setting on.
class CSpezialComboBox : public CComboBox {
  DECLARE_DYNAMIC(CSpezialComboBox)
 public:
  static constexpr int kTextLimit = 2048;
  static constexpr int kListOffset = 2;

  CSpezialComboBox();
  ~CSpezialComboBox() override;

  CInputWithBackground m_edit;
  CListBox m_list;
  // Pixels the list moves further left, so that it can open under a neighbouring field.
  int m_listOffset = 0;

 protected:
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()
};
