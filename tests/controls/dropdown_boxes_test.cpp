// The picture drop-down box and the special combo box in a dialog.
#include <gtest/gtest.h>

#include <vector>

#include "canvas.h"
#include "controls/app_services.h"
#include "controls/dropdown_boxes.h"
#include "test_dialog.h"

namespace {

using ctltest::ColorText;
using ctltest::PixelOf;

constexpr UINT kPicturesId = 1500;
constexpr UINT kRangeId = 1501;
constexpr UINT kStripId = 2480;
constexpr UINT kMaskId = 2481;

struct DrawnItem {
  UINT itemID;
  UINT state;
  CRect rect;
};

// Keeps what each drawing was asked to draw.
class RecordingDropDownBox : public COwnerdrawedDropDownBox {
 public:
  std::vector<DrawnItem> m_drawn;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override {
    if (lpDrawItemStruct)
      m_drawn.push_back({lpDrawItemStruct->itemID, lpDrawItemStruct->itemState, CRect(lpDrawItemStruct->rcItem)});
    COwnerdrawedDropDownBox::DrawItem(lpDrawItemStruct);
  }
  const DrawnItem* Last(bool inEdit) const {
    for (auto it = m_drawn.rbegin(); it != m_drawn.rend(); ++it)
      if (((it->state & ODS_COMBOBOXEDIT) != 0) == inEdit && it->itemID != static_cast<UINT>(-1)) return &*it;
    return nullptr;
  }
};

class DropDownBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_strip.LoadBitmap(kStripId));
    ASSERT_TRUE(m_mask.LoadBitmap(kMaskId));
    ASSERT_TRUE(m_stripCopy.LoadBitmap(kStripId));
    ASSERT_TRUE(m_maskCopy.LoadBitmap(kMaskId));
    m_stripDC.CreateCompatibleDC(nullptr);
    m_maskDC.CreateCompatibleDC(nullptr);
    m_oldStrip = m_stripDC.SelectObject(&m_stripCopy);
    m_oldMask = m_maskDC.SelectObject(&m_maskCopy);

    ctltest::DialogTemplate t(L"Drop-down boxes", 220, 160);
    t.Add(L"COMBOBOX", L"", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_VSCROLL | WS_TABSTOP, 4, 4, 40, 120,
          kPicturesId);
    t.Add(L"COMBOBOX", L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 80, 4, 120, 100, kRangeId);
    m_host.m_onInit = [this](ctltest::HostDialog& dlg) {
      m_pictures.m_images = &m_strip;
      m_pictures.m_imageMask = &m_mask;
      m_pictures.SubclassDlgItem(kPicturesId, &dlg);
      for (int image : {12, 5, 13, 15, 0}) m_pictures.SetItemData(m_pictures.AddString(L" "), image);
      m_pictures.SetCurSel(1);
      // Wine shrinks an owner-drawn selection field to the dialog font's height when the dialog
      // sets the font; the owner gives it the item height again.
      m_pictures.SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 23);
      m_range.SubclassDlgItem(kRangeId, &dlg);
      for (const wchar_t* s : {L"AA", L"KK, QQ", L"random"}) m_range.AddString(s);
    };
    ASSERT_TRUE(m_host.Open(t));
  }
  void TearDown() override {
    m_pictures.ShowDropDown(FALSE);
    m_range.ShowDropDown(FALSE);
    m_host.DestroyWindow();
    m_stripDC.SelectObject(m_oldStrip);
    m_maskDC.SelectObject(m_oldMask);
  }

  // Pixels of the picture at (x, y) of a capture that differ from the strip cell drawn over the
  // background colour through the mask.
  int PictureDifferences(const gui::Image& shot, int x, int y, int image, COLORREF background) {
    int wrong = 0;
    for (int dy = 0; dy < COwnerdrawedDropDownBox::kImageHeight; ++dy)
      for (int dx = 0; dx < COwnerdrawedDropDownBox::kImageWidth; ++dx) {
        const COLORREF m = m_maskDC.GetPixel(dx, dy);
        const COLORREF s = m_stripDC.GetPixel(16 * image + dx, dy);
        const COLORREF expected = (background & m) | s;
        wrong += PixelOf(shot, x + dx, y + dy) != expected;
      }
    return wrong;
  }
  HWND ListOf(CComboBox& combo) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    combo.GetComboBoxInfo(&info);
    return info.hwndList;
  }
  HWND EditOf(CComboBox& combo) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    combo.GetComboBoxInfo(&info);
    return info.hwndItem;
  }

  CBitmap m_strip, m_mask, m_stripCopy, m_maskCopy;
  CDC m_stripDC, m_maskDC;
  CBitmap* m_oldStrip = nullptr;
  CBitmap* m_oldMask = nullptr;
  ctltest::HostDialog m_host;
  RecordingDropDownBox m_pictures;
  CSpezialComboBox m_range;
};

TEST_F(DropDownBoxes, SelectedPictureInTheClosedBox) {
  m_pictures.m_drawn.clear();
  gui::Image shot = ctltest::Capture(m_pictures.m_hWnd);
  gui::SaveCapture(shot, L"controls_dropdown_closed");
  const DrawnItem* edit = m_pictures.Last(true);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->itemID, 1u);
  // Edit field: the window colour even while selected, the picture 2 pixels in.
  const int x = edit->rect.left + 2, y = edit->rect.top + 1;
  EXPECT_GE(edit->rect.Height(), 22);
  EXPECT_EQ(PictureDifferences(shot, x, y, 5, ::GetSysColor(COLOR_WINDOW)), 0);
  EXPECT_EQ(ColorText(PixelOf(shot, edit->rect.left, edit->rect.top + 2)), ColorText(::GetSysColor(COLOR_WINDOW)));
}

TEST_F(DropDownBoxes, OpenListHighlightsTheSelectionAndIndentsThePictures) {
  m_pictures.m_drawn.clear();
  m_pictures.ShowDropDown(TRUE);
  ctltest::Pump(60);
  HWND list = ListOf(m_pictures);
  ASSERT_TRUE(::IsWindowVisible(list));
  gui::Image shot = ctltest::Capture(list);
  gui::SaveCapture(shot, L"controls_dropdown_open");
  // The list's item rectangles are in the list's client coordinates; the capture has its frame.
  CRect window, client;
  ::GetWindowRect(list, &window);
  ::GetClientRect(list, &client);
  POINT origin = {0, 0};
  ::ClientToScreen(list, &origin);
  const int fx = origin.x - window.left, fy = origin.y - window.top;
  const int height = static_cast<int>(m_pictures.SendMessage(CB_GETITEMHEIGHT, 0));
  EXPECT_EQ(height, 23) << "the owner's measure";
  const int images[] = {12, 5, 13, 15, 0};
  for (int i = 0; i < 5; ++i) {
    const bool selected = i == 1;
    const COLORREF back = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const int top = fy + i * height;
    EXPECT_EQ(ColorText(PixelOf(shot, fx + 1, top + 1)), ColorText(back)) << "item " << i;
    if (images[i] == 13) {
      // No picture: only the background.
      for (int dx = 0; dx < 30; ++dx) EXPECT_EQ(PixelOf(shot, fx + dx, top + 10), back) << "item " << i;
      continue;
    }
    EXPECT_EQ(PictureDifferences(shot, fx + 4, top + 1, images[i], back), 0) << "item " << i;
  }
  const DrawnItem* listItem = m_pictures.Last(false);
  ASSERT_NE(listItem, nullptr);
  EXPECT_EQ(listItem->state & ODS_COMBOBOXEDIT, 0u);
}

TEST_F(DropDownBoxes, NoPictureEntryShowsOnlyTheBackground) {
  m_pictures.SetCurSel(2);
  m_pictures.m_drawn.clear();
  gui::Image shot = ctltest::Capture(m_pictures.m_hWnd);
  const DrawnItem* edit = m_pictures.Last(true);
  ASSERT_NE(edit, nullptr);
  for (int x = edit->rect.left; x < edit->rect.left + 20; ++x)
    EXPECT_EQ(ColorText(PixelOf(shot, x, edit->rect.top + 10)), ColorText(::GetSysColor(COLOR_WINDOW)));
}

TEST_F(DropDownBoxes, MissingItemDrawsNothing) {
  ctltest::Canvas c(40, 30, RGB(1, 2, 3));
  DRAWITEMSTRUCT dis = {};
  dis.CtlType = ODT_COMBOBOX;
  dis.itemID = static_cast<UINT>(-1);
  dis.hDC = c.dc()->m_hDC;
  dis.rcItem = {0, 0, 40, 30};
  m_pictures.COwnerdrawedDropDownBox::DrawItem(&dis);
  m_pictures.COwnerdrawedDropDownBox::DrawItem(nullptr);
  EXPECT_EQ(c.At(5, 5), RGB(1, 2, 3));
}

TEST_F(DropDownBoxes, SpecialComboAttachesItsEditAndLimitsTheText) {
  ctltest::Capture(m_range.m_hWnd);
  const HWND edit = EditOf(m_range);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(m_range.m_edit.GetSafeHwnd(), edit) << "attached on its first colour request";
  EXPECT_EQ(m_range.m_edit.m_ownBorder, 0);
  EXPECT_EQ(::SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 2048);
  const DWORD margins = static_cast<DWORD>(::SendMessageW(edit, EM_GETMARGINS, 0, 0));
  EXPECT_EQ(LOWORD(margins), 2);
  EXPECT_EQ(HIWORD(margins), 2);
  EXPECT_TRUE(::IsWindowEnabled(edit));
  // Typing stops at the limit.
  CString typed(L'A', 3000);
  ::SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(typed.GetString()));
  EXPECT_EQ(::GetWindowTextLengthW(edit), 2048);
}

TEST_F(DropDownBoxes, SpecialComboListDropsTwoPixelsRightEveryTime) {
  for (int round = 0; round < 2; ++round) {
    m_range.ShowDropDown(TRUE);
    ctltest::Pump(60);
    const HWND list = ListOf(m_range);
    ASSERT_TRUE(::IsWindowVisible(list));
    EXPECT_EQ(m_range.m_list.GetSafeHwnd(), list);
    CRect combo, dropped;
    m_range.GetWindowRect(&combo);
    ::GetWindowRect(list, &dropped);
    EXPECT_EQ(dropped.left, combo.left + 2) << "round " << round;
    EXPECT_GE(dropped.top, combo.bottom - 2) << "the top is kept below the combo";
    if (round == 0) gui::SaveCapture(ctltest::Capture(list), L"controls_special_combo_list");
    m_range.ShowDropDown(FALSE);
    ctltest::Pump(30);
    m_host.SetWindowPos(nullptr, 100, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ctltest::Pump(30);
  }
}

TEST_F(DropDownBoxes, ListOffsetMovesTheListFurtherLeft) {
  m_range.m_listOffset = 40;
  m_range.ShowDropDown(TRUE);
  ctltest::Pump(60);
  CRect combo, dropped;
  m_range.GetWindowRect(&combo);
  ::GetWindowRect(ListOf(m_range), &dropped);
  EXPECT_EQ(dropped.left, combo.left + 2 - 40);
}

TEST_F(DropDownBoxes, SpecialComboIsWhiteWithTheThemeSetting) {
  ctltest::Capture(m_range.m_hWnd);
  const HWND edit = EditOf(m_range);
  HDC dc = ::GetDC(edit);
  const HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  const LRESULT plain = m_range.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
  AppServices services;
  services.m_useBVTheme = 1;
  RegisterAppServices(&services);
  const LRESULT themed = m_range.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
  m_range.ShowDropDown(TRUE);
  ctltest::Pump(60);
  const HWND list = ListOf(m_range);
  HDC listDC = ::GetDC(list);
  const LRESULT themedList =
      m_range.SendMessage(WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(listDC), reinterpret_cast<LPARAM>(list));
  RegisterAppServices(nullptr);
  ::ReleaseDC(list, listDC);
  ::ReleaseDC(edit, dc);
  EXPECT_NE(reinterpret_cast<HBRUSH>(plain), white);
  EXPECT_EQ(reinterpret_cast<HBRUSH>(themed), white);
  EXPECT_EQ(reinterpret_cast<HBRUSH>(themedList), white);
}

TEST_F(DropDownBoxes, DestroyingTheDialogReleasesBothParts) {
  ctltest::Capture(m_range.m_hWnd);
  m_range.ShowDropDown(TRUE);
  ctltest::Pump(60);
  ASSERT_NE(m_range.m_edit.GetSafeHwnd(), nullptr);
  ASSERT_NE(m_range.m_list.GetSafeHwnd(), nullptr);
  m_range.ShowDropDown(FALSE);
  m_host.DestroyWindow();
  EXPECT_EQ(m_range.m_edit.GetSafeHwnd(), nullptr);
  EXPECT_EQ(m_range.m_list.GetSafeHwnd(), nullptr);
}

TEST_F(DropDownBoxes, ReviewCapture) {
  m_range.SetWindowText(L"AA, KK");
  gui::Image all = ctltest::Capture(m_host.m_hWnd);
  EXPECT_FALSE(gui::SaveCapture(all, L"controls_dropdown_boxes").empty());
}

}  // namespace
