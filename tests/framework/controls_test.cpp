// Control wrappers on real controls: a modeless dialog binds the template's
// controls with DDX_Control; the others are created by their wrappers.
#include <gtest/gtest.h>

#include <string>

#include "framework/afxwin.h"
#include "test_util.h"
#include "ui_resources.h"
#include "ui_test_util.h"

namespace {

class CControlsTestApp : public CWinApp {
 public:
  CControlsTestApp() : CWinApp(L"Controls Test") {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
  }
};
CControlsTestApp theApp;

constexpr UINT IDC_DYNAMIC = 2000;

// Owner-drawn controls that count their calls.
class CCountingButton : public CButton {
 public:
  int draws = 0;
  UINT lastAction = 0;
  void DrawItem(LPDRAWITEMSTRUCT dis) override {
    ++draws;
    lastAction = dis->itemAction;
    ::FillRect(dis->hDC, &dis->rcItem, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
  }
};

class CCountingList : public CListBox {
 public:
  int measures = 0, draws = 0;
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
    ++measures;
    mis->itemHeight = 21;
  }
  void DrawItem(LPDRAWITEMSTRUCT) override { ++draws; }
};

class CHostDialog : public CDialog {
 public:
  CHostDialog() : CDialog(IDD_VALUES) {}
  CEdit m_edit;
  CButton m_check;
  CComboBox m_combo;
  CComboBox m_editCombo;
  CListBox m_list;
  CSliderCtrl m_slider;
  CSpinButtonCtrl m_spin;
  CScrollBar m_scroll;
  CStatic m_label;
  int m_clicks = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_TEXT, m_edit);
    DDX_Control(pDX, IDC_CHECK, m_check);
    DDX_Control(pDX, IDC_LIST_COMBO, m_combo);
    DDX_Control(pDX, IDC_EDIT_COMBO, m_editCombo);
    DDX_Control(pDX, IDC_LIST, m_list);
    DDX_Control(pDX, IDC_SLIDER, m_slider);
    DDX_Control(pDX, IDC_SPIN, m_spin);
    DDX_Control(pDX, IDC_SCROLL, m_scroll);
    DDX_Control(pDX, IDC_LABEL, m_label);
  }
  afx_msg void OnCheckClicked() { ++m_clicks; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHostDialog, CDialog)
  ON_BN_CLICKED(IDC_CHECK, &CHostDialog::OnCheckClicked)
END_MESSAGE_MAP()

class Controls : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dialog.Create(IDD_VALUES));
    dialog.ShowWindow(SW_SHOW);
    dialog.UpdateWindow();
  }
  void TearDown() override { dialog.DestroyWindow(); }
  CHostDialog dialog;
};

TEST_F(Controls, DataExchangeBindsEachControlOnce) {
  EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(dialog.m_hWnd, IDC_TEXT)), &dialog.m_edit);
  EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(dialog.m_hWnd, IDC_SPIN)), &dialog.m_spin);
  // A second exchange leaves the bound objects alone.
  EXPECT_TRUE(dialog.UpdateData(FALSE));
  EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(dialog.m_hWnd, IDC_TEXT)), &dialog.m_edit);
  // A control bound elsewhere cannot be bound again.
  CEdit other;
  CDataExchange dx(&dialog, FALSE);
  EXPECT_TRUE(fwtest::Raises<CNotSupportedException>([&] { DDX_Control(&dx, IDC_TEXT, other); }));
  EXPECT_TRUE(fwtest::Raises<CNotSupportedException>([&] { DDX_Control(&dx, 4321, other); }));
}

TEST_F(Controls, EditSelectsReplacesAndLimits) {
  CEdit& edit = dialog.m_edit;
  edit.SetWindowText(L"Omaha high");
  edit.SetSel(6, 10);
  int start = 0, end = 0;
  edit.GetSel(start, end);
  EXPECT_EQ(start, 6);
  EXPECT_EQ(end, 10);
  edit.ReplaceSel(L"hi/lo");
  CString text;
  edit.GetWindowText(text);
  EXPECT_EQ(text, L"Omaha hi/lo");
  edit.LimitText(12);
  EXPECT_EQ(edit.GetLimitText(), 12u);
  EXPECT_FALSE(edit.GetStyle() & ES_READONLY);
  edit.SetReadOnly(TRUE);
  EXPECT_TRUE(edit.GetStyle() & ES_READONLY);

  CEdit lines;
  ASSERT_TRUE(lines.Create(WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, CRect(0, 0, 200, 80), &dialog, IDC_DYNAMIC));
  std::wstring longLine(300, L'x');
  lines.SetWindowText((L"first\r\n" + longLine + L"\r\nthird").c_str());
  EXPECT_EQ(lines.GetLineCount(), 3);
  EXPECT_EQ(lines.GetLine(0), L"first");
  EXPECT_EQ(lines.GetLine(1), CString(longLine.c_str()));
  EXPECT_EQ(lines.GetLine(2), L"third");
  EXPECT_EQ(lines.GetLine(7), L"");
  EXPECT_EQ(lines.LineIndex(2), 7 + 300 + 2);
}

TEST_F(Controls, ComboBoxAndListBoxKeepEntriesWithTheirData) {
  CComboBox& combo = dialog.m_combo;
  EXPECT_EQ(combo.AddString(L"Hi"), 0);
  EXPECT_EQ(combo.AddString(L"Stud"), 1);
  EXPECT_EQ(combo.InsertString(1, L"Hi/Lo"), 1);
  EXPECT_EQ(combo.GetCount(), 3);
  EXPECT_EQ(combo.FindStringExact(-1, L"hi/lo"), 1);  // without regard to case
  EXPECT_EQ(combo.FindString(-1, L"St"), 2);
  combo.SetItemData(2, 77);
  EXPECT_EQ(combo.GetItemData(2), 77u);
  EXPECT_EQ(combo.SelectString(-1, L"Hi/"), 1);
  EXPECT_EQ(combo.GetCurSel(), 1);
  CString text;
  combo.GetLBText(2, text);
  EXPECT_EQ(text, L"Stud");
  combo.GetLBText(9, text);
  EXPECT_EQ(text, L"");
  EXPECT_EQ(combo.DeleteString(0), 2);
  combo.SetDroppedWidth(300);
  EXPECT_EQ(combo.GetDroppedWidth(), 300);
  COMBOBOXINFO info;
  EXPECT_TRUE(dialog.m_editCombo.GetComboBoxInfo(&info));
  EXPECT_NE(info.hwndItem, nullptr);  // the edit part of a drop-down combo
  combo.ResetContent();
  EXPECT_EQ(combo.GetCount(), 0);

  CListBox& list = dialog.m_list;
  int data = 5;
  list.AddString(L"Flop");
  list.AddString(L"Turn");
  list.SetItemDataPtr(1, &data);
  EXPECT_EQ(list.GetItemDataPtr(1), &data);
  EXPECT_EQ(list.SetCurSel(1), 1);
  EXPECT_EQ(list.GetCurSel(), 1);
  EXPECT_TRUE(list.GetText(0, text));
  EXPECT_EQ(text, L"Flop");
  EXPECT_FALSE(list.GetText(5, text));
  EXPECT_EQ(text, L"");
  EXPECT_EQ(list.FindStringExact(-1, L"turn"), 1);
}

TEST_F(Controls, ButtonClicksReachTheParentAndChecksStay) {
  dialog.m_check.SetCheck(BST_CHECKED);
  EXPECT_EQ(dialog.m_check.GetCheck(), BST_CHECKED);
  dialog.m_check.Click();  // an automatic check box toggles and tells its parent
  EXPECT_EQ(dialog.m_check.GetCheck(), BST_UNCHECKED);
  EXPECT_EQ(dialog.m_clicks, 1);
  EXPECT_EQ(dialog.m_check.GetButtonStyle() & 0x0F, static_cast<UINT>(BS_AUTOCHECKBOX));
}

TEST_F(Controls, SliderSpinAndScrollBarKeepTheirPositionsInRange) {
  CSliderCtrl& slider = dialog.m_slider;
  slider.SetRange(0, 50, TRUE);
  slider.SetPos(60);
  EXPECT_EQ(slider.GetPos(), 50);
  int lo = -1, hi = -1;
  slider.GetRange(lo, hi);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 50);
  slider.SetPageSize(10);
  EXPECT_EQ(slider.GetPageSize(), 10);

  CSpinButtonCtrl& spin = dialog.m_spin;
  spin.SetRange32(-5, 5);
  spin.SetPos(3);
  EXPECT_EQ(spin.GetPos(), 3);
  CString buddy;
  dialog.GetDlgItemText(IDC_SPIN_EDIT, buddy);
  EXPECT_EQ(buddy, L"3");  // an integer buddy shows the position
  EXPECT_EQ(spin.GetBuddy()->m_hWnd, ::GetDlgItem(dialog.m_hWnd, IDC_SPIN_EDIT));
  spin.GetRange32(lo, hi);
  EXPECT_EQ(lo, -5);
  EXPECT_EQ(hi, 5);
  spin.SetPos(9);
  EXPECT_EQ(spin.GetPos(), 5);

  CScrollBar& scroll = dialog.m_scroll;
  scroll.SetScrollRange(0, 100, FALSE);
  SCROLLINFO info = {};
  info.fMask = SIF_PAGE;
  info.nPage = 20;
  scroll.SetScrollInfo(&info);
  EXPECT_EQ(scroll.GetScrollLimit(), 81);
  scroll.SetScrollPos(40);
  EXPECT_EQ(scroll.GetScrollPos(), 40);
}

TEST_F(Controls, ProgressBarStepsWithinItsRange) {
  CProgressCtrl progress;
  ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 24), &dialog, IDC_DYNAMIC));
  progress.SetRange32(0, 200);
  int lo = -1, hi = -1;
  progress.GetRange(lo, hi);
  EXPECT_EQ(hi, 200);
  EXPECT_EQ(progress.SetPos(50), 0);  // the old position
  progress.OffsetPos(10);
  EXPECT_EQ(progress.GetPos(), 60);
  progress.SetStep(15);
  progress.StepIt();
  EXPECT_EQ(progress.GetPos(), 75);
}

TEST_F(Controls, TreeKeepsItemsTextsDataAndStates) {
  CTreeCtrl tree;
  ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(0, 0, 200, 150), &dialog,
                          IDC_DYNAMIC));
  HTREEITEM root = tree.InsertItem(L"Premium");
  std::wstring longName(400, L'n');
  HTREEITEM child = tree.InsertItem(longName.c_str(), root);
  HTREEITEM second = tree.InsertItem(L"AA**", 2, 3, root);
  EXPECT_EQ(tree.GetCount(), 3u);
  EXPECT_EQ(tree.GetRootItem(), root);
  EXPECT_EQ(tree.GetChildItem(root), child);
  EXPECT_EQ(tree.GetNextSiblingItem(child), second);
  EXPECT_EQ(tree.GetParentItem(second), root);
  EXPECT_TRUE(tree.ItemHasChildren(root));
  EXPECT_EQ(tree.GetItemText(child), CString(longName.c_str()));
  EXPECT_EQ(tree.GetItemText(nullptr), L"");
  int image = -1, selected = -1;
  EXPECT_TRUE(tree.GetItemImage(second, image, selected));
  EXPECT_EQ(image, 2);
  EXPECT_EQ(selected, 3);
  EXPECT_TRUE(tree.SetItemData(second, 1234));
  EXPECT_EQ(tree.GetItemData(second), 1234u);
  EXPECT_TRUE(tree.SetItemState(second, TVIS_BOLD, TVIS_BOLD));
  EXPECT_EQ(tree.GetItemState(second, TVIS_BOLD), static_cast<UINT>(TVIS_BOLD));
  tree.Expand(root, TVE_EXPAND);
  EXPECT_TRUE(tree.SelectItem(second));
  EXPECT_EQ(tree.GetSelectedItem(), second);
  CRect rect;
  EXPECT_TRUE(tree.GetItemRect(second, &rect, TRUE));
  EXPECT_GT(rect.Width(), 0);
  EXPECT_TRUE(tree.SetItemText(second, L"KK**"));
  EXPECT_EQ(tree.GetItemText(second), L"KK**");
  EXPECT_TRUE(tree.DeleteItem(child));
  EXPECT_EQ(tree.GetCount(), 2u);
  EXPECT_TRUE(tree.DeleteAllItems());
  EXPECT_EQ(tree.GetCount(), 0u);
}

TEST_F(Controls, ToolTipKeepsToolsWithTheirTexts) {
  CToolTipCtrl tip;
  ASSERT_TRUE(tip.Create(&dialog));
  EXPECT_EQ(::GetWindow(tip.m_hWnd, GW_OWNER), dialog.m_hWnd);
  EXPECT_TRUE(tip.AddTool(&dialog.m_check, L"Tick to take part"));
  EXPECT_TRUE(tip.AddTool(&dialog, L"Rectangle", CRect(0, 0, 20, 20), 7));
  EXPECT_EQ(tip.GetToolCount(), 2);
  CString text;
  tip.GetText(text, &dialog.m_check);
  EXPECT_EQ(text, L"Tick to take part");
  tip.UpdateTipText(L"Changed", &dialog, 7);
  tip.GetText(text, &dialog, 7);
  EXPECT_EQ(text, L"Changed");
  tip.SetMaxTipWidth(300);
  EXPECT_EQ(tip.GetMaxTipWidth(), 300);
  tip.DelTool(&dialog.m_check);
  EXPECT_EQ(tip.GetToolCount(), 1);
  tip.DestroyWindow();
}

TEST_F(Controls, OwnerDrawnControlsMeasureAndDrawThroughTheirVirtuals) {
  CCountingButton button;
  ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 80, 30), &dialog, IDC_DYNAMIC));
  CCountingList list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, CRect(90, 10, 190, 90), &dialog,
                          IDC_DYNAMIC + 1));
  list.AddString(L"one");
  list.AddString(L"two");
  button.UpdateWindow();
  list.UpdateWindow();
  fwtest::Pump(50);
  EXPECT_GE(button.draws, 1);
  EXPECT_EQ(button.lastAction, static_cast<UINT>(ODA_DRAWENTIRE));
  EXPECT_EQ(list.measures, 1);
  EXPECT_EQ(list.GetItemHeight(0), 21);
  EXPECT_GE(list.draws, 2);
}

}  // namespace
