// Seat names, label texts, file names, the settings folder, the clipboard and the browser
// command line.
#include <gtest/gtest.h>

#include "app/app_shell.h"
#include "app/app_utils.h"
#include "resource.h"
#include "temp_folder.h"

namespace {

TEST(SeatPositionName, NamesTheTenSeatsAndNothingElse) {
  const wchar_t* expected[] = {L"UTG", L"UTG+1", L"UTG+2", L"MP1", L"MP2", L"MP3", L"CO", L"BU", L"SB", L"BB"};
  for (int seat = 0; seat < 10; ++seat) EXPECT_STREQ(GetSeatPositionName(seat), expected[seat]) << seat;
  EXPECT_TRUE(GetSeatPositionName(-1).IsEmpty());
  EXPECT_TRUE(GetSeatPositionName(10).IsEmpty());
}

TEST(StripEscCodes, RemovesBoldAndColourCodesOnly) {
  struct Case {
    const wchar_t* in;
    const wchar_t* out;
  } cases[] = {
      {L"plain text", L"plain text"},
      {L"a \x1b" L"Ebold\x1b" L"F b", L"a bold b"},
      {L"\x1b" L"C3red\x1b" L"C0", L"red"},
      {L"Cards \x1b" L"C1" L"C", L"Cards C"},  // a "C" after the digit stays
      {L"ends with \x1b", L"ends with "},         // nothing read past the end
      {L"ends with colour \x1b" L"C", L"ends with colour "},
      {L"", L""},
  };
  for (const Case& c : cases) {
    CString text = c.in;
    StripEscCodes(text);
    EXPECT_STREQ(text, c.out) << static_cast<const wchar_t*>(c.in);
  }
}

TEST(StripEscCodes, CleansTheVersionStringsOfTheUpdateDialog) {
  for (UINT id : {IDS_CURRENT_VERSION, IDS_NEWER_VERSION}) {
    CString text;
    ASSERT_TRUE(text.LoadString(id));
    CString stripped = text;
    StripEscCodes(stripped);
    EXPECT_EQ(stripped.Find(L'\x1b'), -1);
    EXPECT_EQ(stripped.GetLength(), text.GetLength() - 4) << "two codes of two characters each";
    EXPECT_GE(stripped.Find(L"%s"), 0);
  }
}

TEST(EscapeNonAsciiForHtml, WritesCharacterReferencesFrom128On) {
  CString text = L"A\x00b0 <b>\x20ac\x007f";
  EscapeNonAsciiForHtml(text);
  EXPECT_STREQ(text, L"A&#176; <b>&#8364;\x007f");
}

TEST(ExeFileName, KeepsTheNameAndEndsInExe) {
  struct Case {
    const wchar_t* path;
    const wchar_t* name;
  } cases[] = {
      {L"C:\\Program Files\\X.EXE", L"X.exe"},
      {L"C:\\a.b\\prog", L"prog.exe"},
      {L"C:/tools/y.z.exe", L"y.z.exe"},
      {L"name", L"name.exe"},
  };
  for (const Case& c : cases) EXPECT_STREQ(ExeFileNameFromPath(c.path), c.name) << c.path;
  EXPECT_STREQ(GetExeFileName(), L"app_utils_test.exe");
}

class AppDataFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetAppDataFolderCache(); }
  void TearDown() override {
    ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", nullptr);
    ResetAppDataFolderCache();
  }
  apptest::TempFolder root_;
};

TEST_F(AppDataFolderTest, CreatesTheProgramFolderAndCachesIt) {
  ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", (root_.Path() + L"\\").c_str());
  const CString folder = GetAppDataFolder();
  EXPECT_STREQ(folder, (root_.Path() + L"\\OmahaVantorn").c_str());
  EXPECT_TRUE(apptest::FolderExists(folder.GetString()));

  ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", L"C:\\elsewhere");
  EXPECT_STREQ(GetAppDataFolder(), folder) << "asked once per run";
}

TEST_F(AppDataFolderTest, WithoutOverrideUsesTheUsersApplicationDataFolder) {
  const CString folder = GetAppDataFolder();
  EXPECT_EQ(folder.Right(13), CString(L"\\OmahaVantorn"));
  EXPECT_GT(folder.GetLength(), 13) << "the shell's folder comes first";
  EXPECT_TRUE(apptest::FolderExists(folder.GetString()));
}

TEST(SetWindowTextFromResource, SetsTheStringOrNothing) {
  HWND label = ::CreateWindowW(L"STATIC", L"before", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(label, nullptr);
  SetWindowTextFromResource(label, IDS_APP_TITLE);
  wchar_t text[256] = L"";
  ::GetWindowTextW(label, text, 256);
  EXPECT_STREQ(text, L"Brightfold Vantorn - Omaha");
  SetWindowTextFromResource(label, 65000);  // no such string
  ::GetWindowTextW(label, text, 256);
  EXPECT_STREQ(text, L"");
  ::DestroyWindow(label);
  SetWindowTextFromResource(label, IDS_APP_TITLE);  // a handle that is gone is ignored
}

TEST(FormatHandAsCardImages, NamesTheResourceModule) {
  const CString html = FormatHandAsCardImages(L"As Kd 7c", 0);
  const CString module = GetResourceModulePath();
  EXPECT_EQ(module.Right(18), CString(L"app_utils_test.exe"));
  EXPECT_STREQ(html, (L"<img src=\"res://" + module + L"/bitmap_card_As.png\">&nbsp;<img src=\"res://" + module +
                      L"/bitmap_card_Kd.png\">&nbsp;<img src=\"res://" + module + L"/bitmap_card_7c.png\">&nbsp;<br>\n"));
}

TEST(Clipboard, HoldsTheCopiedTextAsUnicode) {
  const CString text = L"Seat 1\t55.20%\r\nA\x00b0\x20ac";
  CopyTextToClipboard(text);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  const wchar_t* stored = static_cast<const wchar_t*>(::GlobalLock(data));
  ASSERT_NE(stored, nullptr);
  EXPECT_STREQ(stored, text);
  ::GlobalUnlock(data);
  ::CloseClipboard();
}

TEST(BrowserCommandLine, CutsAtThePlaceholderAndAppendsTheTarget) {
  struct Case {
    const wchar_t* command;
    const wchar_t* target;
    const wchar_t* line;
  } cases[] = {
      {L"\"C:\\Browser\\b.exe\" -url \"%1\"", L"http://example.org/",
       L"\"C:\\Browser\\b.exe\" -url http://example.org/"},
      {L"C:\\b.exe %1 -new", L"http://x/", L"C:\\b.exe http://x/"},
      {L"C:\\b.exe", L"http://x/", L"C:\\b.exe http://x/"},
      {L"C:\\b.exe \"%1\"", L"C:\\My Pages\\Syntax.html", L"C:\\b.exe \"C:\\My Pages\\Syntax.html\""},
      {L"C:\\b.exe \"%1\"", L"\"C:\\My Pages\\a.html\"", L"C:\\b.exe \"C:\\My Pages\\a.html\""},
  };
  for (const Case& c : cases) EXPECT_STREQ(BuildBrowserCommandLine(c.command, c.target), c.line) << c.command;
}

}  // namespace

namespace {

// Reads the message box this process shows and presses its OK button: its caption, the plain
// text of its hidden message label, and a pixel of its background.
struct BoxReader {
  std::wstring caption, text;
  bool labelHidden = false;
  COLORREF background = CLR_INVALID;
  static DWORD WINAPI Run(void* data) {
    auto* self = static_cast<BoxReader*>(data);
    for (int i = 0; i < 200; ++i) {
      ::Sleep(25);
      HWND box = ::FindWindowW(L"#32770", nullptr);
      DWORD pid = 0;
      if (box) ::GetWindowThreadProcessId(box, &pid);
      if (!box || pid != ::GetCurrentProcessId() || !::IsWindowVisible(box)) continue;
      ::Sleep(200);  // painted
      wchar_t buffer[512] = L"";
      ::GetWindowTextW(box, buffer, 512);
      self->caption = buffer;
      ::GetDlgItemTextW(box, 0xFFFF, buffer, 512);
      self->text = buffer;
      self->labelHidden = !::IsWindowVisible(::GetDlgItem(box, 0xFFFF));
      HDC dc = ::GetDC(box);
      self->background = ::GetPixel(dc, 2, 2);
      ::ReleaseDC(box, dc);
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    return 1;
  }
};

TEST(ShowMessageBox, FormatsTheTextAndNamesTheProgramWithoutAMainWindow) {
  BoxReader reader;
  HANDLE thread = ::CreateThread(nullptr, 0, &BoxReader::Run, &reader, 0, nullptr);
  const CString file = L"Omaha.bin";
  const int pressed = ShowMessageBox(nullptr, L"File %s: %d records", MB_OK, file, 16432);
  ::WaitForSingleObject(thread, 10000);
  ::CloseHandle(thread);
  EXPECT_EQ(pressed, IDOK);
  EXPECT_EQ(reader.caption, L"Brightfold Vantorn - Omaha");
  EXPECT_EQ(reader.text, L"File Omaha.bin: 16432 records");
  // The HTML box: the message is drawn, on the light grey of the program's boxes.
  EXPECT_TRUE(reader.labelHidden);
  EXPECT_EQ(reader.background, RGB(245, 245, 245));
}

TEST(ShowMessageBox, FileNamesAndPathsShowTheirSignsAsTheyAre) {
  BoxReader reader;
  HANDLE thread = ::CreateThread(nullptr, 0, &BoxReader::Run, &reader, 0, nullptr);
  const CString path = L"C:\\Scenarios\\<b>Tom & Jerry</b> &amp; co.ovs";
  const int pressed = ShowMessageBox(nullptr, L"This scenario [%s] already exist, overwrite?", MB_OK, path);
  ::WaitForSingleObject(thread, 10000);
  ::CloseHandle(thread);
  EXPECT_EQ(pressed, IDOK);
  EXPECT_EQ(reader.text, L"This scenario [C:\\Scenarios\\<b>Tom & Jerry</b> &amp; co.ovs] already exist, overwrite?");
}

}  // namespace
