// Command items: state bits and their exclusions, the framework's reserved ids, usage counting
// and its overflow halving, tips from string resources, display texts, delivery to windows
// and command-update routing, and the popup menu item's check mark.
#include <gtest/gtest.h>

#include <vector>

#include "command_ids.h"
#include "toolkit/bars/popup_menu_item.h"
#include "toolkit/foundation/cmd_manager.h"

namespace {

TEST(CmdItem, NewItemIsBlankAndCopiesEveryField) {
  CExtCmdItem item(0x8004);
  EXPECT_EQ(item.m_pProfile, nullptr);
  EXPECT_EQ(item.m_nCommandId, 0x8004u);
  EXPECT_EQ(item.m_nIconIndex, -1);
  EXPECT_EQ(item.m_dwState, 0u);
  EXPECT_EQ(item.m_nUsageCount, 0u);
  EXPECT_TRUE(item.GetDisplayText().IsEmpty());

  item.m_dwState = 0x2 | 0x80;
  item.m_dwExtraState = 1;
  item.m_strMenuText = L"&Open";
  item.m_strToolBarText = L"Open";
  item.m_strToolTipText = L"Open a file";
  item.m_strStatusTipText = L"Opens a file";
  item.m_strAcceleratorText = L"Ctrl+O";
  item.m_dwTag = 77;
  item.m_nUsageCount = 5;
  item.m_nIconIndex = 3;
  const CExtCmdItem copy(item);
  EXPECT_EQ(copy.m_nCommandId, 0x8004u);
  EXPECT_EQ(copy.m_dwState, item.m_dwState);
  EXPECT_EQ(copy.m_dwExtraState, 1u);
  EXPECT_EQ(copy.m_strMenuText, L"&Open");
  EXPECT_EQ(copy.m_strToolBarText, L"Open");
  EXPECT_EQ(copy.m_strToolTipText, L"Open a file");
  EXPECT_EQ(copy.m_strStatusTipText, L"Opens a file");
  EXPECT_EQ(copy.m_strAcceleratorText, L"Ctrl+O");
  EXPECT_EQ(copy.m_dwTag, 77u);
  EXPECT_EQ(copy.m_nUsageCount, 5u);
  EXPECT_EQ(copy.m_nIconIndex, 3);
}

TEST(CmdItem, CheckRadioAndIndeterminateExcludeEachOther) {
  CExtCmdItem item(0x8004);
  item.SetRadio(true);
  item.SetCheck(true);
  EXPECT_EQ(item.m_dwState & 0xE, 0x2u);
  item.SetIndeterminate(true);
  EXPECT_EQ(item.m_dwState & 0xE, 0x8u);
  EXPECT_FALSE(item.IsChecked());
  item.SetRadio(true);
  EXPECT_TRUE(item.IsRadio());
  EXPECT_FALSE(item.IsIndeterminate());
  item.SetIndeterminate(false);
  EXPECT_EQ(item.m_dwState & 0xE, 0u);

  item.Enable(false);
  EXPECT_FALSE(item.IsEnabled());
  EXPECT_EQ(item.m_dwState, 0x1u);
  item.Enable(true);
  EXPECT_TRUE(item.IsEnabled());
  EXPECT_EQ(item.m_dwState, 0u);
}

TEST(CmdItem, MenuBarPlaceholderAndGeneralFlagsTouchOnlyTheirBits) {
  CExtCmdItem item(0x8004);
  item.SetMenuBarPlaceholder(true);
  EXPECT_TRUE(item.IsMenuBarPlaceholder());
  EXPECT_EQ(item.m_dwState, 0x40u);
  struct Flag {
    DWORD bit;
    DWORD (CExtCmdItem::*set)(bool);
    bool (CExtCmdItem::*get)() const;
  };
  const Flag flags[] = {
      {0x80, &CExtCmdItem::SetFlag80, &CExtCmdItem::IsFlag80},
      {0x100, &CExtCmdItem::SetFlag100, &CExtCmdItem::IsFlag100},
      {0x200, &CExtCmdItem::SetFlag200, &CExtCmdItem::IsFlag200},
      {0x4000, &CExtCmdItem::SetFlag4000, &CExtCmdItem::IsFlag4000},
      {0x8000, &CExtCmdItem::SetFlag8000, &CExtCmdItem::IsFlag8000},
      {0x10000, &CExtCmdItem::SetFlag10000, &CExtCmdItem::IsFlag10000},
      {0x20000, &CExtCmdItem::SetFlag20000, &CExtCmdItem::IsFlag20000},
      {0x40000, &CExtCmdItem::SetFlag40000, &CExtCmdItem::IsFlag40000},
      {0x80000, &CExtCmdItem::SetFlag80000, &CExtCmdItem::IsFlag80000},
      {0x100000, &CExtCmdItem::SetFlag100000, &CExtCmdItem::IsFlag100000},
      {0x200000, &CExtCmdItem::SetFlag200000, &CExtCmdItem::IsFlag200000},
      {0x20000000, &CExtCmdItem::SetFlag20000000, &CExtCmdItem::IsFlag20000000},
      {0x40000000, &CExtCmdItem::SetFlag40000000, &CExtCmdItem::IsFlag40000000},
      {0x80000000, &CExtCmdItem::SetFlag80000000, &CExtCmdItem::IsFlag80000000},
  };
  for (const Flag& f : flags) {
    EXPECT_EQ((item.*f.set)(true), 0x40u | f.bit) << std::hex << f.bit;
    EXPECT_TRUE((item.*f.get)());
    EXPECT_EQ((item.*f.set)(false), 0x40u);
    EXPECT_FALSE((item.*f.get)());
  }
  item.SetExtraFlag1(true);
  EXPECT_EQ(item.m_dwExtraState, 1u);
  EXPECT_EQ(item.m_dwState, 0x40u);
  item.SetMenuBarPlaceholder(false);
  EXPECT_EQ(item.m_dwState, 0u);
}

TEST(CmdItem, FrameworkIdsAreBasicAndNeverForcedRarelyUsed) {
  struct Row {
    UINT id;
    bool basic;
  };
  const Row rows[] = {{0xE110, true}, {0xE115, true},  {0xE11F, true},  {0xE120, false}, {0xE210, true},
                      {0xE21F, true}, {0xF000, true},  {0xF1EF, true},  {0xF1F0, false}, {0xFF00, true},
                      {0xFF09, true}, {0xFF0A, false}, {0xE141, false}, {0x8004, false}};
  for (const Row& r : rows) {
    CExtCmdItem item(r.id);
    item.m_dwState = 0x20;  // forced rarely used, not basic
    EXPECT_EQ(item.IsBasic(), r.basic) << std::hex << r.id;
    EXPECT_EQ(item.IsForcedRarelyUsed(), !r.basic) << std::hex << r.id;
  }
  EXPECT_TRUE(IsReservedCommandId(0xF000));
  EXPECT_TRUE(IsReservedCommandId(0xFF09));
  EXPECT_FALSE(IsReservedCommandId(0xE110));
  EXPECT_FALSE(IsReservedCommandId(0xF1F0));
}

TEST(CmdItem, TextsMergeAndFill) {
  CExtCmdItem base(0x8004);
  base.m_strMenuText = L"Menu";
  base.m_strToolBarText = L"Bar";
  CExtCmdItem other(0x8004);
  other.m_strToolBarText = L"Other bar";
  other.m_strToolTipText = L"Tip";
  other.m_strAcceleratorText = L"F5";
  other.m_nIconIndex = 2;

  CExtCmdItem filled(base);
  filled.FillEmptyFrom(other);
  EXPECT_EQ(filled.m_strMenuText, L"Menu");
  EXPECT_EQ(filled.m_strToolBarText, L"Bar");  // the tool-bar text is left alone
  EXPECT_EQ(filled.m_strToolTipText, L"Tip");
  EXPECT_EQ(filled.m_strAcceleratorText, L"F5");
  EXPECT_EQ(filled.m_nIconIndex, 2);

  CExtCmdItem merged(base);
  merged.MergeFrom(other);
  EXPECT_EQ(merged.m_strMenuText, L"Menu");  // empty texts do not overwrite
  EXPECT_EQ(merged.m_strToolBarText, L"Other bar");
  EXPECT_EQ(merged.m_strToolTipText, L"Tip");
  EXPECT_EQ(merged.m_nIconIndex, 2);
}

TEST(CmdItem, DisplayTextFallsBackFromMenuToTipToToolBar) {
  CExtCmdItem item(0x8004);
  item.m_strToolBarText = L"Bar";
  EXPECT_EQ(item.GetDisplayText(), L"Bar");
  item.m_strToolTipText = L"Tip";
  EXPECT_EQ(item.GetDisplayText(), L"Tip");
  item.m_strMenuText = L"Menu";
  CString text;
  EXPECT_EQ(item.QueryDisplayText(text), L"Menu");
  EXPECT_EQ(text, L"Menu");
  item.m_strStatusTipText = L"Status";
  EXPECT_EQ(item.GetStatusTipText(), L"Status");
}

TEST(CmdItem, TipTextsComeFromTheStringOfTheCommandId) {
  struct Row {
    UINT id;
    bool loaded;
    const wchar_t* status;
    const wchar_t* tip;
  };
  const Row rows[] = {
      {IDC_FIX_OPEN, true, L"Opens a file", L"Open"},
      {IDC_FIX_SAVE, true, L"Saves the scenario", L""},
      // Tabs become blanks, carriage returns go, the split is at the last line feed.
      {IDC_FIX_DEEP, true, L"Goes deep\ninto the menu", L"Deep tip"},
      {IDC_FIX_BLANK, false, L"", L""},
      {IDC_FIX_NOTEXT, false, L"", L""},
      {0, false, L"", L""},
      {0x80000001u, false, L"", L""},
  };
  for (const Row& r : rows) {
    CExtCmdItem item(r.id);
    item.m_strToolTipText = L"old";
    item.m_strStatusTipText = L"old";
    EXPECT_EQ(item.LoadTipTexts(), r.loaded) << std::hex << r.id;
    EXPECT_EQ(item.m_strStatusTipText, r.status) << std::hex << r.id;
    EXPECT_EQ(item.m_strToolTipText, r.tip) << std::hex << r.id;
  }
}

// A profile of the manager with a few commands.
class UsageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    profile = new CExtCmdProfile(L"usage");
    ASSERT_TRUE(g_CmdManager->EnsureProfile(L"usage", nullptr, profile));
    for (UINT id : {0x8001u, 0x8002u, 0x8003u}) ASSERT_NE(profile->NewCommand(id), nullptr);
  }
  void TearDown() override {
    g_CmdManager->m_mapProfiles.RemoveKey(L"usage");
    delete profile;
  }
  CExtCmdItem* Item(UINT id) { return profile->FindCommand(id); }
  CExtCmdProfile* profile = nullptr;
};

TEST_F(UsageTest, CountingSkipsBasicAndForcedCommands) {
  Item(0x8001)->IncrementUsage();
  Item(0x8001)->IncrementUsage();
  Item(0x8002)->SetBasic(true);
  Item(0x8002)->IncrementUsage();
  Item(0x8003)->SetForcedRarelyUsed(true);
  Item(0x8003)->IncrementUsage();
  EXPECT_EQ(Item(0x8001)->GetUsageCount(), 2u);
  EXPECT_EQ(Item(0x8002)->GetUsageCount(), 0u);
  EXPECT_EQ(Item(0x8003)->GetUsageCount(), 0u);
  EXPECT_EQ(profile->m_nTotalUsage, 2u);
  EXPECT_EQ(Item(0x8001)->GetProfileTotalUsage(), 2u);

  Item(0x8003)->m_nUsageCount = 9;  // kept through resets
  Item(0x8002)->m_nUsageCount = 4;
  profile->ResetAllUsage();
  EXPECT_EQ(Item(0x8001)->GetUsageCount(), 0u);
  EXPECT_EQ(Item(0x8002)->GetUsageCount(), 4u);
  EXPECT_EQ(Item(0x8003)->GetUsageCount(), 9u);
  EXPECT_EQ(profile->m_nTotalUsage, 0u);
}

TEST_F(UsageTest, PercentAndRarelyUsedState) {
  EXPECT_EQ(Item(0x8001)->GetUsagePercent(), 0u);  // total 0
  EXPECT_TRUE(Item(0x8001)->IsRarelyUsed());       // 0 below 10
  for (int i = 0; i < 19; ++i) Item(0x8001)->IncrementUsage();
  Item(0x8002)->IncrementUsage();
  EXPECT_EQ(Item(0x8001)->GetUsagePercent(), 95u);
  EXPECT_EQ(Item(0x8002)->GetUsagePercent(), 5u);
  EXPECT_FALSE(Item(0x8001)->IsRarelyUsed());
  EXPECT_TRUE(Item(0x8002)->IsRarelyUsed());
  Item(0x8002)->SetRarelyUsedPercent(5);
  EXPECT_FALSE(Item(0x8002)->IsRarelyUsed());  // 5 is not below 5
  Item(0x8002)->SetRarelyUsedPercent(250);
  EXPECT_EQ(profile->m_nRarelyUsedPercent, 100u);
  EXPECT_EQ(Item(0x8001)->GetRarelyUsedPercent(), 100u);
  EXPECT_TRUE(Item(0x8001)->IsRarelyUsed());
  Item(0x8001)->SetBasic(true);
  EXPECT_FALSE(Item(0x8001)->IsRarelyUsed());  // basic commands never are
  // Large counts keep their true share.
  Item(0x8003)->m_nUsageCount = 0x7FFFFFFF;
  profile->m_nTotalUsage = 0xFFFFFFFD;
  EXPECT_EQ(Item(0x8003)->GetUsagePercent(), 50u);
}

TEST_F(UsageTest, CountsAreHalvedBeforeTheTotalOverflows) {
  Item(0x8001)->m_nUsageCount = 1001;
  Item(0x8002)->m_nUsageCount = 6;
  profile->m_nTotalUsage = 0xFFFFFFFD;
  Item(0x8003)->IncrementUsage();
  EXPECT_EQ(profile->m_nTotalUsage, 0x7FFFFFFFu);
  EXPECT_EQ(Item(0x8001)->GetUsageCount(), 500u);
  EXPECT_EQ(Item(0x8002)->GetUsageCount(), 3u);
  EXPECT_EQ(Item(0x8003)->GetUsageCount(), 0u);  // 1 halved
}

TEST_F(UsageTest, ArchivableCommandsAreOrdinaryAndUsed) {
  EXPECT_FALSE(Item(0x8001)->IsUsageArchivable());  // never used
  Item(0x8001)->m_nUsageCount = 1;
  EXPECT_TRUE(Item(0x8001)->IsUsageArchivable());
  Item(0x8001)->SetMenuBarPlaceholder(true);
  EXPECT_FALSE(Item(0x8001)->IsUsageArchivable());
  Item(0x8001)->SetMenuBarPlaceholder(false);
  Item(0x8001)->SetBasic(true);
  EXPECT_FALSE(Item(0x8001)->IsUsageArchivable());
  CExtCmdItem system(0xF020);
  system.m_nUsageCount = 3;
  EXPECT_FALSE(system.IsUsageArchivable());
}

// A window that records the commands it receives.
struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Received> g_received;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND || message == WM_SYSCOMMAND) {
    g_received.push_back({message, wParam, lParam});
    return 1;
  }
  return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND MakeRecordingWindow(HWND parent = nullptr) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &RecordingProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CmdItemRecordingWindow";
    ::RegisterClassW(&wc);
    registered = true;
  }
  return ::CreateWindowExW(0, L"CmdItemRecordingWindow", L"", parent ? WS_CHILD : WS_POPUP, 0, 0, 20, 20, parent,
                           nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

TEST_F(UsageTest, DeliveryCountsOrdinaryCommandsAndSendsTheRightMessage) {
  HWND window = MakeRecordingWindow();
  ASSERT_NE(window, nullptr);
  g_received.clear();
  ::SetCursorPos(123, 45);
  POINT cursor{};
  ::GetCursorPos(&cursor);

  CExtCmdItem* ordinary = Item(0x8001);
  EXPECT_TRUE(ordinary->DeliverCommand(window, true));
  CExtCmdItem system(0xF020);
  profile->PutCommand(system);
  EXPECT_TRUE(profile->FindCommand(0xF020)->DeliverCommand(window, true));
  profile->PutCommand(CExtCmdItem(0xE110));
  EXPECT_TRUE(profile->FindCommand(0xE110)->DeliverCommand(window, true));
  EXPECT_FALSE(ordinary->DeliverCommand(nullptr, true));

  ASSERT_EQ(g_received.size(), 3u);
  EXPECT_EQ(g_received[0].message, static_cast<UINT>(WM_COMMAND));
  EXPECT_EQ(g_received[0].wParam, 0x8001u);
  EXPECT_EQ(g_received[0].lParam, 0);
  EXPECT_EQ(g_received[1].message, static_cast<UINT>(WM_SYSCOMMAND));
  EXPECT_EQ(g_received[1].wParam, 0xF020u);
  EXPECT_EQ(g_received[1].lParam, MAKELPARAM(cursor.x, cursor.y));
  EXPECT_EQ(g_received[2].message, static_cast<UINT>(WM_COMMAND));
  EXPECT_EQ(g_received[2].wParam, 0xE110u);
  EXPECT_EQ(g_received[2].lParam, 0);
  // Only the ordinary command was counted.
  EXPECT_EQ(ordinary->GetUsageCount(), 1u);
  EXPECT_EQ(profile->FindCommand(0xF020)->GetUsageCount(), 0u);
  EXPECT_EQ(profile->FindCommand(0xE110)->GetUsageCount(), 0u);
  EXPECT_EQ(profile->m_nTotalUsage, 1u);

  // Posting arrives through the queue.
  g_received.clear();
  EXPECT_TRUE(ordinary->DeliverCommand(window, false));
  EXPECT_TRUE(g_received.empty());
  MSG msg;
  while (::PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  ASSERT_EQ(g_received.size(), 1u);
  EXPECT_EQ(g_received[0].wParam, 0x8001u);
  ::DestroyWindow(window);
}

TEST_F(UsageTest, DeliveryToOwnerGoesToTheParentOfAChild) {
  HWND parent = MakeRecordingWindow();
  HWND child = MakeRecordingWindow(parent);
  CWnd childWnd;
  childWnd.Attach(child);
  g_received.clear();
  EXPECT_TRUE(Item(0x8002)->DeliverToOwner(&childWnd));
  EXPECT_TRUE(Item(0x8002)->DeliverToWindow(&childWnd));
  EXPECT_FALSE(Item(0x8002)->DeliverToOwner(nullptr));
  EXPECT_FALSE(Item(0x8002)->DeliverToWindow(nullptr));
  ASSERT_EQ(g_received.size(), 2u);
  childWnd.Detach();
  ::DestroyWindow(parent);
}

// Update handlers for two commands; a third has a command handler only.
class CUpdateTarget : public CCmdTarget {
 protected:
  afx_msg void OnUpdateChecked(CCmdUI* ui) {
    ui->SetCheck(1);
    ui->SetText(L"Renamed");
  }
  afx_msg void OnUpdateMixed(CCmdUI* ui) {
    ui->Enable(FALSE);
    ui->SetCheck(2);
  }
  afx_msg void OnUpdateRadio(CCmdUI* ui) { ui->SetRadio(TRUE); }
  afx_msg void OnCommandOnly() {}
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateTarget, CCmdTarget)
  ON_UPDATE_COMMAND_UI(0x8001, &CUpdateTarget::OnUpdateChecked)
  ON_UPDATE_COMMAND_UI(0x8002, &CUpdateTarget::OnUpdateMixed)
  ON_UPDATE_COMMAND_UI(0x8005, &CUpdateTarget::OnUpdateRadio)
  ON_COMMAND(0x8003, &CUpdateTarget::OnCommandOnly)
END_MESSAGE_MAP()

TEST(CmdItemUpdate, HandlersWriteIntoTheItem) {
  CUpdateTarget target;
  CExtCmdItem checked(0x8001), mixed(0x8002), commandOnly(0x8003), nothing(0x8004), radio(0x8005);
  EXPECT_TRUE(checked.UpdateFromCmdUI(&target, 0));
  EXPECT_TRUE(checked.IsChecked());
  EXPECT_EQ(checked.m_strMenuText, L"Renamed");
  EXPECT_TRUE(mixed.UpdateFromCmdUI(&target, 0));
  EXPECT_FALSE(mixed.IsEnabled());
  EXPECT_TRUE(mixed.IsIndeterminate());
  EXPECT_TRUE(radio.UpdateFromCmdUI(&target, 0));
  EXPECT_TRUE(radio.IsRadio());
  // Without an update handler: enabled when a command handler exists, else disabled.
  EXPECT_FALSE(commandOnly.UpdateFromCmdUI(&target, 0));
  EXPECT_TRUE(commandOnly.IsEnabled());
  EXPECT_FALSE(nothing.UpdateFromCmdUI(&target, 0));
  EXPECT_FALSE(nothing.IsEnabled());
  // System-menu and window-list commands are simply enabled.
  for (UINT id : {0xF060u, 0xFF03u}) {
    CExtCmdItem reserved(id);
    reserved.Enable(false);
    EXPECT_TRUE(reserved.UpdateFromCmdUI(&target, 0));
    EXPECT_TRUE(reserved.IsEnabled());
  }
  CExtCmdItemUI ui(&checked);
  EXPECT_EQ(ui.m_nID, 0x8001u);
  EXPECT_EQ(ui.m_pOther, nullptr);
  ui.SetCheck(0);
  EXPECT_FALSE(checked.IsChecked());
  ui.SetText(nullptr);
  EXPECT_TRUE(checked.m_strMenuText.IsEmpty());
}

TEST(PopupMenuItem, PutCheckMarkReturnsThePreviousMark) {
  CExtPopupMenuWnd::MENUITEMDATA item;
  EXPECT_EQ(item.m_nStateFlags, 0x40);  // new items are enabled
  EXPECT_FALSE(item.PutCheckMark(true));
  EXPECT_TRUE(item.IsChecked());
  EXPECT_EQ(item.m_nStateFlags, 0x50);
  EXPECT_TRUE(item.PutCheckMark(true));
  EXPECT_TRUE(item.PutCheckMark(false));
  EXPECT_FALSE(item.PutCheckMark(false));
  EXPECT_EQ(item.m_nStateFlags, 0x40);
}

}  // namespace
