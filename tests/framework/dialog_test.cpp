// Dialogs: modal results by buttons and keys, data exchange both ways with
// its checks, notifications during the exchange, the quit message inside a
// modal loop, nested and modeless dialogs.
#include <gtest/gtest.h>

#include <vector>

#include "framework/afxwin.h"
#include "test_util.h"
#include "ui_resources.h"
#include "ui_test_util.h"

namespace {

using fwtest::CScriptedDialog;
using fwtest::PostKey;

class CDialogTestApp : public CWinApp {
 public:
  CDialogTestApp() : CWinApp(L"Dialog Test") {}
  std::vector<CString> boxes;
  int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override {
    boxes.push_back(lpszPrompt);
    return IDOK;
  }
};

CDialogTestApp theApp;

struct CommonControls {
  CommonControls() {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
  }
} g_commonControls;

// The dialog of every exchanged value.
class CValuesDialog : public CScriptedDialog<CValuesDialog> {
 public:
  explicit CValuesDialog(CWnd* parent = nullptr) : CScriptedDialog(IDD_VALUES, parent) {}
  int m_number = 7;
  CString m_text = L"seven";
  double m_ratio = 0.25;
  UINT m_count = 3;
  int m_check = 1;
  int m_radio = 2;
  int m_listCombo = 1;
  CString m_editCombo = L"Bet";
  CString m_listText = L"Turn";
  int m_slider = 40;
  int m_spin = 12;
  int m_scroll = 5;
  int m_changes = 0;  // EN_CHANGE of the number edit

 protected:
  BOOL OnInitDialog() override {
    // Lists and ranges exist before the values go in.
    for (const wchar_t* s : {L"Hi", L"Hi/Lo", L"Stud"}) SendDlgItemMessage(IDC_LIST_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    for (const wchar_t* s : {L"Check", L"Bet", L"Raise"}) SendDlgItemMessage(IDC_EDIT_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    for (const wchar_t* s : {L"Flop", L"Turn", L"River"}) SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendDlgItemMessage(IDC_SLIDER, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendDlgItemMessage(IDC_SPIN, UDM_SETRANGE32, 0, 50);
    ::SetScrollRange(::GetDlgItem(m_hWnd, IDC_SCROLL), SB_CTL, 0, 20, FALSE);
    return CScriptedDialog::OnInitDialog();
  }

  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_NUMBER, m_number);
    DDV_MinMaxInt(pDX, m_number, 0, 100);
    DDX_Text(pDX, IDC_TEXT, m_text);
    DDV_MaxChars(pDX, m_text, 10);
    DDX_Text(pDX, IDC_RATIO, m_ratio);
    DDX_Text(pDX, IDC_COUNT, m_count);
    DDX_Check(pDX, IDC_CHECK, m_check);
    DDX_Radio(pDX, IDC_RADIO1, m_radio);
    DDX_CBIndex(pDX, IDC_LIST_COMBO, m_listCombo);
    DDX_CBString(pDX, IDC_EDIT_COMBO, m_editCombo);
    DDX_LBString(pDX, IDC_LIST, m_listText);
    DDX_Slider(pDX, IDC_SLIDER, m_slider);
    DDX_Spin(pDX, IDC_SPIN, m_spin);
    DDX_Scroll(pDX, IDC_SCROLL, m_scroll);
  }

  afx_msg void OnNumberChange() { ++m_changes; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CValuesDialog, CScriptedDialog<CValuesDialog>)
  ON_EN_CHANGE(IDC_NUMBER, &CValuesDialog::OnNumberChange)
END_MESSAGE_MAP()

class CModalDialog : public CScriptedDialog<CModalDialog> {
 public:
  explicit CModalDialog(CWnd* parent = nullptr) : CScriptedDialog(IDD_MODAL, parent) {}
  CString m_text = L"modal";

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_TEXT, m_text); }
};

CString ItemText(CWnd& dlg, int id) {
  CString text;
  dlg.GetDlgItemText(id, text);
  return text;
}

// A top-level window to own the dialogs.
class OwnerWindow {
 public:
  OwnerWindow() {
    wnd.CreateEx(0, AfxRegisterWndClass(0), L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200, nullptr,
                 nullptr);
  }
  ~OwnerWindow() { wnd.DestroyWindow(); }
  CWnd wnd;
};

struct EndCase {
  const char* name;
  std::function<void(CModalDialog&)> action;
  INT_PTR expected;
};

TEST(ModalDialog, EndsWithTheResultOfItsButtonsAndKeys) {
  const EndCase cases[] = {
      {"OK button", [](CModalDialog& d) { d.GetDlgItem(IDOK)->SendMessage(BM_CLICK); }, IDOK},
      {"Cancel button", [](CModalDialog& d) { d.GetDlgItem(IDCANCEL)->SendMessage(BM_CLICK); }, IDCANCEL},
      {"Escape key", [](CModalDialog& d) { PostKey(d.GetDlgItem(IDC_TEXT)->m_hWnd, VK_ESCAPE); }, IDCANCEL},
      {"Enter key", [](CModalDialog& d) { PostKey(d.GetDlgItem(IDC_TEXT)->m_hWnd, VK_RETURN, L'\r'); }, IDOK},
      {"close box", [](CModalDialog& d) { d.PostMessage(WM_SYSCOMMAND, SC_CLOSE); }, IDCANCEL},
      {"EndDialog", [](CModalDialog& d) { d.EndDialog(42); }, 42},
  };
  OwnerWindow owner;
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.name);
    CModalDialog dialog(&owner.wnd);
    bool ownerWasDisabled = false, wasVisible = false;
    dialog.Then([&](CModalDialog& d) {
      ownerWasDisabled = !owner.wnd.IsWindowEnabled();
      wasVisible = d.IsWindowVisible();
      d.GetDlgItem(IDC_TEXT)->SetFocus();
    });
    dialog.Then([&](CModalDialog& d) { c.action(d); });
    EXPECT_EQ(dialog.DoModal(), c.expected);
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_TRUE(wasVisible);
    EXPECT_TRUE(owner.wnd.IsWindowEnabled());
    EXPECT_EQ(dialog.m_hWnd, nullptr);
  }
}

TEST(ModalDialog, TypedTextReachesTheMembersOnlyWithOK) {
  for (INT_PTR end : {IDOK, IDCANCEL}) {
    CModalDialog dialog;
    dialog.Then([](CModalDialog& d) {
      HWND edit = d.GetDlgItem(IDC_TEXT)->m_hWnd;
      ::SetFocus(edit);
      ::SendMessageW(edit, EM_SETSEL, 0, -1);
      fwtest::PostText(edit, L"typed");
    });
    dialog.Then([end](CModalDialog& d) { PostKey(d.GetDlgItem(IDC_TEXT)->m_hWnd, end == IDOK ? VK_RETURN : VK_ESCAPE); });
    EXPECT_EQ(dialog.DoModal(), end);
    EXPECT_EQ(dialog.m_text, end == IDOK ? CString(L"typed") : CString(L"modal"));
  }
}

TEST(DataExchange, MembersShowInTheControlsAndTheControlsGoBackIntoTheMembers) {
  CValuesDialog dialog;
  dialog.Then([](CValuesDialog& d) {
    // Loaded.
    EXPECT_EQ(ItemText(d, IDC_NUMBER), L"7");
    EXPECT_EQ(ItemText(d, IDC_TEXT), L"seven");
    EXPECT_EQ(ItemText(d, IDC_RATIO), L"0.25");
    EXPECT_EQ(ItemText(d, IDC_COUNT), L"3");
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_CHECK), 1u);
    EXPECT_EQ(d.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3), IDC_RADIO3);
    EXPECT_EQ(d.SendDlgItemMessage(IDC_LIST_COMBO, CB_GETCURSEL), 1);
    EXPECT_EQ(ItemText(d, IDC_EDIT_COMBO), L"Bet");
    EXPECT_EQ(d.SendDlgItemMessage(IDC_LIST, LB_GETCURSEL), 1);
    EXPECT_EQ(d.SendDlgItemMessage(IDC_SLIDER, TBM_GETPOS), 40);
    EXPECT_EQ(ItemText(d, IDC_SPIN_EDIT), L"12");  // the spin writes its buddy
    EXPECT_EQ(::GetScrollPos(d.GetDlgItem(IDC_SCROLL)->m_hWnd, SB_CTL), 5);
    EXPECT_EQ(d.m_changes, 0);  // loading is not an edit
    // The user changes everything.
    d.SetDlgItemText(IDC_NUMBER, L" 42 ");
    d.SetDlgItemText(IDC_TEXT, L"forty-two");
    d.SetDlgItemText(IDC_RATIO, L"-1.5e2");
    d.SetDlgItemText(IDC_COUNT, L"4000000000");
    d.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
    d.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO1);
    d.SendDlgItemMessage(IDC_LIST_COMBO, CB_SETCURSEL, 2);
    d.SetDlgItemText(IDC_EDIT_COMBO, L"All in");
    d.SendDlgItemMessage(IDC_LIST, LB_SETCURSEL, 2);
    d.SendDlgItemMessage(IDC_SLIDER, TBM_SETPOS, TRUE, 90);
    d.SendDlgItemMessage(IDC_SPIN, UDM_SETPOS32, 0, 33);
    ::SetScrollPos(d.GetDlgItem(IDC_SCROLL)->m_hWnd, SB_CTL, 17, TRUE);
    EXPECT_EQ(d.m_changes, 1);
    d.GetDlgItem(IDOK)->SendMessage(BM_CLICK);
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_number, 42);
  EXPECT_EQ(dialog.m_text, L"forty-two");
  EXPECT_DOUBLE_EQ(dialog.m_ratio, -150.0);
  EXPECT_EQ(dialog.m_count, 4000000000u);
  EXPECT_EQ(dialog.m_check, 0);
  EXPECT_EQ(dialog.m_radio, 0);
  EXPECT_EQ(dialog.m_listCombo, 2);
  EXPECT_EQ(dialog.m_editCombo, L"All in");
  EXPECT_EQ(dialog.m_listText, L"River");
  EXPECT_EQ(dialog.m_slider, 90);
  EXPECT_EQ(dialog.m_spin, 33);
  EXPECT_EQ(dialog.m_scroll, 17);
  EXPECT_TRUE(theApp.boxes.empty());
}

struct BadValue {
  int id;
  const wchar_t* text;
  const wchar_t* messagePart;
  bool read;  // the text was a number: the member holds it, only its check failed
};

TEST(DataExchange, AValueThatFailsKeepsTheDialogOpenWithTheFocusOnIt) {
  const BadValue cases[] = {
      {IDC_NUMBER, L"12a", L"whole number", false},
      {IDC_NUMBER, L"", L"whole number", false},
      {IDC_NUMBER, L"99999999999", L"whole number", false},
      {IDC_NUMBER, L"150", L"from 0 to 100", true},
      {IDC_NUMBER, L"-1", L"from 0 to 100", true},
      {IDC_TEXT, L"eleven chars", L"at most 10", true},
      {IDC_RATIO, L"1.5x", L"number", false},
      {IDC_COUNT, L"-3", L"0 or more", false},
  };
  for (const BadValue& c : cases) {
    SCOPED_TRACE(testing::Message() << c.id << " " << CStringA(c.text).GetString());
    theApp.boxes.clear();
    CValuesDialog dialog;
    bool stillOpen = false, focused = false;
    dialog.Then([&](CValuesDialog& d) {
      d.SetDlgItemText(c.id, c.text);
      d.GetDlgItem(IDOK)->SendMessage(BM_CLICK);
      stillOpen = d.m_hWnd != nullptr && d.IsWindowVisible();
      focused = ::GetFocus() == d.GetDlgItem(c.id)->m_hWnd;
      d.GetDlgItem(IDCANCEL)->SendMessage(BM_CLICK);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(focused);
    ASSERT_EQ(theApp.boxes.size(), 1u);
    EXPECT_NE(theApp.boxes[0].Find(c.messagePart), -1) << CStringA(theApp.boxes[0]).GetString();
    if (c.id == IDC_NUMBER && !c.read) {
      EXPECT_EQ(dialog.m_number, 7);
    }
  }
  theApp.boxes.clear();
}

TEST(DataExchange, NumbersParseAsWrittenWithLimitsOfTheirType) {
  using fw::detail::ParseSigned;
  using fw::detail::ParseUnsigned;
  LONGLONG v = 0;
  EXPECT_TRUE(ParseSigned(L"  -2147483648 ", INT_MIN, INT_MAX, v));
  EXPECT_EQ(v, INT_MIN);
  EXPECT_FALSE(ParseSigned(L"2147483648", INT_MIN, INT_MAX, v));
  EXPECT_FALSE(ParseSigned(L"-", INT_MIN, INT_MAX, v));
  EXPECT_FALSE(ParseSigned(L"1 2", INT_MIN, INT_MAX, v));
  EXPECT_TRUE(ParseSigned(L"+5", INT_MIN, INT_MAX, v));
  EXPECT_EQ(v, 5);
  ULONGLONG u = 0;
  EXPECT_TRUE(ParseUnsigned(L"255", 255, u));
  EXPECT_FALSE(ParseUnsigned(L"256", 255, u));
  EXPECT_FALSE(ParseUnsigned(L"-0", 255, u));
}

TEST(ModalDialog, AQuitMessageEndsTheLoopAndReachesTheOuterLoop) {
  CModalDialog dialog;
  dialog.Then([](CModalDialog&) { ::PostQuitMessage(7); });
  EXPECT_EQ(dialog.DoModal(), -1);
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST(ModalDialog, ADialogOpensAnotherAndBothReturnTheirResults) {
  OwnerWindow owner;
  CModalDialog outer(&owner.wnd);
  INT_PTR innerResult = 0;
  bool outerDisabledWhileInner = false;
  outer.Then([&](CModalDialog& d) {
    CModalDialog inner(&d);
    inner.Then([&](CModalDialog& i) {
      outerDisabledWhileInner = !d.IsWindowEnabled();
      PostKey(i.GetDlgItem(IDC_TEXT)->m_hWnd, VK_ESCAPE);
    });
    innerResult = inner.DoModal();
  });
  outer.Then([](CModalDialog& d) { d.GetDlgItem(IDOK)->SendMessage(BM_CLICK); });
  EXPECT_EQ(outer.DoModal(), IDOK);
  EXPECT_EQ(innerResult, IDCANCEL);
  EXPECT_TRUE(outerDisabledWhileInner);
  EXPECT_TRUE(owner.wnd.IsWindowEnabled());
}

TEST(ModalDialog, AMissingTemplateFailsWithoutAWindow) {
  CDialog dialog(IDD_MISSING);
  EXPECT_EQ(dialog.DoModal(), -1);
  EXPECT_FALSE(dialog.Create(IDD_MISSING));
  EXPECT_EQ(dialog.m_hWnd, nullptr);
}

// A modeless dialog on the heap that closes itself.
class CModelessDialog : public CDialog {
 public:
  static int s_deleted;
  CModelessDialog() : CDialog(IDD_MODELESS) {}
  ~CModelessDialog() override { ++s_deleted; }

 protected:
  void OnCancel() override { DestroyWindow(); }
  void PostNcDestroy() override { delete this; }
};
int CModelessDialog::s_deleted = 0;

TEST(ModelessDialog, LivesBesideItsOwnerUntilItClosesItself) {
  OwnerWindow owner;
  auto* dialog = new CModelessDialog;
  ASSERT_TRUE(dialog->Create(IDD_MODELESS, &owner.wnd));
  HWND hWnd = dialog->m_hWnd;
  EXPECT_TRUE(owner.wnd.IsWindowEnabled());  // modeless: the owner stays usable
  EXPECT_EQ(::GetWindow(hWnd, GW_OWNER), owner.wnd.m_hWnd);
  dialog->ShowWindow(SW_SHOW);
  ::SetFocus(::GetDlgItem(hWnd, IDCANCEL));
  PostKey(::GetDlgItem(hWnd, IDCANCEL), VK_ESCAPE);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return !::IsWindow(hWnd); }));
  EXPECT_EQ(CModelessDialog::s_deleted, 1);
}

TEST(DataExchange, ChangeHandlersSeeTheUsersEditsNotTheExchange) {
  CValuesDialog dialog;
  int afterLoad = -1, afterUserEdit = -1, afterReload = -1;
  dialog.Then([&](CValuesDialog& d) {
    afterLoad = d.m_changes;
    d.SetDlgItemText(IDC_NUMBER, L"8");  // as the user would
    afterUserEdit = d.m_changes;
    d.m_number = 9;
    d.UpdateData(FALSE);
    afterReload = d.m_changes;
    d.EndDialog(IDCANCEL);
  });
  dialog.DoModal();
  EXPECT_EQ(afterLoad, 0);
  EXPECT_EQ(afterUserEdit, 1);
  EXPECT_EQ(afterReload, 1);
}

}  // namespace
