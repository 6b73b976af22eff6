#include "app/app_shell.h"

#include <shellapi.h>

#include <cstring>

#include "controls/html/html_text.h"
#include "controls/html/message_box.h"
#include "resource.h"

void CopyTextToClipboard(const CString& text) {
  if (!::OpenClipboard(nullptr)) return;
  ::EmptyClipboard();
  const size_t bytes = (static_cast<size_t>(text.GetLength()) + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* target = ::GlobalLock(memory)) {
      std::memcpy(target, text.GetString(), bytes);
      ::GlobalUnlock(memory);
      // The clipboard owns the memory once it accepted it.
      if (!::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);
    } else {
      ::GlobalFree(memory);
    }
  }
  ::CloseClipboard();
}

namespace {

// The default value of a key under the classes root; empty when the key is missing.
CString ReadClassesRootDefault(const CString& subKey) {
  wchar_t value[1024] = L"";
  LONG size = sizeof value - sizeof(wchar_t);
  if (::RegQueryValueW(HKEY_CLASSES_ROOT, subKey, value, &size) != ERROR_SUCCESS) return CString();
  return value;
}

// WinExec's answers: above 31 on success, else the system error of the start.
INT_PTR RunCommandLine(const CString& commandLine) {
  std::wstring buffer(commandLine.GetString());
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? static_cast<INT_PTR>(error) : 0;
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return 33;
}

}  // namespace

CString BuildBrowserCommandLine(const CString& openCommand, const CString& target) {
  CString command = openCommand;
  int cut = command.Find(L"\"%1\"");
  if (cut < 0) cut = command.Find(L"%1");
  if (cut >= 0) command = command.Left(cut);
  command.TrimRight();
  // A path with blanks must reach the browser as one argument.
  CString argument = target;
  if (argument.FindOneOf(L" \t") >= 0 && !(argument.GetLength() >= 2 && argument[0] == L'"'))
    argument = L"\"" + argument + L"\"";
  return command + L" " + argument;
}

INT_PTR OpenInWebBrowser(const CString& target) {
  const INT_PTR shellResult =
      reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", target, nullptr, nullptr, SW_SHOWNORMAL));
  if (shellResult > 32) return shellResult;

  const CString fileClass = ReadClassesRootDefault(L".htm");
  if (fileClass.IsEmpty()) return shellResult;
  const CString openCommand = ReadClassesRootDefault(fileClass + L"\\shell\\open\\command");
  if (openCommand.IsEmpty()) return shellResult;
  return RunCommandLine(BuildBrowserCommandLine(openCommand, target));
}

int ShowMessageBoxText(CWnd* parent, const CString& text, UINT type) {
  HWND mainWindow = nullptr;
  if (CWnd* main = AfxGetMainWnd(); main && ::IsWindow(main->GetSafeHwnd())) mainWindow = main->GetSafeHwnd();
  if (!mainWindow) mainWindow = ::GetActiveWindow();

  HWND owner = parent ? parent->GetSafeHwnd() : nullptr;
  if (!owner) owner = mainWindow ? mainWindow : ::GetDesktopWindow();

  CString caption;
  if (mainWindow) {
    wchar_t buffer[512] = L"";
    ::GetWindowTextW(mainWindow, buffer, 512);
    caption = buffer;
  } else {
    caption.LoadString(IDS_APP_TITLE);
  }

  // The box draws HTML; the program's messages are plain text and may hold file names, paths
  // and range texts, whose "<" and "&" must show as themselves.
  const std::wstring html = html::EscapeText(std::wstring(text.GetString(), text.GetLength()));
  HtmlMessageBoxParams params;
  InitHtmlMessageBoxParams(&params);
  params.owner = owner;
  params.caption = caption.GetString();
  params.messageText = html.c_str();
  params.flags = type;
  params.boxStyle.backgroundKind = CPPDrawManager::kSolid;
  params.boxStyle.beginColour = RGB(245, 245, 245);
  return PPMessageBox(&params);
}
