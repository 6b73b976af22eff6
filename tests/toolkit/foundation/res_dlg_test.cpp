// The resource dialog base: modal and modeless dialogs from templates the resource manager finds
// in the toolkit's language, their dialog-init data, the theme's and the property sheet's font
// substitution, refusal of missing and damaged templates, the direction, and the bridge to the
// paint-manager holder. Modal runs are captured for review.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui_harness.h"
#include "lang_ids.h"
#include "lang_library.h"
#include "toolkit/foundation/res_dlg.h"
#include "toolkit/foundation/resource_formats.h"
#include "toolkit/foundation/resource_manager.h"

namespace {

CWinApp g_app(L"res dlg test");

constexpr UINT kInspect = WM_APP + 20;

std::wstring FaceOf(HWND hWnd) {
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(hWnd, WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  if (font == nullptr || ::GetObjectW(font, sizeof lf, &lf) == 0) return L"";
  return lf.lfFaceName;
}

// A modal dialog that looks at itself once it is up, saves a capture and closes.
class InspectedDialog : public CExtResDlg {
 public:
  InspectedDialog(UINT id, std::wstring capture) : CExtResDlg(id), capture_(std::move(capture)) {}

  std::wstring caption, face, firstItem;
  int items = -1;
  bool rtl = true;

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CExtResDlg::OnInitDialog();
    PostMessage(kInspect);
    return result;
  }
  afx_msg LRESULT OnInspect(WPARAM, LPARAM) {
    gui::Pump(100);
    wchar_t text[128] = {};
    ::GetWindowTextW(m_hWnd, text, 128);
    caption = text;
    face = FaceOf(m_hWnd);
    rtl = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    HWND list = ::GetDlgItem(m_hWnd, IDC_LIST);
    if (list != nullptr) {
      items = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
      if (items > 0) {
        ::SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
        firstItem = text;
      }
    }
    if (!capture_.empty()) gui::SaveCapture(gui::CaptureWindow(m_hWnd), capture_);
    EndDialog(IDOK);
    return 0;
  }
  DECLARE_MESSAGE_MAP()

 private:
  std::wstring capture_;
};

BEGIN_MESSAGE_MAP(InspectedDialog, CExtResDlg)
  ON_MESSAGE(kInspect, &InspectedDialog::OnInspect)
END_MESSAGE_MAP()

class ResDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, lib.Module());
    g_ResourceManagerHolder.InstallResourceManager(nullptr);
    CExtResPP::stat_SetPropSheetFont(L"MS Shell Dlg", 8);  // no substitution unless a test asks
  }
  void TearDown() override {
    g_ResourceManagerHolder.InstallResourceManager(nullptr);
    CExtResPP::stat_SetPropSheetFont(nullptr, 0);
  }
  void Language(WORD language) {
    g_ResourceManagerHolder->SetLanguageAware(true);
    g_ResourceManagerHolder->SetLanguage(language);
  }
  LangLibrary lib;
};

TEST_F(ResDlgTest, ModalDialogFollowsTheToolkitLanguageWithItsInitData) {
  struct Case {
    WORD language;
    const wchar_t* caption;
    const wchar_t* capture;
  };
  const Case cases[] = {{0x0407, L"Deutscher Dialog", L"res_dlg_german"},
                        {0x0409, L"English dialog", L"res_dlg_english"},
                        {0x040C, L"English dialog", L""}};  // French falls back to English
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.language);
    Language(c.language);
    InspectedDialog dlg(IDD_SAMPLE, c.capture);
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(c.caption, dlg.caption);
    // The dialog-init record with message 0x401 filled the list box.
    EXPECT_EQ(1, dlg.items);
    EXPECT_EQ(L"Alpha", dlg.firstItem);
    EXPECT_EQ(L"MS Shell Dlg", dlg.face);
  }
}

// A theme that gives every dialog a font of its own.
class FontTheme : public CExtPaintManager {
 public:
  HGLOBAL DrawResDialogExtra(HGLOBAL hTemplate, CWnd*, LPARAM, LPARAM) override {
    ++asked;
    const auto* data = reinterpret_cast<const std::uint8_t*>(hTemplate);
    extres::DialogTemplateInfo info;
    if (!extres::ParseDialogTemplate(data, 1 << 16, &info) || !info.hasFont) return nullptr;
    const std::vector<std::uint8_t> changed = extres::ReplaceDialogFont(data, info, u"Tahoma", 10);
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, changed.size());
    memcpy(::GlobalLock(copy), changed.data(), changed.size());
    ::GlobalUnlock(copy);
    return copy;
  }
  static int asked;
};
int FontTheme::asked = 0;

TEST_F(ResDlgTest, ThemeReplacesTheTemplateFont) {
  g_PaintManagerHolder.ReplaceManager(new FontTheme);
  FontTheme::asked = 0;
  Language(0x0407);
  InspectedDialog dlg(IDD_SAMPLE, L"res_dlg_theme_font");
  EXPECT_EQ(IDOK, dlg.DoModal());
  g_PaintManagerHolder.ReplaceManager(nullptr);
  EXPECT_EQ(1, FontTheme::asked);
  EXPECT_EQ(L"Tahoma", dlg.face);
  EXPECT_EQ(L"Deutscher Dialog", dlg.caption);
  EXPECT_EQ(L"Alpha", dlg.firstItem);
}

std::wstring ModelessFace(UINT id) {
  CExtResDlg dlg;
  if (!dlg.Create(id)) return L"<none>";
  std::wstring face = FaceOf(dlg.m_hWnd);
  dlg.DestroyWindow();
  return face;
}

TEST_F(ResDlgTest, PropertySheetFontReplacesTheClassicShellFaceAtItsSize) {
  CExtResPP::stat_SetPropSheetFont(L"Tahoma", 8);
  EXPECT_EQ(L"Tahoma", ModelessFace(IDD_PLAIN_FONT));             // "MS Shell Dlg" 8
  EXPECT_EQ(L"MS Shell Dlg", ModelessFace(IDD_OTHER_SIZE));       // at 10 points
  EXPECT_EQ(L"Courier New", ModelessFace(IDD_OTHER_FACE));        // another face
  CExtResPP::stat_SetPropSheetFont(L"MS Shell Dlg", 8);           // the same face: nothing to do
  EXPECT_EQ(L"MS Shell Dlg", ModelessFace(IDD_PLAIN_FONT));
  CExtResPP::stat_SetPropSheetFont(L"", -1);                      // not available
  EXPECT_EQ(L"MS Shell Dlg", ModelessFace(IDD_PLAIN_FONT));

  // From the system: read once, then answered from the cache.
  CExtResPP::stat_SetPropSheetFont(nullptr, 0);
  CString face1, face2;
  WORD size1 = 0, size2 = 0;
  const bool got = CExtResPP::stat_GetPropSheetFont(face1, size1, false);
  EXPECT_EQ(got, CExtResPP::stat_GetPropSheetFont(face2, size2, true));
  EXPECT_EQ(face1, face2);
  EXPECT_EQ(size1, size2);
  if (got) {
    EXPECT_FALSE(face1.IsEmpty());
    EXPECT_GT(size1, 0);
  }
}

TEST_F(ResDlgTest, MissingAndDamagedTemplatesFailWithoutAWindow) {
  for (WORD language : {WORD(0), WORD(0x0409)}) {
    if (language != 0) Language(language);
    for (UINT id : {9999u, UINT(IDD_BROKEN)}) {
      SCOPED_TRACE(testing::Message() << "id " << id << ", language " << std::hex << language);
      CExtResDlg modeless;
      EXPECT_FALSE(modeless.Create(id));
      EXPECT_EQ(nullptr, modeless.m_hWnd);
      CExtResDlg modal(id);
      EXPECT_EQ(-1, modal.DoModal());
      EXPECT_EQ(nullptr, modal.m_hWnd);
    }
  }
  // The French-only dialog exists for French only.
  Language(0x0407);
  CExtResDlg french;
  EXPECT_FALSE(french.Create(IDD_FRENCH_ONLY));
  Language(0x040C);
  EXPECT_TRUE(french.Create(IDD_FRENCH_ONLY));
  french.DestroyWindow();
}

TEST_F(ResDlgTest, DialogInitDataRunningPastItsEndFailsTheDialog) {
  InspectedDialog dlg(IDD_BAD_INIT, L"");
  EXPECT_EQ(-1, dlg.DoModal());
  EXPECT_EQ(-1, dlg.items);  // never inspected
}

class RtlDialog : public CExtResDlg {
 public:
  bool WantsRightToLeftLayout() override { return true; }
};

TEST_F(ResDlgTest, RightToLeftOnlyForDialogsThatWantIt) {
  g_ResourceManagerHolder->SetRightToLeftOverride(1);
  CExtResDlg plain;
  ASSERT_TRUE(plain.Create(IDD_PLAIN_FONT));
  EXPECT_EQ(0u, plain.GetExStyle() & WS_EX_LAYOUTRTL);
  plain.DestroyWindow();
  RtlDialog mirrored;
  ASSERT_TRUE(mirrored.Create(IDD_PLAIN_FONT));
  EXPECT_NE(0u, mirrored.GetExStyle() & WS_EX_LAYOUTRTL);
  mirrored.DestroyWindow();
  g_ResourceManagerHolder->SetRightToLeftOverride(0);
  RtlDialog unmirrored;
  ASSERT_TRUE(unmirrored.Create(IDD_PLAIN_FONT));
  EXPECT_EQ(0u, unmirrored.GetExStyle() & WS_EX_LAYOUTRTL);
  unmirrored.DestroyWindow();
}

TEST_F(ResDlgTest, BridgeFollowsTheDialogsLifeAndTheme) {
  const int before = g_PaintManagerHolder.BridgeCount();
  {
    CExtResDlg dlg;
    EXPECT_EQ(before + 1, g_PaintManagerHolder.BridgeCount());
    ASSERT_TRUE(dlg.Create(IDD_PLAIN_FONT));
    EXPECT_EQ(dlg.m_hWnd, dlg.BridgedWindow());
    EXPECT_EQ(g_PaintManagerHolder.CurrentManager(), dlg.BridgedManager());
    EXPECT_EQ(UINT(IDD_PLAIN_FONT), dlg.m_nIDHelp);
    EXPECT_EQ(MAKEINTRESOURCEW(IDD_PLAIN_FONT), dlg.m_pszDlgInitTemplate);
    // A new theme reaches the open dialog; it stays up.
    g_PaintManagerHolder.ReplaceManager(nullptr);
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
  }
  EXPECT_EQ(before, g_PaintManagerHolder.BridgeCount());
  CObject* made = RUNTIME_CLASS(CExtResDlg)->CreateObject();
  ASSERT_NE(nullptr, made);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CDialog)));
  delete made;
}

}  // namespace
