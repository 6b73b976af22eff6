// Command profiles and the command manager: storing, merging and dropping commands with
// their icons, fresh ids, basic marks, the usage archive's bytes, copies of profiles, profiles
// by name and windows bound to them (through parents and the dock site of a control bar).
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/foundation/cmd_icon.h"
#include "toolkit/foundation/cmd_manager.h"
#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/pm_holder.h"

namespace {

// A small icon told apart by its width.
CExtCmdIcon* MakeIcon(int width) {
  auto* icon = new CExtCmdIcon;
  EXPECT_TRUE(icon->CreateTransparentIcon(nullptr, RGB(1, 2, 3), width, 2));
  return icon;
}

int IconWidth(const CExtCmdIcon* icon) { return icon != nullptr ? icon->GetPixelSize().cx : -1; }

TEST(CmdProfile, PutCommandCopiesNewCommandsAndUpdatesExistingOnes) {
  CExtCmdProfile profile(L"p");
  bool added = true;
  EXPECT_FALSE(profile.PutCommand(CExtCmdItem(0), false, &added));
  EXPECT_FALSE(added);
  EXPECT_FALSE(profile.PutCommand(CExtCmdItem(0x80000000u)));

  CExtCmdItem first(0x8001);
  first.m_strMenuText = L"&Open";
  first.m_strToolTipText = L"Open";
  ASSERT_TRUE(profile.PutCommand(first, false, &added));
  EXPECT_TRUE(added);
  CExtCmdItem* stored = profile.FindCommand(0x8001);
  ASSERT_NE(stored, nullptr);
  EXPECT_NE(stored, &first);
  EXPECT_EQ(stored->m_pProfile, &profile);
  EXPECT_EQ(first.m_pProfile, nullptr);
  EXPECT_EQ(stored->m_strMenuText, L"&Open");

  CExtCmdItem second(0x8001);
  second.m_strMenuText = L"&Load";
  second.m_strStatusTipText = L"Loads";
  ASSERT_TRUE(profile.PutCommand(second, false, &added));
  EXPECT_FALSE(added);
  EXPECT_EQ(stored->m_strMenuText, L"&Open");  // without replace only empty texts are filled
  EXPECT_EQ(stored->m_strStatusTipText, L"Loads");
  second.m_strMenuText = L"&Read";
  ASSERT_TRUE(profile.PutCommand(second, true));
  EXPECT_EQ(stored->m_strMenuText, L"&Read");
  EXPECT_EQ(stored->m_strToolTipText, L"Open");  // an empty text does not overwrite

  EXPECT_TRUE(profile.HasCommand(0x8001));
  EXPECT_FALSE(profile.HasCommand(0x8002));
  EXPECT_EQ(profile.FindCommand(0), nullptr);
  EXPECT_EQ(profile.FindCommand(0xFFFFFFFFu), nullptr);
}

TEST(CmdProfile, AForeignIconIndexNeverReachesTheProfile) {
  CExtCmdProfile profile(L"p");
  ASSERT_TRUE(profile.NewCommand(0x8001));
  ASSERT_TRUE(profile.SetCommandIcon(0x8001, MakeIcon(3), true));
  CExtCmdItem stray(0x8002);
  stray.m_nIconIndex = 0;  // an index of some other icon array
  ASSERT_TRUE(profile.PutCommand(stray));
  EXPECT_EQ(profile.FindCommand(0x8002)->m_nIconIndex, -1);
  EXPECT_EQ(profile.FindCommandIcon(0x8002), nullptr);
  ASSERT_TRUE(profile.PutCommand(stray, true));
  EXPECT_EQ(profile.FindCommand(0x8002)->m_nIconIndex, -1);
  // Dropping it therefore leaves the other command's icon alone.
  ASSERT_TRUE(profile.DropCommand(0x8002));
  EXPECT_EQ(IconWidth(profile.FindCommandIcon(0x8001)), 3);
}

TEST(CmdProfile, NewCommandFindsFreeIdsDownwardFromFFFE) {
  CExtCmdProfile profile(L"p");
  CExtCmdItem* item = profile.NewCommand();
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->m_nCommandId, 0xFFFEu);
  EXPECT_EQ(profile.NewCommand(0xFFFE), nullptr);  // taken
  ASSERT_NE(profile.NewCommand(0xFFFD), nullptr);
  EXPECT_EQ(profile.NewCommand()->m_nCommandId, 0xFFFCu);
  for (UINT id = 1; id <= 0xFFFE; ++id) {
    if (!profile.HasCommand(id)) {
      ASSERT_TRUE(profile.PutCommand(CExtCmdItem(id)));
    }
  }
  EXPECT_EQ(profile.NewCommand(), nullptr);
  profile.ClearCommands();
  EXPECT_EQ(profile.m_mapCommands.GetCount(), 0);
}

TEST(CmdProfile, IconsFollowTheirCommandsWhenOthersAreDropped) {
  CExtCmdProfile profile(L"p");
  for (UINT id : {0x8001u, 0x8002u, 0x8003u, 0x8004u}) ASSERT_NE(profile.NewCommand(id), nullptr);
  EXPECT_FALSE(profile.SetCommandIcon(0x8009, nullptr));  // no such command
  ASSERT_TRUE(profile.SetCommandIcon(0x8001, MakeIcon(3), true));
  ASSERT_TRUE(profile.SetCommandIcon(0x8002, MakeIcon(4), true));
  CExtCmdIcon* offered = MakeIcon(5);
  ASSERT_TRUE(profile.SetCommandIcon(0x8003, offered, false));  // the profile copies it
  EXPECT_NE(profile.FindCommandIcon(0x8003), offered);
  delete offered;
  EXPECT_EQ(profile.FindCommand(0x8003)->m_nIconIndex, 2);
  EXPECT_EQ(profile.FindCommandIcon(0x8004), nullptr);

  bool removed = false;
  ASSERT_TRUE(profile.DropCommand(0x8002, &removed));
  EXPECT_TRUE(removed);
  EXPECT_EQ(profile.m_arrIcons.GetSize(), 2);
  EXPECT_EQ(profile.FindCommand(0x8001)->m_nIconIndex, 0);
  EXPECT_EQ(profile.FindCommand(0x8003)->m_nIconIndex, 1);
  EXPECT_EQ(IconWidth(profile.FindCommandIcon(0x8003)), 5);
  ASSERT_TRUE(profile.DropCommand(0x8002, &removed));  // absent: true, nothing removed
  EXPECT_FALSE(removed);
  EXPECT_FALSE(profile.DropCommand(0));

  // Replacing, copying over, and removing an icon.
  ASSERT_TRUE(profile.SetCommandIcon(0x8001, MakeIcon(7), true));
  EXPECT_EQ(IconWidth(profile.FindCommandIcon(0x8001)), 7);
  CExtCmdIcon copyFrom;
  copyFrom.CreateTransparentIcon(nullptr, RGB(9, 9, 9), 8, 2);
  ASSERT_TRUE(profile.SetCommandIcon(0x8001, &copyFrom, false));
  EXPECT_EQ(IconWidth(profile.FindCommandIcon(0x8001)), 8);
  CExtCmdIcon* blank = new CExtCmdIcon;
  ASSERT_TRUE(profile.SetCommandIcon(0x8001, blank, true));  // a blank icon removes (and is deleted)
  EXPECT_EQ(profile.FindCommand(0x8001)->m_nIconIndex, -1);
  EXPECT_EQ(profile.m_arrIcons.GetSize(), 1);
  EXPECT_EQ(profile.FindCommand(0x8003)->m_nIconIndex, 0);
  EXPECT_EQ(IconWidth(profile.FindCommandIcon(0x8003)), 5);
}

TEST(CmdProfile, DropCommandsByFlagsRemovesMenuBarPlaceholders) {
  CExtCmdProfile profile(L"p");
  for (UINT id : {0x8001u, 0x8002u, 0x8003u, 0x8004u}) ASSERT_NE(profile.NewCommand(id), nullptr);
  profile.FindCommand(0x8001)->SetMenuBarPlaceholder(true);
  profile.FindCommand(0x8002)->m_dwState = 0x40 | 0x10;
  profile.FindCommand(0x8003)->SetBasic(true);
  ASSERT_TRUE(profile.SetCommandIcon(0x8002, MakeIcon(3), true));
  ASSERT_TRUE(profile.SetCommandIcon(0x8004, MakeIcon(4), true));

  profile.DropCommandsByFlags(0x50, 0, true, false);  // both bits needed
  EXPECT_TRUE(profile.HasCommand(0x8001));
  EXPECT_FALSE(profile.HasCommand(0x8002));
  EXPECT_EQ(profile.FindCommand(0x8004)->m_nIconIndex, 0);
  profile.DropCommandsByFlags(0x40);
  EXPECT_FALSE(profile.HasCommand(0x8001));
  EXPECT_TRUE(profile.HasCommand(0x8003));
  EXPECT_TRUE(profile.HasCommand(0x8004));
  profile.FindCommand(0x8004)->SetExtraFlag1(true);
  profile.DropCommandsByFlags(0, 1);
  EXPECT_FALSE(profile.HasCommand(0x8004));
  EXPECT_EQ(profile.m_arrIcons.GetSize(), 0);
}

TEST(CmdProfile, MarkBasicCommandsReportsUnknownAndSystemIds) {
  CExtCmdProfile profile(L"p");
  ASSERT_TRUE(profile.PutCommand(CExtCmdItem(0xE100)));
  ASSERT_TRUE(profile.PutCommand(CExtCmdItem(0x8001)));
  ASSERT_TRUE(profile.PutCommand(CExtCmdItem(0xF060)));
  const UINT withSystem[] = {0xE100, 0xF060, 0};
  EXPECT_FALSE(profile.MarkBasicCommands(withSystem));
  EXPECT_TRUE(profile.FindCommand(0xE100)->m_dwState & 0x10);
  EXPECT_FALSE(profile.FindCommand(0xF060)->m_dwState & 0x10);
  const UINT withUnknown[] = {0x8001, 0x8009, 0};
  EXPECT_FALSE(profile.MarkBasicCommands(withUnknown));
  EXPECT_TRUE(profile.FindCommand(0x8001)->IsBasic());
  const UINT known[] = {0x8001, 0};
  EXPECT_TRUE(profile.MarkBasicCommands(known, false));
  EXPECT_FALSE(profile.FindCommand(0x8001)->IsBasic());
  EXPECT_FALSE(profile.MarkBasicCommands(nullptr));
}

std::vector<BYTE> StoreUsage(CExtCmdProfile& profile) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    EXPECT_TRUE(profile.SerializeUsage(ar));
  }
  std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

std::vector<BYTE> Words(std::initializer_list<DWORD> values) {
  std::vector<BYTE> bytes;
  for (DWORD v : values)
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<BYTE>(v >> (8 * i)));
  return bytes;
}

bool LoadUsage(CExtCmdProfile& profile, std::vector<BYTE> bytes, bool rethrow = false) {
  CMemFile file;
  file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  return profile.SerializeUsage(ar, rethrow);
}

TEST(CmdProfileUsage, ArchiveHoldsTheTotalAndTheUsedOrdinaryCommands) {
  CExtCmdProfile profile(L"p");
  ASSERT_NE(profile.NewCommand(0x8004), nullptr);
  ASSERT_NE(profile.NewCommand(0x8005), nullptr);  // never used: not archived
  for (int i = 0; i < 7; ++i) profile.FindCommand(0x8004)->IncrementUsage();
  EXPECT_EQ(StoreUsage(profile), Words({0, 0, 0, 0, 0, 7, 0x8004, 7, 0}));

  CExtCmdProfile other(L"q");
  for (UINT id : {0x8004u, 0x8006u, 0xF020u}) ASSERT_NE(other.NewCommand(id), nullptr);
  other.FindCommand(0x8006)->SetBasic(true);
  other.FindCommand(0x8006)->m_nUsageCount = 2;
  other.FindCommand(0xF020)->m_nUsageCount = 1;
  EXPECT_TRUE(LoadUsage(other, Words({9, 9, 9, 9, 9, 40, 0x8004, 30, 0x8006, 5, 0xF020, 6, 0x8888, 4, 0})));
  EXPECT_EQ(other.m_nTotalUsage, 40u);
  EXPECT_EQ(other.FindCommand(0x8004)->GetUsageCount(), 30u);
  EXPECT_EQ(other.FindCommand(0x8006)->GetUsageCount(), 2u);  // basic: kept
  EXPECT_EQ(other.FindCommand(0xF020)->GetUsageCount(), 1u);  // system command: kept
}

TEST(CmdProfileUsage, ATruncatedArchiveFailsAfterApplyingWhatItRead) {
  CExtCmdProfile profile(L"p");
  ASSERT_NE(profile.NewCommand(0x8004), nullptr);
  EXPECT_FALSE(LoadUsage(profile, Words({0, 0, 0, 0, 0, 12, 0x8004, 3})));
  EXPECT_EQ(profile.m_nTotalUsage, 12u);
  EXPECT_EQ(profile.FindCommand(0x8004)->GetUsageCount(), 3u);
  bool thrown = false;
  try {
    LoadUsage(profile, Words({0, 0, 0}), true);
  } catch (CArchiveException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
}

TEST(CmdProfile, AssignProfileCopiesCommandsAndIconsWithValidIndexes) {
  CExtCmdProfile source(L"source");
  source.m_nRarelyUsedPercent = 33;
  source.m_nTotalUsage = 12;
  source.m_dwReserved = 5;
  for (UINT id : {0x8001u, 0x8002u}) ASSERT_NE(source.NewCommand(id), nullptr);
  ASSERT_TRUE(source.SetCommandIcon(0x8002, MakeIcon(6), true));
  source.FindCommand(0x8001)->m_strMenuText = L"One";

  CExtCmdProfile target(L"target");
  ASSERT_NE(target.NewCommand(0x9000), nullptr);
  target.AssignProfile(source);
  EXPECT_EQ(target.m_strName, L"source");
  EXPECT_EQ(target.m_nRarelyUsedPercent, 33u);
  EXPECT_EQ(target.m_nTotalUsage, 12u);
  EXPECT_EQ(target.m_dwReserved, 5u);
  EXPECT_FALSE(target.HasCommand(0x9000));
  ASSERT_TRUE(target.HasCommand(0x8001));
  EXPECT_EQ(target.FindCommand(0x8001)->m_pProfile, &target);
  EXPECT_EQ(target.FindCommand(0x8001)->m_strMenuText, L"One");
  ASSERT_NE(target.FindCommandIcon(0x8002), nullptr);
  EXPECT_NE(target.FindCommandIcon(0x8002), source.FindCommandIcon(0x8002));
  EXPECT_EQ(IconWidth(target.FindCommandIcon(0x8002)), 6);
  target.AssignProfile(target);  // nothing happens
  EXPECT_TRUE(target.HasCommand(0x8001));
}

// ---------------------------------------------------------------------------------------------
// The manager

HWND MakeWindow(HWND parent = nullptr) {
  return ::CreateWindowExW(0, L"STATIC", L"", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, parent, nullptr,
                           ::GetModuleHandleW(nullptr), nullptr);
}

class ManagerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (HWND w : windows) {
      g_CmdManager->UnbindWindow(w);
      ::DestroyWindow(w);
    }
    for (const wchar_t* name : {L"alpha", L"beta"}) {
      CExtCmdProfile* profile = g_CmdManager->ProfileGetPtr(name);
      if (profile != nullptr) {
        g_CmdManager->m_mapProfiles.RemoveKey(name);
        delete profile;
      }
    }
  }
  HWND Window(HWND parent = nullptr) {
    HWND w = MakeWindow(parent);
    windows.push_back(w);
    return w;
  }
  std::vector<HWND> windows;
};

TEST_F(ManagerTest, NullNameMeansDefaultAndEmptyNameFindsNothing) {
  ASSERT_NE(g_CmdManager->ProfileGetPtr(L"default"), nullptr);
  CExtCmdItem* made = g_CmdManager->NewCommand(nullptr, 0x8123);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(g_CmdManager->FindCommand(nullptr, 0x8123), made);
  EXPECT_EQ(g_CmdManager->FindCommand(L"default", 0x8123), made);
  EXPECT_EQ(g_CmdManager->FindCommand(L"", 0x8123), nullptr);
  bool removed = true;
  EXPECT_FALSE(g_CmdManager->DropCommand(L"nobody", 0x8123, &removed));
  EXPECT_FALSE(removed);
  EXPECT_TRUE(g_CmdManager->DropCommand(nullptr, 0x8123, &removed));
  EXPECT_TRUE(removed);
  EXPECT_TRUE(g_CmdManager->EnsureProfile(L""));  // the empty name means "default" here
  EXPECT_EQ(g_CmdManager->m_mapProfiles.GetCount(), 1);
}

TEST_F(ManagerTest, TwoProfilesKeepTheirOwnCommands) {
  HWND a = Window(), b = Window();
  ASSERT_TRUE(g_CmdManager->EnsureProfile(L"alpha", a));
  ASSERT_TRUE(g_CmdManager->EnsureProfile(L"beta", b));
  CExtCmdItem open(0x8001);
  open.m_strMenuText = L"&Open (alpha)";
  ASSERT_TRUE(g_CmdManager->PutCommandInProfile(L"alpha", open));
  open.m_strMenuText = L"&Open (beta)";
  ASSERT_TRUE(g_CmdManager->PutCommandInProfile(L"beta", open));
  EXPECT_FALSE(g_CmdManager->PutCommandInProfile(L"gamma", open));

  EXPECT_EQ(g_CmdManager->FindCommand(g_CmdManager->LookupWindowProfileName(a), 0x8001)->m_strMenuText,
            L"&Open (alpha)");
  EXPECT_EQ(g_CmdManager->FindCommand(g_CmdManager->LookupWindowProfileName(b), 0x8001)->m_strMenuText,
            L"&Open (beta)");
  CExtCmdIcon icon;
  icon.CreateTransparentIcon(nullptr, RGB(4, 4, 4), 6, 6);
  ASSERT_TRUE(g_CmdManager->SetCommandIcon(L"alpha", 0x8001, &icon));
  EXPECT_EQ(IconWidth(g_CmdManager->FindCommandIcon(L"alpha", 0x8001)), 6);
  EXPECT_EQ(g_CmdManager->FindCommandIcon(L"beta", 0x8001), nullptr);
  CExtCmdIcon blank;
  ASSERT_TRUE(g_CmdManager->SetCommandIcon(L"alpha", 0x8001, &blank));
  EXPECT_EQ(g_CmdManager->FindCommandIcon(L"alpha", 0x8001), nullptr);
  g_CmdManager->ClearProfileCommands(L"beta");
  EXPECT_EQ(g_CmdManager->FindCommand(L"beta", 0x8001), nullptr);
  EXPECT_NE(g_CmdManager->FindCommand(L"alpha", 0x8001), nullptr);
}

TEST_F(ManagerTest, BindingKeepsTheFirstProfileUntilUnbound) {
  HWND a = Window();
  ASSERT_TRUE(g_CmdManager->EnsureProfile(L"alpha", a));
  ASSERT_TRUE(g_CmdManager->EnsureProfile(L"beta", a));  // bound already: keeps alpha
  EXPECT_STREQ(g_CmdManager->LookupWindowProfileName(a), L"alpha");
  EXPECT_FALSE(g_CmdManager->BindWindow(L"gamma", a));
  EXPECT_FALSE(g_CmdManager->BindWindow(L"alpha", nullptr));
  EXPECT_TRUE(g_CmdManager->UnbindWindow(a));
  EXPECT_EQ(g_CmdManager->LookupWindowProfileName(a), nullptr);
  EXPECT_FALSE(g_CmdManager->UnbindWindow(a));
  EXPECT_FALSE(g_CmdManager->UnbindWindow(nullptr));
  ASSERT_TRUE(g_CmdManager->BindWindow(L"beta", a));
  EXPECT_STREQ(g_CmdManager->LookupWindowProfileName(a), L"beta");
  EXPECT_NE(g_CmdManager->ProfileGetPtr(L"alpha"), nullptr);  // unbinding alone drops nothing
}

TEST_F(ManagerTest, AnAdoptedProfileIsTakenOnlyUnderANewName) {
  auto* adopted = new CExtCmdProfile(L"other name");
  ASSERT_TRUE(g_CmdManager->EnsureProfile(L"alpha", nullptr, adopted));
  EXPECT_EQ(g_CmdManager->ProfileGetPtr(L"alpha"), adopted);
  EXPECT_EQ(adopted->m_strName, L"alpha");
  CExtCmdProfile spare(L"alpha");
  ASSERT_TRUE(g_CmdManager->EnsureProfile(L"alpha", nullptr, &spare));
  EXPECT_EQ(g_CmdManager->ProfileGetPtr(L"alpha"), adopted);
}

TEST_F(ManagerTest, UnbindingTheLastWindowCanDropTheProfile) {
  HWND a = Window(), b = Window();
  ASSERT_TRUE(g_CmdManager->EnsureProfile(L"alpha", a));
  ASSERT_TRUE(g_CmdManager->BindWindow(L"alpha", b));
  bool dropped = true;
  EXPECT_TRUE(g_CmdManager->UnbindWindow(a, true, &dropped));
  EXPECT_FALSE(dropped);  // b still uses it
  EXPECT_NE(g_CmdManager->ProfileGetPtr(L"alpha"), nullptr);
  EXPECT_TRUE(g_CmdManager->UnbindWindow(b, true, &dropped));
  EXPECT_TRUE(dropped);
  EXPECT_EQ(g_CmdManager->ProfileGetPtr(L"alpha"), nullptr);
}

TEST_F(ManagerTest, ChildWindowsFindTheProfileOfTheirBoundAncestor) {
  HWND frame = Window();
  HWND child = Window(frame);
  HWND grandChild = Window(child);
  HWND loose = Window();
  ASSERT_TRUE(g_CmdManager->EnsureProfile(L"alpha", frame));
  EXPECT_STREQ(g_CmdManager->LookupWindowProfileName(grandChild), L"alpha");
  EXPECT_STREQ(g_CmdManager->LookupWindowProfileName(child), L"alpha");
  EXPECT_EQ(g_CmdManager->LookupWindowProfileName(loose), nullptr);
  EXPECT_EQ(g_CmdManager->LookupWindowProfileName(nullptr), nullptr);
  ASSERT_TRUE(g_CmdManager->EnsureProfile(L"beta", child));
  EXPECT_STREQ(g_CmdManager->LookupWindowProfileName(grandChild), L"beta");
}

TEST_F(ManagerTest, AControlInAToolBarFindsTheDockSitesProfileAlsoWhileFloating) {
  HWND mainFrame = Window();
  HWND floatingFrame = Window();  // the bar's own small frame: not bound
  HWND barWindow = Window(mainFrame);
  HWND control = Window(barWindow);
  ASSERT_TRUE(g_CmdManager->EnsureProfile(L"alpha", mainFrame));
  ASSERT_TRUE(g_CmdManager->EnsureProfile(L"beta", floatingFrame));

  CFrameWnd dockSite;
  dockSite.Attach(mainFrame);
  CControlBar bar;
  bar.Attach(barWindow);
  bar.m_pDockSite = &dockSite;
  EXPECT_STREQ(g_CmdManager->LookupWindowProfileName(control), L"alpha");
  ::SetParent(barWindow, floatingFrame);
  EXPECT_STREQ(g_CmdManager->LookupWindowProfileName(control), L"alpha");
  // Without a dock site the walk goes on through the real parent.
  bar.m_pDockSite = nullptr;
  EXPECT_STREQ(g_CmdManager->LookupWindowProfileName(control), L"beta");
  bar.Detach();
  dockSite.Detach();
}

// Icons that count the changes passed on to them.
struct CountingIcon : CExtCmdIcon {
  int changed = 0, disabled = 0, setting = 0, display = 0, theme = 0;
  void OnPaintManagerChanged() override { ++changed; }
  void BuildDisabledImage(CExtPaintManager*) override { ++disabled; }
  void OnSettingChange(CExtPaintManager*, UINT, LPCTSTR) override { ++setting; }
  void OnDisplayChange(CExtPaintManager*, UINT, int, int) override { ++display; }
  void OnThemeChanged(CExtPaintManager*, WPARAM, LPARAM) override { ++theme; }
};

TEST_F(ManagerTest, ChangesReachEveryIconOfEveryProfile) {
  ASSERT_TRUE(g_CmdManager->EnsureProfile(L"alpha"));
  ASSERT_TRUE(g_CmdManager->EnsureProfile(L"beta"));
  auto* first = new CountingIcon;
  auto* second = new CountingIcon;
  ASSERT_TRUE(first->CreateTransparentIcon(nullptr, RGB(1, 1, 1), 4, 4));
  ASSERT_TRUE(second->CreateTransparentIcon(nullptr, RGB(1, 1, 1), 4, 4));
  ASSERT_NE(g_CmdManager->NewCommand(L"alpha", 0x8001), nullptr);
  ASSERT_NE(g_CmdManager->NewCommand(L"alpha", 0x8002), nullptr);  // without an icon
  ASSERT_NE(g_CmdManager->NewCommand(L"beta", 0x8001), nullptr);
  ASSERT_TRUE(g_CmdManager->ProfileGetPtr(L"alpha")->SetCommandIcon(0x8001, first, true));
  ASSERT_TRUE(g_CmdManager->ProfileGetPtr(L"beta")->SetCommandIcon(0x8001, second, true));

  g_CmdManager.RelayPaintManagerChanged();
  g_CmdManager->OnSysColorChangeAllProfiles(nullptr);
  g_CmdManager->OnSettingChangeAllProfiles(nullptr, 0, nullptr);
  g_CmdManager->OnDisplayChangeAllProfiles(nullptr, 32, 800, 600);
  g_CmdManager->OnThemeChangedAllProfiles(nullptr, 0, 0);
  for (CountingIcon* icon : {first, second}) {
    EXPECT_EQ(icon->changed, 1);
    EXPECT_EQ(icon->disabled, 1);
    EXPECT_EQ(icon->setting, 1);
    EXPECT_EQ(icon->display, 1);
    EXPECT_EQ(icon->theme, 1);
  }
  // Broadcasts pass only when the paint-manager holder lets this window forward them.
  HWND loose = Window();
  CWnd looseWnd;
  looseWnd.Attach(loose);
  g_PaintManagerHolder.m_forwardBroadcasts = false;
  g_CmdManager.RelaySysColorChange(nullptr, &looseWnd);
  g_CmdManager.RelaySettingChange(nullptr, &looseWnd, 0, nullptr);
  g_CmdManager.RelayDisplayChange(nullptr, &looseWnd, 32, 1, 1);
  g_CmdManager.RelayThemeChanged(nullptr, &looseWnd, 0, 0);
  EXPECT_EQ(first->disabled + first->setting + first->display + first->theme, 4);
  g_PaintManagerHolder.m_forwardBroadcasts = true;
  g_CmdManager.RelaySysColorChange(nullptr, &looseWnd);
  g_CmdManager.RelaySettingChange(nullptr, &looseWnd, 0, nullptr);
  g_CmdManager.RelayDisplayChange(nullptr, &looseWnd, 32, 1, 1);
  g_CmdManager.RelayThemeChanged(nullptr, &looseWnd, 0, 0);
  looseWnd.Detach();
  EXPECT_EQ(first->disabled + first->setting + first->display + first->theme, 8);
  EXPECT_EQ(second->theme, 2);
  // Installing a new paint manager tells every icon through the holder's relay.
  ASSERT_TRUE(g_PaintManagerHolder.ReplaceManager(nullptr));
  EXPECT_EQ(first->changed, 2);
  EXPECT_EQ(second->changed, 2);
}

}  // namespace
