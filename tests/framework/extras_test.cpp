// Smaller framework services: the TOOLBAR resource reader, dialog-init data,
// the shared memory file, drag outlines and other DC operations, the module
// state guard, and the classes that exist only to be asked about.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/afxwin.h"
#include "ui_resources.h"
#include "ui_test_util.h"

namespace {

class CExtrasTestApp : public CWinApp {
 public:
  CExtrasTestApp() : CWinApp(L"Extras Test") {}
};
CExtrasTestApp theApp;

TEST(ToolBarResource, ReadsButtonsAndRefusesBadData) {
  CToolBarResource bar;
  ASSERT_TRUE(bar.Load(IDR_BARS_TOOLBAR));
  EXPECT_EQ(bar.m_cxButton, 16);
  EXPECT_EQ(bar.m_cyButton, 15);
  EXPECT_EQ(bar.m_ids, (std::vector<UINT>{ID_BAR_RUN, ID_BAR_STOP, 0, ID_BAR_OPTION}));

  struct Bad {
    UINT id;
    const char* why;
  };
  for (const Bad& b : {Bad{IDR_BARS_SHORT, "fewer ids than counted"}, Bad{IDR_BARS_VERSION2, "another version"},
                       Bad{999, "missing"}}) {
    SCOPED_TRACE(b.why);
    EXPECT_FALSE(bar.Load(b.id));
    EXPECT_TRUE(bar.m_ids.empty());
    EXPECT_EQ(bar.m_cxButton, 0);
  }
  const WORD header[] = {1, 16, 16, 0};
  EXPECT_TRUE(bar.Parse(header, sizeof(header)));  // no buttons is fine
  EXPECT_FALSE(bar.Parse(header, 7));              // a header cut short
}

// Dialog-init records: control id, message, length, 8-bit text.
std::vector<BYTE> DlgInit(std::initializer_list<std::pair<std::pair<WORD, WORD>, const char*>> records) {
  std::vector<BYTE> data;
  auto put = [&](const void* p, size_t n) {
    data.insert(data.end(), static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + n);
  };
  for (const auto& r : records) {
    const WORD id = r.first.first, message = r.first.second;
    const DWORD length = static_cast<DWORD>(std::strlen(r.second) + 1);
    put(&id, 2);
    put(&message, 2);
    put(&length, 4);
    put(r.second, length);
  }
  const WORD end = 0;
  put(&end, 2);
  return data;
}

TEST(DialogInit, FillsListsAndCombosAndRefusesDataRunningPastItsEnd) {
  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"host", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
  CListBox list;
  CComboBox combo;
  ASSERT_TRUE(list.Create(WS_CHILD | LBS_HASSTRINGS, CRect(0, 0, 100, 100), &host, IDC_LIST));
  ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_HASSTRINGS, CRect(0, 0, 100, 100), &host, IDC_LIST_COMBO));

  const std::vector<BYTE> data = DlgInit({{{IDC_LIST, LB_ADDSTRING}, "alpha"},
                                          {{IDC_LIST, 0x0401}, "beta"},
                                          {{IDC_LIST_COMBO, CB_ADDSTRING}, "gamma"},
                                          {{IDC_LIST_COMBO, 0x0403}, "delta"},
                                          {{IDC_LIST, WM_SETTEXT}, "not sent"},
                                          {{IDC_NUMBER, LB_ADDSTRING}, "no such control"}});
  EXPECT_TRUE(host.ExecuteDlgInit(data.data(), static_cast<DWORD>(data.size())));
  ASSERT_EQ(list.GetCount(), 2);
  CString text;
  list.GetText(1, text);
  EXPECT_EQ(text, L"beta");
  ASSERT_EQ(combo.GetCount(), 2);
  combo.GetLBText(0, text);
  EXPECT_EQ(text, L"gamma");

  // Cut inside a record: refused, and nothing read past the end.
  for (size_t cut : {size_t{1}, size_t{6}, size_t{10}}) {
    SCOPED_TRACE(cut);
    EXPECT_FALSE(host.ExecuteDlgInit(data.data(), static_cast<DWORD>(cut)));
  }
  EXPECT_TRUE(host.ExecuteDlgInit(static_cast<LPVOID>(nullptr)));
  host.DestroyWindow();
}

// A dialog that records its modal steps and closes itself once initialised.
class CStepsDialog : public CDialog {
 public:
  CStepsDialog() : CDialog(IDD_VALUES) {}
  std::vector<std::string> steps;
  int listCount = -1;

 protected:
  HWND PreModal() override {
    steps.push_back("pre");
    return CDialog::PreModal();
  }
  void PostModal() override {
    steps.push_back(m_hWnd == nullptr ? "post, window gone" : "post, window alive");
    CDialog::PostModal();
  }
  HWND CreateDialogWindow(LPCDLGTEMPLATE lpTemplate, HWND hWndParent, HINSTANCE hInst) override {
    steps.push_back("create");
    return CDialog::CreateDialogWindow(lpTemplate, hWndParent, hInst);
  }
  BOOL OnInitDialog() override {
    const BOOL result = CDialog::OnInitDialog();
    listCount = static_cast<int>(SendDlgItemMessage(IDC_LIST, LB_GETCOUNT));
    steps.push_back(ContinueModal() ? "init, modal" : "init");
    PostMessage(WM_COMMAND, IDOK);
    return result;
  }
  void OnOK() override { EndDialog(IDOK); }
};

TEST(DialogInit, ModalDialogRunsItsStepsAndItsInitData) {
  const std::vector<BYTE> data =
      DlgInit({{{IDC_LIST, LB_ADDSTRING}, "alpha"}, {{IDC_LIST, LB_ADDSTRING}, "beta"}});
  CStepsDialog dialog;
  dialog.m_lpDialogInit = const_cast<BYTE*>(data.data());
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.listCount, 2);
  EXPECT_EQ(dialog.steps, (std::vector<std::string>{"pre", "create", "init, modal", "post, window gone"}));
}

TEST(SharedFile, HandsItsDataOverInAGlobalBlockAndTakesOneBack) {
  CSharedFile file;
  const char text[] = "shared memory block";
  for (int i = 0; i < 300; ++i) file.Write(text, sizeof(text));  // grows more than once
  const ULONGLONG length = file.GetLength();
  EXPECT_EQ(length, 300u * sizeof(text));
  HGLOBAL block = file.Detach();
  ASSERT_NE(block, nullptr);
  EXPECT_GE(::GlobalSize(block), length);
  EXPECT_EQ(file.GetLength(), 0u);
  {
    auto* p = static_cast<const char*>(::GlobalLock(block));
    EXPECT_EQ(std::memcmp(p + 299 * sizeof(text), text, sizeof(text)), 0);
    ::GlobalUnlock(block);
  }
  CSharedFile again;
  again.SetHandle(block, FALSE);
  EXPECT_EQ(again.GetLength(), ::GlobalSize(block));
  char first[sizeof(text)] = {};
  EXPECT_EQ(again.Read(first, sizeof(first)), sizeof(first));
  EXPECT_STREQ(first, text);
  // Without growing, writing past the end fails.
  again.SeekToEnd();
  try {
    again.Write(text, 1);
    ADD_FAILURE() << "a fixed block grew";
  } catch (CException* e) {
    e->Delete();
  }
}

TEST(DeviceContext, DragRectangleOutlinesAndComesOffAgain) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = 60;
  info.bmiHeader.biHeight = -40;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  HGDIOBJ old = ::SelectObject(dc.m_hDC, bitmap);
  auto pixel = [&](int x, int y) { return static_cast<const DWORD*>(bits)[y * 60 + x] & 0xFFFFFF; };
  ::PatBlt(dc.m_hDC, 0, 0, 60, 40, WHITENESS);

  const CRect outline(10, 10, 50, 30);
  CBrush* white = CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  dc.DrawDragRect(&outline, CSize(3, 3), nullptr, CSize(0, 0), white);
  EXPECT_EQ(pixel(10, 10), 0u);    // inverted: on the outline
  EXPECT_EQ(pixel(12, 20), 0u);
  EXPECT_EQ(pixel(20, 20), 0xFFFFFFu);  // inside stays
  EXPECT_EQ(pixel(5, 5), 0xFFFFFFu);    // outside stays
  // Moving the outline: the old one comes off, the new one appears.
  const CRect moved(14, 10, 54, 30);
  dc.DrawDragRect(&moved, CSize(3, 3), &outline, CSize(3, 3), white);
  EXPECT_EQ(pixel(10, 20), 0xFFFFFFu);
  EXPECT_EQ(pixel(14, 20), 0u);
  dc.DrawDragRect(nullptr, CSize(0, 0), &moved, CSize(3, 3), white);
  int marked = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) marked += pixel(x, y) != 0xFFFFFFu;
  EXPECT_EQ(marked, 0);
  // The half-tone brush marks every other pixel.
  dc.DrawDragRect(&outline, CSize(2, 2), nullptr, CSize(0, 0));
  EXPECT_NE(pixel(10, 10), pixel(11, 10));

  // Clip region, layout and nearest colour.
  CRgn region;
  region.CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(dc.GetClipRgn(&region), 0);
  CRgn clip;
  clip.CreateRectRgn(5, 5, 20, 20);
  dc.SelectClipRgn(&clip);
  EXPECT_EQ(dc.GetClipRgn(&region), 1);
  CRect box;
  region.GetRgnBox(&box);
  EXPECT_EQ(box, CRect(5, 5, 20, 20));
  EXPECT_EQ(dc.SetLayout(LAYOUT_RTL), 0u);
  EXPECT_EQ(dc.GetLayout(), static_cast<DWORD>(LAYOUT_RTL));
  dc.SetLayout(0);
  EXPECT_EQ(dc.GetNearestColor(RGB(12, 34, 56)), RGB(12, 34, 56));  // 32 bits: every colour exists
  ::SelectObject(dc.m_hDC, old);
  ::DeleteObject(bitmap);
}

void UsesManagedState(HINSTANCE during) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  AfxSetResourceHandle(during);
}

TEST(ModuleState, TheGuardPutsTheResourceModuleBack) {
  const HINSTANCE before = AfxGetResourceHandle();
  UsesManagedState(::GetModuleHandleW(L"kernel32.dll"));
  EXPECT_EQ(AfxGetResourceHandle(), before);
  EXPECT_EQ(AfxGetStaticModuleState(), AfxGetModuleState());
}

TEST(IdentityClasses, AnOrdinaryFrameIsNoneOfThem) {
  CFrameWnd* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, L"plain"));
  EXPECT_TRUE(frame->IsFrameWnd());
  EXPECT_FALSE(frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)));
  EXPECT_EQ(DYNAMIC_DOWNCAST(CMDIChildWnd, frame), nullptr);
  CWnd plain;
  EXPECT_FALSE(plain.IsFrameWnd());
  EXPECT_EQ(plain.GetScrollBarCtrl(SB_VERT), nullptr);
  CMDIFrameWnd mdi;
  BOOL maximized = TRUE;
  EXPECT_EQ(mdi.MDIGetActive(&maximized), nullptr);
  EXPECT_FALSE(maximized);
  COleDocument doc;
  EXPECT_TRUE(doc.IsKindOf(RUNTIME_CLASS(CDocument)));
  EXPECT_EQ(doc.GetInPlaceActiveItem(frame), nullptr);
  EXPECT_TRUE(RUNTIME_CLASS(CPropertyPage)->IsDerivedFrom(RUNTIME_CLASS(CDialog)));
  EXPECT_FALSE(RUNTIME_CLASS(CPreviewView)->IsDerivedFrom(RUNTIME_CLASS(CFrameWnd)));
  frame->DestroyWindow();
}

}  // namespace
