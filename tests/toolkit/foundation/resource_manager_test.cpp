// The resource manager over a resource library in English and German (with one French dialog
// and a few damaged resources): which module and language each lookup picks in both modes, the
// bounded reading of strings, menus and accelerators, direction, locale chain, imposed font,
// and the holder's state exchange with other holders.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang_ids.h"
#include "lang_library.h"
#include "toolkit/foundation/resource_formats.h"
#include "toolkit/foundation/resource_manager.h"

namespace {

auto& holder = g_ResourceManagerHolder;

constexpr WORD kEnglish = 0x0409;
constexpr WORD kGerman = 0x0407;
constexpr WORD kFrench = 0x040C;

class ResourceManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, lib.Module()) << "foundation_lang_resources.dll is missing";
    holder.InstallResourceManager(nullptr);
  }
  void TearDown() override { holder.InstallResourceManager(nullptr); }
  CExtResourceManager* Aware(WORD language) {
    holder->SetLanguageAware(true);
    holder->SetLanguage(language);
    return holder.GetResourceManager();
  }
  LangLibrary lib;
};

TEST_F(ResourceManagerTest, DefaultManagerIsPlainEnglishAndDecidesDirectionFromLanguage) {
  CExtResourceManager* m = holder.GetResourceManager();
  EXPECT_FALSE(m->IsLanguageAware());
  EXPECT_EQ(kEnglish, m->GetLanguage());
  EXPECT_EQ(-1, m->GetRightToLeftOverride());
  EXPECT_EQ(kEnglish, m->GetResourceLanguage());
  EXPECT_EQ(0, m->GetModuleCount());
  CExtResourceManager* made = static_cast<CExtResourceManager*>(RUNTIME_CLASS(CExtResourceManager)->CreateObject());
  ASSERT_NE(nullptr, made);
  EXPECT_FALSE(made->IsLanguageAware());
  delete made;
}

struct StringCase {
  WORD language;  // 0: plain mode
  UINT id;
  bool found;
  const wchar_t* text;
  WORD reported;
};

TEST_F(ResourceManagerTest, StringsFollowTheLanguageAndFallBackToEnglish) {
  const StringCase cases[] = {
      {kGerman, IDS_GREETING, true, L"Hallo", kGerman},
      {kEnglish, IDS_GREETING, true, L"Hello", kEnglish},
      {kFrench, IDS_GREETING, true, L"Hello", kEnglish},  // no French block: English
      {kGerman, IDS_GERMAN_ONLY, true, L"Nur auf Deutsch", kGerman},
      {kGerman, IDS_ENGLISH_ONLY, true, L"Only in English", kEnglish},
      // The English block of 96-111 exists: its empty entry for 101 is the answer.
      {kEnglish, IDS_GERMAN_ONLY, true, L"", kEnglish},
      {kGerman, IDS_EMPTY_ENTRY, true, L"", kGerman},
      {kGerman, IDS_ABSENT, false, L"", kEnglish},
      {kGerman, IDS_BROKEN_BLOCK, false, L"", kEnglish},  // block cut short: not read past
      {kEnglish, IDS_BROKEN_BLOCK, false, L"", kEnglish},
      // Plain mode goes where the framework's loader goes, whatever the language: a block
      // only in German is found.
      {0, IDS_GERMAN_BLOCK, true, L"Ein deutscher Block", kEnglish},
      {kEnglish, IDS_GERMAN_BLOCK, false, L"", kEnglish},
      {0, IDS_ENGLISH_ONLY, true, L"Only in English", kEnglish},
      {0, IDS_EMPTY_ENTRY, false, L"", kEnglish},
      {0, IDS_ABSENT, false, L"", kEnglish},
      {0, IDS_BROKEN_BLOCK, false, L"", kEnglish},
  };
  for (const StringCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "language " << std::hex << c.language << std::dec << ", id " << c.id);
    holder.InstallResourceManager(nullptr);
    if (c.language != 0) Aware(c.language);
    CString text = L"stale";
    WORD language = 0;
    HINSTANCE module = nullptr;
    EXPECT_EQ(c.found, holder->LoadStringById(text, c.id, &language, &module));
    EXPECT_STREQ(c.text, text);
    EXPECT_EQ(c.reported, language);
    if (c.found) {
      EXPECT_EQ(lib.Module(), module);
    }
  }
  // Plain mode finds the shared string in one of the two languages.
  holder.InstallResourceManager(nullptr);
  CString text;
  ASSERT_TRUE(holder->LoadStringById(text, IDS_GREETING));
  EXPECT_TRUE(text == L"Hello" || text == L"Hallo") << static_cast<LPCWSTR>(text);
}

TEST_F(ResourceManagerTest, DialogTemplatesFoundPerLanguage) {
  struct Case {
    WORD language;
    UINT id;
    bool found;
    WORD reported;
  };
  const Case cases[] = {
      {kGerman, IDD_SAMPLE, true, kGerman},      {kEnglish, IDD_SAMPLE, true, kEnglish},
      {kFrench, IDD_SAMPLE, true, kEnglish},     {kFrench, IDD_FRENCH_ONLY, true, kFrench},
      {kGerman, IDD_FRENCH_ONLY, false, kEnglish}, {0, IDD_FRENCH_ONLY, true, kEnglish},
      {kGerman, 9999, false, kEnglish},          {0, 9999, false, kEnglish},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "language " << std::hex << c.language << std::dec << ", id " << c.id);
    holder.InstallResourceManager(nullptr);
    if (c.language != 0) Aware(c.language);
    WORD language = 0;
    HRSRC resource = reinterpret_cast<HRSRC>(1);
    HINSTANCE module = holder->FindResourceModule(RT_DIALOG, MAKEINTRESOURCEW(c.id), &language, &resource);
    EXPECT_EQ(c.found ? lib.Module() : nullptr, module);
    EXPECT_EQ(c.found, resource != nullptr);
    EXPECT_EQ(c.reported, language);
  }
}

// Counts the single-language searches behind a search with fallback.
class CountingManager : public CExtResourceManager {
 public:
  CountingManager() : CExtResourceManager(true, 0x0407) {}
  HINSTANCE FindResourceForLanguage(LPCWSTR type, LPCWSTR name, WORD language, WORD* outLanguage,
                                    HRSRC* outResource) override {
    searched.push_back(language);
    return CExtResourceManager::FindResourceForLanguage(type, name, language, outLanguage, outResource);
  }
  WORD UserDefaultLanguage() const override { return userLanguage; }
  std::vector<WORD> searched;
  WORD userLanguage = 0x0409;
};

TEST_F(ResourceManagerTest, FallbackSearchesTheSecondLanguageOnlyWhenItDiffers) {
  auto* m = new CountingManager;
  holder.InstallResourceManager(m);
  EXPECT_EQ(nullptr, m->FindResourceWithFallback(RT_DIALOG, MAKEINTRESOURCEW(9999), kGerman, kGerman));
  EXPECT_EQ(std::vector<WORD>{kGerman}, m->searched);
  m->searched.clear();
  EXPECT_EQ(nullptr, m->FindResourceWithFallback(RT_DIALOG, MAKEINTRESOURCEW(9999), kGerman, kEnglish));
  EXPECT_EQ((std::vector<WORD>{kGerman, kEnglish}), m->searched);
  m->searched.clear();
  EXPECT_NE(nullptr, m->FindResourceWithFallback(RT_DIALOG, MAKEINTRESOURCEW(IDD_SAMPLE), kGerman, kEnglish));
  EXPECT_EQ(std::vector<WORD>{kGerman}, m->searched);
}

TEST_F(ResourceManagerTest, MenusAcceleratorsAndBitmapsInBothModes) {
  for (WORD language : {WORD(0), kGerman, kEnglish}) {
    SCOPED_TRACE(testing::Message() << "language " << std::hex << language);
    holder.InstallResourceManager(nullptr);
    if (language != 0) Aware(language);
    CMenu menu;
    menu.CreateMenu();  // a menu the object holds already is destroyed first
    ASSERT_TRUE(holder->LoadMenuById(menu, IDR_MENU));
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
    if (language == kGerman) {
      EXPECT_STREQ(L"&Datei", text);
    } else if (language == kEnglish) {
      EXPECT_STREQ(L"&File", text);
    }
    HMENU popup = ::GetSubMenu(menu, 0);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(2, ::GetMenuItemCount(popup));
    EXPECT_EQ(UINT(IDM_EXIT), ::GetMenuItemID(popup, 1));

    // A menu template whose pop-up never ends never reaches the system.
    CMenu broken;
    EXPECT_FALSE(holder->LoadMenuById(broken, IDR_BROKEN_MENU));
    EXPECT_EQ(nullptr, broken.GetSafeHmenu());

    // 24 bytes of accelerators: three entries.
    HACCEL accel = holder->LoadAcceleratorsById(IDR_ACCEL);
    ASSERT_NE(nullptr, accel);
    ACCEL entries[8] = {};
    ASSERT_EQ(3, ::CopyAcceleratorTableW(accel, entries, 8));
    EXPECT_EQ(IDM_OPEN, entries[0].cmd);
    EXPECT_EQ('O', entries[0].key);
    EXPECT_EQ(FVIRTKEY | FCONTROL, entries[0].fVirt);
    EXPECT_EQ(FVIRTKEY | FALT | FSHIFT, entries[2].fVirt & 0x7F);
    ::DestroyAcceleratorTable(accel);
    EXPECT_EQ(nullptr, holder->LoadAcceleratorsById(9999));

    // Bitmaps: the module and resource the bitmap class loads from.
    HINSTANCE module = nullptr;
    WORD found = 0;
    HRSRC bitmap = holder->FindBitmapById(IDB_STRIP, &found, &module);
    ASSERT_NE(nullptr, bitmap);
    EXPECT_EQ(lib.Module(), module);
    EXPECT_EQ(kEnglish, found);
    EXPECT_EQ(64u, ::SizeofResource(module, bitmap));
    EXPECT_EQ(nullptr, holder->FindBitmapById(9999, &found, &module));
    EXPECT_EQ(nullptr, module);
  }
}

TEST_F(ResourceManagerTest, BuffersCopyResourcesAndReportMisses) {
  CExtResourceManager::CExtResourceMemoryBuffer buffer;
  EXPECT_FALSE(buffer.Allocate(0));
  ASSERT_TRUE(buffer.Allocate(16));
  EXPECT_EQ(16u, buffer.GetSize());
  EXPECT_EQ(0, buffer.GetBuffer()[15]);

  for (WORD language : {WORD(0), kGerman}) {
    holder.InstallResourceManager(nullptr);
    if (language != 0) Aware(language);
    HINSTANCE module = nullptr;
    ASSERT_TRUE(holder->LoadResourceBuffer(buffer, MAKEINTRESOURCEW(240), MAKEINTRESOURCEW(IDD_SAMPLE), nullptr,
                                           &module));
    EXPECT_EQ(16u, buffer.GetSize());
    EXPECT_EQ(lib.Module(), module);
    EXPECT_EQ(0, memcmp(buffer.GetBuffer() + 8, "Alpha", 6));
    EXPECT_FALSE(holder->LoadResourceBuffer(buffer, RT_RCDATA, MAKEINTRESOURCEW(77), nullptr, &module));
    EXPECT_TRUE(buffer.IsEmpty());
    EXPECT_EQ(nullptr, module);
  }
  // Plain mode copies a resource that exists in German only.
  holder.InstallResourceManager(nullptr);
  ASSERT_TRUE(holder->LoadResourceBuffer(buffer, RT_STRING, MAKEINTRESOURCEW(extres::StringBlockOf(IDS_GERMAN_BLOCK))));
  std::u16string german;
  ASSERT_TRUE(extres::ReadStringTableEntry(buffer.GetBuffer(), buffer.GetSize(), IDS_GERMAN_BLOCK, &german));
  EXPECT_EQ(u"Ein deutscher Block", german);

  // The exact language only: no German accelerator table.
  EXPECT_FALSE(buffer.LoadFromModule(lib.Module(), RT_ACCELERATOR, MAKEINTRESOURCEW(IDR_ACCEL), kGerman));
  EXPECT_TRUE(buffer.LoadFromModule(lib.Module(), RT_ACCELERATOR, MAKEINTRESOURCEW(IDR_ACCEL), kEnglish));
  EXPECT_EQ(24u, buffer.GetSize());
}

TEST_F(ResourceManagerTest, OwnModulesAreSearchedFirstInLanguageAwareMode) {
  // The program module holds no German dialog 300; the library does. Listing the library as the
  // manager's own module while the framework points elsewhere still finds it there.
  AfxSetResourceHandle(AfxGetInstanceHandle());
  CExtResourceManager* m = Aware(kGerman);
  EXPECT_EQ(nullptr, m->FindResourceModule(RT_DIALOG, MAKEINTRESOURCEW(IDD_SAMPLE)));
  m->AddModule(nullptr);  // skipped
  m->AddModule(lib.Module());
  WORD language = 0;
  EXPECT_EQ(lib.Module(), m->FindResourceModule(RT_DIALOG, MAKEINTRESOURCEW(IDD_SAMPLE), &language));
  EXPECT_EQ(kGerman, language);
  CString text;
  EXPECT_TRUE(m->LoadStringById(text, IDS_GREETING));
  EXPECT_STREQ(L"Hallo", text);
  EXPECT_TRUE(m->RemoveModule(lib.Module()));
  EXPECT_FALSE(m->RemoveModule(lib.Module()));
  AfxSetResourceHandle(lib.Module());
}

TEST_F(ResourceManagerTest, RightToLeftFromSettingOrLanguage) {
  auto* m = new CountingManager;  // language-aware, German
  holder.InstallResourceManager(m);
  EXPECT_FALSE(m->IsRightToLeft());
  m->SetLanguage(0x040D);  // Hebrew
  EXPECT_TRUE(m->IsRightToLeft());
  EXPECT_EQ(-1, m->SetRightToLeftOverride(0));
  EXPECT_FALSE(m->IsRightToLeft());
  EXPECT_EQ(0, m->SetRightToLeftOverride(1));
  m->SetLanguage(kEnglish);
  EXPECT_TRUE(m->IsRightToLeft());
  // Plain mode asks the user's default language.
  m->SetRightToLeftOverride(-1);
  m->SetLanguageAware(false);
  m->SetLanguage(0x040D);
  m->userLanguage = kEnglish;
  EXPECT_FALSE(m->IsRightToLeft());
  m->userLanguage = 0x040D;
  EXPECT_TRUE(m->IsRightToLeft());
  for (WORD rtl : {0x0401, 0x0429, 0x0801, 0x4001}) EXPECT_TRUE(CExtResourceManager::IsRightToLeftLanguage(rtl));
  for (WORD ltr : {0x0409, 0x0407, 0x0419, 0x0000}) EXPECT_FALSE(CExtResourceManager::IsRightToLeftLanguage(ltr));
}

TEST_F(ResourceManagerTest, LocaleCallsFollowTheLanguageChain) {
  wchar_t text[32] = {};
  Aware(kGerman);
  ASSERT_GT(holder->GetLocaleInfoText(LOCALE_SDECIMAL, text, 32), 0);
  EXPECT_STREQ(L",", text);
  ASSERT_GT(holder->FormatNumber(0, L"1234.5", nullptr, text, 32), 0);
  EXPECT_STREQ(L"1.234,50", text);
  holder->SetLanguage(kEnglish);
  ASSERT_GT(holder->GetLocaleInfoText(LOCALE_SDECIMAL, text, 32), 0);
  EXPECT_STREQ(L".", text);
  // A language the system does not know falls back to English.
  holder->SetLanguage(0x7F7F);
  ASSERT_GT(holder->GetLocaleInfoText(LOCALE_SDECIMAL, text, 32), 0);
  EXPECT_STREQ(L".", text);
  SYSTEMTIME day{};
  day.wYear = 2026;
  day.wMonth = 12;
  day.wDay = 11;
  ASSERT_GT(holder->FormatDate(0, &day, L"yyyy-MM-dd", text, 32), 0);
  EXPECT_STREQ(L"2026-12-11", text);
  // A buffer too small fails at every step of the chain: the last call's answer.
  EXPECT_EQ(0, holder->FormatDate(0, &day, L"yyyy-MM-dd", text, 3));
}

TEST_F(ResourceManagerTest, ImposedFontFaceBuildsOneFontAndReachesChildren) {
  CExtResourceManager* m = holder.GetResourceManager();
  EXPECT_EQ(nullptr, m->GetFontFaceName());
  EXPECT_EQ(nullptr, m->GetFont());
  m->SetFontFaceName(L"Tahoma");
  HFONT font = m->GetFont();
  ASSERT_NE(nullptr, font);
  LOGFONTW lf{};
  ::GetObjectW(font, sizeof lf, &lf);
  EXPECT_STREQ(L"Tahoma", lf.lfFaceName);
  EXPECT_EQ(font, m->GetFont());
  m->SetFontFaceName(L"Tahoma");  // the same name keeps the font
  EXPECT_EQ(font, m->GetFont());

  HWND parent = ::CreateWindowExW(0, L"STATIC", L"parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  HWND child = ::CreateWindowExW(0, L"STATIC", L"child", WS_CHILD, 0, 0, 50, 20, parent, nullptr, nullptr, nullptr);
  HWND grandchild = ::CreateWindowExW(0, L"STATIC", L"g", WS_CHILD, 0, 0, 10, 10, child, nullptr, nullptr, nullptr);
  m->ApplyFontToWindow(parent, 1, false);
  EXPECT_EQ(reinterpret_cast<LRESULT>(font), ::SendMessageW(child, WM_GETFONT, 0, 0));
  EXPECT_NE(reinterpret_cast<LRESULT>(font), ::SendMessageW(grandchild, WM_GETFONT, 0, 0));  // depth 1
  ::DestroyWindow(parent);

  m->SetFontFaceName(L"A face name far longer than a font description holds");
  EXPECT_EQ(nullptr, m->GetFont());
  m->SetFontFaceName(nullptr);
  EXPECT_EQ(nullptr, m->GetFontFaceName());
  EXPECT_EQ(nullptr, m->GetFont());
}

std::vector<BYTE> StateBytes(CExtResourceManager& m) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    m.SerializeState(ar);
    ar.Close();
  }
  const UINT size = static_cast<UINT>(file.GetLength());
  BYTE* data = file.Detach();
  std::vector<BYTE> bytes(data, data + size);
  free(data);
  return bytes;
}

TEST_F(ResourceManagerTest, StateRecordIsTwelveBytes) {
  CExtResourceManager aware(true, kGerman, 1);
  EXPECT_EQ((std::vector<BYTE>{1, 0, 0, 0, 0x07, 0x04, 0, 0, 0, 0, 0, 0}), StateBytes(aware));
  // Loading keeps bit 0 and the low 16 bits of the language; the third value is ignored.
  BYTE record[12] = {0xFF, 0, 0, 0, 0x0C, 0x04, 0x34, 0x12, 9, 9, 9, 9};
  CMemFile file(record, sizeof record);
  CArchive ar(&file, CArchive::load);
  CExtResourceManager loaded;
  loaded.SerializeState(ar);
  EXPECT_TRUE(loaded.IsLanguageAware());
  EXPECT_EQ(kFrench, loaded.GetLanguage());
  EXPECT_EQ(-1, loaded.GetRightToLeftOverride());  // not part of the state
}

TEST_F(ResourceManagerTest, HoldersSynchroniseTheirState) {
  CExtResourceManager::CExtResourceManagerAutoPtr other;
  EXPECT_FALSE(holder.SetSyncedSink(nullptr));
  EXPECT_FALSE(holder.SetSyncedSink(&holder));
  EXPECT_FALSE(holder.SetSyncedSink(&other, false));  // not listed

  Aware(kGerman);
  ASSERT_TRUE(holder.SetSyncedSink(&other, true, true));  // gets the state at once
  EXPECT_TRUE(other->IsLanguageAware());
  EXPECT_EQ(kGerman, other->GetLanguage());
  EXPECT_TRUE(holder.SetSyncedSink(&other));  // listed once
  EXPECT_EQ(1, holder.SyncedSinkCount());

  holder->SetLanguage(kFrench);
  holder.BroadcastState();
  EXPECT_EQ(kFrench, other->GetLanguage());

  // A stream of another holder's kind (a paint manager) changes nothing here.
  CExtResourceManager* before = holder.GetResourceManager();
  if (IStream* paint = g_PaintManagerHolder.SaveStateToStream()) {
    holder.LoadStateFromStream(paint);
    paint->Release();
  }
  EXPECT_EQ(before, holder.GetResourceManager());
  // Nor does garbage.
  IStream* junk = nullptr;
  ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, &junk));
  const char bytes[] = "\xFF\xFF\x01\x00\x05\x00garbage";
  junk->Write(bytes, sizeof bytes, nullptr);
  LARGE_INTEGER zero{};
  junk->Seek(zero, STREAM_SEEK_SET, nullptr);
  holder.LoadStateFromStream(junk);
  junk->Release();
  EXPECT_EQ(before, holder.GetResourceManager());
  holder.LoadStateFromStream(nullptr);

  EXPECT_TRUE(holder.SetSyncedSink(&other, false));
  EXPECT_EQ(0, holder.SyncedSinkCount());
  holder.SetSyncedSink(&other);
  EXPECT_TRUE(holder.SetSyncedSink(nullptr, false));  // empties the list
  EXPECT_EQ(0, holder.SyncedSinkCount());
}

}  // namespace
