// Importing commands: the program's own menu and tool bar into one profile (texts, shortcuts,
// prompts from the string table, icons cut at the right cells of the tool-bar bitmap), small
// fixtures for text cleaning, sub-menus, transparency and missing bitmaps, and a live
// common-controls tool bar.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "command_ids.h"
#include "frame_resources.h"
#include "gui_harness.h"
#include "main_dialog_ids.h"
#include "menu.h"
#include "toolkit/foundation/cmd_icon.h"
#include "toolkit/foundation/cmd_import.h"
#include "toolkit/foundation/cmd_manager.h"

#include <commctrl.h>

namespace {

constexpr COLORREF kSilver = RGB(192, 192, 192);

// A bitmap resource of this program as 0x00RRGGBB pixels, top row first, read by the system.
struct Strip {
  int width = 0, height = 0;
  std::vector<DWORD> pixels;
  DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Strip LoadStrip(UINT id) {
  Strip strip;
  HBITMAP bitmap = static_cast<HBITMAP>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (bitmap == nullptr) return strip;
  BITMAP info{};
  ::GetObjectW(bitmap, sizeof info, &info);
  strip.width = info.bmWidth;
  strip.height = info.bmHeight;
  strip.pixels.resize(static_cast<size_t>(strip.width) * strip.height);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = strip.width;
  bi.bmiHeader.biHeight = -strip.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  HDC dc = ::GetDC(nullptr);
  ::GetDIBits(dc, bitmap, 0, strip.height, strip.pixels.data(), &bi, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, dc);
  ::DeleteObject(bitmap);
  for (DWORD& p : strip.pixels) p &= 0xFFFFFF;
  return strip;
}

// The prompt and tip of a command as the program's string table holds them ("status\ntip").
void ExpectedTips(UINT id, CString* status, CString* tip) {
  wchar_t text[1024] = {};
  status->Empty();
  tip->Empty();
  if (::LoadStringW(::GetModuleHandleW(nullptr), id, text, 1024) <= 0) return;
  CString all(text);
  const int lineFeed = all.ReverseFind(L'\n');
  *status = lineFeed < 0 ? all : all.Left(lineFeed);
  if (lineFeed >= 0) *tip = all.Mid(lineFeed + 1);
  status->Trim();
  tip->Trim();
}

// Compares an icon with its cell of the strip: the same colours, and transparent exactly
// where the strip shows the transparent colour.
void ExpectCell(const CExtCmdIcon* icon, const Strip& strip, int cell, int cx, int cy, COLORREF transparent,
                const char* what) {
  ASSERT_NE(icon, nullptr) << what;
  CExtCmdIcon& image = const_cast<CExtCmdIcon&>(*icon);
  ASSERT_EQ(image.GetPixelSize(), CSize(cx, cy)) << what;
  int mismatches = 0;
  for (int y = 0; y < cy; ++y) {
    for (int x = 0; x < cx; ++x) {
      RGBQUAD q{};
      ASSERT_TRUE(image.GetNormalBitmap().ReadPixel(x, y, &q));
      const DWORD expected = strip.At(cell * cx + x, y);
      const COLORREF expectedRef = RGB((expected >> 16) & 0xFF, (expected >> 8) & 0xFF, expected & 0xFF);
      const bool clear = expectedRef == transparent;
      if (q.rgbReserved != (clear ? 0 : 255)) ++mismatches;
      if (!clear && RGB(q.rgbRed, q.rgbGreen, q.rgbBlue) != expectedRef) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0) << what << " cell " << cell;
}

// Paints every button's icon side by side over magenta: the silver around each picture shows
// the magenta, everything else the picture's own colours.
void ExpectPaintedOverMagenta(CExtCmdProfile& profile, const std::vector<UINT>& ids, const Strip& strip) {
  const int cells = strip.width / 16;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = strip.width;
  bi.bmiHeader.biHeight = -16;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = ::CreateCompatibleDC(nullptr);
  HBITMAP surface = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(surface, nullptr);
  HGDIOBJ old = ::SelectObject(dc, surface);
  auto* pixels = static_cast<DWORD*>(bits);
  for (int i = 0; i < strip.width * 16; ++i) pixels[i] = 0xFF00FF;
  int cell = 0;
  for (UINT id : ids) {
    if (id == 0) continue;
    profile.FindCommandIcon(id)->Paint(nullptr, dc, cell * 16, 0);
    ++cell;
  }
  ::GdiFlush();
  ASSERT_EQ(cell, cells);
  int wrong = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < strip.width; ++x) {
      const DWORD expected = strip.At(x, y) == 0xC0C0C0 ? 0xFF00FF : strip.At(x, y);
      wrong += (pixels[y * strip.width + x] & 0xFFFFFF) != expected;
    }
  }
  EXPECT_EQ(wrong, 0);
  // For the eye: the icons three times their size.
  gui::Image image;
  image.width = strip.width * 3;
  image.height = 48;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) image.pixels.push_back(pixels[(y / 3) * strip.width + x / 3] | 0xFF000000u);
  gui::SaveCapture(image, L"cmd_import_program_toolbar");
  ::SelectObject(dc, old);
  ::DeleteObject(surface);
  ::DeleteDC(dc);
}

class ImportTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(g_CmdManager->EnsureProfile(kProfile)); }
  void TearDown() override {
    CExtCmdProfile* profile = g_CmdManager->ProfileGetPtr(kProfile);
    g_CmdManager->m_mapProfiles.RemoveKey(kProfile);
    delete profile;
  }
  CExtCmdProfile& Profile() { return *g_CmdManager->ProfileGetPtr(kProfile); }
  static constexpr const wchar_t* kProfile = L"import-test";
};

struct MenuCommand {
  UINT id;
  const wchar_t* text;
  const wchar_t* shortcut;
};

// The frame's menu as the program's resource script states it.
const MenuCommand kProgramMenu[] = {
    {ID_LOAD_SCENARIO, L"&Load ...", L""},
    {ID_SAVE_SCENARIO, L"&Save ...", L""},
    {ID_SETTINGS, L"S&ettings ...", L""},
    {ID_FILE_MRU_FILE1, L"<recent files>", L""},
    {ID_APP_EXIT, L"E&xit", L"Alt + F4"},
    {ID_SHORT_HANDED, L"&Short handed (6max)", L""},
    {ID_DEAD_CARDS, L"&Dead cards", L""},
    {ID_RESULTS, L"&Results", L""},
    {ID_HAND_VS_HAND, L"&Hand vs. hand", L""},
    {ID_FLOP_OUTS_COUNTER, L"&Flop outs counter", L""},
    {ID_EQUITY_GRAPH, L"Equity &graph for the next street", L""},
    {ID_SYNTAX, L"Syntax documentation and samples", L""},
    {ID_SUPPORT_FORUM, L"&Support forum", L""},
    {ID_APP_ABOUT, L"&About ...", L""},
};

TEST_F(ImportTest, TheProgramsMenuAndToolBarImportIntoOneProfile) {
  ASSERT_TRUE(g_CmdManager->ImportMenuResource(kProfile, IDR_MAINFRAME, false, true));
  EXPECT_EQ(Profile().m_mapCommands.GetCount(), static_cast<INT_PTR>(std::size(kProgramMenu)));
  for (const MenuCommand& c : kProgramMenu) {
    const CExtCmdItem* item = g_CmdManager->FindCommand(kProfile, c.id);
    ASSERT_NE(item, nullptr) << c.id;
    EXPECT_EQ(item->m_strMenuText, c.text) << c.id;
    EXPECT_EQ(item->m_strAcceleratorText, c.shortcut) << c.id;
    CString status, tip;
    ExpectedTips(c.id, &status, &tip);
    EXPECT_EQ(item->m_strStatusTipText, status) << c.id;
    EXPECT_EQ(item->m_strToolTipText, tip) << c.id;
    EXPECT_EQ(item->m_nIconIndex, -1) << c.id;
  }

  UINT* ids = nullptr;
  INT count = 0;
  ASSERT_TRUE(g_CmdManager->ImportToolbarResource(kProfile, IDR_TOOLBAR, &ids, &count, false, true, kSilver));
  ASSERT_NE(ids, nullptr);
  const std::vector<UINT> expectedIds = {
      40001, 0,     32781, 32782, 0,     57665, 0,     32771, 32776, 32785, 0,     32783, 0,
      32784, 57664, 0,     32803, 32804, 32805, 0,     32777, 32778, 32779, 32780, 32786, 32787,
      32788, 32789, 32790, 32791, 32792, 32793, 32794, 32795, 0,     32772, 32773, 32798};
  EXPECT_EQ(std::vector<UINT>(ids, ids + count), expectedIds);
  delete[] ids;

  const Strip strip = LoadStrip(IDB_TOOLBAR);
  ASSERT_EQ(strip.height, 16);
  int cell = 0;
  for (UINT id : expectedIds) {
    if (id == 0) continue;
    const CExtCmdItem* item = g_CmdManager->FindCommand(kProfile, id);
    ASSERT_NE(item, nullptr) << id;
    ExpectCell(g_CmdManager->FindCommandIcon(kProfile, id), strip, cell, 16, 16, kSilver, "program tool bar");
    CString status, tip;
    ExpectedTips(id, &status, &tip);
    EXPECT_EQ(item->m_strStatusTipText, status) << id;
    EXPECT_EQ(item->m_strToolTipText, tip) << id;
    ++cell;
  }
  EXPECT_EQ(Profile().m_arrIcons.GetSize(), cell);
  ExpectPaintedOverMagenta(Profile(), expectedIds, strip);
  // The menu texts stay as they were; menu and tool bar meet in one command.
  EXPECT_EQ(g_CmdManager->FindCommand(kProfile, ID_LOAD_SCENARIO)->m_strMenuText, L"&Load ...");
  EXPECT_EQ(g_CmdManager->FindCommand(kProfile, ID_APP_EXIT)->m_strAcceleratorText, L"Alt + F4");

  // The frame's list of basic commands finds every command it names.
  const UINT basic[] = {57665, 32781, 32782, 32799, 32800, 32801, 32771, 32776, 32772,
                        32784, 32785, 32780, 32783, 32784, 32804, 32805, 57664, 0};
  EXPECT_TRUE(g_CmdManager->MarkBasicCommands(kProfile, basic, true));
  EXPECT_TRUE(g_CmdManager->FindCommand(kProfile, 32805)->IsBasic());
  EXPECT_FALSE(g_CmdManager->FindCommand(kProfile, 32803)->IsBasic());

  // The seat popup's commands came with the tool bar; its menu adds their menu texts and
  // leaves their icons.
  ASSERT_TRUE(g_CmdManager->ImportMenuResource(kProfile, IDM_SEAT_POPUP, false, true));
  const MenuCommand seat[] = {{ID_SEAT_CARD_SELECTION, L"&Card selection...", L""},
                              {ID_SEAT_RANGE_SELECTION, L"&Range selection...", L""},
                              {ID_SEAT_PERCENTILE_SELECTION, L"&Percentile selection...", L""},
                              {ID_SEAT_DIALOG_OPTIONS, L"&Dialog options...", L""}};
  for (const MenuCommand& c : seat) {
    const CExtCmdItem* item = g_CmdManager->FindCommand(kProfile, c.id);
    ASSERT_NE(item, nullptr) << c.id;
    EXPECT_EQ(item->m_strMenuText, c.text) << c.id;
    EXPECT_GE(item->m_nIconIndex, 0) << c.id;
  }
  EXPECT_EQ(Profile().m_arrIcons.GetSize(), cell);
}

TEST_F(ImportTest, MenuTextsAreCleanedAndSplitAtTheirLastTab) {
  ASSERT_TRUE(Profile().ImportMenuResource(IDR_FIX_MENU, false, true));
  struct Row {
    UINT id;
    const wchar_t* text;
    const wchar_t* shortcut;
    const wchar_t* status;
    const wchar_t* tip;
  };
  const Row rows[] = {
      {IDC_FIX_OPEN, L"&Open", L"Ctrl+O", L"Opens a file", L"Open"},
      {IDC_FIX_SAVE, L"E&xit", L"Alt + F4", L"Saves the scenario", L""},
      {IDC_FIX_DEEP, L"Deep", L"", L"Goes deep\ninto the menu", L"Deep tip"},  // in a sub-sub-menu
      {IDC_FIX_BLANK, L"Blank", L"", L"", L""},
      {IDC_FIX_NOTEXT, L"&Direct", L"", L"", L""},  // a command at the top level
  };
  EXPECT_EQ(Profile().m_mapCommands.GetCount(), static_cast<INT_PTR>(std::size(rows)));
  for (const Row& r : rows) {
    const CExtCmdItem* item = Profile().FindCommand(r.id);
    ASSERT_NE(item, nullptr) << std::hex << r.id;
    EXPECT_EQ(item->m_strMenuText, r.text) << std::hex << r.id;
    EXPECT_EQ(item->m_strAcceleratorText, r.shortcut) << std::hex << r.id;
    EXPECT_EQ(item->m_strStatusTipText, r.status) << std::hex << r.id;
    EXPECT_EQ(item->m_strToolTipText, r.tip) << std::hex << r.id;
  }
}

TEST_F(ImportTest, ImportingAgainWithoutReplaceKeepsTheCommands) {
  ASSERT_TRUE(Profile().ImportMenuResource(IDR_FIX_MENU, false, true));
  CExtCmdItem* open = Profile().FindCommand(IDC_FIX_OPEN);
  open->m_strMenuText = L"Changed";
  open->m_strToolTipText.Empty();
  ASSERT_TRUE(Profile().ImportMenuResource(IDR_FIX_MENU, false, true));
  EXPECT_EQ(Profile().FindCommand(IDC_FIX_OPEN), open);
  EXPECT_EQ(open->m_strMenuText, L"Changed");
  EXPECT_EQ(open->m_strToolTipText, L"Open");  // only the empty text is filled
  ASSERT_TRUE(Profile().ImportMenuResource(IDR_FIX_MENU, true, true));
  EXPECT_EQ(open->m_strMenuText, L"&Open");
  EXPECT_EQ(Profile().m_mapCommands.GetCount(), 5);
}

TEST_F(ImportTest, SubMenusAreFollowedOnlyWhenAskedAndAlwaysLoadTheirTips) {
  CMenu menu;
  ASSERT_TRUE(menu.Attach(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_FIX_MENU))));
  ASSERT_TRUE(Profile().ImportMenuHandle(menu.GetSafeHmenu(), false, false, true));
  EXPECT_EQ(Profile().m_mapCommands.GetCount(), 1);  // "&Direct" only
  ASSERT_TRUE(Profile().ImportMenuHandle(menu.GetSafeHmenu(), false, true, false));
  EXPECT_EQ(Profile().FindCommand(IDC_FIX_OPEN)->m_strToolTipText, L"Open");
  menu.DestroyMenu();

  HMENU empty = ::CreatePopupMenu();
  EXPECT_TRUE(Profile().ImportMenuHandle(empty));
  ::DestroyMenu(empty);
  EXPECT_FALSE(Profile().ImportMenuHandle(reinterpret_cast<HMENU>(static_cast<INT_PTR>(0x1234))));
  EXPECT_FALSE(Profile().ImportMenuHandle(nullptr));
  EXPECT_FALSE(Profile().ImportMenuResource(0x9999));
  EXPECT_FALSE(g_CmdManager->ImportMenuResource(L"no such profile", IDR_FIX_MENU));
}

TEST_F(ImportTest, ToolBarCellsBecomeIconsWithTheTransparentColourCleared) {
  UINT* ids = nullptr;
  INT count = 0;
  ASSERT_TRUE(Profile().ImportToolbarResource(IDR_FIX_TOOLBAR, &ids, &count, false, true, kSilver));
  ASSERT_EQ(count, 3);
  EXPECT_EQ(std::vector<UINT>(ids, ids + count), (std::vector<UINT>{IDC_FIX_OPEN, 0, IDC_FIX_SAVE}));
  delete[] ids;
  const Strip strip = LoadStrip(IDR_FIX_TOOLBAR);
  ASSERT_EQ(strip.width, 32);
  ExpectCell(Profile().FindCommandIcon(IDC_FIX_OPEN), strip, 0, 16, 16, kSilver, "open");
  ExpectCell(Profile().FindCommandIcon(IDC_FIX_SAVE), strip, 1, 16, 16, kSilver, "save");
  // Neighbouring shades of silver stay opaque.
  RGBQUAD q{};
  CExtCmdIcon* open = Profile().FindCommandIcon(IDC_FIX_OPEN);
  ASSERT_TRUE(open->GetNormalBitmap().ReadPixel(0, 0, &q));
  EXPECT_EQ(q.rgbReserved, 255);
  ASSERT_TRUE(open->GetNormalBitmap().ReadPixel(15, 15, &q));
  EXPECT_EQ(q.rgbReserved, 255);
  ASSERT_TRUE(open->GetNormalBitmap().ReadPixel(1, 1, &q));
  EXPECT_EQ(q.rgbReserved, 0);
  EXPECT_EQ(Profile().FindCommand(IDC_FIX_OPEN)->m_strToolTipText, L"Open");
  EXPECT_EQ(Profile().FindCommand(IDC_FIX_SAVE)->m_strStatusTipText, L"Saves the scenario");

  // Without a transparent colour every pixel stays opaque; the new icon replaces the old.
  ASSERT_TRUE(Profile().ImportToolbarResource(IDR_FIX_TOOLBAR, nullptr, &count, false, false));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(Profile().m_arrIcons.GetSize(), 2);
  ExpectCell(Profile().FindCommandIcon(IDC_FIX_OPEN), strip, 0, 16, 16, static_cast<COLORREF>(-1), "opaque");
}

TEST_F(ImportTest, AToolBarWithoutItsBitmapImportsNothing) {
  UINT* ids = reinterpret_cast<UINT*>(0x1);
  INT count = -5;
  EXPECT_FALSE(Profile().ImportToolbarResource(IDR_FIX_NOBITMAP, &ids, &count));
  EXPECT_EQ(ids, reinterpret_cast<UINT*>(0x1));
  EXPECT_EQ(count, -5);
  EXPECT_FALSE(Profile().ImportToolbarResource(0, &ids, &count));
  EXPECT_FALSE(Profile().ImportToolbarResource(0x9998, &ids, &count));
  EXPECT_EQ(Profile().m_mapCommands.GetCount(), 0);
}

TEST_F(ImportTest, ToolBarRecordCutsCellsAndRefusesOtherIndexes) {
  HRSRC bitmap = ::FindResourceW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_FIX_TOOLBAR), RT_BITMAP);
  const ToolbarResourceData data(::GetModuleHandleW(nullptr), IDR_FIX_TOOLBAR, ::GetModuleHandleW(nullptr), bitmap);
  ASSERT_FALSE(data.IsEmpty());
  EXPECT_EQ(data.GetImageCount(), 2);
  CExtCmdIcon icon;
  EXPECT_EQ(data.ExtractButtonIcon(1, icon), static_cast<UINT>(IDC_FIX_SAVE));
  EXPECT_EQ(data.ExtractButtonIcon(2, icon), 0u);
  EXPECT_EQ(data.ExtractButtonIcon(-1, icon), 0u);
  const ToolbarResourceData none(::GetModuleHandleW(nullptr), IDR_FIX_NOBITMAP, ::GetModuleHandleW(nullptr), nullptr);
  EXPECT_TRUE(none.IsEmpty());
  EXPECT_EQ(none.GetImageCount(), 0);
  EXPECT_EQ(none.ExtractButtonIcon(0, icon), 0u);
}

TEST_F(ImportTest, ALiveCommonControlsToolBarGivesTextsAndIcons) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&init);
  HWND host = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 50, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
  HWND bar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | TBSTYLE_LIST, 0, 0, 200, 30, host, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(bar, nullptr);
  ::SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  CWnd barWnd;
  barWnd.Attach(bar);
  EXPECT_FALSE(Profile().ImportToolbarWindow(&barWnd));  // no image list yet

  HIMAGELIST images = ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
  HBITMAP strip = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_FIX_TOOLBAR),
                                                    IMAGE_BITMAP, 0, 0, 0));
  ASSERT_EQ(::ImageList_AddMasked(images, strip, kSilver), 0);
  ::DeleteObject(strip);
  ::SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  wchar_t open[] = L"Open";
  wchar_t save[] = L"Save";
  TBBUTTON buttons[3] = {};
  buttons[0] = {0, IDC_FIX_OPEN, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, reinterpret_cast<INT_PTR>(open)};
  buttons[1] = {0, 0, 0, BTNS_SEP, {}, 0, 0};
  buttons[2] = {1, IDC_FIX_SAVE, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, reinterpret_cast<INT_PTR>(save)};
  ASSERT_TRUE(::SendMessageW(bar, TB_ADDBUTTONSW, 3, reinterpret_cast<LPARAM>(buttons)));

  ASSERT_TRUE(Profile().ImportToolbarWindow(&barWnd, false, true));
  EXPECT_EQ(Profile().m_mapCommands.GetCount(), 2);
  EXPECT_EQ(Profile().FindCommand(IDC_FIX_OPEN)->m_strToolBarText, L"Open");
  EXPECT_EQ(Profile().FindCommand(IDC_FIX_OPEN)->m_strToolTipText, L"Open");
  EXPECT_EQ(Profile().FindCommand(IDC_FIX_SAVE)->m_strToolBarText, L"Save");
  ASSERT_NE(Profile().FindCommandIcon(IDC_FIX_OPEN), nullptr);
  ASSERT_NE(Profile().FindCommandIcon(IDC_FIX_SAVE), nullptr);
  EXPECT_EQ(Profile().FindCommandIcon(IDC_FIX_SAVE)->GetPixelSize(), CSize(16, 16));
  // A second import keeps the icons the commands have.
  ASSERT_TRUE(Profile().ImportToolbarWindow(&barWnd, false, true));
  EXPECT_EQ(Profile().m_arrIcons.GetSize(), 2);
  EXPECT_FALSE(Profile().ImportToolbarWindow(nullptr));

  barWnd.Detach();
  ::DestroyWindow(host);
  ::ImageList_Destroy(images);
}

}  // namespace
