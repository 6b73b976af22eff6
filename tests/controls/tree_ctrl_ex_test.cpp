// The tree of predefined ranges filled from ini files: structure, bold and red items, pictures,
// item data, long sections, the selection message to the owner, the swallowed right click and
// the painting of coloured items.
#include <gtest/gtest.h>


#include <functional>
#include <vector>

#include "controls/tree_ctrl_ex.h"
#include "gui_harness.h"
#include "ini_fixture.h"
#include "live_input.h"
#include "resources/resource.h"

namespace {

CWinApp g_app(L"tree test");

// Stands in for the range dialog that borrows the tree: it counts the selection messages.
class TreeHost : public CWnd {
 public:
  TreeHost() {
    CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE)),
             L"Predefined ranges", WS_POPUP | WS_CAPTION | WS_VISIBLE, 150, 100, 360, 520, nullptr, nullptr);
  }
  ~TreeHost() override {
    if (m_hWnd) DestroyWindow();
  }
  LRESULT OnTreeSelection(WPARAM wParam, LPARAM lParam) {
    ++selections;
    EXPECT_EQ(wParam, 0u);
    EXPECT_EQ(lParam, 0);
    return 0;
  }
  int selections = 0;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TreeHost, CWnd)
  ON_MESSAGE(kTreeSelectionChangedMsg, &TreeHost::OnTreeSelection)
END_MESSAGE_MAP()

class TreeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
  }
  void Create(UINT id = kPredefinedTreeId) {
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS |
                                TVS_SHOWSELALWAYS,
                            CRect(10, 10, 340, 480), &host, id));
    images.Attach(ImageList_LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_TREE_IMAGES), 16, 0,
                                       RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION));
    tree.SetImageList(&images, TVSIL_NORMAL);
  }
  void TearDown() override {
    if (tree.m_hWnd) {
      tree.FreeItemData(tree.GetRootItem());
      tree.DestroyWindow();
    }
    live::Pump(30);
  }
  // Item by path of names from the root.
  HTREEITEM Find(std::initializer_list<const wchar_t*> path) {
    HTREEITEM item = tree.GetRootItem();
    HTREEITEM found = nullptr;
    for (const wchar_t* name : path) {
      while (item != nullptr && tree.GetItemText(item) != CString(name)) item = tree.GetNextSiblingItem(item);
      if (item == nullptr) return nullptr;
      found = item;
      item = tree.GetChildItem(item);
    }
    return found;
  }
  int Image(HTREEITEM item) {
    int image = -1, selected = -1;
    tree.GetItemImage(item, image, selected);
    EXPECT_EQ(image, selected);
    return image;
  }
  bool Bold(HTREEITEM item) { return (tree.GetItemState(item, TVIS_BOLD) & TVIS_BOLD) != 0; }
  COLORREF Colour(HTREEITEM item) {
    ItemStyle style;
    return tree.GetItemStyle(item, style) ? style.colour : static_cast<COLORREF>(-2);
  }
  PredefinedRangeData* Data(HTREEITEM item) { return CTreeCtrlEx::RangeData(tree, item); }
  int CountItems() {
    int n = 0;
    std::function<void(HTREEITEM)> walk = [&](HTREEITEM item) {
      for (; item != nullptr; item = tree.GetNextSiblingItem(item)) {
        ++n;
        walk(tree.GetChildItem(item));
      }
    };
    walk(tree.GetRootItem());
    return n;
  }

  TreeHost host;
  CTreeCtrlEx tree;
  CImageList images;
};

const wchar_t kSmallFile[] =
    L"; test ranges\r\n"
    L"[Predefined]\r\n"
    L"Premium\u00B0a\r\n"
    L".Aces {AA**}\u00B01\r\n"
    L".Suited\u00B0b\r\n"
    L"..AA{AAxx}\r\n"
    L"..Kings double suited {KK**/ds}\r\n"
    L"....Too deep {QQ**}\r\n"
    L"Others\r\n"
    L".none\r\n"
    L".Group without range\u00B0c\r\n"
    L"Last {2%}   \r\n";

TEST_F(TreeTest, FillsTheTreeFromTheLineGrammar) {
  ctltest::RangesFolder folder(L"tree_small");
  ASSERT_TRUE(folder.Write(kSmallFile));
  Create();
  tree.FillPredefinedRanges();
  EXPECT_EQ(CountItems(), 10);

  HTREEITEM premium = Find({L"Premium"});
  ASSERT_NE(premium, nullptr);
  EXPECT_EQ(tree.GetSelectedItem(), premium);  // the first item is selected
  EXPECT_EQ(Image(premium), 2);               // marker a, and it has children
  EXPECT_FALSE(Bold(premium));
  EXPECT_EQ(Data(premium)->selectable, 0);
  EXPECT_TRUE(Data(premium)->range.IsEmpty());

  HTREEITEM aces = Find({L"Premium", L"Aces"});
  ASSERT_NE(aces, nullptr);
  EXPECT_TRUE(Bold(aces));
  EXPECT_EQ(Colour(aces), RGB(255, 0, 0));
  EXPECT_EQ(Data(aces)->range, CString(L"AA**"));
  EXPECT_EQ(Data(aces)->selectable, 1);
  EXPECT_EQ(Image(aces), 1);  // a leaf

  // "..AA{AAxx}": a bold grandchild named A; the character before the brace is dropped.
  HTREEITEM a = Find({L"Premium", L"Suited", L"A"});
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(Bold(a));
  EXPECT_EQ(Data(a)->range, CString(L"AAxx"));
  EXPECT_EQ(Colour(a), RGB(0, 0, 0));
  EXPECT_EQ(Image(Find({L"Premium", L"Suited"})), 3);  // marker b on a group with children

  // More dots than one level deeper: still a child of the item before.
  HTREEITEM deep = Find({L"Premium", L"Suited", L"Kings double suited", L"Too deep"});
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(Data(deep)->range, CString(L"QQ**"));

  HTREEITEM none = Find({L"Others", L"none"});
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(Data(none)->selectable, 1);
  EXPECT_FALSE(Bold(none));
  HTREEITEM group = Find({L"Others", L"Group without range"});
  EXPECT_EQ(Image(group), 1);  // marker c, but a leaf gets the range picture
  EXPECT_EQ(Data(group)->selectable, 0);

  HTREEITEM last = Find({L"Last"});
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(tree.GetParentItem(last), nullptr);  // back at the top level
  EXPECT_EQ(Data(last)->range, CString(L"2%"));
  EXPECT_EQ(Image(last), 1);
}

TEST_F(TreeTest, AMissingFileGivesAnEmptyTreeWithoutSelection) {
  ctltest::RangesFolder folder(L"tree_missing");
  Create();
  tree.FillPredefinedRanges();
  EXPECT_EQ(tree.GetRootItem(), nullptr);
  EXPECT_EQ(tree.GetSelectedItem(), nullptr);
}

TEST_F(TreeTest, ALongSectionLoadsEveryItem) {
  ctltest::RangesFolder folder(L"tree_long");
  std::wstring text = L"[Predefined]\r\n";
  int length = 0;
  for (int group = 0; group < 40; ++group) {
    std::wstring line = L"Group " + std::to_wstring(group) + L"\u00B0d";
    text += line + L"\r\n";
    length += static_cast<int>(line.size()) + 1;
    for (int i = 0; i < 25; ++i) {
      line = L".Range " + std::to_wstring(group) + L"." + std::to_wstring(i) + L" {AA**,KK**,QQ**}";
      text += line + L"\r\n";
      length += static_cast<int>(line.size()) + 1;
    }
  }
  ASSERT_GT(length, 15000);
  ASSERT_TRUE(folder.Write(text));
  Create();
  tree.FillPredefinedRanges();
  EXPECT_EQ(CountItems(), 40 * 26);
  HTREEITEM last = Find({L"Group 39", L"Range 39.24"});
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(Data(last)->range, CString(L"AA**,KK**,QQ**"));
}

TEST_F(TreeTest, TheShippedFileLoads) {
  // The program's own file, read from its folder in the source tree.
  wchar_t previous[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(::SetCurrentDirectoryW(OV_DATA_DIR));
  Create();
  tree.FillPredefinedRanges();
  ::SetCurrentDirectoryW(previous);
  ASSERT_NE(tree.GetRootItem(), nullptr);
  HTREEITEM aces = Find({L"Pairs", L"Aces", L"Aces with a second pair"});
  ASSERT_NE(aces, nullptr);
  EXPECT_EQ(Data(aces)->range, CString(L"AA**/tp"));
  tree.Expand(tree.GetRootItem(), TVE_EXPAND);
  tree.Expand(Find({L"Pairs"}), TVE_EXPAND);
  live::BringToFront(host.m_hWnd);
  tree.SetFocus();
  tree.RedrawWindow();
  gui::SaveCapture(gui::CaptureWindow(host.m_hWnd), L"tree_ctrl_shipped_ranges");
}

TEST_F(TreeTest, SelectionIsPostedToTheOwnerUnlessItIsTheMainWindow) {
  ctltest::RangesFolder folder(L"tree_select");
  ASSERT_TRUE(folder.Write(kSmallFile));
  Create();
  tree.FillPredefinedRanges();
  live::Pump(50);
  host.selections = 0;

  tree.SelectItem(Find({L"Others"}));
  EXPECT_EQ(host.selections, 0);  // posted, not sent
  live::Pump(50);
  EXPECT_EQ(host.selections, 1);

  // Selected by the mouse.
  tree.Expand(Find({L"Premium"}), TVE_EXPAND);
  live::BringToFront(host.m_hWnd);
  CRect rect;
  tree.GetItemRect(Find({L"Premium", L"Aces"}), &rect, TRUE);
  // Queued as a whole: the control waits for the button to come up inside its own loop.
  live::QueueClick(tree.m_hWnd, rect.CenterPoint());
  live::Pump(100);
  EXPECT_EQ(tree.GetSelectedItem(), Find({L"Premium", L"Aces"}));
  EXPECT_EQ(host.selections, 2);

  // The right button neither selects nor opens anything.
  tree.GetItemRect(Find({L"Others"}), &rect, TRUE);
  live::MoveTo(tree.m_hWnd, rect.CenterPoint());
  INPUT right[2] = {};
  right[0].type = right[1].type = INPUT_MOUSE;
  right[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  right[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  ::SendInput(2, right, sizeof(INPUT));
  live::Pump(100);
  EXPECT_EQ(tree.GetSelectedItem(), Find({L"Premium", L"Aces"}));
  EXPECT_EQ(host.selections, 2);

  // A notification window of its own takes the place of the owner.
  TreeHost other;
  tree.m_notifyWindow = other.m_hWnd;
  tree.SelectItem(Find({L"Others"}));
  live::Pump(50);
  EXPECT_EQ(other.selections, 1);
  EXPECT_EQ(host.selections, 2);
  tree.m_notifyWindow = nullptr;

  // Returned to the main window, the tree tells nobody.
  g_app.m_pMainWnd = &host;
  tree.SelectItem(Find({L"Last"}));
  live::Pump(50);
  EXPECT_EQ(host.selections, 2);
  g_app.m_pMainWnd = nullptr;
}

TEST_F(TreeTest, OtherControlIdsPostNothing) {
  ctltest::RangesFolder folder(L"tree_other_id");
  ASSERT_TRUE(folder.Write(kSmallFile));
  Create(1234);
  tree.FillPredefinedRanges();
  tree.SelectItem(Find({L"Others"}));
  live::Pump(50);
  EXPECT_EQ(host.selections, 0);
}

TEST_F(TreeTest, RedItemsArePaintedRed) {
  ctltest::RangesFolder folder(L"tree_paint");
  ASSERT_TRUE(folder.Write(kSmallFile));
  Create();
  tree.FillPredefinedRanges();
  tree.Expand(Find({L"Premium"}), TVE_EXPAND);
  tree.SelectItem(Find({L"Others"}));
  live::BringToFront(host.m_hWnd);
  tree.SetFocus();
  tree.RedrawWindow();
  const gui::Image image = gui::CaptureWindow(tree.m_hWnd);
  gui::SaveCapture(image, L"tree_ctrl_red_items");

  auto count = [&](HTREEITEM item, std::uint32_t rgb) {
    CRect r;
    tree.GetItemRect(item, &r, TRUE);
    r.OffsetRect(1, 1);  // the capture includes the border
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if ((image.At(x, y) & 0xFFFFFF) == rgb) ++n;
    return n;
  };
  EXPECT_GT(count(Find({L"Premium", L"Aces"}), 0xFF0000), 5);
  EXPECT_EQ(count(Find({L"Premium", L"Suited"}), 0xFF0000), 0);
  EXPECT_GT(count(Find({L"Premium", L"Suited"}), 0x000000), 5);
}

TEST_F(TreeTest, FreeItemDataFreesEveryRecordOnce) {
  ctltest::RangesFolder folder(L"tree_free");
  ASSERT_TRUE(folder.Write(kSmallFile));
  Create();
  tree.FillPredefinedRanges();
  // From a middle item on: it, its descendants and everything after it.
  HTREEITEM suited = Find({L"Premium", L"Suited"});
  tree.FreeItemData(suited);
  EXPECT_NE(Data(Find({L"Premium"})), nullptr);
  EXPECT_NE(Data(Find({L"Premium", L"Aces"})), nullptr);
  EXPECT_EQ(Data(suited), nullptr);
  EXPECT_EQ(Data(Find({L"Premium", L"Suited", L"A"})), nullptr);
  EXPECT_EQ(Data(Find({L"Others", L"none"})), nullptr);
  EXPECT_EQ(Data(Find({L"Last"})), nullptr);
  tree.FreeItemData(tree.GetRootItem());
  EXPECT_EQ(Data(Find({L"Premium"})), nullptr);
  tree.FreeItemData(nullptr);
}

}  // namespace
