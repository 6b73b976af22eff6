// The application's documents, recent-file list, command line and help.

#include <cwchar>

#include "framework/app.h"
#include "framework/cmdline.h"
#include "framework/doc.h"
#include "framework/doctempl.h"
#include "framework/filedialog.h"
#include "framework/frame.h"
#include "framework/fwres.h"
#include "framework/recentfiles.h"
#include "framework/view.h"

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
  ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
  ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CWinApp::OnOpenRecentFile)
  ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

namespace {

constexpr UINT kMaxRecentFiles = 16;

CString FullPath(LPCTSTR path) {
  wchar_t full[MAX_PATH * 4] = {};
  DWORD n = ::GetFullPathNameW(path, MAX_PATH * 4, full, nullptr);
  return (n > 0 && n < MAX_PATH * 4) ? CString(full) : CString(path);
}

}  // namespace

void CWinApp::FreeDocumentState() {
  while (!m_templateList.IsEmpty()) delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
  delete m_pRecentFileList;
  m_pRecentFileList = nullptr;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
  if (pTemplate != nullptr && m_templateList.Find(pTemplate) == nullptr) m_templateList.AddTail(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
  if (lpszFileName == nullptr || *lpszFileName == 0) return nullptr;
  POSITION pos = GetFirstDocTemplatePosition();
  if (pos == nullptr) return nullptr;
  CDocTemplate* pTemplate = GetNextDocTemplate(pos);
  CString path = FullPath(lpszFileName);
  // A document already open with that file is shown, not read again.
  POSITION docPos = pTemplate->GetFirstDocPosition();
  while (docPos != nullptr) {
    CDocument* pDoc = pTemplate->GetNextDoc(docPos);
    if (!pDoc->GetPathName().IsEmpty() && pDoc->GetPathName().CompareNoCase(path) == 0) {
      POSITION viewPos = pDoc->GetFirstViewPosition();
      if (viewPos != nullptr) {
        if (CFrameWnd* frame = pDoc->GetNextView(viewPos)->GetParentFrame()) frame->ActivateFrame();
      }
      AddToRecentFileList(path);
      return pDoc;
    }
  }
  return pTemplate->OpenDocumentFile(path);
}

BOOL CWinApp::SaveAllModified() {
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos != nullptr) {
    if (!GetNextDocTemplate(pos)->SaveAllModified()) return FALSE;
  }
  return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos != nullptr) GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount() {
  int count = 0;
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos != nullptr) {
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    POSITION docPos = pTemplate->GetFirstDocPosition();
    while (docPos != nullptr) {
      pTemplate->GetNextDoc(docPos);
      ++count;
    }
  }
  return count;
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName) {
  if (m_pRecentFileList != nullptr) m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
  delete m_pRecentFileList;
  m_pRecentFileList = nullptr;
  if (nMaxMRU == 0) return;
  if (nMaxMRU > kMaxRecentFiles) nMaxMRU = kMaxRecentFiles;
  m_pRecentFileList =
      new CRecentFileList(ID_FILE_MRU_FILE1, L"Recent File List", L"File%d", static_cast<int>(nMaxMRU));
  m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings() {
  if (m_pRecentFileList != nullptr) m_pRecentFileList->WriteList();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
  // The splitter treats the first word as the program's name: give it one.
  CString line = m_lpCmdLine != nullptr ? CString(L"program ") + m_lpCmdLine : CString(::GetCommandLineW());
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(line, &argc);
  if (argv == nullptr) return;
  for (int i = 1; i < argc; ++i) {
    const wchar_t* param = argv[i];
    BOOL flag = param[0] == L'-' || param[0] == L'/';
    if (flag) ++param;
    rCmdInfo.ParseParam(param, flag, i == argc - 1);
  }
  ::LocalFree(argv);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
  switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      if (!OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr)) OnFileNew();
      return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
      // Printing is not offered: the file is opened.
      return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::AppRegister:
    case CCommandLineInfo::AppUnregister:
      // Nothing to register: done, and no window is wanted.
      return FALSE;
    case CCommandLineInfo::FileDDE:
    case CCommandLineInfo::FileNothing:
    default:
      return TRUE;
  }
}

void CWinApp::OnFileNew() {
  POSITION pos = GetFirstDocTemplatePosition();
  if (pos != nullptr) GetNextDocTemplate(pos)->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
  CString filter;
  POSITION pos = GetFirstDocTemplatePosition();
  if (pos != nullptr) {
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    CString name, ext;
    if (pTemplate->GetDocString(name, CDocTemplate::filterName) && pTemplate->GetDocString(ext, CDocTemplate::filterExt))
      filter = name + L"|*" + ext + L"|";
  }
  filter += L"All Files (*.*)|*.*||";
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter);
  if (dialog.DoModal() == IDOK) OpenDocumentFile(dialog.GetPathName());
}

void CWinApp::OnAppExit() {
  if (m_pMainWnd != nullptr) m_pMainWnd->SendMessage(WM_CLOSE);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
  if (m_pRecentFileList == nullptr) return FALSE;
  int index = static_cast<int>(nID) - ID_FILE_MRU_FILE1;
  if (index < 0 || index >= m_pRecentFileList->GetSize()) return FALSE;
  CString path = (*m_pRecentFileList)[index];
  if (path.IsEmpty()) return FALSE;
  if (OpenDocumentFile(path) == nullptr) {
    // A file that cannot be opened leaves the list.
    for (int i = 0; i < m_pRecentFileList->GetSize(); ++i) {
      if ((*m_pRecentFileList)[i].CompareNoCase(path) == 0) {
        m_pRecentFileList->Remove(i);
        break;
      }
    }
  }
  return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
  if (m_pRecentFileList == nullptr) pCmdUI->Enable(FALSE);
  else m_pRecentFileList->UpdateMenu(pCmdUI);
}

// Help.

namespace {

HWND HelpOwner() {
  CWnd* main = AfxGetMainWnd();
  return main ? main->GetSafeHwnd() : nullptr;
}

void ReportNoHelp(LPCTSTR path) {
  CString text;
  text.Format(L"Help is not available: the help file %s could not be opened.", path ? path : L"");
  AfxMessageBox(text, MB_ICONINFORMATION);
}

// Commands of the compiled HTML help viewer.
constexpr UINT kHhDisplayTopic = 0x0000;
constexpr UINT kHhDisplayToc = 0x0001;
constexpr UINT kHhDisplayIndex = 0x0002;
constexpr UINT kHhHelpContext = 0x000F;
constexpr UINT kHhCloseAll = 0x0012;

}  // namespace

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
  if (m_eHelpType == afxHTMLHelp) {
    UINT command;
    switch (nCmd) {
      case HELP_CONTEXT: command = dwData == 0 ? kHhDisplayTopic : kHhHelpContext; break;
      case HELP_CONTENTS:  // also HELP_INDEX
      case HELP_FINDER: command = kHhDisplayToc; break;
      case HELP_PARTIALKEY: command = kHhDisplayIndex; break;
      case HELP_QUIT: command = kHhCloseAll; break;
      default: command = kHhDisplayTopic; break;
    }
    HtmlHelp(dwData, command);
    return;
  }
  if (nCmd == HELP_QUIT) {
    ::WinHelpW(HelpOwner(), m_pszHelpFilePath, HELP_QUIT, 0);
    return;
  }
  if (!::WinHelpW(HelpOwner(), m_pszHelpFilePath, nCmd, dwData)) ReportNoHelp(m_pszHelpFilePath);
}

void CWinApp::HtmlHelp(DWORD_PTR dwData, UINT nCmd) {
  using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  static HMODULE viewer = ::LoadLibraryW(L"hhctrl.ocx");
  auto fn = viewer ? reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void (*)()>(::GetProcAddress(viewer, "HtmlHelpW")))
                   : nullptr;
  if (nCmd == kHhCloseAll) {
    if (fn != nullptr) fn(nullptr, nullptr, kHhCloseAll, 0);
    return;
  }
  // The viewer shows its own error box for a missing file: tell it plainly.
  if (fn == nullptr || m_pszHelpFilePath == nullptr ||
      ::GetFileAttributesW(m_pszHelpFilePath) == INVALID_FILE_ATTRIBUTES) {
    ReportNoHelp(m_pszHelpFilePath);
    return;
  }
  if (fn(HelpOwner(), m_pszHelpFilePath, nCmd, dwData) == nullptr && nCmd != kHhHelpContext)
    ReportNoHelp(m_pszHelpFilePath);
}

void CWinApp::OnHelp() { WinHelp(0, HELP_CONTEXT); }

void CWinApp::OnHelpFinder() { WinHelp(0, HELP_FINDER); }

void CWinApp::OnHelpIndex() { WinHelp(0, HELP_INDEX); }

void CWinApp::OnHelpUsing() { WinHelp(0, HELP_HELPONHELP); }

void CWinApp::OnContextHelp() { WinHelp(0, HELP_CONTEXT); }
