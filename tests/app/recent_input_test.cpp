// Input histories: a most-recently-used list of at most ten distinct trimmed texts per seat,
// without the all-hands words, stored under "Combo<seat>Text<entry>" without gaps or stale keys.
#include <gtest/gtest.h>

#include <vector>

#include "app/app_utils.h"
#include "app/recent_input.h"
#include "app/settings.h"
#include "temp_folder.h"

namespace {

CWinApp g_testApp(L"RecentInputTest");

std::vector<CString> List(std::initializer_list<const wchar_t*> texts) {
  std::vector<CString> list;
  for (const wchar_t* t : texts) list.emplace_back(t);
  return list;
}

TEST(RecentInput, KeepsTenDistinctTrimmedTextsNewestFirst) {
  const struct {
    const char* what;
    std::vector<CString> before;
    const wchar_t* text;
    bool added;
    std::vector<CString> after;
  } cases[] = {
      {"first text", {}, L"AA", true, List({L"AA"})},
      {"trimmed", List({L"AA"}), L"  KK**\t", true, List({L"KK**", L"AA"})},
      {"repeat moves to the top", List({L"KK", L"QQ", L"AA"}), L"AA", true, List({L"AA", L"KK", L"QQ"})},
      {"repeat of the newest", List({L"AA", L"KK"}), L" AA ", true, List({L"AA", L"KK"})},
      {"case counts", List({L"aa"}), L"AA", true, List({L"AA", L"aa"})},
      {"empty", List({L"AA"}), L"   ", false, List({L"AA"})},
      {"all hands word", List({L"AA"}), L"random", false, List({L"AA"})},
      {"all hands pattern", List({L"AA"}), L" **** ", false, List({L"AA"})},
      {"word in other case is a range", {}, L"Random", true, List({L"Random"})},
      {"eleventh pushes the oldest out",
       List({L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"10"}),
       L"new",
       true,
       List({L"new", L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9"})},
      {"repeat in a full list keeps all others",
       List({L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"10"}),
       L"10",
       true,
       List({L"10", L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9"})},
  };
  for (const auto& c : cases) {
    std::vector<CString> list = c.before;
    EXPECT_EQ(AddToRecentInput(list, c.text, L"random"), c.added) << c.what;
    EXPECT_EQ(list, c.after) << c.what;
  }
}

class RecentInputStore : public ::testing::Test {
 protected:
  void SetUp() override {
    ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", root_.Path().c_str());
    ResetAppDataFolderCache();
    swap_ = RedirectProfileToAppData();
  }
  void TearDown() override {
    swap_->Restore(&g_testApp);
    delete swap_;
    ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", nullptr);
    ResetAppDataFolderCache();
  }
  CString Stored(int seat, int entry) {
    return g_testApp.GetProfileString(kSectionRecentInput, RecentInputKey(seat, entry), L"<absent>");
  }
  apptest::TempFolder root_;
  ProfileNameSwap* swap_ = nullptr;
};

TEST_F(RecentInputStore, GapsCloseUpAndAStaleKeyDoesNotComeBackTwice) {
  EXPECT_STREQ(RecentInputKey(3, 5), L"Combo3Text5");
  EXPECT_TRUE(ReadRecentInput(g_testApp, 3).empty()) << "no section yet";

  g_testApp.WriteProfileString(kSectionRecentInput, L"Combo3Text5", L"AKQJ");
  g_testApp.WriteProfileString(kSectionRecentInput, L"Combo3Text7", L"  T9 ");
  g_testApp.WriteProfileString(kSectionRecentInput, L"Combo3Text9", L"AKQJ");
  g_testApp.WriteProfileString(kSectionRecentInput, L"Combo4Text0", L"KK");
  std::vector<CString> seat3 = ReadRecentInput(g_testApp, 3);
  EXPECT_EQ(seat3, List({L"AKQJ", L"T9"}));

  // Saved after one more evaluation: keys 0 to 2, the old keys 5 to 9 gone, seat 4 untouched.
  ASSERT_TRUE(AddToRecentInput(seat3, L"QQ", L"random"));
  WriteRecentInput(g_testApp, 3, seat3);
  EXPECT_STREQ(Stored(3, 0), L"QQ");
  EXPECT_STREQ(Stored(3, 1), L"AKQJ");
  EXPECT_STREQ(Stored(3, 2), L"T9");
  for (int entry = 3; entry < kRecentInputEntries; ++entry) EXPECT_STREQ(Stored(3, entry), L"<absent>") << entry;
  EXPECT_STREQ(Stored(4, 0), L"KK");
  EXPECT_EQ(ReadRecentInput(g_testApp, 3), seat3) << "the next start shows the same list";
}

}  // namespace
