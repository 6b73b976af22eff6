// The application's parts without windows: command-line parsing, the
// recent-file list and its menu, document-template strings.
#include <gtest/gtest.h>

#include <string>

#include "framework/afxwin.h"
#include "test_util.h"
#include "ui_resources.h"

namespace {

class CPartsTestApp : public CWinApp {
 public:
  CPartsTestApp() : CWinApp(L"Parts Test") {}
};
CPartsTestApp theApp;

struct CommandLineCase {
  const wchar_t* line;
  int command;
  const wchar_t* file;
  BOOL splash;
};

TEST(CommandLine, NamesTheFileAndTheKnownFlags) {
  const CommandLineCase cases[] = {
      {L"", CCommandLineInfo::FileNew, L"", TRUE},
      {L"scenario.vof", CCommandLineInfo::FileOpen, L"scenario.vof", TRUE},
      {L"\"C:\\My Files\\hands one.vof\"", CCommandLineInfo::FileOpen, L"C:\\My Files\\hands one.vof", TRUE},
      {L"/nologo a.vof", CCommandLineInfo::FileOpen, L"a.vof", FALSE},
      {L"-NOLOGO", CCommandLineInfo::FileNew, L"", FALSE},
      {L"--gtest_output=xml:x.xml a.vof", CCommandLineInfo::FileOpen, L"a.vof", TRUE},
      {L"/p a.vof", CCommandLineInfo::FilePrint, L"a.vof", TRUE},
      {L"/unregserver", CCommandLineInfo::AppUnregister, L"", TRUE},
      {L"/dde", CCommandLineInfo::FileDDE, L"", TRUE},
      {L"a.vof b.vof", CCommandLineInfo::FileOpen, L"a.vof", TRUE},
  };
  for (const CommandLineCase& c : cases) {
    SCOPED_TRACE(CStringA(c.line).GetString());
    std::wstring line = c.line;
    theApp.m_lpCmdLine = line.data();
    CCommandLineInfo info;
    theApp.ParseCommandLine(info);
    EXPECT_EQ(info.m_nShellCommand, c.command);
    EXPECT_EQ(info.m_strFileName, c.file);
    EXPECT_EQ(info.m_bShowSplash, c.splash);
  }
  theApp.m_lpCmdLine = nullptr;
}

TEST(CommandLine, PrintToTakesPrinterDriverAndPort) {
  CCommandLineInfo info;
  info.ParseParam(L"pt", TRUE, FALSE);
  const wchar_t* params[] = {L"a.vof", L"Printer", L"Driver", L"Port"};
  for (int i = 0; i < 4; ++i) info.ParseParam(params[i], FALSE, i == 3);
  EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FilePrintTo);
  EXPECT_EQ(info.m_strFileName, L"a.vof");
  EXPECT_EQ(info.m_strPrinterName, L"Printer");
  EXPECT_EQ(info.m_strDriverName, L"Driver");
  EXPECT_EQ(info.m_strPortName, L"Port");
}

TEST(RecentFiles, NewestFirstWithoutDuplicatesUpToItsSize) {
  CRecentFileList list(ID_FILE_MRU_FILE1, L"Recent File List", L"File%d", 3);
  for (const wchar_t* p : {L"C:\\a.vof", L"C:\\b.vof", L"C:\\c.vof"}) list.Add(p);
  EXPECT_EQ(list[0], L"C:\\c.vof");
  list.Add(L"c:\\A.VOF");  // the same file moves up, in its new spelling
  EXPECT_EQ(list[0], L"c:\\A.VOF");
  EXPECT_EQ(list[1], L"C:\\c.vof");
  EXPECT_EQ(list[2], L"C:\\b.vof");
  list.Add(L"C:\\d.vof");  // the oldest drops out
  EXPECT_EQ(list[0], L"C:\\d.vof");
  EXPECT_EQ(list[2], L"C:\\c.vof");
  list.Remove(0);
  EXPECT_EQ(list[0], L"c:\\A.VOF");
  EXPECT_EQ(list[2], L"");
  list.Add(L"");
  EXPECT_EQ(list[0], L"c:\\A.VOF");
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([&] { (void)list[3]; }));
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([&] { list.Remove(-1); }));
}

TEST(RecentFiles, DisplayNamesAreShortButKeepTheFileName) {
  CRecentFileList list(ID_FILE_MRU_FILE1, L"Recent File List", L"File%d", 4, 30);
  list.Add(L"C:\\Games\\Omaha\\hands.vof");
  list.Add(L"C:\\Users\\player\\Documents\\Scenarios\\Tournament\\final table.vof");
  list.Add(L"C:\\x\\a_really_long_scenario_file_name_here.vof");
  CString name;
  EXPECT_TRUE(list.GetDisplayName(name, 2, L"C:\\Games\\Omaha", 14));
  EXPECT_EQ(name, L"hands.vof");  // in the current folder: the name alone
  EXPECT_TRUE(list.GetDisplayName(name, 2, L"C:\\Other", 8));
  EXPECT_EQ(name, L"C:\\Games\\Omaha\\hands.vof");  // short enough as it is
  EXPECT_TRUE(list.GetDisplayName(name, 1, L"C:\\Other", 8));
  EXPECT_LE(name.GetLength(), 30);
  EXPECT_EQ(name.Left(6), L"C:\\...");
  EXPECT_EQ(name.Right(16), L"\\final table.vof");
  EXPECT_TRUE(list.GetDisplayName(name, 0, L"C:\\Other", 8));
  EXPECT_EQ(name, L"a_really_long_scenario_file_name_here.vof");
  EXPECT_FALSE(list.GetDisplayName(name, 3, L"C:\\Other", 8));
  EXPECT_EQ(name, L"");
}

TEST(RecentFiles, FillTheMenuInPlaceOfTheirItem) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, ID_FILE_NEW, L"&New");
  menu.AppendMenu(MF_STRING, ID_FILE_MRU_FILE1, L"Recent File");
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_STRING, ID_APP_EXIT, L"E&xit");
  CRecentFileList list(ID_FILE_MRU_FILE1, L"Recent File List", L"File%d", 4);
  auto update = [&] {
    CCmdUI ui;
    ui.m_pMenu = &menu;
    ui.m_nIndex = 1;
    ui.m_nID = ID_FILE_MRU_FILE1;
    ui.m_nIndexMax = menu.GetMenuItemCount();
    list.UpdateMenu(&ui);
  };
  update();
  EXPECT_EQ(menu.GetMenuItemCount(), 4u);
  EXPECT_TRUE(menu.GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);  // empty: kept, greyed
  list.Add(L"C:\\one.vof");
  list.Add(L"C:\\R&D\\two.vof");
  update();
  EXPECT_EQ(menu.GetMenuItemCount(), 5u);
  CString text;
  menu.GetMenuString(ID_FILE_MRU_FILE1, text, MF_BYCOMMAND);
  EXPECT_EQ(text, L"&1 C:\\R&&D\\two.vof");
  menu.GetMenuString(ID_FILE_MRU_FILE2, text, MF_BYCOMMAND);
  EXPECT_EQ(text, L"&2 C:\\one.vof");
  EXPECT_EQ(menu.GetMenuItemID(3), static_cast<UINT>(0));  // the separator follows the list
  list.Remove(0);
  update();
  EXPECT_EQ(menu.GetMenuItemCount(), 4u);
  menu.GetMenuString(ID_FILE_MRU_FILE1, text, MF_BYCOMMAND);
  EXPECT_EQ(text, L"&1 C:\\one.vof");
}

TEST(RecentFiles, TheProfileKeepsExactlyTheEntries) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  std::wstring ini = std::wstring(folder) + L"fw_recent_test.ini";
  ::DeleteFileW(ini.c_str());
  free(const_cast<LPTSTR>(theApp.m_pszProfileName));
  theApp.m_pszProfileName = _wcsdup(ini.c_str());
  ::WritePrivateProfileStringW(L"Recent File List", L"File9", L"C:\\stale.vof", ini.c_str());
  {
    CRecentFileList list(ID_FILE_MRU_FILE1, L"Recent File List", L"File%d", 6);
    list.Add(L"C:\\one.vof");
    list.Add(L"C:\\two.vof");
    list.WriteList();
  }
  wchar_t value[MAX_PATH] = {};
  ::GetPrivateProfileStringW(L"Recent File List", L"File1", L"", value, MAX_PATH, ini.c_str());
  EXPECT_STREQ(value, L"C:\\two.vof");
  ::GetPrivateProfileStringW(L"Recent File List", L"File9", L"", value, MAX_PATH, ini.c_str());
  EXPECT_STREQ(value, L"");
  // A gap in the file is closed when reading.
  ::WritePrivateProfileStringW(L"Recent File List", L"File2", nullptr, ini.c_str());
  ::WritePrivateProfileStringW(L"Recent File List", L"File4", L"C:\\four.vof", ini.c_str());
  CRecentFileList list(ID_FILE_MRU_FILE1, L"Recent File List", L"File%d", 6);
  list.ReadList();
  EXPECT_EQ(list[0], L"C:\\two.vof");
  EXPECT_EQ(list[1], L"C:\\four.vof");
  EXPECT_EQ(list[2], L"");
  ::DeleteFileW(ini.c_str());
}

class CPartsDoc : public CDocument {
  DECLARE_DYNCREATE(CPartsDoc)
};
IMPLEMENT_DYNCREATE(CPartsDoc, CDocument)

TEST(DocTemplate, ReadsTheFieldsOfItsString) {
  CSingleDocTemplate doc(IDR_TESTFRAME, RUNTIME_CLASS(CPartsDoc), RUNTIME_CLASS(CFrameWnd), nullptr);
  CString field;
  EXPECT_TRUE(doc.GetDocString(field, CDocTemplate::windowTitle));
  EXPECT_EQ(field, L"Framework Test App");
  EXPECT_TRUE(doc.GetDocString(field, CDocTemplate::filterExt));
  EXPECT_EQ(field, L".fwt");
  EXPECT_TRUE(doc.GetDocString(field, CDocTemplate::regFileTypeName));
  EXPECT_EQ(field, L"Framework Test Sheet");
  CSingleDocTemplate bare(4040, RUNTIME_CLASS(CPartsDoc), RUNTIME_CLASS(CFrameWnd), nullptr);
  EXPECT_FALSE(bare.GetDocString(field, CDocTemplate::docName));
  EXPECT_EQ(field, L"");
  // A template without a frame to show the document gives nothing.
  CSingleDocTemplate frameless(IDR_TESTFRAME, RUNTIME_CLASS(CPartsDoc), nullptr, nullptr);
  EXPECT_EQ(frameless.OpenDocumentFile(nullptr), nullptr);
  EXPECT_EQ(frameless.GetFirstDocPosition(), nullptr);
}

}  // namespace
