// The application object: message loop with idle processing, timers,
// thread messages, threads, exceptions at system boundaries, profile,
// message boxes and resources.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "framework/afxwin.h"
#include "framework/fwinternal.h"
#include "resources.h"
#include "test_util.h"

namespace {

constexpr UINT WM_THREAD_TASK = WM_APP + 10;
constexpr UINT WM_THROW_FILE = WM_APP + 11;
constexpr UINT WM_THROW_STD = WM_APP + 12;
constexpr UINT WM_THROW_OTHER = WM_APP + 13;
constexpr UINT WM_THROW_USER = WM_APP + 14;
constexpr UINT ID_CLOSE_MAIN = 40001;

class CTestApp : public CWinApp {
 public:
  CTestApp() : CWinApp(L"Framework Test") {}
  std::vector<CString> boxes;
  std::vector<UINT> boxIds;
  int idleCalls = 0;
  int threadTasks = 0;
  int quitWith = 0;
  BOOL throwInIdle = FALSE;

  int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT nIDPrompt) override {
    boxes.push_back(lpszPrompt);
    boxIds.push_back(nIDPrompt);
    return IDOK;
  }
  BOOL OnIdle(LONG lCount) override {
    ++idleCalls;
    if (throwInIdle) {
      throwInIdle = FALSE;
      throw std::runtime_error("idle failure");
    }
    return CWinApp::OnIdle(lCount);
  }

 protected:
  afx_msg void OnThreadTask(WPARAM wParam, LPARAM) {
    ++threadTasks;
    ::PostQuitMessage(static_cast<int>(wParam));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
  ON_THREAD_MESSAGE(WM_THREAD_TASK, &CTestApp::OnThreadTask)
END_MESSAGE_MAP()

CTestApp g_app;

// A main window that counts timer ticks and closes itself on a command.
class CMainTestWnd : public CWnd {
 public:
  int ticks = 0;
  int idleUpdates = 0;
  BOOL throwOnCreate = FALSE;
  BOOL throwInPaint = FALSE;
  int paints = 0;

  BOOL CreateHidden() {
    return CreateEx(0, AfxRegisterWndClass(0), L"Main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr);
  }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    if (throwOnCreate) AfxThrowResourceException();
    return CWnd::OnCreate(cs);
  }
  afx_msg void OnTimer(UINT_PTR id) {
    if (id != 1) return;
    if (++ticks == 3) {
      KillTimer(1);
      PostMessage(WM_COMMAND, ID_CLOSE_MAIN);
    }
  }
  afx_msg void OnCloseMain() { DestroyWindow(); }
  afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM) {
    ++idleUpdates;
    return 0;
  }
  afx_msg void OnPaint() {
    ++paints;
    if (throwInPaint) throw 42;
    CPaintDC dc(this);
  }
  afx_msg LRESULT OnThrowFile(WPARAM, LPARAM) { AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, L"Z:\\full.dat"); }
  afx_msg LRESULT OnThrowStd(WPARAM, LPARAM) { throw std::runtime_error("standard failure"); }
  afx_msg LRESULT OnThrowOther(WPARAM, LPARAM) { throw 7; }
  afx_msg LRESULT OnThrowUser(WPARAM, LPARAM) { AfxThrowUserException(); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainTestWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_TIMER()
  ON_WM_PAINT()
  ON_COMMAND(ID_CLOSE_MAIN, &CMainTestWnd::OnCloseMain)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CMainTestWnd::OnIdleUpdate)
  ON_MESSAGE(WM_THROW_FILE, &CMainTestWnd::OnThrowFile)
  ON_MESSAGE(WM_THROW_STD, &CMainTestWnd::OnThrowStd)
  ON_MESSAGE(WM_THROW_OTHER, &CMainTestWnd::OnThrowOther)
  ON_MESSAGE(WM_THROW_USER, &CMainTestWnd::OnThrowUser)
END_MESSAGE_MAP()

TEST(Application, IsTheModulesApplicationAndMainThread) {
  EXPECT_EQ(AfxGetApp(), &g_app);
  EXPECT_EQ(AfxGetThread(), &g_app);
  EXPECT_STREQ(AfxGetAppName(), L"Framework Test");
  EXPECT_STREQ(g_app.m_pszExeName, L"fw_app_test");
  EXPECT_STREQ(g_app.m_pszProfileName, L"fw_app_test.INI");
  EXPECT_EQ(AfxGetInstanceHandle(), ::GetModuleHandleW(nullptr));
}

TEST(Application, RunsTheLoopWithTimersAndIdleUntilTheMainWindowCloses) {
  CMainTestWnd wnd;
  ASSERT_TRUE(wnd.CreateHidden());
  wnd.ShowWindow(SW_SHOWNA);
  g_app.m_pMainWnd = &wnd;
  wnd.SetTimer(1, 10);
  HWND raw = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  CWnd::FromHandle(raw);
  ASSERT_NE(fw::detail::TemporaryLookup(fw::detail::HandleKind::Wnd, raw), nullptr);
  g_app.idleCalls = 0;

  EXPECT_EQ(g_app.Run(), 0);
  EXPECT_EQ(wnd.ticks, 3);
  EXPECT_EQ(wnd.m_hWnd, nullptr);          // destroyed by its command
  EXPECT_EQ(g_app.m_pMainWnd, nullptr);    // and no longer the main window
  EXPECT_GT(g_app.idleCalls, 0);
  EXPECT_GT(wnd.idleUpdates, 0);           // command states were refreshed when idle
  EXPECT_EQ(fw::detail::TemporaryLookup(fw::detail::HandleKind::Wnd, raw), nullptr);  // freed when idle
  ::DestroyWindow(raw);
}

TEST(Application, DispatchesThreadMessagesAndEndsWithTheQuitCode) {
  CMainTestWnd hidden;
  ASSERT_TRUE(hidden.CreateHidden());
  g_app.m_pMainWnd = &hidden;
  g_app.threadTasks = 0;
  g_app.PostThreadMessage(WM_THREAD_TASK, 3, 0);
  EXPECT_EQ(g_app.Run(), 3);
  EXPECT_EQ(g_app.threadTasks, 1);
  g_app.m_pMainWnd = nullptr;
}

TEST(Boundaries, ExceptionsInHandlersAreReportedAndGoNoFurther) {
  CMainTestWnd wnd;
  ASSERT_TRUE(wnd.CreateHidden());
  g_app.boxes.clear();
  EXPECT_EQ(wnd.SendMessage(WM_THROW_FILE), 0);
  EXPECT_EQ(wnd.SendMessage(WM_THROW_STD), 0);
  EXPECT_EQ(wnd.SendMessage(WM_THROW_OTHER), 0);
  EXPECT_EQ(wnd.SendMessage(WM_THROW_USER), 0);  // already reported: no box
  ASSERT_EQ(g_app.boxes.size(), 3u);
  EXPECT_NE(g_app.boxes[0].Find(L"Z:\\full.dat"), -1);
  EXPECT_NE(g_app.boxes[1].Find(L"standard failure"), -1);
  EXPECT_NE(g_app.boxes[2].Find(L"unexpected"), -1);
  // The window still works.
  EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);

  // A failing paint is validated, so it is not asked for again and again.
  wnd.ShowWindow(SW_SHOWNA);
  wnd.throwInPaint = TRUE;
  wnd.Invalidate();
  wnd.UpdateWindow();
  EXPECT_EQ(wnd.paints, 1);
  EXPECT_FALSE(wnd.GetUpdateRect(nullptr));
  wnd.throwInPaint = FALSE;
}

TEST(Boundaries, AFailingCreationReturnsFalse) {
  CMainTestWnd wnd;
  wnd.throwOnCreate = TRUE;
  g_app.boxes.clear();
  EXPECT_FALSE(wnd.CreateHidden());
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(g_app.boxes.size(), 1u);
}

class CThrowingFilterWnd : public CMainTestWnd {
 public:
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_KEYDOWN) throw std::logic_error("filter failure");
    return FALSE;
  }
};

TEST(Boundaries, TheLoopSurvivesFailingFiltersAndIdleWork) {
  CThrowingFilterWnd wnd;
  ASSERT_TRUE(wnd.CreateHidden());
  g_app.m_pMainWnd = &wnd;
  g_app.boxes.clear();
  g_app.throwInIdle = TRUE;
  wnd.PostMessage(WM_KEYDOWN, VK_SPACE, 0);
  wnd.SetTimer(1, 10);  // closes the window at the third tick, after idle time
  EXPECT_EQ(g_app.Run(), 0);
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  ASSERT_EQ(g_app.boxes.size(), 2u);
  bool sawFilter = false, sawIdle = false;
  for (const CString& b : g_app.boxes) {
    sawFilter |= b.Find(L"filter failure") != -1;
    sawIdle |= b.Find(L"idle failure") != -1;
  }
  EXPECT_TRUE(sawFilter);
  EXPECT_TRUE(sawIdle);
}

std::atomic<CWinThread*> g_seenThread{nullptr};

UINT AFX_CDECL Worker(LPVOID param) {
  g_seenThread = AfxGetThread();
  return static_cast<UINT>(reinterpret_cast<UINT_PTR>(param)) * 2;
}

UINT AFX_CDECL ThrowingWorker(LPVOID) { throw std::runtime_error("worker failure"); }

DWORD RunToEnd(CWinThread* thread) {
  thread->ResumeThread();
  EXPECT_EQ(::WaitForSingleObject(thread->m_hThread, 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  ::GetExitCodeThread(thread->m_hThread, &code);
  delete thread;
  return code;
}

TEST(Threads, WorkerThreadsRunAndTheirExceptionsStopAtTheEntry) {
  CWinThread* thread = AfxBeginThread(&Worker, reinterpret_cast<LPVOID>(21), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(thread, nullptr);
  thread->m_bAutoDelete = FALSE;
  CWinThread* expected = thread;
  EXPECT_EQ(RunToEnd(thread), 42u);
  EXPECT_EQ(g_seenThread.load(), expected);

  CWinThread* failing = AfxBeginThread(&ThrowingWorker, nullptr, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(failing, nullptr);
  failing->m_bAutoDelete = FALSE;
  EXPECT_EQ(RunToEnd(failing), static_cast<DWORD>(-1));
}

// A user-interface thread with its own window and message loop.
HANDLE g_uiReady = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
std::atomic<HWND> g_uiWindow{nullptr};

class CUiThread : public CWinThread {
  DECLARE_DYNCREATE(CUiThread)
 public:
  BOOL InitInstance() override {
    auto* wnd = new CMainTestWnd;
    if (!wnd->CreateHidden()) return FALSE;
    m_pMainWnd = wnd;
    m_window = wnd;
    g_uiWindow = wnd->m_hWnd;
    ::SetEvent(g_uiReady);
    return TRUE;
  }
  int ExitInstance() override {
    delete m_window;
    return CWinThread::ExitInstance() + 5;
  }
  CMainTestWnd* m_window = nullptr;
};
IMPLEMENT_DYNCREATE(CUiThread, CWinThread)

TEST(Threads, UserInterfaceThreadsEndWhenTheirMainWindowCloses) {
  CWinThread* thread = AfxBeginThread(RUNTIME_CLASS(CUiThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(thread, nullptr);
  thread->m_bAutoDelete = FALSE;
  thread->ResumeThread();
  ASSERT_EQ(::WaitForSingleObject(g_uiReady, 10000), WAIT_OBJECT_0);
  ::PostMessageW(g_uiWindow, WM_COMMAND, ID_CLOSE_MAIN, 0);
  ASSERT_EQ(::WaitForSingleObject(thread->m_hThread, 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  ::GetExitCodeThread(thread->m_hThread, &code);
  EXPECT_EQ(code, 5u);
  EXPECT_FALSE(::IsWindow(g_uiWindow));
  delete thread;
}

// Points the profile at a fresh ini file for one test.
class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    m_path.Format(L"%sfwtest_%lu.ini", dir, ::GetCurrentProcessId());
    ::DeleteFileW(m_path);
    m_saved = g_app.m_pszProfileName;
    g_app.m_pszProfileName = _wcsdup(m_path);
  }
  void TearDown() override {
    free(const_cast<LPTSTR>(g_app.m_pszProfileName));
    g_app.m_pszProfileName = m_saved;
    ::DeleteFileW(m_path);
  }
  CString m_path;
  LPCTSTR m_saved = nullptr;
};

TEST_F(ProfileTest, IniValuesRoundTrip) {
  EXPECT_EQ(static_cast<int>(g_app.GetProfileInt(L"Global", L"Top", -7)), -7);
  EXPECT_TRUE(g_app.WriteProfileInt(L"Global", L"Top", -25));
  EXPECT_TRUE(g_app.WriteProfileInt(L"Global", L"EvaluationTime", 5000));
  EXPECT_EQ(static_cast<int>(g_app.GetProfileInt(L"Global", L"Top", 0)), -25);
  EXPECT_EQ(g_app.GetProfileInt(L"Global", L"EvaluationTime", 0), 5000u);
  EXPECT_EQ(g_app.GetProfileString(L"Global", L"Missing"), L"");
  EXPECT_EQ(g_app.GetProfileString(L"Global", L"Missing", L"fallback"), L"fallback");
  CString longValue(L'r', 3000);
  EXPECT_TRUE(g_app.WriteProfileString(L"RecentInput", L"Combo0Text0", longValue));
  EXPECT_EQ(g_app.GetProfileString(L"RecentInput", L"Combo0Text0"), longValue);
  EXPECT_TRUE(g_app.WriteProfileString(L"RecentInput", L"Combo0Text0", nullptr));  // deletes the entry
  EXPECT_EQ(g_app.GetProfileString(L"RecentInput", L"Combo0Text0", L"gone"), L"gone");
  EXPECT_TRUE(g_app.WriteProfileString(L"Global", nullptr, nullptr));  // deletes the section
  EXPECT_EQ(g_app.GetProfileInt(L"Global", L"EvaluationTime", 1), 1u);
  // The file is plain text in the ini format.
  EXPECT_NE(::GetFileAttributesW(m_path), INVALID_FILE_ATTRIBUTES);
  wchar_t raw[32] = {};
  g_app.WriteProfileInt(L"EquityGraph", L"EquityGraphQuality", 2);
  ::GetPrivateProfileStringW(L"EquityGraph", L"EquityGraphQuality", L"", raw, 32, m_path);
  EXPECT_STREQ(raw, L"2");

  BYTE data[] = {0x00, 0x7F, 0x80, 0xFF};
  EXPECT_TRUE(g_app.WriteProfileBinary(L"Blob", L"Data", data, sizeof data));
  BYTE* read = nullptr;
  UINT n = 0;
  ASSERT_TRUE(g_app.GetProfileBinary(L"Blob", L"Data", &read, &n));
  ASSERT_EQ(n, 4u);
  EXPECT_EQ(std::vector<BYTE>(read, read + n), std::vector<BYTE>(data, data + 4));
  delete[] read;
  g_app.WriteProfileString(L"Blob", L"Bad", L"ABC");  // odd length
  EXPECT_FALSE(g_app.GetProfileBinary(L"Blob", L"Bad", &read, &n));
  EXPECT_EQ(read, nullptr);
}

TEST_F(ProfileTest, RegistryProfileAfterSetRegistryKey) {
  g_app.SetRegistryKey(L"FwTestCompany");
  EXPECT_STREQ(g_app.m_pszProfileName, L"Framework Test");
  EXPECT_TRUE(g_app.WriteProfileInt(L"Section", L"Count", 12));
  EXPECT_TRUE(g_app.WriteProfileString(L"Section", L"Name", L"Brightfold"));
  BYTE data[] = {1, 2, 3};
  EXPECT_TRUE(g_app.WriteProfileBinary(L"Section", L"Data", data, 3));
  EXPECT_EQ(g_app.GetProfileInt(L"Section", L"Count", 0), 12u);
  EXPECT_EQ(g_app.GetProfileString(L"Section", L"Name"), L"Brightfold");
  BYTE* read = nullptr;
  UINT n = 0;
  EXPECT_TRUE(g_app.GetProfileBinary(L"Section", L"Data", &read, &n));
  EXPECT_EQ(n, 3u);
  delete[] read;
  HKEY key = nullptr;
  EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\FwTestCompany\\Framework Test\\Section", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  ::RegCloseKey(key);
  EXPECT_TRUE(g_app.WriteProfileString(L"Section", nullptr, nullptr));
  EXPECT_EQ(g_app.GetProfileInt(L"Section", L"Count", 3), 3u);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\FwTestCompany");
  free(const_cast<LPTSTR>(g_app.m_pszRegistryKey));
  g_app.m_pszRegistryKey = nullptr;
}

TEST(MessageBoxes, GoThroughTheApplication) {
  g_app.boxes.clear();
  g_app.boxIds.clear();
  EXPECT_EQ(AfxMessageBox(L"Direct text", MB_YESNO), IDOK);
  EXPECT_EQ(AfxMessageBox(IDS_GREETING), IDOK);
  ASSERT_EQ(g_app.boxes.size(), 2u);
  EXPECT_EQ(g_app.boxes[1], L"Hello from the string table");
  EXPECT_EQ(g_app.boxIds[1], static_cast<UINT>(IDS_GREETING));
}

TEST(Resources, ComeFromTheResourceModuleThenTheProgram) {
  HINSTANCE program = AfxGetInstanceHandle();
  EXPECT_EQ(AfxGetResourceHandle(), program);
  // A resource module without the program's resources: they still load.
  HINSTANCE other = ::GetModuleHandleW(L"kernel32.dll");
  AfxSetResourceHandle(other);
  EXPECT_EQ(AfxGetResourceHandle(), other);
  CString s;
  EXPECT_TRUE(s.LoadString(IDS_GREETING));
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(IDM_TEST_MENU), RT_MENU), program);
  CMenu menu;
  EXPECT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
  EXPECT_EQ(menu.GetSubMenu(0)->GetMenuItemID(1), static_cast<UINT>(ID_CMD_SECOND));
  AfxSetResourceHandle(program);
}

TEST(WaitCursor, CountsNestedRequests) {
  CWinApp* app = AfxGetApp();
  HCURSOR before = ::GetCursor();
  {
    CWaitCursor outer;
    {
      CWaitCursor inner;
    }
    app->DoWaitCursor(0);
  }
  EXPECT_EQ(::GetCursor(), before);
}

}  // namespace
