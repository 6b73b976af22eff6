// The hand range explorer as a user meets it: the page lists what the range language selects
// (classes sorted by a ranking or hands), the limit, the two display modes, the stored options
// and window size, the progress dialog of long listings with Stop, and an unreadable text.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls/progress_dialog_ids.h"
#include "dialogs/handrange_explorer_dialog.h"
#include "range_dialog_harness.h"
#include "range_dialogs.h"

namespace {

COmahaVantornApp g_app;

constexpr wchar_t kSection[] = L"HandRangeExplorer";
constexpr wchar_t kPageStart[] =
    L"<HTML><BODY leftmargin=2 topmargin=2 rightmargin=2 bottommargin=2>\n<font face=Tahoma size=2>\n";
constexpr wchar_t kPageEnd[] = L"</font>\n</BODY></HTML>\n";

int CountItems(const std::wstring& list) {
  if (list.empty()) return 0;
  int n = 1;
  for (size_t at = list.find(L", "); at != std::wstring::npos; at = list.find(L", ", at + 2)) ++n;
  return n;
}

class HandrangeExplorerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { rangetest::Environment::LoadTables(g_app); }

  void Open(const wchar_t* text) {
    Close();
    owned_ = std::make_unique<CHandrangeExplorerDialog>();
    owned_->m_rangeText = text;
    ASSERT_TRUE(owned_->Create(IDD_HANDRANGE_EXPLORER, nullptr));
    owned_->ShowWindow(SW_SHOW);
    owned_->UpdateWindow();
  }
  // Destroys the window; its settings are written then.
  void Close() {
    if (owned_ && owned_->GetSafeHwnd()) owned_->DestroyWindow();
  }
  void TearDown() override { Close(); }
  HWND Hwnd() const { return owned_->GetSafeHwnd(); }
  CHandrangeExplorerDialog& Dialog() { return *owned_; }
  // The page the core's listing gives for the text.
  std::wstring ClassesPage(const wchar_t* text, int limit, int row, int patternForm) {
    COmahaBase& base = g_app.m_handBase;
    base.SelectRange(text);
    std::wstring list;
    base.ListSelectedClasses(list, patternForm, limit, row, g_app.m_useHiLo ? 1 : 0, nullptr);
    return kPageStart + list + kPageEnd;
  }
  std::wstring HandsPage(const wchar_t* text, int limit) {
    COmahaBase& base = g_app.m_handBase;
    base.SelectRange(text);
    std::wstring list;
    base.ListSelectedHands(list, limit, 0, L"", nullptr);
    return kPageStart + list + kPageEnd;
  }

  rangetest::Environment env_;
  std::unique_ptr<CHandrangeExplorerDialog> owned_;
};

TEST_F(HandrangeExplorerTest, ListsWhatTheRangeLanguageSelectsInBothModes) {
  env_.WriteIni(kSection, L"ComboSortedValue", L"2");
  Open(L"AA**, KK**/ds");
  const rangetest::Counts counts = rangetest::CoreCounts(L"AA**, KK**/ds");
  ASSERT_GT(counts.classes, 100);
  EXPECT_EQ(Dialog().m_selectedClassCount, counts.classes);
  EXPECT_EQ(Dialog().m_selectedHandCount, counts.hands);
  EXPECT_EQ(rangetest::Text(Hwnd(), IDC_RANGE_SUMMARY), rangetest::CoreSummary(L"AA**, KK**/ds"));
  // Each item described, joined by what stood between them.
  EXPECT_EQ(rangetest::Text(Hwnd(), IDC_EXPLORER_DESCRIPTION),
            COmahaHand(L"AA**").FormatDescription() + L", " + COmahaHand(L"KK**/ds").FormatDescription());
  EXPECT_EQ(std::wstring(Dialog().m_pageHtml), ClassesPage(L"AA**, KK**/ds", 100, 2, 1)) << "100 classes by row 2";
  EXPECT_TRUE(rangetest::Enabled(Hwnd(), IDC_EXPLORER_COLOURED));
  EXPECT_FALSE(rangetest::Enabled(Hwnd(), IDC_EXPLORER_PICTURES));
  gui::SaveCapture(gui::CaptureWindow(Hwnd()), L"explorer_classes");

  // The limit: every entry of the box against the core's listing.
  const struct {
    int selection, limit;
  } limits[] = {{1, 200}, {4, -1}, {0, 100}};
  for (const auto& c : limits) {
    rangetest::Choose(Hwnd(), IDC_EXPLORER_LIMIT, c.selection);
    EXPECT_EQ(Dialog().m_itemLimit, c.limit);
    const int expected = c.limit < 0 ? counts.classes : std::min(c.limit, counts.classes);
    EXPECT_EQ(std::wstring(Dialog().m_pageHtml), ClassesPage(L"AA**, KK**/ds", expected, 2, 1)) << c.selection;
  }
  // Colour by suit, then another sort order.
  rangetest::Click(Hwnd(), IDC_EXPLORER_COLOURED);
  EXPECT_EQ(std::wstring(Dialog().m_pageHtml), ClassesPage(L"AA**, KK**/ds", 100, 2, 0));
  rangetest::Choose(Hwnd(), IDC_EXPLORER_SORT, 9);
  EXPECT_EQ(Dialog().m_sortIndex, 9);
  EXPECT_EQ(std::wstring(Dialog().m_pageHtml), ClassesPage(L"AA**, KK**/ds", 100, 9, 0));

  // Combos: the hands, the other check box enabled.
  rangetest::Click(Hwnd(), IDC_EXPLORER_COMBOS);
  EXPECT_EQ(Dialog().m_displayMode, 1);
  EXPECT_FALSE(rangetest::Enabled(Hwnd(), IDC_EXPLORER_COLOURED));
  EXPECT_TRUE(rangetest::Enabled(Hwnd(), IDC_EXPLORER_PICTURES));
  EXPECT_EQ(std::wstring(Dialog().m_pageHtml), HandsPage(L"AA**, KK**/ds", 100));
  gui::SaveCapture(gui::CaptureWindow(Hwnd()), L"explorer_combos");
  // The ticked radio again changes nothing: the page stays the same object of text.
  Dialog().m_pageHtml = L"untouched";
  rangetest::Click(Hwnd(), IDC_EXPLORER_COMBOS);
  EXPECT_EQ(std::wstring(Dialog().m_pageHtml), L"untouched");

  // Fewer hands than the limit: all of them.
  Close();
  EXPECT_EQ(env_.ReadIni(kSection, L"RadioValue"), L"1");
  EXPECT_EQ(env_.ReadIni(kSection, L"Suitedness"), L"1");
  EXPECT_EQ(env_.ReadIni(kSection, L"ComboValue"), L"0");
  EXPECT_EQ(env_.ReadIni(kSection, L"ComboSortedValue"), L"9");
  Open(L"AsKsQsJs");
  EXPECT_EQ(std::wstring(Dialog().m_pageHtml), HandsPage(L"AsKsQsJs", 1));
  EXPECT_EQ(Dialog().m_selectedHandCount, 1);
}

TEST_F(HandrangeExplorerTest, StoredValuesAreKeptInBoundsAndTheWindowHasAMinimumSize) {
  env_.WriteIni(kSection, L"ComboSortedValue", L"12");
  env_.WriteIni(kSection, L"ComboValue", L"-3");
  env_.WriteIni(kSection, L"RadioValue", L"7");
  env_.WriteIni(kSection, L"Width", L"300");
  env_.WriteIni(kSection, L"Height", L"200");
  Open(L"AA**");
  EXPECT_EQ(Dialog().m_sortIndex, 9) << "12 is taken as the last ranking";
  EXPECT_EQ(rangetest::Selection(Hwnd(), IDC_EXPLORER_SORT), 9);
  EXPECT_EQ(rangetest::Selection(Hwnd(), IDC_EXPLORER_LIMIT), 0);
  RECT r;
  ::GetWindowRect(Hwnd(), &r);
  EXPECT_EQ(r.right - r.left, CHandrangeExplorerDialog::kMinWidth);
  EXPECT_EQ(r.bottom - r.top, CHandrangeExplorerDialog::kMinHeight);
  // An unknown mode shows combos ticked, both boxes disabled and lists nothing.
  EXPECT_TRUE(rangetest::Checked(Hwnd(), IDC_EXPLORER_COMBOS));
  EXPECT_FALSE(rangetest::Enabled(Hwnd(), IDC_EXPLORER_COLOURED));
  EXPECT_FALSE(rangetest::Enabled(Hwnd(), IDC_EXPLORER_PICTURES));
  EXPECT_EQ(std::wstring(Dialog().m_pageHtml), L"<HTML><BODY leftmargin=2 topmargin=2 rightmargin=2 bottommargin=2>\n"
                                              L"</font>\n</BODY></HTML>\n");
  // A click on the ticked combos radio now lists combos.
  rangetest::Click(Hwnd(), IDC_EXPLORER_COMBOS);
  EXPECT_EQ(std::wstring(Dialog().m_pageHtml), HandsPage(L"AA**", 100));

  // Dragging smaller stops at the minimum; the moving edge is the one corrected.
  const struct {
    UINT side;
    RECT in, out;
  } drags[] = {{WMSZ_BOTTOMRIGHT, {100, 100, 300, 200}, {100, 100, 660, 450}},
               {WMSZ_TOPLEFT, {100, 100, 300, 200}, {-260, -150, 300, 200}},
               {WMSZ_LEFT, {0, 0, 800, 300}, {0, 0, 800, 350}},
               {WMSZ_TOP, {0, 0, 500, 600}, {0, 0, 560, 600}}};
  for (const auto& d : drags) {
    RECT rect = d.in;
    CHandrangeExplorerDialog::KeepMinimumSize(d.side, &rect);
    EXPECT_TRUE(::EqualRect(&rect, &d.out)) << d.side << ": " << rect.left << "," << rect.top << "," << rect.right
                                            << "," << rect.bottom;
  }
  // A real resize keeps Close in the bottom-right corner and the browser under the options.
  ::SetWindowPos(Hwnd(), nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
  RECT client, close, browser;
  ::GetClientRect(Hwnd(), &client);
  ::GetWindowRect(::GetDlgItem(Hwnd(), IDCANCEL), &close);
  ::GetWindowRect(::GetDlgItem(Hwnd(), IDC_EXPLORER_BROWSER), &browser);
  ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&close), 2);
  ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&browser), 2);
  EXPECT_GT(close.right, client.right - 20);
  EXPECT_GT(close.bottom, client.bottom - 20);
  EXPECT_GT(browser.bottom - browser.top, 300);
  EXPECT_LT(browser.bottom, close.top);
  Close();
  EXPECT_EQ(env_.ReadIni(kSection, L"Width"), L"800");
  EXPECT_EQ(env_.ReadIni(kSection, L"RadioValue"), L"1");
}

TEST_F(HandrangeExplorerTest, LongListingsOfAllHandsShowTheProgressDialog) {
  // All hands, 1000 items: the listing shows its progress and finishes; its page is the core's.
  env_.WriteIni(kSection, L"ComboValue", L"3");
  Open(L"****");
  EXPECT_EQ(Dialog().m_selectedClassCount, 16432);
  EXPECT_EQ(Dialog().m_selectedHandCount, 270725);
  EXPECT_EQ(Dialog().m_progressShown, 1);
  EXPECT_EQ(std::wstring(Dialog().m_pageHtml), ClassesPage(L"****", 1000, 0, 1));
  EXPECT_EQ(rangetest::FindOwnWindow(L"Creating items"), nullptr) << "the progress dialog is gone";
  EXPECT_TRUE(::IsWindowEnabled(Hwnd())) << "and the explorer usable again";
  rangetest::Click(Hwnd(), IDC_EXPLORER_COMBOS);
  EXPECT_EQ(Dialog().m_progressShown, 2);
  EXPECT_EQ(std::wstring(Dialog().m_pageHtml), HandsPage(L"****", 1000));
  // Below 500 items there is no progress dialog.
  rangetest::Choose(Hwnd(), IDC_EXPLORER_LIMIT, 2);  // 500
  EXPECT_EQ(Dialog().m_progressShown, 3);
  rangetest::Choose(Hwnd(), IDC_EXPLORER_LIMIT, 1);  // 200
  EXPECT_EQ(Dialog().m_progressShown, 3);
  // Every class: one paragraph of 16,432 items, which the page view shows in seconds.
  rangetest::Click(Hwnd(), IDC_EXPLORER_CLASSES);
  rangetest::Choose(Hwnd(), IDC_EXPLORER_LIMIT, 4);  // all
  EXPECT_EQ(std::wstring(Dialog().m_pageHtml), ClassesPage(L"****", -1, 0, 1));
  EXPECT_TRUE(::IsWindowEnabled(Hwnd()));
}

// Stop in the progress dialog ends the listing with the items listed so far.
class StoppingProgress : public ExplorerListingProgress {
 public:
  using ExplorerListingProgress::ExplorerListingProgress;
  bool Update(int position, const std::wstring& text) override {
    if (position == stopAt && Window()) {
      EXPECT_TRUE(::IsWindowVisible(Window()->GetSafeHwnd()));
      EXPECT_EQ(gui::WindowText(Window()->GetSafeHwnd()), L"Creating items ...");
      ::SendMessageW(::GetDlgItem(Window()->GetSafeHwnd(), IDCANCEL), BM_CLICK, 0, 0);
    }
    return ExplorerListingProgress::Update(position, text);
  }
  int stopAt = 0;
};

TEST_F(HandrangeExplorerTest, StopKeepsWhatWasListed) {
  Open(L"AA**");
  COmahaBase& base = g_app.m_handBase;
  base.SelectRange(L"****");
  const struct {
    bool hands;
    int limit, stopAt;
  } cases[] = {{false, 16432, 3000}, {true, 270725, 5415}, {false, 1000, 999}};
  for (const auto& c : cases) {
    StoppingProgress progress(&Dialog());
    progress.stopAt = c.stopAt;
    std::wstring list;
    if (c.hands)
      base.ListSelectedHands(list, c.limit, 0, L"", &progress);
    else
      base.ListSelectedClasses(list, 1, c.limit, 0, 0, &progress);
    EXPECT_EQ(progress.TimesShown(), 1);
    EXPECT_EQ(progress.Window(), nullptr) << "gone at the end";
    // Stop is seen at the first percent step from the click on.
    const int listed = CountItems(list);
    EXPECT_GE(listed, c.stopAt) << c.limit;
    EXPECT_LE(listed, c.stopAt + c.limit / 100 + 1) << c.limit;
    EXPECT_TRUE(::IsWindowEnabled(Hwnd()));
  }
}

TEST_F(HandrangeExplorerTest, AnUnreadableTextShowsTheReasonNotAListing) {
  Open(L"AA**, (KK");
  EXPECT_FALSE(Dialog().m_textValid);
  const std::wstring page(Dialog().m_pageHtml);
  EXPECT_NE(page.find(L"is not valid"), std::wstring::npos) << page;
  EXPECT_NE(page.find(L"AA**, (KK"), std::wstring::npos) << page;
  EXPECT_EQ(page.find(L"<font face=Tahoma size=2>\n"), std::wstring::npos) << "no listing";
  EXPECT_NE(rangetest::Text(Hwnd(), IDC_EXPLORER_DESCRIPTION).find(L"is not valid"), std::wstring::npos);
  EXPECT_EQ(Dialog().m_selectedHandCount, 0);
  gui::SaveCapture(gui::CaptureWindow(Hwnd()), L"explorer_invalid");
}

}  // namespace
