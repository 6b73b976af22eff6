// Threads and the application object.
//
// CWinThread runs a message loop with idle processing (Run/PumpMessage/
// OnIdle) and offers every message to the windows' PreTranslateMessage chain
// first. CWinApp is the one application object: the main thread, the
// program's names, the profile (settings in an ini file, or in the registry
// after SetRegistryKey) and the message box.
#pragma once

#include "framework/cmdtarget.h"
#include "framework/collections.h"
#include "framework/cstring.h"
#include "framework/exceptions.h"
#include "framework/fwstate.h"

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

class CCommandLineInfo;
class CDocTemplate;
class CDocument;
class CRecentFileList;

// Which help system WinHelp calls.
enum AFX_HELP_TYPE { afxWinHelp = 0, afxHTMLHelp = 1 };

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
 public:
  CWinThread();
  CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
  ~CWinThread() override;

  // Starts the thread (suspended with CREATE_SUSPENDED; ResumeThread then).
  BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

  CWnd* m_pMainWnd = nullptr;    // closing it ends the thread's loop
  CWnd* m_pActiveWnd = nullptr;
  BOOL m_bAutoDelete = TRUE;     // delete the object when the thread ends
  HANDLE m_hThread = nullptr;
  DWORD m_nThreadID = 0;
  operator HANDLE() const { return m_hThread; }

  int GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
  BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
  DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
  DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
  BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
  }

  virtual CWnd* GetMainWnd();
  virtual BOOL InitInstance();
  virtual int ExitInstance();
  // The message loop; returns ExitInstance's result after WM_QUIT.
  virtual int Run();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Gets and dispatches one message; FALSE at WM_QUIT.
  virtual BOOL PumpMessage();
  // Idle work in stages: lCount 0 updates the command states of the main
  // window and its descendants, 1 frees the temporary wrappers. Returns TRUE
  // while more idle work is wanted.
  virtual BOOL OnIdle(LONG lCount);
  // FALSE for messages that must not restart idle processing (repeated mouse
  // moves, painting, caret blinks).
  virtual BOOL IsIdleMessage(MSG* pMsg);
  virtual void Delete();
  // Handles an exception caught at a window procedure; returns the message's
  // result (-1 for WM_CREATE so the creation fails).
  virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
  // The common part: the result for the message, the text written to the
  // debugger output and stderr, and with bShowMessage a message box.
  static LRESULT AFXAPI DefaultWndProcExceptionResult(CException* e, const MSG* pMsg, BOOL bShowMessage);

  MSG m_msgCur = {};
  AFX_THREADPROC m_pfnThreadProc = nullptr;
  LPVOID m_pThreadParams = nullptr;

  DECLARE_MESSAGE_MAP()

 private:
  friend unsigned __stdcall FwThreadEntry(void*);
};

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
 public:
  explicit CWinApp(LPCTSTR lpszAppName = nullptr);
  ~CWinApp() override;

  HINSTANCE m_hInstance = nullptr;
  LPTSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;
  // Strings owned by the application (malloc'ed; replace with free/_wcsdup).
  LPCTSTR m_pszAppName = nullptr;
  LPCTSTR m_pszRegistryKey = nullptr;
  LPCTSTR m_pszExeName = nullptr;
  LPCTSTR m_pszHelpFilePath = nullptr;
  // The ini file of the profile functions; a name without a folder lies in
  // the Windows folder.
  LPCTSTR m_pszProfileName = nullptr;

  virtual BOOL InitApplication();
  BOOL InitInstance() override;
  int ExitInstance() override;
  int Run() override;
  BOOL OnIdle(LONG lCount) override;
  LRESULT ProcessWndProcException(CException* e, const MSG* pMsg) override;

  // Every AfxMessageBox goes through here.
  virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
  // nCode 1 shows the wait cursor, -1 ends one request, 0 shows it again.
  virtual void DoWaitCursor(int nCode);

  HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
  HCURSOR LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCE(nIDResource)); }
  HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursorW(nullptr, lpszCursorName); }
  HCURSOR LoadOEMCursor(UINT nIDCursor) const { return ::LoadCursorW(nullptr, MAKEINTRESOURCE(nIDCursor)); }
  HICON LoadIcon(LPCTSTR lpszResourceName) const;
  HICON LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCE(nIDResource)); }
  HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIconW(nullptr, lpszIconName); }
  HICON LoadOEMIcon(UINT nIDIcon) const { return ::LoadIconW(nullptr, MAKEINTRESOURCE(nIDIcon)); }

  // Profile. Integers are stored as decimal text, binary data as hex digits.
  virtual UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
  virtual BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
  virtual CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
  // A null entry deletes the section, a null value the entry.
  virtual BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
  // *ppData is allocated with new[]; the caller deletes it.
  virtual BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
  virtual BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
  // Moves the profile to HKEY_CURRENT_USER\Software\<key>\<application name>.
  void SetRegistryKey(LPCTSTR lpszRegistryKey);
  void SetRegistryKey(UINT nIDRegistryKey);
  // Open keys of the registry profile (close them with RegCloseKey); null
  // without a registry key.
  HKEY GetAppRegistryKey();
  HKEY GetSectionKey(LPCTSTR lpszSection);

  // Fills the program's names from its module; called by AfxWinInit.
  void SetCurrentHandles();

  // Documents. The application owns its templates.
  void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
  CDocTemplate* GetNextDocTemplate(POSITION& rPosition) const {
    return static_cast<CDocTemplate*>(m_templateList.GetNext(rPosition));
  }
  // Opens a file with the first template (a document already open with that
  // path is activated instead); null on failure (the user was told).
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
  virtual BOOL SaveAllModified();
  void CloseAllDocuments(BOOL bEndSession);
  int GetOpenDocumentCount();

  // The recent-file list, made by LoadStdProfileSettings with nMaxMRU entries
  // (none for 0) and read from the profile section "Recent File List";
  // ExitInstance writes it back.
  virtual void AddToRecentFileList(LPCTSTR lpszPathName);
  void LoadStdProfileSettings(UINT nMaxMRU = 4);
  void SaveStdProfileSettings();
  CRecentFileList* m_pRecentFileList = nullptr;

  // The command line: ParseCommandLine reads m_lpCmdLine (the process's
  // command line when none was given); ProcessShellCommand opens the named
  // file or a new document. FALSE when that failed.
  void ParseCommandLine(CCommandLineInfo& rCmdInfo);
  BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

  // Help: m_pszHelpFilePath through WinHelp, or through the compiled HTML
  // help viewer after EnableHtmlHelp. A missing help file or viewer is
  // reported with a message box.
  void EnableHtmlHelp() { SetHelpMode(afxHTMLHelp); }
  void SetHelpMode(AFX_HELP_TYPE eHelpType) { m_eHelpType = eHelpType; }
  AFX_HELP_TYPE GetHelpMode() const { return m_eHelpType; }
  virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
  virtual void HtmlHelp(DWORD_PTR dwData, UINT nCmd = 0x000F);
  AFX_HELP_TYPE m_eHelpType = afxWinHelp;

  // Standard commands (the recent files and exit are in this class's map;
  // a program maps the others itself).
  afx_msg void OnFileNew();
  afx_msg void OnFileOpen();
  afx_msg void OnAppExit();
  afx_msg BOOL OnOpenRecentFile(UINT nID);
  afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
  afx_msg void OnHelp();
  afx_msg void OnHelpFinder();
  afx_msg void OnHelpIndex();
  afx_msg void OnHelpUsing();
  afx_msg void OnContextHelp();

 protected:
  int m_nWaitCursorCount = 0;
  HCURSOR m_hcurWaitCursorRestore = nullptr;
  CPtrList m_templateList;

  DECLARE_MESSAGE_MAP()

 private:
  void FreeDocumentState();
};

// Program entry helpers. AfxWinMain initialises, runs InitInstance and the
// application's message loop; the library's wWinMain calls it.
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
void AFXAPI AfxWinTerm();
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);

// Threads. The worker function's exceptions are caught at the thread's entry.
CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                  int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                  DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// A user-interface thread of a CWinThread class with dynamic creation.
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Ends the calling framework thread at once; objects on its stack are not destroyed.
void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
