// The result page after an Evaluate in this process, read back from the laid-out page the user
// sees: every number of the plain-text copy (Copy as text) stands in a table cell of its own in
// the same order, the board's card pictures are loaded and drawn where the layout put them, and
// the page scrolls when the window is smaller than the page.
#include <gtest/gtest.h>

#include <ocidl.h>

#include <algorithm>
#include <cwctype>
#include <functional>
#include <string>
#include <vector>

#include "app/child_form_view.h"
#include "app/main_dialog.h"
#include "app/main_frame.h"
#include "app/omaha_app.h"
#include "framework/clipboard.h"
#include "framework/pageview.h"
#include "gui_harness.h"
#include "main_dialog_ids.h"
#include "program_runner.h"
#include "temp_folder.h"
#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_page_renderer.h"

namespace {

constexpr UINT WM_SCRIPT = WM_APP + 0x3D2;

struct Results {
  bool scriptRan = false;
  bool pageShown = false;
  bool richEngine = false;
  std::wstring copiedText;
  std::vector<std::wstring> cells;  // the text of every table cell, in document order
  int cardImages = 0, cardImagesLoaded = 0, cardColours = 0;
  bool scrolled = false;
  int documentHeight = 0, viewHeight = 0;
};
Results g_results;

std::wstring Wide(const RichString& text) { return std::wstring(text.begin(), text.end()); }

// The text of an element as the layout holds it: its runs, blanks as one space.
void AppendText(const CExtRichContentItem* item, std::wstring& out) {
  for (const CExtRichContentItem* child : item->m_listChildren) {
    if (child->m_nKind == kRichItemText) out += Wide(child->m_strText.empty() ? child->m_strName : child->m_strText);
    else if (child->m_nKind == kRichItemWhiteSpace) out += L' ';
    else AppendText(child, out);
  }
}

void Collect(CExtRichContentItem* item, const char16_t* tag, std::vector<CExtRichContentItem*>& out) {
  for (CExtRichContentItem* child : item->m_listChildren) {
    if (child->IsElement() && child->GetTagName() == tag) out.push_back(child);
    Collect(child, tag, out);
  }
}

std::wstring Trimmed(const std::wstring& s) {
  std::size_t a = 0, b = s.size();
  while (a < b && (std::iswspace(s[a]) || s[a] == 0xA0)) ++a;
  while (b > a && (std::iswspace(s[b - 1]) || s[b - 1] == 0xA0)) --b;
  return s.substr(a, b - a);
}

// The percentages of a text in order ("43.13%").
std::vector<std::wstring> Percentages(const std::wstring& text) {
  std::vector<std::wstring> out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!std::iswdigit(text[i]) || (i > 0 && (std::iswdigit(text[i - 1]) || text[i - 1] == L'.'))) continue;
    std::size_t end = i;
    while (end < text.size() && (std::iswdigit(text[end]) || text[end] == L'.')) ++end;
    if (end < text.size() && text[end] == L'%') out.push_back(text.substr(i, end + 1 - i));
    i = end;
  }
  return out;
}

class TestApp : public COmahaVantornApp {
 public:
  BOOL InitInstance() override {
    const BOOL ok = COmahaVantornApp::InitInstance();
    if (ok) PostThreadMessage(WM_SCRIPT, 0, 0);
    return ok;
  }

 protected:
  afx_msg void OnScript(WPARAM, LPARAM) { Script(); }
  DECLARE_MESSAGE_MAP()

 private:
  void Script();
};

BEGIN_MESSAGE_MAP(TestApp, COmahaVantornApp)
  ON_THREAD_MESSAGE(WM_SCRIPT, &TestApp::OnScript)
END_MESSAGE_MAP()

TestApp theApp;

void TestApp::Script() {
  Results& r = g_results;
  r.scriptRan = true;
  auto* frame = static_cast<CMainFrame*>(m_pMainWnd);
  COmahaVantornDlg* dialog = GetMainDialog(frame);
  if (!dialog) {
    frame->PostMessage(WM_CLOSE);
    return;
  }
  // Seats 4 and 5 show in both layouts.
  dialog->m_rangeEdits[4].SetWindowText(L"QsQdJsJd");
  dialog->m_rangeEdits[5].SetWindowText(L"random");
  dialog->m_boardEdits[0].SetWindowText(L"AhKd7c");
  dialog->CheckDlgButton(IDC_FLOP_CHECK, BST_CHECKED);
  gui::PumpUntil([] { return false; }, 100);
  // The run pumps messages itself and returns when its time is up.
  dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_EVALUATE, BN_CLICKED),
                      reinterpret_cast<LPARAM>(dialog->GetDlgItem(IDC_EVALUATE)->GetSafeHwnd()));
  fw::detail::CPageView* view = dialog->m_browser.GetPageView();
  r.pageShown = gui::PumpUntil(
      [&] { return view && dialog->m_browser.GetDocumentText().Find(L"%") >= 0 &&
                   dialog->m_browser.GetReadyState() == READYSTATE_COMPLETE; },
      15000);
  auto* engine = view ? dynamic_cast<CExtRichPageRenderer*>(view->GetRenderer()) : nullptr;
  r.richEngine = engine != nullptr;
  if (r.pageShown && engine && engine->GetLayout().GetRoot()) {
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_COPY_TEXT, BN_CLICKED),
                        reinterpret_cast<LPARAM>(dialog->GetDlgItem(IDC_COPY_TEXT)->GetSafeHwnd()));
    r.copiedText = CClipboard::PasteText().GetString();

    CExtRichContentItem* root = engine->GetLayout().GetRoot();
    std::vector<CExtRichContentItem*> cells;
    Collect(root, u"td", cells);
    for (CExtRichContentItem* cell : cells) {
      std::wstring text;
      AppendText(cell, text);
      r.cells.push_back(Trimmed(text));
    }

    // The board's cards: loaded, and drawn where the layout put them.
    std::vector<CExtRichContentItem*> images;
    Collect(root, u"img", images);
    view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    gui::Image shot = gui::CaptureWindow(view->m_hWnd);
    gui::SaveCapture(shot, L"result_page_layout");
    for (CExtRichContentItem* image : images) {
      CExtRichContentItem* src = image->FindAttribute(u"src");
      if (!src || Wide(src->m_strValue).find(L"bitmap_card_") == std::wstring::npos) continue;
      ++r.cardImages;
      if (image->GetImage()) ++r.cardImagesLoaded;
      const RichRect box = image->m_rcItem;
      const CPoint origin = view->GetScrollOrigin();
      r.cardColours = std::max(r.cardColours, gui::CountColours(shot, RECT{box.left - origin.x, box.top - origin.y,
                                                                            box.right - origin.x,
                                                                            box.bottom - origin.y}));
    }

    // A smaller window: the page scrolls to its end.
    CRect client;
    view->GetClientRect(&client);
    dialog->m_browser.SetWindowPos(nullptr, 0, 0, client.Width(), 60, SWP_NOZORDER | SWP_NOMOVE);
    view->GetClientRect(&client);
    r.documentHeight = view->GetDocumentSize().cy;
    r.viewHeight = client.Height();
    ::SendMessageW(view->m_hWnd, WM_KEYDOWN, VK_END, 0);
    r.scrolled = view->GetScrollOrigin().y == r.documentHeight - r.viewHeight;
    view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    gui::SaveCapture(gui::CaptureWindow(view->m_hWnd), L"result_page_layout_end");
  }
  frame->PostMessage(WM_CLOSE);
}

TEST(ResultPageLayout, TheTableOfTheShownPageHoldsTheNumbersOfThePlainTextCopy) {
  apptest::TempFolder folder(L"ovlayoutcwd"), appData(L"ovlayoutappdata");
  ASSERT_TRUE(apptest::CopyTables(folder.Path()));
  ASSERT_TRUE(::CopyFileW((gui::ExeFolder() + L"\\PreflopPredefined.ini").c_str(),
                          (folder / L"PreflopPredefined.ini").c_str(), FALSE));
  ASSERT_TRUE(::CreateDirectoryW((appData / L"OmahaVantorn").c_str(), nullptr));
  const std::wstring ini = appData / L"OmahaVantorn\\OmahaVantorn.ini";
  ::WritePrivateProfileStringW(L"Global", L"EvaluationTime", L"1", ini.c_str());
  ::WritePrivateProfileStringW(L"Global", L"UseHiLo", L"0", ini.c_str());
  ::WritePrivateProfileStringW(L"Global", L"ResultsVisible", L"1", ini.c_str());
  ::WritePrivateProfileStringW(L"Global", L"UseThreeEquities", L"1", ini.c_str());
  ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", appData.Path().c_str());
  ::SetCurrentDirectoryW(folder.Path().c_str());
  wchar_t commandLine[] = L"";
  const int exitCode = AfxWinMain(::GetModuleHandleW(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
  ::SetCurrentDirectoryW(gui::ExeFolder().c_str());
  ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", nullptr);

  const Results& r = g_results;
  EXPECT_EQ(exitCode, 0);
  ASSERT_TRUE(r.scriptRan);
  ASSERT_TRUE(r.pageShown);
  ASSERT_TRUE(r.richEngine) << "the page is drawn by the rich content engine";

  const std::vector<std::wstring> numbers = Percentages(r.copiedText);
  ASSERT_GE(numbers.size(), 6u) << std::string(r.copiedText.begin(), r.copiedText.end());
  // Every number of the copy is a cell of its own, in the copy's order.
  std::vector<std::wstring> numberCells;
  for (const std::wstring& cell : r.cells)
    if (!Percentages(cell).empty()) numberCells.push_back(cell);
  EXPECT_EQ(numberCells, numbers);

  EXPECT_EQ(r.cardImages, 3) << "the flop's three cards";
  EXPECT_EQ(r.cardImagesLoaded, 3);
  EXPECT_GT(r.cardColours, 3) << "a card picture is drawn, not an empty box";

  EXPECT_GT(r.documentHeight, r.viewHeight);
  EXPECT_TRUE(r.scrolled);
}

}  // namespace
