// Rules of the frame and the application object that need no window: keeping windows on the
// desktop, the game's name in captions, and the message about the table files.
#include <gtest/gtest.h>

#include "app/main_frame.h"
#include "app/omaha_app.h"
#include "app/table_loading.h"

namespace {

const RECT kDesktop = {-1280, 0, 1920, 1040};  // two monitors, the left one at negative x

TEST(ClampToDesktop, KeepsWindowsOnTheDesktop) {
  struct Case {
    int left, width, top, height;
    int wantLeft, wantTop;
  } cases[] = {
      {100, 400, 100, 300, 100, 100},      // inside: unchanged
      {-2000, 400, -50, 300, -1280, 0},    // left of and above the desktop
      {1700, 400, 900, 300, 1520, 740},    // right and bottom edges aligned with the desktop's
      {1920, 0, 1040, 0, -1280, 0},        // no size: at or beyond the far edges goes to the near ones
      {1919, 0, 1039, 0, 1919, 1039},
      {-1280, 3200, 0, 1040, -1280, 0},    // exactly the desktop's size
      {500, 3400, 300, 1200, -1280, 0},    // larger than the desktop: its corner on it
  };
  for (const Case& c : cases) {
    int left = c.left, top = c.top;
    ClampToDesktopRect(kDesktop, &left, c.width, &top, c.height);
    EXPECT_EQ(left, c.wantLeft) << c.left << "," << c.width;
    EXPECT_EQ(top, c.wantTop) << c.top << "," << c.height;
  }
}

TEST(ClampToDesktop, AnUnmeasuredDesktopMovesNothing) {
  int left = 100, top = 50;
  ClampToDesktopRect(RECT{0, 0, 0, 0}, &left, 560, &top, 350);
  EXPECT_EQ(left, 100);
  EXPECT_EQ(top, 50);
}

TEST(ClampFramePosition, PullsASavedPositionBackOntoTheDesktop) {
  struct Case {
    int left, top, wantLeft, wantTop;
  } cases[] = {
      {200, 150, 200, 150},
      {-32000, -32000, -1280, 0},  // where a minimized window is
      {-1000, 10, -1000, 10},      // on the left monitor
      {1920, 1040, -1280, 0},
      {5000, 20, -1280, 20},
  };
  for (const Case& c : cases) {
    int left = c.left, top = c.top;
    ClampFramePosition(kDesktop, &left, &top);
    EXPECT_EQ(left, c.wantLeft) << c.left;
    EXPECT_EQ(top, c.wantTop) << c.top;
  }
  // A negative top becomes 0 even where the desktop reaches above 0.
  int left = 0, top = -100;
  ClampFramePosition(RECT{0, -500, 800, 600}, &left, &top);
  EXPECT_EQ(top, 0);
}

TEST(ApplyGameVariantToTitle, NamesOmahaHiLoOnlyInThatGame) {
  CString title = L"Brightfold Vantorn - Omaha";
  ApplyGameVariantToTitle(title, false);
  EXPECT_STREQ(title, L"Brightfold Vantorn - Omaha");
  ApplyGameVariantToTitle(title, true);
  EXPECT_STREQ(title, L"Brightfold Vantorn - Omaha Hi/Lo");
  ApplyGameVariantToTitle(title, true);
  EXPECT_STREQ(title, L"Brightfold Vantorn - Omaha Hi/Lo") << "a second call changes nothing";

  CString page = L"Omaha range explorer (Omaha)";
  ApplyGameVariantToTitle(page, true);
  EXPECT_STREQ(page, L"Omaha Hi/Lo range explorer (Omaha Hi/Lo)");
}

TableFileReport Report(TableFileStatus status, std::size_t size = 0) {
  TableFileReport report;
  report.status = status;
  report.size = size;
  return report;
}

TEST(DescribeTableLoad, SaysNothingWhenBothTablesLoaded) {
  TableLoadResult result;
  result.classFile = Report(TableFileStatus::Loaded);
  result.handFile = Report(TableFileStatus::Loaded);
  result.agreement = Report(TableFileStatus::Loaded);
  EXPECT_TRUE(DescribeTableLoad(result, L"C:\\Program").IsEmpty());
}

TEST(DescribeTableLoad, NamesEachMissingOrDamagedFile) {
  TableLoadResult missing;
  missing.classFile = Report(TableFileStatus::Missing);
  missing.handFile = Report(TableFileStatus::Loaded);
  missing.agreement = Report(TableFileStatus::Missing);
  const CString text = DescribeTableLoad(missing, L"C:\\Program");
  EXPECT_STREQ(text,
               L"The table file \"Omaha.bin\" was not found in the folder \"C:\\Program\".\n"
               L"The starting-hand tables are incomplete; reinstall the program to repair them.");

  TableLoadResult both;
  both.classFile = Report(TableFileStatus::WrongSize, 10);
  both.handFile = Report(TableFileStatus::Missing);
  const CString mixed = DescribeTableLoad(both, L"D:\\x");
  EXPECT_GE(mixed.Find(L"\"Combos.bin\" was not found in the folder \"D:\\x\""), 0);
  EXPECT_GE(mixed.Find(L"\"Omaha.bin\" has 10 bytes"), 0);
  const int advice = mixed.Find(L"reinstall");
  EXPECT_GT(advice, mixed.ReverseFind(L'\n')) << "the advice comes last";
  EXPECT_EQ(mixed.Find(L"reinstall", advice + 1), -1) << "and only once";
}

}  // namespace
