// The predefined ranges dialog with a borrowed tree: an entry's description and counts against
// the range language, the range taken with OK, the tree given back hidden to its owner after
// OK, Cancel and Escape, and the next opening showing the entry chosen last.
#include <gtest/gtest.h>

#include <string>

#include "app/app_utils.h"
#include "dialogs/predefined_ranges_dialog.h"
#include "range_dialog_harness.h"
#include "range_dialogs.h"

namespace {

COmahaVantornApp g_app;

// Stands in for the frame: the tree's owner while no dialog borrows it.
class Owner : public CWnd {
 public:
  Owner() {
    CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE)),
             L"Tree owner", WS_POPUP | WS_CAPTION, 0, 0, 300, 300, nullptr, nullptr);
  }
  ~Owner() override {
    if (m_hWnd) DestroyWindow();
  }
};

// The section as the profile reading gives it: lines separated by NULs.
CString Section(std::initializer_list<const wchar_t*> lines) {
  std::wstring text;
  for (const wchar_t* line : lines) {
    text += line;
    text += L'\0';
  }
  text += L'\0';
  return CString(text.c_str(), static_cast<int>(text.size()));
}

struct Seen {
  std::wstring description, summary;
  bool okEnabled = false, explorerEnabled = false, treeVisible = false;
  HWND treeParent = nullptr;
  std::wstring caption;
};

Seen Look(HWND dialog, HWND tree) {
  Seen s;
  s.description = rangetest::Text(dialog, IDC_RANGE_DESCRIPTION);
  s.summary = rangetest::Text(dialog, IDC_RANGE_SUMMARY);
  s.okEnabled = rangetest::Enabled(dialog, IDOK);
  s.explorerEnabled = rangetest::Enabled(dialog, IDC_RANGE_EXPLORER);
  s.treeVisible = ::IsWindowVisible(tree) != FALSE;
  s.treeParent = ::GetParent(tree);
  s.caption = gui::WindowText(dialog);
  return s;
}

class PredefinedRangesDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    rangetest::Environment::LoadTables(g_app);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
  }
  void SetUp() override {
    ASSERT_TRUE(tree_.Create(WS_CHILD | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS | TVS_SHOWSELALWAYS,
                             CRect(0, 0, 0, 0), &owner_, kPredefinedTreeId));
    tree_.FillFromSection(Section({L"Pot-limit ranges", L".Premium {AA**, KK**/ds}", L"..Top pairs {AA**}\u00B0b",
                                   L"Broken {AA**, (KK}"}));
    tree_.m_notifyWindow = owner_.GetSafeHwnd();
    caption_ = tree_.GetRootItem();
    premium_ = tree_.GetChildItem(caption_);
    top_ = tree_.GetChildItem(premium_);
    broken_ = tree_.GetNextSiblingItem(caption_);
    ASSERT_NE(top_, nullptr);
    ASSERT_NE(broken_, nullptr);
  }
  void TearDown() override {
    tree_.FreeItemData(tree_.GetRootItem());
    tree_.DestroyWindow();
  }
  // Runs the dialog modally while the user acts on it; its result.
  INT_PTR Run(const std::function<void(HWND)>& act) {
    CPredefinedHandrangesDialog dialog;
    dialog.m_tree = &tree_;
    dialog.m_seat = 9;
    INT_PTR result = 0;
    {
      rangetest::User user(L"Range selection", act);
      result = dialog.DoModal();
      EXPECT_TRUE(user.Acted());
    }
    rangeText_ = dialog.m_rangeText.GetString();
    return result;
  }
  void Select(HTREEITEM item) {
    ::SendMessageW(tree_.GetSafeHwnd(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    ::Sleep(300);  // the selection message is posted; the dialog's loop takes it
  }
  void ExpectGivenBack() {
    EXPECT_EQ(::GetParent(tree_.GetSafeHwnd()), owner_.GetSafeHwnd());
    EXPECT_FALSE(::IsWindowVisible(tree_.GetSafeHwnd()));
    EXPECT_EQ(tree_.m_notifyWindow, owner_.GetSafeHwnd());
  }

  rangetest::Environment env_;
  Owner owner_;
  CTreeCtrlEx tree_;
  HTREEITEM caption_ = nullptr, premium_ = nullptr, top_ = nullptr, broken_ = nullptr;
  std::wstring rangeText_;
};

TEST_F(PredefinedRangesDialogTest, TakesTheSelectedRangeAndGivesTheTreeBackOnEveryWayOut) {
  // The first item, a caption: nothing to take.
  Seen first, premium;
  const INT_PTR okResult = Run([&](HWND dialog) {
    first = Look(dialog, tree_.GetSafeHwnd());
    Select(premium_);
    premium = Look(dialog, tree_.GetSafeHwnd());
    gui::SaveCapture(gui::CaptureWindow(dialog), L"predefined_ranges");
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
  });
  EXPECT_EQ(first.caption, L"Range selection (BB)");
  EXPECT_TRUE(first.treeVisible);
  EXPECT_NE(first.treeParent, owner_.GetSafeHwnd()) << "borrowed";
  EXPECT_EQ(first.description, L"");
  EXPECT_EQ(first.summary, rangetest::CoreSummary(L""));
  EXPECT_FALSE(first.okEnabled);
  EXPECT_FALSE(first.explorerEnabled);

  EXPECT_EQ(premium.description,
            COmahaHand(L"AA**").FormatDescription() + L", " + COmahaHand(L"KK**/ds").FormatDescription());
  EXPECT_EQ(premium.summary, rangetest::CoreSummary(L"AA**, KK**/ds"));
  EXPECT_TRUE(premium.okEnabled);
  EXPECT_TRUE(premium.explorerEnabled);
  EXPECT_EQ(okResult, IDOK);
  EXPECT_EQ(rangeText_, L"AA**, KK**/ds");
  ExpectGivenBack();

  // Reopened: the entry chosen last; an unreadable range selects nothing; Escape closes.
  Seen again, broken;
  const INT_PTR escapeResult = Run([&](HWND dialog) {
    again = Look(dialog, tree_.GetSafeHwnd());
    Select(broken_);
    broken = Look(dialog, tree_.GetSafeHwnd());
    ::PostMessageW(tree_.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
  });
  EXPECT_EQ(escapeResult, IDCANCEL);
  EXPECT_EQ(again.summary, rangetest::CoreSummary(L"AA**, KK**/ds"));
  EXPECT_EQ(broken.summary, rangetest::CoreSummary(L"AA**, (KK"));
  EXPECT_FALSE(broken.okEnabled);
  EXPECT_EQ(rangeText_, L"") << "no result without OK";
  ExpectGivenBack();

  // Cancel, from a leaf.
  Seen leaf;
  const INT_PTR cancelResult = Run([&](HWND dialog) {
    Select(top_);
    leaf = Look(dialog, tree_.GetSafeHwnd());
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDCANCEL)));
  });
  EXPECT_EQ(cancelResult, IDCANCEL);
  EXPECT_EQ(leaf.summary, rangetest::CoreSummary(L"AA**"));
  EXPECT_TRUE(leaf.treeVisible);
  ExpectGivenBack();
  EXPECT_EQ(tree_.GetSelectedItem(), top_) << "the tree keeps the choice";
}

TEST_F(PredefinedRangesDialogTest, WithoutATreeOnlyCancelCloses) {
  CPredefinedHandrangesDialog dialog;
  Seen seen;
  INT_PTR result = 0;
  {
    rangetest::User user(L"Range selection", [&](HWND window) {
      seen = Look(window, nullptr);
      ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(::GetDlgItem(window, IDCANCEL)));
    });
    result = dialog.DoModal();
  }
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_FALSE(seen.okEnabled);
  EXPECT_EQ(seen.description, L"");
}

}  // namespace
