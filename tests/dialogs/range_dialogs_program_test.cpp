// The range dialogs in the running program (which starts with the six seats MP2 to BB), opened
// as a user does: the seat popup's "Range",
// "Percentile" and "Dialog options" commands with real clicks and keys, each placed at its
// seat's launcher and writing its text into the seat on OK only; the borrowed tree back in the
// frame after each; and the explorer buttons beside the seats.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/handbase.h"
#include "gui_harness.h"
#include "live_input.h"
#include "live_program_test.h"
#include "program_runner.h"
#include "temp_folder.h"

namespace {

constexpr int kRange = 3040, kSeatMenu = 3030, kCount = 1440, kExplorer = 1450;
constexpr int kSummary = 1062, kDescription = 1064, kPredefinedTree = 2700;
constexpr wchar_t kExplorerCaption[] = L"Brightfold Vantorn - Omaha - Handrange Explorer";

// What the range language says of a text, in this process from the same tables.
COmahaBase& Base() {
  static COmahaBase base;
  static bool loaded = base.LoadTables(gui::ExeFolder()).Loaded();
  EXPECT_TRUE(loaded);
  return base;
}

class RangeDialogsProgramTest : public LiveProgramTest {
 protected:
  RangeDialogsProgramTest() : LiveProgramTest(L"ovrangecwd", L"ovrangeappdata") {}

  void PrepareFolder() override {
    {
      std::ofstream ini(std::filesystem::path(folder_ / L"PreflopPredefined.ini"));
      ini << "[Predefined]\r\nPot-limit ranges\r\n.Premium {AA**, KK**/ds}\r\n..Top pairs {AA**}\r\nOthers\r\n";
    }
  }

  // The seat's launcher, then the menu item by its underlined letter; the dialog, or null.
  HWND OpenFromSeatMenu(int seat, UINT key, const wchar_t* caption) {
    ActivateFrame();
    ClickOn(Item(kSeatMenu + seat));
    gui::Pump(300);
    live::Key(key);
    HWND window = gui::WaitForWindow(nullptr, caption, program_.Id(), 15000);
    if (window) {
      // Its top-left corner at the launcher's top-right corner.
      RECT rect, launcher;
      ::GetWindowRect(window, &rect);
      ::GetWindowRect(Item(kSeatMenu + seat), &launcher);
      EXPECT_EQ(rect.left, launcher.right) << caption;
      EXPECT_EQ(rect.top, launcher.top) << caption;
      gui::Pump(300);
    }
    return window;
  }
  void End(HWND window, int button) {
    ClickOn(::GetDlgItem(window, button));
    EXPECT_TRUE(apptest::WaitGone(window, 10000));
    gui::Pump(300);
  }
  void ExpectSeatCounts(int seat, const std::wstring& text) {
    Base().SelectRange(text);
    EXPECT_EQ(Text(kCount + seat), std::to_wstring(Base().CountSelectedHands())) << text;
  }
  HWND FrameTree() const { return ::GetDlgItem(frame_, kPredefinedTree); }
};

TEST_F(RangeDialogsProgramTest, RangeSelectionTakesAnEntryAndGivesTheTreeBack) {
  ASSERT_NE(FrameTree(), nullptr);
  EXPECT_FALSE(::IsWindowVisible(FrameTree()));
  HWND dialog = OpenFromSeatMenu(6, 'R', L"Range selection (CO)");
  ASSERT_NE(dialog, nullptr);
  HWND tree = ::GetDlgItem(dialog, kPredefinedTree);
  ASSERT_NE(tree, nullptr) << "the frame's tree is in the dialog";
  EXPECT_TRUE(::IsWindowVisible(tree));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDOK))) << "a caption has no range";
  // Keys in the tree: the first entry, open it, its first child.
  ClickOn(tree);
  for (UINT key : {VK_HOME, VK_RIGHT, VK_DOWN}) live::Key(key);
  gui::Pump(500);
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDOK)));
  Base().SelectRange(L"AA**, KK**/ds");
  EXPECT_EQ(Text(::GetDlgItem(dialog, kSummary)),
            Base().FormatSelectionSummary(Base().CountSelectedClasses(), Base().CountSelectedHands()));
  gui::SaveCapture(gui::CaptureWindow(dialog), L"range_dialogs_predefined");
  End(dialog, IDOK);
  EXPECT_EQ(Text(kRange + 6), L"AA**, KK**/ds");
  ExpectSeatCounts(6, L"AA**, KK**/ds");
  EXPECT_EQ(::GetParent(FrameTree()), frame_) << "back in the frame";
  EXPECT_FALSE(::IsWindowVisible(FrameTree()));

  // Again: the same entry; Escape changes nothing and gives the tree back too.
  dialog = OpenFromSeatMenu(6, 'R', L"Range selection (CO)");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDOK))) << "the entry chosen last";
  ClickOn(::GetDlgItem(dialog, kPredefinedTree));
  live::Key(VK_DOWN);
  live::Key(VK_ESCAPE);
  EXPECT_TRUE(apptest::WaitGone(dialog, 10000));
  gui::Pump(300);
  EXPECT_EQ(Text(kRange + 6), L"AA**, KK**/ds");
  EXPECT_EQ(::GetParent(FrameTree()), frame_);
  EXPECT_FALSE(::IsWindowVisible(FrameTree()));
}

TEST_F(RangeDialogsProgramTest, PercentileAndOptionsWriteTheirTextOnOkOnly) {
  HWND dialog = OpenFromSeatMenu(4, 'P', L"Percentile selection (MP2)");
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDOK)));
  HWND to = ::GetDlgItem(dialog, 1026);
  ClickOn(to);
  live::Key(VK_END);
  live::Key(VK_HOME, {VK_SHIFT});
  for (UINT key : {'1', '5'}) live::Key(key);
  gui::Pump(300);
  EXPECT_EQ(Text(::GetDlgItem(dialog, kDescription)), L"15%:1");
  gui::SaveCapture(gui::CaptureWindow(dialog), L"range_dialogs_percentile");
  End(dialog, IDOK);
  EXPECT_EQ(Text(kRange + 4), L"15%:1");
  ExpectSeatCounts(4, L"15%:1");

  // Cancel keeps the seat's text.
  dialog = OpenFromSeatMenu(4, 'P', L"Percentile selection (MP2)");
  ASSERT_NE(dialog, nullptr);
  End(dialog, IDCANCEL);
  EXPECT_EQ(Text(kRange + 4), L"15%:1");

  dialog = OpenFromSeatMenu(5, 'D', L"Dialog options (MP3)");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Text(::GetDlgItem(dialog, kDescription)).empty(), false);
  ClickOn(::GetDlgItem(dialog, 3124));  // double suited
  ClickOn(::GetDlgItem(dialog, 3110));  // no pairs
  gui::Pump(300);
  gui::SaveCapture(gui::CaptureWindow(dialog), L"range_dialogs_options");
  End(dialog, IDOK);
  EXPECT_EQ(Text(kRange + 5), L"****/np/ds");
  ExpectSeatCounts(5, L"****/np/ds");
}

TEST_F(RangeDialogsProgramTest, ExplorerButtonsShowTheSeatsRange) {
  ::SendMessageW(Item(kRange + 7), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"KK**/ds"));
  gui::Pump(300);
  ASSERT_TRUE(::IsWindowEnabled(Item(kExplorer + 7)));
  ActivateFrame();
  ClickOn(Item(kExplorer + 7));
  HWND explorer = gui::WaitForWindow(nullptr, kExplorerCaption, program_.Id(), 15000);
  ASSERT_NE(explorer, nullptr);
  gui::Pump(500);
  Base().SelectRange(L"KK**/ds");
  EXPECT_EQ(Text(::GetDlgItem(explorer, kSummary)),
            Base().FormatSelectionSummary(Base().CountSelectedClasses(), Base().CountSelectedHands()));
  gui::SaveCapture(gui::CaptureWindow(explorer), L"range_dialogs_explorer");
  End(explorer, IDCANCEL);
  EXPECT_EQ(Text(kRange + 7), L"KK**/ds") << "nothing comes back";
}

}  // namespace
